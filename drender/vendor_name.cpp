// The maker's name of the description.
#include "drender/vendor_name.h"

#include <cstdint>
#include <cstring>

namespace {
constexpr uint32_t kKeySize = 32;
constexpr uint32_t kRowSize = kKeySize + kVendorValueSize;  // 288
}  // namespace

bool Qxd_FindVendorName(QxdContext* description, char value[kVendorValueSize]) {
  value[0] = 0;
  if (!description) return false;
  uint32_t section = QxdFindSection(description, "RegistryKeySetting");
  QxdListHeader list;
  uint32_t table = 0, head[3];
  if (!section || !QxdReadListHeader(description, section + kQxdListHeaderAt, &list) || list.count == 0 ||
      !QxdReadIndexEntry(description, list, 0, &table) || !QxdReadBytes(description, table, sizeof head, head)) {
    return false;
  }
  // A count of 0 or less names no rows; rows must lie inside the file.
  int32_t count = static_cast<int32_t>(head[0]);
  if (count <= 0 || !QxdArrayFits(description, head[2], static_cast<uint32_t>(count), kRowSize)) return false;
  bool found = false;
  for (int32_t i = 0; i < count; ++i) {
    char row[kRowSize];
    if (!QxdReadBytes(description, head[2] + kRowSize * static_cast<uint32_t>(i), kRowSize, row)) break;
    if (!QxdFieldEquals(row, kKeySize, "VendorName")) continue;
    size_t n = strnlen(row + kKeySize, kVendorValueSize - 1);
    std::memcpy(value, row + kKeySize, n);
    value[n] = 0;
    found = true;
  }
  return found;
}
