// Reading what a soft-font download needs from a TrueType font file or
// collection: the table directory, the font of a collection that carries a
// face, the format-4 character map, glyph locations and data, horizontal
// metrics and the components of composite glyphs.
//
// The file comes from outside and is never trusted: every offset and length
// is checked against the file before it is read, and a check that fails
// gives "not found" (0 or false), never a read outside the file.  All values
// in the file are big-endian.  Pure code.
#pragma once

#include <cstdint>
#include <vector>

inline constexpr uint32_t TtTag(char a, char b, char c, char d) {
  return (uint32_t(uint8_t(a)) << 24) | (uint32_t(uint8_t(b)) << 16) | (uint32_t(uint8_t(c)) << 8) |
         uint32_t(uint8_t(d));
}

// A font file and the offset of one font's table directory in it (0 for a
// plain font file; for a font in a collection the offset that the
// collection header gives).  Table offsets count from the start of the file.
struct TtFile {
  const uint8_t* data;
  uint32_t size;
  uint32_t directory;
};

uint16_t Tt_Read16(const TtFile& file, uint32_t offset);  // 0 outside the file
uint32_t Tt_Read32(const TtFile& file, uint32_t offset);

// True when the file is a collection ('ttcf').
bool Tt_IsCollection(const uint8_t* data, uint32_t size);

// The directory entry of a table whose data lies wholly inside the file.
struct TtTable {
  uint32_t tag;
  uint32_t offset;
  uint32_t length;
};
bool Tt_FindTable(const TtFile& file, uint32_t tag, TtTable* table);

// Copies `length` bytes from byte `offset` of a table into `destination`
// (when given); the result is the table's length, 0 when the table is
// missing or the bytes asked for are not all inside it.
uint32_t Tt_ReadTable(const TtFile& file, uint32_t tag, uint32_t offset, void* destination,
                      uint32_t length);

// The font of a collection whose Windows family name (platform 3, encoding
// 1, in a language admitted for `charset`) begins the given family name
// (UTF-16, `family_units` units): the offset of its table directory.  Every
// font the collection counts is looked at, as far as its offsets lie inside
// the file.  No match: the first font's offset; not a usable collection: 0.
uint32_t Tt_FindCollectionFont(const uint8_t* data, uint32_t size, const uint16_t* family,
                               uint32_t family_units, uint8_t charset);

// Converts a character code for a Shift-JIS (encoding 2) or Wansung
// (encoding 5) character map: the code in that encoding, 0 when it has none.
using TtCodeConvertFn = uint16_t (*)(uint16_t encoding, uint16_t code);

// What the download of one font object has read from its font file.
struct TtFontState {
  bool ready = false;          // the tables below were found and checked
  std::vector<uint8_t> cmap;   // copy of the first format-4 subtable
  uint16_t segCountX2 = 0;
  uint16_t encoding = 0;
  uint16_t indexToLocFormat = 0;
  uint16_t numGlyphs = 0;
  uint16_t numberOfHMetrics = 0;
  TtTable loca{};
  TtTable glyf{};
  TtTable hmtx{};              // length 0 when absent
};

// Reads the character map, head, maxp, hhea, hmtx, loca and glyf of the
// font.  False when something the download needs is missing or malformed:
// the caller then sends the font as bitmaps instead.
bool Tt_OpenFont(const TtFile& file, TtFontState* state);

// The glyph of a character code through the format-4 map, 0 when none.
uint16_t Tt_CmapFormat4Lookup(const TtFontState& state, uint16_t code, TtCodeConvertFn convert);

// Offset (from the start of the file) and length of a glyph's data.  False
// for a glyph beyond the font's count, or one whose entries run backwards or
// out of the glyph table.  An empty glyph gives true with length 0.
bool Tt_GetLocaEntry(const TtFile& file, const TtFontState& state, uint16_t glyph, uint32_t* offset,
                     uint32_t* length);

// Left side bearing and advance of a glyph: xMin and xMax of its header,
// replaced by its horizontal metrics when the font has them for the glyph.
void Tt_GlyphMetrics(const TtFile& file, const TtFontState& state, uint16_t glyph,
                     uint32_t glyph_offset, uint32_t glyph_length, int16_t* lsb,
                     uint16_t* advance);

// The component glyph ids of a composite glyph, in order (empty for a
// simple glyph).  The walk stops at the end of the glyph data or at a
// component record that does not fit in it.
std::vector<uint16_t> Tt_CompositeComponents(const uint8_t* glyph, uint32_t length);

// The "GT" segment of a soft-font header, in its pieces: the segment start
// (6 bytes), the directory header (12), the six directory entries (96) and
// one piece per table present (cvt, fpgm, head, maxp, prep), padded to a
// multiple of 4.  Empty when the font has none of the tables.
std::vector<std::vector<uint8_t>> Tt_BuildGtSegment(const TtFile& file);
