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
#include <utility>
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

// The key and text of each entry of a "texts" section of the main
// description file beside the library, in file order; none when the file
// or the section is missing.
std::vector<std::pair<std::string, std::u16string>> ReadDescriptionTexts(const char* section);

// 1 when the presets are installed now or were before, else 0.
BOOL InstallEasySetPresets(HANDLE printer);
