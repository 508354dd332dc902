// The N-up options a sheet offers: the standard table, or, for a plug-in
// host's page on Windows NT 4.0, the variant table made for it.
#pragma once

#include "common/qxd/model_rows.h"
#include "dproc/sheets/sheet_context.h"

// For the given Windows version class (WinVersionClass).
OptionHead* NupOptionTableFor(const SheetCtx* ctx, int winVersionClass);
// For the running system.
OptionHead* GetNupOptionTable(const SheetCtx* ctx);
