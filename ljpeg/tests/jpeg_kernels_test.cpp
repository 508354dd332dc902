// Every kernel table this processor runs against plain readings of the
// accurate integer DCT, the rounding rule, the colour conversion and the
// downsampling averages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "ljpeg/jpeg_kernels.h"
#include "ljpeg/jpeg_tables.h"

namespace {

// The C library of the Windows builds does not define M_PI by default.
constexpr double kPi = 3.14159265358979323846;

// One 1-D pass over v[0], v[stride], ... v[7 * stride], scalar.
void ReferencePass(int32_t* v, int stride, bool first) {
  auto at = [&](int i) -> int32_t& { return v[i * stride]; };
  const int shift = first ? 11 : 15;
  auto descale = [](int64_t x, int n) { return int32_t((x + (int64_t(1) << (n - 1))) >> n); };
  const int64_t t0 = at(0) + at(7), t7 = at(0) - at(7), t1 = at(1) + at(6), t6 = at(1) - at(6);
  const int64_t t2 = at(2) + at(5), t5 = at(2) - at(5), t3 = at(3) + at(4), t4 = at(3) - at(4);
  const int64_t t10 = t0 + t3, t13 = t0 - t3, t11 = t1 + t2, t12 = t1 - t2;
  at(0) = first ? int32_t((t10 + t11) * 4) : descale(t10 + t11, 2);
  at(4) = first ? int32_t((t10 - t11) * 4) : descale(t10 - t11, 2);
  const int64_t z1 = (t12 + t13) * 4433;
  at(2) = descale(z1 + t13 * 6270, shift);
  at(6) = descale(z1 + t12 * -15137, shift);
  const int64_t z5 = (t4 + t6 + t5 + t7) * 9633;
  const int64_t a = (t4 + t7) * -7373, b = (t5 + t6) * -20995;
  const int64_t c = (t4 + t6) * -16069 + z5, d = (t5 + t7) * -3196 + z5;
  at(7) = descale(t4 * 2446 + a + c, shift);
  at(5) = descale(t5 * 16819 + b + d, shift);
  at(3) = descale(t6 * 25172 + b + c, shift);
  at(1) = descale(t7 * 12299 + a + d, shift);
}

void ReferenceDct(const uint8_t samples[64], int32_t out[64]) {
  for (int i = 0; i < 64; ++i) out[i] = int32_t(samples[i]) - 128;
  for (int row = 0; row < 8; ++row) ReferencePass(out + row * 8, 1, true);
  for (int col = 0; col < 8; ++col) ReferencePass(out + col, 8, false);
}

int16_t ReferenceQuantize(int32_t c, int32_t d) {
  const int32_t h = d >> 1;
  if (c >= 0) return int16_t(c + h >= d ? (c + h) / d : 0);
  return int16_t(h - c >= d ? -((h - c) / d) : 0);
}

std::vector<std::vector<uint8_t>> TestBlocks() {
  std::vector<std::vector<uint8_t>> blocks;
  std::mt19937 rng(42);
  for (int n = 0; n < 2000; ++n) {
    std::vector<uint8_t> b(64);
    const int kind = n % 5;
    for (int i = 0; i < 64; ++i) {
      const int x = i % 8, y = i / 8;
      switch (kind) {
        case 0: b[i] = uint8_t(rng()); break;
        case 1: b[i] = ((x + y) & 1) ? 255 : 0; break;              // checkerboard
        case 2: b[i] = uint8_t(x * 32 + (n % 7)); break;            // ramp
        case 3: b[i] = uint8_t(n % 256); break;                     // flat
        default: b[i] = (x < (n % 8)) ? 0 : 255; break;             // edge
      }
    }
    blocks.push_back(b);
  }
  // The blocks that drive each output to its extremes: black or white by
  // the sign of each basis function (and of its negation), where the sums
  // and products of the algorithm are largest.
  for (int v = 0; v < 8; ++v)
    for (int u = 0; u < 8; ++u)
      for (int sign = 0; sign < 2; ++sign) {
        std::vector<uint8_t> b(64);
        for (int i = 0; i < 64; ++i) {
          const double basis = std::cos((2 * (i % 8) + 1) * u * kPi / 16) * std::cos((2 * (i / 8) + 1) * v * kPi / 16);
          b[i] = (basis >= 0) != (sign == 1) ? 255 : 0;
        }
        blocks.push_back(b);
      }
  return blocks;
}

std::vector<const JpegKernelTable*> RunnableTables() {
  int count = 0;
  const JpegKernelTable* const* tables = JpegKernelTables(&count);
  std::vector<const JpegKernelTable*> out;
  for (int i = 0; i < count; ++i)
    if (JpegKernelsRun(tables[i])) out.push_back(tables[i]);
  EXPECT_EQ(out.front(), &kJpegKernelsGeneric);
  EXPECT_EQ(JpegSelectKernels(), out.back());
  return out;
}

TEST(JpegKernels, DctEqualsThePlainIntegerAlgorithm) {
  for (const JpegKernelTable* k : RunnableTables()) {
    for (const auto& block : TestBlocks()) {
      int32_t got[64], want[64];
      k->dct(block.data(), got);
      ReferenceDct(block.data(), want);
      ASSERT_EQ(std::vector<int32_t>(got, got + 64), std::vector<int32_t>(want, want + 64))
          << k->name;
    }
  }
}

TEST(JpegKernels, QuantisedBlocksEqualPlainDivisionAtEveryQuality) {
  const auto blocks = TestBlocks();
  for (const JpegKernelTable* k : RunnableTables()) {
    for (int quality = 1; quality <= 100; ++quality) {
      for (uint8_t id = 0; id < 2; ++id) {
        uint8_t values[64];
        JpegScaleQuantValues(kJpegQuantBase[id], uint8_t(quality), values);
        JpegQuantTable table;
        JpegBuildQuantTable(id, values, &table);
        for (size_t n = id; n < blocks.size(); n += 7) {
          int32_t dct[64];
          ReferenceDct(blocks[n].data(), dct);
          int16_t got[64];
          uint64_t nonzero = ~uint64_t(0);
          const JpegQuantTable* tables[1] = {&table};
          k->transform(blocks[n].data(), 1, tables, got, &nonzero);  // flat blocks: shortcut
          for (int z = 0; z < 64; ++z) {
            const int i = kJpegZigzag[z];
            const int16_t want = ReferenceQuantize(dct[i], values[i] * 8);
            ASSERT_EQ(got[i], want) << k->name << " quality " << quality << " block " << n
                                       << " coefficient " << i;
            ASSERT_EQ((nonzero >> z) & 1, uint64_t(z > 0 && want != 0)) << k->name;
          }
        }
      }
    }
  }
}

TEST(JpegKernels, BlocksOfAnMcuEqualBlocksOneByOne) {
  // The blocks of an MCU, flat or not, in every mix and count up to six,
  // each with its own table: the same values and bits as one at a time.
  const auto blocks = TestBlocks();
  JpegQuantTable luma, chroma;
  uint8_t values[64];
  JpegScaleQuantValues(kJpegQuantBase[0], 75, values);
  JpegBuildQuantTable(0, values, &luma);
  JpegScaleQuantValues(kJpegQuantBase[1], 75, values);
  JpegBuildQuantTable(1, values, &chroma);
  std::mt19937 rng(11);
  for (const JpegKernelTable* k : RunnableTables()) {
    for (int round = 0; round < 400; ++round) {
      const uint32_t count = 1 + rng() % 6;
      std::vector<uint8_t> samples;
      const JpegQuantTable* tables[6];
      for (uint32_t b = 0; b < count; ++b) {
        const auto& block = blocks[rng() % blocks.size()];
        samples.insert(samples.end(), block.begin(), block.end());
        tables[b] = rng() & 1 ? &luma : &chroma;
      }
      int16_t got[6 * 64];
      uint64_t nonzero[6];
      k->transform(samples.data(), count, tables, got, nonzero);
      for (uint32_t b = 0; b < count; ++b) {
        int16_t want[64];
        uint64_t want_nonzero;
        kJpegKernelsGeneric.transform(samples.data() + 64 * b, 1, tables + b, want, &want_nonzero);
        ASSERT_EQ(std::vector<int16_t>(got + 64 * b, got + 64 * b + 64), std::vector<int16_t>(want, want + 64))
            << k->name << " round " << round << " block " << b;
        ASSERT_EQ(nonzero[b], want_nonzero) << k->name << " round " << round << " block " << b;
      }
    }
  }
}

TEST(JpegKernels, QuantiserRoundsHalvesAwayFromZeroForEveryDivisor) {
  // Every table value 1 to 255 against DCT outputs across their range
  // (below 2^14 in magnitude), fed in through a block whose DC output is
  // 64 times the level-shifted sample.
  for (const JpegKernelTable* k : RunnableTables()) {
    for (int v = 1; v <= 255; ++v) {
      uint8_t values[64];
      std::fill(values, values + 64, uint8_t(v));
      JpegQuantTable table;
      JpegBuildQuantTable(0, values, &table);
      for (int sample = 0; sample < 256; ++sample) {
        uint8_t block[64];
        std::fill(block, block + 64, uint8_t(sample));
        int16_t got[64];
        uint64_t nonzero;
        const JpegQuantTable* tables[1] = {&table};
        k->transform(block, 1, tables, got, &nonzero);
        ASSERT_EQ(got[0], ReferenceQuantize((sample - 128) * 64, v * 8)) << v << " " << sample;
        block[63] ^= 1;  // not flat: the full path
        int32_t dct[64];
        ReferenceDct(block, dct);
        k->transform(block, 1, tables, got, &nonzero);
        for (int i = 0; i < 64; ++i)
          ASSERT_EQ(got[i], ReferenceQuantize(dct[i], v * 8)) << v << " " << sample;
      }
    }
  }
}

TEST(JpegKernels, ConvertersAndDownsamplersFollowThePlainFormulas) {
  std::mt19937 rng(7);
  for (const JpegKernelTable* k : RunnableTables()) {
    for (int depth = 1; depth < 4; ++depth) {
      const uint32_t bytes = depth == 1 ? 2 : depth == 2 ? 3 : 4;
      for (int order = 0; order < 2; ++order) {
        for (uint32_t n = 1; n <= 32; ++n) {
          // Second round: only 0 and 255, so the limits (pure blue, pure
          // red) come up.
          std::vector<uint8_t> src((n > 16 ? n - 16 : n) * bytes);
          for (auto& b : src) b = n > 16 ? uint8_t(rng() & 1 ? 255 : 0) : uint8_t(rng());
          uint8_t y[16], cb[16], cr[16];
          const uint32_t count = uint32_t(src.size() / bytes);
          k->convert[depth][order](src.data(), count, 16, y, cb, cr);
          for (uint32_t i = 0; i < 16; ++i) {
            const uint8_t* p = src.data() + std::min(i, count - 1) * bytes;
            int r, g, b;
            if (depth == 1) {
              const int w = p[0] | p[1] << 8;
              r = ((w >> (order ? 10 : 0)) & 31) << 3;
              g = ((w >> 5) & 31) << 3;
              b = ((w >> (order ? 0 : 10)) & 31) << 3;
            } else {
              r = p[order ? 2 : 0], g = p[1], b = p[order ? 0 : 2];
            }
            const int want_y = std::min(255, (77 * r + 150 * g + 29 * b + 128) >> 8);
            const int want_cb = std::clamp(((128 * b + 128 - 43 * r - 85 * g) >> 8) + 128, 0, 255);
            const int want_cr = std::clamp(((128 * r + 128 - 107 * g - 21 * b) >> 8) + 128, 0, 255);
            ASSERT_EQ(y[i], want_y) << k->name << " depth " << depth << " n " << n << " i " << i;
            ASSERT_EQ(cb[i], want_cb) << k->name << " depth " << depth << " n " << n;
            ASSERT_EQ(cr[i], want_cr) << k->name << " depth " << depth << " n " << n;
          }
        }
      }
    }
    // Downsampling: truncating averages of 2 x 2 and 2 x 1 samples.
    uint8_t planes[3][256], blocks[384];
    for (auto& plane : planes)
      for (auto& s : plane) s = uint8_t(rng());
    k->downsample[0](planes[0], planes[1], planes[2], 16, blocks);
    for (int c = 1; c < 3; ++c)
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
          const uint8_t* p = planes[c];
          const int want = (p[32 * y + 2 * x] + p[32 * y + 2 * x + 1] + p[32 * y + 16 + 2 * x] +
                            p[32 * y + 16 + 2 * x + 1]) >> 2;
          ASSERT_EQ(blocks[256 + (c - 1) * 64 + 8 * y + x], want) << k->name;
        }
    for (int b = 0; b < 4; ++b)
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
          ASSERT_EQ(blocks[64 * b + 8 * y + x], planes[0][(8 * (b / 2) + y) * 16 + 8 * (b % 2) + x]);
    k->downsample[1](planes[0], planes[1], planes[2], 16, blocks);
    for (int c = 1; c < 3; ++c)
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
          const uint8_t* p = planes[c];
          ASSERT_EQ(blocks[128 + (c - 1) * 64 + 8 * y + x], (p[16 * y + 2 * x] + p[16 * y + 2 * x + 1]) >> 1)
              << k->name;
        }
    // Without subsampling, and grey: the blocks cut from rows 24 apart.
    k->downsample[2](planes[0] + 3, planes[1] + 5, planes[2] + 7, 24, blocks);
    k->downsample[3](planes[0] + 2, nullptr, nullptr, 24, blocks + 192);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        ASSERT_EQ(blocks[8 * y + x], planes[0][3 + 24 * y + x]) << k->name;
        ASSERT_EQ(blocks[64 + 8 * y + x], planes[1][5 + 24 * y + x]) << k->name;
        ASSERT_EQ(blocks[128 + 8 * y + x], planes[2][7 + 24 * y + x]) << k->name;
        ASSERT_EQ(blocks[192 + 8 * y + x], planes[0][2 + 24 * y + x]) << k->name;
      }
  }
}

}  // namespace
