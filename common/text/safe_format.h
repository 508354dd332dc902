// Filling placeholders of texts that come from the description file.
//
// Such a text is never handed to printf or wsprintf as a format: a "%s"
// where the caller passes a number, or a "%n", would read or write memory
// the caller never gave.  This formatter takes only "%d" for a number
// argument and "%s" for a text argument; each of them takes the next
// argument in order and is copied literally when that argument is missing
// or of the other kind.  "%0Nd" (N from 1 to 9) pads a number with zeros
// to N digits, and "%0d" is a plain number.  "%%" is a percent sign; every other "%" sequence is
// copied literally.
#pragma once

#include <cstddef>
#include <cstdint>

struct SafeFormatArg {
  enum Kind { kNumber, kText } kind;
  int32_t number;
  const char16_t* text;  // null prints as an empty text

  static SafeFormatArg Number(int32_t v) { return SafeFormatArg{kNumber, v, nullptr}; }
  static SafeFormatArg Text(const char16_t* t) { return SafeFormatArg{kText, 0, t}; }
};

// Writes at most `capacity` - 1 characters and a NUL.  Returns false when
// the result had to be cut (or `capacity` is 0).
bool SafeFormat(const char16_t* format, const SafeFormatArg* args, size_t argCount, char16_t* out,
                size_t capacity);

// Replaces every backslash followed by "n" with a blank and a line feed, in
// place (the text keeps its length).
void ExpandMessageLineBreaks(char16_t* text);
