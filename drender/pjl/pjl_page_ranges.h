// Page lists of the per-page settings: the ranges of each entry's page
// list, their renumbering around tab sheets that count as pages, and the
// chapter page list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// An entry of the per-page table as the page lists need it.
struct PjlPageEntry {
  std::string pages;  // "1-3,5"
  int32_t kind;       // 1 duplex off, 2 duplex on, 3 the job's duplex, other a blank sheet
  bool tabInsert;     // the entry has a tab sheet with a text
};

struct PjlPageRange {
  int32_t kind, workingKind;
  bool tabInsert;
  uint32_t entry, item;
  long first, last;
  long newFirst, newLast;
};

// Page numbers above this are not taken (a typed number cannot make the
// lists unbounded).
inline constexpr long kPjlMaxPage = 99999;

// The (first, last) pairs of a page list: items split at ",", empty items
// skipped, "a-b" or "a" (decimal, as far as digits go).
std::vector<std::pair<long, long>> Pjl_ParsePageList(const std::string& list);
std::vector<PjlPageRange> Pjl_ParseEntryRanges(const PjlPageEntry& entry, uint32_t index);
std::vector<PjlPageRange> Pjl_CollectRanges(const std::vector<PjlPageEntry>& entries);
// Sorted by last page, then first page; tab inserts shift the later pages.
std::vector<PjlPageRange*> Pjl_SortAndRenumber(std::vector<PjlPageRange>* ranges);
// Renumbered page-list texts (cut to 20 characters) and kinds, one per entry.
void Pjl_FormatPageRanges(const std::vector<PjlPageEntry>& entries, std::vector<std::string>* texts,
                          std::vector<int32_t>* kinds);
// The chapter page list: the chapter text's pages moved past the tab
// sheets of the entries (none when `entries` is empty), each page written
// singly in ascending order, at most `size` - 1 characters.
std::string Pjl_FormatChapterPages(const std::vector<PjlPageEntry>& entries, const std::string& chapter, size_t size);
