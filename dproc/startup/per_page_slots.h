// Working slots of the per-page settings lists: ten lists, each with one
// slot per line the per-page list view can edit.  A slot holds one per-page
// entry and a mark per constraint rule.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/records/inter_sheet_list.h"
#include "common/qxd/model_info.h"

inline constexpr size_t kPerPageSlotLists = 10;

struct PerPageSlot {
  InterSheetEntry* entry;  // zero-filled, one per-page entry
  uint32_t* ruleMarks;     // one zero-filled word per constraint rule, or null without rules
  uint32_t counters[2];
};

struct PerPageSlotList {
  PerPageSlot* slots;
  uint32_t count;
};
extern PerPageSlotList g_perPageSlots[kPerPageSlotLists];

// Allocates the slots for the model's per-page edit-line count and the
// number of constraint rules; nothing without a model record.  A block that
// cannot be had stays null.
void AllocatePerPageSlots(const ModelInfo* model, uint32_t ruleCount);
// Frees every slot's blocks and the slots.
void FreePerPageSlots();
