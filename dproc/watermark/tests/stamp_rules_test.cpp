// The numbering's start range, kept within its signed 16-bit field.
#include <gtest/gtest.h>

#include "dproc/watermark/stamp_rules.h"

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

}  // namespace
