// The device library's dialogs run on the dialog skeleton of the procedure
// library: VELDRANA is loaded beside the library and its exports are bound
// by name.  One device dialog is open at a time (they are modal), so the
// binding is process-wide.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "common/contracts/device_dialog_skeleton_win.h"
#include "common/contracts/proc_library_exports_win.h"

// The full path of VELDRANA.DLL beside the device library (the file-name part
// of the library's own path replaced); false (buffer empty) when it does not
// fit `capacity` characters or the library's path cannot be read.  A null
// buffer writes nothing.
bool GetProcLibraryPath(wchar_t* buffer, size_t capacity = MAX_PATH);

struct ProcLibBinding {
  HMODULE module = nullptr;      // VELDRANA, null when not loaded
  RunDeviceDialogFn runDialog = nullptr;
  MyDialogBoxFn myDialogBox = nullptr;
  GetImgResInstFn getImgResInst = nullptr;
  IsInstalledDLManagerFn isInstalledDLManager = nullptr;
};

// The process's binding.
ProcLibBinding& DeviceDialogBinding();
// Loads VELDRANA through GetProcLibraryPath and binds every service it has;
// false (binding empty) when the library does not load.
bool BindProcLibrary(ProcLibBinding* binding);
// Frees the library when loaded and clears the binding.
void ReleaseProcLibrary(ProcLibBinding* binding);
