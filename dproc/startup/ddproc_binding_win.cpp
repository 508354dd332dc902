#include "dproc/startup/ddproc_binding_win.h"

#include "common/win/bind_export.h"
#include "common/win/drv_trace.h"
#include "dproc/startup/library_context_win.h"

DDProcBinding g_ddproc = {};

void LoadDDProcLibrary(HMODULE own) {
  if (g_ddproc.module != nullptr) return;
  HMODULE module = LoadSiblingInOwnContext(own, L"VELDRANH.DLL");
  if (module == nullptr) {
    DRV_TRACE("VELDRANA: VELDRANH.DLL did not load (%lu)", GetLastError());
    return;
  }
  for (size_t i = 0; i < kDDProcEntryCount; ++i) g_ddproc.entry[i] = BindExport<FARPROC>(module, kDDProcEntryNames[i]);
  g_ddproc.deviceCapabilities = BindExport<DDProcDeviceCapabilitiesProc>(module, kDDProcDeviceCapabilitiesName);
  g_ddproc.module = module;
}

void FreeDDProcLibrary() {
  if (g_ddproc.module == nullptr) return;
  FreeLibrary(g_ddproc.module);
  g_ddproc = DDProcBinding{};
}
