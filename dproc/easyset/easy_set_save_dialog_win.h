// The Save dialog of the Easy Set area (template 167): the current settings
// kept under a new name as a shared (every user of the printer) or a user
// Easy Set, with a comment and an icon.
#pragma once

#include <windows.h>

#include "dproc/sheets/sheet_context.h"

INT_PTR CALLBACK SaveEasySetDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Opens it over `owner`: 1 when an Easy Set was saved, 2 when cancelled.
intptr_t OpenSaveEasySetDialog(HWND owner, SheetCtx* ctx);
