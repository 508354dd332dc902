#include "dproc/model/orientation_rules.h"

#include "common/records/doc_fields.h"
#include "common/qxd/paper_tables.h"

namespace {

uint32_t Swap(uint32_t orientation) {
  if (orientation == 1) return 2;
  if (orientation == 2) return 1;
  return orientation;
}

bool DriverBooklet(const ModelInfo* m, const DocDMode* d) {
  return m != nullptr && m->features[kMfBookletPrint] != 0 && DocByte(d, kDocDoubleSidesAt) == 3;
}

uint32_t SelectedTray(uint32_t code, const DocDMode* d) {
  return code == kSelectedTray ? static_cast<uint16_t>(DocI16(d, kDocInTrayAt)) : code;
}

}  // namespace

uint32_t GetNupKind(const DocDMode* d) {
  if (d == nullptr || DocByte(d, kDocNupAt) == 0) return 0;
  const uint32_t kind = DocByte(d, kDocNupKindAt);
  return (kind == 7 || kind == 8 || kind == 9) ? 0 : kind;
}

uint32_t GetEffectiveOrientation(const ModelInfo* m, const DocDMode* d) {
  if (d == nullptr) return 1;
  uint32_t orientation = DocByte(d, kDocOrientationAt);
  if (DriverBooklet(m, d)) return Swap(orientation);
  const uint32_t nup = GetNupKind(d);
  if (nup == 1 || nup == 3) orientation = Swap(orientation);
  if (DocByte(d, kDocCombinationAt) != 0) orientation = Swap(orientation);
  return orientation;
}

uint32_t GetTrayFeedDirection(const ModelInfo* m, uint32_t paperId, uint32_t effectiveOrientation,
                              const DocDMode* d) {
  const uint32_t feed = effectiveOrientation == 2 ? kFeedLandscape : kFeedPortrait;
  const PaperSizeEntry* row = FindPaperById(m, paperId);
  if (row == nullptr) return kFeedPortrait;
  // A booklet that the device arranges keeps the plain feed.
  const bool deviceBooklet = d != nullptr && DocByte(d, kDocDoubleSidesAt) == 3 && !DriverBooklet(m, d);
  if (row->rotatedFeed != 0 && !deviceBooklet) return feed == kFeedPortrait ? kFeedLandscape : kFeedPortrait;
  return feed;
}

uint32_t GetPaperFeedDirection(const ModelInfo* m, const DocDMode* d) {
  if (d == nullptr) return kFeedPortrait;
  const uint32_t edge = DocByte(d, kDocBindingEdgeAt);
  if (edge != kAutoBinding) return edge;
  const uint32_t paper = ResolvePaperSizeId(m, static_cast<uint16_t>(DocI16(d, kDocPaperSizeAt)),
                                            static_cast<uint16_t>(DocI16(d, kDocOutPaperSizeAt)));
  return GetTrayFeedDirection(m, paper, GetEffectiveOrientation(m, d), d);
}

int IsPaperRotated(const ModelInfo* m, const DocDMode* d) {
  const uint32_t feed = GetPaperFeedDirection(m, d);
  if (feed < 4 || feed == 10 || feed == 12) return 1;
  const uint32_t orientation = GetEffectiveOrientation(m, d);
  if ((feed == 15 || feed == 16) && orientation == 1) return 1;
  if (feed == 17 && orientation == 2) return 1;
  return 0;
}

int IsEffectivePortrait(const ModelInfo* m, const DocDMode* d, bool combinationView) {
  int portrait = GetEffectiveOrientation(m, d) == 1 ? 1 : 0;
  if (combinationView && d != nullptr && DocByte(d, kDocCombinationAt) != 0 &&
      DocByte(d, kDocCombinationKindAt) <= 5) {
    portrait = !portrait;
  }
  return portrait;
}

int GetBindingSide(const DocDMode* d) {
  if (d == nullptr) return -1;
  uint32_t kind = DocByte(d, kDocNupAt) != 0 ? DocByte(d, kDocNupKindAt) : 0;
  if (kind == 7 || kind == 8 || kind == 9) kind = 0;
  if (kind > 5) return -1;
  const uint32_t orientation = DocByte(d, kDocOrientationAt);
  if (orientation == 2 && (kind == 0 || kind == 2 || kind == 4 || kind == 5)) return 1;
  if (orientation == 1 && (kind == 1 || kind == 3)) return 1;
  return 0;
}

uint32_t GetTraySlotIndex(uint32_t trayCode, const DocDMode* d) {
  if (d == nullptr || trayCode == kAutoTray) return 10;
  for (uint32_t i = 0; i < 10; ++i) {
    if (DocU32(d, kDocTrayEntriesAt + i * kDocTrayEntrySize + kDocTrayEntryBinIdAt) == trayCode) return i;
  }
  return 10;
}

int32_t GetTrayMediaType(const ModelInfo* m, uint32_t trayCode, const DocDMode* d) {
  if (d == nullptr) return 0;
  const uint32_t tray = SelectedTray(trayCode, d);
  if (tray == kAutoTray) {
    const bool detail = m != nullptr && m->features[kMfMediaTypeDetail] != 0;
    return DocI16(d, detail ? kDocAutoTrayMediaTypeAt : kDocMediaTypeAt);
  }
  const uint32_t slot = GetTraySlotIndex(tray, d);
  if (slot >= 10) return 0;
  return DocI16(d, kDocTrayEntriesAt + slot * kDocTrayEntrySize + kDocTrayEntryMediaTypeAt);
}
