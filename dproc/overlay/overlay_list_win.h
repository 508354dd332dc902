// The overlay form list box (1326) that the watermark/overlay sheet and the
// Overlay Information dialog both show, and the sheet's actions on it: the
// buttons that open the overlay dialogs, import a form and remove one.
#pragma once

#include <windows.h>

#include <cstdint>

#include "dproc/sheets/sheet_context.h"

inline constexpr int kOverlayListControl = 1326;

// Fills 1326 of `window` from the session's list: form files as "file
// (form name)", registered device forms as "name (form name) location".
// Each item's data is its entry.
void FillOverlayList(HWND window, const SheetCtx* ctx);
// Selects item `nFormListPos`; a position past the items becomes 0 (-1
// without items).  True when the position had to change.
bool SelectOverlayItem(HWND window, const SheetCtx* ctx);
// The selected item becomes the settings' form: its position and, for a
// device form, its name and location.  False without a selection.
bool TakeSelectedOverlay(HWND window, const SheetCtx* ctx);

// Import: the form file dialog, starting at the selected item's file; the
// chosen file is selected in 1326 of `window` (added to the session's list
// and the list refilled when it is new) and the list saved.  The selected
// index, or -1 when nothing was chosen or the file is not a form file;
// `*chosen` tells whether the user chose a file.
int ImportFormFileInto(HWND window, const SheetCtx* ctx, bool* chosen);

// How the sheet runs a modal dialog (its owner, template, procedure and
// parameter); its result.
using OverlayDialogRunner = intptr_t (*)(HWND owner, uint16_t templateId, DLGPROC proc, LPARAM context);

// The sheet's buttons.  Each returns true when the settings or the list
// changed, so that the sheet notes the change and refreshes.
// "Overlay Information" (1279).
bool OverlayInfoFromSheet(HWND sheet, SheetCtx* ctx, OverlayDialogRunner run);
// A new overlay: import a form file (1277) or manage the device's forms (1143).
bool NewOverlayFromSheet(HWND sheet, SheetCtx* ctx, OverlayDialogRunner run);
// Removes the selected overlay (1278) after the user confirms.
bool RemoveOverlayFromSheet(HWND sheet, SheetCtx* ctx);
