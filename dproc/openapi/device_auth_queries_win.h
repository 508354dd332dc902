// What the driver asks the device through one open-API session each: the
// device's authentication and account-track methods as device options, its
// printer-encryption setting, and its header/footer setting names.
#pragma once

#include <windows.h>

#include "common/contracts/open_api.h"
#include "common/qxd/model_rows.h"
#include "common/records/settings_records.h"
#include "dproc/model/feature_table.h"

// Sets "DevUserAuthentication" and "DevAccountTrack" of `option` (rows of
// `list`) to the device's methods.  1 when the device named a known method;
// `changed` (when given) tells whether an option changed.
BOOL GetAuthDevOption(HANDLE printer, const char* address, DevOption* option, const DeviceOptionItem* list,
                      BOOL* changed);
// The device's 64-byte encryption setting into `out`; 1 and `received` 1
// when it was read.
BOOL GetEncryption(HWND owner, HANDLE printer, const char* address, DevOption* option, DocDMode* doc,
                   BOOL* received, char* out, const DeviceOptionItem* list);
// The device's permanent settings of kind 5 on an open session: the
// header/footer device-setting rows (`rows`, `rowCount` of them up to the
// one with an empty keyword; `loaded` their names as the description file
// gave them) take the names the device lists as "On".  1 when the device
// answered.
BOOL GetDevicePermanentSetting(OpenApiSession* session, HeaderFooterOptionItem* rows,
                               const HeaderFooterOptionItem* loaded, size_t rowCount);
// The same on the process's header/footer device-setting rows.
BOOL GetProcessHeaderFooterNames(OpenApiSession* session);
// The same on a session of its own with the device at `address`, on the
// process's header/footer device-setting rows; 0 when no session could be
// opened (a failed login has told the user) or the device did not answer.
BOOL QueryDevicePermanentSetting(HWND window, HANDLE printer, DocDMode* doc, const char* address,
                                 const DevOption* option, const DeviceOptionItem* list);
