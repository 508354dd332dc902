// The JPEG encoder with its parameters and pixels taken from the input: the
// pixel block honestly sized for the geometry, or deliberately short (the
// size the caller declares is then the bytes there are), a measuring pass,
// and an output buffer of the measured size, of less, or of none.
#include <cstdint>
#include <cstring>
#include <memory>

#include "ljpeg/jpeg_encoder.h"
#include "fuzz/fuzz_input.h"

namespace {

// Larger images cost time, not coverage.
constexpr uint32_t kMaxSide = 96;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  JpegEncodeParams p{};
  p.width = in.Take<uint8_t>() % (kMaxSide + 1);
  p.height = in.Take<uint8_t>() % (kMaxSide + 1);
  static const uint16_t kDepths[] = {8, 16, 24, 32, 1, 0};
  const uint8_t shape = in.Take<uint8_t>();
  p.bits_per_pixel = kDepths[shape % 6];
  p.quality = in.Take<uint8_t>();
  p.subsampling = in.Take<uint8_t>() % 4;
  p.pixel_order = in.Take<uint8_t>() % 3;
  const bool shortBlock = (shape & 0x40) != 0;
  const bool shortOutput = (shape & 0x80) != 0;
  const bool negative = (shape & 0x20) != 0;

  const size_t rowBytes = ((static_cast<size_t>(p.width) * p.bits_per_pixel + 31) / 32) * 4;
  const size_t honest = rowBytes * p.height;
  const size_t blockSize = shortBlock ? std::min(honest, in.size()) : honest;
  std::unique_ptr<uint8_t[]> pixels(new uint8_t[blockSize + 1]);
  for (size_t i = 0; i < blockSize; ++i) pixels[i] = in.size() != 0 ? in.data()[i % in.size()] : 0;
  p.source = pixels.get();
  p.source_size = negative ? -static_cast<int32_t>(blockSize) : static_cast<int32_t>(blockSize);
  p.row_stride = static_cast<int32_t>(rowBytes);

  if (JpegEncode(&p, kJpegPassMeasure) != 0) return 0;
  const uint32_t measured = p.output_size;
  const uint32_t capacity = shortOutput ? measured / 2 : measured;
  std::unique_ptr<uint8_t[]> output(new uint8_t[capacity + 1]);
  p.output = capacity != 0 ? output.get() : nullptr;
  p.output_size = capacity;
  const uint16_t status = JpegEncode(&p, kJpegPassEncode);
  if (status == 0 && p.output_size > capacity) __builtin_trap();  // wrote beyond what it was given
  return 0;
}
