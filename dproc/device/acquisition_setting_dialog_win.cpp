#include "dproc/device/acquisition_setting_dialog_win.h"

#include <commctrl.h>

#include <cstring>
#include <memory>

#include "common/records/builtin_dev_option.h"
#include "common/win/store_values_win.h"
#include "dproc/model/edit_items.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/message_box.h"
#include "dproc/sheets/sheet_context.h"

namespace {

enum : int {
  kAutoBox = 1851,
  kPortRadio = 1852,
  kNamedRadio = 1855,
  kAddressEdit = 1857,
};
constexpr uint8_t kDestPort = 0;
constexpr uint8_t kDestNamed = 2;
// The address as this dialog writes it: at most 62 characters.
constexpr int kAddressCharacters = 62;
constexpr int kAddressLimit = 63;

const DWORD kHelpIds[] = {1851, 14010, 1853, 14020, 1852, 14030, 1855, 14060, 1857, 14070, 1032, 9510, 0, 0};

// The three fields as the dialog found them (one such dialog is open at a
// time).
struct Kept {
  uint16_t autoAcquisition;
  uint8_t destCustomize;
  char16_t address[kDevOptionAddressUnits];
};
Kept g_kept;

void ShowFields(HWND dialog, const DevOption* record) {
  CheckDlgButton(dialog, kAutoBox, record->autoAcquisition != 0 ? BST_CHECKED : BST_UNCHECKED);
  if (record->destCustomize == kDestPort || record->destCustomize == kDestNamed) {
    CheckDlgButton(dialog, kPortRadio, record->destCustomize == kDestPort ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, kNamedRadio, record->destCustomize == kDestNamed ? BST_CHECKED : BST_UNCHECKED);
  }
  wchar_t text[kDevOptionAddressUnits + 1] = {};
  std::memcpy(text, record->deviceAddress, sizeof record->deviceAddress);
  SetDlgItemTextW(dialog, kAddressEdit, text);
}

void EnableAddress(HWND dialog, const DevOption* record) {
  EnableWindow(GetDlgItem(dialog, kAddressEdit), record->destCustomize == kDestNamed);
}

void ReadAddress(HWND dialog, DevOption* record) {
  wchar_t text[kDevOptionAddressUnits] = {};
  GetDlgItemTextW(dialog, kAddressEdit, text, kAddressCharacters + 1);
  std::memset(record->deviceAddress, 0, sizeof record->deviceAddress);
  for (int i = 0; i < kAddressCharacters && text[i] != 0; ++i) record->deviceAddress[i] = text[i];
}

void Init(HWND dialog, SheetCtx* ctx) {
  const DevOption* record = GetCtxPrinterInfo(ctx);
  if (record == nullptr) return;
  g_kept.autoAcquisition = record->autoAcquisition;
  g_kept.destCustomize = record->destCustomize;
  std::memcpy(g_kept.address, record->deviceAddress, sizeof g_kept.address);
  ShowFields(dialog, record);
  SetEditItemLimit(dialog, ctx, kAddressEdit, kAddressLimit);
  EnableAddress(dialog, record);
}

void Changed(HWND dialog) { SendMessageW(GetParent(dialog), PSM_CHANGED, reinterpret_cast<WPARAM>(dialog), 0); }

bool Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  DevOption* record = GetCtxPrinterInfo(ctx);
  if (record == nullptr) return false;
  if (id == kAutoBox && code == BN_CLICKED) {
    const uint16_t before = record->autoAcquisition;
    record->autoAcquisition = IsDlgButtonChecked(dialog, kAutoBox) == BST_CHECKED ? 1 : 0;
    if (ConstraintRefused(RunSheetConstraints(dialog, nullptr, kAutoBox))) {
      record->autoAcquisition = before;
      CheckDlgButton(dialog, kAutoBox, before != 0 ? BST_CHECKED : BST_UNCHECKED);
    }
    if (record->autoAcquisition != before) Changed(dialog);
    EnableAddress(dialog, record);
    return true;
  }
  if ((id == kPortRadio || id == kNamedRadio) && code == BN_CLICKED) {
    const uint8_t before = record->destCustomize;
    record->destCustomize = IsDlgButtonChecked(dialog, kPortRadio) == BST_CHECKED ? kDestPort : kDestNamed;
    if (ConstraintRefused(RunSheetConstraints(dialog, DialogTooltipOf(dialog), static_cast<uint16_t>(id)))) {
      record->destCustomize = before;
      ShowFields(dialog, record);
    }
    if (record->destCustomize != before) Changed(dialog);
    EnableAddress(dialog, record);
    return true;
  }
  if (id == kAddressEdit && code == EN_UPDATE) {
    FilterEditItemText(dialog, ctx, kAddressEdit, 0, 0, 0, kAddressLimit);
    return true;
  }
  return false;
}

bool Ok(HWND dialog, SheetCtx* ctx) {
  DevOption* record = GetCtxPrinterInfo(ctx);
  if (record == nullptr) return true;
  if (ValidateEditItem(dialog, ctx, kAddressEdit, TRUE, 0, 0, kAddressLimit) != 1) return false;
  if (IsDlgButtonChecked(dialog, kNamedRadio) == BST_CHECKED &&
      GetWindowTextLengthW(GetDlgItem(dialog, kAddressEdit)) == 0) {
    ShowMessageBox(dialog, 1, 3, 150, MB_OK | MB_ICONEXCLAMATION, 0, 0);
    SetFocusCtrl(dialog, kAddressEdit);
    return false;
  }
  record->autoAcquisition = IsDlgButtonChecked(dialog, kAutoBox) == BST_CHECKED ? 1 : 0;
  record->destCustomize = IsDlgButtonChecked(dialog, kPortRadio) == BST_CHECKED ? kDestPort : kDestNamed;
  // The typed address is kept also when the port is chosen.
  ReadAddress(dialog, record);
  return true;
}

void Defaults(HWND dialog, SheetCtx* ctx) {
  DevOption* record = GetCtxPrinterInfo(ctx);
  if (record == nullptr) return;
  auto defaults = std::make_unique<DevOption>();
  if (!Store_ReadPrinterRecord(GetCtxPrinterHandle(ctx), L"DefaultDevOption", defaults.get(), sizeof(DevOption))) {
    InitBuiltInDevOption(defaults.get());
  }
  record->autoAcquisition = defaults->autoAcquisition;
  record->destCustomize = defaults->destCustomize;
  std::memcpy(record->deviceAddress, defaults->deviceAddress, sizeof record->deviceAddress);
  record->deviceAddress[kDevOptionAddressUnits - 1] = 0;
  ShowFields(dialog, record);
  EnableAddress(dialog, record);
}

void Cancel(HWND, SheetCtx* ctx) {
  DevOption* record = GetCtxPrinterInfo(ctx);
  if (record == nullptr) return;
  record->autoAcquisition = g_kept.autoAcquisition;
  record->destCustomize = g_kept.destCustomize;
  std::memcpy(record->deviceAddress, g_kept.address, sizeof g_kept.address);
}

const DocumentDialog kDialog = {
    .templateId = kAcquisitionSettingTemplate,
    .textSection = "Dlg_AcquisitionSetting",
    .helpIds = kHelpIds,
    .helpTopic = 14000,
    .clipTitle = L"Acquisition Setting Dialog",
    .editsDocument = false,
    .init = Init,
    .command = Command,
    .ok = Ok,
    .defaults = Defaults,
    .cancel = Cancel,
};

}  // namespace

INT_PTR CALLBACK AcquisitionSettingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}
