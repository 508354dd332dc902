// The Print Position dialog (template 163): where the image sits along the
// paper's feed direction, 0 top edge, 1 centre, 2 back edge.

#include "common/records/doc_fields.h"
#include "common/win/driver_help.h"
#include "dproc/constraints/stop_icons_win.h"
#include "dproc/dialogs/clip_test_report.h"
#include "dproc/dialogs/clip_test_win.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/layout/layout_dialogs_win.h"
#include "dproc/layout/layout_lists_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/owner_draw_win.h"
#include "dproc/sheets/sheet_context.h"


namespace {

enum : int {
  kStopIcon = 1891,
  kTopEdge = 1892,
  kCentre = 1893,
  kBackEdge = 1894,
  kDirectionLabel = 1895,
  kSheetPicture = 1896,
  kArrowPicture = 1897,
  kDefaultButton = 1032,
  kHelpButton = 9,
};

const DWORD kHelpIds[] = {1891, 9310, 1892, 9310, 1893, 9310, 1894, 9310, 1896, DWORD(-1), 1897, DWORD(-1),
                          1895, DWORD(-1), 1015, DWORD(-1), 1016, DWORD(-1), 1069, DWORD(-1), 1032, 9510, 0, 0};

// Image and mask of the sheet's picture by position, and of the arrow.
const int kPictures[3][2] = {{469, 470}, {1020, 1021}, {1022, 1023}};
constexpr int kArrowImage = 471, kArrowMask = 472;

void Init(HWND dialog, SheetCtx* ctx) {
  if (!CanChangeDocSettings(ctx)) {
    for (int id : {1892, 1893, 1894, 1895, 1032}) EnableWindow(GetDlgItem(dialog, id), FALSE);
  }
  EnableCtrlIfVisible(GetDlgItem(dialog, kSheetPicture), TRUE);
  EnableCtrlIfVisible(GetDlgItem(dialog, kArrowPicture), TRUE);
}

void Repaint(HWND dialog, SheetCtx*) { InvalidateRect(dialog, nullptr, TRUE); }

#define POSITION DOC_FIELD_AT(nPrintPosition), 1
const DialogBinding kBindings[] = {
    {kTopEdge, BN_CLICKED, BindKind::kRadio, POSITION, 0, nullptr, nullptr, Repaint},
    {kCentre, BN_CLICKED, BindKind::kRadio, POSITION, 1, nullptr, nullptr, Repaint},
    {kBackEdge, BN_CLICKED, BindKind::kRadio, POSITION, 2, nullptr, nullptr, Repaint},
    {},
};
#undef POSITION

void Defaults(HWND, SheetCtx* ctx) {
  DocDMode defaults;
  if (CopyDefaultOEMDevMode(ctx, &defaults)) Fields(*GetPrivDevMode(ctx)).nPrintPosition = Fields(defaults).nPrintPosition;
}

// The checked button's value; with none checked the field keeps its value.
bool Ok(HWND dialog, SheetCtx* ctx) {
  for (int i = 0; i < 3; ++i) {
    if (IsDlgButtonChecked(dialog, kTopEdge + i) == BST_CHECKED) Fields(*GetPrivDevMode(ctx)).nPrintPosition = static_cast<uint8_t>(i);
  }
  return true;
}

bool DrawItem(HWND, SheetCtx* ctx, const DRAWITEMSTRUCT* item) {
  const DocDMode* doc = GetPrivDevMode(ctx);
  HMODULE images = DialogFrameworkModules().images;
  if (item->CtlID == kSheetPicture) {
    const uint8_t value = doc != nullptr ? Fields(*doc).nPrintPosition : 0xFF;
    // A value outside 0 to 2 has no picture.
    if (value <= 2) {
      DrawMaskedBitmap(item->hDC, images, kPictures[value][0], kPictures[value][1], item->rcItem.left,
                       item->rcItem.top);
    }
    return true;
  }
  if (item->CtlID == kArrowPicture) {
    DrawMaskedBitmap(item->hDC, images, kArrowImage, kArrowMask, item->rcItem.left, item->rcItem.top);
    return true;
  }
  return false;
}

const DocumentDialog kDialog = {
    .templateId = kPrintPositionTemplate,
    .textSection = "Dlg_PrintPosition",
    .helpIds = kHelpIds,
    .helpTopic = 9300,
    .clipTitle = L"Print Position Settings Dialog",
    .bindings = kBindings,
    .init = Init,
    .ok = Ok,
    .defaults = Defaults,
    .drawItem = DrawItem,
};

}  // namespace

INT_PTR CALLBACK PrintPositionDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}
