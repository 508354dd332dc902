// The fax mode details dialog (template 181): the fax options of one job,
// edited on a copy of its FaxSetting that the caller keeps only on OK.
#pragma once

#include <windows.h>

#include "common/records/fax_send_block.h"

inline constexpr uint16_t kFaxModeDetailsTemplate = 181;

INT_PTR CALLBACK FaxModeDetailDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the dialog on a copy of `*setting` and copies it back only when the
// dialog ends with OK; returns the dialog's result.
intptr_t RunFaxModeDetails(HWND owner, FaxSetting* setting);
