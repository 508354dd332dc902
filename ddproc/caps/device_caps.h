// The device capabilities the device library answers itself: the input
// bins the installed trays give, duplex and stapling.  Every other code is
// left to the caller's own table.
#pragma once

#include <cstdint>

#include "common/qxd/model_info.h"
#include "common/records/settings_records.h"

// The capability codes answered here (the spooler's DC_* values).
inline constexpr uint16_t kCapBins = 6;
inline constexpr uint16_t kCapDuplex = 7;
inline constexpr uint16_t kCapBinNames = 12;
inline constexpr uint16_t kCapStaple = 30;
inline constexpr int kBinNameUnits = 24;

// True when answered; *result gets the answer, and `output` (or null for the
// count only) the bin numbers (16-bit) or names (24 units each).
bool AnswerDeviceCapability(const ModelInfo* model, const DeviceOptionItem* options, const DevOption* option,
                            uint16_t capability, void* output, int32_t* result);

// The keyword of the value selected for device option `keyword` (case
// ignored); null when the option is missing or its stored index is out of
// its value list.
const char* SelectedOptionValue(const DeviceOptionItem* options, const DevOption* option, const char* keyword);
