// Counts and sizes from stores: capping, overflow-checked block sizes (as
// the 32-bit build computes them too), whole records only.
#include <gtest/gtest.h>

#include <cstdint>

#include "common/records/stored_counts.h"

namespace {

TEST(StoredCounts, CountsAreCappedAtTheConsumersMaximum) {
  EXPECT_EQ(Store_CapCount(3, 20), 3u);
  EXPECT_EQ(Store_CapCount(20, 20), 20u);
  EXPECT_EQ(Store_CapCount(0xFFFFFFFFu, 20), 20u);
  EXPECT_EQ(Store_CapCount(7, 0), 0u);
  // Counts a settings file keeps as signed numbers.
  EXPECT_EQ(Store_CapSignedCount(-1, 20), 0u);
  EXPECT_EQ(Store_CapSignedCount(INT32_MIN, 20), 0u);
  EXPECT_EQ(Store_CapSignedCount(5, 20), 5u);
  EXPECT_EQ(Store_CapSignedCount(INT32_MAX, 20), 20u);
}

TEST(StoredCounts, BlockSizesRefuseOverflowAndLimits) {
  struct Case {
    size_t head;
    uint32_t count;
    size_t each;
    size_t limit;
    bool ok;
    size_t total;
  } cases[] = {
      {82, 3, 574, SIZE_MAX, true, 82 + 3 * 574},
      {78, 0, 574, SIZE_MAX, true, 78},
      {0, 0xFFFFFFFFu, 0, SIZE_MAX, true, 0},
      // A count that a 32-bit size_t cannot hold at 574 bytes each.
      {82, 0xFFFFFFFFu, 574, 0xFFFFFFFFu, false, 0},
      {SIZE_MAX - 10, 1, 11, SIZE_MAX, false, 0},
      {SIZE_MAX - 10, 1, 10, SIZE_MAX, true, SIZE_MAX},
      {0, 2, SIZE_MAX / 2 + 1, SIZE_MAX, false, 0},
      {100, 10, 10, 199, false, 0},
      {100, 10, 10, 200, true, 200},
  };
  for (const Case& c : cases) {
    size_t total = 12345;
    EXPECT_EQ(Store_BlockSize(c.head, c.count, c.each, &total, c.limit), c.ok) << c.head << " " << c.count;
    EXPECT_EQ(total, c.total) << c.head << " " << c.count;
  }
  EXPECT_FALSE(Store_BlockSize(0, 1, 1, nullptr));
}

TEST(StoredCounts, OnlyWholeRecords) {
  EXPECT_TRUE(Store_IsWholeRecord(449, 449));
  EXPECT_FALSE(Store_IsWholeRecord(448, 449));
  EXPECT_FALSE(Store_IsWholeRecord(450, 449));
  EXPECT_FALSE(Store_IsWholeRecord(0x100000000ull + 449, 449));
}

}  // namespace
