#include "ddproc/caps/device_caps.h"

#include <cstring>
#include <string>

#include "common/qxd/qxd_reader.h"

const char* SelectedOptionValue(const DeviceOptionItem* options, const DevOption* option, const char* keyword) {
  if (options == nullptr || option == nullptr) return nullptr;
  for (const DeviceOptionItem* row = options; row->keyword[0] != '\0'; ++row) {
    if (!QxdFieldEquals(row->keyword, sizeof row->keyword, keyword)) continue;
    if (row->optionIndex >= kDevOptionMaxOptions || row->values == nullptr) return nullptr;
    const uint32_t selected = option->optionValues[row->optionIndex];
    // A stored index beyond the value list selects nothing.
    for (uint32_t i = 0; row->values[i].keyword[0] != '\0'; ++i) {
      if (i == selected) return row->values[i].keyword;
    }
    return nullptr;
  }
  return nullptr;
}

namespace {

bool OptionExists(const DeviceOptionItem* options, const char* keyword) {
  if (options == nullptr) return false;
  for (const DeviceOptionItem* row = options; row->keyword[0] != '\0'; ++row) {
    if (QxdFieldEquals(row->keyword, sizeof row->keyword, keyword)) return true;
  }
  return false;
}

// A tray is left out when its "Op" option exists and selects a value that
// does not begin with "EnaOpInTray".
bool TrayInstalled(const DeviceOptionItem* options, const DevOption* option, const char* trayKeyword) {
  const std::string name = "Op" + std::string(trayKeyword, strnlen(trayKeyword, kKeywordSize));
  if (!OptionExists(options, name.c_str())) return true;
  const char* value = SelectedOptionValue(options, option, name.c_str());
  if (value == nullptr) return false;
  char head[12] = {};
  std::strncpy(head, value, 11);
  return QxdNameEquals(head, "EnaOpInTray");
}

int32_t Bins(const ModelInfo* model, const DeviceOptionItem* options, const DevOption* option, bool names,
             void* output) {
  int32_t count = 0;
  if (model == nullptr || model->inTrays == nullptr) return 0;
  for (const InTrayEntry* tray = model->inTrays; tray->keyword[0] != '\0'; ++tray) {
    if (!TrayInstalled(options, option, tray->keyword)) continue;
    if (output != nullptr) {
      if (names) {
        char16_t* slot = static_cast<char16_t*>(output) + static_cast<size_t>(count) * kBinNameUnits;
        std::memset(slot, 0, kBinNameUnits * sizeof(char16_t));
        for (int i = 0; i < kBinNameUnits - 1 && i < 32 && tray->name[i] != u'\0'; ++i) slot[i] = tray->name[i];
      } else {
        const uint16_t bin = static_cast<uint16_t>(tray->binId);
        std::memcpy(static_cast<uint8_t*>(output) + static_cast<size_t>(count) * sizeof bin, &bin, sizeof bin);
      }
    }
    ++count;
  }
  return count;
}

}  // namespace

bool AnswerDeviceCapability(const ModelInfo* model, const DeviceOptionItem* options, const DevOption* option,
                            uint16_t capability, void* output, int32_t* result) {
  int32_t answer;
  switch (capability) {
    case kCapBins: answer = Bins(model, options, option, false, output); break;
    case kCapBinNames: answer = Bins(model, options, option, true, output); break;
    case kCapDuplex: answer = 1; break;
    case kCapStaple: {
      const char* value = SelectedOptionValue(options, option, "OpOutTrayUnit");
      answer = value != nullptr && !QxdNameEquals(value, "DisOpOutTrayUnit") ? 1 : 0;
      break;
    }
    default: return false;
  }
  if (result != nullptr) *result = answer;
  return true;
}
