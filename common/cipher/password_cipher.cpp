#include "common/cipher/password_cipher.h"

#include <cstring>

#include "common/cipher/aes.h"
#include "common/cipher/des.h"
#include "common/cipher/sha256.h"

namespace {

constexpr size_t kKeyTextHalf = kKeyTextLength / 2;

void DeriveAesKey(const uint8_t* keyText, AesSchedule* schedule, uint8_t iv[kAesBlockSize]) {
  uint8_t digest[kSha256DigestSize];
  Sha256Digest(keyText, kKeyTextHalf, digest);
  AesSetKey(schedule, digest, sizeof digest);
  Sha256Digest(keyText + kKeyTextHalf, kKeyTextHalf, digest);
  std::memcpy(iv, digest, kAesBlockSize);
}

void ChooseKeyText(uint8_t out[kKeyTextLength], const char* keyText, uint32_t keyId, uint32_t modelId) {
  if (keyId != 0) {
    PermuteAesKeyText(out, FindAesKeyRow(keyId, modelId));
  } else {
    std::memcpy(out, keyText != nullptr ? keyText : kDefaultKeyText, kKeyTextLength);
  }
}

void MakeDesSchedule(DesSchedule* schedule, uint32_t keyId, uint32_t modelId, int encipher) {
  uint8_t key[8];
  PermuteDesKey(key, FindDesKeyRow(keyId, modelId));
  DesMakeKeySchedule(schedule, key, encipher);
}

uint32_t TextLength(const uint8_t* buffer, uint32_t size) {
  return static_cast<uint32_t>(strnlen(reinterpret_cast<const char*>(buffer), size));
}

// Writes the NUL that follows an enciphered result when the field has room.
void TerminateBehind(uint8_t* buffer, uint32_t length, uint32_t size) {
  if (length < size) buffer[length] = 0;
}

}  // namespace

bool DesEncryptByKeyId(uint8_t* buffer, size_t length, size_t capacity, int pad, size_t* outLength,
                       uint32_t keyId, uint32_t modelId) {
  if (buffer == nullptr) return false;
  size_t total = length - length % kDesBlockSize;
  if (pad) {
    size_t p = kDesBlockSize - length % kDesBlockSize;
    total = length + p;
    if (total > capacity) return false;
    std::memset(buffer + length, static_cast<int>(p), p);
  }
  DesSchedule schedule;
  MakeDesSchedule(&schedule, keyId, modelId, 1);
  for (size_t at = 0; at < total; at += kDesBlockSize) DesCryptBlock(&schedule, buffer + at);
  if (outLength != nullptr) *outLength = total;
  return true;
}

size_t DesDecryptByKeyId(uint8_t* buffer, size_t length, int strip, uint32_t keyId, uint32_t modelId) {
  if (buffer == nullptr) return 0;
  size_t total = length - length % kDesBlockSize;
  if (total == 0) return 0;
  DesSchedule schedule;
  MakeDesSchedule(&schedule, keyId, modelId, 0);
  for (size_t at = 0; at < total; at += kDesBlockSize) DesCryptBlock(&schedule, buffer + at);
  if (strip) {
    uint8_t v = buffer[total - 1];
    if (v >= 1 && v <= kDesBlockSize) buffer[total - v] = 0;
  }
  return total;
}

bool AesEncryptWithKeyText(uint8_t* buffer, size_t length, size_t capacity, int noPad, const uint8_t* keyText,
                           size_t* outLength) {
  if (buffer == nullptr || keyText == nullptr) return false;
  size_t total = length - length % kAesBlockSize;
  if (!noPad) {
    total = kAesBlockSize * (length / kAesBlockSize + 1);
    if (total > capacity) return false;
    size_t p = total - length;
    std::memset(buffer + length, static_cast<int>(p - 1), p);
  }
  AesSchedule schedule;
  uint8_t iv[kAesBlockSize];
  DeriveAesKey(keyText, &schedule, iv);
  AesCbcEncrypt(&schedule, iv, buffer, total);
  if (outLength != nullptr) *outLength = total;
  return true;
}

void AesDecryptWithKeyText(uint8_t* buffer, size_t length, const uint8_t* keyText, size_t* outLength) {
  size_t total = 0;
  if (buffer != nullptr && keyText != nullptr) {
    total = length - length % kAesBlockSize;
    AesSchedule schedule;
    uint8_t iv[kAesBlockSize];
    DeriveAesKey(keyText, &schedule, iv);
    AesInvertKey(&schedule);
    AesCbcDecrypt(&schedule, iv, buffer, total);
  }
  if (outLength != nullptr) *outLength = total;
}

bool AesEncryptByKeyId(uint8_t* buffer, size_t length, size_t capacity, int noPad, const char* keyText,
                       uint32_t keyId, uint32_t modelId, size_t* outLength) {
  uint8_t text[kKeyTextLength];
  ChooseKeyText(text, keyText, keyId, modelId);
  return AesEncryptWithKeyText(buffer, length, capacity, noPad, text, outLength);
}

void AesDecryptByKeyId(uint8_t* buffer, size_t length, const char* keyText, uint32_t keyId, uint32_t modelId,
                       size_t* outLength) {
  uint8_t text[kKeyTextLength];
  ChooseKeyText(text, keyText, keyId, modelId);
  AesDecryptWithKeyText(buffer, length, text, outLength);
}

uint32_t EncryptTextDes(uint8_t* buffer, uint32_t size, uint32_t keyId, uint32_t modelId) {
  if (buffer == nullptr || size < kDesCipherLength) return 0;
  uint32_t n = TextLength(buffer, size);
  if (n < kDesTextLength) std::memset(buffer + n, kDesTextPad, kDesTextLength - n);
  // Only the first 64 characters are kept; the pad block overwrites bytes 64
  // to 71, and nothing of a longer text may stay behind the result.
  uint32_t clearEnd = (n > kDesCipherLength ? n : kDesCipherLength) + 1;
  if (clearEnd > size) clearEnd = size;
  if (clearEnd > kDesCipherLength) std::memset(buffer + kDesCipherLength, 0, clearEnd - kDesCipherLength);
  size_t length = 0;
  if (!DesEncryptByKeyId(buffer, kDesTextLength, size, 1, &length, keyId, modelId)) return 0;
  return static_cast<uint32_t>(length);
}

uint32_t EncryptTextAes(uint8_t* buffer, uint32_t size, const char* keyText, uint32_t keyId, uint32_t modelId) {
  if (buffer == nullptr) return 0;
  uint32_t n = TextLength(buffer, size);
  size_t length = 0;
  if (!AesEncryptByKeyId(buffer, n, size, 0, keyText, keyId, modelId, &length)) return 0;
  return static_cast<uint32_t>(length);
}

uint32_t DecryptTextAes(uint8_t* buffer, uint32_t length, uint32_t size, const char* keyText, uint32_t keyId,
                        uint32_t modelId) {
  if (buffer == nullptr || size == 0) return 0;
  const uint32_t given = length < size ? length : size;
  size_t total = 0;
  AesDecryptByKeyId(buffer, given, keyText, keyId, modelId, &total);
  // A pad byte holds the pad count minus 1, so it is below 16 and below the
  // deciphered length; anything else did not come from EncryptTextAes.
  if (total == 0 || buffer[total - 1] >= kAesBlockSize) {
    std::memset(buffer, 0, given > 0 ? given : 1);
    return 0;
  }
  uint32_t plain = static_cast<uint32_t>(total) - buffer[total - 1] - 1;
  std::memset(buffer + plain, 0, total - plain);
  return plain;
}

namespace {

// The cipher a front end applies: the method and the key it takes.
struct CipherChoice {
  uint32_t method;
  const char* keyText;
  uint32_t keyId;
  uint32_t modelId;
};

CipherChoice PasswordChoice(const UiEncryptionInfo& info, const char* keyText) {
  return {info.method, keyText, info.keyId, info.modelId};
}

// The AES front ends use AES for method 1 too, with the first row of key
// id 1.
CipherChoice AesPasswordChoice(const UiEncryptionInfo& info, const char* keyText) {
  if (info.method == kCipherMethodDes) return {kCipherMethodAes, nullptr, 1, 0};
  return PasswordChoice(info, keyText);
}

int32_t Encipher(const CipherChoice& c, uint8_t* buffer, uint32_t size) {
  if (buffer == nullptr) return 0;
  uint32_t length;
  switch (c.method) {
    case kCipherMethodDes:
      length = EncryptTextDes(buffer, size, c.keyId, c.modelId);
      break;
    case kCipherMethodAes:
      length = EncryptTextAes(buffer, size, c.keyText, c.keyId, c.modelId);
      break;
    default:
      return static_cast<int32_t>(TextLength(buffer, size));
  }
  if (length != 0) TerminateBehind(buffer, length, size);
  return static_cast<int32_t>(length);
}

uint32_t DecipherDes(const CipherChoice& c, uint8_t* buffer, uint32_t length, uint32_t size) {
  if (size == 0) return 0;
  const uint32_t given = length < size ? length : size;
  if (DesDecryptByKeyId(buffer, given, 1, c.keyId, c.modelId) == 0) {
    std::memset(buffer, 0, given > 0 ? given : 1);
    return 0;
  }
  // The text ends at its first pad character: a password holding "+" is
  // cut there, as the device cuts it.
  void* plus = std::memchr(buffer, kDesTextPad, size);
  if (plus != nullptr) {
    uint8_t* from = static_cast<uint8_t*>(plus);
    std::memset(from, 0, size - static_cast<size_t>(from - buffer));
  }
  uint32_t text = TextLength(buffer, size);
  if (text == size) buffer[--text] = 0;
  // What follows the text is pad; leave nothing of it behind.
  if (text < given) std::memset(buffer + text, 0, given - text);
  return text;
}

uint32_t Decipher(const CipherChoice& c, uint8_t* buffer, uint32_t length, uint32_t size) {
  if (buffer == nullptr) return 0;
  switch (c.method) {
    case kCipherMethodDes:
      return DecipherDes(c, buffer, length, size);
    case kCipherMethodAes:
      return DecryptTextAes(buffer, length, size, c.keyText, c.keyId, c.modelId);
    default:
      return TextLength(buffer, size);
  }
}

}  // namespace

int32_t EncryptPasswordWithKey(const UiEncryptionInfo& info, const char* keyText, uint8_t* buffer, uint32_t size) {
  return Encipher(PasswordChoice(info, keyText), buffer, size);
}

uint32_t DecryptPasswordWithKey(const UiEncryptionInfo& info, const char* keyText, uint8_t* buffer, uint32_t length,
                                uint32_t size) {
  return Decipher(PasswordChoice(info, keyText), buffer, length, size);
}

int32_t EncryptPasswordAesWithKey(const UiEncryptionInfo& info, const char* keyText, uint8_t* buffer,
                                  uint32_t size) {
  return Encipher(AesPasswordChoice(info, keyText), buffer, size);
}

int32_t DecryptPasswordAesWithKey(const UiEncryptionInfo& info, const char* keyText, uint8_t* buffer,
                                  uint32_t length, uint32_t size) {
  return static_cast<int32_t>(Decipher(AesPasswordChoice(info, keyText), buffer, length, size));
}
