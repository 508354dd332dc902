#include "dproc/watermark/watermark_list_item_win.h"

#include <vector>

#include "dproc/sheets/owner_draw_win.h"

void DrawWatermarkListItem(const DRAWITEMSTRUCT* item, HMODULE images, bool isPublic, bool selectedFirst) {
  constexpr int kCell = 16;
  if (item == nullptr) return;
  if (item->itemAction != ODA_DRAWENTIRE && item->itemAction != ODA_SELECT) {
    if (item->itemAction == ODA_FOCUS) DrawItemFocus(item);
    return;
  }
  DrawItemBackground(item);
  const bool disabled = (item->itemState & ODS_DISABLED) != 0;
  const bool selected = (item->itemState & ODS_SELECTED) != 0;
  int colour = COLOR_WINDOWTEXT;
  if (selectedFirst) colour = selected ? COLOR_HIGHLIGHTTEXT : disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT;
  else colour = disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT;
  const COLORREF oldColour = SetTextColor(item->hDC, GetSysColor(colour));
  const int oldMode = SetBkMode(item->hDC, TRANSPARENT);
  const int half = LOWORD(GetDialogBaseUnits()) >> 1;
  const int x = item->rcItem.left + half;
  const int y = item->rcItem.top + (item->rcItem.bottom - item->rcItem.top - kCell) / 2;
  HBITMAP mask = images != nullptr ? LoadBitmapW(images, MAKEINTRESOURCEW(483)) : nullptr;
  HBITMAP image = images != nullptr ? LoadBitmapW(images, MAKEINTRESOURCEW(482)) : nullptr;
  if (mask != nullptr && image != nullptr) {
    const int cellTop = isPublic ? 0 : kCell;
    HDC memory = CreateCompatibleDC(item->hDC);
    const COLORREF text = SetTextColor(item->hDC, RGB(0, 0, 0));
    const COLORREF back = SetBkColor(item->hDC, RGB(255, 255, 255));
    HGDIOBJ old = SelectObject(memory, mask);
    BitBlt(item->hDC, x, y, kCell, kCell, memory, 0, cellTop, SRCAND);
    SelectObject(memory, image);
    BitBlt(item->hDC, x, y, kCell, kCell, memory, 0, cellTop, SRCINVERT);
    SelectObject(memory, old);
    DeleteDC(memory);
    SetTextColor(item->hDC, text);
    SetBkColor(item->hDC, back);
  }
  if (mask != nullptr) DeleteObject(mask);
  if (image != nullptr) DeleteObject(image);
  const LRESULT length = SendMessageW(item->hwndItem, LB_GETTEXTLEN, item->itemID, 0);
  if (length > 0) {
    std::vector<wchar_t> name(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(item->hwndItem, LB_GETTEXT, item->itemID, reinterpret_cast<LPARAM>(name.data()));
    RECT r = item->rcItem;
    r.left = x + kCell + half;
    DrawTextW(item->hDC, name.data(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  SetTextColor(item->hDC, oldColour);
  SetBkMode(item->hDC, oldMode);
  if ((item->itemState & ODS_FOCUS) != 0) DrawItemFocus(item);
}
