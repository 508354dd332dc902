#include "ddproc/dialogs/media_type_variants.h"

namespace {

constexpr MediaValueKind kKinds[kMediaValueKinds] = {
    {kColSize, 1860, 1859, 7330, "MediaType_Size"},
    {kColOrient, 1862, 1861, 7340, "MediaType_Orientation"},
    {kColType, 1003, 1005, 7350, "MediaType_Paper"},
    {kColWeight, 1086, 1084, 7360, "MediaType_Weight"},
    {kColColor, 1091, 1089, 7370, "MediaType_Color"},
    {kColHole, 1094, 1097, 7380, "MediaType_Hole"},
};

constexpr uint32_t Bit(int column) { return 1u << (column - kColSize); }

constexpr MediaTypeVariant kVariants[] = {
    {155, 1, Bit(kColSize) | Bit(kColOrient) | Bit(kColType) | Bit(kColWeight) | Bit(kColColor) | Bit(kColHole)},
    {165, 2, Bit(kColSize) | Bit(kColOrient) | Bit(kColType) | Bit(kColColor) | Bit(kColHole)},
    {166, 3, Bit(kColSize) | Bit(kColOrient) | Bit(kColType)},
};

}  // namespace

const MediaValueKind* MediaValueKinds() { return kKinds; }

const MediaValueKind* MediaValueKindOfCombo(uint16_t comboId) {
  for (const MediaValueKind& kind : kKinds) {
    if (kind.comboId == comboId) return &kind;
  }
  return nullptr;
}

const MediaTypeVariant* MediaTypeVariantForModelType(uint32_t modelType) {
  for (const MediaTypeVariant& v : kVariants) {
    if (v.modelType == modelType) return &v;
  }
  return nullptr;
}

const MediaTypeVariant* MediaTypeVariantForTemplate(uint32_t templateId) {
  for (const MediaTypeVariant& v : kVariants) {
    if (v.templateId == templateId) return &v;
  }
  return nullptr;
}

bool VariantEdits(const MediaTypeVariant& variant, int column) {
  return column >= kColSize && column <= kColHole && (variant.kinds & Bit(column)) != 0;
}

int32_t TrayFieldValue(const TrayMediaSlot& slot, int column) {
  switch (column) {
    case kColSize: return static_cast<int16_t>(slot.paperId);
    case kColOrient: return static_cast<int16_t>(slot.orientation);
    case kColType: return static_cast<int16_t>(slot.mediaType);
    case kColWeight: return static_cast<int16_t>(slot.mediaWeight);
    case kColColor: return static_cast<int16_t>(slot.mediaColor);
    case kColHole: return slot.prePunched;
    default: return 0;
  }
}

void SetTrayFieldValue(TrayMediaSlot* slot, int column, uint32_t value) {
  const auto word = static_cast<uint16_t>(value);
  switch (column) {
    case kColSize: slot->paperId = word; break;
    case kColOrient: slot->orientation = word; break;
    case kColType: slot->mediaType = word; break;
    case kColWeight: slot->mediaWeight = word; break;
    case kColColor: slot->mediaColor = word; break;
    case kColHole: slot->prePunched = static_cast<uint8_t>(value); break;
    default: break;
  }
}

const OptionItem* MediaListOf(const MediaTypeLists& lists, int column) {
  switch (column) {
    case kColSize: return lists.sizes;
    case kColOrient: return lists.orientations;
    case kColType: return lists.types;
    case kColWeight: return lists.weights;
    case kColColor: return lists.colors;
    case kColHole: return lists.prePunched;
    default: return nullptr;
  }
}

int MatchingRow(const OptionItem* list, const TrayMediaSlot& slot, int column) {
  const int32_t field = TrayFieldValue(slot, column);
  int index = 0;
  for (const OptionItem* row = list; row != nullptr && row->keyword[0] != '\0'; ++row, ++index) {
    if (static_cast<int32_t>(row->value) == field) return index;
  }
  return -1;
}

void TakeMediaSnapshot(const DevOption& option, MediaTypeSnapshot* snapshot) {
  for (uint32_t i = 0; i < kDevOptionTraySlots; ++i) snapshot->trays[i] = option.trays[i];
}

void RestoreMediaSnapshot(const MediaTypeVariant& variant, const MediaTypeSnapshot& snapshot, DevOption* option) {
  for (uint32_t i = 0; i < kDevOptionTraySlots; ++i) {
    for (const MediaValueKind& kind : kKinds) {
      if (!VariantEdits(variant, kind.column)) continue;
      SetTrayFieldValue(&option->trays[i], kind.column,
                        static_cast<uint32_t>(TrayFieldValue(snapshot.trays[i], kind.column)));
    }
  }
}

bool MediaComboShown(const MediaTypeVariant& variant, int column, const MediaSwitches& switches) {
  if (!VariantEdits(variant, column)) return false;
  switch (column) {
    case kColWeight: return switches.weight;
    case kColColor: return switches.color;
    case kColHole: return switches.prePunched;
    default: return true;
  }
}
