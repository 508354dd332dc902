#include "common/cipher/sha256.h"

#include <cstring>

namespace {

constexpr uint32_t kRoundConstants[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2,
};

constexpr uint32_t kInitialState[8] = {
    0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a, 0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19,
};

uint32_t Rotr(uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

uint8_t g_sharedDigest[kSha256DigestSize];

}  // namespace

void Sha256Init(Sha256Context* ctx) {
  std::memcpy(ctx->state, kInitialState, sizeof ctx->state);
  ctx->totalBytes = 0;
  ctx->blockUsed = 0;
  std::memset(ctx->block, 0, sizeof ctx->block);
}

void Sha256Compress(uint32_t state[8], const uint8_t block[kSha256BlockSize]) {
  uint32_t w[64];
  for (int t = 0; t < 16; ++t) {
    w[t] = (uint32_t{block[4 * t]} << 24) | (uint32_t{block[4 * t + 1]} << 16) |
           (uint32_t{block[4 * t + 2]} << 8) | uint32_t{block[4 * t + 3]};
  }
  for (int t = 16; t < 64; ++t) {
    uint32_t s0 = Rotr(w[t - 15], 7) ^ Rotr(w[t - 15], 18) ^ (w[t - 15] >> 3);
    uint32_t s1 = Rotr(w[t - 2], 17) ^ Rotr(w[t - 2], 19) ^ (w[t - 2] >> 10);
    w[t] = w[t - 16] + s0 + w[t - 7] + s1;
  }
  uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
  uint32_t e = state[4], f = state[5], g = state[6], h = state[7];
  for (int t = 0; t < 64; ++t) {
    uint32_t sum1 = Rotr(e, 6) ^ Rotr(e, 11) ^ Rotr(e, 25);
    uint32_t choose = (e & f) ^ (~e & g);
    uint32_t t1 = h + sum1 + choose + kRoundConstants[t] + w[t];
    uint32_t sum0 = Rotr(a, 2) ^ Rotr(a, 13) ^ Rotr(a, 22);
    uint32_t majority = (a & b) ^ (a & c) ^ (b & c);
    uint32_t t2 = sum0 + majority;
    h = g;
    g = f;
    f = e;
    e = d + t1;
    d = c;
    c = b;
    b = a;
    a = t1 + t2;
  }
  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
  state[4] += e;
  state[5] += f;
  state[6] += g;
  state[7] += h;
}

void Sha256Update(Sha256Context* ctx, const void* data, size_t length) {
  const uint8_t* p = static_cast<const uint8_t*>(data);
  ctx->totalBytes += length;
  while (length > 0) {
    size_t take = kSha256BlockSize - ctx->blockUsed;
    if (take > length) take = length;
    std::memcpy(ctx->block + ctx->blockUsed, p, take);
    ctx->blockUsed += static_cast<uint32_t>(take);
    p += take;
    length -= take;
    if (ctx->blockUsed == kSha256BlockSize) {
      Sha256Compress(ctx->state, ctx->block);
      ctx->blockUsed = 0;
    }
  }
}

void Sha256Final(Sha256Context* ctx, uint8_t digest[kSha256DigestSize]) {
  const uint64_t bits = ctx->totalBytes * 8;
  ctx->block[ctx->blockUsed++] = 0x80;
  if (ctx->blockUsed > kSha256BlockSize - 8) {
    std::memset(ctx->block + ctx->blockUsed, 0, kSha256BlockSize - ctx->blockUsed);
    Sha256Compress(ctx->state, ctx->block);
    ctx->blockUsed = 0;
  }
  std::memset(ctx->block + ctx->blockUsed, 0, kSha256BlockSize - 8 - ctx->blockUsed);
  for (int i = 0; i < 8; ++i) ctx->block[kSha256BlockSize - 1 - i] = static_cast<uint8_t>(bits >> (8 * i));
  Sha256Compress(ctx->state, ctx->block);
  for (int i = 0; i < 8; ++i) {
    digest[4 * i] = static_cast<uint8_t>(ctx->state[i] >> 24);
    digest[4 * i + 1] = static_cast<uint8_t>(ctx->state[i] >> 16);
    digest[4 * i + 2] = static_cast<uint8_t>(ctx->state[i] >> 8);
    digest[4 * i + 3] = static_cast<uint8_t>(ctx->state[i]);
  }
  ctx->blockUsed = 0;
}

uint8_t* Sha256Digest(const void* data, size_t length, uint8_t* out) {
  uint8_t* digest = out != nullptr ? out : g_sharedDigest;
  Sha256Context ctx;
  Sha256Init(&ctx);
  Sha256Update(&ctx, data, length);
  Sha256Final(&ctx, digest);
  return digest;
}
