// The Version sheet (template 106), the last document sheet: the driver's
// name and version, the versions of its parts and of the description data,
// three notice lines and the maker's logo, all centred on the page.  It
// changes no setting.
#pragma once

#include <windows.h>

inline constexpr int kVersionTemplate = 106;

INT_PTR CALLBACK VersionSheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
