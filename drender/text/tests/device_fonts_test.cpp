// The resident faces loaded from the font library's generated records,
// damaged records, and the glyph advances GDI's queries are answered with.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "drender/text/device_font_data.h"
#include "drender/text/device_fonts.h"

namespace {

std::vector<uint8_t> Record(uint32_t number) {
  char name[32];
  std::snprintf(name, sizeof name, "/f259_%03u.bin", number);
  std::ifstream in(std::string(FONT_RECORDS_DIR) + name, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

DeviceFontEntry Load(uint32_t number) {
  const std::vector<uint8_t> record = Record(number);
  DeviceFontEntry entry;
  EXPECT_TRUE(DeviceFont_Load(record.data(), uint32_t(record.size()), number, &entry)) << number;
  return entry;
}

TEST(DeviceFonts, NamesSimulationAndSymbolSetsOfTheResidentFaces) {
  struct Case {
    uint32_t number;
    const char* xlName;
    uint8_t bold, italic;
    uint16_t symbolSet;
    uint8_t charset;
    bool fixed;
    const char16_t* family;
  } cases[] = {
      {1, "ITCAvantGard  Bk", 0, 0, 629, 0, false, u"ITC AvantGarde Book"},
      {2, "ITCAvantGard  Db", 0, 0, 629, 0, false, u"ITC AvantGarde Book"},
      {6, "Albertus      Xb", 1, 0, 629, 0, false, u"Albertus Extra"},
      {16, "AntiqOlive    Bd", 1, 1, 629, 0, false, u"Antique Olive"},
      {17, "Arial           ", 0, 0, 629, 0, false, u"Arial"},
      {41, "Courier         ", 0, 0, 629, 0, true, u"Courier"},
      {64, "LetterGothic  It", 1, 0, 629, 0, true, u"Letter Gothic"},
      {77, "Symbol          ", 0, 0, 621, 2, false, u"Symbol"},
      {103, "Wingdings       ", 0, 1, 18540, 2, false, u"Wingdings"},
      {107, "ZapfChanceryMdIt", 0, 0, 629, 0, false, u"ITC Zapf Chancery"},
      {110, "ZapfDingbats    ", 1, 0, 460, 2, false, u"ITC Zapf Dingbats"},
      {113, "HGGothicB       ", 0, 0, 619, 128, true, u"HGGothic-Bold"},
      {118, "HGPGothicB      ", 1, 0, 619, 128, false, u"HGPGothic-Bold"},
  };
  for (const Case& c : cases) {
    const DeviceFontEntry e = Load(c.number);
    ASSERT_TRUE(e.Loaded()) << c.number;
    EXPECT_STREQ(e.xlName, c.xlName) << c.number;
    EXPECT_EQ(e.boldSimulated, c.bold) << c.number;
    EXPECT_EQ(e.italicSimulated, c.italic) << c.number;
    EXPECT_EQ(e.symbolSet, c.symbolSet) << c.number;
    EXPECT_EQ(e.ifi.charset, c.charset) << c.number;
    EXPECT_EQ(e.widths.empty(), c.fixed) << c.number;
    EXPECT_EQ(e.ifi.family, c.family) << c.number;  // plain, also for symbol faces
  }
}

TEST(DeviceFonts, EveryFaceLoadsWithWidthsInsideItsRecord) {
  for (uint32_t n = 1; n <= kResidentFontCount; ++n) {
    const DeviceFontEntry e = Load(n);
    ASSERT_TRUE(e.Loaded()) << n;
    EXPECT_EQ(e.ifi.unitsPerEm, 2048) << n;
    const uint32_t flInfo = e.widths.empty() ? (e.ifi.charset == 128 ? 0x10482038u : 0x483038u) : 0x82038u;
    EXPECT_EQ(e.ifi.flInfo, flInfo) << n;
    EXPECT_EQ(e.ifi.weight, (n % 4 == 2 || n % 4 == 0) ? 8 : 5) << n;  // 700 or 400
    if (!e.widths.empty()) {
      EXPECT_EQ(e.widths.size(), size_t(e.ifi.lastChar - e.ifi.firstChar + 2)) << n;
      EXPECT_EQ(e.widths.back(), 0) << n;
      EXPECT_GT(DeviceFont_Width(e, 'W'), DeviceFont_Width(e, 'i')) << n;
      // A code below the first character takes the default character's width.
      EXPECT_EQ(DeviceFont_Width(e, 0x05), DeviceFont_Width(e, '.')) << n;
    }
  }
}

TEST(DeviceFonts, DamagedRecordsLeaveTheEntryWithItsSymbolSetOnly) {
  const std::vector<uint8_t> good = Record(17);
  ASSERT_FALSE(good.empty());
  const auto put32 = [](std::vector<uint8_t>* r, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) (*r)[at + i] = uint8_t(v >> (8 * i));
  };
  std::vector<std::pair<const char*, std::vector<uint8_t>>> cases;
  auto r = good;
  put32(&r, 8, 0xFFFFFF00u);
  cases.push_back({"metrics offset", r});
  r = good;
  put32(&r, 60, 0x7FFFFFFFu);
  cases.push_back({"metrics size", r});
  r = good;
  put32(&r, 60 + 8, 0xFFFFu);
  cases.push_back({"family name offset", r});
  cases.push_back({"cut", std::vector<uint8_t>(good.begin(), good.begin() + 100)});
  for (const auto& [what, bytes] : cases) {
    DeviceFontEntry e;
    EXPECT_FALSE(DeviceFont_Load(bytes.data(), uint32_t(bytes.size()), 17, &e)) << what;
    EXPECT_FALSE(e.Loaded()) << what;
    EXPECT_EQ(e.symbolSet, 629) << what;
  }
  // A width table running past the record: the face loads without widths.
  r = good;
  put32(&r, 20, uint32_t(r.size() - 10));
  DeviceFontEntry e;
  EXPECT_TRUE(DeviceFont_Load(r.data(), uint32_t(r.size()), 17, &e));
  EXPECT_TRUE(e.widths.empty());
}

}  // namespace

namespace {

TEST(DeviceFontData, AdvancesScaleTheWidthTableUnderTheTransform) {
  const DeviceFontEntry arial = Load(17);
  const DeviceFontEntry courier = Load(41);
  const FontTransform t{0.02f, 0, 0, 0.02f};  // 2048 units: about 41 pixels
  DeviceGlyphData d;
  DeviceFont_GlyphData(arial, t, 'W', &d);
  const uint16_t w = DeviceFont_Advance(arial, 'W');
  EXPECT_EQ(w, arial.widths['W' - arial.ifi.firstChar]);
  // 4096 x 0.02 = 81.92 pixels per 4096 units; the advance rounded to a pixel.
  const int32_t expected = int32_t(((int64_t(std::llround(4096 * 0.02 * 16)) * w >> 12) + 8) & ~15);
  EXPECT_EQ(d.fxD, expected);
  EXPECT_EQ(d.fxAB, d.fxD);
  EXPECT_EQ(d.fxD % 16, 0);
  EXPECT_EQ(d.ptqDy, 0);
  EXPECT_GT(d.fxInkTop, 0);
  EXPECT_LT(d.fxInkBottom, 0);
  // Below the first character: the default character's width.
  EXPECT_EQ(DeviceFont_Advance(arial, 0x05), DeviceFont_Advance(arial, '.'));
  // Fixed pitch and codes above 255: the average width.
  EXPECT_EQ(DeviceFont_Advance(courier, 'W'), DeviceFont_Advance(courier, 'i'));
  EXPECT_EQ(DeviceFont_Advance(arial, 0x3042), DeviceFont_Advance(arial, 0x3043));
}

// The stored glyph set image: runs of 16 bytes, then the handles; an image
// shorter than its runs and handles say gives no set.
TEST(DeviceGlyphSets, TheImageBecomesASetOfThisBuildAndADamagedOneNone) {
  std::vector<uint8_t> image(16);
  const auto put32 = [&](size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) image[at + k] = uint8_t(v >> (8 * k));
  };
  put32(8, 5);
  put32(12, 2);
  const uint16_t runs[2][2] = {{0x41, 3}, {0x3042, 2}};
  for (const auto& run : runs) {
    const uint8_t bytes[16] = {uint8_t(run[0]), uint8_t(run[0] >> 8), uint8_t(run[1]), 0};
    image.insert(image.end(), bytes, bytes + 16);
  }
  for (const uint32_t handle : {0x41u, 0x42u, 0x43u, 0x82a0u, 0x82a2u}) {
    image.resize(image.size() + 4);
    put32(image.size() - 4, handle);
  }
  GlyphSetBlock block;
  ASSERT_TRUE(GlyphSet_FromImage(image.data(), image.size(), &block));
  const GlyphSet* set = GlyphSetOf(block);
  ASSERT_NE(set, nullptr);
  EXPECT_EQ(set->flAccel, kGlyphSetUnicodeHandles);
  EXPECT_EQ(set->cGlyphsSupported, 5u);
  ASSERT_EQ(set->cRuns, 2u);
  EXPECT_EQ(set->awcrun[0].phg[2], 0x43u);
  EXPECT_EQ(set->awcrun[1].wcLow, 0x3042);
  EXPECT_EQ(set->awcrun[1].phg[1], 0x82a2u);
  GlyphSetBlock copy;
  ASSERT_TRUE(GlyphSet_Copy(set, &copy));
  EXPECT_EQ(GlyphSetOf(copy)->awcrun[1].phg[0], 0x82a0u);
  EXPECT_NE(GlyphSetOf(copy)->awcrun[1].phg, set->awcrun[1].phg) << "the copy has handles of its own";
  for (const size_t cut : {size_t(0), size_t(15), size_t(16 + 31), image.size() - 1}) {
    EXPECT_FALSE(GlyphSet_FromImage(image.data(), cut, &block)) << cut;
    EXPECT_EQ(GlyphSetOf(block), nullptr);
  }
  put32(12, 0x10000000);  // more runs than bytes
  EXPECT_FALSE(GlyphSet_FromImage(image.data(), image.size(), &block));
}

}  // namespace
