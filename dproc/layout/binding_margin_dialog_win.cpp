// The Binding Margin dialog (template 117): the binding margin on the front
// and the back side, the back taking the front's value, the shift mode
// (parallel or stretch) with its picture, and the unit.

#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/win/driver_help.h"
#include "dproc/constraints/stop_icons_win.h"
#include "dproc/dialogs/clip_test_report.h"
#include "dproc/dialogs/clip_test_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/dialog_ui_state.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/dialogs/length_spin_edit_win.h"
#include "dproc/layout/layout_dialogs_win.h"
#include "dproc/layout/layout_lists_win.h"
#include "dproc/layout/layout_rules.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings_win.h"
#include "dproc/model/orientation_rules.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/owner_draw_win.h"

#include "dproc/startup/edit_range_limits.h"

namespace {

enum : int {
  kPicture = 1591,
  kParallel = 1242,
  kStretch = 1243,
  kBackCaption = 1345,
  kStopIcon = 1399,
  kFrontEdit = 1362,
  kFrontSpin = 1364,
  kBackEdit = 1365,
  kBackSpin = 1367,
  kBackLabel = 1348,
  kSameBox = 1423,
  kDefaultButton = 1032,
  kHelpButton = 9,
};

const DWORD kHelpIds[] = {1410, 2240, 1591, 2240, 1242, 2240, 1243, 2240, 1343, 2250, 1362, 2250, 1364, 2250,
                          1347, 2250, 1345, 2260, 1399, 2260, 1365, 2260, 1367, 2260, 1348, 2260, 1423, 2270,
                          1409, 2280, 1240, 2280, 1241, 2280, 1032, 9510, 1069, DWORD(-1), 0, 0};
const int kLockList[] = {1410, 1242, 1243, 1343, 1362, 1364, 1347, 1345, 1365, 1367, 1348, 1423, 1409, 1240, 1241, 1032};

HWND g_tooltip = nullptr;

SheetCtx* Ctx(HWND dialog) { return reinterpret_cast<SheetCtx*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

// The two margins, with the ranges the description gives.
LengthEditSpec g_edits[2] = {
    {kFrontEdit, kFrontSpin, 1347, DOC_FIELD_AT(nBindingUp), DOC_FIELD_AT(nBindingUp_Inch), {0, 50}, 40, 41},
    {kBackEdit, kBackSpin, kBackLabel, DOC_FIELD_AT(nBindingDown), DOC_FIELD_AT(nBindingDown_Inch), {0, 50}, 40, 41},
};
const LengthEditGroup& Group() {
  static LengthEditGroup group = {LengthScale::kMargin, DOC_FIELD_AT(byBindingUnit), g_edits, 2};
  const EditRangeLimit& front = g_editRangeLimits[kRangeBindShiftFront];
  const EditRangeLimit& back = g_editRangeLimits[kRangeBindShiftBack];
  g_edits[0].metricRange = {front.minimum, front.maximum};
  g_edits[1].metricRange = {back.minimum, back.maximum};
  return group;
}
const LengthEditSpec& Front() { return Group().edits[0]; }
const LengthEditSpec& Back() { return Group().edits[1]; }

int32_t Check(HWND dialog, int id) { return RunSheetConstraints(dialog, g_tooltip, static_cast<uint16_t>(id)); }

void CopyFrontToBack(DocFields& f) {
  f.nBindingDown = f.nBindingUp;
  f.nBindingDown_Inch = f.nBindingUp_Inch;
}

void ShowUnit(HWND dialog, const DocFields& f) {
  CheckRadioButton(dialog, kUnitMmButton, kUnitInchButton, f.byBindingUnit == 0 ? kUnitMmButton : kUnitInchButton);
}
void ShowMode(HWND dialog, const DocFields& f) {
  CheckRadioButton(dialog, kParallel, kStretch, f.nBindingMode == 0 ? kParallel : kStretch);
}

void EnableControls(HWND dialog, const SheetCtx* ctx, const DocFields& f) {
  const bool twoSided = f.nDuplex != 1;
  for (int id : {kBackCaption, kBackEdit, kBackSpin, kBackLabel}) {
    if (twoSided) EnableCtrlIfVisible(GetDlgItem(dialog, id), f.bBindingSame == 0);
    else EnableWindow(GetDlgItem(dialog, id), FALSE);
  }
  if (twoSided) EnableCtrlIfVisible(GetDlgItem(dialog, kSameBox), TRUE);
  else EnableWindow(GetDlgItem(dialog, kSameBox), FALSE);
  if (!CanChangeDocSettings(ctx)) {
    for (int id : kLockList) EnableWindow(GetDlgItem(dialog, id), FALSE);
  }
}

void Init(HWND dialog, SheetCtx* ctx) {
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(ctx));
  ApplyCommonDispStrings(dialog, CommonItemTable());
  if (const DispStringItem* table = DialogTextTable("Dlg_SetBindShift")) ApplyDispStrings(dialog, table);
  CreateToolTipWindows(dialog);
  g_tooltip = CreateToolTipWindow(dialog);
  StoreStopIconRect(dialog, StopIconTable());
  Check(dialog, 0);
  DispPageHint(dialog, ctx, kBindingMarginTemplate);
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  BackUpWorkingSettings(ctx);
  DocFields& f = Fields(*doc);
  // A one-sided job has one margin: the back takes the front's.
  if (f.nDuplex == 1) {
    f.bBindingSame = 1;
    CopyFrontToBack(f);
  }
  if (DialogUiState* state = DialogStateOf(GetUIState(ctx))) state->editFlags &= ~kSpinEchoBit;
  SendDlgItemMessageW(dialog, kFrontSpin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(dialog, kFrontEdit)), 0);
  SendDlgItemMessageW(dialog, kBackSpin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(dialog, kBackEdit)), 0);
  SetLengthEditRanges(dialog, Group(), doc);
  ShowUnit(dialog, f);
  CheckDlgButton(dialog, kSameBox, f.bBindingSame != 0 ? BST_CHECKED : BST_UNCHECKED);
  ShowLengthEdit(dialog, Group(), Front(), doc);
  ShowLengthEdit(dialog, Group(), Back(), doc);
  ShowMode(dialog, f);
  EnableControls(dialog, ctx, f);
}

void UnitChanged(HWND dialog, SheetCtx* ctx, DocDMode* doc, int id) {
  DocFields& f = Fields(*doc);
  ReadLengthEdit(dialog, Group(), Front(), doc, true);
  ReadLengthEdit(dialog, Group(), Back(), doc, true);
  const uint8_t old = f.byBindingUnit;
  f.byBindingUnit = IsDlgButtonChecked(dialog, kUnitMmButton) == BST_CHECKED ? 0 : 1;
  if (ConstraintRefused(Check(dialog, id))) {
    f.byBindingUnit = old;
    ShowUnit(dialog, f);
  }
  DispPageHint(dialog, ctx, kBindingMarginTemplate);
  SetLengthEditRanges(dialog, Group(), doc);
  ShowLengthEdit(dialog, Group(), Front(), doc);
  ShowLengthEdit(dialog, Group(), Back(), doc);
  ReadLengthEdit(dialog, Group(), Front(), doc, true);
  ReadLengthEdit(dialog, Group(), Back(), doc, true);
  ShowLengthEdit(dialog, Group(), Front(), doc);
  ShowLengthEdit(dialog, Group(), Back(), doc);
  EnableControls(dialog, ctx, f);
}

void ModeChanged(HWND dialog, SheetCtx* ctx, DocDMode* doc, int id) {
  DocFields& f = Fields(*doc);
  const uint8_t old = f.nBindingMode;
  f.nBindingMode = IsDlgButtonChecked(dialog, kParallel) == BST_CHECKED ? 0 : 1;
  if (ConstraintRefused(Check(dialog, id))) {
    f.nBindingMode = old;
    ShowMode(dialog, f);
  }
  DispPageHint(dialog, ctx, kBindingMarginTemplate);
  EnableControls(dialog, ctx, f);
  InvalidateRect(GetDlgItem(dialog, kPicture), nullptr, TRUE);
}

void SameChanged(HWND dialog, SheetCtx* ctx, DocDMode* doc) {
  DocFields& f = Fields(*doc);
  const uint8_t old = f.bBindingSame;
  f.bBindingSame = IsDlgButtonChecked(dialog, kSameBox) == BST_CHECKED ? 1 : 0;
  if (ConstraintRefused(Check(dialog, kSameBox))) {
    f.bBindingSame = old;
    CheckDlgButton(dialog, kSameBox, old != 0 ? BST_CHECKED : BST_UNCHECKED);
  }
  DispPageHint(dialog, ctx, kBindingMarginTemplate);
  if (f.bBindingSame != 0) CopyFrontToBack(f);
  ShowLengthEdit(dialog, Group(), Back(), doc);
  EnableControls(dialog, ctx, f);
}

void FrontTyped(HWND dialog, SheetCtx* ctx, DocDMode* doc) {
  OnLengthEditChange(dialog, ctx, Group(), Front());
  if (Fields(*doc).bBindingSame == 0) return;
  wchar_t text[64] = {};
  GetDlgItemTextW(dialog, kFrontEdit, text, 64);
  SetDlgItemTextW(dialog, kBackEdit, text);  // its own change handler stores the back margin
}

void Defaults(HWND dialog, SheetCtx* ctx, DocDMode* doc) {
  DocDMode defaults;
  const bool have = CopyDefaultOEMDevMode(ctx, &defaults);
  SetFocusCtrl(dialog, kDefaultButton);
  DocFields& f = Fields(*doc);
  if (have) {
    const DocFields& d = Fields(defaults);
    f.nBindingMode = d.nBindingMode;
    f.bBindingSame = d.bBindingSame;
    f.nBindingUp = d.nBindingUp;
    f.nBindingDown = d.nBindingDown;
    f.nBindingUp_Inch = static_cast<int16_t>(MetricToImperial(LengthScale::kMargin, f.nBindingUp));
    f.nBindingDown_Inch = static_cast<int16_t>(MetricToImperial(LengthScale::kMargin, f.nBindingDown));
    if (f.bBindingSame != 0) CopyFrontToBack(f);
    f.byBindingUnit = d.byBindingUnit;
  }
  ShowUnit(dialog, f);
  SetLengthEditRanges(dialog, Group(), doc);
  CheckDlgButton(dialog, kSameBox, f.bBindingSame != 0 ? BST_CHECKED : BST_UNCHECKED);
  ShowLengthEdit(dialog, Group(), Front(), doc);
  ShowLengthEdit(dialog, Group(), Back(), doc);
  ShowMode(dialog, f);
  InvalidateRect(GetDlgItem(dialog, kPicture), nullptr, TRUE);
  Check(dialog, 0);
  DispPageHint(dialog, ctx, kBindingMarginTemplate);
  EnableControls(dialog, ctx, f);
}

void Refuse(HWND dialog, const LengthEditSpec& edit, const DocDMode* doc) {
  ShowLengthRangeMessage(dialog, Group(), edit, doc);
  SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, edit.editId)), TRUE);
}

void Ok(HWND dialog, DocDMode* doc) {
  DocFields& f = Fields(*doc);
  f.byBindingUnit = IsDlgButtonChecked(dialog, kUnitMmButton) == BST_CHECKED ? 0 : 1;
  f.bBindingSame = IsDlgButtonChecked(dialog, kSameBox) == BST_CHECKED ? 1 : 0;
  if (!ReadLengthEdit(dialog, Group(), Front(), doc, false)) return Refuse(dialog, Front(), doc);
  if (f.bBindingSame == 0 && !ReadLengthEdit(dialog, Group(), Back(), doc, false)) {
    return Refuse(dialog, Back(), doc);
  }
  if (f.bBindingSame != 0) CopyFrontToBack(f);
  f.nBindingMode = IsDlgButtonChecked(dialog, kParallel) == BST_CHECKED ? 0 : 1;
  EndDialog(dialog, IDOK);
}

void Help(HWND dialog, SheetCtx* ctx) {
  static const ClipTestItem kItems[] = {
      {1410, kClipGroupBox, nullptr, 0},   {1242, kClipRadio, nullptr, 0},     {1243, kClipRadio, nullptr, 0},
      {1343, kClipStatic, nullptr, 0},     {1347, kClipStatic, nullptr, 0},    {1345, kClipStatic, nullptr, 0},
      {1348, kClipStatic, nullptr, 0},     {1423, kClipCheckBox, nullptr, 0},  {1409, kClipGroupBox, nullptr, 0},
      {1240, kClipRadio, nullptr, 0},      {1241, kClipRadio, nullptr, 0},     {IDOK, kClipPushButton, nullptr, 0},
      {IDCANCEL, kClipPushButton, nullptr, 0}, {1032, kClipPushButton, nullptr, 0}, {9, kClipPushButton, nullptr, 0},
      {0, 0, nullptr, 0}};
  if (!RunClipTest(dialog, GetCtxPrinterHandle(ctx), L"Binding Margin Settings Dialog", kItems)) {
    ShowDriverHelp(dialog, HELP_CONTEXT, 2290);
  }
}

void Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  switch (id) {
    case kUnitMmButton:
    case kUnitInchButton:
      if (code == BN_CLICKED) UnitChanged(dialog, ctx, doc, id);
      break;
    case kParallel:
    case kStretch:
      if (code == BN_CLICKED) ModeChanged(dialog, ctx, doc, id);
      break;
    case kSameBox:
      if (code == BN_CLICKED) SameChanged(dialog, ctx, doc);
      break;
    case kFrontEdit:
      if (code == EN_CHANGE) FrontTyped(dialog, ctx, doc);
      break;
    case kBackEdit:
      if (code == EN_CHANGE) OnLengthEditChange(dialog, ctx, Group(), Back());
      break;
    case kDefaultButton:
      Defaults(dialog, ctx, doc);
      break;
    case IDOK:
      Ok(dialog, doc);
      break;
    case IDCANCEL:
      RestoreWorkingSettings(ctx);
      EndDialog(dialog, IDCANCEL);
      break;
    case kHelpButton:
      Help(dialog, ctx);
      break;
    default:
      break;
  }
}

}  // namespace

void DrawBindingMarginPreview(HWND dialog, const DRAWITEMSTRUCT* item) {
  const DocDMode* doc = GetPrivDevMode(GetDlgPrcCtx(dialog));
  if (doc == nullptr) return;
  const ModelInfo* model = ProcessModelInfo();
  const bool portrait = IsEffectivePortrait(model, doc, false) != 0;
  uint32_t edge = Fields(*doc).nBinding;
  if (edge == kAutoBinding) edge = GetPaperFeedDirection(model, doc);
  const PicturePair picture = BindingMarginPicture(Fields(*doc).nBindingMode, portrait, edge);
  DrawMaskedBitmap(item->hDC, DialogFrameworkModules().images, picture.image, picture.mask, item->rcItem.left,
                   item->rcItem.top);
}

INT_PTR CALLBACK BindingMarginDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR hooked = 0;
  if (OfferToDeviceLibrary(kBindingMarginTemplate, dialog, message, wParam, lParam, &hooked)) return hooked;
  switch (message) {
    case WM_INITDIALOG:
      Init(dialog, reinterpret_cast<SheetCtx*>(lParam));
      return FALSE;
    case WM_COMMAND:
      if (Ctx(dialog) == nullptr) return FALSE;
      Command(dialog, Ctx(dialog), LOWORD(wParam), HIWORD(wParam));
      return FALSE;
    case WM_NOTIFY: {
      const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->code != UDN_DELTAPOS) return FALSE;
      const LRESULT r = OnLengthSpinDelta(dialog, Ctx(dialog), LengthScale::kMargin,
                                          reinterpret_cast<const NMUPDOWN*>(lParam));
      SetWindowLongPtrW(dialog, DWLP_MSGRESULT, r);
      return TRUE;
    }
    case WM_DRAWITEM: {
      const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlID == kStopIcon) {
        DrawStopInfoIcon(dialog, kStopIcon, item, StopIconTable());
        return TRUE;
      }
      if (item->CtlID == kPicture) DrawBindingMarginPreview(dialog, item);
      return FALSE;
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
