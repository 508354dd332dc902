// The buttons of the watermark/overlay sheet that open the overlay, stamp,
// numbering and copy-protect dialogs.  Each runs its dialog from the sheet
// page and says whether the settings changed; the sheet then notes the
// change, refreshes its controls and repaints.  The overlay buttons also
// fill and select the sheet's overlay list themselves.
#pragma once

#include <windows.h>

#include "dproc/sheets/sheet_context.h"

// "Overlay Information" (1279).
bool WOSheetOverlayInfoButton(HWND sheet, SheetCtx* ctx);
// A new overlay (1277, 1143).
bool WOSheetNewOverlayButton(HWND sheet, SheetCtx* ctx);
// Removes the selected overlay (1278).
bool WOSheetRemoveOverlayButton(HWND sheet, SheetCtx* ctx);
// "Copy Protect Setting" (1166).
bool WOSheetCopyProtectButton(HWND sheet, SheetCtx* ctx);
// "Date/Time Setting" (2115).
bool WOSheetDateTimeButton(HWND sheet, SheetCtx* ctx);
// "Numbering Setting" (2339).
bool WOSheetNumberingButton(HWND sheet, SheetCtx* ctx);
