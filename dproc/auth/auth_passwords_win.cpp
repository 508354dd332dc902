#include "dproc/auth/auth_passwords_win.h"

#include <algorithm>
#include <cstring>

#include "common/cipher/password_cipher_win.h"

namespace {
constexpr size_t kBufferBytes = 96;
}  // namespace

void ShowStoredPassword(HWND dialog, int id, HANDLE printer, const uint8_t* field, size_t size, uint16_t length) {
  uint8_t buffer[kBufferBytes] = {};
  size = std::min(size, kBufferBytes - 1);
  const size_t n = std::min<size_t>(length, size);
  std::memcpy(buffer, field, n);
  const uint32_t plain = DecryptPassword(printer, buffer, static_cast<uint32_t>(n), static_cast<uint32_t>(size));
  buffer[std::min<size_t>(plain, size - 1)] = 0;
  SetDlgItemTextA(dialog, id, reinterpret_cast<const char*>(buffer));
}

void TakeTypedPassword(HWND dialog, int id, HANDLE printer, uint8_t* field, size_t size, uint16_t* length) {
  uint8_t buffer[kBufferBytes] = {};
  size = std::min(size, kBufferBytes - 1);
  GetDlgItemTextA(dialog, id, reinterpret_cast<char*>(buffer), static_cast<int>(std::min<size_t>(size, 81)));
  // No text is no password, whatever a block cipher would make of it.
  const int32_t enciphered = buffer[0] == 0 ? 0 : EncryptPassword(printer, buffer, static_cast<uint32_t>(size));
  const size_t n = enciphered > 0 ? std::min<size_t>(static_cast<size_t>(enciphered), size) : 0;
  if (n > 0) {
    std::memset(field, 0, size);
    std::memcpy(field, buffer, n);
  }
  *length = static_cast<uint16_t>(n);
}
