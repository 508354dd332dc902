// Streams of a generated corpus, checked by libjpeg-turbo's decoder and
// compared with its encoder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "ljpeg/jpeg_encoder.h"
#include "ljpeg/tests/jpeg_test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;
using jpegtest::Image;
using jpegtest::Pattern;

constexpr const char* kDjpeg = "/usr/bin/djpeg";
constexpr const char* kCjpeg = "/usr/bin/cjpeg";

std::string TempPath(const std::string& name) {
  return testing::TempDir() + "ljpeg_" + std::to_string(getpid()) + "_" + name;
}

void WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

Bytes ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// Reads a binary PGM or PPM as RGB.
bool ParsePnm(const Bytes& pnm, Image* image) {
  std::string header(pnm.begin(), pnm.begin() + std::min<size_t>(pnm.size(), 64));
  std::istringstream in(header);
  std::string magic;
  uint32_t w = 0, h = 0, maxval = 0;
  in >> magic >> w >> h >> maxval;
  if ((magic != "P5" && magic != "P6") || maxval != 255) return false;
  const size_t start = size_t(in.tellg()) + 1;
  const uint32_t channels = magic == "P6" ? 3 : 1;
  if (pnm.size() != start + size_t(w) * h * channels) return false;
  image->width = w;
  image->height = h;
  image->rgb.resize(size_t(w) * h * 3);
  for (size_t i = 0; i < size_t(w) * h; ++i)
    for (int c = 0; c < 3; ++c) image->rgb[i * 3 + c] = pnm[start + i * channels + (channels == 3 ? c : 0)];
  return true;
}

struct Decoded {
  bool ok = false;
  std::string messages;
  Image image;
};

Decoded Djpeg(const Bytes& jpeg) {
  const std::string in = TempPath("in.jpg"), out = TempPath("out.pnm"), err = TempPath("err.txt");
  WriteFile(in, jpeg);
  const std::string cmd = std::string(kDjpeg) + " -outfile " + out + " " + in + " 2>" + err;
  Decoded d;
  const int rc = std::system(cmd.c_str());
  const Bytes messages = ReadFile(err);
  d.messages.assign(messages.begin(), messages.end());
  d.ok = rc == 0 && ParsePnm(ReadFile(out), &d.image);
  std::remove(in.c_str());
  std::remove(out.c_str());
  std::remove(err.c_str());
  return d;
}

double Psnr(const Image& a, const Image& b) {
  double sum = 0;
  for (size_t i = 0; i < a.rgb.size(); ++i) {
    const double d = double(a.rgb[i]) - b.rgb[i];
    sum += d * d;
  }
  const double mse = sum / double(a.rgb.size());
  return mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}

TEST(JpegDecode, TheHostToolsAreInstalled) {
  ASSERT_EQ(access(kDjpeg, X_OK), 0) << kDjpeg << " is missing (libjpeg-turbo-progs)";
  ASSERT_EQ(access(kCjpeg, X_OK), 0) << kCjpeg << " is missing (libjpeg-turbo-progs)";
}

// Lowest PSNR of a smooth image by subsampling mode (grey last) at
// qualities 100 and 50.  A misplaced block or a wrong colour channel falls
// far below these.
double MinPsnr(uint16_t bpp, uint8_t mode, uint8_t quality) {
  const int m = bpp == 8 ? 3 : mode;
  static const double kAt100[4] = {30, 33, 40, 45};
  static const double kAt50[4] = {26, 27, 30, 32};
  return quality == 100 ? kAt100[m] : kAt50[m];
}

TEST(JpegDecode, EveryCorpusStreamDecodesCleanlyAndCloseToItsSource) {
  struct Size {
    uint32_t w, h;
  };
  const Size sizes[] = {{1, 1}, {7, 5}, {17, 9}, {40, 33}};
  const Pattern patterns[] = {Pattern::kFlat, Pattern::kGradient, Pattern::kNoise, Pattern::kShapes};
  const uint16_t depths[] = {8, 16, 24, 32};
  const uint8_t qualities[] = {1, 50, 100};
  int checked = 0;
  for (uint16_t bpp : depths) {
    for (uint8_t order = 0; order < 2; ++order) {
      for (uint8_t mode = 0; mode < 3; ++mode) {
        if (bpp == 8 && (order != 0 || mode != 2)) continue;
        for (uint8_t quality : qualities) {
          for (const Size& size : sizes) {
            for (Pattern pattern : patterns) {
              const Image image = jpegtest::MakeImage(pattern, size.w, size.h, bpp == 8, checked);
              const Bytes source = jpegtest::ToSource(image, bpp, order);
              const Bytes jpeg =
                  jpegtest::EncodeTwoPass(source, size.w, size.h, bpp, quality, mode, order);
              const std::string what = "bpp " + std::to_string(bpp) + " order " +
                                       std::to_string(order) + " mode " + std::to_string(mode) +
                                       " q " + std::to_string(quality) + " " +
                                       std::to_string(size.w) + "x" + std::to_string(size.h) +
                                       " pattern " + std::to_string(int(pattern));
              // One byte less of room fails and reports no size.
              JpegEncodeParams p =
                  jpegtest::MakeParams(source, size.w, size.h, bpp, quality, mode, order);
              Bytes short_buffer(jpeg.size() - 1);
              p.output = short_buffer.data();
              p.output_size = uint32_t(short_buffer.size());
              EXPECT_NE(JpegEncode(&p, 1), 0) << what;
              EXPECT_EQ(p.output_size, 0u) << what;

              const Decoded d = Djpeg(jpeg);
              ASSERT_TRUE(d.ok) << what << ": " << d.messages;
              EXPECT_EQ(d.messages, "") << what;
              ASSERT_EQ(d.image.width, size.w);
              ASSERT_EQ(d.image.height, size.h);
              // Smooth images of some size only: steep edges and noise lose
              // too much to subsampling and quantisation for a useful bound.
              const bool smooth = pattern == Pattern::kFlat || pattern == Pattern::kGradient;
              if (quality >= 50 && smooth && size.w > 16) {
                EXPECT_GE(Psnr(d.image, jpegtest::AsSeen(image, bpp)), MinPsnr(bpp, mode, quality))
                    << what;
              }
              ++checked;
            }
          }
        }
      }
    }
  }
  EXPECT_EQ(checked, (1 + 3 * 2 * 3) * 3 * 16);
}

TEST(JpegDecode, FourColourImageKeepsItsRowAndPixelOrder) {
  Image image;
  image.width = 2;
  image.height = 2;
  image.rgb = {255, 0, 0, 0, 255, 0,      // top: red, green
               0, 0, 255, 255, 255, 255};  // bottom: blue, white
  for (uint16_t bpp : {16, 24, 32}) {
    for (uint8_t order : {0, 1, 2}) {
      const Bytes jpeg = jpegtest::EncodeTwoPass(jpegtest::ToSource(image, bpp, order), 2, 2, bpp,
                                                 100, 2, order);
      const Decoded d = Djpeg(jpeg);
      ASSERT_TRUE(d.ok) << d.messages;
      const Image seen = jpegtest::AsSeen(image, bpp);
      for (size_t i = 0; i < seen.rgb.size(); ++i)
        EXPECT_NEAR(d.image.rgb[i], seen.rgb[i], 12) << "bpp " << bpp << " order " << int(order)
                                                     << " byte " << i;
    }
  }
  Image grey;
  grey.width = 2;
  grey.height = 2;
  grey.rgb = {0, 0, 0, 85, 85, 85, 170, 170, 170, 255, 255, 255};
  const Decoded d =
      Djpeg(jpegtest::EncodeTwoPass(jpegtest::ToSource(grey, 8, 0), 2, 2, 8, 100, 2, 0));
  ASSERT_TRUE(d.ok);
  for (size_t i = 0; i < grey.rgb.size(); ++i) EXPECT_NEAR(d.image.rgb[i], grey.rgb[i], 3) << i;
}

// libjpeg-turbo's encoder with the same tables, quality, sampling and
// integer DCT: where no colour conversion differs (grey levels), its
// entropy-coded data must equal ours byte for byte.
Bytes CjpegScan(const Image& image, bool grey, uint8_t quality, const char* sample) {
  std::string pnm = std::string(grey ? "P5" : "P6") + "\n" + std::to_string(image.width) + " " +
                    std::to_string(image.height) + "\n255\n";
  Bytes file(pnm.begin(), pnm.end());
  for (size_t i = 0; i < image.rgb.size(); i += 3) {
    file.push_back(image.rgb[i]);
    if (!grey) file.insert(file.end(), {image.rgb[i + 1], image.rgb[i + 2]});
  }
  const std::string in = TempPath("c.pnm"), out = TempPath("c.jpg");
  WriteFile(in, file);
  const std::string cmd = std::string(kCjpeg) + " -quality " + std::to_string(quality) +
                          " -dct int -baseline -sample " + sample + " -outfile " + out + " " + in;
  EXPECT_EQ(std::system(cmd.c_str()), 0);
  const Bytes jpeg = ReadFile(out);
  std::remove(in.c_str());
  std::remove(out.c_str());
  return jpegtest::Parse(jpeg).scan_data;
}

TEST(JpegDecode, EntropyCodedDataEqualsLibjpegTurboForGreyLevels) {
  struct Case {
    uint32_t w, h;
    bool grey;  // 8 bits per pixel, else 24
    uint8_t mode;
    const char* sample;
  };
  const Case cases[] = {{37, 29, true, 2, "1x1"},  {64, 48, true, 2, "1x1"},
                        {48, 32, false, 0, "2x2"}, {48, 40, false, 1, "2x1"},
                        {40, 24, false, 2, "1x1"}};
  for (const Case& c : cases) {
    for (Pattern pattern : {Pattern::kGradient, Pattern::kNoise, Pattern::kShapes}) {
      for (uint8_t quality : {1, 30, 75, 100}) {
        const Image image = jpegtest::MakeImage(pattern, c.w, c.h, true, 7);
        const uint16_t bpp = c.grey ? 8 : 24;
        const Bytes ours = jpegtest::Parse(jpegtest::EncodeTwoPass(
            jpegtest::ToSource(image, bpp, 1), c.w, c.h, bpp, quality, c.mode, 1)).scan_data;
        EXPECT_EQ(ours, CjpegScan(image, c.grey, quality, c.sample))
            << c.w << "x" << c.h << " mode " << int(c.mode) << " q " << int(quality)
            << " pattern " << int(pattern);
      }
    }
  }
}

}  // namespace
