// The Setting sheet of the printer's properties (template 184, or 157): the
// driver's switches that belong to the printer (EMF spooling, constraint
// messages, the print server's forms, the first sheet's settings for all
// sheets, hardened security, checking the user before printing and asking
// for the user when printing) and the button of the custom paper list.  On
// activation it takes over the installed options set in a plug-in host's
// device-setting tree.
#pragma once

#include <windows.h>

#include <cstdint>

inline constexpr int kSettingTemplate = 184;

INT_PTR CALLBACK SettingsSheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

