// The driver's help file and the shell's "open".
#pragma once

#include <windows.h>

// Help file beside this library: VELDRANX.CHM from Windows 6.0 on, else
// VELDRANX.HLP.  With the .HLP every command goes to WinHelp; with the .CHM
// only HELP_CONTEXT (1) and 15 open the topic (HTML help, HH_HELP_CONTEXT)
// and every other command does nothing.  Through the UI services table.
void ShowDriverHelp(HWND window, UINT command, ULONG_PTR data);
// The same with the file kind chosen by the caller.
void ShowDriverHelpFile(HWND window, UINT command, ULONG_PTR data, bool htmlHelp);
// A dialog's WM_HELP and WM_CONTEXTMENU: the control's topic from the
// dialog's pairs of control id and topic (ended by 0, 0).  True when the
// message was one of the two and has been handled.
bool HandleDialogHelpMessage(UINT message, WPARAM wParam, LPARAM lParam, const DWORD* helpIds);

// ShellExecute "open" of `file` in the current directory; true when the
// shell reports success.
bool ShellOpen(HWND window, const wchar_t* file);
