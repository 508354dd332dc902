#include "dproc/settings/settings_fixups.h"

#include "common/records/doc_fields.h"
#include "dproc/model/nup_layout.h"
#include "dproc/model/orientation_rules.h"

namespace {

int SetByte(DocDMode* d, uint32_t at, uint8_t value) {
  if (DocByte(d, at) == value) return 0;
  SetDocByte(d, at, value);
  return 1;
}

bool FourEdges(const ModelInfo* m) { return m != nullptr && m->features[kMfBindingEdge4] != 0; }

// The binding edge of each edge code on the other binding side: codes 0-7
// pair up as left/right and top/bottom, long and short edges alike.
uint8_t EdgeForSide(uint8_t edge, int side) {
  static const uint8_t kSide0[8] = {0, 1, 0, 1, 6, 7, 6, 7};
  static const uint8_t kSide1[8] = {2, 3, 2, 3, 4, 5, 4, 5};
  if (edge > 7) return side == 0 ? 0 : 2;
  return side == 0 ? kSide0[edge] : kSide1[edge];
}

int FixUpFinishPosition(const FinishPositionItem* rows, uint32_t feed, DocDMode* d, uint32_t at) {
  if (rows == nullptr || feed < kFeedPortrait || feed > kFeedLandscape) return 0;
  const uint8_t current = DocByte(d, at);
  for (const FinishPositionItem* row = rows; row->keyword[0] != '\0'; ++row) {
    if (row->value != current) continue;
    const uint32_t* group = row->feedData + 4 * (feed - kFeedPortrait);
    if (group[0] == 0) return 0;
    SetDocByte(d, at, static_cast<uint8_t>(group[2]));
    return 1;
  }
  return 0;
}

uint8_t DefaultByte(const DocDMode* defaults, uint32_t at, uint8_t builtIn) {
  return defaults != nullptr ? DocByte(defaults, at) : builtIn;
}

}  // namespace

int AdjustBindingEdge(const ModelInfo* m, DocDMode* d) {
  if (d == nullptr) return 0;
  const uint8_t edge = DocByte(d, kDocBindingEdgeAt);
  if (FourEdges(m)) {
    const int side = GetBindingSide(d);
    if (side < 0) return 0;
    return SetByte(d, kDocBindingEdgeAt, EdgeForSide(edge, side));
  }
  if (edge >= kAutoBinding && edge <= kFeedLandscape) return 0;
  return SetByte(d, kDocBindingEdgeAt, kAutoBinding);
}

int FixUpBindingEdge(const ModelInfo* m, DocDMode* d) { return FourEdges(m) ? AdjustBindingEdge(m, d) : 0; }

int FixUpNupStyle(DocDMode* d) {
  if (d == nullptr) return 0;
  const uint8_t style = DocByte(d, kDocNupStyleAt);
  uint8_t fixed = style;
  switch (GetNupLayoutKind(d)) {
    case 0: fixed = style <= 1 ? style : style == 3 ? 1 : 0; break;
    case 1: fixed = (style == 2 || style == 3) ? style : style == 1 ? 3 : 2; break;
    case 2: fixed = (style >= 4 && style <= 7) ? style : 4; break;
    default: return 0;
  }
  return SetByte(d, kDocNupStyleAt, fixed);
}

int FixUpStaplePosition(const ModelInfo* m, DocDMode* d) {
  if (m == nullptr || d == nullptr) return 0;
  return FixUpFinishPosition(m->staples, GetPaperFeedDirection(m, d), d, kDocStapleAt);
}

int FixUpPunchPosition(const ModelInfo* m, DocDMode* d) {
  if (m == nullptr || d == nullptr) return 0;
  return FixUpFinishPosition(m->holePunches, GetPaperFeedDirection(m, d), d, kDocHolePunchAt);
}

int FixUpBookletBinding(DocDMode* d) {
  if (d == nullptr) return 0;
  const bool portrait = DocByte(d, kDocOrientationAt) == 1;
  const uint8_t binding = DocByte(d, kDocBookletBindingAt);
  uint8_t fixed;
  if (binding == 1 || binding == 2) fixed = portrait ? binding : binding + 2;
  else if (binding == 3 || binding == 4) fixed = portrait ? binding - 2 : binding;
  else fixed = portrait ? 1 : 3;
  return SetByte(d, kDocBookletBindingAt, fixed);
}

int FixUpCombinationOrder(const ModelInfo* m, DocDMode* d) {
  if (d == nullptr) return 0;
  const uint8_t order = DocByte(d, kDocCombinationKindAt);
  const bool portrait = IsEffectivePortrait(m, d, false) != 0;
  uint8_t fixed = order;
  if (portrait && (order == 2 || order == 3)) fixed = order + 2;
  if (!portrait && (order == 4 || order == 5)) fixed = order - 2;
  return SetByte(d, kDocCombinationKindAt, fixed);
}

int ResetEmfOnlyNup(const ModelInfo* m, DocDMode* d, const DocDMode* defaults, const FixUpHost& host) {
  if (d == nullptr) return 0;
  const uint8_t kind = DocByte(d, kDocNupKindAt);
  if (kind != 7 && kind != 8 && kind != 9) return 0;
  const bool noPoster = m == nullptr || m->features[kMfPoster] == 0;
  if (!noPoster && host.advPrintFeaturesOn && !host.rawOnlyPrinter) return 0;
  return SetByte(d, kDocNupKindAt, DefaultByte(defaults, kDocNupKindAt, 1));
}

int FixUpEmfOnlyNup(const ModelInfo* m, DocDMode* d, const DocDMode* defaults, const FixUpHost& host) {
  return host.outsideHost ? ResetEmfOnlyNup(m, d, defaults, host) : 0;
}

int FixUpEmfOnlyDuplex(DocDMode* d, const DocDMode* defaults, const FixUpHost& host) {
  if (!host.outsideHost || d == nullptr || DocByte(d, kDocDoubleSidesAt) != 3) return 0;
  if (host.advPrintFeaturesOn && !host.rawOnlyPrinter) return 0;
  return SetByte(d, kDocDoubleSidesAt, DefaultByte(defaults, kDocDoubleSidesAt, 1));
}

int FixUpSettingsConflicts(const ModelInfo* m, DocDMode* d, const DocDMode* defaults, const FixUpHost& host) {
  if (d == nullptr) return 0;
  int changed = 0;
  changed |= FixUpEmfOnlyNup(m, d, defaults, host);
  changed |= FixUpEmfOnlyDuplex(d, defaults, host);
  changed |= FixUpBindingEdge(m, d);
  changed |= FixUpNupStyle(d);
  changed |= FixUpStaplePosition(m, d);
  changed |= FixUpBookletBinding(d);
  changed |= FixUpCombinationOrder(m, d);
  if (host.monoDriver) SetDocByte(d, kDocSelectColorAt, 1);
  return changed;
}
