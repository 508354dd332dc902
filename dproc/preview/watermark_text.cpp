// The watermark's place holder text in every N-up cell of the paper view.
#include <cmath>
#include <vector>

#include "dproc/preview/paper_view_plan.h"
#include "dproc/preview/watermark_angles.h"

namespace {

struct Table {
  int16_t sine[3600];
  int16_t cosine[3600];
  Table() {
    const double kTenth = 3.14159265358979323846 / 1800.0;
    for (int i = 0; i < 3600; ++i) {
      sine[i] = static_cast<int16_t>(std::sin((i + 5) * kTenth) * 1000.0);
      cosine[i] = static_cast<int16_t>(std::cos((i + 5) * kTenth) * 1000.0);
    }
  }
};

const Table& Trig() {
  static const Table table;
  return table;
}

PlanRect Cell(const PlanRect& a, int32_t cols, int32_t rows, int32_t c, int32_t r) {
  const int64_t w = a.Width(), h = a.Height();
  return {a.left + static_cast<int32_t>(w * c / cols), a.top + static_cast<int32_t>(h * r / rows),
          a.left + static_cast<int32_t>(w * (c + 1) / cols), a.top + static_cast<int32_t>(h * (r + 1) / rows)};
}

}  // namespace

int32_t WatermarkEscapement(int32_t angleDegrees) {
  const int64_t tenths = static_cast<int64_t>(angleDegrees) * 10;
  return static_cast<int32_t>(((tenths % 3600) + 3600) % 3600);
}

int32_t WatermarkSine(int32_t tenths) { return Trig().sine[((tenths % 3600) + 3600) % 3600]; }
int32_t WatermarkCosine(int32_t tenths) { return Trig().cosine[((tenths % 3600) + 3600) % 3600]; }

uint32_t WatermarkGrey(uint32_t colour, bool transparent) {
  int32_t r = colour & 0xFF, g = (colour >> 8) & 0xFF, bl = (colour >> 16) & 0xFF;
  if (transparent) r = r / 2 + 125, g = g / 2 + 125, bl = bl / 2 + 125;
  const uint32_t grey = static_cast<uint32_t>((30 * r + 59 * g + 11 * bl) / 100);
  return grey | (grey << 8) | (grey << 16);
}

void AddWatermarkText(PlanBuilder& b) {
  const PaperViewInputs& in = b.in;
  const PaperSheet& sh = b.plan.sheet;
  if (in.watermark == 0 || in.watermarkHidden) return;
  const PlanRect& a = sh.page;
  std::vector<PlanRect> halves{a};
  bool landscape = sh.landscape;
  bool split = false;
  if (IsBooklet(in)) {
    split = true;
  } else if (in.combination != 0) {
    split = sh.landscape ? in.combinationOp <= 3
                         : (in.combinationOp == 0 || in.combinationOp == 1 || in.combinationOp == 4 ||
                            in.combinationOp == 5);
  }
  if (split) {
    halves = sh.landscape ? std::vector<PlanRect>{Cell(a, 2, 1, 0, 0), Cell(a, 2, 1, 1, 0)}
                          : std::vector<PlanRect>{Cell(a, 1, 2, 0, 0), Cell(a, 1, 2, 0, 1)};
    landscape = !landscape;
  }
  const uint32_t n = PaperViewNupKind(in);
  int32_t cols = 1, rows = 1, points = 10, splitPoints = 6;
  switch (n) {
    case 1: cols = landscape ? 2 : 1, rows = landscape ? 1 : 2, points = 6, splitPoints = 4; break;
    case 2: cols = rows = 2, points = 4, splitPoints = 3; break;
    case 3: cols = landscape ? 3 : 2, rows = landscape ? 2 : 3, points = 4, splitPoints = 2; break;
    case 4: cols = rows = 3, points = 3, splitPoints = 1; break;
    case 5: cols = rows = 4, points = 2, splitPoints = 1; break;
    default: break;
  }
  const int32_t size = split ? splitPoints : points;
  PlanFontSpec font{PlanFont::kWatermark, -static_cast<int32_t>((static_cast<int64_t>(size) * b.env.logPixelsY + 36) / 72),
                    WatermarkEscapement(in.wmAngle)};
  const std::u16string text = u"********";
  const PlanSize extent = b.env.measure(b.env.context, font, text);
  const int32_t hw = extent.cx / 2, hh = extent.cy / 2;
  const int32_t sine = WatermarkSine(font.escapement), cosine = WatermarkCosine(font.escapement);
  for (const PlanRect& half : halves) {
    for (int32_t r = 0; r < rows; ++r) {
      for (int32_t c = 0; c < cols; ++c) {
        const PlanRect cell = Cell(half, cols, rows, c, r);
        const int32_t cx = cell.left + cell.Width() / 2, cy = cell.top + cell.Height() / 2;
        PlanPoint at{cx - (sine * hh + cosine * hw) / 1000, cy + (sine * hw - cosine * hh) / 1000};
        if (in.wmPosX >= 34 && in.wmPosX <= 100) at.x += cell.Width() / 3;
        if (in.wmPosX >= -100 && in.wmPosX <= -34) at.x -= cell.Width() / 3;
        if (in.wmPosY >= 34 && in.wmPosY <= 100) at.y -= cell.Height() / 3;
        if (in.wmPosY >= -100 && in.wmPosY <= -34) at.y += cell.Height() / 3;
        PaperViewOp op{PlanOpKind::kText};
        op.text = text;
        op.at = at;
        op.clip = cell;
        op.font = font;
        op.colour = WatermarkGrey(in.wmColor, in.wmTransparent != 0);
        b.plan.ops.push_back(std::move(op));
      }
    }
  }
}
