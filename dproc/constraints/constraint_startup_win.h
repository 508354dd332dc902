// Reading the constraint rules at start-up and freeing them at shut-down.
#pragma once

#include <windows.h>

#include "common/feature_table.h"
#include "common/model_info.h"

// Reads VELDRANK.QXD beside `module`, indexes its rules over the runtime
// feature table (built before), and takes the file's version text.  A
// missing or damaged file leaves no rules and the version "5".
void LoadProcessConstraints(HMODULE module, FeatureEntry* table, const ModelInfo* model);
// Frees the rules, the index and the drop-list reasons.
void FreeProcessConstraints();
