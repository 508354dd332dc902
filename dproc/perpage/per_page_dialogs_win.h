// The per-page settings' dialogs: the Per Page Setting dialog (template
// 137), which the Cover Page sheet opens to edit the ten per-page lists of
// the sheet session and to choose the document's list.
#pragma once

#include <windows.h>

#include <cstdint>

inline constexpr uint16_t kPerPageSettingTemplate = 137;

INT_PTR CALLBACK PerPageSettingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
