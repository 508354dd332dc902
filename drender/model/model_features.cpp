// Model switches and feature tests of the render core.
#include "drender/model/model_features.h"

#include <cstring>

#include "common/records/doc_fields.h"
#include "drender/settings/job_binding.h"

namespace {


bool Feature(const ModelInfo* model, ModelFeature f) { return model && model->features[f] != 0; }

}  // namespace

uint32_t Rdc_GetModelValue(const ModelInfo* model, uint32_t selector) {
  switch (selector & 0xFF) {
    case kModelDriverBooklet: return Feature(model, kMfBookletPrint);
    case kModelDriverImageShift: return Feature(model, kMfImageShiftPrint);
    case kModelDriverFrontCover: return Feature(model, kMfFCoverPrint);
    case kModelDriverBackCover: return Feature(model, kMfBCoverPrint);
    case kModelDriverOhp: return Feature(model, kMfOhpPrint);
    case kModelDriverSeparatePage: return Feature(model, kMfSeparatePageDriver);
    case kModelAccountTrack: return Feature(model, kMfAccountTrackSetting);
    case kModelMultiDepartment: return Feature(model, kMfMultiDepartmentMng);
    case kModelSeparatePage: return Feature(model, kMfSeparatePagePrint);
    default: return 1;
  }
}

uint32_t Rdc_MarginToDots(uint32_t tenthsMm, uint32_t dpi) {
  uint64_t mils = (uint64_t{tenthsMm} * 1000 + 127) / 254;
  return static_cast<uint32_t>(mils * dpi / 1000);
}

bool Rdc_FindMarginRow(const ResolutionMargins rows[6], uint32_t dpi, uint32_t out[4]) {
  for (int i = 0; i < 6; ++i) {
    if (rows[i].resolution != dpi) continue;
    out[0] = rows[i].left;
    out[1] = rows[i].top;
    out[2] = rows[i].right;
    out[3] = rows[i].bottom;
    return true;
  }
  return false;
}

void Rdc_GetResolutionMargins(const ModelInfo* model, uint32_t out[4], uint32_t dpi) {
  std::memset(out, 0, 4 * sizeof(uint32_t));
  if (!model || Rdc_FindMarginRow(model->customPaperResolutionMargins, dpi, out)) return;
  for (int i = 0; i < 4; ++i) out[i] = Rdc_MarginToDots(model->customPaperMargins[i], dpi);
}

bool Rdc_IsDeviceOptionSet(const DeviceOptionItem* list, const DevOption* record, const char* option,
                           const char* value) {
  if (!list || !record || !option || !value) return false;
  for (uint32_t i = 0; list[i].keyword[0] != '\0'; ++i) {
    if (std::strcmp(list[i].keyword, option) != 0 || !list[i].values) continue;
    // The selections are kept for the first 64 options only.
    if (i >= kDevOptionMaxOptions) return false;
    for (uint32_t v = 0; list[i].values[v].keyword[0] != '\0'; ++v) {
      if (std::strcmp(list[i].values[v].keyword, value) == 0 && record->optionValues[i] == v) return true;
    }
  }
  return false;
}

bool Rdc_IsDriverBooklet(const ModelInfo* model, const DocDMode* doc) {
  return DocByte(doc, kDocDoubleSidesAt) == 3 && Rdc_GetModelValue(model, kModelDriverBooklet) != 0;
}

bool Rdc_IsDriverLayout(const ModelInfo* model, const DocDMode* doc) {
  return Rdc_GetNupKind(doc) != 0 || Rdc_IsDriverBooklet(model, doc);
}

bool Rdc_IsDriverFrontCover(const ModelInfo* model, const DocDMode* doc) {
  return DocByte(doc, kDocFrontCoverAt) != 0 && Rdc_GetModelValue(model, kModelDriverFrontCover) != 0;
}

bool Rdc_IsDriverBackCover(const ModelInfo* model, const DocDMode* doc) {
  return DocByte(doc, kDocBackCoverAt) != 0 && Rdc_GetModelValue(model, kModelDriverBackCover) != 0;
}
