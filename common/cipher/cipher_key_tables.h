// Key material of the password cipher: the built-in DES key table and AES
// key-text table, the choice of a row by key id and model id, the placement
// of a row's stored bytes into a key, and the key text derived from a
// printer's random "InitDataBackup" value.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr uint32_t kKeyTextLength = 20;
// Key id of the row that ends a table; that row holds the table's default.
inline constexpr uint32_t kKeyTableEnd = 0xFFFFFFFFu;
// A stored "InitDataBackup" value shorter than this gives no key text.
inline constexpr size_t kInitDataMinimum = 42;

struct DesKeyRow {
  uint32_t keyId;
  uint32_t modelId;
  uint8_t stored[8];   // placed into the key by PermuteDesKey
};
static_assert(sizeof(DesKeyRow) == 16);
static_assert(offsetof(DesKeyRow, stored) == 8);

struct AesKeyTextRow {
  uint32_t keyId;
  uint32_t modelId;
  uint8_t stored[kKeyTextLength];   // placed into the key text by PermuteAesKeyText
};
static_assert(sizeof(AesKeyTextRow) == 28);
static_assert(offsetof(AesKeyTextRow, stored) == 8);

// The key text used when neither a table row nor "InitDataBackup" gives one.
extern const char kDefaultKeyText[kKeyTextLength + 1];

// Index of the row chosen for `keyId` and `modelId` in a table of `rowCount`
// rows of `rowSize` bytes, each beginning with u32 key id and u32 model id.
// Rows are searched up to the end row (the first row after row 0 whose key
// id is kKeyTableEnd); the first row of the key id is chosen for model id 0,
// else the first row of the same key id run whose model id matches; when
// nothing matches, the end row (the default).  A table without an end row
// ends at its last row.
size_t ChooseKeyRow(const void* rows, size_t rowSize, size_t rowCount, uint32_t keyId, uint32_t modelId);

// The stored bytes of the chosen row of the built-in tables.
const uint8_t* FindDesKeyRow(uint32_t keyId, uint32_t modelId);
const uint8_t* FindAesKeyRow(uint32_t keyId, uint32_t modelId);

// Stored bytes 0..7 go to key bytes 0, 7, 1, 6, 2, 5, 3, 4.
void PermuteDesKey(uint8_t key[8], const uint8_t stored[8]);
// Stored bytes 0..19 go to key-text bytes 0, 19, 1, 18, ... 9, 10.
void PermuteAesKeyText(uint8_t keyText[kKeyTextLength], const uint8_t stored[kKeyTextLength]);

// The 20 upper-case hexadecimal digits (and a NUL) of a stored
// "InitDataBackup" value of `length` bytes: digits 2i and 2i+1 are
// (b[i] + b[length-1-i]) mod 256 for i = 0..9.  False, `out` untouched, for
// a value shorter than kInitDataMinimum bytes.
bool DeriveInitDataKeyText(const uint8_t* value, size_t length, char out[kKeyTextLength + 1]);
