// The constraint pass as a sheet or dialog asks for it: the settings of the
// dialog's sheet context bound to the feature rows, the printer's facts,
// then the pass.
#pragma once

#include <windows.h>

#include <cstdint>

#include "dproc/model/disp_strings.h"
#include "common/qxd/model_info.h"
#include "common/qxd/model_rows.h"

// What the library holds for the pass beside the rules.
struct ConstraintLibraryData {
  const DeviceOptionItem* deviceOptions;
  const ModelInfo* model;
  const MessageTables* messages;  // warnings, questions and reasons
  int32_t defaultPaperSize;       // of the default document settings ("DefaultPaper")
  int (*dlManagerInstalled)();    // 1 when the maker's download manager is installed; null: not asked
};

// bindOnly non-zero binds the fields and returns 0.  Otherwise the pass's
// result: 0 without a sheet context, 100 the user declined a forced change,
// 101 the change was refused, 199 done.
int32_t RunDoConstraints(int32_t bindOnly, HWND dialog, uint16_t controlId, int32_t mode,
                         const ConstraintLibraryData& data);

// The page a dialog's controls live on, as the feature rows name it (the
// dialog template's id).  The pass matches a changed control to its row by
// this id.  A child window's identifier would do for a property page, but
// property sheets leave it 0 and a top-level dialog's identifier is its
// menu, so the skeletons record the page on the window when it starts; a
// window without that record falls back to its identifier.
void SetDialogPageId(HWND dialog, uint32_t pageId);
void ForgetDialogPageId(HWND dialog);
uint32_t DialogPageId(HWND dialog);

// The media dialogs' binding mode (process-wide): 1 while the automatic tray
// paper dialog is open, so that the pass judges the automatic tray's media
// fields; 2 while the Paper Setting dialog is open; 0 otherwise.  Only 1
// changes what the media features are bound to.
enum MediaBindingMode : int { kMediaBindingNone = 0, kMediaBindingAutoTray = 1, kMediaBindingTrays = 2 };
void SetMediaBindingMode(int mode);
int MediaBindingModeNow();
