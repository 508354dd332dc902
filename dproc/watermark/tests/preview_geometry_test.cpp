#include "dproc/watermark/preview_geometry.h"

#include <gtest/gtest.h>

#include "dproc/preview/watermark_angles.h"

namespace {

TEST(WatermarkPreview, PaperInPointsAndInTheControl) {
  EXPECT_EQ(595, PreviewPointsOf(2100));  // A4
  EXPECT_EQ(841, PreviewPointsOf(2970));
  EXPECT_EQ(0, PreviewPointsOf(0));
  for (const auto& [w, h] : {std::pair{2100, 2970}, std::pair{2970, 2100}, std::pair{2159, 2159}}) {
    const PreviewRect r = FitPreviewPaperRect(200, 160, w, h);
    const int longer = w >= h ? r.right - r.left : r.bottom - r.top;
    EXPECT_NEAR(w >= h ? 160 : 128, longer, 1) << w << "x" << h;
    EXPECT_LE(std::abs((r.left + r.right) - 200), 1);
    EXPECT_LE(std::abs((r.top + r.bottom) - 160), 1);
  }
  // A paper without a width or a height never divides.
  EXPECT_EQ((PreviewRect{100, 80, 100, 80}), FitPreviewPaperRect(200, 160, 0, 2970));
  EXPECT_EQ((PreviewRect{100, 80, 100, 80}), FitPreviewPaperRect(200, 160, 2100, 0));
}

TEST(WatermarkPreview, PositionsTurnsAndGrey) {
  EXPECT_EQ((PreviewPoint{596, 0}), PreviewSingleCentre(596, 842, 100, 100));
  EXPECT_EQ((PreviewPoint{298, 421}), PreviewSingleCentre(596, 842, 0, 0));
  EXPECT_EQ((PreviewPoint{298, 842}), PreviewSingleCentre(596, 842, 0, -100));
  EXPECT_EQ(10000, PreviewTurnOf(0).c);
  EXPECT_EQ(0, PreviewTurnOf(90).c);
  EXPECT_EQ(10000, PreviewTurnOf(90).s);
  EXPECT_EQ(7071, PreviewTurnOf(45).s);    // truncated, not rounded
  EXPECT_EQ(-7071, PreviewTurnOf(-45).s);
  EXPECT_EQ(PreviewTurnOf(30).s, PreviewTurnOf(390).s);
  EXPECT_EQ(PreviewTurnOf(-180).c, PreviewTurnOf(180).c);
  // Unturned, the text box is centred; turned by 90 degrees it reads
  // upwards, starting below the centre.
  EXPECT_EQ((PreviewPoint{250, 390}), PreviewTextOrigin({300, 400}, 100, 20, 0));
  EXPECT_EQ((PreviewPoint{290, 450}), PreviewTextOrigin({300, 400}, 100, 20, 90));
  // Transparent red lightens to (252, 125, 125), grey 163.
  EXPECT_EQ(0x00A3A3A3u, WatermarkGrey(0x000000FF, true));
  EXPECT_EQ(0x004C4C4Cu, WatermarkGrey(0x000000FF, false));
}

TEST(WatermarkPreview, FramesTurnWithTheText) {
  const std::vector<PreviewPoint> square = PreviewSquareFrame({300, 400}, 100, 20, 0);
  ASSERT_EQ(5u, square.size());
  EXPECT_EQ((PreviewPoint{230, 414}), square[0]);
  EXPECT_EQ((PreviewPoint{370, 386}), square[2]);
  EXPECT_EQ(square[0], square[4]);
  // A short text keeps a frame no narrower than it is high.
  EXPECT_EQ((PreviewPoint{286, 414}), PreviewSquareFrame({300, 400}, 4, 20, 0)[0]);
  const std::vector<PreviewPoint> circle = PreviewCircleFrame({300, 400}, 100, 20, 90);
  ASSERT_EQ(361u, circle.size());
  EXPECT_EQ((PreviewPoint{300, 330}), circle[0]);  // the long axis points up
  EXPECT_EQ(circle[0], circle[360]);
  EXPECT_EQ(0, PreviewSquarePen(15));
  EXPECT_EQ(3, PreviewSquarePen(48));
}

TEST(WatermarkPreview, RepeatedTilesAndTheirPitch) {
  PreviewTileInput in{595, 842, 100, 20, 20, 1, 0, 0, 0};
  std::vector<PreviewPoint> tiles = PreviewTileCentres(in);
  ASSERT_EQ(175u, tiles.size());  // 7 columns 116 apart, 25 rows 36 apart
  EXPECT_EQ((PreviewPoint{-51, -11}), tiles[0]);
  EXPECT_EQ((PreviewPoint{65, -11}), tiles[1]);
  EXPECT_EQ((PreviewPoint{-51, 25}), tiles[7]);
  // A frame widens the tile and takes 16 points off each pitch.
  in.frame = 2;
  tiles = PreviewTileCentres(in);
  ASSERT_GE(tiles.size(), 2u);
  EXPECT_EQ(138, tiles[1].x - tiles[0].x);
  // A position moves the pattern by a share of its pitch; the first column
  // still starts left of the page.
  in = {595, 842, 100, 20, 20, 1, 0, 50, 0};
  EXPECT_EQ(-51 + 58 - 116, PreviewTileCentres(in)[0].x);
  // No sensible pitch, or a tiny one: a bounded number of texts.
  EXPECT_TRUE(PreviewTileCentres({595, 842, 0, 0, 0, 2, 0, 0, 0}).empty());
  EXPECT_TRUE(PreviewTileCentres({0, 842, 100, 20, 20, 1, 0, 0, 0}).empty());
  EXPECT_EQ(kMaxPreviewTiles, PreviewTileCentres({595, 842, 0, 0, 40, 3, 0, 0, 0}).size());
  EXPECT_EQ(kMaxPreviewTiles, PreviewTileCentres({0x7FFFFFFF, 0x7FFFFFFF, 2, 2, 2, 1, 0, 100, -100}).size());
}

}  // namespace
