// Owner-drawn item helpers of the sheets and a bitmap's size.
#pragma once

#include <windows.h>

#include <commctrl.h>

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
// Cell `cell` (cellWidth x cellHeight, counted from the top of the strip)
// of a masked strip pair at (x, y) of `dc`, the mask with AND and the image
// with XOR; false (nothing drawn) when a bitmap is missing or the cell lies
// beyond the strip.
bool DrawMaskedCell(HDC dc, HMODULE images, int imageId, int maskId, int cell, int cellWidth, int cellHeight, int x,
                    int y);
// A whole masked bitmap pair at (x, y) of `dc`, at the image's own size, the
// mask with AND and the image with XOR on black text and white background
// colours; nothing when either bitmap is missing.
void DrawMaskedBitmap(HDC dc, HMODULE images, int imageId, int maskId, int x, int y);
// DrawBitmapText with a 32 x 32 cell, and over the picture, when both ids
// are not 0, cell 0 of the overlay pair (mask AND, image XOR).
void DrawMaskedBitmapText(const DRAWITEMSTRUCT* item, HMODULE images, int imageId, int maskId, int cell,
                          const wchar_t* text, int overlayImageId, int overlayMaskId);
// The three 15 x 15 switch pictures (0 blank, 1 off, 2 on) as a masked image
// list, cut from the top-to-bottom strips 10034 (images) and 10035 (masks)
// of `images`; null when they cannot be loaded.  The caller owns the list.
HIMAGELIST CreateStateImageList(HMODULE images);
