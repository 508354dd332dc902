#include "common/text/page_ranges.h"

#include "common/text/number_text.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

uint32_t g_highestPage = 9999;
uint32_t g_highestTotal = 9999;

const char16_t kRangeChars[] = u"0123456789-,";
const char16_t kDigits[] = u"0123456789";

size_t TextLength(const char16_t* text) {
  size_t n = 0;
  while (text[n] != u'\0') ++n;
  return n;
}

bool InSet(char16_t c, const char16_t* set) {
  for (; *set != u'\0'; ++set) {
    if (*set == c) return true;
  }
  return false;
}

// Status of the characters [begin, end) against `allowed`, as
// CheckRangeCharset reports it for a text.
int CheckSpan(const char16_t* begin, const char16_t* end, const char16_t* allowed) {
  if (begin == end) return kRangeEmptyNumber;
  for (const char16_t* p = begin; p < end; ++p) {
    if (InSet(*p, allowed)) continue;
    if (*p == u',') return kRangeEmptyItem;
    if (*p == u'-') return kRangeExtraDash;
    return kRangeBadChar;
  }
  return kRangeOk;
}

int CheckNumberSpan(const char16_t* begin, const char16_t* end) {
  int status = CheckSpan(begin, end, kDigits);
  if (status != kRangeOk) return status;
  if (*begin == u'0') return kRangeZero;
  return kRangeOk;
}

// The digits of [begin, end) as a number, saturating above the highest page
// number so that a long digit string never wraps to a small page.
uint32_t SpanNumber(const char16_t* begin, const char16_t* end) {
  uint64_t v = 0;
  for (const char16_t* p = begin; p < end; ++p) {
    v = v * 10 + static_cast<uint64_t>(*p - u'0');
    if (v > 0xFFFFFFFFull) return 0xFFFFFFFFu;
  }
  return static_cast<uint32_t>(v);
}

bool SameClass(const PageRange& a, const PageRange& b) {
  auto inserter = [](uint32_t tag) { return tag == kRangeTagInserterTray1 || tag == kRangeTagInserterTray2; };
  return (a.tagA != 0) == (b.tagA != 0) && inserter(a.tagB) == inserter(b.tagB);
}

PageRange* AllocRanges(size_t count) {
  return static_cast<PageRange*>(std::calloc(count == 0 ? 1 : count, sizeof(PageRange)));
}

}  // namespace

void SetPageRangeLimits(uint32_t highestPage, uint32_t highestTotal) {
  g_highestPage = highestPage;
  g_highestTotal = highestTotal;
}
uint32_t HighestPageNumber() { return g_highestPage; }
uint32_t HighestPageTotal() { return g_highestTotal; }

void FreeRangeBlock(void* block) { std::free(block); }

int CheckRangeCharset(const char16_t* text, const char16_t* allowed) {
  if (text == nullptr || allowed == nullptr) return kRangeMissing;
  return CheckSpan(text, text + TextLength(text), allowed);
}

int CheckPageNumberText(const char16_t* text) {
  if (text == nullptr) return kRangeMissing;
  return CheckNumberSpan(text, text + TextLength(text));
}

int ParsePageRanges(const char16_t* text, uint32_t tagA, uint32_t tagB, PageRange** ranges, uint32_t* count) {
  if (text == nullptr || ranges == nullptr || count == nullptr) return kRangeMissing;
  const size_t length = TextLength(text);
  if (length == 0) return kRangeOk;
  int status = CheckRangeCharset(text, kRangeChars);
  if (status != kRangeOk) return status;

  PageRange* list = nullptr;
  uint32_t n = 0;
  const char16_t* end = text + length;
  for (const char16_t* item = text; item < end;) {
    if (*item == u',') {
      std::free(list);
      return kRangeEmptyItem;
    }
    const char16_t* itemEnd = item;
    while (itemEnd < end && *itemEnd != u',') ++itemEnd;
    const char16_t* dash = item;
    while (dash < itemEnd && *dash != u'-') ++dash;

    status = CheckNumberSpan(item, dash);
    if (status == kRangeOk && dash < itemEnd) status = CheckNumberSpan(dash + 1, itemEnd);
    uint32_t first = 0, last = 0;
    if (status == kRangeOk) {
      first = SpanNumber(item, dash);
      last = dash < itemEnd ? SpanNumber(dash + 1, itemEnd) : first;
      if (first > g_highestPage || last > g_highestPage) status = kRangeTooHigh;
      else if (first == 0 || last == 0) status = kRangeZero;
    }
    if (status != kRangeOk) {
      std::free(list);
      return status;
    }
    if (first > last) std::swap(first, last);
    PageRange* grown = AllocRanges(n + 1);
    if (grown == nullptr) {
      std::free(list);
      return kRangeNoMemory;
    }
    if (n != 0) std::memcpy(grown, list, n * sizeof(PageRange));
    std::free(list);
    list = grown;
    list[n++] = PageRange{first, last, tagA, tagB};
    // A comma at the very end ends the list.
    item = itemEnd < end ? itemEnd + 1 : end;
  }
  *ranges = list;
  *count = n;
  return kRangeOk;
}

int ComparePageRanges(const PageRange* a, const PageRange* b) {
  if (a->first != b->first) return a->first < b->first ? -1 : 1;
  if (a->last != b->last) return a->last < b->last ? -1 : 1;
  return 0;
}

void SortPageRanges(PageRange* ranges, uint32_t count) {
  if (ranges == nullptr || count < 2) return;
  std::stable_sort(ranges, ranges + count,
                   [](const PageRange& a, const PageRange& b) { return ComparePageRanges(&a, &b) < 0; });
}

int MergePageRanges(PageRange* ranges, uint32_t* count) {
  if (count == nullptr) return kRangeMissing;
  if (ranges == nullptr || *count < 2) return kRangeOk;
  // One forward pass: each range joins the last kept one when it starts at
  // most one page after it ends, so that a range that covers several later
  // ones swallows them all.
  uint32_t kept = 0;
  for (uint32_t i = 1; i < *count; ++i) {
    PageRange& head = ranges[kept];
    const PageRange& next = ranges[i];
    bool joins = next.first == head.first || uint64_t{next.first} <= uint64_t{head.last} + 1;
    if (joins) {
      head.first = std::min(head.first, next.first);
      head.last = std::max(head.last, next.last);
    } else {
      ranges[++kept] = next;
    }
  }
  for (uint32_t i = kept + 1; i < *count; ++i) ranges[i] = PageRange{};
  *count = kept + 1;
  return kRangeOk;
}

int FindRangeOverlaps(const PageRange* ranges, uint32_t count, PageRange** overlaps, uint32_t* overlapCount) {
  if (overlaps == nullptr || overlapCount == nullptr) return kRangeMissing;
  *overlaps = nullptr;
  *overlapCount = 0;
  if (ranges == nullptr || count < 2) return kRangeOk;
  PageRange* found = nullptr;
  uint32_t n = 0, capacity = 0;
  for (uint32_t i = 0; i < count; ++i) {
    for (uint32_t j = i + 1; j < count; ++j) {
      const PageRange& a = ranges[i];
      const PageRange& b = ranges[j];
      if (a.last < b.first || b.last < a.first || !SameClass(a, b)) continue;
      if (n == capacity) {
        uint32_t grownCapacity = capacity == 0 ? 8 : capacity * 2;
        PageRange* grown = AllocRanges(grownCapacity);
        if (grown == nullptr) {
          std::free(found);
          return kRangeNoMemory;
        }
        if (n != 0) std::memcpy(grown, found, n * sizeof(PageRange));
        std::free(found);
        found = grown;
        capacity = grownCapacity;
      }
      found[n++] = PageRange{std::max(a.first, b.first), std::min(a.last, b.last), 0, 0};
    }
  }
  if (n == 0) return kRangeOk;
  SortPageRanges(found, n);
  MergePageRanges(found, &n);
  *overlaps = found;
  *overlapCount = n;
  return kRangeOverlap;
}

int CheckRangeLists(PageRange* const* lists, const uint32_t* counts, uint32_t listCount, PageRange** overlaps,
                    uint32_t* overlapCount) {
  if (lists == nullptr || counts == nullptr || overlaps == nullptr || overlapCount == nullptr) return kRangeMissing;
  *overlaps = nullptr;
  *overlapCount = 0;
  uint64_t total = 0;
  for (uint32_t i = 0; i < listCount; ++i) total += counts[i];
  if (total == 0) return kRangeMissing;
  if (total > 0x0FFFFFFFu) return kRangeNoMemory;
  PageRange* all = AllocRanges(static_cast<size_t>(total));
  if (all == nullptr) return kRangeNoMemory;
  uint32_t n = 0;
  for (uint32_t i = 0; i < listCount; ++i) {
    if (counts[i] == 0) continue;
    if (lists[i] == nullptr) {
      std::free(all);
      return kRangeMissing;
    }
    std::memcpy(all + n, lists[i], counts[i] * sizeof(PageRange));
    n += counts[i];
  }
  SortPageRanges(all, n);
  int status = FindRangeOverlaps(all, n, overlaps, overlapCount);
  if (status == kRangeOk) {
    uint64_t pages = 0;
    for (uint32_t i = 0; i < n; ++i) pages += uint64_t{all[i].last} - all[i].first + 1;
    if (pages > g_highestTotal) status = kRangeTooMany;
  }
  std::free(all);
  return status;
}

int RangesToText(const PageRange* ranges, uint32_t count, char16_t** text) {
  if (ranges == nullptr || count == 0 || text == nullptr) return kRangeMissing;
  constexpr size_t kPieceMax = 15;
  size_t capacity = 64, length = 0;
  auto* out = static_cast<char16_t*>(std::calloc(capacity, sizeof(char16_t)));
  if (out == nullptr) return kRangeNoMemory;
  for (uint32_t i = 0; i < count; ++i) {
    char16_t piece[32];
    size_t n = 0;
    auto put = [&](uint32_t v) { n += PutDecimalDigits(v, piece + n); };
    if (i != 0) piece[n++] = u',';
    put(ranges[i].first);
    if (ranges[i].first < ranges[i].last) {
      piece[n++] = u'-';
      put(ranges[i].last);
    }
    if (n > kPieceMax) {
      std::free(out);
      return kRangeFormat;
    }
    if (length + n + 1 > capacity) {
      size_t grownCapacity = (length + n + 1) * 2;
      auto* grown = static_cast<char16_t*>(std::calloc(grownCapacity, sizeof(char16_t)));
      if (grown == nullptr) {
        std::free(out);
        return kRangeNoMemory;
      }
      std::memcpy(grown, out, length * sizeof(char16_t));
      std::free(out);
      out = grown;
      capacity = grownCapacity;
    }
    std::memcpy(out + length, piece, n * sizeof(char16_t));
    length += n;
    out[length] = u'\0';
  }
  *text = out;
  return kRangeOk;
}

int FormatRangeList(char16_t* buffer, char16_t** overlapText) {
  if (buffer == nullptr || overlapText == nullptr) return kRangeMissing;
  PageRange* ranges = nullptr;
  uint32_t count = 0;
  int status = ParsePageRanges(buffer, 0, 32767, &ranges, &count);
  if (status != kRangeOk) return status;
  SortPageRanges(ranges, count);
  PageRange* overlaps = nullptr;
  uint32_t overlapCount = 0;
  status = CheckRangeLists(&ranges, &count, 1, &overlaps, &overlapCount);
  if (status == kRangeOverlap) {
    char16_t* text = nullptr;
    int formatted = RangesToText(overlaps, overlapCount, &text);
    if (formatted == kRangeOk) *overlapText = text;
    else status = formatted;
  } else if (status == kRangeOk) {
    MergePageRanges(ranges, &count);
    char16_t* text = nullptr;
    status = RangesToText(ranges, count, &text);
    if (status == kRangeOk) {
      size_t length = TextLength(text);
      // The normalised list is never longer than the parsed one; a list
      // that would not fit is refused rather than cut into another list.
      if (length >= kRangeListCapacity) status = kRangeFormat;
      else std::memcpy(buffer, text, (length + 1) * sizeof(char16_t));
      std::free(text);
    }
  }
  std::free(overlaps);
  std::free(ranges);
  return status;
}

int ParseRangeList(InterSheetEntry* entries, uint32_t entryCount, char16_t** overlapText) {
  if (entries == nullptr || entryCount == 0 || overlapText == nullptr) return kRangeMissing;
  *overlapText = nullptr;
  constexpr size_t kTextUnits = sizeof entries->pages / sizeof entries->pages[0];  // 32 characters and a NUL
  auto** lists = static_cast<PageRange**>(std::calloc(entryCount, sizeof(PageRange*)));
  auto* counts = static_cast<uint32_t*>(std::calloc(entryCount, sizeof(uint32_t)));
  int status = (lists == nullptr || counts == nullptr) ? kRangeNoMemory : kRangeOk;

  for (uint32_t i = 0; status == kRangeOk && i < entryCount; ++i) {
    // The text as stored, at most 32 characters whether or not it ends.
    char16_t text[kTextUnits] = {};
    std::memcpy(text, entries[i].pages, (kTextUnits - 1) * sizeof(char16_t));
    status = ParsePageRanges(text, entries[i].printType, entries[i].paperSource, &lists[i], &counts[i]);
    if (status == kRangeOk && counts[i] == 0) status = kRangeMissing;
    if (status == kRangeOk) SortPageRanges(lists[i], counts[i]);
  }
  PageRange* overlaps = nullptr;
  uint32_t overlapCount = 0;
  if (status == kRangeOk) status = CheckRangeLists(lists, counts, entryCount, &overlaps, &overlapCount);
  if (status == kRangeOverlap) {
    char16_t* text = nullptr;
    int formatted = RangesToText(overlaps, overlapCount, &text);
    if (formatted == kRangeOk) *overlapText = text;
    else status = formatted;
  }
  if (status == kRangeOk) {
    // Format every entry before writing any, so that a failure leaves all
    // texts as they were.
    auto** texts = static_cast<char16_t**>(std::calloc(entryCount, sizeof(char16_t*)));
    if (texts == nullptr) status = kRangeNoMemory;
    for (uint32_t i = 0; status == kRangeOk && i < entryCount; ++i) {
      MergePageRanges(lists[i], &counts[i]);
      status = RangesToText(lists[i], counts[i], &texts[i]);
      if (status == kRangeOk && TextLength(texts[i]) >= kTextUnits) status = kRangeFormat;
    }
    for (uint32_t i = 0; status == kRangeOk && i < entryCount; ++i) {
      std::memset(entries[i].pages, 0, sizeof entries[i].pages);
      std::memcpy(entries[i].pages, texts[i], TextLength(texts[i]) * sizeof(char16_t));
    }
    if (texts != nullptr) {
      for (uint32_t i = 0; i < entryCount; ++i) std::free(texts[i]);
    }
    std::free(texts);
  }
  std::free(overlaps);
  if (lists != nullptr) {
    for (uint32_t i = 0; i < entryCount; ++i) std::free(lists[i]);
  }
  std::free(lists);
  std::free(counts);
  return status;
}
