// The Easy Set presets of the description file: once per printer, the
// settings files that the main description file's "EasySet" section names
// (beside the library, with their names and comments in "EasySetName_<key>")
// become the printer's protected shared Easy Sets, and the first of them the
// printer's default settings ("EasySetFirstOEMDev").  "SetEasySetPreset" in
// the printer data then says they are installed, and later calls change
// nothing.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "dproc/easyset/easy_set_files_win.h"
#include "dproc/easyset/easy_set_records.h"

// The presets named by the description file `ctx` ("EasySet" and the
// "EasySetName_<key>" sections) with the file name of each.
struct EasySetPresetEntry {
  EasySetPreset names;
  std::wstring fileName;
};
std::vector<EasySetPresetEntry> ReadEasySetPresetTable(struct QxdContext* ctx);

// 1 when the presets are installed now or were before, else 0.
BOOL InstallEasySetPresets(HANDLE printer);
