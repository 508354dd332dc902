// Layout rows, cell orders, cells and the placement of a page in its cell.
#include "drender/layout/layout_cells.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>

namespace {

constexpr LayoutRow kRows[] = {
    {1, 1, 2, 1, 1, 1, 1},  // none, poster
    {2, 2, 1, 2, 1, 1, 2},  // 2-up
    {4, 1, 2, 2, 2, 2, 2},  // 4-up
    {6, 2, 1, 3, 2, 2, 3},  // 6-up
    {9, 1, 2, 3, 3, 3, 3},  // 9-up
    {16, 1, 2, 4, 4, 4, 4},  // 16-up
    {2, 2, 1, 2, 1, 1, 2},  // booklet
};

constexpr uint8_t kOrder1[] = {0};
constexpr uint8_t kOrder2[] = {0, 1};
constexpr uint8_t kOrder2Swapped[] = {1, 0};
// By N-up style 5, 6, 7 and any other.
constexpr uint8_t kOrder4[4][4] = {{0, 2, 1, 3}, {1, 0, 3, 2}, {1, 3, 0, 2}, {0, 1, 2, 3}};
constexpr uint8_t kOrder6Portrait[4][6] = {
    {0, 2, 4, 1, 3, 5}, {1, 0, 3, 2, 5, 4}, {1, 3, 5, 0, 2, 4}, {0, 1, 2, 3, 4, 5}};
constexpr uint8_t kOrder6Landscape[4][6] = {
    {0, 3, 1, 4, 2, 5}, {2, 1, 0, 5, 4, 3}, {2, 5, 1, 4, 0, 3}, {0, 1, 2, 3, 4, 5}};
constexpr uint8_t kOrder9[4][9] = {{0, 3, 6, 1, 4, 7, 2, 5, 8},
                                   {2, 1, 0, 5, 4, 3, 8, 7, 6},
                                   {2, 5, 8, 1, 4, 7, 0, 3, 6},
                                   {0, 1, 2, 3, 4, 5, 6, 7, 8}};
constexpr uint8_t kOrder16[4][16] = {{0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15},
                                     {3, 2, 1, 0, 7, 6, 5, 4, 11, 10, 9, 8, 15, 14, 13, 12},
                                     {3, 7, 11, 15, 2, 6, 10, 14, 1, 5, 9, 13, 0, 4, 8, 12},
                                     {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}};

uint32_t StyleColumn(uint8_t style) { return style >= 5 && style <= 7 ? style - 5u : 3u; }

bool In(uint8_t value, std::initializer_list<uint8_t> set) {
  return std::find(set.begin(), set.end(), value) != set.end();
}

int32_t Clamp32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

uint8_t Layout_NupKind(uint8_t nupOn, uint8_t nupValue) {
  return nupOn != 0 && nupValue >= 1 && nupValue <= 5 ? nupValue : 0;
}

bool Layout_IsPoster(uint8_t nupOn, uint8_t nupValue) { return nupOn != 0 && nupValue >= 7 && nupValue <= 9; }

LayoutRowId Layout_GetRow(uint8_t nupKind, bool driverBooklet) {
  if (driverBooklet) return kLayoutBooklet;
  return nupKind <= 5 ? static_cast<LayoutRowId>(nupKind) : kLayoutNone;
}

const LayoutRow& Layout_RowOf(LayoutRowId row) { return kRows[row <= kLayoutBooklet ? row : 0]; }

bool Layout_TurnsPage(LayoutRowId row) {
  return row == kLayout2Up || row == kLayout6Up || row == kLayoutBooklet;
}

uint8_t Layout_SheetOrientation(LayoutRowId row, uint8_t documentOrientation) {
  const LayoutRow& r = Layout_RowOf(row);
  return documentOrientation == 2 ? r.sheetForLandscape : r.sheetForPortrait;
}

void Layout_Grid(LayoutRowId row, uint8_t sheetOrientation, uint32_t* columns, uint32_t* rows) {
  const LayoutRow& r = Layout_RowOf(row);
  *columns = sheetOrientation == 2 ? r.columnsLandscape : r.columnsPortrait;
  *rows = sheetOrientation == 2 ? r.rowsLandscape : r.rowsPortrait;
}

const uint8_t* Layout_CellOrder(LayoutRowId row, uint8_t nupStyle, uint8_t sheetOrientation) {
  const uint32_t c = StyleColumn(nupStyle);
  switch (row) {
    case kLayout2Up:
    case kLayoutBooklet:
      return nupStyle == 1 || nupStyle == 3 ? kOrder2Swapped : kOrder2;
    case kLayout4Up:
      return kOrder4[c];
    case kLayout6Up:
      return sheetOrientation == 2 ? kOrder6Landscape[c] : kOrder6Portrait[c];
    case kLayout9Up:
      return kOrder9[c];
    case kLayout16Up:
      return kOrder16[c];
    default:
      return kOrder1;
  }
}

bool Layout_ComputeCells(LayoutRowId row, uint8_t sheetOrientation, const PageFrame& output,
                         const PageFrame& document, LayoutCells* cells) {
  *cells = LayoutCells{};
  uint32_t columns, rows;
  Layout_Grid(row, sheetOrientation, &columns, &rows);
  const int64_t paperW = output.paperWidthDots, paperH = output.paperHeightDots;
  const int64_t left = output.leftDots, top = output.topDots;
  const int64_t right = paperW - output.printableWidthDots - left;
  const int64_t bottom = paperH - output.printableHeightDots - top;
  const int64_t cellW = (paperW - 2 * std::max(left, right)) / columns;
  const int64_t cellH = (paperH - 2 * std::max(top, bottom)) / rows;
  const int64_t docW = document.paperWidthDots, docH = document.paperHeightDots;
  if (cellW <= 0 || cellH <= 0 || docW <= 0 || docH <= 0) return false;

  // The cell's width is set against the page's height when the page turns.
  const bool turns = Layout_TurnsPage(row);
  const int64_t docAcross = turns ? docH : docW;
  const int64_t docDown = turns ? docW : docH;
  const int64_t scaleX = cellW * 10000 / docAcross * 100;
  const int64_t scaleY = cellH * 10000 / docDown * 100;
  const int64_t scale = std::min(scaleX, scaleY);
  // The scaled page leaves out the output margins of its axis on the sheet.
  const int64_t scaledW = (docAcross - left - right) * (scale / 100) / 10000;
  const int64_t scaledH = (docDown - top - bottom) * (scale / 100) / 10000;

  cells->cellWidth = Clamp32(cellW);
  cells->cellHeight = Clamp32(cellH);
  cells->scale = Clamp32(scale);
  cells->scaledWidth = Clamp32(scaledW);
  cells->scaledHeight = Clamp32(scaledH);
  cells->centreX = Clamp32((cellW - scaledW) / 2);
  cells->centreY = Clamp32((cellH - scaledH) / 2);
  cells->columns = columns;
  cells->rows = rows;
  cells->cells = Layout_RowOf(row).cells;
  for (uint32_t i = 0; i < cells->cells; ++i) {
    cells->originX[i] = Clamp32(left + cellW * (i % columns));
    cells->originY[i] = Clamp32(top + cellH * ((i / columns) % rows));
  }
  return true;
}

int16_t Layout_CellRotation(LayoutRowId row, uint8_t s, uint8_t d, uint8_t p, int32_t w, int32_t h, int32_t* x,
                            int32_t* y) {
  // true: origin (w, 0) and -90; false: origin (0, h) and 90.
  int turn = 0;  // 0 none, 1 the -90 turn, 2 the 90 turn
  if (row == kLayout4Up || row == kLayout9Up || row == kLayout16Up) {
    if (s == 1 && d == 2) turn = In(p, {1, 6, 7, 16, 17}) ? 1 : 2;
    if (s == 2 && d == 1) turn = In(p, {4, 15}) ? 2 : 1;
  } else if (row == kLayout2Up || row == kLayout6Up) {
    if (s == 2 && d == 1) turn = In(p, {2, 3, 5, 14, 16, 17}) ? 1 : 2;
    if (s == 1 && d == 2) turn = In(p, {0, 14, 15}) ? 2 : 1;
  } else if (row == kLayoutBooklet) {
    if (s == 2 && d == 1) turn = 2;
    if (s == 1 && d == 2) turn = 1;
  }
  *x = turn == 1 ? w : 0;
  *y = turn == 2 ? h : 0;
  return turn == 1 ? -90 : turn == 2 ? 90 : 0;
}

void Layout_PlacePage(LayoutRowId row, const LayoutCells& cells, const CellPage& page, CellPlacement* out) {
  *out = CellPlacement{};
  const int64_t z = page.reducePercent;
  const uint32_t cell = cells.cells == 0 ? 0 : page.order[page.index % cells.cells];
  const int64_t x0 = cells.originX[0], y0 = cells.originY[0];
  out->originX = Clamp32((cells.originX[cell] + cells.centreX - x0) * z / 100 + x0 + page.shiftX);
  out->originY = Clamp32((cells.originY[cell] + cells.centreY - y0) * z / 100 + y0 + page.shiftY);

  int32_t w = Clamp32(z * cells.scaledWidth / 100);
  int32_t h = Clamp32(z * cells.scaledHeight / 100);
  out->rotation = Layout_CellRotation(row, page.sheetOrientation, page.pageOrientation, page.bindingPosition, w,
                                      h, &out->turnOriginX, &out->turnOriginY);
  if (out->rotation != 0) std::swap(w, h);
  if (page.pageRotate180 != page.sheetRotate180) {
    out->turn180 = true;
    out->halfTurnOriginX = w;
    out->halfTurnOriginY = h;
  }
}

CellEdges Layout_InnerEdges(const LayoutCells& cells, uint32_t cell) {
  CellEdges e{};
  if (cells.columns == 0 || cells.rows == 0) return e;
  const uint32_t column = cell % cells.columns, r = (cell / cells.columns) % cells.rows;
  e.left = column != 0;
  e.right = column + 1 != cells.columns;
  e.top = r != 0;
  e.bottom = r + 1 != cells.rows;
  return e;
}
