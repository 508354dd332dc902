// DrvConvertDevMode and DrvDeviceCapabilities: DEVMODE conversion, the
// driver defaults and the device capabilities, through the working record.
#include <windows.h>
#include <winspool.h>

#include <memory>
#include <new>

#include "common/win/driver_ui_interface_win.h"
#include "common/contracts/settings_functions_win.h"
#include "duicore/module/core_module_win.h"
#include "common/win/export_guard.h"
#include "duicore/devmode/devmode_work_win.h"
#include "duicore/printer/printer_access_win.h"

namespace {

constexpr wchar_t kSetEasySetPresetValue[] = L"SetEasySetPreset";
constexpr wchar_t kEasySetFirstOEMDevValue[] = L"EasySetFirstOEMDev";
constexpr DWORD kAdministerPrinter = 0x4;

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

// Installs the Easy Set presets unless the printer data says they are.
void EnsureEasySetPresets(HANDLE printer, const wchar_t* printerName) {
  DWORD installed = 0;
  DWORD read = 0;
  if (ReadPrinterDataValue(printer, kSetEasySetPresetValue, &installed, sizeof installed, &read) &&
      installed != 0) {
    return;
  }
  auto install = BindUiProc<SetEasySetPresetFn>(kSetEasySetPreset);
  if (install != nullptr) install(printerName);
}

// The first Easy Set preset is used by the first reset only: once a default
// has been handed out, the marker is overwritten with one zero byte.
void ConsumeFirstEasySet(const wchar_t* printerName) {
  PRINTER_DEFAULTSW defaults = {};
  defaults.DesiredAccess = kAdministerPrinter;
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(printerName), &printer, &defaults)) return;
  std::unique_ptr<BYTE[]> record(new (std::nothrow) BYTE[kDocDModeSize]);
  DWORD read = 0;
  if (record && ReadPrinterDataValue(printer, kEasySetFirstOEMDevValue, record.get(), kDocDModeSize, &read) &&
      read == kDocDModeSize) {
    const BYTE zero = 0;
    WritePrinterDataValue(printer, kEasySetFirstOEMDevValue, REG_BINARY, &zero, 1);
  }
  ClosePrinter(printer);
}

}  // namespace

extern "C" BOOL WINAPI DrvConvertDevMode(LPWSTR printerName, PDEVMODEW in, PDEVMODEW out, PLONG needed,
                                         DWORD mode) try {
  if (mode == CDM_CONVERT) {
    if (in == nullptr || out == nullptr || needed == nullptr) return Fail(ERROR_INVALID_PARAMETER);
    if (*needed < static_cast<LONG>(kDriverDevModeSize)) {
      *needed = kDriverDevModeSize;
      return Fail(ERROR_INSUFFICIENT_BUFFER);
    }
    HANDLE printer = nullptr;
    if (!OpenPrinterForPurpose(printerName, kPurposeUse, &printer)) return Fail(ERROR_INVALID_PARAMETER);
    const DWORD built = BuildWorkDevMode(out, in, printer, printerName, kBuildOutDevMode | kBuildMergeInput);
    ClosePrinterHandle(printer);
    if (built == 0) return Fail(ERROR_NOT_ENOUGH_MEMORY);
    *needed = kDriverDevModeSize;
    return TRUE;
  }
  if (mode == CDM_DRIVER_DEFAULT) {
    if (needed == nullptr) return Fail(ERROR_INVALID_PARAMETER);
    if (*needed < static_cast<LONG>(kDriverDevModeSize) || out == nullptr) {
      *needed = kDriverDevModeSize;
      return Fail(ERROR_INSUFFICIENT_BUFFER);
    }
    HANDLE printer = nullptr;
    if (!OpenPrinterForPurpose(printerName, kPurposeUse, &printer)) return Fail(ERROR_INVALID_PARAMETER);
    EnsureEasySetPresets(printer, printerName);
    const DWORD built = BuildWorkDevMode(out, nullptr, printer, printerName, kBuildOutDevMode);
    ConsumeFirstEasySet(printerName);
    ClosePrinterHandle(printer);
    if (built == 0) return Fail(ERROR_NOT_ENOUGH_MEMORY);
    *needed = kDriverDevModeSize;
    return TRUE;
  }
  return Fail(ERROR_INVALID_PARAMETER);
} catch (...) {
  return ExportFailed("DrvConvertDevMode", BOOL{FALSE});
}

extern "C" DWORD WINAPI DrvDeviceCapabilities(HANDLE printer, PWSTR deviceName, WORD capability, PVOID output,
                                              PDEVMODEW devmode) try {
  constexpr DWORD kUnsupported = static_cast<DWORD>(-1);
  std::unique_ptr<WorkDevMode> work(new (std::nothrow) WorkDevMode());
  if (!work) return kUnsupported;
  if (BuildWorkDevMode(work.get(), devmode, printer, deviceName, kBuildOutWork | kBuildMergeInput) == 0) {
    return kUnsupported;
  }
  auto capabilities = BindUiProc<PrcDeviceCapabilitiesFn>(kPrcDeviceCapabilities);
  if (capabilities == nullptr) return kUnsupported;
  return static_cast<DWORD>(capabilities(reinterpret_cast<DEVMODEW*>(work->devmode.publicPart),
                                         &work->devmode.doc, &work->device, 0, capability, output));
} catch (...) {
  return ExportFailed("DrvDeviceCapabilities", static_cast<DWORD>(-1));
}
