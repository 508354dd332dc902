#include "dproc/preview/paper_view_plan.h"

namespace {

constexpr int32_t kLabelBand = 27;

bool In(int32_t v, std::initializer_list<int32_t> set) {
  for (int32_t s : set) {
    if (v == s) return true;
  }
  return false;
}

}  // namespace

void PlanBuilder::Pair(uint32_t image, uint32_t mask, PlanPoint at) {
  const PlanSize s = Size(image);
  if (s.cx <= 0 || s.cy <= 0) return;
  PaperViewOp op{PlanOpKind::kMaskedPair};
  op.image = image;
  op.mask = mask != 0 ? mask : image + 1;
  op.rect = {at.x, at.y, at.x + s.cx, at.y + s.cy};
  plan.ops.push_back(std::move(op));
}

void PlanBuilder::Single(uint32_t image, PlanPoint at, uint32_t rop) {
  const PlanSize s = Size(image);
  if (s.cx <= 0 || s.cy <= 0) return;
  PaperViewOp op{PlanOpKind::kBitmap};
  op.image = image;
  op.rect = {at.x, at.y, at.x + s.cx, at.y + s.cy};
  op.rop = rop;
  plan.ops.push_back(std::move(op));
}

PlanPoint PlanBuilder::CentredOn(uint32_t image, const PlanRect& a) const {
  const PlanSize s = Size(image);
  return {a.left + (a.Width() - s.cx) / 2, a.top + (a.Height() - s.cy) / 2};
}

uint32_t PaperViewNupKind(const PaperViewInputs& in) {
  if (in.nup == 0 || in.nupOp == 7 || in.nupOp == 8 || in.nupOp == 9) return 0;
  return in.nupOp >= 0 && in.nupOp <= 5 ? static_cast<uint32_t>(in.nupOp) : 0;
}

int32_t CombinationKind(const PaperViewInputs& in) {
  if (in.combination == 0) return 0;
  switch (in.combinationOp) {
    case 1: return 1;
    case 2: case 4: return 2;
    case 3: case 5: return 3;
    default: return 0;
  }
}

bool CombinationApplies(const PaperViewInputs& in, bool landscape) {
  if (in.combination == 0) return false;
  const int32_t op = in.combinationOp;
  return op == 0 || op == 1 || (landscape && (op == 2 || op == 3)) || (!landscape && (op == 4 || op == 5));
}

bool IsBooklet(const PaperViewInputs& in) { return in.doubleSides == 3; }

static bool IsPoster(const PaperViewInputs& in) { return in.nup != 0 && In(in.nupOp, {7, 8, 9}); }

void AddPaperLayer(PlanBuilder& b) {
  const PaperViewInputs& in = b.in;
  PaperSheet& sh = b.plan.sheet;
  const uint32_t nup = PaperViewNupKind(in);
  int32_t margins[4] = {0, 0, 4, 4};
  if (IsPoster(in)) {
    const uint32_t k = static_cast<uint32_t>(in.nupOp - 7);
    sh.landscape = in.orientation == 2;
    const uint32_t base = in.posterMarginLine != 0 ? (sh.landscape ? 530 : 536) : (sh.landscape ? 9977 : 9983);
    sh.image = base + 2 * k;
    sh.mask = sh.image - 1;
  } else {
    if (IsBooklet(in)) {
      const bool twoOrSix = nup == 1 || nup == 3;
      sh.landscape = (in.orientation == 2 && !twoOrSix) || (in.orientation == 1 && twoOrSix);
    } else {
      if (in.combination == 0 && in.orientation != 1 && in.orientation != 2) return;
      int odd = 0;
      odd += in.orientation == 2;
      odd += nup == 1 || nup == 3;
      odd += in.combination != 0 && in.combinationOp <= 5;
      sh.landscape = (odd & 1) != 0;
    }
    if (in.adhesiveBind == 0) {
      sh.image = sh.landscape ? 215 : 213;
    } else if (sh.landscape) {
      if (!In(in.bindingEdge, {0, 1, 2, 3, 4, 5, 6, 7, 11, 14, 15, 16, 17})) return;
      sh.image = 9968;
      margins[2] = 30, margins[3] = 0;
    } else if (In(in.bindingEdge, {1, 3, 5, 7, 16})) {
      sh.image = 9974;
      margins[2] = 10, margins[3] = 30;
    } else if (In(in.bindingEdge, {0, 2, 4, 6, 10, 14, 15, 17})) {
      sh.image = 9972;
      margins[2] = 0, margins[3] = 30;
    } else {
      return;
    }
    sh.mask = sh.image + 1;
  }
  const PlanSize s = b.Size(sh.image);
  if (s.cx <= 0 || s.cy <= 0) return;
  const int32_t paperW = s.cx - margins[0] - margins[2];
  const int32_t paperH = s.cy - margins[1] - margins[3];
  const int32_t top = b.inner.top + kLabelBand;
  const int32_t paperLeft = b.inner.left + (b.inner.Width() - paperW) / 2;
  const int32_t paperTop = top + (b.inner.bottom - top - paperH) / 2;
  sh.drawn = true;
  sh.sheet = {paperLeft - margins[0], paperTop - margins[1], paperLeft - margins[0] + s.cx,
              paperTop - margins[1] + s.cy};
  sh.printable = {paperLeft, paperTop, paperLeft + paperW, paperTop + paperH};
  sh.page = sh.printable;
  b.Pair(sh.image, sh.mask, {sh.sheet.left, sh.sheet.top});
}

void AddColourBadge(PlanBuilder& b) {
  const PaperViewInputs& in = b.in;
  if (in.selectColor != 2 || !b.plan.sheet.drawn) return;
  if (b.plan.sheet.image != 213 && b.plan.sheet.image != 215) return;
  static const uint32_t kBadges[] = {9956, 9964, 9960, 9962, 9966, 9958};
  if (in.twoColors < 0 || in.twoColors > 5) return;
  const int32_t d = (!IsBooklet(in) && in.orientation == 1 && b.plan.sheet.image == 213) ? 0 : 4;
  const int32_t y = b.inner.top + kLabelBand + (b.inner.Height() - kLabelBand + d) / 2;
  b.Pair(kBadges[in.twoColors], 0, {15, y});
}

void AddZoomFrame(PlanBuilder& b) {
  const PaperViewInputs& in = b.in;
  const PaperSheet& sh = b.plan.sheet;
  const bool land = sh.landscape;
  int32_t column = 0;
  if (in.zoom == 1 || in.zoomValue == in.fitZoom) column = 0;
  else column = in.zoomValue > in.fitZoom ? 1 : 2;
  int32_t row = land ? 0 : 1;
  if (in.combination != 0) {
    const int32_t op = in.combinationOp;
    if (op == 0 || op == 1) row = land ? 2 : 3;
    else if (land && op == 2) row = 4;
    else if (land && op == 3) row = 5;
    else if (!land && op == 4) row = 6;
    else if (!land && op == 5) row = 7;
  } else if (IsBooklet(in)) {
    row = land ? 2 : 3;
  }
  const uint32_t n = PaperViewNupKind(in);
  uint32_t id;
  if (row <= 1) {
    const uint32_t firsts[3] = {259, 283, 271};
    id = firsts[column] + static_cast<uint32_t>(row) + 2 * n;
  } else {
    id = 659 + 18 * n + 3 * static_cast<uint32_t>(row - 2) + static_cast<uint32_t>(column);
  }
  b.Single(id, b.CentredOn(id, sh.printable), IsPoster(in) ? kRopSrcAnd : kRopSrcCopy);
}

static uint32_t PageFrameId(const PaperViewInputs& in, const PaperSheet& sh) {
  const bool combined = CombinationApplies(in, sh.landscape) || IsBooklet(in);
  return combined ? (sh.landscape ? 348 : 350) : (sh.landscape ? 295 : 296);
}

// The page frame's rectangle is the page area of the later layers, whether
// the frame is drawn or not.
void ComputePageArea(PlanBuilder& b) {
  PaperSheet& sh = b.plan.sheet;
  const uint32_t frame = PageFrameId(b.in, sh);
  const PlanSize fs = b.Size(frame);
  if (fs.cx <= 0 || fs.cy <= 0) return;
  const PlanPoint at = b.CentredOn(frame, sh.printable);
  sh.page = {at.x, at.y, at.x + fs.cx, at.y + fs.cy};
}

void AddPageFrame(PlanBuilder& b) {
  const PaperViewInputs& in = b.in;
  PaperSheet& sh = b.plan.sheet;
  const uint32_t n = PaperViewNupKind(in);
  const bool combined = CombinationApplies(in, sh.landscape) || IsBooklet(in);
  const uint32_t frame = PageFrameId(in, sh);
  const PlanSize fs = b.Size(frame);
  if (fs.cx > 0 && fs.cy > 0) {
    const PlanPoint at{sh.page.left, sh.page.top};
    const bool drawn = (n != 0 && in.borderLine != 0 && in.borderLineOp == 1) ||
                       (in.driverBooklet && in.bookletBorder != 0);
    if (drawn) b.Single(frame, at, kRopSrcAnd);
  }
  if (in.borderLine != 0 && n >= 1 && n <= 5) {
    static const uint32_t kPlain[5][2] = {{297, 298}, {299, 300}, {301, 302}, {303, 304}, {305, 306}};
    static const uint32_t kCombined[5][2] = {{334, 337}, {339, 340}, {341, 342}, {343, 344}, {345, 346}};
    const uint32_t id = (combined ? kCombined : kPlain)[n - 1][sh.landscape ? 0 : 1];
    b.Single(id, b.CentredOn(id, sh.printable), kRopSrcAnd);
  }
}

PaperViewPlan BuildPaperViewPlan(const PaperViewInputs& in, const PlanRect& control, const PaperViewEnv& env) {
  PaperViewPlan plan;
  PlanBuilder b{in, env, plan, {control.left + 2, control.top + 2, control.right - 2, control.bottom - 2}};
  if (b.inner.Width() > 0 && b.inner.Height() > 0) {
    PaperViewOp tile{PlanOpKind::kTile};
    tile.image = 204;
    tile.rect = b.inner;
    if (b.Size(204).cx > 0) plan.ops.push_back(tile);
  }
  AddPaperLayer(b);
  if (plan.sheet.drawn) {
    // Keep the badge before the sheet in drawing order.
    PaperViewOp sheetOp = plan.ops.back();
    plan.ops.pop_back();
    AddColourBadge(b);
    plan.ops.push_back(sheetOp);
    ComputePageArea(b);
    AddZoomFrame(b);
    AddOverlayMark(b);
    AddPageFrame(b);
    AddPageNumbers(b);
    AddWatermarkText(b);
    AddFinishingMarks(b);
  }
  AddSizeLabels(b);
  PaperViewOp frame{PlanOpKind::kSunkenFrame};
  frame.rect = control;
  plan.ops.push_back(frame);
  return plan;
}

PaperViewPlan BuildPaperViewPlanEx(const PaperViewInputs& in, const PlanRect& control, const PaperViewEnv& env,
                                   bool full) {
  PaperViewPlan plan;
  PlanBuilder b{in, env, plan, {control.left + 2, control.top + 2, control.right - 2, control.bottom - 2}};
  AddPaperLayer(b);
  if (plan.sheet.drawn) {
    ComputePageArea(b);
    if (full) {
      AddZoomFrame(b);
      AddOverlayMark(b);
      AddPageFrame(b);
      AddWatermarkText(b);
    }
    AddFinishingMarksOf(b, full ? kFinishShiftLines | kFinishPunch | kFinishStaples | kFinishFolds
                                : kFinishPunch | kFinishStaples);
  }
  if (full) {
    PaperViewOp frame{PlanOpKind::kSunkenFrame};
    frame.rect = control;
    plan.ops.push_back(frame);
  }
  return plan;
}
