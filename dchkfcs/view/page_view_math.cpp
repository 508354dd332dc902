#include "dchkfcs/view/page_view_math.h"

#include <algorithm>
#include <cstdlib>

namespace {

int32_t MulDivRound(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return 0;
  const int64_t p = static_cast<int64_t>(a) * b;
  const int64_t q = p >= 0 ? (p + c / 2) / c : (p - c / 2) / c;
  return static_cast<int32_t>(std::clamp<int64_t>(q, INT32_MIN, INT32_MAX));
}

}  // namespace

int32_t CheckZoomIn(int32_t zoom) {
  int32_t best = 0;
  for (int32_t z : kCheckZoomList) {
    if (z > zoom && (best == 0 || z < best)) best = z;
  }
  return best;
}

int32_t CheckZoomOut(int32_t zoom) {
  int32_t best = 0;
  for (int32_t z : kCheckZoomList) {
    if (z < zoom && z > best) best = z;
  }
  return best;
}

int32_t ParseCheckZoom(const char16_t* text) {
  if (!text) return 0;
  while (*text == u' ') ++text;
  int32_t value = 0, digits = 0;
  for (; *text >= u'0' && *text <= u'9'; ++text) {
    if (value > kCheckZoomMax) return 0;  // long digit runs cannot overflow
    value = value * 10 + (*text - u'0');
    ++digits;
  }
  while (*text == u' ') ++text;
  if (*text != 0 || digits == 0) return 0;
  return value >= kCheckZoomMin && value <= kCheckZoomMax ? value : 0;
}

int32_t ToggleFitMode(int32_t mode, int32_t wanted) { return mode == wanted ? kFitFree : wanted; }

int32_t CheckFitZoom(int32_t mode, int32_t zoom, int32_t clientWidth, int32_t clientHeight, int32_t pageWidth,
                     int32_t pageHeight) {
  if (mode == kFitFree) return zoom;
  if (pageWidth <= 0 || pageHeight <= 0) return 100;
  const int64_t zw = (static_cast<int64_t>(std::abs(clientWidth)) - 21) * 100 / pageWidth;
  int64_t z = zw;
  if (mode == kFitWholePage) {
    const int64_t zh = (static_cast<int64_t>(std::abs(clientHeight)) - 21) * 100 / pageHeight;
    z = std::min(zw, zh);
  }
  return static_cast<int32_t>(std::clamp<int64_t>(z, kCheckZoomMin, kCheckZoomMax));
}

CheckPageLayout CheckLayoutPage(int32_t mode, int32_t zoom, int32_t pageWidth, int32_t pageHeight,
                                int32_t clientLeft, int32_t clientTop, int32_t clientWidth) {
  CheckPageLayout l{};
  l.width = MulDivRound(pageWidth, zoom, 100);
  l.height = MulDivRound(pageHeight, zoom, 100);
  l.extentX = l.width + kCheckScrollMargin;
  l.extentY = l.height + kCheckScrollMargin;
  if (mode == kFitFree) {
    l.left = kCheckPageInset;
    l.top = kCheckPageInset;
  } else {
    l.left = clientLeft + clientWidth / 2 - l.width / 2;
    l.top = clientTop + kCheckPageInset;
  }
  l.right = l.left + l.width;
  l.bottom = l.top + l.height;
  return l;
}

int32_t CheckScrollTarget(int32_t request, int32_t pos, int32_t min, int32_t max, int32_t page, int32_t thumb) {
  int64_t target = pos;
  switch (request) {
    case kScrollLineUp: target = static_cast<int64_t>(pos) - 10; break;
    case kScrollLineDown: target = static_cast<int64_t>(pos) + 10; break;
    case kScrollPageUp: target = static_cast<int64_t>(pos) - page; break;
    case kScrollPageDown: target = static_cast<int64_t>(pos) + page; break;
    case kScrollThumbPosition:
    case kScrollThumbTrack: target = static_cast<uint16_t>(thumb); break;
    case kScrollTop: target = min; break;
    case kScrollBottom: target = static_cast<int64_t>(max) - page; break;
    default: break;
  }
  target = std::min<int64_t>(target, static_cast<int64_t>(max) - page);
  target = std::max<int64_t>(target, min);
  return static_cast<int32_t>(target);
}

CheckWheelScroll CheckWheelLines(int16_t delta) {
  const int32_t notches = delta / 120;  // truncates towards zero
  return CheckWheelScroll{2 * std::abs(notches), delta <= 0};
}
