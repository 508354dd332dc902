// Module entry of the user interface core.
#include <windows.h>

#include <commctrl.h>

#include "duicore/module/core_module_win.h"
#include "duicore/module/device_description_win.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH: {
      SetCoreModule(instance);
      CreateCoreActivationContext();
      {
        CoreActivation activation;
        InitCommonControls();
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
      }
      // Without the description the core runs with every feature off.
      LoadDeviceDescription();
      break;
    }
    case DLL_PROCESS_DETACH:
      FreeDeviceDescription();
      FreeUiProcModule(reserved != nullptr);
      ReleaseCoreActivationContext();
      break;
    default:
      break;
  }
  return TRUE;
}
