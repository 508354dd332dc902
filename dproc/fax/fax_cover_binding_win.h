// The cover-sheet setting dialog and the printer's stored cover-sheet
// settings as the fax dialogs reach them: the dialog is an export of
// VELDRANA bound by name (absent: the Settings buttons stay disabled); the
// store is registered by the cover-sheet code (absent: nothing is stored
// and the record holds the built-in default cover sheet).
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/contracts/fax_dialogs_win.h"

// The export, bound from this library's own module; null when missing.
FaxCoverSheetPopupDialogFn BindFaxCoverSheetDialog();

struct FaxCoverStore {
  // 1 when the whole record was read.
  int (*read)(const wchar_t* printerName, const wchar_t* driverName, uint8_t* record);
  // 1 when the whole record was written.
  int (*write)(const wchar_t* printerName, const wchar_t* driverName, const uint8_t* record);
};
// Registers the store (null: none).
void SetFaxCoverStore(const FaxCoverStore* store);

// Reads the printer's current cover sheet into `record`: what the store
// holds over the built-in defaults (all defaults when nothing can be read);
// false when not every value could be read.
bool ReadFaxCoverRecord(const wchar_t* printerName, const wchar_t* driverName, uint8_t* record);
// Writes `record` back; false when it could not be written (or no store
// is there).
bool WriteFaxCoverRecord(const wchar_t* printerName, const wchar_t* driverName, const uint8_t* record);
