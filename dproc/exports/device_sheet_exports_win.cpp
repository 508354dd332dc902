// The device sheets' procedures (Configure and Setting) and the dialogs the
// Configure sheet opens, bound by name by the user interface core on every
// message of their pages.
#include <windows.h>

#include <type_traits>

#include "common/contracts/sheet_procedures.h"
#include "common/win/export_guard.h"
#include "dproc/device/acquisition_setting_dialog_win.h"
#include "dproc/device/configure_sheet_win.h"
#include "dproc/device/consumables_dialog_win.h"
#include "dproc/device/device_acquisition_win.h"
#include "dproc/device/device_query_win.h"
#include "dproc/device/settings_sheet_win.h"
#include "dproc/device/version_sheet_win.h"

extern "C" INT_PTR CALLBACK Prc_PrnDeviceOptionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static_assert(std::is_same_v<decltype(&Prc_PrnDeviceOptionProc), DLGPROC>);
  return GuardExport(kPrcPrnDeviceOptionProc, INT_PTR{0},
                     [&] { return ConfigureSheetProc(dialog, message, wParam, lParam); });
}

extern "C" INT_PTR CALLBACK Prc_PrnSettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static_assert(std::is_same_v<decltype(&Prc_PrnSettingsProc), DLGPROC>);
  return GuardExport(kPrcPrnSettingsProc, INT_PTR{0},
                     [&] { return SettingsSheetProc(dialog, message, wParam, lParam); });
}

extern "C" INT_PTR CALLBACK AcquisitionSettingDlgProcExport(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return GuardExport("AcquisitionSettingDlgProc", INT_PTR{0},
                     [&] { return AcquisitionSettingDlgProc(dialog, message, wParam, lParam); });
}

extern "C" INT_PTR CALLBACK Prc_DocVersionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static_assert(std::is_same_v<decltype(&Prc_DocVersionProc), DLGPROC>);
  return GuardExport(kPrcDocVersionProc, INT_PTR{0}, [&] { return VersionSheetProc(dialog, message, wParam, lParam); });
}

extern "C" INT_PTR CALLBACK ConsumablesDlgProcExport(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return GuardExport("ConsumablesDlgProc", INT_PTR{0}, [&] { return ConsumablesDlgProc(dialog, message, wParam, lParam); });
}

extern "C" int WINAPI GetDeviceQueryAddressExport(HMODULE ddproc, const wchar_t* printerName, const DevOption* option,
                                                  BOOL* usb, char* address) {
  return GuardExport("GetDeviceQueryAddress", int{kDeviceAddressMissingArgument},
                     [&] { return GetDeviceQueryAddress(ddproc, printerName, option, usb, address); });
}

extern "C" BOOL WINAPI IsUsbPrintPortExport(const wchar_t* port) {
  return GuardExport("IsUsbPrintPort", BOOL{FALSE}, [&] { return IsUsbPrintPort(port) ? TRUE : FALSE; });
}

// The device queries of the Configure sheet on a sheet context; each
// returns TRUE when the record changed (the authentication query: when the
// device answered).
extern "C" BOOL WINAPI AcquireTrayMediaExport(HWND, const SheetCtx* ctx, const char* address) {
  return GuardExport("AcquireTrayMedia", BOOL{FALSE}, [&] { return AcquireTrayMedia(ctx, address) ? TRUE : FALSE; });
}

extern "C" BOOL WINAPI AcquireDeviceOptionsExport(HWND dialog, const SheetCtx* ctx, const char* address, BOOL ask,
                                                   BOOL* cancelled) {
  return GuardExport("AcquireDeviceOptions", BOOL{FALSE}, [&] {
    bool stopped = false;
    const bool changed = AcquireDeviceOptions(dialog, ctx, address, ask != FALSE, &stopped);
    if (cancelled != nullptr) *cancelled = stopped ? TRUE : FALSE;
    return changed ? TRUE : FALSE;
  });
}

extern "C" BOOL WINAPI AcquireDeviceAuthEncryptionExport(HWND dialog, const SheetCtx* ctx) {
  return GuardExport("AcquireDeviceAuthEncryption", BOOL{FALSE},
                     [&] { return AcquireDeviceAuthEncryption(dialog, ctx, nullptr) ? TRUE : FALSE; });
}
