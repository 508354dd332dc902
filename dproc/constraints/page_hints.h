// The hint lists of the pages: per sheet or dialog page id, the hint ids
// that the last constraint pass attached to it.  The hint area of each page
// reads them.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr size_t kPageHintRows = 24;
inline constexpr size_t kPageHintCapacity = 100;

struct PageHintList {
  uint32_t pageId;        // 0 ends the table
  uint32_t hasHints;
  uint32_t hints[kPageHintCapacity];
  int32_t count;
};

// The process's table: 24 rows and an end row of page id 0.
PageHintList* PageHintTable();
// The first row of a page id, or null.
PageHintList* FindPageHints(uint32_t pageId);
// Clears every row's flag and count.
void ClearPageHints();
// Flags every row of the page id and gives it the hint unless the row
// already holds it or holds 100 hints.
void AddPageHint(uint32_t pageId, uint32_t hint);
