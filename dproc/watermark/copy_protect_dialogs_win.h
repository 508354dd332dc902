// The copy-protect dialogs of the watermark/overlay sheet.  The sheet opens
// the simple dialog (198) on a model whose copy-protect dialog is of type 3,
// else the edit dialog (2124) with its print-item page (2126) and method
// page (2145, or 192 on type 2).  Each dialog takes the sheet context as its
// WM_INITDIALOG parameter, edits the working document settings in place and
// ends with 1 (OK) or 2 (Cancel, the settings put back as it found them);
// a dialog opened from another keeps its own copy for its Cancel.
#pragma once

#include <windows.h>

#include <cstdint>

#include "dproc/sheets/sheet_context.h"
#include "dproc/watermark/copy_protect_rules.h"

inline constexpr uint16_t kCopyProtectEditTemplate = 2124;
inline constexpr uint16_t kCopyProtectItemPage = 2126;
inline constexpr uint16_t kCopyProtectMethodPage = 2145;
inline constexpr uint16_t kCopyProtectShortMethodPage = 192;
inline constexpr uint16_t kCopyProtectSimpleTemplate = 198;
inline constexpr uint16_t kDistributionNumberTemplate = 183;
inline constexpr uint16_t kPatternColourTemplate = 2090;
inline constexpr uint16_t kStampColourTemplate = 2103;

// What the edit dialog tells its pages: show the settings again (after a
// constraint pass), or store what they show (a non-zero message result
// keeps the page).
inline constexpr UINT kCopyProtectPageActivate = 0x83E9;
inline constexpr UINT kCopyProtectPageLeave = 0x83E8;

// The model's copy-protect dialog type (0 when it names none).
int CopyProtectDialogType();

INT_PTR CALLBACK CopyProtectEditDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK CopyProtectItemPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK CopyProtectPatternPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK CopyProtectSimpleDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ShareNumberDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK UCopyColorAdjustDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PspColorAdjustDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The stamp list (2129) and the background pattern list (2155) of a dialog
// or page: filled from the process's stamp and pattern tables with the
// device's registered stamps, the settings' item selected (none when no item
// has it), and the selected item stored (nothing without a selection).
void FillCopyProtectStampList(HWND dialog, SheetCtx* ctx);
void FillCopyProtectPatternList(HWND dialog, SheetCtx* ctx);
void SelectCopyProtectStampItem(HWND dialog, SheetCtx* ctx);
void SelectCopyProtectPatternItem(HWND dialog, SheetCtx* ctx);
bool GetCopyProtectStampItem(HWND dialog, SheetCtx* ctx);
bool GetCopyProtectPatternItem(HWND dialog, SheetCtx* ctx);

// The stamps the device registered, as the last query left them (the
// process keeps one set; the simple dialog lists them as they stand).
DeviceStamps& SessionDeviceStamps();
// Asks the device at the context's address for its registered stamps over
// an open-API session; without a session the stamps stay as they are, a
// failed query leaves none registered.
void QueryDeviceStamps(HWND dialog, SheetCtx* ctx);
