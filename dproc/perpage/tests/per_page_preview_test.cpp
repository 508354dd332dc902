// The geometry of the per-page pictures.
#include <gtest/gtest.h>

#include "common/records/inter_sheet_rules.h"
#include "dproc/perpage/per_page_preview.h"

namespace {

TEST(PerPagePreview, ALongTabFillsMostOfTheHeightWithItsMargins) {
  const TabSettings tab = DefaultTabSettings();  // five tabs of 378
  const TabSchematic s = FitTabSchematic(tab, 12, 157);
  ASSERT_TRUE(s.drawn);
  EXPECT_LE(s.tab + 2 * (30 * s.tab / 378 + 20 * s.tab / 378), 157);
  EXPECT_GT(s.tab, 100);
  EXPECT_EQ(s.strip, 157 * s.tab / 378);
  EXPECT_EQ(s.fontHeight, 42 * s.tab / 378) << "12 points are 42 tenths of a millimetre";
}

TEST(PerPagePreview, AShortTabIsDrawnToTheReferenceScaleThenFitted) {
  TabSettings tab = DefaultTabSettings();
  tab.tabCount = 15;  // tabs of 59
  const TabSchematic s = FitTabSchematic(tab, 12, 157);
  ASSERT_TRUE(s.drawn);
  const TabSchematic reference = FitTabSchematic(DefaultTabSettings(), 12, 157);
  EXPECT_LT(s.tab, reference.tab);
  EXPECT_LE(s.tab + 2 * (30 * s.tab / 59 + 20 * s.tab / 59), 157);
}

// Every fit ends, and what cannot be drawn is not.
TEST(PerPagePreview, NothingIsDrawnWithoutFontTabsOrRoom) {
  TabSettings tab = DefaultTabSettings();
  EXPECT_FALSE(FitTabSchematic(tab, 0, 157).drawn);
  EXPECT_FALSE(FitTabSchematic(tab, 0xFFFFFFFF, 157).drawn) << "a damaged size";
  EXPECT_FALSE(FitTabSchematic(tab, 12, 0).drawn);
  tab.height = 0;
  EXPECT_FALSE(FitTabSchematic(tab, 12, 157).drawn);
  tab = {1, 2100, 2970, 1860, 15, 50, 50, 14, 0};  // legal values whose tabs do not fit
  EXPECT_FALSE(FitTabSchematic(tab, 12, 157).drawn);
  tab = {1, 2100, 2970, 1860, 15, 50, 50, 13, 0};  // tabs of one millimetre
  const TabSchematic tiny = FitTabSchematic(tab, 32, 157);
  EXPECT_LE(tiny.tab + 2 * (30.0 * tiny.tab / 10 + 20.0 * tiny.tab / 10), 157);
}

TEST(PerPagePreview, StapleCodesPictureTheDocumentsStapleModes) {
  const uint8_t expected[] = {1, 2, 3, 4, 3, 4, 5, 6, 7, 8};
  for (uint16_t code = 257; code <= 266; ++code) EXPECT_EQ(PreviewStapleMode(code), expected[code - 257]) << code;
  for (uint16_t code : {0, 255, 256, 267}) EXPECT_EQ(PreviewStapleMode(code), 0) << code;
}

TEST(PerPagePreview, CaptionLinesByDirectionAndPlace) {
  const TabRect r = {0, 0, 40, 100};
  struct Case {
    uint32_t orientation, vert, horz;
    int32_t i;
    CaptionPlace expected;
  } cases[] = {
      {1, 0, 0, 0, {0, 5, CaptionAlign::kRight}},
      {1, 1, 1, 1, {20 - (10 - 10), 50, CaptionAlign::kCentre}},
      {1, 1, 1, 0, {20 - 10, 50, CaptionAlign::kCentre}},
      {1, 2, 2, 0, {40 - 20, 95, CaptionAlign::kLeft}},
      {0, 0, 0, 0, {20, 5, CaptionAlign::kLeft}},
      {2, 1, 1, 0, {20 + 10, 50, CaptionAlign::kCentre}},
      {0, 2, 2, 1, {30, 95, CaptionAlign::kRight}},
  };
  for (const Case& c : cases) {
    const CaptionPlace p = PlaceCaptionLine(r, c.orientation, c.vert, c.horz, c.i, 2, 10, 5);
    EXPECT_EQ(p.x, c.expected.x) << c.orientation << c.vert << c.horz << c.i;
    EXPECT_EQ(p.y, c.expected.y) << c.orientation << c.vert << c.horz << c.i;
    EXPECT_EQ(p.align, c.expected.align) << c.orientation << c.vert << c.horz << c.i;
  }
}

}  // namespace
