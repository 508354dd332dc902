/* Entry of the resource-only libraries (images and dialog templates): it
 * keeps the module handle and does nothing else, so loading either library
 * runs no other code.  Built without the C run-time. */
#include <windows.h>

HINSTANCE g_resourceModule;

BOOL WINAPI DllInitialize(HINSTANCE module, DWORD reason, LPVOID reserved) {
  (void)reserved;
  if (reason == DLL_PROCESS_ATTACH) g_resourceModule = module;
  return TRUE;
}
