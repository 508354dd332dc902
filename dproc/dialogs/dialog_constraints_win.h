// The constraint pass as the sheets and dialogs call it after a change: the
// library's DoConstraints export on the dialog, with the tooltip window the
// dialog shows refused settings in.  Tests put a check of their own in.
#pragma once

#include <windows.h>

#include <cstdint>

// 100: the user declined a forced change; 101: the change was refused.
inline constexpr int32_t kConstraintDeclined = 100;
inline constexpr int32_t kConstraintRefused = 101;
inline bool IsConstraintRefusal(int32_t result) {
  return result == kConstraintDeclined || result == kConstraintRefused;
}

using DialogConstraintFn = int32_t (*)(HWND dialog, HWND tooltip, uint16_t controlId);
// Null puts the library's export back.
void SetDialogConstraintCheck(DialogConstraintFn check);
// The pass for one control (0: the whole dialog); 0 when the export is not
// there.
int32_t RunDialogConstraints(HWND dialog, HWND tooltip, uint16_t controlId);
