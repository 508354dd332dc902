// The registration of the default watermarks, which the user interface core
// calls when a printer is initialised.
#include <windows.h>
#include <winspool.h>

#include <type_traits>

#include "common/contracts/settings_functions_win.h"
#include "common/win/export_guard.h"
#include "dproc/watermark/watermark_store_win.h"

namespace {

template <typename Char, typename Open>
BOOL RegisterDefaults(Char* printerName, Open open) {
  HANDLE printer = nullptr;
  if (!open(printerName, &printer)) return FALSE;
  RegDefWaterMarks(printer);
  return ClosePrinter(printer);
}

}  // namespace

extern "C" BOOL WINAPI Prc_RegDefWMarkW(const wchar_t* printerName) {
  static_assert(std::is_same_v<decltype(&Prc_RegDefWMarkW), PrcRegDefWMarkWFn>);
  return GuardExport(kPrcRegDefWMarkW, BOOL{FALSE}, [&] {
    return RegisterDefaults(const_cast<wchar_t*>(printerName), [](wchar_t* name, HANDLE* printer) {
      PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
      return OpenPrinterW(name, printer, &access);
    });
  });
}

extern "C" BOOL WINAPI Prc_RegDefWMarkA(const char* printerName) {
  static_assert(std::is_same_v<decltype(&Prc_RegDefWMarkA), PrcRegDefWMarkAFn>);
  return GuardExport(kPrcRegDefWMarkA, BOOL{FALSE}, [&] {
    return RegisterDefaults(const_cast<char*>(printerName), [](char* name, HANDLE* printer) {
      PRINTER_DEFAULTSA access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
      return OpenPrinterA(name, printer, &access);
    });
  });
}
