#include "dproc/finishing/finishing_marks.h"

#include <strings.h>

#include "dproc/model/feature_table.h"
#include "dproc/model/orientation_rules.h"

namespace {

// Rows read at most from one option table, whatever its sizes say.
constexpr int kRowsRead = 64;

void ClearMarks(FinishPositionItem* rows) {
  for (int n = 0; rows != nullptr && rows[n].keyword[0] != '\0' && n < kRowsRead; ++n) rows[n].flag = 0;
}

void MarkByEdge(FinishPositionItem* rows, uint32_t edge) {
  for (int n = 0; rows != nullptr && rows[n].keyword[0] != '\0' && n < kRowsRead; ++n) {
    rows[n].flag |= rows[n].feedData[4 * (edge - kFeedPortrait)];
  }
}

bool KeywordIs(const OptionHead& row, const char* keyword) {
  return strncasecmp(row.keyword, keyword, sizeof row.keyword) == 0;
}

// True when a row of table `name` that `match` accepts carries its mark.
template <typename Match>
bool AnyMarked(const char* name, Match match) {
  const OptionHead* row = FindOptionTable(name);
  for (int n = 0; row != nullptr && row->keyword[0] != '\0' && row->size >= sizeof(OptionHead) && n < kRowsRead; ++n) {
    if (match(*row) && row->flag != 0) return true;
    row = NextOptionRow(row);
  }
  return false;
}

}  // namespace

void ClearStaplePunchMarks(ModelInfo* model) {
  if (model == nullptr) return;
  ClearMarks(model->staples);
  ClearMarks(model->holePunches);
}

void MarkStaplePunchByEdge(ModelInfo* model, const DocDMode* doc) {
  if (model == nullptr || doc == nullptr || model->features[kMfBindingEdge4] != 0) return;
  const uint32_t edge = GetPaperFeedDirection(model, doc);
  if (edge < kFeedPortrait || edge > kFeedLandscape) return;
  MarkByEdge(model->staples, edge);
  MarkByEdge(model->holePunches, edge);
}

int IsBookletSelectable() {
  return AnyMarked("DoubleSides", [](const OptionHead& row) { return KeywordIs(row, "Booklet"); }) ? 0 : 1;
}

int IsPosterLayoutSelectable() {
  return AnyMarked("Nup_op", [](const OptionHead& row) {
           return KeywordIs(row, "2x2") || KeywordIs(row, "3x3") || KeywordIs(row, "4x4");
         })
             ? 0
             : 1;
}
