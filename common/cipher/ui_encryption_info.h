// The password cipher's settings of this process, read from the section
// "UI_Encryption" of the main description file.
#pragma once

#include <cstdint>

#include "common/qxd/qxd_reader.h"

enum : uint32_t {
  kCipherMethodNone = 0,
  kCipherMethodDes = 1,
  kCipherMethodAes = 2,
};

struct UiEncryptionInfo {
  uint32_t method;    // kCipherMethod...
  uint32_t keyId;     // "EncKeyID"; 0 selects the printer's own key material
  uint32_t modelId;   // "ModelID"
};

inline constexpr UiEncryptionInfo kDefaultUiEncryption = {kCipherMethodNone, 1, 0};

// The settings in force (kDefaultUiEncryption until a description file is
// read).  They are written once at start-up, before any caller runs.
const UiEncryptionInfo& GetUiEncryptionInfo();
void SetUiEncryptionInfo(const UiEncryptionInfo& info);

// Reads "Encryption" ("AES": method 2, "DES": method 1, other text: 0),
// "EncKeyID" and "ModelID" from the section's name/value pairs into the
// settings in force.  Unknown names are ignored; a missing section leaves
// the settings as they are.
void ReadUIEncryptionInfo(QxdContext* ctx);
