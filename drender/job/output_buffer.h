// The output buffer of a job: small writes are gathered and handed to the
// spooler in runs, large writes go to the spooler directly.  Once a spooler
// write has failed, nothing more of the job reaches the spooler; while the
// job is marked to be dropped, every write is a successful discard.
//
// This module needs no Windows interface: the spooler is reached through
// the sink the caller passes (the job's printer handle and WritePrinter).
#pragma once

#include <cstdint>

// Job state flags.
enum : uint32_t {
  kJobStarted = 0x01,      // the job start has run
  kJobPageOpen = 0x02,     // a page is open
  kJobDelivered = 0x04,    // bytes were handed to the spooler or discarded
  kJobWriteFailed = 0x08,  // a spooler write failed: the job sends nothing more
  kJobPageEnded = 0x10,    // at least one page ended
};

// Bytes at the start of the block that the buffer leaves to its owner.
inline constexpr uint32_t kOutputBufferHead = 1024;
// Bytes the data area holds.
inline constexpr uint32_t kOutputBufferCapacity = 512;

struct RenderOutputBuffer {
  uint8_t* block;       // head, then the data area; null while there is no surface
  uint32_t blockSize;   // bytes of the block
  uint32_t capacity;    // bytes the data area may hold
  uint32_t fill;        // bytes held now
  uint32_t jobFlags;    // the flags above
};

// Hands `length` bytes to the spooler.  True when the call succeeded; the
// count written (which may be less than asked) goes to `written`.
using SpoolerWriteFn = bool (*)(void* target, const void* bytes, uint32_t length, uint32_t* written);

struct OutputSink {
  SpoolerWriteFn write;
  void* target;
  bool drop;  // the job is marked to be dropped: discard instead of writing
};

// Buffers (or, when longer than the capacity, writes through) `length`
// bytes.  1 on success or discard, 0 when the spooler write has failed or
// the buffer has no block (no surface is enabled).
uint32_t Out_BufferBytes(RenderOutputBuffer* buffer, const OutputSink& sink, const void* bytes, uint32_t length);
// Hands what the buffer holds to the spooler.  1, or 0 when the spooler
// write has failed.
uint32_t Out_Flush(RenderOutputBuffer* buffer, const OutputSink& sink);
