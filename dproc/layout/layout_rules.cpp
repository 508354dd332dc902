#include "dproc/layout/layout_rules.h"

#include "common/records/doc_fields.h"
#include "common/records/nup_kinds.h"

size_t ChapterTextCut(const uint8_t* text, size_t length, bool (*isLeadByte)(uint8_t)) {
  size_t at = 0;
  while (at < length && text[at] != 0) {
    const size_t step = isLeadByte != nullptr && isLeadByte(text[at]) ? 2 : 1;
    // A lead byte without its trail byte ends the text before it.
    if (at + step > length || (step == 2 && text[at + 1] == 0)) break;
    if (at + step > kChapterTextBytes) break;
    at += step;
  }
  return at;
}

uint8_t PosterPagesOf(uint8_t nupKind) {
  const uint32_t tiles = PosterTilesPerSide(nupKind);
  return static_cast<uint8_t>(tiles != 0 ? tiles : 1);
}

void DeriveLayoutFields(DocDMode* doc, bool bookletByDriver, int winVersionClass) {
  DocFields& f = Fields(*doc);
  f.bNupBorder = 0;
  f.byNupPages = 1;
  f.byBookletOrder = 1;
  f.bPosterBorder = 0;
  const bool nupOn = f.bNup != 0;
  if (nupOn && f.nNup != 0 && !IsPosterNupKind(f.nNup)) f.bNupBorder = f.bNupBorder_ui != 0 ? 1 : 0;
  if (winVersionClass < 1) return;
  if (f.nDuplex == 3 && bookletByDriver) {
    f.byNupPages = 0;
    f.byBookletOrder = f.nBookletOrder;
    f.bNupBorder = f.bBookletBorder != 0 ? 1 : 0;
  }
  if (nupOn && IsPosterNupKind(f.nNup)) {
    const bool lines = f.nPosterMarginLine != 0;
    f.bPosterBorder = lines ? 1 : 0;
    f.bNupBorder = lines ? 2 : 0;
  }
}

DuplexChoice ChooseDuplexText(uint8_t doubleSides, bool bookletByDriver, bool modelHasAdhesiveBind,
                              uint8_t adhesiveBind, bool paperRotated) {
  if (doubleSides == 1) return {9015, 1};
  const bool arranged = bookletByDriver || doubleSides != 3;
  const bool glued = modelHasAdhesiveBind && adhesiveBind != 0;
  if (arranged && !glued && !paperRotated) return {9017, 3};
  return {9016, 2};
}

PicturePair BindingMarginPicture(uint8_t mode, bool portrait, uint32_t edge) {
  // Columns: left, right, top, bottom.
  static const PicturePair kPictures[2][2][4] = {
      {{{1024, 1036}, {1025, 1037}, {1026, 1038}, {1074, 1075}},
       {{1027, 1039}, {1028, 1040}, {1029, 1041}, {1076, 1077}}},
      {{{1030, 1042}, {1031, 1043}, {1032, 1044}, {1078, 1079}},
       {{1033, 1045}, {1034, 1046}, {1035, 1047}, {1080, 1081}}},
  };
  int at = 0;
  if (portrait) {
    if (edge == 1 || edge == 16) at = 1;
    else if (edge == 6 || edge == 17) at = 2;
    else if (edge == 7) at = 3;
  } else {
    if (edge == 5 || edge == 16) at = 1;
    else if (edge == 2 || edge == 17) at = 2;
    else if (edge == 3) at = 3;
  }
  return kPictures[mode != 0 ? 1 : 0][portrait ? 0 : 1][at];
}

int PageOrderCell(int orderKind, uint8_t nupKind, bool portrait, uint32_t order) {
  switch (orderKind) {
    case 0: return order == 0 ? 1 : order == 1 ? 3 : 0;
    case 1: return order == 2 ? 0 : order == 3 ? 2 : 0;
    case 2: {
      if (order < 4 || order > 7) return 0;
      // The first set serves the grids whose rows run along the sheet's
      // longer side: 4-, 9- and 16-up in portrait and 6-up in landscape.
      const bool sixUp = nupKind == 3;
      const bool first = portrait != sixUp;
      static const int kFirst[4] = {4, 8, 6, 10};
      static const int kSecond[4] = {5, 9, 7, 11};
      return (first ? kFirst : kSecond)[order - 4];
    }
    default: return -1;
  }
}

int BorderKindCell(uint32_t kind, bool effectivePortrait) {
  const int base = kind == 2 ? 2 : 0;
  return base + (effectivePortrait ? 0 : 1);
}
