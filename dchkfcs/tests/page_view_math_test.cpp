// The check window's zoom steps, typed zoom, fit zoom, page layout,
// scrolling and mouse wheel.
#include <gtest/gtest.h>

#include "dchkfcs/view/page_view_math.h"

namespace {

TEST(CheckZoomSteps, InAndOutAlongTheList) {
  struct Case {
    int32_t zoom, in, out;
  };
  const Case cases[] = {{120, 150, 100}, {500, 0, 200}, {10, 25, 0},  {100, 150, 75},
                        {250, 500, 200}, {11, 25, 10},  {501, 0, 500}, {9, 10, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(CheckZoomIn(c.zoom), c.in) << c.zoom;
    EXPECT_EQ(CheckZoomOut(c.zoom), c.out) << c.zoom;
  }
}

TEST(CheckZoomSteps, TypedZoom) {
  struct Case {
    const char16_t* text;
    int32_t zoom;
  };
  const Case cases[] = {{u"250", 250}, {u" 10 ", 10}, {u"500", 500}, {u"5", 0},     {u"501", 0},
                        {u"abc", 0},   {u"", 0},      {u"25%", 0},   {u"-50", 0},   {u"99999999999999999999", 0},
                        {u"0100", 100}};
  for (const Case& c : cases) EXPECT_EQ(ParseCheckZoom(c.text), c.zoom);
  EXPECT_EQ(ParseCheckZoom(nullptr), 0);
}

TEST(CheckFitMode, ToggleBetweenModeAndFreeZoom) {
  EXPECT_EQ(ToggleFitMode(kFitWholePage, kFitWholePage), kFitFree);
  EXPECT_EQ(ToggleFitMode(kFitFree, kFitWholePage), kFitWholePage);
  EXPECT_EQ(ToggleFitMode(kFitWholePage, kFitWholeWidth), kFitWholeWidth);
  EXPECT_EQ(ToggleFitMode(kFitWholeWidth, kFitWholeWidth), kFitFree);
}

TEST(CheckFitZoom, ByModeWithClamps) {
  struct Case {
    int32_t mode, zoom, cw, ch, pw, ph, expected;
  };
  const Case cases[] = {
      {kFitFree, 250, 100, 100, 800, 1100, 250},
      {kFitWholePage, 100, 821, 2221, 800, 1100, 100},   // width limits: (821-21)*100/800
      {kFitWholePage, 100, 1621, 571, 800, 1100, 50},    // height limits: 550*100/1100
      {kFitWholeWidth, 100, 1621, 571, 800, 1100, 200},  // height does not count
      {kFitWholePage, 100, 100, 100, 800, 1100, 10},     // too small: 10
      {kFitWholePage, 100, 20, 20, 800, 1100, 10},       // narrower than the margin
      {kFitWholeWidth, 100, 8021, 100, 800, 1100, 500},  // too large: 500
      {kFitWholeWidth, 100, -821, 100, 800, 1100, 100},  // sizes taken as absolute values
      {kFitWholePage, 77, 800, 800, 0, 1100, 100},       // a page without width: 100
      {kFitWholeWidth, 77, 800, 800, 800, 0, 100},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckFitZoom(c.mode, c.zoom, c.cw, c.ch, c.pw, c.ph), c.expected)
        << c.mode << " " << c.cw << "x" << c.ch;
  }
}

TEST(CheckPageLayout, CentredInFitModesAndInsetInFreeZoom) {
  const CheckPageLayout fit = CheckLayoutPage(kFitWholePage, 50, 801, 1101, 0, 0, 700);
  EXPECT_EQ(fit.width, 401);   // 400.5 rounds up
  EXPECT_EQ(fit.height, 551);
  EXPECT_EQ(fit.left, 350 - 200);
  EXPECT_EQ(fit.top, 8);
  EXPECT_EQ(fit.right, fit.left + 401);
  EXPECT_EQ(fit.bottom, 8 + 551);
  EXPECT_EQ(fit.extentX, 421);
  EXPECT_EQ(fit.extentY, 571);
  const CheckPageLayout free = CheckLayoutPage(kFitFree, 500, 800, 1100, 0, 0, 700);
  EXPECT_EQ(free.width, 4000);
  EXPECT_EQ(free.height, 5500);
  EXPECT_EQ(free.left, 8);
  EXPECT_EQ(free.top, 8);
  EXPECT_EQ(free.extentX, 4020);
  const CheckPageLayout same = CheckLayoutPage(kFitFree, 100, 800, 1100, 0, 0, 700);
  EXPECT_EQ(same.width, 800);
  EXPECT_EQ(same.height, 1100);
}

TEST(CheckScroll, TargetsAndLimits) {
  // Range 0..1020 with a page of 300: positions 0..720.
  struct Case {
    int32_t request, pos, thumb, expected;
  };
  const Case cases[] = {
      {kScrollLineUp, 100, 0, 90},       {kScrollLineUp, 5, 0, 0},          {kScrollLineDown, 100, 0, 110},
      {kScrollLineDown, 715, 0, 720},    {kScrollPageUp, 400, 0, 100},      {kScrollPageUp, 200, 0, 0},
      {kScrollPageDown, 400, 0, 700},    {kScrollPageDown, 500, 0, 720},    {kScrollThumbTrack, 0, 333, 333},
      {kScrollThumbPosition, 0, 900, 720}, {kScrollThumbTrack, 0, 0x10005, 5}, {kScrollTop, 500, 0, 0},
      {kScrollBottom, 0, 0, 720},        {kScrollEnd, 123, 0, 123},         {99, 456, 0, 456},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckScrollTarget(c.request, c.pos, 0, 1020, 300, c.thumb), c.expected) << c.request << " " << c.pos;
  }
  // A page larger than the range: the position stays at the minimum.
  EXPECT_EQ(CheckScrollTarget(kScrollLineDown, 0, 0, 100, 400, 0), 0);
  // Extremes do not overflow.
  EXPECT_EQ(CheckScrollTarget(kScrollLineDown, INT32_MAX, 0, INT32_MAX, 0, 0), INT32_MAX);
  EXPECT_EQ(CheckScrollTarget(kScrollPageUp, INT32_MIN + 5, INT32_MIN, 0, 100, 0), INT32_MIN);
}

TEST(CheckWheel, NotchesToLineScrolls) {
  struct Case {
    int16_t delta;
    int32_t count;
    bool down;
  };
  const Case cases[] = {{-120, 2, true}, {120, 2, false}, {60, 0, false}, {-60, 0, true}, {0, 0, true},
                        {-360, 6, true}, {250, 4, false}, {-32768, 546, true}, {32767, 546, false}};
  for (const Case& c : cases) {
    const CheckWheelScroll w = CheckWheelLines(c.delta);
    EXPECT_EQ(w.count, c.count) << c.delta;
    if (w.count) {
      EXPECT_EQ(w.down, c.down) << c.delta;
    }
  }
}

}  // namespace
