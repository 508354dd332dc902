// The job identifier: 26 upper-case hexadecimal characters, twelve for the
// machine (the first LAN adapter's address, or "ACDE48" and a random part)
// and fourteen for the moment (UTC month, day, hour, minute, second and
// milliseconds).  The receiver of the identifier tells jobs apart by it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/contracts/private_escapes.h"  // kJobIdChars: the identifier's length

// "%02X" x 6 of the address.
void FormatAdapterPart(const uint8_t address[6], char out[13]);
// "ACDE48" followed by the low 24 bits of `random` as "%06X".
void FormatFallbackAdapterPart(uint32_t random, char out[13]);
// "%02X%02X%02X%02X%02X%04X" of the fields; each field is cut to the digits
// it has room for, so the part is always 14 characters.
void FormatTimePart(unsigned month, unsigned day, unsigned hour, unsigned minute, unsigned second,
                    unsigned milliseconds, char out[15]);

// The generator of the random part: private to the core, so that neither
// the application's own random sequence moves nor the application's seed
// decides the identifier.  Seeded once with `seed` (the time in seconds).
class JobIdRandom {
 public:
  explicit JobIdRandom(uint64_t seed);
  uint32_t Next();

 private:
  uint64_t state_;
};
