// The Print Position dialog (template 163): where the image sits along the
// paper's feed direction, 0 top edge, 1 centre, 2 back edge.

#include "common/records/doc_fields.h"
#include "common/win/driver_help.h"
#include "dproc/constraints/stop_icons_win.h"
#include "dproc/dialogs/clip_test_report.h"
#include "dproc/dialogs/clip_test_win.h"
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

const ClipTestItem kClipItems[] = {
    {1892, kClipRadio, nullptr, 0},         {1893, kClipRadio, nullptr, 0},     {1894, kClipRadio, nullptr, 0},
    {1895, kClipStatic, nullptr, 0},        {IDOK, kClipPushButton, nullptr, 0}, {IDCANCEL, kClipPushButton, nullptr, 0},
    {1032, kClipPushButton, nullptr, 0},    {9, kClipPushButton, nullptr, 0},
    {0, 0, nullptr, 0},
};

SheetCtx* Ctx(HWND dialog) { return reinterpret_cast<SheetCtx*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

// Value 0 to 2 checks its button and clears the others; any other value
// leaves the buttons as they are.
void ShowPosition(HWND dialog, uint8_t value) {
  if (value > 2) return;
  for (int i = 0; i < 3; ++i) CheckDlgButton(dialog, kTopEdge + i, i == value ? BST_CHECKED : BST_UNCHECKED);
}

// The checked button's value; with none checked the field keeps its value.
void ReadPosition(HWND dialog, uint8_t* field) {
  for (int i = 0; i < 3; ++i) {
    if (IsDlgButtonChecked(dialog, kTopEdge + i) == BST_CHECKED) {
      *field = static_cast<uint8_t>(i);
      return;
    }
  }
}

void Init(HWND dialog, SheetCtx* ctx) {
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(ctx));
  ApplyCommonDispStrings(dialog, CommonItemTable());
  if (const DispStringItem* table = DialogTextTable("Dlg_PrintPosition")) ApplyDispStrings(dialog, table);
  StoreStopIconRect(dialog, StopIconTable());
  RunSheetConstraints(dialog, LayoutSheetTooltip(), 0);
  DispPageHint(dialog, ctx, kPrintPositionTemplate);
  DocDMode* doc = GetPrivDevMode(ctx);
  BackUpWorkingSettings(ctx);
  if (doc != nullptr) ShowPosition(dialog, Fields(*doc).nPrintPosition);
  if (!CanChangeDocSettings(ctx)) {
    for (int id : {1892, 1893, 1894, 1895, 1032}) EnableWindow(GetDlgItem(dialog, id), FALSE);
  }
  EnableCtrlIfVisible(GetDlgItem(dialog, kSheetPicture), TRUE);
  EnableCtrlIfVisible(GetDlgItem(dialog, kArrowPicture), TRUE);
}

void AfterChange(HWND dialog, SheetCtx* ctx, DocDMode* doc) {
  DispPageHint(dialog, ctx, kPrintPositionTemplate);
  ShowPosition(dialog, Fields(*doc).nPrintPosition);
  InvalidateRect(dialog, nullptr, TRUE);
}

void Command(HWND dialog, SheetCtx* ctx, int id) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  uint8_t& field = Fields(*doc).nPrintPosition;
  switch (id) {
    case kTopEdge:
    case kCentre:
    case kBackEdge: {
      const uint8_t old = field;
      ReadPosition(dialog, &field);
      if (ConstraintRefused(RunSheetConstraints(dialog, LayoutSheetTooltip(), static_cast<uint16_t>(id)))) {
        field = old;
      }
      AfterChange(dialog, ctx, doc);
      break;
    }
    case kDefaultButton: {
      DocDMode defaults;
      if (CopyDefaultOEMDevMode(ctx, &defaults)) field = Fields(defaults).nPrintPosition;
      SetFocusCtrl(dialog, kDefaultButton);
      RunSheetConstraints(dialog, LayoutSheetTooltip(), 0);
      AfterChange(dialog, ctx, doc);
      break;
    }
    case IDOK:
      ReadPosition(dialog, &field);
      EndDialog(dialog, IDOK);
      break;
    case IDCANCEL:
      RestoreWorkingSettings(ctx);
      EndDialog(dialog, IDCANCEL);
      break;
    case kHelpButton:
      if (!RunClipTest(dialog, GetCtxPrinterHandle(ctx), L"Print Position Settings Dialog", kClipItems)) {
        ShowDriverHelp(dialog, HELP_CONTEXT, 9300);
      }
      break;
    default:
      break;
  }
}

void DrawItem(HWND dialog, const DRAWITEMSTRUCT* item) {
  const DocDMode* doc = GetPrivDevMode(Ctx(dialog));
  HMODULE images = DialogFrameworkModules().images;
  if (item->CtlID == kSheetPicture) {
    const uint8_t value = doc != nullptr ? Fields(*doc).nPrintPosition : 0xFF;
    // A value outside 0 to 2 has no picture.
    if (value <= 2) {
      DrawMaskedBitmap(item->hDC, images, kPictures[value][0], kPictures[value][1], item->rcItem.left,
                       item->rcItem.top);
    }
  } else if (item->CtlID == kArrowPicture) {
    DrawMaskedBitmap(item->hDC, images, kArrowImage, kArrowMask, item->rcItem.left, item->rcItem.top);
  }
}

}  // namespace

INT_PTR CALLBACK PrintPositionDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR hooked = 0;
  if (OfferToDeviceLibrary(kPrintPositionTemplate, dialog, message, wParam, lParam, &hooked)) return hooked;
  switch (message) {
    case WM_INITDIALOG:
      Init(dialog, reinterpret_cast<SheetCtx*>(lParam));
      return FALSE;
    case WM_COMMAND:
      if (Ctx(dialog) == nullptr) return FALSE;
      Command(dialog, Ctx(dialog), LOWORD(wParam));
      return FALSE;
    case WM_DRAWITEM: {
      const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlID == kStopIcon) {
        DrawStopInfoIcon(dialog, kStopIcon, item, StopIconTable());
        return TRUE;
      }
      // The hint bulb is painted here too, so the hint the dialog shows has
      // its light bulb beside it.
      if (item->CtlID == kHintBulbControl) {
        DrawHintBulbItem(dialog, item);
        return TRUE;
      }
      DrawItem(dialog, item);
      return FALSE;
    }
    case WM_HELP:
    case WM_CONTEXTMENU:
      HandleDialogHelpMessage(message, wParam, lParam, kHelpIds);
      return FALSE;
    default:
      return FALSE;
  }
}
