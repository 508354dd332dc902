#include "ljpeg/jpeg_quant.h"

void JpegScaleQuantValues(const uint8_t base[64], uint8_t quality, uint8_t values[64]) {
  const uint32_t scale = quality < 50 ? 5000u / quality : 200u - 2u * quality;
  for (int i = 0; i < 64; ++i) {
    uint32_t v = (uint32_t(base[i]) * scale + 50) / 100;
    if (v > 255) v = 255;
    if (v == 0) v = 1;
    values[i] = uint8_t(v);
  }
}

void JpegBuildQuantTable(uint8_t id, const uint8_t values[64], JpegQuantTable* table) {
  table->precision = 0;
  table->id = id;
  for (int i = 0; i < 64; ++i) {
    const uint32_t d = uint32_t(values[i]) * 8;
    // With l = ceil(log2 d), shift = 15 + l and multiplier = ceil(2^shift / d)
    // the error of n * multiplier / 2^shift stays below 1 / d for n < 2^15,
    // so the quotient is exact; multiplier <= 2^16 + 1 keeps the product
    // within 32 bits.
    uint32_t l = 0;
    while ((1u << l) < d) ++l;
    const uint32_t shift = 15 + l;
    table->half[i] = d >> 1;
    table->shift[i] = shift;
    table->multiplier[i] = uint32_t(((uint64_t(1) << shift) + d - 1) / d);
  }
}
