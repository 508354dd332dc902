#include "dproc/preview/view_toggle.h"

#include <cstring>

const char* ViewToggleKey(int32_t pageId, uint8_t viewFlag) {
  if (viewFlag == 0) return "ViewPrinter";
  return (pageId == 105 || pageId == 196 || pageId == 2531) ? "ViewQuality" : "ViewPaper";
}

const char16_t* FindViewToggleText(const DispStringItem* table, const char* key) {
  if (table == nullptr || key == nullptr) return nullptr;
  for (const DispStringItem* row = table; row->keyword[0] != '\0' || row->controlIds[0] != 0; ++row) {
    bool shown = false;
    for (int i = 0; i < kDispStringIds && row->controlIds[i] != 0; ++i) shown |= row->controlIds[i] == kViewToggleControl;
    if (shown && std::strncmp(row->keyword, key, sizeof row->keyword) == 0) return row->text;
  }
  return nullptr;
}
