// Declarations of the printer-driver user-interface interface that the
// mingw-w64 headers lack, written from the documented interface.
#pragma once

#include <windows.h>

#include <compstui.h>

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

#ifndef DM_ADVANCED
#define DM_ADVANCED 0x10
#endif
#ifndef DM_NOPERMISSION
#define DM_NOPERMISSION 0x20
#endif
#ifndef DM_USER_DEFAULT
#define DM_USER_DEFAULT 0x40
#endif
