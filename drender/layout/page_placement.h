// Where a replayed page lands on its paper: the zoom or fit scale, the
// centring on a different output paper, the binding shift (a margin for
// binding, mirrored on back sides), the device's image shift, and the
// reduction that makes room for the binding margin.
//
// Lengths are dots at the job's resolution unless named otherwise; percents
// are whole numbers; scales are millionths (1,000,000 = 100 %).  Nothing
// here divides by a zero taken from settings or frames: a zoom of 0 counts
// as 100 %, an empty extent as no change.
#pragma once

#include <cstdint>

#include "drender/settings/page_frame.h"

// Binding position groups: left {0, 4, 15}, right {1, 5, 16}, top
// {2, 6, 17}, bottom {3, 7}; other positions shift nothing.
enum BindingEdge : uint8_t { kBindNone, kBindLeft, kBindRight, kBindTop, kBindBottom };
BindingEdge Page_BindingEdge(uint8_t position);

// Tenths of a millimetre to dots, rounded up from a quarter of a tenth:
// (resolution x tenths + 253) div 254.
int32_t Page_TenthsToDots(uint32_t resolution, uint32_t tenths);

// The binding fields of a page (or the sheet's saved ones in driver
// layout); the position is already resolved when it was automatic.
struct BindingSettings {
  uint8_t bindingShift;  // on
  uint8_t position;
  uint16_t frontMm;
  uint16_t backMm;
  uint8_t reduceMode;  // BindShift_Mode 1: reduce the page to make room
  uint8_t combination;
};

// The output frame's printable area and the resolutions the reduction
// needs.
struct BindingFrame {
  uint32_t printableWidthTenths;  // g
  uint32_t printableHeightTenths;  // h
  uint32_t printableWidthDots;    // W
  uint32_t printableHeightDots;   // H
  uint32_t resolutionX;
  uint32_t resolutionY;
  bool landscape;  // the page's orientation exchanges the resolutions
};

// Percent the page is reduced to so that the binding margin fits: 100
// unless the shift is on in reduce mode; from 1 to 100 otherwise.
uint32_t Page_GetBindingZoomPercent(const BindingSettings& b, bool backSide, const BindingFrame& frame);
// The offsets of the reduced page: the binding margin on the binding edge
// (of the front side; the opposite edge's on a back side) and the page
// centred along the other axis.
void Page_GetBindingReduceOffsets(const BindingSettings& b, bool backSide, const BindingFrame& frame, int32_t* x,
                                  int32_t* y);
// The binding shift of a page: 0, 0 when off; the reduce offsets in reduce
// mode; else the side's width moved towards or away from the binding edge.
void Page_GetBindingShift(const BindingSettings& b, bool backSide, const BindingFrame& frame, int32_t* x,
                          int32_t* y);

struct ImageShiftSettings {
  uint8_t imageShift;   // on
  uint8_t modelAllows;  // the model's image-shift value
  // Front and back, horizontal and vertical, in 0.1 mm; a sign byte of 0
  // means the negative direction.
  uint16_t frontH, frontV, backH, backV;
  uint8_t frontHSign, frontVSign, backHSign, backVSign;
};
// The image shift of the side, both axes converted with the x resolution.
void Page_GetImageShift(const ImageShiftSettings& s, bool backSide, uint32_t resolutionX, int32_t* x, int32_t* y);

// The paper-fit percent of a driver-layout page on a different output
// paper: the smaller of the printable extents' ratios, rounded; 100 when
// the papers are the same, outside driver layout, for an empty document
// extent, or when the result lies outside 25 to 400.
uint32_t Page_ComputeScalePercent(bool sameAsDocumentPaper, bool driverLayout, uint32_t outputWidthTenths,
                                  uint32_t outputHeightTenths, uint32_t documentWidthTenths,
                                  uint32_t documentHeightTenths);
// ZoomValue x 100 div the fit percent, with 0 counting as 100 for both.
uint32_t Page_ZoomOverFitPercent(uint32_t zoomValue, uint32_t fitPercent);
// The fit scale (millionths, the smaller axis): output printable extent
// against the job's; 1,000,000 when either job extent is empty.
int32_t Page_GetFitScale(uint32_t outputWidthDots, uint32_t outputHeightDots, uint32_t jobWidthDots,
                         uint32_t jobHeightDots);
// The scale of a plain page: the fit scale when Zoom is set, else
// ZoomValue x 100 div the fit percent, in millionths.
int32_t Page_DirectScale(bool zoomFit, uint32_t zoomValue, uint32_t fitPercent, int32_t fitScale);

// The page's centred position on the output paper.  In driver layout, and
// when the job frame has no printable extent, it is the job frame's own
// margins and printable size.
void Page_GetCentering(bool driverLayout, const PageFrame& output, const PageFrame& job, int32_t* x, int32_t* y,
                       int32_t* width, int32_t* height);

// A default margin in dots as tenths of a millimetre: (margin x 2540 div
// resolution + 9) div 10; 0 at resolution 0.
uint32_t Page_MarginDotsToTenths(uint32_t marginDots, uint32_t resolution);
