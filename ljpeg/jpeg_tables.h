// The standard tables of baseline JPEG: zigzag order, the example
// quantisation tables and the typical Huffman tables (counts of codes per
// length and their symbols).
#pragma once

#include <cstdint>

// Natural (row-major) index of each zigzag position.
extern const uint8_t kJpegZigzag[64];
// Zigzag position of each natural index.
extern const uint8_t kJpegZigzagPosition[64];

// Quantisation bases in natural order: 0 luminance, 1 chrominance.
extern const uint8_t kJpegQuantBase[2][64];

struct JpegHuffSpec {
  uint8_t class_and_id;  // the DHT table byte: class * 16 + identifier
  uint8_t counts[16];    // codes of lengths 1 to 16
  const uint8_t* symbols;
  uint16_t symbol_count;
};

// DC luminance, AC luminance, DC chrominance, AC chrominance, in the order
// the DHT segment carries them.
extern const JpegHuffSpec kJpegHuffSpecs[4];
