#include "ljpeg/jpeg_stream.h"

#include <cstring>

void JpegStreamOpenMemory(JpegStream* s, uint8_t* data, uint32_t capacity) {
  *s = JpegStream{};
  s->data = data;
  s->capacity = data != nullptr ? capacity : 0;
}

void JpegStreamOpenCounter(JpegStream* s) {
  *s = JpegStream{};
  s->counting = true;
}

uint32_t JpegStreamSize(const JpegStream* s) { return s->counting ? s->capacity : s->position; }

namespace {

// Advances the position by count bytes; false when the stream cannot take
// them (past the capacity, or past what a 32-bit size can report).
bool Reserve(JpegStream* s, uint32_t count, uint32_t* at) {
  const uint64_t end = uint64_t(s->position) + count;
  const uint64_t limit = s->counting ? 0xFFFFFFFFull : s->capacity;
  if (end > limit) return false;
  *at = s->position;
  s->position = uint32_t(end);
  if (s->counting && s->position > s->capacity) s->capacity = s->position;
  return true;
}

bool PutByte(JpegStream* s, uint8_t value) {
  uint32_t at;
  if (!Reserve(s, 1, &at)) {
    s->status |= kJpegStatusOverrun;
    return false;
  }
  if (!s->counting) s->data[at] = value;
  return true;
}

}  // namespace

bool JpegStreamWriteByte(JpegStream* s, uint8_t value) {
  if (s->bit_count > 0) {
    const uint8_t pending = uint8_t(s->bit_buffer << (8 - s->bit_count));
    s->bit_count = 0;
    s->bit_buffer = 0;
    if (!PutByte(s, pending)) return false;
  }
  return PutByte(s, value);
}

bool JpegStreamWrite16(JpegStream* s, uint16_t value) {
  return JpegStreamWriteByte(s, uint8_t(value >> 8)) && JpegStreamWriteByte(s, uint8_t(value));
}

bool JpegStreamAppend(JpegStream* s, const uint8_t* bytes, uint32_t count) {
  uint32_t at;
  if (!Reserve(s, count, &at)) return false;
  if (!s->counting && count > 0) std::memcpy(s->data + at, bytes, count);
  return true;
}

bool JpegStreamFlushBits(JpegStream* s) {
  if (s->bit_count == 0) return true;
  const uint32_t free_bits = 8 - s->bit_count;
  const uint8_t last = uint8_t((s->bit_buffer << free_bits) | ((1u << free_bits) - 1));
  s->bit_count = 0;
  s->bit_buffer = 0;
  if (!PutByte(s, last)) return false;
  return last != 0xFF || PutByte(s, 0x00);
}
