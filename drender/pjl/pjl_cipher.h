// PJL password encipherment: the key selection by the machine the device
// option "OpMachine" names, and the encipherment of a value with the
// model's method, on the shared password cipher (common/cipher/).
//
// PJL methods: 1 AES-256-CBC (the password cipher's AES), 2 DES-ECB over
// the text padded with "+" to 64 characters (64 enciphered bytes), 0 the
// text unchanged.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/qxd/model_info.h"
#include "common/qxd/model_rows.h"
#include "common/records/settings_records.h"

struct PjlCodeNameRow {
  const char* codeName;
  uint32_t keyId;
  uint32_t modelId;
};

// The built-in code-name tables of the two methods (rows end at a null
// code name).
extern const PjlCodeNameRow kPjlAesMachines[];
extern const PjlCodeNameRow kPjlDesMachines[];

// Key selection: starts with the PJL key and model ids of the command file;
// the keyword the device option "OpMachine" selects (through the model's
// machine list entry "EncryptionKey" when there is one) picks a row of
// `table`.  Returns the model id.
uint32_t Crypt_SelectPjlKey(const PjlCodeNameRow* table, const ModelInfo* model, const DevOption* option,
                            const DeviceOptionItem* options, uint32_t* keyId, uint32_t* modelId);

// Deciphers the device's stored key (73 bytes) into a key text; the caller
// supplies the description's password method.  Returns the text's length.
using PjlKeyDecipherFn = uint32_t (*)(void* context, uint8_t* buffer, uint32_t length, uint32_t size, bool aes);

// Enciphers the NUL-terminated text in `buffer` (`size` bytes) with the
// model's method.  Returns the enciphered length, or the text's length for
// method 0; 0 on failure (a buffer too small, a null buffer).  A NUL is put
// behind a result shorter than `size`.
uint32_t Crypt_EncryptPjlPassword(uint8_t method, bool encryptionKeyEnabled, const ModelInfo* model,
                                  const DevOption* option, const DeviceOptionItem* options,
                                  PjlKeyDecipherFn decipher, void* decipherContext, uint8_t* buffer, uint32_t size);
// DES-ECB of the text padded with "+" to 64 characters: needs 73 bytes of
// buffer; returns 64, or 0.
uint32_t Crypt_EncryptPjlDes(uint8_t* buffer, uint32_t size, uint32_t keyId, uint32_t modelId);

// Bytes as upper-case hexadecimal text ("%02X" each) into `out` (`size`
// bytes, terminated).  False for more than 127 bytes or a short `out`.
bool Pjl_HexText(const uint8_t* bytes, size_t length, char* out, size_t size);
