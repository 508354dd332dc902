// The render core's row coders over any pixel rows: each image is coded by
// run length and by delta row into a buffer of the bound the coders promise,
// decoded again by the tests' independent decoders, and must come back
// byte for byte.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "drender/pclxl/byte_sink.h"
#include "drender/pclxl/delta_row_compress.h"
#include "drender/pclxl/packbits_compress.h"
#include "fuzz/fuzz_input.h"
#include "tests/pclxl/xl_dissector.h"

namespace {

void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "%s %s\n", what, detail.c_str());
  __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  const uint32_t rowBytes = 1 + in.Take<uint8_t>() % 200;
  const uint32_t rows = static_cast<uint32_t>(in.size() / rowBytes);
  if (rows == 0) return 0;
  const uint8_t* pixels = in.data();
  const std::vector<uint8_t> image(pixels, pixels + rows * rowBytes);

  // Run length, each row on its own.
  std::vector<uint8_t> packed;
  for (uint32_t r = 0; r < rows; ++r) {
    std::vector<uint8_t> buffer(Img_PackBitsBound(rowBytes));
    XlBufferSink sink;
    XL_InitBufferSink(&sink, buffer.data(), static_cast<uint32_t>(buffer.size()));
    uint64_t coded = 0;
    if (!Img_PackBits(XL_BufferSinkWrite, &sink, pixels + r * rowBytes, rowBytes, &coded) || sink.failed ||
        coded != sink.length) {
      Fail("run length: coding a row failed or overran its bound", "");
    }
    packed.insert(packed.end(), buffer.begin(), buffer.begin() + sink.length);
  }
  std::vector<uint8_t> out;
  std::string error;
  if (!xl::DecodePackBits(packed.data(), packed.size(), rowBytes, rowBytes, rows, &out, &error) || out != image) {
    Fail("run length: the rows do not decode to themselves:", error);
  }

  // Delta row: the first row without a seed, the others against the row
  // before; each row's coded length in front of it.
  std::vector<uint8_t> delta;
  for (uint32_t r = 0; r < rows; ++r) {
    std::vector<uint8_t> buffer(Img_DeltaRowBound(rowBytes));
    XlBufferSink sink;
    XL_InitBufferSink(&sink, buffer.data(), static_cast<uint32_t>(buffer.size()));
    uint64_t coded = 0;
    const uint8_t* row = pixels + r * rowBytes;
    const uint32_t ok = r == 0 ? Img_DeltaRowFirst(XL_BufferSinkWrite, &sink, row, rowBytes, &coded)
                               : Img_DeltaRow(XL_BufferSinkWrite, &sink, row, row - rowBytes, rowBytes, &coded);
    if (!ok || sink.failed || coded != sink.length) Fail("delta row: coding a row failed or overran its bound", "");
    delta.push_back(static_cast<uint8_t>(sink.length));
    delta.push_back(static_cast<uint8_t>(sink.length >> 8));
    delta.insert(delta.end(), buffer.begin(), buffer.begin() + sink.length);
  }
  std::vector<uint8_t> seed(rowBytes);
  out.clear();
  if (!xl::DecodeDeltaRows(delta.data(), delta.size(), rowBytes, rows, &seed, &out, &error) || out != image) {
    Fail("delta row: the rows do not decode to themselves:", error);
  }
  return 0;
}
