#include "dproc/device/device_acquisition_win.h"

#include <commctrl.h>

#include <cstring>
#include <memory>
#include <vector>

#include "common/contracts/ddproc_device_queries_win.h"
#include "common/media/media_rows.h"
#include "common/qxd/auth_messages.h"
#include "common/records/builtin_dev_option.h"
#include "common/text/bounded_text.h"
#include "common/win/printer_queries.h"
#include "dproc/device/device_answers.h"
#include "dproc/device/device_query_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/model/device_option_values.h"
#include "dproc/openapi/device_auth_queries_win.h"
#include "dproc/openapi/middle_server_cache_win.h"
#include "dproc/sheets/device_address_win.h"
#include "dproc/sheets/message_box.h"
#include "dproc/startup/ddproc_binding_win.h"
#include "dproc/startup/description_loader_win.h"

namespace {

// Message table entries of the failures (text, title 7) and the machine
// question (text 438, title 8).
constexpr int kTitleDevice = 7;
constexpr int kTitleQuestion = 8;
constexpr int kMessageNoLibrary = 152;
constexpr int kMessageNotServed = 153;
constexpr int kMessageNotReached = 154;
constexpr int kMessageOtherMachine = 438;

template <typename Fn>
Fn Bound(DDProcEntry entry) {
  if (g_ddproc.module == nullptr) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(g_ddproc.entry[entry]));
}

const ModelInfo* Model() { return ProcessModelInfo(); }

void Report(HWND dialog, bool report, int text) {
  if (report) ShowMessageBox(dialog, kTitleDevice, text, 0, MB_OK | MB_ICONEXCLAMATION, 0, 0);
}

int MessageOfStatus(int status) {
  switch (status) {
    case kDeviceAddressNoBidi: return 290;
    case kDeviceAddressOffline: return 291;
    case kDeviceAddressPaused: return 292;
    case kDeviceAddressJobsQueued: return 293;
    default: return kMessageNotReached;
  }
}

void CopyKeyword(const char* from, char (&to)[32]) {
  std::memset(to, 0, sizeof to);
  CopyText(to, sizeof to, from);
}

}  // namespace

DeviceSheetUiState* DeviceSheetStateOf(SheetUiState* state) {
  if (state == nullptr) return nullptr;
  return reinterpret_cast<DeviceSheetUiState*>(state->bytes + kUiStateDeviceSheetAt);
}

void ReleaseUsbStatus(const SheetCtx* ctx) {
  DeviceSheetUiState* s = DeviceSheetStateOf(GetUIState(ctx));
  if (s == nullptr || s->usbStatus == nullptr) return;
  if (auto release = Bound<DDProcDeletePrinterStatusUsbFn>(kDDProcDeletePrinterStatusUsb)) release(s->usbStatus);
  s->usbStatus = nullptr;
}

bool CheckDeviceConnection(HWND dialog, const SheetCtx* ctx, bool connect, bool report) {
  DeviceSheetUiState* s = DeviceSheetStateOf(GetUIState(ctx));
  char* address = UiDeviceAddress(GetUIState(ctx));
  const DevOption* record = GetCtxPrinterInfo(ctx);
  if (s == nullptr || address == nullptr || record == nullptr) return false;
  s->addressReady = 0;
  s->deviceConnected = 0;
  wchar_t name[MAX_PATH + 1] = {};
  QueryPrinterName(GetCtxPrinterHandle(ctx), name, MAX_PATH + 1);
  BOOL usb = FALSE;
  char found[kDeviceQueryAddressBytes] = {};
  const int status = GetDeviceQueryAddress(g_ddproc.module, name[0] != 0 ? name : nullptr, record, &usb, found);
  std::memcpy(address, found, sizeof found);
  address[kUiDeviceAddressBytes - 1] = '\0';
  if (status != kDeviceAddressReady) {
    Report(dialog, report, MessageOfStatus(status));
    return false;
  }
  s->usbConnection = usb != FALSE ? 1 : 0;
  auto enabled = Bound<DDProcIsEnableBdcLibFn>(kDDProcIsEnableBdcLib);
  if (!usb && (enabled == nullptr || !enabled())) {
    Report(dialog, report, kMessageNoLibrary);
    return false;
  }
  s->addressReady = 1;
  if (!connect) return true;
  bool served = false;
  if (usb) {
    ReleaseUsbStatus(ctx);
    auto read = Bound<DDProcGetPrinterStatusUsbFn>(kDDProcGetPrinterStatusUsb);
    auto supported = Bound<DDProcIsSupportModelUsbFn>(kDDProcIsSupportModelUsb);
    s->usbStatus = read != nullptr ? read(GetCtxPrinterHandle(ctx)) : nullptr;
    if (s->usbStatus == nullptr || supported == nullptr) {
      Report(dialog, report, kMessageNotReached);
      return false;
    }
    served = supported(GetCtxPrinterHandle(ctx), s->usbStatus) != FALSE;
  } else {
    auto communicate = Bound<DDProcIsCommunicateDeviceFn>(kDDProcIsCommunicateDevice);
    uint32_t state = 0;
    if (communicate == nullptr || !communicate(address, &state)) {
      Report(dialog, report, kMessageNotReached);
      return false;
    }
    served = state != 0;
  }
  if (!served) {
    Report(dialog, report, kMessageNotServed);
    return false;
  }
  s->deviceConnected = 1;
  return true;
}

bool AcquireTrayMedia(const SheetCtx* ctx, const char* address) {
  DeviceSheetUiState* s = DeviceSheetStateOf(GetUIState(ctx));
  DevOption* record = GetCtxPrinterInfo(ctx);
  const ModelInfo* model = Model();
  const MediaTypeLists* lists = DialogMediaLists();
  if (s == nullptr || record == nullptr || model == nullptr || model->inTrays == nullptr || lists == nullptr) {
    return false;
  }
  const InTrayEntry* trays[kMediaListTrays] = {};
  const uint32_t count = ListedInputTrays(model->inTrays, trays);
  if (count == 0) return false;
  std::vector<TrayStatusEntry> entries(count);
  for (uint32_t i = 0; i < count; ++i) {
    CopyKeyword(trays[i]->keyword, record->trays[i].trayKeyword);
    record->trays[i].trayId = trays[i]->binId;
    entries[i] = TrayStatusEntry{};
    CopyKeyword(trays[i]->keyword, entries[i].keyword);
  }
  BOOL answered = FALSE;
  if (s->usbConnection != 0) {
    auto ask = Bound<DDProcInputTrayStatusUsbFn>(kDDProcInputTrayStatusUsb);
    answered = ask != nullptr && ask(GetCtxPrinterHandle(ctx), s->usbStatus, count, entries.data());
  } else {
    auto ask = Bound<DDProcInputTrayStatusFn>(kDDProcInputTrayStatus);
    answered = ask != nullptr && address != nullptr && ask(address, count, entries.data());
  }
  if (!answered) return false;
  bool changed = false;
  const uint32_t dialogType = model->features[kMfMediaTypeDlgType];
  for (uint32_t i = 0; i < count; ++i) {
    if (ApplyTrayAnswers(&record->trays[i], entries[i], *lists, dialogType, BuiltInDevOption().trays[i])) changed = true;
  }
  return changed;
}

bool AcquireDeviceOptions(HWND dialog, const SheetCtx* ctx, const char* address, bool ask, bool* cancelled) {
  if (cancelled != nullptr) *cancelled = false;
  DeviceSheetUiState* s = DeviceSheetStateOf(GetUIState(ctx));
  DevOption* record = GetCtxPrinterInfo(ctx);
  const DeviceOptionItem* list = g_description.deviceOptions;
  if (s == nullptr || record == nullptr || list == nullptr) return false;
  std::vector<DevOptionEntry> entries;
  for (uint32_t i = 0; i < kDevOptionMaxOptions && list[i].keyword[0] != '\0'; ++i) {
    DevOptionEntry entry = {};
    CopyKeyword(list[i].keyword, entry.keyword);
    entries.push_back(entry);
  }
  if (entries.empty()) return false;
  const auto count = static_cast<uint32_t>(entries.size());
  BOOL answered = FALSE;
  if (s->usbConnection != 0) {
    auto request = Bound<DDProcOptionRequestUsbFn>(kDDProcOptionRequestUsb);
    answered = request != nullptr && request(GetCtxPrinterHandle(ctx), s->usbStatus, count, entries.data());
  } else {
    auto request = Bound<DDProcOptionRequestFn>(kDDProcOptionRequest);
    answered = request != nullptr && address != nullptr && request(address, count, entries.data());
  }
  if (!answered) return false;
  auto work = std::make_unique<DevOption>(*record);
  if (ReportsAnotherMachine(*work, list, entries.data(), count)) {
    bool reset = record->autoAcquisition != 0;
    if (!reset && ask) {
      if (ShowMessageBox(dialog, kTitleQuestion, kMessageOtherMachine, 0, MB_YESNO | MB_ICONQUESTION, 0, 0) != IDYES) {
        if (cancelled != nullptr) *cancelled = true;
        return false;
      }
      reset = true;
    }
    if (reset) ResetDevicePart(work.get(), BuiltInDevOption());
  }
  const bool changed = ApplyOptionAnswers(work.get(), list, entries.data(), count) ||
                       std::memcmp(work.get(), record, sizeof(DevOption)) != 0;
  *record = *work;
  return changed;
}

bool AcquireDeviceAuthEncryption(HWND dialog, const SheetCtx* ctx, bool* changed) {
  if (changed != nullptr) *changed = false;
  DeviceSheetUiState* s = DeviceSheetStateOf(GetUIState(ctx));
  DevOption* record = GetCtxPrinterInfo(ctx);
  const ModelInfo* model = Model();
  if (s == nullptr || record == nullptr) return false;
  UpdateCtxDeviceAddress(dialog, ctx);
  const char* address = UiDeviceAddress(GetUIState(ctx));
  HANDLE printer = GetCtxPrinterHandle(ctx);
  BOOL authChanged = FALSE;
  s->authQueryResult = static_cast<uint32_t>(
      GetAuthDevOption(printer, address, record, g_description.deviceOptions, &authChanged));
  if (model != nullptr && model->features[kMfInterimAuthentic] != 0 && authChanged) {
    DeleteMiddleServerCache(printer);
    SetMiddleServerResetFlag(printer, 0);
  }
  bool encryptionChanged = false;
  if (model != nullptr && model->features[kMfEncryptionKey] != 0) {
    s->encInfoAcquired = 0;
    BOOL received = FALSE;
    char setting[64] = {};
    GetEncryption(dialog, printer, address, record, GetPrivDevMode(ctx), &received, setting, g_description.deviceOptions);
    if (received) {
      s->encSettingOrigin = static_cast<uint16_t>(ParseSettingOrigin(setting));
      s->encInfoAcquired = 1;
      std::memcpy(s->deviceKeyText, setting + 32, 20);
      s->deviceKeyText[20] = '\0';
      const uint16_t on = s->encSettingOrigin == 2 ? 1 : 0;
      encryptionChanged = record->encryptionKey != on || _stricmp(s->plainKeyText, s->deviceKeyText) != 0;
      record->encryptionKey = on;
    }
  }
  if (changed != nullptr) *changed = authChanged != FALSE || encryptionChanged;
  return s->authQueryResult != 0 || s->encInfoAcquired != 0;
}
