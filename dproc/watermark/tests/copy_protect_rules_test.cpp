// The device's answer about its registered stamps, read from bytes as the
// device sends them, and the distribution number as printed.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dproc/watermark/copy_protect_rules.h"

namespace {

struct Entry {
  uint32_t number;
  uint8_t registered;
  std::string name;  // bytes, at most 43 copied
};

std::vector<uint8_t> Answer(uint32_t count, const std::vector<Entry>& entries) {
  std::vector<uint8_t> bytes(kDeviceStampAnswerBytes, 0);
  std::memcpy(bytes.data(), &count, 4);
  for (size_t i = 0; i < entries.size() && i < kDeviceStampSlots; ++i) {
    uint8_t* at = bytes.data() + 4 + i * kDeviceStampEntryBytes;
    std::memcpy(at, &entries[i].number, 4);
    at[4] = entries[i].registered;
    std::memcpy(at + 5, entries[i].name.data(), std::min<size_t>(entries[i].name.size(), kDeviceStampNameBytes));
  }
  return bytes;
}

TEST(DeviceStampAnswer, RegistersTheNamedStampsOfTheCountedEntries) {
  const std::vector<uint8_t> bytes =
      Answer(4, {{2, 1, "Approved"}, {5, 0, "Not registered"}, {7, 1, ""}, {1, 1, "Gepr\xC3\xBC" "ft"},
                 {3, 1, "beyond the count"}});
  const DeviceStamps stamps = ReadDeviceStampAnswer(bytes.data(), bytes.size());
  const bool registered[8] = {true, true, false, false, false, false, true, false};
  for (size_t i = 0; i < kDeviceStampSlots; ++i) EXPECT_EQ(stamps.registered[i], registered[i]) << i;
  EXPECT_EQ(stamps.names[1], u"Approved");
  EXPECT_EQ(stamps.names[0], u"Gepr\u00FCft");
  EXPECT_TRUE(stamps.names[6].empty()) << "registered without a name";
}

TEST(DeviceStampAnswer, ReadsNothingBeyondWhatTheAnswerHolds) {
  const struct {
    const char* what;
    std::vector<uint8_t> bytes;
    size_t size;
    size_t expectRegistered;
  } cases[] = {
      // A count above 8 reads the 8 entries there are.
      {"count 1000", Answer(1000, std::vector<Entry>(8, {4, 1, "x"})), kDeviceStampAnswerBytes, 1},
      {"numbers outside 1-8", Answer(3, {{0, 1, "zero"}, {9, 1, "nine"}, {0xFFFFFFFF, 1, "huge"}}),
       kDeviceStampAnswerBytes, 0},
      {"short answer", Answer(1, {{1, 1, "short"}}), kDeviceStampAnswerBytes - 1, 0},
      {"no answer", {}, 0, 0},
  };
  for (const auto& c : cases) {
    const DeviceStamps stamps = ReadDeviceStampAnswer(c.bytes.empty() ? nullptr : c.bytes.data(), c.size);
    size_t n = 0;
    for (bool r : stamps.registered) n += r ? 1 : 0;
    EXPECT_EQ(n, c.expectRegistered) << c.what;
  }
}

TEST(DeviceStampAnswer, ANameIsBoundedToItsFieldAndCutTo31Characters) {
  // 43 bytes with no terminator, then the next entry's number: the name
  // stops at its field.
  const std::vector<uint8_t> bytes = Answer(2, {{1, 1, std::string(43, 'A')}, {2, 1, "B"}});
  const DeviceStamps stamps = ReadDeviceStampAnswer(bytes.data(), bytes.size());
  EXPECT_EQ(stamps.names[0], std::u16string(kDeviceStampNameChars, u'A'));
  EXPECT_EQ(stamps.names[1], u"B");
}

TEST(DistributionNumber, EightDigitsOrTheDigitsNeeded) {
  EXPECT_EQ(DistributionNumberText(42, false), u"00000042");
  EXPECT_EQ(DistributionNumberText(42, true), u"42");
  EXPECT_EQ(DistributionNumberText(99999999, false), u"99999999");
  EXPECT_EQ(DistributionNumberText(1, true), u"1");
}

TEST(StampColours, EachValueHasItsPicture) {
  const int all[] = {1068, 1068, 1072, 1070, 1067, 1073, 1071, 1069, 1068};
  const int method[] = {0, 1068, 0, 0, 0, 0, 1071, 1069, 0};
  for (uint32_t v = 0; v <= 8; ++v) {
    EXPECT_EQ(StampColourBitmap(v), all[v]) << v;
    EXPECT_EQ(MethodPageColourBitmap(v), method[v]) << v;
  }
}

}  // namespace
