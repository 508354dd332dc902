// The custom size dialog (template 151): the width and length of the
// custom paper size in millimetres or inches within the model's limits.
// The UI state's dialog-mode flag 0x02 chooses the output custom size,
// else the original one.  It edits the session's settings in place; OK
// ends with 1, Cancel with 2 and the settings as they were when it opened.
#pragma once

#include <windows.h>

INT_PTR CALLBACK CustomSizeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
