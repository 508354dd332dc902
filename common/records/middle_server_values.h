// Where a stored answer to a relay-server input item keeps its value: each
// of the ten value items of "MiddleServerValues" (kMiddleServerItemSize
// bytes from kDocMiddleServerItemsAt, doc_fields.h) holds the item's key
// (32 bytes), its kind (byte 32) and its enciphered value fields, each of
// `size` bytes with the u16 length the cipher gave at `lengthAt`.
#pragma once

#include <cstdint>

struct MiddleServerValueField {
  uint32_t at, size, lengthAt;
};

inline constexpr uint32_t kMiddleServerValueKeyBytes = 32;
inline constexpr uint32_t kMiddleServerValueSubKindAt = 34;  // kind 4: the sub-kind byte

// The value fields of `kind`: kinds 1, 9 and 10 one text of 113 bytes;
// kinds 2 and 3 one of 17; kinds 5 and 6 one of 33; kind 4 seven of 17
// (year, month, day, hour, minute, zone hours, zone minutes).  Other kinds
// have none.  Returns the number of fields written to `out`.
inline int MiddleServerValueFields(int kind, MiddleServerValueField (&out)[7]) {
  switch (kind) {
    case 1: case 9: case 10: out[0] = {34, 113, 148}; return 1;
    case 2: case 3: out[0] = {34, 17, 52}; return 1;
    case 5: case 6: out[0] = {34, 33, 68}; return 1;
    case 4: {
      constexpr uint32_t at[7] = {35, 54, 74, 94, 114, 134, 154};
      for (int k = 0; k < 7; ++k) out[k] = {at[k], 17, at[k] + 17 + (k == 0 ? 0u : 1u)};
      return 7;
    }
    default: return 0;
  }
}
static_assert(35 + 17 == 52 && 54 + 17 + 1 == 72 && 154 + 17 + 1 == 172);
