// Scaled integers and their decimal text in edit fields.
//
// The settings records keep lengths, shifts and densities as integers in
// tenths, hundredths or thousandths; the dialogs show and read them as
// decimal text.  Texts are UTF-16.
#pragma once

#include <cstddef>
#include <cstdint>

// Writes the decimal digits of `value` (at most 20, no NUL) and returns
// their count.
size_t PutDecimalDigits(uint64_t value, char16_t* out);

// Reads an optional sign, the integer part and up to two (three) fraction
// digits: "1.5" gives 150, "-0.25" gives -25, "1.234" gives 123 (hundredths).
// A non-digit among the fraction places counts as 0; characters after them
// are ignored.  Values beyond the 32-bit range saturate.
int32_t ParseHundredths(const char16_t* text);
int32_t ParseThousandths(const char16_t* text);

// "%d.%01d" (".%02d", ".%03d") of a scaled value, with a leading "-" for a
// negative one, cut to `capacity` - 1 characters and terminated.  Nothing is
// written for a capacity of 0.
void FormatTenths(int32_t value, char16_t* out, size_t capacity);
void FormatHundredths(int32_t value, char16_t* out, size_t capacity);
void FormatThousandths(int32_t value, char16_t* out, size_t capacity);

#ifdef _WIN32
#include <windows.h>
// Cuts `text` at its first character that is not a digit, a "." (when
// `allowPoint`) or a "-" (when `allowSign`), writes the cut text to the
// control and puts the caret at the cut.  A text of allowed characters only
// leaves the control untouched.  `text` is modified.
void SetDlgItemNumberText(HWND dialog, int controlId, wchar_t* text, BOOL allowSign, BOOL allowPoint);
#endif
