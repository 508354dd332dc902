// The password cipher: passwords kept by the user interface and the job are
// enciphered in place in the caller's fixed-size field and kept as raw bytes
// with a separate length.
//
//   method 0  the text stays as typed;
//   method 1  DES-ECB: the text padded with "+" to 64 characters, then one
//             enciphered block of eight 8s: always 72 bytes;
//   method 2  AES-256-CBC: the text followed by 1..16 pad bytes that each
//             hold the pad count minus 1: 16 * (n / 16 + 1) bytes.
//
// The AES key is SHA-256 of key-text bytes 0..9, the IV the first 16 bytes
// of SHA-256 of key-text bytes 10..19.  The key text is the built-in
// table's row for a key id other than 0; for key id 0 the printer's
// "InitDataBackup" text, else the built-in default.
//
// Deciphering never reads or writes outside the buffer it is given,
// whatever length it is told; input that these functions did not produce
// yields an empty text.
//
// This module needs no Windows interface: the printer-data layer that finds
// a printer's key text is password_cipher_win.h.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/cipher/cipher_key_tables.h"
#include "common/cipher/ui_encryption_info.h"

inline constexpr uint32_t kDesTextLength = 64;        // method 1 text, padded with "+"
inline constexpr uint32_t kDesCipherLength = 72;      // ... and its pad block
inline constexpr uint8_t kDesTextPad = '+';

// DES-ECB with the key of the chosen row over the whole 8-byte blocks of
// `length` bytes.  With `pad` 1 the text is first padded with p = 8 -
// length % 8 bytes of value p (1 to 8), which must fit `capacity`.  The
// enciphered length goes to `outLength`.  False, buffer untouched, when the
// padded text does not fit.
bool DesEncryptByKeyId(uint8_t* buffer, size_t length, size_t capacity, int pad, size_t* outLength,
                       uint32_t keyId, uint32_t modelId);
// Deciphers the whole 8-byte blocks of `length` bytes in place.  With
// `strip` 1 and a last byte v of 1 to 8, the byte v places before the end
// becomes NUL.  Returns the bytes deciphered (0 for fewer than 8).
size_t DesDecryptByKeyId(uint8_t* buffer, size_t length, int strip, uint32_t keyId, uint32_t modelId);

// AES-256-CBC with the key and IV derived from a 20-byte key text.  With
// `noPad` 0 the text is padded first (see above) and the padded length
// must fit `capacity`; with `noPad` 1 only the whole blocks are enciphered.
bool AesEncryptWithKeyText(uint8_t* buffer, size_t length, size_t capacity, int noPad, const uint8_t* keyText,
                           size_t* outLength);
// Deciphers the whole 16-byte blocks of `length` bytes in place; the pad is
// left for the caller.
void AesDecryptWithKeyText(uint8_t* buffer, size_t length, const uint8_t* keyText, size_t* outLength);
// The same with the key text chosen by key id: a key id other than 0 takes
// the built-in table's row, 0 takes `keyText`, or the default key text when
// that is null.
bool AesEncryptByKeyId(uint8_t* buffer, size_t length, size_t capacity, int noPad, const char* keyText,
                       uint32_t keyId, uint32_t modelId, size_t* outLength);
void AesDecryptByKeyId(uint8_t* buffer, size_t length, const char* keyText, uint32_t keyId, uint32_t modelId,
                       size_t* outLength);

// Method 1 on the NUL-terminated text in `buffer` (`size` bytes): 72, or 0
// (text unchanged) when the buffer is smaller than 72 bytes.
uint32_t EncryptTextDes(uint8_t* buffer, uint32_t size, uint32_t keyId, uint32_t modelId);
// Method 2 on the NUL-terminated text in `buffer`: the enciphered length, or
// 0 (text unchanged) when the buffer cannot hold it.
uint32_t EncryptTextAes(uint8_t* buffer, uint32_t size, const char* keyText, uint32_t keyId, uint32_t modelId);
// Deciphers method 2 bytes, strips the pad and terminates the text; returns
// its length.  0, and an empty text, for an empty or malformed input.
uint32_t DecryptTextAes(uint8_t* buffer, uint32_t length, uint32_t size, const char* keyText, uint32_t keyId,
                        uint32_t modelId);

// The password front ends for a given key text (null: none), with the
// method, key id and model id of `info`.  The printer front ends of
// password_cipher_win.h find the key text and call these.
int32_t EncryptPasswordWithKey(const UiEncryptionInfo& info, const char* keyText, uint8_t* buffer, uint32_t size);
uint32_t DecryptPasswordWithKey(const UiEncryptionInfo& info, const char* keyText, uint8_t* buffer, uint32_t length,
                                uint32_t size);
// AES whatever the method (except 0): method 1 uses key id 1, model id 0
// and no key text.
int32_t EncryptPasswordAesWithKey(const UiEncryptionInfo& info, const char* keyText, uint8_t* buffer,
                                  uint32_t size);
int32_t DecryptPasswordAesWithKey(const UiEncryptionInfo& info, const char* keyText, uint8_t* buffer,
                                  uint32_t length, uint32_t size);
