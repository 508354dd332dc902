// The Color Adjustment dialog (template 197), opened from the Quality sheet
// on models whose description enables it: the density, brightness and
// contrast of monochrome output, each a slider, an edit and a spin within
// the model's range.  The model's colour-adjustment type chooses the rows:
// type 2 density only, type 1 brightness and contrast, others all three.
#pragma once

#include <windows.h>

#include <cstdint>

inline constexpr uint16_t kColorAdjustmentTemplate = 197;

INT_PTR CALLBACK ColorAdjustmentDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
