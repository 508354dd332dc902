// The maker's name of the description.
#include "drender/model/vendor_name.h"

#include <cstring>

bool Rdc_FindVendorName(QxdContext* description, char value[kVendorValueSize]) {
  value[0] = 0;
  if (!description) return false;
  QxdPairTable table;
  if (!QxdFindPairTable(description, "RegistryKeySetting", &table)) return false;
  // Every row of the name replaces the one before: the last one counts.
  bool found = false;
  QxdLongPair pair;
  for (uint32_t i = 0; QxdReadLongPair(description, table, i, &pair); ++i) {
    if (!QxdNameEquals(pair.name, "VendorName")) continue;
    size_t n = strnlen(pair.value, kVendorValueSize - 1);
    std::memcpy(value, pair.value, n);
    value[n] = 0;
    found = true;
  }
  return found;
}
