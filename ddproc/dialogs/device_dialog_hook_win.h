// The dialog hook behind DDProc_DlgProc: every message of a sheet or dialog
// of the procedure library comes here first, under the caller's page id.
// The device library serves the Colour Setting dialogs (their templates'
// ids), takes the click of the Configure page's media-type button and lets
// everything else pass.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/win/sheet_context_records_win.h"

inline constexpr int32_t kConfigurePageId = 156;
inline constexpr int kMediaTypeButton = 1847;

// The result for the caller; *handled is set only for a message the
// library consumed (a Colour Setting dialog's).
uint32_t DispatchDeviceDialogMessage(int32_t pageId, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                                     int32_t* handled);

// Opens the model's Media Type Setting dialog over the Configure page with
// MyDialogBox of the procedure library, on its dialog skeleton; after OK the
// property sheet hears that the page changed.  Nothing opens without
// VELDRANA, its MyDialogBox or RunDeviceDialog, or a media-type dialog type
// of 1, 2 or 3.  Returns the dialog's result, or 0
// when none was opened.
intptr_t OpenMediaTypeDialog(HWND page, SheetCtx* context);
