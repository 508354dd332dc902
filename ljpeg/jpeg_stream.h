// The output side of the encoder: a byte stream over the caller's buffer, or
// its counting twin for the measuring pass, with the pending bits of the
// entropy-coded data.
#pragma once

#include <cstdint>

// Status word of one call: the base value, the validation results, the stage
// bits of the step that failed, and the bit of a bounded read or write that
// ran past its end.
inline constexpr uint16_t kJpegStatusBase = 0x2000;
inline constexpr uint16_t kJpegStatusBadSize = 0x2030;
inline constexpr uint16_t kJpegStatusBadParameter = 0x2F00;
inline constexpr uint16_t kJpegStatusBadDepth = 0x21A0;
inline constexpr uint16_t kJpegStageApp0 = 0x90;
inline constexpr uint16_t kJpegStageDht = 0x40;
inline constexpr uint16_t kJpegStageDqt = 0x50;
inline constexpr uint16_t kJpegStageSof0 = 0x70;
inline constexpr uint16_t kJpegStageScan = 0x80;
inline constexpr uint16_t kJpegStatusOverrun = 0x05;

struct JpegStream {
  uint32_t bit_buffer;  // pending bits of the entropy-coded data, low bits
  uint32_t bit_count;   // 0 to 7
  uint8_t* data;        // memory stream: the caller's buffer
  uint32_t capacity;    // memory stream: bytes of data; counting sink: the
                        //   highest position reached
  uint32_t position;    // next byte to write
  bool counting;        // the measuring pass's sink: nothing is stored
  uint16_t status;      // kJpegStatusOverrun once a write ran past the end
};

// A memory stream over (data, capacity); a null buffer holds nothing.
void JpegStreamOpenMemory(JpegStream* s, uint8_t* data, uint32_t capacity);
void JpegStreamOpenCounter(JpegStream* s);

// Bytes written (memory stream) or that would be written (counting sink).
uint32_t JpegStreamSize(const JpegStream* s);

bool JpegStreamWriteByte(JpegStream* s, uint8_t value);
bool JpegStreamWrite16(JpegStream* s, uint16_t value);  // big-endian

// Appends the completed bytes of one coding step of the block coder in a
// single bounded copy.  Running out of room fails without the overrun bit.
bool JpegStreamAppend(JpegStream* s, const uint8_t* bytes, uint32_t count);

// Ends the entropy-coded data: pads pending bits with 1-bits into a last
// byte (stuffed when it is 0xFF).
bool JpegStreamFlushBits(JpegStream* s);
