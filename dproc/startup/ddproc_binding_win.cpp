#include "dproc/startup/ddproc_binding_win.h"

#include "dproc/startup/library_context_win.h"

const char* const kDDProcEntryNames[kDDProcEntryCount] = {
    "DrawPrinterView",
    "MIB_IsAccessOK",
    "MIB_IsModelOK",
    "MIB_OptionRequest",
    "MIB_MrkSupRequest",
    "MIB_OverlayRequest",
    "MIB_FreeOverlayInfo",
    "MIB_ProfileRequest",
    "MIB_FreeProfileInfo",
    "GET_MrkSupItemList",
    "DrawLogoImage",
    "DrawLogoVersionTab",
    "DDProc_DeviceCapabilities",
    "DDProc_DlgProc",
    "DDProc_FeatureNameItemTable",
    "DDProc_FeatureNameValuePtr",
    "DDProc_GetPrinterIPAddress",
    "DDProc_OptionRequest",
    "DDProc_OptionRequest_USB",
    "DDProc_InputTrayStatus",
    "DDProc_InputTrayStatus_USB",
    "DDProc_IsEnableBdcLib",
    "DDProc_IsCommunicateDevice",
    "DDProc_GetPrinterStatus_USB",
    "DDProc_IsSupportModel_USB",
    "DDProc_DeletePrinterStatus_USB",
};

DDProcBinding g_ddproc = {};

void LoadDDProcLibrary(HMODULE own) {
  if (g_ddproc.module != nullptr) return;
  HMODULE module = LoadSiblingInOwnContext(own, L"VELDRANH.DLL");
  if (module == nullptr) return;
  for (size_t i = 0; i < kDDProcEntryCount; ++i) g_ddproc.entry[i] = GetProcAddress(module, kDDProcEntryNames[i]);
  g_ddproc.module = module;
}

void FreeDDProcLibrary() {
  if (g_ddproc.module == nullptr) return;
  FreeLibrary(g_ddproc.module);
  g_ddproc = DDProcBinding{};
}
