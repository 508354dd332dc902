// AES (FIPS-197) with 128-, 192- and 256-bit keys, and the CBC mode.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr size_t kAesBlockSize = 16;

// Round keys of one direction.  Enciphering uses the schedule of AesSetKey;
// deciphering uses that schedule after AesInvertKey.
struct AesSchedule {
  uint32_t rounds;          // 10, 12 or 14
  uint32_t words[60];       // 4 * (rounds + 1) words used
};

// Expands a key of 16, 24 or 32 bytes.  Returns 0, or 1 for any other
// length (the schedule is then left as it was).
int AesSetKey(AesSchedule* schedule, const uint8_t* key, size_t keyLength);
// Turns an enciphering schedule into the deciphering one (the equivalent
// inverse cipher's round keys).
void AesInvertKey(AesSchedule* schedule);
void AesEncryptBlock(const AesSchedule* schedule, const uint8_t in[kAesBlockSize], uint8_t out[kAesBlockSize]);
void AesDecryptBlock(const AesSchedule* schedule, const uint8_t in[kAesBlockSize], uint8_t out[kAesBlockSize]);

// CBC over the whole 16-byte blocks of `length` bytes, in place; bytes past
// the last whole block are left alone.  `iv` receives the last cipher block,
// so a message can be processed in pieces.
void AesCbcEncrypt(const AesSchedule* schedule, uint8_t iv[kAesBlockSize], uint8_t* data, size_t length);
void AesCbcDecrypt(const AesSchedule* schedule, uint8_t iv[kAesBlockSize], uint8_t* data, size_t length);
