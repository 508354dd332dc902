// The Style Setting dialog (template 116): pages per sheet (N-up and
// poster kinds), their order on the sheet, border lines and their kind,
// and the paste border of a poster.

#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/records/nup_kinds.h"
#include "common/win/driver_help.h"
#include "dproc/constraints/stop_icons_win.h"
#include "dproc/dialogs/clip_test_report.h"
#include "dproc/dialogs/clip_test_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/layout/layout_dialogs_win.h"
#include "dproc/layout/layout_lists_win.h"
#include "dproc/layout/layout_rules.h"
#include "dproc/layout/nup_items_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings_win.h"
#include "dproc/model/feature_table.h"
#include "dproc/model/nup_layout.h"
#include "dproc/model/orientation_rules.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/settings/settings_fixups.h"
#include "dproc/settings/settings_fixups_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/owner_draw_win.h"


namespace {

enum : int {
  kPreview = 1235,
  kNupStopIcon = 1112,
  kNupLabel = 1022,
  kPasteBorderBox = 1580,
  kOrderLabel = 1404,
  kOrderCombo = 1405,
  kBorderStopIcon = 1407,
  kBorderBox = 1837,
  kBorderKindCombo = 1578,
  kDefaultButton = 1032,
  kHelpButton = 9,
};

const DWORD kHelpIds[] = {1112, 2230, 1022, 2230, 1025, 2230, 1580, 2240, 1404, 2210, 1405, 2210, 1407, 2220,
                          1837, 2220, 1578, 2220, 1235, DWORD(-1), 1069, DWORD(-1), 1032, 9510, 0, 0};

HWND g_tooltip = nullptr;  // the dialog's own tooltip window of refused settings

SheetCtx* Ctx(HWND dialog) { return reinterpret_cast<SheetCtx*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

int32_t Check(HWND dialog, int id) { return RunSheetConstraints(dialog, g_tooltip, static_cast<uint16_t>(id)); }

void FillOrders(HWND dialog, const DocDMode* doc) {
  FillOptionCombo(dialog, kOrderCombo, NupOrderOptionTable(GetNupLayoutKind(doc)));
  SelectOptionValue(dialog, kOrderCombo, Fields(*doc).nPageLayout);
}

void Arrange(HWND dialog, const SheetCtx* ctx, const DocDMode* doc) {
  const bool counted = GetNupKind(doc) != 0;
  ShowEnableCtrl(dialog, kPasteBorderBox, counted ? FALSE : TRUE);
  for (int id : {kOrderLabel, kOrderCombo, kBorderBox, kBorderKindCombo}) ShowEnableCtrl(dialog, id, counted);
  if (counted) EnableCtrlIfVisible(GetDlgItem(dialog, kBorderKindCombo), Fields(*doc).bNupBorder_ui != 0);
  FillNupCombo(dialog, ctx);
  LayoutSheetSelectNup(dialog, ctx);
  FillOrders(dialog, doc);
  if (!CanChangeDocSettings(ctx)) {
    for (int id : {1235, 1022, 1025, 1580, 1404, 1405, 1837, 1578, 1032}) EnableWindow(GetDlgItem(dialog, id), FALSE);
  }
}

// The pages per sheet from the list into the settings, the poster tiles
// and the common user interface's item; false without a selection.
bool ReadNup(HWND dialog, const SheetCtx* ctx, DocDMode* doc) {
  const OptionItem* row = SelectedOptionRow(dialog, kNupCombo);
  if (row == nullptr) return false;
  DocFields& f = Fields(*doc);
  f.nNup = static_cast<uint8_t>(row->value);
  f.byPosterPages = PosterPagesOf(f.nNup);
  SyncCpsuiNupItem(ctx, doc);
  return true;
}

bool ReadOption(HWND dialog, int comboId, uint8_t* field) {
  const OptionItem* row = SelectedOptionRow(dialog, comboId);
  if (row == nullptr) return false;
  *field = static_cast<uint8_t>(row->value);
  return true;
}

void Repaint(HWND dialog) { InvalidateRect(dialog, nullptr, TRUE); }

void Init(HWND dialog, SheetCtx* ctx) {
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(ctx));
  ApplyCommonDispStrings(dialog, CommonItemTable());
  if (const DispStringItem* table = DialogTextTable("Dlg_SetNupStyle")) ApplyDispStrings(dialog, table);
  CreateToolTipWindows(dialog);
  g_tooltip = CreateToolTipWindow(dialog);
  // The stop icons of the pages per sheet and the border line are placed
  // and painted like every other dialog's.
  StoreStopIconRect(dialog, StopIconTable());
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  FillNupCombo(dialog, ctx);
  LayoutSheetSelectNup(dialog, ctx);
  FillOrders(dialog, doc);
  FillOptionCombo(dialog, kBorderKindCombo, FindOptionTable("BorderLine_op"));
  FixUpNupStyle(doc);
  SelectOptionValue(dialog, kOrderCombo, Fields(*doc).nPageLayout);
  SelectOptionValue(dialog, kBorderKindCombo, Fields(*doc).bPageBorder);
  CheckDlgButton(dialog, kBorderBox, Fields(*doc).bNupBorder_ui != 0 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, kPasteBorderBox, Fields(*doc).nPosterMarginLine != 0 ? BST_CHECKED : BST_UNCHECKED);
  Arrange(dialog, ctx, doc);
  BackUpWorkingSettings(ctx);
  Repaint(dialog);
}

void NupChanged(HWND dialog, SheetCtx* ctx, DocDMode* doc) {
  DocFields& f = Fields(*doc);
  const uint8_t oldNup = f.nNup, oldStyle = f.nPageLayout, oldPoster = f.byPosterPages;
  LayoutPreviewOverrides* overrides = LayoutOverridesOf(GetUIState(ctx));
  if (overrides != nullptr) {
    overrides->nupOn = 1;
    overrides->nupValue = oldNup;
    overrides->styleOn = 1;
    overrides->styleValue = oldStyle;
  }
  ReadNup(dialog, ctx, doc);
  FixUpNupStyle(doc);
  if (ConstraintRefused(Check(dialog, kNupCombo))) {
    // Everything the reading set goes back: the kind, its order, the
    // poster tiles and the common user interface's item.
    f.nNup = oldNup;
    f.nPageLayout = oldStyle;
    f.byPosterPages = oldPoster;
    SyncCpsuiNupItem(ctx, doc);
    LayoutSheetSelectNup(dialog, ctx);
    FillOrders(dialog, doc);
  }
  if (overrides != nullptr) {
    overrides->nupOn = overrides->nupValue = overrides->styleOn = overrides->styleValue = 0;
  }
  DispPageHint(dialog, ctx, kStyleSettingTemplate);
  if (f.nNup != oldNup) {
    FixUpBindingEdge(ctx);
    FixUpNupStyle(doc);
    FixUpCombinationOrder(ProcessModelInfo(), doc);
  }
  Arrange(dialog, ctx, doc);
  Repaint(dialog);
}

void OrderChanged(HWND dialog, SheetCtx* ctx, DocDMode* doc) {
  DocFields& f = Fields(*doc);
  const uint8_t old = f.nPageLayout;
  LayoutPreviewOverrides* overrides = LayoutOverridesOf(GetUIState(ctx));
  if (overrides != nullptr) {
    overrides->styleOn = 1;
    overrides->styleValue = old;
  }
  ReadOption(dialog, kOrderCombo, &f.nPageLayout);
  if (ConstraintRefused(Check(dialog, kOrderCombo))) {
    f.nPageLayout = old;
    SelectOptionValue(dialog, kOrderCombo, old);
  }
  if (overrides != nullptr) overrides->styleOn = overrides->styleValue = 0;
  DispPageHint(dialog, ctx, kStyleSettingTemplate);
  Arrange(dialog, ctx, doc);
  Repaint(dialog);
}

void BorderKindChanged(HWND dialog, SheetCtx* ctx, DocDMode* doc) {
  DocFields& f = Fields(*doc);
  const uint8_t old = f.bPageBorder;
  ReadOption(dialog, kBorderKindCombo, &f.bPageBorder);
  if (ConstraintRefused(Check(dialog, kBorderKindCombo))) {
    f.bPageBorder = old;
    SelectOptionValue(dialog, kBorderKindCombo, old);
  }
  DispPageHint(dialog, ctx, kStyleSettingTemplate);
  Arrange(dialog, ctx, doc);
  Repaint(dialog);
}

void SwitchClicked(HWND dialog, SheetCtx* ctx, DocDMode* doc, int id, uint8_t* field) {
  const uint8_t old = *field;
  *field = IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0;
  if (ConstraintRefused(Check(dialog, id))) {
    *field = old;
    CheckDlgButton(dialog, id, old != 0 ? BST_CHECKED : BST_UNCHECKED);
  }
  DispPageHint(dialog, ctx, kStyleSettingTemplate);
  Arrange(dialog, ctx, doc);
  Repaint(dialog);
}

void Defaults(HWND dialog, SheetCtx* ctx, DocDMode* doc) {
  DocDMode defaults;
  const bool have = CopyDefaultOEMDevMode(ctx, &defaults);
  SetFocusCtrl(dialog, kDefaultButton);
  if (have) {
    DocFields& f = Fields(*doc);
    const DocFields& d = Fields(defaults);
    f.nNup = d.nNup;
    FixUpBindingEdge(ctx);
    f.nPageLayout = d.nPageLayout;
    FixUpNupStyle(doc);
    f.nPosterMarginLine = d.nPosterMarginLine;
    f.bNupBorder_ui = d.bNupBorder_ui;
    f.bPageBorder = d.bPageBorder;
  }
  LayoutSheetSelectNup(dialog, ctx);
  FillOrders(dialog, doc);
  CheckDlgButton(dialog, kBorderBox, Fields(*doc).bNupBorder_ui != 0 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, kPasteBorderBox, Fields(*doc).nPosterMarginLine != 0 ? BST_CHECKED : BST_UNCHECKED);
  SelectOptionValue(dialog, kBorderKindCombo, Fields(*doc).bPageBorder);
  Check(dialog, 0);
  DispPageHint(dialog, ctx, kStyleSettingTemplate);
  Arrange(dialog, ctx, doc);
  Repaint(dialog);
}

void Refuse(HWND dialog, int focusId) {
  SetFocusCtrl(dialog, focusId);
  SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 1);
}

void Ok(HWND dialog, SheetCtx* ctx, DocDMode* doc) {
  if (!ReadNup(dialog, ctx, doc)) return Refuse(dialog, kNupCombo);
  DocFields& f = Fields(*doc);
  if (GetNupKind(doc) == 0) {
    f.nPosterMarginLine = IsDlgButtonChecked(dialog, kPasteBorderBox) == BST_CHECKED ? 1 : 0;
    EndDialog(dialog, IDOK);
    return;
  }
  if (!ReadOption(dialog, kOrderCombo, &f.nPageLayout)) return Refuse(dialog, kOrderCombo);
  if (!ReadOption(dialog, kBorderKindCombo, &f.bPageBorder)) return Refuse(dialog, kBorderKindCombo);
  f.bNupBorder_ui = IsDlgButtonChecked(dialog, kBorderBox) == BST_CHECKED ? 1 : 0;
  EndDialog(dialog, IDOK);
}

void Help(HWND dialog, SheetCtx* ctx) {
  const int32_t margin = ComboClipMargin();
  const ClipTestItem items[] = {
      {1022, kClipStatic, nullptr, 0},        {1025, kClipComboItem, L"Nup Combo", margin},
      {1580, kClipCheckBox, nullptr, 0},      {1404, kClipStatic, nullptr, 0},
      {1405, kClipComboItem, L"NupStyle Combo", margin}, {1837, kClipCheckBox, nullptr, 0},
      {1578, kClipComboItem, L"BorderLine Combo", margin}, {IDOK, kClipPushButton, nullptr, 0},
      {IDCANCEL, kClipPushButton, nullptr, 0}, {1032, kClipPushButton, nullptr, 0},
      {9, kClipPushButton, nullptr, 0},       {0, 0, nullptr, 0}};
  if (!RunClipTest(dialog, GetCtxPrinterHandle(ctx), L"Combination Details Dialog", items)) {
    ShowDriverHelp(dialog, HELP_CONTEXT, 2200);
  }
}

void Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  switch (id) {
    case kNupCombo:
      if (code == CBN_SELCHANGE) NupChanged(dialog, ctx, doc);
      break;
    case kOrderCombo:
      if (code == CBN_SELCHANGE) OrderChanged(dialog, ctx, doc);
      break;
    case kBorderKindCombo:
      if (code == CBN_SELCHANGE) BorderKindChanged(dialog, ctx, doc);
      break;
    case kBorderBox:
      SwitchClicked(dialog, ctx, doc, id, &Fields(*doc).bNupBorder_ui);
      break;
    case kPasteBorderBox:
      SwitchClicked(dialog, ctx, doc, id, &Fields(*doc).nPosterMarginLine);
      break;
    case kDefaultButton:
      Defaults(dialog, ctx, doc);
      break;
    case IDOK:
      Ok(dialog, ctx, doc);
      break;
    case IDCANCEL:
      RestoreWorkingSettings(ctx);
      // The common user interface's item follows the restored settings.
      SyncCpsuiNupItem(ctx, doc);
      EndDialog(dialog, IDCANCEL);
      break;
    case kHelpButton:
      Help(dialog, ctx);
      break;
    default:
      break;
  }
}

void DrawListItem(HWND dialog, const DRAWITEMSTRUCT* item) {
  const DocDMode* doc = GetPrivDevMode(Ctx(dialog));
  if (doc == nullptr) return;
  const auto* row = reinterpret_cast<const OptionItem*>(item->itemData);
  int image = 1008, mask = 1007, cell = 0;
  if (item->CtlID == kOrderCombo) {
    const int kind = GetNupLayoutKind(doc);
    if (kind == -1) {
      if (item->itemID != static_cast<UINT>(-1)) DrawItemBackground(item);
      return;
    }
    image = 5191;
    mask = 5190;
    cell = PageOrderCell(kind, Fields(*doc).nNup, Fields(*doc).nOrientation == 1, row != nullptr ? row->value : 0);
  } else {
    cell = BorderKindCell(row != nullptr ? row->value : 1,
                          GetEffectiveOrientation(ProcessModelInfo(), doc) == 1);
  }
  if (item->itemID == static_cast<UINT>(-1)) {
    DrawItemFocus(item);
    return;
  }
  if (item->itemAction == ODA_DRAWENTIRE || item->itemAction == ODA_SELECT) {
    DrawItemBackground(item);
    DrawBitmapText(item, DialogFrameworkModules().images, image, mask, cell,
                   row != nullptr ? reinterpret_cast<const wchar_t*>(row->text) : L"", 32, 32);
  }
  if (item->itemAction == ODA_FOCUS || ((item->itemState & ODS_FOCUS) != 0 && GetFocus() == item->hwndItem)) {
    DrawItemFocus(item);
  }
}

}  // namespace

INT_PTR CALLBACK StyleSettingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR hooked = 0;
  if (OfferToDeviceLibrary(kStyleSettingTemplate, dialog, message, wParam, lParam, &hooked)) return hooked;
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
      if (measure->CtlID != kNupCombo && measure->CtlID != kOrderCombo && measure->CtlID != kBorderKindCombo) {
        return FALSE;
      }
      measure->itemHeight = kLayoutItemHeight;
      return TRUE;
    }
    case WM_DRAWITEM: {
      const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      switch (item->CtlID) {
        case kPreview:
          if (Ctx(dialog) != nullptr) DrawLayoutPreview(kStyleSettingTemplate, dialog, item, Ctx(dialog), true);
          return TRUE;
        case kNupCombo:
          LayoutSheetDrawNupItem(dialog, item);
          return TRUE;
        case kOrderCombo:
        case kBorderKindCombo:
          DrawListItem(dialog, item);
          return TRUE;
        case kNupStopIcon:
        case kBorderStopIcon:
          DrawStopInfoIcon(dialog, item->CtlID, item, StopIconTable());
          return TRUE;
        default:
          return FALSE;
      }
    }
    case WM_HELP:
    case WM_CONTEXTMENU:
      HandleDialogHelpMessage(message, wParam, lParam, kHelpIds);
      return FALSE;
    case WM_DESTROY:
      g_tooltip = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}
