#include "dproc/sheets/owner_draw_win.h"

#include "dproc/sheets/control_metrics.h"

SIZE GetBitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) == 0) return SIZE{0, 0};
  return SIZE{info.bmWidth, info.bmHeight};
}

void DrawItemFocus(const DRAWITEMSTRUCT* item) {
  if (item != nullptr) DrawFocusRect(item->hDC, &item->rcItem);
}

void DrawItemBackground(const DRAWITEMSTRUCT* item) {
  if (item == nullptr) return;
  const int color = ItemBackgroundColor((item->itemState & ODS_SELECTED) != 0, (item->itemState & ODS_DISABLED) != 0,
                                        item->CtlType == ODT_LISTBOX);
  FillRect(item->hDC, &item->rcItem, GetSysColorBrush(color));
}

bool DrawMaskedCell(HDC dc, HMODULE images, int imageId, int maskId, int cell, int cellWidth, int cellHeight, int x,
                    int y) {
  HBITMAP image = images != nullptr ? LoadBitmapW(images, MAKEINTRESOURCEW(imageId)) : nullptr;
  HBITMAP mask = images != nullptr ? LoadBitmapW(images, MAKEINTRESOURCEW(maskId)) : nullptr;
  bool drawn = false;
  if (image != nullptr && mask != nullptr && cell >= 0) {
    const SIZE strip = GetBitmapSize(image);
    // The cells are stacked top to bottom; one beyond the strip is not drawn.
    if ((cell + 1) * cellHeight <= strip.cy && cellWidth <= strip.cx) {
      HDC memory = CreateCompatibleDC(dc);
      const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
      const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
      HGDIOBJ old = SelectObject(memory, mask);
      BitBlt(dc, x, y, cellWidth, cellHeight, memory, 0, cell * cellHeight, SRCAND);
      SelectObject(memory, image);
      BitBlt(dc, x, y, cellWidth, cellHeight, memory, 0, cell * cellHeight, SRCINVERT);
      SelectObject(memory, old);
      DeleteDC(memory);
      SetTextColor(dc, oldText);
      SetBkColor(dc, oldBack);
      drawn = true;
    }
  }
  if (image != nullptr) DeleteObject(image);
  if (mask != nullptr) DeleteObject(mask);
  return drawn;
}

void DrawBitmapText(const DRAWITEMSTRUCT* item, HMODULE images, int imageId, int maskId, int cell,
                    const wchar_t* text, int cellWidth, int cellHeight) {
  if (item == nullptr) return;
  const int x = item->rcItem.left + 2;
  const int y = item->rcItem.top + (item->rcItem.bottom - item->rcItem.top - cellHeight) / 2;
  DrawMaskedCell(item->hDC, images, imageId, maskId, cell, cellWidth, cellHeight, x, y);
  if (text == nullptr || text[0] == 0) return;
  const bool selected = (item->itemState & ODS_SELECTED) != 0;
  const COLORREF oldText =
      SetTextColor(item->hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const int oldMode = SetBkMode(item->hDC, TRANSPARENT);
  RECT r = item->rcItem;
  r.left = x + cellWidth + 4;
  DrawTextW(item->hDC, text, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  SetBkMode(item->hDC, oldMode);
  SetTextColor(item->hDC, oldText);
}

void DrawMaskedBitmap(HDC dc, HMODULE images, int imageId, int maskId, int x, int y) {
  if (images == nullptr) return;
  HBITMAP image = LoadBitmapW(images, MAKEINTRESOURCEW(imageId));
  HBITMAP mask = LoadBitmapW(images, MAKEINTRESOURCEW(maskId));
  if (image != nullptr && mask != nullptr) {
    const SIZE size = GetBitmapSize(image);
    HDC memory = CreateCompatibleDC(dc);
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    HGDIOBJ old = SelectObject(memory, mask);
    BitBlt(dc, x, y, size.cx, size.cy, memory, 0, 0, SRCAND);
    SelectObject(memory, image);
    BitBlt(dc, x, y, size.cx, size.cy, memory, 0, 0, SRCINVERT);
    SelectObject(memory, old);
    DeleteDC(memory);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
  }
  if (image != nullptr) DeleteObject(image);
  if (mask != nullptr) DeleteObject(mask);
}

void DrawMaskedBitmapText(const DRAWITEMSTRUCT* item, HMODULE images, int imageId, int maskId, int cell,
                          const wchar_t* text, int overlayImageId, int overlayMaskId) {
  constexpr int kCell = 32;
  DrawBitmapText(item, images, imageId, maskId, cell, text, kCell, kCell);
  if (item == nullptr || overlayImageId == 0 || overlayMaskId == 0) return;
  // The overlay lies on the picture's cell, where DrawBitmapText put it.
  DrawBitmapText(item, images, overlayImageId, overlayMaskId, 0, nullptr, kCell, kCell);
}

HIMAGELIST CreateStateImageList(HMODULE images) {
  constexpr int kSide = 15, kCount = 3;
  if (images == nullptr) return nullptr;
  HBITMAP strips[2] = {LoadBitmapW(images, MAKEINTRESOURCEW(10034)), LoadBitmapW(images, MAKEINTRESOURCEW(10035))};
  HIMAGELIST list = nullptr;
  const SIZE size = GetBitmapSize(strips[0]);
  const SIZE maskSize = GetBitmapSize(strips[1]);
  if (strips[0] != nullptr && strips[1] != nullptr && size.cx >= kSide && size.cy >= kCount * kSide &&
      maskSize.cx >= kSide && maskSize.cy >= kCount * kSide) {
    list = ImageList_Create(kSide, kSide, ILC_COLOR24 | ILC_MASK, kCount, 0);
  }
  HDC screen = list != nullptr ? GetDC(nullptr) : nullptr;
  HDC from = screen != nullptr ? CreateCompatibleDC(screen) : nullptr;
  HDC to = screen != nullptr ? CreateCompatibleDC(screen) : nullptr;
  for (int i = 0; list != nullptr && from != nullptr && to != nullptr && i < kCount; ++i) {
    // Each picture is a third of the strips' height.
    const int top = i * (size.cy / kCount), maskTop = i * (maskSize.cy / kCount);
    HBITMAP image = CreateCompatibleBitmap(screen, kSide, kSide);
    HBITMAP mask = CreateBitmap(kSide, kSide, 1, 1, nullptr);
    if (image != nullptr && mask != nullptr) {
      HGDIOBJ oldFrom = SelectObject(from, strips[0]);
      HGDIOBJ oldTo = SelectObject(to, image);
      BitBlt(to, 0, 0, kSide, kSide, from, 0, top, SRCCOPY);
      SelectObject(from, strips[1]);
      SelectObject(to, mask);
      BitBlt(to, 0, 0, kSide, kSide, from, 0, maskTop, SRCCOPY);
      SelectObject(to, oldTo);
      SelectObject(from, oldFrom);
      ImageList_Add(list, image, mask);
    }
    if (image != nullptr) DeleteObject(image);
    if (mask != nullptr) DeleteObject(mask);
  }
  if (from != nullptr) DeleteDC(from);
  if (to != nullptr) DeleteDC(to);
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  for (HBITMAP strip : strips) {
    if (strip != nullptr) DeleteObject(strip);
  }
  if (list != nullptr && ImageList_GetImageCount(list) != kCount) {
    ImageList_Destroy(list);
    list = nullptr;
  }
  return list;
}
