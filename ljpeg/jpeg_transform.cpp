#include "ljpeg/jpeg_transform.h"

#include <cstring>

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
    table->divisor[i] = uint16_t(d);
    // ceil(2^32 / d): (n * r) >> 32 equals n / d for every n below 2^32 / d^2,
    // far above the DCT's outputs (below 2^14 in magnitude).
    table->reciprocal[i] = uint32_t((0x100000000ull + d - 1) / d);
  }
}

namespace {

constexpr int kConstBits = 13;
constexpr int kPass1Bits = 2;
constexpr int32_t kFix0298631336 = 2446;
constexpr int32_t kFix0390180644 = 3196;
constexpr int32_t kFix0541196100 = 4433;
constexpr int32_t kFix0765366865 = 6270;
constexpr int32_t kFix0899976223 = 7373;
constexpr int32_t kFix1175875602 = 9633;
constexpr int32_t kFix1501321110 = 12299;
constexpr int32_t kFix1847759065 = 15137;
constexpr int32_t kFix1961570560 = 16069;
constexpr int32_t kFix2053119869 = 16819;
constexpr int32_t kFix2562915447 = 20995;
constexpr int32_t kFix3072711026 = 25172;

// Eight lanes of 32-bit values: the same step on the eight rows (or
// columns) of a block at once.
typedef int32_t Lanes __attribute__((vector_size(32)));

inline Lanes Descale(Lanes x, int n) { return (x + (1 << (n - 1))) >> n; }

// One 1-D pass over d[0..7]; even outputs 0 and 4 are scaled by even_shift
// (left by kPass1Bits in the first pass, rounded right in the second), the
// others rounded right by shift.
template <bool kFirstPass>
inline void Pass(Lanes d[8]) {
  constexpr int shift = kFirstPass ? kConstBits - kPass1Bits : kConstBits + kPass1Bits;
  const Lanes tmp0 = d[0] + d[7], tmp7 = d[0] - d[7];
  const Lanes tmp1 = d[1] + d[6], tmp6 = d[1] - d[6];
  const Lanes tmp2 = d[2] + d[5], tmp5 = d[2] - d[5];
  const Lanes tmp3 = d[3] + d[4], tmp4 = d[3] - d[4];

  const Lanes tmp10 = tmp0 + tmp3, tmp13 = tmp0 - tmp3;
  const Lanes tmp11 = tmp1 + tmp2, tmp12 = tmp1 - tmp2;
  if (kFirstPass) {
    d[0] = (tmp10 + tmp11) << kPass1Bits;
    d[4] = (tmp10 - tmp11) << kPass1Bits;
  } else {
    d[0] = Descale(tmp10 + tmp11, kPass1Bits);
    d[4] = Descale(tmp10 - tmp11, kPass1Bits);
  }
  const Lanes z1 = (tmp12 + tmp13) * kFix0541196100;
  d[2] = Descale(z1 + tmp13 * kFix0765366865, shift);
  d[6] = Descale(z1 - tmp12 * kFix1847759065, shift);

  const Lanes z5 = (tmp4 + tmp6 + tmp5 + tmp7) * kFix1175875602;
  const Lanes o1 = (tmp4 + tmp7) * -kFix0899976223;
  const Lanes o2 = (tmp5 + tmp6) * -kFix2562915447;
  const Lanes o3 = (tmp4 + tmp6) * -kFix1961570560 + z5;
  const Lanes o4 = (tmp5 + tmp7) * -kFix0390180644 + z5;
  d[7] = Descale(tmp4 * kFix0298631336 + o1 + o3, shift);
  d[5] = Descale(tmp5 * kFix2053119869 + o2 + o4, shift);
  d[3] = Descale(tmp6 * kFix3072711026 + o2 + o3, shift);
  d[1] = Descale(tmp7 * kFix1501321110 + o1 + o4, shift);
}

inline void Transpose(const Lanes in[8], Lanes out[8]) {
  int32_t tmp[64];
  for (int r = 0; r < 8; ++r)
    for (int c = 0; c < 8; ++c) tmp[c * 8 + r] = in[r][c];
  std::memcpy(out, tmp, sizeof(tmp));
}

}  // namespace

void JpegForwardDct(const uint8_t samples[64], int32_t out[64]) {
  // Columns as lanes: d[x] holds sample x of every row, so the first pass
  // transforms all eight rows at once.
  Lanes d[8];
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y) d[x][y] = int32_t(samples[y * 8 + x]) - 128;
  Pass<true>(d);
  // d[u] now holds row-pass output u of every row; turn it so that e[y]
  // holds row y's outputs and the second pass works down the columns.
  Lanes e[8];
  Transpose(d, e);
  Pass<false>(e);
  std::memcpy(out, e, sizeof(e));
}

namespace {

inline int16_t QuantizeOne(int32_t c, const JpegQuantTable& table, int i) {
  const uint32_t magnitude = uint32_t(c < 0 ? -c : c) + (table.divisor[i] >> 1);
  const int32_t q = int32_t((uint64_t(magnitude) * table.reciprocal[i]) >> 32);
  return int16_t(c < 0 ? -q : q);
}

}  // namespace

void JpegQuantize(const int32_t dct[64], const JpegQuantTable& table, int16_t out[64]) {
  for (int i = 0; i < 64; ++i) out[i] = QuantizeOne(dct[i], table, i);
}

void JpegTransformBlock(const uint8_t samples[64], const JpegQuantTable& table, int16_t out[64]) {
  uint64_t words[8];
  std::memcpy(words, samples, 64);
  const uint64_t first = words[0];
  bool uniform = (first == samples[0] * 0x0101010101010101ull);
  for (int i = 1; i < 8 && uniform; ++i) uniform = words[i] == first;
  if (uniform) {
    // Every AC output of a flat block is 0 and the DC output is 64 times
    // the level-shifted sample.
    std::memset(out, 0, 64 * sizeof(int16_t));
    out[0] = QuantizeOne((int32_t(samples[0]) - 128) * 64, table, 0);
    return;
  }
  int32_t dct[64];
  JpegForwardDct(samples, dct);
  JpegQuantize(dct, table, out);
}
