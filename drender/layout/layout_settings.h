// The layout and placement values of a page, read from its document
// settings: the layout row, poster tiles, N-up style, zoom, and the binding
// and image shift fields.  Values a DEVMODE can carry but that mean nothing
// (negative percents and widths) are read as 0, which the computations treat
// as "no zoom" (100 %) and "no shift".
#pragma once

#include <cstdint>

#include "common/records/settings_records.h"
#include "drender/layout/layout_cells.h"
#include "drender/layout/page_placement.h"

struct LayoutSettings {
  LayoutRowId row;        // kLayoutNone outside driver layout
  bool driverLayout;      // an N-up kind of 1 to 5, or a driver booklet
  uint32_t posterTiles;   // tiles per side of a poster page, 0 when none
  uint8_t nupStyle;
  uint8_t orientation;    // 1 portrait, 2 landscape
  uint8_t sheetOrientation;
  bool rotate180;
  bool zoomFit;           // Zoom set: fit to the output paper
  uint32_t zoomValue;     // percent; 0 when the settings hold none
  bool borderOn;          // BorderLine: frame each page of an N-up sheet
  uint8_t borderLine;     // BorderLine_op: 2 only the edges between cells, else the cell
  uint8_t bookletBinding;
};

// `modelDriverBooklet` is the model's driver-booklet value: a booklet
// print type is laid out by the render core only when it is set.
LayoutSettings Layout_ReadSettings(const DocDMode& doc, bool modelDriverBooklet);
// The binding fields; an automatic position (14) is left for the caller to
// resolve by the binding-edge rule.
BindingSettings Layout_ReadBinding(const DocDMode& doc);
// The image shift fields; `modelImageShift` is the model's image-shift value.
ImageShiftSettings Layout_ReadImageShift(const DocDMode& doc, uint8_t modelImageShift);
