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
