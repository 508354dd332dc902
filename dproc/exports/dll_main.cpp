// Module entry of the procedure library.
#include <windows.h>

#include "dproc/startup/proc_library_entry_win.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  return ProcLibraryEntry(instance, reason, reserved);
}
