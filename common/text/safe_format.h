// Filling placeholders of texts that come from the description file.
//
// Such a text is never handed to printf or wsprintf as a format: a "%s"
// where the caller passes a number, or a "%n", would read or write memory
// the caller never gave.  This formatter takes only "%d" for a number
// argument and "%s" for a text argument; each of them takes the next
// argument in order and is copied literally when that argument is missing
// or of the other kind.  "%0Nd" (N from 1 to 9) pads a number with zeros
// to N digits, and "%0d" is a plain number.  A whole-part argument prints
// the minus sign of the value it was cut from also when the whole part is
// 0, so that "%d.%03d" of -0.5 reads -0.500.  "%%" is a percent sign; every other "%" sequence is
// copied literally.
#pragma once

#include <cstddef>
#include <cstdint>

struct SafeFormatArg {
  enum Kind { kNumber, kText } kind;
  int32_t number;
  const char16_t* text;  // null prints as an empty text
  bool minusZero;        // a 0 printed as "-0"

  static SafeFormatArg Number(int32_t v) { return SafeFormatArg{kNumber, v, nullptr, false}; }
  static SafeFormatArg Text(const char16_t* t) { return SafeFormatArg{kText, 0, t, false}; }
  // The whole part of a value written as whole part and fraction digits:
  // `whole` with the sign of the value (`negative`), "-0" included.
  static SafeFormatArg WholePart(int32_t whole, bool negative) {
    return SafeFormatArg{kNumber, whole, nullptr, negative && whole == 0};
  }
};

// Writes at most `capacity` - 1 characters and a NUL.  Returns false when
// the result had to be cut (or `capacity` is 0).
bool SafeFormat(const char16_t* format, const SafeFormatArg* args, size_t argCount, char16_t* out,
                size_t capacity);

// Replaces every backslash followed by "n" with a blank and a line feed, in
// place (the text keeps its length).
void ExpandMessageLineBreaks(char16_t* text);
