// The password methods, the choice of key material and the settings read
// from the description file.  Expected cipher bytes were produced outside
// this code (a general-purpose cipher tool fed the padded text and the key
// or SHA-256-derived key and IV), so they check the whole chain: key
// placement, key derivation, padding and mode.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/hex_text.h"
#include "common/cipher/password_cipher.h"
#include "tests/support/test_paths.h"
#include "tools/qxd/qxd_document.h"

namespace {

using hextext::ToHex;

// A caller's field: exactly `size` bytes on the heap (so the sanitizers see
// any access past it), zero-filled, holding `text`.
std::vector<uint8_t> Field(const std::string& text, size_t size) {
  std::vector<uint8_t> field(size, 0);
  std::memcpy(field.data(), text.data(), std::min(text.size(), size));
  return field;
}

std::string Text(const std::vector<uint8_t>& field) {
  return std::string(reinterpret_cast<const char*>(field.data()), strnlen(reinterpret_cast<const char*>(field.data()), field.size()));
}

constexpr UiEncryptionInfo kDes = {kCipherMethodDes, 1, 0};
constexpr UiEncryptionInfo kAesKeyId0 = {kCipherMethodAes, 0, 0};
constexpr UiEncryptionInfo kAesKeyId1 = {kCipherMethodAes, 1, 0};
constexpr UiEncryptionInfo kPlain = {kCipherMethodNone, 1, 0};

const std::string kPlusBlock = "a56731c36449b7a6";  // "++++++++" under the key id 1 DES row
const std::string kPadBlock = "16f1418948e27e87";   // eight 8s under the same key

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

// ---- method 1 --------------------------------------------------------------

TEST(PasswordDes, EnciphersTheTextPaddedWithPlusAndAPadBlock) {
  auto field = Field("hello", 73);
  ASSERT_EQ(EncryptPasswordWithKey(kDes, nullptr, field.data(), 73), 72);
  EXPECT_EQ(ToHex(field.data(), 72), "e63dfda97032f263" + Repeat(kPlusBlock, 7) + kPadBlock);
  EXPECT_EQ(field[72], 0);

  auto empty = Field("", 73);
  ASSERT_EQ(EncryptPasswordWithKey(kDes, nullptr, empty.data(), 73), 72);
  EXPECT_EQ(ToHex(empty.data(), 72), Repeat(kPlusBlock, 8) + kPadBlock);
}

TEST(PasswordDes, RoundTrips) {
  struct Case {
    std::string typed;
    std::string back;
  } cases[] = {
      {"", ""},
      {"hello", "hello"},
      {"pass+word", "pass"},  // the text ends at its first "+"
      {std::string(63, 'q'), std::string(63, 'q')},
      {std::string(64, 'r'), std::string(64, 'r')},
      {std::string(70, 's'), std::string(64, 's')},  // only 64 characters are kept
  };
  for (size_t size : {73u, 81u}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.typed + " in " + std::to_string(size));
      auto field = Field(c.typed, size);
      int32_t length = EncryptPasswordWithKey(kDes, nullptr, field.data(), static_cast<uint32_t>(size));
      ASSERT_EQ(length, 72);
      EXPECT_EQ(DecryptPasswordWithKey(kDes, nullptr, field.data(), 72, static_cast<uint32_t>(size)), c.back.size());
      EXPECT_EQ(Text(field), c.back);
      for (size_t i = c.back.size(); i < size; ++i) ASSERT_EQ(field[i], 0) << i;
    }
  }
}

TEST(PasswordDes, ABufferBelow72BytesIsRefusedUnchanged) {
  auto field = Field("hello", 71);
  EXPECT_EQ(EncryptPasswordWithKey(kDes, nullptr, field.data(), 71), 0);
  EXPECT_EQ(field, Field("hello", 71));
}

TEST(PasswordDes, AnExactly72ByteBufferStaysInside) {
  auto field = Field(std::string(64, 'k'), 72);
  ASSERT_EQ(EncryptPasswordWithKey(kDes, nullptr, field.data(), 72), 72);
  EXPECT_EQ(DecryptPasswordWithKey(kDes, nullptr, field.data(), 72, 72), 64u);
  EXPECT_EQ(Text(field), std::string(64, 'k'));
}

TEST(PasswordDes, NothingOfALongTextStaysBehindTheResult) {
  auto field = Field(std::string(80, 'z'), 81);
  ASSERT_EQ(EncryptPasswordWithKey(kDes, nullptr, field.data(), 81), 72);
  for (size_t i = 72; i < 81; ++i) EXPECT_EQ(field[i], 0) << i;
}

TEST(PasswordDes, PadRuleOfTheGeneralWorker) {
  // L bytes get p = 8 - L mod 8 bytes of value p; a short capacity refuses.
  for (size_t length : {0u, 1u, 7u, 8u, 13u}) {
    std::vector<uint8_t> buffer(32, 0xEE);
    size_t out = 0;
    ASSERT_TRUE(DesEncryptByKeyId(buffer.data(), length, buffer.size(), 1, &out, 1, 0));
    size_t p = 8 - length % 8;
    EXPECT_EQ(out, length + p);
    EXPECT_EQ(DesDecryptByKeyId(buffer.data(), out, 0, 1, 0), out);
    for (size_t i = length; i < out; ++i) EXPECT_EQ(buffer[i], p) << length;
  }
  std::vector<uint8_t> tight(8, 'a');
  size_t out = 0;
  EXPECT_FALSE(DesEncryptByKeyId(tight.data(), 8, 8, 1, &out, 1, 0));
  EXPECT_EQ(tight, std::vector<uint8_t>(8, 'a'));
}

// ---- method 2 --------------------------------------------------------------

TEST(PasswordAes, DefaultKeyTextAndTableRowGiveTheExpectedBytes) {
  // Key id 0 without printer key material: the default key text.
  auto field = Field("fax-secret", 73);
  ASSERT_EQ(EncryptPasswordWithKey(kAesKeyId0, nullptr, field.data(), 73), 16);
  EXPECT_EQ(ToHex(field.data(), 16), "c1f3d5beb392ea137733dfd1e181c7b9");
  EXPECT_EQ(field[16], 0);
  EXPECT_EQ(DecryptPasswordWithKey(kAesKeyId0, nullptr, field.data(), 16, 73), 10u);
  EXPECT_EQ(Text(field), "fax-secret");

  // Key id 1: the table row, whatever key text is given.
  auto row = Field("pass+word", 81);
  ASSERT_EQ(EncryptPasswordWithKey(kAesKeyId1, "00000000000000000000", row.data(), 81), 16);
  EXPECT_EQ(ToHex(row.data(), 16), "18856e9058d15ea28856964708b5d11b");
}

TEST(PasswordAes, PadBytesHoldTheCountMinusOne) {
  struct Case {
    size_t length;
    uint32_t cipher;
    uint8_t pad;
  } cases[] = {{0, 16, 15}, {1, 16, 14}, {15, 16, 0}, {16, 32, 15}, {31, 32, 0}, {32, 48, 15}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    auto field = Field(std::string(c.length, 'p'), 81);
    ASSERT_EQ(EncryptTextAes(field.data(), 81, nullptr, 0, 0), c.cipher);
    size_t out = 0;
    AesDecryptByKeyId(field.data(), c.cipher, nullptr, 0, 0, &out);
    ASSERT_EQ(out, c.cipher);
    for (size_t i = c.length; i < c.cipher; ++i) EXPECT_EQ(field[i], c.pad) << i;
  }
}

TEST(PasswordAes, RoundTripsWithEachKeyChoice) {
  const char* keyText = "0A1B2C3D4E5F60718293";
  for (const UiEncryptionInfo& info : {kAesKeyId0, kAesKeyId1, UiEncryptionInfo{kCipherMethodAes, 3, 12}}) {
    for (const std::string& typed : {std::string(), std::string("x"), std::string(15, 'y'), std::string(16, 'z'),
                                     std::string(64, 'w')}) {
      SCOPED_TRACE(typed.size());
      auto field = Field(typed, 81);
      int32_t length = EncryptPasswordWithKey(info, keyText, field.data(), 81);
      ASSERT_GT(length, 0);
      EXPECT_EQ(DecryptPasswordWithKey(info, keyText, field.data(), static_cast<uint32_t>(length), 81), typed.size());
      EXPECT_EQ(Text(field), typed);
    }
  }
}

TEST(PasswordAes, TheKeyTextOnlyMattersForKeyIdZero) {
  auto a = Field("same", 32), b = Field("same", 32);
  EncryptTextAes(a.data(), 32, "11111111111111111111", 0, 0);
  EncryptTextAes(b.data(), 32, "22222222222222222222", 0, 0);
  EXPECT_NE(a, b);
  a = Field("same", 32);
  b = Field("same", 32);
  EncryptTextAes(a.data(), 32, "11111111111111111111", 2, 0);
  EncryptTextAes(b.data(), 32, "22222222222222222222", 2, 0);
  EXPECT_EQ(a, b);
}

TEST(PasswordAes, ABufferTooSmallIsRefusedUnchanged) {
  // 16 characters need 32 bytes.
  auto field = Field(std::string(16, 'a'), 31);
  EXPECT_EQ(EncryptTextAes(field.data(), 31, nullptr, 0, 0), 0u);
  EXPECT_EQ(field, Field(std::string(16, 'a'), 31));
  // A text without a terminator inside its buffer does not fit either.
  auto full = Field(std::string(16, 'a'), 16);
  EXPECT_EQ(EncryptPasswordWithKey(kAesKeyId0, nullptr, full.data(), 16), 0);
  EXPECT_EQ(full, Field(std::string(16, 'a'), 16));
}

TEST(PasswordAes, EncryptPasswordAesUsesAesEvenForTheDesMethod) {
  auto viaFront = Field("middle", 33);
  ASSERT_EQ(EncryptPasswordAesWithKey(kDes, "ignored-key-text-000", viaFront.data(), 33), 16);
  auto direct = Field("middle", 33);
  ASSERT_EQ(EncryptTextAes(direct.data(), 33, nullptr, 1, 0), 16u);
  EXPECT_EQ(viaFront, direct);
  EXPECT_EQ(DecryptPasswordAesWithKey(kDes, nullptr, viaFront.data(), 16, 33), 6);
  EXPECT_EQ(Text(viaFront), "middle");

  auto keyed = Field("middle", 17);
  ASSERT_EQ(EncryptPasswordAesWithKey(kAesKeyId0, "0A1B2C3D4E5F60718293", keyed.data(), 17), 16);
  EXPECT_EQ(keyed[16], 0);
  EXPECT_EQ(DecryptPasswordAesWithKey(kAesKeyId0, "0A1B2C3D4E5F60718293", keyed.data(), 16, 17), 6);
  EXPECT_EQ(Text(keyed), "middle");
}

TEST(PasswordMethods, MethodZeroAndNullBuffers) {
  auto field = Field("as typed", 73);
  EXPECT_EQ(EncryptPasswordWithKey(kPlain, nullptr, field.data(), 73), 8);
  EXPECT_EQ(DecryptPasswordWithKey(kPlain, nullptr, field.data(), 8, 73), 8u);
  EXPECT_EQ(EncryptPasswordAesWithKey(kPlain, nullptr, field.data(), 73), 8);
  EXPECT_EQ(DecryptPasswordAesWithKey(kPlain, nullptr, field.data(), 8, 73), 8);
  EXPECT_EQ(Text(field), "as typed");
  for (const UiEncryptionInfo& info : {kPlain, kDes, kAesKeyId0}) {
    EXPECT_EQ(EncryptPasswordWithKey(info, nullptr, nullptr, 73), 0);
    EXPECT_EQ(DecryptPasswordWithKey(info, nullptr, nullptr, 72, 73), 0u);
    EXPECT_EQ(EncryptPasswordAesWithKey(info, nullptr, nullptr, 73), 0);
    EXPECT_EQ(DecryptPasswordAesWithKey(info, nullptr, nullptr, 16, 73), 0);
  }
}

// ---- input these functions did not produce ---------------------------------

TEST(PasswordDecipher, MalformedInputStaysInsideTheBufferAndGivesAText) {
  // Stored lengths that do not match the bytes, as a damaged record holds
  // them: each must leave a terminated text inside the buffer.
  struct Case {
    uint32_t length;
    uint32_t size;
  } cases[] = {{1, 73}, {5, 73}, {7, 8}, {13, 73}, {17, 73}, {72, 73}, {300, 73}, {300, 81}, {73, 73}, {81, 81},
               {0xFFFFFFFFu, 17}, {16, 1}};
  for (const UiEncryptionInfo& info : {kDes, kAesKeyId0, kAesKeyId1}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::to_string(info.method) + ": " + std::to_string(c.length) + " in " + std::to_string(c.size));
      std::vector<uint8_t> field(c.size);
      for (size_t i = 0; i < c.size; ++i) field[i] = static_cast<uint8_t>(0x5A ^ (i * 37));
      uint32_t text = DecryptPasswordWithKey(info, nullptr, field.data(), c.length, c.size);
      ASSERT_LT(text, c.size);
      EXPECT_EQ(strnlen(reinterpret_cast<char*>(field.data()), c.size), text);
      field = std::vector<uint8_t>(c.size, 0x77);
      int32_t aes = DecryptPasswordAesWithKey(info, nullptr, field.data(), c.length, c.size);
      ASSERT_GE(aes, 0);
      ASSERT_LT(static_cast<uint32_t>(aes), c.size);
    }
  }
}

TEST(PasswordDecipher, AesPadThatCannotBeOursGivesAnEmptyText) {
  // Genuine cipher bytes of a text whose last plain byte is 16 or more.
  std::vector<uint8_t> field(33, 0);
  std::memset(field.data(), 'A', 32);
  size_t out = 0;
  ASSERT_TRUE(AesEncryptByKeyId(field.data(), 32, 33, 1, nullptr, 0, 0, &out));
  ASSERT_EQ(out, 32u);
  EXPECT_EQ(DecryptTextAes(field.data(), 32, 33, nullptr, 0, 0), 0u);
  EXPECT_EQ(field, std::vector<uint8_t>(33, 0));
}

TEST(PasswordDecipher, ZeroLengthGivesAnEmptyText) {
  for (const UiEncryptionInfo& info : {kDes, kAesKeyId0}) {
    auto field = Field("stale bytes", 73);
    EXPECT_EQ(DecryptPasswordWithKey(info, nullptr, field.data(), 0, 73), 0u);
    EXPECT_EQ(Text(field), "");
  }
}

// ---- key material ------------------------------------------------------------

struct TestRow {
  uint32_t keyId;
  uint32_t modelId;
  uint8_t stored[20];
};

TEST(KeyRows, ChoiceByKeyIdAndModelId) {
  const TestRow table[] = {
      {0xFFFFFFFFu, 0, {}},  // row 0 never ends the table
      {1, 0, {}}, {5, 3, {}}, {5, 9, {}}, {6, 7, {}}, {5, 7, {}}, {0xFFFFFFFFu, 0, {}}, {8, 0, {}},
  };
  struct Case {
    uint32_t keyId, modelId;
    size_t row;
  } cases[] = {
      {5, 0, 2},           // model id 0: the first row of the key id
      {5, 3, 2}, {5, 9, 3},
      {5, 7, 6},           // no (5, 7) in the run: the default, neither (5, 3) nor the later (5, 7)
      {1, 4, 6},           // key id without that model
      {2, 0, 6},           // unknown key id
      {8, 0, 6},           // rows after the end row are not searched
      {0xFFFFFFFFu, 0, 0}, // row 0 is searched like any other
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChooseKeyRow(table, sizeof(TestRow), std::size(table), c.keyId, c.modelId), c.row)
        << c.keyId << "/" << c.modelId;
  }
  // A table without an end row ends at its last row.
  EXPECT_EQ(ChooseKeyRow(table + 1, sizeof(TestRow), 3, 9, 0), 2u);
}

TEST(KeyRows, StoredBytesArePlacedIntoTheKey) {
  uint8_t text[20];
  PermuteAesKeyText(text, reinterpret_cast<const uint8_t*>("ABCDEFGHIJKLMNOPQRST"));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(text), 20), "ACEGIKMOQSTRPNLJHFDB");
  const uint8_t stored[8] = {0, 1, 2, 3, 4, 5, 6, 7};
  uint8_t key[8];
  PermuteDesKey(key, stored);
  EXPECT_EQ(ToHex(key, 8), "0002040607050301");
}

TEST(KeyRows, InitDataBackupKeyText) {
  std::vector<uint8_t> value(64);
  for (size_t i = 0; i < value.size(); ++i) value[i] = static_cast<uint8_t>(i);
  value[0] = 0xF0;   // pairs with value[63]: 0x110 wraps to 0x10
  value[63] = 0x20;
  value[9] = 0x0B;   // pairs with value[54] = 0x36: 0x41
  char text[21];
  ASSERT_TRUE(DeriveInitDataKeyText(value.data(), value.size(), text));
  EXPECT_STREQ(text, "103F3F3F3F3F3F3F3F41");

  std::vector<uint8_t> shortValue(41, 0x11);
  std::memset(text, '#', sizeof text);
  EXPECT_FALSE(DeriveInitDataKeyText(shortValue.data(), shortValue.size(), text));
  EXPECT_EQ(text[0], '#');
  shortValue.push_back(0x22);  // 42 bytes are enough
  ASSERT_TRUE(DeriveInitDataKeyText(shortValue.data(), shortValue.size(), text));
  EXPECT_STREQ(text, "33222222222222222222");
}

// ---- settings from the description file ----------------------------------------

class UiEncryptionSection : public ::testing::Test {
 protected:
  void SetUp() override { SetUiEncryptionInfo(kDefaultUiEncryption); }
  void TearDown() override { SetUiEncryptionInfo(kDefaultUiEncryption); }

  UiEncryptionInfo Read(const std::string& text) {
    qxd::Document doc;
    std::string error;
    EXPECT_TRUE(qxd::ParseText(text, &doc, &error)) << error;
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(qxd::Build(doc, &bytes, &error, &placement_)) << error;
    return ReadBytes(bytes);
  }
  UiEncryptionInfo ReadBytes(const std::vector<uint8_t>& bytes) {
    bytes_ = bytes;
    QxdContext* ctx = QxdOpenImage(bytes.data(), bytes.size());
    ReadUIEncryptionInfo(ctx);
    QxdClose(ctx);
    return GetUiEncryptionInfo();
  }

  qxd::Placement placement_;
  std::vector<uint8_t> bytes_;
};

std::string Section(const std::string& pairs) { return "qxd 1\n\nsection \"UI_Encryption\" pairs\n" + pairs; }

TEST_F(UiEncryptionSection, MethodKeyIdAndModelId) {
  struct Case {
    const char* pairs;
    uint32_t method, keyId, modelId;
  } cases[] = {
      {"  pair \"Encryption\" \"AES\"\n  pair \"EncKeyID\" \"0\"\n  pair \"ModelID\" \"12\"\n", 2, 0, 12},
      {"  pair \"encryption\" \"des\"\n", 1, 1, 0},
      {"  pair \"Encryption\" \"AESX\"\n  pair \"EncKeyID\" \"7\"\n", 0, 7, 0},
      {"  pair \"Encryption\" \"AE\"\n", 0, 1, 0},
      {"  pair \"Colour\" \"AES\"\n  pair \"EncKeyIDs\" \"5\"\n", 0, 1, 0},
      {"  pair \"Encryption\" \"DES\"\n  pair \"Encryption\" \"AES\"\n", 2, 1, 0},  // a later pair wins
  };
  for (const Case& c : cases) {
    SetUiEncryptionInfo(kDefaultUiEncryption);
    UiEncryptionInfo info = Read(Section(c.pairs));
    EXPECT_EQ(info.method, c.method) << c.pairs;
    EXPECT_EQ(info.keyId, c.keyId) << c.pairs;
    EXPECT_EQ(info.modelId, c.modelId) << c.pairs;
  }
}

TEST_F(UiEncryptionSection, MissingSectionLeavesTheSettings) {
  SetUiEncryptionInfo({kCipherMethodDes, 4, 9});
  UiEncryptionInfo info = Read("qxd 1\n\nsection \"ModelName\" value \"Fax 100\"\n");
  EXPECT_EQ(info.method, kCipherMethodDes);
  EXPECT_EQ(info.keyId, 4u);
  EXPECT_EQ(info.modelId, 9u);
}

TEST_F(UiEncryptionSection, DamagedPairTableIsReadNoFurtherThanTheFile) {
  Read(Section("  pair \"Encryption\" \"AES\"\n"));
  std::vector<uint8_t> bytes = bytes_;
  uint32_t table = placement_.sections[0].index;
  uint32_t header = qxd::GetU32(bytes, table);
  // A count far beyond the file: the pair that is there is read, then the
  // walk stops.
  qxd::PatchU32(&bytes, header, 0x7FFFFFFF);
  SetUiEncryptionInfo(kDefaultUiEncryption);
  EXPECT_EQ(ReadBytes(bytes).method, kCipherMethodAes);
  // The first pair beyond the end of the file: nothing is read.
  qxd::PatchU32(&bytes, header + 8, static_cast<uint32_t>(bytes.size() - 10));
  SetUiEncryptionInfo(kDefaultUiEncryption);
  EXPECT_EQ(ReadBytes(bytes).method, kCipherMethodNone);
  // The header itself out of reach.
  qxd::PatchU32(&bytes, table, 0xFFFFFFF0u);
  SetUiEncryptionInfo(kDefaultUiEncryption);
  EXPECT_EQ(ReadBytes(bytes).method, kCipherMethodNone);
}

TEST_F(UiEncryptionSection, TheSampleModelUsesAesWithPrinterKeyMaterial) {
  std::ifstream in(testsupport::SourcePath("model/VELDRANH.txt"));
  ASSERT_TRUE(in.good());
  std::stringstream text;
  text << in.rdbuf();
  UiEncryptionInfo info = Read(text.str());
  EXPECT_EQ(info.method, kCipherMethodAes);
  EXPECT_EQ(info.keyId, 0u);
}

}  // namespace
