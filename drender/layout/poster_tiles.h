// Poster printing: one page enlarged over t x t sheets.  Each sheet draws
// the whole page shifted by one tile and blanks everything outside the tile.
#pragma once

#include <cstdint>

// Tiles in each direction for the poster values 7, 8 and 9 (2, 3, 4); 0
// for anything else.
uint32_t Poster_TilesPerSide(uint8_t nupValue);

// What the sheet of tile (column j, row i) draws, in page units.
struct PosterTile {
  int32_t tileWidth;   // m
  int32_t tileHeight;  // l
  int32_t originX;     // -j m, -i l
  int32_t originY;
  int32_t shiftX;      // the page's shifts in page units
  int32_t shiftY;
  // The tile rectangle kept (inclusive corners); the rest of the sheet's
  // cell (0, 0, cell width - 1, cell height - 1) is painted white.
  int32_t keepLeft, keepTop, keepRight, keepBottom;
};

struct PosterScale {
  bool fit;              // Zoom set: the fit scale; else the zoom percent
  uint32_t zoomValue;    // percent, 0 counts as 100
  uint32_t fitPercent;   // the paper-fit percent, 0 counts as 100
  int32_t fitScaleX;     // millionths
  int32_t fitScaleY;
};

// Returns false when the tile would have no size (no tiles, a fit scale
// under 100 millionths, an empty cell).
bool Poster_ComputeTile(const PosterScale& scale, uint32_t tiles, int32_t cellWidth, int32_t cellHeight,
                        int32_t shiftX, int32_t shiftY, uint32_t column, uint32_t row, PosterTile* tile);
