#include "drender/draw/jpeg_passes.h"

#include <new>

uint64_t Img_JpegDirectCapacity(uint32_t width, uint32_t height) {
  const uint64_t capacity = uint64_t{width} * height * 3 + 65536;
  return capacity > kJpegDirectLimit ? 0 : capacity;
}

uint32_t Img_JpegEncodeStream(JpegEncodeStartProc encode, JpegEncodeParams* params, std::unique_ptr<uint8_t[]>* out,
                              uint32_t* passes) {
  uint32_t calls = 0;
  out->reset();
  const uint64_t capacity = Img_JpegDirectCapacity(params->width, params->height);
  if (capacity != 0) {
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[capacity]);
    if (buffer) {
      params->output = buffer.get();
      params->output_size = static_cast<uint32_t>(capacity);
      ++calls;
      if (encode(params, kJpegPassEncode) == 0 && params->output_size != 0) {
        *out = std::move(buffer);
        if (passes) *passes = calls;
        return 1;
      }
    }
  }
  // The encoder's own order: measure, then encode into exactly that much.
  params->output = nullptr;
  params->output_size = 0;
  ++calls;
  uint32_t ok = 0;
  if (encode(params, kJpegPassMeasure) == 0 && params->output_size != 0) {
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[params->output_size]);
    if (buffer) {
      params->output = buffer.get();
      ++calls;
      if (encode(params, kJpegPassEncode) == 0 && params->output_size != 0) {
        *out = std::move(buffer);
        ok = 1;
      }
    }
  }
  if (passes) *passes = calls;
  return ok;
}
