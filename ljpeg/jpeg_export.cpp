// The library's export.
#include <type_traits>

#include "common/contracts/jpeg_encode_params.h"
#include "common/win/export_guard.h"
#include "ljpeg/jpeg_encoder.h"

extern "C" uint16_t JPEG_ENCODE_CALL Jpeg_EncodeStart(JpegEncodeParams* params, uint32_t pass) {
  bool failed = true;
  const uint16_t result = GuardExport("Jpeg_EncodeStart", uint16_t{1}, [&] {
    const uint16_t encoded = JpegEncode(params, pass);
    failed = false;
    return encoded;
  });
  // A failed encoding measures 0 bytes.
  if (failed && params != nullptr) params->output_size = 0;
  return result;
}

static_assert(std::is_same_v<decltype(&Jpeg_EncodeStart), JpegEncodeStartProc>);
