// What the device library keeps for the life of the process: its module
// handle, the dialog-template library, and the model record and tables that
// the module init builds from the description file beside it.
#pragma once

#include <windows.h>

#include "common/qxd/model_info.h"
#include "common/qxd/paper_tables.h"
#include "common/records/settings_records.h"
#include "ddproc/model/device_tables.h"

// Process attach and detach.
void DDProcAttach(HMODULE module);
void DDProcDetach();

HMODULE DDProcModule();
// VELDRANG.DLL beside the library; null when it did not load.
HMODULE DDProcDialogTemplates();
// The directory of the library with a trailing backslash.
bool DDProcDirectory(wchar_t* out, size_t capacity);

// Builds the model record, the default settings, the tables and the media
// type lists from "VELDRANH.QXD" beside `module` (the resident fonts from
// "VELDRANQ.DLL" beside it); without the file the tables keep their
// built-in rows and there is no model record.
void DDProcInitModule(HMODULE module);
void DDProcFreeModule();
const ModelInfo* DDProcModel();
// The library's default document settings: built in, completed from the
// description file and the font library when the module init could read
// them.
const DocDMode& DDProcDefaultSettings();
const MediaTypeLists* DDProcMediaTypeLists();
const DeviceTables& DDProcTables();
