// Header segments of the stream, byte for byte, and the standard tables.
#include <gtest/gtest.h>

#include "ljpeg/jpeg_block_coder.h"
#include "ljpeg/jpeg_tables.h"
#include "ljpeg/jpeg_quant.h"
#include "ljpeg/tests/jpeg_test_support.h"

namespace {

using jpegtest::Parse;
using Bytes = std::vector<uint8_t>;

Bytes EncodeSmall(uint16_t bpp, uint8_t mode, uint8_t quality = 50) {
  const jpegtest::Image image = jpegtest::MakeImage(jpegtest::Pattern::kGradient, 21, 13, bpp == 8);
  return jpegtest::EncodeTwoPass(jpegtest::ToSource(image, bpp, 0), 21, 13, bpp, quality, mode, 0);
}

TEST(JpegMarkers, GreyStreamHasTheSegmentsInOrderWithTheirExactHeaders) {
  const Bytes s = EncodeSmall(8, 2);
  const Bytes head(s.begin(), s.begin() + 20);
  EXPECT_EQ(head, (Bytes{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00, 0x01, 0x01,
                         0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00}));
  const auto parsed = Parse(s);
  ASSERT_TRUE(parsed.ends_with_eoi);
  ASSERT_EQ(parsed.segments.size(), 6u);
  const uint8_t markers[6] = {0xD8, 0xE0, 0xC4, 0xDB, 0xC0, 0xDA};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(parsed.segments[i].marker, markers[i]) << i;
  EXPECT_EQ(parsed.segments[2].body.size() + 2, 210u);  // DHT: DC 0 and AC 0
  EXPECT_EQ(parsed.segments[2].body[0], 0x00);
  EXPECT_EQ(parsed.segments[2].body[29], 0x10);
  EXPECT_EQ(parsed.segments[3].body.size() + 2, 67u);   // DQT: one table
  EXPECT_EQ(parsed.segments[4].body, (Bytes{8, 0, 13, 0, 21, 1, 1, 0x11, 0}));
  EXPECT_EQ(parsed.segments[5].body, (Bytes{1, 1, 0x00, 0, 63, 0}));
  // No restart markers: the only markers in the data are stuffed 0xFF 0x00.
  for (size_t i = 0; i + 1 < parsed.scan_data.size(); ++i)
    if (parsed.scan_data[i] == 0xFF) {
      EXPECT_EQ(parsed.scan_data[i + 1], 0x00) << i;
    }
}

TEST(JpegMarkers, ColourFrameCarriesTheSamplingOfEachMode) {
  const uint8_t luma[3] = {0x22, 0x21, 0x11};
  for (uint8_t mode = 0; mode < 3; ++mode) {
    const auto parsed = Parse(EncodeSmall(24, mode));
    ASSERT_EQ(parsed.segments.size(), 6u);
    EXPECT_EQ(parsed.segments[2].body.size() + 2, 418u);
    const Bytes& dht = parsed.segments[2].body;
    EXPECT_EQ(dht[0], 0x00);
    EXPECT_EQ(dht[29], 0x10);
    EXPECT_EQ(dht[208], 0x01);
    EXPECT_EQ(dht[237], 0x11);
    EXPECT_EQ(parsed.segments[3].body.size() + 2, 132u);
    EXPECT_EQ(parsed.segments[3].body[0], 0x00);
    EXPECT_EQ(parsed.segments[3].body[65], 0x01);
    EXPECT_EQ(parsed.segments[4].body,
              (Bytes{8, 0, 13, 0, 21, 3, 1, luma[mode], 0, 2, 0x11, 1, 3, 0x11, 1}))
        << int(mode);
    EXPECT_EQ(parsed.segments[5].body, (Bytes{3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0}));
  }
}

TEST(JpegMarkers, QuantisationTablesScaleWithQuality) {
  // Quality 50 carries the example tables unchanged (zigzag order), 100
  // makes every value 1, 1 clamps at 255.
  struct Case {
    uint8_t quality;
    uint8_t luma_first, luma_last, chroma_first, chroma_last;
  };
  const Case cases[] = {{50, 16, 99, 17, 99}, {100, 1, 1, 1, 1}, {1, 255, 255, 255, 255},
                        {75, 8, 50, 9, 50}, {10, 80, 255, 85, 255}};
  for (const Case& c : cases) {
    const Bytes dqt = Parse(EncodeSmall(24, 2, c.quality)).segments[3].body;
    EXPECT_EQ(dqt[1], c.luma_first) << int(c.quality);
    EXPECT_EQ(dqt[64], c.luma_last) << int(c.quality);
    EXPECT_EQ(dqt[66], c.chroma_first) << int(c.quality);
    EXPECT_EQ(dqt[129], c.chroma_last) << int(c.quality);
  }
  // Zigzag: the second value sent is natural position 1 (11), the third
  // natural position 8 (12).
  const Bytes dqt = Parse(EncodeSmall(24, 2, 50)).segments[3].body;
  EXPECT_EQ(dqt[2], 11);
  EXPECT_EQ(dqt[3], 12);
  EXPECT_EQ(dqt[4], 14);
}

// Code words as the standard prints them.
struct KnownCode {
  int table;  // index into kJpegHuffSpecs
  uint8_t symbol;
  const char* bits;
};

TEST(JpegHuffman, DerivedCodesMatchThePublishedCodeWords) {
  const KnownCode known[] = {
      {0, 0, "00"},         {0, 1, "010"},         {0, 5, "110"},          {0, 6, "1110"},
      {0, 11, "111111110"}, {2, 0, "00"},          {2, 2, "10"},           {2, 3, "110"},
      {2, 11, "11111111110"},
      {1, 0x00, "1010"},    {1, 0x01, "00"},       {1, 0x02, "01"},        {1, 0x03, "100"},
      {1, 0x11, "1100"},    {1, 0xF0, "11111111001"}, {1, 0x0A, "1111111110000011"},
      {1, 0xFA, "1111111111111110"},
      {3, 0x00, "00"},      {3, 0x01, "01"},       {3, 0x02, "100"},       {3, 0x11, "1011"},
      {3, 0xF0, "1111111010"}, {3, 0xFA, "1111111111111110"}};
  JpegHuffTable tables[4];
  for (int t = 0; t < 4; ++t) JpegBuildHuffTable(kJpegHuffSpecs[t], &tables[t]);
  for (const KnownCode& k : known) {
    const std::string bits = k.bits;
    uint32_t code = 0;
    for (char c : bits) code = code * 2 + uint32_t(c - '0');
    EXPECT_EQ(tables[k.table].length[k.symbol], bits.size()) << k.table << " " << int(k.symbol);
    EXPECT_EQ(tables[k.table].code[k.symbol], code) << k.table << " " << int(k.symbol);
  }
  // Every table: 162 AC or 12 DC symbols, with the counts summing to them;
  // symbols outside the table have no code.
  for (int t = 0; t < 4; ++t) {
    int sum = 0, coded = 0;
    for (uint8_t c : kJpegHuffSpecs[t].counts) sum += c;
    for (int sym = 0; sym < 256; ++sym) coded += tables[t].length[sym] != 0;
    EXPECT_EQ(sum, kJpegHuffSpecs[t].symbol_count);
    EXPECT_EQ(coded, sum);
  }
  EXPECT_EQ(tables[1].length[0x0B], 0);  // AC category 11 does not exist
  EXPECT_EQ(tables[0].length[12], 0);    // nor DC category 12
}

}  // namespace
