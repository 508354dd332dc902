// Module entry of the font resource library: keeps the module handle, whose
// resources hold the font records the list is built from.
#include <windows.h>

void FontList_SetModule(HMODULE module);

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    FontList_SetModule(instance);
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}
