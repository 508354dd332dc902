// Declarations of the printer-driver user-interface interface that the
// mingw-w64 headers lack, written from the documented interface: the headers
// the spooler passes to the property-sheet entry points, the mode and
// conversion constants, the query record of DevQueryPrintEx and the
// prototypes of the configuration library's entry points.
#pragma once

#include <windows.h>

#include <compstui.h>
#include <winddiui.h>

#include <cstddef>

// The header that the spooler passes to DrvDocumentPropertySheets as its
// parameter when it wants a DEVMODE without showing the sheets.
struct DOCUMENTPROPERTYHEADER {
  WORD cbSize;
  WORD Reserved;
  HANDLE hPrinter;
  LPWSTR pszPrinterName;
  PDEVMODEW pdmIn;
  PDEVMODEW pdmOut;
  DWORD cbOut;
  DWORD fMode;
};
using PDOCUMENTPROPERTYHEADER = DOCUMENTPROPERTYHEADER*;

// The header of DrvDevicePropertySheets.
struct DEVICEPROPERTYHEADER {
  WORD cbSize;
  WORD Flags;  // DPS_NOPERMISSION
  HANDLE hPrinter;
  LPWSTR pszPrinterName;
};
using PDEVICEPROPERTYHEADER = DEVICEPROPERTYHEADER*;

#ifndef DPS_NOPERMISSION
#define DPS_NOPERMISSION 0x0001
#endif

// Mode bits of a document-properties request beyond those of wingdi.h.
#ifndef DM_ADVANCED
#define DM_ADVANCED 0x10
#endif
#ifndef DM_NOPERMISSION
#define DM_NOPERMISSION 0x20
#endif
#ifndef DM_USER_DEFAULT
#define DM_USER_DEFAULT 0x40
#endif

// Modes of DrvConvertDevMode.
#ifndef CDM_CONVERT
#define CDM_CONVERT 0x01
#endif
#ifndef CDM_CONVERT351
#define CDM_CONVERT351 0x02
#endif
#ifndef CDM_DRIVER_DEFAULT
#define CDM_DRIVER_DEFAULT 0x04
#endif

// The record of DevQueryPrintEx.
struct DEVQUERYPRINT_INFO {
  WORD cbSize;
  WORD Level;
  HANDLE hPrinter;
  DEVMODEW* pDevMode;
  LPWSTR pszErrorStr;
  DWORD cchErrorStr;
  DWORD cchNeeded;
};
using PDEVQUERYPRINT_INFO = DEVQUERYPRINT_INFO*;

// The records' sizes as the spooler lays them out in either build.
inline constexpr bool kDriverUi64 = sizeof(void*) == 8;
static_assert(sizeof(DOCUMENTPROPERTYHEADER) == (kDriverUi64 ? 48 : 28));
static_assert(offsetof(DOCUMENTPROPERTYHEADER, cbOut) == (kDriverUi64 ? 40 : 20));
static_assert(sizeof(DEVICEPROPERTYHEADER) == (kDriverUi64 ? 24 : 12));
static_assert(sizeof(DEVQUERYPRINT_INFO) == (kDriverUi64 ? 40 : 24));

// The entry points of a printer-driver configuration library (those that
// winddiui.h does not declare).
extern "C" {
LONG WINAPI DrvDocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM param);
LONG WINAPI DrvDevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM param);
LONG WINAPI DrvDocumentProperties(HWND window, HANDLE printer, LPWSTR deviceName, PDEVMODEW out,
                                  PDEVMODEW in, DWORD mode);
LONG WINAPI DrvAdvancedDocumentProperties(HWND window, HANDLE printer, LPWSTR deviceName,
                                          PDEVMODEW out, PDEVMODEW in);
BOOL WINAPI DrvConvertDevMode(LPWSTR printerName, PDEVMODEW in, PDEVMODEW out, PLONG needed,
                              DWORD mode);
DWORD WINAPI DrvDeviceCapabilities(HANDLE printer, PWSTR deviceName, WORD capability, PVOID output,
                                   PDEVMODEW devmode);
BOOL WINAPI DrvUpgradePrinter(DWORD level, LPBYTE data);
BOOL WINAPI DrvQueryColorProfile(HANDLE printer, PDEVMODEW devmode, ULONG flags, PVOID profile,
                                 ULONG* size, FLONG* profileFlags);
BOOL WINAPI DevQueryPrint(HANDLE printer, LPDEVMODEW devmode, DWORD* resourceId);
BOOL WINAPI DevQueryPrintEx(PDEVQUERYPRINT_INFO info);
}
