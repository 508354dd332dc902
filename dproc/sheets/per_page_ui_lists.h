// The per-page lists of a sheet session: one list pointer per
// "PerPageList1" to "PerPageList10" in the session's UI state, which the
// Finish sheet fills and frees; the document settings' per-page list field
// (1 to 10) selects one of them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/records/inter_sheet_list.h"
#include "common/records/sheet_session.h"
#include "dproc/sheets/ui_state_layout.h"

inline constexpr size_t kPerPageUiListCount = 10;

struct PerPageUiLists {
  InterSheetList* lists[kPerPageUiListCount];  // null: the list is not loaded
  uint32_t loadedBySheet;  // bit n: the Cover Page sheet loaded list n + 1 and frees it
};
static_assert(sizeof(PerPageUiLists) <= kUiStatePerPageListsBytes);

// The lists inside a UI state record; null without one.
inline PerPageUiLists* PerPageListsOf(SheetUiState* state) {
  return state != nullptr ? reinterpret_cast<PerPageUiLists*>(state->bytes + kUiStatePerPageListsAt) : nullptr;
}

// The list that a per-page list value (1 to 10) selects; null for another
// value or a list that is not loaded.
inline InterSheetList* SelectedPerPageList(SheetUiState* state, int32_t value) {
  PerPageUiLists* lists = PerPageListsOf(state);
  if (lists == nullptr || value < 1 || value > static_cast<int32_t>(kPerPageUiListCount)) return nullptr;
  return lists->lists[value - 1];
}
