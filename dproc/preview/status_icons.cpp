#include "dproc/preview/status_icons.h"

std::vector<StatusIcon> StatusIconList(const StatusIconInputs& in) {
  std::vector<StatusIcon> icons;
  icons.push_back(in.faxPrintReport ? StatusIcon{1, 1, 10042, 10043, 311} : StatusIcon{1, 1, 10044, 10045, 310});
  icons.push_back(in.faxTimerSend ? StatusIcon{1, 2, 10046, 10047, 321} : StatusIcon{1, 2, 10048, 10049, 320});
  icons.push_back(in.faxCoverSheet ? StatusIcon{1, 3, 10050, 10051, 331} : StatusIcon{1, 3, 10052, 10053, 330});
  if (in.watermark && !in.watermarkHidden) {
    icons.push_back(in.watermarkTransparent ? StatusIcon{2, 5, 909, 906, 151} : StatusIcon{2, 5, 908, 906, 152});
  } else {
    icons.push_back(StatusIcon{2, 5, 907, 906, 150});
  }
  if (in.showUserAuth) {
    icons.push_back(in.userAuthOff ? StatusIcon{3, 2, 948, 949, 200} : StatusIcon{3, 2, 950, 951, 201});
  }
  if (in.showAccountTrack) {
    icons.push_back(in.accountTrackOn ? StatusIcon{3, 3, 954, 955, 211} : StatusIcon{3, 3, 952, 953, 210});
  }
  return icons;
}

PlanRect StatusIconCell(const PlanRect& control, int row, int column) {
  const PlanRect inner{control.left + 3, control.top + 3, control.right - 3, control.bottom - 3};
  const int32_t width = inner.Width() / 5, height = inner.Height() / 3;
  const int32_t left = inner.left + (column - 1) * width, top = inner.top + (row - 1) * height;
  return {left, top, left + width, top + height};
}

PlanRect FitPictureInto(const PlanRect& cell, PlanSize picture) {
  if (picture.cx <= 0 || picture.cy <= 0) return {cell.left, cell.top, cell.left, cell.top};
  if (cell.Width() >= picture.cx && cell.Height() >= picture.cy) {
    return {cell.left, cell.top, cell.left + picture.cx, cell.top + picture.cy};
  }
  const double sx = static_cast<double>(cell.Width()) / picture.cx;
  const double sy = static_cast<double>(cell.Height()) / picture.cy;
  const double scale = sx < sy ? sx : sy;
  const int32_t w = scale > 0 ? static_cast<int32_t>(picture.cx * scale) : 0;
  const int32_t h = scale > 0 ? static_cast<int32_t>(picture.cy * scale) : 0;
  const int32_t left = cell.left + (cell.Width() - w) / 2, top = cell.top + (cell.Height() - h) / 2;
  return {left, top, left + w, top + h};
}
