// Exports of the library's start-up state that VELDRANH binds by name.
#include <windows.h>

#include <type_traits>

#include "common/contracts/proc_library_exports_win.h"
#include "common/win/export_guard.h"
#include "dproc/startup/dl_manager_win.h"
#include "dproc/startup/proc_library_entry_win.h"

// The image resource module VELDRANW, or null when it did not load.
extern "C" HMODULE WINAPI GetImgResInst() { return g_procModules.images; }

// 1 when the maker's download manager is installed.
extern "C" int WINAPI IsInstalledDLManager() {
  return GuardExport("IsInstalledDLManager", 0, [] { return DLManagerInstalled(); });
}

static_assert(std::is_same_v<decltype(&GetImgResInst), GetImgResInstFn>);
static_assert(std::is_same_v<decltype(&IsInstalledDLManager), IsInstalledDLManagerFn>);
