// Module entry and the export of the cover sheet check window.
#include <windows.h>

#include "common/win/export_guard.h"
#include "dchkfcs/check_window_win.h"

namespace {
HMODULE g_module = nullptr;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    g_module = instance;
  }
  return TRUE;
}

// Shows `metafile` in the modal check window owned by `owner`; returns after
// the window is gone.  FALSE for a null metafile or a window that cannot be
// made.
extern "C" BOOL WINAPI DispCheckFcsWindow(HWND owner, HENHMETAFILE metafile, int flag, int x, int y) {
  return GuardExport("DispCheckFcsWindow", FALSE,
                     [&] { return ShowCheckWindow(g_module, owner, metafile, flag, x, y); });
}
