// Pair tables of the description files, read through the reader.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/qxd/qxd_reader.h"
#include "tools/qxd/qxd_document.h"

namespace {

struct PairFile {
  std::vector<uint8_t> bytes;
  qxd::Placement placement;
};

PairFile Build(const std::string& pairs) {
  PairFile file;
  qxd::Document doc;
  std::string error;
  EXPECT_TRUE(qxd::ParseText("qxd 1\n\nsection \"DevInfo\" pairs\n" + pairs, &doc, &error)) << error;
  EXPECT_TRUE(qxd::Build(doc, &file.bytes, &error, &file.placement)) << error;
  return file;
}

std::vector<std::pair<std::string, std::string>> ReadAll(const std::vector<uint8_t>& bytes) {
  std::vector<std::pair<std::string, std::string>> out;
  QxdContext* ctx = QxdOpenImage(bytes.data(), bytes.size());
  QxdPairTable table;
  if (QxdFindPairTable(ctx, "devinfo", &table)) {
    QxdPair pair;
    for (uint32_t i = 0; QxdReadPair(ctx, table, i, &pair); ++i) out.emplace_back(pair.name, pair.value);
  }
  QxdClose(ctx);
  return out;
}

TEST(QxdPairTable, PairsInFileOrder) {
  PairFile file = Build("  pair \"PDLType\" \"PCLXL 2.1\"\n  pair \"dmColor\" \"1\"\n");
  auto pairs = ReadAll(file.bytes);
  ASSERT_EQ(pairs.size(), 2u);
  EXPECT_EQ(pairs[0], std::make_pair(std::string("PDLType"), std::string("PCLXL 2.1")));
  EXPECT_EQ(pairs[1], std::make_pair(std::string("dmColor"), std::string("1")));
}

TEST(QxdPairTable, FieldsThatFillTheirWidthAreEndedAfterIt) {
  PairFile file = Build("  pair \"Name\" \"Value\"\n");
  uint32_t at = file.placement.sections[0].records[0];
  std::memset(file.bytes.data() + at, 'n', 32);
  std::memset(file.bytes.data() + at + 32, 'v', 32);
  auto pairs = ReadAll(file.bytes);
  ASSERT_EQ(pairs.size(), 1u);
  EXPECT_EQ(pairs[0].first, std::string(32, 'n'));
  EXPECT_EQ(pairs[0].second, std::string(32, 'v'));
}

TEST(QxdPairTable, CountsOfZeroOrLessMeanNone) {
  PairFile file = Build("  pair \"Name\" \"Value\"\n");
  uint32_t header = qxd::GetU32(file.bytes, file.placement.sections[0].index);
  for (uint32_t count : {0u, 0x80000000u, 0xFFFFFFFFu}) {
    std::vector<uint8_t> bytes = file.bytes;
    qxd::PatchU32(&bytes, header, count);
    EXPECT_TRUE(ReadAll(bytes).empty()) << count;
  }
  // A count beyond the pairs that are there stops at the file's end.
  std::vector<uint8_t> bytes = file.bytes;
  qxd::PatchU32(&bytes, header, 1000);
  EXPECT_LE(ReadAll(bytes).size(), bytes.size() / 64);
}

TEST(QxdPairTable, MissingSectionOrUnreadableHeader) {
  PairFile file = Build("  pair \"Name\" \"Value\"\n");
  QxdContext* ctx = QxdOpenImage(file.bytes.data(), file.bytes.size());
  QxdPairTable table = {7, 7};
  EXPECT_FALSE(QxdFindPairTable(ctx, "FeatureSetting", &table));
  EXPECT_EQ(table.count, 7u);
  QxdClose(ctx);
  std::vector<uint8_t> bytes = file.bytes;
  qxd::PatchU32(&bytes, file.placement.sections[0].index, static_cast<uint32_t>(bytes.size() - 4));
  EXPECT_TRUE(ReadAll(bytes).empty());
}

TEST(QxdPairTable, LongRowsGiveTheFirstMatchingValueWithinItsField) {
  qxd::Document doc;
  std::string error;
  std::string longValue(255, 'u');
  ASSERT_TRUE(qxd::ParseText("qxd 1\n\nsection \"ConsumSetting\" pairs value=256\n"
                             "  pair \"Other\" \"x\"\n  pair \"url\" \"" + longValue + "\"\n"
                             "  pair \"URL\" \"second\"\n",
                             &doc, &error))
      << error;
  std::vector<uint8_t> bytes;
  qxd::Placement placement;
  ASSERT_TRUE(qxd::Build(doc, &bytes, &error, &placement)) << error;
  QxdContext* ctx = QxdOpenImage(bytes.data(), bytes.size());
  char value[300];
  ASSERT_TRUE(QxdFindLongPairValue(ctx, "consumsetting", "URL", value, sizeof value));
  EXPECT_EQ(std::string(value), longValue);
  char small[8];
  ASSERT_TRUE(QxdFindLongPairValue(ctx, "ConsumSetting", "Other", small, sizeof small));
  EXPECT_STREQ(small, "x");
  ASSERT_TRUE(QxdFindLongPairValue(ctx, "ConsumSetting", "URL", small, sizeof small));
  EXPECT_STREQ(small, "uuuuuuu");
  std::strcpy(small, "keep");
  EXPECT_FALSE(QxdFindLongPairValue(ctx, "ConsumSetting", "Missing", small, sizeof small));
  EXPECT_FALSE(QxdFindLongPairValue(ctx, "DLManagerSetting", "URL", small, sizeof small));
  EXPECT_STREQ(small, "keep");
  QxdClose(ctx);

  // A value that fills all 256 bytes of its field is ended after them, and a
  // row cut by the file's end is not read.
  uint32_t second = placement.sections[0].records[1];
  std::memset(bytes.data() + second + 32, 'w', 256);
  ctx = QxdOpenImage(bytes.data(), bytes.size());
  ASSERT_TRUE(QxdFindLongPairValue(ctx, "ConsumSetting", "url", value, sizeof value));
  EXPECT_EQ(std::string(value), std::string(256, 'w'));
  QxdClose(ctx);
  uint32_t header = qxd::GetU32(bytes, placement.sections[0].index);
  qxd::PatchU32(&bytes, header, 1000);
  ctx = QxdOpenImage(bytes.data(), bytes.size());
  QxdPairTable table;
  QxdLongPair pair;
  ASSERT_TRUE(QxdFindPairTable(ctx, "ConsumSetting", &table));
  uint32_t rows = 0;
  while (QxdReadLongPair(ctx, table, rows, &pair)) ++rows;
  EXPECT_GE(rows, 3u);
  EXPECT_LE(uint64_t{placement.sections[0].records[0]} + uint64_t{rows} * kQxdLongPairSize, bytes.size());
  QxdClose(ctx);
}

}  // namespace
