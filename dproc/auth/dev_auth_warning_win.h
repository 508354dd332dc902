// The warning a property-sheet session gives once, as its first sheet
// opens, when the device wants user authentication and the document
// settings name no user.
#pragma once

#include <windows.h>

// The sheet skeleton's step at WM_INITDIALOG (`lParam` the sheet context).
void ShowDevAuthWarning(HWND sheet, WPARAM unused, LPARAM ctx);
