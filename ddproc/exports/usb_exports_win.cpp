// The device queries of a printer on a USB port: the status reply of a
// small PJL job, and what its key/value list says.
#include <windows.h>

#include <type_traits>

#include "common/contracts/ddproc_device_queries_win.h"
#include "common/win/export_guard.h"
#include "ddproc/usb/usb_rules.h"
#include "ddproc/usb/usb_status_win.h"

extern "C" {

void* DDPROC_CALL DDProc_GetPrinterStatus_USB(HANDLE printer) noexcept {
  return GuardExport("DDProc_GetPrinterStatus_USB", static_cast<void*>(nullptr),
                     [&]() -> void* { return GetPrinterStatusUsb(printer); });
}

void DDPROC_CALL DDProc_DeletePrinterStatus_USB(void* list) noexcept {
  DeletePrinterStatusUsb(static_cast<UsbStatusList*>(list));
}

BOOL DDPROC_CALL DDProc_IsSupportModel_USB(HANDLE, void* list) noexcept {
  return UsbIsSupportedModel(static_cast<const UsbStatusList*>(list)) ? TRUE : FALSE;
}

BOOL DDPROC_CALL DDProc_OptionRequest_USB(HANDLE, void* list, uint32_t count, DevOptionEntry* entries) noexcept {
  return GuardExport("DDProc_OptionRequest_USB", BOOL{FALSE}, [&]() -> BOOL {
    const auto* status = static_cast<const UsbStatusList*>(list);
    if (!UsbIsSupportedModel(status)) return FALSE;
    if (count == 0) return TRUE;
    if (entries == nullptr) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    UsbFillOptionEntries(status, count, entries);
    return TRUE;
  });
}

BOOL DDPROC_CALL DDProc_InputTrayStatus_USB(HANDLE, void* list, uint32_t count, TrayStatusEntry* entries) noexcept {
  return GuardExport("DDProc_InputTrayStatus_USB", BOOL{FALSE}, [&]() -> BOOL {
    const auto* status = static_cast<const UsbStatusList*>(list);
    if (!UsbIsSupportedModel(status)) return FALSE;
    if (count == 0) return TRUE;
    if (entries == nullptr) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    UsbFillTrayEntries(status, count, entries);
    return TRUE;
  });
}

}  // extern "C"

static_assert(std::is_convertible_v<decltype(&DDProc_GetPrinterStatus_USB), DDProcGetPrinterStatusUsbFn>);
static_assert(std::is_convertible_v<decltype(&DDProc_DeletePrinterStatus_USB), DDProcDeletePrinterStatusUsbFn>);
static_assert(std::is_convertible_v<decltype(&DDProc_IsSupportModel_USB), DDProcIsSupportModelUsbFn>);
static_assert(std::is_convertible_v<decltype(&DDProc_OptionRequest_USB), DDProcOptionRequestUsbFn>);
static_assert(std::is_convertible_v<decltype(&DDProc_InputTrayStatus_USB), DDProcInputTrayStatusUsbFn>);
