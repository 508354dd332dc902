// The User Setting dialog of the Basic sheet: the secure-print ID and
// password (output method 3) and the box file name and number (output
// methods 7 and 8, on a model that saves jobs in a box).
#pragma once

#include <windows.h>

INT_PTR CALLBACK UserSettingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
