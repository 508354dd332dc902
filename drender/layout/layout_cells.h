// Driver layout of N-up and booklet sheets: which row of the layout table a
// job uses, the orientation of its sheets, the order in which the pages of a
// sheet fill its cells, the cells themselves and where a page lands in its
// cell (origin, turn by 90 degrees, turn by 180 degrees).
//
// Everything here is arithmetic on values the caller takes from the job's
// settings and page frames; nothing is written.  Extents that would divide
// by zero (an empty document frame, a sheet without printable area) give no
// layout instead.
#pragma once

#include <cstdint>

#include "drender/settings/page_frame.h"

// Rows of the layout table: the N-up kinds 0 (none, also poster) to 5
// (16-up), and the driver booklet.
enum LayoutRowId : uint8_t {
  kLayoutNone = 0,
  kLayout2Up = 1,
  kLayout4Up = 2,
  kLayout6Up = 3,
  kLayout9Up = 4,
  kLayout16Up = 5,
  kLayoutBooklet = 6,
};
inline constexpr uint32_t kLayoutMaxCells = 16;

struct LayoutRow {
  uint8_t cells;
  // Sheet orientation (1 portrait, 2 landscape) for a portrait and for a
  // landscape document.
  uint8_t sheetForPortrait;
  uint8_t sheetForLandscape;
  // Columns and rows on a landscape and on a portrait sheet.
  uint8_t columnsLandscape;
  uint8_t rowsLandscape;
  uint8_t columnsPortrait;
  uint8_t rowsPortrait;
};

// The N-up kind of the settings: the N-up value when N-up is on and the
// value is a kind of 1 to 5; poster values (7 to 9) and anything else give 0.
uint8_t Layout_NupKind(uint8_t nupOn, uint8_t nupValue);
// True for poster pages (N-up on with 7, 8 or 9); the tiles per direction
// are then 2, 3 or 4 (Poster_TilesPerSide).
bool Layout_IsPoster(uint8_t nupOn, uint8_t nupValue);
// The row the job uses: the booklet row for a driver booklet, else the
// row of its N-up kind.
LayoutRowId Layout_GetRow(uint8_t nupKind, bool driverBooklet);
const LayoutRow& Layout_RowOf(LayoutRowId row);
// 2-up, 6-up and booklets turn the page on the sheet.
bool Layout_TurnsPage(LayoutRowId row);
// The sheet's orientation for a document orientation (1 portrait, 2
// landscape; anything else counts as portrait).
uint8_t Layout_SheetOrientation(LayoutRowId row, uint8_t documentOrientation);
// Columns and rows of the row on a sheet of the given orientation.
void Layout_Grid(LayoutRowId row, uint8_t sheetOrientation, uint32_t* columns, uint32_t* rows);

// The cell that the k-th page of a sheet goes to, for k from 0 to cells - 1,
// by the N-up style; the 6-up order depends on the sheet's orientation.
const uint8_t* Layout_CellOrder(LayoutRowId row, uint8_t nupStyle, uint8_t sheetOrientation);

struct LayoutCells {
  int32_t cellWidth;  // dots
  int32_t cellHeight;
  int32_t scale;      // millionths, 1,000,000 = 100 %
  int32_t scaledWidth;  // the page in the cell, on the sheet's axes
  int32_t scaledHeight;
  int32_t centreX;    // offset of the scaled page inside its cell
  int32_t centreY;
  uint32_t columns;
  uint32_t rows;
  uint32_t cells;
  int32_t originX[kLayoutMaxCells];
  int32_t originY[kLayoutMaxCells];
};

// The cells of a sheet: `output` is the output paper's frame for the
// sheet's orientation, `document` the job frame in that orientation.
// Returns false (and leaves no layout) when the document frame has no
// extent or the sheet leaves no room for a cell.
bool Layout_ComputeCells(LayoutRowId row, uint8_t sheetOrientation, const PageFrame& output,
                         const PageFrame& document, LayoutCells* cells);

// How a page is placed in its cell.
struct CellPlacement {
  int32_t originX;  // first page origin: the cell's corner, shifted
  int32_t originY;
  int16_t rotation;  // 0, 90 or -90: then the origin below and the rotation
  int32_t turnOriginX;
  int32_t turnOriginY;
  bool turn180;  // then a second origin and the rotation 180
  int32_t halfTurnOriginX;
  int32_t halfTurnOriginY;
};

struct CellPage {
  uint32_t index;          // the page's counter on the run; its cell is index mod cells
  const uint8_t* order;    // the cell order of the sheet
  uint32_t reducePercent;  // binding-shift reduction, 100 when none
  int32_t shiftX;          // binding and image shift of the page, dots
  int32_t shiftY;
  uint8_t sheetOrientation;  // the sheet's saved orientation
  uint8_t pageOrientation;
  uint8_t bindingPosition;
  bool sheetRotate180;
  bool pageRotate180;
};

// The rotation of a page on its sheet (0, 90 or -90) and the origin that
// goes with it, for the scaled width w and height h of the page.
int16_t Layout_CellRotation(LayoutRowId row, uint8_t sheetOrientation, uint8_t pageOrientation,
                            uint8_t bindingPosition, int32_t w, int32_t h, int32_t* x, int32_t* y);

// Where the page goes: its origin (the centred cell corner, reduced about
// cell 0 by the reduction percent, plus the shifts), its turn and its half
// turn when its Rotate180 differs from the sheet's.
void Layout_PlacePage(LayoutRowId row, const LayoutCells& cells, const CellPage& page, CellPlacement* out);

// The cell of a page whose border is drawn when the border mode is 2: which
// of its edges face another cell (left, right, top, bottom).
struct CellEdges {
  bool left, right, top, bottom;
};
CellEdges Layout_InnerEdges(const LayoutCells& cells, uint32_t cell);
