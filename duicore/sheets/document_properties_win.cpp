// The document- and printer-properties entry points.  Without sheets they
// answer with the DEVMODE size or a DEVMODE built from the printer's stored
// settings and the caller's DEVMODE; with them they run the common
// property-sheet library, which calls back the sheet entry points
// (property_sheets_win.cpp).
#include <windows.h>

#include "common/win/driver_ui_interface_win.h"
#include "duicore/module/core_module_win.h"
#include "common/win/export_guard.h"
#include "duicore/devmode/devmode_work_win.h"
#include "duicore/printer/printer_access_win.h"

namespace {

constexpr LONG kSheetFailure = -1;

}  // namespace

LONG QueryDevModeWithoutSheets(DOCUMENTPROPERTYHEADER* header) {
  // An output buffer that the caller says is smaller than a DEVMODE of ours
  // is never written.
  const DWORD room = header->cbOut;
  header->cbOut = kDriverDevModeSize;
  if (header->fMode == 0 || header->pdmOut == nullptr) return kDriverDevModeSize;
  if ((header->fMode & (DM_UPDATE | DM_COPY)) != 0) {
    if (room != 0 && room < kDriverDevModeSize) {
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return kSheetFailure;
    }
    if (BuildWorkDevMode(header->pdmOut, header->pdmIn, header->hPrinter, header->pszPrinterName,
                         kBuildOutDevMode | kBuildMergeInput) == 0) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return kSheetFailure;
    }
  }
  return IDOK;
}

extern "C" LONG WINAPI DrvDocumentProperties(HWND window, HANDLE printer, LPWSTR deviceName, PDEVMODEW out,
                                             PDEVMODEW in, DWORD mode) try {
  if (mode == 0) return kDriverDevModeSize;
  if (((mode & DM_OUT_BUFFER) != 0 && out == nullptr) || ((mode & DM_IN_BUFFER) != 0 && in == nullptr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return kSheetFailure;
  }
  DOCUMENTPROPERTYHEADER header = {};
  header.cbSize = sizeof header;
  header.hPrinter = printer;
  header.pszPrinterName = deviceName;
  header.pdmIn = in;
  header.pdmOut = out;
  header.cbOut = 0;
  header.fMode = mode;
  if ((mode & DM_IN_PROMPT) == 0) return QueryDevModeWithoutSheets(&header);
  DWORD result = mode;
  if (CallCommonPropertySheetUI(window, reinterpret_cast<void*>(&DrvDocumentPropertySheets),
                                reinterpret_cast<LPARAM>(&header), &result) < 0) {
    return kSheetFailure;
  }
  return static_cast<LONG>(result);
} catch (...) {
  return ExportFailed("DrvDocumentProperties", kSheetFailure);
}

extern "C" LONG WINAPI DrvAdvancedDocumentProperties(HWND window, HANDLE printer, LPWSTR deviceName,
                                                     PDEVMODEW out, PDEVMODEW in) {
  return DrvDocumentProperties(window, printer, deviceName, out, in, DM_IN_PROMPT | DM_OUT_BUFFER | DM_ADVANCED);
}

extern "C" BOOL WINAPI PrinterProperties(HWND window, HANDLE printer) try {
  constexpr DWORD kPermissionProbe = 1;
  DEVICEPROPERTYHEADER header = {};
  header.cbSize = sizeof header;
  header.hPrinter = printer;
  if (!WritePrinterDataValue(printer, L"Permission", REG_DWORD, &kPermissionProbe, sizeof kPermissionProbe)) {
    header.Flags = DPS_NOPERMISSION;
  }
  DWORD result = printer != nullptr ? TRUE : FALSE;
  if (CallCommonPropertySheetUI(window, reinterpret_cast<void*>(&DrvDevicePropertySheets),
                                reinterpret_cast<LPARAM>(&header), &result) < 0) {
    return FALSE;
  }
  return result != 0;
} catch (...) {
  return ExportFailed("PrinterProperties", BOOL{FALSE});
}
