// The Image Shift Setting dialog (template 136): the shift of the printed
// image on the front and the back side (direction and length across and
// along the sheet, pages interval, outside offset), the back side following
// the front side on request, or the printer's own setting.

#include <cstring>
#include <iterator>

#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/win/driver_help.h"
#include "dproc/constraints/stop_icons_win.h"
#include "dproc/dialogs/clip_test_report.h"
#include "dproc/dialogs/clip_test_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/dialogs/length_spin_edit_win.h"
#include "dproc/layout/layout_dialogs_win.h"
#include "dproc/layout/layout_lists_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/dialog_helpers.h"

#include "dproc/startup/edit_range_limits.h"

namespace {

enum : int {
  kDriverSetting = 1244,
  kPrinterSetting = 1245,
  kFrontLeft = 1246,
  kFrontRight = 1247,
  kFrontUp = 1248,
  kFrontDown = 1249,
  kBackLeft = 1250,
  kBackRight = 1251,
  kBackUp = 1252,
  kBackDown = 1253,
  kAutoBox = 1607,
  kStopIcon = 1425,
  kDefaultButton = 1032,
  kHelpButton = 9,
};

// The length edits in the order they are read.
enum EditIndex : size_t { kFrontH, kFrontV, kFrontI, kFrontO, kBackH, kBackV, kBackI, kBackO, kEditCount };

#define FRONT(m) DOC_FIELD_AT(ImgShiftFronSide_##m)
#define BACK(m) DOC_FIELD_AT(ImgShiftBackSide_##m)
LengthEditSpec g_edits[kEditCount] = {
    {1258, 1259, 1257, FRONT(nX), FRONT(nX_Inch), {0, 2500}, 42, 43},
    {1269, 1256, 1261, FRONT(nY), FRONT(nY_Inch), {0, 2500}, 42, 43},
    {1366, 1373, 1387, FRONT(nInterval), FRONT(nInterval_Inch), {0, 2500}, 44, 45},
    {1368, 1374, 1388, FRONT(nOffset), FRONT(nOffset_Inch), {0, 500}, 46, 47},
    {1265, 1266, 1264, BACK(nX), BACK(nX_Inch), {0, 2500}, 42, 43},
    {1363, 1649, 1268, BACK(nY), BACK(nY_Inch), {0, 2500}, 42, 43},
    {1369, 1375, 1389, BACK(nInterval), BACK(nInterval_Inch), {0, 2500}, 44, 45},
    {1371, 1377, 1391, BACK(nOffset), BACK(nOffset_Inch), {0, 500}, 46, 47},
};
#undef FRONT
#undef BACK
const EditRangeId kRanges[kEditCount] = {kRangeImgShiftMfpFrontH, kRangeImgShiftMfpFrontV, kRangeImgShiftMfpFrontI,
                                         kRangeImgShiftMfpFrontO, kRangeImgShiftMfpBackH,  kRangeImgShiftMfpBackV,
                                         kRangeImgShiftMfpBackI,  kRangeImgShiftMfpBackO};

const LengthEditGroup& Group() {
  static LengthEditGroup group = {LengthScale::kShift, DOC_FIELD_AT(byImageShiftUnit), g_edits, kEditCount};
  for (size_t i = 0; i < kEditCount; ++i) {
    g_edits[i].metricRange = {g_editRangeLimits[kRanges[i]].minimum, g_editRangeLimits[kRanges[i]].maximum};
  }
  return group;
}

bool Flag(ModelFeature feature) {
  const ModelInfo* model = ProcessModelInfo();
  return model != nullptr && model->features[feature] != 0;
}
// The edits a model without the flag hides: never read, shown, checked or
// synchronised.
bool HasEdit(size_t i) {
  switch (i) {
    case kFrontO: return Flag(kMfImgShiftFrontO);
    case kBackI: return Flag(kMfImgShiftBackI);
    case kBackO: return Flag(kMfImgShiftBackO);
    default: return true;
  }
}

const DWORD kHelpIds[] = {
    1412, 2392, 1244, 2393, 1245, 2394, 1262, 2395, 1246, 2396, 1250, 2396, 1247, 2397, 1251, 2397,
    1258, 2398, 1259, 2398, 1257, 2398, 1248, 2399, 1252, 2399, 1249, 2400, 1253, 2400, 1269, 2401,
    1256, 2401, 1261, 2401, 1600, 2402, 1366, 2402, 1373, 2402, 1387, 2402, 1595, 2403, 1368, 2403,
    1374, 2403, 1388, 2403, 1263, 2404, 1265, 2405, 1266, 2405, 1264, 2405, 1363, 2406, 1649, 2406,
    1268, 2406, 1603, 2407, 1369, 2407, 1375, 2407, 1389, 2407, 1605, 2408, 1371, 2408, 1377, 2408,
    1391, 2408, 1607, 2409, 1409, 2410, 1240, 2410, 1241, 2410, 1032, 9510, 1069, DWORD(-1), 0, 0};
const int kLockList[] = {1412, 1244, 1245, 1409, 1240, 1241, 1262, 1246, 1247, 1258, 1259, 1257, 1248, 1249, 1269,
                         1256, 1261, 1600, 1366, 1373, 1387, 1595, 1368, 1374, 1388, 1250, 1251, 1265, 1266, 1264,
                         1252, 1253, 1363, 1649, 1268, 1603, 1369, 1375, 1389, 1605, 1371, 1377, 1391, 1607, 1032};
const int kFrontControls[] = {1409, 1240, 1241, 1262, 1246, 1247, 1258, 1259, 1257, 1248, 1249,
                              1269, 1256, 1261, 1600, 1366, 1373, 1387};
const int kFrontOffsetControls[] = {1595, 1368, 1374, 1388};
const int kBackControls[] = {1263, 1250, 1251, 1265, 1266, 1264, 1252, 1253, 1363, 1649, 1268};
const int kBackIntervalControls[] = {1603, 1369, 1375, 1389};
const int kBackOffsetControls[] = {1605, 1371, 1377, 1391};

HWND g_tooltip = nullptr;

SheetCtx* Ctx(HWND dialog) { return reinterpret_cast<SheetCtx*>(GetWindowLongPtrW(dialog, DWLP_USER)); }
int32_t Check(HWND dialog, int id) { return RunSheetConstraints(dialog, g_tooltip, static_cast<uint16_t>(id)); }

void ShowPair(HWND dialog, int first, uint8_t value) {
  CheckRadioButton(dialog, first, first + 1, value == 0 ? first : first + 1);
}
void ShowButtons(HWND dialog, const DocFields& f) {
  ShowPair(dialog, kDriverSetting, f.nImgShiftSetting);
  ShowPair(dialog, kUnitMmButton, f.byImageShiftUnit);
  ShowPair(dialog, kFrontLeft, f.ImgShiftFronSide_byHShift);
  ShowPair(dialog, kFrontUp, f.ImgShiftFronSide_byVShift);
  ShowPair(dialog, kBackUp, f.ImgShiftBackSide_byVShift);
  ShowPair(dialog, kBackLeft, f.ImgShiftBackSide_byHShift);
}
void ShowEdits(HWND dialog, const DocDMode* doc) {
  for (size_t i = 0; i < kEditCount; ++i) {
    if (HasEdit(i)) ShowLengthEdit(dialog, Group(), g_edits[i], doc);
  }
}
void ReadEditsClamped(HWND dialog, DocDMode* doc) {
  for (size_t i = 0; i < kEditCount; ++i) {
    if (HasEdit(i)) ReadLengthEdit(dialog, Group(), g_edits[i], doc, true);
  }
}

void EnableList(HWND dialog, const int* ids, size_t count, bool on) {
  for (size_t i = 0; i < count; ++i) EnableCtrlIfVisible(GetDlgItem(dialog, ids[i]), on);
}

void EnableImageShiftCtrls(HWND dialog, const SheetCtx* ctx, const DocFields& f) {
  const bool allOff = f.nImgShiftSetting == 1;
  const bool backOff = allOff || f.bImgShiftBackAuto != 0 || f.nDuplex == 1;
  EnableList(dialog, kFrontControls, std::size(kFrontControls), !allOff);
  if (Flag(kMfImgShiftFrontO)) EnableList(dialog, kFrontOffsetControls, std::size(kFrontOffsetControls), !allOff);
  EnableCtrlIfVisible(GetDlgItem(dialog, kAutoBox), f.nDuplex != 1 && !allOff);
  EnableList(dialog, kBackControls, std::size(kBackControls), !backOff);
  if (Flag(kMfImgShiftBackI)) EnableList(dialog, kBackIntervalControls, std::size(kBackIntervalControls), !backOff);
  if (Flag(kMfImgShiftBackO)) EnableList(dialog, kBackOffsetControls, std::size(kBackOffsetControls), !backOff);
  if (!CanChangeDocSettings(ctx)) {
    for (int id : kLockList) EnableWindow(GetDlgItem(dialog, id), FALSE);
  }
}

// One length of the back side from the front's, when they differ in the
// unit of the radio buttons.
void SyncLength(HWND dialog, DocDMode* doc, size_t front, size_t back) {
  auto at = [doc](uint32_t offset) { return reinterpret_cast<int16_t*>(reinterpret_cast<uint8_t*>(doc) + offset); };
  const bool mm = RadioLengthUnit(dialog) == LengthUnit::kMillimetre;
  const LengthEditSpec& f = g_edits[front];
  const LengthEditSpec& b = g_edits[back];
  const bool differ = mm ? *at(f.metricAt) != *at(b.metricAt) : *at(f.imperialAt) != *at(b.imperialAt);
  if (!differ) return;
  *at(b.metricAt) = *at(f.metricAt);
  *at(b.imperialAt) = *at(f.imperialAt);
  ShowLengthEdit(dialog, Group(), b, doc);
  Check(dialog, b.editId);
}

void SyncBack(HWND dialog, SheetCtx* ctx, int id) {
  if (IsDlgButtonChecked(dialog, kAutoBox) != BST_CHECKED) return;
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  DocFields& f = Fields(*doc);
  if (id == 0 || id == g_edits[kFrontH].editId) SyncLength(dialog, doc, kFrontH, kBackH);
  if (id == 0 || id == g_edits[kFrontV].editId) SyncLength(dialog, doc, kFrontV, kBackV);
  if ((id == 0 || id == g_edits[kFrontI].editId) && HasEdit(kBackI)) SyncLength(dialog, doc, kFrontI, kBackI);
  if ((id == 0 || id == g_edits[kFrontO].editId) && HasEdit(kFrontO) && HasEdit(kBackO)) {
    SyncLength(dialog, doc, kFrontO, kBackO);
  }
  if (id == 0 || id == kFrontLeft || id == kFrontRight) {
    // The back of the sheet is the front seen from behind: left and right
    // change places.
    const uint8_t mirrored = f.ImgShiftFronSide_byHShift == 0 ? 1 : 0;
    if (f.ImgShiftBackSide_byHShift != mirrored) {
      f.ImgShiftBackSide_byHShift = mirrored;
      ShowPair(dialog, kBackLeft, mirrored);
      Check(dialog, kBackLeft);
      Check(dialog, kBackRight);
    }
  }
  if (id == 0 || id == kFrontUp || id == kFrontDown) {
    const uint8_t same = f.ImgShiftFronSide_byVShift != 0 ? 1 : 0;
    if (f.ImgShiftBackSide_byVShift != same) {
      f.ImgShiftBackSide_byVShift = same;
      ShowPair(dialog, kBackUp, same);
      Check(dialog, kBackUp);
      Check(dialog, kBackDown);
    }
  }
  DispPageHint(dialog, ctx, kImageShiftTemplate);
}

void Init(HWND dialog, SheetCtx* ctx) {
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(ctx));
  ApplyCommonDispStrings(dialog, CommonItemTable());
  if (const DispStringItem* table = DialogTextTable("Dlg_SetImgShiftMFP")) ApplyDispStrings(dialog, table);
  CreateToolTipWindows(dialog);
  g_tooltip = CreateToolTipWindow(dialog);
  StoreStopIconRect(dialog, StopIconTable());
  Check(dialog, 0);
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  SetLengthEditRanges(dialog, Group(), doc);
  ShowButtons(dialog, Fields(*doc));
  ShowEdits(dialog, doc);
  CheckDlgButton(dialog, kAutoBox, Fields(*doc).bImgShiftBackAuto != 0 ? BST_CHECKED : BST_UNCHECKED);
  EnableImageShiftCtrls(dialog, ctx, Fields(*doc));
  BackUpWorkingSettings(ctx);
  if (!Flag(kMfImageShiftSwitchSetup)) {
    for (int id : {1412, 1244, 1245}) ShowEnableCtrl(dialog, id, FALSE);
  }
  if (!Flag(kMfImgShiftFrontO)) {
    for (int id : kFrontOffsetControls) ShowEnableCtrl(dialog, id, FALSE);
  }
  if (!Flag(kMfImgShiftBackO)) {
    for (int id : kBackOffsetControls) ShowEnableCtrl(dialog, id, FALSE);
  }
  if (!Flag(kMfImgShiftBackI)) {
    for (int id : kBackIntervalControls) ShowEnableCtrl(dialog, id, FALSE);
  }
  if (!CanChangeDocSettings(ctx)) {
    for (int id : kLockList) EnableWindow(GetDlgItem(dialog, id), FALSE);
  }
}

// A radio pair or the check box: the field from the buttons, undone when
// the constraint pass refuses it.
void SwitchChanged(HWND dialog, SheetCtx* ctx, DocDMode* doc, int id, int first, uint8_t* field) {
  const uint8_t old = *field;
  *field = IsDlgButtonChecked(dialog, first) == BST_CHECKED ? (first == kAutoBox ? 1 : 0) : (first == kAutoBox ? 0 : 1);
  if (ConstraintRefused(Check(dialog, id))) {
    *field = old;
    if (first == kAutoBox) CheckDlgButton(dialog, kAutoBox, old != 0 ? BST_CHECKED : BST_UNCHECKED);
    else ShowPair(dialog, first, old);
  }
  DispPageHint(dialog, ctx, kImageShiftTemplate);
  EnableImageShiftCtrls(dialog, ctx, Fields(*doc));
}

void UnitChanged(HWND dialog, SheetCtx* ctx, DocDMode* doc, int id) {
  DocFields& f = Fields(*doc);
  ReadEditsClamped(dialog, doc);
  const uint8_t old = f.byImageShiftUnit;
  f.byImageShiftUnit = IsDlgButtonChecked(dialog, kUnitMmButton) == BST_CHECKED ? 0 : 1;
  if (ConstraintRefused(Check(dialog, id))) {
    f.byImageShiftUnit = old;
    ShowPair(dialog, kUnitMmButton, old);
  }
  DispPageHint(dialog, ctx, kImageShiftTemplate);
  SetLengthEditRanges(dialog, Group(), doc);
  ShowEdits(dialog, doc);
  ReadEditsClamped(dialog, doc);
  ShowEdits(dialog, doc);
  EnableImageShiftCtrls(dialog, ctx, f);
}

void Defaults(HWND dialog, SheetCtx* ctx, DocDMode* doc) {
  DocDMode defaults;
  const bool have = CopyDefaultOEMDevMode(ctx, &defaults);
  SetFocusCtrl(dialog, kDefaultButton);
  if (have) {
    DocFields& f = Fields(*doc);
    const DocFields& d = Fields(defaults);
    f.byImageShiftUnit = d.byImageShiftUnit;
    f.nImgShiftSetting = d.nImgShiftSetting;
    f.bImgShiftBackAuto = d.bImgShiftBackAuto;
    f.ImgShiftFronSide_byHShift = d.ImgShiftFronSide_byHShift;
    f.ImgShiftFronSide_byVShift = d.ImgShiftFronSide_byVShift;
    f.ImgShiftBackSide_byHShift = d.ImgShiftBackSide_byHShift;
    f.ImgShiftBackSide_byVShift = d.ImgShiftBackSide_byVShift;
    // The metric lengths are taken; the imperial ones follow from them.
    for (size_t i = 0; i < kEditCount; ++i) {
      if (!HasEdit(i)) continue;
      int16_t metric;
      std::memcpy(&metric, reinterpret_cast<const uint8_t*>(&defaults) + g_edits[i].metricAt, sizeof metric);
      const int16_t imperial = static_cast<int16_t>(MetricToImperial(LengthScale::kShift, metric));
      std::memcpy(reinterpret_cast<uint8_t*>(doc) + g_edits[i].metricAt, &metric, sizeof metric);
      std::memcpy(reinterpret_cast<uint8_t*>(doc) + g_edits[i].imperialAt, &imperial, sizeof imperial);
    }
  }
  // The check box and the unit buttons still show what they showed before.
  SyncBack(dialog, ctx, 0);
  Check(dialog, 0);
  DispPageHint(dialog, ctx, kImageShiftTemplate);
  SetLengthEditRanges(dialog, Group(), doc);
  ShowButtons(dialog, Fields(*doc));
  ShowEdits(dialog, doc);
  CheckDlgButton(dialog, kAutoBox, Fields(*doc).bImgShiftBackAuto != 0 ? BST_CHECKED : BST_UNCHECKED);
  EnableImageShiftCtrls(dialog, ctx, Fields(*doc));
}

void Ok(HWND dialog, DocDMode* doc) {
  for (size_t i = 0; i < kEditCount; ++i) {
    if (!HasEdit(i) || ReadLengthEdit(dialog, Group(), g_edits[i], doc, false)) continue;
    ShowLengthRangeMessage(dialog, Group(), g_edits[i], doc);
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, g_edits[i].editId)), TRUE);
    return;
  }
  EndDialog(dialog, IDOK);
}

void Help(HWND dialog, SheetCtx* ctx) {
  static const ClipTestItem kItems[] = {
      {1412, kClipGroupBox, nullptr, 0}, {1244, kClipRadio, nullptr, 0},   {1245, kClipRadio, nullptr, 0},
      {1262, kClipGroupBox, nullptr, 0}, {1246, kClipRadio, nullptr, 0},   {1247, kClipRadio, nullptr, 0},
      {1257, kClipStatic, nullptr, 0},   {1248, kClipRadio, nullptr, 0},   {1249, kClipRadio, nullptr, 0},
      {1261, kClipStatic, nullptr, 0},   {1600, kClipStatic, nullptr, 0},  {1387, kClipStatic, nullptr, 0},
      {1595, kClipStatic, nullptr, 0},   {1388, kClipStatic, nullptr, 0},  {1263, kClipGroupBox, nullptr, 0},
      {1250, kClipRadio, nullptr, 0},    {1251, kClipRadio, nullptr, 0},   {1264, kClipStatic, nullptr, 0},
      {1252, kClipRadio, nullptr, 0},    {1253, kClipRadio, nullptr, 0},   {1268, kClipStatic, nullptr, 0},
      {1603, kClipStatic, nullptr, 0},   {1389, kClipStatic, nullptr, 0},  {1605, kClipStatic, nullptr, 0},
      {1391, kClipStatic, nullptr, 0},   {1607, kClipCheckBox, nullptr, 0}, {1409, kClipGroupBox, nullptr, 0},
      {1240, kClipRadio, nullptr, 0},    {1241, kClipRadio, nullptr, 0},   {IDOK, kClipPushButton, nullptr, 0},
      {IDCANCEL, kClipPushButton, nullptr, 0}, {1032, kClipPushButton, nullptr, 0},
      {9, kClipPushButton, nullptr, 0},  {0, 0, nullptr, 0}};
  if (!RunClipTest(dialog, GetCtxPrinterHandle(ctx), L"Image Shift Settings Dialog", kItems)) {
    ShowDriverHelp(dialog, HELP_CONTEXT, 2391);
  }
}

void Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  DocFields& f = Fields(*doc);
  for (size_t i = 0; i < kEditCount; ++i) {
    if (id != g_edits[i].editId) continue;
    if (code == EN_UPDATE && HasEdit(i)) {
      OnLengthEditChange(dialog, ctx, Group(), g_edits[i]);
      if (i < kBackH) SyncBack(dialog, ctx, id);
    }
    return;
  }
  if (code != BN_CLICKED) return;
  switch (id) {
    case kUnitMmButton:
    case kUnitInchButton:
      UnitChanged(dialog, ctx, doc, id);
      break;
    case kDriverSetting:
    case kPrinterSetting:
      SwitchChanged(dialog, ctx, doc, id, kDriverSetting, &f.nImgShiftSetting);
      break;
    case kFrontLeft:
    case kFrontRight:
      SwitchChanged(dialog, ctx, doc, id, kFrontLeft, &f.ImgShiftFronSide_byHShift);
      SyncBack(dialog, ctx, id);
      break;
    case kFrontUp:
    case kFrontDown:
      SwitchChanged(dialog, ctx, doc, id, kFrontUp, &f.ImgShiftFronSide_byVShift);
      SyncBack(dialog, ctx, id);
      break;
    case kBackLeft:
    case kBackRight:
      SwitchChanged(dialog, ctx, doc, id, kBackLeft, &f.ImgShiftBackSide_byHShift);
      break;
    case kBackUp:
    case kBackDown:
      SwitchChanged(dialog, ctx, doc, id, kBackUp, &f.ImgShiftBackSide_byVShift);
      break;
    case kAutoBox:
      SwitchChanged(dialog, ctx, doc, id, kAutoBox, &f.bImgShiftBackAuto);
      SyncBack(dialog, ctx, 0);
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

void SyncBackSideShift(HWND dialog, SheetCtx* ctx, int controlId) { SyncBack(dialog, ctx, controlId); }

INT_PTR CALLBACK ImageShiftDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR hooked = 0;
  if (OfferToDeviceLibrary(kImageShiftTemplate, dialog, message, wParam, lParam, &hooked)) return hooked;
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
      const LRESULT r = OnLengthSpinDelta(dialog, Ctx(dialog), LengthScale::kShift,
                                          reinterpret_cast<const NMUPDOWN*>(lParam));
      SetWindowLongPtrW(dialog, DWLP_MSGRESULT, r);
      return TRUE;
    }
    case WM_DRAWITEM: {
      const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlID != kStopIcon) return FALSE;
      DrawStopInfoIcon(dialog, kStopIcon, item, StopIconTable());
      return TRUE;
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
