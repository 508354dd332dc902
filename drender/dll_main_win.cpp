// Module entry of the render core.
#include <windows.h>

#include "drender/ddi/ddi_services.h"
#include "drender/model/render_model.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      Rdc_SetModule(instance);
      // Without its printer description the library refuses to load.
      if (!Rdc_LoadModelInfo()) return FALSE;
      Ddi_BindServices();
      return TRUE;
    case DLL_PROCESS_DETACH:
      Rdc_ReleaseModelInfo();
      return TRUE;
    default:
      return TRUE;
  }
}
