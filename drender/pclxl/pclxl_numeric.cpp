// Numeric conversions and small routines of the PCL XL encoder.
#include "drender/pclxl/pclxl_numeric.h"

#include <cstring>

namespace {

constexpr uint32_t kMillion = 1000000;
constexpr uint32_t kSignificantBits = 24;  // leading one and 23 mantissa bits

}  // namespace

uint32_t Rdc_ParseDecimalN(const char* text, size_t length) {
  if (text == nullptr) return 0;
  uint64_t sum = 0;
  uint64_t power = 1;  // 10^k while k <= 9; beyond, any digit overflows
  for (size_t k = 0; k < length; ++k) {
    uint32_t digit = static_cast<uint8_t>(text[length - 1 - k]) & 0x0F;
    if (digit <= 9 && digit != 0) {
      if (k > 9) return 0xFFFFFFFFu;
      sum += digit * power;
      if (sum > 0xFFFFFFFFull) return 0xFFFFFFFFu;
    }
    if (k < 9) power *= 10;
  }
  return static_cast<uint32_t>(sum);
}

uint32_t Rdc_ParseDecimal(const char* text) {
  if (text == nullptr) return 0;
  return Rdc_ParseDecimalN(text, std::strlen(text));
}

uint32_t Rdc_MillionthsToReal32(int32_t millionths) {
  if (millionths == 0) return 0;
  uint32_t sign = millionths < 0 ? 0x80000000u : 0;
  uint32_t magnitude = millionths < 0 ? 0u - static_cast<uint32_t>(millionths)
                                      : static_cast<uint32_t>(millionths);
  uint32_t whole = magnitude / kMillion;
  uint32_t remainder = magnitude % kMillion;

  // The significant bits, starting with the leading one: the whole part,
  // then the binary expansion of the remainder, until 24 bits are held or
  // the expansion ends.
  uint32_t bits = 0;
  uint32_t count = 0;
  int32_t exponent;
  if (whole != 0) {
    for (uint32_t w = whole; w != 0; w >>= 1) ++count;  // at most 12 bits
    bits = whole;
    exponent = 127 + static_cast<int32_t>(count) - 1;
  } else {
    // Skip the leading zero bits of the expansion (at most 20 for a
    // non-zero remainder below one million).
    int32_t zeros = 0;
    for (;;) {
      remainder <<= 1;
      if (remainder >= kMillion) {
        remainder -= kMillion;
        break;
      }
      ++zeros;
    }
    bits = 1;
    count = 1;
    exponent = 126 - zeros;
  }
  while (count < kSignificantBits && remainder != 0) {
    remainder <<= 1;
    bits <<= 1;
    if (remainder >= kMillion) {
      remainder -= kMillion;
      bits |= 1;
    }
    ++count;
  }
  bits <<= (kSignificantBits - count);
  uint32_t pattern = sign | (static_cast<uint32_t>(exponent) << 23) | (bits & 0x7FFFFFu);
  // Whatever is left of the expansion lies below the last kept bit: round
  // the magnitude up (a carry into the exponent is what it should be).
  if (remainder != 0) pattern += 1;
  return pattern;
}

uint32_t Rdc_SwapBytes32(uint32_t v) {
  return (v >> 24) | ((v >> 8) & 0x0000FF00u) | ((v << 8) & 0x00FF0000u) | (v << 24);
}

uint32_t Rdc_Hypot(int32_t a, int32_t b) {
  uint64_t x = a < 0 ? 0ull - static_cast<uint64_t>(static_cast<int64_t>(a))
                     : static_cast<uint64_t>(a);
  uint64_t y = b < 0 ? 0ull - static_cast<uint64_t>(static_cast<int64_t>(b))
                     : static_cast<uint64_t>(b);
  if (x == 0) return static_cast<uint32_t>(y);
  if (y == 0) return static_cast<uint32_t>(x);
  uint64_t target = x * x + y * y;  // at most 2^63
  // Integer square root rounded down, bit by bit, then up to the ceiling.
  uint64_t root = 0;
  uint64_t rest = target;
  uint64_t bit = 1ull << 62;
  while (bit > rest) bit >>= 2;
  while (bit != 0) {
    if (rest >= root + bit) {
      rest -= root + bit;
      root = (root >> 1) + bit;
    } else {
      root >>= 1;
    }
    bit >>= 2;
  }
  if (root * root < target) ++root;
  return static_cast<uint32_t>(root);
}

uint32_t Rdc_Rop2ToRop3(int32_t rop2) {
  static const uint32_t kRop3[16] = {
      0x00000042, 0x000500A9, 0x000A0329, 0x000F0001, 0x00500325, 0x00550009,
      0x005A0049, 0x005F00E9, 0x00A000C9, 0x00A50065, 0x00AA0029, 0x00AF0229,
      0x00F00021, 0x00F50225, 0x00FA0089, 0x00FF0062,
  };
  if (rop2 < 1 || rop2 > 16) return 0xFFFFFFFFu;
  return kRop3[rop2 - 1];
}
