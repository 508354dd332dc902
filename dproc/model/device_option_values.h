// Questions about the device's installed options as the settings hold them.
#pragma once

#include "common/qxd/model_info.h"
#include "common/qxd/model_rows.h"
#include "common/records/settings_records.h"

// True when the list has the option (exact name) and the option's value slot
// in the record holds the place of the value with that exact name in the
// option's value list.
bool IsDeviceOptionValue(const DevOption* record, const DeviceOptionItem* list, const char* option,
                         const char* value);
// The value the record selects for the option (exact name), with its place
// in the option's value list; null when the list lacks the option or the
// record's slot names no value of it.
const OptionItem* SelectedDeviceOptionValue(const DevOption* record, const DeviceOptionItem* list, const char* option,
                                            uint32_t* place);
// The model allows interim (middle-server) authentication and the device's
// user authentication is set to it.
bool IsInterServerAuthentication(const ModelInfo* model, const DevOption* record, const DeviceOptionItem* list);
