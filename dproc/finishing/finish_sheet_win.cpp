// The Finish sheet (template 110): stapling, punching and folding with their
// kinds, centre staple and erase, trimming, division finish with its page
// count, output tray, order and arrangement, upper load, tandem output, and
// perfect binding and tab image shift with their setting dialogs.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <iterator>

#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "dproc/finishing/finishing_marks.h"
#include "dproc/finishing/finishing_sheets_win.h"
#include "dproc/layout/layout_lists_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/settings/settings_fixups.h"
#include "dproc/settings/settings_fixups_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/sheets/message_box.h"
#include "dproc/startup/edit_range_limits.h"
#include "dproc/dialogs/combo_list_tooltip_win.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/dialogs/length_units.h"
#include "dproc/preview/preview_area_win.h"

namespace {

enum : int {
  kStapleBox = 1026,
  kStapleList = 1047,
  kPunchBox = 1029,
  kPunchList = 1050,
  kFoldBox = 1037,
  kFoldList = 1053,
  kCenterStapleBox = 1780,
  kCenterEraseBox = 1781,
  kTrimBox = 1044,
  kDivideBox = 1182,
  kDivideLabel = 1021,
  kDivideEdit = 1184,
  kDivideSpin = 1185,
  kDivideRange = 1186,
  kTrayList = 1179,
  kOrderList = 1144,
  kArrangeList = 2118,
  kPileBox = 1183,
  kTandemBox = 1055,
  kPerfectBindingBox = 2304,
  kPerfectBindingButton = 2305,
  kTabShiftBox = 2306,
  kTabShiftButton = 2307,
  kDefaultButton = 1032,
};

constexpr int kOptionItemHeight = 16;
constexpr int kFoldItemHeight = 32;
// Message rows of the page count's range warning.
constexpr int kRangeTitleRow = 1, kRangeTextRow = 2, kPageCountRow = 50;

const int kLockList[] = {1235, 1123, 1130, 1131, 1132, 1133, 1134, 1026, 1047, 1029, 1050, 1780,
                         1781, 1037, 1053, 1044, 1182, 1021, 1184, 1186, 1177, 1179, 1142, 1144,
                         1183, 1055, 2304, 2306, 2117, 2118, 1032};

const DWORD kHelpIds[] = {
    1199, DWORD(-1), 1235, DWORD(-1), 1123, DWORD(-1), 1069, DWORD(-1), 1135, DWORD(-1), 1074, DWORD(-1),
    1015, DWORD(-1), 1016, DWORD(-1), 1131, 9570,      1132, 9570,      1133, 9580,      1134, 9590,
    1026, 12190,     1047, 12190,     1029, 12200,     1050, 12200,     1780, 12210,     1781, 12215,
    1037, 12220,     1053, 12220,     1044, 12240,     1182, 12250,     1021, 12260,     1184, 12260,
    1185, 12260,     1186, 12270,     1177, 12280,     1179, 12280,     1142, 12290,     1144, 12290,
    1183, 12300,     1055, 12310,     2117, 12320,     2118, 12320,     2304, 12330,     2305, 12340,
    2306, 12350,     2307, 12360,     1201, 9520,      1130, 11000,     1032, 9510,      0,    0};

const SheetComboHeight kComboHeights[] = {
    {kStapleList, kOptionItemHeight}, {kPunchList, kOptionItemHeight}, {kOrderList, kOptionItemHeight},
    {kTrayList, kOptionItemHeight},   {kArrangeList, kOptionItemHeight}, {kFoldList, kFoldItemHeight},
    {0, 0}};

const ModelInfo* Model() { return ProcessModelInfo(); }
bool Flag(ModelFeature feature) { return Model() != nullptr && Model()->features[feature] != 0; }
bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
void SetCheck(HWND dialog, int id, uint8_t on) { CheckDlgButton(dialog, id, on != 0 ? BST_CHECKED : BST_UNCHECKED); }
bool Visible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }
void Enable(HWND dialog, int id, bool on) { EnableCtrlIfVisible(GetDlgItem(dialog, id), on ? TRUE : FALSE); }

LengthRange PageCountRange() {
  const EditRangeLimit& r = g_editRangeLimits[kRangeDivideFinish];
  return {r.minimum, r.maximum};
}

const OptionHead* Rows(const void* list) { return reinterpret_cast<const OptionHead*>(list); }

void ApplyLockList(HWND dialog, const SheetCtx* ctx) {
  if (CanChangeDocSettings(ctx)) return;
  for (int id : kLockList) EnableWindow(GetDlgItem(dialog, id), FALSE);
}

void EnableRules(HWND dialog, SheetCtx* ctx) {
  const DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  const DocFields& f = Fields(*doc);
  Enable(dialog, kStapleList, f.bStaple != 0);
  Enable(dialog, kPunchList, f.bPunch != 0);
  Enable(dialog, kFoldList, f.bFolding != 0);
  for (int id : {kDivideLabel, kDivideEdit, kDivideRange}) Enable(dialog, id, f.bPageLoop != 0);
  Enable(dialog, kDivideSpin, f.bPageLoop != 0);
  Enable(dialog, kPerfectBindingButton, f.bPerfectBinding != 0);
  Enable(dialog, kTabShiftButton, f.bTABImageShift != 0);
  EnableWebLinkButton(dialog, ctx);
  ApplyLockList(dialog, ctx);
  // Every change may have moved the binding edge the positions depend on.
  UpdateStaplePunchAvailability(dialog, ctx);
}

void ShowPageCount(HWND dialog, const DocDMode* doc) {
  const int16_t count = Fields(*doc).nPageLoopNum;
  SetDlgItemInt(dialog, kDivideEdit, static_cast<UINT>(count), TRUE);
  SendDlgItemMessageW(dialog, kDivideSpin, UDM_SETPOS32, 0, count);
}

// The page count typed: any number is kept while typing; only leaving the
// page checks it against the range.
bool ReadPageCount(HWND dialog, DocDMode* doc, bool check) {
  BOOL number = FALSE;
  const UINT typed = GetDlgItemInt(dialog, kDivideEdit, &number, FALSE);
  const int64_t count = number ? static_cast<int64_t>(typed) : 0;
  const LengthRange range = PageCountRange();
  if (check && (count < range.lower || count > range.upper)) {
    ShowMessageBox(dialog, kRangeTitleRow, kRangeTextRow, kPageCountRow, MB_ICONEXCLAMATION, range.lower, range.upper);
    return false;
  }
  Fields(*doc).nPageLoopNum = static_cast<int16_t>(count & 0xFFFF);
  return true;
}

void FillLists(HWND dialog) {
  const ModelInfo* m = Model();
  if (m == nullptr) return;
  FillOptionCombo(dialog, kStapleList, Rows(m->staples), nullptr, kOptionItemHeight);
  FillOptionCombo(dialog, kPunchList, Rows(m->holePunches), nullptr, kOptionItemHeight);
  FillOptionCombo(dialog, kFoldList, Rows(m->foldings), nullptr, kFoldItemHeight);
  FillOptionCombo(dialog, kTrayList, Rows(m->outputTrays), nullptr, kOptionItemHeight);
  FillOptionCombo(dialog, kOrderList, Rows(m->outputOrders), nullptr, kOptionItemHeight);
  if (Flag(kMfPaperArrangement)) FillOptionCombo(dialog, kArrangeList, Rows(m->paperArrangements), nullptr, kOptionItemHeight);
}

// A real change of the two flags whose setting dialogs hold their details:
// the frame hears of it, the Easy Set area does not.
void FlagChanged(HWND dialog, SheetCtx* ctx, int id, uint8_t DocFields::*field) {
  DocDMode* doc = GetPrivDevMode(ctx);
  DocFields& f = Fields(*doc);
  const uint8_t old = f.*field;
  f.*field = Checked(dialog, id) ? 1 : 0;
  if (ConstraintRefused(RunSheetConstraints(dialog, DialogTooltipOf(dialog), static_cast<uint16_t>(id)))) {
    f.*field = old;
    SetCheck(dialog, id, old);
  }
  DispPageHint(dialog, ctx, kFinishSheetTemplate);
  if (f.*field != old) PropSheet_Changed(GetParent(dialog), dialog);
  EnableRules(dialog, ctx);
  InvalidateRect(dialog, nullptr, FALSE);
}

// Division finish switched off with a count outside the range: the count
// goes back to the default at once.
void DivideChanged(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  DocFields& f = Fields(*doc);
  const LengthRange range = PageCountRange();
  if (f.bPageLoop != 0 || (f.nPageLoopNum >= range.lower && f.nPageLoopNum <= range.upper)) return;
  DocDMode defaults;
  if (!CopyDefaultOEMDevMode(ctx, &defaults)) return;
  f.nPageLoopNum = Fields(defaults).nPageLoopNum;
  ShowPageCount(dialog, doc);
  RunSheetConstraints(dialog, DialogTooltipOf(dialog), 0);
  DispPageHint(dialog, ctx, kFinishSheetTemplate);
}
void AfterDivide(HWND dialog, SheetCtx* ctx) {
  // The count may have been restored although the box itself was refused.
  if (!Checked(dialog, kDivideBox)) DivideChanged(dialog, ctx);
}

#define FIELD(m) DOC_FIELD_AT(m), sizeof(DocFields::m)
const DialogBinding kBindings[] = {
    {kStapleBox, BN_CLICKED, BindKind::kCheckBox, FIELD(bStaple)},
    {kStapleList, CBN_SELENDOK, BindKind::kDropList, FIELD(nStapleMode)},
    {kPunchBox, BN_CLICKED, BindKind::kCheckBox, FIELD(bPunch)},
    {kPunchList, CBN_SELENDOK, BindKind::kDropList, FIELD(nPunchNum)},
    {kFoldBox, BN_CLICKED, BindKind::kCheckBox, FIELD(bFolding)},
    {kFoldList, CBN_SELENDOK, BindKind::kDropList, FIELD(nFoldingMode)},
    {kCenterStapleBox, BN_CLICKED, BindKind::kCheckBox, FIELD(bCenterStapleFold)},
    {kCenterEraseBox, BN_CLICKED, BindKind::kCheckBox, FIELD(bCenterErase)},
    {kTrimBox, BN_CLICKED, BindKind::kCheckBox, FIELD(bTrim)},
    {kDivideBox, BN_CLICKED, BindKind::kCheckBox, FIELD(bPageLoop), 0, nullptr, nullptr, AfterDivide},
    {kTrayList, CBN_SELENDOK, BindKind::kDropList, FIELD(nOutBin)},
    {kOrderList, CBN_SELENDOK, BindKind::kDropList, FIELD(nOutputMode)},
    {kArrangeList, CBN_SELENDOK, BindKind::kDropList, FIELD(bPaperArrangement)},
    {kPileBox, BN_CLICKED, BindKind::kCheckBox, FIELD(bPileMode)},
    {kTandemBox, BN_CLICKED, BindKind::kCheckBox, FIELD(bTandem)},
    {},
};
#undef FIELD

INT_PTR Init(HWND dialog, SheetCtx* ctx) {
  const LengthRange range = PageCountRange();
  char digits[16];
  const int width = std::max(std::snprintf(digits, sizeof digits, "%d", range.lower),
                             std::snprintf(digits, sizeof digits, "%d", range.upper));
  SendDlgItemMessageW(dialog, kDivideEdit, EM_LIMITTEXT, static_cast<WPARAM>(width), 0);
  SendDlgItemMessageW(dialog, kDivideSpin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(dialog, kDivideEdit)), 0);
  SendDlgItemMessageW(dialog, kDivideSpin, UDM_SETBASE, 10, 0);
  SendDlgItemMessageW(dialog, kDivideSpin, UDM_SETRANGE32, static_cast<WPARAM>(range.lower), range.upper);
  auto hide = [dialog](bool on, std::initializer_list<int> ids) {
    if (on) return;
    for (int id : ids) ShowEnableCtrl(dialog, id, FALSE);
  };
  hide(Flag(kMfStaple), {1026, 1047, 2197});
  hide(Flag(kMfHolePunch), {1029, 1050, 2198});
  hide(Flag(kMfCenterStaple), {1780, 2200});
  hide(Flag(kMfCenterErase), {1781, 2201});
  hide(Flag(kMfFolding), {1037, 1053, 2199});
  hide(Flag(kMfTrim), {1044, 2202});
  hide(Flag(kMfDivideOutput), {2203, 1182, 1021, 1184, 1185, 1186});
  hide(Flag(kMfOutputTray), {1177, 1179, 2204});
  hide(Flag(kMfOutputOrder), {1142, 1144, 2205});
  hide(Flag(kMfPileMode), {1183, 2207});
  hide(Flag(kMfTandem), {1055, 2208});
  hide(Flag(kMfPerfectBinding), {2304, 2305, 2303});
  hide(Flag(kMfTabImageShift), {2306, 2307});
  hide(Flag(kMfPaperArrangement), {2117, 2118, 2206});
  // The fold list is narrow: its open list shows each item's whole text.
  InstallComboListTooltip(dialog, ctx, kFoldList);
  return FALSE;
}

void Destroy(HWND dialog) { RemoveComboListTooltip(dialog, SheetCtxOf(dialog)); }

void ShowValues(HWND dialog, SheetCtx* ctx, const DocDMode* doc) {
  ShowBindings(dialog, ctx, kBindings);
  ShowPageCount(dialog, doc);
  SetCheck(dialog, kPerfectBindingBox, Fields(*doc).bPerfectBinding);
  SetCheck(dialog, kTabShiftBox, Fields(*doc).bTABImageShift);
}

void Activate(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  // The marks of another binding edge go before the pass sets its own.
  ClearStaplePunchMarks(ProcessModelInfo());
  RunSheetConstraints(dialog, DialogTooltipOf(dialog), 0);
  UpdateStaplePunchAvailability(dialog, ctx);
  if (FixUpStaplePosition(ctx) != 0) PropSheet_Changed(GetParent(dialog), dialog);
  if (FixUpPunchPosition(Model(), doc) != 0) PropSheet_Changed(GetParent(dialog), dialog);
  FillLists(dialog);
  ShowValues(dialog, ctx, doc);
  EnableRules(dialog, ctx);
}

// Refuses leaving the page with the focus on a control.
bool Refuse(HWND dialog, int id) {
  SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
  return false;
}

// A list the user sees that has nothing selected keeps the page; a hidden
// list keeps its setting.
bool ListRefuses(HWND dialog, int id, uint32_t at, uint8_t bytes, DocDMode* doc) {
  const OptionItem* row = SelectedOptionRow(dialog, id);
  if (row != nullptr) {
    if (bytes == 1) SetDocByte(doc, at, static_cast<uint8_t>(row->value));
    else SetDocI16(doc, at, static_cast<int16_t>(row->value & 0xFFFF));
    return false;
  }
  return Visible(dialog, id);
}

bool MayLeave(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return true;
  if (ListRefuses(dialog, kStapleList, DOC_FIELD_AT(nStapleMode), 1, doc)) return Refuse(dialog, kStapleList);
  if (ListRefuses(dialog, kPunchList, DOC_FIELD_AT(nPunchNum), 1, doc)) return Refuse(dialog, kPunchList);
  if (ListRefuses(dialog, kTrayList, DOC_FIELD_AT(nOutBin), 2, doc)) return Refuse(dialog, kTrayList);
  if (ListRefuses(dialog, kOrderList, DOC_FIELD_AT(nOutputMode), 1, doc)) return Refuse(dialog, kOrderList);
  if (ListRefuses(dialog, kFoldList, DOC_FIELD_AT(nFoldingMode), 1, doc)) return Refuse(dialog, kFoldList);
  if (Visible(dialog, kDivideEdit) && !ReadPageCount(dialog, doc, true)) return Refuse(dialog, kDivideEdit);
  // The flag is the check box's only while the page shows the box: a model
  // without it keeps what an Easy Set or an import set.
  if (Visible(dialog, kPerfectBindingBox)) Fields(*doc).bPerfectBinding = Checked(dialog, kPerfectBindingBox) ? 1 : 0;
  return true;
}

#define FIELD(m) {DOC_FIELD_AT(m), sizeof(DocFields::m)}
// The settings of the page; the perfect-binding and tab shift details are
// their dialogs' own.
const DefaultField kDefaultFields[] = {
    FIELD(bStaple),     FIELD(nStapleMode),  FIELD(bPunch),     FIELD(nPunchNum),       FIELD(bCenterStapleFold),
    FIELD(bCenterErase), FIELD(bFolding),    FIELD(nFoldingMode), FIELD(bTrim),         FIELD(bPageLoop),
    FIELD(nPageLoopNum), FIELD(nOutBin),     FIELD(nOutputMode), FIELD(bPileMode),      FIELD(bTandem),
    FIELD(bPerfectBinding), FIELD(bTABImageShift), FIELD(bPaperArrangement),
};
#undef FIELD

void DefaultFixUps(SheetCtx* ctx) {
  FixUpStaplePosition(ctx);
  FixUpPunchPosition(Model(), GetPrivDevMode(ctx));
}
void ShowAll(HWND dialog, SheetCtx* ctx) { ShowValues(dialog, ctx, GetPrivDevMode(ctx)); }

const SheetDefaults kDefaults = {kFinishSheetTemplate, kDefaultFields, std::size(kDefaultFields), DefaultFixUps, ShowAll,
                                 EnableRules};

void OpenDetails(HWND dialog, SheetCtx* ctx, uint16_t templateId, DLGPROC proc) {
  if (RunFinishingDialog(dialog, templateId, proc, reinterpret_cast<LPARAM>(ctx)) != IDOK) return;
  PropSheet_Changed(GetParent(dialog), dialog);
  EnableRules(dialog, ctx);
  InvalidateRect(dialog, nullptr, FALSE);
}

INT_PTR Command(HWND dialog, SheetCtx* ctx, WPARAM wParam, LPARAM) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (id == kFoldList && code == CBN_CLOSEUP) {
    CloseComboListTooltip(ctx);
    return FALSE;
  }
  switch (id) {
    case kPerfectBindingBox:
      if (code == BN_CLICKED) FlagChanged(dialog, ctx, id, &DocFields::bPerfectBinding);
      return TRUE;
    case kTabShiftBox:
      if (code == BN_CLICKED) FlagChanged(dialog, ctx, id, &DocFields::bTABImageShift);
      return TRUE;
    case kPerfectBindingButton:
      OpenDetails(dialog, ctx, kPerfectBindingTemplate, PerfectBindingDlgProc);
      return TRUE;
    case kTabShiftButton:
      OpenDetails(dialog, ctx, kTabImageShiftTemplate, TabImageShiftDlgProc);
      return TRUE;
    case kDefaultButton:
      RunSheetDefaults(dialog, ctx, kDefaults);
      return TRUE;
    case kDivideEdit: {
      DocDMode* doc = GetPrivDevMode(ctx);
      if (code == EN_CHANGE) {
        const int16_t old = Fields(*doc).nPageLoopNum;
        ReadPageCount(dialog, doc, false);
        if (Fields(*doc).nPageLoopNum != old) NoteSheetChange(dialog, doc);
        InvalidateRect(dialog, nullptr, FALSE);
      } else if (code == EN_KILLFOCUS) {
        // The typed count stays stored; a declined forced change keeps the
        // focus in the edit.
        if (RunSheetConstraints(dialog, DialogTooltipOf(dialog), kDivideEdit) == 100) {
          SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, kDivideEdit)), TRUE);
        } else {
          DispPageHint(dialog, ctx, kFinishSheetTemplate);
        }
        UpdateStaplePunchAvailability(dialog, ctx);
      }
      return TRUE;
    }
    default:
      return FALSE;
  }
}

// The picture pair of a fold kind, by the row's value.
struct FoldPicture {
  int image, mask;
};
FoldPicture FoldPictureOf(uint32_t value) {
  static const FoldPicture kByValue[] = {
      {1002, 1003}, {1002, 1003}, {988, 979},  {990, 991},  {992, 993},  {994, 995},  {1004, 1005}, {1006, 999},
      {980, 981},   {982, 983},   {984, 985},  {986, 987},  {998, 989},  {1000, 1001}, {996, 997}};
  if (value >= 1 && value <= std::size(kByValue)) return kByValue[value - 1];
  return {178, 180};
}

void DrawFoldingItem(HWND dialog, const DRAWITEMSTRUCT* item) {
  const auto* row = reinterpret_cast<const OptionHead*>(item->itemData);
  const FoldPicture picture =
      FoldPictureOf(item->itemID != static_cast<UINT>(-1) && row != nullptr ? row->value : 0);
  DrawFinishingPictureItem(dialog, item, picture.image, picture.mask, 0, false);
}

bool DrawItem(HWND dialog, SheetCtx*, const DRAWITEMSTRUCT* item) {
  switch (item->CtlID) {
    case kFoldList:
      DrawFoldingItem(dialog, item);
      return true;
    case kStapleList:
    case kPunchList:
    case kTrayList:
    case kOrderList:
    case kArrangeList:
      DrawOptionRowItem(dialog, item);
      return true;
    default:
      return false;
  }
}

const DocumentSheet kFinishSheet = {
    .pageId = kFinishSheetTemplate,
    .preview = PreviewAreaStep::kAfterUserPapers,
    .skipDropListFilter = false,
    .logoLayout = 2,
    .helpIds = kHelpIds,
    .pageHelpTopic = 12001,
    .comboHeights = kComboHeights,
    .init = Init,
    .setActive = Activate,
    .killActive = MayLeave,
    .apply = nullptr,
    .command = Command,
    .drawItem = DrawItem,
    .destroy = Destroy,
    .other = nullptr,
    .textSection = "Property_12",
    .bindings = kBindings,
    .enableRules = EnableRules,
};

}  // namespace

INT_PTR CALLBACK FinishSheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentSheet(kFinishSheet, dialog, message, wParam, lParam);
}
