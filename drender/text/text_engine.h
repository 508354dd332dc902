// The text engine: one string of a page, with its font, becomes PCL XL.
// The font is a resident face chosen by substitution, or a soft font
// downloaded for the string (TrueType outlines, or bitmaps of the glyphs);
// then the character attributes, the font selection, the cursor and one
// Text operator with explicit spacing.
//
// The caller (the text entry point) reads GDI's string and font objects into
// the plain records below, writes the clip, the rectangles and the text
// colour, and hands over what the engine needs from the system (code page
// conversions, glyph bitmaps).  Pure code.
#pragma once

#include <cstdint>

#include "drender/pclxl/pclxl_writer.h"
#include "drender/text/device_fonts.h"
#include "drender/text/soft_font_download.h"
#include "drender/job/xl_state_cache.h"

// Font types (the font object's flFontType) and simulations.
enum : uint32_t {
  kFoTypeRaster = 0x1,
  kFoTypeDevice = 0x2,
  kFoTypeTrueType = 0x4,
  kFoSimBold = 0x2000,
  kFoSimItalic = 0x4000,
  kFoPostScript = 0x100000,
};
inline constexpr uint32_t kFmInfoDsig = 0x40000;
inline constexpr uint32_t kFmInfoType1 = 0x80000000u;
inline constexpr uint16_t kFmSelItalic = 0x01;
inline constexpr uint16_t kFmSelBold = 0x20;

// What stays from string to string within a job; cleared at every page
// start, so that each page selects its own font.
struct TextState {
  uint32_t lastFontKey;
  char currentName[64];
};
void Text_ResetState(TextState* state);

// What the engine keeps per font object (its download state).
struct TextFontObjectState {
  bool prepared = false;
  bool outlines = false;  // the font file can serve an outline download
  TtFile file{};
  TtFontState tt;
};

struct TextFont {
  uint32_t flFontType;
  uint32_t iUniq;
  uint32_t iFace;
  const IfiFields* ifi;        // null: the font has no metrics
  bool hasXform;
  float m11, m12, m21, m22;    // the font transform (XFORML)
  const uint8_t* file;         // TrueType: the mapped font file, or null
  uint32_t fileSize;
  TextFontObjectState* object; // per font object; null: no outline download
};

struct TextGlyph {
  uint32_t handle;
  int32_t x, y;        // position in device pixels
  int32_t advance;     // advance in 28.4 device units (fxD), 0 unknown
};

struct TextString {
  uint32_t codePage;
  bool glyphIndex;            // glyph-index text
  bool advancesAreExact;      // zero bearings, increments equal to the bitmaps
  const uint16_t* units;      // count UTF-16 units (or glyph ids)
  const TextGlyph* glyphs;    // count glyphs
  uint32_t count;
};

struct TextSettings {
  uint8_t fontSubstitute;     // non-zero: never substitute
  uint8_t fontDownload;       // 2: soft fonts as bitmaps
  uint16_t substituteCount;   // entries in use (at most 27)
  const uint8_t* substituteFamilies;  // resident family number (1 to 32) per entry
  const uint32_t* substituteSums;     // byte sum of the TrueType family name per entry
  uint16_t xResolution, yResolution;
  bool trackContent;          // blank pages are dropped: keep the text content bit
};

struct TextServices {
  // Converts `count` UTF-16 units to code page `cp`; the bytes written, 0 on
  // failure.
  uint32_t (*toCodePage)(uint32_t cp, const uint16_t* units, uint32_t count, uint8_t* out,
                         uint32_t capacity);
  TtCodeConvertFn convertCmapCode;
  SoftFontBitmapFn getBitmap;
  void* bitmapContext;
};

struct TextJob {
  XlEncoder* enc;
  XlStateCache* cache;
  SoftFontCache* softFonts;
  XlGlyphDownload* glyphs;
  TextState* state;
  const DeviceFontEntry* devices;  // the resident faces, entry i = font i + 1
  uint32_t deviceCount;
};

// The byte sum of a narrow family name, without a vertical face's at sign.
uint32_t Text_NameSum(const char* narrow);
// The em height in device pixels of `units_per_em` font units under the
// transform.
uint16_t Text_EmHeight(const TextFont& font, uint16_t units_per_em);
// The baseline angle in whole degrees of a transform that is not a multiple
// of a right angle.
int32_t Text_Angle(const TextFont& font, uint16_t units_per_em);
// The spacing of the glyphs: 2 x count values, X steps then Y steps, the
// last of each 0.
void Text_BuildSpacing(const TextString& text, int32_t angle, int16_t* out);

// Draws the string from the font choice to the Text operator.  0 only when
// the stream cannot be written.
uint32_t Text_Draw(const TextJob& job, const TextSettings& settings, const TextFont& font,
                   const TextString& text, const TextServices& services);
