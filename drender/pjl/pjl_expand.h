// Template expansion: a stored template text becomes one PJL line with its
// placeholders ("%s{SOURCE(NAME),LENGTH,ENCODING,CIPHER}") replaced by the
// job's values, and the line is handed to the job's writer.
#pragma once

#include <cstddef>
#include <cstdint>

#include "drender/pjl/pjl_job.h"

// Line, value and output buffer sizes.
inline constexpr size_t kPjlLineSize = 512;
inline constexpr size_t kPjlValueSize = 512;
inline constexpr size_t kPjlOutputSize = 1024;

// Turns a stored template (optionally in double quotes, escapes \" \\ \n
// \r \xNN and \<other>) into the line to expand; returns the bytes
// produced (at most `size`; the line is terminated when shorter).  `omit`,
// when given, is set when the first "/" behind the closing quote begins
// "/OMIT".
uint32_t Pjl_UnquoteTemplate(const char* text, char* out, size_t size, bool* omit = nullptr);

// Expands one template and writes the line.  1 when the line was written,
// left out by "/OMIT", or the text is empty; 0 for a null text, a failed
// placeholder, a value or a rest that does not fit the output buffer.
uint32_t Pjl_ExpandTemplate(PjlJob* job, const char* text);

// Copies a narrow value into a parameter buffer: as UTF-8 when `utf8`
// (from the ANSI code page), else at most `size` bytes; terminated when
// shorter.  Backslashes stay as they are.  Returns 1.
uint32_t Pjl_CopyValue(const PjlJob* job, const char* source, bool utf8, char* out, size_t size);

// The rule for every value that goes into a PJL line.  Values come from
// applications (the document title), users, the phone book and stored
// settings, and a PJL line has no escapes: a double quote ends a quoted
// value, CR and LF end the line, ESC begins the universal exit that ends the
// PJL job, and the device takes no other control characters inside a value.
// So a double quote becomes an apostrophe (the text reads the same) and CR,
// LF, ESC, DEL and every other control character become a blank (a line
// break or a tab in a title separates words).  Bytes from 0x80 up are left
// alone: they are the value's UTF-8 or ANSI characters, none of which is
// one of the bytes above.  Enciphered values are hexadecimal text, which the
// rule leaves as it is; a model that sends raw cipher bytes (read by the
// device by their length) has them written as they are.  Works over
// `length` bytes in place.
void Pjl_MakeValueSafe(char* value, size_t length);
