// The Font Setting dialog (template 121), opened from the Quality sheet with
// its sheet context: the font download method, the substitution of
// TrueType fonts by the printer's resident fonts, and, on the user
// interface core's sheet session, the substitution table pairing the
// system's TrueType faces with the resident faces of the font library.
#pragma once

#include <windows.h>

#include <cstdint>

inline constexpr uint16_t kFontSettingsTemplate = 121;

INT_PTR CALLBACK FontSettingsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The font library the dialog reads its resident faces from (default: the
// one beside the procedure library); tests name another.
void SetFontLibraryPathForDialog(const wchar_t* path);
