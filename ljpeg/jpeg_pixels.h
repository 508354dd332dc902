// Source pixels to samples: colour conversion, and the MCU geometry of each
// subsampling mode.
#pragma once

#include <cstdint>

// Converts the n pixels at src (1 <= n <= width) into samples at y, cb, cr
// and repeats the last pixel's samples up to width.  The grey converter
// writes y only.
typedef void (*JpegRowConverter)(const uint8_t* src, uint32_t n, uint32_t width, uint8_t* y,
                                 uint8_t* cb, uint8_t* cr);

// Turns the MCU whose top left samples are at y, cb and cr (rows `stride`
// bytes apart, as high as the MCU) into its blocks in coding order: Y
// blocks left to right and top to bottom, then Cb, then Cr (grey: the one
// Y block).
typedef void (*JpegDownsampler)(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint32_t stride,
                                uint8_t* blocks);

// Colour conversion of one pixel (>> is an arithmetic shift).
inline void JpegRgbToYcc(int32_t r, int32_t g, int32_t b, uint8_t* y, uint8_t* cb, uint8_t* cr) {
  const int32_t yy = (77 * r + 150 * g + 29 * b + 128) >> 8;
  const int32_t cbv = ((128 * b + 128 - 43 * r - 85 * g) >> 8) + 128;
  const int32_t crv = ((128 * r + 128 - 107 * g - 21 * b) >> 8) + 128;
  *y = uint8_t(yy > 255 ? 255 : yy);
  *cb = uint8_t(cbv > 255 ? 255 : cbv < 0 ? 0 : cbv);
  *cr = uint8_t(crv > 255 ? 255 : crv < 0 ? 0 : crv);
}

struct JpegSampling {
  uint32_t mcu_width;
  uint32_t mcu_height;
  uint8_t luma_h;  // Y sampling factors; Cb and Cr are 1 x 1
  uint8_t luma_v;
};

// Subsampling modes 0 (2 x 2), 1 (2 x 1) and 2 (1 x 1); false for another.
bool JpegChooseSampling(uint8_t mode, JpegSampling* sampling);

// Index of a depth in the kernels' converter table; -1 for an unsupported
// depth.
int JpegDepthIndex(uint16_t bits_per_pixel);
