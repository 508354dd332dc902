// Compiled once per kernel table: JPEG_KERNEL_TABLE names the table this
// compilation defines (see CMakeLists.txt).  The code is written with the
// compiler's vector types, so each compilation uses the instructions of its
// target; all arithmetic is exact integer arithmetic, so every compilation
// gives the same results.  Vectors are moved with memcpy: nothing here
// relies on the stack or the caller's records being aligned for them.
#include <cstring>

#if defined(__AVX2__)
#include <immintrin.h>
#endif

#include "ljpeg/jpeg_kernels.h"
#include "ljpeg/jpeg_tables.h"

#ifndef JPEG_KERNEL_TABLE
#define JPEG_KERNEL_TABLE kJpegKernelsGeneric
#endif
#define JPEG_STRINGIFY2(x) #x
#define JPEG_STRINGIFY(x) JPEG_STRINGIFY2(x)

namespace {

typedef uint8_t U8x8 __attribute__((vector_size(8)));
typedef uint8_t U8x16 __attribute__((vector_size(16)));
typedef uint16_t U16x8 __attribute__((vector_size(16)));
typedef uint16_t U16x16 __attribute__((vector_size(32)));
typedef int16_t I16x8 __attribute__((vector_size(16)));
typedef int32_t I32x8 __attribute__((vector_size(32)));
typedef uint32_t U32x8 __attribute__((vector_size(32)));

template <typename V>
inline V Load(const void* p) {
  V v;
  std::memcpy(&v, p, sizeof(v));
  return v;
}

template <typename V>
inline void Store(void* p, V v) {
  std::memcpy(p, &v, sizeof(v));
}

// ---- Row converters ----------------------------------------------------
//
// Each pixel format is a struct with its size, a scalar reader, and Block,
// which converts the next 8 pixels (or, with AVX2, 16 when at least 16 are
// left) and returns how many it converted.  ConvertRow drives them.

inline void RepeatLast(uint8_t* plane, uint32_t n, uint32_t width) {
  if (n < width) std::memset(plane + n, plane[n - 1], width - n);
}

template <typename Pixel>
void ConvertRow(const uint8_t* src, uint32_t n, uint32_t width, uint8_t* y, uint8_t* cb,
                uint8_t* cr) {
  uint32_t i = 0;
  while (n - i >= 8) i += Pixel::Block(src + Pixel::kBytes * i, n - i, y + i, cb + i, cr + i);
  for (; i < n; ++i) {
    int32_t r, g, b;
    Pixel::Rgb(src + Pixel::kBytes * i, &r, &g, &b);
    JpegRgbToYcc(r, g, b, y + i, cb + i, cr + i);
  }
  RepeatLast(y, n, width);
  RepeatLast(cb, n, width);
  RepeatLast(cr, n, width);
}

void ConvertGrey(const uint8_t* src, uint32_t n, uint32_t width, uint8_t* y, uint8_t*, uint8_t*) {
  std::memcpy(y, src, n);
  RepeatLast(y, n, width);
}

#if !defined(__AVX2__)
// Eight pixels' channels to Y, Cb and Cr, limited to 0..255.
inline uint32_t YccStore8(I32x8 r, I32x8 g, I32x8 b, uint8_t* y, uint8_t* cb, uint8_t* cr) {
  const I32x8 zero = {};
  const I32x8 max = zero + 255;
  I32x8 yy = (77 * r + 150 * g + 29 * b + 128) >> 8;
  I32x8 cbv = ((128 * b + 128 - 43 * r - 85 * g) >> 8) + 128;
  I32x8 crv = ((128 * r + 128 - 107 * g - 21 * b) >> 8) + 128;
  yy = yy > max ? max : yy;
  cbv = cbv > max ? max : cbv < zero ? zero : cbv;
  crv = crv > max ? max : crv < zero ? zero : crv;
  Store(y, __builtin_convertvector(yy, U8x8));
  Store(cb, __builtin_convertvector(cbv, U8x8));
  Store(cr, __builtin_convertvector(crv, U8x8));
  return 8;
}
#endif

#if defined(__AVX2__)
// In 16-bit lanes: Y's sum stays below 2^16; for Cb and Cr,
// s = 128 * main - kX * x - kZ * z lies within +-32640, and ((s + 128) >> 8)
// equals ((s >> 1) + 64) >> 7, which cannot overflow.  The final pack to
// bytes saturates, which is the limit to 0..255.
template <int kX, int kZ>
inline __m256i Chroma16(__m256i main, __m256i x, __m256i z) {
  const __m256i s =
      _mm256_sub_epi16(_mm256_slli_epi16(main, 7),
                       _mm256_add_epi16(_mm256_mullo_epi16(x, _mm256_set1_epi16(kX)),
                                        _mm256_mullo_epi16(z, _mm256_set1_epi16(kZ))));
  const __m256i q =
      _mm256_srai_epi16(_mm256_add_epi16(_mm256_srai_epi16(s, 1), _mm256_set1_epi16(64)), 7);
  return _mm256_add_epi16(q, _mm256_set1_epi16(128));
}

inline void StoreBytes(uint8_t* dst, __m256i v, uint32_t count) {
  const __m128i packed =
      _mm_packus_epi16(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1));
  if (count == 16) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), packed);
  } else {
    _mm_storel_epi64(reinterpret_cast<__m128i*>(dst), packed);
  }
}

// 8 or 16 pixels whose channels are in 16-bit lanes.
inline uint32_t YccStore(__m256i r, __m256i g, __m256i b, uint32_t count, uint8_t* y,
                         uint8_t* cb, uint8_t* cr) {
  const __m256i yy = _mm256_srli_epi16(
      _mm256_add_epi16(_mm256_add_epi16(_mm256_mullo_epi16(r, _mm256_set1_epi16(77)),
                                        _mm256_mullo_epi16(g, _mm256_set1_epi16(150))),
                       _mm256_add_epi16(_mm256_mullo_epi16(b, _mm256_set1_epi16(29)),
                                        _mm256_set1_epi16(128))),
      8);
  StoreBytes(y, yy, count);
  StoreBytes(cb, Chroma16<43, 85>(b, r, g), count);
  StoreBytes(cr, Chroma16<107, 21>(r, g, b), count);
  return count;
}

// pshufb masks that gather byte 3j + c (j = 0..15) of 48 bytes from their
// 16-byte part v.
struct Mask24 {
  int8_t m[3][3][16];
  constexpr Mask24() : m() {
    for (int c = 0; c < 3; ++c)
      for (int v = 0; v < 3; ++v)
        for (int j = 0; j < 16; ++j) {
          const int pos = 3 * j + c - 16 * v;
          m[c][v][j] = int8_t(pos >= 0 && pos < 16 ? pos : -128);
        }
  }
};
constexpr Mask24 kMask24;

inline __m256i Gather24(const __m128i parts[3], int c) {
  __m128i out = _mm_setzero_si128();
  for (int v = 0; v < 3; ++v)
    out = _mm_or_si128(out, _mm_shuffle_epi8(parts[v], _mm_loadu_si128(
                                                           reinterpret_cast<const __m128i*>(kMask24.m[c][v]))));
  return _mm256_cvtepu8_epi16(out);
}

// Channel byte kByte of 8 + 8 32-bit pixels as 16-bit lanes in pixel order.
template <int kByte>
inline __m256i Channel32(__m256i a, __m256i b) {
  const __m256i mask = _mm256_set1_epi32(0xFF);
  const __m256i ca = _mm256_and_si256(_mm256_srli_epi32(a, 8 * kByte), mask);
  const __m256i cb = _mm256_and_si256(_mm256_srli_epi32(b, 8 * kByte), mask);
  // packus works within 128-bit halves: put the pixels back in order.
  return _mm256_permute4x64_epi64(_mm256_packus_epi32(ca, cb), 0xD8);
}
#endif  // __AVX2__

// 24-bit pixels; kRed is the offset of red (0 or 2), blue the other end.
template <uint32_t kRed>
struct Pixel24 {
  static constexpr uint32_t kBytes = 3;
  static void Rgb(const uint8_t* p, int32_t* r, int32_t* g, int32_t* b) {
    *r = p[kRed], *g = p[1], *b = p[2 - kRed];
  }
#if defined(__AVX2__)
  static uint32_t Block(const uint8_t* p, uint32_t left, uint8_t* y, uint8_t* cb, uint8_t* cr) {
    const uint32_t count = left >= 16 ? 16 : 8;
    __m128i parts[3];
    parts[0] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    if (count == 16) {
      parts[1] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
      parts[2] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 32));
    } else {
      parts[1] = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + 16));
      parts[2] = _mm_setzero_si128();
    }
    return YccStore(Gather24(parts, kRed), Gather24(parts, 1), Gather24(parts, 2 - kRed), count,
                    y, cb, cr);
  }
#else
  // Eight pixels are 24 bytes, read as two overlapping 16-byte loads: byte
  // j of the 24 is a[j] for j < 16, else b[j - 8], index j + 8 of (a, b).
  static uint32_t Block(const uint8_t* p, uint32_t, uint8_t* y, uint8_t* cb, uint8_t* cr) {
    const U8x16 a = Load<U8x16>(p);
    const U8x16 b = Load<U8x16>(p + 8);
    const I32x8 c0 = __builtin_convertvector(__builtin_shufflevector(a, b, 0, 3, 6, 9, 12, 15, 26, 29), I32x8);
    const I32x8 c1 = __builtin_convertvector(__builtin_shufflevector(a, b, 1, 4, 7, 10, 13, 24, 27, 30), I32x8);
    const I32x8 c2 = __builtin_convertvector(__builtin_shufflevector(a, b, 2, 5, 8, 11, 14, 25, 28, 31), I32x8);
    return YccStore8(kRed == 0 ? c0 : c2, c1, kRed == 0 ? c2 : c0, y, cb, cr);
  }
#endif
};

// 32-bit pixels, the fourth byte ignored.
template <uint32_t kRed>
struct Pixel32 {
  static constexpr uint32_t kBytes = 4;
  static void Rgb(const uint8_t* p, int32_t* r, int32_t* g, int32_t* b) {
    *r = p[kRed], *g = p[1], *b = p[2 - kRed];
  }
#if defined(__AVX2__)
  static uint32_t Block(const uint8_t* p, uint32_t left, uint8_t* y, uint8_t* cb, uint8_t* cr) {
    const uint32_t count = left >= 16 ? 16 : 8;
    const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i b = count == 16 ? _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32))
                                  : _mm256_setzero_si256();
    return YccStore(Channel32<kRed>(a, b), Channel32<1>(a, b), Channel32<2 - kRed>(a, b), count, y,
                    cb, cr);
  }
#else
  static uint32_t Block(const uint8_t* p, uint32_t, uint8_t* y, uint8_t* cb, uint8_t* cr) {
    const U8x16 a = Load<U8x16>(p);
    const U8x16 b = Load<U8x16>(p + 16);
    const I32x8 c0 = __builtin_convertvector(__builtin_shufflevector(a, b, 0, 4, 8, 12, 16, 20, 24, 28), I32x8);
    const I32x8 c1 = __builtin_convertvector(__builtin_shufflevector(a, b, 1, 5, 9, 13, 17, 21, 25, 29), I32x8);
    const I32x8 c2 = __builtin_convertvector(__builtin_shufflevector(a, b, 2, 6, 10, 14, 18, 22, 26, 30), I32x8);
    return YccStore8(kRed == 0 ? c0 : c2, c1, kRed == 0 ? c2 : c0, y, cb, cr);
  }
#endif
};

// 16-bit little-endian words of three 5-bit fields; kRedShift is 0 or 10,
// blue takes the other end; a 5-bit value becomes 8 bits by a shift of 3.
template <uint32_t kRedShift>
struct Pixel16 {
  static constexpr uint32_t kBytes = 2;
  static constexpr uint32_t kBlueShift = 10 - kRedShift;
  static void Rgb(const uint8_t* p, int32_t* r, int32_t* g, int32_t* b) {
    const uint32_t w = uint32_t(p[0]) | uint32_t(p[1]) << 8;
    *r = int32_t((w >> kRedShift) & 31) << 3;
    *g = int32_t((w >> 5) & 31) << 3;
    *b = int32_t((w >> kBlueShift) & 31) << 3;
  }
#if defined(__AVX2__)
  static uint32_t Block(const uint8_t* p, uint32_t left, uint8_t* y, uint8_t* cb, uint8_t* cr) {
    const uint32_t count = left >= 16 ? 16 : 8;
    const __m256i w =
        count == 16 ? _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p))
                    : _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
    const __m256i five = _mm256_set1_epi16(31);
    return YccStore(_mm256_slli_epi16(_mm256_and_si256(_mm256_srli_epi16(w, kRedShift), five), 3),
                    _mm256_slli_epi16(_mm256_and_si256(_mm256_srli_epi16(w, 5), five), 3),
                    _mm256_slli_epi16(_mm256_and_si256(_mm256_srli_epi16(w, kBlueShift), five), 3),
                    count, y, cb, cr);
  }
#else
  static uint32_t Block(const uint8_t* p, uint32_t, uint8_t* y, uint8_t* cb, uint8_t* cr) {
    const U8x16 bytes = Load<U8x16>(p);
    const U8x8 lo = __builtin_shufflevector(bytes, bytes, 0, 2, 4, 6, 8, 10, 12, 14);
    const U8x8 hi = __builtin_shufflevector(bytes, bytes, 1, 3, 5, 7, 9, 11, 13, 15);
    const I32x8 w = __builtin_convertvector(lo, I32x8) | (__builtin_convertvector(hi, I32x8) << 8);
    return YccStore8(((w >> kRedShift) & 31) << 3, ((w >> 5) & 31) << 3,
                     ((w >> kBlueShift) & 31) << 3, y, cb, cr);
  }
#endif
};

// ---- Downsamplers --------------------------------------------------------

// Copies the 8 x 8 block at (bx, by) of a plane whose rows are `stride`
// bytes apart.
inline void CutBlock(const uint8_t* plane, uint32_t stride, uint32_t bx, uint32_t by, uint8_t* block) {
  for (uint32_t r = 0; r < 8; ++r) std::memcpy(block + r * 8, plane + (by + r) * stride + bx, 8);
}

// Sums of horizontal pairs of a 16-sample row.
inline U16x8 PairSums(U16x16 row) {
  return __builtin_shufflevector(row, row, 0, 2, 4, 6, 8, 10, 12, 14) +
         __builtin_shufflevector(row, row, 1, 3, 5, 7, 9, 11, 13, 15);
}

void Downsample2x2(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint32_t stride, uint8_t* blocks) {
  CutBlock(y, stride, 0, 0, blocks);
  CutBlock(y, stride, 8, 0, blocks + 64);
  CutBlock(y, stride, 0, 8, blocks + 128);
  CutBlock(y, stride, 8, 8, blocks + 192);
  const uint8_t* planes[2] = {cb, cr};
  for (int c = 0; c < 2; ++c) {
    uint8_t* out = blocks + 256 + c * 64;
    for (uint32_t row = 0; row < 8; ++row) {
      const U16x16 top = __builtin_convertvector(Load<U8x16>(planes[c] + 2 * row * stride), U16x16);
      const U16x16 bottom = __builtin_convertvector(Load<U8x16>(planes[c] + (2 * row + 1) * stride), U16x16);
      Store(out + 8 * row, __builtin_convertvector(PairSums(top + bottom) >> 2, U8x8));
    }
  }
}

void Downsample2x1(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint32_t stride, uint8_t* blocks) {
  CutBlock(y, stride, 0, 0, blocks);
  CutBlock(y, stride, 8, 0, blocks + 64);
  const uint8_t* planes[2] = {cb, cr};
  for (int c = 0; c < 2; ++c) {
    uint8_t* out = blocks + 128 + c * 64;
    for (uint32_t row = 0; row < 8; ++row) {
      const U16x16 line = __builtin_convertvector(Load<U8x16>(planes[c] + row * stride), U16x16);
      Store(out + 8 * row, __builtin_convertvector(PairSums(line) >> 1, U8x8));
    }
  }
}

void Downsample1x1(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint32_t stride, uint8_t* blocks) {
  CutBlock(y, stride, 0, 0, blocks);
  CutBlock(cb, stride, 0, 0, blocks + 64);
  CutBlock(cr, stride, 0, 0, blocks + 128);
}

void CutGrey(const uint8_t* y, const uint8_t*, const uint8_t*, uint32_t stride, uint8_t* blocks) {
  CutBlock(y, stride, 0, 0, blocks);
}

// ---- Forward DCT -----------------------------------------------------------

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

inline int16_t QuantizeOne(int32_t c, const JpegQuantTable& t, int i) {
  const uint32_t n = uint32_t(c < 0 ? -c : c) + t.half[i];
  const int32_t q = int32_t((n * t.multiplier[i]) >> t.shift[i]);
  return int16_t(c < 0 ? -q : q);
}

// A block of one sample value: every AC output is 0 and the DC output is 64
// times the level-shifted sample.  True when the block is one.
inline bool FlatBlock(const uint8_t samples[64], const JpegQuantTable& table, int16_t coefficients[64],
                      uint64_t* ac_nonzero) {
  uint64_t words[8];
  std::memcpy(words, samples, 64);
  const uint64_t first = words[0];
  bool uniform = first == samples[0] * 0x0101010101010101ull;
  for (int i = 1; i < 8; ++i) uniform &= words[i] == first;
  if (!uniform) return false;
  std::memset(coefficients, 0, 64 * sizeof(int16_t));
  coefficients[0] = QuantizeOne((int32_t(samples[0]) - 128) * 64, table, 0);
  *ac_nonzero = 0;
  return true;
}

// Moves the bits of the non-zero AC values (natural order) to their zigzag
// positions, one value at a time: quick when few values survive.  (Builds
// with the wide kernels do without it.)
[[maybe_unused]] inline uint64_t ZigzagBits(uint64_t natural) {
  natural &= ~uint64_t(1);
  uint64_t zigzag = 0;
  while (natural != 0) {
    zigzag |= uint64_t(1) << kJpegZigzagPosition[__builtin_ctzll(natural)];
    natural &= natural - 1;
  }
  return zigzag;
}

#if !defined(__AVX2__)
template <int kShift>
inline I32x8 Descale(I32x8 x) {
  return (x + (1 << (kShift - 1))) >> kShift;
}

// One 1-D pass over d[0..7], each lane a separate row (or column).  The
// first pass keeps kPass1Bits extra bits; the second removes them.
template <bool kFirstPass>
inline void Pass(I32x8 d[8]) {
  constexpr int kShift = kFirstPass ? kConstBits - kPass1Bits : kConstBits + kPass1Bits;
  const I32x8 tmp0 = d[0] + d[7], tmp7 = d[0] - d[7];
  const I32x8 tmp1 = d[1] + d[6], tmp6 = d[1] - d[6];
  const I32x8 tmp2 = d[2] + d[5], tmp5 = d[2] - d[5];
  const I32x8 tmp3 = d[3] + d[4], tmp4 = d[3] - d[4];

  const I32x8 tmp10 = tmp0 + tmp3, tmp13 = tmp0 - tmp3;
  const I32x8 tmp11 = tmp1 + tmp2, tmp12 = tmp1 - tmp2;
  if (kFirstPass) {
    d[0] = (tmp10 + tmp11) << kPass1Bits;
    d[4] = (tmp10 - tmp11) << kPass1Bits;
  } else {
    d[0] = Descale<kPass1Bits>(tmp10 + tmp11);
    d[4] = Descale<kPass1Bits>(tmp10 - tmp11);
  }
  const I32x8 z1 = (tmp12 + tmp13) * kFix0541196100;
  d[2] = Descale<kShift>(z1 + tmp13 * kFix0765366865);
  d[6] = Descale<kShift>(z1 - tmp12 * kFix1847759065);

  const I32x8 z5 = (tmp4 + tmp6 + tmp5 + tmp7) * kFix1175875602;
  const I32x8 o1 = (tmp4 + tmp7) * -kFix0899976223;
  const I32x8 o2 = (tmp5 + tmp6) * -kFix2562915447;
  const I32x8 o3 = (tmp4 + tmp6) * -kFix1961570560 + z5;
  const I32x8 o4 = (tmp5 + tmp7) * -kFix0390180644 + z5;
  d[7] = Descale<kShift>(tmp4 * kFix0298631336 + o1 + o3);
  d[5] = Descale<kShift>(tmp5 * kFix2053119869 + o2 + o4);
  d[3] = Descale<kShift>(tmp6 * kFix3072711026 + o2 + o3);
  d[1] = Descale<kShift>(tmp7 * kFix1501321110 + o1 + o4);
}

// 8 x 8 transpose: lane j of out[i] is lane i of in[j].
inline void Transpose(I32x8 m[8]) {
  I32x8 t[8], u[8];
  for (int i = 0; i < 8; i += 2) {
    t[i] = __builtin_shufflevector(m[i], m[i + 1], 0, 8, 1, 9, 4, 12, 5, 13);
    t[i + 1] = __builtin_shufflevector(m[i], m[i + 1], 2, 10, 3, 11, 6, 14, 7, 15);
  }
  for (int i = 0; i < 8; i += 4) {
    u[i] = __builtin_shufflevector(t[i], t[i + 2], 0, 1, 8, 9, 4, 5, 12, 13);
    u[i + 1] = __builtin_shufflevector(t[i], t[i + 2], 2, 3, 10, 11, 6, 7, 14, 15);
    u[i + 2] = __builtin_shufflevector(t[i + 1], t[i + 3], 0, 1, 8, 9, 4, 5, 12, 13);
    u[i + 3] = __builtin_shufflevector(t[i + 1], t[i + 3], 2, 3, 10, 11, 6, 7, 14, 15);
  }
  for (int i = 0; i < 4; ++i) {
    m[i] = __builtin_shufflevector(u[i], u[i + 4], 0, 1, 2, 3, 8, 9, 10, 11);
    m[i + 4] = __builtin_shufflevector(u[i], u[i + 4], 4, 5, 6, 7, 12, 13, 14, 15);
  }
}

inline void DctRows(const uint8_t samples[64], I32x8 d[8]) {
  for (int row = 0; row < 8; ++row)
    d[row] = __builtin_convertvector(Load<U8x8>(samples + 8 * row), I32x8) - 128;
  // Lanes become rows: d[x] holds sample x of every row, and the first pass
  // transforms all rows at once; the second transpose turns the result so
  // that the second pass works down the columns.
  Transpose(d);
  Pass<true>(d);
  Transpose(d);
  Pass<false>(d);
}

void ForwardDct(const uint8_t samples[64], int32_t out[64]) {
  I32x8 d[8];
  DctRows(samples, d);
  for (int row = 0; row < 8; ++row) Store(out + 8 * row, d[row]);
}

// Bits of the non-zero values among the 64, by natural index.
inline uint64_t NonZeroBits(const int16_t v[64]) {
  uint64_t bits = 0;
  for (int i = 0; i < 64; ++i) bits |= uint64_t(v[i] != 0) << i;
  return bits;
}

void TransformOne(const uint8_t samples[64], const JpegQuantTable& table, int16_t coefficients[64],
                  uint64_t* ac_nonzero) {
  if (FlatBlock(samples, table, coefficients, ac_nonzero)) return;
  I32x8 d[8];
  DctRows(samples, d);
  const I32x8 zero = {};
  for (int row = 0; row < 8; ++row) {
    const I32x8 c = d[row];
    const U32x8 n = U32x8(c < zero ? -c : c) + Load<U32x8>(table.half + 8 * row);
    const I32x8 q = I32x8((n * Load<U32x8>(table.multiplier + 8 * row)) >>
                          Load<U32x8>(table.shift + 8 * row));
    Store(coefficients + 8 * row, __builtin_convertvector(c < zero ? -q : q, I16x8));
  }
  *ac_nonzero = ZigzagBits(NonZeroBits(coefficients));
}

void Transform(const uint8_t* samples, uint32_t count, const JpegQuantTable* const* tables,
               int16_t* coefficients, uint64_t* ac_nonzero) {
  for (uint32_t b = 0; b < count; ++b)
    TransformOne(samples + 64 * b, *tables[b], coefficients + 64 * b, ac_nonzero + b);
}
#else
// Two blocks at once in 16-bit lanes: lanes 0-7 of each vector belong to the
// first block, lanes 8-15 to the second.  The arithmetic is the same
// integer algorithm, each product of two terms formed by one multiply-add of
// 16-bit pairs into 32 bits: for 8-bit samples no sum of the algorithm
// leaves 16 bits (the largest, a column's DC sum, reaches -32768 for a
// black block), and the products and their sums stay within 32 bits as in
// the plain form, so the results are the same bit for bit.

// 8 x 8 transpose within each 128-bit half: lane j of out[i] is lane i of
// in[j], for each block.
inline void Transpose16(__m256i r[8]) {
  __m256i t[8], u[8];
  for (int i = 0; i < 4; ++i) {
    t[2 * i] = _mm256_unpacklo_epi16(r[2 * i], r[2 * i + 1]);
    t[2 * i + 1] = _mm256_unpackhi_epi16(r[2 * i], r[2 * i + 1]);
  }
  u[0] = _mm256_unpacklo_epi32(t[0], t[2]);
  u[1] = _mm256_unpackhi_epi32(t[0], t[2]);
  u[2] = _mm256_unpacklo_epi32(t[1], t[3]);
  u[3] = _mm256_unpackhi_epi32(t[1], t[3]);
  u[4] = _mm256_unpacklo_epi32(t[4], t[6]);
  u[5] = _mm256_unpackhi_epi32(t[4], t[6]);
  u[6] = _mm256_unpacklo_epi32(t[5], t[7]);
  u[7] = _mm256_unpackhi_epi32(t[5], t[7]);
  for (int i = 0; i < 4; ++i) {
    r[2 * i] = _mm256_unpacklo_epi64(u[i], u[i + 4]);
    r[2 * i + 1] = _mm256_unpackhi_epi64(u[i], u[i + 4]);
  }
}

// a * ka + b * kb, rounded and shifted right by kShift, for each lane.
template <int kShift>
inline __m256i MulAdd(__m256i a, __m256i b, int32_t ka, int32_t kb) {
  const __m256i k = _mm256_set1_epi32(int32_t((uint32_t(uint16_t(kb)) << 16) | uint16_t(ka)));
  const __m256i round = _mm256_set1_epi32(1 << (kShift - 1));
  const __m256i lo = _mm256_madd_epi16(_mm256_unpacklo_epi16(a, b), k);
  const __m256i hi = _mm256_madd_epi16(_mm256_unpackhi_epi16(a, b), k);
  return _mm256_packs_epi32(_mm256_srai_epi32(_mm256_add_epi32(lo, round), kShift),
                            _mm256_srai_epi32(_mm256_add_epi32(hi, round), kShift));
}

// a * ka + b * kb + c * kc + e * ke, rounded and shifted right by kShift.
template <int kShift>
inline __m256i MulAdd4(__m256i a, __m256i b, int32_t ka, int32_t kb, __m256i c, __m256i e, int32_t kc,
                       int32_t ke) {
  const __m256i k1 = _mm256_set1_epi32(int32_t((uint32_t(uint16_t(kb)) << 16) | uint16_t(ka)));
  const __m256i k2 = _mm256_set1_epi32(int32_t((uint32_t(uint16_t(ke)) << 16) | uint16_t(kc)));
  const __m256i round = _mm256_set1_epi32(1 << (kShift - 1));
  const __m256i lo = _mm256_add_epi32(_mm256_madd_epi16(_mm256_unpacklo_epi16(a, b), k1),
                                      _mm256_madd_epi16(_mm256_unpacklo_epi16(c, e), k2));
  const __m256i hi = _mm256_add_epi32(_mm256_madd_epi16(_mm256_unpackhi_epi16(a, b), k1),
                                      _mm256_madd_epi16(_mm256_unpackhi_epi16(c, e), k2));
  return _mm256_packs_epi32(_mm256_srai_epi32(_mm256_add_epi32(lo, round), kShift),
                            _mm256_srai_epi32(_mm256_add_epi32(hi, round), kShift));
}

template <bool kFirstPass>
inline void Pass16(__m256i d[8]) {
  constexpr int kShift = kFirstPass ? kConstBits - kPass1Bits : kConstBits + kPass1Bits;
  const __m256i tmp0 = _mm256_add_epi16(d[0], d[7]), tmp7 = _mm256_sub_epi16(d[0], d[7]);
  const __m256i tmp1 = _mm256_add_epi16(d[1], d[6]), tmp6 = _mm256_sub_epi16(d[1], d[6]);
  const __m256i tmp2 = _mm256_add_epi16(d[2], d[5]), tmp5 = _mm256_sub_epi16(d[2], d[5]);
  const __m256i tmp3 = _mm256_add_epi16(d[3], d[4]), tmp4 = _mm256_sub_epi16(d[3], d[4]);

  const __m256i tmp10 = _mm256_add_epi16(tmp0, tmp3), tmp13 = _mm256_sub_epi16(tmp0, tmp3);
  const __m256i tmp11 = _mm256_add_epi16(tmp1, tmp2), tmp12 = _mm256_sub_epi16(tmp1, tmp2);
  if (kFirstPass) {
    d[0] = _mm256_slli_epi16(_mm256_add_epi16(tmp10, tmp11), kPass1Bits);
    d[4] = _mm256_slli_epi16(_mm256_sub_epi16(tmp10, tmp11), kPass1Bits);
  } else {
    const __m256i round = _mm256_set1_epi16(1 << (kPass1Bits - 1));
    d[0] = _mm256_srai_epi16(_mm256_add_epi16(_mm256_add_epi16(tmp10, tmp11), round), kPass1Bits);
    d[4] = _mm256_srai_epi16(_mm256_add_epi16(_mm256_sub_epi16(tmp10, tmp11), round), kPass1Bits);
  }
  // z1 = (tmp12 + tmp13) * c1; d2 = z1 + tmp13 * c2; d6 = z1 - tmp12 * c3.
  d[2] = MulAdd<kShift>(tmp12, tmp13, kFix0541196100, kFix0541196100 + kFix0765366865);
  d[6] = MulAdd<kShift>(tmp12, tmp13, kFix0541196100 - kFix1847759065, kFix0541196100);

  // With z3 = tmp4 + tmp6 and z4 = tmp5 + tmp7, z5 = (z3 + z4) * c:
  // o3 = z3 * -c3 + z5, o4 = z4 * -c4 + z5, o1 = (tmp4 + tmp7) * -c1 and
  // o2 = (tmp5 + tmp6) * -c2, each output a sum of four products.
  const __m256i z3 = _mm256_add_epi16(tmp4, tmp6), z4 = _mm256_add_epi16(tmp5, tmp7);
  constexpr int32_t kO3z3 = kFix1175875602 - kFix1961570560, kO3z4 = kFix1175875602;
  constexpr int32_t kO4z3 = kFix1175875602, kO4z4 = kFix1175875602 - kFix0390180644;
  d[7] = MulAdd4<kShift>(tmp4, tmp7, kFix0298631336 - kFix0899976223, -kFix0899976223, z3, z4, kO3z3, kO3z4);
  d[1] = MulAdd4<kShift>(tmp4, tmp7, -kFix0899976223, kFix1501321110 - kFix0899976223, z3, z4, kO4z3, kO4z4);
  d[5] = MulAdd4<kShift>(tmp5, tmp6, kFix2053119869 - kFix2562915447, -kFix2562915447, z3, z4, kO4z3, kO4z4);
  d[3] = MulAdd4<kShift>(tmp5, tmp6, -kFix2562915447, kFix3072711026 - kFix2562915447, z3, z4, kO3z3, kO3z4);
}

// The DCT of two blocks: d[v] holds row v of the outputs of both.
inline void DctPair(const uint8_t* a, const uint8_t* b, __m256i d[8]) {
  const __m256i level = _mm256_set1_epi16(128);
  for (int row = 0; row < 8; ++row) {
    const __m128i bytes = _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(a + 8 * row)),
                                             _mm_loadl_epi64(reinterpret_cast<const __m128i*>(b + 8 * row)));
    d[row] = _mm256_sub_epi16(_mm256_cvtepu8_epi16(bytes), level);
  }
  Transpose16(d);
  Pass16<true>(d);
  Transpose16(d);
  Pass16<false>(d);
}

void ForwardDct(const uint8_t samples[64], int32_t out[64]) {
  __m256i d[8];
  DctPair(samples, samples, d);
  for (int row = 0; row < 8; ++row)
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 8 * row),
                        _mm256_cvtepi16_epi32(_mm256_castsi256_si128(d[row])));
}

// Zigzag position k of 64 flag bytes in natural order: byte k of the
// result is byte kJpegZigzag[k] of the input, gathered with byte shuffles
// from the four 16-byte parts.
struct ZigzagMasks {
  int8_t m[2][4][32];  // [output half][input part][output byte]
  constexpr ZigzagMasks() : m() {
    for (int half = 0; half < 2; ++half)
      for (int part = 0; part < 4; ++part)
        for (int j = 0; j < 32; ++j) {
          const int from = kJpegZigzag[32 * half + j];
          m[half][part][j] = int8_t(from / 16 == part ? from % 16 : -128);
        }
  }
};
constexpr ZigzagMasks kZigzagMasks;

// Bits of the non-zero AC values at their zigzag positions, from the
// quantised rows of one block (lanes 0-7 of q[v], or lanes 8-15 when
// kHigh).
template <bool kHigh>
inline uint64_t ZigzagNonZero(const __m256i q[8]) {
  const __m256i zero = _mm256_setzero_si256();
  __m256i rows[4];  // rows 2i and 2i+1 of the block
  for (int i = 0; i < 4; ++i)
    rows[i] = kHigh ? _mm256_permute2x128_si256(q[2 * i], q[2 * i + 1], 0x31)
                    : _mm256_permute2x128_si256(q[2 * i], q[2 * i + 1], 0x20);
  // Flag bytes in natural order: 0xFF where the value is 0.
  const __m256i lo = _mm256_permute4x64_epi64(
      _mm256_packs_epi16(_mm256_cmpeq_epi16(rows[0], zero), _mm256_cmpeq_epi16(rows[1], zero)), 0xD8);
  const __m256i hi = _mm256_permute4x64_epi64(
      _mm256_packs_epi16(_mm256_cmpeq_epi16(rows[2], zero), _mm256_cmpeq_epi16(rows[3], zero)), 0xD8);
  const __m256i parts[4] = {_mm256_permute2x128_si256(lo, lo, 0x00), _mm256_permute2x128_si256(lo, lo, 0x11),
                            _mm256_permute2x128_si256(hi, hi, 0x00), _mm256_permute2x128_si256(hi, hi, 0x11)};
  uint64_t equal = 0;
  for (int half = 0; half < 2; ++half) {
    __m256i z = zero;
    for (int part = 0; part < 4; ++part)
      z = _mm256_or_si256(z, _mm256_shuffle_epi8(parts[part], _mm256_loadu_si256(reinterpret_cast<const __m256i*>(
                                                                  kZigzagMasks.m[half][part]))));
    equal |= uint64_t(uint32_t(_mm256_movemask_epi8(z))) << (32 * half);
  }
  return ~equal & ~uint64_t(1);
}

// Quantises row v of both blocks of d (tables ta, tb) into q[v].
inline __m256i QuantizeRows(__m256i c, const JpegQuantTable& ta, const JpegQuantTable& tb, int v) {
  const __m256i n = _mm256_abs_epi16(c);
  auto divide = [v](__m128i values, const JpegQuantTable& t) {
    const __m256i wide = _mm256_add_epi32(_mm256_cvtepu16_epi32(values),
                                          _mm256_loadu_si256(reinterpret_cast<const __m256i*>(t.half + 8 * v)));
    return _mm256_srlv_epi32(
        _mm256_mullo_epi32(wide, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(t.multiplier + 8 * v))),
        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(t.shift + 8 * v)));
  };
  const __m256i qa = divide(_mm256_castsi256_si128(n), ta);
  const __m256i qb = divide(_mm256_extracti128_si256(n, 1), tb);
  // packus works within 128-bit halves: put the lanes back in order.
  const __m256i q = _mm256_permute4x64_epi64(_mm256_packus_epi32(qa, qb), 0xD8);
  return _mm256_sign_epi16(q, c);
}

// Blocks a and b (b may repeat a); the outputs of b are written only when
// outb is given.
inline void TransformPair(const uint8_t* a, const uint8_t* b, const JpegQuantTable& ta, const JpegQuantTable& tb,
                          int16_t* outa, int16_t* outb, uint64_t* nza, uint64_t* nzb) {
  __m256i d[8];
  DctPair(a, b, d);
  for (int v = 0; v < 8; ++v) {
    d[v] = QuantizeRows(d[v], ta, tb, v);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(outa + 8 * v), _mm256_castsi256_si128(d[v]));
    if (outb != nullptr)
      _mm_storeu_si128(reinterpret_cast<__m128i*>(outb + 8 * v), _mm256_extracti128_si256(d[v], 1));
  }
  *nza = ZigzagNonZero<false>(d);
  if (outb != nullptr) *nzb = ZigzagNonZero<true>(d);
}

void Transform(const uint8_t* samples, uint32_t count, const JpegQuantTable* const* tables,
               int16_t* coefficients, uint64_t* ac_nonzero) {
  // Flat blocks take their shortcut; the others go through the DCT two at
  // a time.
  uint32_t pending = count;
  for (uint32_t b = 0; b < count; ++b) {
    if (!FlatBlock(samples + 64 * b, *tables[b], coefficients + 64 * b, ac_nonzero + b)) {
      if (pending == count) {
        pending = b;
      } else {
        TransformPair(samples + 64 * pending, samples + 64 * b, *tables[pending], *tables[b],
                      coefficients + 64 * pending, coefficients + 64 * b, ac_nonzero + pending, ac_nonzero + b);
        pending = count;
      }
    }
  }
  if (pending != count)
    TransformPair(samples + 64 * pending, samples + 64 * pending, *tables[pending], *tables[pending],
                  coefficients + 64 * pending, nullptr, ac_nonzero + pending, nullptr);
}
#endif  // __AVX2__

}  // namespace

extern const JpegKernelTable JPEG_KERNEL_TABLE = {
    JPEG_STRINGIFY(JPEG_KERNEL_TABLE),
    {{ConvertGrey, ConvertGrey},
     {ConvertRow<Pixel16<0>>, ConvertRow<Pixel16<10>>},
     {ConvertRow<Pixel24<0>>, ConvertRow<Pixel24<2>>},
     {ConvertRow<Pixel32<0>>, ConvertRow<Pixel32<2>>}},
    {Downsample2x2, Downsample2x1, Downsample1x1, CutGrey},
    ForwardDct,
    Transform,
};
