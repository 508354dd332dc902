// The user paper list dialog (template 115, "Custom Paper Setting"): the
// printer's list of at most ten named paper sizes, each with its width,
// length, printable area, paper id and the unit the user works in.  The
// device Setting sheet opens it with MyDialogBox on its sheet context.  It
// edits the list held in the session's UI state; OK stores it as printer
// data "CustomPaperData" and, only once that write succeeded, replaces the
// spooler's user forms of the list.  A failed write keeps the dialog open
// with a message, and the stored list and the forms stay as they were.
// Cancel stores nothing.  Ends with 1 (OK) or 2 (Cancel).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "dproc/basic/user_paper_store_win.h"

inline constexpr int kUserPaperTemplate = 115;

INT_PTR CALLBACK UserPaperDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The names of the spooler's forms on a printer; false when they cannot be
// had.
using SpoolerFormNamesFn = bool (*)(HANDLE printer, std::vector<std::u16string>* names);
// The spooler calls the dialog makes; tests put their own in.  Null puts the
// system's back.
void SetUserPaperDialogSpooler(const UserPaperSpooler* store, SpoolerFormNamesFn formNames);
