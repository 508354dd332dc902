#include "dproc/dialogs/media_list_view_win.h"

#include <commctrl.h>

#include "common/qxd/model_info.h"

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
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  return added;
}

bool IsMediaTypeColumnShown(const char* keyword) {
  return IsMediaTypeColumnShownBy(keyword, MediaSwitchesOf(ProcessModelInfo()));
}
