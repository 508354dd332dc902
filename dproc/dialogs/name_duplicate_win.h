// The duplicate-name checks of the two management dialogs of device-stored
// items (overlay forms and colour profiles): the name being edited against
// the other entries of the driver's list and the device's list at the same
// location, read from the dialogs' own list views (column 0 the name,
// column 2 the location's text).
#pragma once

#include <windows.h>

#include <string>

// The text of a list view item's column (at most 259 characters).
std::wstring ListViewItemText(HWND list, int item, int column);

// 0 when the text of `editId` equals, without regard to case, the name of
// another item of `driverListId` or of an item of `deviceListId`, where that
// item's location text equals the selected driver entry's; else 1, also
// when the driver list has no selection.  An empty name is not special.
int CheckListNameDuplicate(HWND dialog, int editId, int driverListId, int deviceListId);

// The overlay form management dialog: edit 1572, lists 1568 and 1563.
int CheckFormNameDuplicate(HWND dialog);
// The colour profile management dialog: edit 1543, lists 1538 and 1533.
int CheckProfileNameDuplicate(HWND dialog);
