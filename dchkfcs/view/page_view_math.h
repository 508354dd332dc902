// The arithmetic of the cover sheet check window, without its windows: the
// zoom steps of the zoom list, a typed zoom, the fit zoom of the page view,
// the displayed page and where it stands, the scroll positions and the
// mouse wheel.
#pragma once

#include <cstdint>

inline constexpr int32_t kCheckZoomMin = 10, kCheckZoomMax = 500;
inline constexpr int32_t kCheckZoomList[] = {500, 200, 150, 100, 75, 50, 25, 10};
inline constexpr int32_t kCheckScrollMargin = 20;  // scroll extent beyond the page
inline constexpr int32_t kCheckPageInset = 8;      // page distance from the view's top (and left in free zoom)

enum CheckFitMode : int32_t { kFitWholePage = 0, kFitWholeWidth = 1, kFitFree = 2 };

// Zoom In / Zoom Out: the next list zoom above (below) `zoom`, or 0 for none.
int32_t CheckZoomIn(int32_t zoom);
int32_t CheckZoomOut(int32_t zoom);
// A typed zoom: decimal digits (blanks around allowed) giving 10..500, else 0.
int32_t ParseCheckZoom(const char16_t* text);

// Fit commands: View Whole Page / Whole Width switch between their mode and
// free zoom.
int32_t ToggleFitMode(int32_t mode, int32_t wanted);

// The zoom of a fit mode for the view's client size and the page size at
// 100 %, clamped to 10..500; free zoom keeps `zoom`.  A page without width
// or height cannot be fitted: it shows at 100.
int32_t CheckFitZoom(int32_t mode, int32_t zoom, int32_t clientWidth, int32_t clientHeight, int32_t pageWidth,
                     int32_t pageHeight);

struct CheckPageLayout {
  int32_t width, height;                   // displayed page
  int32_t extentX, extentY;                // scroll extents
  int32_t left, top, right, bottom;        // page rectangle, scrolled view coordinates
};
CheckPageLayout CheckLayoutPage(int32_t mode, int32_t zoom, int32_t pageWidth, int32_t pageHeight,
                                int32_t clientLeft, int32_t clientTop, int32_t clientWidth);

enum CheckScrollRequest : int32_t {
  kScrollLineUp = 0, kScrollLineDown = 1, kScrollPageUp = 2, kScrollPageDown = 3,
  kScrollThumbPosition = 4, kScrollThumbTrack = 5, kScrollTop = 6, kScrollBottom = 7, kScrollEnd = 8,
};
// The new scroll position: the request's target limited to min .. max - page.
int32_t CheckScrollTarget(int32_t request, int32_t pos, int32_t min, int32_t max, int32_t page, int32_t thumb);

// A wheel delta as line scrolls: `count` lines, down when `down`.
struct CheckWheelScroll {
  int32_t count;
  bool down;
};
CheckWheelScroll CheckWheelLines(int16_t delta);
