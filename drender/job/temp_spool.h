// Temporary byte stores of a captured job and the entries that name byte
// ranges of them.  A memory spool grows in 64 KB blocks that never move; a
// file spool is one temporary file.  Every operation returns 1 or 0 and
// leaves a spool's length as it was when it fails.
//
// This module needs no Windows interface: a file spool reaches its file
// through the operations its creator attached (temp_spool_file.h).
#pragma once

#include <cstddef>
#include <cstdint>

#include "drender/settings/page_settings.h"

inline constexpr uint16_t kSpoolMemory = 1;
inline constexpr uint16_t kSpoolFile = 2;
inline constexpr uint32_t kSpoolBlockSize = 65536;
inline constexpr size_t kSpoolNameChars = 262;

// What a file spool does with its file.
struct SpoolFileOps {
  bool (*seek)(void* file, uint32_t offset);  // from the start
  // One call each; true with the count moved (0 at the end of the file).
  bool (*write)(void* file, const void* bytes, uint32_t length, uint32_t* written);
  bool (*read)(void* file, void* buffer, uint32_t length, uint32_t* read);
  bool (*truncate)(void* file);  // at the current position
  // Closes the file and removes it.
  void (*remove)(void* file, const char16_t* name);
};

struct TempSpool {
  uint16_t kind;                       // kSpoolMemory or kSpoolFile
  char16_t fileName[kSpoolNameChars];  // full path (file kind)
  void* file;                          // open file (file kind)
  const SpoolFileOps* fileOps;         // (file kind)
  uint8_t** blocks;                    // block table (memory kind)
  uint16_t blockCount;
  uint32_t capacity;                   // blockCount * 65536
  uint32_t length;                     // highest offset written: the logical size
};

// A byte range of a spool with the page settings that belong to it.
struct PageStoreEntry {
  uint32_t kind;  // 1 header part, 2 trailer part, else the page number
  uint32_t reserved4;
  TempSpool* spool;
  uint32_t offset;
  uint32_t length;
  PageSettings settings;
  uint8_t reserved[4];
};
static_assert(offsetof(PageStoreEntry, spool) == 8);
static_assert(sizeof(PageStoreEntry) == (sizeof(void*) == 8 ? 544 : 540));

// A memory spool with one zero-filled block, or null.
TempSpool* Spool_CreateMemory();
// A file spool over an open file (`name` is kept, cut to 261 characters),
// or null when it cannot be allocated (the file is then left to the caller).
TempSpool* Spool_CreateOverFile(void* file, const SpoolFileOps* ops, const char16_t* name);
// Empties the spool.  With `keep` a file is truncated and a memory spool
// keeps its blocks; without it the file is closed and removed, the blocks
// freed.  The spool record itself stays with its owner (Spool_Free).
void Spool_Close(TempSpool* spool, int keep);
// Closes without keep and frees the record.  Null is accepted.
void Spool_Free(TempSpool* spool);
uint32_t Spool_Grow(TempSpool* spool, uint32_t size);
uint32_t Spool_Write(TempSpool* spool, uint32_t offset, const void* bytes, uint32_t length);
uint32_t Spool_Read(TempSpool* spool, uint32_t offset, void* buffer, uint32_t count, uint32_t* bytesRead);
uint32_t Spool_Copy(TempSpool* source, uint32_t sourceOffset, TempSpool* target, uint32_t targetOffset,
                    uint32_t count);

// The entry covers the whole spool and takes the settings (zero without).
void Entry_Init(PageStoreEntry* entry, uint32_t kind, TempSpool* spool, const PageSettings* settings);
// A new array of count + 1 rows whose last row is `entry`; with a target,
// the entry's bytes are first copied to the target's end and the row names
// that copy.  The old array is freed on success and unchanged on failure.
PageStoreEntry* Entry_Append(PageStoreEntry* array, uint32_t count, const PageStoreEntry* entry,
                             TempSpool* target);
void Entry_FreeArray(PageStoreEntry* array);
