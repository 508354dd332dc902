// Temporary spools and store entries: memory spools, file spools over a
// fake file, copies and entry arrays.
#include "drender/job/temp_spool.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

std::vector<uint8_t> Pattern(uint32_t n, uint32_t seed) {
  std::vector<uint8_t> v(n);
  for (uint32_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>((i * 7 + seed) ^ (i >> 9));
  return v;
}

std::vector<uint8_t> ReadAll(TempSpool* spool) {
  std::vector<uint8_t> out(spool->length);
  uint32_t got = 0;
  if (spool->length) {
    EXPECT_EQ(Spool_Read(spool, 0, out.data(), spool->length, &got), 1u);
  }
  EXPECT_EQ(got, spool->length);
  return out;
}

// A file in memory that can be told to fail, to stall, or to move bytes a
// few at a time.
struct FakeFile {
  std::vector<uint8_t> data;
  uint32_t position = 0;
  uint32_t maxPerCall = 0;
  bool failWrites = false;
  bool stallWrites = false;
  bool removed = false;

  static FakeFile* Of(void* f) { return static_cast<FakeFile*>(f); }
  static bool Seek(void* f, uint32_t offset) {
    Of(f)->position = offset;
    return true;
  }
  static bool Write(void* f, const void* bytes, uint32_t length, uint32_t* written) {
    FakeFile* self = Of(f);
    *written = 0;
    if (self->failWrites) return false;
    if (self->stallWrites) return true;
    uint32_t take = self->maxPerCall && length > self->maxPerCall ? self->maxPerCall : length;
    if (self->data.size() < self->position + take) self->data.resize(self->position + take);
    std::memcpy(self->data.data() + self->position, bytes, take);
    self->position += take;
    *written = take;
    return true;
  }
  static bool Read(void* f, void* buffer, uint32_t length, uint32_t* read) {
    FakeFile* self = Of(f);
    uint32_t left = self->position < self->data.size() ? static_cast<uint32_t>(self->data.size()) - self->position : 0;
    uint32_t take = length < left ? length : left;
    if (self->maxPerCall && take > self->maxPerCall) take = self->maxPerCall;
    std::memcpy(buffer, self->data.data() + self->position, take);
    self->position += take;
    *read = take;
    return true;
  }
  static bool Truncate(void* f) {
    Of(f)->data.resize(Of(f)->position);
    return true;
  }
  static void Remove(void* f, const char16_t*) { Of(f)->removed = true; }
};

constexpr SpoolFileOps kFakeOps = {FakeFile::Seek, FakeFile::Write, FakeFile::Read, FakeFile::Truncate,
                                   FakeFile::Remove};

struct SpoolDeleter {
  void operator()(TempSpool* s) const { Spool_Free(s); }
};
using SpoolPtr = std::unique_ptr<TempSpool, SpoolDeleter>;

TEST(MemorySpoolTest, LargeWriteGrowsInWholeBlocks) {
  SpoolPtr spool(Spool_CreateMemory());
  ASSERT_TRUE(spool);
  EXPECT_EQ(spool->blockCount, 1);
  auto bytes = Pattern(200000, 3);
  ASSERT_EQ(Spool_Write(spool.get(), 0, bytes.data(), 200000), 1u);
  EXPECT_EQ(spool->blockCount, 4);
  EXPECT_EQ(spool->capacity, 262144u);
  EXPECT_EQ(spool->length, 200000u);
  EXPECT_EQ(ReadAll(spool.get()), bytes);
}

TEST(MemorySpoolTest, BlocksNeverMoveWhenTheSpoolGrows) {
  SpoolPtr spool(Spool_CreateMemory());
  auto first = Pattern(100, 1);
  ASSERT_EQ(Spool_Write(spool.get(), 0, first.data(), 100), 1u);
  uint8_t* block0 = spool->blocks[0];
  auto more = Pattern(70000, 2);
  ASSERT_EQ(Spool_Write(spool.get(), 65530, more.data(), 70000), 1u);  // across a block edge
  EXPECT_EQ(spool->blocks[0], block0);
  std::vector<uint8_t> back(70000);
  uint32_t got = 0;
  ASSERT_EQ(Spool_Read(spool.get(), 65530, back.data(), 70000, &got), 1u);
  EXPECT_EQ(got, 70000u);
  EXPECT_EQ(back, more);
}

TEST(MemorySpoolTest, ReadsAtAndNearTheEnd) {
  SpoolPtr spool(Spool_CreateMemory());
  auto bytes = Pattern(1000, 9);
  ASSERT_EQ(Spool_Write(spool.get(), 0, bytes.data(), 1000), 1u);
  uint8_t buffer[100];
  uint32_t got = 99;
  EXPECT_EQ(Spool_Read(spool.get(), 1000, buffer, 100, &got), 0u);
  EXPECT_EQ(got, 0u);
  ASSERT_EQ(Spool_Read(spool.get(), 990, buffer, 100, &got), 1u);
  EXPECT_EQ(got, 10u);
  EXPECT_EQ(0, std::memcmp(buffer, bytes.data() + 990, 10));
  EXPECT_EQ(Spool_Read(spool.get(), 0, buffer, 0, &got), 0u);
}

TEST(MemorySpoolTest, FailedWritesLeaveTheLength) {
  SpoolPtr spool(Spool_CreateMemory());
  uint8_t byte = 1;
  ASSERT_EQ(Spool_Write(spool.get(), 10, &byte, 1), 1u);
  EXPECT_EQ(Spool_Write(spool.get(), 0, nullptr, 5), 0u);
  EXPECT_EQ(Spool_Write(spool.get(), 0, &byte, 0), 0u);
  EXPECT_EQ(Spool_Write(spool.get(), 0xFFFFFFFFu, &byte, 1), 0u);  // no room for a 4 GB spool
  EXPECT_EQ(Spool_Write(nullptr, 0, &byte, 1), 0u);
  EXPECT_EQ(spool->length, 11u);
}

TEST(MemorySpoolTest, CloseWithKeepEmptiesButKeepsBlocks) {
  SpoolPtr spool(Spool_CreateMemory());
  auto bytes = Pattern(150000, 4);
  ASSERT_EQ(Spool_Write(spool.get(), 0, bytes.data(), 150000), 1u);
  Spool_Close(spool.get(), 1);
  EXPECT_EQ(spool->length, 0u);
  EXPECT_EQ(spool->blockCount, 3);
  Spool_Close(spool.get(), 0);
  EXPECT_EQ(spool->blockCount, 0);
  EXPECT_EQ(spool->capacity, 0u);
  EXPECT_EQ(spool->blocks, nullptr);
  // A closed memory spool can be written again.
  ASSERT_EQ(Spool_Write(spool.get(), 0, bytes.data(), 10), 1u);
  EXPECT_EQ(spool->length, 10u);
}

TEST(FileSpoolTest, ShortWritesAndReadsAreContinued) {
  FakeFile file;
  file.maxPerCall = 1000;
  SpoolPtr spool(Spool_CreateOverFile(&file, &kFakeOps, u"C:\\tmp\\kp000001.tmp"));
  ASSERT_TRUE(spool);
  auto bytes = Pattern(5000, 5);
  ASSERT_EQ(Spool_Write(spool.get(), 0, bytes.data(), 5000), 1u);
  EXPECT_EQ(spool->length, 5000u);
  EXPECT_EQ(ReadAll(spool.get()), bytes);
  Spool_Close(spool.get(), 1);
  EXPECT_TRUE(file.data.empty());
  EXPECT_FALSE(file.removed);
  Spool_Close(spool.get(), 0);
  EXPECT_TRUE(file.removed);
}

TEST(FileSpoolTest, AWriteThatFailsOrStallsFailsAndKeepsTheLength) {
  for (bool stall : {false, true}) {
    FakeFile file;
    SpoolPtr spool(Spool_CreateOverFile(&file, &kFakeOps, u"x"));
    auto bytes = Pattern(100, 6);
    ASSERT_EQ(Spool_Write(spool.get(), 0, bytes.data(), 100), 1u);
    (stall ? file.stallWrites : file.failWrites) = true;
    EXPECT_EQ(Spool_Write(spool.get(), 100, bytes.data(), 100), 0u) << stall;
    EXPECT_EQ(spool->length, 100u);
  }
}

TEST(SpoolCopyTest, CopiesAcrossKindsInPieces) {
  SpoolPtr memory(Spool_CreateMemory());
  auto bytes = Pattern(150000, 8);
  ASSERT_EQ(Spool_Write(memory.get(), 0, bytes.data(), 150000), 1u);
  FakeFile file;
  SpoolPtr target(Spool_CreateOverFile(&file, &kFakeOps, u"t"));
  uint8_t lead[3] = {1, 2, 3};
  ASSERT_EQ(Spool_Write(target.get(), 0, lead, 3), 1u);
  ASSERT_EQ(Spool_Copy(memory.get(), 100, target.get(), 3, 149900), 1u);
  EXPECT_EQ(target->length, 149903u);
  std::vector<uint8_t> want(lead, lead + 3);
  want.insert(want.end(), bytes.begin() + 100, bytes.end());
  EXPECT_EQ(ReadAll(target.get()), want);
}

TEST(SpoolCopyTest, Failures) {
  SpoolPtr empty(Spool_CreateMemory());
  SpoolPtr target(Spool_CreateMemory());
  EXPECT_EQ(Spool_Copy(empty.get(), 0, target.get(), 0, 0), 0u);
  auto bytes = Pattern(10, 1);
  ASSERT_EQ(Spool_Write(empty.get(), 0, bytes.data(), 10), 1u);
  // A range running past the source's end copies what is there and fails.
  EXPECT_EQ(Spool_Copy(empty.get(), 0, target.get(), 0, 20), 0u);
  EXPECT_EQ(Spool_Copy(nullptr, 0, target.get(), 0, 1), 0u);
  EXPECT_EQ(Spool_Copy(empty.get(), 0, nullptr, 0, 1), 0u);
}

TEST(EntryTest, AppendCopiesToTheTargetsEndAndNamesTheCopy) {
  SpoolPtr capture(Spool_CreateMemory());
  SpoolPtr pages(Spool_CreateMemory());
  auto header = Pattern(40, 1), page = Pattern(700, 2);
  ASSERT_EQ(Spool_Write(pages.get(), 0, header.data(), 40), 1u);
  ASSERT_EQ(Spool_Write(capture.get(), 0, page.data(), 700), 1u);
  PageSettings settings{};
  settings.paperSize = 9;
  settings.tabMark = 255;
  PageStoreEntry entry;
  Entry_Init(&entry, 1, capture.get(), &settings);
  EXPECT_EQ(entry.length, 700u);
  PageStoreEntry* rows = Entry_Append(nullptr, 0, &entry, pages.get());
  ASSERT_NE(rows, nullptr);
  EXPECT_EQ(rows[0].spool, pages.get());
  EXPECT_EQ(rows[0].offset, 40u);
  EXPECT_EQ(rows[0].length, 700u);
  EXPECT_EQ(rows[0].settings.paperSize, 9);
  EXPECT_EQ(rows[0].settings.tabMark, 255);
  // Without a target the row keeps the entry's spool and range.
  Entry_Init(&entry, 2, capture.get(), nullptr);
  PageStoreEntry* more = Entry_Append(rows, 1, &entry, nullptr);
  ASSERT_NE(more, nullptr);
  EXPECT_EQ(more[0].offset, 40u);
  EXPECT_EQ(more[1].spool, capture.get());
  EXPECT_EQ(more[1].kind, 2u);
  EXPECT_EQ(more[1].settings.paperSize, 0);
  std::vector<uint8_t> back(700);
  uint32_t got = 0;
  ASSERT_EQ(Spool_Read(pages.get(), more[0].offset, back.data(), 700, &got), 1u);
  EXPECT_EQ(back, page);
  Entry_FreeArray(more);
}

TEST(EntryTest, AppendRefusesMismatchedArraysAndFailedCopies) {
  SpoolPtr capture(Spool_CreateMemory());
  SpoolPtr target(Spool_CreateMemory());
  PageStoreEntry entry;
  Entry_Init(&entry, 3, capture.get(), nullptr);
  PageStoreEntry* one = Entry_Append(nullptr, 0, &entry, nullptr);
  ASSERT_NE(one, nullptr);
  EXPECT_EQ(Entry_Append(nullptr, 1, &entry, nullptr), nullptr);
  EXPECT_EQ(Entry_Append(one, 0, &entry, nullptr), nullptr);
  // An empty capture cannot be copied: the old array stays as it was.
  EXPECT_EQ(Entry_Append(one, 1, &entry, target.get()), nullptr);
  EXPECT_EQ(one[0].kind, 3u);
  Entry_FreeArray(one);
}

}  // namespace
