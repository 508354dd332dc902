// Owner-drawn backgrounds and bitmap sizes on a memory DC.
#include <windows.h>

#include <gtest/gtest.h>

#include "dproc/sheets/owner_draw_win.h"

namespace {

TEST(OwnerDraw, BackgroundFillsTheItemWithItsStateColour) {
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 8;
  info.bmiHeader.biHeight = 8;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bitmap, nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_COMBOBOX;
  item.hDC = dc;
  item.rcItem = RECT{0, 0, 4, 4};
  item.itemState = ODS_SELECTED | ODS_DISABLED;
  DrawItemBackground(&item);
  EXPECT_EQ(GetPixel(dc, 1, 1), GetSysColor(COLOR_INACTIVECAPTION));
  item.CtlType = ODT_LISTBOX;
  DrawItemBackground(&item);
  EXPECT_EQ(GetPixel(dc, 1, 1), GetSysColor(COLOR_HIGHLIGHT));
  item.itemState = 0;
  DrawItemBackground(&item);
  EXPECT_EQ(GetPixel(dc, 3, 3), GetSysColor(COLOR_WINDOW));
  DrawItemBackground(nullptr);

  SelectObject(dc, old);
  const SIZE size = GetBitmapSize(bitmap);
  EXPECT_EQ(size.cx, 8);
  EXPECT_EQ(size.cy, 8);
  DeleteObject(bitmap);
  DeleteDC(dc);
  const SIZE none = GetBitmapSize(nullptr);
  EXPECT_EQ(none.cx, 0);
  EXPECT_EQ(none.cy, 0);
}

}  // namespace
