// One constraint pass over the rules against the current settings of a
// sheet or dialog: refusals with a warning, forced changes with a question,
// locks, refused options of drop-down lists, page hints, and stop icons
// with their reasons.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/qxd/model_info.h"
#include "common/qxd/model_rows.h"
#include "common/records/settings_records.h"
#include "dproc/sheets/sheet_context.h"

// Results of a pass.
inline constexpr int32_t kPassAnsweredNo = 100;
inline constexpr int32_t kPassRefused = 101;
inline constexpr int32_t kPassComplete = 199;

// What the pass needs of the sheet it runs for.
struct ConstraintPassEnv {
  HWND dialog;
  const SheetCtx* ctx;
  const ModelInfo* model;
  const DeviceOptionItem* deviceOptions;
  uint32_t pageId;         // the dialog's window identifier
  DocDMode* doc;           // the settings the rows are bound to
  DevOption* device;
  bool pluginPage;         // a universal-driver host's page
  int requireAvailable;    // a device sheet: rules need available targets
  int askFlag;             // the device setting "DisplayConstMsg"
  bool changed;            // a control changed (not a whole-page pass)
};

// Process-wide facts of the current printer, set before every pass.
struct ConstraintPrinterFacts {
  bool administrable;
  bool rawOnly;
  bool dlManagerMissing;  // the maker's download manager is not installed
};
ConstraintPrinterFacts& ProcessConstraintPrinterFacts();

// What the latest pass leaves for the sheets.
struct ConstraintPassResults {
  // Transparency interleaving may be chosen: no rule locks its check box
  // (1214), and no uncollated copies on a transparency tray rule it out.
  bool ohpInterleaveFree;
};
ConstraintPassResults& LatestConstraintPassResults();

// Runs the pass for a change of `controlId` (0: the page was activated).
int32_t EvaluateConstraints(const ConstraintPassEnv& env, uint32_t controlId);

// Enables or disables a control by the locked flag of its feature row.
int EnableCtrlByFeature(HWND dialog, uint32_t pageId, uint32_t controlId, int enable);
