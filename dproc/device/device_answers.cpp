#include "dproc/device/device_answers.h"

#include <cstring>

#include "common/media/media_rows.h"
#include "common/text/bounded_text.h"
#include "dproc/model/device_option_values.h"

namespace {

constexpr const char* kUnknownRows[kTrayAnswerCount] = {
    "MediaTypeList_Size_Unknown",   "MediaTypeList_Orient_Unknown", "MediaTypeList_Type_Unknown",
    "MediaTypeList_Weight_Unknown", "MediaTypeList_Color_Unknown",  "MediaTypeList_Hole_Unknown",
};
constexpr uint32_t kMaxListRows = 4096;

// The terminated text of a 32-byte answer field.
void AnswerText(const char (&field)[32], char (&out)[32]) {
  std::memcpy(out, field, 31);
  out[31] = '\0';
}

const OptionItem* RowByKeyword(const OptionItem* list, const char* keyword) {
  for (uint32_t i = 0; list != nullptr && i < kMaxListRows && list[i].keyword[0] != '\0'; ++i) {
    if (SameIgnoringCase(list[i].keyword, keyword, kKeywordSize)) return &list[i];
  }
  return nullptr;
}

// A list value as its row field keeps it (16 bits, the hole 8).
uint32_t FieldOf(uint32_t value, int kind) { return kind == 5 ? (value & 0xFFu) : (value & 0xFFFFu); }

bool Store(TrayMediaSlot* slot, int kind, uint32_t value) {
  const uint32_t before = TrayMediaField(*slot, kind);
  SetTrayMediaField(slot, kind, value);
  return TrayMediaField(*slot, kind) != before;
}

bool KindTaken(int kind, uint32_t dialogType) {
  if (kind == 3) return dialogType == 1;
  if (kind == 4 || kind == 5) return dialogType != 3;
  return true;
}

}  // namespace

bool ApplyTrayAnswers(TrayMediaSlot* slot, const TrayStatusEntry& entry, const MediaTypeLists& lists,
                      uint32_t dialogType, const TrayMediaSlot& defaults) {
  if (slot == nullptr) return false;
  const OptionItem* tables[kTrayAnswerCount] = {lists.sizes,   lists.orientations, lists.types,
                                                lists.weights, lists.colors,       lists.prePunched};
  bool changed = false;
  for (int kind = 0; kind < kTrayAnswerCount; ++kind) {
    if (!KindTaken(kind, dialogType) || tables[kind] == nullptr) continue;
    char answer[32];
    AnswerText(entry.answers[kind], answer);
    const OptionItem* row = nullptr;
    if (answer[0] == '\0') {
      row = RowByKeyword(tables[kind], kUnknownRows[kind]);
      if (row == nullptr) {
        // The default slot's value, as a field keeps it.
        const uint32_t wanted = TrayMediaField(defaults, kind);
        for (uint32_t i = 0; i < kMaxListRows && tables[kind][i].keyword[0] != '\0'; ++i) {
          if (FieldOf(tables[kind][i].value, kind) == wanted) {
            row = &tables[kind][i];
            break;
          }
        }
      }
    } else {
      row = RowByKeyword(tables[kind], answer);
    }
    if (row != nullptr && Store(slot, kind, row->value)) changed = true;
  }
  return changed;
}

bool ApplyOptionAnswers(DevOption* record, const DeviceOptionItem* list, const DevOptionEntry* entries,
                        uint32_t count) {
  if (record == nullptr || list == nullptr || entries == nullptr) return false;
  bool changed = false;
  for (uint32_t i = 0; i < count && i < kDevOptionMaxOptions && list[i].keyword[0] != '\0'; ++i) {
    const DeviceOptionItem& option = list[i];
    if (option.optionIndex >= kDevOptionMaxOptions) continue;
    char answer[32];
    AnswerText(entries[i].value, answer);
    if (answer[0] == '\0') continue;
    const uint32_t values = DeviceOptionValueCount(&option);
    for (uint32_t place = 0; place < values; ++place) {
      if (!SameIgnoringCase(option.values[place].keyword, answer, kKeywordSize)) continue;
      if (record->optionValues[option.optionIndex] != place) {
        record->optionValues[option.optionIndex] = place;
        changed = true;
      }
      break;
    }
  }
  return changed;
}

bool ReportsAnotherMachine(const DevOption& record, const DeviceOptionItem* list, const DevOptionEntry* entries,
                           uint32_t count) {
  const DeviceOptionItem* machine = FindDeviceOptionByName(list, "OpMachine");
  if (machine == nullptr || entries == nullptr || machine->optionIndex >= kDevOptionMaxOptions) return false;
  const uint32_t place = record.optionValues[machine->optionIndex];
  const char* current = place < DeviceOptionValueCount(machine) ? machine->values[place].keyword : "";
  for (uint32_t i = 0; i < count && i < kDevOptionMaxOptions && list[i].keyword[0] != '\0'; ++i) {
    if (&list[i] != machine) continue;
    char answer[32];
    AnswerText(entries[i].value, answer);
    // A device that does not name its machine is not taken for another.
    return answer[0] != '\0' && !SameIgnoringCase(answer, current, 31);
  }
  return false;
}

void ResetDevicePart(DevOption* record, const DevOption& defaults) {
  if (record == nullptr) return;
  std::memcpy(record->trays, defaults.trays, sizeof record->trays);
  record->encryptionKey = defaults.encryptionKey;
  std::memcpy(record->encryptedValue, defaults.encryptedValue, sizeof record->encryptedValue);
  record->encryptedValueLength = defaults.encryptedValueLength;
  record->optionCount = defaults.optionCount;
  std::memcpy(record->optionValues, defaults.optionValues, sizeof record->optionValues);
}
