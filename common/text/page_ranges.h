// Page-range lists such as "1-3,5,8-10": parsing, checking, merging and
// formatting.  The layout sheet's page list and the per-page settings lists
// use them; one page must not be claimed by two ranges of the same class.
//
// Arrays and texts that these routines hand back are single blocks that the
// caller releases with FreeRangeBlock.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/records/inter_sheet_list.h"

struct PageRange {
  uint32_t first;  // first <= last after parsing
  uint32_t last;
  uint32_t tagA;   // copied from the caller; classify the range
  uint32_t tagB;
};
static_assert(sizeof(PageRange) == 16);

enum PageRangeStatus : int {
  kRangeOk = 0,
  kRangeMissing = 2,       // missing argument, or an entry that gives no range
  kRangeFormat = 3,        // a range could not be formatted
  kRangeNoMemory = 4,
  kRangeOverlap = 5,       // the overlapping pages come back as a text
  kRangeTooHigh = 6,       // a page number above the highest page number
  kRangeZero = 7,          // a page number 0 or with a leading zero
  kRangeEmptyNumber = 8,   // "5-", "-5"
  kRangeBadChar = 9,       // anything but digits, "-" and ","
  kRangeEmptyItem = 10,    // a leading comma, two commas in a row
  kRangeExtraDash = 11,    // "1-2-3"
  kRangeTooMany = 12,      // the pages together exceed the highest total
};

// The tag B values of the post-inserter trays: ranges with these tags form
// their own class.
inline constexpr uint32_t kRangeTagInserterTray1 = 1001;
inline constexpr uint32_t kRangeTagInserterTray2 = 1002;

// The limits that the next checks apply (both 9999 until set).  The layout
// sheet's page list uses 9999 and 30.
void SetPageRangeLimits(uint32_t highestPage, uint32_t highestTotal);
uint32_t HighestPageNumber();
uint32_t HighestPageTotal();

void FreeRangeBlock(void* block);

int CheckRangeCharset(const char16_t* text, const char16_t* allowed);
int CheckPageNumberText(const char16_t* text);
// On success the array (null for an empty text) and its count are stored;
// on failure the outputs are left as they were.
int ParsePageRanges(const char16_t* text, uint32_t tagA, uint32_t tagB, PageRange** ranges, uint32_t* count);
int ComparePageRanges(const PageRange* a, const PageRange* b);
void SortPageRanges(PageRange* ranges, uint32_t count);
// Joins ranges of a sorted array that overlap or touch.
int MergePageRanges(PageRange* ranges, uint32_t* count);
// The pages claimed twice within one class, sorted and merged: status 5
// with the array, or 0 with none.
int FindRangeOverlaps(const PageRange* ranges, uint32_t count, PageRange** overlaps, uint32_t* overlapCount);
int CheckRangeLists(PageRange* const* lists, const uint32_t* counts, uint32_t listCount, PageRange** overlaps,
                    uint32_t* overlapCount);
int RangesToText(const PageRange* ranges, uint32_t count, char16_t** text);

// The layout sheet's page list: `buffer` holds at least 161 characters; on 0
// it holds the normalised list.  On 5 `*overlapText` is the overlapping
// pages as a text.
inline constexpr size_t kRangeListCapacity = 161;
int FormatRangeList(char16_t* buffer, char16_t** overlapText);

// The per-page lists: the range texts (`pages`, at most 32 characters) of
// `entryCount` entries, classified by their print type (tag A) and paper
// source (tag B), are normalised in place on 0.
int ParseRangeList(InterSheetEntry* entries, uint32_t entryCount, char16_t** overlapText);
