// The Acquisition Setting dialog (template 154), opened by the Configure
// sheet: whether the sheet asks the device every time it becomes active,
// and which device it asks (the one on the printer's port, or one named by
// IP address or printer name).  It edits three fields of the sheet
// context's device option record in place; Cancel puts back the values they
// had when the dialog opened.  Ends with 1 (OK) or 2 (Cancel).
#pragma once

#include <windows.h>

#include <cstdint>

inline constexpr uint16_t kAcquisitionSettingTemplate = 154;

INT_PTR CALLBACK AcquisitionSettingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
