#include "dproc/constraints/page_hints.h"

namespace {

PageHintList g_pages[kPageHintRows + 1] = {
    {100, 0, {}, 0},  {101, 0, {}, 0}, {110, 0, {}, 0}, {113, 0, {}, 0},  {104, 0, {}, 0}, {196, 0, {}, 0},
    {161, 0, {}, 0},  {156, 0, {}, 0}, {177, 0, {}, 0}, {157, 0, {}, 0},  {132, 0, {}, 0}, {2171, 0, {}, 0},
    {163, 0, {}, 0},  {137, 0, {}, 0}, {139, 0, {}, 0}, {153, 0, {}, 0},  {142, 0, {}, 0}, {127, 0, {}, 0},
    {158, 0, {}, 0},  {160, 0, {}, 0}, {159, 0, {}, 0}, {115, 0, {}, 0},  {168, 0, {}, 0}, {180, 0, {}, 0},
    {0, 0, {}, 0},
};

}  // namespace

PageHintList* PageHintTable() { return g_pages; }

PageHintList* FindPageHints(uint32_t pageId) {
  for (PageHintList* row = g_pages; row->pageId != 0; ++row) {
    if (row->pageId == pageId) return row;
  }
  return nullptr;
}

void ClearPageHints() {
  for (PageHintList* row = g_pages; row->pageId != 0; ++row) {
    row->hasHints = 0;
    row->count = 0;
  }
}

void AddPageHint(uint32_t pageId, uint32_t hint) {
  if (pageId == 0) return;
  for (PageHintList* row = g_pages; row->pageId != 0; ++row) {
    if (row->pageId != pageId) continue;
    row->hasHints = 1;
    bool listed = false;
    for (int32_t i = 0; i < row->count; ++i) listed |= row->hints[i] == hint;
    if (!listed && row->count < static_cast<int32_t>(kPageHintCapacity)) row->hints[row->count++] = hint;
  }
}
