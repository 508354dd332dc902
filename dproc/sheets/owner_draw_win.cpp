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
