// Duplex and binding fix-ups of the job settings.
#include "drender/settings/job_binding.h"

#include "common/records/doc_fields.h"
#include "drender/settings/binding_edge.h"

namespace {

bool IsPortrait(const DocDMode* doc) { return DocByte(doc, kDocOrientationAt) == 1; }

int SetEdge(DocDMode* doc, uint8_t edge) {
  if (DocByte(doc, kDocBindingEdgeAt) == edge) return 0;
  SetDocByte(doc, kDocBindingEdgeAt, edge);
  return 1;
}

bool NupBlocksBinding(const DocDMode* doc) {
  uint32_t kind = Rdc_GetNupKind(doc);
  return DocByte(doc, kDocNupAt) != 0 && (kind < 1 || kind > 5);
}

}  // namespace

uint32_t Rdc_GetNupKind(const DocDMode* doc) {
  if (DocByte(doc, kDocNupAt) == 0) return 0;
  uint32_t kind = DocByte(doc, kDocNupKindAt);
  return kind >= 7 && kind <= 9 ? 0 : kind;
}

bool Rdc_IsRotatingNupKind(uint32_t kind) { return kind == 1 || kind == 3; }

int Rdc_AdjustEdgeBinding(DocDMode* doc, int request) {
  uint32_t kind = Rdc_GetNupKind(doc);
  if (kind >= 6) return 0;
  bool portrait = IsPortrait(doc) != Rdc_IsRotatingNupKind(kind);
  uint8_t edge = DocByte(doc, kDocBindingEdgeAt);
  if (request == 1 || request == 2) {
    if (portrait) return edge == kBindLongEdgeLeft || edge == kBindLongEdgeRight ? 0 : SetEdge(doc, kBindLongEdgeLeft);
    return edge == kBindLongEdgeTop || edge == kBindLongEdgeBottom ? 0 : SetEdge(doc, kBindLongEdgeTop);
  }
  if (request == 3) {
    if (portrait) return edge == kBindShortEdgeTop || edge == kBindShortEdgeBottom ? 0 : SetEdge(doc, kBindShortEdgeTop);
    return edge == kBindShortEdgeLeft || edge == kBindShortEdgeRight ? 0 : SetEdge(doc, kBindShortEdgeLeft);
  }
  return 0;
}

int Rdc_AdjustBookletBinding(DocDMode* doc, int16_t callerOrientation) {
  uint8_t edge = DocByte(doc, kDocBindingEdgeAt);
  if (edge == kBindAuto || NupBlocksBinding(doc)) return 0;
  bool portrait = callerOrientation == 1;
  bool rotating = Rdc_IsRotatingNupKind(Rdc_GetNupKind(doc));
  bool sideEdge = edge == kBindLeft || edge == kBindRight;
  if (portrait != rotating) {
    // The pages stand upright on the sheet: a top binding becomes a left one.
    return edge == kBindTop ? SetEdge(doc, kBindLeft) : 0;
  }
  return sideEdge ? SetEdge(doc, kBindTop) : 0;
}

int Rdc_AdjustAutoBinding(DocDMode* doc, int16_t callerOrientation, int16_t callerDuplex, const ModelInfo* model) {
  int changed = 0;
  if (DocByte(doc, kDocDoubleSidesAt) != 2) {
    SetDocByte(doc, kDocDoubleSidesAt, 2);
    changed = 1;
  }
  if (DocByte(doc, kDocBindingEdgeAt) != kBindAuto) return changed;
  if (NupBlocksBinding(doc) || (callerOrientation != 1 && callerOrientation != 2) ||
      (callerDuplex != 2 && callerDuplex != 3)) {
    return changed;
  }
  const bool rotating = Rdc_IsRotatingNupKind(Rdc_GetNupKind(doc));
  const bool combination = DocByte(doc, kDocCombinationAt) != 0;
  // The wanted edge: long-edge flipping binds a portrait page on the left.
  bool longEdge = callerDuplex == 2;
  if (rotating) longEdge = !longEdge;
  if (combination) longEdge = !longEdge;
  const bool callerPortrait = callerOrientation == 1;
  const uint8_t wanted = (longEdge == callerPortrait) ? kBindLeft : kBindTop;
  // The automatic edge: from the orientation of the sheet.
  bool sheetPortrait = IsPortrait(doc);
  if (rotating) sheetPortrait = !sheetPortrait;
  if (combination) sheetPortrait = !sheetPortrait;
  const uint32_t automatic = Pjl_AutoBindingEdgeForSheet(model, doc, sheetPortrait ? 1 : 2, false);
  if (automatic != wanted) changed |= SetEdge(doc, wanted);
  return changed;
}
