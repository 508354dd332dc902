#include "dproc/startup/per_page_slots.h"

#include <cstdlib>

PerPageSlotList g_perPageSlots[kPerPageSlotLists] = {};

namespace {

// The model loader keeps the edit-line count within these.
constexpr uint32_t kMinEditLines = 20;
constexpr uint32_t kMaxEditLines = 256;

}  // namespace

void AllocatePerPageSlots(const ModelInfo* model, uint32_t ruleCount) {
  if (model == nullptr) return;
  uint32_t lines = model->features[kMfPerPageEditLines];
  if (lines < kMinEditLines) lines = kMinEditLines;
  if (lines > kMaxEditLines) lines = kMaxEditLines;
  for (PerPageSlotList& list : g_perPageSlots) {
    list.slots = static_cast<PerPageSlot*>(std::calloc(lines, sizeof(PerPageSlot)));
    if (list.slots == nullptr) continue;
    list.count = lines;
    for (uint32_t i = 0; i < lines; ++i) {
      PerPageSlot& slot = list.slots[i];
      slot.entry = static_cast<InterSheetEntry*>(std::calloc(1, sizeof(InterSheetEntry)));
      slot.ruleMarks = ruleCount != 0 ? static_cast<uint32_t*>(std::calloc(ruleCount, sizeof(uint32_t))) : nullptr;
    }
  }
}

void FreePerPageSlots() {
  for (PerPageSlotList& list : g_perPageSlots) {
    for (uint32_t i = 0; list.slots != nullptr && i < list.count; ++i) {
      std::free(list.slots[i].entry);
      std::free(list.slots[i].ruleMarks);
    }
    std::free(list.slots);
    list = PerPageSlotList{};
  }
}
