// The dialogs the Layout sheet opens: Style Setting (template 116), Binding
// Margin (117), Booklet Setting (134), Image Shift Setting (136) and Print
// Position (163).  Each is opened modally with the sheet context as its
// parameter, edits the context's working document settings in place, keeps
// them on OK (result 1) and puts back the copy it took at its start on
// Cancel (result 2).
#pragma once

#include <windows.h>

#include <cstdint>

#include "dproc/sheets/sheet_context.h"

inline constexpr uint16_t kStyleSettingTemplate = 116;
inline constexpr uint16_t kBindingMarginTemplate = 117;
inline constexpr uint16_t kBookletSettingTemplate = 134;
inline constexpr uint16_t kImageShiftTemplate = 136;
inline constexpr uint16_t kPrintPositionTemplate = 163;

INT_PTR CALLBACK StyleSettingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK BindingMarginDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK BookletSettingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ImageShiftDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PrintPositionDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The Layout sheet's tooltip window of refused settings; the booklet and
// print position dialogs show their constraint reasons through it.
HWND LayoutSheetTooltip();
void SetLayoutSheetTooltip(HWND tooltip);

// The binding margin dialog's picture: the shift mode at the effective
// binding edge in the effective orientation.
void DrawBindingMarginPreview(HWND dialog, const DRAWITEMSTRUCT* item);
// The image shift dialog's automatic back side for the control that changed
// (0: all): with check box 1607 checked the back takes the front's lengths,
// the front's vertical direction and the mirror of its horizontal one.
void SyncBackSideShift(HWND dialog, SheetCtx* ctx, int controlId);
