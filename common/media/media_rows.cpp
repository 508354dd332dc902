#include "common/media/media_rows.h"

#include <cstring>

namespace {

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool SameName(const char16_t* a, const char16_t* b, size_t units) {
  for (size_t i = 0; i < units; ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
    if (a[i] == 0) return true;
  }
  return b[units] == 0;
}

const char16_t* FindText(const OptionItem* list, uint32_t value, bool byte) {
  for (const OptionItem* item = list; item != nullptr && item->keyword[0] != '\0'; ++item) {
    const bool match = byte ? item->value == value : static_cast<int32_t>(item->value) == static_cast<int32_t>(value);
    if (match) return item->text;
  }
  return nullptr;
}

}  // namespace

uint32_t ListedInputTrays(const InTrayEntry* trays, const InTrayEntry* out[kMediaListTrays]) {
  uint32_t count = 0;
  for (const InTrayEntry* tray = trays; tray != nullptr && tray->keyword[0] != '\0'; ++tray) {
    if (tray->binId == kMediaAutoTrayId) continue;
    if (count == kMediaListTrays) break;
    out[count++] = tray;
  }
  return count;
}

uint32_t CollectMediaListTrays(const InTrayEntry* trays, const TrayMediaLabel* labels, TrayMediaSlot* table,
                               MediaListTrays* out) {
  const InTrayEntry* listed[kMediaListTrays] = {};
  out->count = ListedInputTrays(trays, listed);
  for (uint32_t k = 0; k < out->count; ++k) {
    const InTrayEntry* tray = listed[k];
    TrayMediaLabel& row = out->rows[k];
    std::memset(&row, 0, sizeof row);
    for (const TrayMediaLabel* label = labels; label != nullptr && label->keyword[0] != '\0'; ++label) {
      if (label->binId == tray->binId) row = *label;
    }
    TrayMediaSlot& slot = table[k];
    std::memset(slot.trayKeyword, 0, sizeof slot.trayKeyword);
    std::memcpy(slot.trayKeyword, tray->keyword, sizeof slot.trayKeyword - 1);
    slot.trayId = tray->binId;
  }
  return out->count;
}

int MediaListColumnOrder(const MediaSwitches& switches, int order[kMediaListColumns]) {
  int n = 0;
  for (int c = 0; c < static_cast<int>(kMediaListColumns); ++c) {
    if (MediaColumnAdmitted(c, switches)) order[n++] = c;
  }
  return n;
}

const char16_t* MediaCellText(int column, const TrayMediaSlot& slot, const MediaTypeLists& lists) {
  const auto word = [](uint16_t v) { return static_cast<uint32_t>(static_cast<int32_t>(static_cast<int16_t>(v))); };
  switch (column) {
    case kColSize: return FindText(lists.sizes, word(slot.paperId), false);
    case kColOrient: return FindText(lists.orientations, word(slot.orientation), false);
    case kColType: return FindText(lists.types, word(slot.mediaType), false);
    case kColWeight: return FindText(lists.weights, word(slot.mediaWeight), false);
    case kColColor: return FindText(lists.colors, word(slot.mediaColor), false);
    case kColHole: return FindText(lists.prePunched, slot.prePunched, true);
    default: return nullptr;
  }
}

bool MediaTrayFlagged(const MediaListTrays& trays, const char16_t* name) {
  constexpr size_t kUnits = sizeof(TrayMediaLabel::label) / sizeof(char16_t);
  for (uint32_t i = 0; i < trays.count && i < kMediaListTrays; ++i) {
    if (SameName(trays.rows[i].label, name, kUnits)) return trays.rows[i].flag != 0;
  }
  return false;
}

uint32_t TrayMediaField(const TrayMediaSlot& slot, int kind) {
  switch (kind) {
    case 0: return slot.paperId;
    case 1: return slot.orientation;
    case 2: return slot.mediaType;
    case 3: return slot.mediaWeight;
    case 4: return slot.mediaColor;
    default: return slot.prePunched;
  }
}

void SetTrayMediaField(TrayMediaSlot* slot, int kind, uint32_t value) {
  switch (kind) {
    case 0: slot->paperId = static_cast<uint16_t>(value); break;
    case 1: slot->orientation = static_cast<uint16_t>(value); break;
    case 2: slot->mediaType = static_cast<uint16_t>(value); break;
    case 3: slot->mediaWeight = static_cast<uint16_t>(value); break;
    case 4: slot->mediaColor = static_cast<uint16_t>(value); break;
    default: slot->prePunched = static_cast<uint8_t>(value); break;
  }
}
