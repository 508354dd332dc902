#include "duicore/events/watermark_geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(WatermarkGeometry, TablesAndTurning) {
  EXPECT_EQ(WmCos(0), 1000000);
  EXPECT_EQ(WmSin(90), 1000000);
  EXPECT_EQ(WmCos(180), -1000000);
  EXPECT_EQ(WmCos(-180), -1000000);
  // Angles outside -180..180 are reduced modulo 360 before the lookup.
  for (int a : {-720, -450, 361, 540, 725, 32767, -32768}) {
    const int r = ((a % 360) + 360) % 360;
    EXPECT_EQ(WmCos(a), WmCos(r)) << a;
    EXPECT_EQ(WmSin(a), WmSin(r)) << a;
  }
  // A quarter turn counter-clockwise on the page (y grows downwards): a
  // point right of the centre goes above it.
  EXPECT_EQ(WmTurn(110, 50, 90, 10, 50), (WmPoint{10, -50}));
  EXPECT_EQ(WmTurn(110, 50, 0, 10, 50), (WmPoint{110, 50}));
  EXPECT_EQ(WmTurn(110, 50, 180, 10, 50), (WmPoint{-90, 50}));
}

TEST(WatermarkGeometry, SingleCentre) {
  EXPECT_EQ(WmSingleCentre(4000, 6000, 0, 0), (WmPoint{2000, 3000}));
  // 50 % of half the height upwards: a quarter of the page above the centre.
  EXPECT_EQ(WmSingleCentre(4000, 6000, 0, 50), (WmPoint{2000, 1500}));
  EXPECT_EQ(WmSingleCentre(4000, 6000, -100, -100), (WmPoint{0, 6000}));
}

TEST(WatermarkGeometry, SimulatedBold) {
  struct Case {
    int ascent, step, count;
  } cases[] = {{420, 2, 2}, {199, 1, 1}, {0, 1, 1}, {200, 2, 1}, {1000, 2, 5}};
  for (const Case& c : cases) {
    const WmBoldSteps s = WmBoldStepsFor(c.ascent);
    EXPECT_EQ(s.step, c.step) << c.ascent;
    EXPECT_EQ(s.count, c.count) << c.ascent;
    EXPECT_EQ(WmBoldOffsets(c.ascent).size(), 8u * c.count) << c.ascent;
  }
  const auto o = WmBoldOffsets(420);
  // Left and right first, then up and down, then the diagonals.
  EXPECT_EQ(o[0], (WmPoint{-2, 0}));
  EXPECT_EQ(o[1], (WmPoint{-4, 0}));
  EXPECT_EQ(o[2], (WmPoint{2, 0}));
  EXPECT_EQ(o[4], (WmPoint{0, -2}));
  EXPECT_EQ(o[8], (WmPoint{-2, -2}));
  EXPECT_EQ(o[12], (WmPoint{2, -2}));
  for (const WmPoint& p : o) EXPECT_FALSE(p.x == 0 && p.y == 0);
}

TEST(WatermarkGeometry, PenGreyAndFrames) {
  EXPECT_EQ(WmPenWidth(600, 72), 72);   // 600 x 0.00167 x 72 = 72.1
  EXPECT_EQ(WmPenWidth(300, 10), 5);    // 5.01
  EXPECT_EQ(WmGrey(0x0000FF), 0x4C4C4Cu);  // pure red: 30 %
  EXPECT_EQ(WmGrey(0xFFFFFF), 0xFFFFFFu);
  const auto square = WmSquarePoints(1000, 1000, 400, 100, 0);
  ASSERT_EQ(square.size(), 5u);
  EXPECT_EQ(square[0], (WmPoint{700, 1075}));
  EXPECT_EQ(square[2], (WmPoint{1300, 925}));
  EXPECT_EQ(square[4], square[0]);
  const auto circle = WmCirclePoints(1000, 1000, 400, 100, 0);
  ASSERT_EQ(circle.size(), 361u);
  EXPECT_EQ(circle[0], (WmPoint{1300, 1000}));
  EXPECT_EQ(circle[90], (WmPoint{1000, 1075}));
  EXPECT_EQ(circle[360], circle[0]);
  // Turned frames stay about the centre.
  const auto turned = WmSquarePoints(1000, 1000, 400, 100, 90);
  EXPECT_EQ(turned[0], (WmPoint{1075, 1300}));
}

TEST(WatermarkGeometry, Tiles) {
  WmTileInput in{600, 600, 1000, 200, false, 0, 0, 0, 0, 4800, 6600};
  const auto tiles = WmTileCentres(in);
  ASSERT_FALSE(tiles.empty());
  // Steps: 1000 + 2 x 100 across, 200 + 2 x 100 down.  The first row:
  // (3300 + 400) mod 400 = 100, less one step; the first column:
  // (1200 + 2400) mod 1200 = 0.
  EXPECT_EQ(tiles[0].y, -300);
  EXPECT_EQ(tiles[0].x, 0);
  EXPECT_EQ(tiles[1].x - tiles[0].x, 1200);
  int rows = 0, columns = 0;
  for (const WmPoint& p : tiles) {
    rows += p.x == tiles[0].x;
    columns += p.y == tiles[0].y;
  }
  EXPECT_EQ(rows, 18);     // -300 .. 6500: the last one's top (6300) is still on the page
  EXPECT_EQ(columns, 5);   // 0 .. 4800: 4800 - 600 < 4800
  for (const WmPoint& p : tiles) {
    EXPECT_LT(p.x - 600, 4800);
    EXPECT_LT(p.y - 200, 6600);
  }
  // Moved right by half a step.
  in.posX = 50;
  EXPECT_EQ(WmTileCentres(in)[0].x, -600);
  // Zero resolutions or an empty page draw nothing (and never loop).
  in.resolutionX = 0;
  EXPECT_TRUE(WmTileCentres(in).empty());
  in = {600, 600, 0, 0, false, 0, 0, 0, 0, 4800, 6600};
  EXPECT_FALSE(WmTileCentres(in).empty()) << "the gaps alone make a step";
  in.width = 0;
  EXPECT_TRUE(WmTileCentres(in).empty());
}

}  // namespace
