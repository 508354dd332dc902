// Numeric conversions of the encoder: decimal texts, millionths to IEEE
// singles (checked exactly against the rational value), the integer
// hypotenuse and the raster-operation table.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <random>

#include "drender/pclxl/pclxl_numeric.h"

namespace {

TEST(ParseDecimal, ReadsDigitsByPositionFromTheEnd) {
  struct Case {
    const char* text;
    uint32_t value;
  };
  const Case cases[] = {
      {"1200", 1200},
      {"12 3", 1203},  // the blank counts as 0 and keeps its position
      {"", 0},
      {"0", 0},
      {"4294967295", 0xFFFFFFFFu},
      {"0000000000001200", 1200},  // leading zeros beyond ten places add nothing
      {"4294967296", 0xFFFFFFFFu},   // saturates instead of wrapping
      {"9999999999", 0xFFFFFFFFu},
      {"10000000000", 0xFFFFFFFFu},  // an eleventh digit
  };
  for (const Case& c : cases) EXPECT_EQ(Rdc_ParseDecimal(c.text), c.value) << c.text;
  EXPECT_EQ(Rdc_ParseDecimal(nullptr), 0u);
  EXPECT_EQ(Rdc_ParseDecimalN("12345", 3), 123u);
}

float FromBits(uint32_t bits) {
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

// The result must be the smallest single whose magnitude is not below
// |v| / 1,000,000.  Products of a single and 10^6 are exact in a double.
void ExpectCeiling(int32_t v) {
  uint32_t bits = Rdc_MillionthsToReal32(v);
  double target = std::fabs(static_cast<double>(v));
  float f = FromBits(bits);
  ASSERT_EQ(std::signbit(f), v < 0) << v;
  double magnitude = std::fabs(static_cast<double>(f)) * 1e6;
  ASSERT_GE(magnitude, target) << v << " gave " << std::hex << bits;
  double below = std::fabs(static_cast<double>(FromBits(bits - 1))) * 1e6;
  ASSERT_LT(below, target) << v << " gave " << std::hex << bits << ": more than one unit above";
}

TEST(MillionthsToReal32, GivesTheExamples) {
  EXPECT_EQ(Rdc_MillionthsToReal32(1000000), 0x3F800000u);
  EXPECT_EQ(Rdc_MillionthsToReal32(500000), 0x3F000000u);
  EXPECT_EQ(Rdc_MillionthsToReal32(-2000000), 0xC0000000u);
  EXPECT_EQ(Rdc_MillionthsToReal32(0), 0u);
  EXPECT_EQ(Rdc_MillionthsToReal32(15625), 0x3C800000u);  // 2^-6, exact
}

TEST(MillionthsToReal32, IsNeverBelowTheValueAndAtMostOneUnitAbove) {
  for (int32_t v = -2000000; v <= 2000000; ++v) {
    if (v != 0) ExpectCeiling(v);
  }
  std::mt19937 random(12345);
  std::uniform_int_distribution<int32_t> any(INT_MIN, INT_MAX);
  for (int i = 0; i < 200000; ++i) {
    int32_t v = any(random);
    if (v != 0) ExpectCeiling(v);
  }
  for (int32_t v : {INT_MAX, INT_MIN, INT_MIN + 1, 1, -1, 999999, 1000001}) ExpectCeiling(v);
}

TEST(Hypot, GivesTheSmallestWholeRootNotBelow) {
  EXPECT_EQ(Rdc_Hypot(3, 4), 5u);
  EXPECT_EQ(Rdc_Hypot(1, 1), 2u);
  EXPECT_EQ(Rdc_Hypot(0, -7), 7u);
  EXPECT_EQ(Rdc_Hypot(-9, 0), 9u);
  EXPECT_EQ(Rdc_Hypot(0, 0), 0u);
  EXPECT_EQ(Rdc_Hypot(INT_MIN, INT_MIN), 3037000500u);  // ceil(sqrt(2^63))
  EXPECT_EQ(Rdc_Hypot(INT_MAX, 0), static_cast<uint32_t>(INT_MAX));
  for (int64_t a = -60; a <= 60; ++a) {
    for (int64_t b = -60; b <= 60; ++b) {
      int64_t sum = a * a + b * b;
      int64_t r = 0;
      while (r * r < sum) ++r;
      ASSERT_EQ(Rdc_Hypot(static_cast<int32_t>(a), static_cast<int32_t>(b)), r) << a << "," << b;
    }
  }
}

TEST(SwapBytes32, ReversesTheBytes) {
  EXPECT_EQ(Rdc_SwapBytes32(0x12345678u), 0x78563412u);
  EXPECT_EQ(Rdc_SwapBytes32(0xFF000001u), 0x010000FFu);
}

TEST(Rop2ToRop3, MapsTheSixteenMixModes) {
  const uint32_t expected[17] = {0,          0x00000042, 0x000500A9, 0x000A0329, 0x000F0001,
                                 0x00500325, 0x00550009, 0x005A0049, 0x005F00E9, 0x00A000C9,
                                 0x00A50065, 0x00AA0029, 0x00AF0229, 0x00F00021, 0x00F50225,
                                 0x00FA0089, 0x00FF0062};
  for (int32_t rop2 = 1; rop2 <= 16; ++rop2) {
    uint32_t code = Rdc_Rop2ToRop3(rop2);
    EXPECT_EQ(code, expected[rop2]) << rop2;
    // The ROP3 is the mix mode applied to the pattern (0xF0) and the
    // destination (0xAA): mix mode m sets bit (p*2+d) of (m - 1).
    uint32_t rop3 = 0;
    for (uint32_t bit = 0; bit < 8; ++bit) {
      uint32_t pen = (0xF0 >> bit) & 1;
      uint32_t dest = (0xAA >> bit) & 1;
      uint32_t result = ((rop2 - 1) >> (pen * 2 + dest)) & 1;
      rop3 |= result << bit;
    }
    EXPECT_EQ((code >> 16) & 0xFF, rop3) << rop2;
  }
  EXPECT_EQ(Rdc_Rop2ToRop3(0), 0xFFFFFFFFu);
  EXPECT_EQ(Rdc_Rop2ToRop3(17), 0xFFFFFFFFu);
  EXPECT_EQ(Rdc_Rop2ToRop3(-1), 0xFFFFFFFFu);
}

}  // namespace
