// The entry point: validation order, the two passes, and how a short source
// or a short output buffer fails.
#include <gtest/gtest.h>

#include "ljpeg/jpeg_encoder.h"
#include "ljpeg/jpeg_kernels.h"
#include "ljpeg/jpeg_pixels.h"
#include "ljpeg/tests/jpeg_test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;
using jpegtest::Image;
using jpegtest::Pattern;

struct Fixture {
  Bytes source;
  JpegEncodeParams params;
  Fixture(uint32_t w, uint32_t h, uint16_t bpp, uint8_t mode = 0, uint8_t quality = 75) {
    source = jpegtest::ToSource(jpegtest::MakeImage(Pattern::kShapes, w, h, bpp == 8), bpp, 1);
    params = jpegtest::MakeParams(source, w, h, bpp, quality, mode, 1);
  }
};

TEST(JpegEncoder, ValidationOrderAndResultsLeaveTheRecordAlone) {
  struct Case {
    const char* what;
    uint32_t width, height;
    uint16_t bpp;
    uint8_t quality, mode;
    uint32_t pass;
    uint16_t status;
  };
  const Case cases[] = {
      {"width 0 before everything else", 0, 8, 12, 0, 3, 2, 0x2030},
      {"height 0", 8, 0, 24, 50, 0, 0, 0x2030},
      {"width above 65535", 65536, 8, 24, 50, 0, 0, 0x2030},
      {"height above 65535", 8, 65536, 24, 50, 0, 0, 0x2030},
      {"quality 0 before depth", 8, 8, 12, 0, 0, 0, 0x2F00},
      {"quality 101", 8, 8, 24, 101, 0, 0, 0x2F00},
      {"mode 3 even at 8 bits", 8, 8, 8, 50, 3, 0, 0x2F00},
      {"12 bits per pixel before the pass", 8, 8, 12, 50, 0, 2, 0x21A0},
      {"pass 2 last", 8, 8, 24, 50, 0, 2, 0x2F00},
      {"pass 0x101 counts as 1 without a buffer", 8, 8, 24, 50, 0, 0x101, 0x2005},
  };
  const Bytes source(4096, 0x80);
  for (const Case& c : cases) {
    JpegEncodeParams p = jpegtest::MakeParams(source, c.width, c.height, c.bpp, c.quality, c.mode, 0);
    p.output_size = 12345;
    EXPECT_EQ(JpegEncode(&p, c.pass), c.status) << c.what;
    if ((c.status & 0xFF00) != 0x2000) {
      EXPECT_EQ(p.output_size, 12345u) << c.what;
    }
  }
  EXPECT_EQ(JpegEncode(nullptr, 0), 0x2F00);
  JpegEncodeParams p = jpegtest::MakeParams(source, 8, 8, 24, 50, 0, 0);
  EXPECT_EQ(JpegEncode(&p, 0x100), 0);  // only the low byte counts
}

TEST(JpegEncoder, MeasuringPassNeedsNoBufferAndEncodingPassWritesExactlyThatMuch) {
  for (uint16_t bpp : {8, 16, 24, 32}) {
    Fixture f(45, 23, bpp, 1);
    f.params.output = nullptr;
    f.params.output_size = 0xDEADBEEF;
    ASSERT_EQ(JpegEncode(&f.params, 0), 0);
    const uint32_t measured = f.params.output_size;
    Bytes out(measured + 16, 0xEE);
    f.params.output = out.data();
    f.params.output_size = uint32_t(out.size());  // more room than needed
    ASSERT_EQ(JpegEncode(&f.params, 1), 0);
    EXPECT_EQ(f.params.output_size, measured);
    EXPECT_EQ(out[measured - 2], 0xFF);
    EXPECT_EQ(out[measured - 1], 0xD9);
    EXPECT_EQ(out[measured], 0xEE);
  }
}

TEST(JpegEncoder, EncodingPassWithoutABufferFailsAtTheFirstMarker) {
  Fixture f(8, 8, 24);
  f.params.output = nullptr;
  f.params.output_size = 1000;
  EXPECT_EQ(JpegEncode(&f.params, 1), 0x2005);
  EXPECT_EQ(f.params.output_size, 0u);
}

TEST(JpegEncoder, ShortSourceFailsWithTheOverrunBitInColourAndGrey) {
  for (uint16_t bpp : {8, 16, 24, 32}) {
    for (uint32_t pass : {0u, 1u}) {
      Fixture f(37, 21, bpp);
      Bytes out(1 << 16);
      f.params.output = out.data();
      f.params.output_size = uint32_t(out.size());
      // Rows need (height - 1) * stride + width * bytes per pixel.
      const int32_t needed = int32_t(20 * jpegtest::SourceStride(37, bpp) + 37 * (bpp / 8));
      f.params.source_size = needed - 1;
      EXPECT_EQ(JpegEncode(&f.params, pass), 0x2085) << bpp;
      EXPECT_EQ(f.params.output_size, 0u);
      f.params.source_size = 0;
      f.params.output_size = uint32_t(out.size());
      EXPECT_EQ(JpegEncode(&f.params, pass), 0x2085) << bpp;
      f.params.source_size = needed;
      f.params.output_size = uint32_t(out.size());
      EXPECT_EQ(JpegEncode(&f.params, pass), 0) << bpp;
      // A count made from a negative row step is taken as its magnitude.
      f.params.source_size = -needed;
      f.params.output_size = uint32_t(out.size());
      EXPECT_EQ(JpegEncode(&f.params, pass), 0) << bpp;
      f.params.source_size = -(needed - 1);
      EXPECT_EQ(JpegEncode(&f.params, pass), 0x2085) << bpp;
      f.params.source = nullptr;
      f.params.source_size = needed;
      f.params.output_size = uint32_t(out.size());
      EXPECT_EQ(JpegEncode(&f.params, pass), 0x2085) << bpp;
    }
  }
}

TEST(JpegEncoder, ShortOutputFailsWithTheStageItRanOutInAndKeepsWhatWasWritten) {
  Fixture f(40, 24, 24, 0);
  Bytes full(1 << 16);
  f.params.output = full.data();
  f.params.output_size = uint32_t(full.size());
  ASSERT_EQ(JpegEncode(&f.params, 1), 0);
  full.resize(f.params.output_size);
  const auto parsed = jpegtest::Parse(full);
  ASSERT_EQ(parsed.segments.size(), 6u);
  // End offset of each header segment and the stage it fails with.
  struct Region {
    size_t end;
    uint16_t status;
  };
  std::vector<Region> regions;
  const uint16_t stages[6] = {0x2005, 0x2095, 0x2045, 0x2055, 0x2075, 0x2085};
  for (size_t i = 0; i < 6; ++i) {
    const auto& seg = parsed.segments[i];
    regions.push_back({seg.offset + 2 + (i == 0 ? 0 : seg.body.size() + 2), stages[i]});
  }
  const size_t size = full.size();
  for (size_t capacity = 0; capacity < size; ++capacity) {
    Bytes out(capacity + 1);
    for (size_t i = 0; i < capacity; ++i) out[i] = uint8_t(~full[i]);
    f.params.output = out.data();
    f.params.output_size = uint32_t(capacity);
    const uint16_t status = JpegEncode(&f.params, 1);
    EXPECT_EQ(f.params.output_size, 0u);
    uint16_t expected = 0x2080;  // inside the blocks' coded bytes
    for (const Region& r : regions) {
      if (capacity < r.end) {
        expected = r.status;
        break;
      }
    }
    if (capacity >= size - 2) expected = 0x2005;  // EOI
    if (capacity == size - 3) {
      // The last block's bytes or the padded final byte.
      EXPECT_TRUE(status == 0x2080 || status == 0x2085) << status;
    } else {
      EXPECT_EQ(status, expected) << "capacity " << capacity;
    }
    // What was written is a prefix of the stream; nothing else changed.
    size_t written = 0;
    while (written < capacity && out[written] == full[written]) ++written;
    for (size_t i = written; i < capacity; ++i) ASSERT_EQ(out[i], uint8_t(~full[i])) << capacity;
  }
}

// An image whose width and height are not multiples of the MCU codes the
// same data as the image padded by repeating its last column and row.
TEST(JpegEncoder, PartialMcusRepeatTheLastColumnAndRow) {
  struct Case {
    uint16_t bpp;
    uint8_t mode;
    uint32_t padded_w, padded_h;
  };
  const Case cases[] = {{24, 0, 16, 16}, {32, 1, 16, 16}, {16, 2, 16, 16}, {8, 2, 16, 16}};
  for (const Case& c : cases) {
    const Image image = jpegtest::MakeImage(Pattern::kNoise, 13, 11, c.bpp == 8, 3);
    Image padded;
    padded.width = c.padded_w;
    padded.height = c.padded_h;
    padded.rgb.resize(size_t(c.padded_w) * c.padded_h * 3);
    for (uint32_t y = 0; y < c.padded_h; ++y)
      for (uint32_t x = 0; x < c.padded_w; ++x)
        std::copy_n(image.At(std::min(x, 12u), std::min(y, 10u)), 3, padded.At(x, y));
    const Bytes a = jpegtest::EncodeTwoPass(jpegtest::ToSource(image, c.bpp, 0), 13, 11, c.bpp,
                                            90, c.mode, 0);
    const Bytes b = jpegtest::EncodeTwoPass(jpegtest::ToSource(padded, c.bpp, 0), c.padded_w,
                                            c.padded_h, c.bpp, 90, c.mode, 0);
    EXPECT_EQ(jpegtest::Parse(a).scan_data, jpegtest::Parse(b).scan_data) << c.bpp;
  }
}

TEST(JpegEncoder, AnyPixelOrderOtherThanOneIsRedFirst) {
  const Image image = jpegtest::MakeImage(Pattern::kGradient, 19, 17, false);
  for (uint16_t bpp : {16, 24, 32}) {
    const Bytes source = jpegtest::ToSource(image, bpp, 0);
    const Bytes red_first = jpegtest::EncodeTwoPass(source, 19, 17, bpp, 80, 0, 0);
    EXPECT_EQ(jpegtest::EncodeTwoPass(source, 19, 17, bpp, 80, 0, 2), red_first);
    EXPECT_EQ(jpegtest::EncodeTwoPass(source, 19, 17, bpp, 80, 0, 255), red_first);
    EXPECT_NE(jpegtest::EncodeTwoPass(source, 19, 17, bpp, 80, 0, 1), red_first);
  }
}

// Every kernel table the processor runs writes the same streams.
TEST(JpegEncoder, EveryKernelTableWritesTheSameStream) {
  int count = 0;
  const JpegKernelTable* const* tables = JpegKernelTables(&count);
  const Image image = jpegtest::MakeImage(Pattern::kShapes, 83, 37, false, 5);
  const Image noise = jpegtest::MakeImage(Pattern::kNoise, 41, 19, false, 6);
  for (const Image* im : {&image, &noise}) {
    for (uint16_t bpp : {8, 16, 24, 32}) {
      for (uint8_t order : {0, 1}) {
        for (uint8_t mode = 0; mode < 3; ++mode) {
          const Bytes source = jpegtest::ToSource(*im, bpp, order);
          const Bytes expected =
              jpegtest::EncodeTwoPass(source, im->width, im->height, bpp, 85, mode, order);
          for (int t = 0; t < count; ++t) {
            if (!JpegKernelsRun(tables[t])) continue;
            JpegEncodeParams p = jpegtest::MakeParams(source, im->width, im->height, bpp, 85, mode, order);
            Bytes out(expected.size());
            p.output = out.data();
            p.output_size = uint32_t(out.size());
            ASSERT_EQ(JpegEncodeWith(tables[t], &p, 1), 0);
            EXPECT_EQ(out, expected) << tables[t]->name << " bpp " << bpp << " mode " << int(mode);
          }
        }
      }
    }
  }
}

TEST(JpegEncoder, ColourConversionLimitsItsResults) {
  struct Case {
    int r, g, b;
    uint8_t y, cb, cr;
  };
  const Case cases[] = {{0, 0, 0, 0, 128, 128},     {255, 255, 255, 255, 128, 128},
                        {0, 0, 255, 29, 255, 107},  // Cb would be 256
                        {255, 0, 0, 77, 85, 255},   // Cr would be 256
                        {0, 255, 0, 149, 43, 21},   {248, 248, 248, 248, 128, 128}};
  for (const Case& c : cases) {
    uint8_t y, cb, cr;
    JpegRgbToYcc(c.r, c.g, c.b, &y, &cb, &cr);
    EXPECT_EQ(y, c.y) << c.r << "," << c.g << "," << c.b;
    EXPECT_EQ(cb, c.cb) << c.r << "," << c.g << "," << c.b;
    EXPECT_EQ(cr, c.cr) << c.r << "," << c.g << "," << c.b;
  }
}

}  // namespace
