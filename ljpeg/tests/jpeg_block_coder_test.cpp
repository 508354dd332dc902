// Huffman coding of single blocks, bit packing with stuffing, the final
// flush, and a randomised round trip through an independent decoder.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "ljpeg/jpeg_block_coder.h"
#include "ljpeg/jpeg_tables.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Coder {
  JpegHuffTable tables[4];
  JpegComponentCoder luma, chroma;
  Bytes buffer = Bytes(1 << 21);
  JpegStream stream;

  Coder() {
    for (int t = 0; t < 4; ++t) JpegBuildHuffTable(kJpegHuffSpecs[t], &tables[t]);
    luma = {&tables[0], &tables[1], 0};
    chroma = {&tables[2], &tables[3], 0};
    JpegStreamOpenMemory(&stream, buffer.data(), uint32_t(buffer.size()));
  }
  // The stream's bytes and pending bits as a string of 0 and 1, stuffed
  // zero bytes removed.
  std::string Bits() const {
    std::string bits;
    for (uint32_t i = 0; i < stream.position; ++i) {
      if (i > 0 && buffer[i - 1] == 0xFF && buffer[i] == 0x00) continue;
      for (int b = 7; b >= 0; --b) bits += char('0' + ((buffer[i] >> b) & 1));
    }
    for (int b = int(stream.bit_count) - 1; b >= 0; --b)
      bits += char('0' + ((stream.bit_buffer >> b) & 1));
    return bits;
  }
};

// Coefficients in natural order from (zigzag position, value) pairs.
std::vector<int16_t> Block(std::initializer_list<std::pair<int, int>> zigzag_values) {
  std::vector<int16_t> block(64, 0);
  for (auto [k, v] : zigzag_values) block[kJpegZigzag[k]] = int16_t(v);
  return block;
}

TEST(JpegBlockCoder, HandBuiltBlocksCodeToThePublishedCodeWords) {
  struct Case {
    const char* what;
    std::vector<int16_t> block;
    int32_t predictor;
    std::string bits;
  };
  const Case cases[] = {
      {"all-zero AC: DC code and one end of block", Block({{0, 0}}), 0, "00" "1010"},
      {"DC +1: category 1, bit 1", Block({{0, 1}}), 0, "010" "1" "1010"},
      {"DC -1: category 1, bit 0", Block({{0, -1}}), 0, "010" "0" "1010"},
      {"DC difference to the predictor: -3 is category 2, bits 00", Block({{0, 7}}), 10,
       "011" "00" "1010"},
      {"20 zeros, then a value at 21: one 0xF0, then 4/1",
       Block({{21, 1}}), 0, "00" "11111111001" "111011" "1" "1010"},
      {"AC values 1, -2 and 3",
       Block({{1, 1}, {2, -2}, {3, 3}}), 0, "00" "00" "1" "01" "01" "01" "11" "1010"},
  };
  for (const Case& c : cases) {
    Coder coder;
    coder.luma.dc_predictor = c.predictor;
    ASSERT_TRUE(JpegEncodeBlock(&coder.stream, &coder.luma, c.block.data())) << c.what;
    EXPECT_EQ(coder.Bits(), c.bits) << c.what;
    EXPECT_EQ(coder.luma.dc_predictor, c.block[0]) << c.what;
  }
}

TEST(JpegBlockCoder, StuffsAZeroAfterEvery0xFFAndNowhereElse) {
  // DC difference 2047: category 11 (111111110) and eleven 1 bits, then the
  // end of block: 11111111 01111111 11111010.
  Coder coder;
  const auto block = Block({{0, 2047}});
  ASSERT_TRUE(JpegEncodeBlock(&coder.stream, &coder.luma, block.data()));
  EXPECT_EQ(Bytes(coder.buffer.begin(), coder.buffer.begin() + coder.stream.position),
            (Bytes{0xFF, 0x00, 0x7F, 0xFA}));
  EXPECT_EQ(coder.stream.bit_count, 0u);
}

TEST(JpegBlockCoder, FlushPadsTheLastByteWithOneBits) {
  struct Case {
    uint32_t pending, count;
    Bytes expected;
  };
  const Case cases[] = {{0b101, 3, {0xBF}}, {0b1111111, 7, {0xFF, 0x00}}, {0, 0, {}}};
  for (const Case& c : cases) {
    Coder coder;
    coder.stream.bit_buffer = c.pending;
    coder.stream.bit_count = c.count;
    ASSERT_TRUE(JpegStreamFlushBits(&coder.stream));
    EXPECT_EQ(Bytes(coder.buffer.begin(), coder.buffer.begin() + coder.stream.position), c.expected);
    EXPECT_EQ(coder.stream.bit_count, 0u);
  }
}

TEST(JpegBlockCoder, LastPositionNonZeroHasNoEndOfBlock) {
  // 62 zeros: three 0xF0 codes, then run 14 size 1 (0xE1), and no end of
  // block after it.
  Coder coder;
  const auto block = Block({{63, -1}});
  ASSERT_TRUE(JpegEncodeBlock(&coder.stream, &coder.luma, block.data()));
  const std::string zrl = "11111111001";
  const std::string e1 = "1111111111101011" "0";
  EXPECT_EQ(coder.Bits(), "00" + zrl + zrl + zrl + e1);
}

TEST(JpegBlockCoder, ValuesWithoutACodeFailTheBlock) {
  const std::vector<int16_t> cases[] = {Block({{0, 2048}}), Block({{5, 1024}}),
                                        Block({{5, -1024}}), Block({{0, -32768}})};
  for (const auto& block : cases) {
    Coder coder;
    EXPECT_FALSE(JpegEncodeBlock(&coder.stream, &coder.luma, block.data()));
  }
}

TEST(JpegBlockCoder, OutputRunningOutInsideABlockFailsWithoutTheOverrunBit) {
  Coder coder;
  JpegStreamOpenMemory(&coder.stream, coder.buffer.data(), 1);
  const auto block = Block({{0, 2047}, {1, 1000}});
  EXPECT_FALSE(JpegEncodeBlock(&coder.stream, &coder.luma, block.data()));
  EXPECT_EQ(coder.stream.status, 0);
}

TEST(JpegBlockCoder, CountingPastWhatA32BitSizeHoldsFails) {
  JpegStream counter;
  JpegStreamOpenCounter(&counter);
  counter.position = counter.capacity = 0xFFFFFFF0u;
  const uint8_t bytes[32] = {};
  EXPECT_TRUE(JpegStreamAppend(&counter, bytes, 14));
  EXPECT_FALSE(JpegStreamAppend(&counter, bytes, 2));
  EXPECT_TRUE(JpegStreamWriteByte(&counter, 0));
  EXPECT_FALSE(JpegStreamWriteByte(&counter, 0));
  EXPECT_EQ(counter.status, kJpegStatusOverrun);
  EXPECT_EQ(JpegStreamSize(&counter), 0xFFFFFFFFu);
}

// A decoder written from the code-length counts alone.
struct Decoder {
  const Bytes& data;
  size_t pos = 0;
  uint32_t acc = 0;
  int bits = 0;

  int Bit() {
    if (bits == 0) {
      if (pos >= data.size()) return -1;
      acc = data[pos++];
      if (acc == 0xFF) {
        if (pos >= data.size() || data[pos] != 0x00) return -1;
        ++pos;
      }
      bits = 8;
    }
    --bits;
    return int((acc >> bits) & 1);
  }
  int Receive(int s) {
    int v = 0;
    for (int i = 0; i < s; ++i) {
      const int b = Bit();
      if (b < 0) return 0;
      v = v * 2 + b;
    }
    return v < (1 << (s - 1)) ? v - (1 << s) + 1 : v;  // T.81 EXTEND
  }
  int Symbol(const JpegHuffSpec& spec) {
    int code = 0, first = 0, index = 0;
    for (int length = 1; length <= 16; ++length) {
      const int b = Bit();
      if (b < 0) return -1;
      code = code * 2 + b;
      const int count = spec.counts[length - 1];
      if (code - first < count) return spec.symbols[index + code - first];
      index += count;
      first = (first + count) * 2;
    }
    return -1;
  }
};

TEST(JpegBlockCoder, RandomBlocksAtQuality100DecodeBackExactly) {
  // Quantised values at quality 100 (divisor 8): DC -1024..1016, AC within
  // +-1023; blocks from sparse to full, luminance and chrominance.
  std::mt19937 rng(20261210);
  Coder coder;
  Coder counter;
  JpegStreamOpenCounter(&counter.stream);
  std::vector<std::vector<int16_t>> blocks;
  for (int n = 0; n < 3000; ++n) {
    std::vector<int16_t> block(64, 0);
    const int density = int(rng() % 65);
    block[0] = int16_t(int(rng() % 2041) - 1024);
    for (int i = 1; i < 64; ++i)
      if (int(rng() % 64) < density) block[i] = int16_t(int(rng() % 2047) - 1023);
    if (n % 7 == 0)
      for (int i = 1; i < 64; ++i) block[i] = int16_t((i & 1) ? 1023 : -1023);  // longest codes
    blocks.push_back(block);
  }
  for (size_t n = 0; n < blocks.size(); ++n) {
    JpegComponentCoder* c = n % 3 == 0 ? &coder.luma : &coder.chroma;
    JpegComponentCoder* d = n % 3 == 0 ? &counter.luma : &counter.chroma;
    ASSERT_TRUE(JpegEncodeBlock(&coder.stream, c, blocks[n].data())) << n;
    ASSERT_TRUE(JpegEncodeBlock(&counter.stream, d, blocks[n].data())) << n;
  }
  ASSERT_TRUE(JpegStreamFlushBits(&coder.stream));
  ASSERT_TRUE(JpegStreamFlushBits(&counter.stream));
  EXPECT_EQ(JpegStreamSize(&counter.stream), JpegStreamSize(&coder.stream));

  const Bytes data(coder.buffer.begin(), coder.buffer.begin() + coder.stream.position);
  Decoder dec{data};
  int32_t predictor[2] = {0, 0};
  for (size_t n = 0; n < blocks.size(); ++n) {
    const int table = n % 3 == 0 ? 0 : 2;
    std::vector<int16_t> got(64, 0);
    const int s = dec.Symbol(kJpegHuffSpecs[table]);
    ASSERT_GE(s, 0) << n;
    predictor[table / 2] += s == 0 ? 0 : dec.Receive(s);
    got[0] = int16_t(predictor[table / 2]);
    for (int k = 1; k < 64;) {
      const int rs = dec.Symbol(kJpegHuffSpecs[table + 1]);
      ASSERT_GE(rs, 0) << n;
      if (rs == 0x00) break;
      k += rs >> 4;
      ASSERT_LT(k, 64) << n;
      if ((rs & 15) != 0) got[kJpegZigzag[k]] = int16_t(dec.Receive(rs & 15));
      ++k;
    }
    ASSERT_EQ(got, blocks[n]) << "block " << n;
  }
}

}  // namespace
