// The arithmetic of the watermark: the turning tables, the page position of
// a single watermark, the tiles of a repeated one, the simulated bold's
// shifted copies and the frame outlines.  Device pixels throughout.
#pragma once

#include <cstdint>
#include <vector>

struct WmPoint {
  int32_t x, y;
  bool operator==(const WmPoint&) const = default;
};

// cos and sin of `degrees` x 1,000,000 from the tables of -180..180 degrees;
// any angle is reduced modulo 360 first.
int32_t WmCos(int32_t degrees);
int32_t WmSin(int32_t degrees);
// (x, y) turned counter-clockwise on the page by `degrees` about (cx, cy),
// in ten-thousandths, truncating.
WmPoint WmTurn(int32_t x, int32_t y, int32_t degrees, int32_t cx, int32_t cy);

// The centre of a single watermark on a page of `width` x `height`.
WmPoint WmSingleCentre(int32_t width, int32_t height, int32_t posX, int32_t posY);

// Simulated bold: the offsets of the shifted copies for an ascent
// (tmHeight - tmDescent): eight directions, k x step for k = 1..count.
struct WmBoldSteps {
  int32_t step, count;
};
WmBoldSteps WmBoldStepsFor(int32_t ascent);
std::vector<WmPoint> WmBoldOffsets(int32_t ascent);

// Frame pen width for the resolution and the size in points.
int32_t WmPenWidth(int32_t resolutionX, int32_t sizePoints);
// Grey of a colour (0x00BBGGRR) for grayscale jobs.
uint32_t WmGrey(uint32_t color);

// The outline points of the frames about (cx, cy), turned by `degrees`.
std::vector<WmPoint> WmCirclePoints(int32_t cx, int32_t cy, int32_t textWidth, int32_t textHeight, int32_t degrees);
std::vector<WmPoint> WmSquarePoints(int32_t cx, int32_t cy, int32_t textWidth, int32_t textHeight, int32_t degrees);

// The centres of the tiles of a repeated watermark, row by row.  Zero
// resolutions or an empty tile give none.
struct WmTileInput {
  int32_t resolutionX, resolutionY;
  int32_t textWidth, textHeight;
  bool framed;
  int32_t pen;
  int32_t degrees;
  int32_t posX, posY;
  int32_t width, height;
};
std::vector<WmPoint> WmTileCentres(const WmTileInput& in);
