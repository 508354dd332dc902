// Field validation of the sheets and dialogs: the edit item table, whose
// descriptors the main description file supplies per field, the character
// filter, the unit conversions of numeric ranges, and the texts of the range
// label and of the range and length messages.
//
// The dialog-facing checks (edit_items_win.cpp) read a field, decide with
// the routines here, and show their messages through the UI services table.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dproc/model/edit_item_format.h"
#include "common/qxd/qxd_reader.h"

struct EditCharRule {
  uint32_t kind;   // kEditRuleAllow, kEditRuleForbid, anything else: no rule
  uint32_t size;   // bytes of the list
  uint8_t* list;   // own copy, or null
};

struct EditItemDesc {
  EditDescHead head;
  EditCharRule rules[kEditRuleCount];
  EditCheckBlock check;
  EditLengthBlock length;
};

struct EditItemRow {
  char keyword[64];  // names the field and its descriptor's section
  uint32_t controlId;
  EditItemDesc* desc;  // null: the field is never refused
};

inline constexpr size_t kEditItemRowCount = 32;

// Loads every row's descriptor from the main description file (rows whose
// section is missing or damaged keep none).  Replaces what an earlier call
// loaded.
void LoadEditItemTable(QxdContext* mainFile);
void FreeEditItemTable();
const EditItemRow* EditItemRows();
// The descriptor of the first row with the control id, or null.
const EditItemDesc* FindEditItem(uint32_t controlId);
// The first row whose keyword and `keyword` agree over the shorter of the two
// lengths, ASCII case ignored; null when none does.
const EditItemRow* FindEditItemByKeyword(const char* keyword);

// Units of numeric fields.
enum EditUnit : int {
  kEditUnitMm = 1,
  kEditUnitTenthMm = 2,
  kEditUnitHundredthInch = 3,
  kEditUnitThousandthInch = 4,
};
enum EditBoundKind : int { kEditBoundMin = 1, kEditBoundMax = 2, kEditBoundOther = 0 };

// Converts `*value` between units, truncating toward zero; a bound converted
// from tenths of a millimetre to thousandths of an inch rounds up for a
// minimum and down for a maximum.  Results beyond 32 bits saturate.
void ConvertEditUnits(int from, int to, int boundKind, int32_t* value);
// A field's text as a number of the display unit.
int32_t ParseEditNumber(const char16_t* text, int stored, int display);
// A stored value as the field shows it; 0 (and an empty text) when the
// display unit has no text form for a value of a known stored unit.
int FormatEditNumber(int32_t value, int stored, int display, char16_t* out, size_t capacity);
bool IsAtLeastEditMin(const char16_t* text, int stored, int display, const EditItemDesc* desc);
bool IsAtMostEditMax(const char16_t* text, int stored, int display, const EditItemDesc* desc);
bool IsInEditRange(const char16_t* text, int stored, int display, const EditItemDesc* desc);

// One character of a field in both forms: its UTF-16 unit and its bytes in
// the ANSI code page.
struct EditChar {
  char16_t wide;
  uint8_t ansi[2];
  uint8_t ansiLength;  // 1 or 2
};

bool IsCharOfClass(const EditChar& c, int charClass);
// Removes the characters of the class that the rule does not allow; returns
// how many it removed.
size_t ApplyCharRule(const EditCharRule& rule, int charClass, EditChar* chars, size_t* count);
// All four rules; returns how many characters were removed.
size_t ApplyCharRules(const EditItemDesc* desc, EditChar* chars, size_t* count);
size_t EditAnsiLength(const EditChar* chars, size_t count);
// How many characters fit `limit` ANSI bytes without splitting one.
size_t EditCharsWithinBytes(const EditChar* chars, size_t count, size_t limit);
bool EditCharsAreDigits(const EditChar* chars, size_t count);

// The length limit of a check with the caller's maximum length: the
// smaller of the two for length kinds 101 and 102.  `*lengthKind` is 103
// for any other kind.
struct EditLengthLimit {
  uint32_t lengthKind;
  size_t limit;
  size_t minimum;  // 0: none
};
EditLengthLimit EditLimitFor(const EditItemDesc* desc, size_t maxLength);

// A text that ValidateEditTextByKeyword accepts.
bool EditCharsPassKeywordCheck(const EditItemDesc* desc, const EditChar* chars, size_t count, size_t maxLength);

// The range message: caption (kMessageRowUnits units) and text of
// `capacity` units (its text entry, then its format with the two bounds),
// line breaks expanded.
void BuildEditRangeMessage(const EditItemDesc* desc, int stored, int display, char16_t* caption, char16_t* text,
                           size_t capacity);
// One bound as the range message writes it.
void EditRangeBoundText(int32_t bound, int boundKind, int stored, int display, char16_t* out, size_t capacity);
// The length message, with the same buffers.
void BuildEditLengthMessage(const EditItemDesc* desc, size_t minimum, size_t maximum, char16_t* caption,
                            char16_t* text, size_t capacity);
// The range label beside a field ("mm [90.0...297.0]"), the bounds in the
// display unit, and the length of the longer bound text.
struct EditRangeLabel {
  int32_t minimum;
  int32_t maximum;
  size_t textLimit;
};
EditRangeLabel BuildEditRangeLabel(const EditItemDesc* desc, int stored, int display, char16_t* label,
                                   size_t capacity);

#ifdef _WIN32
#include <windows.h>

// The code page of the fields' ANSI form (CP_ACP until set).
void SetEditCodePage(UINT codePage);

void SetEditItemLimit(HWND dialog, void* ctx, int controlId, int defaultLimit);
int FilterEditItemText(HWND dialog, void* ctx, int controlId, int unused1, int unused2, int unused3, int maxLength);
int FilterEditItemTextEx(HWND dialog, void* ctx, int controlId, BOOL allowNonDigits, int stored, int display);
int ValidateEditItem(HWND dialog, void* ctx, int controlId, BOOL allowNonDigits, int stored, int display,
                     int maxLength);
void SetEditRangeText(HWND dialog, void* ctx, int controlId, int spinId, int labelId, int stored, int display);
int ValidateEditTextByKeyword(const char* keyword, const wchar_t* text, int maxLength);

int CheckEditItemText(HWND dialog, int controlId, BOOL allowNonDigits, int stored, int display, int maxLength,
                      const EditItemDesc* desc);
int ClampEditNumber(HWND dialog, int controlId, BOOL allowNonDigits, int stored, int display,
                    const EditItemDesc* desc);
int CheckEditItemLength(HWND dialog, int controlId, BOOL allowNonDigits, int maxLength, const EditItemDesc* desc);
int ShowEditRangeMessage(HWND dialog, int controlId, int stored, int display, const EditItemDesc* desc);
int ShowEditLengthMessage(HWND dialog, int controlId, size_t minimum, size_t maximum, const EditItemDesc* desc);
#endif
