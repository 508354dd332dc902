#include "duicore/events/watermark_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace {

struct Tables {
  std::array<int32_t, 361> cos, sin;
  Tables() {
    for (int k = 0; k <= 360; ++k) {
      const double r = (k - 180) * 3.14159265358979323846 / 180.0;
      cos[k] = static_cast<int32_t>(std::lround(std::cos(r) * 1000000.0));
      sin[k] = static_cast<int32_t>(std::lround(std::sin(r) * 1000000.0));
    }
  }
};

const Tables& T() {
  static const Tables tables;
  return tables;
}

// The table entry of an angle: (angle + 180) mod 360, never negative.
int Index(int32_t degrees) {
  const int32_t reduced = ((degrees % 360) + 360) % 360;  // 0..359
  return static_cast<int>((reduced + 180) % 360);
}

int32_t Trunc(double v) { return static_cast<int32_t>(v); }

}  // namespace

int32_t WmCos(int32_t degrees) { return T().cos[Index(degrees)]; }
int32_t WmSin(int32_t degrees) { return T().sin[Index(degrees)]; }

WmPoint WmTurn(int32_t x, int32_t y, int32_t degrees, int32_t cx, int32_t cy) {
  const int64_t c = WmCos(degrees) / 100, s = WmSin(degrees) / 100;
  const int64_t dx = x - cx, dy = y - cy;
  return {static_cast<int32_t>(cx + (c * dx + s * dy) / 10000), static_cast<int32_t>(cy + (c * dy - s * dx) / 10000)};
}

WmPoint WmSingleCentre(int32_t width, int32_t height, int32_t posX, int32_t posY) {
  const int64_t halfW = width / 2, halfH = height / 2;
  return {static_cast<int32_t>(halfW + posX * halfW / 100), static_cast<int32_t>(halfH - posY * halfH / 100)};
}

WmBoldSteps WmBoldStepsFor(int32_t ascent) {
  const int32_t n = ascent / 200;
  return {n != 0 ? 2 : 1, std::max(n, 1)};
}

std::vector<WmPoint> WmBoldOffsets(int32_t ascent) {
  const WmBoldSteps s = WmBoldStepsFor(ascent);
  static const WmPoint kDirections[8] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, -1}, {1, 1}, {1, -1}, {-1, 1}};
  std::vector<WmPoint> out;
  for (const WmPoint& d : kDirections) {
    for (int32_t k = 1; k <= s.count; ++k) out.push_back({d.x * k * s.step, d.y * k * s.step});
  }
  return out;
}

int32_t WmPenWidth(int32_t resolutionX, int32_t sizePoints) {
  return Trunc(resolutionX * 0.00167 * sizePoints + 0.5);
}

uint32_t WmGrey(uint32_t color) {
  const uint32_t r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
  const uint32_t grey = (30 * r + 59 * g + 11 * b) / 100;
  return grey | (grey << 8) | (grey << 16);
}

std::vector<WmPoint> WmCirclePoints(int32_t cx, int32_t cy, int32_t textWidth, int32_t textHeight, int32_t degrees) {
  const int64_t a = std::max(Trunc(0.75 * textWidth), Trunc(0.75 * textHeight));
  const int64_t b = Trunc(0.75 * textHeight);
  std::vector<WmPoint> out;
  out.reserve(361);
  for (int32_t phi = 0; phi <= 360; ++phi) {
    const auto x = static_cast<int32_t>(cx + a * WmCos(phi) / 1000000);
    const auto y = static_cast<int32_t>(cy + b * WmSin(phi) / 1000000);
    out.push_back(WmTurn(x, y, degrees, cx, cy));
  }
  return out;
}

std::vector<WmPoint> WmSquarePoints(int32_t cx, int32_t cy, int32_t textWidth, int32_t textHeight, int32_t degrees) {
  const int32_t w = std::max(Trunc(0.75 * textWidth), Trunc(0.75 * textHeight));
  const int32_t h = Trunc(0.75 * textHeight);
  const WmPoint corners[5] = {{-w, h}, {w, h}, {w, -h}, {-w, -h}, {-w, h}};
  std::vector<WmPoint> out;
  for (const WmPoint& p : corners) out.push_back(WmTurn(cx + p.x, cy + p.y, degrees, cx, cy));
  return out;
}

std::vector<WmPoint> WmTileCentres(const WmTileInput& in) {
  std::vector<WmPoint> out;
  if (in.resolutionX <= 0 || in.resolutionY <= 0 || in.width <= 0 || in.height <= 0) return out;
  int32_t b, a;
  if (in.framed) {
    b = Trunc(0.75 * (in.textWidth + in.pen / 2));
    a = Trunc(0.75 * (in.textHeight + in.pen / 2));
  } else {
    b = in.textWidth / 2;
    a = in.textHeight / 2;
  }
  b = std::max(b, a);
  const WmPoint p1 = WmTurn(b, a, in.degrees, 0, 0), p2 = WmTurn(b, -a, in.degrees, 0, 0);
  const WmPoint p3 = WmTurn(-b, -a, in.degrees, 0, 0), p4 = WmTurn(-b, a, in.degrees, 0, 0);
  int64_t k = std::max(std::abs(p1.x - p3.x), std::abs(p2.x - p4.x));
  int64_t g = std::max(std::abs(p1.y - p3.y), std::abs(p2.y - p4.y));
  g += 2 * Trunc(in.resolutionY * 0.167 + 0.5);
  k += 2 * Trunc(in.resolutionX * 0.167 + 0.5);
  if (g <= 0 || k <= 0) return out;
  int64_t row = (in.height / 2 + g - in.posY * g / 100) % g;
  if (row > 0) row -= g;
  int64_t column0 = (k + in.posX * k / 100 + in.width / 2) % k;
  if (column0 > 0) column0 -= k;
  for (; row - g / 2 < in.height; row += g) {
    for (int64_t column = column0; column - k / 2 < in.width; column += k) {
      out.push_back({static_cast<int32_t>(column), static_cast<int32_t>(row)});
    }
  }
  return out;
}
