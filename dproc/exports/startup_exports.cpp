// Exports of the library's start-up state that VELDRANH binds by name.
#include <windows.h>

#include "dproc/startup/dl_manager_win.h"
#include "dproc/startup/proc_library_entry_win.h"

// The image resource module VELDRANW, or null when it did not load.
extern "C" HMODULE WINAPI GetImgResInst() { return g_procModules.images; }

// 1 when the maker's download manager is installed.
extern "C" int WINAPI IsInstalledDLManager() { return DLManagerInstalled(); }
