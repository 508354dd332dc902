// After an Easy Set was applied in the printing core's property sheets, the
// core's own items (paper, orientation, media, tray, copies and collation,
// pages per sheet, duplex, colour matching, TrueType and print quality) are
// brought in line with the new settings, so that the core's pages show the
// same as the driver's.  Outside the core's sheets nothing happens.
#pragma once

#include "common/records/settings_records.h"
#include "dproc/sheets/sheet_context.h"

void PushEasySetToCommonItems(SheetCtx* ctx);
