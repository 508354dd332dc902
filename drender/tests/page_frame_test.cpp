// The job's page frame.
#include "drender/settings/page_frame.h"

#include <gtest/gtest.h>

#include "drender/tests/test_model.h"

namespace {

class PageFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AddCommonPapers(model_);
    doc_ = MakeDoc();
    SetDocI16(&doc_, kDocPaperSizeAt, 9);
    SetDocI16(&doc_, kDocPaperWidthAt, 2100);
    SetDocI16(&doc_, kDocPaperLengthAt, 2970);
    const int16_t margins[4] = {42, 50, 60, 70};
    for (int i = 0; i < 4; ++i) SetDocI16(&doc_, 72 + 2 * i, margins[i]);
    PaperSizeEntry* a4 = model_.Paper(9);
    a4->margins[0] = 42;
    a4->margins[1] = 50;
    a4->margins[2] = 60;
    a4->margins[3] = 70;
  }
  PageFrame Frame(uint32_t orientation, uint32_t dpi = 600) {
    PageFrame f;
    Page_ComputeJobFrame(model_.get(), &doc_, dpi, dpi, orientation, &f);
    return f;
  }
  TestModel model_;
  DocDMode doc_{};
};

TEST_F(PageFrameTest, PortraitA4AtSixHundred) {
  PageFrame f = Frame(1);
  EXPECT_EQ(f.paperWidth, 2100u);
  EXPECT_EQ(f.paperHeight, 2970u);
  EXPECT_EQ(f.printableWidth, 1998u);
  EXPECT_EQ(f.printableHeight, 2850u);
  EXPECT_EQ(f.paperWidthDots, 4960u);
  EXPECT_EQ(f.paperHeightDots, 7015u);
  // 4.2 mm: 165 mils, 99 dots; 5.0 mm: 197 mils, 118 dots; 6.0 mm: 236, 141; 7.0 mm: 276, 165.
  EXPECT_EQ(f.leftDots, 99u);
  EXPECT_EQ(f.topDots, 118u);
  EXPECT_EQ(f.printableWidthDots, 4960u - 99 - 141);
  EXPECT_EQ(f.printableHeightDots, 7015u - 118 - 165);
}

TEST_F(PageFrameTest, LandscapeTurnsOneWayOrTheOther) {
  PageFrame f = Frame(2);
  EXPECT_EQ(f.paperWidth, 2970u);
  EXPECT_EQ(f.printableWidth, 2850u);
  EXPECT_EQ(f.paperWidthDots, 7015u);
  EXPECT_EQ(f.leftDots, 165u);  // the bottom margin
  EXPECT_EQ(f.topDots, 99u);    // the left margin
  EXPECT_EQ(f.printableWidthDots, 7015u - 165 - 118);
  EXPECT_EQ(f.printableHeightDots, 4960u - 99 - 141);
  SetDocByte(&doc_, kDocLandscapeRotationAt, 1);
  f = Frame(2);
  EXPECT_EQ(f.leftDots, 118u);  // the top margin
  EXPECT_EQ(f.topDots, 141u);   // the right margin
}

TEST_F(PageFrameTest, RowsOfTheResolutionWin) {
  PaperSizeEntry* a4 = model_.Paper(9);
  a4->resolutionMarginsFlag = 1;
  a4->resolutionMargins[1] = ResolutionMargins{600, 100, 101, 102, 103};
  a4->pageSizeCount = 1;
  a4->pageSizes[0] = PageSizeEntry{600, 4900, 6900};
  PageFrame f = Frame(1);
  EXPECT_EQ(f.leftDots, 100u);
  EXPECT_EQ(f.paperWidthDots, 4900u);
  EXPECT_EQ(f.printableHeightDots, 6900u - 101 - 103);
  // At another resolution the conversions apply again.
  f = Frame(1, 300);
  EXPECT_EQ(f.paperWidthDots, 2480u);
  EXPECT_EQ(f.leftDots, 49u);
}

TEST_F(PageFrameTest, UnlistedPaperTakesTheModelDefaults) {
  SetDocI16(&doc_, kDocPaperSizeAt, 77);
  const uint32_t defaults[4] = {100, 100, 100, 100};
  std::memcpy(model_.get()->customPaperMargins, defaults, sizeof defaults);
  PageFrame f = Frame(1);
  EXPECT_EQ(f.leftDots, 236u);  // 10 mm: 394 mils
  // Margins larger than the paper leave no printable area instead of wrapping.
  SetDocI16(&doc_, kDocPaperWidthAt, 50);
  f = Frame(1);
  EXPECT_EQ(f.printableWidth, 0u);
  EXPECT_EQ(f.printableWidthDots, 0u);
}

}  // namespace
