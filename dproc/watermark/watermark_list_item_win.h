// One item of a watermark list box (the sheet's and the edit dialog's): the
// shared or own mark (the top or lower cell of bitmaps 482 / 483) and the
// watermark's name.
#pragma once

#include <windows.h>

// `isPublic` picks the picture; `selectedFirst`: a selected item's text
// colour wins over a disabled one's (the edit dialog's order).
void DrawWatermarkListItem(const DRAWITEMSTRUCT* item, HMODULE images, bool isPublic, bool selectedFirst);
