// The glyph and extent answers of the resident faces (GDI's font data
// queries), computed from a face's metrics under the font's transform.
// Pure code.
#pragma once

#include <cstdint>

#include "drender/text/device_fonts.h"

// The font transform (XFORML) applied to font units: 28.4 device units.
struct FontTransform {
  float m11, m12, m21, m22;
};

// What a glyph query gives (the GLYPHDATA fields written).
struct DeviceGlyphData {
  int32_t fxD, fxA, fxAB, fxInkTop, fxInkBottom;
  int32_t ptqDx, ptqDy;  // high 32 bits of the 64-bit advance vector
};
// The advance of character `glyph` in font units.
uint16_t DeviceFont_Advance(const DeviceFontEntry& entry, uint32_t glyph);
void DeviceFont_GlyphData(const DeviceFontEntry& entry, const FontTransform& t, uint32_t glyph,
                          DeviceGlyphData* out);

// The extents of a realised face (the device metrics record GDI passes to
// the extents query: 124 bytes).
struct DeviceMetrics {
  uint32_t flRealizedType;
  float pteBase[2];
  float pteSide[2];
  int32_t lD;
  int32_t fxMaxAscender;
  int32_t fxMaxDescender;
  int32_t ptlUnderline1[2];
  int32_t ptlStrikeOut[2];
  int32_t ptlULThickness[2];
  int32_t ptlSOThickness[2];
  uint32_t cxMax;
  uint32_t cyMax;
  uint32_t cjGlyphMax;
  float fdxQuantized[4];
  int32_t lNonLinearExtLeading;
  int32_t lNonLinearIntLeading;
  int32_t lNonLinearMaxCharWidth;
  int32_t lNonLinearAvgCharWidth;
  int32_t lMinA;
  int32_t lMinC;
  int32_t lMinD;
  int32_t alReserved[1];
};
static_assert(sizeof(DeviceMetrics) == 124);
// Fills the fields of the extents query for the face under the transform on
// a device of `dpi` dots per inch vertically; the other fields are left as
// the caller passed them.
void DeviceFont_MaxExtents(const DeviceFontEntry& entry, const FontTransform& t, uint32_t dpi, DeviceMetrics* out);
