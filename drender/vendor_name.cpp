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
  // A pair table whose rows carry a 256-byte value.
  QxdPairTable table;
  if (!QxdFindPairTable(description, "RegistryKeySetting", &table) || table.count == 0 ||
      !QxdArrayFits(description, table.first, table.count, kRowSize)) {
    return false;
  }
  const uint32_t count = table.count;
  bool found = false;
  for (uint32_t i = 0; i < count; ++i) {
    char row[kRowSize];
    if (!QxdReadBytes(description, table.first + kRowSize * i, kRowSize, row)) break;
    if (!QxdFieldEquals(row, kKeySize, "VendorName")) continue;
    size_t n = strnlen(row + kKeySize, kVendorValueSize - 1);
    std::memcpy(value, row + kKeySize, n);
    value[n] = 0;
    found = true;
  }
  return found;
}
