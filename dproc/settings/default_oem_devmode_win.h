// The default document settings of a sheet context.
#pragma once

#include "dproc/sheets/sheet_context.h"

// Fills the context's document settings area with the printer's stored
// default settings ("DefaultOEMDEV") when a sound record is stored there,
// otherwise with the built-in defaults for the locale's paper (greyscale for
// a "Mono" driver).  Returns the area, or null when the context has none.
DocDMode* GetDefaultOEMDevMode(const SheetCtx* ctx);

// The same default settings copied into `out`, the context's own document
// settings left as they were.  False without a context.
bool CopyDefaultOEMDevMode(const SheetCtx* ctx, DocDMode* out);
