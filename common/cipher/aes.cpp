#include "common/cipher/aes.h"

#include <array>
#include <cstring>

namespace {

constexpr uint8_t kSBox[256] = {
0x63, 0x7c, 0x77, 0x7b, 0xf2, 0x6b, 0x6f, 0xc5, 0x30, 0x01, 0x67, 0x2b, 0xfe, 0xd7, 0xab, 0x76,
0xca, 0x82, 0xc9, 0x7d, 0xfa, 0x59, 0x47, 0xf0, 0xad, 0xd4, 0xa2, 0xaf, 0x9c, 0xa4, 0x72, 0xc0,
0xb7, 0xfd, 0x93, 0x26, 0x36, 0x3f, 0xf7, 0xcc, 0x34, 0xa5, 0xe5, 0xf1, 0x71, 0xd8, 0x31, 0x15,
0x04, 0xc7, 0x23, 0xc3, 0x18, 0x96, 0x05, 0x9a, 0x07, 0x12, 0x80, 0xe2, 0xeb, 0x27, 0xb2, 0x75,
0x09, 0x83, 0x2c, 0x1a, 0x1b, 0x6e, 0x5a, 0xa0, 0x52, 0x3b, 0xd6, 0xb3, 0x29, 0xe3, 0x2f, 0x84,
0x53, 0xd1, 0x00, 0xed, 0x20, 0xfc, 0xb1, 0x5b, 0x6a, 0xcb, 0xbe, 0x39, 0x4a, 0x4c, 0x58, 0xcf,
0xd0, 0xef, 0xaa, 0xfb, 0x43, 0x4d, 0x33, 0x85, 0x45, 0xf9, 0x02, 0x7f, 0x50, 0x3c, 0x9f, 0xa8,
0x51, 0xa3, 0x40, 0x8f, 0x92, 0x9d, 0x38, 0xf5, 0xbc, 0xb6, 0xda, 0x21, 0x10, 0xff, 0xf3, 0xd2,
0xcd, 0x0c, 0x13, 0xec, 0x5f, 0x97, 0x44, 0x17, 0xc4, 0xa7, 0x7e, 0x3d, 0x64, 0x5d, 0x19, 0x73,
0x60, 0x81, 0x4f, 0xdc, 0x22, 0x2a, 0x90, 0x88, 0x46, 0xee, 0xb8, 0x14, 0xde, 0x5e, 0x0b, 0xdb,
0xe0, 0x32, 0x3a, 0x0a, 0x49, 0x06, 0x24, 0x5c, 0xc2, 0xd3, 0xac, 0x62, 0x91, 0x95, 0xe4, 0x79,
0xe7, 0xc8, 0x37, 0x6d, 0x8d, 0xd5, 0x4e, 0xa9, 0x6c, 0x56, 0xf4, 0xea, 0x65, 0x7a, 0xae, 0x08,
0xba, 0x78, 0x25, 0x2e, 0x1c, 0xa6, 0xb4, 0xc6, 0xe8, 0xdd, 0x74, 0x1f, 0x4b, 0xbd, 0x8b, 0x8a,
0x70, 0x3e, 0xb5, 0x66, 0x48, 0x03, 0xf6, 0x0e, 0x61, 0x35, 0x57, 0xb9, 0x86, 0xc1, 0x1d, 0x9e,
0xe1, 0xf8, 0x98, 0x11, 0x69, 0xd9, 0x8e, 0x94, 0x9b, 0x1e, 0x87, 0xe9, 0xce, 0x55, 0x28, 0xdf,
0x8c, 0xa1, 0x89, 0x0d, 0xbf, 0xe6, 0x42, 0x68, 0x41, 0x99, 0x2d, 0x0f, 0xb0, 0x54, 0xbb, 0x16};

constexpr std::array<uint8_t, 256> MakeInverseSBox() {
  std::array<uint8_t, 256> inverse{};
  for (int i = 0; i < 256; ++i) inverse[kSBox[i]] = static_cast<uint8_t>(i);
  return inverse;
}
constexpr std::array<uint8_t, 256> kInverseSBox = MakeInverseSBox();

// Multiplication by x in GF(2^8) with the polynomial x^8 + x^4 + x^3 + x + 1.
uint8_t Xtime(uint8_t b) { return static_cast<uint8_t>((b << 1) ^ ((b & 0x80) ? 0x1b : 0x00)); }

uint8_t Multiply(uint8_t a, uint8_t b) {
  uint8_t product = 0;
  while (b != 0) {
    if (b & 1) product ^= a;
    a = Xtime(a);
    b >>= 1;
  }
  return product;
}

uint32_t SubWord(uint32_t w) {
  return (uint32_t{kSBox[w >> 24]} << 24) | (uint32_t{kSBox[(w >> 16) & 0xff]} << 16) |
         (uint32_t{kSBox[(w >> 8) & 0xff]} << 8) | uint32_t{kSBox[w & 0xff]};
}

uint32_t RotWord(uint32_t w) { return (w << 8) | (w >> 24); }

void AddRoundKey(uint8_t state[16], const uint32_t* key) {
  for (int c = 0; c < 4; ++c) {
    state[4 * c] ^= static_cast<uint8_t>(key[c] >> 24);
    state[4 * c + 1] ^= static_cast<uint8_t>(key[c] >> 16);
    state[4 * c + 2] ^= static_cast<uint8_t>(key[c] >> 8);
    state[4 * c + 3] ^= static_cast<uint8_t>(key[c]);
  }
}

// The state holds column c, row r at byte 4c + r, as the block is laid out.
void SubBytesShiftRows(uint8_t state[16]) {
  uint8_t old[16];
  std::memcpy(old, state, 16);
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) state[4 * c + r] = kSBox[old[4 * ((c + r) % 4) + r]];
  }
}

void InvSubBytesShiftRows(uint8_t state[16]) {
  uint8_t old[16];
  std::memcpy(old, state, 16);
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) state[4 * c + r] = kInverseSBox[old[4 * ((c - r + 4) % 4) + r]];
  }
}

void MixColumn(uint8_t* col) {
  uint8_t a0 = col[0], a1 = col[1], a2 = col[2], a3 = col[3];
  uint8_t all = a0 ^ a1 ^ a2 ^ a3;
  col[0] = static_cast<uint8_t>(a0 ^ all ^ Xtime(a0 ^ a1));
  col[1] = static_cast<uint8_t>(a1 ^ all ^ Xtime(a1 ^ a2));
  col[2] = static_cast<uint8_t>(a2 ^ all ^ Xtime(a2 ^ a3));
  col[3] = static_cast<uint8_t>(a3 ^ all ^ Xtime(a3 ^ a0));
}

void InvMixColumn(uint8_t* col) {
  uint8_t a0 = col[0], a1 = col[1], a2 = col[2], a3 = col[3];
  col[0] = Multiply(a0, 14) ^ Multiply(a1, 11) ^ Multiply(a2, 13) ^ Multiply(a3, 9);
  col[1] = Multiply(a0, 9) ^ Multiply(a1, 14) ^ Multiply(a2, 11) ^ Multiply(a3, 13);
  col[2] = Multiply(a0, 13) ^ Multiply(a1, 9) ^ Multiply(a2, 14) ^ Multiply(a3, 11);
  col[3] = Multiply(a0, 11) ^ Multiply(a1, 13) ^ Multiply(a2, 9) ^ Multiply(a3, 14);
}

uint32_t InvMixWord(uint32_t w) {
  uint8_t col[4] = {static_cast<uint8_t>(w >> 24), static_cast<uint8_t>(w >> 16), static_cast<uint8_t>(w >> 8),
                    static_cast<uint8_t>(w)};
  InvMixColumn(col);
  return (uint32_t{col[0]} << 24) | (uint32_t{col[1]} << 16) | (uint32_t{col[2]} << 8) | uint32_t{col[3]};
}

}  // namespace

int AesSetKey(AesSchedule* schedule, const uint8_t* key, size_t keyLength) {
  if (schedule == nullptr || key == nullptr) return 1;
  if (keyLength != 16 && keyLength != 24 && keyLength != 32) return 1;
  const uint32_t nk = static_cast<uint32_t>(keyLength / 4);
  const uint32_t rounds = nk + 6;
  const uint32_t total = 4 * (rounds + 1);
  uint32_t* w = schedule->words;
  for (uint32_t i = 0; i < nk; ++i) {
    w[i] = (uint32_t{key[4 * i]} << 24) | (uint32_t{key[4 * i + 1]} << 16) | (uint32_t{key[4 * i + 2]} << 8) |
           uint32_t{key[4 * i + 3]};
  }
  uint8_t rcon = 1;
  for (uint32_t i = nk; i < total; ++i) {
    uint32_t temp = w[i - 1];
    if (i % nk == 0) {
      temp = SubWord(RotWord(temp)) ^ (uint32_t{rcon} << 24);
      rcon = Xtime(rcon);
    } else if (nk > 6 && i % nk == 4) {
      temp = SubWord(temp);
    }
    w[i] = w[i - nk] ^ temp;
  }
  for (uint32_t i = total; i < 60; ++i) w[i] = 0;
  schedule->rounds = rounds;
  return 0;
}

void AesInvertKey(AesSchedule* schedule) {
  const uint32_t rounds = schedule->rounds;
  uint32_t inverted[60] = {};
  for (uint32_t r = 0; r <= rounds; ++r) {
    for (uint32_t c = 0; c < 4; ++c) {
      uint32_t w = schedule->words[4 * (rounds - r) + c];
      inverted[4 * r + c] = (r == 0 || r == rounds) ? w : InvMixWord(w);
    }
  }
  std::memcpy(schedule->words, inverted, sizeof inverted);
}

void AesEncryptBlock(const AesSchedule* schedule, const uint8_t in[kAesBlockSize], uint8_t out[kAesBlockSize]) {
  uint8_t state[16];
  std::memcpy(state, in, 16);
  AddRoundKey(state, schedule->words);
  for (uint32_t r = 1; r < schedule->rounds; ++r) {
    SubBytesShiftRows(state);
    for (int c = 0; c < 4; ++c) MixColumn(state + 4 * c);
    AddRoundKey(state, schedule->words + 4 * r);
  }
  SubBytesShiftRows(state);
  AddRoundKey(state, schedule->words + 4 * schedule->rounds);
  std::memcpy(out, state, 16);
}

void AesDecryptBlock(const AesSchedule* schedule, const uint8_t in[kAesBlockSize], uint8_t out[kAesBlockSize]) {
  uint8_t state[16];
  std::memcpy(state, in, 16);
  AddRoundKey(state, schedule->words);
  for (uint32_t r = 1; r < schedule->rounds; ++r) {
    InvSubBytesShiftRows(state);
    for (int c = 0; c < 4; ++c) InvMixColumn(state + 4 * c);
    AddRoundKey(state, schedule->words + 4 * r);
  }
  InvSubBytesShiftRows(state);
  AddRoundKey(state, schedule->words + 4 * schedule->rounds);
  std::memcpy(out, state, 16);
}

void AesCbcEncrypt(const AesSchedule* schedule, uint8_t iv[kAesBlockSize], uint8_t* data, size_t length) {
  for (size_t at = 0; at + kAesBlockSize <= length; at += kAesBlockSize) {
    for (size_t i = 0; i < kAesBlockSize; ++i) data[at + i] ^= iv[i];
    AesEncryptBlock(schedule, data + at, data + at);
    std::memcpy(iv, data + at, kAesBlockSize);
  }
}

void AesCbcDecrypt(const AesSchedule* schedule, uint8_t iv[kAesBlockSize], uint8_t* data, size_t length) {
  for (size_t at = 0; at + kAesBlockSize <= length; at += kAesBlockSize) {
    uint8_t cipher[kAesBlockSize];
    std::memcpy(cipher, data + at, kAesBlockSize);
    AesDecryptBlock(schedule, data + at, data + at);
    for (size_t i = 0; i < kAesBlockSize; ++i) data[at + i] ^= iv[i];
    std::memcpy(iv, cipher, kAesBlockSize);
  }
}
