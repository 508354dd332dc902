// The Binding Margin dialog (template 117): the binding margin on the front
// and the back side, the back taking the front's value, the shift mode
// (parallel or stretch) with its picture, and the unit.

#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/win/driver_help.h"
#include "dproc/constraints/stop_icons_win.h"
#include "dproc/dialogs/clip_test_report.h"
#include "dproc/dialogs/clip_test_win.h"
#include "dproc/sheets/dialog_skeleton_win.h"
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

void CopyFrontToBack(DocFields& f) {
  f.nBindingDown = f.nBindingUp;
  f.nBindingDown_Inch = f.nBindingUp_Inch;
}

void ShowUnit(HWND dialog, SheetCtx* ctx) {
  CheckRadioButton(dialog, kUnitMmButton, kUnitInchButton,
                   Fields(*GetPrivDevMode(ctx)).byBindingUnit == 0 ? kUnitMmButton : kUnitInchButton);
}

void ShowEdits(HWND dialog, DocDMode* doc) {
  ShowLengthEdit(dialog, Group(), Front(), doc);
  ShowLengthEdit(dialog, Group(), Back(), doc);
}

void ReadEditsClamped(HWND dialog, DocDMode* doc) {
  ReadLengthEdit(dialog, Group(), Front(), doc, true);
  ReadLengthEdit(dialog, Group(), Back(), doc, true);
}

void EnableControls(HWND dialog, SheetCtx* ctx) {
  const DocFields& f = Fields(*GetPrivDevMode(ctx));
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
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
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
  ShowEdits(dialog, doc);
}

// A change of unit: both margins read in the old unit (clamped), the unit
// stored; after the pass the ranges and texts follow the unit that stands.
bool ReadUnit(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  ReadEditsClamped(dialog, doc);
  Fields(*doc).byBindingUnit = IsDlgButtonChecked(dialog, kUnitMmButton) == BST_CHECKED ? 0 : 1;
  return true;
}
void AfterUnit(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  SetLengthEditRanges(dialog, Group(), doc);
  ShowEdits(dialog, doc);
  ReadEditsClamped(dialog, doc);
  ShowEdits(dialog, doc);
}

void AfterMode(HWND dialog, SheetCtx*) { InvalidateRect(GetDlgItem(dialog, kPicture), nullptr, TRUE); }

void AfterSame(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (Fields(*doc).bBindingSame != 0) CopyFrontToBack(Fields(*doc));
  ShowLengthEdit(dialog, Group(), Back(), doc);
}

const DialogBinding kBindings[] = {
    {kUnitMmButton, BN_CLICKED, BindKind::kCustom, DOC_FIELD_AT(byBindingUnit), 1, 0, ReadUnit, ShowUnit, AfterUnit},
    {kUnitInchButton, BN_CLICKED, BindKind::kCustom, DOC_FIELD_AT(byBindingUnit), 1, 0, ReadUnit, ShowUnit, AfterUnit},
    {kParallel, BN_CLICKED, BindKind::kRadio, DOC_FIELD_AT(nBindingMode), 1, 0, nullptr, nullptr, AfterMode},
    {kStretch, BN_CLICKED, BindKind::kRadio, DOC_FIELD_AT(nBindingMode), 1, 1, nullptr, nullptr, AfterMode},
    {kSameBox, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(bBindingSame), 1, 0, nullptr, nullptr, AfterSame},
    {},
};

bool Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  if (code != EN_CHANGE) return id == kFrontEdit || id == kBackEdit;
  if (id == kBackEdit) {
    OnLengthEditChange(dialog, ctx, Group(), Back());
    return true;
  }
  if (id != kFrontEdit) return false;
  OnLengthEditChange(dialog, ctx, Group(), Front());
  if (Fields(*GetPrivDevMode(ctx)).bBindingSame == 0) return true;
  wchar_t text[64] = {};
  GetDlgItemTextW(dialog, kFrontEdit, text, 64);
  SetDlgItemTextW(dialog, kBackEdit, text);  // its own change handler stores the back margin
  return true;
}

void Defaults(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  DocDMode defaults;
  DocFields& f = Fields(*doc);
  if (CopyDefaultOEMDevMode(ctx, &defaults)) {
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
  SetLengthEditRanges(dialog, Group(), doc);
  ShowEdits(dialog, doc);
  InvalidateRect(GetDlgItem(dialog, kPicture), nullptr, TRUE);
}

bool Refuse(HWND dialog, const LengthEditSpec& edit, const DocDMode* doc) {
  ShowLengthRangeMessage(dialog, Group(), edit, doc);
  SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, edit.editId)), TRUE);
  return false;
}

bool Ok(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  DocFields& f = Fields(*doc);
  f.byBindingUnit = IsDlgButtonChecked(dialog, kUnitMmButton) == BST_CHECKED ? 0 : 1;
  f.bBindingSame = IsDlgButtonChecked(dialog, kSameBox) == BST_CHECKED ? 1 : 0;
  if (!ReadLengthEdit(dialog, Group(), Front(), doc, false)) return Refuse(dialog, Front(), doc);
  if (f.bBindingSame == 0 && !ReadLengthEdit(dialog, Group(), Back(), doc, false)) {
    return Refuse(dialog, Back(), doc);
  }
  if (f.bBindingSame != 0) CopyFrontToBack(f);
  f.nBindingMode = IsDlgButtonChecked(dialog, kParallel) == BST_CHECKED ? 0 : 1;
  return true;
}

bool DrawItem(HWND dialog, SheetCtx*, const DRAWITEMSTRUCT* item) {
  if (item->CtlID != kPicture) return false;
  DrawBindingMarginPreview(dialog, item);
  return true;
}

const DocumentDialog kDialog = {
    .templateId = kBindingMarginTemplate,
    .textSection = "Dlg_SetBindShift",
    .helpIds = kHelpIds,
    .helpTopic = 2290,
    .clipTitle = L"Binding Margin Settings Dialog",
    .bindings = kBindings,
    .lengthSpins = 1,
    .init = Init,
    .enableRules = EnableControls,
    .command = Command,
    .ok = Ok,
    .defaults = Defaults,
    .drawItem = DrawItem,
};

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
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}
