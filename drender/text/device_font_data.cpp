#include "drender/text/device_font_data.h"

#include <cmath>
#include <cstring>

#include "drender/pclxl/pclxl_numeric.h"

namespace {

int16_t Le16s(const uint8_t* at) { return int16_t(at[0] | (at[1] << 8)); }
int32_t Le32s(const uint8_t* at) {
  return int32_t(uint32_t(at[0]) | (uint32_t(at[1]) << 8) | (uint32_t(at[2]) << 16) | (uint32_t(at[3]) << 24));
}

int32_t Fix(double v) {
  const double r = std::llround(v * 16.0);
  if (r > 2147483647.0) return 2147483647;
  if (r < -2147483648.0) return -2147483647 - 1;
  return int32_t(r);
}

// |T(0, v)| in 28.4 units, negative for a negative v, rounded to a pixel.
int32_t VerticalLength(const FontTransform& t, int32_t v) {
  const int32_t x = Fix(double(v) * t.m21), y = Fix(double(v) * t.m22);
  int64_t len = Rdc_Hypot(x, y);
  if (v < 0) len = -len;
  return int32_t((len + 8) & ~int64_t(15));
}

}  // namespace

uint16_t DeviceFont_Advance(const DeviceFontEntry& entry, uint32_t glyph) {
  const uint8_t* m = entry.metrics.data();
  if (glyph <= 255 && !entry.widths.empty()) {
    const IfiFields& f = entry.ifi;
    uint32_t c = glyph;
    if (c < f.firstChar || c > f.lastChar) c = f.defaultChar;
    if (c < f.firstChar || c > f.lastChar) return 0;
    return entry.widths[c - f.firstChar];
  }
  const bool dbcsFixed = entry.ifi.flInfo & 0x10000000u;
  return uint16_t(Le16s(m + (dbcsFixed ? 78 : 76)));
}

void DeviceFont_GlyphData(const DeviceFontEntry& entry, const FontTransform& t, uint32_t glyph,
                          DeviceGlyphData* out) {
  std::memset(out, 0, sizeof *out);
  if (!entry.Loaded()) return;
  const uint8_t* m = entry.metrics.data();
  const int32_t w = DeviceFont_Advance(entry, glyph);
  out->fxInkBottom = VerticalLength(t, Le32s(m + 144 + 12));
  out->fxInkTop = VerticalLength(t, Le32s(m + 144 + 4));
  const int32_t x = Fix(4096.0 * t.m11), y = Fix(4096.0 * t.m12);
  const int64_t length = Rdc_Hypot(x, y);
  const auto scaled = [w](int64_t v) { return int32_t((((v * w) >> 12) + 8) & ~int64_t(15)); };
  out->ptqDx = scaled(x);
  out->ptqDy = scaled(y);
  out->fxD = out->fxAB = scaled(length);
}
