// Owner-drawn item helpers of the sheets and a bitmap's size.
#pragma once

#include <windows.h>

// Width and height of a GDI bitmap; 0, 0 when GetObjectW fails.
SIZE GetBitmapSize(HBITMAP bitmap);
// The focus rectangle over the item's rectangle.
void DrawItemFocus(const DRAWITEMSTRUCT* item);
// Fills the item's rectangle with the system colour of its state.
void DrawItemBackground(const DRAWITEMSTRUCT* item);
