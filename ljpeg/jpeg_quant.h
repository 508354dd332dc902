// Quantisation tables: the example tables scaled to a quality, and the
// quantiser's form of each.
#pragma once

#include <cstdint>

// Table values scaled to a quality of 1 to 100: S = 5000 / quality below 50,
// else 200 - 2 * quality; each value (base * S + 50) / 100, kept within 1 to
// 255.  Natural order.
void JpegScaleQuantValues(const uint8_t base[64], uint8_t quality, uint8_t values[64]);

// The quantiser divides a DCT output c by d = 8 * value, rounding to the
// nearest integer with halves away from zero: (|c| + d / 2) / d with the
// sign of c.  The division is done as (n * multiplier) >> shift, exact for
// every n below 2^15 (DCT outputs of 8-bit samples stay below 2^14).
struct JpegQuantTable {
  uint8_t precision;  // 0: 8-bit values
  uint8_t id;         // 0 luminance, 1 chrominance
  uint32_t half[64];  // d / 2
  uint32_t multiplier[64];
  uint32_t shift[64];
};

void JpegBuildQuantTable(uint8_t id, const uint8_t values[64], JpegQuantTable* table);
