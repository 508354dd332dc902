// The arithmetic of the tab-paper text: which per-page entry a page takes,
// and where the tabs of a tab sheet lie.  Lengths in tenths of a millimetre
// unless said.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "common/records/inter_sheet_list.h"

// Whether `page` lies in the comma-separated "n" or "n-m" items of `text`
// (at most `units` characters).  An item with two dashes sets `*broken`
// and matches nothing.
bool TabRangesContain(const char16_t* text, size_t units, uint32_t page, bool* broken);

// The first entry at or after `first` whose ranges contain `page`; -1 when
// none (or a broken item ends the search).
int FindTabEntryForPage(const InterSheetList& list, uint32_t first, uint32_t page);

struct TabCell {
  int32_t w, h;
};
// The tab strip's width and one tab's length; tab settings whose tabs do
// not fit their sheet give an empty cell.
TabCell TabCellSize(const TabSettings& tab);

struct TabPoint {
  int32_t x, y;
};
TabPoint TabOrigin(const TabSettings& tab, TabCell cell, int32_t position, bool portrait, bool turnedBy90,
                   bool direction1);
TabPoint TabSlotOffset(const TabSettings& tab, int32_t h, int32_t position, bool portrait, bool turnedBy90);
