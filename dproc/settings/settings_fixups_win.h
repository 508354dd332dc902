// The settings fix-ups on a sheet context: the context's document settings,
// and what its host says about metafile printing.
#pragma once

#include "dproc/sheets/sheet_context.h"
#include "dproc/settings/settings_fixups.h"

// The host facts the fix-ups need: an outside host (a plug-in page record),
// its advanced printing features (asked from Windows 2000 on), a raw-only
// printer and a "Mono" driver.
FixUpHost FixUpHostOf(const SheetCtx* ctx);
// The record the metafile fix-ups work on: an outside host's document
// settings, reached from its device page too; null for other contexts.
DocDMode* EmfFixUpRecord(const SheetCtx* ctx);

int FixUpBindingEdge(const SheetCtx* ctx);
int FixUpStaplePosition(const SheetCtx* ctx);
// A poster N-up of the context's settings back to the default when posters
// cannot be printed here.
int ResetEmfOnlyNup(const SheetCtx* ctx);
// Outside hosts only, on EmfFixUpRecord.
int FixUpEmfOnlyNup(const SheetCtx* ctx);
int FixUpEmfOnlyDuplex(const SheetCtx* ctx);
// Every fix-up but the punch position on `doc` (the context's own settings
// when null), with the context's host facts; the context's own record is
// left as it is when `doc` is another record.
int FixUpSettingsConflicts(const SheetCtx* ctx, DocDMode* doc);
