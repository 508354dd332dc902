// The maker's download manager: found through the App Paths key of the
// 32-bit registry view, under the program name the description file gives
// (or "TASCOVEN.EXE"), and started by its full path.
#pragma once

#include <windows.h>

inline constexpr size_t kDLManagerPathUnits = 520;

// The full path of the program, or an empty text when it is not registered,
// its "Path" value is empty or not a text, or the path does not fit
// `kDLManagerPathUnits` units.
void GetDLManagerPath(wchar_t* out);
// 1 when a file exists at that path, else 0 (the export
// IsInstalledDLManager).
int DLManagerInstalled();
// Starts the program when it is installed; the result of process creation,
// FALSE when it is not installed.
BOOL LaunchDLManager();
