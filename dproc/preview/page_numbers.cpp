// Page numbers of the paper view: the numerals of the N-up cells, and of the
// two halves of a combination or booklet layout.
#include <array>
#include <vector>

#include "dproc/preview/paper_view_plan.h"

namespace {

struct Numeral {
  int32_t value;
  uint32_t upright;
  uint32_t upsideDown;  // 0: no upside-down picture
};
constexpr Numeral kNumerals[] = {
    {1, 307, 509},  {2, 309, 511},  {3, 311, 513},  {4, 313, 515},  {5, 315, 517},
    {6, 317, 519},  {7, 319, 521},  {8, 491, 0},    {9, 321, 523},  {10, 493, 0},
    {11, 495, 0},   {12, 497, 0},   {13, 323, 525}, {16, 325, 527}, {17, 499, 0},
    {18, 501, 0},   {20, 503, 0},   {29, 505, 0},   {32, 507, 0},
};

uint32_t NumeralId(int32_t value, bool upsideDown) {
  for (const Numeral& n : kNumerals) {
    if (n.value == value) return upsideDown ? n.upsideDown : n.upright;
  }
  return 0;
}

constexpr int32_t kPagesPerSheet[6] = {1, 2, 4, 6, 9, 16};

PlanRect Cell(const PlanRect& a, int32_t cols, int32_t rows, int32_t c, int32_t r) {
  const int32_t w = a.Width(), h = a.Height();
  return {a.left + w * c / cols, a.top + h * r / rows, a.left + w * (c + 1) / cols, a.top + h * (r + 1) / rows};
}

// The cells a sheet of the N-up kind shows: the whole area, both halves of a
// 2-up sheet, or the four corner cells (top-left, top-right, bottom-left,
// bottom-right).
std::vector<PlanRect> ShownCells(const PlanRect& a, bool landscape, uint32_t n) {
  if (n == 0) return {a};
  if (n == 1) {
    return landscape ? std::vector<PlanRect>{Cell(a, 2, 1, 0, 0), Cell(a, 2, 1, 1, 0)}
                     : std::vector<PlanRect>{Cell(a, 1, 2, 0, 0), Cell(a, 1, 2, 0, 1)};
  }
  int32_t cols = 2, rows = 2;
  if (n == 3) cols = landscape ? 3 : 2, rows = landscape ? 2 : 3;
  if (n == 4) cols = rows = 3;
  if (n == 5) cols = rows = 4;
  return {Cell(a, cols, rows, 0, 0), Cell(a, cols, rows, cols - 1, 0), Cell(a, cols, rows, 0, rows - 1),
          Cell(a, cols, rows, cols - 1, rows - 1)};
}

// The numerals of the shown cells of a sheet; empty when the N-up style
// shows none.
std::vector<int32_t> PlainNumerals(bool landscape, uint32_t n, int32_t style) {
  if (n == 0) return {1};
  if (n == 1) {
    const bool reversed = landscape ? (style == 1 || style == 3) : style == 3;
    return reversed ? std::vector<int32_t>{2, 1} : std::vector<int32_t>{1, 2};
  }
  if (style < 4 || style > 7) return {};
  using Row = std::array<int32_t, 4>;
  static const Row k4[4] = {{1, 2, 3, 4}, {1, 3, 2, 4}, {2, 1, 4, 3}, {3, 1, 4, 2}};
  static const Row k6Land[4] = {{1, 3, 4, 6}, {1, 5, 2, 6}, {3, 1, 6, 4}, {5, 1, 6, 2}};
  static const Row k6Port[4] = {{1, 2, 5, 6}, {1, 4, 3, 6}, {2, 1, 6, 5}, {4, 1, 6, 3}};
  static const Row k9[4] = {{1, 3, 7, 9}, {1, 7, 3, 9}, {3, 1, 9, 7}, {7, 1, 9, 3}};
  static const Row k16[4] = {{1, 4, 13, 16}, {1, 13, 4, 16}, {4, 1, 16, 13}, {13, 1, 16, 4}};
  const Row* table = n == 2 ? k4 : n == 3 ? (landscape ? k6Land : k6Port) : n == 4 ? k9 : k16;
  const Row& r = table[style - 4];
  return {r.begin(), r.end()};
}

// Upright numerals stand 1 pixel above their cell's bottom, upside-down ones
// 1 pixel below its top, both centred; `corner` (0-3) puts them 1 pixel
// inside that corner of the cell instead.
void PlaceNumeral(PlanBuilder& b, const PlanRect& cell, int32_t value, bool upsideDown, int corner) {
  const uint32_t id = NumeralId(value, upsideDown);
  if (id == 0) return;
  const PlanSize s = b.Size(id);
  PlanPoint at{cell.left + (cell.Width() - s.cx) / 2, upsideDown ? cell.top + 1 : cell.bottom - 1 - s.cy};
  if (corner >= 0) {
    at.x = (corner & 1) ? cell.right - 1 - s.cx : cell.left + 1;
    at.y = (corner & 2) ? cell.bottom - 1 - s.cy : cell.top + 1;
  }
  b.Pair(id, 0, at);
}

bool CombinationFits(const PaperViewInputs& in, bool sheetLandscape, uint32_t n) {
  const int32_t style = in.nupStyle;
  if (n == 0) return true;
  if (n == 1) {
    if (IsBooklet(in)) return style >= 0 && style <= 3;
    return sheetLandscape ? (style == 2 || style == 3) : (style == 0 || style == 1);
  }
  return style >= 4 && style <= 7;
}

bool DrawCombinationNumbers(PlanBuilder& b) {
  const PaperViewInputs& in = b.in;
  const PaperSheet& sh = b.plan.sheet;
  const uint32_t n = PaperViewNupKind(in);
  if (!CombinationFits(in, sh.landscape, n)) return false;
  const PlanRect& a = sh.page;
  const PlanRect halves[2] = {sh.landscape ? Cell(a, 2, 1, 0, 0) : Cell(a, 1, 2, 0, 0),
                              sh.landscape ? Cell(a, 2, 1, 1, 0) : Cell(a, 1, 2, 0, 1)};
  const bool halfLandscape = !sh.landscape;
  const int32_t kind = IsBooklet(in) ? 1 : CombinationKind(in);
  const int32_t pages = kPagesPerSheet[n];
  const std::vector<int32_t> base = PlainNumerals(halfLandscape, n, in.nupStyle);
  for (int half = 0; half < 2; ++half) {
    const std::vector<PlanRect> cells = ShownCells(halves[half], halfLandscape, n);
    if (base.size() != cells.size()) continue;
    const bool upsideDown = (kind == 2 && half == 0) || (kind == 3 && half == 1);
    for (size_t i = 0; i < cells.size(); ++i) {
      int32_t value = upsideDown ? base[cells.size() - 1 - i] : base[i];
      if (kind == 0 && half == 1) value += pages;
      const int corner = (n == 4 || n == 5) ? static_cast<int>(i) : -1;
      PlaceNumeral(b, cells[i], value, upsideDown, corner);
    }
  }
  return true;
}

}  // namespace

void AddPageNumbers(PlanBuilder& b) {
  const PaperViewInputs& in = b.in;
  const PaperSheet& sh = b.plan.sheet;
  if (CombinationApplies(in, sh.landscape) || IsBooklet(in)) {
    if (DrawCombinationNumbers(b)) return;
  }
  const uint32_t n = PaperViewNupKind(in);
  const std::vector<PlanRect> cells = ShownCells(sh.page, sh.landscape, n);
  const std::vector<int32_t> numerals = PlainNumerals(sh.landscape, n, in.nupStyle);
  if (numerals.size() != cells.size()) return;
  for (size_t i = 0; i < cells.size(); ++i) PlaceNumeral(b, cells[i], numerals[i], false, -1);
}
