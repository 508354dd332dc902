// The rules of the relay (middle) server's input items that need no Windows
// interface: where an item keeps its parts, the controls each kind of item
// gets in the dialog built in memory, the dialog template written from
// them, and the checks and replacements of the answers.
//
// Items are read as the 8,516 bytes the open-API library fills (texts
// UTF-8); every read stays inside the item.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ms {

inline constexpr uint32_t kItemBytes = 8516;
inline constexpr uint32_t kMaxItems = 10;  // the answers hold ten items

// Common parts.
inline constexpr uint32_t kLabelAt = 1, kLabelBytes = 64;
inline constexpr uint32_t kKeyAt = 321, kKeyBytes = 32;
inline constexpr uint32_t kDisplayAt = 353, kInputAt = 354, kKindAt = 363;
// Kind 1 (text).
inline constexpr uint32_t kTextDefaultAt = 364, kTextStyleAt = 492, kTextClassAt = 493, kTextMinAt = 494;
// Kind 2 (number).
inline constexpr uint32_t kNumberDefaultAt = 496, kNumberStyleAt = 500, kNumberMinAt = 504, kNumberMaxAt = 508;
// Kind 3 (two-way choice).
inline constexpr uint32_t kChoiceDefaultAt = 512, kCaption1At = 513, kCaption2At = 545, kCaptionBytes = 32;
// Kind 4 (date and time).
inline constexpr uint32_t kDateYearAt = 578, kDateTextsAt = 580, kDateTextBytes = 8, kDateSubKindAt = 628,
                          kDateKeepAt = 629;
// Kind 5 (fixed text).
inline constexpr uint32_t kFixedTextAt = 630, kFixedTextBytes = 128;
// Kind 6 (list).
inline constexpr uint32_t kListDefaultAt = 758, kListCountAt = 791, kListEntriesAt = 792, kListEntryBytes = 168,
                          kListValueBytes = 32, kListTextBytes = 128, kListMax = 20;
// Kinds 9 and 10 (text with their own attribute bytes).
inline constexpr uint32_t kKind9At = 8155, kKind10At = 8335, kExtraTextBytes = 128, kExtraClassAt = 177,
                          kExtraMinAt = 178;

// Attributes.
inline constexpr uint8_t kHidden = 2, kNeeded = 1, kRequired = 3, kDisabled = 4;

// A text of the item at `at`, at most `size` bytes, ended at its first NUL.
std::string ItemText(const uint8_t* item, uint32_t at, uint32_t size);
int32_t ItemI32(const uint8_t* item, uint32_t at);
int16_t ItemI16(const uint8_t* item, uint32_t at);
// The base of the text part of kinds 1, 9 and 10, its character class and
// minimum length.
uint32_t TextPartAt(int kind);
int TextClass(const uint8_t* item);
int TextMinLength(const uint8_t* item);
// The input style of kinds 1 and 2: 1 plain box, 2 password box, else none.
int InputStyle(const uint8_t* item);
// The list's choices (at most 20, whatever the count byte says).
int ListCount(const uint8_t* item);
std::string ListValue(const uint8_t* item, int i);
std::string ListText(const uint8_t* item, int i);

// The seven fields of a date-and-time answer: year, month, day, hour,
// minute, zone hours, zone minutes.
struct DateField {
  uint8_t chars;
  int32_t min, max;
};
inline constexpr DateField kDateFields[7] = {{4, 0, 9999}, {2, 1, 12}, {2, 1, 31}, {2, 0, 23},
                                             {2, 0, 59},   {3, -12, 12}, {2, 0, 59}};
// Whether a sub-kind uses field `field` (1: date and time, 2: date, 3: time,
// other: all seven).
bool DateFieldUsed(int subKind, int field);

// An optional '-' and then only (at least one) digits; with `range`, the
// value within min..max, and no '-' when the minimum is not negative.
struct NumberRange {
  int64_t min, max;
};
bool IsNumberInRange(std::string_view text, const NumberRange* range);

// The checks of one typed answer (the text in the system code page).
bool TextAnswerOk(std::string_view text, uint8_t input, int minLength, int charClass);  // kinds 1, 9, 10
bool NumberAnswerOk(std::string_view text, uint8_t input, int32_t min, int32_t max);      // kind 2
bool DateAnswerOk(std::string_view text, uint8_t input, int field);                      // one field of kind 4

// Zone minutes are kept as 30 (typed 16 to 45) or 0.
int SnapZoneMinutes(int minutes);
// The stored text of date field `field` from what was typed; sets *failed
// when a replacement had to be taken for an item whose answer is needed.
std::string DateFieldAnswer(int field, std::string_view typed, uint8_t input, int defaultYear,
                            std::string_view defaultText, bool* failed);
// The default of date field `field`, clamped into its range.
std::string DateFieldDefault(int field, int defaultYear, std::string_view defaultText);

// The controls the dialog gets, in template order.
inline constexpr uint16_t kPublicUserId = 999, kLabelBase = 1000, kTextBase = 1500, kNumberBase = 2000,
                          kRadioBase = 2500, kDateBase = 3000, kListBase = 3500, kKind9Base = 4500,
                          kKind10Base = 5000;
enum ControlClass : uint16_t { kButton = 0x80, kEdit = 0x81, kStatic = 0x82, kCombo = 0x85 };
struct Control {
  uint16_t classOrdinal;
  uint32_t style;
  uint16_t id;
  std::u16string text;
};
// One item of the dialog: its kind, its first control, its label, its
// group box (kinds 3 and 4) and, for kind 4, its seven boxes and three
// separators ("/", "/", ":").
struct Node {
  int index;  // in the setting
  int kind;
  uint16_t first, label, group;
  uint16_t boxes[7];
  uint16_t separators[3];
};
// Plans the controls of `count` items (each kItemBytes, one after the
// other): the check box 999 first, OK and CANCEL last.  Every item gets a
// node, also those of kinds without controls.
void PlanControls(const uint8_t* items, int count, std::vector<Control>* controls, std::vector<Node>* nodes);
// A standard dialog template of the controls: a visible popup with
// caption, system menu and modal frame, caption "???", the given font.
// Geometry is laid out later; every control starts at 0, 0, 10 x 10.
std::vector<uint8_t> TemplateBytes(const std::vector<Control>& controls, std::u16string_view face, uint16_t points);

}  // namespace ms
