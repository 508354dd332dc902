// Run-length (PackBits) coding of image and pattern rows.
#include "drender/pclxl/packbits_compress.h"

#include "drender/pclxl/byte_sink.h"

namespace {

constexpr uint32_t kMaxRun = 128;

}  // namespace

uint32_t Img_PackBits(XlWriteFn write, void* context, const uint8_t* source, uint32_t length,
                      uint64_t* coded) {
  if (coded) *coded = 0;
  if (length == 0) return 1;
  if (source == nullptr) return 0;
  XlStagedWriter out(write, context);
  uint32_t i = 0;
  while (i < length - 1) {
    const uint8_t b = source[i];
    const uint32_t end = length - i > kMaxRun ? i + kMaxRun : length;
    uint32_t j = i + 1;
    if (source[j] == b) {
      while (j < end && source[j] == b) ++j;
      out.Byte(static_cast<uint8_t>(1 - static_cast<int>(j - i)));
      out.Byte(b);
    } else {
      while (j < end && source[j] != source[j - 1]) ++j;
      out.Byte(static_cast<uint8_t>(j - i - 1));
      out.Bytes(source + i, j - i);
    }
    i = j;
  }
  if (i == length - 1) {
    out.Byte(0);
    out.Byte(source[i]);
  }
  return out.Finish(coded);
}
