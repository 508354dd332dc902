// The printer's resident faces as the render core knows them: one entry per
// font number, loaded from the font library's font-metrics record (resource
// type 259): the face's metrics block, its advance widths, the 16-byte name
// the printer knows it by, its symbol set and whether the printer simulates
// its bold or italic variant.
//
// The record comes from a resource and is checked against its size: a block
// or table outside the record leaves the entry without it.  Pure code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "drender/text/device_glyph_sets.h"
#include "rindfnt/font_records.h"

// Fields of a metrics block (the driver interface's IFIMETRICS in its 64-bit
// layout), at their offsets.
struct IfiFields {
  uint8_t charset = 0;
  uint32_t flInfo = 0;
  uint16_t fsSelection = 0;
  uint16_t unitsPerEm = 0;
  uint8_t firstChar = 0, lastChar = 0, defaultChar = 0;
  uint16_t wcDefaultChar = 0;
  uint8_t weight = 0;              // PANOSE bWeight
  std::u16string family;
};
inline constexpr uint32_t kIfiMetricsSize = 192;
// Reads the fields of a block of `size` bytes; false when the block is too
// small or its family name does not end inside it.
bool Ifi_Read(const uint8_t* block, uint32_t size, IfiFields* out);

struct DeviceFontEntry {
  std::vector<uint8_t> metrics;  // the metrics block, names made plain
  IfiFields ifi;
  std::vector<uint16_t> widths;  // last - first + 2 entries, the extra one 0; empty: fixed pitch
  char xlName[17] = {};
  uint16_t symbolSet = 0;
  uint8_t boldSimulated = 0;
  uint8_t italicSimulated = 0;
  GlyphSetBlock glyphSet;        // the characters of the face; empty: none
  bool Loaded() const { return !metrics.empty(); }
};

// The fixed values the metrics of every resident face get once loaded:
// the font information flags (outline, any transform, right-handed; fixed
// pitch faces also constant or double-byte fixed width), the regular
// selection for a face without one, the embedding type, the culture, and
// PANOSE values made from the face's weight and pitch.
void DeviceFont_FixMetrics(uint8_t* metrics);

// The symbol set the printer selects a resident face with, by font number.
uint16_t DeviceFont_SymbolSet(uint32_t number);

// Loads font `number` (1 to 128) from its record.  The names of symbol faces,
// stored as private-use characters, are made plain.  False when the metrics
// block is missing or damaged: the entry then has only its symbol set.
bool DeviceFont_Load(const uint8_t* record, uint32_t size, uint32_t number, DeviceFontEntry* entry);

// The advance of a single-byte code in font units: from the width table,
// the default character's for a code outside it; 0 without widths.
uint16_t DeviceFont_Width(const DeviceFontEntry& entry, uint8_t code);
