// The preview area's status icon strip: which icon stands in each cell for
// the settings, the cells of the grid and how a picture is fitted into one.
#include <gtest/gtest.h>

#include "dproc/preview/status_icons.h"

namespace {

struct Expected {
  int row, column;
  uint32_t image, mask;
  int32_t tip;
};

void ExpectIcons(const StatusIconInputs& in, const std::vector<Expected>& expected) {
  const std::vector<StatusIcon> icons = StatusIconList(in);
  ASSERT_EQ(icons.size(), expected.size());
  for (size_t i = 0; i < icons.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(icons[i].row, expected[i].row);
    EXPECT_EQ(icons[i].column, expected[i].column);
    EXPECT_EQ(icons[i].image, expected[i].image);
    EXPECT_EQ(icons[i].mask, expected[i].mask);
    EXPECT_EQ(icons[i].tipIndex, expected[i].tip);
  }
}

TEST(StatusIcons, AllOffWithoutDeviceOptions) {
  ExpectIcons({}, {{1, 1, 10044, 10045, 310}, {1, 2, 10048, 10049, 320}, {1, 3, 10052, 10053, 330},
                   {2, 5, 907, 906, 150}});
}

TEST(StatusIcons, EverythingOn) {
  StatusIconInputs in;
  in.faxPrintReport = in.faxTimerSend = in.faxCoverSheet = true;
  in.watermark = in.watermarkTransparent = true;
  in.showUserAuth = in.showAccountTrack = true;
  in.userAuthOff = true;
  in.accountTrackOn = true;
  ExpectIcons(in, {{1, 1, 10042, 10043, 311}, {1, 2, 10046, 10047, 321}, {1, 3, 10050, 10051, 331},
                   {2, 5, 909, 906, 151}, {3, 2, 948, 949, 200}, {3, 3, 954, 955, 211}});
}

TEST(StatusIcons, WatermarkAndDeviceOptionStates) {
  struct Case {
    bool watermark, hidden, transparent;
    uint32_t image;
    int32_t tip;
  };
  const Case cases[] = {
      {true, false, true, 909, 151}, {true, false, false, 908, 152},
      {true, true, true, 907, 150},   // a driver booklet on a plug-in page: not printed
      {false, false, true, 907, 150},
  };
  for (const Case& c : cases) {
    StatusIconInputs in;
    in.watermark = c.watermark, in.watermarkHidden = c.hidden, in.watermarkTransparent = c.transparent;
    const StatusIcon icon = StatusIconList(in)[3];
    EXPECT_EQ(icon.image, c.image);
    EXPECT_EQ(icon.mask, 906u);
    EXPECT_EQ(icon.tipIndex, c.tip);
  }
  StatusIconInputs in;
  in.showUserAuth = in.showAccountTrack = true;  // authentication on, tracking off
  const std::vector<StatusIcon> icons = StatusIconList(in);
  ASSERT_EQ(icons.size(), 6u);
  EXPECT_EQ(icons[4].image, 950u);
  EXPECT_EQ(icons[4].tipIndex, 201);
  EXPECT_EQ(icons[5].image, 952u);
  EXPECT_EQ(icons[5].tipIndex, 210);
  // The states alone show nothing on a model without the fields.
  in.showUserAuth = in.showAccountTrack = false;
  in.userAuthOff = in.accountTrackOn = true;
  EXPECT_EQ(StatusIconList(in).size(), 4u);
}

TEST(StatusIcons, GridCells) {
  const PlanRect control{10, 20, 210, 120};  // inner 194 x 94: cells 38 x 31
  EXPECT_EQ(StatusIconCell(control, 1, 1), (PlanRect{13, 23, 51, 54}));
  EXPECT_EQ(StatusIconCell(control, 2, 5), (PlanRect{13 + 4 * 38, 54, 13 + 5 * 38, 85}));
  EXPECT_EQ(StatusIconCell(control, 3, 3), (PlanRect{89, 85, 127, 116}));
}

TEST(StatusIcons, FittingKeepsTheSizeOrScalesDownCentred) {
  const PlanSize icon{39, 34};
  // Room enough: natural size at the cell's top-left.
  EXPECT_EQ(FitPictureInto({0, 0, 50, 40}, icon), (PlanRect{0, 0, 39, 34}));
  EXPECT_EQ(FitPictureInto({5, 7, 44, 41}, icon), (PlanRect{5, 7, 44, 41}));
  // Too narrow: scaled by 20/39, 17 high, centred.
  EXPECT_EQ(FitPictureInto({0, 0, 20, 34}, icon), (PlanRect{0, 8, 20, 25}));
  // Too low: scaled by 17/34 to 19 x 17, centred across.
  EXPECT_EQ(FitPictureInto({0, 0, 39, 17}, icon), (PlanRect{10, 0, 29, 17}));
  // An empty cell or picture draws nothing.
  const PlanRect none = FitPictureInto({0, 0, 0, 0}, icon);
  EXPECT_EQ(none.Width() * none.Height(), 0);
  EXPECT_EQ(FitPictureInto({3, 4, 50, 50}, PlanSize{0, 0}), (PlanRect{3, 4, 3, 4}));
}

}  // namespace
