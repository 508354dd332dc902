// The rules of the fax fields that the FAX sheet, the fax mode details
// dialog and the destination dialog share: the character filters of the
// fax-number, sub-address and send-ID edits, the checks of the send time,
// sub-address and send ID, and the clock texts.  Texts are UTF-16.
#pragma once

#include <cstddef>
#include <cstdint>

enum class FaxCharSet : uint8_t {
  kFaxNumber,  // "0123456789#*PT-" (upper-case P and T only)
  kDigits,     // 0-9: sub-addresses
  kSendId,     // 0-9, "#" and "*": send IDs
};

bool FaxCharAllowed(FaxCharSet set, char16_t c);

// The outcome of filtering an edit's text.
struct FaxFilterResult {
  size_t length;      // characters kept
  uint32_t selStart;  // the selection moved with the kept characters
  uint32_t selEnd;
  bool changed;       // at least one character was removed
};

// Keeps the characters of `text` (`length` units) that `set` allows, in
// order, writing them and a NUL to `out` (room for `length` + 1 units; it may
// be `text` itself).  One caret rule for typing and pasting alike: each
// selection bound becomes the number of kept characters in front of it
// (bounds beyond the text count as its end).
FaxFilterResult FilterFaxText(FaxCharSet set, const char16_t* text, size_t length, uint32_t selStart,
                              uint32_t selEnd, char16_t* out);

// The send time typed into the hour and minute edits: each a signed decimal
// number (leading and trailing blanks allowed), the hour 0-23, the minute
// 0-59.  True and both values stored when valid; false leaves them.
bool FaxCheckSendTime(const char16_t* hourText, const char16_t* minuteText, uint8_t* hour, uint8_t* minute);

// A sub-address or send ID switched on must be a non-empty text of the
// set's characters.
bool FaxCheckCodeText(FaxCharSet set, const char16_t* text);

// "%02d:%02d" of a clock time into `out` (at least 6 units; cut otherwise).
void FormatFaxClock(int hour, int minute, char16_t* out, size_t capacity);
// Reads "%d:%d" from a clock label; with fewer than two numbers both are 0.
void ParseFaxClock(const char16_t* text, int* hour, int* minute);
