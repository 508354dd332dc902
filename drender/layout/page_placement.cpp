// Zoom, fit, centring, binding and image shifts of a page.
#include "drender/layout/page_placement.h"

#include <algorithm>
#include <climits>

namespace {

int32_t Clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

int32_t WidthDots(uint32_t resolution, uint32_t mm) { return Page_TenthsToDots(resolution, mm * 10u); }

}  // namespace

BindingEdge Page_BindingEdge(uint8_t position) {
  switch (position) {
    case 0: case 4: case 15: return kBindLeft;
    case 1: case 5: case 16: return kBindRight;
    case 2: case 6: case 17: return kBindTop;
    case 3: case 7: return kBindBottom;
    default: return kBindNone;
  }
}

int32_t Page_TenthsToDots(uint32_t resolution, uint32_t tenths) {
  return Clamp32((int64_t{resolution} * tenths + 253) / 254);
}

uint32_t Page_GetBindingZoomPercent(const BindingSettings& b, bool backSide, const BindingFrame& frame) {
  if (b.bindingShift == 0 || b.reduceMode != 1) return 100;
  const uint8_t p = b.position;
  if ((p >= 8 && p <= 14) || p > 17) return 100;
  const BindingEdge edge = Page_BindingEdge(p);
  const bool vertical = edge == kBindTop || edge == kBindBottom;
  const int64_t reduce = int64_t{backSide ? b.backMm : b.frontMm} * 10;
  int64_t g = frame.printableWidthTenths, h = frame.printableHeightTenths;
  if (g <= 0 || h <= 0) return 100;
  const int64_t e = vertical ? 0 : reduce, f = vertical ? reduce : 0;
  const bool c = b.combination == 0;
  int64_t percent;
  if (c != (vertical ? g < h : h < g)) {
    percent = std::min((g - e) * 100 / g, (h - f) * 100 / h);
  } else {
    // The reduction runs along the binding axis, over the sheet's extent on
    // it (twice the page's when the pages are not combined).
    if (vertical) g = c ? h : 2 * h;
    else if (!c) g = 2 * g;
    percent = ((g - reduce) * 100 + g / 2) / g;
  }
  return static_cast<uint32_t>(std::clamp<int64_t>(percent, 1, 100));
}

void Page_GetBindingReduceOffsets(const BindingSettings& b, bool backSide, const BindingFrame& frame, int32_t* x,
                                  int32_t* y) {
  *x = *y = 0;
  const BindingEdge edge = Page_BindingEdge(b.position);
  if (edge == kBindNone) return;
  const int64_t p = Page_GetBindingZoomPercent(b, backSide, frame);
  const int64_t W = frame.printableWidthDots, H = frame.printableHeightDots;
  const bool horizontal = edge == kBindLeft || edge == kBindRight;
  // Horizontal positions use the portrait page's x resolution, vertical ones
  // its y resolution; a landscape page exchanges them.
  const uint32_t resolution = horizontal != frame.landscape ? frame.resolutionX : frame.resolutionY;
  const int32_t w = WidthDots(resolution, backSide ? b.backMm : b.frontMm);
  const int32_t centreY = Clamp32((H - p * H / 100) / 2);
  const int32_t centreX = Clamp32((W - W * p / 100) / 2);
  // The margin lies on the binding edge of a front side and on the opposite
  // edge of a back side.
  const bool marginFirst = (edge == kBindLeft || edge == kBindTop) != backSide;
  if (horizontal) {
    *x = marginFirst ? w : 0;
    *y = centreY;
  } else {
    *y = marginFirst ? w : 0;
    *x = centreX;
  }
}

void Page_GetBindingShift(const BindingSettings& b, bool backSide, const BindingFrame& frame, int32_t* x,
                          int32_t* y) {
  *x = *y = 0;
  if (b.bindingShift == 0) return;
  if (b.reduceMode == 1) {
    Page_GetBindingReduceOffsets(b, backSide, frame, x, y);
    return;
  }
  const int32_t w = WidthDots(frame.resolutionX, backSide ? b.backMm : b.frontMm);
  const int32_t s = backSide ? -w : w;
  switch (Page_BindingEdge(b.position)) {
    case kBindLeft: *x = s; break;
    case kBindRight: *x = -s; break;
    case kBindTop: *y = s; break;
    case kBindBottom: *y = -s; break;
    default: break;
  }
}

void Page_GetImageShift(const ImageShiftSettings& s, bool backSide, uint32_t resolutionX, int32_t* x, int32_t* y) {
  *x = *y = 0;
  if (s.imageShift == 0 || s.modelAllows == 0) return;
  const int32_t h = Page_TenthsToDots(resolutionX, backSide ? s.backH : s.frontH);
  const int32_t v = Page_TenthsToDots(resolutionX, backSide ? s.backV : s.frontV);
  *x = (backSide ? s.backHSign : s.frontHSign) == 0 ? -h : h;
  *y = (backSide ? s.backVSign : s.frontVSign) == 0 ? -v : v;
}

uint32_t Page_ComputeScalePercent(bool sameAsDocumentPaper, bool driverLayout, uint32_t outputWidthTenths,
                                  uint32_t outputHeightTenths, uint32_t documentWidthTenths,
                                  uint32_t documentHeightTenths) {
  if (sameAsDocumentPaper || !driverLayout) return 100;
  if (documentWidthTenths == 0 || documentHeightTenths == 0) return 100;
  const int64_t px = (int64_t{outputWidthTenths} * 1000 / documentWidthTenths + 5) / 10;
  const int64_t py = (int64_t{outputHeightTenths} * 1000 / documentHeightTenths + 5) / 10;
  const int64_t percent = std::min(px, py);
  return percent >= 25 && percent <= 400 ? static_cast<uint32_t>(percent) : 100;
}

uint32_t Page_ZoomOverFitPercent(uint32_t zoomValue, uint32_t fitPercent) {
  const uint64_t zoom = zoomValue == 0 ? 100 : zoomValue;
  const uint64_t fit = fitPercent == 0 ? 100 : fitPercent;
  return static_cast<uint32_t>(std::min<uint64_t>(zoom * 100 / fit, INT32_MAX / 10000));
}

int32_t Page_GetFitScale(uint32_t outputWidthDots, uint32_t outputHeightDots, uint32_t jobWidthDots,
                         uint32_t jobHeightDots) {
  if (jobWidthDots == 0 || jobHeightDots == 0) return 1000000;
  const int64_t sx = int64_t{outputWidthDots} * 10000 / jobWidthDots * 100;
  const int64_t sy = int64_t{outputHeightDots} * 10000 / jobHeightDots * 100;
  return Clamp32(std::min(sx, sy));
}

int32_t Page_DirectScale(bool zoomFit, uint32_t zoomValue, uint32_t fitPercent, int32_t fitScale) {
  if (zoomFit) return fitScale;
  return Clamp32(int64_t{Page_ZoomOverFitPercent(zoomValue, fitPercent)} * 10000);
}

void Page_GetCentering(bool driverLayout, const PageFrame& output, const PageFrame& job, int32_t* x, int32_t* y,
                       int32_t* width, int32_t* height) {
  const int64_t a = job.printableWidthDots, b = job.printableHeightDots;
  if (driverLayout || a == 0 || b == 0) {
    *x = Clamp32(job.leftDots);
    *y = Clamp32(job.topDots);
    *width = Clamp32(a);
    *height = Clamp32(b);
    return;
  }
  const int64_t left = output.leftDots, top = output.topDots;
  const int64_t right = int64_t{output.paperWidthDots} - output.printableWidthDots - left;
  const int64_t bottom = int64_t{output.paperHeightDots} - output.printableHeightDots - top;
  const int64_t d =
      std::min(int64_t{output.printableWidthDots} * 1000000 / a, int64_t{output.printableHeightDots} * 1000000 / b) /
      100;
  const int64_t scaledW = a * d / 10000, scaledH = b * d / 10000;
  const int64_t mx = d * std::max(left, right) / 10000, my = d * std::max(top, bottom) / 10000;
  *x = Clamp32(mx + (int64_t{output.paperWidthDots} - 2 * mx - scaledW) / 2);
  *y = Clamp32(my + (int64_t{output.paperHeightDots} - 2 * my - scaledH) / 2);
  *width = Clamp32(scaledW);
  *height = Clamp32(scaledH);
}

uint32_t Page_MarginDotsToTenths(uint32_t marginDots, uint32_t resolution) {
  if (resolution == 0) return 0;
  return static_cast<uint32_t>((uint64_t{marginDots} * 2540 / resolution + 9) / 10);
}
