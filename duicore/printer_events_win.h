// Printer initialisation shared by the printer event and the device sheets.
#pragma once

#include <windows.h>

// Sets the printer up once: when its data "InitializeData" is not 1 yet,
// the initialisation runs and the value is written.  True when the printer
// is (now) initialised.
bool EnsurePrinterInitialized(HANDLE printer);
