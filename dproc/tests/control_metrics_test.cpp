// Number field widths and owner-drawn item colours.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "dproc/sheets/control_metrics.h"

namespace {

TEST(GetMaxDigitCount, LongerOfTheTwoAsSignedDecimals) {
  const int32_t values[] = {0, 9, 10, -1, -10, 99999, -2147483647 - 1, 2147483647};
  for (int32_t a : values) {
    for (int32_t b : values) {
      const size_t expected = std::max(std::to_string(a).size(), std::to_string(b).size());
      EXPECT_EQ(GetMaxDigitCount(a, b), static_cast<int>(expected)) << a << " " << b;
    }
  }
}

TEST(ItemBackgroundColor, ByStateAndControlKind) {
  struct Case {
    bool selected, disabled, listBox;
    int expected;
  };
  const Case cases[] = {
      {false, false, false, kColorWindow},     {false, false, true, kColorWindow},
      {true, false, false, kColorHighlight},   {true, false, true, kColorHighlight},
      {true, true, false, kColorInactiveCaption}, {true, true, true, kColorHighlight},
      {false, true, false, kColorButtonFace},  {false, true, true, kColorWindow},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ItemBackgroundColor(c.selected, c.disabled, c.listBox), c.expected)
        << c.selected << c.disabled << c.listBox;
  }
}

}  // namespace
