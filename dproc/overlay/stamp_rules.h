// The rules of the stamp dialogs that need no window: the numbering's range
// of start numbers and the date/time stamp's format sample.
#pragma once

#include <cstddef>
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

// The sample of a date/time stamp: the date format's display text without
// its first and last character, a blank and, when given, the time format's
// text likewise; a trailing blank dropped; at most `capacity` - 1
// characters, always terminated.  Null texts count as empty.
void FormatStampSample(const char16_t* dateText, const char16_t* timeText, char16_t* out, size_t capacity);
