// The device-dependent procedure library VELDRANH, bound by name at start-up.
// A missing library or name leaves its entry null; every user tests the
// entry before calling and skips the device-dependent part without it.
#pragma once

#include <windows.h>

#include <cstddef>

enum DDProcEntry : size_t {
  kDrawPrinterView,
  kMibIsAccessOK,
  kMibIsModelOK,
  kMibOptionRequest,
  kMibMrkSupRequest,
  kMibOverlayRequest,
  kMibFreeOverlayInfo,
  kMibProfileRequest,
  kMibFreeProfileInfo,
  kGetMrkSupItemList,
  kDrawLogoImage,
  kDrawLogoVersionTab,
  kDDProcDeviceCapabilities,
  kDDProcDlgProc,
  kDDProcFeatureNameItemTable,
  kDDProcFeatureNameValuePtr,
  kDDProcGetPrinterIPAddress,
  kDDProcOptionRequest,
  kDDProcOptionRequestUsb,
  kDDProcInputTrayStatus,
  kDDProcInputTrayStatusUsb,
  kDDProcIsEnableBdcLib,
  kDDProcIsCommunicateDevice,
  kDDProcGetPrinterStatusUsb,
  kDDProcIsSupportModelUsb,
  kDDProcDeletePrinterStatusUsb,
  kDDProcEntryCount
};

// The exported names, in binding order.
extern const char* const kDDProcEntryNames[kDDProcEntryCount];

struct DDProcBinding {
  HMODULE module;  // non-null while bound
  FARPROC entry[kDDProcEntryCount];
};
extern DDProcBinding g_ddproc;

// Binds VELDRANH.DLL from the directory of `own` once; does nothing while it
// is bound.
void LoadDDProcLibrary(HMODULE own);
// Frees the library and clears every entry.
void FreeDDProcLibrary();
