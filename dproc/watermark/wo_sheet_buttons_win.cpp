// The sheet's buttons for the overlay, stamp, numbering and copy-protect
// dialogs.  The overlay buttons run the overlay dialogs and keep the sheet's
// overlay list; the stamp, numbering and copy-protect dialogs are not built
// yet: their buttons change nothing.
#include "dproc/watermark/wo_sheet_buttons.h"

#include "dproc/overlay/overlay_list_win.h"
#include "dproc/watermark/wo_sheet_win.h"

bool WOSheetOverlayInfoButton(HWND sheet, SheetCtx* ctx) { return OverlayInfoFromSheet(sheet, ctx, RunWOSheetDialog); }
bool WOSheetNewOverlayButton(HWND sheet, SheetCtx* ctx) { return NewOverlayFromSheet(sheet, ctx, RunWOSheetDialog); }
bool WOSheetRemoveOverlayButton(HWND sheet, SheetCtx* ctx) { return RemoveOverlayFromSheet(sheet, ctx); }
bool WOSheetCopyProtectButton(HWND, SheetCtx*) { return false; }
bool WOSheetDateTimeButton(HWND, SheetCtx*) { return false; }
bool WOSheetNumberingButton(HWND, SheetCtx*) { return false; }
