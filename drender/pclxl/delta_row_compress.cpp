// Delta-row coding of image and pattern rows.
#include "drender/pclxl/delta_row_compress.h"

#include "drender/pclxl/byte_sink.h"

namespace {

constexpr uint32_t kMaxReplacement = 8;
constexpr uint32_t kOffsetInCommand = 31;

// A command: its byte with the offset (and the offset's extension bytes),
// then the replacement bytes.
void Command(XlStagedWriter* out, uint64_t offset, const uint8_t* bytes, uint32_t count) {
  const uint8_t size_bits = static_cast<uint8_t>((count - 1) << 5);
  if (offset < kOffsetInCommand) {
    out->Byte(static_cast<uint8_t>(size_bits | offset));
  } else {
    out->Byte(static_cast<uint8_t>(size_bits | kOffsetInCommand));
    uint64_t rest = offset - kOffsetInCommand;
    while (rest >= 255) {
      out->Byte(255);
      rest -= 255;
    }
    out->Byte(static_cast<uint8_t>(rest));
  }
  out->Bytes(bytes, count);
}

}  // namespace

uint32_t Img_DeltaRowFirst(XlWriteFn write, void* context, const uint8_t* row, uint32_t length,
                           uint64_t* coded) {
  if (coded) *coded = 0;
  if (length == 0) return 1;
  if (row == nullptr) return 0;
  XlStagedWriter out(write, context);
  for (uint32_t i = 0; i < length; i += kMaxReplacement) {
    uint32_t count = length - i < kMaxReplacement ? length - i : kMaxReplacement;
    Command(&out, 0, row + i, count);
  }
  return out.Finish(coded);
}

uint32_t Img_DeltaRow(XlWriteFn write, void* context, const uint8_t* row, const uint8_t* seed,
                      uint32_t length, uint64_t* coded) {
  if (coded) *coded = 0;
  if (length == 0) return 1;
  if (row == nullptr || seed == nullptr) return 0;
  XlStagedWriter out(write, context);
  uint64_t offset = 0;      // unchanged bytes since the last command
  uint32_t start = 0;       // first byte of the pending replacement
  uint32_t pending = 0;     // bytes pending
  for (uint32_t i = 0; i < length; ++i) {
    if (row[i] == seed[i]) {
      if (pending != 0) {
        Command(&out, offset, row + start, pending);
        offset = 0;
        pending = 0;
      }
      ++offset;
      continue;
    }
    if (pending == 0) start = i;
    if (++pending == kMaxReplacement) {
      Command(&out, offset, row + start, pending);
      offset = 0;
      pending = 0;
    }
  }
  if (pending != 0) Command(&out, offset, row + start, pending);
  return out.Finish(coded);
}
