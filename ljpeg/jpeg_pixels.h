// Source pixels to samples: the converters of one source row into the Y, Cb
// and Cr sample planes of an MCU, and the downsamplers that cut the planes
// into the MCU's 8 x 8 blocks.
#pragma once

#include <cstdint>

// Converts the n pixels at src (1 <= n <= width) into samples at y, cb, cr
// and repeats the last pixel's samples up to width.  The grey converter
// writes y only.
typedef void (*JpegRowConverter)(const uint8_t* src, uint32_t n, uint32_t width, uint8_t* y,
                                 uint8_t* cb, uint8_t* cr);

// The converter for 8, 16, 24 or 32 bits per pixel and the pixel order (1:
// blue first); null for another depth.
JpegRowConverter JpegChooseConverter(uint16_t bits_per_pixel, uint8_t pixel_order);

// Colour conversion of one pixel.
void JpegRgbToYcc(int32_t r, int32_t g, int32_t b, uint8_t* y, uint8_t* cb, uint8_t* cr);

// Turns the three planes (each as wide and high as the MCU) into the MCU's
// blocks in coding order: Y blocks left to right and top to bottom, then Cb,
// then Cr.
typedef void (*JpegDownsampler)(const uint8_t* y, const uint8_t* cb, const uint8_t* cr,
                                uint8_t* blocks);

struct JpegSampling {
  uint32_t mcu_width;
  uint32_t mcu_height;
  uint8_t luma_h;  // Y sampling factors; Cb and Cr are 1 x 1
  uint8_t luma_v;
  JpegDownsampler downsample;
};

// Subsampling modes 0 (2 x 2), 1 (2 x 1) and 2 (1 x 1); false for another.
bool JpegChooseSampling(uint8_t mode, JpegSampling* sampling);
