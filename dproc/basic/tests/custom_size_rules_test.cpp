// The custom size's arithmetic over the model limits of the sample model
// (width 139.4 to 431.8 mm): shown limits, range labels, what a typed text
// stores with and without clamp, and the texts of the range message.
#include <gtest/gtest.h>

#include <string>

#include "dproc/basic/custom_size_rules.h"

namespace {

constexpr int32_t kMin = 1394, kMax = 4318;
constexpr CustomSizeView kMm = {kCustomUnitMm, false}, kMmFine = {kCustomUnitMm, true};
constexpr CustomSizeView kInch = {kCustomUnitInch, false}, kInchFine = {kCustomUnitInch, true};

std::u16string Label(const CustomSizeView& v, int32_t lo = kMin, int32_t hi = kMax) {
  char16_t out[64] = {};
  FormatRangeLabel(v, lo, hi, out, 64);
  return out;
}

TEST(CustomSizeRules, RangeLabelsAndEditLimitsPerUnit) {
  EXPECT_EQ(Label(kMm), u"mm [139...432]");
  EXPECT_EQ(Label(kMmFine), u"mm [139.4...431.8]");
  EXPECT_EQ(Label(kInch), u"inch [5.49...17.00]");
  EXPECT_EQ(Label(kInchFine), u"inch [5.489...17.000]");
  EXPECT_EQ(EditTextLimit(kMm, kMin, kMax), 3u);
  EXPECT_EQ(EditTextLimit(kInch, kMin, kMax), 5u);
  int32_t lo = 0, hi = 0;
  ShownLimits(kInch, kMin, kMax, &lo, &hi);
  EXPECT_EQ(lo, 549) << "the inch minimum rounds up";
  EXPECT_EQ(hi, 1700) << "the inch maximum rounds down";
}

struct ReadCase {
  CustomSizeView view;
  const char16_t* text;
  bool clamp;
  bool stored;
  int32_t tenths;
  uint32_t inch;
};

TEST(CustomSizeRules, TypedTextsStoreTenthsAndInchUnits) {
  const ReadCase cases[] = {
      {kMm, u"139", false, true, 1394, 549},     // the shown minimum is the model's exact minimum
      {kMm, u"432", false, true, 4318, 1700},    // and the shown maximum its exact maximum
      {kMm, u"210", false, true, 2100, 827},
      {kMm, u"138", false, false, 0, 0},         // below: not stored while typing
      {kMm, u"138", true, true, 1394, 549},      // clamped on a unit change
      {kMm, u"500", true, true, 4318, 1700},
      {kMm, u"", true, false, 0, 0},             // an empty text stores nothing
      {kMmFine, u"210.5", false, true, 2105, 8287},
      {kMmFine, u"139.3", false, false, 0, 0},
      {kInch, u"8.27", false, true, 2101, 827},
      {kInch, u"5.48", false, false, 0, 0},
      {kInch, u"5.48", true, true, 1394, 549},   // clamped to the inch minimum, tenths from it
      {kInch, u"17.01", true, true, 4318, 1700},
      {kInchFine, u"8.268", false, true, 2100, 8268},
  };
  for (const ReadCase& c : cases) {
    int32_t tenths = 0;
    uint32_t inch = 0;
    SCOPED_TRACE(std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text)));
    EXPECT_EQ(ReadShownText(c.view, c.text, kMin, kMax, c.clamp, &tenths, &inch), c.stored);
    EXPECT_EQ(tenths, c.tenths);
    EXPECT_EQ(inch, c.inch);
  }
}

TEST(CustomSizeRules, MillimetresToInchUnitsAndBackToTheShownText) {
  EXPECT_EQ(TenthsToInchUnits(2100, false), 827);
  EXPECT_EQ(TenthsToInchUnits(2100, true), 8268);
  // What each unit shows of the same stored size, and that reading the
  // shown text back gives a value within one step of it.
  struct Case {
    CustomSizeView view;
    const char16_t* shown;
  } cases[] = {{kMm, u"210"}, {kMmFine, u"210.0"}, {kInch, u"8.27"}, {kInchFine, u"8.268"}};
  for (const Case& c : cases) {
    const uint32_t inch = static_cast<uint32_t>(TenthsToInchUnits(2100, c.view.fine));
    char16_t text[24] = {};
    FormatShownValue(c.view, ShownValue(c.view, 2100, inch), text, 24);
    EXPECT_EQ(std::u16string(text), c.shown);
    int32_t tenths = 0;
    uint32_t back = 0;
    ASSERT_TRUE(ReadShownText(c.view, text, kMin, kMax, false, &tenths, &back));
    EXPECT_NEAR(tenths, 2100, 1);
    EXPECT_EQ(ShownValueOfText(c.view, text), ShownValue(c.view, 2100, inch));
  }
}

TEST(CustomSizeRules, RangeMessageLimitTexts) {
  struct Case {
    CustomSizeView view;
    int32_t lo, hi;
    const char16_t* min;
    const char16_t* max;
  } cases[] = {
      {kMm, kMin, kMax, u"139(139.4)", u"432(431.8)"},  // rounded limits outside the exact ones
      {kMm, 1390, 4320, u"139", u"432"},
      {kMm, 1386, 4324, u"139", u"432"},                // rounded limits inside: plain numbers
      {kMmFine, kMin, kMax, u"139.4", u"431.8"},
      {kInch, kMin, kMax, u"5.49", u"17.00"},
      {kInchFine, kMin, kMax, u"5.489", u"17.000"},
  };
  for (const Case& c : cases) {
    char16_t min[32] = {}, max[32] = {};
    FormatMessageLimits(c.view, c.lo, c.hi, min, max, 32);
    EXPECT_EQ(std::u16string(min), c.min);
    EXPECT_EQ(std::u16string(max), c.max);
  }
}

}  // namespace
