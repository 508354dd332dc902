// What the render core asks of the model and of a job's settings: the
// model's switches, the resolution margins, the selected device options and
// whether the driver itself lays out N-up pages, booklets and covers.
#pragma once

#include <cstdint>

#include "common/qxd/model_info.h"
#include "common/qxd/model_rows.h"
#include "common/records/settings_records.h"

// Selectors of Rdc_GetModelValue.
enum : uint32_t {
  kModelDriverBooklet = 0,
  kModelDriverImageShift = 1,
  kModelDriverFrontCover = 2,
  kModelDriverBackCover = 3,
  kModelDriverOhp = 4,
  kModelDriverSeparatePage = 5,
  kModelAccountTrack = 6,
  kModelMultiDepartment = 7,
  kModelSeparatePage = 8,
};

// The model switch of the selector's low 8 bits; 1 for any other selector
// (and 0 for every switch when there is no model).
uint32_t Rdc_GetModelValue(const ModelInfo* model, uint32_t selector);
// A margin in tenths of a millimetre in dots: thousandths of an inch,
// rounded, then dots (truncated).
uint32_t Rdc_MarginToDots(uint32_t tenthsMm, uint32_t dpi);
// The four margins (left, top, right, bottom) of the row of `dpi` among six
// resolution margin rows; false when no row has that resolution.
bool Rdc_FindMarginRow(const ResolutionMargins rows[6], uint32_t dpi, uint32_t out[4]);
// Left, top, right, bottom margin in dots at `dpi`: the model's margin row
// of that resolution, or its default margins converted.
void Rdc_GetResolutionMargins(const ModelInfo* model, uint32_t out[4], uint32_t dpi);
// True when the device option record selects, for the option keyword
// `option`, the value keyword `value` (both compared exactly).
bool Rdc_IsDeviceOptionSet(const DeviceOptionItem* list, const DevOption* record, const char* option,
                           const char* value);

bool Rdc_IsDriverBooklet(const ModelInfo* model, const DocDMode* doc);
bool Rdc_IsDriverLayout(const ModelInfo* model, const DocDMode* doc);
bool Rdc_IsDriverFrontCover(const ModelInfo* model, const DocDMode* doc);
bool Rdc_IsDriverBackCover(const ModelInfo* model, const DocDMode* doc);
