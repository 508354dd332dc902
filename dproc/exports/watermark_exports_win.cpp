// The registration of the default watermarks, which the user interface core
// calls when a printer is initialised, and the watermark/overlay sheet's
// procedure, bound by name by the core on every message of its page.
#include <windows.h>
#include <winspool.h>

#include <type_traits>

#include "common/contracts/settings_functions_win.h"
#include "common/contracts/sheet_procedures.h"
#include "common/win/export_guard.h"
#include "dproc/watermark/watermark_store_win.h"
#include "dproc/watermark/wo_sheet_win.h"

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

extern "C" INT_PTR CALLBACK Prc_DocWOProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static_assert(std::is_same_v<decltype(&Prc_DocWOProc), DLGPROC>);
  return GuardExport(kPrcDocWOProc, INT_PTR{0}, [&] { return WOSheetProc(dialog, message, wParam, lParam); });
}
