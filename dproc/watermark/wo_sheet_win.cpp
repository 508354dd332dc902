#include "dproc/watermark/wo_sheet_win.h"

#include <commctrl.h>

#include <cstring>

#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "dproc/auth/user_auth_dialog_win.h"
#include "dproc/constraints/stamp_sheet_facts.h"
#include "dproc/dialogs/clip_test_report.h"
#include "dproc/dialogs/clip_test_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/openapi/device_stamp_queries_win.h"
#include "dproc/overlay/overlay_list_win.h"
#include "dproc/overlay/overlay_session_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/device_address_win.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/startup/description_loader_win.h"
#include "dproc/startup/watermark_defaults.h"
#include "dproc/watermark/header_footer_dialog_win.h"
#include "dproc/watermark/watermark_edit_dialog_win.h"
#include "dproc/watermark/watermark_list_item_win.h"
#include "dproc/watermark/watermark_lists.h"
#include "dproc/watermark/watermark_session_win.h"
#include "dproc/watermark/wo_sheet_buttons.h"

namespace {

enum : int {
  kWatermarkBox = 1208,
  kWatermarkList = 1280,
  kEditButton = 1255,
  kCreateFormBox = 1276,
  kOverlayBox = 1205,
  kOverlayList = 1326,
  kOverlayInfo = 1279,
  kCopyProtectBox = 1164,
  kCopyProtectButton = 1166,
  kDateTimeBox = 2113,
  kPageNumberBox = 2114,
  kDateTimeButton = 2115,
  kHeaderFooterBox = 1202,
  kHeaderFooterList = 2116,
  kHeaderFooterButton = 1162,
  kNumberingBox = 2338,
  kNumberingButton = 2339,
  kDefaultButton = 1032,
  kStatusIcons = 1123,
};

const DWORD kHelpIds[] = {
    1199, DWORD(-1), 1235, DWORD(-1), 1123, DWORD(-1), 1131, 9570, 1132, 9570, 1133, 9580, 1134, 9590,
    1069, DWORD(-1), 1074, DWORD(-1), 1135, DWORD(-1), 1208, 5010, 1280, 5010, 1255, 5350, 1276, 4050,
    1205, 5380, 1219, 4020, 1326, 4020, 1279, 4080, 1164, 5370, 2191, 5370, 1166, 5372, 2113, 5390,
    2114, 5392, 2115, 5394, 1202, 5360, 2116, 5360, 1162, 5362, 1015, DWORD(-1), 1016, DWORD(-1),
    1032, 9510, 1130, 11000, 1201, 9520, 1056, 5030, 1054, 5040, 1234, 5050, 1271, 4030, 1272, 4030,
    1274, 4040, 1275, 4040, 1277, 4060, 1143, 4060, 1278, 4070, 1210, 4080, 0, 0};

const int kLockList[] = {1235, 1123, 1130, 1131, 1132, 1133, 1134, 1326, 1272, 1275, 1276, 1205, 1143,
                         1278, 1032, 1208, 1280, 1056, 1054, 1234, 2113, 2114, 1202, 2116, 1164};
const int kAlwaysHidden[] = {1130, 1202, 1162, 1164, 1166, 1219, 1205, 1326, 1276, 1277, 1278,
                             1279, 1271, 1272, 1274, 1275, 2116, 2113, 2114, 2115, 2192};
const int kHiddenAtRefresh[] = {1202, 1162, 1164, 1166, 1276, 1277, 1279, 1274, 1275, 2116, 2113, 2114, 2115};


// What the page records once it starts, for its enable rules.
struct PageFacts {
  bool administrable = false;
  size_t builtInCount = 0;
};
PageFacts g_facts;

bool Flag(ModelFeature feature) {
  const ModelInfo* model = ProcessModelInfo();
  return model != nullptr && model->features[feature] != 0;
}
bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
void SetCheck(HWND dialog, int id, uint8_t on) { CheckDlgButton(dialog, id, on != 0 ? BST_CHECKED : BST_UNCHECKED); }
void Hide(HWND dialog, int id) { ShowEnableCtrl(dialog, id, FALSE); }
void EnableIfVisible(HWND dialog, int id, bool on) { EnableCtrlIfVisible(GetDlgItem(dialog, id), on ? TRUE : FALSE); }
void Changed(HWND dialog, SheetCtx* ctx) { NoteSheetChange(dialog, GetPrivDevMode(ctx)); }
int32_t Check(HWND dialog, int id) {
  return RunSheetConstraints(dialog, DialogTooltipOf(dialog), static_cast<uint16_t>(id));
}

// --- The watermark list.

LRESULT ListCount(HWND dialog) { return SendDlgItemMessageW(dialog, kWatermarkList, LB_GETCOUNT, 0, 0); }

const WMOrderEntry* EntryOfItem(HWND dialog, LRESULT index) {
  if (index < 0 || index >= ListCount(dialog)) return nullptr;
  const LRESULT data = SendDlgItemMessageW(dialog, kWatermarkList, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  if (data == LB_ERR || data == 0) return nullptr;
  return reinterpret_cast<const WMOrderEntry*>(data);
}

// The sheet's choice as its stop icons read it.
void RecordStopFacts(HWND dialog, const SheetCtx* ctx) {
  const DocFields& f = Fields(*GetPrivDevMode(ctx));
  const WMOrderEntry* entry = EntryOfItem(dialog, f.wWmkListPos);
  StampSheetFacts& facts = ProcessStampSheetFacts();
  facts.administrable = g_facts.administrable;
  facts.selectedPublic = entry != nullptr && entry->bPublic != 0;
  facts.selectedBuiltIn = f.wWmkListPos < g_facts.builtInCount;
  facts.overlayForms = SendDlgItemMessageW(dialog, kOverlayList, LB_GETCOUNT, 0, 0) > 0;
}

// Which stamps the device prints by itself, asked at every activation; all
// off when no session could be opened or the device did not answer.  They
// stand on the stamp answer alone: a device that refuses the names of its
// header/footer settings (one that holds none) still prints its stamps.
void QueryDeviceStamps(HWND dialog, SheetCtx* ctx) {
  UpdateCtxDeviceAddress(dialog, ctx);
  DeviceStampFlags flags{};
  QueryDeviceStampSettings(dialog, GetCtxPrinterHandle(ctx), GetPrivDevMode(ctx), UiDeviceAddress(GetUIState(ctx)),
                           GetCtxPrinterInfo(ctx), g_description.deviceOptions, &flags);
  StampSheetFacts& facts = ProcessStampSheetFacts();
  facts.deviceCopyProtect = flags.copyProtect != 0;
  facts.deviceHeaderFooter = flags.headerFooter != 0;
  facts.devicePageNumber = flags.pageNumber != 0;
  facts.deviceDateTime = flags.dateTime != 0;
}

bool GetWatermarkItemRecord(HWND dialog, const SheetCtx* ctx, LRESULT index, WaterMarkInfo* out) {
  const WMOrderEntry* entry = EntryOfItem(dialog, index);
  const WatermarkSession* session = WatermarkSessionOf(ctx);
  return entry != nullptr && session != nullptr && FindSessionWatermark(*session, *entry, out);
}

void FillWatermarkList(HWND dialog, const SheetCtx* ctx) {
  HWND list = GetDlgItem(dialog, kWatermarkList);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  if (WatermarkSession* session = WatermarkSessionOf(ctx)) {
    for (uint32_t i = 0; i < session->orderCount; ++i) {
      const WatermarkTitle name = TitleOf(session->order[i]);
      const LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.text));
      if (at >= 0) SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&session->order[i]));
    }
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void SelectWatermarkItem(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  DocFields& f = Fields(*doc);
  bool changed = false;
  if (f.wWmkListPos != 0 && f.wWmkListPos >= ListCount(dialog)) {
    f.wWmkListPos = 0;
    changed = true;
  }
  WaterMarkInfo record{};
  if (GetWatermarkItemRecord(dialog, ctx, f.wWmkListPos, &record)) {
    WaterMarkInfo* mark = SettingsWatermark(doc);
    if (std::memcmp(record.szWmkTitle, mark->szWmkTitle, sizeof record.szWmkTitle) != 0 ||
        std::memcmp(record.szWmkStr, mark->szWmkStr, sizeof record.szWmkStr) != 0) {
      *mark = record;
      changed = true;
    }
  }
  if (changed) Changed(dialog, ctx);
  UpdateWOControlStates(dialog, ctx);
  SendDlgItemMessageW(dialog, kWatermarkList, LB_SETCURSEL, f.wWmkListPos, 0);
}

bool TakeSelectedWatermark(HWND dialog, SheetCtx* ctx) {
  const LRESULT at = SendDlgItemMessageW(dialog, kWatermarkList, LB_GETCURSEL, 0, 0);
  WaterMarkInfo record{};
  if (at < 0 || !GetWatermarkItemRecord(dialog, ctx, at, &record)) return false;
  DocDMode* doc = GetPrivDevMode(ctx);
  *SettingsWatermark(doc) = record;
  Fields(*doc).wWmkListPos = static_cast<uint16_t>(at);
  return true;
}

void SetupPreviewFont(HWND dialog, SheetCtx* ctx) {
  if (WatermarkSession* session = WatermarkSessionOf(ctx)) {
    SetupWatermarkFont(&session->preview, SettingsWatermark(GetPrivDevMode(ctx)));
  }
  InvalidateRect(GetDlgItem(dialog, kStatusIcons), nullptr, TRUE);
}

// The list refilled and selected, and every check box from the settings.
void ShowWatermarksAndSwitches(HWND dialog, SheetCtx* ctx) {
  const DocFields& f = Fields(*GetPrivDevMode(ctx));
  FillWatermarkList(dialog, ctx);
  SetCheck(dialog, kWatermarkBox, f.bWmk);
  SelectWatermarkItem(dialog, ctx);
  SetCheck(dialog, kHeaderFooterBox, f.bHeadFooter);
  SetCheck(dialog, kCopyProtectBox, f.bCopyProtect);
  SetCheck(dialog, kNumberingBox, f.bNumbering);
  SetCheck(dialog, kOverlayBox, f.bOverlay);
  if (Flag(kMfOverlay)) {
    FillOverlayList(dialog, ctx);
    SelectOverlayItem(dialog, ctx);
  }
  SetCheck(dialog, kCreateFormBox, f.bCreateForm);
  SetCheck(dialog, kDateTimeBox, f.DateTimePageNo_bDateTime);
  SetCheck(dialog, kPageNumberBox, f.DateTimePageNo_bPageNo);
}

// --- Bindings.

bool ReadWatermarkSwitch(HWND dialog, SheetCtx* ctx) {
  DocFields& f = Fields(*GetPrivDevMode(ctx));
  f.bWmk = Checked(dialog, kWatermarkBox) ? 1 : 0;
  if (f.bWmk != 0) TakeSelectedWatermark(dialog, ctx);
  return true;
}
void ShowWatermarkSwitch(HWND dialog, SheetCtx* ctx) { SetCheck(dialog, kWatermarkBox, Fields(*GetPrivDevMode(ctx)).bWmk); }

bool ReadWatermarkChoice(HWND dialog, SheetCtx* ctx) {
  if (TakeSelectedWatermark(dialog, ctx)) {
    RecordStopFacts(dialog, ctx);
    return true;
  }
  // The item names a watermark neither list holds: the list is read again
  // and the first watermark taken.
  FillWatermarkList(dialog, ctx);
  Fields(*GetPrivDevMode(ctx)).wWmkListPos = 0;
  SelectWatermarkItem(dialog, ctx);
  TakeSelectedWatermark(dialog, ctx);
  RecordStopFacts(dialog, ctx);
  return true;
}
void ShowWatermarkChoice(HWND dialog, SheetCtx* ctx) { SelectWatermarkItem(dialog, ctx); }

void WatermarkChanged(HWND dialog, SheetCtx* ctx) {
  SetupPreviewFont(dialog, ctx);
  InvalidateRect(dialog, nullptr, TRUE);
}

void EnableRules(HWND dialog, SheetCtx* ctx) { UpdateWOControlStates(dialog, ctx); }

const DialogBinding kBindings[] = {
    {.controlId = kWatermarkBox, .notify = BN_CLICKED, .kind = BindKind::kCustom, .at = DOC_FIELD_AT(bWmk),
     .bytes = 1, .read = ReadWatermarkSwitch, .show = ShowWatermarkSwitch, .changed = WatermarkChanged},
    {.controlId = kWatermarkList, .notify = LBN_SELCHANGE, .kind = BindKind::kCustom,
     .at = DOC_FIELD_AT(wWmkListPos), .bytes = 2, .read = ReadWatermarkChoice, .show = ShowWatermarkChoice,
     .changed = WatermarkChanged},
    {.controlId = kHeaderFooterBox, .notify = BN_CLICKED, .kind = BindKind::kCheckBox,
     .at = DOC_FIELD_AT(bHeadFooter), .bytes = 1, .changed = WatermarkChanged},
    {.controlId = kCopyProtectBox, .notify = BN_CLICKED, .kind = BindKind::kCheckBox,
     .at = DOC_FIELD_AT(bCopyProtect), .bytes = 1, .changed = WatermarkChanged},
    {kDateTimeBox, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(DateTimePageNo_bDateTime), 1},
    {kPageNumberBox, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(DateTimePageNo_bPageNo), 1},
    {kNumberingBox, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(bNumbering), 1},
    {kCreateFormBox, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(bCreateForm), 1},
    {kOverlayBox, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(bOverlay), 1},
    {},
};

// --- Handlers.

INT_PTR Init(HWND dialog, SheetCtx* ctx) {
  if (!Flag(kMfCopyProtect)) {
    for (int id : {1164, 2191, 1166}) Hide(dialog, id);
  }
  if (!Flag(kMfDateTimePage)) {
    for (int id : {2113, 2192, 2114, 2193, 2115}) Hide(dialog, id);
  }
  if (!Flag(kMfHeaderFooterKind)) {
    for (int id : {1202, 2194, 2116, 1162}) Hide(dialog, id);
  }
  if (!Flag(kMfNumberKind)) {
    for (int id : {2338, 2340, 2339}) Hide(dialog, id);
  }
  if (!Flag(kMfSoftOverlay)) Hide(dialog, 1276);
  if (!Flag(kMfOverlay)) {
    for (int id : {1276, 1205, 1219, 1326, 1279}) Hide(dialog, id);
  }
  for (int id : kAlwaysHidden) Hide(dialog, id);
  g_facts.administrable = MayAdministerWatermarks(ctx);
  g_facts.builtInCount = CountDefaultWatermarks(g_defaultWatermarks, kDefaultWatermarks);
  if (WatermarkSession* session = WatermarkSessionOf(ctx)) {
    for (COLORREF& c : session->customColors) c = RGB(255, 255, 255);
  }
  return FALSE;
}

void Activate(HWND dialog, SheetCtx* ctx) {
  QueryDeviceStamps(dialog, ctx);
  SetWatermarkSessionPaper(ctx);
  WOSheetRefresh(dialog, ctx);
  // The icons again, now with the device's answer and the lists shown.
  RunSheetConstraints(dialog, DialogTooltipOf(dialog), 0);
}

void OpenEditDialog(HWND dialog, SheetCtx* ctx) {
  if (RunWOSheetDialog(dialog, kWatermarkEditTemplate, WaterMarkEditDlgProc, reinterpret_cast<LPARAM>(ctx)) != IDOK) {
    return;
  }
  FillWatermarkList(dialog, ctx);
  SelectWatermarkItem(dialog, ctx);
  Check(dialog, kEditButton);
  DispPageHint(dialog, ctx, kWOSheetTemplate);
  SetupPreviewFont(dialog, ctx);
  Changed(dialog, ctx);
  UpdateWOControlStates(dialog, ctx);
  InvalidateRect(dialog, nullptr, TRUE);
}

// The Default button: the page's settings as the defaults hold them, and
// the printer's own watermarks given back their own attributes.
void Defaults(HWND dialog, SheetCtx* ctx) {
  SetFocusCtrl(dialog, kDefaultButton);
  DocDMode* doc = GetPrivDevMode(ctx);
  DocDMode defaults{};
  if (doc == nullptr || !CopyDefaultOEMDevMode(ctx, &defaults)) return;
  DocFields& f = Fields(*doc);
  const DocFields& d = Fields(defaults);
  bool changed = false;
  auto take = [&](auto& field, const auto& value) {
    if (field != value) field = value, changed = true;
  };
  take(f.bWmk, d.bWmk);
  if (f.wWmkListPos != d.wWmkListPos) {
    f.wWmkListPos = d.wWmkListPos;
    std::memcpy(f.WmkInfo_szKey, d.WmkInfo_szKey, sizeof(WaterMarkInfo));
    changed = true;
  }
  take(f.bHeadFooter, d.bHeadFooter);
  take(f.bNumbering, d.bNumbering);
  take(f.nHFE_DevSetting, d.nHFE_DevSetting);
  take(f.bCopyProtect, d.bCopyProtect);
  take(f.bOverlay, d.bOverlay);
  take(f.nFormListPos, d.nFormListPos);
  take(f.DateTimePageNo_bDateTime, d.DateTimePageNo_bDateTime);
  take(f.DateTimePageNo_bPageNo, d.DateTimePageNo_bPageNo);
  if (WatermarkSession* session = WatermarkSessionOf(ctx)) {
    for (uint32_t i = 0; i < session->orderCount; ++i) {
      WMOrderEntry& entry = session->order[i];
      if (entry.bPublic == 0) continue;
      for (uint32_t p = 0; p < session->publicCount; ++p) {
        WaterMarkInfo& mark = session->publicMarks[p];
        if (!SameTitle(TitleOf(mark), TitleOf(entry)) || mark.szKey[0] == '\0') continue;
        for (size_t k = 0; k < CountDefaultWatermarks(g_defaultWatermarks, kDefaultWatermarks); ++k) {
          const WaterMarkInfo& row = g_defaultWatermarks[k];
          if (_strnicmp(row.szKey, mark.szKey, sizeof mark.szKey) != 0) continue;
          if (std::memcmp(&mark, &row, sizeof mark) != 0) session->changed = true;
          mark = row;
          std::memcpy(entry.szName, row.szWmkTitle, sizeof entry.szName);
          break;
        }
        break;
      }
    }
  }
  ShowWatermarksAndSwitches(dialog, ctx);
  if (changed) {
    Check(dialog, 0);
    DispPageHint(dialog, ctx, kWOSheetTemplate);
    Changed(dialog, ctx);
  }
  UpdateWOControlStates(dialog, ctx);
  InvalidateRect(dialog, nullptr, TRUE);
  SetupPreviewFont(dialog, ctx);
}

// The buttons of the dialogs the page opens for other settings.
void AfterButton(HWND dialog, SheetCtx* ctx, bool changed) {
  if (changed) {
    WOSheetRefresh(dialog, ctx);
    Changed(dialog, ctx);
  }
  UpdateWOControlStates(dialog, ctx);
  InvalidateRect(dialog, nullptr, TRUE);
}

INT_PTR Command(HWND dialog, SheetCtx* ctx, WPARAM wParam, LPARAM) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (code != BN_CLICKED) return FALSE;
  switch (id) {
    case kEditButton: OpenEditDialog(dialog, ctx); return TRUE;
    case kDefaultButton: Defaults(dialog, ctx); return TRUE;
    case kOverlayInfo: AfterButton(dialog, ctx, WOSheetOverlayInfoButton(dialog, ctx)); return TRUE;
    case 1277:
    case 1143: AfterButton(dialog, ctx, WOSheetNewOverlayButton(dialog, ctx)); return TRUE;
    case 1278: AfterButton(dialog, ctx, WOSheetRemoveOverlayButton(dialog, ctx)); return TRUE;
    case kCopyProtectButton: AfterButton(dialog, ctx, WOSheetCopyProtectButton(dialog, ctx)); return TRUE;
    case kDateTimeButton: AfterButton(dialog, ctx, WOSheetDateTimeButton(dialog, ctx)); return TRUE;
    case kNumberingButton: AfterButton(dialog, ctx, WOSheetNumberingButton(dialog, ctx)); return TRUE;
    case kHeaderFooterButton:
      AfterButton(dialog, ctx,
                  RunWOSheetDialog(dialog, kHeaderFooterTemplate, HeaderFooterDlgProc, reinterpret_cast<LPARAM>(ctx)) ==
                      IDOK);
      return TRUE;
    case 1054:
    case 1056:
    case 1234: return TRUE;
    default: return FALSE;
  }
}

bool DrawItem(HWND dialog, SheetCtx*, const DRAWITEMSTRUCT* item) {
  if (item->CtlID == static_cast<UINT>(kHeaderFooterList)) {
    DrawServerListItem(dialog, item);
    return true;
  }
  if (item->CtlID != static_cast<UINT>(kWatermarkList)) return false;
  if (static_cast<int>(item->itemID) < 0) {
    if (item->itemAction == ODA_FOCUS) DrawFocusRect(item->hDC, &item->rcItem);
    return true;
  }
  const WMOrderEntry* entry = EntryOfItem(dialog, static_cast<LRESULT>(item->itemID));
  DrawWatermarkListItem(item, DialogFrameworkModules().images, entry == nullptr || entry->bPublic != 0, false);
  return true;
}

void Apply(HWND, SheetCtx* ctx) { SaveWatermarkSession(ctx); }

void Destroyed(HWND dialog) {
  if (SheetCtx* ctx = SheetCtxOf(dialog)) {
    FreeWatermarkSession(ctx);
    FreeSessionFormLists(ctx);
  }
}

bool ClipTest(HWND dialog, HANDLE printer) {
  const int32_t base = static_cast<int32_t>(LOWORD(GetDialogBaseUnits()) & ~1u);
  const ClipTestItem items[] = {
      {1131, kClipStatic, nullptr, 0},         {1132, kClipComboItem, L"EasySet Combo", 34 + base},
      {1133, kClipPushButton, nullptr, 0},     {1134, kClipPushButton, nullptr, 0},
      {1255, kClipPushButton, nullptr, 0},     {1279, kClipPushButton, nullptr, 0},
      {1166, kClipPushButton, nullptr, 0},     {2115, kClipPushButton, nullptr, 0},
      {1162, kClipPushButton, nullptr, 0},     {1032, kClipPushButton, nullptr, 0},
      {1130, kClipPushButton, nullptr, 0},     {1201, kClipPushButton, nullptr, 0},
      {1208, kClipCheckBox, nullptr, 0},       {1276, kClipCheckBox, nullptr, 0},
      {1205, kClipCheckBox, nullptr, 0},       {1164, kClipCheckBox, nullptr, 0},
      {2113, kClipCheckBox, nullptr, 0},       {2114, kClipCheckBox, nullptr, 0},
      {1202, kClipCheckBox, nullptr, 0},       {1280, kClipListItem, L"Watermark List", 16 + base},
      {1326, kClipListItem, L"Overlay List", 0}, {2116, kClipComboItem, L"HeaderFooter Combo", 20},
      {0, 0, nullptr, 0}};
  return RunClipTest(dialog, printer, L"Stamp/Composition Tab", items);
}

const SheetComboHeight kComboHeights[] = {{1272, 16}, {1275, 16}, {2116, 16}, {0, 0}};

const DocumentSheet kSheet = {
    .pageId = kWOSheetTemplate,
    .preview = PreviewAreaStep::kAfterUserPapers,
    .skipDropListFilter = false,
    .logoLayout = 4,
    .helpIds = kHelpIds,
    .pageHelpTopic = 4000,
    .comboHeights = kComboHeights,
    .init = Init,
    .setActive = Activate,
    .killActive = nullptr,
    .apply = Apply,
    .command = Command,
    .drawItem = DrawItem,
    .destroy = Destroyed,
    .other = nullptr,
    .textSection = "Property_4",
    .hintPageId = kWOSheetTemplate,
    .bindings = kBindings,
    .enableRules = EnableRules,
};

}  // namespace

void WOSheetRefresh(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  SetupPreviewFont(dialog, ctx);
  ShowWatermarksAndSwitches(dialog, ctx);
  UpdateWOControlStates(dialog, ctx);
}

void UpdateWOControlStates(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  const DocFields& f = Fields(*doc);
  for (int id : kHiddenAtRefresh) Hide(dialog, id);
  RecordStopFacts(dialog, ctx);
  EnableIfVisible(dialog, kHeaderFooterList, f.bHeadFooter != 0);
  EnableIfVisible(dialog, kHeaderFooterButton, f.bHeadFooter != 0);
  EnableIfVisible(dialog, kCopyProtectButton, f.bCopyProtect != 0);
  if (f.bWmk != 0) {
    EnableIfVisible(dialog, kWatermarkList, true);
    EnableIfVisible(dialog, kEditButton, !SelectedWatermarkLocked(ProcessStampSheetFacts()));
  } else {
    EnableIfVisible(dialog, kWatermarkList, false);
    EnableIfVisible(dialog, kEditButton, false);
  }
  const bool overlayChecked = Checked(dialog, kOverlayBox);
  const bool createChecked = Checked(dialog, kCreateFormBox);
  const bool overlaysEmpty = SendDlgItemMessageW(dialog, kOverlayList, LB_GETCOUNT, 0, 0) <= 0;
  EnableIfVisible(dialog, kCreateFormBox, !overlayChecked);
  EnableIfVisible(dialog, kOverlayBox, !createChecked && !overlaysEmpty);
  EnableIfVisible(dialog, kOverlayList, overlayChecked || overlaysEmpty);
  EnableIfVisible(dialog, kOverlayInfo, !createChecked);
  EnableIfVisible(dialog, kDateTimeButton, f.DateTimePageNo_bDateTime != 0 || f.DateTimePageNo_bPageNo != 0);
  if (Flag(kMfNumberKind)) EnableIfVisible(dialog, kNumberingButton, f.bNumbering != 0);
  if (!CanChangeDocSettings(ctx)) {
    for (int id : kLockList) EnableWindow(GetDlgItem(dialog, id), FALSE);
  }
}

intptr_t RunWOSheetDialog(HWND owner, uint16_t templateId, DLGPROC proc, LPARAM context) {
  return RunSheetDialog(owner, templateId, proc, context);
}

INT_PTR CALLBACK WOSheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && lParam != 0 && reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(PSN_HELP)) {
    SheetCtx* ctx = SheetCtxOf(dialog);
    if (ctx != nullptr && ClipTest(dialog, GetCtxPrinterHandle(ctx))) return TRUE;
  }
  return RunDocumentSheet(kSheet, dialog, message, wParam, lParam);
}
