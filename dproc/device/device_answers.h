// What the device's answers do to the device option record: the reported
// media of each input tray, the reported installed options, and the
// machine check that resets the device part of the record when the device
// is another machine than the record describes.
#pragma once

#include <cstdint>

#include "common/contracts/ddproc_functions.h"
#include "common/qxd/paper_tables.h"
#include "common/records/settings_records.h"

// The six reported keywords of a tray into its slot.  Size, orientation and
// type are always taken; weight only with the media dialog of type 1,
// colour and hole unless it is of type 3.  An empty answer stands for the
// list's unknown row when the list has one, else for the row of the
// default slot's value; a keyword no row has (any case) leaves the field.
// True when a field changed.
bool ApplyTrayAnswers(TrayMediaSlot* slot, const TrayStatusEntry& entry, const MediaTypeLists& lists,
                      uint32_t dialogType, const TrayMediaSlot& defaults);

// The reported values of the options (entry i belongs to option i of the
// list) into their value slots: the row whose keyword equals the answer
// (any case); an empty or unknown answer changes nothing.  True when a
// slot changed.
bool ApplyOptionAnswers(DevOption* record, const DeviceOptionItem* list, const DevOptionEntry* entries,
                        uint32_t count);

// The device reports for "OpMachine" (any case) another value than the
// record's (compared in any case, 31 characters); an empty answer names no
// machine.
bool ReportsAnotherMachine(const DevOption& record, const DeviceOptionItem* list, const DevOptionEntry* entries,
                           uint32_t count);
// The device part of the record from the defaults: the tray media, the
// encryption switch, key and length, the option count and every option's
// value slot.
void ResetDevicePart(DevOption* record, const DevOption& defaults);
