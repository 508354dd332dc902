// Band plans of the render core's surface.
#include <gtest/gtest.h>

#include "drender/ddi/band_plan.h"

namespace {

TEST(BandPlanTest, OnePortraitBandCoversTheWholePrintableArea) {
  const BandPlan plan = Rdc_PlanBands(4961, 7016, 1, 17, 4, 1);
  EXPECT_EQ(plan.count, 1u);
  EXPECT_EQ(plan.width, 4961u);
  EXPECT_EQ(plan.height, 7016u);
  EXPECT_EQ(plan.rowBytes, 14884u);
}

TEST(BandPlanTest, SeveralBands) {
  // Portrait: bands one above the other.
  BandPlan plan = Rdc_PlanBands(4961, 7016, 3, 17, 4, 1);
  EXPECT_EQ(plan.count, 3u);
  EXPECT_EQ(plan.height, 2339u);
  EXPECT_EQ(plan.width, 4961u);
  // Landscape: strips side by side, each as high as the page.
  plan = Rdc_PlanBands(7016, 4961, 2, 34, 4, 1);
  EXPECT_EQ(plan.height, 4961u);
  EXPECT_EQ(plan.rowBytes, 10524u);
  EXPECT_EQ(plan.width, 3508u);
  EXPECT_EQ(plan.count, 2u);
}

TEST(BandPlanTest, NothingToPlan) {
  EXPECT_EQ(Rdc_PlanBands(0, 7016, 1, 17, 4, 1).count, 0u);
  EXPECT_EQ(Rdc_PlanBands(4961, 0, 1, 17, 4, 1).count, 0u);
  // More bands than the table holds.
  EXPECT_EQ(Rdc_PlanBands(10, 1000, 500, 17, 4, 1).count, 0u);
}

}  // namespace
