// Byte sinks of the encoder beyond the job's own write path.
#include "drender/pclxl/byte_sink.h"

#include <cstring>

void XL_InitBufferSink(XlBufferSink* sink, uint8_t* data, uint32_t capacity) {
  sink->data = data;
  sink->capacity = data ? capacity : 0;
  sink->length = 0;
  sink->failed = 0;
}

uint32_t XL_BufferSinkWrite(void* context, const uint8_t* bytes, uint32_t length) {
  auto* sink = static_cast<XlBufferSink*>(context);
  if (sink->failed || bytes == nullptr || length > sink->capacity - sink->length) {
    sink->failed = 1;
    return 0;
  }
  std::memcpy(sink->data + sink->length, bytes, length);
  sink->length += length;
  return 1;
}

uint32_t XlStagedWriter::Flush() {
  if (fill_ != 0 && !failed_) {
    if (write_ == nullptr || !write_(context_, buffer_, fill_)) failed_ = true;
  }
  fill_ = 0;
  return failed_ ? 0 : 1;
}

uint32_t XlStagedWriter::Finish(uint64_t* count) {
  uint32_t ok = Flush();
  if (ok && count) *count = count_;
  return ok;
}
