// The fax destination dialog (template 180) that the user interface core
// opens at the start of every fax job: the job's destinations, its fax mode
// details and its cover sheet, filled into the caller's buffers in place.
#pragma once

#include <windows.h>

#include "common/contracts/fax_dialogs_win.h"

inline constexpr uint16_t kFaxSendToTemplate = 180;

INT_PTR CALLBACK FaxSendToDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the dialog without an owner: 1 OK, 2 Cancel (also at once for a
// block or pointer that is null), -1 when it could not be shown.
int RunFaxSendToDialog(FaxSendToArgs* args);
