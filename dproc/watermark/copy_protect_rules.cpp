#include "dproc/watermark/copy_protect_rules.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "common/text/utf8_text.h"

namespace {

uint32_t U32At(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace

DeviceStamps ReadDeviceStampAnswer(const uint8_t* answer, size_t size) {
  DeviceStamps stamps;
  if (answer == nullptr || size < kDeviceStampAnswerBytes) return stamps;
  uint32_t count = U32At(answer);
  if (count > kDeviceStampSlots) count = kDeviceStampSlots;
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* entry = answer + 4 + i * kDeviceStampEntryBytes;
    const uint32_t number = U32At(entry);
    if (entry[4] == 0 || number < 1 || number > kDeviceStampSlots) continue;
    const char* name = reinterpret_cast<const char*>(entry + 5);
    const void* end = std::memchr(name, 0, kDeviceStampNameBytes);
    const size_t length = end != nullptr ? static_cast<size_t>(static_cast<const char*>(end) - name)
                                         : kDeviceStampNameBytes;
    std::u16string text = Utf8ToUtf16(std::string_view(name, length));
    if (text.size() > kDeviceStampNameChars) text.resize(kDeviceStampNameChars);
    stamps.registered[number - 1] = true;
    stamps.names[number - 1] = std::move(text);
  }
  return stamps;
}

std::u16string DistributionNumberText(uint32_t number, bool onlyNeeded) {
  char text[16] = {};
  std::snprintf(text, sizeof text, onlyNeeded ? "%u" : "%08u", number);
  return std::u16string(text, text + std::strlen(text));
}

int StampColourBitmap(uint32_t value) {
  static const int kBitmaps[] = {1068, 1072, 1070, 1067, 1073, 1071, 1069};
  return value >= 1 && value <= 7 ? kBitmaps[value - 1] : 1068;
}

int MethodPageColourBitmap(uint32_t value) {
  return value == 1 || value == 6 || value == 7 ? StampColourBitmap(value) : 0;
}
