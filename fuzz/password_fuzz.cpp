// Stored passwords read back: enciphered bytes of any length through every
// decipher path (DES and AES, by key id, by key text, the front ends of both
// methods), in buffers exactly as large as the caller says.
#include <cstdint>
#include <cstring>
#include <memory>

#include "common/cipher/password_cipher.h"
#include "common/cipher/ui_encryption_info.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  const uint8_t method = in.Take<uint8_t>() % 3;
  const uint8_t keyId = in.Take<uint8_t>();
  const uint8_t modelId = in.Take<uint8_t>();
  const uint8_t extra = in.Take<uint8_t>();  // room beyond the bytes
  char keyText[33] = {};
  std::memcpy(keyText, in.data(), std::min<size_t>(32, in.size()));
  const uint8_t* bytes = in.data();
  const uint32_t length = static_cast<uint32_t>(in.size());
  const uint32_t capacity = length + extra % 33;

  // Each path gets its own buffer of exactly `capacity` bytes.
  auto run = [&](auto&& fn) {
    std::unique_ptr<uint8_t[]> buffer(new uint8_t[capacity + 1]);
    std::memcpy(buffer.get(), bytes, length);
    fn(buffer.get());
  };
  size_t out = 0;
  run([&](uint8_t* b) { DesDecryptByKeyId(b, length, 1, keyId, modelId); });
  run([&](uint8_t* b) { AesDecryptWithKeyText(b, length, reinterpret_cast<const uint8_t*>(keyText), &out); });
  run([&](uint8_t* b) { AesDecryptByKeyId(b, length, keyText, keyId, modelId, &out); });
  run([&](uint8_t* b) { AesDecryptByKeyId(b, length, nullptr, 0, modelId, &out); });
  run([&](uint8_t* b) { DecryptTextAes(b, length, capacity, keyText, keyId, modelId); });
  const UiEncryptionInfo info = {method, keyId, modelId};
  run([&](uint8_t* b) { DecryptPasswordWithKey(info, keyText, b, length, capacity); });
  run([&](uint8_t* b) { DecryptPasswordWithKey(info, nullptr, b, length, capacity); });
  run([&](uint8_t* b) { DecryptPasswordAesWithKey(info, keyText, b, length, capacity); });
  // The encipher paths over the same bytes as a text.
  run([&](uint8_t* b) {
    if (capacity > 0) {
      b[capacity - 1] = 0;
      EncryptPasswordWithKey(info, keyText, b, capacity);
    }
  });
  run([&](uint8_t* b) {
    if (capacity > 0) {
      b[capacity - 1] = 0;
      EncryptPasswordAesWithKey(info, keyText, b, capacity);
    }
  });
  return 0;
}
