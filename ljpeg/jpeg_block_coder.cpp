#include "ljpeg/jpeg_block_coder.h"

#include <cstring>

void JpegBuildHuffTable(const JpegHuffSpec& spec, JpegHuffTable* table) {
  std::memset(table, 0, sizeof(*table));
  table->id = spec.class_and_id & 0x0F;
  uint32_t code = 0;
  uint32_t k = 0;
  for (uint32_t length = 1; length <= 16; ++length) {
    for (uint32_t i = 0; i < spec.counts[length - 1] && k < spec.symbol_count; ++i, ++k) {
      const uint8_t symbol = spec.symbols[k];
      table->length[symbol] = uint8_t(length);
      table->code[symbol] = uint16_t(code);
      ++code;
    }
    code <<= 1;
  }
}

namespace {

// Number of bits of a magnitude (0 for 0).
inline uint32_t BitWidth(uint32_t magnitude) {
  return magnitude == 0 ? 0 : 32 - uint32_t(__builtin_clz(magnitude));
}

// Packs codes into bytes, most significant bit first, with a zero byte
// after every 0xFF.
struct BitPacker {
  uint64_t acc;   // the last `bits` bits are pending
  uint32_t bits;  // below 32 between calls
  uint8_t* out;

  inline void EmitByte(uint8_t b) {
    *out++ = b;
    if (b == 0xFF) *out++ = 0;
  }
  inline void Put(uint32_t value, uint32_t length) {
    acc = (acc << length) | value;
    bits += length;
    if (bits >= 32) {
      bits -= 32;
      const uint32_t word = uint32_t(acc >> bits);
      const uint32_t inverted = ~word;
      if (((inverted - 0x01010101u) & ~inverted & 0x80808080u) == 0) {
        out[0] = uint8_t(word >> 24);
        out[1] = uint8_t(word >> 16);
        out[2] = uint8_t(word >> 8);
        out[3] = uint8_t(word);
        out += 4;
      } else {
        EmitByte(uint8_t(word >> 24));
        EmitByte(uint8_t(word >> 16));
        EmitByte(uint8_t(word >> 8));
        EmitByte(uint8_t(word));
      }
    }
  }
  inline void EmitWholeBytes() {
    while (bits >= 8) {
      bits -= 8;
      EmitByte(uint8_t(acc >> bits));
    }
  }
};

// Code and value bits of a non-zero value of category s: the table's code
// for symbol, followed by the low s bits of the value (value - 1 when
// negative).
inline bool PutValue(BitPacker* p, const JpegHuffTable* table, uint32_t symbol, int32_t value,
                     uint32_t s) {
  const uint32_t length = table->length[symbol];
  if (length == 0) return false;
  const uint32_t bits = uint32_t(value < 0 ? value - 1 : value) & ((1u << s) - 1);
  p->Put((uint32_t(table->code[symbol]) << s) | bits, length + s);
  return true;
}

}  // namespace

bool JpegEncodeBlock(JpegStream* s, JpegComponentCoder* component, const int16_t coefficients[64]) {
  uint64_t nonzero = 0;
  for (uint32_t k = 1; k < 64; ++k) nonzero |= uint64_t(coefficients[kJpegZigzag[k]] != 0) << k;
  return JpegEncodeBlockMasked(s, component, coefficients, nonzero);
}

bool JpegEncodeBlockMasked(JpegStream* s, JpegComponentCoder* component,
                           const int16_t coefficients[64], uint64_t nonzero) {
  // The bytes are packed into a local buffer and appended in two steps (DC
  // part, AC part), or, while the caller's buffer has room for any block,
  // packed straight into it, where they cannot run out.
  uint8_t local[kJpegBlockBufferBytes];
  const bool direct = !s->counting && s->capacity - s->position >= kJpegBlockBufferBytes;
  uint8_t* const buffer = direct ? s->data + s->position : local;
  BitPacker p{s->bit_buffer, s->bit_count, buffer};

  // DC: the difference to the component's previous DC value.
  const int32_t diff = int32_t(coefficients[0]) - component->dc_predictor;
  component->dc_predictor = coefficients[0];
  const uint32_t dc_size = BitWidth(uint32_t(diff < 0 ? -diff : diff));
  if (dc_size > 11 || !PutValue(&p, component->dc, dc_size, diff, dc_size)) return false;
  p.EmitWholeBytes();
  const uint32_t dc_bytes = uint32_t(p.out - buffer);

  // AC, in zigzag order: runs of zeros before each non-zero value, sixteen
  // at a time as 0xF0, and an end-of-block code unless the last position
  // holds a value.
  const JpegHuffTable* ac = component->ac;
  uint32_t last = 0;
  while (nonzero != 0) {
    const uint32_t k = uint32_t(__builtin_ctzll(nonzero));
    nonzero &= nonzero - 1;
    uint32_t run = k - last - 1;
    last = k;
    while (run >= 16) {
      if (ac->length[0xF0] == 0) return false;
      p.Put(ac->code[0xF0], ac->length[0xF0]);
      run -= 16;
    }
    const int32_t value = coefficients[kJpegZigzag[k]];
    const uint32_t size = BitWidth(uint32_t(value < 0 ? -value : value));
    if (size > 15 || !PutValue(&p, ac, run * 16 + size, value, size)) return false;
  }
  if (last != 63) {
    if (ac->length[0x00] == 0) return false;
    p.Put(ac->code[0x00], ac->length[0x00]);
  }
  p.EmitWholeBytes();
  const uint32_t total = uint32_t(p.out - buffer);

  if (direct) {
    s->position += total;
  } else if (!JpegStreamAppend(s, buffer, dc_bytes) ||
             !JpegStreamAppend(s, buffer + dc_bytes, total - dc_bytes)) {
    return false;
  }
  s->bit_buffer = uint32_t(p.acc) & ((1u << p.bits) - 1);
  s->bit_count = p.bits;
  return true;
}
