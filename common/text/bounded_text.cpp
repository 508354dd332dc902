// Narrow texts in fixed-size fields.
#include "common/text/bounded_text.h"

#include <cctype>

void CopyText(char* to, size_t capacity, const char* from) {
  if (to == nullptr || capacity == 0) return;
  const size_t n = from == nullptr ? 0 : strnlen(from, capacity - 1);
  if (n > 0) std::memcpy(to, from, n);
  to[n] = '\0';
}

bool SameIgnoringCase(const char* a, const char* b, size_t limit) {
  for (size_t i = 0; i < limit; ++i) {
    const int ca = std::tolower(static_cast<unsigned char>(a[i]));
    const int cb = std::tolower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return false;
    if (ca == 0) return true;
  }
  return true;
}
