#include "duicore/events/tab_geometry.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

bool Has(const char16_t* text, uint32_t page) {
  bool broken = false;
  size_t n = 0;
  while (text[n]) ++n;
  return TabRangesContain(text, n, page, &broken);
}

TEST(TabGeometry, PageRanges) {
  for (uint32_t p : {2u, 3u, 4u, 7u}) EXPECT_TRUE(Has(u"2-4,7", p)) << p;
  for (uint32_t p : {1u, 5u, 6u, 8u}) EXPECT_FALSE(Has(u"2-4,7", p)) << p;
  EXPECT_TRUE(Has(u"3", 3));
  EXPECT_FALSE(Has(u"3", 4));
  bool broken = false;
  EXPECT_FALSE(TabRangesContain(u"1-2-3,5", 7, 5, &broken));
  EXPECT_TRUE(broken);
  // A text without a terminator ends at its field.
  char16_t full[4] = {u'1', u'2', u'3', u'4'};
  EXPECT_TRUE(TabRangesContain(full, 4, 1234, &broken));
}

TEST(TabGeometry, FindEntry) {
  InterSheetEntry entries[3] = {};
  std::memcpy(entries[0].pages, u"1-2", 8);
  std::memcpy(entries[1].pages, u"2,5", 8);
  std::memcpy(entries[2].pages, u"9-9-9", 12);
  InterSheetList list{};
  list.count = 3;
  list.entries = entries;
  EXPECT_EQ(FindTabEntryForPage(list, 0, 2), 0);
  EXPECT_EQ(FindTabEntryForPage(list, 1, 2), 1);
  EXPECT_EQ(FindTabEntryForPage(list, 0, 5), 1);
  EXPECT_EQ(FindTabEntryForPage(list, 0, 9), -1);
  list.entries = nullptr;
  EXPECT_EQ(FindTabEntryForPage(list, 0, 1), -1);
}

TEST(TabGeometry, Cells) {
  // A4 tab paper: 2230 x 2970, body 2100, 5 tabs, 10 mm margins, 2 mm gap.
  TabSettings tab{0, 2230, 2970, 2100, 5, 10, 10, 2, 3};
  const TabCell c = TabCellSize(tab);
  EXPECT_EQ(c.w, 130);
  EXPECT_EQ(c.h, (2970 - (4 * 2 + 20) * 10) / 5);
  EXPECT_EQ(TabOrigin(tab, c, 1, true, false, true).x, 2100);
  EXPECT_EQ(TabOrigin(tab, c, 1, true, false, true).y, 100 + c.h);
  EXPECT_EQ(TabOrigin(tab, c, 2, true, false, false).y, 100 + c.h + 20);
  EXPECT_EQ(TabSlotOffset(tab, c.h, 3, true, false).y, 2 * (c.h + 20));
  EXPECT_EQ(TabSlotOffset(tab, c.h, 1, false, true).x, 5 * (c.h + 20));
  // No positions: an empty cell, no division.
  tab.tabCount = 0;
  EXPECT_EQ(TabCellSize(tab).h, 0);
}

}  // namespace
