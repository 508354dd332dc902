// A narrow code page for the pure tests and the fuzzing harnesses: Windows
// code page 1252 (ISO 8859-1 with printable characters at 0x80-0x9F), the
// code page of the test prefix, so that files the driver writes there read
// back the same here.  Characters it lacks have no narrow form.
#pragma once

#include "dproc/saved/ini_document.h"

namespace cp1252 {

// The characters of 0x80-0x9F; the five unassigned bytes stand for
// themselves, as the system's conversion leaves them.
inline constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

inline char16_t Wide(uint8_t b) { return b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : b; }

inline bool Narrow(char16_t c, char* out) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
    *out = static_cast<char>(c);
    return true;
  }
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == c) {
      *out = static_cast<char>(0x80 + i);
      return true;
    }
  return false;
}

}  // namespace cp1252

inline const AnsiCodec& Cp1252Codec() {
  static const AnsiCodec codec{
      [](std::string_view narrow, std::u16string* wide) {
        wide->clear();
        for (char c : narrow) wide->push_back(cp1252::Wide(static_cast<uint8_t>(c)));
        return true;
      },
      [](std::u16string_view wide, std::string* narrow) {
        narrow->clear();
        for (char16_t c : wide) {
          char b;
          if (!cp1252::Narrow(c, &b)) return false;
          narrow->push_back(b);
        }
        return true;
      }};
  return codec;
}
