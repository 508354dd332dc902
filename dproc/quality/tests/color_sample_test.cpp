#include "dproc/quality/color_sample.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A bitmap of `width` x `height` at `bits` with `table` entries of
// (blue, green, red, 0) and rows of zero bytes.
std::vector<uint8_t> Dib(int32_t width, int32_t height, uint16_t bits, const std::vector<uint32_t>& table = {}) {
  const size_t stride = (size_t(width) * bits + 31) / 32 * 4;
  std::vector<uint8_t> b(40 + table.size() * 4 + stride * size_t(height < 0 ? -height : height), 0);
  const uint32_t header = 40, used = static_cast<uint32_t>(table.size());
  std::memcpy(&b[0], &header, 4);
  std::memcpy(&b[4], &width, 4);
  std::memcpy(&b[8], &height, 4);
  b[12] = 1;
  std::memcpy(&b[14], &bits, 2);
  std::memcpy(&b[32], &used, 4);
  for (size_t i = 0; i < table.size(); ++i) std::memcpy(&b[40 + 4 * i], &table[i], 4);
  return b;
}
uint32_t Grey(uint8_t level) { return level * 0x010101u; }
SampleDib View(std::vector<uint8_t>& b) { return {b.data(), b.size()}; }

// Four pixels of an 8-bit image, one of each grey: its median lightness is
// the first level at which more than half of the pixels are counted.
std::vector<uint8_t> FourGreys() {
  std::vector<uint8_t> b = Dib(4, 1, 8, {Grey(10), Grey(50), Grey(200), Grey(220)});
  for (uint8_t i = 0; i < 4; ++i) b[40 + 16 + i] = i;
  return b;
}

TEST(ColorSample, SliderValuesScaleToHundredsRoundedAndClamped) {
  const int32_t cases[][2] = {{0, 0}, {1, 11}, {4, 44}, {5, 56}, {9, 100}, {-9, -100}, {-5, -56}, {20, 100}, {-30, -100}};
  for (const auto& c : cases) EXPECT_EQ(ScaleSampleValue(c[0]), c[1]) << c[0];
}

TEST(ColorSample, HistogramCountsLightnessOfTableEntriesAndPixels) {
  uint32_t counts[256];
  std::vector<uint8_t> eight = FourGreys();
  ASSERT_TRUE(BuildLightnessHistogram(counts, View(eight)));
  EXPECT_EQ(counts[10] + counts[50] + counts[200] + counts[220], 4u);
  EXPECT_EQ(counts[200], 1u);

  // 24 bits: (max + min) / 2 rounded down, over padded rows.
  std::vector<uint8_t> rgb = Dib(1, 2, 24);
  const uint8_t pixels[2][3] = {{0, 100, 255}, {7, 8, 8}};  // blue, green, red
  std::memcpy(&rgb[40], pixels[0], 3);
  std::memcpy(&rgb[44], pixels[1], 3);
  ASSERT_TRUE(BuildLightnessHistogram(counts, View(rgb)));
  EXPECT_EQ(counts[127], 1u);
  EXPECT_EQ(counts[7], 1u);

  // Other depths count every pixel as black; no image gives nothing.
  std::vector<uint8_t> mono = Dib(9, 3, 1, {0, 0xFFFFFF});
  ASSERT_TRUE(BuildLightnessHistogram(counts, View(mono)));
  EXPECT_EQ(counts[0], 27u);
  std::vector<uint8_t> cut = FourGreys();
  cut.resize(cut.size() - 1);
  EXPECT_FALSE(BuildLightnessHistogram(counts, View(cut)));
  EXPECT_FALSE(BuildLightnessHistogram(counts, SampleDib{nullptr, 0}));
}

TEST(ColorSample, ToneCurvesAroundTheMedian) {
  std::vector<uint8_t> b = FourGreys();  // median 200
  uint8_t curve[768];
  // No change is the identity; brightness +100 lifts every level.
  BuildToneCurve(0, 0, View(b), curve);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(curve[i], i);
  BuildToneCurve(0, 100, View(b), curve);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(curve[512 + i], std::min(i + 100, 255)) << i;
  // Full contrast: black below the median, white from it on.
  BuildToneCurve(100, 0, View(b), curve);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(curve[256 + i], i < 200 ? 0 : 255) << i;
  // No contrast at all: every level is the median.
  BuildToneCurve(-100, 0, View(b), curve);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(curve[i], 200) << i;
  // Half contrast stretches 100..227 (half of 55 rounds up) to full scale.
  BuildToneCurve(50, 0, View(b), curve);
  EXPECT_EQ(curve[99], 0);
  EXPECT_EQ(curve[100], 0);
  EXPECT_EQ(curve[150], 100);  // 255 * 50 / 127 = 100.4
  EXPECT_EQ(curve[227], 255);
  EXPECT_EQ(curve[255], 255);
  // Without an image the median is 128.
  BuildToneCurve(-100, 0, SampleDib{nullptr, 0}, curve);
  EXPECT_EQ(curve[0], 128);
  EXPECT_EQ(curve[767], 128);
}

TEST(ColorSample, TheCurveMapsTheTableOrEveryPixelAndLeavesThePadding) {
  uint8_t curve[768];
  std::vector<uint8_t> eight = FourGreys();
  BuildToneCurve(0, 100, View(eight), curve);
  ApplyToneCurve(curve, View(eight));
  EXPECT_EQ(eight[40], 110);
  EXPECT_EQ(eight[40 + 4 * 2 + 2], 255);
  EXPECT_EQ(eight[40 + 16], 0);  // the pixels keep their indexes

  std::vector<uint8_t> rgb = Dib(1, 2, 24);
  rgb[40] = 1, rgb[41] = 2, rgb[42] = 3, rgb[43] = 9;
  ApplyToneCurve(curve, View(rgb));
  EXPECT_EQ(std::vector<uint8_t>(rgb.begin() + 40, rgb.end()), (std::vector<uint8_t>{101, 102, 103, 9, 100, 100, 100, 0}));

  std::vector<uint8_t> four = Dib(2, 2, 4, {Grey(5)});
  const std::vector<uint8_t> before = four;
  ApplyToneCurve(curve, View(four));
  EXPECT_EQ(four, before);
}

TEST(ColorSample, HexconeHueSaturationAndValue) {
  struct Case {
    uint8_t r, g, b;
    double hue, saturation;
  } cases[] = {
      {255, 0, 0, 0, 255},     {0, 255, 0, 120, 255},    {0, 0, 255, 240, 255}, {200, 100, 50, 20, 191.25},
      {50, 100, 200, 220, 191.25}, {100, 200, 50, 100, 191.25}, {80, 80, 80, 0, 0},    {0, 0, 0, 0, 0},
      {200, 50, 100, 340, 191.25},
  };
  for (const Case& c : cases) {
    const SampleHsv hsv = SampleRgbToHsv(c.r, c.g, c.b);
    EXPECT_DOUBLE_EQ(hsv.hue, c.hue) << int(c.r) << "," << int(c.g) << "," << int(c.b);
    EXPECT_DOUBLE_EQ(hsv.saturation, c.saturation);
    uint8_t r, g, b;
    SampleHsvToRgb(hsv, &r, &g, &b);
    EXPECT_NEAR(r, c.r, 1);
    EXPECT_NEAR(g, c.g, 1);
    EXPECT_NEAR(b, c.b, 1);
  }
}

TEST(ColorSample, ChromaChangesSaturationInBothModels) {
  EXPECT_DOUBLE_EQ(HsvSaturationAfter(100, 50), 177.5);
  EXPECT_DOUBLE_EQ(HsvSaturationAfter(100, -50), 50);
  EXPECT_DOUBLE_EQ(HsvSaturationAfter(100, -100), 0);
  EXPECT_EQ(HlsSaturationAfter(120, 50), 180);
  EXPECT_EQ(HlsSaturationAfter(120, -50), 60);
  EXPECT_EQ(HlsSaturationAfter(120, -100), 1);
  EXPECT_EQ(HlsSaturationAfter(240, 100), 240);

  // (200, 100, 50): fully saturated keeps hue 20, value 200; no chroma is grey.
  uint8_t table[8] = {50, 100, 200, 7, 50, 100, 200, 7};
  ChangeTableSaturationHsv(table, 1, 100);
  ChangeTableSaturationHsv(table + 4, 1, -100);
  EXPECT_EQ(std::vector<uint8_t>(table, table + 8), (std::vector<uint8_t>{0, 66, 200, 0, 200, 200, 200, 0}));
}

}  // namespace
