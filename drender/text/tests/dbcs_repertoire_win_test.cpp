// The generated repertoire against the rule it is made by, applied here
// with the system's own code page 932 conversion: a unit is a member when it
// converts to one or two bytes without a default character and back to
// itself, and it is no control code, U+0080, surrogate or private-use unit.
#include <windows.h>

#include <gtest/gtest.h>

#include "drender/text/dbcs_repertoire.h"

namespace {

bool RuleSaysMember(wchar_t unit) {
  if (unit < 0x20 || unit == 0x7F || unit == 0x80) return false;
  if ((unit >= 0xD800 && unit <= 0xDFFF) || (unit >= 0xE000 && unit <= 0xF8FF)) return false;
  char bytes[4] = {};
  BOOL usedDefault = FALSE;
  const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &unit, 1, bytes, sizeof bytes, nullptr, &usedDefault);
  if (n < 1 || n > 2 || usedDefault) return false;
  wchar_t back[2] = {};
  const int m = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, n, back, 2);
  return m == 1 && back[0] == unit;
}

TEST(DbcsRepertoireWin, EveryUnitAgreesWithTheSystemsCodePage) {
  uint32_t members = 0, disagreements = 0;
  for (uint32_t c = 0; c < 0x10000; ++c) {
    const bool rule = RuleSaysMember(wchar_t(c));
    members += rule;
    if (rule != (Font_IsInDbcsRepertoire(uint16_t(c)) != 0)) {
      if (++disagreements <= 10) ADD_FAILURE() << std::hex << "U+" << c << " rule " << rule;
    }
  }
  EXPECT_EQ(disagreements, 0u);
  EXPECT_EQ(members, 7484u);
}

}  // namespace
