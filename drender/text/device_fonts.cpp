#include "drender/text/device_fonts.h"

#include <cstring>

namespace {

uint16_t Le16(const uint8_t* at) { return uint16_t(at[0] | (at[1] << 8)); }
uint32_t Le32(const uint8_t* at) {
  return uint32_t(at[0]) | (uint32_t(at[1]) << 8) | (uint32_t(at[2]) << 16) | (uint32_t(at[3]) << 24);
}
bool Fits(uint64_t offset, uint64_t length, uint64_t size) { return offset + length <= size; }

}  // namespace

bool Ifi_Read(const uint8_t* block, uint32_t size, IfiFields* out) {
  if (block == nullptr || size < kIfiMetricsSize) return false;
  IfiFields f;
  f.charset = block[44];
  f.flInfo = Le32(block + 48);
  f.fsSelection = Le16(block + 52);
  f.unitsPerEm = Le16(block + 56);
  f.firstChar = block[108];
  f.lastChar = block[109];
  f.defaultChar = block[110];
  f.wcDefaultChar = Le16(block + 116);
  f.weight = block[172 + 2];
  const uint32_t name = Le32(block + 8);
  for (uint32_t at = name;; at += 2) {
    if (!Fits(at, 2, size)) return false;
    const uint16_t unit = Le16(block + at);
    if (unit == 0) break;
    f.family.push_back(char16_t(unit));
  }
  *out = std::move(f);
  return true;
}

void DeviceFont_FixMetrics(uint8_t* m) {
  const uint8_t charset = m[44];
  const uint8_t pitch = m[45];
  const bool fixed = (pitch & 0x0F) == 1;
  const uint32_t flInfo = !fixed ? 0x82038u : charset == 128 ? 0x10482038u : 0x483038u;
  std::memcpy(m + 48, &flInfo, 4);
  if (Le16(m + 52) == 0) {
    m[52] = 0x40;  // regular
    m[53] = 0;
  }
  m[54] = 2;  // fsType
  m[55] = 0;
  std::memset(m + 168, 0, 4);  // ulPanoseCulture
  if (charset == 2) std::memset(m + 36, 0, 4);  // lCharBias
  const uint16_t weight = Le16(m + 46);
  uint8_t* panose = m + 172;
  std::memset(panose, 0, 10);
  panose[1] = (pitch & 0xF0) == 0x20 ? 11 : 0;
  panose[2] = uint8_t(weight / 100 + 1);
  panose[3] = (pitch & 1) ? 9 : 0;
}

uint16_t DeviceFont_SymbolSet(uint32_t number) {
  if (number >= 77 && number <= 84) return 621;     // 19M
  if (number >= 101 && number <= 104) return 18540; // 579L
  if (number >= 109 && number <= 112) return 460;   // 14L
  if (number >= 113 && number <= 128) return 619;   // 19K
  return 629;                                       // 19U
}

bool DeviceFont_Load(const uint8_t* record, uint32_t size, uint32_t number, DeviceFontEntry* entry) {
  *entry = DeviceFontEntry();
  entry->symbolSet = DeviceFont_SymbolSet(number);
  if (record == nullptr || size < 24) return false;
  const uint32_t ifiAt = Le32(record + 8);
  const uint32_t xlAt = Le32(record + 12);
  const uint32_t widthAt = Le32(record + 20);
  if (!Fits(ifiAt, 4, size)) return false;
  const uint32_t ifiSize = Le32(record + ifiAt);
  if (ifiSize < kIfiMetricsSize || !Fits(ifiAt, ifiSize, size)) return false;
  std::vector<uint8_t> metrics(record + ifiAt, record + ifiAt + ifiSize);
  IfiFields ifi;
  if (!Ifi_Read(metrics.data(), ifiSize, &ifi)) return false;
  DeviceFont_FixMetrics(metrics.data());
  if (ifi.charset == 2) {
    // Symbol faces keep their names as private-use characters: the four
    // name fields are made plain in the copy.
    for (uint32_t field = 8; field <= 20; field += 4) {
      for (uint32_t at = Le32(&metrics[field]); Fits(at, 2, ifiSize); at += 2) {
        const uint16_t unit = Le16(&metrics[at]);
        if (unit == 0) break;
        metrics[at] = uint8_t(unit & 0xFF);
        metrics[at + 1] = uint8_t((unit >> 8) & 0x0F);
      }
    }
  }
  Ifi_Read(metrics.data(), ifiSize, &ifi);
  if (widthAt != 0 && ifi.lastChar >= ifi.firstChar) {
    // The table holds last - first + 1 widths; the copy has one more entry,
    // left 0, rather than reading past the table.
    const uint32_t count = uint32_t(ifi.lastChar - ifi.firstChar) + 1;
    if (Fits(widthAt, 2ull * count, size)) {
      entry->widths.assign(count + 1, 0);
      for (uint32_t i = 0; i < count; ++i) entry->widths[i] = Le16(record + widthAt + 2 * i);
    }
  }
  if (xlAt != 0 && Fits(xlAt, 6, size)) {
    const uint32_t length = Le16(record + xlAt + 4);
    if (length >= 16 && Fits(xlAt + 6, length, size)) {
      std::memcpy(entry->xlName, record + xlAt + 6, 16);
      const char* marker = reinterpret_cast<const char*>(record + xlAt + 6 + 16);
      const uint32_t extra = length - 16;
      entry->boldSimulated = extra >= 2 && marker[1] == 'B';
      entry->italicSimulated = extra >= 3 && marker[2] == 'I';
    }
  }
  entry->metrics = std::move(metrics);
  entry->ifi = std::move(ifi);
  return true;
}

uint16_t DeviceFont_Width(const DeviceFontEntry& entry, uint8_t code) {
  if (entry.widths.empty()) return 0;
  const IfiFields& f = entry.ifi;
  uint8_t c = code;
  if (c < f.firstChar || c > f.lastChar) c = f.defaultChar;
  if (c < f.firstChar || c > f.lastChar) return 0;
  return entry.widths[c - f.firstChar];
}
