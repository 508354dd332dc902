// The three Media Type Setting dialogs as data: which template each model
// type opens, which tray values each edits, and for every value its tray
// field, media list, drop list, label and constraint feature.  Also the
// copy of the edited fields that Cancel writes back.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/media/media_columns.h"
#include "common/qxd/paper_tables.h"
#include "common/records/settings_records.h"

// One editable value of a tray.
struct MediaValueKind {
  int column;              // kColSize .. kColHole of the media list
  uint16_t comboId;
  uint16_t labelId;
  uint32_t helpId;         // of the drop list and its label
  const char* feature;     // the constraint rules' feature keyword
};

inline constexpr size_t kMediaValueKinds = 6;
// Size, orientation, type, weight, colour, hole, in this order.
const MediaValueKind* MediaValueKinds();
// The kind edited through drop list `comboId`, or null.
const MediaValueKind* MediaValueKindOfCombo(uint16_t comboId);

struct MediaTypeVariant {
  uint16_t templateId;     // 155, 165, 166
  uint32_t modelType;      // "Dlg_MediaType" TYPE1..TYPE3
  uint32_t kinds;          // bit i: MediaValueKinds()[i] is edited
};
// The variant a model's media-type dialog type opens; null for any type
// other than 1, 2 or 3.
const MediaTypeVariant* MediaTypeVariantForModelType(uint32_t modelType);
const MediaTypeVariant* MediaTypeVariantForTemplate(uint32_t templateId);
bool VariantEdits(const MediaTypeVariant& variant, int column);

// A tray's field as the lists compare it: 16-bit fields widened with their
// sign (so the unknown rows' -1 matches), the hole byte without.
int32_t TrayFieldValue(const TrayMediaSlot& slot, int column);
// Stores a list row's value into the field: cut to 16 bits, to 8 for the hole.
void SetTrayFieldValue(TrayMediaSlot* slot, int column, uint32_t value);
// The media list of a value kind; null when the lists have none.
const OptionItem* MediaListOf(const MediaTypeLists& lists, int column);
// The index of the first row of `list` whose value equals the field, or -1.
int MatchingRow(const OptionItem* list, const TrayMediaSlot& slot, int column);

// The fields a variant edits, of all ten trays, as they were when the
// dialog opened; keywords and bin ids are not part of it.
struct MediaTypeSnapshot {
  TrayMediaSlot trays[kDevOptionTraySlots];
};
void TakeMediaSnapshot(const DevOption& option, MediaTypeSnapshot* snapshot);
// Writes back the fields the variant edits; the rest stays as it is.
void RestoreMediaSnapshot(const MediaTypeVariant& variant, const MediaTypeSnapshot& snapshot, DevOption* option);

// Whether the model shows the drop list (and label) of a value kind in a
// variant: weight needs "MediaWeight", colour "MediaColor", hole
// "MediaPrePunched"; size, orientation and type always.
bool MediaComboShown(const MediaTypeVariant& variant, int column, const MediaSwitches& switches);
