// Start-up and shut-down of the procedure library: everything it needs is
// built once when a process attaches it and freed when the process detaches
// it.  Nothing here can make the load fail.
#pragma once

#include <windows.h>

#include "dproc/model/feature_table.h"

struct ProcLibraryModules {
  HMODULE own;
  HMODULE images;  // VELDRANW: bitmaps, icons and string tables
};
extern ProcLibraryModules g_procModules;

// Acts on process attach and detach; always TRUE.
BOOL ProcLibraryEntry(HMODULE module, DWORD reason, void* reserved);
