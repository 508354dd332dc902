#include "dproc/watermark/stamp_rules.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int32_t kFieldHighest = 32767;  // the largest value of the signed 16-bit start number

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

