#include "dproc/fax/fax_sheet_win.h"

#include <commctrl.h>

#include <cstring>
#include <memory>
#include <vector>

#include "common/contracts/proc_library_exports_win.h"
#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/win/bind_export.h"
#include "common/win/driver_help.h"
#include "common/win/module_path.h"
#include "common/win/printer_queries.h"
#include "dproc/constraints/drop_list_filter_win.h"
#include "dproc/constraints/stop_icons_win.h"
#include "dproc/dialogs/control_tooltips_win.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/dialogs/sheet_tab_tips_win.h"
#include "dproc/fax/fax_cover_binding_win.h"
#include "dproc/fax/fax_fields_win.h"
#include "dproc/fax/host_program.h"
#include "dproc/fax/phone_book_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/preview/preview_area_win.h"
#include "dproc/startup/ddproc_binding_win.h"
#include "dproc/startup/description_loader_win.h"
#include "dproc/model/disp_strings_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/settings/settings_merge.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/sheets/message_box.h"
#include "dproc/sheets/sheet_context.h"
#include "dproc/sheets/sheet_user_papers_win.h"

namespace {

enum : int {
  kResolutionLabel = 1930,
  kResolutionList = 1931,
  kCoverBox = 1946,
  kCoverPicture = 1947,
  kCoverSettingsButton = 1948,
  kPhoneBookButton = 1949,
  kPrinterFigureButton = 1130,
  kPreviewPicture = 1235,
  kDefaultButton = 1032,
};

// The sheet offers its messages to the device library under the Basic
// page's id, and names itself 171 everywhere else.
constexpr int32_t kDeviceHookPageId = 100;

// Disabled after initialisation, activation and every switch when the
// document settings may not be changed.
const int kLockList[] = {1235, 1123, 1130, 1131, 1132, 1133, 1134, 1930, 1931, 1932, 1933, 1934, 1935, 1936,
                         2235, 1937, 1938, 1939, 1940, 1941, 1942, 1943, 1944, 1945, 1946, 1947, 1949, 1032};

const DWORD kHelpIds[] = {1199, DWORD(-1), 1235, DWORD(-1), 1123, DWORD(-1), 1131, 9570, 1132, 9570, 1133, 9580,
                          1134, 9590, 1930, 20010, 1931, 20010, 1932, 20020, 1933, 20030, 1934, 20040, 1935, 20040,
                          1936, 20040, 1937, 20040, 1938, 20040, 1939, 20050, 1940, 20050, 1941, 20060, 1942, 20070,
                          1943, 20070, 1944, 20080, 1945, 20080, 1946, 20090, 1947, 20100, 1948, 20100, 1949, 20110,
                          1130, 11000, 1201, 9520, 1015, DWORD(-1), 1016, DWORD(-1), 1032, 9510, 0, 0};

// The cover sheet the user confirmed could not be stored.
constexpr int kCoverNotSavedMessage = 545;

HWND g_lastFocus = nullptr;
constexpr uint32_t kHintPageId = 171;

int32_t Constraints(HWND dialog, uint16_t controlId) {
  return RunSheetConstraints(dialog, DialogTooltipOf(dialog), controlId);
}

FaxSetting* FaxOf(DocDMode* doc) { return reinterpret_cast<FaxSetting*>(DocBytes(doc) + kFaxSettingDocAt); }

bool HostIsExcel() {
  wchar_t path[MAX_PATH + 1] = {};
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return n > 0 && n < MAX_PATH && IsExcelProgramPath(reinterpret_cast<const char16_t*>(path));
}

void ApplyLockList(HWND dialog, const SheetCtx* ctx) {
  if (CanChangeDocSettings(ctx)) return;
  for (int id : kLockList) EnableWindow(GetDlgItem(dialog, id), FALSE);
}

void ApplyEnableRules(HWND dialog, const SheetCtx* ctx) {
  const bool may = CanChangeDocSettings(ctx) != FALSE;
  EnableWindow(GetDlgItem(dialog, kResolutionList), may && !HostIsExcel());
  const bool timer = may && IsBoxChecked(dialog, kFaxTimerSendBox) == 1;
  for (int id : {1934, 1935, 1936, 2235, 1937, 1938, 1939, 1940, 1941}) EnableWindow(GetDlgItem(dialog, id), timer);
  EnableWindow(GetDlgItem(dialog, kFaxSubAddressEdit), may && IsBoxChecked(dialog, kFaxSubAddressBox) == 1);
  EnableWindow(GetDlgItem(dialog, kFaxSendIdEdit), may && IsBoxChecked(dialog, kFaxSendIdBox) == 1);
  EnableWindow(GetDlgItem(dialog, kCoverSettingsButton),
               IsBoxChecked(dialog, kCoverBox) == 1 && BindFaxCoverSheetDialog() != nullptr);
}

// A setting changed: the frame and the Easy Set area hear of it.
void Changed(HWND dialog) { NoteSheetChange(dialog, GetPrivDevMode(SheetCtxOf(dialog))); }

void FillResolutions(HWND dialog, const DocDMode* doc) {
  HWND list = GetDlgItem(dialog, kResolutionList);
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  const ModelInfo* model = ProcessModelInfo();
  if (model == nullptr || model->resolutions == nullptr) return;
  for (const ResolutionItem* row = model->resolutions; row->keyword[0] != '\0'; ++row) {
    int at = static_cast<int>(SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row->text)));
    SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(row));
    if (row->index == DocByte(doc, kDocResolutionValueAt)) SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
  }
}

void SelectResolution(HWND dialog, const DocDMode* doc) {
  HWND list = GetDlgItem(dialog, kResolutionList);
  int count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  for (int i = 0; i < count; ++i) {
    auto row = reinterpret_cast<const ResolutionItem*>(SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
    if (row != nullptr && row->index == DocByte(doc, kDocResolutionValueAt)) {
      SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    }
  }
}

INT_PTR Init(HWND dialog, SheetCtx* ctx) {
  InitFaxOptionControls(dialog);
  ShowEnableCtrl(dialog, kPrinterFigureButton, FALSE);
  // While another window holds the phone book its button stays disabled for
  // the sheet's life; a missing library is reported when it is clicked.
  EnableWindow(GetDlgItem(dialog, kPhoneBookButton), TakePhoneBookGuard(dialog));
  ApplyLockList(dialog, ctx);
  return TRUE;
}

void Activate(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  FillResolutions(dialog, doc);
  ShowFaxOptions(dialog, *FaxOf(doc));
  CheckDlgButton(dialog, kCoverBox, FaxOf(doc)->fgFaxCoverSheet == 1 ? BST_CHECKED : BST_UNCHECKED);
  ShowFaxClock(dialog);
  ApplyEnableRules(dialog, ctx);
  EnableWebLinkButton(dialog, ctx);
  bool phoneBook = HoldsPhoneBookGuard(dialog);
  EnableWindow(GetDlgItem(dialog, kPhoneBookButton), phoneBook);
  ApplyLockList(dialog, ctx);
  g_lastFocus = GetFocus();
}

bool ReadResolution(HWND dialog, SheetCtx* ctx) {
  HWND list = GetDlgItem(dialog, kResolutionList);
  const int at = static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
  if (at < 0) return false;
  auto row = reinterpret_cast<const ResolutionItem*>(SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(at), 0));
  if (row == nullptr || reinterpret_cast<LRESULT>(row) == CB_ERR) return false;
  SetDocResolution(GetPrivDevMode(ctx), *row);
  return true;
}
void ShowResolution(HWND dialog, SheetCtx* ctx) { SelectResolution(dialog, GetPrivDevMode(ctx)); }

// The send time, read when one of its edits is left: only the edit that
// was left counts as changed; the other keeps its value.
bool ReadSendTime(HWND dialog, SheetCtx* ctx, int id) {
  FaxSetting* s = FaxOf(GetPrivDevMode(ctx));
  const FaxSetting before = *s;
  if (!CheckFaxSendTime(dialog, s, false)) return false;
  if (id == kFaxHourEdit) s->bySendMinute = before.bySendMinute;
  else s->bySendHour = before.bySendHour;
  return true;
}
bool ReadHour(HWND dialog, SheetCtx* ctx) { return ReadSendTime(dialog, ctx, kFaxHourEdit); }
bool ReadMinute(HWND dialog, SheetCtx* ctx) { return ReadSendTime(dialog, ctx, kFaxMinuteEdit); }
void ShowSendTime(HWND dialog, SheetCtx* ctx) {
  const FaxSetting* s = FaxOf(GetPrivDevMode(ctx));
  SetDlgItemInt(dialog, kFaxHourEdit, s->bySendHour, FALSE);
  SetDlgItemInt(dialog, kFaxMinuteEdit, s->bySendMinute, FALSE);
}

void ShowCode(HWND dialog, int id, const char16_t (&field)[21]) {
  wchar_t text[21] = {};
  for (int i = 0; i < 20 && field[i] != 0; ++i) text[i] = field[i];
  SetDlgItemTextW(dialog, id, text);
}
bool ReadSubAddress(HWND dialog, SheetCtx* ctx) {
  return CheckFaxSubAddress(dialog, FaxOf(GetPrivDevMode(ctx)), false);
}
bool ReadSendId(HWND dialog, SheetCtx* ctx) { return CheckFaxSendId(dialog, FaxOf(GetPrivDevMode(ctx)), false); }
void ShowSubAddress(HWND dialog, SheetCtx* ctx) {
  ShowCode(dialog, kFaxSubAddressEdit, FaxOf(GetPrivDevMode(ctx))->szSubAddress);
}
void ShowSendId(HWND dialog, SheetCtx* ctx) { ShowCode(dialog, kFaxSendIdEdit, FaxOf(GetPrivDevMode(ctx))->szSendID); }

void CopyClock(HWND dialog, SheetCtx* ctx) {
  FaxSetting* s = FaxOf(GetPrivDevMode(ctx));
  FaxSetting before = *s;
  CopyFaxClockToEdits(dialog);
  CheckFaxSendTime(dialog, s, false);
  if (s->bySendHour != before.bySendHour || s->bySendMinute != before.bySendMinute) Changed(dialog);
  InvalidateRect(dialog, nullptr, FALSE);
}

void OpenCoverSettings(HWND dialog, SheetCtx* ctx) {
  FaxCoverSheetPopupDialogFn popup = BindFaxCoverSheetDialog();
  if (popup == nullptr) return;
  HANDLE printer = GetCtxPrinterHandle(ctx);
  wchar_t printerName[260] = {};
  wchar_t driverName[260] = {};
  QueryPrinterName(printer, printerName, 260);
  QueryDriverName(printer, driverName, nullptr);
  std::vector<uint8_t> cover(kFaxCoverSheetDataSize, 0);
  ReadFaxCoverRecord(printerName, driverName, cover.data());
  int r = popup(dialog, printerName, driverName, CanChangeDocSettings(ctx) ? 1 : 0, cover.data(),
                GetPrivDevMode(ctx), 0, nullptr);
  // A cover sheet the user confirmed but the store refused is not lost
  // silently: the user hears of it.
  if (r == 1 && !WriteFaxCoverRecord(printerName, driverName, cover.data())) {
    ShowMessageBox(dialog, 7, kCoverNotSavedMessage, 0, MB_ICONEXCLAMATION, 0, 0);
  }
}

void OpenPhoneBook(HWND dialog, SheetCtx* ctx) {
  if (PhoneBookEdit(dialog, IsDocPropertiesMode(ctx) ? 1 : 0) == PhoneBookCall::kUnavailable) {
    ShowMessageBox(dialog, 7, 539, 0, MB_ICONEXCLAMATION, 0, 0);
  }
}

void Defaults(HWND dialog, SheetCtx* ctx) {
  SetFocusCtrl(dialog, kDefaultButton);
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  // The default settings are built in the context's working record itself:
  // keep the sheet's settings aside and compare field by field.
  auto kept = std::make_unique<DocDMode>(*doc);
  const DocDMode* built = GetDefaultOEMDevMode(ctx);
  if (built == nullptr) return;
  auto defaultsCopy = std::make_unique<DocDMode>(*built);
  *doc = *kept;
  const DocDMode* defaults = defaultsCopy.get();
  bool changed = false;
  if (!HostIsExcel() && DocByte(doc, kDocResolutionValueAt) != DocByte(defaults, kDocResolutionValueAt)) {
    std::memcpy(DocBytes(doc) + kDocResolutionValueAt, DocBytes(defaults) + kDocResolutionValueAt, 9);
    SelectResolution(dialog, doc);
    changed = true;
  }
  FaxSetting* s = FaxOf(doc);
  const FaxSetting* d = reinterpret_cast<const FaxSetting*>(DocBytes(defaults) + kFaxSettingDocAt);
  FaxSetting before = *s;
  *s = *d;
  if (std::memcmp(&before, s, sizeof before) != 0) changed = true;
  ShowFaxOptions(dialog, *s);
  CheckDlgButton(dialog, kCoverBox, s->fgFaxCoverSheet == 1 ? BST_CHECKED : BST_UNCHECKED);
  ApplyEnableRules(dialog, ctx);
  if (changed) {
    Constraints(dialog, 0);
    DispPageHint(dialog, ctx, kHintPageId);
    Changed(dialog);
    InvalidateRect(dialog, nullptr, FALSE);
  }
  ApplyLockList(dialog, ctx);
}

void Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  switch (id) {
    case kFaxSubAddressEdit:
    case kFaxSendIdEdit:
      if (code == EN_CHANGE) {
        FilterFaxEdit(dialog, id, id == kFaxSubAddressEdit ? FaxCharSet::kDigits : FaxCharSet::kSendId);
      }
      break;
    case kFaxCopyClockButton:
      CopyClock(dialog, ctx);
      break;
    case kCoverSettingsButton:
      OpenCoverSettings(dialog, ctx);
      break;
    case kPhoneBookButton:
      OpenPhoneBook(dialog, ctx);
      break;
    case kDefaultButton:
      Defaults(dialog, ctx);
      break;
    default:
      break;
  }
}

// Leaving the page: the three checks with their messages; the first that
// fails keeps the page.
bool MayLeave(HWND dialog, SheetCtx* ctx) {
  FaxSetting* s = FaxOf(GetPrivDevMode(ctx));
  if (!CheckFaxSendTime(dialog, s, true)) {
    SetFocusCtrl(dialog, kFaxHourEdit);
    return false;
  }
  if (!CheckFaxSubAddress(dialog, s, true)) {
    SetFocusCtrl(dialog, kFaxSubAddressEdit);
    return false;
  }
  if (!CheckFaxSendId(dialog, s, true)) {
    SetFocusCtrl(dialog, kFaxSendIdEdit);
    return false;
  }
  return true;
}

void DrawCoverPicture(SheetCtx* ctx, const DRAWITEMSTRUCT* item) {
  DocDMode* doc = GetPrivDevMode(ctx);
  DrawFaxCoverPicture(item, doc != nullptr && FaxOf(doc)->fgFaxCoverSheet == 1);
}

// Every message that reaches the sheet's own handling: when the focus moved
// into or out of the send-ID edit, the hint follows it.
void WatchFocus(HWND dialog, SheetCtx* ctx) {
  HWND focus = GetFocus();
  if (focus == g_lastFocus) return;
  HWND sendId = GetDlgItem(dialog, kFaxSendIdEdit);
  if (focus == sendId || g_lastFocus == sendId) DispPageHint(dialog, ctx, kHintPageId);
  g_lastFocus = focus;
}

INT_PTR SheetCommand(HWND dialog, SheetCtx* ctx, WPARAM wParam, LPARAM) {
  WatchFocus(dialog, ctx);
  Command(dialog, ctx, LOWORD(wParam), HIWORD(wParam));
  return TRUE;
}

bool DrawItem(HWND, SheetCtx* ctx, const DRAWITEMSTRUCT* item) {
  if (item->CtlID == kCoverPicture) {
    DrawCoverPicture(ctx, item);
    return true;
  }
  if (item->CtlID == kPhoneBookButton) {
    DrawIconCheckButton(item, 1058, 1058);
    return true;
  }
  return false;
}

void Destroy(HWND dialog) {
  ReleasePhoneBookGuard(dialog);
  g_lastFocus = nullptr;
}

INT_PTR OtherMessage(HWND dialog, SheetCtx* ctx, UINT, WPARAM, LPARAM) {
  WatchFocus(dialog, ctx);
  return FALSE;
}

constexpr uint32_t FaxAt(size_t member) { return static_cast<uint32_t>(kFaxSettingDocAt + member); }
const DialogBinding kBindings[] = {
    {kFaxPrtRecFileBox, BN_CLICKED, BindKind::kCheckBox, FaxAt(offsetof(FaxSetting, fgPrtRecFile)), 1},
    {kFaxTimerSendBox, BN_CLICKED, BindKind::kCheckBox, FaxAt(offsetof(FaxSetting, fgTimerSend)), 1},
    {kFaxSubAddressBox, BN_CLICKED, BindKind::kCheckBox, FaxAt(offsetof(FaxSetting, fgSubAddress)), 1},
    {kFaxSendIdBox, BN_CLICKED, BindKind::kCheckBox, FaxAt(offsetof(FaxSetting, fgSendID)), 1},
    {kCoverBox, BN_CLICKED, BindKind::kCheckBox, FaxAt(offsetof(FaxSetting, fgFaxCoverSheet)), 1},
    {kResolutionList, CBN_SELENDOK, BindKind::kCustom, kDocResolutionValueAt, 9, 0, ReadResolution, ShowResolution},
    {kFaxHourEdit, EN_KILLFOCUS, BindKind::kCustom, FaxAt(offsetof(FaxSetting, bySendHour)), 1, 0, ReadHour,
     ShowSendTime},
    {kFaxMinuteEdit, EN_KILLFOCUS, BindKind::kCustom, FaxAt(offsetof(FaxSetting, bySendMinute)), 1, 0, ReadMinute,
     ShowSendTime},
    {kFaxSubAddressEdit, EN_KILLFOCUS, BindKind::kCustom, FaxAt(offsetof(FaxSetting, szSubAddress)),
     sizeof(FaxSetting::szSubAddress), 0, ReadSubAddress, ShowSubAddress},
    {kFaxSendIdEdit, EN_KILLFOCUS, BindKind::kCustom, FaxAt(offsetof(FaxSetting, szSendID)),
     sizeof(FaxSetting::szSendID), 0, ReadSendId, ShowSendId},
    {},
};

void EnableRules(HWND dialog, SheetCtx* ctx) {
  ApplyEnableRules(dialog, ctx);
  ApplyLockList(dialog, ctx);
}

// The sheet offers its messages to the device library and the preview area
// under the Basic page's id, and names itself 171 everywhere else.
const DocumentSheet kFaxSheet = {
    .pageId = kDeviceHookPageId,
    .preview = PreviewAreaStep::kAfterUserPapers,
    .skipDropListFilter = false,
    .logoLayout = 1,
    .helpIds = kHelpIds,
    .pageHelpTopic = 20000,
    .comboHeights = nullptr,
    .init = Init,
    .setActive = Activate,
    .killActive = MayLeave,
    .apply = nullptr,
    .command = SheetCommand,
    .drawItem = DrawItem,
    .destroy = Destroy,
    .other = OtherMessage,
    .textSection = "Property_FAX",
    .hintPageId = kHintPageId,
    .bindings = kBindings,
    .enableRules = EnableRules,
};

}  // namespace

void SetFaxSheetConstraintCheck(FaxSheetConstraintFn check) { SetSheetConstraintCheck(check); }

INT_PTR CALLBACK FaxSheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentSheet(kFaxSheet, dialog, message, wParam, lParam);
}
