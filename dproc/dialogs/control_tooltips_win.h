// Tooltips of the sheets and dialogs: tools with the description's
// tooltip texts on controls and on rectangles of the preview area, the
// device option sheet's stop icons, and the rectangle helpers they share.
// Every tooltip window is "tooltips_class32" with TTS_ALWAYSTIP; every tool
// gets maximum width 1024, initial delay 0 and automatic-pop delay 30 s.
#pragma once

#include <windows.h>

#include <cstdint>

// Adds a tool for a rectangle of `owner`; backslash-"n" pairs of `text`
// become a blank and a line feed (in place).
void AddTipTool(HWND owner, HWND tooltip, char16_t* text, const RECT& rect);
// A tool over a control's client area with a ToolChipStr entry (converted
// in place); index -1 or no tooltip window adds nothing.
void AddToolChipTip(HWND control, HWND tooltip, int32_t index);
// A tool for a rectangle of the preview area (moved by the top-left corner
// of control 1123) with a ViewTipsStr entry; entries 151 and 152 take the
// name of the document's current watermark.
void ShowViewTip(HWND dialog, HWND tooltip, const RECT& rect, const int32_t* index);
// The device option sheet's stop icon: shown at `rect` (enabled when
// visible, painted with the 198 / 199 balloon) or hidden (no size,
// disabled).
void DrawDevOptionIcon(HWND dialog, uint32_t controlId, const DRAWITEMSTRUCT* item, const RECT& rect, bool show);
// A control's window rectangle in dialog client coordinates.
void GetDlgItemClientRect(HWND dialog, int controlId, RECT* rect);
void ScreenToClientRect(HWND window, RECT* rect);
// A dialog's tooltips at WM_INITDIALOG: one window per stop icon it holds,
// and its own, returned.
HWND CreateDialogToolWindows(HWND dialog);
