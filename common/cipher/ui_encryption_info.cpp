#include "common/cipher/ui_encryption_info.h"

namespace {

UiEncryptionInfo g_uiEncryption = kDefaultUiEncryption;

}  // namespace

const UiEncryptionInfo& GetUiEncryptionInfo() { return g_uiEncryption; }

void SetUiEncryptionInfo(const UiEncryptionInfo& info) { g_uiEncryption = info; }

void ReadUIEncryptionInfo(QxdContext* ctx) {
  QxdPairTable table;
  if (!QxdFindPairTable(ctx, "UI_Encryption", &table)) return;
  UiEncryptionInfo info = g_uiEncryption;
  QxdPair pair;
  for (uint32_t i = 0; QxdReadPair(ctx, table, i, &pair); ++i) {
    if (QxdNameEquals(pair.name, "Encryption")) {
      if (QxdNameEquals(pair.value, "AES")) {
        info.method = kCipherMethodAes;
      } else if (QxdNameEquals(pair.value, "DES")) {
        info.method = kCipherMethodDes;
      } else {
        info.method = kCipherMethodNone;
      }
    } else if (QxdNameEquals(pair.name, "EncKeyID")) {
      info.keyId = static_cast<uint32_t>(QxdAtoi(pair.value));
    } else if (QxdNameEquals(pair.name, "ModelID")) {
      info.modelId = static_cast<uint32_t>(QxdAtoi(pair.value));
    }
  }
  g_uiEncryption = info;
}
