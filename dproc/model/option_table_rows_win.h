// The rows of an option table of the library walked with their guards: a
// row must name a keyword and hold a whole option item, and no more than 64
// rows are read, whatever the table's sizes say.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/qxd/model_rows.h"
#include "dproc/model/feature_table.h"

inline constexpr int kOptionRowsRead = 64;

// The display text that follows a row's head.
inline const wchar_t* OptionRowText(const OptionHead* row) {
  return reinterpret_cast<const wchar_t*>(reinterpret_cast<const uint8_t*>(row) + sizeof(OptionHead));
}

// Calls `visit(row, text)` for each row of table `name` until it returns
// false.
template <typename Visit>
void ForEachOptionRow(const char* name, Visit visit) {
  const OptionHead* row = FindOptionTable(name);
  for (int n = 0; row != nullptr && row->keyword[0] != '\0' && row->size >= sizeof(OptionItem) && n < kOptionRowsRead;
       ++n) {
    if (!visit(*row, OptionRowText(row))) return;
    row = NextOptionRow(row);
  }
}

// The display text of value `value` in table `name`; "" when it has none.
inline const wchar_t* OptionTableText(const char* name, uint32_t value) {
  const wchar_t* found = L"";
  ForEachOptionRow(name, [&](const OptionHead& row, const wchar_t* text) {
    if (row.value != value) return true;
    found = text;
    return false;
  });
  return found;
}
