#include "dproc/device/settings_sheet_win.h"

#include <commctrl.h>

#include "common/qxd/model_info.h"
#include "common/win/printer_queries.h"
#include "dproc/basic/user_paper_dialog_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/model/device_option_values.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/sheets/sheet_context.h"
#include "dproc/startup/description_loader_win.h"

namespace {

enum : int {
  kEmfSpoolBox = 2266,
  kConstraintMessageBox = 1106,
  kServerFormBox = 1238,
  kFirstSheetAllBox = 1864,
  kHardSecurityBox = 1863,
  kVerifyBox = 2189,
  kPopupBox = 2190,
  kCustomPaperButton = 1232,
  kEmfSpoolIcon = 2503,
  kPrinterPicture = 1104,
};

constexpr int32_t kPageId = 157;

const DWORD kHelpIds[] = {1083, 8010, 2266, 8040, 1106, 8050, 1238, 8060, 1232, 8070, 1104, 11100,
                          1200, 11100, 1864, 8075, 1863, 8080, 2189, 8082, 2190, 8084, 1015, DWORD(-1),
                          1016, DWORD(-1), 0, 0};

// The seven switches: check box and field of the device option record.
struct Switch {
  int controlId;
  uint16_t DevOption::*field;
};
const Switch kSwitches[] = {
    {kEmfSpoolBox, &DevOption::emfSpool},         {kConstraintMessageBox, &DevOption::displayConstMsg},
    {kServerFormBox, &DevOption::useServerForm},  {kFirstSheetAllBox, &DevOption::firstSheetAll},
    {kHardSecurityBox, &DevOption::hardSecurityMode}, {kVerifyBox, &DevOption::verifyAuthentic},
    {kPopupBox, &DevOption::popupAuthenticDlg},
};

// Disabled when the user may not change the device settings.
const int kNoRightsList[] = {kEmfSpoolBox, kConstraintMessageBox, kServerFormBox, kVerifyBox, kPopupBox,
                             kCustomPaperButton};


const ModelInfo* Model() { return ProcessModelInfo(); }
bool ModelHas(ModelFeature feature) { return Model() != nullptr && Model()->features[feature] != 0; }

void ShowSwitch(HWND dialog, const SheetCtx* ctx, const Switch& s) {
  const DevOption* record = GetCtxPrinterInfo(ctx);
  if (record == nullptr) return;
  if (s.controlId == kServerFormBox && GetCtxSessionFlag(ctx) != 0) return;
  CheckDlgButton(dialog, s.controlId, record->*s.field != 0 ? BST_CHECKED : BST_UNCHECKED);
}

bool EmfSpoolLocked(const SheetCtx* ctx) {
  const DevOption* record = GetCtxPrinterInfo(ctx);
  const DeviceOptionItem* options = g_description.deviceOptions;
  if (record == nullptr) return true;
  for (const char* value : {"DevUserAuthentic_Engin", "DevUserAuthentic_GeneralSV", "DevUserAuthentic_InterSV"}) {
    if (IsDeviceOptionValue(record, options, "DevUserAuthentication", value)) return true;
  }
  return IsDeviceOptionValue(record, options, "DevAccountTrack", "DevAccountTrack_Ena") ||
         record->verifyAuthentic != 0 || record->popupAuthenticDlg != 0;
}

void EnableControls(HWND dialog, SheetCtx* ctx) {
  if (!IsSessionPage(ctx)) {
    const bool emf = ModelHas(kMfEmfSpool);
    ShowEnableCtrl(dialog, kEmfSpoolIcon, emf);
    ShowEnableCtrl(dialog, kEmfSpoolBox, emf);
    if (emf) {
      wchar_t name[MAX_PATH + 1] = {};
      const bool may = !EmfSpoolLocked(ctx) && QueryPrinterName(GetCtxPrinterHandle(ctx), name, MAX_PATH + 1) &&
                       IsPrinterAdministrable(name);
      EnableCtrlIfVisible(GetDlgItem(dialog, kEmfSpoolBox), may);
    }
  } else {
    ShowWindow(GetDlgItem(dialog, kEmfSpoolBox), SW_HIDE);
  }
  if (!CanChangeDeviceSettings(ctx)) {
    for (int id : kNoRightsList) EnableWindow(GetDlgItem(dialog, id), FALSE);
  }
}

INT_PTR Init(HWND dialog, SheetCtx* ctx) {
  if (GetCtxSessionFlag(ctx) != 0) ShowEnableCtrl(dialog, kServerFormBox, FALSE);
  // The user interface core's own sheets keep their custom papers elsewhere.
  if (IsSessionPage(ctx)) ShowWindow(GetDlgItem(dialog, kCustomPaperButton), SW_HIDE);
  if (!ModelHas(kMfFirstSheetAll)) ShowWindow(GetDlgItem(dialog, kFirstSheetAllBox), SW_HIDE);
  if (!ModelHas(kMfHardSecurityMode)) ShowWindow(GetDlgItem(dialog, kHardSecurityBox), SW_HIDE);
  if (!ModelHas(kMfVerifyAuthentic)) ShowWindow(GetDlgItem(dialog, kVerifyBox), SW_HIDE);
  return FALSE;
}

void SetActive(HWND dialog, SheetCtx* ctx) {
  TakeInstalledOptionsFromTree(ctx, GetCtxPrinterInfo(ctx), g_description.deviceOptions,
                               DialogFrameworkModules().images);
  for (const Switch& s : kSwitches) ShowSwitch(dialog, ctx, s);
  EnableControls(dialog, ctx);
}

bool KillActive(HWND dialog, SheetCtx* ctx) {
  DevOption* record = GetCtxPrinterInfo(ctx);
  if (record == nullptr) return true;
  for (const Switch& s : kSwitches) {
    record->*s.field = IsDlgButtonChecked(dialog, s.controlId) == BST_CHECKED ? 1 : 0;
  }
  return true;
}

void SwitchChanged(HWND dialog, SheetCtx* ctx, const Switch& s) {
  DevOption* record = GetCtxPrinterInfo(ctx);
  if (record == nullptr) return;
  const uint16_t before = record->*s.field;
  record->*s.field = IsDlgButtonChecked(dialog, s.controlId) == BST_CHECKED ? 1 : 0;
  if (ConstraintRefused(RunSheetConstraints(dialog, DialogTooltipOf(dialog), static_cast<uint16_t>(s.controlId)))) {
    record->*s.field = before;
    ShowSwitch(dialog, ctx, s);
  }
  DispPageHint(dialog, ctx, kPageId);
  if (record->*s.field != before) SendMessageW(GetParent(dialog), PSM_CHANGED, reinterpret_cast<WPARAM>(dialog), 0);
  EnableControls(dialog, ctx);
}

bool DrawItem(HWND dialog, SheetCtx* ctx, const DRAWITEMSTRUCT* item) {
  if (item->CtlID != static_cast<UINT>(kPrinterPicture)) return false;
  DrawPreviewItem(dialog, ctx, item, kPageId);
  return true;
}

INT_PTR Command(HWND dialog, SheetCtx* ctx, WPARAM wParam, LPARAM) {
  if (HIWORD(wParam) != BN_CLICKED) return FALSE;
  const int id = LOWORD(wParam);
  if (id == kCustomPaperButton) {
    RunSheetDialog(dialog, kUserPaperTemplate, UserPaperDlgProc, reinterpret_cast<LPARAM>(ctx));
    return TRUE;
  }
  for (const Switch& s : kSwitches) {
    if (s.controlId != id) continue;
    SwitchChanged(dialog, ctx, s);
    return TRUE;
  }
  return FALSE;
}

const DocumentSheet kSettingsSheet = {
    .pageId = kPageId,
    .preview = PreviewAreaStep::kAfterUserPapers,
    .skipDropListFilter = false,
    .logoLayout = 0,
    .helpIds = kHelpIds,
    .pageHelpTopic = 8000,
    .comboHeights = nullptr,
    .init = Init,
    .setActive = SetActive,
    .killActive = KillActive,
    .apply = nullptr,
    .command = Command,
    .drawItem = DrawItem,
    .destroy = nullptr,
    .other = nullptr,
    .textSection = "Property_11",
    .hintPageId = kPageId,
};

}  // namespace

INT_PTR CALLBACK SettingsSheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentSheet(kSettingsSheet, dialog, message, wParam, lParam);
}
