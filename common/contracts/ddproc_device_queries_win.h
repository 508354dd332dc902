// The device queries of VELDRANH that the user interface core binds by
// name (their names are in ddproc_functions.h): the device's network
// address, whether it can be reached, and its installed options and input
// trays, over the network or over USB.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "common/contracts/ddproc_functions.h"

// One installable option asked about is a DevOptionEntry
// (ddproc_functions.h): its keyword goes to the device, the device's
// installed value comes back.

// One input tray asked about is a TrayStatusEntry and the USB status list
// a UsbStatusList (ddproc_functions.h).

// `needed` (or null) receives the bytes the address needs, with its NUL,
// when the buffer is too small.
using DDProcGetPrinterIPAddressFn = BOOL(DDPROC_CALL*)(const wchar_t* printerName, const DevOption* option,
                                                        char* address, DWORD size, DWORD* needed);
using DDProcIsEnableBdcLibFn = BOOL(DDPROC_CALL*)();
using DDProcIsCommunicateDeviceFn = BOOL(DDPROC_CALL*)(const char* address, uint32_t* state);
using DDProcGetPrinterStatusUsbFn = void*(DDPROC_CALL*)(HANDLE printer);
using DDProcDeletePrinterStatusUsbFn = void(DDPROC_CALL*)(void* status);
using DDProcIsSupportModelUsbFn = BOOL(DDPROC_CALL*)(HANDLE printer, void* status);
using DDProcOptionRequestFn = BOOL(DDPROC_CALL*)(const char* address, uint32_t count, DevOptionEntry* entries);
using DDProcOptionRequestUsbFn = BOOL(DDPROC_CALL*)(HANDLE printer, void* status, uint32_t count,
                                                     DevOptionEntry* entries);
using DDProcInputTrayStatusFn = BOOL(DDPROC_CALL*)(const char* address, uint32_t count, TrayStatusEntry* entries);
using DDProcInputTrayStatusUsbFn = BOOL(DDPROC_CALL*)(HANDLE printer, void* status, uint32_t count,
                                                       TrayStatusEntry* entries);
