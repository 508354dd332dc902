// Text conversions of the test programs: plain ASCII test texts to and from
// the wide and UTF-16 texts the driver takes.
#pragma once
#include <string>

namespace testsupport {

// Each character of an ASCII text as a wide character.
inline std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// A terminated UTF-16 text with each unit cut to a char (ASCII texts); a
// null text gives "".
inline std::string Narrow(const char16_t* text) {
  std::string out;
  for (; text != nullptr && *text != u'\0'; ++text) out.push_back(static_cast<char>(*text));
  return out;
}

}  // namespace testsupport
