// The version list of the Version sheet: one line per row the sheet's text
// table has, "<row text>\t: <value>", lines separated by CR LF, and the tab
// stop that lines the values up one character after the longest row text.
#pragma once

#include <cstddef>
#include <string>

// The built-in versions of the core and of the sub-component.
inline constexpr char16_t kCoreVersion[] = u"2.03.29-0.01";
inline constexpr char16_t kSubVersion[] = u"1.0.0";
// The list holds at most this many characters.
inline constexpr size_t kVersionListUnits = 289;

struct VersionRow {
  const char16_t* text;   // the row's text; null or empty: the row is missing
  const char16_t* value;
};

// The list text; `tabStop` (when given) receives the stop in dialog units,
// (n * 4 + 4) for the longest row text of n characters.
std::u16string VersionListText(const VersionRow* rows, size_t count, int* tabStop);
