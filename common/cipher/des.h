// DES (FIPS 46-3), one 8-byte block at a time; the password cipher runs it
// in ECB mode.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr size_t kDesBlockSize = 8;

// The 16 round keys (48 bits each, right-aligned) in the order one direction
// uses them.
struct DesSchedule {
  uint64_t subkeys[16];
};

// Builds the round keys of an 8-byte key; the parity bits (the low bit of
// each byte) are ignored.  `encipher` 0 gives the reversed order that
// deciphers.
void DesMakeKeySchedule(DesSchedule* schedule, const uint8_t key[kDesBlockSize], int encipher);
// Transforms one block in place with the schedule's direction.
void DesCryptBlock(const DesSchedule* schedule, uint8_t block[kDesBlockSize]);
