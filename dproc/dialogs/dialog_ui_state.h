// The dialog framework's part of a sheet session's UI state: the edit flags
// of the length spin edits, the reason the user setting dialog was opened
// for, and the overlay sheet's hint word.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dproc/constraints/constraint_ui_state.h"
#include "dproc/sheets/ui_state_layout.h"

struct DialogUiState {
  uint32_t editFlags;      // kSpinEchoBit: a spin handler wrote the edit's text
  uint32_t reasonFlags;    // the dialog-mode flags: kDialogMode* and, while the user setting dialog is open,
                           // kReasonOutputMethod3 / kReasonOtherOutput
  uint32_t overlayHint;    // 0: the watermark and overlay sheet shows its hint
};
inline constexpr uint32_t kSpinEchoBit = 1;
// The custom size dialog: an up-down step wrote the edit's text (0x01); it
// edits the output size rather than the original (0x02); 0x04 is cleared
// with 0x02 before it opens.
inline constexpr uint32_t kDialogModeSpinStep = 1u << 0;
inline constexpr uint32_t kDialogModeOutputSize = 1u << 1;
inline constexpr uint32_t kDialogModeFlag04 = 1u << 2;
inline constexpr uint32_t kReasonOutputMethod3 = 1u << 3;
inline constexpr uint32_t kReasonOtherOutput = 1u << 4;
static_assert(sizeof(DialogUiState) <= kUiStateDialogBytes);
static_assert(kUiStateFreeAt <= kSheetUiStateSize);

inline DialogUiState* DialogStateOf(SheetUiState* state) {
  return state != nullptr ? reinterpret_cast<DialogUiState*>(state->bytes + kUiStateDialogAt) : nullptr;
}
