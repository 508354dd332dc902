// Tooltips of the document property sheet's tabs: the first sheet that
// initialises gives the frame's tab control a tooltip window, and every tab
// whose text equals a title of the tab-tip table gets its description.
#pragma once

#include <windows.h>

// Called by every document sheet at WM_INITDIALOG; later sheets of the same
// property sheet find the tooltip window and do nothing.
void CreateSheetTabTips(HWND sheet);
// One tool per tab whose text matches a stored title (case-sensitive).
void AddSheetTabTips(HWND tabControl);
