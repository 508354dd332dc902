// The device capabilities the installed trays give, the device's network
// address, the dialog hook (ddproc/dialogs) and the feature-table contributions.
#include <windows.h>

#include <cstring>
#include <cwchar>
#include <type_traits>

#include "common/contracts/ddproc_device_queries_win.h"
#include "common/contracts/ddproc_sheet_functions_win.h"
#include "common/win/export_guard.h"
#include "common/win/printer_address_win.h"
#include "ddproc/dialogs/device_dialog_hook_win.h"
#include "ddproc/caps/device_caps.h"

extern "C" {

int32_t DDPROC_CALL DDProc_DeviceCapabilities(const ModelInfo* model, const DeviceOptionItem* options,
                                               const DocDMode*, const DevOption* option, uint16_t capability,
                                               void* output, int32_t* result) noexcept {
  return GuardExport("DDProc_DeviceCapabilities", int32_t{0}, [&]() -> int32_t {
    return AnswerDeviceCapability(model, options, option, capability, output, result) ? 1 : 0;
  });
}

BOOL DDPROC_CALL DDProc_GetPrinterIPAddress(const wchar_t* printerName, const DevOption* option, char* address,
                                            DWORD size, DWORD* needed) noexcept {
  return GuardExport("DDProc_GetPrinterIPAddress", BOOL{FALSE}, [&]() -> BOOL {
    if (option == nullptr) return FALSE;
    if (option->destCustomize == kDestFromPort) {
      if (printerName == nullptr) return FALSE;
      DWORD need = 0;
      const int found = GetPrinterHostAddress(printerName, address, size, &need);
      if (needed != nullptr) *needed = need;
      // The resolver reports an address that did not fit as found.
      return found != 0 && address != nullptr && need <= size && address[0] != '\0' ? TRUE : FALSE;
    }
    wchar_t custom[kDevOptionAddressUnits + 1] = {};
    std::memcpy(custom, option->deviceAddress, sizeof option->deviceAddress);
    if (custom[0] == L'\0') return FALSE;
    const int need = WideCharToMultiByte(CP_ACP, 0, custom, -1, nullptr, 0, nullptr, nullptr);
    if (need <= 0) return FALSE;
    if (address == nullptr || size < static_cast<DWORD>(need)) {
      if (needed != nullptr) *needed = static_cast<DWORD>(need);
      return FALSE;
    }
    return WideCharToMultiByte(CP_ACP, 0, custom, -1, address, static_cast<int>(size), nullptr, nullptr) > 0;
  });
}

void* DDProc_FeatureNameItemTable(const wchar_t*, ...) noexcept { return nullptr; }
void* DDProc_FeatureNameValuePtr(const wchar_t*, ...) noexcept { return nullptr; }

}  // extern "C"

static_assert(std::is_convertible_v<decltype(&DDProc_DeviceCapabilities), DDProcDeviceCapabilitiesProc>);
static_assert(std::is_convertible_v<decltype(&DDProc_GetPrinterIPAddress), DDProcGetPrinterIPAddressFn>);
static_assert(std::is_convertible_v<decltype(&DDProc_FeatureNameItemTable), DDProcFeatureNameFn>);

extern "C" uint32_t DDPROC_CALL DDProc_DlgProc(int32_t pageId, HWND dialog, UINT message, WPARAM wParam,
                                               LPARAM lParam, int32_t* handled) noexcept {
  return GuardExport("DDProc_DlgProc", uint32_t{0}, [&]() -> uint32_t {
    return DispatchDeviceDialogMessage(pageId, dialog, message, wParam, lParam, handled);
  });
}
static_assert(std::is_convertible_v<decltype(&DDProc_DlgProc), DDProcDlgProcFn>);
