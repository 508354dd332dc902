// The device library's dialogs reach the dialog services of the procedure
// library (display texts, tooltips, stop icons, constraint checks, hints,
// modal dialogs) by loading VELDRANA beside themselves and binding its
// exports by name.  One device dialog is open at a time (they are modal),
// so the binding is process-wide.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "common/contracts/proc_library_exports_win.h"

// The full path of VELDRANA.DLL beside the device library (the file-name part
// of the library's own path replaced); false (buffer empty) when it does not
// fit `capacity` characters or the library's path cannot be read.  A null
// buffer writes nothing.
bool GetProcLibraryPath(wchar_t* buffer, size_t capacity = MAX_PATH);

struct ProcLibBinding {
  HMODULE module = nullptr;      // VELDRANA, null when not loaded
  HWND tooltip = nullptr;        // CreateToolWnd's window for the current dialog
  ReplaceDlgDispStringCmnItemFn replaceCommonTexts = nullptr;
  ReplaceDlgDispStringFn replaceTexts = nullptr;
  CreateToolWndFn createToolWnd = nullptr;
  StoreStopIconRectExpFn storeStopIconRects = nullptr;
  DoConstraintsFn doConstraints = nullptr;
  DispHintControlFn dispHintControl = nullptr;
  GetImgResInstFn getImgResInst = nullptr;
  MyDialogBoxFn myDialogBox = nullptr;
  ReqDrawStopInfoIconExpFn drawStopIcon = nullptr;
  IsInstalledDLManagerFn isInstalledDLManager = nullptr;
};

// The process's binding.
ProcLibBinding& DeviceDialogBinding();
// Loads VELDRANA through GetProcLibraryPath and binds every service it has;
// false (binding empty) when the library does not load.
bool BindProcLibrary(ProcLibBinding* binding);
// Frees the library when loaded and clears the binding.
void ReleaseProcLibrary(ProcLibBinding* binding);

// DoConstraints' answers that refuse a change.
inline constexpr int32_t kConstraintRefused = 100;
inline constexpr int32_t kConstraintRefusedQuiet = 101;
inline bool ConstraintRefused(int32_t result) {
  return result == kConstraintRefused || result == kConstraintRefusedQuiet;
}
