// Output buffer and spooler writes.
#include "drender/job/output_buffer.h"

#include <cstring>

namespace {

// The block is usable when it can hold its head and the whole data area.
bool HasArea(const RenderOutputBuffer* buffer) {
  return buffer->block && buffer->blockSize >= kOutputBufferHead &&
         buffer->capacity <= buffer->blockSize - kOutputBufferHead;
}

// Writes until every byte is taken or a write fails.  A call that reports
// success without taking a byte counts as a failure: repeating it could
// loop for ever.
void WriteAll(RenderOutputBuffer* buffer, const OutputSink& sink, const uint8_t* bytes, uint32_t length) {
  while (length > 0 && !(buffer->jobFlags & kJobWriteFailed)) {
    uint32_t written = 0;
    if (!sink.write || !sink.write(sink.target, bytes, length, &written) || written == 0 || written > length) {
      buffer->jobFlags |= kJobWriteFailed;
      break;
    }
    buffer->jobFlags |= kJobDelivered;
    bytes += written;
    length -= written;
  }
}

uint32_t Result(const RenderOutputBuffer* buffer) { return (buffer->jobFlags & kJobWriteFailed) ? 0 : 1; }

}  // namespace

uint32_t Out_Flush(RenderOutputBuffer* buffer, const OutputSink& sink) {
  if (!buffer) return 0;
  // An empty buffer still reports a failure that happened before.
  if (buffer->fill == 0) return Result(buffer);
  uint32_t count = buffer->fill;
  buffer->fill = 0;
  if (!HasArea(buffer) || count > buffer->capacity) return 0;
  if (sink.drop) {
    buffer->jobFlags |= kJobDelivered;
    return 1;
  }
  WriteAll(buffer, sink, buffer->block + kOutputBufferHead, count);
  return Result(buffer);
}

uint32_t Out_BufferBytes(RenderOutputBuffer* buffer, const OutputSink& sink, const void* bytes, uint32_t length) {
  if (!buffer) return 0;
  if (length == 0) return 1;
  if (!bytes || !HasArea(buffer)) return 0;
  if (length > buffer->capacity) {
    if (buffer->fill > 0) Out_Flush(buffer, sink);
    if (sink.drop) {
      buffer->jobFlags |= kJobDelivered;
      return 1;
    }
    WriteAll(buffer, sink, static_cast<const uint8_t*>(bytes), length);
    return Result(buffer);
  }
  // The data area never fills up completely: a write that would fill it
  // hands the older bytes on first.
  if (buffer->fill + length >= buffer->capacity) Out_Flush(buffer, sink);
  std::memcpy(buffer->block + kOutputBufferHead + buffer->fill, bytes, length);
  buffer->fill += length;
  return Result(buffer);
}
