// PJL password encipherment against an independent implementation: the
// expected bytes were made with OpenSSL when the tests were written.  The
// keys are those of the password cipher's tables (common/cipher/), read
// with its key-placement functions:
//   key id 1, model id 0:  DES key 0D64823426AA2B25, AES key text "8KV2LscLK8hRB89DknLp"
//   key id 3, model id 12: DES key E3577C2FCF11F8A8
//   key id 2, model id 0:  AES key text "a8KCe5VAxt0ENyeYX3Z8"
// DES (method 2): the text padded with "+" to 64 bytes,
//   openssl enc -des-ecb -K <key> -nopad -provider legacy -provider default
// AES (method 1): the text and n pad bytes of value n - 1, key SHA-256 of
// key-text bytes 0-9, IV the first 16 bytes of SHA-256 of bytes 10-19,
//   openssl enc -aes-256-cbc -K <key> -iv <iv> -nopad
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "drender/pjl/pjl_cipher.h"
#include "drender/pjl/pjl_expand.h"
#include "drender/pjl/pjl_templates.h"
#include "drender/pjl/tests/pjl_test_job.h"
#include "tests/support/hex_text.h"

namespace {

using hextext::ToHex;

uint32_t Encrypt(uint8_t method, const char* text, std::vector<uint8_t>* buffer, const DevOption* option = nullptr,
                 const DeviceOptionItem* options = nullptr, PjlKeyDecipherFn decipher = nullptr, bool keyEnabled = false) {
  std::fill(buffer->begin(), buffer->end(), 0);
  std::memcpy(buffer->data(), text, std::strlen(text));
  return Crypt_EncryptPjlPassword(method, keyEnabled, nullptr, option, options, decipher, nullptr, buffer->data(),
                                  static_cast<uint32_t>(buffer->size()));
}

// A device option "OpMachine" whose second value is selected.
struct Machine {
  OptionItem values[3] = {};
  DeviceOptionItem options[2] = {};
  DevOption record = {};
  explicit Machine(const char* selected) {
    std::strcpy(values[0].keyword, "OpMachine_None");
    std::strcpy(values[1].keyword, selected);
    std::strcpy(options[0].keyword, "OpMachine");
    options[0].values = values;
    record.optionValues[0] = 1;
  }
};

uint32_t PlainKeyText(void*, uint8_t* buffer, uint32_t length, uint32_t size, bool) {
  if (length < size) buffer[length] = 0;
  return static_cast<uint32_t>(strnlen(reinterpret_cast<const char*>(buffer), length));
}

TEST(PjlCipher, MethodZeroLeavesTheText) {
  std::vector<uint8_t> b(16);
  EXPECT_EQ(Encrypt(0, "abc", &b), 3u);
  EXPECT_STREQ(reinterpret_cast<const char*>(b.data()), "abc");
  EXPECT_EQ(Crypt_EncryptPjlPassword(0, false, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 16), 0u);
}

TEST(PjlCipher, DesKnownAnswers) {
  Pjl_ResetKeySelection();
  std::vector<uint8_t> b(72);
  EXPECT_EQ(Encrypt(2, "secret", &b), 0u);  // DES needs 73 bytes
  b.resize(73);
  ASSERT_EQ(Encrypt(2, "secret", &b), 64u);
  EXPECT_EQ(ToHex(b.data(), 64),
            "b476d84142bd92aea56731c36449b7a6a56731c36449b7a6a56731c36449b7a6"
            "a56731c36449b7a6a56731c36449b7a6a56731c36449b7a6a56731c36449b7a6");
  // The machine the device option names selects key id 3, model id 12.
  Machine machine("VLD-D200");
  ASSERT_EQ(Encrypt(2, "pw", &b, &machine.record, machine.options), 64u);
  EXPECT_EQ(ToHex(b.data(), 16), "7ddea7fd4e803e145a69639491f90dee");
}

TEST(PjlCipher, AesKnownAnswers) {
  Pjl_ResetKeySelection();
  std::vector<uint8_t> b(16);
  ASSERT_EQ(Encrypt(1, "secret", &b), 16u);
  EXPECT_EQ(ToHex(b.data(), 16), "e4b14abcc157ab0c4cf7d51e8fca1549");
  // A 16-character password takes a whole pad block: 32 bytes.
  std::vector<uint8_t> small(31), room(32);
  EXPECT_EQ(Encrypt(1, "0123456789abcdef", &small), 0u);
  ASSERT_EQ(Encrypt(1, "0123456789abcdef", &room), 32u);
  EXPECT_EQ(ToHex(room.data(), 32), "1f922fdefad498e954f697fe270eb56e165152b33769476c9ae1647fff1264bc");
  Machine machine("vld-m300");  // case is ignored: key id 2
  ASSERT_EQ(Encrypt(1, "pw", &b, &machine.record, machine.options), 16u);
  EXPECT_EQ(ToHex(b.data(), 16), "0c8208d4d10c4141b4d2f8805c10fdbc");
}

TEST(PjlCipher, DeviceKeyTextReplacesTheTable) {
  Pjl_ResetKeySelection();
  Machine machine("VLD-M300");
  machine.record.encryptionKey = 1;
  std::memcpy(machine.record.encryptedValue, "KEYTEXT0123456789ABC", 20);
  machine.record.encryptedValueLength = 20;
  std::vector<uint8_t> b(16);
  ASSERT_EQ(Encrypt(1, "pw", &b, &machine.record, machine.options, &PlainKeyText, true), 16u);
  EXPECT_EQ(ToHex(b.data(), 16), "49d65f9f3bcb99d660e9bbf4491f7f4c");
  // Without the model's EncryptionKey switch the table's key stays.
  ASSERT_EQ(Encrypt(1, "pw", &b, &machine.record, machine.options, &PlainKeyText, false), 16u);
  EXPECT_EQ(ToHex(b.data(), 16), "0c8208d4d10c4141b4d2f8805c10fdbc");
}

TEST(PjlCipher, NoMachineOptionKeepsTheCommandFileKeys) {
  Pjl_ResetKeySelection();
  uint32_t keyId = 0, modelId = 0;
  Machine other("VLD-D200");
  std::strcpy(other.options[0].keyword, "OpFinisher");
  Crypt_SelectPjlKey(kPjlDesMachines, nullptr, &other.record, other.options, &keyId, &modelId);
  EXPECT_EQ(keyId, 1u);
  EXPECT_EQ(modelId, 0u);
  Machine unknown("VLD-X999");
  Crypt_SelectPjlKey(kPjlDesMachines, nullptr, &unknown.record, unknown.options, &keyId, &modelId);
  EXPECT_EQ(keyId, 1u);
}

TEST(PjlCipher, HexText) {
  const uint8_t bytes[8] = {0x00, 0x01, 0xAB, 0xFF, 0x10, 0x7F, 0x80, 0x0c};
  char out[17];
  ASSERT_TRUE(Pjl_HexText(bytes, 8, out, sizeof out));
  EXPECT_STREQ(out, "0001ABFF107F800C");
  std::vector<uint8_t> big(128);
  std::vector<char> room(300);
  EXPECT_FALSE(Pjl_HexText(big.data(), big.size(), room.data(), room.size()));
}

// Enciphered values in a line: raw bytes are written by length, whatever
// zero bytes they hold, and never cut at the placeholder's LENGTH.
TEST(PjlCipher, EncipheredValuesInALine) {
  Pjl_ResetKeySelection();
  pjltest::TestJob t;
  t.Text(5920, "ACC1");  // DepartmentName
  t.job.values.cipherMethod = 2;
  t.job.values.cipherOutput = 1;
  ASSERT_EQ(Pjl_ExpandTemplate(&t.job, R"("P=%s{Job(DepartmentName),8,,DES};")"), 1u);
  ASSERT_EQ(t.out.size(), 2 + 128 + 1u);  // 64 bytes as 128 hexadecimal digits
  EXPECT_EQ(t.out.substr(0, 2), "P=");
  EXPECT_EQ(t.out.back(), ';');
  t.out.clear();
  t.job.values.cipherOutput = 2;
  ASSERT_EQ(Pjl_ExpandTemplate(&t.job, R"("P=%s{Job(DepartmentName),8,,DES};")"), 1u);
  EXPECT_EQ(t.out.size(), 2 + 64 + 1u);
  t.out.clear();
  t.job.values.cipherMethod = 1;
  ASSERT_EQ(Pjl_ExpandTemplate(&t.job, R"("P=%s{Job(DepartmentName),4,,AES};")"), 1u);
  EXPECT_EQ(t.out.size(), 2 + 16 + 1u);
}

// Raw cipher bytes that hold a zero byte, from a placeholder that is not
// the line's last: the whole line is written by its length.  The first
// block was checked with
//   printf '0004++++' | openssl enc -des-ecb -K 0D64823426AA2B25 -nopad -provider legacy -provider default
// which gives 11b5002e16e4d95f; the seven further blocks are those of
// "++++++++" (a56731c36449b7a6).
TEST(PjlCipher, RawBytesBeforeAPlainPlaceholderAreWrittenWhole) {
  Pjl_ResetKeySelection();
  pjltest::TestJob t;
  t.Text(5920, "0004");  // DepartmentName
  t.U16(598, 2);         // Copies
  t.job.values.cipherMethod = 2;
  t.job.values.cipherOutput = 2;
  ASSERT_EQ(Pjl_ExpandTemplate(&t.job, R"("P=%s{Job(DepartmentName),8,,DES};Q=%s{Job(Copies),5,,};")"), 1u);
  ASSERT_EQ(t.out.size(), 2 + 64 + 5u);
  EXPECT_EQ(t.out.substr(0, 2), "P=");
  std::string blocks = "11b5002e16e4d95f";
  for (int i = 0; i < 7; ++i) blocks += "a56731c36449b7a6";
  EXPECT_EQ(ToHex(reinterpret_cast<const uint8_t*>(t.out.data()) + 2, 64), blocks);
  EXPECT_EQ(t.out.substr(66), ";Q=2;");
}

}  // namespace
