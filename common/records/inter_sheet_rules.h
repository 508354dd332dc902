// The rules of a per-page list that the editor, the store and the job all
// follow: the tab sheet's geometry (which settings are legal, how long a tab
// is, whether the tabs fit the sheet), the list's limits, and the tab
// position each tab entry lands on.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/records/inter_sheet_list.h"

// The most entries a list holds, whatever its store or the model say.
inline constexpr uint32_t kInterSheetMaxEntries = 256;
// The lists of a user and printer, numbered 1 to 10.
inline constexpr int kInterSheetLists = 10;

inline constexpr int32_t kTabCountLowest = 2;
inline constexpr int32_t kTabCountHighest = 15;
inline constexpr int32_t kTabSpaceHighest = 50;  // mm, top and bottom space
inline constexpr int32_t kTabCharPosLowest = -10;
inline constexpr int32_t kTabCharPosHighest = 10;

// The caption block of an entry: the caption and how it is printed (the
// bytes from `caption` up to `row`), kept and restored as one piece.
inline constexpr size_t kCaptionBlockAt = offsetof(InterSheetEntry, caption);
inline constexpr size_t kCaptionBlockSize = offsetof(InterSheetEntry, row) - kCaptionBlockAt;
static_assert(kCaptionBlockAt == 86 && kCaptionBlockSize == 478);

// The tab geometry of a new list.
TabSettings DefaultTabSettings();

// The widest gap (mm) the gap edit offers for a paper size and tab count.
int32_t MaxTabGap(int32_t paperSize, int32_t tabCount);

// One tab's length in 0.1 mm: the sheet height less the top and bottom
// spaces and the gaps between the tabs, shared by the tabs, rounded down.
// The tabs then fill the sheet from the top space to the bottom space.
// -1 when a value is outside its range or the tabs do not fit (no length
// left for a tab).
int32_t TabLength(const TabSettings& tab);
inline bool TabsFit(const TabSettings& tab) { return TabLength(tab) > 0; }

// The widest gap (mm, at most MaxTabGap) with which the tabs still fit the
// sheet; -1 when they fit with none.
int32_t WidestFittingGap(const TabSettings& tab);

// The tab position of every entry (0: none), in list order: an entry with
// tab paper takes its fixed caption position, or the tab after the
// previous tab sheet's; entries are taken by their first page, at most two
// per first page.  `tabs` has room for `count` values.
void NumberTabs(const InterSheetEntry* entries, uint32_t count, int32_t tabCount, int32_t* tabs);

// The leading page number of a page text (0 when it does not start with a
// digit).
uint32_t FirstPageOf(const char16_t* pages, size_t units);
