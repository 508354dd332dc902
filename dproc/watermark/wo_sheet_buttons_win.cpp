// The sheet's buttons for the dialogs that are not built yet: each changes
// nothing.
#include "dproc/watermark/wo_sheet_buttons.h"

bool WOSheetOverlayInfoButton(HWND, SheetCtx*) { return false; }
bool WOSheetNewOverlayButton(HWND, SheetCtx*) { return false; }
bool WOSheetRemoveOverlayButton(HWND, SheetCtx*) { return false; }
bool WOSheetCopyProtectButton(HWND, SheetCtx*) { return false; }
bool WOSheetDateTimeButton(HWND, SheetCtx*) { return false; }
bool WOSheetNumberingButton(HWND, SheetCtx*) { return false; }
