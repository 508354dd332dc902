// The settings fix-ups on a sheet context: the context's document settings,
// and what its host says about metafile printing.
#pragma once

#include "common/sheet_context.h"
#include "dproc/settings_fixups.h"

// The host facts the fix-ups need: an outside host (a plug-in page record),
// its advanced printing features (asked from Windows 2000 on), a raw-only
// printer and a "Mono" driver.
FixUpHost FixUpHostOf(const SheetCtx* ctx);
// The record the metafile fix-ups work on: an outside host's document
// settings, reached from its device page too; null for other contexts.
DocDMode* EmfFixUpRecord(const SheetCtx* ctx);

int FixUpBindingEdge(const SheetCtx* ctx);
int FixUpStaplePosition(const SheetCtx* ctx);
