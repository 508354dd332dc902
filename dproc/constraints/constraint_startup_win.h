// Reading the constraint rules at start-up and freeing them at shut-down.
#pragma once

#include <windows.h>

#include "dproc/model/feature_table.h"
#include "common/qxd/model_info.h"

// Reads VELDRANK.QXD beside `module`.  A missing or damaged file leaves no
// rules.
void LoadProcessConstraints(HMODULE module);
// Indexes the rules over the runtime feature table (built after the file
// was read) and takes the file's version text ("5" without one).
void IndexProcessConstraints(FeatureEntry* table, const ModelInfo* model);
// Frees the rules, the index and the drop-list reasons.
void FreeProcessConstraints();
