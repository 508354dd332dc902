#include "dproc/perpage/per_page_preview.h"

#include "common/records/inter_sheet_rules.h"

namespace {

constexpr double kReferenceTab = 378.0;
constexpr uint32_t kMostFontPoints = 255;

// The tab's drawn length for a tab of `reference` (0.1 mm) whose margins
// (30 and 20 of the same unit, at both ends) fit `height` with it, the
// factor starting at `factor` and lowered by 0.02 until they do.
int32_t Fit(double factor, double reference, int32_t height) {
  for (; factor > 0.0; factor -= 0.02) {
    const int32_t h = static_cast<int32_t>(height * factor);
    if (h + 2.0 * (30.0 / reference * h + 20.0 / reference * h) <= height) return h;
  }
  return 0;
}

}  // namespace

TabSchematic FitTabSchematic(const TabSettings& tab, uint32_t fontSize, int32_t height) {
  TabSchematic s = {};
  const int32_t length = TabLength(tab);
  // A size no caption has (a damaged entry) draws nothing rather than a
  // font of any height.
  if (fontSize == 0 || fontSize > kMostFontPoints || tab.height <= 0 || length <= 0 || height <= 0) return s;
  double reference = length > kReferenceTab ? length : kReferenceTab;
  int32_t h = Fit(0.9, reference, height);
  if (reference != length) {
    // Drawn to the scale of the reference tab, then fitted again.
    const int32_t scaled = static_cast<int32_t>(length / kReferenceTab * h);
    reference = length;
    h = Fit(static_cast<double>(scaled) / height, reference, height);
  }
  if (h <= 0) return s;
  s.drawn = true;
  s.tab = h;
  s.strip = static_cast<int32_t>(157.0 / reference * h);
  s.protrude = static_cast<int32_t>(127.0 / reference * h);
  s.fontHeight = static_cast<int32_t>(static_cast<int32_t>(fontSize * 254.0 / 72.0 + 0.5) * h / reference);
  s.margin = static_cast<int32_t>(20.0 / reference * h);
  return s;
}

uint8_t PreviewStapleMode(uint16_t staple) {
  constexpr uint8_t kModes[] = {1, 2, 3, 4, 3, 4, 5, 6, 7, 8};  // 257 to 266
  return staple >= 257 && staple <= 266 ? kModes[staple - 257] : 0;
}

CaptionPlace PlaceCaptionLine(const TabRect& r, uint32_t orientation, uint32_t vertPos, uint32_t horzPos, int32_t i,
                              int32_t n, int32_t p, int32_t m) {
  const int32_t midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
  CaptionPlace place = {};
  if (orientation == 1) {
    place.x = horzPos == 0 ? r.left + i * p : horzPos == 1 ? midX - (n * p / 2 - i * p) : r.right - (n - i) * p;
    place.y = vertPos == 0 ? r.top + m : vertPos == 1 ? midY : r.bottom - m;
    place.align = vertPos == 0 ? CaptionAlign::kRight : vertPos == 1 ? CaptionAlign::kCentre : CaptionAlign::kLeft;
  } else {
    place.x = horzPos == 0 ? r.left + (n - i) * p : horzPos == 1 ? midX + (n * p / 2 - i * p) : r.right - i * p;
    place.y = vertPos == 0 ? r.top + m : vertPos == 1 ? midY : r.bottom - m;
    place.align = vertPos == 0 ? CaptionAlign::kLeft : vertPos == 1 ? CaptionAlign::kCentre : CaptionAlign::kRight;
  }
  return place;
}
