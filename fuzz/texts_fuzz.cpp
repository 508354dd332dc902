// Texts typed by the user or read back from stored settings: page ranges
// (parsed, sorted, merged, checked for overlaps and written back), the
// layout sheet's page list, the per-page lists, and number texts in
// hundredths, thousandths and the edit fields' units.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "common/records/inter_sheet_list.h"
#include "common/records/inter_sheet_rules.h"
#include "common/text/number_text.h"
#include "common/text/page_ranges.h"
#include "dproc/model/edit_items.h"
#include "dproc/perpage/per_page_preview.h"
#include "fuzz/fuzz_input.h"

namespace {

void Ranges(const char16_t* text) {
  CheckPageNumberText(text);
  CheckRangeCharset(text, u"0123456789-,");
  PageRange* ranges = nullptr;
  uint32_t count = 0;
  if (ParsePageRanges(text, 1, 2, &ranges, &count) == kRangeOk) {
    PageRange* overlaps = nullptr;
    uint32_t overlapCount = 0;
    FindRangeOverlaps(ranges, count, &overlaps, &overlapCount);
    FreeRangeBlock(overlaps);
    SortPageRanges(ranges, count);
    MergePageRanges(ranges, &count);
    char16_t* back = nullptr;
    if (RangesToText(ranges, count, &back) == kRangeOk) FreeRangeBlock(back);
  }
  FreeRangeBlock(ranges);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  const uint8_t mode = in.Take<uint8_t>();
  SetPageRangeLimits(in.Take<uint16_t>() | 1u, in.Take<uint16_t>() | 1u);
  const std::u16string text = WideTextOf(in.data(), in.size());
  Ranges(text.c_str());

  char16_t list[kRangeListCapacity + 1] = {};
  std::memcpy(list, text.data(), std::min(text.size(), kRangeListCapacity) * sizeof(char16_t));
  char16_t* overlapText = nullptr;
  FormatRangeList(list, &overlapText);
  FreeRangeBlock(overlapText);

  // The per-page lists: the text cut into entries of at most 32 characters.
  InterSheetEntry entries[4] = {};
  for (size_t e = 0, at = 0; e < 4 && at < text.size(); ++e, at += 32) {
    const size_t n = std::min<size_t>(32, text.size() - at);
    std::memcpy(entries[e].pages, text.data() + at, n * sizeof(char16_t));
    entries[e].printType = (mode >> e) & 1;
    entries[e].paperSource = (mode >> (e + 4)) & 1;
  }
  overlapText = nullptr;
  ParseRangeList(entries, 4, &overlapText);
  FreeRangeBlock(overlapText);

  // Their tab numbers, and a tab sheet of the text's first units fitted
  // into a picture.
  int32_t tabs[4];
  for (size_t e = 0; e < 4; ++e) {
    entries[e].tabPaper = (mode >> e) & 1;
    entries[e].captionPos = static_cast<uint32_t>(mode >> e);
  }
  NumberTabs(entries, 4, static_cast<int32_t>(mode % 17) - 1, tabs);
  TabSettings tab = {};
  std::memcpy(&tab, text.data(), std::min(sizeof tab, text.size() * sizeof(char16_t)));
  TabLength(tab);
  WidestFittingGap(tab);
  uint32_t fontSize = 0;
  std::memcpy(&fontSize, text.data(), std::min(sizeof fontSize, text.size() * sizeof(char16_t)));
  FitTabSchematic(tab, fontSize, 157);

  ParseHundredths(text.c_str());
  ParseThousandths(text.c_str());
  char16_t out[64];
  const int32_t value = ParseThousandths(text.c_str());
  FormatTenths(value, out, 64);
  FormatHundredths(value, out, 8);
  FormatThousandths(value, out, 64);
  PutDecimalDigits(static_cast<uint64_t>(value) * 7919u, out);
  for (int stored = 0; stored <= 5; ++stored) {
    const int display = 1 + (mode + stored) % 5;
    const int32_t n = ParseEditNumber(text.c_str(), stored, display);
    FormatEditNumber(n, stored, display, out, 64);
    int32_t converted = n;
    ConvertEditUnits(stored, display, 1 + mode % 3, &converted);
  }
  return 0;
}
