// The distribution number as printed and the pictures of the stamp colours.
#include <gtest/gtest.h>

#include <string>

#include "dproc/watermark/copy_protect_rules.h"

namespace {

TEST(DistributionNumber, EightDigitsOrTheDigitsNeeded) {
  EXPECT_EQ(DistributionNumberText(42, false), u"00000042");
  EXPECT_EQ(DistributionNumberText(42, true), u"42");
  EXPECT_EQ(DistributionNumberText(99999999, false), u"99999999");
  EXPECT_EQ(DistributionNumberText(1, true), u"1");
}

TEST(StampColours, EachValueHasItsPicture) {
  const int all[] = {1068, 1068, 1072, 1070, 1067, 1073, 1071, 1069, 1068};
  const int method[] = {0, 1068, 0, 0, 0, 0, 1071, 1069, 0};
  for (uint32_t v = 0; v <= 8; ++v) {
    EXPECT_EQ(StampColourBitmap(v), all[v]) << v;
    EXPECT_EQ(MethodPageColourBitmap(v), method[v]) << v;
  }
}

}  // namespace
