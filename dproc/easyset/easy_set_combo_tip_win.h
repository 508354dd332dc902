// The comment of the Easy Set highlighted in the dropped list of the Easy
// Set area's combo box, shown in a tooltip beside that entry while the
// entry is fully visible.  One list is dropped at a time in a process.
#pragma once

#include <windows.h>

// The combo box's notifications: CBN_DROPDOWN starts following the
// highlighted entry, CBN_CLOSEUP ends it.  The item data of each entry is
// its Easy Set node (none for "Untitled").
void EasySetComboTipCommand(HWND dialog, HWND combo, int code);
// Ends the tooltip of a page that goes.
void EndEasySetComboTip(HWND dialog);
