// The device-dependent capability query of VELDRANH, which the procedure
// library asks before answering a capability itself.
#pragma once

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
