// The facts about the model that the user interface core reads once per
// process from the printer description VELDRANH.QXD beside it.
#pragma once

#include <windows.h>

#include "common/qxd/model_info.h"
#include "common/qxd/model_rows.h"
#include "common/qxd/paper_tables.h"
#include "common/qxd/qxd_reader.h"

// Besides these records, a load reads the password cipher's method
// (ui_encryption_info.h), the texts of the four fax cover styles
// (fax_cover_styles.h) and the login message texts (auth_messages.h) into
// their process-wide tables.
struct DeviceDescription {
  ModelInfo* model;               // null: every feature reads as off
  DeviceOptionItem* deviceOptions;
  MediaTypeLists* trayMapping;    // keyword tables of the device's tray answers
};

// Opens the description at `path` and builds the records from it (the
// process's records when `out` is the one of CoreDescription()).  False when
// the file cannot be opened or the model record cannot be built; a later
// step that fails leaves only its own record empty.
bool LoadDeviceDescriptionFrom(const wchar_t* path, DeviceDescription* out);
void FreeDeviceDescriptionRecords(DeviceDescription* description);

// The process's records, built at attach from VELDRANH.QXD beside the core.
const DeviceDescription& CoreDescription();
bool LoadDeviceDescription();
void FreeDeviceDescription();
