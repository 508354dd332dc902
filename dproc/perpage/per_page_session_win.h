// The sheet session's per-page lists and the user's store: the lists the
// session has not got are read when the Cover Page sheet starts and the
// lists the sheet read are freed when it ends; the session's side data
// writes back the lists it changed (dproc/easyset/user_side_data_win.h).
#pragma once

#include "dproc/sheets/sheet_context.h"

// Reads each list the session lacks from the user's store of the session's
// printer (a list never stored gets its default name and tab sheet) and
// notes it as the sheet's.
void LoadSessionPerPageLists(const SheetCtx* ctx);
// Frees the lists the sheet read and clears their places.
void FreeSessionPerPageLists(const SheetCtx* ctx);
