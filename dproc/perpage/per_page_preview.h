// The geometry of the per-page pictures: the tab sheet schematic fitted
// into a rectangle (the tab drawn to the scale of its length), and the
// place of each caption line inside its tab.  Lengths in pixels unless said.
#pragma once

#include <cstdint>

#include "common/records/inter_sheet_list.h"

struct TabSchematic {
  bool drawn;         // false: nothing to draw (no font size, no height, tabs that do not fit)
  int32_t tab;        // the tab's length along the sheet edge
  int32_t strip;      // the width of the tab strip of the sheet
  int32_t protrude;   // how far the tab stands out of the sheet
  int32_t fontHeight; // the caption font's height
  int32_t margin;     // the caption's distance from the tab's ends
};

// Fits one tab of `tab` (its length by the tab rule, at least the length
// of a 378 (0.1 mm) reference tab for the first fit) with its margins into
// `height` pixels; the font of `fontSize` points to the same scale.
TabSchematic FitTabSchematic(const TabSettings& tab, uint32_t fontSize, int32_t height);

// The document's staple mode that pictures a per-page staple code (257 to
// 266); 0 for a code that has none.
uint8_t PreviewStapleMode(uint16_t staple);

struct TabRect {
  int32_t left, top, right, bottom;
};
enum class CaptionAlign : uint8_t { kLeft, kCentre, kRight };
struct CaptionPlace {
  int32_t x, y;
  CaptionAlign align;
};
// Line `index` of `lines` of a caption (turned by 90 degrees for
// `orientation` 1, by 270 otherwise) in the tab `r`, with the line pitch
// `pitch` and the margin `margin`, by the entry's places along (`vertPos`)
// and across (`horzPos`) the tab.
CaptionPlace PlaceCaptionLine(const TabRect& r, uint32_t orientation, uint32_t vertPos, uint32_t horzPos, int32_t index,
                              int32_t lines, int32_t pitch, int32_t margin);
