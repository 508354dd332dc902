// The Configure sheet of the printer's properties (template 177, or the
// fuller 156): the device's installed options and the setting of each, the
// media of the input trays with the Media Type Setting dialog (opened by
// the device library's dialog hook from button 1847), the Acquisition
// Setting dialog and the printer-encryption key.  It edits the sheet
// context's device option record in place.
#pragma once

#include <windows.h>

#include "dproc/sheets/sheet_context.h"

inline constexpr int kConfigureTemplate = 177;
inline constexpr int kConfigureFullTemplate = 156;

INT_PTR CALLBACK ConfigureSheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The sheet's installed-option list box (1078): one row per option of the
// device option list with at least two values, "<option>\t<setting>", the
// option's value slot as item data.  Exposed for the tests.
void FillInstalledOptionList(HWND dialog, const DevOption* record, const DeviceOptionItem* options);

