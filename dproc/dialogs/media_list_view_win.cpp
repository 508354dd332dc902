#include "dproc/dialogs/media_list_view_win.h"

#include <commctrl.h>

#include "common/qxd/model_info.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/sheets/owner_draw_win.h"

int InitMediaTypeListView(HWND dialog, const MediaSwitches& switches) {
  HWND list = GetDlgItem(dialog, kMediaListViewControl);
  if (list == nullptr) return 0;
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  if (header != nullptr) {
    SetWindowLongPtrW(header, GWL_STYLE, GetWindowLongPtrW(header, GWL_STYLE) & ~static_cast<LONG_PTR>(HDS_BUTTONS));
  }
  const LRESULT margin = header != nullptr ? SendMessageW(header, HDM_GETBITMAPMARGIN, 0, 0) : 0;
  MediaListColumn* columns = MediaListColumnTable();
  int added = 0;
  for (int c = 0; c < static_cast<int>(kMediaListColumns); ++c) {
    if (!MediaColumnAdmitted(c, switches)) continue;
    auto* title = reinterpret_cast<wchar_t*>(columns[c].title);
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(title)) +
                                 2 * margin + 36);
    column.pszText = title;
    column.iSubItem = ++added;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
  }
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  SetMediaListImages(dialog);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  return added;
}

bool IsMediaTypeColumnShown(const char* keyword) {
  return IsMediaTypeColumnShownBy(keyword, MediaSwitchesOf(ProcessModelInfo()));
}

namespace {

MediaListTrays g_shown = {};

HWND MediaList(HWND dialog) { return GetDlgItem(dialog, kMediaListViewControl); }

void SetCell(HWND list, int row, int subitem, const char16_t* text) {
  LVITEMW cell = {};
  cell.iSubItem = subitem;
  cell.pszText = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(text));
  SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
}

// The text of a cell, at most 260 characters.
void CellText(HWND list, int row, int subitem, wchar_t (&text)[261]) {
  text[0] = 0;
  LVITEMW cell = {};
  cell.iSubItem = subitem;
  cell.pszText = text;
  cell.cchTextMax = 261;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
}

void AddIcon(HIMAGELIST images, HMODULE module, int id) {
  HICON icon = module != nullptr
                   ? static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0))
                   : nullptr;
  ImageList_AddIcon(images, icon);
  if (icon != nullptr) DestroyIcon(icon);
}

}  // namespace

void SetMediaListImages(HWND dialog) {
  HWND list = MediaList(dialog);
  if (list == nullptr) return;
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 3, 0);
  if (images != nullptr) {
    const HMODULE pictures = DialogFrameworkModules().images;
    AddIcon(images, pictures, 473);
    AddIcon(images, pictures, 474);
    ImageList_AddIcon(images, LoadIconW(nullptr, IDI_WARNING));
    HIMAGELIST old = reinterpret_cast<HIMAGELIST>(
        SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images)));
    // Without LVS_SHAREIMAGELISTS the list destroys the list it holds when
    // it goes; one it gives back here is ours to destroy.
    if (old != nullptr && old != images) ImageList_Destroy(old);
  }
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
}

int FillMediaTypeListViewFrom(HWND dialog, TrayMediaSlot* table, const ModelInfo* model,
                              const MediaTypeLists* lists) {
  HWND list = MediaList(dialog);
  if (list == nullptr || table == nullptr) return 0;
  const LRESULT top = SendMessageW(list, LVM_GETTOPINDEX, 0, 0);
  const LRESULT perPage = SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0);
  const int lastVisible = static_cast<int>(top + perPage - 1);
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  CollectMediaListTrays(model != nullptr ? model->inTrays : nullptr, model != nullptr ? model->trayMediaLabels : nullptr,
                        table, &g_shown);
  if (g_shown.count == 0) {
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(lastVisible), FALSE);
    return 0;
  }
  int order[kMediaListColumns];
  const int columns = MediaListColumnOrder(MediaSwitchesOf(model), order);
  for (uint32_t k = 0; k < g_shown.count; ++k) {
    LVITEMW row = {};
    row.mask = LVIF_TEXT | LVIF_PARAM;
    row.iItem = static_cast<int>(k);
    row.pszText = reinterpret_cast<wchar_t*>(g_shown.rows[k].label);
    row.lParam = static_cast<LPARAM>(k);
    const int at = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row)));
    if (at < 0 || lists == nullptr) continue;
    for (int s = 1; s < columns; ++s) {
      if (const char16_t* text = MediaCellText(order[s], table[k], *lists)) SetCell(list, at, s, text);
    }
  }
  SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(lastVisible), FALSE);
  return columns;
}

int FillMediaTypeListView(HWND dialog, const SheetCtx* ctx, int) {
  DevOption* device = GetCtxPrinterInfo(ctx);
  if (device == nullptr) return 0;
  return FillMediaTypeListViewFrom(dialog, device->trays, ProcessModelInfo(), DialogMediaLists());
}

const MediaListTrays& MediaListTraysShown() { return g_shown; }

void DrawMediaTypeListItemWith(HWND dialog, const DRAWITEMSTRUCT* item, int columns, const TrayMediaSlot* table) {
  if (item == nullptr) return;
  if (item->itemID == static_cast<UINT>(-1)) {
    DrawItemFocus(item);
    return;
  }
  HWND list = item->hwndItem != nullptr ? item->hwndItem : MediaList(dialog);
  HDC dc = item->hDC;
  const bool disabled = (item->itemState & ODS_DISABLED) != 0;
  COLORREF back = static_cast<COLORREF>(SendMessageW(list, LVM_GETBKCOLOR, 0, 0));
  if (back == CLR_NONE) back = GetSysColor(COLOR_WINDOW);
  if (disabled) back = GetSysColor(COLOR_BTNFACE);
  RECT client;
  GetClientRect(list, &client);
  RECT row = item->rcItem;
  row.right = client.right - 1;
  HBRUSH brush = CreateSolidBrush(back);
  FillRect(dc, &row, brush);
  DeleteObject(brush);

  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  const int height = metrics.tmHeight < 0 ? -metrics.tmHeight : metrics.tmHeight;
  const int indent = LOWORD(GetDialogBaseUnits()) / 4;
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
  const auto rowIndex = static_cast<uint32_t>(item->itemData);
  int left = item->rcItem.left;
  for (int c = 0; c < columns; ++c) {
    const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0));
    RECT cell = {left, item->rcItem.top, left + width, item->rcItem.bottom};
    if (c == 0 || c == 2) cell.left += 16;
    wchar_t text[261];
    CellText(list, static_cast<int>(item->itemID), c, text);
    if (c == 0 && images != nullptr &&
        MediaTrayFlagged(g_shown, reinterpret_cast<const char16_t*>(text))) {
      ImageList_Draw(images, 2, dc, item->rcItem.left, item->rcItem.top, ILD_TRANSPARENT);
    }
    if (c == 2 && images != nullptr) {
      const bool portrait = table != nullptr && rowIndex < kMediaListTrays && table[rowIndex].orientation == 1;
      ImageList_Draw(images, portrait ? 0 : 1, dc, left, item->rcItem.top, ILD_TRANSPARENT);
    }
    const int y = (item->rcItem.top + item->rcItem.bottom - height) / 2;
    ExtTextOutW(dc, cell.left + indent, y, ETO_CLIPPED, &cell, text, static_cast<UINT>(lstrlenW(text)), nullptr);
    left += width;
  }
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}

void DrawMediaTypeListItem(HWND dialog, const DRAWITEMSTRUCT* item, int columns, int) {
  const DevOption* device = GetCtxPrinterInfo(GetDlgPrcCtx(dialog));
  DrawMediaTypeListItemWith(dialog, item, columns, device != nullptr ? device->trays : nullptr);
}
