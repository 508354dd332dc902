// PJL password encipherment on the shared password cipher.
#include "drender/pjl/pjl_cipher.h"

#include <cstdio>
#include <cstring>

#include "common/cipher/password_cipher.h"
#include "drender/model/model_features.h"
#include "drender/pjl/pjl_templates.h"

// The machines this driver knows by code name, with the key rows of the
// cipher's tables that their firmware expects.  Rows of the same key id
// differ by model id.
const PjlCodeNameRow kPjlAesMachines[] = {
    {"VLD-C300", 1, 0},  {"VLD-C350", 1, 0},  {"VLD-C450", 1, 11}, {"VLD-C550", 1, 11}, {"VLD-C650", 2, 0},
    {"VLD-M300", 2, 0},  {"VLD-M400", 3, 0},  {"VLD-M500", 3, 12}, {"VLD-F200", 1, 0},  {"VLD-F250", 1, 0},
    {"VLD-F300", 1, 11}, {"VLD-F350", 1, 11}, {"VLD-F400", 2, 0},  {"VLD-F450", 2, 0},  {"VLD-F500", 3, 0},
    {"VLD-F550", 3, 0},  {"VLD-F600", 3, 12}, {"VLD-F650", 3, 12}, {nullptr, 0, 0}};
const PjlCodeNameRow kPjlDesMachines[] = {
    {"VLD-B100", 1, 0},  {"VLD-B120", 1, 0},  {"VLD-B140", 1, 0},  {"VLD-B160", 1, 11}, {"VLD-B180", 1, 11},
    {"VLD-B200", 1, 11}, {"VLD-B220", 2, 0},  {"VLD-B240", 2, 0},  {"VLD-B260", 2, 0},  {"VLD-B280", 2, 0},
    {"VLD-D100", 3, 0},  {"VLD-D120", 3, 0},  {"VLD-D140", 3, 0},  {"VLD-D160", 3, 0},  {"VLD-D180", 3, 12},
    {"VLD-D200", 3, 12}, {"VLD-D220", 3, 12}, {"VLD-D240", 2, 0},  {"VLD-D260", 1, 0},  {"VLD-D280", 1, 11},
    {nullptr, 0, 0}};

namespace {

// ASCII case ignored over the shorter of the two texts (an empty text
// matches nothing).
bool PrefixEquals(const char* a, size_t aSize, const char* b) {
  const size_t la = strnlen(a, aSize), lb = std::strlen(b);
  const size_t n = la < lb ? la : lb;
  if (n == 0) return false;
  for (size_t i = 0; i < n; ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

// The keyword of the value the device option record selects for "OpMachine".
bool SelectedMachine(const DevOption* option, const DeviceOptionItem* options, char keyword[kKeywordSize + 1]) {
  if (option == nullptr || options == nullptr) return false;
  for (uint32_t i = 0; i < kDevOptionMaxOptions && options[i].keyword[0] != '\0'; ++i) {
    if (std::strncmp(options[i].keyword, "OpMachine", kKeywordSize) != 0) continue;
    const uint32_t selected = option->optionValues[i];
    const OptionItem* value = options[i].values;
    for (uint32_t k = 0; value != nullptr && value[k].keyword[0] != '\0'; ++k) {
      if (k == selected) {
        std::memset(keyword, 0, kKeywordSize + 1);
        std::memcpy(keyword, value[k].keyword, strnlen(value[k].keyword, kKeywordSize));
        return true;
      }
    }
    return false;
  }
  return false;
}

}  // namespace

uint32_t Crypt_SelectPjlKey(const PjlCodeNameRow* table, const ModelInfo* model, const DevOption* option,
                            const DeviceOptionItem* options, uint32_t* keyId, uint32_t* modelId) {
  *keyId = Pjl_KeyId();
  *modelId = Pjl_ModelId();
  char keyword[kKeywordSize + 1];
  if (!SelectedMachine(option, options, keyword)) return *modelId;
  // The machine list may name the code name under "EncryptionKey".
  for (uint32_t r = 0; model != nullptr && model->machines != nullptr && r < model->machineRowCount; ++r) {
    const MachineRow& row = model->machines[r];
    if (!PrefixEquals(row.name, sizeof row.name, keyword)) continue;
    for (uint32_t k = 0; row.items != nullptr && k + 1 < row.itemCount; ++k) {
      if (std::strncmp(row.items[k].key, "EncryptionKey", 13) == 0) {
        std::memset(keyword, 0, sizeof keyword);
        std::memcpy(keyword, row.items[k].value, strnlen(row.items[k].value, sizeof row.items[k].value));
        break;
      }
    }
    break;
  }
  for (const PjlCodeNameRow* row = table; row->codeName != nullptr; ++row) {
    if (PrefixEquals(keyword, sizeof keyword, row->codeName)) {
      *keyId = row->keyId;
      *modelId = row->modelId;
      break;
    }
  }
  return *modelId;
}

uint32_t Crypt_EncryptPjlDes(uint8_t* buffer, uint32_t size, uint32_t keyId, uint32_t modelId) {
  if (buffer == nullptr || size < kDesCipherLength + 1) return 0;
  const size_t text = strnlen(reinterpret_cast<const char*>(buffer), kDesTextLength);
  std::memset(buffer + text, kDesTextPad, kDesTextLength - text);
  std::memset(buffer + kDesTextLength, 0, kDesCipherLength + 1 - kDesTextLength);
  size_t out = 0;
  if (!DesEncryptByKeyId(buffer, kDesTextLength, size, 0, &out, keyId, modelId)) return 0;
  return static_cast<uint32_t>(out);
}

uint32_t Crypt_EncryptPjlPassword(uint8_t method, bool encryptionKeyEnabled, const ModelInfo* model,
                                  const DevOption* option, const DeviceOptionItem* options,
                                  PjlKeyDecipherFn decipher, void* decipherContext, uint8_t* buffer, uint32_t size) {
  if (buffer == nullptr || size == 0) return 0;
  uint32_t result = 0;
  uint32_t keyId = 0, modelId = 0;
  if (method == 1) {
    Crypt_SelectPjlKey(kPjlAesMachines, model, option, options, &keyId, &modelId);
    char keyText[kDevOptionEncryptedValueSize + 1] = {};
    bool haveKeyText = false;
    if (encryptionKeyEnabled && option != nullptr && option->encryptionKey != 0 && option->encryptedValueLength > 0 &&
        decipher != nullptr) {
      uint8_t stored[kDevOptionEncryptedValueSize + 1] = {};
      std::memcpy(stored, option->encryptedValue, kDevOptionEncryptedValueSize);
      const uint32_t length = option->encryptedValueLength > kDevOptionEncryptedValueSize
                                  ? kDevOptionEncryptedValueSize
                                  : option->encryptedValueLength;
      const uint32_t plain = decipher(decipherContext, stored, length, kDevOptionEncryptedValueSize, false);
      if (plain > 0 && plain <= kDevOptionEncryptedValueSize && stored[0] != 0) {
        std::memcpy(keyText, stored, plain);
        haveKeyText = true;
        keyId = 0;
      }
    }
    result = EncryptTextAes(buffer, size, haveKeyText ? keyText : nullptr, keyId, modelId);
  } else if (method == 2) {
    Crypt_SelectPjlKey(kPjlDesMachines, model, option, options, &keyId, &modelId);
    result = Crypt_EncryptPjlDes(buffer, size, keyId, modelId);
  } else {
    result = static_cast<uint32_t>(strnlen(reinterpret_cast<const char*>(buffer), size));
  }
  if (result > 0 && result < size) buffer[result] = 0;
  return result;
}

bool Pjl_HexText(const uint8_t* bytes, size_t length, char* out, size_t size) {
  if (length > 127 || size < 2 * length + 1) return false;
  for (size_t i = 0; i < length; ++i) std::snprintf(out + 2 * i, 3, "%02X", bytes[i]);
  out[2 * length] = '\0';
  return true;
}
