#include "dproc/startup/edit_range_limits.h"

EditRangeLimit g_editRangeLimits[kEditRangeCount] = {
    {"BindShift_Front", 1, 0, 50},         {"BindShift_Back", 1, 0, 50},
    {"ImgShiftPrn_FrontH", 10, -1000, 1000}, {"ImgShiftPrn_FrontV", 10, -1000, 1000},
    {"ImgShiftPrn_BackH", 10, -1000, 1000},  {"ImgShiftPrn_BackV", 10, -1000, 1000},
    {"ImgShiftMFP_FrontH", 10, 0, 2500},     {"ImgShiftMFP_FrontV", 10, 0, 2500},
    {"ImgShiftMFP_FrontI", 10, 0, 2500},     {"ImgShiftMFP_FrontO", 10, 0, 500},
    {"ImgShiftMFP_BackH", 10, 0, 2500},      {"ImgShiftMFP_BackV", 10, 0, 2500},
    {"ImgShiftMFP_BackI", 10, 0, 2500},      {"ImgShiftMFP_BackO", 10, 0, 500},
    {"DivideFinish", 1, 1, 9999},            {"TABImageShift", 1, 100, 150},
    {"PBSpinWidth", 1, 10, 300},             {"PIFInsertPage", 1, 1, 20},
    {"PIBInsertPage", 1, 1, 20},
};

bool ReadRangeSection(QxdContext* ctx, const char* section, int32_t* minimum, int32_t* maximum) {
  uint32_t at = QxdFindSection(ctx, section);
  QxdSectionHeader header;
  QxdListHeader list;
  uint32_t range[3];
  if (!QxdReadSectionHeader(ctx, at, &header) || !QxdReadListHeader(ctx, at + kQxdListHeaderAt, &list) ||
      !QxdReadRangeRecord(ctx, at + kQxdRangeRecordAt, range)) {
    return false;
  }
  if (maximum != nullptr) *maximum = static_cast<int32_t>(range[0]);
  if (minimum != nullptr) *minimum = static_cast<int32_t>(range[1]);
  return true;
}

namespace {

// The millimetre limits of the file, held in tenths; a value beyond what
// tenths can hold stays at the largest one.
int32_t Scaled(int32_t value, int32_t scale) {
  int64_t v = static_cast<int64_t>(value) * scale;
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
}

}  // namespace

void LoadEditRangeLimits(QxdContext* ctx) {
  for (EditRangeLimit& limit : g_editRangeLimits) {
    int32_t minimum, maximum;
    if (!ReadRangeSection(ctx, limit.section, &minimum, &maximum)) continue;
    limit.minimum = Scaled(minimum, limit.scale);
    limit.maximum = Scaled(maximum, limit.scale);
  }
}
