// Booklet order and padding, sheet-side half turns, poster tiles.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "drender/layout/booklet_order.h"
#include "drender/layout/poster_tiles.h"

namespace {

std::vector<uint32_t> PagesFromOne(const std::vector<uint32_t>& order) {
  std::vector<uint32_t> out;
  for (uint32_t i : order) out.push_back(i + 1);
  return out;
}

TEST(BookletOrder, EightPagesBothWays) {
  EXPECT_EQ(PagesFromOne(Booklet_Order(8, 1)), (std::vector<uint32_t>{8, 1, 2, 7, 6, 3, 4, 5}));
  EXPECT_EQ(PagesFromOne(Booklet_Order(8, 3)), (std::vector<uint32_t>{8, 1, 2, 7, 6, 3, 4, 5}));
  EXPECT_EQ(PagesFromOne(Booklet_Order(8, 2)), (std::vector<uint32_t>{1, 8, 7, 2, 3, 6, 5, 4}));
  EXPECT_EQ(PagesFromOne(Booklet_Order(8, 4)), (std::vector<uint32_t>{1, 8, 7, 2, 3, 6, 5, 4}));
}

TEST(BookletOrder, FivePagesArePaddedToEight) {
  EXPECT_EQ(Booklet_PaddedCount(5), 8u);
  const std::vector<uint32_t> order = Booklet_Order(5, 0);
  EXPECT_EQ(PagesFromOne(order), (std::vector<uint32_t>{8, 1, 2, 7, 6, 3, 4, 5}));
  // Pages 6, 7 and 8 are the blanks: indices at or above the page count.
  uint32_t blanks = 0;
  for (uint32_t i : order) blanks += i >= 5;
  EXPECT_EQ(blanks, 3u);
}

TEST(BookletOrder, SmallCounts) {
  EXPECT_EQ(Booklet_PaddedCount(0), 0u);
  EXPECT_TRUE(Booklet_Order(0, 0).empty());
  EXPECT_EQ(PagesFromOne(Booklet_Order(1, 0)), (std::vector<uint32_t>{4, 1, 2, 3}));
  EXPECT_EQ(Booklet_PaddedCount(12), 12u);
  // Every page appears exactly once however many there are.
  for (uint32_t n = 1; n <= 40; ++n) {
    std::vector<uint32_t> order = Booklet_Order(n, static_cast<uint8_t>(n % 5));
    std::sort(order.begin(), order.end());
    ASSERT_EQ(order.size(), Booklet_PaddedCount(n));
    for (uint32_t i = 0; i < order.size(); ++i) EXPECT_EQ(order[i], i);
  }
}

TEST(BookletSides, FlagTogglesOnOrientationAndBackSidesBindingOtherEdge) {
  // Four sides: the orientation changes at the third; the back sides (odd)
  // bind on the other edge at the second only.
  const std::vector<uint8_t> orientation = {2, 2, 1, 1};
  const std::vector<uint8_t> binds = {0, 1, 0, 0};
  EXPECT_EQ(Booklet_SideRotations(orientation, binds, 0, false), (std::vector<uint8_t>{0, 1, 1, 1}));
  EXPECT_EQ(Booklet_SideRotations(orientation, binds, 0, true), (std::vector<uint8_t>{1, 0, 0, 0}));
  // Starting on a back side makes the first side the one that binds.
  EXPECT_EQ(Booklet_SideRotations({2, 2}, {1, 1}, 1, false), (std::vector<uint8_t>{1, 0}));
}

TEST(PosterTiles, ThreeByThreeShiftsTheWholePageOneTileEachSheet) {
  EXPECT_EQ(Poster_TilesPerSide(7), 2u);
  EXPECT_EQ(Poster_TilesPerSide(8), 3u);
  EXPECT_EQ(Poster_TilesPerSide(9), 4u);
  EXPECT_EQ(Poster_TilesPerSide(5), 0u);
  const uint32_t t = Poster_TilesPerSide(8);
  PosterScale zoom{};
  zoom.zoomValue = 100;
  zoom.fitPercent = 100;
  uint32_t sheets = 0;
  for (uint32_t i = 0; i < t; ++i) {
    for (uint32_t j = 0; j < t; ++j) {
      PosterTile tile;
      ASSERT_TRUE(Poster_ComputeTile(zoom, t, 3000, 4000, 0, 0, j, i, &tile));
      EXPECT_EQ(tile.tileWidth, 1000);
      EXPECT_EQ(tile.tileHeight, 1333);
      EXPECT_EQ(tile.originX, -1000 * static_cast<int32_t>(j));
      EXPECT_EQ(tile.originY, -1333 * static_cast<int32_t>(i));
      EXPECT_EQ(tile.keepLeft, 1000 * static_cast<int32_t>(j));
      EXPECT_EQ(tile.keepBottom, 1333 * static_cast<int32_t>(i) + 1332);
      ++sheets;
    }
  }
  EXPECT_EQ(sheets, 9u);
}

TEST(PosterTiles, FitScaleShiftsAndZeros) {
  PosterScale fit{};
  fit.fit = true;
  fit.fitScaleX = 500000;  // 50 %
  fit.fitScaleY = 1000000;
  PosterTile tile;
  ASSERT_TRUE(Poster_ComputeTile(fit, 2, 3000, 4000, 100, 50, 1, 1, &tile));
  EXPECT_EQ(tile.tileWidth, 3000);   // 3000 x 10000 div (2 x 5000)
  EXPECT_EQ(tile.tileHeight, 2000);  // 4000 x 10000 div (2 x 10000)
  EXPECT_EQ(tile.shiftX, 100);
  EXPECT_EQ(tile.shiftY, 25);
  EXPECT_EQ(tile.keepLeft, 3000 - 100);
  EXPECT_EQ(tile.keepTop, 2000 - 25);
  EXPECT_EQ(tile.keepRight, 3000 - 100 + 2999);

  // No fit scale, no tiles or an empty cell give no tile instead of a
  // division by zero; a zoom of 0 counts as 100 %.
  fit.fitScaleX = 0;
  EXPECT_FALSE(Poster_ComputeTile(fit, 2, 3000, 4000, 0, 0, 0, 0, &tile));
  PosterScale zero{};
  EXPECT_FALSE(Poster_ComputeTile(zero, 0, 3000, 4000, 0, 0, 0, 0, &tile));
  EXPECT_FALSE(Poster_ComputeTile(zero, 2, 0, 4000, 0, 0, 0, 0, &tile));
  ASSERT_TRUE(Poster_ComputeTile(zero, 2, 3000, 4000, 0, 0, 0, 0, &tile));
  EXPECT_EQ(tile.tileWidth, 1500);
  // A zoom so small against the fit percent that it rounds to 0 %.
  PosterScale tiny{};
  tiny.zoomValue = 1;
  tiny.fitPercent = 400;
  EXPECT_FALSE(Poster_ComputeTile(tiny, 2, 3000, 4000, 0, 0, 0, 0, &tile));
}

}  // namespace
