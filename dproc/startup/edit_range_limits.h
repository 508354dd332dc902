// Limits of the length and count edit fields that the description file may
// narrow: binding shift, image shift, divided output, tab image shift, spine
// width and post-inserter pages.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/qxd/qxd_reader.h"

struct EditRangeLimit {
  const char* section;  // range section of the description file
  int32_t scale;        // 10: the file gives millimetres, the field tenths
  int32_t minimum;
  int32_t maximum;
};

enum EditRangeId : size_t {
  kRangeBindShiftFront, kRangeBindShiftBack,
  kRangeImgShiftPrnFrontH, kRangeImgShiftPrnFrontV, kRangeImgShiftPrnBackH, kRangeImgShiftPrnBackV,
  kRangeImgShiftMfpFrontH, kRangeImgShiftMfpFrontV, kRangeImgShiftMfpFrontI, kRangeImgShiftMfpFrontO,
  kRangeImgShiftMfpBackH, kRangeImgShiftMfpBackV, kRangeImgShiftMfpBackI, kRangeImgShiftMfpBackO,
  kRangeDivideFinish, kRangeTabImageShift, kRangeSpineWidth, kRangeFrontInsertPage, kRangeBackInsertPage,
  kEditRangeCount
};

// Built-in limits until the description file replaces them.
extern EditRangeLimit g_editRangeLimits[kEditRangeCount];

// The minimum and maximum of a range section; false (outputs untouched)
// when the section is missing or its range cannot be read.
bool ReadRangeSection(QxdContext* ctx, const char* section, int32_t* minimum, int32_t* maximum);
// Reads every range section of the table; a missing one keeps its limits.
// ("TABImageShiftValue" sets no limit: the tab image shift dialog takes its
// limits from "TABImageShift".)
void LoadEditRangeLimits(QxdContext* ctx);
