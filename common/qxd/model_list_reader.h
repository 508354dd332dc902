// Helpers of the model loaders: reading a list section's header with its
// count bounded, and one item record with its key and display text.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "common/qxd/qxd_reader.h"

// No list of a description file comes near this many rows; a larger count
// is damage and is cut to it.
inline constexpr uint32_t kMaxListRows = 4096;

struct ListSection {
  uint32_t header = 0;   // offset of the section header
  QxdListHeader list{};  // count bounded: the index lies inside the file
};

// Finds a section and reads its list header.  False when the section is
// absent or its list header cannot be read.  The count is cut so that the
// index of entry offsets lies inside the file and holds at most
// kMaxListRows entries.
bool OpenListSection(QxdContext* ctx, const char* name, ListSection* out);

// Reads the record of index entry `i` (`size` bytes, zero-filled first).
// False, record all zero, when the index or the record cannot be read.
bool ReadListRecord(QxdContext* ctx, const ListSection& s, uint32_t i, void* record, uint32_t size);

// The key (cut to `capacity` - 1) and the wide display text (cut to
// `units` - 1) of an entry whose first 16 bytes are a QxdEntry.  Missing
// texts leave the destinations empty.
void ReadEntryTexts(QxdContext* ctx, const QxdEntry& entry, char* key, size_t capacity, char16_t* text,
                    size_t units);

// What a file can honestly describe.  Rows of a list may share index
// entries and records, so that the counts alone would let a small file ask
// for gigabytes; but in an honest file every row of the lists that a loader
// follows offsets into stands on a record of its own.  Such a loader keeps
// one budget per file: the bytes of the file, from which each list takes
// its count times its record size, and it refuses a list that would take
// more than is left.
struct RowBudget {
  uint64_t bytes;
};
RowBudget FileRowBudget(const QxdContext* ctx);
// False (nothing taken) when `count` records of `recordSize` bytes exceed
// what is left; otherwise takes them.
bool TakeRows(RowBudget* budget, uint32_t count, uint32_t recordSize);

// Takes count + 1 rows of T zero-filled; null when memory is short.
template <typename T>
T* AllocRows(uint32_t count) {
  return static_cast<T*>(std::calloc(static_cast<size_t>(count) + 1, sizeof(T)));
}

// Reads a list section into count + 1 rows of Row: each row gets its size
// field, and `fill`(row, record, entry, i) completes it from the index
// entry's record of RecordSize bytes (rows whose record cannot be read stay
// empty).  `count` receives the number of entries read.  Null when the
// section is absent or memory is short.
template <typename Row, uint32_t RecordSize, typename Fill>
Row* ReadRowList(QxdContext* ctx, const char* section, uint32_t* count, Fill fill) {
  static_assert(RecordSize >= sizeof(QxdEntry));
  ListSection s;
  if (!OpenListSection(ctx, section, &s)) return nullptr;
  Row* rows = AllocRows<Row>(s.list.count);
  if (rows == nullptr) return nullptr;
  for (uint32_t i = 0; i < s.list.count; ++i) {
    Row& row = rows[i];
    row.size = sizeof row;
    uint8_t record[RecordSize];
    if (!ReadListRecord(ctx, s, i, record, RecordSize)) continue;
    QxdEntry entry;
    std::memcpy(&entry, record, sizeof entry);
    fill(row, record, entry, i);
  }
  if (count != nullptr) *count = s.list.count;
  return rows;
}

// Copies at most `capacity` - 1 characters of a narrow text and terminates.
void CopyText(char* dst, size_t capacity, const char* src, size_t srcCapacity);
void CopyWide(char16_t* dst, size_t capacity, const char16_t* src, size_t srcCapacity);
