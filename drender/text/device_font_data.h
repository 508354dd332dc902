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
