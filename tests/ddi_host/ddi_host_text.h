// String and font objects of the test host, as GDI hands them to the
// driver's DrvTextOut: a string of glyphs with positions (given at once or
// only by enumeration), a font with its metrics block, transform, TrueType
// font file and glyph bitmaps.  The object services that read them are
// exported by the program (ddi_host_text.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "drender/text/ddi_text_types.h"

// A metrics block (IFIMETRICS, 64-bit layout) with the fields the render
// core reads and the family name after it.
struct HostIfi {
  std::u16string family;
  uint8_t charset = 0;
  uint16_t unitsPerEm = 2048;
  uint16_t fsSelection = 0;
  uint32_t flInfo = 0;
  uint8_t weight = 5;  // PANOSE bWeight
  uint16_t defaultChar = 0x20;
};
std::vector<uint8_t> HostIfiBlock(const HostIfi& ifi);

struct HostGlyphBitmap {
  POINTL origin;               // ptlOrigin
  SIZEL size;                  // sizlBitmap
  std::vector<uint8_t> rows;   // ceil(cx / 8) bytes per row
  FIX advance = 0;             // fxD
};

class HostFont {
 public:
  HostFont(FLONG flFontType, ULONG iUniq, const HostIfi& ifi, XFORML xform, std::vector<uint8_t> fontFile = {});
  ~HostFont();
  HostFont(const HostFont&) = delete;
  HostFont& operator=(const HostFont&) = delete;
  FONTOBJ* get();
  void SetGlyph(HGLYPH handle, HostGlyphBitmap bitmap);
  int glyphRequests() const;

 private:
  void* impl_;
};

struct HostGlyphPos {
  HGLYPH handle;
  POINTL position;
};

class HostString {
 public:
  // `enumerateOnly`: pgp is null, the glyphs come from STROBJ_bEnum.
  HostString(std::u16string text, std::vector<HostGlyphPos> glyphs, ULONG codePage = 1252, FLONG flAccel = 0,
             bool enumerateOnly = false);
  ~HostString();
  HostString(const HostString&) = delete;
  HostString& operator=(const HostString&) = delete;
  STROBJ* get();

 private:
  void* impl_;
};

// Glyphs laid out left to right from (x, y), `step` pixels apart, with
// handles 1, 2, 3, ...
std::vector<HostGlyphPos> HostGlyphRow(size_t count, LONG x, LONG y, LONG step);

// The transform GDI gives the font object of a face of `points` points on a
// device of dpiX x dpiY dots per inch: font units (`unitsPerEm` to the em)
// to device pixels, each axis at its own resolution (anisotropic on a fax
// device of 200 x 100 dpi).
XFORML HostFontTransform(double points, uint32_t dpiX, uint32_t dpiY, uint16_t unitsPerEm);
// The em of that face in pixels along an axis of `dpi` dots per inch.
double HostEmPixels(double points, uint32_t dpi);
// Glyphs of `text` (handles 1, 2, 3, ...) laid out left to right from
// (x, y) by the advances Windows' GDI gives the face `face` at an em of
// `emPixelsX` pixels: where GDI puts the glyphs of a line on such a device.
// Falls back to `emPixelsX` / 2 apart when the face cannot be had.
std::vector<HostGlyphPos> HostGlyphRowByAdvances(const wchar_t* face, const std::u16string& text, double emPixelsX,
                                                 LONG x, LONG y);
