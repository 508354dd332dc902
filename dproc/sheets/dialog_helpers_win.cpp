#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/owner_draw_win.h"

#include <commctrl.h>

#include "common/qxd/model_rows.h"
#include "common/qxd/qxd_reader.h"

#include <cstring>
#include <memory>
#include <new>

void SetFocusCtrl(HWND dialog, int controlId) {
  HWND control = GetDlgItem(dialog, controlId);
  if (control != nullptr && GetFocus() != control) {
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  }
}

void ShowEnableWnd(HWND window, BOOL on) {
  ShowWindow(window, on ? SW_SHOW : SW_HIDE);
  EnableWindow(window, on);
}

void ShowEnableCtrl(HWND dialog, int controlId, BOOL on) { ShowEnableWnd(GetDlgItem(dialog, controlId), on); }

void EnableCtrlIfVisible(HWND window, BOOL on) {
  if (!on) {
    EnableWindow(window, FALSE);
    return;
  }
  // ShowWindow answers whether the window was visible before.
  BOOL wasVisible = ShowWindow(window, SW_SHOW);
  if (!wasVisible) ShowWindow(window, SW_HIDE);
  EnableWindow(window, wasVisible);
}

BOOL IsAuthOptionSelected(HWND dialog, const DeviceOptionItem* options) {
  LRESULT selected = SendDlgItemMessageW(dialog, 1078, LB_GETCURSEL, 0, 0);
  if (options == nullptr || selected == LB_ERR) return FALSE;
  LRESULT id = SendDlgItemMessageW(dialog, 1078, LB_GETITEMDATA, static_cast<WPARAM>(selected), 0);
  for (const DeviceOptionItem* row = options; row->keyword[0] != '\0'; ++row) {
    if (static_cast<LRESULT>(row->optionIndex) != id) continue;
    char name[kKeywordSize + 1] = {};
    std::memcpy(name, row->keyword, kKeywordSize);
    return QxdNameEquals(name, "DevUserAuthentication") || QxdNameEquals(name, "DevAccountTrack");
  }
  return FALSE;
}

void* GetSelUserPaper(HWND dialog) {
  if (GetDlgItem(dialog, 1547) == nullptr) return nullptr;
  LRESULT selected = SendDlgItemMessageW(dialog, 1547, LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) return nullptr;
  LRESULT data = SendDlgItemMessageW(dialog, 1547, LB_GETITEMDATA, static_cast<WPARAM>(selected), 0);
  return data == LB_ERR ? nullptr : reinterpret_cast<void*>(data);
}

BOOL DrawIconTextItem(const DRAWITEMSTRUCT* item, int iconId, const wchar_t* text) {
  if (item == nullptr) return FALSE;
  const RECT& cell = item->rcItem;
  const int height = cell.bottom - cell.top;
  if (iconId != 0) {
    HICON icon = LoadIconW(nullptr, MAKEINTRESOURCEW(iconId));
    if (icon != nullptr) DrawIconEx(item->hDC, cell.left, cell.top, icon, height, height, 0, nullptr, DI_NORMAL);
  }
  if (text == nullptr) return TRUE;
  int color = (item->itemState & ODS_SELECTED) ? COLOR_HIGHLIGHTTEXT
              : (item->itemState & ODS_DISABLED) ? COLOR_GRAYTEXT
                                                 : COLOR_WINDOWTEXT;
  int x = (iconId == 0 && (item->itemState & ODS_COMBOBOXEDIT)) ? cell.left : cell.left + 20;
  int oldMode = SetBkMode(item->hDC, TRANSPARENT);
  COLORREF oldColor = SetTextColor(item->hDC, GetSysColor(color));
  BOOL drawn = TextOutW(item->hDC, x, cell.top + 1, text, lstrlenW(text));
  SetTextColor(item->hDC, oldColor);
  SetBkMode(item->hDC, oldMode);
  return drawn;
}

void DrawIconText(const DRAWITEMSTRUCT* item, int iconId, const wchar_t* text) {
  DrawIconTextItem(item, iconId, text);
}

void DrawOptionRowItem(HWND dialog, const DRAWITEMSTRUCT* item) {
  if (item->itemID == static_cast<UINT>(-1)) {
    DrawItemFocus(item);
    return;
  }
  if ((item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0) {
    const auto* row = reinterpret_cast<const OptionHead*>(item->itemData);
    DrawItemBackground(item);
    if (row != nullptr && row->size >= sizeof(OptionHead) + sizeof(char16_t)) {
      const int icon = row->flag != 0 ? static_cast<int>(row->iconId & 0xFFFF) : 0;
      DrawIconText(item, icon, reinterpret_cast<const wchar_t*>(reinterpret_cast<const uint8_t*>(row) + sizeof(OptionHead)));
    }
  }
  if ((item->itemAction & ODA_FOCUS) != 0 ||
      ((item->itemState & ODS_FOCUS) != 0 && GetFocus() == GetDlgItem(dialog, static_cast<int>(item->CtlID)))) {
    DrawItemFocus(item);
  }
}

HPALETTE CreateDibPalette(const BITMAPINFO* info) {
  if (info == nullptr) return nullptr;
  WORD bits = info->bmiHeader.biBitCount;
  UINT entries = bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
  if (entries == 0) return nullptr;
  // A table that names fewer colours than the depth allows ends there: the
  // pixels follow it.
  if (info->bmiHeader.biClrUsed != 0 && info->bmiHeader.biClrUsed < entries) entries = info->bmiHeader.biClrUsed;
  std::unique_ptr<BYTE[]> block(new (std::nothrow) BYTE[sizeof(LOGPALETTE) + entries * sizeof(PALETTEENTRY)]);
  if (!block) return nullptr;
  auto* palette = reinterpret_cast<LOGPALETTE*>(block.get());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(entries);
  PALETTEENTRY* out = palette->palPalEntry;
  for (UINT i = 0; i < entries; ++i) {
    out[i].peRed = info->bmiColors[i].rgbRed;
    out[i].peGreen = info->bmiColors[i].rgbGreen;
    out[i].peBlue = info->bmiColors[i].rgbBlue;
    out[i].peFlags = 0;
  }
  return CreatePalette(palette);
}

void PlacePagesInTab(HWND dialog, int tabId, const HWND* pages, int count) {
  HWND tab = GetDlgItem(dialog, tabId);
  if (tab == nullptr) return;
  // The display area is known once the tabs are in.
  RECT area{};
  GetWindowRect(tab, &area);
  TabCtrl_AdjustRect(tab, FALSE, &area);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
  for (int i = 0; i < count; ++i) {
    if (pages[i] == nullptr) continue;
    RECT pr{};
    GetWindowRect(pages[i], &pr);
    const int w = pr.right - pr.left;
    SetWindowPos(pages[i], HWND_TOP, area.left + (area.right - area.left - w) / 2, area.top, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE);
  }
}
