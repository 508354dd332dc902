// The job settings record: the printer's stored settings (its default
// DEVMODE and the device settings kept as printer data) with the fields of
// the application's DEVMODE merged in.
#pragma once

#include <windows.h>

#include "common/qxd/model_info.h"
#include "common/records/settings_records.h"

// Flags of Rdc_GetSettings.
enum : DWORD {
  kSettingsStoreDevice = 0x0001,  // store the device settings after merging
  kSettingsCopyPublic = 0x0002,   // copy the DEVMODEW part, the DocDMode and the magic
  kSettingsMerge = 0x0008,        // merge the caller's DEVMODE
  kSettingsCopyWhole = 0x1000,    // copy the whole record
  kSettingsMergeAlso = 0x2000,    // merge the caller's DEVMODE
};

BOOL Rdc_GetSettings(WorkDevMode* out, const DEVMODEW* caller, HANDLE printer, const wchar_t* printerName,
                     DWORD flags);
// Fills `record` from the printer; the user interface core's defaults stand
// in for missing or invalid stored settings.  FALSE when the record still
// holds no valid settings afterwards.
BOOL Rdc_LoadPrinterSettings(WorkDevMode* record, HANDLE printer, const wchar_t* printerName);
// A DEVMODE of `available` bytes that carries this driver's settings: DEVMODE
// version, sizes, magic, both signature fields and a matching checksum (its
// driver version is not compared).  Nothing is read beyond `available`.
BOOL Rdc_ValidateSettings(const void* devmode, size_t available);
BOOL Rdc_SavePrinterSettings(const WorkDevMode* record, HANDLE printer);
// The standard fields of the caller's DEVMODE, each when its dmFields bit is
// set and the field lies inside the DEVMODE's dmSize.
void Rdc_MergeCallerDevMode(WorkDevMode* record, const DEVMODEW* caller, const ModelInfo* model);
// Writes the DEVMODEW part from the document settings.
void Rdc_SyncDevModeFields(WorkDevMode* record, const ModelInfo* model, const wchar_t* printerName);
