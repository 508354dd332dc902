// Small helpers of the sheets' and dialogs' controls and owner-drawn cells.
#pragma once

#include <windows.h>

// Moves the focus to the control unless it has it already.
void SetFocusCtrl(HWND dialog, int controlId);
// Shows and enables, or hides and disables, a control or window.
void ShowEnableCtrl(HWND dialog, int controlId, BOOL on);
void ShowEnableWnd(HWND window, BOOL on);
// On: enables the window only when it is visible (its visibility stays as
// it was); off: disables it.
void EnableCtrlIfVisible(HWND window, BOOL on);

// Places the pages of a dialog's tab control `tabId` (child dialogs of
// `dialog`, each keeping its template size) centred in the tab control's
// display area, their tops just below the tabs.
void PlacePagesInTab(HWND dialog, int tabId, const HWND* pages, int count);

struct DeviceOptionItem;
// The device option selected in list box 1078 (its item data is the option's
// index in the device option list) is "DevUserAuthentication" or
// "DevAccountTrack".
BOOL IsAuthOptionSelected(HWND dialog, const DeviceOptionItem* options);
// The item data of the selected entry of the user paper list box 1547, or
// null when the dialog has no such list or nothing is selected.
void* GetSelUserPaper(HWND dialog);

// An owner-drawn list cell: the system icon `iconId` (0: none) in a square
// at the cell's left and the text 20 pixels to its right (at the left edge
// for a combo box's edit part without icon), one pixel below the top, in the
// colour of the cell's state, on a transparent background.
void DrawIconText(const DRAWITEMSTRUCT* item, int iconId, const wchar_t* text);
// The same; TextOutW's result, or TRUE without text.
BOOL DrawIconTextItem(const DRAWITEMSTRUCT* item, int iconId, const wchar_t* text);
// An owner-drawn item of a list of option rows (the item data is the row):
// the background, the row's system icon while the row is marked
// unavailable, its display text; the focus rectangle for a focus change or
// while the list has the focus.  An item without a row (index -1) gets the
// focus rectangle only.
void DrawOptionRowItem(HWND dialog, const DRAWITEMSTRUCT* item);
// A palette from the colour table of a 1, 4 or 8 bit per pixel bitmap: as
// many entries as the table holds (biClrUsed when it names fewer than the
// depth allows, else 2, 16 or 256); null for other depths.
HPALETTE CreateDibPalette(const BITMAPINFO* info);
