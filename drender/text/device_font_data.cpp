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

namespace {

// T(x, y) in 28.4 device units, and in whole device units.
void Apply(const FontTransform& t, double x, double y, int32_t out[2]) {
  out[0] = Fix(x * t.m11 + y * t.m21);
  out[1] = Fix(x * t.m12 + y * t.m22);
}
void ApplyWhole(const FontTransform& t, double x, double y, int32_t out[2]) {
  out[0] = int32_t(std::lround(x * t.m11 + y * t.m21));
  out[1] = int32_t(std::lround(x * t.m12 + y * t.m22));
}
int64_t Length(const int32_t v[2]) { return Rdc_Hypot(v[0], v[1]); }
int32_t RoundToPixel(int64_t fix) { return int32_t((fix + 8) & ~int64_t(15)); }

}  // namespace

void DeviceFont_MaxExtents(const DeviceFontEntry& entry, const FontTransform& t, uint32_t dpi, DeviceMetrics* out) {
  constexpr uint32_t kConstantWidth = 0x1000, kDbcsFixedPitch = 0x10000000;
  if (!entry.Loaded()) return;
  const uint8_t* m = entry.metrics.data();
  const uint8_t charset = m[44], pitch = m[45];
  const uint32_t flInfo = uint32_t(Le32s(m + 48));
  const int32_t units = Le16s(m + 56), maxInc = Le16s(m + 78);
  const int32_t boxTop = Le32s(m + 144 + 4), boxBottom = Le32s(m + 144 + 12);
  const bool fixedPitch = (pitch & 0x01) != 0;
  const bool dbcsFixed = (flInfo & kDbcsFixedPitch) != 0;
  out->flRealizedType = 0;
  int32_t v[2];
  Apply(t, units, 0, v);
  int64_t len = Length(v);
  out->pteBase[0] = len ? float(double(v[0]) / double(len)) : 1.0f;
  out->pteBase[1] = len ? float(double(v[1]) / double(len)) : 0.0f;
  Apply(t, 0, -units, v);
  const int64_t side = Length(v);
  out->pteSide[0] = side ? float(double(v[0]) / double(side)) : 0.0f;
  out->pteSide[1] = side ? float(double(v[1]) / double(side)) : -1.0f;
  // The em in pixels and in points; the external leading by the face's kind.
  const int64_t em = side >> 4;
  const int64_t points = dpi ? em * 72 / dpi : 0;
  int64_t base;
  if (pitch & 0x10) {
    base = 2;
  } else if (pitch & 0x20) {
    base = points <= 12 ? 2 : (points == 13 ? 3 : 4);
  } else {
    base = points * 196 / 1000;
  }
  int64_t external = (base * dpi / 72) * 16 - ((int64_t{boxTop} - boxBottom - 1000) * em / 1000) * 16;
  if (external < 0 || fixedPitch || dbcsFixed) external = 0;
  out->lNonLinearExtLeading = int32_t(external);
  if (fixedPitch || (charset == 128 && dbcsFixed)) out->lNonLinearIntLeading = 0;
  ApplyWhole(t, maxInc, 0, v);
  out->cxMax = uint32_t(Length(v));
  out->lD = ((charset == 128 && (flInfo & kConstantWidth)) || (charset != 128 && fixedPitch)) ? int32_t(out->cxMax) : 0;
  Apply(t, 0, boxTop, v);
  out->fxMaxAscender = RoundToPixel(Length(v));
  int64_t d = boxBottom < 0 ? -int64_t{boxBottom} : boxBottom;
  if (fixedPitch && !(charset == 128 && dbcsFixed)) {
    d += int64_t{boxBottom} - boxTop + 1000;
    if (d < 0) d = 0;
  }
  Apply(t, 0, double(d), v);
  out->fxMaxDescender = RoundToPixel(Length(v));
  ApplyWhole(t, 0, -Le16s(m + 102), out->ptlUnderline1);
  ApplyWhole(t, 0, -Le16s(m + 106), out->ptlStrikeOut);
  ApplyWhole(t, 0, Le16s(m + 100), out->ptlULThickness);
  out->ptlSOThickness[0] = out->ptlULThickness[0];
  out->ptlSOThickness[1] = out->ptlULThickness[1];
}
