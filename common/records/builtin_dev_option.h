// The process's built-in device option record: the device settings a
// printer has before any are stored.  Start-up fills its tray media slots,
// default option values and a few switches from the description file; every
// default device option record is a copy of it.
#pragma once

#include "common/records/settings_records.h"

// The record as built into the library: all zero, except the u16 at byte 38
// of every tray media slot and "DisplayConstMsg", which are 1.
void InitBuiltInDevOption(DevOption* record);

// The process-wide record, built in on first use; start-up writes into it,
// everyone else copies it.
DevOption& BuiltInDevOption();
