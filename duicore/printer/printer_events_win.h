// Printer initialisation shared by the printer event and the device sheets.
#pragma once

#include <windows.h>

#include "common/records/settings_records.h"

// Gives a new printer its first stored state: the procedure library's
// default watermarks, Easy Set presets and key material, the default
// settings with the device's installed options (when the device can be
// asked) and its encryption value.  Every step that cannot run is skipped;
// always TRUE.
BOOL InitializePrinter(const wchar_t* printerName);
// "InitializeData" non-zero; a missing value is written as 0 and counts as
// not initialised; any other failure counts as initialised.
BOOL IsPrinterInitialized(const wchar_t* printerName);
BOOL SetPrinterInitialized(const wchar_t* printerName, BOOL initialized);
// With the record's "AutoAcquisition" on: the device's installed options
// into the record, saved as the printer's settings when `save` is set.
void QueryDeviceOptionsAtInstall(const wchar_t* printerName, WorkDevMode* work, bool save);

// The device sheets' rule: a printer not initialised yet is initialised now.
bool EnsurePrinterInitialized(HANDLE printer);
