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

// The rows of an option's value list (at most 64 are counted).
uint32_t DeviceOptionValueCount(const DeviceOptionItem* option);
// The option whose value slot is `slot`, or null.
const DeviceOptionItem* FindDeviceOptionBySlot(const DeviceOptionItem* list, uint32_t slot);
// The option named `keyword` (any case), or null.
const DeviceOptionItem* FindDeviceOptionByName(const DeviceOptionItem* list, const char* keyword);
// The place of the first value whose keyword begins with `prefix` (any
// case); -1 when none does.
int32_t FirstDeviceOptionValueWith(const DeviceOptionItem* option, const char* prefix);

// The input-tray chain rule after the option `changed` ("OpInTray<n>") took
// the value `valueKeyword`: a value beginning with "Ena" switches on every
// numbered input-tray option below n (and the one without a number), any
// other switches off every one above n.  An option without such a value
// keeps its place.
void ChainInputTrayOptions(DevOption* record, const DeviceOptionItem* list, const char* changed,
                           const char* valueKeyword);

// The value place an item of the common sheet's device-setting tree gives
// an installed option: for the memory option the item's selection when it
// names a value of the option, for the others the first value beginning
// with "Ena" (selection 1) or "Dis" (any other).  False: the place stays.
bool InstalledOptionPlaceFromTree(const DeviceOptionItem* option, bool memory, long selection, uint32_t* place);
