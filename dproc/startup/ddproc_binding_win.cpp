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

bool OfferToDeviceLibrary(int32_t pageId, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                          INT_PTR* result) {
  auto hook = reinterpret_cast<DDProcDlgProcProc>(reinterpret_cast<void (*)()>(g_ddproc.entry[kDDProcDlgProc]));
  if (g_ddproc.module == nullptr || hook == nullptr) return false;
  uint32_t handled = 0;
  uint32_t r = hook(pageId, dialog, message, wParam, lParam, &handled);
  if (handled == 0) return false;
  *result = static_cast<INT_PTR>(r);
  return true;
}
