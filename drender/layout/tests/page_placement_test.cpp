// Zoom, fit, centring, binding and image shifts of a page.
#include "drender/layout/page_placement.h"

#include <gtest/gtest.h>

namespace {

BindingFrame A4Portrait() {
  BindingFrame f{};
  f.printableWidthTenths = 2000;
  f.printableHeightTenths = 2800;
  f.printableWidthDots = 4760;
  f.printableHeightDots = 6800;
  f.resolutionX = f.resolutionY = 600;
  return f;
}

TEST(PageScale, ZoomValueAndItsZero) {
  EXPECT_EQ(Page_DirectScale(false, 50, 100, 0), 500000);
  EXPECT_EQ(Page_DirectScale(false, 200, 100, 0), 2000000);
  EXPECT_EQ(Page_DirectScale(false, 100, 70, 0), 1420000);  // 100 x 100 div 70 = 142
  EXPECT_EQ(Page_DirectScale(true, 50, 100, 654300), 654300);
  // A zoom or fit percent of 0 from a DEVMODE counts as 100 %.
  EXPECT_EQ(Page_DirectScale(false, 0, 100, 0), 1000000);
  EXPECT_EQ(Page_DirectScale(false, 50, 0, 0), 500000);
  // The largest zoom does not overflow the scale.
  EXPECT_GT(Page_DirectScale(false, 65535, 25, 0), 0);
}

TEST(PageScale, PaperFitPercent) {
  // A4 content on A5: the tighter axis, rounded.
  EXPECT_EQ(Page_ComputeScalePercent(false, true, 1480, 2100, 2100, 2970), 70u);
  // Out of 25 to 400 gives 100: A3 content on a card.
  EXPECT_EQ(Page_ComputeScalePercent(false, true, 840, 1190, 4200, 5940), 100u);
  EXPECT_EQ(Page_ComputeScalePercent(true, true, 1480, 2100, 2100, 2970), 100u);
  EXPECT_EQ(Page_ComputeScalePercent(false, false, 1480, 2100, 2100, 2970), 100u);
  EXPECT_EQ(Page_ComputeScalePercent(false, true, 1480, 2100, 0, 2970), 100u);
  EXPECT_EQ(Page_ComputeScalePercent(false, true, 1480, 2100, 2100, 0), 100u);
}

TEST(PageScale, FitScaleTakesTheSmallerAxis) {
  EXPECT_EQ(Page_GetFitScale(3300, 4800, 4760, 6800), 693200);  // 6932 and 7058
  EXPECT_EQ(Page_GetFitScale(4760, 6800, 4760, 6800), 1000000);
  EXPECT_EQ(Page_GetFitScale(4760, 6800, 0, 6800), 1000000);
  EXPECT_EQ(Page_GetFitScale(4760, 6800, 4760, 0), 1000000);
}

TEST(PageShifts, BindingShiftBySideAndEdge) {
  EXPECT_EQ(Page_TenthsToDots(600, 100), 237);
  struct Case {
    uint8_t position;
    bool back;
    int32_t x, y;
  } cases[] = {
      {0, false, 237, 0},  {0, true, -237, 0},  {4, false, 237, 0},  {15, true, -237, 0},
      {1, false, -237, 0}, {16, true, 237, 0},  {2, false, 0, 237},  {17, true, 0, -237},
      {3, false, 0, -237}, {7, true, 0, 237},   {8, false, 0, 0},    {14, false, 0, 0},
  };
  const BindingFrame frame = A4Portrait();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "position " << int(c.position) << " back " << c.back);
    BindingSettings b{};
    b.bindingShift = 1;
    b.position = c.position;
    b.frontMm = 10;
    b.backMm = 10;
    int32_t x, y;
    Page_GetBindingShift(b, c.back, frame, &x, &y);
    EXPECT_EQ(x, c.x);
    EXPECT_EQ(y, c.y);
  }
  // Back sides take the back width; off shifts nothing.
  BindingSettings b{1, 0, 10, 20, 0, 0};
  int32_t x, y;
  Page_GetBindingShift(b, true, frame, &x, &y);
  EXPECT_EQ(x, -Page_TenthsToDots(600, 200));
  b.bindingShift = 0;
  Page_GetBindingShift(b, false, frame, &x, &y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
}

TEST(PageShifts, ImageShiftAndItsSigns) {
  ImageShiftSettings s{};
  s.imageShift = 1;
  s.modelAllows = 1;
  s.frontH = 50;
  s.frontHSign = 1;
  s.frontV = 50;
  s.frontVSign = 0;
  s.backH = 100;
  s.backHSign = 0;
  s.backV = 0;
  s.backVSign = 1;
  int32_t x, y;
  Page_GetImageShift(s, false, 600, &x, &y);
  EXPECT_EQ(x, 119);
  EXPECT_EQ(y, -119);
  Page_GetImageShift(s, true, 600, &x, &y);
  EXPECT_EQ(x, -237);
  EXPECT_EQ(y, 0);
  s.modelAllows = 0;
  Page_GetImageShift(s, false, 600, &x, &y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
}

TEST(PageShifts, ReductionToMakeRoomForTheBinding) {
  const BindingFrame frame = A4Portrait();
  BindingSettings b{1, 0, 10, 10, 1, 0};
  // Left binding on a portrait page, single pages: both axes, the width's.
  EXPECT_EQ(Page_GetBindingZoomPercent(b, false, frame), 95u);
  // Combined pages: the binding margin over twice the width, rounded.
  b.combination = 1;
  EXPECT_EQ(Page_GetBindingZoomPercent(b, false, frame), 98u);
  b.combination = 0;
  // Top binding reduces over the height.
  b.position = 2;
  EXPECT_EQ(Page_GetBindingZoomPercent(b, false, frame), 96u);
  // Positions without an edge, and off or not in reduce mode: no reduction.
  b.position = 10;
  EXPECT_EQ(Page_GetBindingZoomPercent(b, false, frame), 100u);
  b.position = 0;
  b.reduceMode = 0;
  EXPECT_EQ(Page_GetBindingZoomPercent(b, false, frame), 100u);
  b.reduceMode = 1;
  // No printable area, or a margin wider than the page: never a division by
  // zero, never a negative scale.
  EXPECT_EQ(Page_GetBindingZoomPercent(b, false, BindingFrame{}), 100u);
  b.frontMm = 5000;
  EXPECT_EQ(Page_GetBindingZoomPercent(b, false, frame), 1u);
  b.frontMm = 10;

  // The offsets of the reduced page: the margin, and the page centred along
  // the other axis; in reduce mode they are the binding shift.
  int32_t x, y;
  Page_GetBindingShift(b, false, frame, &x, &y);
  EXPECT_EQ(x, 237);
  EXPECT_EQ(y, (6800 - 95 * 6800 / 100) / 2);
  Page_GetBindingShift(b, true, frame, &x, &y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 170);
  b.position = 1;
  Page_GetBindingReduceOffsets(b, true, frame, &x, &y);
  EXPECT_EQ(x, 237);
  b.position = 3;  // bottom: the margin on the back side's top
  Page_GetBindingReduceOffsets(b, false, frame, &x, &y);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(x, (4760 - 4760 * 96 / 100) / 2);
  Page_GetBindingReduceOffsets(b, true, frame, &x, &y);
  EXPECT_EQ(y, 237);
}

TEST(PageCentring, OnADifferentPaperAndItsEdges) {
  PageFrame out{};
  out.paperWidthDots = 3000;
  out.paperHeightDots = 4000;
  out.leftDots = out.topDots = 100;
  out.printableWidthDots = 2800;
  out.printableHeightDots = 3800;
  PageFrame job{};
  job.leftDots = 120;
  job.topDots = 130;
  job.printableWidthDots = 4000;
  job.printableHeightDots = 6000;
  int32_t x, y, w, h;
  Page_GetCentering(false, out, job, &x, &y, &w, &h);
  EXPECT_EQ(w, 2533);
  EXPECT_EQ(h, 3799);
  EXPECT_EQ(x, 233);
  EXPECT_EQ(y, 100);
  // In driver layout, and for a job frame without printable area, the job
  // frame's own margins.
  Page_GetCentering(true, out, job, &x, &y, &w, &h);
  EXPECT_EQ(x, 120);
  EXPECT_EQ(y, 130);
  EXPECT_EQ(w, 4000);
  job.printableWidthDots = 0;
  Page_GetCentering(false, out, job, &x, &y, &w, &h);
  EXPECT_EQ(x, 120);
  EXPECT_EQ(w, 0);
}

TEST(PagePaper, DefaultMarginsInTenths) {
  EXPECT_EQ(Page_MarginDotsToTenths(100, 600), 43u);  // 423 + 9, div 10
  EXPECT_EQ(Page_MarginDotsToTenths(0, 600), 0u);
  EXPECT_EQ(Page_MarginDotsToTenths(100, 0), 0u);
}

}  // namespace
