// The Quality sheet (template 196) of a monochrome model: the resolution,
// smoothing and shape line with their levels, toner save, draft print,
// printing in black with its mode, and, on the user interface core's sheet
// session, the fill pattern and the image compression.  The core's page
// table does not list it; a host creates the page from template 196 with
// the sheet context as its lParam.
#pragma once

#include <windows.h>

#include <cstdint>

inline constexpr uint16_t kQualitySheetTemplate = 196;

INT_PTR CALLBACK QualitySheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

