// Test images in the encoder's source layouts, two-pass encoding, and a
// walk over a stream's marker segments.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/contracts/jpeg_encode_params.h"

namespace jpegtest {

// An image as top-down RGB triples, and its source form for one depth and
// pixel order (bottom-up rows padded to 32 bits).
struct Image {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> rgb;  // width * height * 3, top row first

  uint8_t* At(uint32_t x, uint32_t y) { return &rgb[(size_t(y) * width + x) * 3]; }
  const uint8_t* At(uint32_t x, uint32_t y) const { return &rgb[(size_t(y) * width + x) * 3]; }
};

enum class Pattern { kFlat, kGradient, kNoise, kShapes };

// Grey images (R = G = B) for 8 bits per pixel.
Image MakeImage(Pattern pattern, uint32_t width, uint32_t height, bool grey, uint32_t seed = 1);

uint32_t SourceStride(uint32_t width, uint16_t bits_per_pixel);
std::vector<uint8_t> ToSource(const Image& image, uint16_t bits_per_pixel, uint8_t pixel_order);
// What the encoder sees of the image at that depth (16-bit keeps 5 bits
// per channel; 8-bit keeps red as the grey level).
Image AsSeen(const Image& image, uint16_t bits_per_pixel);

JpegEncodeParams MakeParams(const std::vector<uint8_t>& source, uint32_t width, uint32_t height,
                            uint16_t bits_per_pixel, uint8_t quality, uint8_t subsampling,
                            uint8_t pixel_order);

// Pass 0, then pass 1 into a buffer of exactly the measured size; fails the
// current test when either pass fails or the sizes differ.
std::vector<uint8_t> EncodeTwoPass(const std::vector<uint8_t>& source, uint32_t width,
                                   uint32_t height, uint16_t bits_per_pixel, uint8_t quality,
                                   uint8_t subsampling, uint8_t pixel_order);

struct Segment {
  uint8_t marker;        // the byte after 0xFF
  size_t offset;         // of the 0xFF
  std::vector<uint8_t> body;  // after the length field (empty for SOI/EOI)
};
// The segments up to SOS, then the entropy-coded data and EOI.
struct Parsed {
  std::vector<Segment> segments;
  std::vector<uint8_t> scan_data;
  bool ends_with_eoi = false;
};
Parsed Parse(const std::vector<uint8_t>& stream);

}  // namespace jpegtest
