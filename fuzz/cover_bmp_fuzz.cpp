// Cover image files: the check of a bitmap file's headers, colour table and
// bits against its size, on the whole file and on the first part of it (as
// the loader reads the headers before the bits).  Whatever the check
// accepts must lie inside the file: the harness reads every byte of it.
#include <cstdint>
#include <cstring>

#include "common/cover/cover_bmp.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CoverBmpLayout layout;
  if (CheckCoverBmp(data, size, size, &layout) == kCoverBmpOk) {
    if (layout.bitsOffset > size || layout.bitsSize > size - layout.bitsOffset ||
        layout.infoSize != layout.bitsOffset - kBmpFileHeaderSize) {
      __builtin_trap();
    }
    volatile uint8_t sum = 0;
    for (uint32_t i = 0; i < layout.infoSize; ++i) sum = sum + data[kBmpFileHeaderSize + i];
    for (uint32_t i = 0; i < layout.bitsSize; ++i) sum = sum + data[layout.bitsOffset + i];
  }
  // The headers alone, with the file's real size: never read past them.
  const size_t head = size < 64 ? size : 64 + (size - 64) / 4;
  CheckCoverBmp(data, head, size, &layout);
  CheckCoverBmp(data, size, static_cast<uint64_t>(size) + 0x100000000ull, &layout);
  return 0;
}
