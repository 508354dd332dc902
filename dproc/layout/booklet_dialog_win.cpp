// The Booklet Setting dialog (template 134): the side a booklet is bound on
// (left or right in portrait, top or bottom in landscape) and its border
// lines.

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
#include "dproc/model/feature_table.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/settings/settings_fixups.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/owner_draw_win.h"


namespace {

enum : int {
  kPreview = 1235,
  kStopIcon = 1608,
  kBindingLabel = 1586,
  kBindingCombo = 1590,
  kBorderBox = 1406,
  kDefaultButton = 1032,
  kHelpButton = 9,
};
constexpr int kLayoutPageId = 101;

const DWORD kHelpIds[] = {1608, 2810, 1586, 2810, 1590, 2810, 1406, 2820, 1235, DWORD(-1), 1069, DWORD(-1),
                          1032, 9510, 0, 0};


SheetCtx* Ctx(HWND dialog) { return reinterpret_cast<SheetCtx*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

HWND Tooltip() { return LayoutSheetTooltip(); }

void FillBindings(HWND dialog, const DocDMode* doc) {
  const bool portrait = Fields(*doc).nOrientation == 1;
  FillOptionCombo(dialog, kBindingCombo, FindOptionTable(portrait ? "BookletBinding_Port" : "BookletBinding_Land"));
}

void ShowSettings(HWND dialog, const DocDMode* doc) {
  SelectOptionValue(dialog, kBindingCombo, Fields(*doc).nBookletOrder);
  CheckDlgButton(dialog, kBorderBox, Fields(*doc).bBookletBorder != 0 ? BST_CHECKED : BST_UNCHECKED);
}

void Init(HWND dialog, SheetCtx* ctx) {
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(ctx));
  ApplyCommonDispStrings(dialog, CommonItemTable());
  if (const DispStringItem* table = DialogTextTable("Dlg_SetBookletStyle")) ApplyDispStrings(dialog, table);
  // The stop icon beside the binding is placed and painted like every other
  // dialog's, so a refused binding shows its reason here too.
  StoreStopIconRect(dialog, StopIconTable());
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  FillBindings(dialog, doc);
  FixUpBookletBinding(doc);
  ShowSettings(dialog, doc);
  BackUpWorkingSettings(ctx);
  if (!CanChangeDocSettings(ctx)) {
    for (int id : {1235, 1586, 1590, 1406, 1032}) EnableWindow(GetDlgItem(dialog, id), FALSE);
  }
}

void BindingChanged(HWND dialog, SheetCtx* ctx, DocDMode* doc) {
  uint8_t& field = Fields(*doc).nBookletOrder;
  const uint8_t old = field;
  if (const OptionItem* row = SelectedOptionRow(dialog, kBindingCombo)) field = static_cast<uint8_t>(row->value);
  FixUpBookletBinding(doc);
  if (ConstraintRefused(RunSheetConstraints(dialog, Tooltip(), kBindingCombo))) {
    field = old;
    SelectOptionValue(dialog, kBindingCombo, field);
  }
  DispPageHint(dialog, ctx, kBookletSettingTemplate);
  if (field != old) FixUpBookletBinding(doc);
  InvalidateRect(dialog, nullptr, TRUE);
}

void BorderClicked(HWND dialog, SheetCtx* ctx, DocDMode* doc) {
  uint8_t& field = Fields(*doc).bBookletBorder;
  const uint8_t old = field;
  field = IsDlgButtonChecked(dialog, kBorderBox) == BST_CHECKED ? 1 : 0;
  if (ConstraintRefused(RunSheetConstraints(dialog, Tooltip(), kBorderBox))) {
    field = old;
    CheckDlgButton(dialog, kBorderBox, old != 0 ? BST_CHECKED : BST_UNCHECKED);
  }
  DispPageHint(dialog, ctx, kBookletSettingTemplate);
  InvalidateRect(dialog, nullptr, TRUE);
}

void Defaults(HWND dialog, SheetCtx* ctx, DocDMode* doc) {
  DocDMode defaults;
  const bool have = CopyDefaultOEMDevMode(ctx, &defaults);
  SetFocusCtrl(dialog, kDefaultButton);
  if (have) {
    const uint8_t old = Fields(*doc).nBookletOrder;
    Fields(*doc).nBookletOrder = Fields(defaults).nBookletOrder;
    if (Fields(*doc).nBookletOrder != old) FixUpBookletBinding(doc);
    Fields(*doc).bBookletBorder = Fields(defaults).bBookletBorder;
  }
  ShowSettings(dialog, doc);
  RunSheetConstraints(dialog, Tooltip(), 0);
  DispPageHint(dialog, ctx, kBookletSettingTemplate);
  InvalidateRect(dialog, nullptr, TRUE);
}

void Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  switch (id) {
    case kBindingCombo:
      if (code == CBN_SELCHANGE) BindingChanged(dialog, ctx, doc);
      break;
    case kBorderBox:
      BorderClicked(dialog, ctx, doc);
      break;
    case kDefaultButton:
      Defaults(dialog, ctx, doc);
      break;
    case IDOK: {
      const OptionItem* row = SelectedOptionRow(dialog, kBindingCombo);
      if (row == nullptr) break;  // stays open without a message
      Fields(*doc).nBookletOrder = static_cast<uint8_t>(row->value);
      Fields(*doc).bBookletBorder = IsDlgButtonChecked(dialog, kBorderBox) == BST_CHECKED ? 1 : 0;
      EndDialog(dialog, IDOK);
      break;
    }
    case IDCANCEL:
      RestoreWorkingSettings(ctx);
      EndDialog(dialog, IDCANCEL);
      break;
    case kHelpButton: {
      const ClipTestItem items[] = {
          {1586, kClipStatic, nullptr, 0},   {1590, kClipComboItem, L"BookletBinding Combo", ComboClipMargin()},
          {1406, kClipCheckBox, nullptr, 0}, {IDOK, kClipPushButton, nullptr, 0},
          {IDCANCEL, kClipPushButton, nullptr, 0}, {1032, kClipPushButton, nullptr, 0},
          {9, kClipPushButton, nullptr, 0},  {0, 0, nullptr, 0}};
      if (!RunClipTest(dialog, GetCtxPrinterHandle(ctx), L"Combination Details Dialog", items)) {
        ShowDriverHelp(dialog, HELP_CONTEXT, 2800);
      }
      break;
    }
    default:
      break;
  }
}

void DrawBindingItem(HWND dialog, const DRAWITEMSTRUCT* item) {
  if (item->itemID == static_cast<UINT>(-1)) {
    DrawItemFocus(item);
    return;
  }
  if (item->itemAction == ODA_DRAWENTIRE || item->itemAction == ODA_SELECT) {
    DrawItemBackground(item);
    const auto* row = reinterpret_cast<const OptionItem*>(item->itemData);
    const wchar_t* text = row != nullptr ? reinterpret_cast<const wchar_t*>(row->text) : L"";
    // Every binding side shows the same picture.
    DrawBitmapText(item, DialogFrameworkModules().images, 6050, 6051, 0, text, 32, 32);
  }
  if (item->itemAction == ODA_FOCUS) DrawItemFocus(item);
  (void)dialog;
}

}  // namespace

INT_PTR CALLBACK BookletSettingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR hooked = 0;
  if (OfferToDeviceLibrary(kBookletSettingTemplate, dialog, message, wParam, lParam, &hooked)) return hooked;
  switch (message) {
    case WM_INITDIALOG:
      Init(dialog, reinterpret_cast<SheetCtx*>(lParam));
      return FALSE;
    case WM_COMMAND:
      if (Ctx(dialog) == nullptr) return FALSE;
      Command(dialog, Ctx(dialog), LOWORD(wParam), HIWORD(wParam));
      return FALSE;
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (measure->CtlID != kBindingCombo) return FALSE;
      measure->itemHeight = kLayoutItemHeight;
      return TRUE;
    }
    case WM_DRAWITEM: {
      const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlID == kPreview) {
        if (Ctx(dialog) != nullptr) DrawLayoutPreview(kLayoutPageId, dialog, item, Ctx(dialog), false);
        return TRUE;
      }
      if (item->CtlID == kStopIcon) {
        DrawStopInfoIcon(dialog, kStopIcon, item, StopIconTable());
        return TRUE;
      }
      if (item->CtlID == kBindingCombo) DrawBindingItem(dialog, item);
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
