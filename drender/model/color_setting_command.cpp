// The colour-setting command table.
#include "drender/model/color_setting_command.h"
#include "common/qxd/item_layouts.h"

#include <cstdlib>
#include <cstring>

#include "common/qxd/model_list_reader.h"

namespace {

constexpr uint32_t kEntrySize = kColorSettingEntrySize;
constexpr uint32_t kPairSize = kColorSettingPairSize;

// A text field of the file cut to 31 characters and terminated.
void CopyField(char (&to)[32], const char* from) {
  size_t n = strnlen(from, 31);
  std::memcpy(to, from, n);
  to[n] = 0;
}

}  // namespace

ColorSettingCommand* Rdc_BuildColorSettingCommand(QxdContext* description) {
  if (!description) return nullptr;
  uint32_t section = QxdFindSection(description, "ColorSettingCommand");
  QxdSectionHeader header;
  QxdListHeader list;
  if (!QxdReadSectionHeader(description, section, &header) ||
      !QxdReadListHeader(description, section + kQxdListHeaderAt, &list)) {
    return nullptr;
  }
  // The entry positions must all be in the file before the count sizes
  // anything.
  uint32_t count = QxdArrayFits(description, list.indexOffset, list.count, 4) ? list.count : 0;
  auto* table = static_cast<ColorSettingCommand*>(std::calloc(count + 1, sizeof(ColorSettingCommand)));
  if (!table) return nullptr;
  uint32_t row = 0;
  // Rows may point at the same pairs; together they hold no more pairs than
  // the file has room for, and a row beyond that gets none.
  RowBudget budget = FileRowBudget(description);
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t at = 0;
    uint8_t entry[kEntrySize];
    if (!QxdReadIndexEntry(description, list, i, &at) || !QxdReadBytes(description, at, kEntrySize, entry)) continue;
    uint32_t pairCount, pairAt;
    std::memcpy(&pairCount, entry + kColorSettingPairCountAt, 4);
    std::memcpy(&pairAt, entry + kColorSettingPairsAt, 4);
    // A row without a name can never be chosen, and would end the table.
    if (entry[0] == 0) continue;
    ColorSettingCommand& out = table[row++];
    CopyField(out.name, reinterpret_cast<const char*>(entry));
    if (!QxdArrayFits(description, pairAt, pairCount, kPairSize) || !TakeRows(&budget, pairCount, kPairSize)) {
      pairCount = 0;
    }
    out.pairs = static_cast<ColorCommandPair*>(std::calloc(pairCount + 1, sizeof(ColorCommandPair)));
    if (!out.pairs) continue;
    uint32_t kept = 0;
    for (uint32_t j = 0; j < pairCount; ++j) {
      char pair[kPairSize];
      if (!QxdReadBytes(description, pairAt + kPairSize * j, kPairSize, pair)) continue;
      CopyField(out.pairs[kept].key, pair);
      CopyField(out.pairs[kept].value, pair + kColorSettingPairValueAt);
      // A pair with an empty key would end the list early; it names nothing.
      if (out.pairs[kept].key[0]) ++kept;
    }
    std::memset(&out.pairs[kept], 0, sizeof(ColorCommandPair));
  }
  return table;
}

void Rdc_FreeColorSettingCommand(ColorSettingCommand* table) {
  if (!table) return;
  for (ColorSettingCommand* row = table; row->name[0]; ++row) std::free(row->pairs);
  std::free(table);
}

const ColorSettingCommand* Rdc_FindColorSetting(const ColorSettingCommand* table, const char* name) {
  if (!table || !name) return nullptr;
  for (const ColorSettingCommand* row = table; row->name[0]; ++row) {
    if (std::strcmp(row->name, name) == 0) return row;
  }
  return nullptr;
}
