// The sheet session's per-page lists and the user's store: the lists the
// session has not got are read when the Cover Page sheet starts, every list
// is written when the sheets are applied, and the lists the sheet read are
// freed when it ends.
#pragma once

#include "dproc/sheets/sheet_context.h"

// Reads each list the session lacks from the user's store of the session's
// printer (a list never stored gets its default name and tab sheet) and
// notes it as the sheet's.
void LoadSessionPerPageLists(const SheetCtx* ctx);
// Writes every list the session holds to the user's store; false when one
// could not be written.
bool SaveSessionPerPageLists(const SheetCtx* ctx);
// Frees the lists the sheet read and clears their places.
void FreeSessionPerPageLists(const SheetCtx* ctx);
