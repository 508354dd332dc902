#include "drender/text/dbcs_repertoire.h"

namespace {

// Bisection over the ranges [begin, end) of the table.
uint32_t InRanges(uint16_t unit, uint32_t begin, uint32_t end) {
  while (begin < end) {
    uint32_t middle = begin + (end - begin) / 2;
    const DbcsRange& range = kDbcsRepertoireRanges[middle];
    if (unit < range.first) {
      end = middle;
    } else if (unit > range.last) {
      begin = middle + 1;
    } else {
      return 1;
    }
  }
  return 0;
}

}  // namespace

uint32_t Font_IsInDbcsRepertoireLow(uint16_t unit) {
  if (unit >= 0x8000) return 0;
  return InRanges(unit, 0, kDbcsRepertoireRangeCount);
}

uint32_t Font_IsInDbcsRepertoire(uint16_t unit) {
  if (unit < 0x8000) return Font_IsInDbcsRepertoireLow(unit);
  return InRanges(unit, 0, kDbcsRepertoireRangeCount);
}
