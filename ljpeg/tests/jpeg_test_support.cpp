#include "ljpeg/tests/jpeg_test_support.h"

#include <gtest/gtest.h>

#include <random>

#include "ljpeg/jpeg_encoder.h"

namespace jpegtest {

Image MakeImage(Pattern pattern, uint32_t width, uint32_t height, bool grey, uint32_t seed) {
  Image image;
  image.width = width;
  image.height = height;
  image.rgb.resize(size_t(width) * height * 3);
  std::mt19937 rng(seed);
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      uint8_t* p = image.At(x, y);
      switch (pattern) {
        case Pattern::kFlat:
          p[0] = 200, p[1] = 40, p[2] = 90;
          break;
        case Pattern::kGradient:
          p[0] = uint8_t(x * 255 / (width > 1 ? width - 1 : 1));
          p[1] = uint8_t(y * 255 / (height > 1 ? height - 1 : 1));
          p[2] = uint8_t((x + y) * 127 / (width + height));
          break;
        case Pattern::kNoise:
          p[0] = uint8_t(rng()), p[1] = uint8_t(rng()), p[2] = uint8_t(rng());
          break;
        case Pattern::kShapes: {
          const bool disc = (x - width / 2.0) * (x - width / 2.0) + (y - height / 3.0) * (y - height / 3.0) <
                            (width * width) / 10.0;
          const bool bar = (y / 6) % 3 == 0;
          p[0] = disc ? 230 : bar ? 20 : 250;
          p[1] = disc ? 60 : bar ? 20 : 250;
          p[2] = disc ? 30 : bar ? 120 : 250;
          break;
        }
      }
      if (grey) p[1] = p[2] = p[0];
    }
  }
  return image;
}

uint32_t SourceStride(uint32_t width, uint16_t bits_per_pixel) {
  return (width * bits_per_pixel + 31) / 32 * 4;
}

std::vector<uint8_t> ToSource(const Image& image, uint16_t bpp, uint8_t order) {
  const uint32_t stride = SourceStride(image.width, bpp);
  std::vector<uint8_t> out(size_t(stride) * image.height, 0xA5);
  const bool blue_first = order == 1;
  for (uint32_t y = 0; y < image.height; ++y) {
    uint8_t* row = &out[size_t(image.height - 1 - y) * stride];
    for (uint32_t x = 0; x < image.width; ++x) {
      const uint8_t* p = image.At(x, y);
      const uint8_t r = p[0], g = p[1], b = p[2];
      switch (bpp) {
        case 8:
          row[x] = r;
          break;
        case 16: {
          const uint32_t first = blue_first ? b : r, last = blue_first ? r : b;
          const uint32_t w = (first >> 3) | (uint32_t(g >> 3) << 5) | ((last >> 3) << 10) | 0x8000;
          row[2 * x] = uint8_t(w), row[2 * x + 1] = uint8_t(w >> 8);
          break;
        }
        default: {
          uint8_t* q = row + x * (bpp / 8);
          q[0] = blue_first ? b : r, q[1] = g, q[2] = blue_first ? r : b;
          if (bpp == 32) q[3] = 0x5A;
        }
      }
    }
  }
  return out;
}

Image AsSeen(const Image& image, uint16_t bpp) {
  Image seen = image;
  for (size_t i = 0; i < seen.rgb.size(); i += 3) {
    uint8_t* p = &seen.rgb[i];
    if (bpp == 8) p[1] = p[2] = p[0];
    if (bpp == 16)
      for (int c = 0; c < 3; ++c) p[c] = uint8_t(p[c] & 0xF8);
  }
  return seen;
}

JpegEncodeParams MakeParams(const std::vector<uint8_t>& source, uint32_t width, uint32_t height,
                            uint16_t bpp, uint8_t quality, uint8_t subsampling, uint8_t order) {
  JpegEncodeParams p{};
  p.source = source.data();
  p.source_size = int32_t(source.size());
  p.width = width;
  p.height = height;
  p.row_stride = int32_t(SourceStride(width, bpp));
  p.bits_per_pixel = bpp;
  p.quality = quality;
  p.subsampling = subsampling;
  p.pixel_order = order;
  return p;
}

std::vector<uint8_t> EncodeTwoPass(const std::vector<uint8_t>& source, uint32_t width,
                                   uint32_t height, uint16_t bpp, uint8_t quality,
                                   uint8_t subsampling, uint8_t order) {
  JpegEncodeParams p = MakeParams(source, width, height, bpp, quality, subsampling, order);
  EXPECT_EQ(JpegEncode(&p, 0), 0);
  const uint32_t measured = p.output_size;
  std::vector<uint8_t> out(measured);
  p.output = out.data();
  EXPECT_EQ(JpegEncode(&p, 1), 0);
  EXPECT_EQ(p.output_size, measured);
  return out;
}

Parsed Parse(const std::vector<uint8_t>& s) {
  Parsed parsed;
  size_t i = 0;
  while (i + 1 < s.size() && s[i] == 0xFF) {
    Segment seg{s[i + 1], i, {}};
    if (seg.marker == 0xD8) {
      parsed.segments.push_back(seg);
      i += 2;
      continue;
    }
    if (i + 3 >= s.size()) break;
    const size_t length = size_t(s[i + 2]) << 8 | s[i + 3];
    if (i + 2 + length > s.size()) break;
    seg.body.assign(s.begin() + long(i) + 4, s.begin() + long(i + 2 + length));
    parsed.segments.push_back(seg);
    i += 2 + length;
    if (seg.marker == 0xDA) {
      if (s.size() >= i + 2 && s[s.size() - 2] == 0xFF && s[s.size() - 1] == 0xD9) {
        parsed.ends_with_eoi = true;
        parsed.scan_data.assign(s.begin() + long(i), s.end() - 2);
      }
      break;
    }
  }
  return parsed;
}

}  // namespace jpegtest
