// The numbering's range of start numbers, a rule without windows.
#pragma once

#include <cstdint>

#include "common/qxd/model_info.h"

// The start numbers the model allows ("NME_StartNumber"), kept within what
// the settings' signed 16-bit field holds; a model that names no range gets
// 1 to 9999.  lowest <= highest.
struct NumberingRange {
  int32_t lowest, highest;
};
NumberingRange NumberingStartRangeOf(const ModelInfo* model);
// Digits of the larger of the range's ends (the edit's text limit).
int NumberingDigits(const NumberingRange& range);

