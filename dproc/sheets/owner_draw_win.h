// Owner-drawn item helpers of the sheets and a bitmap's size.
#pragma once

#include <windows.h>

// Width and height of a GDI bitmap; 0, 0 when GetObjectW fails.
SIZE GetBitmapSize(HBITMAP bitmap);
// The focus rectangle over the item's rectangle.
void DrawItemFocus(const DRAWITEMSTRUCT* item);
// Fills the item's rectangle with the system colour of its state.
void DrawItemBackground(const DRAWITEMSTRUCT* item);
// A list item as a picture and its text: cell `cell` (cellWidth x
// cellHeight, counted from the top of the strip) of the image and mask
// bitmaps of `images` at the item's left, the mask with AND and the image
// with XOR, then the text right of it in the colour of the item's state.
// A missing bitmap or a cell beyond the strip leaves the picture out.
void DrawBitmapText(const DRAWITEMSTRUCT* item, HMODULE images, int imageId, int maskId, int cell,
                    const wchar_t* text, int cellWidth, int cellHeight);
// A whole masked bitmap pair at (x, y) of `dc`, at the image's own size, the
// mask with AND and the image with XOR on black text and white background
// colours; nothing when either bitmap is missing.
void DrawMaskedBitmap(HDC dc, HMODULE images, int imageId, int maskId, int x, int y);
