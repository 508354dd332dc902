#include "dproc/model/nup_layout.h"

#include "common/records/doc_fields.h"

namespace {
constexpr uint8_t kNupTwoUp = 1;
constexpr uint8_t kNupSixteenUp = 5;
constexpr uint8_t kNupPosterFirst = 7;  // "2 x 2", "3 x 3", "4 x 4"
constexpr uint8_t kNupPosterLast = 9;
constexpr uint8_t kPortrait = 1;
}  // namespace

int GetNupLayoutKind(const DocDMode* doc) {
  if (doc == nullptr) return -1;
  uint8_t kind = DocByte(doc, kDocNupKindAt);
  if (DocByte(doc, kDocNupAt) == 0 || (kind >= kNupPosterFirst && kind <= kNupPosterLast)) kind = 0;
  if (kind == kNupTwoUp) return DocByte(doc, kDocOrientationAt) == kPortrait ? 0 : 1;
  if (kind > kNupTwoUp && kind <= kNupSixteenUp) return 2;
  return -1;
}
