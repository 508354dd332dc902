// The stamp dialogs' rules without windows: the numbering's start range
// (kept within its signed 16-bit field) and the date/time format sample.
#include <gtest/gtest.h>

#include <string>

#include "dproc/overlay/stamp_rules.h"

namespace {

TEST(NumberingRange, TheModelsRangeIsKeptWithinTheSigned16BitField) {
  struct Case {
    uint16_t min, max;
    int32_t lowest, highest, digits;
  } cases[] = {
      {0, 0, 1, 9999, 4},         // no range named: 1 to 9999
      {1, 9999, 1, 9999, 4},
      {1, 32767, 1, 32767, 5},
      {1, 40000, 1, 32767, 5},    // would read as a negative number
      {1, 65535, 1, 32767, 5},
      {50000, 60000, 32767, 32767, 5},
      {200, 100, 100, 200, 3},    // ends swapped
      {5, 5, 5, 5, 1},
  };
  for (const Case& c : cases) {
    ModelInfo model{};
    model.startNumberMin = c.min;
    model.startNumberMax = c.max;
    const NumberingRange range = NumberingStartRangeOf(&model);
    EXPECT_EQ(range.lowest, c.lowest) << c.min << ".." << c.max;
    EXPECT_EQ(range.highest, c.highest) << c.min << ".." << c.max;
    EXPECT_LE(range.highest, 32767);
    EXPECT_EQ(NumberingDigits(range), c.digits) << c.min << ".." << c.max;
  }
  EXPECT_EQ(NumberingStartRangeOf(nullptr).highest, 9999);
}

std::u16string Sample(const char16_t* date, const char16_t* time, size_t capacity = 32) {
  char16_t out[64] = {u'?'};
  FormatStampSample(date, time, out, capacity);
  return out;
}

TEST(StampSample, TheFormatsLoseTheirOuterCharactersAndATrailingBlank) {
  EXPECT_EQ(Sample(u"(yyyy/mm/dd)", u"(hh:mm)"), u"yyyy/mm/dd hh:mm");
  EXPECT_EQ(Sample(u"(yyyy/mm/dd)", nullptr), u"yyyy/mm/dd");
  EXPECT_EQ(Sample(u"(yyyy/mm/dd)", u"()"), u"yyyy/mm/dd");
  EXPECT_EQ(Sample(u"x", u"(hh:mm)"), u" hh:mm");
  EXPECT_EQ(Sample(nullptr, nullptr), u"");
  // Cut to the capacity, always ended.
  EXPECT_EQ(Sample(u"(abcdefghij)", u"(klm)", 6), u"abcde");
  EXPECT_EQ(Sample(u"(abcd)", u"(klm)", 6), u"abcd");
  char16_t one[1] = {u'?'};
  FormatStampSample(u"(ab)", u"(cd)", one, 1);
  EXPECT_EQ(one[0], 0);
  FormatStampSample(u"(ab)", u"(cd)", nullptr, 8);
}

}  // namespace
