// The dialogs of the finishing sheets: Staple Setting (template 153, the
// staple position of the per-page settings), Perfect Binding Setting (2308:
// the cover's print mode, tray, duplex and trimming, and the spine width of
// the printed covers) and TAB Image Shift Setting (2322: how far the image
// moves on tab paper).  The widths are length spin edits of the shift
// scale (tenths of a millimetre, thousandths of an inch).

#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <iterator>

#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/dialogs/length_spin_edit_win.h"
#include "dproc/finishing/finishing_sheets_win.h"
#include "dproc/layout/layout_lists_win.h"
#include "dproc/model/feature_table.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/settings/settings_fixups_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/startup/edit_range_limits.h"

namespace {

constexpr int kOptionItemHeight = 16;

void ShowUnitRadios(HWND dialog, uint8_t unit) {
  CheckRadioButton(dialog, kUnitMmButton, kUnitInchButton, unit == 0 ? kUnitMmButton : kUnitInchButton);
}

void LockIfFixed(HWND dialog, const SheetCtx* ctx, const int* ids, size_t count) {
  if (CanChangeDocSettings(ctx)) return;
  for (size_t i = 0; i < count; ++i) EnableWindow(GetDlgItem(dialog, ids[i]), FALSE);
}

// One width edit of a dialog: its spec and group, ranges read at start-up.
struct WidthEdit {
  LengthEditSpec spec;
  LengthEditGroup group;
  EditRangeId range;
  const LengthEditGroup& Group() {
    spec.metricRange = {g_editRangeLimits[range].minimum, g_editRangeLimits[range].maximum};
    group.edits = &spec;
    return group;
  }
};

// A change of unit: the width read in the old unit (held to its range),
// the unit stored; after the pass the range and text follow the unit that
// stands, the width read again held to the new range.
template <WidthEdit& edit, uint8_t DocFields::*unit>
struct UnitSwitch {
  static bool Read(HWND dialog, SheetCtx* ctx) {
    DocDMode* doc = GetPrivDevMode(ctx);
    ReadLengthEdit(dialog, edit.Group(), edit.spec, doc, true);
    Fields(*doc).*unit = IsDlgButtonChecked(dialog, kUnitMmButton) == BST_CHECKED ? 0 : 1;
    return true;
  }
  static void Show(HWND dialog, SheetCtx* ctx) { ShowUnitRadios(dialog, Fields(*GetPrivDevMode(ctx)).*unit); }
  static void After(HWND dialog, SheetCtx* ctx) {
    DocDMode* doc = GetPrivDevMode(ctx);
    SetLengthEditRanges(dialog, edit.Group(), doc);
    ShowLengthEdit(dialog, edit.Group(), edit.spec, doc);
    ReadLengthEdit(dialog, edit.Group(), edit.spec, doc, true);
    ShowLengthEdit(dialog, edit.Group(), edit.spec, doc);
  }
  static void Start(HWND dialog, SheetCtx* ctx) {
    DocDMode* doc = GetPrivDevMode(ctx);
    SetLengthEditRanges(dialog, edit.Group(), doc);
    ShowLengthEdit(dialog, edit.Group(), edit.spec, doc);
  }
  // OK: an empty width or one outside the range keeps the dialog open.
  static bool Ok(HWND dialog, SheetCtx* ctx) {
    DocDMode* doc = GetPrivDevMode(ctx);
    if (ReadLengthEdit(dialog, edit.Group(), edit.spec, doc, false)) return true;
    ShowLengthRangeMessage(dialog, edit.Group(), edit.spec, doc);
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, edit.spec.editId)), TRUE);
    return false;
  }
  static bool Command(HWND dialog, SheetCtx* ctx, int id, int code) {
    if (id != edit.spec.editId) return false;
    if (code == EN_UPDATE) OnLengthEditChange(dialog, ctx, edit.Group(), edit.spec);
    return true;
  }
  // The default width: the metric one taken, the imperial one from it.
  static void Defaults(DocDMode* doc, const DocDMode& defaults) {
    int16_t metric;
    std::memcpy(&metric, reinterpret_cast<const uint8_t*>(&defaults) + edit.spec.metricAt, sizeof metric);
    const int16_t imperial = static_cast<int16_t>(MetricToImperial(LengthScale::kShift, metric));
    std::memcpy(reinterpret_cast<uint8_t*>(doc) + edit.spec.metricAt, &metric, sizeof metric);
    std::memcpy(reinterpret_cast<uint8_t*>(doc) + edit.spec.imperialAt, &imperial, sizeof imperial);
    Fields(*doc).*unit = Fields(defaults).*unit;
  }
};

// --- Perfect Binding Setting.

WidthEdit g_spine = {{2319, 2320, 2321, DOC_FIELD_AT(nPBSpinWidth), DOC_FIELD_AT(nPBSpinWidth_Inch), {10, 300}, 57, 58},
                     {LengthScale::kShift, DOC_FIELD_AT(byPBUnit), nullptr, 1},
                     kRangeSpineWidth};
using SpineUnit = UnitSwitch<g_spine, &DocFields::byPBUnit>;

const int kBindingLockList[] = {2309, 2310, 2311, 2312, 2313, 2314, 2315, 2317, 2319, 2320, 1409, 1240, 1241, 1032};
const DWORD kBindingHelpIds[] = {2309, 22310, 2310, 22320, 2311, 22320, 2312, 22330, 2313, 22330, 2314, 22340,
                                 2315, 22350, 2316, 22360, 2317, 22360, 2318, 22360, 2319, 22360, 2320, 22360,
                                 2321, 22360, 1409, 22370, 1240, 22370, 1241, 22370, 1032, 9510, 1069, DWORD(-1),
                                 0,    0};
const SheetComboHeight kBindingHeights[] = {{2311, kOptionItemHeight}, {2313, kOptionItemHeight}, {0, 0}};

void BindingEnable(HWND dialog, SheetCtx* ctx) {
  // Only the printed covers that wrap the spine have a spine width.
  const bool spine = Fields(*GetPrivDevMode(ctx)).nPBCoverMode >= 3;
  for (int id : {2317, 2318, 2319, 2320, 2321, 1409, 1240, 1241}) EnableCtrlIfVisible(GetDlgItem(dialog, id), spine);
  LockIfFixed(dialog, ctx, kBindingLockList, std::size(kBindingLockList));
}

void BindingInit(HWND dialog, SheetCtx* ctx) {
  FillOptionCombo(dialog, 2311, FindOptionTable("PBCoverMode"), nullptr, kOptionItemHeight);
  FillOptionCombo(dialog, 2313, FindOptionTable("PBCoverTray"), nullptr, kOptionItemHeight);
  SpineUnit::Start(dialog, ctx);
}

void BindingDefaults(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  DocDMode defaults;
  if (!CopyDefaultOEMDevMode(ctx, &defaults)) return;
  DocFields& f = Fields(*doc);
  const DocFields& d = Fields(defaults);
  f.nPBCoverMode = d.nPBCoverMode;
  f.nPBCoverTray = d.nPBCoverTray;
  f.bPBCoverDuplex = d.bPBCoverDuplex;
  f.bPBCoverTriming = d.bPBCoverTriming;
  SpineUnit::Defaults(doc, defaults);
  SpineUnit::Start(dialog, ctx);
}

bool BindingDraw(HWND dialog, SheetCtx*, const DRAWITEMSTRUCT* item) {
  if (item->CtlID != 2311 && item->CtlID != 2313) return false;
  DrawOptionRowItem(dialog, item);
  return true;
}

#define FIELD(m) DOC_FIELD_AT(m), sizeof(DocFields::m)
const DialogBinding kBindingBindings[] = {
    {2311, CBN_SELENDOK, BindKind::kDropList, FIELD(nPBCoverMode)},
    {2313, CBN_SELENDOK, BindKind::kDropList, FIELD(nPBCoverTray)},
    {2314, BN_CLICKED, BindKind::kCheckBox, FIELD(bPBCoverDuplex)},
    {2315, BN_CLICKED, BindKind::kCheckBox, FIELD(bPBCoverTriming)},
    {kUnitMmButton, BN_CLICKED, BindKind::kCustom, FIELD(byPBUnit), 0, SpineUnit::Read, SpineUnit::Show, SpineUnit::After},
    {kUnitInchButton, BN_CLICKED, BindKind::kCustom, FIELD(byPBUnit), 0, SpineUnit::Read, SpineUnit::Show, SpineUnit::After},
    {},
};

const DocumentDialog kPerfectBindingDialog = {
    .templateId = kPerfectBindingTemplate,
    .textSection = "Dlg_PerfectBinding",
    .helpIds = kBindingHelpIds,
    .helpTopic = 22300,
    .clipTitle = L"Perfect Binding Settings Dialog",
    .bindings = kBindingBindings,
    .lengthSpins = 2,
    .comboHeights = kBindingHeights,
    .init = BindingInit,
    .enableRules = BindingEnable,
    .command = SpineUnit::Command,
    .ok = SpineUnit::Ok,
    .defaults = BindingDefaults,
    .drawItem = BindingDraw,
};

// --- TAB Image Shift Setting.

WidthEdit g_tabShift = {
    {2325, 2326, 2327, DOC_FIELD_AT(nTABShift_MM), DOC_FIELD_AT(nTABShift_Inch), {100, 150}, 55, 56},
    {LengthScale::kShift, DOC_FIELD_AT(byTABShiftUnit), nullptr, 1},
    kRangeTabImageShift};
using TabUnit = UnitSwitch<g_tabShift, &DocFields::byTABShiftUnit>;

const int kTabLockList[] = {2323, 2325, 2326, 1409, 1240, 1241, 1032};
const DWORD kTabHelpIds[] = {2323, 22410, 2324, 22410, 2325, 22410, 2326, 22410, 2327, 22410, 1409, 22420,
                             1240, 22420, 1241, 22420, 1032, 9510,  1069, DWORD(-1), 0, 0};

void TabEnable(HWND dialog, SheetCtx* ctx) { LockIfFixed(dialog, ctx, kTabLockList, std::size(kTabLockList)); }

void TabDefaults(HWND dialog, SheetCtx* ctx) {
  DocDMode defaults;
  if (!CopyDefaultOEMDevMode(ctx, &defaults)) return;
  TabUnit::Defaults(GetPrivDevMode(ctx), defaults);
  TabUnit::Start(dialog, ctx);
}

const DialogBinding kTabBindings[] = {
    {kUnitMmButton, BN_CLICKED, BindKind::kCustom, FIELD(byTABShiftUnit), 0, TabUnit::Read, TabUnit::Show, TabUnit::After},
    {kUnitInchButton, BN_CLICKED, BindKind::kCustom, FIELD(byTABShiftUnit), 0, TabUnit::Read, TabUnit::Show, TabUnit::After},
    {},
};

const DocumentDialog kTabShiftDialog = {
    .templateId = kTabImageShiftTemplate,
    .textSection = "Dlg_TABImageShift",
    .helpIds = kTabHelpIds,
    .helpTopic = 22400,
    .clipTitle = L"TAB Image Shift Settings Dialog",
    .bindings = kTabBindings,
    .lengthSpins = 2,
    .init = TabUnit::Start,
    .enableRules = TabEnable,
    .command = TabUnit::Command,
    .ok = TabUnit::Ok,
    .defaults = TabDefaults,
};

// --- Staple Setting.

const int kStapleLockList[] = {1838, 1047, 1032};
const DWORD kStapleHelpIds[] = {1838, 3710, 1047, 3710, 1032, 9510, 1015, DWORD(-1), 1016, DWORD(-1),
                                1069, DWORD(-1), 0, 0};
const SheetComboHeight kStapleHeights[] = {{1047, kOptionItemHeight}, {0, 0}};

void StapleInit(HWND dialog, SheetCtx* ctx) {
  const ModelInfo* m = ProcessModelInfo();
  FillOptionCombo(dialog, 1047, m != nullptr ? reinterpret_cast<const OptionHead*>(m->staples) : nullptr, nullptr,
                  kOptionItemHeight);
  // The position follows the binding edge before it is shown.
  FixUpStaplePosition(ctx);
  SelectOptionValue(dialog, 1047, Fields(*GetPrivDevMode(ctx)).nStapleMode);
}

void StapleEnable(HWND dialog, SheetCtx* ctx) { LockIfFixed(dialog, ctx, kStapleLockList, std::size(kStapleLockList)); }

void StapleDefaults(HWND dialog, SheetCtx* ctx) {
  DocDMode defaults;
  if (!CopyDefaultOEMDevMode(ctx, &defaults)) return;
  Fields(*GetPrivDevMode(ctx)).nStapleMode = Fields(defaults).nStapleMode;
  FixUpStaplePosition(ctx);
  SelectOptionValue(dialog, 1047, Fields(*GetPrivDevMode(ctx)).nStapleMode);
}

// A new position is a change of the settings the Easy Set area hears of
// (the dialog is no page of the sheet, so the frame does not).
void StapleChanged(HWND dialog, SheetCtx* ctx) {
  if (SheetServices().markEasySetModified != nullptr) SheetServices().markEasySetModified(dialog, GetPrivDevMode(ctx));
}

bool StapleDraw(HWND dialog, SheetCtx*, const DRAWITEMSTRUCT* item) {
  if (item->CtlID != 1047) return false;
  DrawOptionRowItem(dialog, item);
  return true;
}

const DialogBinding kStapleBindings[] = {
    {1047, CBN_SELENDOK, BindKind::kDropList, FIELD(nStapleMode), 0, nullptr, nullptr, nullptr, nullptr, StapleChanged},
    {},
};
#undef FIELD

const DocumentDialog kStapleDialog = {
    .templateId = kStapleSettingTemplate,
    .textSection = "Dlg_PerPageStaple",
    .helpIds = kStapleHelpIds,
    .helpTopic = 3700,
    .clipTitle = L"Staple Settings Dialog",
    .bindings = kStapleBindings,
    .comboHeights = kStapleHeights,
    .init = StapleInit,
    .enableRules = StapleEnable,
    .defaults = StapleDefaults,
    .drawItem = StapleDraw,
};

}  // namespace

INT_PTR CALLBACK PerfectBindingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kPerfectBindingDialog, dialog, message, wParam, lParam);
}

INT_PTR CALLBACK TabImageShiftDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kTabShiftDialog, dialog, message, wParam, lParam);
}

INT_PTR CALLBACK StapleSettingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kStapleDialog, dialog, message, wParam, lParam);
}
