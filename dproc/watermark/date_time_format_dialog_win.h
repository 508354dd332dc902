// The date/time format dialog (template 2083): the date format, whether the
// time is printed and in which form, and a sample of the two.  It edits one
// of two sets of date/time fields of the settings, chosen by the sheet
// session's date/time target, which its opener sets: the copy-protect
// stamp's (kDateTimeTargetCopyProtect) or the date/time/page stamp's
// (kDateTimeTargetDatePage, or any other value).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "dproc/sheets/sheet_context.h"

inline constexpr uint16_t kDateTimeFormatTemplate = 2083;
inline constexpr uint32_t kDateTimeTargetCopyProtect = 1;
inline constexpr uint32_t kDateTimeTargetDatePage = 2;

// The session's date/time target; 0 without a UI state.
uint32_t DateTimeTargetOf(SheetCtx* ctx);
void SetDateTimeTarget(SheetCtx* ctx, uint32_t target);

// The byte positions in the settings of the target's three fields.
struct DateTimeFieldPlaces {
  size_t dateFormat;  // u16
  size_t timeOn;      // 32-bit, 1: the time is printed
  size_t timeFormat;  // u16
};
DateTimeFieldPlaces DateTimeFieldsOf(uint32_t target);

// The sample of a date format's and a time format's display texts: each
// without its first and last character, the time after a blank and only
// when it is printed; at most 31 characters.  Either text may be null.
void DateTimeSample(const wchar_t* date, const wchar_t* time, bool timeOn, wchar_t* out, size_t capacity);

// The display text of a date ("DateFormat") or time ("TimeFormat") format
// by its value, or null.
const wchar_t* DateTimeFormatText(const char* table, uint32_t value);
// The sample of the target's formats as the settings hold them; false (out
// untouched) when either format is not in its list.
bool StoredDateTimeSample(const DocDMode& doc, uint32_t target, wchar_t* out, size_t capacity);

INT_PTR CALLBACK DateTimeFormatDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
