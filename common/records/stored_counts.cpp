#include "common/records/stored_counts.h"

bool Store_BlockSize(size_t head, uint32_t count, size_t each, size_t* total, size_t limit) {
  if (total == nullptr) return false;
  *total = 0;
  if (each != 0 && count > (SIZE_MAX - head) / each) return false;
  const size_t bytes = head + static_cast<size_t>(count) * each;
  if (bytes > limit) return false;
  *total = bytes;
  return true;
}
