// Message boxes and help of the driver's sheets and dialogs go through this
// one table, so that tests can record and answer them without a window.
#pragma once

#include <windows.h>

struct UiServices {
  int (*messageBox)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style);
  BOOL (*winHelp)(HWND window, const wchar_t* file, UINT command, ULONG_PTR data);
  HWND (*htmlHelp)(HWND window, const wchar_t* file, UINT command, DWORD_PTR data);
};

// Replaces the table; null puts the system's back.  Returns the previous one.
const UiServices* SetUiServices(const UiServices* services);
const UiServices& CurrentUiServices();
