#include "ljpeg/jpeg_pixels.h"

#include <cstring>

void JpegRgbToYcc(int32_t r, int32_t g, int32_t b, uint8_t* y, uint8_t* cb, uint8_t* cr) {
  int32_t yy = (77 * r + 150 * g + 29 * b + 128) >> 8;
  int32_t cbv = ((128 * b + 128 - 43 * r - 85 * g) >> 8) + 128;
  int32_t crv = ((128 * r + 128 - 107 * g - 21 * b) >> 8) + 128;
  *y = uint8_t(yy > 255 ? 255 : yy);
  *cb = uint8_t(cbv > 255 ? 255 : cbv < 0 ? 0 : cbv);
  *cr = uint8_t(crv > 255 ? 255 : crv < 0 ? 0 : crv);
}

namespace {

inline void RepeatLast(uint8_t* plane, uint32_t n, uint32_t width) {
  if (n < width) std::memset(plane + n, plane[n - 1], width - n);
}

void ConvertGrey(const uint8_t* src, uint32_t n, uint32_t width, uint8_t* y, uint8_t*, uint8_t*) {
  std::memcpy(y, src, n);
  RepeatLast(y, n, width);
}

// Byte layouts of 24- and 32-bit pixels: offsets of red and blue.
template <uint32_t kBytes, uint32_t kRed, uint32_t kBlue>
void ConvertBytes(const uint8_t* src, uint32_t n, uint32_t width, uint8_t* y, uint8_t* cb,
                  uint8_t* cr) {
  for (uint32_t i = 0; i < n; ++i) {
    const uint8_t* p = src + i * kBytes;
    JpegRgbToYcc(p[kRed], p[1], p[kBlue], y + i, cb + i, cr + i);
  }
  RepeatLast(y, n, width);
  RepeatLast(cb, n, width);
  RepeatLast(cr, n, width);
}

// 16-bit little-endian words of three 5-bit fields; kRedShift is 0 or 10,
// blue takes the other end.
template <uint32_t kRedShift>
void ConvertWords(const uint8_t* src, uint32_t n, uint32_t width, uint8_t* y, uint8_t* cb,
                  uint8_t* cr) {
  constexpr uint32_t kBlueShift = 10 - kRedShift;
  for (uint32_t i = 0; i < n; ++i) {
    const uint32_t w = uint32_t(src[2 * i]) | uint32_t(src[2 * i + 1]) << 8;
    const int32_t r = int32_t((w >> kRedShift) & 31) << 3;
    const int32_t g = int32_t((w >> 5) & 31) << 3;
    const int32_t b = int32_t((w >> kBlueShift) & 31) << 3;
    JpegRgbToYcc(r, g, b, y + i, cb + i, cr + i);
  }
  RepeatLast(y, n, width);
  RepeatLast(cb, n, width);
  RepeatLast(cr, n, width);
}

// Copies the 8 x 8 block at (bx, by) of a plane `width` samples wide.
inline void CutBlock(const uint8_t* plane, uint32_t width, uint32_t bx, uint32_t by, uint8_t* block) {
  for (uint32_t r = 0; r < 8; ++r) std::memcpy(block + r * 8, plane + (by + r) * width + bx, 8);
}

void Downsample2x2(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint8_t* blocks) {
  CutBlock(y, 16, 0, 0, blocks);
  CutBlock(y, 16, 8, 0, blocks + 64);
  CutBlock(y, 16, 0, 8, blocks + 128);
  CutBlock(y, 16, 8, 8, blocks + 192);
  const uint8_t* planes[2] = {cb, cr};
  for (int c = 0; c < 2; ++c) {
    const uint8_t* s = planes[c];
    uint8_t* out = blocks + 256 + c * 64;
    for (uint32_t row = 0; row < 8; ++row) {
      const uint8_t* top = s + (2 * row) * 16;
      const uint8_t* bottom = top + 16;
      for (uint32_t x = 0; x < 8; ++x)
        out[row * 8 + x] = uint8_t(
            (uint32_t(top[2 * x]) + top[2 * x + 1] + bottom[2 * x] + bottom[2 * x + 1]) >> 2);
    }
  }
}

void Downsample2x1(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint8_t* blocks) {
  CutBlock(y, 16, 0, 0, blocks);
  CutBlock(y, 16, 8, 0, blocks + 64);
  const uint8_t* planes[2] = {cb, cr};
  for (int c = 0; c < 2; ++c) {
    const uint8_t* s = planes[c];
    uint8_t* out = blocks + 128 + c * 64;
    for (uint32_t row = 0; row < 8; ++row)
      for (uint32_t x = 0; x < 8; ++x)
        out[row * 8 + x] = uint8_t((uint32_t(s[row * 16 + 2 * x]) + s[row * 16 + 2 * x + 1]) >> 1);
  }
}

void Downsample1x1(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint8_t* blocks) {
  std::memcpy(blocks, y, 64);
  std::memcpy(blocks + 64, cb, 64);
  std::memcpy(blocks + 128, cr, 64);
}

}  // namespace

JpegRowConverter JpegChooseConverter(uint16_t bits_per_pixel, uint8_t pixel_order) {
  const bool blue_first = pixel_order == 1;
  switch (bits_per_pixel) {
    case 8: return ConvertGrey;
    case 16: return blue_first ? ConvertWords<10> : ConvertWords<0>;
    case 24: return blue_first ? ConvertBytes<3, 2, 0> : ConvertBytes<3, 0, 2>;
    case 32: return blue_first ? ConvertBytes<4, 2, 0> : ConvertBytes<4, 0, 2>;
    default: return nullptr;
  }
}

bool JpegChooseSampling(uint8_t mode, JpegSampling* sampling) {
  switch (mode) {
    case 0: *sampling = {16, 16, 2, 2, Downsample2x2}; return true;
    case 1: *sampling = {16, 8, 2, 1, Downsample2x1}; return true;
    case 2: *sampling = {8, 8, 1, 1, Downsample1x1}; return true;
    default: return false;
  }
}
