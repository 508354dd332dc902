// The arithmetic of the watermark edit dialog's preview: the paper placed in
// the control, the page in points, the turning of the text, its frames and
// the tiles of a repeated watermark.  Page coordinates are points with y
// growing downwards; every division truncates toward zero.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct PreviewPoint {
  int32_t x, y;
  bool operator==(const PreviewPoint&) const = default;
};

struct PreviewRect {
  int32_t left, top, right, bottom;
  bool operator==(const PreviewRect&) const = default;
};

// A length in tenths of a millimetre in points: ((t x 100 + 127) / 254) x 72 / 100.
int32_t PreviewPointsOf(int32_t tenths);

// The paper (tenths of a millimetre) in a client area of `right` x `bottom`
// pixels: eight tenths of the client along the paper's longer side (its
// width when as wide as tall), centred.  A paper without width or height
// is an empty rectangle at the centre.
PreviewRect FitPreviewPaperRect(int32_t right, int32_t bottom, int32_t paperWidth, int32_t paperHeight);

// Cosine and sine of a whole degree in ten-thousandths, truncated (any
// angle is reduced modulo 360).
struct PreviewTurn {
  int32_t c, s;
};
PreviewTurn PreviewTurnOf(int32_t degrees);

// The centre of a single watermark: (0, 0) the page centre, (100, 100) its
// top-right corner.
PreviewPoint PreviewSingleCentre(int32_t width, int32_t height, int32_t posX, int32_t posY);

// Where the text of `textWidth` x `textHeight` starts so that, turned by
// `degrees`, its box is centred on `centre`.
PreviewPoint PreviewTextOrigin(PreviewPoint centre, int32_t textWidth, int32_t textHeight, int32_t degrees);

// The frames about `centre`: the 361 points of the ellipse, and the closed
// square of 5 points.
std::vector<PreviewPoint> PreviewCircleFrame(PreviewPoint centre, int32_t textWidth, int32_t textHeight,
                                             int32_t degrees);
std::vector<PreviewPoint> PreviewSquareFrame(PreviewPoint centre, int32_t textWidth, int32_t textHeight,
                                             int32_t degrees);
// The square frame's pen: the character height / 16.
int32_t PreviewSquarePen(int32_t sizePoints);

// The centres of a repeated watermark's tiles, row by row.  A pitch of 0 or
// less gives none, and no more than kMaxPreviewTiles are given.
inline constexpr size_t kMaxPreviewTiles = 2000;
struct PreviewTileInput {
  int32_t width, height;          // the page in points
  int32_t textWidth, textHeight;  // the text's extent and the font's height
  int32_t sizePoints;             // the watermark's size
  int32_t frame;                  // 1 none, 2 circle, 3 square
  int32_t degrees;
  int32_t posX, posY;
};
std::vector<PreviewPoint> PreviewTileCentres(const PreviewTileInput& in);
