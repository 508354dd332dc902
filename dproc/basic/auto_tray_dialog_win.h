// The automatic tray paper dialog (template 164): the media type, weight,
// colour and punching the printer looks for when it picks the tray itself,
// kept in the automatic tray's media fields of the settings.  Each choice
// goes through the constraint pass; Cancel puts the settings back as they
// were when the dialog opened.  Ends with 1 (OK) or 2 (Cancel).
#pragma once

#include <windows.h>

INT_PTR CALLBACK AutoTrayPaperDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
