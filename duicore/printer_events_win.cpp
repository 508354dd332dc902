// The small entry points: print queries, printer events, colour profiles
// and the upgrade notice.
#include <windows.h>

#include "common/win/driver_ui_interface_win.h"
#include "common/win/export_guard.h"
#include "duicore/printer_access_win.h"

namespace {

constexpr wchar_t kInitializeDataValue[] = L"InitializeData";

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

// What a new printer gets set up with (its watermarks and Easy Set presets
// are the procedure library's and join later); always succeeds.
BOOL InitializePrinter(const wchar_t*) { return TRUE; }

}  // namespace

extern "C" BOOL WINAPI DevQueryPrint(HANDLE, LPDEVMODEW, DWORD* resourceId) {
  if (resourceId != nullptr) *resourceId = 0;
  return TRUE;
}

extern "C" BOOL WINAPI DevQueryPrintEx(PDEVQUERYPRINT_INFO) { return TRUE; }

extern "C" BOOL WINAPI DrvPrinterEvent(LPWSTR printerName, INT event, DWORD, LPARAM) try {
  switch (event) {
    case PRINTER_EVENT_ADD_CONNECTION:
    case PRINTER_EVENT_DELETE_CONNECTION:
    case PRINTER_EVENT_CACHE_REFRESH:
    case PRINTER_EVENT_CACHE_DELETE:
      return TRUE;
    case PRINTER_EVENT_INITIALIZE: {
      const BOOL result = InitializePrinter(printerName);
      HANDLE printer = nullptr;
      if (OpenPrinterForPurpose(printerName, kPurposeAdminister, &printer)) {
        const DWORD done = 1;
        WritePrinterDataValue(printer, kInitializeDataValue, REG_DWORD, &done, sizeof done);
        ClosePrinterHandle(printer);
      }
      return result;
    }
    case PRINTER_EVENT_DELETE:
      return FALSE;
    default:
      return Fail(ERROR_INVALID_PARAMETER);
  }
} catch (...) {
  return ExportFailed("DrvPrinterEvent", BOOL{FALSE});
}

extern "C" BOOL WINAPI DrvQueryColorProfile(HANDLE, PDEVMODEW, ULONG, PVOID, ULONG*, FLONG*) {
  return Fail(ERROR_NOT_SUPPORTED);
}

extern "C" BOOL WINAPI DrvUpgradePrinter(DWORD level, LPBYTE data) {
  if (level == 1 && data != nullptr) return TRUE;
  return Fail(ERROR_INVALID_PARAMETER);
}

extern "C" int WINAPI DrvDocumentEvent(HANDLE, HDC, int, ULONG, PVOID, ULONG, PVOID) {
  // The document events of a job are not handled by this build.
  return DOCUMENTEVENT_UNSUPPORTED;
}
