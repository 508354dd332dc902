// The overlay form dialogs and the form file dialog.  Each dialog takes the
// sheet context as its WM_INITDIALOG parameter and works on the session's
// overlay list (overlay_session_win.h).
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/contracts/form_file_request.h"

inline constexpr uint16_t kFormFileChildTemplate = 108;   // the form name below the file dialog
inline constexpr uint16_t kOverlayFormFileTemplate = 119;  // Overlay Information, form files
inline constexpr uint16_t kOverlayDeviceFormTemplate = 195;  // Overlay Information, device forms
inline constexpr uint16_t kFormManagerTemplate = 127;      // with the device's list
inline constexpr uint16_t kFormManagerType2Template = 194;  // the driver's list only

// Overlay Information (119 with form files, 195 with device forms): 1 after
// OK or when the list changed while it was open, else 2.
INT_PTR CALLBACK OverlayFormDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Overlay Form file Management (127, or 194 for the second manager type):
// 1 after OK with the session's device list rebuilt (the caller saves it),
// 2 after Cancel.
INT_PTR CALLBACK OverlayFormMgrDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Its duplicate-name check, CheckFormNameDuplicate, is the dialog
// framework's (dproc/dialogs/name_duplicate_win.h).

// The common file dialog for a form file (behind the export GetFormFileName):
// non-zero when the user chose a file, 0 when cancelled or without a block.
BOOL ShowFormFileDialog(FormFileRequest* request);
