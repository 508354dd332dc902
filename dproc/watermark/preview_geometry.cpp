#include "dproc/watermark/preview_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace {

// Sine and cosine of -180 .. 179 degrees x 1,000,000, truncated.
struct TurnTable {
  std::array<int32_t, 360> cos{}, sin{};
  TurnTable() {
    for (int i = 0; i < 360; ++i) {
      const double radians = (i - 180) * (3.14159265358979323846 / 180.0);
      cos[i] = static_cast<int32_t>(std::cos(radians) * 1000000.0);
      sin[i] = static_cast<int32_t>(std::sin(radians) * 1000000.0);
    }
  }
};

// `p` turned by `turn` about the origin, then moved to `centre`.
PreviewPoint Turned(PreviewPoint centre, int64_t u, int64_t v, PreviewTurn turn) {
  return {static_cast<int32_t>(centre.x + (u * turn.c / 10000 + v * turn.s / 10000)),
          static_cast<int32_t>(centre.y + (v * turn.c / 10000 - u * turn.s / 10000))};
}

// The frame's half extents: 0.7 of the font height, and 0.7 of the text
// width but no less than that.
void FrameHalves(int32_t textWidth, int32_t textHeight, int32_t* across, int32_t* up) {
  *up = static_cast<int32_t>(0.7 * textHeight);
  *across = std::max(static_cast<int32_t>(0.7 * textWidth), *up);
}

}  // namespace

int32_t PreviewPointsOf(int32_t tenths) {
  return static_cast<int32_t>((static_cast<int64_t>(tenths) * 100 + 127) / 254 * 72 / 100);
}

PreviewRect FitPreviewPaperRect(int32_t right, int32_t bottom, int32_t paperWidth, int32_t paperHeight) {
  if (paperWidth <= 0 || paperHeight <= 0) return {right / 2, bottom / 2, right / 2, bottom / 2};
  const float scale = paperWidth >= paperHeight ? static_cast<float>(right * 8 / 10) / static_cast<float>(paperWidth)
                                                : static_cast<float>(bottom * 8 / 10) / static_cast<float>(paperHeight);
  const auto width = static_cast<int32_t>(static_cast<float>(paperWidth) * scale);
  const auto height = static_cast<int32_t>(static_cast<float>(paperHeight) * scale);
  const int32_t left = (right - width) / 2, top = (bottom - height) / 2;
  return {left, top, left + width, top + height};
}

PreviewTurn PreviewTurnOf(int32_t degrees) {
  static const TurnTable table;
  const int index = static_cast<int>(((degrees % 360 + 360) % 360 + 180) % 360);
  return {table.cos[index] / 100, table.sin[index] / 100};
}

PreviewPoint PreviewSingleCentre(int32_t width, int32_t height, int32_t posX, int32_t posY) {
  const int64_t halfW = width / 2, halfH = height / 2;
  return {static_cast<int32_t>(halfW + posX * halfW / 100), static_cast<int32_t>(halfH - posY * halfH / 100)};
}

PreviewPoint PreviewTextOrigin(PreviewPoint centre, int32_t textWidth, int32_t textHeight, int32_t degrees) {
  const PreviewTurn t = PreviewTurnOf(degrees);
  const int64_t halfW = textWidth / 2, halfH = textHeight / 2;
  return {static_cast<int32_t>(centre.x - (halfW * t.c / 10000 + halfH * t.s / 10000)),
          static_cast<int32_t>(centre.y - (halfH * t.c / 10000 - halfW * t.s / 10000))};
}

std::vector<PreviewPoint> PreviewCircleFrame(PreviewPoint centre, int32_t textWidth, int32_t textHeight,
                                             int32_t degrees) {
  int32_t rx = 0, ry = 0;
  FrameHalves(textWidth, textHeight, &rx, &ry);
  const PreviewTurn t = PreviewTurnOf(degrees);
  std::vector<PreviewPoint> points;
  points.reserve(361);
  for (int32_t k = 0; k <= 360; ++k) {
    const PreviewTurn at = PreviewTurnOf(k);
    points.push_back(Turned(centre, int64_t{at.c} * rx / 10000, int64_t{at.s} * ry / 10000, t));
  }
  return points;
}

std::vector<PreviewPoint> PreviewSquareFrame(PreviewPoint centre, int32_t textWidth, int32_t textHeight,
                                             int32_t degrees) {
  int32_t b = 0, a = 0;
  FrameHalves(textWidth, textHeight, &b, &a);
  const PreviewTurn t = PreviewTurnOf(degrees);
  const int32_t corners[5][2] = {{-b, a}, {b, a}, {b, -a}, {-b, -a}, {-b, a}};
  std::vector<PreviewPoint> points;
  for (const auto& corner : corners) points.push_back(Turned(centre, corner[0], corner[1], t));
  return points;
}

int32_t PreviewSquarePen(int32_t sizePoints) { return sizePoints / 16; }

std::vector<PreviewPoint> PreviewTileCentres(const PreviewTileInput& in) {
  std::vector<PreviewPoint> centres;
  if (in.width <= 0 || in.height <= 0) return centres;
  const bool framed = in.frame == 2 || in.frame == 3;
  int32_t hx = in.textWidth / 2, hy = in.textHeight / 2;
  if (framed) {
    hx = static_cast<int32_t>((in.sizePoints / 2 + in.textWidth) * 0.7);
    hy = static_cast<int32_t>((in.sizePoints / 2 + in.textHeight) * 0.7);
  }
  const int32_t bx = std::max(hx, hy);
  const PreviewTurn t = PreviewTurnOf(in.degrees);
  const PreviewPoint origin{0, 0};
  const PreviewPoint c0 = Turned(origin, -bx, hy, t), c1 = Turned(origin, bx, hy, t);
  const PreviewPoint c2 = Turned(origin, bx, -hy, t), c3 = Turned(origin, -bx, -hy, t);
  int64_t px = std::max(std::llabs(int64_t{c3.x} - c1.x), std::llabs(int64_t{c2.x} - c0.x));
  int64_t py = std::max(std::llabs(int64_t{c3.y} - c1.y), std::llabs(int64_t{c2.y} - c0.y));
  const int64_t space = in.frame == 1 ? 16 : -16;
  px += space;
  py += space;
  if (px <= 0 || py <= 0) return centres;
  int64_t y0 = (in.height / 2 - py * in.posY / 100 + py) % py;
  if (y0 > 0) y0 -= py;
  if (y0 - py / 2 >= in.height) return centres;
  int64_t x0 = (in.width / 2 + px * in.posX / 100 + px) % px;
  if (x0 > 0) x0 -= px;
  for (int64_t y = y0; y - py / 2 < in.height; y += py) {
    for (int64_t x = x0; x - px / 2 < in.width; x += px) {
      if (centres.size() == kMaxPreviewTiles) return centres;
      centres.push_back({static_cast<int32_t>(x), static_cast<int32_t>(y)});
    }
  }
  return centres;
}
