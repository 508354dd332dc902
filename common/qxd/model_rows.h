// The rows of the model's lists and of the option tables.
//
// A list is one block of rows of one kind; every row starts with its own
// size in bytes and the list ends at the first row whose keyword is empty
// (the terminator, which is the last row of the block).  Keywords are ASCII
// of at most 31 characters; display texts are UTF-16.  These are in-memory
// rows of one process; only their sizes are fixed.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr uint32_t kRowIconId = 32515;
inline constexpr size_t kKeywordSize = 32;

// The head that every option row begins with, whatever its size: the model's
// lists serve as option tables through it.
struct OptionHead {
  uint32_t size;
  char keyword[kKeywordSize];
  uint32_t value;
  uint32_t flag;
  uint32_t iconId;
};
static_assert(sizeof(OptionHead) == 48);
// The row after `row` in its table.
inline const OptionHead* NextOptionRow(const OptionHead* row) {
  return reinterpret_cast<const OptionHead*>(reinterpret_cast<const uint8_t*>(row) + row->size);
}

// The option record shared by the feature table and the model's lists.
struct OptionItem {
  uint32_t size;            // 144
  char keyword[kKeywordSize];
  uint32_t value;
  uint32_t flag;            // set by the constraint engine to mark a refused option
  uint32_t iconId;
  char16_t text[48];
};
static_assert(sizeof(OptionItem) == 144);
static_assert(offsetof(OptionItem, value) == 36);
static_assert(offsetof(OptionItem, flag) == 40);
static_assert(offsetof(OptionItem, text) == 48);

struct ModelListItem {
  uint32_t size;            // 240
  char keyword[kKeywordSize];
  uint32_t value;
  uint32_t flag;
  uint32_t iconId;          // 0 in the "Combination" and "Folding" lists
  char16_t text[32];
  char note[128];
};
static_assert(sizeof(ModelListItem) == 240);

struct ModelWideListItem {
  uint32_t size;            // 272
  char keyword[kKeywordSize];
  uint32_t value;
  uint32_t flag;
  uint32_t iconId;
  char16_t text[48];
  char note[128];
};
static_assert(sizeof(ModelWideListItem) == 272);

struct FinishPositionItem {
  uint32_t size;            // 288
  char keyword[kKeywordSize];
  uint32_t value;
  uint32_t flag;
  uint32_t iconId;
  char16_t text[32];
  char note[128];
  uint32_t feedData[12];    // filled at start-up from built-in tables
};
static_assert(sizeof(FinishPositionItem) == 288);

struct ResolutionItem {
  uint32_t size;            // 120
  char keyword[kKeywordSize];
  uint32_t index;           // place in the list
  uint32_t flag;
  uint32_t iconId;
  char16_t text[32];
  uint16_t values[3];
  uint16_t resolution;      // dots per inch, from the keyword
};
static_assert(sizeof(ResolutionItem) == 120);

struct CollateItem {
  uint32_t size;            // 180
  char keyword[kKeywordSize];
  uint32_t value;
  uint32_t flag;
  uint32_t iconId;
  uint32_t extra;
  char text1[64];
  char text2[64];
};
static_assert(sizeof(CollateItem) == 180);

struct TabPaperSizeItem {
  uint32_t size;            // 156
  char keyword[kKeywordSize];
  uint32_t value;
  uint32_t flag;
  uint32_t iconId;
  char16_t text[48];
  uint32_t first;
  uint32_t second;
  uint32_t third;
};
static_assert(sizeof(TabPaperSizeItem) == 156);

// One page size of a paper at one resolution.
struct PageSizeEntry {
  uint32_t resolution;
  uint32_t width;           // dots
  uint32_t length;
};
// The margins of a paper at one resolution.
struct ResolutionMargins {
  uint32_t resolution;
  uint32_t left, top, right, bottom;  // dots
};
static_assert(sizeof(PageSizeEntry) == 12 && sizeof(ResolutionMargins) == 20);

struct PaperSizeEntry {
  uint32_t size;            // 1004
  char keyword[kKeywordSize];
  uint32_t paperId;
  uint32_t flag;
  uint32_t iconId;
  char16_t name[48];
  char16_t nameCopy[48];
  char16_t shortName[48];
  char16_t shortNameCopy[48];
  char note[128];
  uint32_t width;           // 0.1 mm
  uint32_t length;
  uint32_t pageSizeCount;
  PageSizeEntry pageSizes[6];
  uint32_t pairFlag;
  uint32_t pairFirst;
  uint32_t pairSecond;
  uint32_t margins[4];      // left, top, right, bottom, 0.1 mm
  ResolutionMargins resolutionMargins[6];
  uint32_t further[4];
  uint32_t marginsFlag;
  uint32_t resolutionMarginsFlag;
  uint32_t furtherFlag;
  uint32_t rotatedFeed;     // the paper is fed with its other edge first
  uint32_t value444;
  uint32_t twoUpValid;
  char twoUpKeyword[kKeywordSize];
  uint32_t twoUpValue;
  uint32_t halfWidth;
  uint32_t halfLength;
  char twoUpText[128];
};
static_assert(sizeof(PaperSizeEntry) == 1004);

struct OutPaperSizeEntry {
  uint32_t size;            // 440
  char keyword[kKeywordSize];
  uint32_t paperId;
  uint32_t flag;
  uint32_t iconId;
  char16_t name[48];
  char16_t nameCopy[48];
  char16_t shortName[48];
  char16_t shortNameCopy[48];
  uint32_t extra1;
  uint32_t extra2;
};
static_assert(sizeof(OutPaperSizeEntry) == 440);

struct InTrayEntry {
  uint32_t size;            // 256
  char keyword[kKeywordSize];  // empty for a tray that is not present
  uint32_t binId;
  uint32_t flag;
  uint32_t iconId;
  char16_t name[32];
  char note[128];
  uint8_t reserved[16];
};
static_assert(sizeof(InTrayEntry) == 256);

struct TrayMediaLabel {
  uint32_t size;            // 112
  char keyword[kKeywordSize];
  uint32_t binId;
  uint32_t flag;
  uint32_t iconId;
  char16_t label[32];
};
static_assert(sizeof(TrayMediaLabel) == 112);

// One installable option of the device with its list of values.
struct DeviceOptionItem {
  uint32_t size;
  char keyword[kKeywordSize];  // also the name of the option's own section
  uint32_t optionIndex;
  uint32_t flag;
  uint32_t iconId;
  char16_t name[48];
  OptionItem* values;
};

// A model name with its per-model values.
struct MachineValue {
  char key[16];
  char value[16];
};
struct MachineRow {
  char name[16];
  uint32_t itemCount;       // items + 1 (the last all zero)
  MachineValue* items;
};
