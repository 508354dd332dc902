// The per-page list (`InterSheetList`): a head with the list's name, its
// entry count, the address of its entries and its tab-sheet geometry, and
// the 574-byte page entries.  The user interface core sends the head and its
// entries to the render core in one block (the head first, the entries right
// behind it); the head is the only record shared between the libraries whose
// size follows the processor type: 82 bytes in the 64-bit build, 78 in the
// 32-bit build, because of the entry address.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr uint32_t kInterSheetEntrySize = 574;
inline constexpr uint32_t kInterSheetListHeadSize = sizeof(void*) == 8 ? 82 : 78;
inline constexpr uint32_t kInterSheetNameUnits = 17;
// The value of `paperSource` that means the document's own tray.
inline constexpr uint32_t kInterSheetSameTray = 32767;

#pragma pack(push, 1)

// The geometry of the tab sheets of a list: nine signed 32-bit values.
struct TabSettings {
  int32_t paperSize;     // value of the model's tab paper size entry
  int32_t width;         // sheet width, 0.1 mm
  int32_t height;        // sheet height, 0.1 mm
  int32_t bodyWidth;     // width without the tab strip, 0.1 mm
  int32_t tabCount;      // tab positions on one sheet, 2-15
  int32_t topSpace;      // mm
  int32_t bottomSpace;   // mm
  int32_t gap;           // mm
  int32_t charPos;       // caption shift, mm
};
static_assert(sizeof(TabSettings) == 36);

struct InterSheetEntry {
  char16_t pages[33];       // page text, "2,4,6-10"
  uint32_t printType;       // byte 66
  uint32_t paperSource;     // byte 70
  uint16_t staple;          // byte 74
  uint16_t punch;           // byte 76
  uint32_t finishStaple;    // byte 78
  uint32_t tabPaper;        // byte 82
  char16_t caption[193];    // byte 86, lines joined by CR LF
  uint32_t captionPos;      // byte 472
  uint32_t orientation;     // byte 476
  uint32_t vertPos;         // byte 480
  uint32_t horzPos;         // byte 484
  char16_t fontFace[32];    // byte 488
  uint32_t fontStyle;       // byte 552
  uint32_t fontSize;        // byte 556
  uint32_t reserved1;       // byte 560
  uint32_t row;             // byte 564
  uint16_t reserved2;       // byte 568
  uint16_t excluded;        // byte 570
  uint16_t showDefaults;    // byte 572
};
static_assert(sizeof(InterSheetEntry) == kInterSheetEntrySize);
static_assert(offsetof(InterSheetEntry, printType) == 66);
static_assert(offsetof(InterSheetEntry, paperSource) == 70);
static_assert(offsetof(InterSheetEntry, staple) == 74);
static_assert(offsetof(InterSheetEntry, punch) == 76);
static_assert(offsetof(InterSheetEntry, finishStaple) == 78);
static_assert(offsetof(InterSheetEntry, tabPaper) == 82);
static_assert(offsetof(InterSheetEntry, caption) == 86);
static_assert(offsetof(InterSheetEntry, captionPos) == 472);
static_assert(offsetof(InterSheetEntry, orientation) == 476);
static_assert(offsetof(InterSheetEntry, vertPos) == 480);
static_assert(offsetof(InterSheetEntry, horzPos) == 484);
static_assert(offsetof(InterSheetEntry, fontFace) == 488);
static_assert(offsetof(InterSheetEntry, fontStyle) == 552);
static_assert(offsetof(InterSheetEntry, fontSize) == 556);
static_assert(offsetof(InterSheetEntry, reserved1) == 560);
static_assert(offsetof(InterSheetEntry, row) == 564);
static_assert(offsetof(InterSheetEntry, reserved2) == 568);
static_assert(offsetof(InterSheetEntry, excluded) == 570);
static_assert(offsetof(InterSheetEntry, showDefaults) == 572);

struct InterSheetList {
  char16_t name[kInterSheetNameUnits];  // at most 16 characters
  uint32_t count;                       // byte 34
  InterSheetEntry* entries;             // byte 38; null when count is 0
  TabSettings tab;                      // byte 46 (64-bit) or 42 (32-bit)
};
static_assert(sizeof(InterSheetList) == kInterSheetListHeadSize);
static_assert(offsetof(InterSheetList, count) == 34);
static_assert(offsetof(InterSheetList, entries) == 38);
static_assert(offsetof(InterSheetList, tab) == 38 + sizeof(void*));

#pragma pack(pop)
