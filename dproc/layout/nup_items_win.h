// The N-up list of the Layout sheet and the style dialog (combo box 1025):
// its rows, selection and pictures, the common user interface's N-up item
// kept in step with the settings, and the preview overrides that keep the
// paper preview on the old layout while a change is being checked.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "common/records/sheet_session.h"
#include "dproc/preview/preview_overrides.h"
#include "dproc/sheets/sheet_context.h"
#include "dproc/sheets/ui_state_layout.h"

inline constexpr int kNupCombo = 1025;


// Fills combo box 1025 with the N-up rows (the poster kinds only on a model
// with posters), each 32 pixels high.
void FillNupCombo(HWND dialog, const SheetCtx* ctx);
// Selects "Nup_op" in combo box 1025 (no selection when no row has it).
void LayoutSheetSelectNup(HWND dialog, const SheetCtx* ctx);
// Paints an item of combo box 1025: its picture by kind and orientation and
// its text.
void LayoutSheetDrawNupItem(HWND dialog, const DRAWITEMSTRUCT* item);

// The common user interface's N-up item (and, on Windows NT 4.0, the
// driver's own item 464) for the settings: the kind's option while N-up is
// on and the kind is no poster, else one page per sheet.
void SyncCpsuiNupItem(const SheetCtx* ctx, const DocDMode* doc);
