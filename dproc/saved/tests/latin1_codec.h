// A narrow code page for the pure tests and the fuzzing harnesses: ISO
// 8859-1, where every byte is the character of its value and characters
// above U+00FF have no narrow form.
#pragma once

#include "dproc/saved/ini_document.h"

inline const AnsiCodec& Latin1Codec() {
  static const AnsiCodec codec{
      [](std::string_view narrow, std::u16string* wide) {
        wide->clear();
        for (char c : narrow) wide->push_back(static_cast<uint8_t>(c));
        return true;
      },
      [](std::u16string_view wide, std::string* narrow) {
        narrow->clear();
        for (char16_t c : wide) {
          if (c > 0xFF) return false;
          narrow->push_back(static_cast<char>(c));
        }
        return true;
      }};
  return codec;
}
