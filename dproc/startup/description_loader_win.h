// Start-up reading of the main description file VELDRANH.QXD.
#pragma once

#include <windows.h>

#include "common/qxd/model_info.h"
#include "common/qxd/paper_tables.h"

// What the description file gives the process beside the model record
// (ProcessModelInfo) and the tables of the loaders it calls.
struct DescriptionData {
  DeviceOptionItem* deviceOptions;
  MediaTypeLists* mediaTypeLists;
};
extern DescriptionData g_description;

// Reads VELDRANH.QXD beside `own` into the library's process-wide tables;
// a file that does not open, or a model record that cannot be built, leaves
// every table with its built-in content.
void LoadDispStringTables(HMODULE own);
// The same from a given file.
void LoadDispStringTablesFrom(const wchar_t* path);
// Frees the model record and the lists read with it.
void FreeDescriptionData();
