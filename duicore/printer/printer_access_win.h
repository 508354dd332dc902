// Printer access of the user interface core: opening a printer for a
// purpose, fields of its information, and its printer data.
#pragma once

#include <windows.h>

enum PrinterPurpose : int {
  kPurposeAdminister = 1,  // all printer access
  kPurposeUse = 2,         // the caller's default access
  kPurposeQuery = 3,       // the caller's default access
  kPurposeConfigure = 4,   // all printer access
};

// Opens `printerName` for `purpose`; `*printer` is cleared first.  False for
// an unknown purpose or a missing or empty name (nothing is opened: the
// spooler would open the print server), or when the spooler refuses.
bool OpenPrinterForPurpose(const wchar_t* printerName, int purpose, HANDLE* printer);
bool ClosePrinterHandle(HANDLE printer);

// Field codes of GetPrinterInfoField.
inline constexpr int kPrinterFieldDevMode = 10;
inline constexpr int kPrinterFieldDriverDirectory = 100;
inline constexpr int kPrinterFieldHelpFile = 110;

// Copies one field of the printer's information into `buffer` (zeroed
// first): 10 the printer's DEVMODE (at most `size` bytes), 100 the driver
// directory of the current environment followed by "\3", 110 the driver's
// help file.  False when the field is missing or any spooler call fails.
bool GetPrinterInfoField(HANDLE printer, const wchar_t* printerName, void* buffer, DWORD size, int code);

bool ReadPrinterDataValue(HANDLE printer, const wchar_t* name, void* buffer, DWORD size, DWORD* read);
bool WritePrinterDataValue(HANDLE printer, const wchar_t* name, DWORD type, const void* data, DWORD size);

// Stores `devmode` (a DEVMODE of this driver) as the printer's DEVMODE when
// the printer has none yet: before Windows 5.0 in its level-2 information,
// from then on as the global DEVMODE of level 8.  True when the printer has
// one afterwards.
bool StoreFirstPrinterDevMode(HANDLE printer, const void* devmode);
