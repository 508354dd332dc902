// Narrow texts in fixed-size fields: read up to their end or their field's,
// copied cut to a field, compared without regard to ASCII case.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>

// The text of a field: up to its first NUL, or the whole field when it has
// none.
template <size_t N>
std::string FieldText(const char (&field)[N]) {
  return std::string(field, strnlen(field, N));
}

// Copies `from` into `to` of `capacity` bytes (at least 1): at most
// capacity - 1 characters, then the end.
void CopyText(char* to, size_t capacity, const char* from);

// The two texts are equal without regard to ASCII case within their first
// `limit` bytes (a text ends at its NUL).
bool SameIgnoringCase(const char* a, const char* b, size_t limit);
