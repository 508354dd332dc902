// The device library's modal dialogs on the dialog skeleton: a dialog the
// device library describes (common/contracts/device_dialog_skeleton_win.h)
// runs through RunDocumentDialog like the procedure library's own, with its
// changes committed under the constraint check wherever their bytes are
// (the document settings or a record of the sheet context, such as the tray
// media table).
#pragma once

#include <windows.h>

#include "common/contracts/device_dialog_skeleton_win.h"

// Runs one message of the described dialog; the answer is the dialog's.
INT_PTR RunDescribedDeviceDialog(const DeviceDialog& desc, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
