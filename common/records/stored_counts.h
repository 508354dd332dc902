// Counts and sizes read from stores: registry values, printer data and
// files that any program of the user (or a damaged disk) may have written.
// A stored count sizes loops and allocations only through these rules:
// capped at what its consumer can hold, turned into a byte size with an
// overflow check (a size_t of 32 bits in the x86 build), and a stored record
// is taken only when it is exactly its record's size.  The Windows readers
// of registry values and printer data that apply them are in
// common/win/store_values_win.h.
#pragma once

#include <cstddef>
#include <cstdint>

// A stored count capped at the consumer's maximum.
inline constexpr uint32_t Store_CapCount(uint32_t stored, uint32_t maximum) {
  return stored < maximum ? stored : maximum;
}

// A count a settings file keeps as a signed number: none when negative.
inline constexpr uint32_t Store_CapSignedCount(int32_t stored, uint32_t maximum) {
  return stored <= 0 ? 0 : Store_CapCount(static_cast<uint32_t>(stored), maximum);
}

// head + count * each in bytes; false when that overflows a size_t or
// exceeds `limit`.
bool Store_BlockSize(size_t head, uint32_t count, size_t each, size_t* total, size_t limit = SIZE_MAX);

// Whether a stored value of `stored` bytes holds exactly one record of
// `size` bytes.  A shorter value would leave part of the record as it was
// and a longer one belongs to another layout: both are refused.
inline constexpr bool Store_IsWholeRecord(uint64_t stored, size_t size) { return stored == size; }
