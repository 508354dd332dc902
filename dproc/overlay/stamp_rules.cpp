#include "dproc/overlay/stamp_rules.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int32_t kFieldHighest = 32767;  // the largest value of the signed 16-bit start number

// The text between the first and the last character.
void AppendInner(const char16_t* text, char16_t* out, size_t capacity, size_t* at) {
  if (text == nullptr) return;
  size_t length = 0;
  while (text[length] != 0) ++length;
  if (length < 2) return;
  for (size_t i = 1; i + 1 < length && *at + 1 < capacity; ++i) out[(*at)++] = text[i];
}

}  // namespace

NumberingRange NumberingStartRangeOf(const ModelInfo* model) {
  if (model == nullptr || (model->startNumberMax == 0 && model->startNumberMin == 0)) return {1, 9999};
  int32_t lowest = std::min<int32_t>(model->startNumberMin, kFieldHighest);
  int32_t highest = std::min<int32_t>(model->startNumberMax, kFieldHighest);
  if (highest < lowest) std::swap(lowest, highest);
  return {lowest, highest};
}

int NumberingDigits(const NumberingRange& range) {
  int32_t largest = std::max(std::abs(range.lowest), std::abs(range.highest));
  int digits = 1;
  while (largest >= 10) largest /= 10, ++digits;
  return digits;
}

void FormatStampSample(const char16_t* dateText, const char16_t* timeText, char16_t* out, size_t capacity) {
  if (out == nullptr || capacity == 0) return;
  size_t at = 0;
  AppendInner(dateText, out, capacity, &at);
  if (at + 1 < capacity) out[at++] = u' ';
  AppendInner(timeText, out, capacity, &at);
  if (at > 0 && out[at - 1] == u' ') --at;
  out[at] = 0;
}
