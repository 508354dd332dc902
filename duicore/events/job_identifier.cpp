#include "duicore/events/job_identifier.h"

#include <cstdio>

void FormatAdapterPart(const uint8_t a[6], char out[13]) {
  std::snprintf(out, 13, "%02X%02X%02X%02X%02X%02X", a[0], a[1], a[2], a[3], a[4], a[5]);
}

void FormatFallbackAdapterPart(uint32_t random, char out[13]) {
  std::snprintf(out, 13, "ACDE48%06X", static_cast<unsigned>(random & 0xFFFFFFu));
}

void FormatTimePart(unsigned month, unsigned day, unsigned hour, unsigned minute, unsigned second,
                    unsigned milliseconds, char out[15]) {
  std::snprintf(out, 15, "%02X%02X%02X%02X%02X%04X", month & 0xFFu, day & 0xFFu, hour & 0xFFu, minute & 0xFFu,
                second & 0xFFu, milliseconds & 0xFFFFu);
}

// A 64-bit generator with a splitmix step: every seed gives a full-period
// sequence and neighbouring seeds give unrelated first values.
JobIdRandom::JobIdRandom(uint64_t seed) : state_(seed) {}

uint32_t JobIdRandom::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return static_cast<uint32_t>((z ^ (z >> 31)) >> 16);
}
