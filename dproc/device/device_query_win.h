// Where the Configure sheet asks the device: the address the device library
// knows for the printer, or its USB port when the queue lets a status
// request through (the shared rule of common/win/device_query_address_win.h
// on the running system).
#pragma once

#include <windows.h>

#include "common/records/settings_records.h"
#include "common/win/device_query_address_win.h"

// Bytes of the address: at most 62 characters and a NUL.
inline constexpr size_t kDeviceQueryAddressBytes = 63;

// The status (DeviceAddressStatus), the USB flag and the address (into
// kDeviceQueryAddressBytes bytes) of the device behind `printerName`, asked
// of the device library `ddproc`.
int GetDeviceQueryAddress(HMODULE ddproc, const wchar_t* printerName, const DevOption* option, BOOL* usb,
                          char* address);

// The system's answers the query takes; tests put their own in (null: the
// system's).
void SetDeviceQuerySeams(const DeviceAddressSeams* seams);
