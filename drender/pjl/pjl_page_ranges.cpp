// Page lists of the per-page settings.
#include "drender/pjl/pjl_page_ranges.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace {

long Number(const std::string& text, size_t* at) {
  long v = 0;
  while (*at < text.size() && text[*at] >= '0' && text[*at] <= '9') {
    if (v <= kPjlMaxPage) v = v * 10 + (text[*at] - '0');
    ++*at;
  }
  return v > kPjlMaxPage ? kPjlMaxPage + 1 : v;
}

std::string RangeText(long first, long last) {
  char text[32];
  if (first == last) std::snprintf(text, sizeof text, "%ld", first);
  else std::snprintf(text, sizeof text, "%ld-%ld", first, last);
  return text;
}

}  // namespace

std::vector<std::pair<long, long>> Pjl_ParsePageList(const std::string& list) {
  std::vector<std::pair<long, long>> out;
  size_t start = 0;
  while (start <= list.size()) {
    size_t comma = list.find(',', start);
    if (comma == std::string::npos) comma = list.size();
    const std::string item = list.substr(start, comma - start);
    start = comma + 1;
    if (item.empty()) continue;
    size_t at = 0;
    const long first = Number(item, &at);
    long last = first;
    if (at < item.size() && item[at] == '-') {
      ++at;
      last = Number(item, &at);
    }
    // Pages beyond the bound are left out.
    if (first > kPjlMaxPage || last > kPjlMaxPage) continue;
    out.emplace_back(first, last);
  }
  return out;
}

std::vector<PjlPageRange> Pjl_ParseEntryRanges(const PjlPageEntry& entry, uint32_t index) {
  std::vector<PjlPageRange> out;
  uint32_t item = 0;
  for (const auto& pair : Pjl_ParsePageList(entry.pages)) {
    out.push_back(PjlPageRange{entry.kind, entry.kind, entry.tabInsert, index, item++, pair.first, pair.second,
                               pair.first, pair.second});
  }
  return out;
}

std::vector<PjlPageRange> Pjl_CollectRanges(const std::vector<PjlPageEntry>& entries) {
  std::vector<PjlPageRange> all;
  for (uint32_t i = 0; i < entries.size(); ++i) {
    std::vector<PjlPageRange> one = Pjl_ParseEntryRanges(entries[i], i);
    all.insert(all.end(), one.begin(), one.end());
  }
  return all;
}

std::vector<PjlPageRange*> Pjl_SortAndRenumber(std::vector<PjlPageRange>* ranges) {
  std::vector<PjlPageRange*> sorted;
  for (PjlPageRange& r : *ranges) sorted.push_back(&r);
  std::stable_sort(sorted.begin(), sorted.end(), [](const PjlPageRange* a, const PjlPageRange* b) {
    return a->last != b->last ? a->last < b->last : a->first < b->first;
  });
  for (size_t i = 0; i < sorted.size(); ++i) {
    PjlPageRange* r = sorted[i];
    if (r->kind != 0 || !r->tabInsert) continue;
    const long p = r->newFirst;
    r->workingKind = 1;
    r->newFirst += 1;
    r->newLast += 1;
    for (size_t k = i + 1; k < sorted.size(); ++k) {
      if (sorted[k]->newFirst > p) sorted[k]->newFirst += 1;
      if (sorted[k]->newLast > p) sorted[k]->newLast += 1;
    }
  }
  return sorted;
}

void Pjl_FormatPageRanges(const std::vector<PjlPageEntry>& entries, std::vector<std::string>* texts,
                          std::vector<int32_t>* kinds) {
  std::vector<PjlPageRange> ranges = Pjl_CollectRanges(entries);
  Pjl_SortAndRenumber(&ranges);
  texts->assign(entries.size(), std::string());
  kinds->assign(entries.size(), 0);
  for (uint32_t k = 0; k < entries.size(); ++k) {
    bool first = true;
    for (const PjlPageRange& r : ranges) {
      if (r.entry != k) continue;
      if (first) (*kinds)[k] = r.workingKind;
      (*texts)[k] += (first ? "" : ",") + RangeText(r.newFirst, r.newLast);
      first = false;
    }
    if ((*texts)[k].size() > 20) (*texts)[k].resize(20);
  }
}

std::string Pjl_FormatChapterPages(const std::vector<PjlPageEntry>& entries, const std::string& chapter, size_t size) {
  if (chapter.empty() || size == 0) return std::string();
  std::vector<PjlPageRange> ranges = Pjl_CollectRanges(entries);
  std::vector<PjlPageRange*> sorted = Pjl_SortAndRenumber(&ranges);
  std::vector<std::pair<long, long>> pairs = Pjl_ParsePageList(chapter);
  std::stable_sort(pairs.begin(), pairs.end(), [](const auto& a, const auto& b) {
    return a.second != b.second ? a.second < b.second : a.first < b.first;
  });
  std::vector<long> tabPages;
  for (const PjlPageRange* r : sorted) {
    if (r->kind == 0 && r->tabInsert) tabPages.push_back(r->newFirst);
  }
  for (long tab : tabPages) {
    for (auto& pair : pairs) {
      if (pair.first > tab) ++pair.first;
      if (pair.second > tab) ++pair.second;
    }
  }
  // The marked pages as a set of merged ranges, never a map as long as the
  // largest typed page.
  std::vector<std::pair<long, long>> merged;
  std::sort(pairs.begin(), pairs.end());
  for (const auto& pair : pairs) {
    if (pair.first > pair.second) continue;
    if (!merged.empty() && pair.first <= merged.back().second + 1) {
      merged.back().second = std::max(merged.back().second, pair.second);
    } else {
      merged.push_back(pair);
    }
  }
  const std::set<long> cleared(tabPages.begin(), tabPages.end());
  std::string out;
  for (const auto& range : merged) {
    for (long page = range.first; page <= range.second; ++page) {
      if (page < 1 || cleared.count(page) != 0) continue;
      const std::string item = (out.empty() ? "" : ",") + std::to_string(page);
      if (out.size() + item.size() > size - 1) return out;
      out += item;
    }
  }
  return out;
}
