#include "common/records/inter_sheet_rules.h"

#include <iterator>

TabSettings DefaultTabSettings() { return TabSettings{9, 2100, 2970, 1860, 5, 34, 34, 10, 0}; }

int32_t MaxTabGap(int32_t paperSize, int32_t tabCount) {
  if (tabCount < 10 || tabCount > kTabCountHighest) return 20;
  const int32_t gap = 29 - tabCount;  // 10 tabs: 19 ... 15 tabs: 14
  return paperSize == 1 ? gap : gap + 1;
}

int32_t TabLength(const TabSettings& t) {
  if (t.tabCount < kTabCountLowest || t.tabCount > kTabCountHighest) return -1;
  if (t.topSpace < 0 || t.topSpace > kTabSpaceHighest || t.bottomSpace < 0 || t.bottomSpace > kTabSpaceHighest) {
    return -1;
  }
  if (t.gap < 0 || t.gap > MaxTabGap(t.paperSize, t.tabCount)) return -1;
  if (t.height <= 0) return -1;
  const int64_t used = 10 * (static_cast<int64_t>(t.tabCount - 1) * t.gap + t.topSpace + t.bottomSpace);
  const int64_t length = (static_cast<int64_t>(t.height) - used) / t.tabCount;
  return length > 0 ? static_cast<int32_t>(length) : -1;
}

int32_t WidestFittingGap(const TabSettings& tab) {
  TabSettings t = tab;
  for (t.gap = MaxTabGap(t.paperSize, t.tabCount); t.gap >= 0; --t.gap) {
    if (TabsFit(t)) return t.gap;
  }
  return -1;
}

uint32_t FirstPageOf(const char16_t* pages, size_t units) {
  uint32_t page = 0;
  for (size_t i = 0; i < units && pages[i] >= u'0' && pages[i] <= u'9'; ++i) {
    if (page < 100000) page = page * 10 + static_cast<uint32_t>(pages[i] - u'0');
  }
  return page;
}

void NumberTabs(const InterSheetEntry* entries, uint32_t count, int32_t tabCount, int32_t* tabs) {
  if (count == 0) return;
  for (uint32_t i = 0; i < count; ++i) tabs[i] = 0;
  if (entries == nullptr || tabCount <= 0) return;
  auto first = [&](uint32_t i) {
    return entries[i].tabPaper != 0 ? FirstPageOf(entries[i].pages, std::size(entries[i].pages)) : 0u;
  };
  // The earliest entry whose first page is above `page`; `count` when none.
  auto next = [&](uint32_t page) {
    uint32_t best = count;
    for (uint32_t i = 0; i < count; ++i) {
      const uint32_t p = first(i);
      if (p > page && (best == count || p < first(best))) best = i;
    }
    return best;
  };
  int32_t previous = 0;
  auto give = [&](uint32_t i) {
    const uint32_t fixed = entries[i].captionPos;
    tabs[i] = fixed != 0 && fixed <= static_cast<uint32_t>(tabCount) ? static_cast<int32_t>(fixed)
                                                                        : previous % tabCount + 1;
    previous = tabs[i];
  };
  for (uint32_t i = next(0); i < count; ) {
    const uint32_t page = first(i);
    give(i);
    // A second entry of the same first page, in list order.
    for (uint32_t j = i + 1; j < count; ++j) {
      if (first(j) == page) {
        give(j);
        break;
      }
    }
    i = next(page);
  }
}
