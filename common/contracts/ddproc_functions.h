// The exports of the device-dependent procedure library VELDRANH that the
// procedure library binds by name at start-up: the names in binding order,
// and the shape of those it calls.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/qxd/model_info.h"
#include "common/records/settings_records.h"

inline constexpr char kDDProcDeviceCapabilitiesName[] = "DDProc_DeviceCapabilities";
#if defined(_WIN32) && !defined(_WIN64)
#define DDPROC_CALL __stdcall
#else
#define DDPROC_CALL
#endif
// Non-zero when it answered `capability`; the answer is then in *result
// (and the output, when given).  The document settings are not read.
typedef int32_t(DDPROC_CALL* DDProcDeviceCapabilitiesProc)(const ModelInfo* model,
                                                           const DeviceOptionItem* deviceOptions,
                                                           const DocDMode* doc, const DevOption* option,
                                                           uint16_t capability, void* output, int32_t* result);

// Every name the procedure library binds, in binding order.
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

inline constexpr const char* kDDProcEntryNames[kDDProcEntryCount] = {
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
    kDDProcDeviceCapabilitiesName,
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
