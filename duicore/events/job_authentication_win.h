// Authentication at the start of a job: the per-user credentials sent to the
// render core, the device's check of them, and the device's encryption
// value kept enciphered in the device option record.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/records/auth_reg_record.h"
#include "common/records/settings_records.h"
#include "common/win/auth_store_win.h"
#include "duicore/events/auth_flow.h"

void SendJobAuthData(HDC dc, HANDLE printer);

// 1 proceed, 2 drop, 5 without VELDRANA, -1 without a job record.
int RunStartDocAuthentication(HDC dc, HANDLE printer);

// The encryption state texts of the device: 1 "FactoryDefault", 2
// "UserDefined", 3 "Unidentified", else 0.
bool QueryDeviceEncryption(HMODULE proc, HANDLE printer, DevOption* option, DocDMode* doc, char value[73],
                           uint32_t* length, int* kind);
void StoreDeviceEncryption(HANDLE printer, const char* value, uint32_t length, int kind, DevOption* option);
bool SendDeviceEncryption(HANDLE printer, HDC dc);

// The selected value's keyword of the device option `name` in `option`, by
// the model's device option rows; "" when unknown.
const char* SelectedDeviceOption(const DevOption& option, const char* name);
