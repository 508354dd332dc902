// Cover page geometry: turning, the cover paper, the image position and
// stamp, and fitting the page into a preview.
#include <gtest/gtest.h>

#include "common/cover/cover_geometry.h"

#include <ostream>

static std::ostream& operator<<(std::ostream& os, const CoverRect& r) {
  return os << r.left << "," << r.top << "," << r.right << "," << r.bottom;
}

namespace {

TEST(CoverTurning, FrameOfTheStylesAndAnAsymmetricRect) {
  const CoverRect frame{100, 100, 2000, 2870};
  EXPECT_EQ(TurnCoverRect(frame, 2100, 2970, 90), (CoverRect{100, 100, 2870, 2000}));
  EXPECT_EQ(TurnCoverRect(frame, 2100, 2970, 270), (CoverRect{100, 100, 2870, 2000}));
  EXPECT_EQ(TurnCoverRect(frame, 2100, 2970, 0), frame);
  // Distances 10 left, 20 top, 30 right, 40 bottom.
  const CoverRect r{10, 20, 2100 - 30, 2970 - 40};
  // 90: left = bottom 40, top = left 10, right = top 20, bottom = right 30.
  EXPECT_EQ(TurnCoverRect(r, 2100, 2970, 90), (CoverRect{40, 10, 2970 - 20, 2100 - 30}));
  // 270 (and any other non-zero angle): left = top, top = right, right = bottom, bottom = left.
  EXPECT_EQ(TurnCoverRect(r, 2100, 2970, 270), (CoverRect{20, 30, 2970 - 40, 2100 - 10}));
  EXPECT_EQ(TurnCoverRect(r, 2100, 2970, 180), TurnCoverRect(r, 2100, 2970, 270));
  // Turning by 90 and back by 270 gives the rectangle back.
  EXPECT_EQ(TurnCoverRect(TurnCoverRect(r, 2100, 2970, 90), 2970, 2100, 270), r);
}

struct Paper {
  uint32_t id;
  int32_t w, h, m[4];
};
const Paper kPapers[] = {{9, 2100, 2970, {42, 43, 44, 45}}, {1, 2159, 2794, {50, 51, 52, 53}},
                         {281, 2700, 3900, {60, 60, 60, 60}}};

bool Lookup(void*, uint32_t id, int32_t size[2], int32_t margins[4]) {
  for (const Paper& p : kPapers) {
    if (p.id == id) {
      size[0] = p.w, size[1] = p.h;
      for (int i = 0; i < 4; ++i) margins[i] = p.m[i];
      return true;
    }
  }
  return false;
}

TEST(CoverPaper, PaperMap) {
  struct Case {
    int16_t cover, out, paper;
    uint32_t id;
  };
  const Case cases[] = {{1, 5, 5, 9},     {2, 5, 5, 11},    {3, 5, 5, 12},   {4, 5, 5, 13},  {5, 9, 9, 1},
                        {6, 9, 9, 17},    {7, 9, 9, 281},   {8, 9, 9, 279},  {0, 13, 9, 13}, {0, 356, 11, 11},
                        {0, 357, 12, 12}, {9, 17, 9, 17},   {-1, 1, 9, 1}};
  for (const Case& c : cases) EXPECT_EQ(CoverPaperId(c.cover, c.out, c.paper), c.id) << c.cover << " " << c.out;
  EXPECT_TRUE(IsCustomPaperId(256));
  EXPECT_TRUE(IsCustomPaperId(512));
  EXPECT_TRUE(IsCustomPaperId(522));
  EXPECT_TRUE(IsCustomPaperId(0x1009));
  EXPECT_FALSE(IsCustomPaperId(523));
  EXPECT_FALSE(IsCustomPaperId(9));
}

TEST(CoverPaper, AngleSizeAndMargins) {
  CoverPaperInput in{};
  in.defaultMargins[0] = in.defaultMargins[1] = in.defaultMargins[2] = in.defaultMargins[3] = 1;
  in.outWidth = 1000;
  in.outHeight = 2000;
  CoverPaperInfo info;
  struct Case {
    int16_t cover, out;
    uint8_t orientation, rotate;
    uint32_t angle;
    int32_t w, h, l, t, r, b;
  };
  const Case cases[] = {
      {1, 1, 2, 0, 0, 2100, 2970, 42, 43, 44, 45},      // fixed sizes are portrait
      {0, 9, 1, 0, 0, 2100, 2970, 42, 43, 44, 45},      // portrait document
      {0, 9, 2, 0, 90, 2970, 2100, 45, 42, 43, 44},     // landscape, turning byte 0
      {0, 9, 2, 1, 270, 2970, 2100, 43, 44, 45, 42},    // landscape, turning byte set
      {0, 256, 1, 0, 0, 1000, 2000, 1, 1, 1, 1},        // custom: the document's output size
      {0, 600, 1, 0, 0, 1000, 2000, 1, 1, 1, 1},        // unknown paper: likewise
  };
  for (const Case& c : cases) {
    in.sCoverSize = c.cover;
    in.nOutPaperSize = c.out;
    in.nOrientation = c.orientation;
    in.byLandscapeRotate = c.rotate;
    GetCoverPaperInfo(in, Lookup, nullptr, &info);
    EXPECT_EQ(info.nAngle, c.angle) << c.cover << " " << c.out;
    EXPECT_EQ(info.nWidth, c.w);
    EXPECT_EQ(info.nHeight, c.h);
    EXPECT_EQ(info.nLeft, c.l);
    EXPECT_EQ(info.nTop, c.t);
    EXPECT_EQ(info.nRight, c.r);
    EXPECT_EQ(info.nBottom, c.b);
  }
}

TEST(CoverImagePosition, RoundTripAndClamps) {
  for (const CoverRect r : {CoverRect{0, 0, 2100, 2970}, CoverRect{16, 20, 316, 444}, CoverRect{-50, 7, 250, 1007}}) {
    for (int32_t pos = 1; pos <= 100; ++pos) {
      const CoverPoint p = ImagePosToPoint(r, pos, pos);
      uint16_t x = 0, y = 0;
      PreviewPointToImagePos(r, p, &x, &y);
      EXPECT_EQ(x, pos) << r << " " << pos;
      EXPECT_EQ(y, pos) << r << " " << pos;
    }
    const CoverPoint first = ImagePosToPoint(r, 1, 1);
    EXPECT_EQ(first.x, r.left);
    EXPECT_EQ(first.y, r.top);
    const CoverPoint last = ImagePosToPoint(r, 100, 100);  // the last pixel, not beyond
    EXPECT_EQ(last.x, r.right - 1);
    EXPECT_EQ(last.y, r.bottom - 1);
    const CoverPoint out = ImagePosToPoint(r, 0, 500);
    EXPECT_EQ(out.x, r.left);
    EXPECT_EQ(out.y, r.bottom - 1);
  }
  const CoverRect r{10, 10, 209, 109};
  struct Case {
    CoverPoint p;
    uint16_t x, y;
  };
  const Case cases[] = {{{10, 10}, 1, 1},          {{0, -5}, 1, 1},           {{209, 109}, 100, 100},
                        {{5000, 90000}, 100, 100}, {{INT32_MIN, INT32_MAX}, 1, 100}, {{109, 60}, 50, 51}};
  for (const Case& c : cases) {
    uint16_t x = 0, y = 0;
    PreviewPointToImagePos(r, c.p, &x, &y);
    EXPECT_EQ(x, c.x) << c.p.x;
    EXPECT_EQ(y, c.y) << c.p.y;
  }
  uint16_t x = 0, y = 0;
  PreviewPointToImagePos(CoverRect{5, 5, 5, 5}, CoverPoint{5, 5}, &x, &y);  // no area
  EXPECT_EQ(x, 1);
  EXPECT_EQ(y, 1);
}

TEST(CoverImageStamp, SizeAt200DpiAndZoom) {
  const CoverRect page{0, 0, 2100, 2970};
  // 200 x 100 pixels at 200 dpi: 25.4 mm x 12.7 mm, centred on the position.
  const CoverRect a = CoverImageRect(page, 2100, 2970, 200, 100, 0, 1, 1);
  EXPECT_EQ(a, (CoverRect{-127, -63, 127, 64}));
  EXPECT_EQ(a.Width(), 254);
  EXPECT_EQ(a.Height(), 127);
  const CoverRect half = CoverImageRect(page, 2100, 2970, 200, 100, 50, 1, 1);
  EXPECT_EQ(half.Width(), 127);
  EXPECT_EQ(half.Height(), 64);  // 63.5 rounds up
  const CoverRect zoomed = CoverImageRect(page, 2100, 2970, 200, 100, 800, 100, 100);
  EXPECT_EQ(zoomed.Width(), 2032);
  EXPECT_EQ((zoomed.left + zoomed.right) / 2, 2099);
  // A page rectangle of half the page size halves the stamp.
  const CoverRect small = CoverImageRect(CoverRect{0, 0, 1050, 1485}, 2100, 2970, 200, 100, 100, 1, 1);
  EXPECT_EQ(small.Width(), 127);
}

TEST(CoverPreviewFit, ScaleToFitAndRects) {
  int32_t num = 0, den = 0;
  ScaleToFit(300, 300, 2100, 2970, &num, &den);  // height limits
  EXPECT_EQ(num, 300);
  EXPECT_EQ(den, 2970);
  ScaleToFit(300, 600, 2100, 2970, &num, &den);  // width limits
  EXPECT_EQ(num, 300);
  EXPECT_EQ(den, 2100);
  ScaleToFit(100, 200, 50, 100, &num, &den);  // a tie takes the height
  EXPECT_EQ(num, 200);
  EXPECT_EQ(den, 100);
  ScaleToFit(100, 100, 0, 100, &num, &den);  // nothing to scale
  EXPECT_EQ(num, 0);
  EXPECT_EQ(den, 1);

  int32_t w = 0, h = 0;
  ScaleFrameToFit(-21000, 29700, 300, -300, &w, &h);
  EXPECT_EQ(w, 212);
  EXPECT_EQ(h, 300);

  CoverPaperInfo paper{0, 2100, 2970, 42, 42, 42, 42};
  const CoverPreviewRects r = FitCoverPreview(CoverRect{16, 16, 316, 316}, paper, 21000, 29700);
  EXPECT_EQ(r.page, (CoverRect{60, 16, 272, 316}));
  EXPECT_EQ(r.printable, (CoverRect{64, 20, 268, 312}));
  EXPECT_EQ(r.metafile, r.page);
  // A zero-size paper gives an empty page, never a division by zero.
  const CoverPreviewRects z = FitCoverPreview(CoverRect{0, 0, 100, 100}, CoverPaperInfo{}, 0, 0);
  EXPECT_EQ(z.page.Width(), 0);
}

}  // namespace
