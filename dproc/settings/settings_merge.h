// The settings functions behind the user interface core's DEVMODE work:
// resetting the private records to the defaults, bringing the standard
// DEVMODE fields into line with the private settings, and merging the
// standard fields of an application's DEVMODE into the private settings.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/qxd/model_info.h"
#include "common/records/public_devmode.h"
#include "common/records/settings_records.h"
#include "dproc/settings/device_capabilities.h"

// What the settings functions read besides the caller's records.
struct SettingsModel {
  const ModelInfo* model;
  SpoolerPapers papers;  // user papers and forms of the printer, as the paper list takes them
};

// The default device settings: the colour description and a copy of the
// built-in device option record.
void ResetDevDMode(DevDMode* device, const DevOption& builtIn);

// The document settings from the default record, greyscale for a "Mono"
// driver, or, when `easySet` holds a sound document settings record of
// `easySetSize` bytes (size, tag, version and checksum right), that record.
// The caller's printer handle stays in the header; the checksum is
// recomputed.
void ResetDocDModeFrom(DocDMode* doc, const DocDMode& defaults, bool monoDriver, const void* easySet,
                       size_t easySetSize);

// Puts the locale's default paper (its id, size and margins, when the model
// lists it) and the measurement unit (1 for inches) into the default
// document settings, and recomputes their checksum.
void ApplyLocalePaperDefaults(const ModelInfo* model, DocDMode* defaults, uint16_t paperId, bool usMeasure);

// Standard DEVMODE fields from the private settings.  `printerName` (or
// null) becomes dmDeviceName; dmFormName is the selected paper's name when
// the paper is in the list.
void UpdateCmnDModeArea(const SettingsModel& env, PublicDevMode* devmode, const DocDMode* doc,
                        const char16_t* printerName);

// Merges the standard fields that `input` marks into the private settings,
// runs the fix-ups, recomputes the checksum and updates the standard fields
// of `devmode`.  `input` is a whole DEVMODE of `inputBytes` bytes; no field
// beyond its dmSize (nor beyond those bytes) is read.
void MergeDMode(const SettingsModel& env, PublicDevMode* devmode, DocDMode* doc, const void* input,
                size_t inputBytes, const char16_t* printerName);

// Size and margins (0.1 mm) of a paper; the output flag picks the output
// paper's fields.  False when a model paper id is not in the model's list.
bool GetPaperSizeAndMargins(const ModelInfo* model, const DocDMode* doc, uint32_t paperId, bool output,
                            int32_t* width, int32_t* length, int32_t margins[4]);
// The zoom in percent that fits the paper's printable area on the output
// paper's; 100 when it cannot be worked out or lies outside 25-400.
int32_t CalcFitZoom(const ModelInfo* model, const DocDMode* doc);
// The resolution of a row of the model's list: its index as the settings'
// resolution id and its values.
void SetDocResolution(DocDMode* doc, const ResolutionItem& row);
