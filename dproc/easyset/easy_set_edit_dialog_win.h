// The Edit dialog of the Easy Set area (template 168): the session's Easy
// Sets renamed, reordered, deleted, imported from and exported to Easy Set
// files.  It works on copies; the session's list and the stores change
// only when it ends with OK.
#pragma once

#include <windows.h>

#include "dproc/sheets/sheet_context.h"

INT_PTR CALLBACK EditEasySetDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// 1 after OK, 2 after Cancel.
intptr_t OpenEditEasySetDialog(HWND owner, SheetCtx* ctx);
