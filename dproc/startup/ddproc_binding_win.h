// The device-dependent procedure library VELDRANH, bound by name at start-up.
// A missing library or name leaves its entry null; every user tests the
// entry before calling and skips the device-dependent part without it.
#pragma once

#include <windows.h>

#include <cstddef>

#include "common/contracts/ddproc_functions.h"

struct DDProcBinding {
  HMODULE module;  // non-null while bound
  FARPROC entry[kDDProcEntryCount];
  // The entries the procedure library calls, typed.
  DDProcDeviceCapabilitiesProc deviceCapabilities;
};
extern DDProcBinding g_ddproc;

// Binds VELDRANH.DLL from the directory of `own` once; does nothing while it
// is bound.
void LoadDDProcLibrary(HMODULE own);
// Frees the library and clears every entry.
void FreeDDProcLibrary();
