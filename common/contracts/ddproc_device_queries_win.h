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

// One input tray: its keyword goes to the device, six answers come back
// (the paper size, then the tray's further properties in the order of the
// tray mapping tables).
inline constexpr int kTrayAnswerCount = 6;
struct TrayStatusEntry {
  char keyword[32];
  char answers[kTrayAnswerCount][32];
  char reserved[4];
};
static_assert(sizeof(TrayStatusEntry) == 228);
static_assert(offsetof(TrayStatusEntry, answers) == 32);

using DDProcGetPrinterIPAddressFn = BOOL(DDPROC_CALL*)(const wchar_t* printerName, const DevOption* option,
                                                        char* address, uint32_t size, void* reserved);
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
