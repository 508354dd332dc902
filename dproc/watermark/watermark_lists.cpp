#include "dproc/watermark/watermark_lists.h"

#include <cstring>

WatermarkTitle TitleOf(const WaterMarkInfo& mark) {
  WatermarkTitle title;
  std::memcpy(title.text, mark.szWmkTitle, sizeof mark.szWmkTitle);
  title.text[31] = 0;
  return title;
}

WatermarkTitle TitleOf(const WMOrderEntry& entry) {
  WatermarkTitle title;
  std::memcpy(title.text, entry.szName, sizeof entry.szName);
  title.text[31] = 0;
  return title;
}

bool SameTitle(const WatermarkTitle& a, const WatermarkTitle& b) {
  for (size_t i = 0; i < 32; ++i) {
    if (a.text[i] != b.text[i]) return false;
    if (a.text[i] == 0) return true;
  }
  return true;
}

size_t CountDefaultWatermarks(const WaterMarkInfo* table, size_t rows) {
  size_t n = 0;
  while (n < rows && TitleOf(table[n]).text[0] != 0) ++n;
  return n;
}

namespace {

bool SameKey(const WaterMarkInfo& a, const WaterMarkInfo& b) {
  if (a.szKey[0] == '\0') return false;
  return std::strncmp(a.szKey, b.szKey, sizeof a.szKey) == 0;
}

// The first of `count` records whose title is `title`, or null.
const WaterMarkInfo* FindTitle(const WaterMarkInfo* marks, size_t count, const WatermarkTitle& title) {
  for (size_t i = 0; i < count; ++i) {
    if (SameTitle(TitleOf(marks[i]), title)) return &marks[i];
  }
  return nullptr;
}

}  // namespace

size_t AppendMissingDefaults(const WaterMarkInfo* defaults, size_t defaultCount, WaterMarkInfo* list, size_t count,
                             size_t capacity) {
  if (count > capacity) count = capacity;
  for (size_t d = 0; d < defaultCount && count < capacity; ++d) {
    const WatermarkTitle title = TitleOf(defaults[d]);
    bool held = false;
    for (size_t i = 0; i < count && !held; ++i) {
      held = SameKey(defaults[d], list[i]) || SameTitle(TitleOf(list[i]), title);
    }
    if (!held) list[count++] = defaults[d];
  }
  return count;
}

size_t BuildWatermarkOrder(const WMOrderEntry* stored, size_t storedCount, const WaterMarkInfo* publicMarks,
                           size_t publicCount, const WaterMarkInfo* privateMarks, size_t privateCount,
                           WMOrderEntry* out, size_t capacity) {
  const size_t total = publicCount + privateCount;
  if (capacity > total) capacity = total;
  size_t n = 0;
  // An entry is kept once: a repeated entry would name its record twice.
  auto named = [&](uint32_t isPublic, const WatermarkTitle& title) {
    for (size_t i = 0; i < n; ++i) {
      if ((out[i].bPublic != 0) == (isPublic != 0) && SameTitle(TitleOf(out[i]), title)) return true;
    }
    return false;
  };
  auto append = [&](uint32_t isPublic, const WatermarkTitle& title) {
    WMOrderEntry entry{};
    entry.bPublic = isPublic;
    std::memcpy(entry.szName, title.text, sizeof entry.szName);
    out[n++] = entry;
  };
  for (size_t i = 0; i < storedCount && n < capacity; ++i) {
    const WatermarkTitle title = TitleOf(stored[i]);
    const uint32_t isPublic = stored[i].bPublic != 0 ? 1 : 0;
    const bool exists = isPublic ? FindTitle(publicMarks, publicCount, title) != nullptr
                                 : FindTitle(privateMarks, privateCount, title) != nullptr;
    if (exists && !named(isPublic, title)) append(isPublic, title);
  }
  for (size_t i = 0; i < publicCount && n < capacity; ++i) {
    const WatermarkTitle title = TitleOf(publicMarks[i]);
    if (!named(1, title)) append(1, title);
  }
  for (size_t i = 0; i < privateCount && n < capacity; ++i) {
    const WatermarkTitle title = TitleOf(privateMarks[i]);
    if (!named(0, title)) append(0, title);
  }
  return n;
}
