// The media attributes the tray dialogs edit sit in their records as 16-bit
// values, or a byte for punching: reading, writing and comparing them by
// their width.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// The value at `at`: 16 bits extended with their sign, or the byte.
inline int32_t ReadMediaField(const void* record, size_t at, size_t bytes) {
  const uint8_t* p = static_cast<const uint8_t*>(record) + at;
  if (bytes == 1) return *p;
  int16_t v = 0;
  std::memcpy(&v, p, 2);
  return v;
}

inline void WriteMediaField(void* record, size_t at, size_t bytes, uint32_t value) {
  uint8_t* p = static_cast<uint8_t*>(record) + at;
  if (bytes == 1) {
    *p = static_cast<uint8_t>(value);
  } else {
    const uint16_t v = static_cast<uint16_t>(value);
    std::memcpy(p, &v, 2);
  }
}

// Whether a list row's value and a stored value are the same in the
// field's width.
inline bool SameMediaValue(size_t bytes, uint32_t rowValue, int32_t stored) {
  const uint32_t mask = bytes == 1 ? 0xFFu : 0xFFFFu;
  return (rowValue & mask) == (static_cast<uint32_t>(stored) & mask);
}
