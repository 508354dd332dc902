// Byte sinks of the encoder beyond the job's own write path: a bounded
// memory buffer, and a staging writer that gathers small pieces before
// handing them to any sink.
#pragma once

#include <cstdint>

#include "drender/pclxl/pclxl_writer.h"

// A sink into a caller's buffer of fixed capacity.  A write that does not
// fit whole is refused (0) and nothing of it is stored; the sink then stays
// failed, so that a caller sees a partly coded result as a failure.
struct XlBufferSink {
  uint8_t* data;
  uint32_t capacity;
  uint32_t length;  // bytes stored so far
  uint32_t failed;  // 1 once a write was refused
};

void XL_InitBufferSink(XlBufferSink* sink, uint8_t* data, uint32_t capacity);
// The XlWriteFn of a buffer sink (context: the XlBufferSink).
uint32_t XL_BufferSinkWrite(void* context, const uint8_t* bytes, uint32_t length);

// Gathers bytes in a small buffer and hands them to the sink in runs.  Once
// a sink call has failed, every later call fails and nothing more is
// written.  Counts every byte it has been given.
class XlStagedWriter {
 public:
  XlStagedWriter(XlWriteFn write, void* context) : write_(write), context_(context) {}
  void Byte(uint8_t value) {
    if (fill_ == sizeof(buffer_)) Flush();
    buffer_[fill_++] = value;
    ++count_;
  }
  void Bytes(const uint8_t* bytes, uint32_t length) {
    for (uint32_t i = 0; i < length; ++i) Byte(bytes[i]);
  }
  // Hands what is gathered to the sink; 1 when every sink call succeeded.
  uint32_t Flush();
  // Flushes; on success gives the count of bytes written in *count (when
  // given) and 1, else 0.
  uint32_t Finish(uint64_t* count);
  uint64_t count() const { return count_; }

 private:
  XlWriteFn write_;
  void* context_;
  uint8_t buffer_[256];
  uint32_t fill_ = 0;
  uint64_t count_ = 0;
  bool failed_ = false;
};
