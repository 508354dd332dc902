// The download of a string's soft font: the font header (once per font and
// job), then every character code of the string not yet sent, as TrueType
// outlines taken from the font file or as 1-bit bitmaps of the glyphs.
//
// The caller (the text engine) supplies the font file, the face's details
// and a way to get glyph bitmaps; everything here is pure, so the download is
// tested natively against hostile font files too.  A font file that cannot
// be read safely is refused by Font_PrepareOutlines, and the caller then
// downloads the face as bitmaps.
#pragma once

#include <cstdint>

#include "drender/pclxl/pclxl_writer.h"
#include "drender/text/soft_font_cache.h"
#include "drender/text/truetype_file.h"
#include "drender/text/xl_text_ops.h"

// Composite glyphs inside composite glyphs are followed this deep.
inline constexpr uint32_t kTtComponentDepth = 8;

// A glyph's bitmap as GDI renders it: rows of ceil(width / 8) bytes.
struct SoftFontBitmap {
  int32_t originX;  // left offset of the bitmap from the glyph origin
  int32_t originY;  // top offset (negative above the baseline)
  uint32_t width;
  uint32_t height;
  const uint8_t* rows;
  uint32_t rowsLength;
};
// Gets the bitmap of a glyph handle; false when there is none.
using SoftFontBitmapFn = bool (*)(void* context, uint32_t handle, SoftFontBitmap* bitmap);

// What a download writes with: the job's encoder, cache and character block.
struct SoftFontJob {
  XlEncoder* enc;
  SoftFontCache* cache;
  XlGlyphDownload* glyphs;
};

struct SoftFontFace {
  uint32_t key;              // the font key of the string
  const char* face;          // narrow family name (at most 63 bytes)
  uint8_t style;             // face style: 0, 1 bold, 2 italic, 4 both
  bool glyphIndexText;       // the codes are glyph ids
  bool bitmap;               // the bitmap form
  uint16_t xResolution;      // bitmap form: the job's resolutions
  uint16_t yResolution;
  // Outline form: the font file and what Font_PrepareOutlines read.
  const TtFile* file;
  TtFontState* state;
  TtCodeConvertFn convert;   // Shift-JIS and Wansung maps; may be null
  uint16_t defaultChar;      // the face's default character
  // Bitmap form.
  SoftFontBitmapFn getBitmap;
  void* bitmapContext;
};

// Locates the font in `data` (the chosen font of a collection) and reads its
// tables into `state`.  False when the file cannot serve an outline
// download.
bool Font_PrepareOutlines(const uint8_t* data, uint32_t size, const uint16_t* family,
                          uint32_t family_units, uint8_t charset, TtFile* file, TtFontState* state);

// The whole font header, BeginFontHeader to EndFontHeader.
uint32_t Font_WriteFontHeader(XlEncoder* enc, const char* name, const SoftFontFace& face);

// One outline character (and the components of a composite glyph).
uint32_t Font_DownloadTrueType(const SoftFontJob& job, const SoftFontFace& face, const char* name,
                               uint16_t code, uint32_t handle, bool default_char);

// Downloads what the string needs.  `codes` and `handles` hold the string's
// `count` character codes and glyph handles; `sent` receives the codes the
// text must use.  `name` receives the soft font's name.
uint32_t Font_DownloadSoftFont(const SoftFontJob& job, const SoftFontFace& face,
                               const uint16_t* codes, const uint32_t* handles, uint32_t count,
                               uint16_t* sent, char name[64]);
