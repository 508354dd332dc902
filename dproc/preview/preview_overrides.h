// The paper preview's overrides: while a change of the layout settings is
// being checked (the constraint pass may be asking the user), the sheet or
// dialog keeps the old value here and the preview draws with it, so the
// picture never shows a value that may yet be refused.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/records/doc_fields.h"
#include "common/records/sheet_session.h"
#include "dproc/sheets/ui_state_layout.h"

// While a flag is on the paper preview draws with the value beside it.
struct LayoutPreviewOverrides {
  uint8_t nupOn, nupValue;          // "Nup_op"
  uint8_t styleOn, styleValue;      // "NupStyle"
  uint8_t nupFlagOn, nupFlagValue;  // "Nup"
  uint8_t combinationOn, combinationValue;
  uint8_t combinationKindOn, combinationKindValue;
  uint8_t doubleSidesOn, doubleSidesValue;
  uint8_t bindingEdgeOn, bindingEdgeValue;
};
static_assert(sizeof(LayoutPreviewOverrides) <= kUiStateLayoutOverridesBytes);

inline LayoutPreviewOverrides* LayoutOverridesOf(SheetUiState* state) {
  return state != nullptr ? reinterpret_cast<LayoutPreviewOverrides*>(state->bytes + kUiStateLayoutOverridesAt)
                          : nullptr;
}

// The slots by number, for a binding that names one (0: none).
enum PreviewSlot : uint8_t {
  kPreviewSlotNupKind = 1, kPreviewSlotNupStyle, kPreviewSlotNup, kPreviewSlotCombination,
  kPreviewSlotCombinationKind, kPreviewSlotDoubleSides, kPreviewSlotBindingEdge,
};
// The flag and value of slot `slot` (1 to 7), or null.
inline uint8_t* PreviewSlotOf(LayoutPreviewOverrides* o, uint8_t slot) {
  if (o == nullptr || slot == 0 || slot > kPreviewSlotBindingEdge) return nullptr;
  return &o->nupOn + 2 * (slot - 1);
}
static_assert(offsetof(LayoutPreviewOverrides, bindingEdgeOn) == 2 * (kPreviewSlotBindingEdge - 1));

// Puts every value whose flag is on into the settings; true when one was.
inline bool ApplyPreviewOverrides(const LayoutPreviewOverrides& o, DocFields& f) {
  const struct {
    uint8_t on, value;
    uint8_t* field;
  } slots[] = {{o.nupOn, o.nupValue, &f.nNup},
               {o.styleOn, o.styleValue, &f.nPageLayout},
               {o.nupFlagOn, o.nupFlagValue, &f.bNup},
               {o.combinationOn, o.combinationValue, &f.bLayout},
               {o.combinationKindOn, o.combinationKindValue, &f.nLayoutMode},
               {o.doubleSidesOn, o.doubleSidesValue, &f.nDuplex},
               {o.bindingEdgeOn, o.bindingEdgeValue, &f.nBinding}};
  bool any = false;
  for (const auto& slot : slots) {
    if (slot.on == 0) continue;
    *slot.field = slot.value;
    any = true;
  }
  return any;
}
