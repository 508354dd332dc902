// Paper, tray and finishing facts of a job.
#include "drender/pjl/pjl_paper.h"

#include <cstddef>

#include "common/qxd/paper_tables.h"
#include "common/records/doc_fields.h"
#include "drender/model/model_features.h"
#include "drender/settings/binding_edge.h"
#include "drender/settings/paper_geometry.h"

namespace {

// The media fields of the automatic tray's entry and of the other trays'
// entries, in the order of PjlMediaField; a tray entry is found by its bin id.
constexpr uint32_t kAutoMediaAt[] = {DOC_FIELD_AT(PTInfoAuto) + offsetof(TrayMediaEntry, nPaperType2),
                                     DOC_FIELD_AT(PTInfoAuto) + offsetof(TrayMediaEntry, nPaperWeight),
                                     DOC_FIELD_AT(PTInfoAuto) + offsetof(TrayMediaEntry, nPaperColor),
                                     DOC_FIELD_AT(PTInfoAuto) + offsetof(TrayMediaEntry, nPaperPrePunched)};
constexpr uint32_t kTrayRecordsAt = kDocTrayEntriesAt + kDocTrayEntryBinIdAt;
constexpr uint32_t kTrayRecordSize = sizeof(TrayMediaEntry);
constexpr uint32_t kTrayRecords = sizeof(DocFields::PTInfoEach) / sizeof(TrayMediaEntry);
constexpr uint32_t kTrayFieldAt[] = {offsetof(TrayMediaEntry, nPaperType2) - offsetof(TrayMediaEntry, nValue),
                                     offsetof(TrayMediaEntry, nPaperWeight) - offsetof(TrayMediaEntry, nValue),
                                     offsetof(TrayMediaEntry, nPaperColor) - offsetof(TrayMediaEntry, nValue),
                                     offsetof(TrayMediaEntry, nPaperPrePunched) - offsetof(TrayMediaEntry, nValue)};

int32_t TrayRecord(const PjlJob* job, uint32_t tray) {
  for (uint32_t i = 0; i < kTrayRecords; ++i) {
    if (Pjl_DocU32(job, kTrayRecordsAt + i * kTrayRecordSize) == tray) return static_cast<int32_t>(i);
  }
  return -1;
}

}  // namespace

bool Pjl_IsCustomPaperCode(uint32_t code) { return code == 256 || (code >= 512 && code <= 522) || (code & 0x1000) != 0; }

uint32_t Pjl_TrayMedia(const PjlJob* job, uint32_t tray, PjlMediaField field) {
  if (tray == kInterSheetSameTray) tray = Pjl_DocU16(job, kPjlInTrayAt);
  if (tray == kPjlAutoTray) {
    return field == kPjlMediaPrePunched ? Pjl_DocByte(job, kAutoMediaAt[field]) : Pjl_DocU16(job, kAutoMediaAt[field]);
  }
  const int32_t row = TrayRecord(job, tray);
  if (row < 0) return 0;
  const uint32_t at = kTrayRecordsAt + static_cast<uint32_t>(row) * kTrayRecordSize + kTrayFieldAt[field];
  return field == kPjlMediaPrePunched ? Pjl_DocByte(job, at) : Pjl_DocU16(job, at);
}

bool Pjl_TrayHasMedia(const PjlJob* job, uint32_t tray) {
  if (tray == kInterSheetSameTray) tray = Pjl_DocU16(job, kPjlInTrayAt);
  return tray == kPjlAutoTray || TrayRecord(job, tray) >= 0;
}

bool Pjl_DuplexOff(const PjlJob* job) {
  const uint32_t sides = Pjl_DocByte(job, kPjlDoubleSidesAt);
  return sides == 1 || (sides == 3 && !job->values.driverBooklet);
}

uint32_t Pjl_BindingEdge(const PjlJob* job) {
  if (job->doc == nullptr) return Pjl_DocByte(job, kPjlBindingEdgeAt);
  return Pjl_ResolvedBindingEdge(job->model, job->doc, job->values.driverBooklet);
}

const char* Pjl_BindingWord(const PjlJob* job) {
  switch (Pjl_BindingEdge(job)) {
    case 1: case 5: case 16: return "RIGHT";
    case 2: case 6: case 17: return "TOP";
    default: return "LEFT";
  }
}

const char* Pjl_StapleKindWord(uint32_t kind) {
  if (kind == 3) return "LEFT1POINT";
  if (kind == 4) return "RIGHT1POINT";
  if (kind >= 5 && kind <= 7) return "ANY2POINT";
  return "OFF";
}

bool Pjl_PaperAllowsPrintPosition(const PjlJob* job) {
  uint32_t code = Pjl_DocU16(job, DOC_FIELD_AT(nOutPaperSize));
  if (code == 356 || code == 357 || code == 0) code = Pjl_DocU16(job, DOC_FIELD_AT(nPaperSize));
  if (Pjl_IsCustomPaperCode(code)) return true;
  const PaperSizeEntry* paper = FindPaperById(job->model, code);
  return paper == nullptr || paper->flag != 0;
}
