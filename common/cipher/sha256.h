// SHA-256 (FIPS 180-2).  The password cipher derives its AES key and IV
// with it.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr size_t kSha256DigestSize = 32;
inline constexpr size_t kSha256BlockSize = 64;

struct Sha256Context {
  uint32_t state[8];
  uint64_t totalBytes;        // message bytes taken in so far
  uint8_t block[kSha256BlockSize];
  uint32_t blockUsed;         // bytes waiting in `block`
};

void Sha256Init(Sha256Context* ctx);
// Takes in `length` more message bytes.
void Sha256Update(Sha256Context* ctx, const void* data, size_t length);
// One 64-byte block into the state.
void Sha256Compress(uint32_t state[8], const uint8_t block[kSha256BlockSize]);
// Pads, finishes and writes the 32-byte digest; the context must be
// initialised again before further use.
void Sha256Final(Sha256Context* ctx, uint8_t digest[kSha256DigestSize]);
// The digest of one message.  With a null `out` the digest goes into a
// process-wide 32-byte buffer, which is returned; that buffer is shared by
// every caller and overwritten by the next such call.
uint8_t* Sha256Digest(const void* data, size_t length, uint8_t* out);
