// The device address of a sheet session: the host name or address of the
// device behind the printer, kept as ANSI text in the session's UI state
// for the device queries, the device's web page and the stop icons.
#pragma once

#include <windows.h>

#include <cstddef>

#include "dproc/sheets/sheet_context.h"
#include "dproc/sheets/ui_state_layout.h"

// Bytes of the text in the UI state: at most 63 characters and a NUL.
inline constexpr size_t kUiDeviceAddressBytes = kUiStateDeviceAddressBytes;

// The text in a UI state; null without one.
char* UiDeviceAddress(SheetUiState* state);

// Refreshes the text of the context's UI state by the device option
// record's address kind: 0 resolves the printer's port (an empty text when
// that fails), 2 takes the stored address, other kinds leave it.  Nothing
// happens without a UI state or a device option record.
void UpdateCtxDeviceAddress(HWND dialog, const SheetCtx* ctx);
