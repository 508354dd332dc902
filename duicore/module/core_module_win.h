// Module-wide state of the user interface core: its own module handle, its
// activation context (common controls version 6), and the binding of the
// sibling libraries that lie beside it.
#pragma once

#include <windows.h>

#include <cstddef>

#include "common/win/activation_context_win.h"
#include "common/win/bind_export.h"

HMODULE CoreModule();
void SetCoreModule(HMODULE module);

// The activation context made from the library's manifest; created at
// attach and released at detach.  Without one, the guard does nothing.
void CreateCoreActivationContext();
void ReleaseCoreActivationContext();
class CoreActivation : public ActivationScope {
 public:
  CoreActivation();
};

// The full path of a sibling: the core's own path with its last 12
// characters (the length of "VELDRANK.DLL") replaced by `fileName`.  False
// when the own path cannot be taken or is shorter than 12 characters, or the
// result does not fit.
bool CoreSiblingPath(const wchar_t* fileName, wchar_t* out, size_t capacity);
// The same rule on a given path (the core's own path in production).
bool ReplaceOwnFileName(const wchar_t* ownPath, const wchar_t* fileName, wchar_t* out, size_t capacity);

// VELDRANA: loaded at the first call, then cached until process detach.
HMODULE LoadUiProcModule();
void FreeUiProcModule(bool processEnding);
// VELDRANH: loaded on every call; the caller frees it.
HMODULE LoadDevProcModule();

// An export of VELDRANA, bound at each use; null when the library or the
// name is missing.
template <typename Fn>
Fn BindUiProc(const char* name) {
  return BindExport<Fn>(LoadUiProcModule(), name);
}

// Loads "compstui.dll", calls its CommonPropertySheetUIW with the four
// arguments and frees it again; -1 with the last error ERROR_MOD_NOT_FOUND
// or ERROR_PROC_NOT_FOUND when the library or the function is missing.
LONG CallCommonPropertySheetUI(HWND parent, void* sheetFunction, LPARAM parameter, DWORD* result);
// The same with the library named by the caller.
LONG CallCommonPropertySheetUIIn(const wchar_t* libraryName, HWND parent, void* sheetFunction, LPARAM parameter,
                                 DWORD* result);

// The Windows generation (os_version_class.h) of the running system, and
// its major version number (0 when it cannot be read).
int GetOsVersionClass();
DWORD WindowsMajorVersion();

// Tells every top-level window that the printer's settings changed
// (WM_DEVMODECHANGE, waiting at most 5 s for a window that hangs).
void BroadcastDevModeChange(const wchar_t* printerName);
