// The PackBits and delta-row coders: the documented codings, round trips
// over random rows through the dissector's own decoders, the worst-case
// sizes, and sinks that refuse or fail.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "drender/pclxl/byte_sink.h"
#include "drender/pclxl/delta_row_compress.h"
#include "drender/pclxl/packbits_compress.h"
#include "tests/pclxl/xl_dissector.h"

namespace {

using Bytes = std::vector<uint8_t>;

uint32_t Append(void* context, const uint8_t* data, uint32_t length) {
  auto* out = static_cast<Bytes*>(context);
  out->insert(out->end(), data, data + length);
  return 1;
}

Bytes PackBits(const Bytes& row) {
  Bytes out;
  uint64_t coded = 0;
  EXPECT_EQ(Img_PackBits(&Append, &out, row.data(), static_cast<uint32_t>(row.size()), &coded),
            1u);
  EXPECT_EQ(coded, out.size());
  return out;
}

Bytes DeltaFirst(const Bytes& row) {
  Bytes out;
  uint64_t coded = 0;
  EXPECT_EQ(Img_DeltaRowFirst(&Append, &out, row.data(), static_cast<uint32_t>(row.size()), &coded),
            1u);
  EXPECT_EQ(coded, out.size());
  return out;
}

Bytes Delta(const Bytes& row, const Bytes& seed) {
  Bytes out;
  uint64_t coded = 0;
  EXPECT_EQ(Img_DeltaRow(&Append, &out, row.data(), seed.data(),
                         static_cast<uint32_t>(row.size()), &coded),
            1u);
  EXPECT_EQ(coded, out.size());
  return out;
}

// Rows as the delta-row block of an image has them: each coded row after
// its two-byte length.
void AppendWithLength(Bytes* block, const Bytes& coded) {
  ASSERT_LE(coded.size(), 0xFFFFu);
  block->push_back(static_cast<uint8_t>(coded.size()));
  block->push_back(static_cast<uint8_t>(coded.size() >> 8));
  block->insert(block->end(), coded.begin(), coded.end());
}

TEST(PackBits, DocumentedCodings) {
  const struct {
    Bytes in, out;
  } cases[] = {
      {{0x41, 0x41, 0x41, 0x41}, {0xFD, 0x41}},
      {{0x41, 0x42, 0x43}, {0x02, 0x41, 0x42, 0x43}},
      {{0x42, 0x41, 0x41, 0x41}, {0x01, 0x42, 0x41, 0xFF, 0x41}},
      {Bytes(130, 0x7E), {0x81, 0x7E, 0xFF, 0x7E}},
      {{0x09}, {0x00, 0x09}},
      {{}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(PackBits(c.in), c.out) << c.in.size();
}

TEST(DeltaRow, DocumentedCodings) {
  Bytes seed(64, 0x11);
  EXPECT_TRUE(Delta(seed, seed).empty());
  Bytes row = seed;
  row[40] = 0x99;
  EXPECT_EQ(Delta(row, seed), (Bytes{0x1F, 0x09, 0x99}));
  Bytes ten = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  EXPECT_EQ(DeltaFirst(ten), (Bytes{0xE0, 1, 2, 3, 4, 5, 6, 7, 8, 0x20, 9, 10}));
  // An offset of 31 + 255 takes the extension bytes 255 and 0.
  Bytes wide(400, 0);
  Bytes changed = wide;
  changed[286] = 5;
  EXPECT_EQ(Delta(changed, wide), (Bytes{0x1F, 0xFF, 0x00, 0x05}));
}

// Random rows of many widths, with runs and repeats mixed in, decode back
// to themselves with the dissector's decoders, and never code larger than
// the stated bound.
TEST(RowCompress, RandomRowsRoundTripThroughTheDecoders) {
  std::mt19937 random(20261210);
  for (int trial = 0; trial < 400; ++trial) {
    const uint32_t width = trial < 300 ? random() % 300 + 1 : random() % 5000 + 1;
    const int rows = 1 + static_cast<int>(random() % 4);
    Bytes image;
    for (int r = 0; r < rows; ++r) {
      for (uint32_t i = 0; i < width;) {
        // Runs of one value, or noise from a small or a full alphabet.
        uint32_t n = std::min<uint32_t>(width - i, 1 + random() % 300);
        uint32_t kind = random() % 3;
        uint8_t v = static_cast<uint8_t>(random());
        for (uint32_t k = 0; k < n; ++k, ++i) {
          image.push_back(kind == 0 ? v : kind == 1 ? static_cast<uint8_t>(random() % 2)
                                                    : static_cast<uint8_t>(random()));
        }
      }
      // Later rows repeat much of the row before them.
      if (r > 0) {
        for (uint32_t i = 0; i < width; ++i) {
          if (random() % 4 != 0) image[r * width + i] = image[(r - 1) * width + i];
        }
      }
    }
    Bytes packed, deltas;
    Bytes seed(width, 0);
    for (int r = 0; r < rows; ++r) {
      Bytes row(image.begin() + r * width, image.begin() + (r + 1) * width);
      Bytes p = PackBits(row);
      ASSERT_LE(p.size(), Img_PackBitsBound(width));
      packed.insert(packed.end(), p.begin(), p.end());
      Bytes d = r == 0 && trial % 2 == 0 ? DeltaFirst(row) : Delta(row, seed);
      ASSERT_LE(d.size(), Img_DeltaRowBound(width));
      AppendWithLength(&deltas, d);
      seed = row;
    }
    Bytes decoded;
    std::string error;
    ASSERT_TRUE(xl::DecodePackBits(packed.data(), packed.size(), width, width, rows, &decoded,
                                   &error))
        << error << " width " << width;
    EXPECT_EQ(decoded, image) << "width " << width;
    Bytes decoderSeed;
    ASSERT_TRUE(xl::DecodeDeltaRows(deltas.data(), deltas.size(), width, rows, &decoderSeed,
                                    &decoded, &error))
        << error << " width " << width;
    EXPECT_EQ(decoded, image) << "width " << width;
  }
}

TEST(RowCompress, WorstCasesReachTheirBounds) {
  // PackBits: pairs that each end a literal run, and a byte left at the end.
  for (uint32_t width : {1u, 2u, 3u, 255u, 256u, 1001u}) {
    Bytes row;
    for (uint32_t i = 0; row.size() < width; ++i) {
      row.push_back(static_cast<uint8_t>(i));
      if (row.size() < width) row.push_back(static_cast<uint8_t>(i + 1));
    }
    // a b b c c d ...: literal "a b", then "b c" ... each two bytes long.
    Bytes worst;
    for (uint32_t i = 0; i < width; ++i) worst.push_back(static_cast<uint8_t>((i + 1) / 2));
    EXPECT_EQ(PackBits(worst).size(), Img_PackBitsBound(width)) << width;
  }
  // Delta row: every byte changed.
  for (uint32_t width : {1u, 8u, 9u, 1000u}) {
    Bytes row(width, 0xFF), seed(width, 0);
    EXPECT_EQ(Delta(row, seed).size(), Img_DeltaRowBound(width)) << width;
    EXPECT_EQ(DeltaFirst(row).size(), Img_DeltaRowBound(width)) << width;
  }
}

TEST(RowCompress, BufferSinkNeverWritesPastItsEnd) {
  std::mt19937 random(7);
  Bytes row(500);
  for (uint8_t& b : row) b = static_cast<uint8_t>(random());
  Bytes seed(500, 0);
  const uint64_t packedSize = PackBits(row).size();
  const uint64_t deltaSize = Delta(row, seed).size();
  for (uint32_t capacity : {0u, 1u, 100u, 255u, 256u, 257u, static_cast<uint32_t>(packedSize) - 1,
                            static_cast<uint32_t>(packedSize), static_cast<uint32_t>(deltaSize)}) {
    // The buffer is followed by guard bytes that must stay untouched.
    Bytes memory(capacity + 16, 0xA5);
    XlBufferSink sink;
    uint64_t coded = 0;
    XL_InitBufferSink(&sink, memory.data(), capacity);
    uint32_t ok = Img_PackBits(&XL_BufferSinkWrite, &sink, row.data(), 500, &coded);
    EXPECT_EQ(ok, capacity >= packedSize ? 1u : 0u) << capacity;
    EXPECT_EQ(coded, ok ? packedSize : 0u);
    EXPECT_EQ(Bytes(memory.begin() + capacity, memory.end()), Bytes(16, 0xA5)) << capacity;

    memory.assign(capacity + 16, 0xA5);
    XL_InitBufferSink(&sink, memory.data(), capacity);
    ok = Img_DeltaRow(&XL_BufferSinkWrite, &sink, row.data(), seed.data(), 500, &coded);
    EXPECT_EQ(ok, capacity >= deltaSize ? 1u : 0u) << capacity;
    EXPECT_EQ(Bytes(memory.begin() + capacity, memory.end()), Bytes(16, 0xA5)) << capacity;
  }
}

TEST(RowCompress, MissingRowsAndFailingSinksAreFailures) {
  Bytes out;
  uint64_t coded = 99;
  const uint8_t row[4] = {1, 2, 3, 4};
  EXPECT_EQ(Img_PackBits(&Append, &out, nullptr, 4, &coded), 0u);
  EXPECT_EQ(coded, 0u);
  EXPECT_EQ(Img_DeltaRowFirst(&Append, &out, nullptr, 4, &coded), 0u);
  EXPECT_EQ(Img_DeltaRow(&Append, &out, row, nullptr, 4, &coded), 0u);
  EXPECT_TRUE(out.empty());
  auto fail = [](void*, const uint8_t*, uint32_t) -> uint32_t { return 0; };
  EXPECT_EQ(Img_PackBits(fail, nullptr, row, 4, &coded), 0u);
  EXPECT_EQ(Img_DeltaRowFirst(fail, nullptr, row, 4, &coded), 0u);
  // Empty rows code to nothing and succeed without touching the sink.
  EXPECT_EQ(Img_DeltaRow(fail, nullptr, row, row, 0, &coded), 1u);
  EXPECT_EQ(coded, 0u);
}

}  // namespace
