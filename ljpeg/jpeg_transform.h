// Forward DCT and quantisation of one 8 x 8 block of samples.
#pragma once

#include <cstdint>

// Table values scaled to a quality of 1 to 100: S = 5000 / quality below 50,
// else 200 - 2 * quality; each value (base * S + 50) / 100, kept within 1 to
// 255.  Natural order.
void JpegScaleQuantValues(const uint8_t base[64], uint8_t quality, uint8_t values[64]);

// The quantiser's form of one table: divisors (8 times the table value) and
// their reciprocals.
struct JpegQuantTable {
  uint8_t precision;  // 0: 8-bit values
  uint8_t id;         // 0 luminance, 1 chrominance
  uint16_t divisor[64];
  uint32_t reciprocal[64];
};

void JpegBuildQuantTable(uint8_t id, const uint8_t values[64], JpegQuantTable* table);

// The accurate integer DCT (13-bit constants, 2 extra bits between the
// passes) of the level-shifted samples: 64 values in natural order, 8 times
// the DCT coefficients.
void JpegForwardDct(const uint8_t samples[64], int32_t out[64]);

// Rounds c / d to the nearest integer, halves away from zero.
void JpegQuantize(const int32_t dct[64], const JpegQuantTable& table, int16_t out[64]);

// Both steps; a block of one sample value takes a shortcut with the same
// result.
void JpegTransformBlock(const uint8_t samples[64], const JpegQuantTable& table, int16_t out[64]);
