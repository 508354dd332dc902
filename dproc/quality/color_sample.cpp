#include "dproc/quality/color_sample.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "common/cover/cover_geometry.h"

namespace {

int32_t I32At(const uint8_t* p) {
  int32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
uint32_t U32At(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
uint16_t U16At(const uint8_t* p) {
  uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}
int32_t Clamp(int32_t v, int32_t low, int32_t high) { return std::min(std::max(v, low), high); }
int32_t Lightness(int32_t a, int32_t b, int32_t c) {
  return (std::max({a, b, c}) + std::min({a, b, c})) / 2;
}
constexpr uint32_t kHeaderSize = 40;

}  // namespace

SampleDibShape SampleDibShapeOf(const SampleDib& dib) {
  SampleDibShape s{};
  if (dib.bytes == nullptr || dib.size < kHeaderSize || U32At(dib.bytes) < kHeaderSize) return s;
  const uint32_t headerSize = U32At(dib.bytes);
  const int32_t width = I32At(dib.bytes + 4), height = I32At(dib.bytes + 8);
  s.bits = U16At(dib.bytes + 14);
  const uint32_t used = U32At(dib.bytes + 32);
  if (width <= 0 || height == 0 || height == INT32_MIN || width > 65535 || std::abs(height) > 65535) return s;
  s.width = width;
  s.height = std::abs(height);
  s.colors = used != 0 ? used : s.bits == 1 ? 2 : s.bits == 4 ? 16 : s.bits == 8 ? 256 : 0;
  if (s.colors > 256 && s.bits <= 8) return s;
  if (s.colors > 65536) return s;
  s.tableAt = headerSize;
  s.bitsAt = s.tableAt + size_t{s.colors} * 4;
  s.stride = (size_t{uint32_t(width)} * s.bits + 31) / 32 * 4;
  if (headerSize > dib.size || s.bitsAt > dib.size || s.stride * size_t(s.height) > dib.size - s.bitsAt) return s;
  s.ok = true;
  return s;
}

int32_t ScaleSampleValue(int32_t value) { return Clamp(CoverMulDiv(value, 100, 9), -100, 100); }

bool BuildLightnessHistogram(uint32_t counts[256], const SampleDib& dib) {
  std::fill(counts, counts + 256, 0u);
  const SampleDibShape s = SampleDibShapeOf(dib);
  if (!s.ok) return false;
  for (int32_t y = 0; y < s.height; ++y) {
    const uint8_t* row = dib.bytes + s.bitsAt + s.stride * size_t(y);
    for (int32_t x = 0; x < s.width; ++x) {
      int32_t level = 0;
      if (s.bits == 8) {
        const uint8_t index = row[x];
        if (index < s.colors) {
          const uint8_t* e = dib.bytes + s.tableAt + size_t{index} * 4;
          level = Lightness(e[0], e[1], e[2]);
        }
      } else if (s.bits == 24) {
        const uint8_t* p = row + size_t(x) * 3;
        level = Lightness(p[0], p[1], p[2]);
      }
      ++counts[level];
    }
  }
  return true;
}

void BuildToneCurve(int32_t contrast, int32_t brightness, const SampleDib& dib, uint8_t curve[768]) {
  uint8_t levels[256];
  if (contrast == 0) {
    for (int i = 0; i < 256; ++i) levels[i] = static_cast<uint8_t>(i);
  } else {
    int32_t median = 128;
    uint32_t counts[256];
    if (BuildLightnessHistogram(counts, dib)) {
      const SampleDibShape s = SampleDibShapeOf(dib);
      const uint64_t half = uint64_t(s.width) * uint64_t(s.height) / 2;
      uint64_t sum = 0;
      median = 254;
      for (int32_t level = 0; level <= 253; ++level) {
        sum += counts[level];
        if (sum > half) {
          median = level;
          break;
        }
      }
    }
    int32_t x0 = 0, x1 = 255, y0 = 0, y1 = 255;
    if (contrast < 0) {
      y0 = CoverMulDiv(median, -contrast, 100);
      y1 = 255 - CoverMulDiv(255 - median, -contrast, 100);
    } else {
      x0 = CoverMulDiv(median, contrast, 100);
      x1 = 255 - CoverMulDiv(255 - median, contrast, 100);
    }
    for (int32_t i = 0; i < 256; ++i) {
      int32_t out;
      if (x1 != x0) out = CoverMulDiv(y1 - y0, i - x0, x1 - x0) + y0;
      else out = i < x0 ? 0 : 255;
      levels[i] = static_cast<uint8_t>(Clamp(out, 0, 255));
    }
  }
  for (int i = 0; i < 256; ++i) levels[i] = static_cast<uint8_t>(Clamp(levels[i] + brightness, 0, 255));
  for (int table = 0; table < 3; ++table) std::memcpy(curve + 256 * table, levels, 256);
}

void ApplyToneCurve(const uint8_t curve[768], const SampleDib& dib) {
  const SampleDibShape s = SampleDibShapeOf(dib);
  if (!s.ok) return;
  const uint8_t* red = curve;
  const uint8_t* green = curve + 256;
  const uint8_t* blue = curve + 512;
  auto map = [&](uint8_t* bgr) {
    bgr[0] = blue[bgr[0]];
    bgr[1] = green[bgr[1]];
    bgr[2] = red[bgr[2]];
  };
  if (s.bits == 8) {
    for (uint32_t i = 0; i < s.colors; ++i) map(dib.bytes + s.tableAt + size_t{i} * 4);
  } else if (s.bits == 24) {
    for (int32_t y = 0; y < s.height; ++y) {
      uint8_t* row = dib.bytes + s.bitsAt + s.stride * size_t(y);
      for (int32_t x = 0; x < s.width; ++x) map(row + size_t(x) * 3);
    }
  }
}

SampleHsv SampleRgbToHsv(uint8_t red, uint8_t green, uint8_t blue) {
  const double r = red, g = green, b = blue;
  const double largest = std::max({r, g, b}), smallest = std::min({r, g, b});
  const double delta = largest - smallest;
  SampleHsv hsv{0, largest == 0 ? 0 : delta / largest * 255, largest};
  if (delta == 0) return hsv;
  if (g == largest) {
    hsv.hue = b == smallest ? 60 + 60 * (largest - r) / delta : 120 + 60 * (b - smallest) / delta;
  } else if (b == largest) {
    hsv.hue = r == smallest ? 180 + 60 * (largest - g) / delta : 240 + 60 * (r - smallest) / delta;
  } else {
    hsv.hue = b == smallest ? 60 * (g - smallest) / delta : 300 + 60 * (largest - b) / delta;
  }
  return hsv;
}

void SampleHsvToRgb(const SampleHsv& hsv, uint8_t* red, uint8_t* green, uint8_t* blue) {
  const double v = hsv.value;
  const double low = v - v * hsv.saturation / 255;
  const double hue = std::min(std::max(hsv.hue, 0.0), 360.0);
  const int sector = std::min(static_cast<int>(hue / 60), 5);
  const double part = (hue - 60.0 * sector) / 60;
  const double rising = low + (v - low) * part, falling = v - (v - low) * part;
  double r = v, g = v, b = v;
  switch (sector) {
    case 0: r = v, g = rising, b = low; break;
    case 1: g = v, r = falling, b = low; break;
    case 2: g = v, b = rising, r = low; break;
    case 3: b = v, g = falling, r = low; break;
    case 4: b = v, r = rising, g = low; break;
    default: r = v, b = falling, g = low; break;
  }
  auto component = [](double c) { return static_cast<uint8_t>(std::min(std::max(c, 0.0), 255.0)); };
  *red = component(r);
  *green = component(g);
  *blue = component(b);
}

double HsvSaturationAfter(double saturation, int32_t chroma) {
  if (chroma > 0) return saturation + (255 - saturation) * chroma / 100;
  return saturation + saturation * chroma / 100;
}

int32_t HlsSaturationAfter(int32_t saturation, int32_t chroma) {
  int32_t s = saturation;
  if (chroma < 0) s = CoverMulDiv(saturation, chroma + 100, 100);
  else if (chroma > 0) s = saturation + CoverMulDiv(240 - saturation, chroma, 100);
  return Clamp(s, 1, 240);
}

void ChangeTableSaturationHsv(uint8_t* table, uint32_t entries, int32_t chroma) {
  for (uint32_t i = 0; i < entries; ++i) {
    uint8_t* e = table + size_t{i} * 4;
    SampleHsv hsv = SampleRgbToHsv(e[2], e[1], e[0]);
    hsv.saturation = HsvSaturationAfter(hsv.saturation, chroma);
    SampleHsvToRgb(hsv, &e[2], &e[1], &e[0]);
    e[3] = 0;
  }
}
