// The library's export.
#include <type_traits>

#include "common/contracts/jpeg_encode_params.h"
#include "ljpeg/jpeg_encoder.h"

extern "C" uint16_t JPEG_ENCODE_CALL Jpeg_EncodeStart(JpegEncodeParams* params, uint32_t pass) {
  return JpegEncode(params, pass);
}

static_assert(std::is_same_v<decltype(&Jpeg_EncodeStart), JpegEncodeStartProc>);
