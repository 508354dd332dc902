#include "dproc/model/device_option_values.h"

#include <cstring>

namespace {

// Keywords fill their 32-byte fields without a terminator at most.
bool KeywordIs(const char (&field)[kKeywordSize], const char* name) {
  size_t n = strnlen(field, kKeywordSize);
  return std::strlen(name) == n && std::memcmp(field, name, n) == 0;
}

}  // namespace

bool IsDeviceOptionValue(const DevOption* record, const DeviceOptionItem* list, const char* option,
                         const char* value) {
  if (record == nullptr || list == nullptr || option == nullptr || value == nullptr) return false;
  for (const DeviceOptionItem* row = list; row->keyword[0] != '\0'; ++row) {
    if (!KeywordIs(row->keyword, option)) continue;
    if (row->optionIndex >= kDevOptionMaxOptions || row->values == nullptr) return false;
    const uint32_t selected = record->optionValues[row->optionIndex];
    for (uint32_t place = 0; row->values[place].keyword[0] != '\0'; ++place) {
      if (KeywordIs(row->values[place].keyword, value)) return place == selected;
    }
    return false;
  }
  return false;
}

const OptionItem* SelectedDeviceOptionValue(const DevOption* record, const DeviceOptionItem* list, const char* option,
                                            uint32_t* place) {
  if (record == nullptr || list == nullptr || option == nullptr) return nullptr;
  for (const DeviceOptionItem* row = list; row->keyword[0] != '\0'; ++row) {
    if (!KeywordIs(row->keyword, option)) continue;
    if (row->optionIndex >= kDevOptionMaxOptions || row->values == nullptr) return nullptr;
    const uint32_t selected = record->optionValues[row->optionIndex];
    for (uint32_t i = 0; row->values[i].keyword[0] != '\0'; ++i) {
      if (i != selected) continue;
      if (place != nullptr) *place = i;
      return &row->values[i];
    }
    return nullptr;
  }
  return nullptr;
}

bool IsInterServerAuthentication(const ModelInfo* model, const DevOption* record, const DeviceOptionItem* list) {
  if (model == nullptr || model->features[kMfInterimAuthentic] == 0) return false;
  return IsDeviceOptionValue(record, list, "DevUserAuthentication", "DevUserAuthentic_InterSV");
}

namespace {

bool BeginsWithIgnoringCase(const char* text, size_t capacity, const char* prefix) {
  const size_t n = std::strlen(prefix);
  if (strnlen(text, capacity) < n) return false;
  for (size_t i = 0; i < n; ++i) {
    char a = text[i], b = prefix[i];
    if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
    if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
    if (a != b) return false;
  }
  return true;
}

// The number after "OpInTray" as a C atoi reads it; none counts as 0.
int TrayNumber(const char* keyword, size_t capacity) {
  const size_t length = strnlen(keyword, capacity);
  int n = 0;
  for (size_t i = 8; i < length && keyword[i] >= '0' && keyword[i] <= '9' && n < 100000; ++i) {
    n = n * 10 + (keyword[i] - '0');
  }
  return n;
}

bool SlotUsable(const DeviceOptionItem* option) {
  return option != nullptr && option->optionIndex < kDevOptionMaxOptions && option->values != nullptr;
}

}  // namespace

uint32_t DeviceOptionValueCount(const DeviceOptionItem* option) {
  if (option == nullptr || option->values == nullptr) return 0;
  uint32_t n = 0;
  while (n < kDevOptionMaxOptions && option->values[n].keyword[0] != '\0') ++n;
  return n;
}

const DeviceOptionItem* FindDeviceOptionBySlot(const DeviceOptionItem* list, uint32_t slot) {
  if (list == nullptr) return nullptr;
  for (uint32_t i = 0; i < kDevOptionMaxOptions && list[i].keyword[0] != '\0'; ++i) {
    if (list[i].optionIndex == slot) return &list[i];
  }
  return nullptr;
}

const DeviceOptionItem* FindDeviceOptionByName(const DeviceOptionItem* list, const char* keyword) {
  if (list == nullptr || keyword == nullptr) return nullptr;
  const size_t n = std::strlen(keyword);
  for (uint32_t i = 0; i < kDevOptionMaxOptions && list[i].keyword[0] != '\0'; ++i) {
    if (strnlen(list[i].keyword, kKeywordSize) == n && BeginsWithIgnoringCase(list[i].keyword, kKeywordSize, keyword)) {
      return &list[i];
    }
  }
  return nullptr;
}

int32_t FirstDeviceOptionValueWith(const DeviceOptionItem* option, const char* prefix) {
  const uint32_t count = DeviceOptionValueCount(option);
  for (uint32_t i = 0; i < count; ++i) {
    if (BeginsWithIgnoringCase(option->values[i].keyword, kKeywordSize, prefix)) return static_cast<int32_t>(i);
  }
  return -1;
}

void ChainInputTrayOptions(DevOption* record, const DeviceOptionItem* list, const char* changed,
                           const char* valueKeyword) {
  if (record == nullptr || list == nullptr || changed == nullptr || valueKeyword == nullptr) return;
  const int n = TrayNumber(changed, kKeywordSize);
  const bool enable = BeginsWithIgnoringCase(valueKeyword, kKeywordSize, "Ena");
  for (uint32_t i = 0; i < kDevOptionMaxOptions && list[i].keyword[0] != '\0'; ++i) {
    const DeviceOptionItem& option = list[i];
    if (!SlotUsable(&option) || !BeginsWithIgnoringCase(option.keyword, kKeywordSize, "OpInTray")) continue;
    const int m = TrayNumber(option.keyword, kKeywordSize);
    if (enable ? m >= n : m <= n) continue;
    const int32_t place = FirstDeviceOptionValueWith(&option, enable ? "Ena" : "Dis");
    if (place >= 0) record->optionValues[option.optionIndex] = static_cast<uint32_t>(place);
  }
}

bool InstalledOptionPlaceFromTree(const DeviceOptionItem* option, bool memory, long selection, uint32_t* place) {
  if (!SlotUsable(option) || place == nullptr) return false;
  if (memory) {
    // The tree's selection indexes the option's values only when it names one.
    if (selection < 0 || static_cast<uint32_t>(selection) >= DeviceOptionValueCount(option)) return false;
    *place = static_cast<uint32_t>(selection);
    return true;
  }
  const int32_t found = FirstDeviceOptionValueWith(option, selection == 1 ? "Ena" : "Dis");
  if (found < 0) return false;
  *place = static_cast<uint32_t>(found);
  return true;
}
