// The installation of the description file's Easy Set presets, which the
// user interface core calls when a printer is initialised and when it
// builds the driver's defaults before they are installed.
#include <windows.h>
#include <winspool.h>

#include <type_traits>

#include "common/contracts/settings_functions_win.h"
#include "common/win/export_guard.h"
#include "dproc/easyset/easy_set_presets_win.h"

extern "C" BOOL WINAPI SetEasySetPresetByHandle(HANDLE printer) {
  static_assert(std::is_same_v<decltype(&SetEasySetPresetByHandle), SetEasySetPresetByHandleFn>);
  return GuardExport(kSetEasySetPresetByHandle, BOOL{FALSE}, [&] { return InstallEasySetPresets(printer); });
}

extern "C" BOOL WINAPI SetEasySetPreset(const wchar_t* printerName) {
  static_assert(std::is_same_v<decltype(&SetEasySetPreset), SetEasySetPresetFn>);
  return GuardExport(kSetEasySetPreset, BOOL{FALSE}, [&] {
    if (printerName == nullptr) return BOOL{FALSE};
    PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ACCESS_ADMINISTER};
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<wchar_t*>(printerName), &printer, &access)) return BOOL{FALSE};
    const BOOL installed = InstallEasySetPresets(printer);
    ClosePrinter(printer);
    return installed;
  });
}
