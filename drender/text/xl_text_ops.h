// The font and text operator writers of the render core: soft-font headers
// and characters, removal of a soft font, the character attributes with
// their caches, the font selection and the text itself.
//
// They write through the job's encoder and decide only how things are laid
// out; what to send is decided by the soft-font download and the text
// engine.  Multi-byte fields inside character headers are big-endian, as the
// character formats require.  Pure code.
#pragma once

#include <cstdint>

#include "drender/pclxl/pclxl_writer.h"
#include "drender/job/xl_state_cache.h"

// The longest soft-font or resident-font name, without its terminator.
inline constexpr uint32_t kXlFontNameMax = 63;

// State of one job's character download: a BeginChar block is open.
struct XlGlyphDownload {
  uint32_t open;
};

// Metrics of an outline glyph (values passed through as given).
struct XlOutlineGlyph {
  int16_t leftSideBearing;
  uint16_t advanceWidth;
  uint16_t glyphId;
  uint32_t defaultChar;  // the face's default character
  uint32_t component;    // a component of a composite glyph
};

// Metrics of a bitmap glyph.  Rows hold ceil(sourceWidth / 8) bytes; the
// character is sent `width` pixels wide, each row followed by zero bytes.
struct XlBitmapGlyph {
  int16_t left;
  int16_t top;
  uint16_t width;        // the character width sent (a multiple of 8)
  uint16_t height;
  uint16_t sourceWidth;  // the glyph's own pixel width
};

// FontName, RemoveFont.
uint32_t XL_RemoveFont(XlEncoder* enc, const char* name);
// FontName, FontFormat 0, BeginFontHeader.
uint32_t XL_BeginFontHeader(XlEncoder* enc, const char* name);
// One header piece: FontHeaderLength, ReadFontHeader, the data with a
// four-byte length.  A piece longer than 65,535 bytes is split into several
// ReadFontHeader operators, since its length is a uint16.
uint32_t XL_ReadFontHeader(XlEncoder* enc, const void* data, uint32_t length);
uint32_t XL_EndFontHeader(XlEncoder* enc);
// One outline character: BeginChar with the name when no block is open,
// then CharCode, CharDataSize, ReadChar, the 10-byte header and the glyph.
// The default character and components go out with the code 0xFFFF; the
// default character (not a component of it) carries glyph id 0.  A glyph
// longer than 65,527 bytes cannot be described and is refused.
uint32_t XL_DownloadOutlineGlyph(XlEncoder* enc, XlGlyphDownload* state, const char* name,
                                 uint16_t code, const XlOutlineGlyph& glyph, const uint8_t* data,
                                 uint32_t length);
// One bitmap character, framed the same way.  `rows` holds height rows of
// ceil(sourceWidth / 8) bytes; a width below the source width is refused.
uint32_t XL_DownloadBitmapGlyph(XlEncoder* enc, XlGlyphDownload* state, const char* name,
                                uint16_t code, const XlBitmapGlyph& glyph, const uint8_t* rows,
                                uint32_t rows_length);
// EndChar when a block is open; closes it.
uint32_t XL_EndChar(XlEncoder* enc, XlGlyphDownload* state);

// Character attributes, written only when they differ from the cache.  A
// value that is not a number never equals the cache.
uint32_t XL_SetCharShear(XlEncoder* enc, XlStateCache* cache, float x, float y);
uint32_t XL_SetCharBoldValue(XlEncoder* enc, XlStateCache* cache, float value);
// A written scale makes the cached angle unknown (-1), so that the next
// angle request is written.
uint32_t XL_SetCharScale(XlEncoder* enc, XlStateCache* cache, float x, float y);
uint32_t XL_SetCharAngle(XlEncoder* enc, XlStateCache* cache, int16_t angle);

// The font selection: the name (NUL-terminated, at most 63 bytes read), the
// character size and the symbol set.
struct XlFontSelection {
  char name[64];
  uint16_t charSize;
  uint16_t symbolSet;
};
static_assert(sizeof(XlFontSelection) == 68);
// FontName, CharSize, SymbolSet, SetFont.
uint32_t XL_SetFont(XlEncoder* enc, const XlFontSelection& font);

// A Text operator.
struct XlTextRun {
  bool wide;          // uint16 text, else ubyte
  bool glyphIndex;    // glyph-index text
  bool doubleByte;    // Shift-JIS codes
  const void* text;   // count bytes or count uint16 values
  const int16_t* xSpacing;  // count values, or null
  const int16_t* ySpacing;
  uint32_t count;
};
// Where the page content flag is kept: the content test runs only when
// `track` is set (blank pages are dropped) and the cache says the user
// interface core is not drawing.
struct XlTextContent {
  bool track;
};
// TextData, then XSpacingData and YSpacingData when there are two glyphs or
// more and the array has a non-zero value, then Text.  Sets the page's text
// content bit when the text has a non-blank character (glyph-index text
// always counts) and the brush is not white.
uint32_t XL_Text(XlEncoder* enc, XlStateCache* cache, const XlTextContent& content,
                 const XlTextRun& run);
// True when the text has a character that is not blank.
bool XL_TextHasInk(const XlTextRun& run);
