#include "rindfnt/font_records.h"

#include <cstring>

#include "common/qxd/qxd_reader.h"

namespace {

uint32_t Read32(const uint8_t* at) {
  return uint32_t(at[0]) | (uint32_t(at[1]) << 8) | (uint32_t(at[2]) << 16) | (uint32_t(at[3]) << 24);
}

}  // namespace

bool FontRecord_ReadNarrow(const uint8_t* record, uint32_t size, XLFontListEntry* entry) {
  if (record == nullptr || size < 43) return false;
  const uint32_t offset = Read32(record + 39);
  if (offset >= size) return false;
  std::memset(entry->name, 0, sizeof entry->name);
  uint32_t length = 0;
  while (length < 32 && offset + length < size && record[offset + length] != 0) ++length;
  if (offset + length >= size && length < 32) return false;  // no terminator inside the record
  std::memcpy(entry->name, record + offset, length);
  entry->kind = record[19];
  return true;
}

bool FontRecord_ReadWide(const uint8_t* record, uint32_t size, XLFontListEntry* entry) {
  if (record == nullptr || size < 12) return false;
  const uint32_t block = Read32(record + 8);
  if (block > size || size - block < 48) return false;
  const uint32_t blockSize = Read32(record + block);
  if (blockSize < 48 || blockSize > size - block) return false;
  const uint8_t* b = record + block;
  const uint32_t name = Read32(b + 8);
  if (name >= blockSize) return false;
  const uint8_t kind = b[44];
  std::memset(entry->name, 0, sizeof entry->name);
  for (uint32_t i = 0; i < 32; ++i) {
    const uint32_t at = name + 2 * i;
    if (at + 2 > blockSize) return false;  // no terminator inside the block
    uint16_t unit = uint16_t(b[at] | (b[at + 1] << 8));
    if (unit == 0) break;
    if (kind == 2) unit &= 0x0FFF;
    entry->name[2 * i] = uint8_t(unit);
    entry->name[2 * i + 1] = uint8_t(unit >> 8);
  }
  entry->kind = kind;
  return true;
}

bool FontFilter_Lists(const std::vector<FontFilterEntry>& filter, const char* face) {
  for (const FontFilterEntry& entry : filter) {
    if (QxdNameEquals(entry.name, face)) return entry.enabled != 0;
  }
  return true;
}
