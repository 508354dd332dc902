// Layout rows, cell orders, cells and the placement of pages in them.
#include "drender/layout/layout_cells.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<int> OrderOf(LayoutRowId row, uint8_t style, uint8_t sheet) {
  const uint8_t* order = Layout_CellOrder(row, style, sheet);
  return std::vector<int>(order, order + Layout_RowOf(row).cells);
}

TEST(LayoutRows, SheetOrientationGridAndCells) {
  struct Case {
    LayoutRowId row;
    uint32_t cells;
    uint8_t sheetForPortrait, sheetForLandscape;
    uint32_t colsL, rowsL, colsP, rowsP;
  } cases[] = {
      {kLayoutNone, 1, 1, 2, 1, 1, 1, 1},     {kLayout2Up, 2, 2, 1, 2, 1, 1, 2},
      {kLayout4Up, 4, 1, 2, 2, 2, 2, 2},      {kLayout6Up, 6, 2, 1, 3, 2, 2, 3},
      {kLayout9Up, 9, 1, 2, 3, 3, 3, 3},      {kLayout16Up, 16, 1, 2, 4, 4, 4, 4},
      {kLayoutBooklet, 2, 2, 1, 2, 1, 1, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.row));
    EXPECT_EQ(Layout_RowOf(c.row).cells, c.cells);
    EXPECT_EQ(Layout_SheetOrientation(c.row, 1), c.sheetForPortrait);
    EXPECT_EQ(Layout_SheetOrientation(c.row, 2), c.sheetForLandscape);
    uint32_t cols, rows;
    Layout_Grid(c.row, 2, &cols, &rows);
    EXPECT_EQ(cols, c.colsL);
    EXPECT_EQ(rows, c.rowsL);
    Layout_Grid(c.row, 1, &cols, &rows);
    EXPECT_EQ(cols, c.colsP);
    EXPECT_EQ(rows, c.rowsP);
    EXPECT_EQ(cols * rows, c.cells);
  }
}

TEST(LayoutRows, KindOfTheSettings) {
  EXPECT_EQ(Layout_NupKind(1, 2), 2);
  EXPECT_EQ(Layout_NupKind(0, 2), 0);  // N-up off
  for (uint8_t poster = 7; poster <= 9; ++poster) {
    EXPECT_EQ(Layout_NupKind(1, poster), 0);
    EXPECT_TRUE(Layout_IsPoster(1, poster));
  }
  // A value that names no row is no layout, never a row past the table.
  EXPECT_EQ(Layout_NupKind(1, 6), 0);
  EXPECT_EQ(Layout_NupKind(1, 200), 0);
  EXPECT_EQ(Layout_GetRow(2, false), kLayout4Up);
  EXPECT_EQ(Layout_GetRow(2, true), kLayoutBooklet);
  EXPECT_EQ(Layout_GetRow(77, false), kLayoutNone);
}

TEST(LayoutOrders, EveryStyleAndSheet) {
  using V = std::vector<int>;
  struct Case {
    LayoutRowId row;
    uint8_t style;
    uint8_t sheet;
    V order;
  } cases[] = {
      {kLayout2Up, 1, 2, {1, 0}},
      {kLayout2Up, 3, 2, {1, 0}},
      {kLayout2Up, 0, 2, {0, 1}},
      {kLayout2Up, 5, 2, {0, 1}},
      {kLayoutBooklet, 3, 2, {1, 0}},
      {kLayoutBooklet, 2, 2, {0, 1}},
      {kLayout4Up, 5, 1, {0, 2, 1, 3}},
      {kLayout4Up, 6, 1, {1, 0, 3, 2}},
      {kLayout4Up, 7, 1, {1, 3, 0, 2}},
      {kLayout4Up, 0, 1, {0, 1, 2, 3}},
      {kLayout6Up, 5, 1, {0, 2, 4, 1, 3, 5}},
      {kLayout6Up, 6, 1, {1, 0, 3, 2, 5, 4}},
      {kLayout6Up, 7, 1, {1, 3, 5, 0, 2, 4}},
      {kLayout6Up, 4, 1, {0, 1, 2, 3, 4, 5}},
      {kLayout6Up, 5, 2, {0, 3, 1, 4, 2, 5}},
      {kLayout6Up, 6, 2, {2, 1, 0, 5, 4, 3}},
      {kLayout6Up, 7, 2, {2, 5, 1, 4, 0, 3}},
      {kLayout6Up, 8, 2, {0, 1, 2, 3, 4, 5}},
      {kLayout9Up, 5, 1, {0, 3, 6, 1, 4, 7, 2, 5, 8}},
      {kLayout9Up, 6, 1, {2, 1, 0, 5, 4, 3, 8, 7, 6}},
      {kLayout9Up, 7, 2, {2, 5, 8, 1, 4, 7, 0, 3, 6}},
      {kLayout9Up, 0, 1, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
      {kLayout16Up, 5, 1, {0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15}},
      {kLayout16Up, 6, 1, {3, 2, 1, 0, 7, 6, 5, 4, 11, 10, 9, 8, 15, 14, 13, 12}},
      {kLayout16Up, 7, 1, {3, 7, 11, 15, 2, 6, 10, 14, 1, 5, 9, 13, 0, 4, 8, 12}},
      {kLayout16Up, 1, 1, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
      {kLayoutNone, 5, 1, {0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "row " << int(c.row) << " style " << int(c.style) << " sheet "
                                    << int(c.sheet));
    EXPECT_EQ(OrderOf(c.row, c.style, c.sheet), c.order);
  }
  // Every order of every style fills each cell exactly once.
  for (int row = kLayoutNone; row <= kLayoutBooklet; ++row) {
    for (int style = 0; style < 10; ++style) {
      for (uint8_t sheet = 1; sheet <= 2; ++sheet) {
        V order = OrderOf(static_cast<LayoutRowId>(row), static_cast<uint8_t>(style), sheet);
        std::sort(order.begin(), order.end());
        for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(order[i], static_cast<int>(i));
      }
    }
  }
}

TEST(LayoutOrders, FourUpOfFivePagesStartsASecondSheet) {
  const uint8_t* order = Layout_CellOrder(kLayout4Up, 5, 1);
  const uint32_t cells = Layout_RowOf(kLayout4Up).cells;
  std::vector<std::pair<uint32_t, int>> placed;  // (sheet, cell) of pages 1 to 5
  for (uint32_t index = 0; index < 5; ++index) placed.push_back({index / cells, order[index % cells]});
  const std::vector<std::pair<uint32_t, int>> want = {{0, 0}, {0, 2}, {0, 1}, {0, 3}, {1, 0}};
  EXPECT_EQ(placed, want);
}

PageFrame Frame(uint32_t w, uint32_t h, uint32_t left, uint32_t top, uint32_t right, uint32_t bottom) {
  PageFrame f{};
  f.paperWidthDots = w;
  f.paperHeightDots = h;
  f.leftDots = left;
  f.topDots = top;
  f.printableWidthDots = w - left - right;
  f.printableHeightDots = h - top - bottom;
  return f;
}

TEST(LayoutCellsTest, TwoUpOfPortraitPagesOnALandscapeSheet) {
  // A4 at 600 dpi in landscape, 100-dot margins all round.
  const PageFrame sheet = Frame(7015, 4960, 100, 100, 100, 100);
  LayoutCells c;
  ASSERT_TRUE(Layout_ComputeCells(kLayout2Up, 2, sheet, sheet, &c));
  EXPECT_EQ(c.columns, 2u);
  EXPECT_EQ(c.rows, 1u);
  EXPECT_EQ(c.cellWidth, 3407);   // (7015 - 200) div 2
  EXPECT_EQ(c.cellHeight, 4760);
  // The page turns: the cell's width against the page's 4960, its height
  // against 7015; the height is the tighter fit.
  EXPECT_EQ(c.scale, 678500);
  EXPECT_EQ(c.scaledWidth, 3229);   // 4760 x 6785 div 10000
  EXPECT_EQ(c.scaledHeight, 4623);  // 6815 x 6785 div 10000
  EXPECT_EQ(c.centreX, 89);
  EXPECT_EQ(c.centreY, 68);
  EXPECT_EQ(c.originX[0], 100);
  EXPECT_EQ(c.originX[1], 3507);
  EXPECT_EQ(c.originY[1], 100);
}

TEST(LayoutCellsTest, FourUpKeepsTheAxesAndUsesTheWiderMargin) {
  // Left 100, right 300: both sides give up the wider one.
  const PageFrame sheet = Frame(4960, 7015, 100, 100, 300, 100);
  LayoutCells c;
  ASSERT_TRUE(Layout_ComputeCells(kLayout4Up, 1, sheet, sheet, &c));
  EXPECT_EQ(c.cellWidth, (4960 - 600) / 2);
  EXPECT_EQ(c.cellHeight, (7015 - 200) / 2);
  const int64_t sx = int64_t{c.cellWidth} * 10000 / 4960 * 100, sy = int64_t{c.cellHeight} * 10000 / 7015 * 100;
  EXPECT_EQ(c.scale, std::min(sx, sy));
  EXPECT_EQ(c.originX[3], 100 + c.cellWidth);
  EXPECT_EQ(c.originY[3], 100 + c.cellHeight);
  EXPECT_EQ(c.originX[2], 100);
}

TEST(LayoutCellsTest, EmptyExtentsGiveNoLayout) {
  const PageFrame sheet = Frame(4960, 7015, 100, 100, 100, 100);
  LayoutCells c;
  EXPECT_FALSE(Layout_ComputeCells(kLayout4Up, 1, sheet, PageFrame{}, &c));
  EXPECT_FALSE(Layout_ComputeCells(kLayout4Up, 1, PageFrame{}, sheet, &c));
  // Margins wider than half the paper leave no cell.
  PageFrame wide{};
  wide.paperWidthDots = 100;
  wide.paperHeightDots = 100;
  wide.leftDots = 80;
  wide.topDots = 10;
  EXPECT_FALSE(Layout_ComputeCells(kLayout4Up, 1, wide, sheet, &c));
  // A huge cell against a one-dot page does not overflow.
  PageFrame dot{};
  dot.paperWidthDots = dot.paperHeightDots = 1;
  ASSERT_TRUE(Layout_ComputeCells(kLayoutNone, 1, sheet, dot, &c));
  EXPECT_GT(c.scale, 0);
}

TEST(LayoutPlacement, RotationByRowOrientationAndBinding) {
  struct Case {
    LayoutRowId row;
    uint8_t s, d, p;
    int16_t rotation;
    int32_t x, y;
  } cases[] = {
      {kLayout4Up, 1, 2, 1, -90, 30, 0},   {kLayout4Up, 1, 2, 17, -90, 30, 0},
      {kLayout4Up, 1, 2, 0, 90, 0, 40},    {kLayout4Up, 2, 1, 4, 90, 0, 40},
      {kLayout4Up, 2, 1, 0, -90, 30, 0},   {kLayout16Up, 2, 1, 15, 90, 0, 40},
      {kLayout2Up, 2, 1, 2, -90, 30, 0},   {kLayout2Up, 2, 1, 0, 90, 0, 40},
      {kLayout6Up, 2, 1, 14, -90, 30, 0},  {kLayout2Up, 1, 2, 15, 90, 0, 40},
      {kLayout2Up, 1, 2, 1, -90, 30, 0},   {kLayoutBooklet, 2, 1, 2, 90, 0, 40},
      {kLayoutBooklet, 1, 2, 0, -90, 30, 0}, {kLayout4Up, 1, 1, 0, 0, 0, 0},
      {kLayout2Up, 2, 2, 0, 0, 0, 0},      {kLayoutNone, 2, 1, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.row) << " " << int(c.s) << int(c.d) << " p" << int(c.p));
    int32_t x = -1, y = -1;
    EXPECT_EQ(Layout_CellRotation(c.row, c.s, c.d, c.p, 30, 40, &x, &y), c.rotation);
    EXPECT_EQ(x, c.x);
    EXPECT_EQ(y, c.y);
  }
}

TEST(LayoutPlacement, OriginReductionTurnAndHalfTurn) {
  const PageFrame sheet = Frame(7015, 4960, 100, 100, 100, 100);
  LayoutCells c;
  ASSERT_TRUE(Layout_ComputeCells(kLayout2Up, 2, sheet, sheet, &c));
  const uint8_t* order = Layout_CellOrder(kLayout2Up, 0, 2);
  CellPage page{};
  page.index = 3;  // the second cell of the second sheet
  page.order = order;
  page.reducePercent = 100;
  page.shiftX = 10;
  page.shiftY = -5;
  page.sheetOrientation = 2;
  page.pageOrientation = 1;
  page.bindingPosition = 0;
  CellPlacement p;
  Layout_PlacePage(kLayout2Up, c, page, &p);
  EXPECT_EQ(p.originX, 3507 + 89 + 10);
  EXPECT_EQ(p.originY, 100 + 68 - 5);
  EXPECT_EQ(p.rotation, 90);
  EXPECT_EQ(p.turnOriginX, 0);
  EXPECT_EQ(p.turnOriginY, 4623);
  EXPECT_FALSE(p.turn180);

  // Reduced to 50 % about cell 0, and turned half round: the half turn's
  // origin takes the exchanged extents.
  page.reducePercent = 50;
  page.shiftX = page.shiftY = 0;
  page.pageRotate180 = true;
  Layout_PlacePage(kLayout2Up, c, page, &p);
  EXPECT_EQ(p.originX, (3507 + 89 - 100) / 2 + 100);
  EXPECT_EQ(p.originY, (68) / 2 + 100);
  EXPECT_EQ(p.turnOriginY, 4623 / 2);
  ASSERT_TRUE(p.turn180);
  EXPECT_EQ(p.halfTurnOriginX, 4623 / 2);
  EXPECT_EQ(p.halfTurnOriginY, 3229 / 2);
}

TEST(LayoutPlacement, InnerEdgesOfANineUpSheet) {
  const PageFrame sheet = Frame(4960, 7015, 100, 100, 100, 100);
  LayoutCells c;
  ASSERT_TRUE(Layout_ComputeCells(kLayout9Up, 1, sheet, sheet, &c));
  CellEdges corner = Layout_InnerEdges(c, 0);
  EXPECT_FALSE(corner.left);
  EXPECT_TRUE(corner.right);
  EXPECT_FALSE(corner.top);
  EXPECT_TRUE(corner.bottom);
  CellEdges middle = Layout_InnerEdges(c, 4);
  EXPECT_TRUE(middle.left && middle.right && middle.top && middle.bottom);
  CellEdges last = Layout_InnerEdges(c, 8);
  EXPECT_TRUE(last.left && last.top);
  EXPECT_FALSE(last.right || last.bottom);
}

}  // namespace
