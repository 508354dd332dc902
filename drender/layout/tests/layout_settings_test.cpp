// Reading the layout and placement values of the document settings, by the
// settings record's byte offsets.
#include "drender/layout/layout_settings.h"

#include <gtest/gtest.h>

#include "common/records/doc_fields.h"

namespace {

TEST(LayoutSettingsTest, RowPosterAndZoom) {
  DocDMode doc{};
  SetDocByte(&doc, 64, 1);     // portrait
  SetDocByte(&doc, 1242, 1);   // N-up on
  SetDocByte(&doc, 1243, 3);   // 6-up
  SetDocByte(&doc, 1244, 7);
  SetDocByte(&doc, 116, 0);
  SetDocI16(&doc, 118, 50);
  LayoutSettings s = Layout_ReadSettings(doc, false);
  EXPECT_EQ(s.row, kLayout6Up);
  EXPECT_TRUE(s.driverLayout);
  EXPECT_EQ(s.sheetOrientation, 2);
  EXPECT_EQ(s.nupStyle, 7);
  EXPECT_FALSE(s.zoomFit);
  EXPECT_EQ(s.zoomValue, 50u);
  EXPECT_EQ(Page_DirectScale(s.zoomFit, s.zoomValue, 100, 0), 500000);

  SetDocByte(&doc, 1243, 8);  // poster 3 x 3
  s = Layout_ReadSettings(doc, false);
  EXPECT_EQ(s.row, kLayoutNone);
  EXPECT_FALSE(s.driverLayout);
  EXPECT_EQ(s.posterTiles, 3u);

  // A booklet print type is driver layout only when the model says so.
  SetDocByte(&doc, 1242, 0);
  SetDocByte(&doc, 1412, 3);
  EXPECT_EQ(Layout_ReadSettings(doc, false).row, kLayoutNone);
  s = Layout_ReadSettings(doc, true);
  EXPECT_EQ(s.row, kLayoutBooklet);
  EXPECT_TRUE(s.driverLayout);

  // A negative zoom from a DEVMODE reads as none: 100 %.
  SetDocI16(&doc, 118, -20);
  s = Layout_ReadSettings(doc, false);
  EXPECT_EQ(s.zoomValue, 0u);
  EXPECT_EQ(Page_DirectScale(false, s.zoomValue, 100, 0), 1000000);
}

TEST(LayoutSettingsTest, BindingAndImageShiftFields) {
  DocDMode doc{};
  SetDocByte(&doc, 1428, 1);
  SetDocByte(&doc, 1429, 4);
  SetDocI16(&doc, 1432, 10);
  SetDocI16(&doc, 1434, -3);
  SetDocByte(&doc, 1440, 1);
  SetDocByte(&doc, 1502, 1);
  const BindingSettings b = Layout_ReadBinding(doc);
  EXPECT_EQ(b.bindingShift, 1);
  EXPECT_EQ(b.position, 4);
  EXPECT_EQ(b.frontMm, 10);
  EXPECT_EQ(b.backMm, 0);
  EXPECT_EQ(b.reduceMode, 1);
  EXPECT_EQ(b.combination, 1);

  SetDocByte(&doc, 1441, 1);
  SetDocByte(&doc, 1444, 0);
  SetDocByte(&doc, 1445, 1);
  SetDocI16(&doc, 1446, 50);
  SetDocI16(&doc, 1448, 20);
  SetDocByte(&doc, 1462, 1);
  SetDocByte(&doc, 1463, 0);
  SetDocI16(&doc, 1464, 30);
  SetDocI16(&doc, 1466, 40);
  const ImageShiftSettings s = Layout_ReadImageShift(doc, 1);
  int32_t x, y;
  Page_GetImageShift(s, false, 600, &x, &y);
  EXPECT_EQ(x, -119);
  EXPECT_EQ(y, Page_TenthsToDots(600, 20));
  Page_GetImageShift(s, true, 600, &x, &y);
  EXPECT_EQ(x, Page_TenthsToDots(600, 30));
  EXPECT_EQ(y, -Page_TenthsToDots(600, 40));
}

}  // namespace
