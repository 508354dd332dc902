// The finishing marks of the paper view: overlay mark, booklet sheet,
// binding-shift lines, hole punch, staples, fold and binding strips and the
// booklet finishing icon.  A mark whose combination of feed direction,
// binding edge and option has no place on the sheet is left out rather than
// drawn at the picture's origin.
#include "dproc/preview/paper_view_plan.h"

namespace {

enum class Anchor { kNone, kTopLeft, kTopRight, kBottomLeft, kCentre };

bool In(int32_t v, std::initializer_list<int32_t> set) {
  for (int32_t s : set) {
    if (v == s) return true;
  }
  return false;
}

PlanPoint AnchorPoint(const PlanBuilder& b, uint32_t id, const PlanRect& a, Anchor anchor) {
  const PlanSize s = b.Size(id);
  switch (anchor) {
    case Anchor::kTopLeft: return {a.left, a.top};
    case Anchor::kTopRight: return {a.right - s.cx, a.top};
    case Anchor::kBottomLeft: return {a.left, a.bottom - s.cy};
    default: return b.CentredOn(id, a);
  }
}

void PairAt(PlanBuilder& b, uint32_t id, const PlanRect& a, Anchor anchor, int32_t dx, int32_t dy) {
  if (anchor == Anchor::kNone || id == 0) return;
  const PlanPoint p = AnchorPoint(b, id, a, anchor);
  b.Pair(id, 0, {p.x + dx, p.y + dy});
}

struct Ctx {
  bool land;
  bool booklet;
  bool rightBinding;
  bool bookletFour;  // a driver booklet with BookletBinding 4
  PlanRect page, inner, sheet;
  uint32_t f;
};

Ctx MakeCtx(const PlanBuilder& b) {
  const PaperViewInputs& in = b.in;
  const PaperSheet& sh = b.plan.sheet;
  Ctx c{};
  c.land = sh.landscape;
  c.booklet = IsBooklet(in);
  c.rightBinding = in.driverBooklet ? (c.land ? in.bookletBinding == 2 : in.bookletBinding == 4)
                                    : in.bindingEdge == 16;
  c.bookletFour = in.driverBooklet && in.bookletBinding == 4;
  c.page = sh.page;
  c.inner = {sh.page.left + 1, sh.page.top + 1, sh.page.right - 1, sh.page.bottom - 1};
  c.sheet = sh.sheet;
  c.f = in.feedDirection;
  return c;
}

// Binding-shift line pictures: thin, thick = thin + 2.
enum Line : uint32_t { kLongH = 433, kLongV = 437, kShortH = 441, kShortV = 445 };

void BindingShiftLines(PlanBuilder& b, const Ctx& c) {
  const PaperViewInputs& in = b.in;
  if (in.adhesiveBind != 0) return;
  const uint32_t thick = in.bindingShift != 0 ? 2 : 0;
  if (c.booklet) {
    const uint32_t id = c.land ? (in.bindingShift ? 11023 : 11063) : (in.bindingShift ? 11022 : 11062);
    const PlanPoint p = b.CentredOn(id, c.inner);
    const int32_t dx = c.land ? (c.rightBinding ? 4 : -4) : -2;
    const int32_t dy = c.land ? -2 : (c.bookletFour ? 4 : -4);
    b.Single(id, {p.x + dx, p.y + dy}, kRopSrcAnd);
    return;
  }
  uint32_t line = 0;
  Anchor anchor = Anchor::kNone;
  if (in.bindingEdge4) {
    switch (in.bindingEdge) {
      case 0: line = kLongV, anchor = Anchor::kTopLeft; break;
      case 1: line = kLongV, anchor = Anchor::kTopRight; break;
      case 2: line = kLongH, anchor = Anchor::kTopLeft; break;
      case 3: line = kLongH, anchor = Anchor::kBottomLeft; break;
      case 4: line = kShortV, anchor = Anchor::kTopLeft; break;
      case 5: line = kShortV, anchor = Anchor::kTopRight; break;
      case 6: line = kShortH, anchor = Anchor::kTopLeft; break;
      case 7: line = kShortH, anchor = Anchor::kBottomLeft; break;
      case 10: line = c.land ? kLongH : kLongV, anchor = Anchor::kTopLeft; break;
      case 11: line = c.land ? kShortV : kShortH, anchor = Anchor::kTopLeft; break;
      default: return;
    }
  } else {
    if (c.f >= 14 && c.f <= 16) line = c.land ? kShortV : kLongV;
    else if (c.f == 17) line = c.land ? kLongH : kShortH;
    else return;
    if (in.bindingEdge == 16) anchor = Anchor::kTopRight;
    else if (In(in.bindingEdge, {14, 15, 17})) anchor = Anchor::kTopLeft;
  }
  PairAt(b, line + thick, c.inner, anchor, 0, 0);
}

void HolePunch(PlanBuilder& b, const Ctx& c) {
  const PaperViewInputs& in = b.in;
  if (c.booklet || in.adhesiveBind != 0 || in.holePunch == 0 || in.bindingEdge4) return;
  // Orientation of the mark: 0 long horizontal, 1 long vertical, 2 short
  // horizontal, 3 short vertical.
  int orient;
  switch (c.f) {
    case 10: orient = c.land ? 0 : 1; break;
    case 11: orient = c.land ? 2 : 3; break;
    case 14: case 15: case 16: orient = c.land ? 3 : 1; break;
    case 17: orient = c.land ? 0 : 2; break;
    default: return;
  }
  const bool horizontal = orient == 0 || orient == 2;
  int picture = -1;
  const int32_t op = in.holePunchOp;
  if (horizontal) picture = In(op, {1, 6}) ? 0 : In(op, {2, 9}) ? 1 : In(op, {3, 12}) ? 2 : -1;
  else picture = In(op, {1, 4, 5}) ? 0 : In(op, {2, 7, 8}) ? 1 : In(op, {3, 10, 11}) ? 2 : -1;
  if (picture < 0) return;
  static const uint32_t kIds[3][4] = {
      {10008, 10010, 10020, 10022}, {10012, 10014, 10024, 10026}, {10016, 10018, 10028, 10030}};
  Anchor anchor = Anchor::kNone;
  if (in.bindingEdge == 16) anchor = Anchor::kTopRight;
  else if (In(in.bindingEdge, {14, 15, 17})) anchor = Anchor::kTopLeft;
  PairAt(b, kIds[picture][orient], c.inner, anchor, 0, 0);
}

void Staples(PlanBuilder& b, const Ctx& c) {
  const PaperViewInputs& in = b.in;
  if (in.adhesiveBind != 0 || (in.staple == 0 && in.centerStaple == 0)) return;
  if (c.booklet) {
    if (!c.land) {
      if (c.bookletFour) PairAt(b, 11064, c.page, Anchor::kCentre, 0, 5);
      else PairAt(b, 10002, c.page, Anchor::kCentre, 0, -4);
    } else if (in.driverBooklet || (c.f >= 14 && c.f <= 17)) {
      if (c.rightBinding) PairAt(b, 10006, c.page, Anchor::kCentre, 5, 0);
      else PairAt(b, 10004, c.page, Anchor::kCentre, -4, 0);
    }
    return;
  }
  if ((in.centerStaple != 0 && in.staple == 0) || in.stapleOp == 8) {
    if (c.land) {
      const PlanSize s = b.Size(10004);
      b.Pair(10004, 0, {c.inner.left + (c.inner.Width() - s.cx) / 2, c.inner.top});
    } else {
      const PlanSize s = b.Size(10002);
      b.Pair(10002, 0, {c.inner.left, c.inner.top + (c.inner.Height() - s.cy) / 2});
    }
    return;
  }
  const int32_t op = in.stapleOp;
  const uint32_t f = c.f;
  uint32_t id = 0;
  if (f == 0 || f == 14 || f == 15) {
    if (In(op, {1, 3})) id = c.land ? 9988 : 9990;
    else if (In(op, {2, 5})) id = c.land ? 10004 : 9998;
  } else if (f == 2) {
    if (c.land && op == 4) id = 9992;
  } else if (f == 5 || f == 16) {
    if (In(op, {1, 4})) id = c.land ? 9992 : 9994;
    else if (In(op, {2, 6})) id = c.land ? 10006 : 10000;
  } else if (f == 6) {
    if (!c.land && op == 3) id = 9988;
  } else if (f == 17) {
    if (In(op, {1, 3})) id = c.land ? 9988 : 9990;
    else if (op == 4) id = c.land ? 9992 : 9994;
    else if (In(op, {2, 7})) id = c.land ? 9996 : 10002;
  }
  if (id == 0) return;
  Anchor anchor = Anchor::kNone;
  if (f == 14 || f == 15 || ((f == 0 || f == 6) && op == 3) || (f == 17 && !(op == 4 && !c.land))) {
    anchor = Anchor::kTopLeft;
  } else if (f == 16 || ((f == 2 || f == 5) && op == 4) || (f == 17 && op == 4 && !c.land)) {
    anchor = Anchor::kTopRight;
  }
  PairAt(b, id, c.inner, anchor, 0, 0);
}

void FoldStrips(PlanBuilder& b, const Ctx& c) {
  const PaperViewInputs& in = b.in;
  if (in.doubleSides != 2 && in.doubleSides != 3) return;
  int32_t k;
  if (in.driverBooklet) {
    switch (in.bookletBinding) {
      case 1: k = c.land ? 4 : 0; break;
      case 2: k = c.land ? 5 : 1; break;
      case 3: k = c.land ? 2 : 6; break;
      case 4: k = c.land ? 3 : 7; break;
      default: return;
    }
  } else {
    switch (c.f) {
      case 10: k = c.land ? 2 : 0; break;
      case 11: k = c.land ? 4 : 6; break;
      case 15: k = c.land ? 4 : 0; break;
      case 16: k = c.land ? 5 : 1; break;
      case 17: k = c.land ? 2 : 6; break;
      default: k = in.bindingEdge; break;
    }
  }
  struct Strip {
    uint32_t id;
    Anchor anchor;
    int32_t dx, dy;
  };
  static const Strip kStrips[8] = {
      {11008, Anchor::kTopRight, 6, -2},   {11006, Anchor::kTopLeft, -2, -2},
      {11004, Anchor::kBottomLeft, -2, 6}, {11048, Anchor::kTopLeft, -2, -4},
      {11002, Anchor::kTopRight, 6, -2},   {11000, Anchor::kTopLeft, -2, -2},
      {11010, Anchor::kBottomLeft, -2, 6}, {11050, Anchor::kTopLeft, -2, -4},
  };
  if (k < 0 || k > 7) return;
  const Strip& s = kStrips[k];
  PairAt(b, s.id, c.page, s.anchor, s.dx, s.dy);
}

void BookletSheet(PlanBuilder& b, const Ctx& c) {
  if (!c.booklet) return;
  uint32_t id;
  int32_t dx, dy;
  if (c.land) {
    id = c.rightBinding ? 11014 : 11012;
    dx = c.rightBinding ? c.sheet.Width() / 2 - 3 : 0;
    dy = -2;
  } else {
    id = c.bookletFour ? 11052 : 11016;
    dx = -2;
    dy = c.bookletFour ? c.sheet.Height() / 2 - 3 : 0;
  }
  b.Pair(id, 0, {c.sheet.left + dx, c.sheet.top + dy});
}

void BookletIcon(PlanBuilder& b, const Ctx& c) {
  const PaperViewInputs& in = b.in;
  if (!c.booklet) return;
  const int row = c.land ? (c.rightBinding ? 1 : 0) : (c.bookletFour ? 3 : 2);
  int column = 0;
  if ((in.staple != 0 && in.folding != 0) || in.centerStaple != 0) column = 3;
  else if (in.staple != 0) column = 1;
  else if (in.folding != 0) column = 2;
  static const uint32_t kRows[4] = {11032, 11040, 11024, 11054};
  b.Pair(kRows[row] + 2 * static_cast<uint32_t>(column), 0, {5, c.sheet.top});
}

}  // namespace

void AddOverlayMark(PlanBuilder& b) {
  const PaperViewInputs& in = b.in;
  if (in.overlay == 0) return;
  const Ctx c = MakeCtx(b);
  if (!c.booklet) {
    const uint32_t id = c.land ? 331 : 332;
    b.Single(id, b.CentredOn(id, c.page), kRopSrcAnd);
    return;
  }
  const uint32_t id = c.land ? 11020 : 11018;
  PlanPoint p = b.CentredOn(id, c.page);
  if (c.land) p.x += c.rightBinding ? 4 - c.page.Width() / 4 : c.page.Width() / 4 - 4;
  else p.y += c.bookletFour ? 4 - c.page.Height() / 4 : c.page.Height() / 4 - 4;
  b.Pair(id, 0, p);
}

void AddFinishingMarks(PlanBuilder& b) { AddFinishingMarksOf(b, kFinishAll); }

void AddFinishingMarksOf(PlanBuilder& b, uint32_t layers) {
  const Ctx c = MakeCtx(b);
  if ((layers & kFinishBooklet) != 0) BookletSheet(b, c);
  if ((layers & kFinishShiftLines) != 0) BindingShiftLines(b, c);
  if ((layers & kFinishPunch) != 0) HolePunch(b, c);
  if ((layers & kFinishStaples) != 0) Staples(b, c);
  if ((layers & kFinishFolds) != 0) FoldStrips(b, c);
  if ((layers & kFinishBooklet) != 0) BookletIcon(b, c);
}
