// The user interface core's export that the render core binds by name when
// a job's stored settings are missing or invalid: it fills a working
// settings record with the driver defaults for a printer.
#pragma once

#include <windows.h>

// `work`: the core's working record; `printerOrName` a printer handle (or
// null, then the printer is opened by `printerName`).  FALSE on failure.
using UdcResetSelfDModeFn = BOOL(WINAPI*)(void* work, HANDLE printerOrName, const wchar_t* printerName);
inline constexpr char kUdcResetSelfDMode[] = "_UdcResetSelfDMode";
