#include "dproc/dialogs/hint_texts.h"

#include "dproc/constraints/hint_text.h"
#include "dproc/model/disp_strings.h"

uint32_t HintPageOf(uint32_t pageId, uint32_t overlayManagerType) {
  if (pageId == 2225) return 115;
  if (pageId == 2516 || pageId == 2517) return overlayManagerType == 2 ? 194 : 127;
  return pageId;
}

const char16_t* HintTableEntry(const char16_t* table, uint32_t index) {
  if (table == nullptr || index >= kMessageSlots) return nullptr;
  return table + static_cast<size_t>(index) * kMessageUnits;
}

bool AppendListedHints(const PageHintList* row, const char16_t* table, char16_t* text, size_t capacity) {
  if (row == nullptr || row->hasHints == 0) return false;
  const int32_t count = row->count < 0 ? 0 : row->count > static_cast<int32_t>(kPageHintCapacity)
                                                  ? static_cast<int32_t>(kPageHintCapacity)
                                                  : row->count;
  for (int32_t i = 0; i < count && row->hints[i] != 0; ++i) {
    const char16_t* entry = HintTableEntry(table, row->hints[i]);
    if (entry == nullptr) continue;
    // An entry fills its whole slot when it has no terminator of its own.
    char16_t line[kMessageUnits + 1] = {};
    for (size_t k = 0; k < kMessageUnits && entry[k] != 0; ++k) line[k] = entry[k];
    AppendHintLine(text, capacity, line);
  }
  return true;
}

void HintTextForEdit(const char16_t* text, char16_t* out, size_t capacity) {
  if (capacity == 0) return;
  size_t at = 0;
  for (const char16_t* p = text; p != nullptr && *p != 0; ++p) {
    if (p[0] == u'\\' && p[1] == u'n') {
      if (at + 2 >= capacity) break;
      out[at++] = u'\r';
      out[at++] = u'\n';
      ++p;
      continue;
    }
    if (at + 1 >= capacity) break;
    out[at++] = *p;
  }
  out[at] = 0;
}
