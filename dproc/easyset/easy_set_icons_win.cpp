#include "dproc/easyset/easy_set_icons_win.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>

#include "common/records/easy_set_record.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/sheets/owner_draw_win.h"

namespace {

HMODULE Images() { return DialogFrameworkModules().images; }

int CentredTop(const RECT& r) { return r.top + (r.bottom - r.top - kEasySetIconSize) / 2; }

void DrawFocusWhenDue(const DRAWITEMSTRUCT* item) {
  const bool focused = (item->itemState & ODS_FOCUS) != 0 && GetFocus() == item->hwndItem;
  if (item->itemAction == ODA_FOCUS || focused) DrawItemFocus(item);
}

}  // namespace

int EasySetIconCount() {
  HMODULE images = Images();
  HBITMAP strip = images != nullptr ? LoadBitmapW(images, MAKEINTRESOURCEW(kEasySetIconImage)) : nullptr;
  if (strip == nullptr) return 0;
  const SIZE size = GetBitmapSize(strip);
  DeleteObject(strip);
  return std::max(size.cx, size.cy) / kEasySetIconSize;
}

int FillEasySetIconCombo(HWND combo) {
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  const int count = EasySetIconCount();
  for (int i = 0; i < count; ++i) {
    wchar_t text[8];
    swprintf(text, 8, L"%03d", i);
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  return count;
}

void DrawEasySetIcon(const DRAWITEMSTRUCT* item) {
  if (item == nullptr) return;
  if (item->itemID != static_cast<UINT>(-1)) {
    DrawItemBackground(item);
    const int x = item->rcItem.left + (item->rcItem.right - item->rcItem.left - kEasySetIconSize) / 2;
    DrawMaskedCell(item->hDC, Images(), kEasySetIconImage, kEasySetIconMask, static_cast<int>(item->itemID),
                   kEasySetIconSize, kEasySetIconSize, x, CentredTop(item->rcItem));
  }
  DrawFocusWhenDue(item);
}

void DrawEasySetItem(HWND, const DRAWITEMSTRUCT* item) {
  if (item == nullptr) return;
  if (item->itemID == static_cast<UINT>(-1)) {
    DrawFocusWhenDue(item);
    return;
  }
  DrawItemBackground(item);
  const int u = LOWORD(GetDialogBaseUnits()) / 2;
  const auto* node = reinterpret_cast<const EasySetNode*>(item->itemData);
  const int top = CentredTop(item->rcItem);
  int textLeft = item->rcItem.left + u;
  std::wstring text;
  if (node != nullptr) {
    const int kindX = item->rcItem.left + u;
    const int kind = node->kind == kEasySetUser && node->builtIn == 0 ? 1 : 0;
    DrawMaskedCell(item->hDC, Images(), kEasySetKindImage, kEasySetKindMask, kind, kEasySetIconSize,
                   kEasySetIconSize, kindX, top);
    int lastIconRight = kindX + kEasySetIconSize;
    if (node->header.iconShown != 0) {
      DrawMaskedCell(item->hDC, Images(), kEasySetIconImage, kEasySetIconMask, node->header.iconIndex,
                     kEasySetIconSize, kEasySetIconSize, kindX + 18, top);
      lastIconRight = kindX + 18 + kEasySetIconSize;
    }
    // In the dropped list the names line up after room for both icons.
    const bool editField = (item->itemState & ODS_COMBOBOXEDIT) != 0;
    textLeft = editField ? lastIconRight + u : item->rcItem.left + u + 18 + kEasySetIconSize + u;
    char16_t name[kEasySetNameChars];
    std::memcpy(name, node->header.name, sizeof name);
    name[kEasySetNameChars - 1] = 0;
    for (size_t i = 0; i < kEasySetNameChars && name[i] != 0; ++i) text.push_back(static_cast<wchar_t>(name[i]));
  } else {
    const bool list = item->CtlType == ODT_LISTBOX;
    const LRESULT length = SendMessageW(item->hwndItem, list ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, item->itemID, 0);
    if (length > 0 && length < 1024) {
      text.assign(static_cast<size_t>(length) + 1, L'\0');
      SendMessageW(item->hwndItem, list ? LB_GETTEXT : CB_GETLBTEXT, item->itemID,
                   reinterpret_cast<LPARAM>(text.data()));
      text.resize(wcslen(text.c_str()));
    }
  }
  const bool selected = (item->itemState & ODS_SELECTED) != 0;
  const bool disabled = (item->itemState & ODS_DISABLED) != 0;
  const COLORREF oldText = SetTextColor(
      item->hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
  const int oldMode = SetBkMode(item->hDC, TRANSPARENT);
  RECT r = item->rcItem;
  r.left = textLeft;
  DrawTextW(item->hDC, text.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SetBkMode(item->hDC, oldMode);
  SetTextColor(item->hDC, oldText);
  DrawFocusWhenDue(item);
}
