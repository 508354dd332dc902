// The colour-setting command table, read from description files compiled
// from text.
#include "drender/model/color_setting_command.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tools/qxd/qxd_document.h"

namespace {

const char kCommands[] =
    "qxd 1\n"
    "\n"
    "section \"Other\" value \"x\"\n"
    "\n"
    "section \"ColorSettingCommand\" groups\n"
    "  group \"Color_Auto\"\n"
    "    pair \"Img_Edge\" \"Img_EdgeOFF\"\n"
    "    pair \"Text_Edge\" \"Text_EdgeON\"\n"
    "  group \"Color_Disable\"\n"
    "  group \"Color_Photo\"\n"
    "    pair \"Img_Halftone\" \"Img_HalftoneSmooth\"\n";

std::vector<uint8_t> Compile(const std::string& text, qxd::Placement* placement = nullptr) {
  qxd::Document doc;
  std::string error;
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(qxd::ParseText(text, &doc, &error)) << error;
  EXPECT_TRUE(qxd::Build(doc, &bytes, &error, placement)) << error;
  return bytes;
}

struct Table {
  explicit Table(const std::vector<uint8_t>& bytes) {
    QxdContext* ctx = QxdOpenImage(bytes.data(), bytes.size());
    table = Rdc_BuildColorSettingCommand(ctx);
    QxdClose(ctx);
  }
  ~Table() { Rdc_FreeColorSettingCommand(table); }
  size_t Rows() const {
    size_t n = 0;
    while (table && table[n].name[0]) ++n;
    return n;
  }
  ColorSettingCommand* table;
};

size_t PairCount(const ColorSettingCommand* row) {
  size_t n = 0;
  while (row->pairs && row->pairs[n].key[0]) ++n;
  return n;
}

TEST(ColorSettingCommandTest, RowsAndPairsInFileOrder) {
  Table t(Compile(kCommands));
  ASSERT_NE(t.table, nullptr);
  ASSERT_EQ(t.Rows(), 3u);
  const ColorSettingCommand* automatic = Rdc_FindColorSetting(t.table, "Color_Auto");
  ASSERT_EQ(automatic, &t.table[0]);
  ASSERT_EQ(PairCount(automatic), 2u);
  EXPECT_STREQ(automatic->pairs[1].key, "Text_Edge");
  EXPECT_STREQ(automatic->pairs[1].value, "Text_EdgeON");
  const ColorSettingCommand* disabled = Rdc_FindColorSetting(t.table, "Color_Disable");
  ASSERT_NE(disabled, nullptr);
  ASSERT_NE(disabled->pairs, nullptr);
  EXPECT_EQ(PairCount(disabled), 0u);
  EXPECT_STREQ(Rdc_FindColorSetting(t.table, "Color_Photo")->pairs[0].value, "Img_HalftoneSmooth");
  EXPECT_EQ(Rdc_FindColorSetting(t.table, "color_auto"), nullptr);
  EXPECT_EQ(Rdc_FindColorSetting(t.table, "Color_Presen"), nullptr);
  // The end row is all zero.
  ColorSettingCommand zero{};
  EXPECT_EQ(0, std::memcmp(&t.table[3], &zero, sizeof zero));
}

TEST(ColorSettingCommandTest, MissingSectionGivesNoTable) {
  Table t(Compile("qxd 1\n\nsection \"Other\" value \"x\"\n"));
  EXPECT_EQ(t.table, nullptr);
  EXPECT_EQ(Rdc_BuildColorSettingCommand(nullptr), nullptr);
}

TEST(ColorSettingCommandTest, DamagedCountsAndPositionsEndWithoutCrash) {
  qxd::Placement place;
  std::vector<uint8_t> good = Compile(kCommands, &place);
  const qxd::SectionPlace& section = place.sections[1];
  struct Case {
    const char* why;
    uint32_t offset;
    uint32_t value;
    size_t rows;
    size_t firstRowPairs;
  } cases[] = {
      {"entry count beyond the file", section.list, 0x40000000, 0, 0},
      {"index beyond the file", section.list + 8, 0xFFFFFF00, 0, 0},
      {"pair count beyond the file", section.records[0] + 32, 0x10000000, 3, 0},
      {"pair position beyond the file", section.records[0] + 36, 0xFFFFFFF0, 3, 0},
      {"one entry position beyond the file", section.index + 4, 0x7FFFFFFF, 2, 2},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = good;
    qxd::PatchU32(&bytes, c.offset, c.value);
    Table t(bytes);
    ASSERT_NE(t.table, nullptr) << c.why;
    EXPECT_EQ(t.Rows(), c.rows) << c.why;
    if (c.rows) {
      EXPECT_EQ(PairCount(&t.table[0]), c.firstRowPairs) << c.why;
    }
  }
}

// Rows that point at the same pairs take together no more pairs than the
// file holds: a small file cannot make the table grow with the square of its
// size.
TEST(ColorSettingCommandTest, RowsSharingPairsAreBoundedByTheFile) {
  std::string text = "qxd 1\n\nsection \"ColorSettingCommand\" groups\n  group \"Big\"\n";
  for (int i = 0; i < 100; ++i) text += "    pair \"K" + std::to_string(i) + "\" \"V\"\n";
  for (int g = 0; g < 30; ++g) text += "  group \"G" + std::to_string(g) + "\"\n";
  qxd::Placement place;
  std::vector<uint8_t> bytes = Compile(text, &place);
  const std::vector<uint32_t>& groups = place.sections[0].records;
  const uint32_t bigCount = qxd::GetU32(bytes, groups[0] + 32);
  const uint32_t bigPairs = qxd::GetU32(bytes, groups[0] + 36);
  for (size_t g = 1; g < groups.size(); ++g) {
    qxd::PatchU32(&bytes, groups[g] + 32, bigCount);
    qxd::PatchU32(&bytes, groups[g] + 36, bigPairs);
  }
  Table t(bytes);
  ASSERT_EQ(t.Rows(), 31u);
  EXPECT_EQ(PairCount(&t.table[0]), 100u);
  size_t pairs = 0;
  for (size_t r = 0; r < t.Rows(); ++r) pairs += PairCount(&t.table[r]);
  EXPECT_LE(pairs * sizeof(ColorCommandPair), bytes.size());
}

}  // namespace
