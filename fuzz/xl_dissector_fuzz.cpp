// The tests' independent PCL XL stream dissector: whole streams, fragments
// inside a session or a page, and the dump of what it read.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "tests/pclxl/xl_dissector.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t mode = data[0];
  xl::Options options;
  options.skipToHeader = (mode & 1) != 0;
  options.allowWhitespace = (mode & 2) != 0;
  if ((mode & 4) != 0) {
    options.header = false;
    options.start = (mode & 8) != 0 ? xl::Context::Page : xl::Context::Session;
    options.dataSourceOpen = (mode & 16) != 0;
  }
  const xl::Dissection d = xl::Dissect(data + 1, size - 1, options);
  xl::Dump(d);
  d.Names();
  // The image rows' decoders over the same bytes.
  const uint32_t rowBytes = 1 + (mode >> 5);
  std::vector<uint8_t> rows;
  std::vector<uint8_t> seed(rowBytes);
  std::string error;
  xl::DecodePackBits(data + 1, size - 1, rowBytes, (rowBytes + 3) & ~3u, 4, &rows, &error);
  xl::DecodeDeltaRows(data + 1, size - 1, rowBytes, 4, &seed, &rows, &error);
  return 0;
}
