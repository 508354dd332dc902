// Module entry of the device-dependent procedures.
#include <windows.h>

#include "ddproc/startup/ddproc_module_win.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    DDProcAttach(instance);
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    // At process exit the system libraries may be gone already.
    DDProcDetach();
  }
  return TRUE;
}
