// The watermark/overlay sheet (template 104): the watermark switch, the
// watermark list with its public and private marks, and the Edit button that
// opens the watermark edit dialog; the overlay, copy-protect, date/time,
// header/footer and numbering controls of the same page, shown as the model
// offers them.
#pragma once

#include <windows.h>

#include <cstdint>

#include "dproc/sheets/sheet_context.h"

inline constexpr uint16_t kWOSheetTemplate = 104;

INT_PTR CALLBACK WOSheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Re-reads every control from the settings: the list refilled and selected.
void WOSheetRefresh(HWND dialog, SheetCtx* ctx);
// Enables and disables the page's controls from the settings.
void UpdateWOControlStates(HWND dialog, SheetCtx* ctx);

intptr_t RunWOSheetDialog(HWND owner, uint16_t templateId, DLGPROC proc, LPARAM context);
