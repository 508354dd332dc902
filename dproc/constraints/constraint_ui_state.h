// The constraint pass's part of a sheet session's UI state: the custom-paper
// word that makes a pass check the custom paper sizes, and the flags the
// pass leaves for the sheets.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/records/sheet_session.h"
#include "dproc/sheets/ui_state_layout.h"

struct ConstraintUiState {
  uint32_t customPaperWord;  // non-zero: the pass also judges the custom paper sizes
  uint32_t flags;            // kConstraintChangedEdit: the pass wrote a number into an edit
};
inline constexpr uint32_t kConstraintChangedEdit = 128;
static_assert(sizeof(ConstraintUiState) <= kUiStateConstraintBytes);

// The part inside a UI state record; null without one.
inline ConstraintUiState* ConstraintStateOf(SheetUiState* state) {
  return state != nullptr ? reinterpret_cast<ConstraintUiState*>(state->bytes + kUiStateConstraintAt) : nullptr;
}
