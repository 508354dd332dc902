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
#include "dproc/sheets/dialog_skeleton_win.h"
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

int32_t Check(HWND dialog, int id) {
  return RunSheetConstraints(dialog, DialogTooltipOf(dialog), static_cast<uint16_t>(id));
}

void ShowPair(HWND dialog, int first, uint8_t value) {
  CheckRadioButton(dialog, first, first + 1, value == 0 ? first : first + 1);
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
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  SetLengthEditRanges(dialog, Group(), doc);
  ShowEdits(dialog, doc);
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
}

void EnableRules(HWND dialog, SheetCtx* ctx) { EnableImageShiftCtrls(dialog, ctx, Fields(*GetPrivDevMode(ctx))); }

// A change of unit: every length read in the old unit (clamped), the unit
// stored; after the pass the ranges and texts follow the unit that stands.
bool ReadUnit(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  ReadEditsClamped(dialog, doc);
  Fields(*doc).byImageShiftUnit = IsDlgButtonChecked(dialog, kUnitMmButton) == BST_CHECKED ? 0 : 1;
  return true;
}
void ShowUnit(HWND dialog, SheetCtx* ctx) { ShowPair(dialog, kUnitMmButton, Fields(*GetPrivDevMode(ctx)).byImageShiftUnit); }
void AfterUnit(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  SetLengthEditRanges(dialog, Group(), doc);
  ShowEdits(dialog, doc);
  ReadEditsClamped(dialog, doc);
  ShowEdits(dialog, doc);
}
// The back side follows a change of the front's directions or of the check box.
void AfterFrontAcross(HWND dialog, SheetCtx* ctx) { SyncBack(dialog, ctx, kFrontLeft); }
void AfterFrontAlong(HWND dialog, SheetCtx* ctx) { SyncBack(dialog, ctx, kFrontUp); }
void AfterAuto(HWND dialog, SheetCtx* ctx) { SyncBack(dialog, ctx, 0); }

#define FIELD(m) DOC_FIELD_AT(m), 1
const DialogBinding kBindings[] = {
    {kUnitMmButton, BN_CLICKED, BindKind::kCustom, FIELD(byImageShiftUnit), 0, ReadUnit, ShowUnit, AfterUnit},
    {kUnitInchButton, BN_CLICKED, BindKind::kCustom, FIELD(byImageShiftUnit), 0, ReadUnit, ShowUnit, AfterUnit},
    {kDriverSetting, BN_CLICKED, BindKind::kRadio, FIELD(nImgShiftSetting)},
    {kPrinterSetting, BN_CLICKED, BindKind::kRadio, FIELD(nImgShiftSetting), 1},
    {kFrontLeft, BN_CLICKED, BindKind::kRadio, FIELD(ImgShiftFronSide_byHShift), 0, nullptr, nullptr, AfterFrontAcross},
    {kFrontRight, BN_CLICKED, BindKind::kRadio, FIELD(ImgShiftFronSide_byHShift), 1, nullptr, nullptr, AfterFrontAcross},
    {kFrontUp, BN_CLICKED, BindKind::kRadio, FIELD(ImgShiftFronSide_byVShift), 0, nullptr, nullptr, AfterFrontAlong},
    {kFrontDown, BN_CLICKED, BindKind::kRadio, FIELD(ImgShiftFronSide_byVShift), 1, nullptr, nullptr, AfterFrontAlong},
    {kBackLeft, BN_CLICKED, BindKind::kRadio, FIELD(ImgShiftBackSide_byHShift)},
    {kBackRight, BN_CLICKED, BindKind::kRadio, FIELD(ImgShiftBackSide_byHShift), 1},
    {kBackUp, BN_CLICKED, BindKind::kRadio, FIELD(ImgShiftBackSide_byVShift)},
    {kBackDown, BN_CLICKED, BindKind::kRadio, FIELD(ImgShiftBackSide_byVShift), 1},
    {kAutoBox, BN_CLICKED, BindKind::kCheckBox, FIELD(bImgShiftBackAuto), 0, nullptr, nullptr, AfterAuto},
    {},
};
#undef FIELD

void Defaults(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  DocDMode defaults;
  if (CopyDefaultOEMDevMode(ctx, &defaults)) {
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
  SetLengthEditRanges(dialog, Group(), doc);
  ShowEdits(dialog, doc);
}

bool Ok(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  for (size_t i = 0; i < kEditCount; ++i) {
    if (!HasEdit(i) || ReadLengthEdit(dialog, Group(), g_edits[i], doc, false)) continue;
    ShowLengthRangeMessage(dialog, Group(), g_edits[i], doc);
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, g_edits[i].editId)), TRUE);
    return false;
  }
  return true;
}

bool Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  for (size_t i = 0; i < kEditCount; ++i) {
    if (id != g_edits[i].editId) continue;
    if (code == EN_UPDATE && HasEdit(i)) {
      OnLengthEditChange(dialog, ctx, Group(), g_edits[i]);
      if (i < kBackH) SyncBack(dialog, ctx, id);
    }
    return true;
  }
  return false;
}

const DocumentDialog kDialog = {
    .templateId = kImageShiftTemplate,
    .textSection = "Dlg_SetImgShiftMFP",
    .helpIds = kHelpIds,
    .helpTopic = 2391,
    .clipTitle = L"Image Shift Settings Dialog",
    .bindings = kBindings,
    .lengthSpins = 2,
    .init = Init,
    .enableRules = EnableRules,
    .command = Command,
    .ok = Ok,
    .defaults = Defaults,
};

}  // namespace

void SyncBackSideShift(HWND dialog, SheetCtx* ctx, int controlId) { SyncBack(dialog, ctx, controlId); }

INT_PTR CALLBACK ImageShiftDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}
