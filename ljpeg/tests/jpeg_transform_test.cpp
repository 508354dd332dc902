// The vectorised transform and the quantiser against a plain reading of
// the accurate integer DCT and of the rounding rule.
#include <gtest/gtest.h>

#include <random>

#include "ljpeg/jpeg_tables.h"
#include "ljpeg/jpeg_transform.h"

namespace {

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
  return blocks;
}

TEST(JpegTransform, DctEqualsThePlainIntegerAlgorithm) {
  for (const auto& block : TestBlocks()) {
    int32_t got[64], want[64];
    JpegForwardDct(block.data(), got);
    ReferenceDct(block.data(), want);
    ASSERT_EQ(std::vector<int32_t>(got, got + 64), std::vector<int32_t>(want, want + 64));
  }
}

TEST(JpegTransform, QuantisedBlocksEqualPlainDivisionAtEveryQuality) {
  const auto blocks = TestBlocks();
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
        JpegTransformBlock(blocks[n].data(), table, got);  // flat blocks take the shortcut
        for (int i = 0; i < 64; ++i)
          ASSERT_EQ(got[i], ReferenceQuantize(dct[i], values[i] * 8))
              << "quality " << quality << " block " << n << " coefficient " << i;
      }
    }
  }
}

TEST(JpegTransform, QuantiserRoundsHalvesAwayFromZeroOverTheWholeRange) {
  for (int v : {1, 2, 3, 16, 99, 255}) {
    uint8_t values[64];
    std::fill(values, values + 64, uint8_t(v));
    JpegQuantTable table;
    JpegBuildQuantTable(0, values, &table);
    int32_t dct[64];
    int16_t got[64];
    for (int32_t base = -9000; base <= 9000; base += 64) {
      for (int i = 0; i < 64; ++i) dct[i] = base + i;
      JpegQuantize(dct, table, got);
      for (int i = 0; i < 64; ++i) ASSERT_EQ(got[i], ReferenceQuantize(dct[i], v * 8)) << dct[i];
    }
  }
}

}  // namespace
