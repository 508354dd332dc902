#include "common/records/builtin_dev_option.h"

#include <cstring>

void InitBuiltInDevOption(DevOption* record) {
  if (record == nullptr) return;
  std::memset(record, 0, sizeof *record);
  for (TrayMediaSlot& slot : record->trays) slot.orientation = 1;
  record->displayConstMsg = 1;
}

DevOption& BuiltInDevOption() {
  static DevOption record = [] {
    DevOption r;
    InitBuiltInDevOption(&r);
    return r;
  }();
  return record;
}
