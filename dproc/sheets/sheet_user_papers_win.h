// The user's papers and the server's forms in the paper lists of a sheet
// session: built when a document sheet initialises, installed as the
// options of "PaperSize" and "OutPaperSize", and freed when a sheet goes.
#pragma once

#include <windows.h>

#include "dproc/sheets/sheet_context.h"
#include "dproc/model/user_paper_list.h"

// The user paper part of a session's UI state (null without one).
UserPaperUiState* UserPaperStateOf(SheetUiState* state);

// At WM_INITDIALOG of a document sheet.  FALSE when the context has no UI
// state or the lists are installed already.
BOOL SheetInitUserPapers(HWND dialog, UINT message, WPARAM wParam, SheetCtx* ctx);
// At WM_DESTROY: frees the session lists of the dialog's context and puts
// the model's lists back.
void SheetFreeUserPapers(HWND dialog, LPARAM unused);
