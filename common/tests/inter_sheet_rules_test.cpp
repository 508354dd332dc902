// The tab sheet's geometry and the tab numbering of a per-page list.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/records/inter_sheet_rules.h"

namespace {

TEST(InterSheetRules, TabsFillTheSheetBetweenItsSpaces) {
  const TabSettings def = DefaultTabSettings();
  // 5 tabs, 34 mm spaces, 10 mm gaps on 297 mm: (2970 - 10 * (40 + 68)) / 5.
  EXPECT_EQ(TabLength(def), 378);
  const int32_t used = def.topSpace * 10 + 5 * 378 + 4 * def.gap * 10 + def.bottomSpace * 10;
  EXPECT_LE(used, def.height);
  EXPECT_GT(used + 5, def.height);
  // 15 tabs with the default spaces: (2970 - 10 * (140 + 68)) / 15 = 59.
  TabSettings t = def;
  t.tabCount = 15;
  t.gap = 10;
  EXPECT_EQ(TabLength(t), 59);
}

TEST(InterSheetRules, SettingsOutsideTheirRangesOrThatDoNotFitAreRefused) {
  struct Case {
    const char* what;
    TabSettings tab;
    bool fits;
  } cases[] = {
      {"default", DefaultTabSettings(), true},
      {"one tab", {9, 2100, 2970, 1860, 1, 34, 34, 10, 0}, false},
      {"sixteen tabs", {9, 2100, 2970, 1860, 16, 34, 34, 10, 0}, false},
      {"negative space", {9, 2100, 2970, 1860, 5, -1, 34, 10, 0}, false},
      {"space of 51", {9, 2100, 2970, 1860, 5, 51, 34, 10, 0}, false},
      {"gap beyond its table", {1, 2100, 2970, 1860, 15, 0, 0, 15, 0}, false},
      {"no height", {9, 2100, 0, 1860, 5, 0, 0, 0, 0}, false},
      // Legal values each, yet 15 tabs with 14 mm gaps and 50 mm spaces
      // leave nothing of a 297 mm sheet.
      {"legal but too long", {1, 2100, 2970, 1860, 15, 50, 50, 14, 0}, false},
      {"the widest that fits", {1, 2100, 2970, 1860, 15, 50, 50, 13, 0}, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TabsFit(c.tab), c.fits) << c.what;
    if (!c.fits) {
      EXPECT_EQ(TabLength(c.tab), -1) << c.what;
    }
  }
  TabSettings crowded = {1, 2100, 2970, 1860, 15, 50, 50, 14, 0};
  EXPECT_EQ(WidestFittingGap(crowded), 13);
  crowded.height = 900;  // the spaces alone take the sheet
  EXPECT_EQ(WidestFittingGap(crowded), -1);
}

TEST(InterSheetRules, MaximumGapByPaperAndTabs) {
  const int32_t one[] = {20, 19, 18, 17, 16, 15, 14};
  for (int32_t n = 9; n <= 15; ++n) {
    EXPECT_EQ(MaxTabGap(1, n), one[n - 9]) << n;
    EXPECT_EQ(MaxTabGap(9, n), n == 9 ? 20 : one[n - 9] + 1) << n;
  }
  EXPECT_EQ(MaxTabGap(1, 2), 20);
  EXPECT_EQ(MaxTabGap(1, 40), 20);
}

InterSheetEntry TabEntry(const char16_t* pages, uint32_t position = 0, bool tab = true) {
  InterSheetEntry e = {};
  std::memcpy(e.pages, pages, std::char_traits<char16_t>::length(pages) * 2);
  e.tabPaper = tab ? 1 : 0;
  e.captionPos = position;
  return e;
}

TEST(InterSheetRules, TabNumbersFollowFirstPagesNotListOrder) {
  std::vector<InterSheetEntry> e = {
      TabEntry(u"9"),         // third by page
      TabEntry(u"2-4"),       // first
      TabEntry(u"5", 0, false),  // no tab paper: no number
      TabEntry(u"6", 4),      // fixed position 4
      TabEntry(u"2"),         // second entry of page 2
      TabEntry(u"2"),         // a third of page 2: never reached
      TabEntry(u"x"),         // no first page
      TabEntry(u"12"),        // after 4 of 4: wraps to 1
  };
  // Page 2 gives 1 and 2, page 6 the fixed 4, page 9 wraps to 1, page 12
  // follows with 2.
  std::vector<int32_t> tabs(e.size(), -9);
  NumberTabs(e.data(), static_cast<uint32_t>(e.size()), 4, tabs.data());
  EXPECT_EQ(tabs, (std::vector<int32_t>{1, 1, 0, 4, 2, 0, 0, 2}));
}

TEST(InterSheetRules, FirstPage) {
  EXPECT_EQ(FirstPageOf(u"12-20", 6), 12u);
  EXPECT_EQ(FirstPageOf(u"-3", 3), 0u);
  EXPECT_EQ(FirstPageOf(u"99999999999", 12), 999999u) << "held, not overflowed";
}

}  // namespace
