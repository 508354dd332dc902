// The tables the device library's dialogs read, built once at attach from
// the main description file: the colour option lists, the destination
// lists, the display-text tables of its dialogs and the column titles of
// the media list.  Each list has built-in rows that stand when the file
// has no section for it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/media/media_columns.h"
#include "common/qxd/disp_string_table.h"
#include "common/qxd/model_rows.h"
#include "common/qxd/qxd_reader.h"

// One row of the built-in colour keyword tables: the value and its keyword
// for each object kind (text, image, graphics); an empty keyword is none.
struct ColorKeywordRow {
  int32_t value;
  char text[32];
  char image[32];
  char graphics[32];
};
static_assert(sizeof(ColorKeywordRow) == 100);

// Object kinds, as ReadDestinationList takes them.
enum ColorObjectKind : uint32_t { kColorText = 1, kColorImage = 2, kColorGraphics = 4 };

// The list capacities, terminator row included.
inline constexpr size_t kRgbSingleRows = 3;
inline constexpr size_t kRgbFullRows = 17;
inline constexpr size_t kRgbShortRows = 3;
inline constexpr size_t kColorMatchRows = 5;
inline constexpr size_t kGrayRows = 4;
inline constexpr size_t kHalftoneRows = 4;
inline constexpr size_t kGraphHalftoneRows = 6;
inline constexpr size_t kSimulationRows = 7;
inline constexpr size_t kDestinationProfRows = 2;
inline constexpr size_t kCmykGrayRows = 4;
inline constexpr size_t kObjectDestinationRows = 2;

// The media list's column titles: the same rows as the procedure
// library's list (MediaListColumn).
inline constexpr size_t kMediaColumnCount = kMediaListColumns;

struct ColorObjectLists {
  OptionItem rgbFull[kRgbFullRows];
  OptionItem rgbShort[kRgbShortRows];
  OptionItem colorMatch[kColorMatchRows];
  OptionItem gray[kGrayRows];
  OptionItem halftone[kGraphHalftoneRows];  // text and image use the first 4 rows
  OptionItem destination[kObjectDestinationRows];
};

struct DeviceTables {
  OptionItem rgbSingle[kRgbSingleRows];
  ColorObjectLists text, image, graphics;
  OptionItem simulation[kSimulationRows];
  OptionItem destinationProf[kDestinationProfRows];
  OptionItem cmykGray[kCmykGrayRows];
  DispStringItem common[17];
  DispStringItem colorSetting[34];
  DispStringItem paperSourceTray[16];
  MediaListColumn mediaColumns[kMediaColumnCount];
};

// The tables with their built-in rows, empty texts and built-in column
// titles.
void ResetDeviceTables(DeviceTables* tables);
// Everything the description file gives: the display texts, the colour
// option lists, the column titles and the destination lists.
void LoadDeviceTables(QxdContext* ctx, DeviceTables* tables);

// The texts of a display table from its section; false (table unchanged)
// when the section is absent.
bool ReadDispStringSection(QxdContext* ctx, const char* section, DispStringItem* table);
// Rebuilds the destination list of one object kind from its section; false
// for another kind or a missing section (list unchanged).
bool ReadDestinationList(QxdContext* ctx, DeviceTables* tables, uint32_t kind);

// The built-in keyword tables (each ends at a row of value -1).
const ColorKeywordRow* RgbSourceKeywords();
const ColorKeywordRow* ColorMatchKeywords();
const ColorKeywordRow* GrayKeywords();
const ColorKeywordRow* HalftoneKeywords();
