#include "common/qxd/model_list_reader.h"

#include <cstring>

RowBudget FileRowBudget(const QxdContext* ctx) { return RowBudget{ctx != nullptr ? QxdFileSize(ctx) : 0u}; }

bool TakeRows(RowBudget* budget, uint32_t count, uint32_t recordSize) {
  const uint64_t bytes = uint64_t{count} * recordSize;
  if (budget == nullptr || bytes > budget->bytes) return false;
  budget->bytes -= bytes;
  return true;
}

bool OpenListSection(QxdContext* ctx, const char* name, ListSection* out) {
  *out = ListSection{};
  const uint32_t header = QxdFindSection(ctx, name);
  if (header == 0) return false;
  QxdListHeader list;
  if (!QxdReadListHeader(ctx, header + kQxdListHeaderAt, &list)) return false;
  uint32_t count = list.count;
  if (count > kMaxListRows) count = kMaxListRows;
  while (count > 0 && !QxdArrayFits(ctx, list.indexOffset, count, 4)) {
    // Keep the entries whose offsets are readable.
    const uint32_t size = QxdFileSize(ctx);
    count = list.indexOffset < size ? (size - list.indexOffset) / 4 : 0;
    if (count > kMaxListRows) count = kMaxListRows;
  }
  list.count = count;
  out->header = header;
  out->list = list;
  return true;
}

bool ReadListRecord(QxdContext* ctx, const ListSection& s, uint32_t i, void* record, uint32_t size) {
  std::memset(record, 0, size);
  uint32_t at = 0;
  if (!QxdReadIndexEntry(ctx, s.list, i, &at)) return false;
  if (!QxdReadRecord(ctx, at, record, size)) {
    std::memset(record, 0, size);
    return false;
  }
  return true;
}

void ReadEntryTexts(QxdContext* ctx, const QxdEntry& entry, char* key, size_t capacity, char16_t* text,
                    size_t units) {
  if (key != nullptr && capacity != 0) {
    key[0] = '\0';
    QxdReadString(ctx, entry.keyOffset, key, capacity);
  }
  if (text != nullptr && units != 0) {
    text[0] = 0;
    QxdReadWideString(ctx, entry.textOffset, text, units);
  }
}

void CopyText(char* dst, size_t capacity, const char* src, size_t srcCapacity) {
  if (capacity == 0) return;
  size_t n = 0;
  while (n + 1 < capacity && n < srcCapacity && src[n] != '\0') {
    dst[n] = src[n];
    ++n;
  }
  dst[n] = '\0';
}

void CopyWide(char16_t* dst, size_t capacity, const char16_t* src, size_t srcCapacity) {
  if (capacity == 0) return;
  size_t n = 0;
  while (n + 1 < capacity && n < srcCapacity && src[n] != 0) {
    dst[n] = src[n];
    ++n;
  }
  dst[n] = 0;
}
