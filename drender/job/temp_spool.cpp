// Temporary spools and store entries.
#include "drender/job/temp_spool.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr uint32_t kMaxBlocks = 0xFFFF;  // the block count is 16-bit
constexpr uint32_t kMaxEntries = 0x100000;

bool FileWriteAll(TempSpool* spool, uint32_t offset, const uint8_t* bytes, uint32_t length) {
  const SpoolFileOps* ops = spool->fileOps;
  if (!ops || !ops->seek || !ops->write || !ops->seek(spool->file, offset)) return false;
  while (length > 0) {
    uint32_t written = 0;
    if (!ops->write(spool->file, bytes, length, &written) || written == 0 || written > length) return false;
    bytes += written;
    length -= written;
  }
  return true;
}

bool FileReadAll(TempSpool* spool, uint32_t offset, uint8_t* buffer, uint32_t count, uint32_t* got) {
  const SpoolFileOps* ops = spool->fileOps;
  *got = 0;
  if (!ops || !ops->seek || !ops->read || !ops->seek(spool->file, offset)) return false;
  while (*got < count) {
    uint32_t read = 0;
    if (!ops->read(spool->file, buffer + *got, count - *got, &read)) return false;
    if (read == 0) break;  // end of file
    if (read > count - *got) return false;
    *got += read;
  }
  return true;
}

}  // namespace

TempSpool* Spool_CreateMemory() {
  auto* spool = static_cast<TempSpool*>(std::calloc(1, sizeof(TempSpool)));
  if (!spool) return nullptr;
  spool->kind = kSpoolMemory;
  if (!Spool_Grow(spool, kSpoolBlockSize)) {
    std::free(spool);
    return nullptr;
  }
  return spool;
}

TempSpool* Spool_CreateOverFile(void* file, const SpoolFileOps* ops, const char16_t* name) {
  auto* spool = static_cast<TempSpool*>(std::calloc(1, sizeof(TempSpool)));
  if (!spool) return nullptr;
  spool->kind = kSpoolFile;
  spool->file = file;
  spool->fileOps = ops;
  for (size_t i = 0; name && i + 1 < kSpoolNameChars && name[i]; ++i) spool->fileName[i] = name[i];
  return spool;
}

void Spool_Close(TempSpool* spool, int keep) {
  if (!spool) return;
  spool->length = 0;
  if (spool->kind == kSpoolFile) {
    const SpoolFileOps* ops = spool->fileOps;
    if (!spool->file || !ops) return;
    if (keep) {
      if (ops->seek && ops->seek(spool->file, 0) && ops->truncate) ops->truncate(spool->file);
    } else {
      if (ops->remove) ops->remove(spool->file, spool->fileName);
      spool->file = nullptr;
    }
    return;
  }
  if (keep) return;
  for (uint32_t i = 0; i < spool->blockCount; ++i) std::free(spool->blocks[i]);
  std::free(spool->blocks);
  spool->blocks = nullptr;
  spool->blockCount = 0;
  spool->capacity = 0;
}

void Spool_Free(TempSpool* spool) {
  if (!spool) return;
  Spool_Close(spool, 0);
  std::free(spool);
}

uint32_t Spool_Grow(TempSpool* spool, uint32_t size) {
  if (!spool || spool->kind == kSpoolFile) return 0;
  if (size <= spool->capacity) return 1;
  uint32_t needed = size / kSpoolBlockSize + (size % kSpoolBlockSize ? 1 : 0);
  if (needed > kMaxBlocks) return 0;
  auto** table = static_cast<uint8_t**>(std::calloc(needed, sizeof(uint8_t*)));
  if (!table) return 0;
  for (uint32_t i = 0; i < spool->blockCount; ++i) table[i] = spool->blocks[i];
  for (uint32_t i = spool->blockCount; i < needed; ++i) {
    table[i] = static_cast<uint8_t*>(std::calloc(1, kSpoolBlockSize));
    if (!table[i]) {
      for (uint32_t j = spool->blockCount; j < i; ++j) std::free(table[j]);
      std::free(table);
      return 0;
    }
  }
  std::free(spool->blocks);
  spool->blocks = table;
  spool->blockCount = static_cast<uint16_t>(needed);
  spool->capacity = needed * kSpoolBlockSize;
  return 1;
}

uint32_t Spool_Write(TempSpool* spool, uint32_t offset, const void* bytes, uint32_t length) {
  if (!spool || !bytes || length == 0) return 0;
  if (offset > UINT32_MAX - length) return 0;
  const uint32_t end = offset + length;
  const auto* from = static_cast<const uint8_t*>(bytes);
  if (spool->kind == kSpoolFile) {
    if (!FileWriteAll(spool, offset, from, length)) return 0;
  } else {
    if (end > spool->capacity && !Spool_Grow(spool, end)) return 0;
    uint32_t at = offset;
    while (at < end) {
      uint32_t inBlock = at % kSpoolBlockSize;
      uint32_t piece = kSpoolBlockSize - inBlock;
      if (piece > end - at) piece = end - at;
      std::memcpy(spool->blocks[at / kSpoolBlockSize] + inBlock, from, piece);
      from += piece;
      at += piece;
    }
  }
  if (end > spool->length) spool->length = end;
  return 1;
}

uint32_t Spool_Read(TempSpool* spool, uint32_t offset, void* buffer, uint32_t count, uint32_t* bytesRead) {
  if (bytesRead) *bytesRead = 0;
  if (!spool || !buffer || count == 0 || offset >= spool->length) return 0;
  auto* to = static_cast<uint8_t*>(buffer);
  uint32_t got = 0;
  if (spool->kind == kSpoolFile) {
    if (!FileReadAll(spool, offset, to, count, &got)) return 0;
  } else {
    uint32_t available = spool->length - offset;
    uint32_t want = count < available ? count : available;
    // The length never passes the capacity, so every block read is there.
    while (got < want) {
      uint32_t at = offset + got;
      uint32_t inBlock = at % kSpoolBlockSize;
      uint32_t piece = kSpoolBlockSize - inBlock;
      if (piece > want - got) piece = want - got;
      std::memcpy(to + got, spool->blocks[at / kSpoolBlockSize] + inBlock, piece);
      got += piece;
    }
  }
  if (bytesRead) *bytesRead = got;
  return 1;
}

uint32_t Spool_Copy(TempSpool* source, uint32_t sourceOffset, TempSpool* target, uint32_t targetOffset,
                    uint32_t count) {
  if (!source || !target || sourceOffset >= source->length) return 0;
  auto* piece = static_cast<uint8_t*>(std::malloc(kSpoolBlockSize));
  if (!piece) return 0;
  uint32_t result = 1;
  while (count > 0) {
    uint32_t want = count < kSpoolBlockSize ? count : kSpoolBlockSize;
    uint32_t got = 0;
    if (!Spool_Read(source, sourceOffset, piece, want, &got) || got == 0 ||
        !Spool_Write(target, targetOffset, piece, got)) {
      result = 0;
      break;
    }
    sourceOffset += got;
    targetOffset += got;
    count -= got;
  }
  std::free(piece);
  return result;
}

void Entry_Init(PageStoreEntry* entry, uint32_t kind, TempSpool* spool, const PageSettings* settings) {
  if (!entry) return;
  std::memset(entry, 0, sizeof(*entry));
  entry->kind = kind;
  entry->spool = spool;
  entry->offset = 0;
  entry->length = spool ? spool->length : 0;
  if (settings) entry->settings = *settings;
}

PageStoreEntry* Entry_Append(PageStoreEntry* array, uint32_t count, const PageStoreEntry* entry,
                             TempSpool* target) {
  if (!entry || (array == nullptr) != (count == 0) || count >= kMaxEntries) return nullptr;
  PageStoreEntry row = *entry;
  if (target) {
    uint32_t at = target->length;
    if (!Spool_Copy(entry->spool, entry->offset, target, at, entry->length)) return nullptr;
    row.spool = target;
    row.offset = at;
  }
  auto* grown = static_cast<PageStoreEntry*>(std::calloc(count + 1, sizeof(PageStoreEntry)));
  if (!grown) return nullptr;
  if (count > 0) std::memcpy(grown, array, count * sizeof(PageStoreEntry));
  grown[count] = row;
  grown[count].reserved4 = 0;
  std::memset(grown[count].reserved, 0, sizeof(grown[count].reserved));
  std::free(array);
  return grown;
}

void Entry_FreeArray(PageStoreEntry* array) { std::free(array); }
