// The user interface core as its tests load it: VELDRANK.DLL from its
// staging folder, beside the stand-in settings library and the sample model.
#pragma once

#include <windows.h>

#include <string>

#include "common/contracts/self_devmode_reset_win.h"
#include "common/win/driver_ui_interface_win.h"
#include "duicore/tests/standin_proc/standin_proc.h"

namespace coretest {

struct CoreLibrary {
  HMODULE module = nullptr;
  HMODULE settings = nullptr;  // the stand-in VELDRANA beside it
  decltype(&DevQueryPrint) devQueryPrint = nullptr;
  decltype(&DevQueryPrintEx) devQueryPrintEx = nullptr;
  decltype(&DrvPrinterEvent) printerEvent = nullptr;
  decltype(&DrvQueryColorProfile) queryColorProfile = nullptr;
  decltype(&DrvUpgradePrinter) upgradePrinter = nullptr;
  decltype(&DrvConvertDevMode) convertDevMode = nullptr;
  decltype(&DrvDeviceCapabilities) deviceCapabilities = nullptr;
  decltype(&DrvDocumentPropertySheets) documentPropertySheets = nullptr;
  decltype(&DrvDocumentProperties) documentProperties = nullptr;
  UdcResetSelfDModeFn resetSelfDMode = nullptr;

  // The counts of the stand-in's calls.
  StandInCallLog& Log() const;
};

// Loads the staged core once per process; `ok` false when any export or
// the stand-in is missing.
const CoreLibrary& Core();
std::wstring StagePath(const wchar_t* fileName);

}  // namespace coretest
