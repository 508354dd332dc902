#include "dproc/device/configure_sheet_win.h"

#include <commctrl.h>

#include <cstring>
#include <string>

#include "common/cipher/password_cipher_win.h"
#include "common/qxd/model_info.h"
#include "common/text/bounded_text.h"
#include "common/win/wait_cursor_win.h"
#include "common/win/driver_help.h"
#include "dproc/device/acquisition_setting_dialog_win.h"
#include "dproc/device/consumables_dialog_win.h"
#include "dproc/device/device_acquisition_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/dialogs/media_list_view_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/preview/preview_area_win.h"
#include "dproc/model/device_option_values.h"
#include "dproc/model/edit_items.h"
#include "dproc/openapi/middle_server_cache_win.h"
#include "dproc/sheets/device_address_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/sheets/message_box.h"
#include "dproc/sheets/option_rows_win.h"
#include "dproc/sheets/owner_draw_win.h"
#include "dproc/startup/description_loader_win.h"

namespace {

enum : int {
  kOptionList = 1078,
  kSettingCombo = 1081,
  kRefreshButton = 1062,
  kAcquisitionButton = 1858,
  kEncryptionBox = 2187,
  kEncryptionEdit = 2188,
  kMediaGroup = 1845,
  kMediaList = 1844,
  kMediaButton = 1847,
  kToolCombo = 1841,
  kStartUpButton = 1842,
  kWebPageCommand = 1103,
  kConsumablesCommand = 1101,
  kPrinterPicture = 1104,
};

// The sheet offers its messages to the device library, the preview and its
// texts as page 156, and shows the hints of page 177.
constexpr int32_t kPageId = 156;
constexpr uint32_t kHintPageId = 177;
constexpr int kKeyCharacters = 20;

const DWORD kHelpIds[] = {1329, 7020, 1078, 7020, 1079, 7030, 1081, 7030, 1062, 7040, 1120, 7040, 1858, 7100,
                          2187, 7110, 2188, 7110, 1200, 11100, 1104, 11100, 1845, 7070, 1844, 7070, 1847, 7080,
                          1840, 7120, 1841, 7120, 1842, 7130, 1015, DWORD(-1), 1016, DWORD(-1), 0, 0};

const SheetComboHeight kComboHeights[] = {{kSettingCombo, 16}, {kToolCombo, 16}, {0, 0}};


// What the page keeps for its life, one page per process at a time.
struct PageState {
  int rememberedSetting = -1;  // the combo row to go back to after a refusal
  int mediaColumns = 0;
  bool interServerAtActivation = false;  // the user authentication went through the middle server
};
PageState g_page;

const DeviceOptionItem* Options() { return g_description.deviceOptions; }
const ModelInfo* Model() { return ProcessModelInfo(); }
bool ModelHas(ModelFeature feature) { return Model() != nullptr && Model()->features[feature] != 0; }
// A model that does not say whether it shows the tray media shows them.
bool ShowsTrayMedia() { return Model() == nullptr || Model()->features[kMfMediaTypeInfo] != 0; }

intptr_t RunDialog(HWND owner, uint16_t templateId, DLGPROC proc, LPARAM context) {
  return RunSheetDialog(owner, templateId, proc, context);
}

int32_t Check(HWND dialog, uint16_t controlId) {
  return RunSheetConstraints(dialog, DialogTooltipOf(dialog), controlId);
}
void Changed(HWND dialog) { SendMessageW(GetParent(dialog), PSM_CHANGED, reinterpret_cast<WPARAM>(dialog), 0); }

// The slot of the option of the selected list row; -1 without one.
int SelectedSlot(HWND dialog) {
  const LRESULT row = SendDlgItemMessageW(dialog, kOptionList, LB_GETCURSEL, 0, 0);
  if (row == LB_ERR) return -1;
  return static_cast<int>(SendDlgItemMessageW(dialog, kOptionList, LB_GETITEMDATA, static_cast<WPARAM>(row), 0));
}

std::u16string RowText(const DeviceOptionItem& option, const DevOption* record) {
  std::u16string text(option.name, std::char_traits<char16_t>::length(option.name) < 48
                                       ? std::char_traits<char16_t>::length(option.name)
                                       : 47);
  text.push_back(u'\t');
  const uint32_t count = DeviceOptionValueCount(&option);
  if (record != nullptr && option.optionIndex < kDevOptionMaxOptions &&
      record->optionValues[option.optionIndex] < count) {
    const OptionItem& value = option.values[record->optionValues[option.optionIndex]];
    size_t n = 0;
    while (n < 47 && value.text[n] != 0) ++n;
    text.append(value.text, n);
  }
  return text;
}

void SelectSlot(HWND dialog, int slot) {
  HWND list = GetDlgItem(dialog, kOptionList);
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    if (SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0) == slot) {
      SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
      return;
    }
  }
  if (count > 0) SendMessageW(list, LB_SETCURSEL, 0, 0);
}

void RefillList(HWND dialog, const SheetCtx* ctx) {
  const int slot = SelectedSlot(dialog);
  FillInstalledOptionList(dialog, GetCtxPrinterInfo(ctx), Options());
  SelectSlot(dialog, slot);
}

void FillSettingCombo(HWND dialog, const SheetCtx* ctx) {
  HWND combo = GetDlgItem(dialog, kSettingCombo);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  const DeviceOptionItem* option = FindDeviceOptionBySlot(Options(), static_cast<uint32_t>(SelectedSlot(dialog)));
  const DevOption* record = GetCtxPrinterInfo(ctx);
  if (SelectedSlot(dialog) < 0 || option == nullptr || record == nullptr) return;
  const uint32_t count = DeviceOptionValueCount(option);
  for (uint32_t i = 0; i < count; ++i) {
    const OptionItem& value = option->values[i];
    const LRESULT at = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(value.text));
    SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(value.value));
    if (option->optionIndex < kDevOptionMaxOptions && record->optionValues[option->optionIndex] == i) {
      SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    }
  }
}

void RememberSetting(HWND dialog) {
  g_page.rememberedSetting = static_cast<int>(SendDlgItemMessageW(dialog, kSettingCombo, CB_GETCURSEL, 0, 0));
}

void RefillMediaList(HWND dialog, const SheetCtx* ctx) {
  if (GetDlgItem(dialog, kMediaList) == nullptr || !ShowsTrayMedia()) return;
  g_page.mediaColumns = FillMediaTypeListView(dialog, ctx, kMediaList);
}

// The combo's selection into the selected option's value slot, with the
// input-tray chain rule for a tray option.
void StoreOptionSetting(HWND dialog, const SheetCtx* ctx) {
  DevOption* record = GetCtxPrinterInfo(ctx);
  const DeviceOptionItem* list = Options();
  if (record == nullptr || list == nullptr || list[0].keyword[0] == '\0') return;
  const DeviceOptionItem* option = FindDeviceOptionBySlot(list, static_cast<uint32_t>(SelectedSlot(dialog)));
  if (option == nullptr) option = &list[0];
  const LRESULT at = SendDlgItemMessageW(dialog, kSettingCombo, CB_GETCURSEL, 0, 0);
  if (at == CB_ERR || option->optionIndex >= kDevOptionMaxOptions) return;
  const auto data = static_cast<uint32_t>(SendDlgItemMessageW(dialog, kSettingCombo, CB_GETITEMDATA, static_cast<WPARAM>(at), 0));
  const uint32_t count = DeviceOptionValueCount(option);
  for (uint32_t i = 0; i < count; ++i) {
    if (option->values[i].value != data) continue;
    record->optionValues[option->optionIndex] = i;
    if (_strnicmp(option->keyword, "OpInTray", 8) == 0) {
      ChainInputTrayOptions(record, list, option->keyword, option->values[i].keyword);
    }
    return;
  }
}

DeviceSheetUiState* State(const SheetCtx* ctx) { return DeviceSheetStateOf(GetUIState(ctx)); }

// The stored key, deciphered (at most 20 characters).
void StoredKey(const SheetCtx* ctx, char (&out)[kKeyCharacters + 1]) {
  std::memset(out, 0, sizeof out);
  const DevOption* record = GetCtxPrinterInfo(ctx);
  if (record == nullptr || record->encryptedValueLength == 0 ||
      record->encryptedValueLength > kDevOptionEncryptedValueSize) {
    return;
  }
  uint8_t buffer[kDevOptionEncryptedValueSize + 1] = {};
  std::memcpy(buffer, record->encryptedValue, record->encryptedValueLength);
  DecryptPassword(GetCtxPrinterHandle(ctx), buffer, record->encryptedValueLength, sizeof buffer);
  buffer[kDevOptionEncryptedValueSize] = 0;
  CopyText(out, sizeof out, reinterpret_cast<const char*>(buffer));
}

// The check box and the key: the stored key, or what the device reported
// (its key is never shown).
void ShowEncryption(HWND dialog, const SheetCtx* ctx) {
  const DevOption* record = GetCtxPrinterInfo(ctx);
  const DeviceSheetUiState* state = State(ctx);
  if (!ModelHas(kMfEncryptionKey) || record == nullptr || state == nullptr) return;
  CheckDlgButton(dialog, kEncryptionBox, record->encryptionKey != 0 ? BST_CHECKED : BST_UNCHECKED);
  if (state->encInfoAcquired == 0) {
    char key[kKeyCharacters + 1];
    StoredKey(ctx, key);
    SetDlgItemTextA(dialog, kEncryptionEdit, key);
  } else if (state->encSettingOrigin == 1 && state->deviceKeyText[0] == '\0') {
    SetDlgItemTextA(dialog, kEncryptionEdit, "");
  } else if (state->encSettingOrigin == 1 || state->encSettingOrigin == 2) {
    SetDlgItemTextA(dialog, kEncryptionEdit, "********************");
  }
}

// The key into the record, enciphered: the device's key when the device
// reported a key of its user, else the edit's text.
void StoreEncryptionKey(HWND dialog, const SheetCtx* ctx) {
  DevOption* record = GetCtxPrinterInfo(ctx);
  DeviceSheetUiState* state = State(ctx);
  if (!ModelHas(kMfEncryptionKey) || record == nullptr || state == nullptr) return;
  char key[kKeyCharacters + 1] = {};
  if (state->encInfoAcquired != 0 && state->encSettingOrigin == 2 && state->deviceKeyText[0] != '\0') {
    CopyText(key, sizeof key, state->deviceKeyText);
  } else {
    GetDlgItemTextA(dialog, kEncryptionEdit, key, kKeyCharacters + 1);
  }
  std::memcpy(state->plainKeyText, key, sizeof state->plainKeyText);
  std::memset(record->encryptedValue, 0, sizeof record->encryptedValue);
  record->encryptedValueLength = EncipherTextField(GetCtxPrinterHandle(ctx), key, kKeyCharacters,
                                                   record->encryptedValue, sizeof record->encryptedValue);
}

void UpdateControls(HWND dialog, const SheetCtx* ctx) {
  const DevOption* record = GetCtxPrinterInfo(ctx);
  const DeviceSheetUiState* state = State(ctx);
  const bool automatic = record != nullptr && record->autoAcquisition != 0;
  // Media the device reports are not edited by hand.
  EnableCtrlIfVisible(GetDlgItem(dialog, kMediaButton),
                      !(automatic && state != nullptr && state->deviceConnected != 0));
  EnableCtrlIfVisible(GetDlgItem(dialog, kSettingCombo), TRUE);
  if (ModelHas(kMfEncryptionKey)) {
    const bool fromDevice = automatic && state != nullptr && state->encInfoAcquired != 0;
    EnableCtrlIfVisible(GetDlgItem(dialog, kEncryptionBox), !fromDevice);
    EnableCtrlIfVisible(GetDlgItem(dialog, kEncryptionEdit),
                        !fromDevice && IsDlgButtonChecked(dialog, kEncryptionBox) == BST_CHECKED);
  }
  const char* address = UiDeviceAddress(GetUIState(ctx));
  const bool toolOrAddress = (record != nullptr && record->vistrel != 0) || (address != nullptr && address[0] != '\0');
  EnableCtrlIfVisible(GetDlgItem(dialog, kStartUpButton), toolOrAddress);
  if (!CanChangeDeviceSettings(ctx)) {
    for (int id : {kSettingCombo, kRefreshButton, kMediaButton, kAcquisitionButton, kToolCombo, kStartUpButton,
                   kEncryptionBox, kEncryptionEdit}) {
      EnableWindow(GetDlgItem(dialog, id), FALSE);
    }
  }
}

void AfterOptionChange(HWND dialog, SheetCtx* ctx) {
  DispPageHint(dialog, ctx, kHintPageId);
  RefillList(dialog, ctx);
  RememberSetting(dialog);
  RefillMediaList(dialog, ctx);
  Changed(dialog);
  InvalidateRect(dialog, nullptr, FALSE);
}

void OptionSelected(HWND dialog, SheetCtx* ctx) {
  if (SelectedSlot(dialog) < 0) return;
  Check(dialog, kOptionList);
  DispPageHint(dialog, ctx, kHintPageId);
  FillSettingCombo(dialog, ctx);
  RememberSetting(dialog);
}

void SettingChosen(HWND dialog, SheetCtx* ctx) {
  if (SelectedSlot(dialog) < 0) return;
  StoreOptionSetting(dialog, ctx);
  if (ConstraintRefused(Check(dialog, kSettingCombo))) {
    SendDlgItemMessageW(dialog, kSettingCombo, CB_SETCURSEL, static_cast<WPARAM>(g_page.rememberedSetting), 0);
    StoreOptionSetting(dialog, ctx);
  }
  AfterOptionChange(dialog, ctx);
}

void EncryptionSwitched(HWND dialog, SheetCtx* ctx) {
  DevOption* record = GetCtxPrinterInfo(ctx);
  if (record == nullptr || !ModelHas(kMfEncryptionKey)) return;
  const uint16_t before = record->encryptionKey;
  record->encryptionKey = IsDlgButtonChecked(dialog, kEncryptionBox) == BST_CHECKED ? 1 : 0;
  if (ConstraintRefused(RunSheetConstraints(dialog, nullptr, kEncryptionBox))) {
    record->encryptionKey = before;
    ShowEncryption(dialog, ctx);
  }
  DispPageHint(dialog, ctx, kHintPageId);
  if (record->encryptionKey != before) Changed(dialog);
  UpdateControls(dialog, ctx);
}

// The device tools (the fuller page only), the chosen one selected.
void FillTools(HWND dialog, const SheetCtx* ctx) {
  const DevOption* record = GetCtxPrinterInfo(ctx);
  if (GetDlgItem(dialog, kToolCombo) == nullptr || record == nullptr) return;
  FillOptionRowsByName(dialog, kToolCombo, "Vistrel");
  SelectOptionRow(dialog, kToolCombo, record->vistrel);
}

void ToolChosen(HWND dialog, SheetCtx* ctx) {
  DevOption* record = GetCtxPrinterInfo(ctx);
  uint32_t value = 0;
  if (record == nullptr || !SelectedOptionValue(dialog, kToolCombo, &value)) return;
  const uint8_t before = record->vistrel;
  record->vistrel = static_cast<uint8_t>(value);
  if (ConstraintRefused(Check(dialog, kToolCombo))) {
    record->vistrel = before;
    SelectOptionRow(dialog, kToolCombo, before);
  }
  DispPageHint(dialog, ctx, kHintPageId);
  if (record->vistrel != before) Changed(dialog);
  UpdateControls(dialog, ctx);
}

void OpenDeviceWebPage(HWND dialog, const SheetCtx* ctx) {
  OpenDeviceWebPage(dialog, UiDeviceAddress(GetUIState(ctx)));
}

// After the device was asked: the list, the combo, the constraint pass and
// the hint show the record again.
void ShowAskedOptions(HWND dialog, SheetCtx* ctx, bool changed) {
  if (changed) Changed(dialog);
  RefillList(dialog, ctx);
  FillSettingCombo(dialog, ctx);
  RememberSetting(dialog);
  Check(dialog, 0);
  DispPageHint(dialog, ctx, kHintPageId);
}

void AskAuthEncryption(HWND dialog, SheetCtx* ctx) {
  bool changed = false;
  if (!AcquireDeviceAuthEncryption(dialog, ctx, &changed)) {
    Check(dialog, kRefreshButton);
  } else {
    ShowAskedOptions(dialog, ctx, changed);
  }
  ShowEncryption(dialog, ctx);
  UpdateControls(dialog, ctx);
}

// The device asked as activation and Acquisition Setting ask it.
void AskDeviceQuietly(HWND dialog, SheetCtx* ctx) {
  ScopedWaitCursor wait;
  if (!CheckDeviceConnection(dialog, ctx, true, false)) return;
  const char* address = UiDeviceAddress(GetUIState(ctx));
  if (AcquireTrayMedia(ctx, address)) Changed(dialog);
  RefillMediaList(dialog, ctx);
  ShowAskedOptions(dialog, ctx, AcquireDeviceOptions(dialog, ctx, address, false, nullptr));
  AskAuthEncryption(dialog, ctx);
}

void Refresh(HWND dialog, SheetCtx* ctx) {
  if (ShowMessageBox(dialog, 8, 155, 0, MB_YESNO | MB_ICONQUESTION, 0, 0) != IDYES) return;
  DeviceSheetUiState* state = State(ctx);
  if (state == nullptr) return;
  ScopedWaitCursor wait;
  if (CheckDeviceConnection(dialog, ctx, true, true)) {
    const char* address = UiDeviceAddress(GetUIState(ctx));
    bool cancelled = false;
    ShowAskedOptions(dialog, ctx, AcquireDeviceOptions(dialog, ctx, address, true, &cancelled));
    if (!cancelled) {
      state->encInfoAcquired = 0;
      AskAuthEncryption(dialog, ctx);
      if (AcquireTrayMedia(ctx, address)) Changed(dialog);
    }
  }
  InvalidateRect(dialog, nullptr, FALSE);
  RefillMediaList(dialog, ctx);
}

void AcquisitionSetting(HWND dialog, SheetCtx* ctx) {
  if (RunDialog(dialog, kAcquisitionSettingTemplate, AcquisitionSettingDlgProc, reinterpret_cast<LPARAM>(ctx)) != IDOK) {
    return;
  }
  Changed(dialog);
  UpdateCtxDeviceAddress(dialog, ctx);
  const DevOption* record = GetCtxPrinterInfo(ctx);
  DeviceSheetUiState* state = State(ctx);
  if (record != nullptr && state != nullptr && record->autoAcquisition != 0) {
    AskDeviceQuietly(dialog, ctx);
  } else if (state != nullptr) {
    state->encInfoAcquired = 0;
    state->authQueryResult = 1;
    CheckDeviceConnection(dialog, ctx, false, false);
  }
  Check(dialog, kRefreshButton);
  UpdateControls(dialog, ctx);
  InvalidateRect(dialog, nullptr, FALSE);
}

INT_PTR Init(HWND dialog, SheetCtx* ctx) {
  // The tab stop of the list: the widest name among the listed options.
  HWND list = GetDlgItem(dialog, kOptionList);
  int widest = 0;
  if (HDC dc = GetDC(list)) {
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
    const DeviceOptionItem* options = Options();
    for (uint32_t i = 0; options != nullptr && i < kDevOptionMaxOptions && options[i].keyword[0] != '\0'; ++i) {
      if (DeviceOptionValueCount(&options[i]) < 2) continue;
      SIZE size = {};
      const auto* name = reinterpret_cast<const wchar_t*>(options[i].name);
      GetTextExtentPoint32W(dc, name, static_cast<int>(wcsnlen(name, 48)), &size);
      if (size.cx > widest) widest = size.cx;
    }
    SelectObject(dc, old);
    ReleaseDC(list, dc);
  }
  // The dialog's horizontal base unit in pixels: four dialog units.
  RECT unit = {0, 0, 4, 8};
  MapDialogRect(dialog, &unit);
  int base = unit.right;
  if (base <= 1) base = 1;
  INT stop = widest * 4 / base + 10;
  SendMessageW(list, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stop));
  SetEditItemLimit(dialog, ctx, kEncryptionEdit, kKeyCharacters);
  FillInstalledOptionList(dialog, GetCtxPrinterInfo(ctx), Options());
  SendMessageW(list, LB_SETCURSEL, 0, 0);
  if (GetDlgItem(dialog, kMediaList) != nullptr) InitMediaTypeListView(dialog, MediaSwitchesOf(Model()));
  if (!ShowsTrayMedia()) {
    for (int id : {kMediaGroup, kMediaList, kMediaButton}) ShowEnableCtrl(dialog, id, FALSE);
  }
  if (!ModelHas(kMfEncryptionKey)) {
    for (int id : {kEncryptionBox, kEncryptionEdit}) ShowEnableCtrl(dialog, id, FALSE);
  }
  return FALSE;
}

void SetActive(HWND dialog, SheetCtx* ctx) {
  UpdateCtxDeviceAddress(dialog, ctx);
  DeviceSheetUiState* state = State(ctx);
  const DevOption* record = GetCtxPrinterInfo(ctx);
  if (state != nullptr && record != nullptr) {
    if (state->skipNextAcquisition != 0) {
      // The activation that follows Apply does not ask the device again.
      state->skipNextAcquisition = 0;
    } else {
      state->encInfoAcquired = 0;
      state->authQueryResult = 1;
      if (record->autoAcquisition == 0) CheckDeviceConnection(dialog, ctx, false, false);
      else AskDeviceQuietly(dialog, ctx);
    }
    StoredKey(ctx, state->plainKeyText);
  }
  RefillList(dialog, ctx);
  FillSettingCombo(dialog, ctx);
  Check(dialog, 0);
  DispPageHint(dialog, ctx, kHintPageId);
  ShowEncryption(dialog, ctx);
  RefillMediaList(dialog, ctx);
  FillTools(dialog, ctx);
  UpdateControls(dialog, ctx);
  RememberSetting(dialog);
  g_page.interServerAtActivation = IsDeviceOptionValue(GetCtxPrinterInfo(ctx), Options(), "DevUserAuthentication",
                                                       "DevUserAuthentic_InterSV");
}

bool KillActive(HWND dialog, SheetCtx* ctx) {
  if (GetCtxSessionFlag(ctx) == 0) {
    MapInstallableOptions(ctx, GetCtxPrinterInfo(ctx), Options(), DialogFrameworkModules().images);
  }
  if (char* address = UiDeviceAddress(GetUIState(ctx))) address[0] = '\0';
  if (DeviceSheetUiState* state = State(ctx)) state->skipNextAcquisition = 0;
  const DevOption* record = GetCtxPrinterInfo(ctx);
  if (ModelHas(kMfEncryptionKey) && record != nullptr && record->encryptionKey != 0 &&
      ValidateEditItem(dialog, ctx, kEncryptionEdit, TRUE, 0, 0, kKeyCharacters) != 1) {
    SetFocus(GetDlgItem(dialog, kEncryptionEdit));
    return false;
  }
  StoreEncryptionKey(dialog, ctx);
  return true;
}

void Apply(HWND dialog, SheetCtx* ctx) {
  StoreEncryptionKey(dialog, ctx);
  if (GetCtxSessionFlag(ctx) == 0) SaveFreeMemOption(ctx);
  if (DeviceSheetUiState* state = State(ctx)) state->skipNextAcquisition = 1;
  // A change to or from the middle server's authentication starts its
  // settings afresh.
  const bool interServer =
      IsDeviceOptionValue(GetCtxPrinterInfo(ctx), Options(), "DevUserAuthentication", "DevUserAuthentic_InterSV");
  if (ModelHas(kMfInterimAuthentic) && interServer != g_page.interServerAtActivation) {
    DeleteMiddleServerCache(GetCtxPrinterHandle(ctx));
    SetMiddleServerResetFlag(GetCtxPrinterHandle(ctx), 0);
  }
}

void Destroy(HWND dialog) { ReleaseUsbStatus(SheetCtxOf(dialog)); }

INT_PTR Command(HWND dialog, SheetCtx* ctx, WPARAM wParam, LPARAM) {
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  switch (id) {
    case kOptionList:
      if (code == LBN_SELCHANGE) OptionSelected(dialog, ctx);
      return TRUE;
    case kSettingCombo:
      if (code == CBN_SELENDOK) SettingChosen(dialog, ctx);
      return TRUE;
    case kEncryptionBox:
      if (code == BN_CLICKED) EncryptionSwitched(dialog, ctx);
      return TRUE;
    case kAcquisitionButton:
      if (code == BN_CLICKED) AcquisitionSetting(dialog, ctx);
      return TRUE;
    case kRefreshButton:
      if (code == BN_CLICKED) Refresh(dialog, ctx);
      return TRUE;
    case kEncryptionEdit:
      if (code == EN_UPDATE && FilterEditItemText(dialog, ctx, kEncryptionEdit, 0, 0, 0, kKeyCharacters) == 1) {
        char key[260] = {};
        GetDlgItemTextA(dialog, kEncryptionEdit, key, 260);
        const DeviceSheetUiState* state = State(ctx);
        if (state != nullptr && std::strcmp(key, state->plainKeyText) != 0) Changed(dialog);
      }
      return TRUE;
    case kMediaButton:
      // The device library's hook has shown the Media Type Setting dialog.
      if (code == BN_CLICKED) RefillMediaList(dialog, ctx);
      return TRUE;
    case kToolCombo:
      if (code == CBN_SELENDOK) ToolChosen(dialog, ctx);
      return TRUE;
    case kStartUpButton: {
      const DevOption* record = GetCtxPrinterInfo(ctx);
      if (code == BN_CLICKED && record != nullptr && record->vistrel == 0) OpenDeviceWebPage(dialog, ctx);
      return TRUE;
    }
    case kWebPageCommand:
      OpenDeviceWebPage(dialog, ctx);
      return TRUE;
    case kConsumablesCommand:
      RunDialog(dialog, kConsumablesTemplate, ConsumablesDlgProc, reinterpret_cast<LPARAM>(ctx));
      return TRUE;
    default:
      return FALSE;
  }
}

void DrawOptionValue(const DRAWITEMSTRUCT* item, const OptionItem* value) {
  DrawItemBackground(item);
  if (value != nullptr && item->itemID != static_cast<UINT>(-1)) {
    DrawIconText(item, value->iconId != 0 && value->flag != 0 ? static_cast<int>(value->iconId) : 0,
                 reinterpret_cast<const wchar_t*>(value->text));
  }
  DrawItemFocus(item);
}

bool DrawItem(HWND dialog, SheetCtx* ctx, const DRAWITEMSTRUCT* item) {
  if (item->CtlID == static_cast<UINT>(kPrinterPicture)) {
    DrawPreviewItem(dialog, ctx, item, kPageId);
    return true;
  }
  if (item->CtlID == static_cast<UINT>(kSettingCombo)) {
    const DeviceOptionItem* option = FindDeviceOptionBySlot(Options(), static_cast<uint32_t>(SelectedSlot(dialog)));
    const OptionItem* value = nullptr;
    const uint32_t count = DeviceOptionValueCount(option);
    for (uint32_t i = 0; i < count; ++i) {
      if (option->values[i].value == static_cast<uint32_t>(item->itemData)) value = &option->values[i];
    }
    DrawOptionValue(item, value);
    return true;
  }
  if (item->CtlID == static_cast<UINT>(kToolCombo)) {
    DrawOptionValue(item, reinterpret_cast<const OptionItem*>(item->itemData));
    return true;
  }
  if (item->CtlID == static_cast<UINT>(kMediaList)) {
    DrawMediaTypeListItem(dialog, item, g_page.mediaColumns, kMediaList);
    return true;
  }
  return false;
}

const DocumentSheet kConfigureSheet = {
    .pageId = kPageId,
    .preview = PreviewAreaStep::kAfterUserPapers,
    .skipDropListFilter = false,
    .logoLayout = 0,
    .helpIds = kHelpIds,
    .pageHelpTopic = 7000,
    .comboHeights = kComboHeights,
    .init = Init,
    .setActive = SetActive,
    .killActive = KillActive,
    .apply = Apply,
    .command = Command,
    .drawItem = DrawItem,
    .destroy = Destroy,
    .other = nullptr,
    .textSection = "Property_10",
    .hintPageId = kHintPageId,
};

}  // namespace

void FillInstalledOptionList(HWND dialog, const DevOption* record, const DeviceOptionItem* options) {
  HWND list = GetDlgItem(dialog, kOptionList);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  const LRESULT top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (uint32_t i = 0; options != nullptr && i < kDevOptionMaxOptions && options[i].keyword[0] != '\0'; ++i) {
    if (DeviceOptionValueCount(&options[i]) < 2) continue;
    const std::u16string text = RowText(options[i], record);
    const LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(options[i].optionIndex));
  }
  SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

INT_PTR CALLBACK ConfigureSheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_MEASUREITEM) {
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (item != nullptr && item->CtlID == static_cast<UINT>(kMediaList)) {
      // The media list's rows have a fixed height.
      item->itemHeight = 16;
      return TRUE;
    }
  }
  return RunDocumentSheet(kConfigureSheet, dialog, message, wParam, lParam);
}
