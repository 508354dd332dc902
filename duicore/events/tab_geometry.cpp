#include "duicore/events/tab_geometry.h"

#include "common/records/inter_sheet_rules.h"

bool TabRangesContain(const char16_t* text, size_t units, uint32_t page, bool* broken) {
  *broken = false;
  size_t i = 0;
  while (i < units && text[i] != u'\0') {
    uint64_t first = 0, last = 0;
    int dashes = 0;
    bool digits = false;
    for (; i < units && text[i] != u'\0' && text[i] != u','; ++i) {
      const char16_t c = text[i];
      if (c == u'-') {
        ++dashes;
      } else if (c >= u'0' && c <= u'9') {
        digits = true;
        uint64_t& v = dashes == 0 ? first : last;
        if (v < 1000000000u) v = v * 10 + (c - u'0');
      }
    }
    if (dashes > 1) {
      *broken = true;
      return false;
    }
    if (dashes == 0) last = first;
    if (digits && page >= first && page <= last) return true;
    if (i < units && text[i] == u',') ++i;
  }
  return false;
}

int FindTabEntryForPage(const InterSheetList& list, uint32_t first, uint32_t page) {
  if (list.entries == nullptr) return -1;
  for (uint32_t i = first; i < list.count; ++i) {
    bool broken = false;
    if (TabRangesContain(list.entries[i].pages, std::size(list.entries[i].pages), page, &broken)) {
      return static_cast<int>(i);
    }
    if (broken) return -1;
  }
  return -1;
}

TabCell TabCellSize(const TabSettings& t) {
  const int32_t length = TabLength(t);
  if (length <= 0 || t.width <= t.bodyWidth || t.bodyWidth < 0) return {0, 0};
  return {t.width - t.bodyWidth, length};
}

TabPoint TabOrigin(const TabSettings& t, TabCell c, int32_t position, bool portrait, bool turnedBy90, bool dir1) {
  int32_t s = 0;
  for (int32_t p = 1; p < position && p <= t.tabCount; ++p) s += c.h + t.gap * 10;
  if (portrait) {
    const int32_t at = t.topSpace * 10 + s;
    return dir1 ? TabPoint{t.bodyWidth, at + c.h} : TabPoint{t.bodyWidth + c.w, at};
  }
  if (turnedBy90) {
    const int32_t at = t.height - t.topSpace * 10 - s;
    return dir1 ? TabPoint{at - c.h, t.bodyWidth} : TabPoint{at, t.bodyWidth + c.w};
  }
  const int32_t at = t.topSpace * 10 + s;
  return dir1 ? TabPoint{at + c.h, t.width - t.bodyWidth} : TabPoint{at, t.width - t.bodyWidth - c.w};
}

TabPoint TabSlotOffset(const TabSettings& t, int32_t h, int32_t position, bool portrait, bool turnedBy90) {
  const int32_t step = h + t.gap * 10;
  if (portrait) return {0, (position - 1) * step};
  if (turnedBy90) return {(t.tabCount - position + 1) * step, 0};
  return {(position - 1) * step, 0};
}
