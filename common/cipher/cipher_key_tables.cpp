#include "common/cipher/cipher_key_tables.h"

#include <cstring>

namespace {

// Key material of this driver's model families.  The description file's
// "EncKeyID" and "ModelID" select a row; key id 0 selects none and uses the
// printer's own random "InitDataBackup" instead.
constexpr DesKeyRow kDesKeyTable[] = {
    {1, 0, {0x0D, 0x25, 0x64, 0x2B, 0x82, 0xAA, 0x34, 0x26}},
    {1, 11, {0x11, 0x69, 0x2D, 0x0F, 0x1D, 0x74, 0xF5, 0x75}},
    {2, 0, {0x5D, 0x61, 0xFE, 0xEE, 0xC5, 0xCC, 0x41, 0xED}},
    {3, 0, {0x42, 0xFD, 0x2A, 0x0E, 0xFB, 0xED, 0xEB, 0x4B}},
    {3, 12, {0xE3, 0xA8, 0x57, 0xF8, 0x7C, 0x11, 0x2F, 0xCF}},
    {kKeyTableEnd, 0, {0xE9, 0x7A, 0x46, 0x34, 0xE5, 0xC1, 0x2F, 0x47}},
};

#define KEY_TEXT(s) {s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7], s[8], s[9], \
                     s[10], s[11], s[12], s[13], s[14], s[15], s[16], s[17], s[18], s[19]}

constexpr AesKeyTextRow kAesKeyTextTable[] = {
    {1, 0, KEY_TEXT("8pKLVn2kLDs9c8LBKR8h")},
    {1, 11, KEY_TEXT("t9JZRGs478wc0rct8xfq")},
    {2, 0, KEY_TEXT("a88ZK3CXeY5eVyANxEt0")},
    {3, 0, KEY_TEXT("zNpVjRB7ct3M3ZidDFi0")},
    {3, 12, KEY_TEXT("z9bfLdqFXJBJ56NqUmtj")},
    {kKeyTableEnd, 0, KEY_TEXT("UmQrgg0UnsoBeqYLQCLv")},
};

#undef KEY_TEXT

void RowIds(const void* rows, size_t rowSize, size_t i, uint32_t* keyId, uint32_t* modelId) {
  const uint8_t* row = static_cast<const uint8_t*>(rows) + i * rowSize;
  std::memcpy(keyId, row, 4);
  std::memcpy(modelId, row + 4, 4);
}

}  // namespace

const char kDefaultKeyText[kKeyTextLength + 1] = "58203946175530829164";

size_t ChooseKeyRow(const void* rows, size_t rowSize, size_t rowCount, uint32_t keyId, uint32_t modelId) {
  if (rows == nullptr || rowCount == 0 || rowSize < 8) return 0;
  size_t end = rowCount - 1;
  for (size_t i = 1; i < rowCount; ++i) {
    uint32_t id, model;
    RowIds(rows, rowSize, i, &id, &model);
    if (id == kKeyTableEnd) {
      end = i;
      break;
    }
  }
  size_t first = end;
  for (size_t i = 0; i < end; ++i) {
    uint32_t id, model;
    RowIds(rows, rowSize, i, &id, &model);
    if (id == keyId) {
      first = i;
      break;
    }
  }
  if (first == end || modelId == 0) return first;
  for (size_t i = first; i < end; ++i) {
    uint32_t id, model;
    RowIds(rows, rowSize, i, &id, &model);
    if (id != keyId) break;
    if (model == modelId) return i;
  }
  return end;
}

const uint8_t* FindDesKeyRow(uint32_t keyId, uint32_t modelId) {
  constexpr size_t count = sizeof kDesKeyTable / sizeof kDesKeyTable[0];
  return kDesKeyTable[ChooseKeyRow(kDesKeyTable, sizeof(DesKeyRow), count, keyId, modelId)].stored;
}

const uint8_t* FindAesKeyRow(uint32_t keyId, uint32_t modelId) {
  constexpr size_t count = sizeof kAesKeyTextTable / sizeof kAesKeyTextTable[0];
  return kAesKeyTextTable[ChooseKeyRow(kAesKeyTextTable, sizeof(AesKeyTextRow), count, keyId, modelId)].stored;
}

void PermuteDesKey(uint8_t key[8], const uint8_t stored[8]) {
  static constexpr uint8_t kPlace[8] = {0, 7, 1, 6, 2, 5, 3, 4};
  for (size_t i = 0; i < 8; ++i) key[kPlace[i]] = stored[i];
}

void PermuteAesKeyText(uint8_t keyText[kKeyTextLength], const uint8_t stored[kKeyTextLength]) {
  for (size_t i = 0; i < kKeyTextLength; ++i) {
    size_t place = (i % 2 == 0) ? i / 2 : kKeyTextLength - 1 - i / 2;
    keyText[place] = stored[i];
  }
}

bool DeriveInitDataKeyText(const uint8_t* value, size_t length, char out[kKeyTextLength + 1]) {
  if (value == nullptr || out == nullptr || length < kInitDataMinimum) return false;
  static constexpr char kDigits[] = "0123456789ABCDEF";
  for (size_t i = 0; i < kKeyTextLength / 2; ++i) {
    uint8_t sum = static_cast<uint8_t>(value[i] + value[length - 1 - i]);
    out[2 * i] = kDigits[sum >> 4];
    out[2 * i + 1] = kDigits[sum & 0x0F];
  }
  out[kKeyTextLength] = '\0';
  return true;
}
