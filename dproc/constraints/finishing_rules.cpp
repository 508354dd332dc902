#include "dproc/constraints/finishing_rules.h"

namespace {

// The four words of a feed direction in a position row: change flag,
// refusal entry, replacement value, change entry.
const uint32_t* FeedWords(const FinishPositionItem* list, int32_t value, uint32_t direction) {
  if (list == nullptr || direction < kFeedDirectionFirst || direction > kFeedDirectionFirst + 2) return nullptr;
  for (const FinishPositionItem* row = list; row->keyword[0] != '\0'; ++row) {
    if (static_cast<int32_t>(row->value) == value) return row->feedData + 4 * (direction - kFeedDirectionFirst);
  }
  return nullptr;
}

uint32_t ChangeOf(const FinishPositionItem* list, int32_t value, uint32_t direction, int32_t* replacement) {
  if (replacement != nullptr) *replacement = 0;
  const uint32_t* w = FeedWords(list, value, direction);
  if (w == nullptr || w[0] == 0) return 0;
  if (replacement != nullptr) *replacement = static_cast<int32_t>(w[2]);
  return w[3];
}

}  // namespace

uint32_t GetStapleRefusalText(const ModelInfo* model, int32_t staple, uint32_t direction) {
  const uint32_t* w = FeedWords(model != nullptr ? model->staples : nullptr, staple, direction);
  return w != nullptr ? w[1] : 0;
}

uint32_t GetHolePunchRefusalText(const ModelInfo* model, int32_t punch, uint32_t direction) {
  const uint32_t* w = FeedWords(model != nullptr ? model->holePunches : nullptr, punch, direction);
  return w != nullptr ? w[1] : 0;
}

uint32_t GetStapleChange(const ModelInfo* model, int32_t staple, uint32_t direction, int32_t* replacement) {
  return ChangeOf(model != nullptr ? model->staples : nullptr, staple, direction, replacement);
}

uint32_t GetHolePunchChange(const ModelInfo* model, int32_t punch, uint32_t direction, int32_t* replacement) {
  return ChangeOf(model != nullptr ? model->holePunches : nullptr, punch, direction, replacement);
}

int IsFinishingControl(const ModelInfo* model, uint32_t controlId) {
  if (model != nullptr && model->features[kMfBindingEdge4] != 0) return 0;
  switch (controlId) {
    case 1000: case 1020: case 1023: case 1025: case 1040: case 1046: case 1296: case 1779: return 1;
    default: return 0;
  }
}

bool PerPageStapleToOption(int32_t code, int32_t* option) {
  struct Pair {
    int32_t code, option;
  } pairs[] = {{257, 1}, {258, 2}, {261, 3}, {262, 4}, {263, 5}, {264, 6}, {265, 7}, {266, 8}};
  for (const Pair& p : pairs) {
    if (p.code == code) {
      if (option != nullptr) *option = p.option;
      return true;
    }
  }
  return false;
}
