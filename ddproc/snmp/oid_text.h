// Dotted object-identifier texts such as ".1.3.6.1.2.1.1.2.0".
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr size_t kOidTextMaxArcs = 128;
inline constexpr size_t kOidTextMaxArcDigits = 15;

// Reads the text into arcs[0..kOidTextMaxArcs): digits collect an arc, a dot
// or the end closes it; a leading dot is ignored and an empty arc counts as
// 0.  False for any other character, fewer than two arcs, a first arc above
// 2 or a second above 39, more than 128 arcs, or an arc of more than 15
// digits or beyond 32 bits.
bool ParseOidText(const char* text, uint32_t* arcs, size_t* count);

// True when the arcs equal the dotted text arc by arc (same count).
bool OidEqualsText(const uint32_t* arcs, size_t count, const char* text);
