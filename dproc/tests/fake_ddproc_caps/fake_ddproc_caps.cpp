// A stand-in for VELDRANH whose capability query answers the bins only:
// two bins when it was handed the model record and the device option
// record, none otherwise.
#include <windows.h>

#include <cstdint>
#include <type_traits>

#include "common/contracts/ddproc_functions.h"

extern "C" int32_t DDPROC_CALL DDProc_DeviceCapabilities(const ModelInfo* model, const DeviceOptionItem*,
                                                          const DocDMode*, const DevOption* option,
                                                          uint16_t capability, void* output, int32_t* result) {
  if (capability != DC_BINS) return 0;
  const bool handed = model != nullptr && option != nullptr;
  if (output != nullptr && handed) {
    static_cast<WORD*>(output)[0] = DMBIN_AUTO;
    static_cast<WORD*>(output)[1] = 257;
  }
  *result = handed ? 2 : 0;
  return 1;
}

static_assert(std::is_same_v<decltype(&DDProc_DeviceCapabilities), DDProcDeviceCapabilitiesProc>);
