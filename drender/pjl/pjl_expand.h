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
// shorter; each pair of backslashes becomes CR LF.  Returns 1.
uint32_t Pjl_CopyValue(const PjlJob* job, const char* source, bool utf8, char* out, size_t size);
