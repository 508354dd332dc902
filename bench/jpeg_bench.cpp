// Encodes an A4 page at 600 dpi and a photo-like image with the driver's
// JPEG encoder, has libjpeg-turbo's own benchmark (tjbench, which times its
// compression in-process, from pixels in memory to a JPEG in memory) encode
// the same pixels with the same quality, sampling and integer DCT, and
// prints the throughput of both and their ratio.
//
// usage: jpeg_bench [quality (default 75)] [tjbench path (default /usr/bin/tjbench)]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "drender/draw/jpeg_passes.h"
#include "ljpeg/jpeg_encoder.h"

namespace {

struct Image {
  const char* name;
  uint32_t width, height;
  std::vector<uint8_t> rgb;  // top row first
};

uint32_t Hash(uint32_t x) {
  x ^= x >> 16;
  x *= 0x7feb352d;
  x ^= x >> 15;
  x *= 0x846ca68b;
  x ^= x >> 16;
  return x;
}

// A printed page: white paper, lines of black "words" (600 dpi, 12 point),
// a coloured title bar, a chart of filled boxes and a photo in one corner.
Image MakePage() {
  Image im{"A4 page 600 dpi", 4961, 7016, {}};
  im.rgb.assign(size_t(im.width) * im.height * 3, 255);
  auto put = [&](uint32_t x, uint32_t y, uint8_t r, uint8_t g, uint8_t b) {
    uint8_t* p = &im.rgb[(size_t(y) * im.width + x) * 3];
    p[0] = r, p[1] = g, p[2] = b;
  };
  const uint32_t margin = 472;  // 2 cm
  for (uint32_t y = 300; y < 700; ++y)
    for (uint32_t x = margin; x < im.width - margin; ++x)
      put(x, y, uint8_t(20 + x * 60 / im.width), uint8_t(60 + y / 10), 160);
  // Text: lines 100 pixels apart, glyphs 40 x 60 with word gaps.
  for (uint32_t line = 0; line < 40; ++line) {
    const uint32_t top = 900 + line * 100;
    uint32_t x = margin;
    uint32_t n = line * 977;
    while (x + 60 < im.width - margin) {
      const uint32_t word = 3 + Hash(n++) % 8;
      for (uint32_t g = 0; g < word && x + 50 < im.width - margin; ++g, x += 50) {
        const uint32_t shape = Hash(n++);
        for (uint32_t y = 0; y < 60; ++y)
          for (uint32_t dx = 0; dx < 40; ++dx) {
            const bool stem = dx < 8 || (shape & 1 ? dx >= 32 : false);
            const bool bar = (y < 8 && (shape & 2)) || (y >= 52 && (shape & 4)) ||
                             (y >= 26 && y < 34 && (shape & 8));
            if (stem || bar) put(x + dx, top + y, 0, 0, 0);
          }
      }
      x += 60;
    }
  }
  // A bar chart.
  for (uint32_t bar = 0; bar < 8; ++bar) {
    const uint32_t h = 300 + Hash(bar) % 900;
    for (uint32_t y = 6200 - h; y < 6200; ++y)
      for (uint32_t x = margin + bar * 250; x < margin + bar * 250 + 180; ++x)
        put(x, y, uint8_t(bar * 30), uint8_t(200 - bar * 20), uint8_t(50 + bar * 25));
  }
  // A photo, 1800 x 1350.
  for (uint32_t y = 0; y < 1350; ++y)
    for (uint32_t x = 0; x < 1800; ++x) {
      const double fx = x / 1800.0, fy = y / 1350.0;
      const int noise = int(Hash(y * 1800 + x) % 17) - 8;
      const int r = int(120 + 100 * std::sin(fx * 7 + fy * 3)) + noise;
      const int g = int(110 + 90 * std::cos(fx * 5 - fy * 4)) + noise;
      const int b = int(100 + 80 * std::sin(fx * 11 * fy)) + noise;
      put(im.width - margin - 1800 + x, 4900 + y, uint8_t(std::clamp(r, 0, 255)),
          uint8_t(std::clamp(g, 0, 255)), uint8_t(std::clamp(b, 0, 255)));
    }
  return im;
}

// A photo-like image: smooth shapes, texture and sensor noise.
Image MakePhoto() {
  Image im{"photo 3000 x 2000", 3000, 2000, {}};
  im.rgb.resize(size_t(im.width) * im.height * 3);
  for (uint32_t y = 0; y < im.height; ++y)
    for (uint32_t x = 0; x < im.width; ++x) {
      const double fx = x / double(im.width), fy = y / double(im.height);
      const double sky = fy < 0.45 ? 1.0 : 0.0;
      const double texture = 25 * std::sin(x * 0.21) * std::sin(y * 0.17 + fx * 9);
      const int noise = int(Hash(y * im.width + x) % 13) - 6;
      const int r = int(sky * (90 + 60 * fy) + (1 - sky) * (80 + 70 * fx + texture)) + noise;
      const int g = int(sky * (140 + 50 * fy) + (1 - sky) * (120 + 40 * std::sin(fx * 20) + texture)) + noise;
      const int b = int(sky * (220 - 30 * fx) + (1 - sky) * (60 + texture / 2)) + noise;
      uint8_t* p = &im.rgb[(size_t(y) * im.width + x) * 3];
      p[0] = uint8_t(std::clamp(r, 0, 255));
      p[1] = uint8_t(std::clamp(g, 0, 255));
      p[2] = uint8_t(std::clamp(b, 0, 255));
    }
  return im;
}

// The encoder's source: bottom-up rows, red first, padded to 32 bits.
std::vector<uint8_t> ToSource(const Image& im) {
  const size_t stride = (size_t(im.width) * 24 + 31) / 32 * 4;
  std::vector<uint8_t> src(stride * im.height, 0);
  for (uint32_t y = 0; y < im.height; ++y)
    std::copy_n(&im.rgb[size_t(y) * im.width * 3], size_t(im.width) * 3,
                &src[(im.height - 1 - y) * stride]);
  return src;
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

constexpr int kRuns = 11;

// The median of the runs' times: tjbench reports its mean over its timed
// runs, so neither side is credited with its one luckiest run.
double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void Run(const Image& im, uint8_t quality, uint8_t mode, const std::string& tjbench) {
  static const char* kSample[3] = {"2x2", "2x1", "1x1"};
  const double mp = double(im.width) * im.height / 1e6;
  const std::vector<uint8_t> source = ToSource(im);
  JpegEncodeParams p{};
  p.source = source.data();
  p.source_size = int32_t(source.size());
  p.width = im.width;
  p.height = im.height;
  p.row_stride = int32_t(source.size() / im.height);
  p.bits_per_pixel = 24;
  p.quality = quality;
  p.subsampling = mode;
  p.pixel_order = 0;

  std::vector<double> measure_times, encode_times;
  std::vector<uint8_t> out;
  for (int run = 0; run < kRuns; ++run) {
    p.output = nullptr;
    p.output_size = 0;
    auto t0 = std::chrono::steady_clock::now();
    if (JpegEncode(&p, 0) != 0) {
      std::printf("pass 0 failed\n");
      return;
    }
    measure_times.push_back(Seconds(t0));
    out.resize(p.output_size);
    p.output = out.data();
    t0 = std::chrono::steady_clock::now();
    if (JpegEncode(&p, 1) != 0) {
      std::printf("pass 1 failed\n");
      return;
    }
    encode_times.push_back(Seconds(t0));
  }
  // As the render core runs it: one pass into a buffer of the bound size,
  // measuring only when that is too small.  The same bytes.
  std::vector<double> core_times;
  uint32_t passes = 0;
  for (int run = 0; run < kRuns; ++run) {
    JpegEncodeParams q = p;
    std::unique_ptr<uint8_t[]> stream;
    const auto t0 = std::chrono::steady_clock::now();
    if (!Img_JpegEncodeStream(&JpegEncode, &q, &stream, &passes)) {
      std::printf("the render core's sequence failed\n");
      return;
    }
    core_times.push_back(Seconds(t0));
    if (q.output_size != out.size() || !std::equal(out.begin(), out.end(), stream.get())) {
      std::printf("the render core's sequence gave other bytes\n");
      return;
    }
  }

  // tjbench reads the pixels from a PPM file once, then times compressions
  // of the in-memory rows (bottom-up, red first, as ours) for a second.
  static const char* kTjSample[3] = {"420", "422", "444"};
  const std::string ppm = "/tmp/jpeg_bench_" + std::to_string(getpid()) + ".ppm";
  if (FILE* f = std::fopen(ppm.c_str(), "wb")) {
    std::fprintf(f, "P6\n%u %u\n255\n", im.width, im.height);
    std::fwrite(im.rgb.data(), 1, im.rgb.size(), f);
    std::fclose(f);
  }
  const std::string cmd = tjbench + " " + ppm + " " + std::to_string(quality) + " -rgb -bottomup -subsamp " +
                          kTjSample[mode] + " -componly -nowrite -benchtime 2 -warmup 0.5 2>&1";
  double theirs = 0;
  long tj_size = 0;
  if (FILE* pipe = popen(cmd.c_str(), "r")) {
    char line[256];
    while (std::fgets(line, sizeof line, pipe)) {
      double v = 0;
      long n = 0;
      if (std::sscanf(line, " Throughput: %lf Megapixels/sec", &v) == 1) theirs = v;
      if (std::sscanf(line, " Output image size: %ld bytes", &n) == 1) tj_size = n;
    }
    pclose(pipe);
  }
  std::remove(ppm.c_str());
  if (theirs <= 0) {
    std::printf("tjbench gave no figure: %s\n", cmd.c_str());
    return;
  }

  const double best_encode = Median(encode_times);
  const double ours_one = mp / best_encode;
  const double ours_two = mp / (Median(measure_times) + best_encode);
  const double ours_core = mp / Median(core_times);
  std::printf("%-18s %5.1f MP  q%-3u %s | ours: pass 1 %6.1f MP/s, both passes %6.1f MP/s, render core %6.1f MP/s"
              " (%u call%s), %9zu bytes | tjbench: %6.1f MP/s, %9ld bytes | ratio %.2f (one pass) %.2f (two passes)"
              " %.2f (render core)\n",
              im.name, mp, quality, kSample[mode], ours_one, ours_two, ours_core, passes, passes == 1 ? "" : "s",
              out.size(), theirs, tj_size, ours_one / theirs, ours_two / theirs, ours_core / theirs);
}

}  // namespace

int main(int argc, char** argv) {
  const uint8_t quality = uint8_t(argc > 1 ? std::atoi(argv[1]) : 75);
  const std::string tjbench = argc > 2 ? argv[2] : "/usr/bin/tjbench";
#if defined(__SANITIZE_ADDRESS__)
  std::printf("warning: built with the address sanitizer; figures are not meaningful\n");
#endif
  std::printf("ours: the median of %d runs; tjbench: its own in-process timing, the mean over 2 s\n", kRuns);
  const Image page = MakePage();
  const Image photo = MakePhoto();
  for (uint8_t mode : {0, 2}) {
    Run(page, quality, mode, tjbench);
    Run(photo, quality, mode, tjbench);
  }
  return 0;
}
