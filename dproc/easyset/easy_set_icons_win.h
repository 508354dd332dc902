// The icon choice of the Easy Set Save and Edit dialogs: a combo box of the
// icon numbers ("000" ...).
#pragma once

#include <windows.h>

inline constexpr int kEasySetIconCount = 64;

// Fills `combo` with the icon numbers; the selection is left to the caller.
void FillEasySetIconCombo(HWND combo);
