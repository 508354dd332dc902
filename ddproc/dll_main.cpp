// Module entry of the device-dependent procedures.
#include <windows.h>

#include "ddproc/snmp/snmp_api_bind.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    // Attach goes on whether SNMP could be bound or not.
    SnmpApiBind();
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    // At process exit the system libraries may be gone already.
    SnmpApiUnbind();
  }
  return TRUE;
}
