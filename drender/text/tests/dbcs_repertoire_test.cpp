// The resident double-byte repertoire: its size, its order and the answers
// for the characters the substitution depends on.
#include <gtest/gtest.h>

#include "drender/text/dbcs_repertoire.h"

namespace {

TEST(DbcsRepertoire, HasItsMembersInSortedDisjointRanges) {
  uint32_t members = 0, counted = 0, single = 0;
  for (uint32_t c = 0; c < 0x10000; ++c) {
    const uint32_t in = Font_IsInDbcsRepertoire(uint16_t(c));
    members += in;
    if (in && (c <= 0x7E || (c >= 0xFF61 && c <= 0xFF9F))) ++single;
    if (c < 0x8000) {
      EXPECT_EQ(Font_IsInDbcsRepertoireLow(uint16_t(c)), in);
    }
  }
  for (uint32_t i = 0; i < kDbcsRepertoireRangeCount; ++i) {
    const DbcsRange& r = kDbcsRepertoireRanges[i];
    ASSERT_LE(r.first, r.last);
    if (i > 0) {
      ASSERT_GT(r.first, kDbcsRepertoireRanges[i - 1].last + 1);
    }
    counted += r.last - r.first + 1u;
  }
  EXPECT_EQ(members, 7484u);
  EXPECT_EQ(counted, 7484u);
  EXPECT_EQ(kDbcsRepertoireMemberCount, 7484u);
  EXPECT_EQ(single, 158u);
  EXPECT_EQ(Font_IsInDbcsRepertoireLow(0x8000), 0u);
}

TEST(DbcsRepertoire, AnswersTheCharactersThatDecideSubstitution) {
  struct Case {
    uint16_t unit;
    uint32_t member;
  } cases[] = {
      {0x0041, 1}, {0xFF71, 1}, {0x007F, 0}, {0x0080, 0}, {0x001F, 0}, {0x0020, 1},
      {0x00A7, 1}, {0x00A2, 0}, {0xFFE0, 1}, {0x00A3, 0}, {0x00AC, 0}, {0x2016, 0},
      {0x2212, 0}, {0xFF0D, 1}, {0x301C, 0}, {0xFF5E, 1}, {0x4E00, 1}, {0x7FFC, 1},
      {0x7FFD, 0}, {0x7FFE, 0}, {0x7FFF, 0}, {0x8000, 1}, {0xE000, 0}, {0xF8FF, 0},
      {0xFFE5, 1}, {0xFFE6, 0}, {0xFFFF, 0}, {0xD800, 0}, {0xDBFF, 0}, {0xDFFF, 0},
      {0x9FA0, 1}, {0xF929, 1}, {0x3042, 1}, {0x30F6, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Font_IsInDbcsRepertoire(c.unit), c.member) << std::hex << c.unit;
  }
}

}  // namespace
