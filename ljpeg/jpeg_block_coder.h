// Huffman code tables and the coding of one quantised block into the
// entropy-coded data.
#pragma once

#include <cstdint>

#include "ljpeg/jpeg_stream.h"
#include "ljpeg/jpeg_tables.h"

// Codes derived from a table's counts and symbols; a symbol of length 0 has
// no code.
struct JpegHuffTable {
  uint8_t id;
  uint8_t length[256];
  uint16_t code[256];
};

void JpegBuildHuffTable(const JpegHuffSpec& spec, JpegHuffTable* table);

// One component of the scan: its code tables and DC predictor.
struct JpegComponentCoder {
  const JpegHuffTable* dc;
  const JpegHuffTable* ac;
  int32_t dc_predictor;
};

// The most bits one block can add to the stream: up to 7 pending bits, the
// DC code and its bits (category 11 at most), and 63 AC coefficients each
// with a code of at most 16 bits and at most 10 further bits.  Every
// completed byte may be followed by a stuffed zero.
inline constexpr uint32_t kJpegMaxBlockBits = 7 + (16 + 11) + 63 * (16 + 10);
inline constexpr uint32_t kJpegBlockBufferBytes = 2 * ((kJpegMaxBlockBits + 7) / 8);

// Codes 64 quantised coefficients (natural order) and appends the DC part
// and then the AC part to the stream.  Fails when the output runs out or a
// value has no code in the tables (a DC difference beyond category 11, an
// AC value beyond category 10).
bool JpegEncodeBlock(JpegStream* s, JpegComponentCoder* component, const int16_t coefficients[64]);

// The same with bit k of ac_nonzero set for each non-zero value at zigzag
// position k (1 to 63); the other values are not looked at.
bool JpegEncodeBlockMasked(JpegStream* s, JpegComponentCoder* component,
                           const int16_t coefficients[64], uint64_t ac_nonzero);
