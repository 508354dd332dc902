#include "dproc/settings/binding_edge_merge.h"

#include "common/records/doc_fields.h"
#include "dproc/model/orientation_rules.h"
#include "common/qxd/paper_tables.h"

namespace {

constexpr uint8_t kLeftBinding = 15;
constexpr uint8_t kRightBinding = 16;
constexpr uint8_t kTopBinding = 17;

enum class Layout { Straight, Rotated, Neither };

// 2-up and 6-up turn the pages; no N-up, 4-, 9- and 16-up do not; posters
// and unknown values are neither.
Layout LayoutOf(const DocDMode* d) {
  const uint8_t nup = DocByte(d, kDocNupAt);
  if (nup == 0) return Layout::Straight;
  if (nup != 1) return Layout::Neither;
  switch (DocByte(d, kDocNupKindAt)) {
    case 1: case 3: return Layout::Rotated;
    case 2: case 4: case 5: return Layout::Straight;
    default: return Layout::Neither;
  }
}

int SetEdge(DocDMode* d, uint8_t edge) {
  if (DocByte(d, kDocBindingEdgeAt) == edge) return 0;
  SetDocByte(d, kDocBindingEdgeAt, edge);
  return 1;
}

}  // namespace

int FixBindingEdgeByLayout(DocDMode* d, int dmOrientation) {
  if (d == nullptr) return 0;
  const uint8_t edge = DocByte(d, kDocBindingEdgeAt);
  const Layout layout = LayoutOf(d);
  if (edge == kAutoBinding || layout == Layout::Neither) return 0;
  const bool sideBinding = edge == kLeftBinding || edge == kRightBinding;
  // The pages stand upright on the sheet when the layout turns them and the
  // sheet is portrait, or neither turns them.
  const bool rotated = layout == Layout::Rotated;
  if (dmOrientation == 1) {
    if (rotated && sideBinding) return SetEdge(d, kTopBinding);
    if (!rotated && edge == kTopBinding) return SetEdge(d, kLeftBinding);
  } else if (dmOrientation == 2) {
    if (rotated && edge == kTopBinding) return SetEdge(d, kLeftBinding);
    if (!rotated && sideBinding) return SetEdge(d, kTopBinding);
  }
  return 0;
}

int ResolveAutoBindingForDuplex(const ModelInfo* m, DocDMode* d, int dmOrientation, int dmDuplex) {
  if (d == nullptr) return 0;
  int changed = 0;
  if (DocByte(d, kDocDoubleSidesAt) != 2) {
    SetDocByte(d, kDocDoubleSidesAt, 2);
    changed = 1;
  }
  if (DocByte(d, kDocBindingEdgeAt) != kAutoBinding) return changed;
  Layout layout = LayoutOf(d);
  if (layout == Layout::Neither) return changed;
  if (DocByte(d, kDocCombinationAt) != 0) layout = layout == Layout::Straight ? Layout::Rotated : Layout::Straight;
  const uint32_t paper = ResolvePaperSizeId(m, static_cast<uint16_t>(DocI16(d, kDocPaperSizeAt)),
                                            static_cast<uint16_t>(DocI16(d, kDocOutPaperSizeAt)));
  const uint32_t feed = GetTrayFeedDirection(m, paper, GetEffectiveOrientation(m, d), d);
  // The straight layout binds on the left when the long edge is bound
  // (vertical duplex) on a portrait page fed short edge first, and so on;
  // the rotated layout is the same with the feed codes swapped.
  struct Row {
    int duplex, orientation;
    uint32_t straightFeed;
    uint8_t edge;
  };
  static const Row kRows[] = {
      {3, 1, kFeedPortrait, kTopBinding},
      {3, 2, kFeedLandscape, kLeftBinding},
      {2, 1, kFeedLandscape, kLeftBinding},
      {2, 2, kFeedPortrait, kTopBinding},
  };
  for (const Row& row : kRows) {
    if (row.duplex != dmDuplex || row.orientation != dmOrientation) continue;
    uint32_t wanted = row.straightFeed;
    uint8_t edge = row.edge;
    if (layout == Layout::Rotated) {
      wanted = wanted == kFeedPortrait ? kFeedLandscape : kFeedPortrait;
      edge = edge == kTopBinding ? kLeftBinding : kTopBinding;
    }
    if (feed == wanted) changed |= SetEdge(d, edge);
  }
  return changed;
}

int SetBindingEdgeForDuplex(DocDMode* d, int direction) {
  if (d == nullptr || direction < 1 || direction > 3) return 0;
  const uint32_t nup = GetNupKind(d);
  if (nup > 5) return 0;
  const bool rotated = nup == 1 || nup == 3;
  const bool landscape = DocByte(d, kDocOrientationAt) == 2;
  const uint8_t edge = DocByte(d, kDocBindingEdgeAt);
  uint8_t first;
  if (direction == 3) first = rotated != landscape ? 4 : 6;
  else first = rotated == landscape ? 0 : 2;
  if (edge == first || edge == first + 1) return 0;
  return SetEdge(d, first);
}
