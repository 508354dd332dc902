// The status icon strip of the preview area (control 1123): a grid of five
// columns by three rows of masked pictures that show the fax options, the
// watermark and the device's authentication options, each with a tooltip
// text of the ViewTipsStr table.  The icons and their places as data; the
// Windows layer draws them (preview_area_win.h).
#pragma once

#include <cstdint>
#include <vector>

#include "dproc/preview/paper_view_plan.h"

struct StatusIconInputs {
  bool faxPrintReport = false;    // FaxSetting fgPrtRecFile
  bool faxTimerSend = false;      // FaxSetting fgTimerSend
  bool faxCoverSheet = false;     // FaxSetting fgFaxCoverSheet
  bool watermark = false;         // Watermark on
  bool watermarkHidden = false;   // a driver booklet on a plug-in page: not printed
  bool watermarkTransparent = false;
  bool showUserAuth = false;      // the model's second "UserAuthentication" field is Enable
  bool userAuthOff = false;       // DevUserAuthentication is DevUserAuthentic_Dis
  bool showAccountTrack = false;  // the model's "AccountTrackSetting" is Enable
  bool accountTrackOn = false;    // DevAccountTrack is DevAccountTrack_Ena
};

struct StatusIcon {
  int row, column;     // 1-based cell of the 5 x 3 grid
  uint32_t image, mask;
  int32_t tipIndex;    // ViewTipsStr entry
};

// The icons to draw, in drawing order.
std::vector<StatusIcon> StatusIconList(const StatusIconInputs& in);

// The cell of a 1-based row and column: the control less 3 pixels on each
// side, divided into five columns and three rows (integer division), laid
// out from the inner area's top-left.
PlanRect StatusIconCell(const PlanRect& control, int row, int column);
// Where a picture goes in a cell: at its own size at the cell's top-left
// when the cell is at least as wide and high; otherwise scaled by the
// smaller of the two ratios (sizes truncated) and centred.  A picture
// without size gives an empty rectangle at the cell's corner.
PlanRect FitPictureInto(const PlanRect& cell, PlanSize picture);
