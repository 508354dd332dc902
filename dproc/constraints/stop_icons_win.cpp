#include "dproc/constraints/stop_icons_win.h"

#include <commctrl.h>

#include <algorithm>

#include "dproc/constraints/hint_text.h"
#include "dproc/constraints/stop_icon_ids.h"
#include "dproc/sheets/dialog_helpers.h"

namespace {

HintEntry* MakeTable() {
  static HintEntry table[kStopIconRows + 1] = {};
  for (size_t i = 0; i < kStopIconRows; ++i) {
    HintEntry& row = table[i];
    row.controlId = kStopIconControlIds[i];
    const uint16_t image = StopIconImageOf(row.controlId);
    row.imageId = image;
    row.maskId = static_cast<uint16_t>(image + 1);
  }
  return table;
}

HMODULE g_images = nullptr;

}  // namespace

HintEntry* StopIconTable() {
  static HintEntry* table = MakeTable();
  return table;
}

HintEntry* FindStopIcon(uint32_t controlId) {
  for (HintEntry* row = StopIconTable(); row->controlId != 0; ++row) {
    if (row->controlId == controlId) return row;
  }
  return nullptr;
}

void SetStopIconImages(HMODULE images) { g_images = images; }

void StoreStopIconRect(HWND dialog, HintEntry* table) {
  for (HintEntry* row = table; row->controlId != 0; ++row) {
    HWND control = GetDlgItem(dialog, static_cast<int>(row->controlId));
    if (control == nullptr) continue;
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
    row->rect = r;
  }
}

HWND CreateToolTipWindow(HWND owner) {
  INITCOMMONCONTROLSEX init = {sizeof init, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&init);
  return CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, owner, nullptr, g_images, nullptr);
}

void CreateToolTipWindows(HWND dialog) {
  for (HintEntry* row = StopIconTable(); row->controlId != 0; ++row) {
    HWND control = GetDlgItem(dialog, static_cast<int>(row->controlId));
    if (control == nullptr) continue;
    if (row->tooltip != nullptr) DestroyWindow(row->tooltip);
    row->tooltip = CreateToolTipWindow(control);
  }
}

void DrawMaskedIconBitmap(HWND dialog, const DRAWITEMSTRUCT* item, const HintEntry* row) {
  HWND control = GetDlgItem(dialog, static_cast<int>(item->CtlID));
  if (control == nullptr || g_images == nullptr) return;
  HBITMAP image = LoadBitmapW(g_images, MAKEINTRESOURCEW(row->imageId));
  HBITMAP mask = LoadBitmapW(g_images, MAKEINTRESOURCEW(row->maskId));
  BITMAP size = {};
  if (image != nullptr && mask != nullptr && GetObjectW(image, sizeof size, &size) != 0 && size.bmWidth > 0 &&
      size.bmHeight > 0) {
    // The item's own DC when the dialog manager asks for the drawing, the
    // control's otherwise.
    const bool own = item->hDC == nullptr;
    HDC dc = own ? GetDC(control) : item->hDC;
    RECT area = item->rcItem;
    if (own) GetClientRect(control, &area);
    // A bitmap larger than its control is drawn whole, scaled down to fit
    // it with its proportions kept; a smaller one at its own size.
    const int roomW = area.right - area.left;
    const int roomH = area.bottom - area.top;
    int w = size.bmWidth;
    int h = size.bmHeight;
    if (w > roomW || h > roomH) {
      if (roomW * size.bmHeight <= roomH * size.bmWidth) {
        w = roomW;
        h = std::max(1, MulDiv(size.bmHeight, roomW, size.bmWidth));
      } else {
        h = roomH;
        w = std::max(1, MulDiv(size.bmWidth, roomH, size.bmHeight));
      }
    }
    HDC memory = CreateCompatibleDC(dc);
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    HGDIOBJ old = SelectObject(memory, mask);
    StretchBlt(dc, area.left, area.top, w, h, memory, 0, 0, size.bmWidth, size.bmHeight, SRCAND);
    SelectObject(memory, image);
    StretchBlt(dc, area.left, area.top, w, h, memory, 0, 0, size.bmWidth, size.bmHeight, SRCINVERT);
    SelectObject(memory, old);
    SetStretchBltMode(dc, oldMode);
    DeleteDC(memory);
    if (own) ReleaseDC(control, dc);
  }
  if (image != nullptr) DeleteObject(image);
  if (mask != nullptr) DeleteObject(mask);
}

void DrawStopInfoIcon(HWND dialog, uint32_t controlId, const DRAWITEMSTRUCT* given, HintEntry* table) {
  DRAWITEMSTRUCT item = {};
  if (given != nullptr) {
    item = *given;
  } else {
    item.CtlType = ODT_BUTTON;
    item.CtlID = controlId;
    item.hwndItem = GetDlgItem(dialog, static_cast<int>(controlId));
    if (item.hwndItem != nullptr) GetClientRect(item.hwndItem, &item.rcItem);
  }
  for (HintEntry* row = table; row->controlId != 0; ++row) {
    if (row->controlId != item.CtlID) continue;
    HWND control = GetDlgItem(dialog, static_cast<int>(row->controlId));
    if (control == nullptr) continue;
    if (row->show != 0) {
      MoveWindow(control, row->rect.left, row->rect.top, row->rect.right - row->rect.left,
                 row->rect.bottom - row->rect.top, TRUE);
      EnableCtrlIfVisible(control, TRUE);
      DrawMaskedIconBitmap(dialog, &item, row);
    } else {
      MoveWindow(control, 0, 0, 0, 0, TRUE);
      EnableWindow(control, FALSE);
    }
  }
}

bool IsStopIconHidden(uint32_t controlId) {
  const HintEntry* row = FindStopIcon(controlId);
  return row == nullptr || row->show == 0;
}

void DestroyStopIconTooltips() {
  for (HintEntry* row = StopIconTable(); row->controlId != 0; ++row) {
    if (row->tooltip != nullptr) DestroyWindow(row->tooltip);
    row->tooltip = nullptr;
  }
}

void RefreshStopInfoIcons(HWND dialog) {
  HintEntry* table = StopIconTable();
  for (HintEntry* icon = table; icon->controlId != 0; ++icon) {
    HWND control = GetDlgItem(dialog, static_cast<int>(icon->controlId));
    if (control == nullptr) continue;
    DrawStopInfoIcon(dialog, icon->controlId, nullptr, table);
    if (icon->tooltip == nullptr) continue;
    ExpandNewlineEscapes(icon->text);
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = control;
    GetClientRect(control, &tool.rect);
    tool.lpszText = reinterpret_cast<wchar_t*>(icon->text);
    SendMessageW(icon->tooltip, TTM_SETMAXTIPWIDTH, 0, 1024);
    // Each pass gives the icon its current reasons: the tool of the last
    // pass goes, so the tooltip never shows an old text.
    SendMessageW(icon->tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(icon->tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(icon->tooltip, TTM_SETDELAYTIME, TTDT_INITIAL, 0);
    SendMessageW(icon->tooltip, TTM_SETDELAYTIME, TTDT_AUTOPOP, 30000);
  }
}

HWND RecreateHintToolTip(HWND dialog, uint32_t controlId) {
  HintEntry* row = FindStopIcon(controlId);
  HWND control = row != nullptr ? GetDlgItem(dialog, static_cast<int>(controlId)) : nullptr;
  if (control == nullptr) return nullptr;
  if (row->tooltip != nullptr) DestroyWindow(row->tooltip);
  row->tooltip = CreateToolTipWindow(control);
  return row->tooltip;
}
