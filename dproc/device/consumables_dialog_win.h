// The Consumables dialog (template 152), opened by the Configure sheet: how
// full the device's toners and print units are and the state of its waste
// toner box, as the device reports them over SNMP through the device
// library, and a button that opens the web shop for supplies.  It changes
// no setting.  Ends with 2 (Close).
#pragma once

#include <windows.h>

#include <cstdint>

inline constexpr uint16_t kConsumablesTemplate = 152;
inline constexpr int kConsumableRows = 12;

INT_PTR CALLBACK ConsumablesDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The display text's keyword of a state code (1 empty, 2 nearly empty,
// 3 nearly full, 4 full, 5 ready); null for any other code.
const char* ConsumableStateKeyword(int32_t state);
