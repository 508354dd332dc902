// The sheet's buttons for the overlay, stamp, numbering and copy-protect
// dialogs.  The overlay buttons run the overlay dialogs and keep the sheet's
// overlay list; the stamp and numbering buttons run their dialogs on the
// sheet's settings, the copy-protect button the simple dialog on a model
// whose copy-protect dialog is of type 3, else the edit dialog.
#include "dproc/watermark/wo_sheet_buttons.h"

#include "dproc/overlay/overlay_list_win.h"
#include "dproc/watermark/copy_protect_dialogs_win.h"
#include "dproc/watermark/stamp_dialogs_win.h"
#include "dproc/watermark/wo_sheet_win.h"

bool WOSheetOverlayInfoButton(HWND sheet, SheetCtx* ctx) { return OverlayInfoFromSheet(sheet, ctx, RunWOSheetDialog); }
bool WOSheetNewOverlayButton(HWND sheet, SheetCtx* ctx) { return NewOverlayFromSheet(sheet, ctx, RunWOSheetDialog); }
bool WOSheetRemoveOverlayButton(HWND sheet, SheetCtx* ctx) { return RemoveOverlayFromSheet(sheet, ctx); }
bool WOSheetCopyProtectButton(HWND sheet, SheetCtx* ctx) {
  const bool simple = CopyProtectDialogType() == 3;
  return RunWOSheetDialog(sheet, simple ? kCopyProtectSimpleTemplate : kCopyProtectEditTemplate,
                          simple ? CopyProtectSimpleDlgProc : CopyProtectEditDlgProc,
                          reinterpret_cast<LPARAM>(ctx)) == IDOK;
}
bool WOSheetDateTimeButton(HWND sheet, SheetCtx* ctx) {
  return RunWOSheetDialog(sheet, DateTimePageTemplate(), DateTimePageEditDlgProc, reinterpret_cast<LPARAM>(ctx)) ==
         IDOK;
}
bool WOSheetNumberingButton(HWND sheet, SheetCtx* ctx) {
  return RunWOSheetDialog(sheet, kNumberingTemplate, NumberingDlgProc, reinterpret_cast<LPARAM>(ctx)) == IDOK;
}
