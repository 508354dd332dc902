// DES, AES and SHA-256 against the published known-answer vectors of their
// standards (FIPS 46-3 with the NBS/NIST validation sets, FIPS-197
// appendix C, SP 800-38A F.2, FIPS 180-2 appendix B).  The same program
// runs natively and under Wine, so both builds give these bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/hex_text.h"
#include "common/cipher/aes.h"
#include "common/cipher/des.h"
#include "common/cipher/sha256.h"

namespace {

using hextext::ToHex;

std::vector<uint8_t> Hex(const std::string& text) { return hextext::FromHex(text); }

struct DesVector {
  const char* key;
  const char* plain;
  const char* cipher;
};

// Published DES vectors: the worked example, the FIPS 81 "Now is t"
// block, a variable-plaintext entry of SP 800-17 and entries of the NBS
// validation set.
constexpr DesVector kDesVectors[] = {
    {"133457799BBCDFF1", "0123456789ABCDEF", "85e813540f0ab405"},
    {"0123456789ABCDEF", "4E6F772069732074", "3fa40e8a984d4815"},
    {"0101010101010101", "8000000000000000", "95f8a5e5dd31d900"},
    {"7CA110454A1A6E57", "01A1D6D039776742", "690f5b0d9a26939b"},
    {"0131D9619DC1376E", "5CD54CA83DEF57DA", "7a389d10354bd271"},
    {"07A1133E4A0B2686", "0248D43806F67172", "868ebb51cab4599a"},
    {"3849674C2602319E", "51454B582DDF440A", "7178876e01f19b2a"},
    {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "7359b2163e4edc58"},
};

TEST(Des, KnownAnswersBothWays) {
  for (const DesVector& v : kDesVectors) {
    SCOPED_TRACE(v.key);
    std::vector<uint8_t> key = Hex(v.key), block = Hex(v.plain);
    DesSchedule enc, dec;
    DesMakeKeySchedule(&enc, key.data(), 1);
    DesMakeKeySchedule(&dec, key.data(), 0);
    DesCryptBlock(&enc, block.data());
    EXPECT_EQ(ToHex(block.data(), 8), v.cipher);
    DesCryptBlock(&dec, block.data());
    EXPECT_EQ(block, Hex(v.plain));
  }
}

TEST(Des, ParityBitsOfTheKeyAreIgnored) {
  std::vector<uint8_t> key = Hex("133457799BBCDFF1");
  for (auto& b : key) b ^= 1;
  std::vector<uint8_t> block = Hex("0123456789ABCDEF");
  DesSchedule enc;
  DesMakeKeySchedule(&enc, key.data(), 1);
  DesCryptBlock(&enc, block.data());
  EXPECT_EQ(ToHex(block.data(), 8), "85e813540f0ab405");
}

struct AesVector {
  const char* key;
  const char* cipher;
};

// FIPS-197 appendix C: plaintext 00112233..ff under keys 000102..
constexpr AesVector kAesVectors[] = {
    {"000102030405060708090a0b0c0d0e0f", "69c4e0d86a7b0430d8cdb78070b4c55a"},
    {"000102030405060708090a0b0c0d0e0f1011121314151617", "dda97ca4864cdfe06eaf70a0ec0d7191"},
    {"000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f", "8ea2b7ca516745bfeafc49904b496089"},
};

TEST(Aes, KnownAnswersForEachKeySize) {
  for (const AesVector& v : kAesVectors) {
    SCOPED_TRACE(v.key);
    std::vector<uint8_t> key = Hex(v.key);
    std::vector<uint8_t> plain = Hex("00112233445566778899aabbccddeeff");
    AesSchedule schedule;
    ASSERT_EQ(AesSetKey(&schedule, key.data(), key.size()), 0);
    EXPECT_EQ(schedule.rounds, key.size() / 4 + 6);
    uint8_t out[16], back[16];
    AesEncryptBlock(&schedule, plain.data(), out);
    EXPECT_EQ(ToHex(out, 16), v.cipher);
    AesInvertKey(&schedule);
    AesDecryptBlock(&schedule, out, back);
    EXPECT_EQ(ToHex(back, 16), "00112233445566778899aabbccddeeff");
  }
}

TEST(Aes, OtherKeyLengthsAreRefused) {
  uint8_t key[33] = {};
  AesSchedule schedule = {};
  schedule.rounds = 77;
  for (size_t length : {0u, 8u, 15u, 17u, 20u, 31u, 33u}) {
    EXPECT_EQ(AesSetKey(&schedule, key, length), 1) << length;
  }
  EXPECT_EQ(schedule.rounds, 77u);
  EXPECT_EQ(AesSetKey(nullptr, key, 32), 1);
}

// SP 800-38A F.2.5 / F.2.6: CBC-AES256.
const char kCbcKey[] = "603deb1015ca71be2b73aef0857d77811f352c073b6108d72d9810a30914dff4";
const char kCbcIv[] = "000102030405060708090a0b0c0d0e0f";
const char kCbcPlain[] =
    "6bc1bee22e409f96e93d7e117393172aae2d8a571e03ac9c9eb76fac45af8e51"
    "30c81c46a35ce411e5fbc1191a0a52eff69f2445df4f9b17ad2b417be66c3710";
const char kCbcCipher[] =
    "f58c4c04d6e5f1ba779eabfb5f7bfbd69cfc4e967edb808d679f777bc6702c7d"
    "39f23369a9d9bacfa530e26304231461b2eb05e2c39be9fcda6c19078c6a9d1b";

TEST(AesCbc, Sp800_38aVectorBothWays) {
  std::vector<uint8_t> key = Hex(kCbcKey), iv = Hex(kCbcIv), data = Hex(kCbcPlain);
  AesSchedule schedule;
  ASSERT_EQ(AesSetKey(&schedule, key.data(), key.size()), 0);
  AesCbcEncrypt(&schedule, iv.data(), data.data(), data.size());
  EXPECT_EQ(ToHex(data.data(), data.size()), kCbcCipher);
  // The IV buffer holds the last cipher block afterwards.
  EXPECT_EQ(ToHex(iv.data(), 16), "b2eb05e2c39be9fcda6c19078c6a9d1b");

  AesInvertKey(&schedule);
  iv = Hex(kCbcIv);
  AesCbcDecrypt(&schedule, iv.data(), data.data(), data.size());
  EXPECT_EQ(ToHex(data.data(), data.size()), kCbcPlain);
}

TEST(AesCbc, PiecesChainThroughTheIvAndTailBytesAreLeftAlone) {
  std::vector<uint8_t> key = Hex(kCbcKey), iv = Hex(kCbcIv), data = Hex(kCbcPlain);
  data.push_back(0xA5);  // not a whole block
  AesSchedule schedule;
  ASSERT_EQ(AesSetKey(&schedule, key.data(), key.size()), 0);
  AesCbcEncrypt(&schedule, iv.data(), data.data(), 16);
  AesCbcEncrypt(&schedule, iv.data(), data.data() + 16, data.size() - 16);
  EXPECT_EQ(ToHex(data.data(), 64), kCbcCipher);
  EXPECT_EQ(data[64], 0xA5);
}

struct ShaVector {
  std::string message;
  const char* digest;
};

TEST(Sha256, KnownAnswers) {
  const ShaVector vectors[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const ShaVector& v : vectors) {
    uint8_t digest[32];
    EXPECT_EQ(Sha256Digest(v.message.data(), v.message.size(), digest), digest);
    EXPECT_EQ(ToHex(digest, 32), v.digest) << v.message.size();
  }
}

TEST(Sha256, PiecewiseUpdatesAcrossBlockAndPadBoundaries) {
  // Lengths around 55/56/64 bytes exercise the one- and two-block padding.
  std::string message(130, 'x');
  for (size_t i = 0; i < message.size(); ++i) message[i] = static_cast<char>('a' + i % 26);
  for (size_t length : {55u, 56u, 63u, 64u, 65u, 119u, 120u, 130u}) {
    uint8_t whole[32], pieces[32];
    Sha256Digest(message.data(), length, whole);
    Sha256Context ctx;
    Sha256Init(&ctx);
    for (size_t at = 0; at < length; at += 7) Sha256Update(&ctx, message.data() + at, std::min<size_t>(7, length - at));
    Sha256Final(&ctx, pieces);
    EXPECT_EQ(ToHex(pieces, 32), ToHex(whole, 32)) << length;
  }
}

TEST(Sha256, NullOutputUsesTheSharedBuffer) {
  uint8_t* shared = Sha256Digest("abc", 3, nullptr);
  ASSERT_NE(shared, nullptr);
  EXPECT_EQ(ToHex(shared, 32), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(Sha256Digest("", 0, nullptr), shared);
}

}  // namespace
