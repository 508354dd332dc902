#include "dproc/preview/size_labels.h"

#include <cstdio>

#include "common/qxd/paper_tables.h"

namespace {

std::u16string Widen(const char* s) {
  std::u16string out;
  for (; *s != 0; ++s) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(*s)));
  return out;
}

bool IsUserCode(uint32_t id) { return id >= kPaperUserFirst && id <= kPaperUserLast; }

// Tenths of a millimetre as inch units (1000 or 100 per inch); user paper
// codes round up at the custom minimum and truncate at the maximum, so the
// value shown stays inside the range the model accepts.
int64_t ToInch(int32_t value, int64_t perInch, uint32_t id, int32_t min, int32_t max) {
  int64_t r = 127;
  if (IsUserCode(id)) {
    if (value == min) r = 253;
    else if (value == max) r = 0;
  }
  return (static_cast<int64_t>(value) * perInch + r) / 254;
}

}  // namespace

std::u16string FormatFixedPoint(int64_t value, uint32_t divisor) {
  char text[64];
  if (divisor <= 1) {
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
    return Widen(text);
  }
  int digits = 0;
  for (uint32_t d = divisor; d > 1; d /= 10) ++digits;
  const bool negative = value < 0;
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  const uint64_t whole = magnitude / divisor, rest = magnitude % divisor;
  char decimals[32];
  std::snprintf(decimals, sizeof decimals, "%0*llu", digits, static_cast<unsigned long long>(rest));
  int end = digits;
  while (end > 0 && decimals[end - 1] == '0') --end;
  decimals[end] = 0;
  if (end == 0) std::snprintf(text, sizeof text, "%s%llu", negative ? "-" : "", static_cast<unsigned long long>(whole));
  else std::snprintf(text, sizeof text, "%s%llu.%s", negative ? "-" : "", static_cast<unsigned long long>(whole), decimals);
  return Widen(text);
}

std::u16string PaperLabelText(const PaperLabelInput& p, const PaperViewInputs& in) {
  const bool inchKind = p.paperId == kPaperCustom || (p.paperId & kPaperServerFormBit) != 0 || IsUserCode(p.paperId);
  std::u16string w, l, unit;
  if (inchKind && p.inch) {
    const uint32_t perInch = in.paperFigureStyle == 1 ? 1000 : 100;
    int64_t wi, li;
    if (p.paperId == kPaperCustom) {
      // Stored in the same units: thousandths with figure style 1, else hundredths.
      wi = static_cast<int64_t>(p.storedWidthInch);
      li = static_cast<int64_t>(p.storedLengthInch);
    } else {
      wi = ToInch(p.width, perInch, p.paperId, in.customWidthMin, in.customWidthMax);
      li = ToInch(p.length, perInch, p.paperId, in.customLengthMin, in.customLengthMax);
    }
    w = FormatFixedPoint(wi, perInch);
    l = FormatFixedPoint(li, perInch);
    unit = u"\"";
  } else {
    w = FormatFixedPoint(p.width, 10);
    l = FormatFixedPoint(p.length, 10);
    unit = u"mm";
  }
  return p.name + u" (" + w + u"x" + l + unit + u")";
}

std::u16string ShortenToWidth(const std::u16string& text, int32_t available,
                              int32_t (*width)(void*, const std::u16string&), void* context) {
  const std::u16string dots = u"...";
  if (available <= 0) return std::u16string();
  const int32_t dotsWidth = width(context, dots);
  const int32_t textWidth = width(context, text);
  const int64_t len = static_cast<int64_t>(text.size());
  int64_t keep = len;
  // Start from the count the average character width suggests.
  const int64_t perChar100 = len > 0 ? static_cast<int64_t>(textWidth) * 100 / len : 0;
  if (perChar100 > 0) keep = (static_cast<int64_t>(available) - dotsWidth) * 100 / perChar100;
  if (keep > len) keep = len;
  if (keep < 0) keep = 0;
  while (keep > 0 && width(context, text.substr(0, static_cast<size_t>(keep)) + dots) > available) --keep;
  std::u16string out = text.substr(0, static_cast<size_t>(keep)) + dots;
  while (!out.empty() && width(context, out) > available) out.pop_back();
  return out;
}

namespace {

struct MeasureCtx {
  const PaperViewEnv* env;
  PlanFontSpec font;
};
int32_t MeasureWidth(void* c, const std::u16string& text) {
  auto* m = static_cast<MeasureCtx*>(c);
  return m->env->measure(m->env->context, m->font, text).cx;
}

}  // namespace

void AddSizeLabels(PlanBuilder& b) {
  const PaperViewInputs& in = b.in;
  const PlanFontSpec font{PlanFont::kLabel, -static_cast<int32_t>((9LL * b.env.logPixelsY + 36) / 72), 0};
  MeasureCtx mc{&b.env, font};
  const int32_t x0 = b.inner.left + 2;
  const int32_t available = b.inner.right - 2 * x0;
  auto text = [&](const std::u16string& t, PlanPoint at) {
    PaperViewOp op{PlanOpKind::kText};
    op.text = t;
    op.at = at;
    op.clip = b.inner;
    op.font = font;
    op.colour = 0xFFFFFF;
    b.plan.ops.push_back(std::move(op));
  };
  auto fitted = [&](const std::u16string& t) {
    return MeasureWidth(&mc, t) >= available ? ShortenToWidth(t, available, MeasureWidth, &mc) : t;
  };
  const PlanSize x = b.env.measure(b.env.context, font, u"X");
  int32_t y = b.inner.top + 2;
  int32_t lineHeight = x.cy;
  if (in.input.present) {
    const std::u16string label = PaperLabelText(in.input, in);
    const PlanSize s = b.env.measure(b.env.context, font, label);
    if (s.cy > 0) lineHeight = s.cy;
    text(fitted(label), {x0, y});
    // The arrow from the input size to the output size.
    const int32_t top = y + lineHeight, side = x.cy, q = side / 4, left = x0 + x.cx / 4;
    PaperViewOp arrow{PlanOpKind::kTriangle};
    arrow.corners[0] = {left + q, top + q};
    arrow.corners[1] = {left + side, top + q};
    arrow.corners[2] = {left + q + (side - 2 * q) / 2, top + side};
    b.plan.ops.push_back(arrow);
    const PaperLabelInput& out = in.outputRepeatsInput ? in.input : in.output;
    if (out.present) text(fitted(PaperLabelText(out, in)), {x0, top + lineHeight});
  }
  if (!in.resolutionName.empty()) {
    const PlanSize s = b.env.measure(b.env.context, font, in.resolutionName);
    text(in.resolutionName, {b.inner.right - 2 - s.cx, b.inner.bottom - 2 - s.cy});
  }
}
