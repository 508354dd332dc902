#include "dproc/startup/sheet_tab_tips.h"

#include <cstring>

TabTipEntry g_sheetTabTips[kSheetTabTipRows + 1] = {
    {"Property_FAX", "Prop_Fax", {}, "Tab_Prop_Fax", {}},
    {"Property_1", "Prop_Basic", {}, "Tab_Prop_Basic", {}},
    {"Property_2", "Prop_Layout", {}, "Tab_Prop_Layout", {}},
    {"Property_12", "Prop_Finisher", {}, "Tab_Prop_FinishingPage", {}},
    {"Property_3", "Prop_CoverPage", {}, "Tab_Prop_CoverPage", {}},
    {"Property_4", "Prop_WatermarksForms", {}, "Tab_Prop_WatermarksForms", {}},
    {"Property_6", "Prop_Quality", {}, "Tab_Prop_Quality", {}},
    {"Property_13", "Prop_Initialize", {}, "Tab_Prop_Initialize", {}},
    {},
};

namespace {

size_t WideLength(const char16_t* text) {
  size_t n = 0;
  while (text[n] != 0) ++n;
  return n;
}

// Appends `text` to `dst` (capacity in units, terminator included), cut to
// the room left.
void AppendCut(char16_t* dst, size_t capacity, const char16_t* text) {
  size_t used = WideLength(dst);
  size_t room = capacity - 1 - used;
  size_t length = WideLength(text);
  size_t copy = length < room ? length : room;
  std::memcpy(dst + used, text, copy * sizeof(char16_t));
  dst[used + copy] = 0;
}

void LoadTitle(QxdContext* ctx, TabTipEntry* row) {
  QxdChainWalk walk;
  QxdEntry entry;
  if (!QxdBeginChain(ctx, row->section, &walk)) return;
  while (QxdNextChainEntry(ctx, &walk, &entry)) {
    char key[kQxdTextWork];
    if (!QxdReadString(ctx, entry.keyOffset, key, sizeof key)) continue;
    key[31] = '\0';  // keys compare over at most 31 characters
    if (!QxdNameEquals(key, row->titleKey)) continue;
    char16_t title[sizeof row->title / sizeof row->title[0]] = {};
    QxdReadWideString(ctx, entry.textOffset, title, sizeof row->title / sizeof row->title[0]);
    std::memcpy(row->title, title, sizeof title);
    return;
  }
}

void LoadTip(QxdContext* ctx, TabTipEntry* row) {
  QxdChainWalk walk;
  QxdEntry entry;
  if (!QxdBeginChain(ctx, row->tipSection, &walk)) return;
  const size_t capacity = sizeof row->tipText / sizeof row->tipText[0];
  row->tipText[0] = 0;
  while (QxdNextChainEntry(ctx, &walk, &entry)) {
    char16_t line[256] = {};
    if (!QxdReadWideString(ctx, entry.textOffset, line, 256)) continue;
    if (row->tipText[0] != 0) AppendCut(row->tipText, capacity, u"\r\n");
    AppendCut(row->tipText, capacity, line);
  }
}

}  // namespace

void LoadSheetTabTipTexts(QxdContext* ctx) {
  for (TabTipEntry* row = g_sheetTabTips; row->section[0] != '\0'; ++row) LoadTitle(ctx, row);
  for (TabTipEntry* row = g_sheetTabTips; row->section[0] != '\0'; ++row) LoadTip(ctx, row);
}
