// The drop-list reason filter: while a drop-down list is open, a tracking
// tooltip beside the highlighted item tells why that option is refused.  It
// also gives every combo box of a dialog the extended user interface and
// puts the previous selection back when the user cancels an open list.
// Every sheet and dialog procedure passes each message here first.
#pragma once

#include <windows.h>

// Never consumes the message: the caller goes on with its own handling.
void ComboDropListFilter(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The reason timer's procedure (every 100 ms while a list is open).
void CALLBACK ShowDropListReasonTip(HWND dialog, UINT message, UINT_PTR timerId, DWORD time);
void KeepComboSelection(HWND dialog, WPARAM wParam, LPARAM lParam);
// Puts the mouse cursor on the selected item of an open list (older
// systems only).
void MoveCursorToSelection(HWND dialog, int controlId);
// The reason tooltip of the open list, or null.
HWND DropListReasonTooltip();
