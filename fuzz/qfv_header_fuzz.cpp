// The overlay form file's header, as the render core and the user interface
// read it from a .QFV file: the input is the whole file.  The reader is also
// handed only the header's worth of bytes with the true file length, as the
// render core reads it.  What it accepts must agree with the file.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "common/records/overlay_form_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FormFileHeader header;
  uint32_t offset = 0;
  uint64_t length = 0;
  const size_t readSizes[] = {size, size < kFormHeaderV2Size ? size : kFormHeaderV2Size,
                              size < kFormHeaderV1Size ? size : kFormHeaderV1Size};
  for (size_t read : readSizes) {
    if (Form_ParseHeader(data, read, size, &header, &offset, &length) != kFormHeaderOk) continue;
    if (offset != header.headerSize || offset > read || offset + length != size) std::abort();
    if (std::strlen(header.name) > kFormNameChars) std::abort();
    size_t wide = 0;
    while (header.wideName[wide] != u'\0') ++wide;
    if (wide > kFormNameChars) std::abort();
  }
  return 0;
}
