// Control helpers, owner-drawn cells and palettes.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "dproc/sheets/dialog_helpers.h"
#include "common/qxd/model_rows.h"

namespace {

TEST(DialogHelpers, EnableOnlyWhatIsVisible) {
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                                nullptr);
  HWND shown = CreateWindowExW(0, L"BUTTON", L"a", WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, 0, 50, 20, parent,
                               reinterpret_cast<HMENU>(10), nullptr, nullptr);
  HWND hidden = CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | WS_DISABLED, 0, 30, 50, 20, parent,
                                reinterpret_cast<HMENU>(11), nullptr, nullptr);
  ASSERT_NE(hidden, nullptr);
  EnableCtrlIfVisible(shown, TRUE);
  EnableCtrlIfVisible(hidden, TRUE);
  EXPECT_TRUE(IsWindowEnabled(shown));
  EXPECT_FALSE(IsWindowEnabled(hidden));
  EXPECT_FALSE(IsWindowVisible(hidden)) << "its visibility stays";
  EnableCtrlIfVisible(shown, FALSE);
  EXPECT_FALSE(IsWindowEnabled(shown));

  ShowEnableCtrl(parent, 11, TRUE);
  EXPECT_TRUE(IsWindowVisible(hidden));
  EXPECT_TRUE(IsWindowEnabled(hidden));
  ShowEnableCtrl(parent, 11, FALSE);
  EXPECT_FALSE(IsWindowVisible(hidden));
  EXPECT_FALSE(IsWindowEnabled(hidden));
  DestroyWindow(parent);
}

TEST(DialogHelpers, SelectedListEntries) {
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
  HWND options = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | LBS_NOTIFY, 0, 0, 100, 80, parent,
                                 reinterpret_cast<HMENU>(1078), nullptr, nullptr);
  ASSERT_NE(options, nullptr);
  DeviceOptionItem rows[3] = {};
  std::memcpy(rows[0].keyword, "DevMemory", 9);
  rows[0].optionIndex = 4;
  std::memcpy(rows[1].keyword, "devaccounttrack", 15);
  rows[1].optionIndex = 7;
  EXPECT_FALSE(IsAuthOptionSelected(parent, rows)) << "nothing selected";
  SendMessageW(options, LB_SETITEMDATA, SendMessageW(options, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"a")), 4);
  SendMessageW(options, LB_SETITEMDATA, SendMessageW(options, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"b")), 7);
  SendMessageW(options, LB_SETCURSEL, 0, 0);
  EXPECT_FALSE(IsAuthOptionSelected(parent, rows));
  SendMessageW(options, LB_SETCURSEL, 1, 0);
  EXPECT_TRUE(IsAuthOptionSelected(parent, rows));

  EXPECT_EQ(GetSelUserPaper(parent), nullptr) << "no user paper list";
  HWND papers = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD, 0, 100, 100, 80, parent, reinterpret_cast<HMENU>(1547),
                                nullptr, nullptr);
  int entry = 0;
  SendMessageW(papers, LB_SETITEMDATA, SendMessageW(papers, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"p")),
               reinterpret_cast<LPARAM>(&entry));
  EXPECT_EQ(GetSelUserPaper(parent), nullptr);
  SendMessageW(papers, LB_SETCURSEL, 0, 0);
  EXPECT_EQ(GetSelUserPaper(parent), &entry);
  DestroyWindow(parent);
}

// Draws a cell on a grey bitmap; returns the leftmost column with a pixel
// of `color`, or -1.
int LeftmostOf(UINT state, int iconId, COLORREF color) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 120, 20);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all = {0, 0, 120, 20};
  HBRUSH grey = CreateSolidBrush(RGB(128, 128, 128));
  FillRect(dc, &all, grey);
  DeleteObject(grey);
  DRAWITEMSTRUCT item = {};
  item.hDC = dc;
  item.rcItem = all;
  item.itemState = state;
  EXPECT_TRUE(DrawIconTextItem(&item, iconId, L"WWW"));
  int found = -1;
  for (int x = 0; x < 120 && found < 0; ++x) {
    for (int y = 0; y < 20; ++y) {
      if (GetPixel(dc, x, y) == color) {
        found = x;
        break;
      }
    }
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return found;
}

TEST(DialogHelpers, IconTextCellPlacesAndColoursItsText) {
  int plain = LeftmostOf(0, 0, GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_GE(plain, 20);
  EXPECT_LT(plain, 30);
  int comboEdit = LeftmostOf(ODS_COMBOBOXEDIT, 0, GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_GE(comboEdit, 0);
  EXPECT_LT(comboEdit, 10);
  EXPECT_GE(LeftmostOf(ODS_SELECTED, 0, GetSysColor(COLOR_HIGHLIGHTTEXT)), 20);
  EXPECT_GE(LeftmostOf(ODS_DISABLED, 0, GetSysColor(COLOR_GRAYTEXT)), 20);
  DRAWITEMSTRUCT none = {};
  EXPECT_TRUE(DrawIconTextItem(&none, 0, nullptr)) << "no text: TRUE";
}

TEST(DialogHelpers, PaletteFromTheColourTable) {
  std::vector<BYTE> block(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
  auto* info = reinterpret_cast<BITMAPINFO*>(block.data());
  info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  RGBQUAD* colors = reinterpret_cast<RGBQUAD*>(block.data() + sizeof(BITMAPINFOHEADER));
  for (int i = 0; i < 256; ++i) colors[i] = RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(255 - i), 7, 0};
  for (WORD bits : {1, 4, 8}) {
    info->bmiHeader.biBitCount = bits;
    HPALETTE palette = CreateDibPalette(info);
    ASSERT_NE(palette, nullptr) << bits;
    PALETTEENTRY entries[256];
    UINT count = GetPaletteEntries(palette, 0, 256, entries);
    EXPECT_EQ(count, 1u << bits);
    EXPECT_EQ(entries[count - 1].peBlue, count - 1);
    EXPECT_EQ(entries[count - 1].peGreen, 256 - count);
    EXPECT_EQ(entries[count - 1].peRed, 7);
    DeleteObject(palette);
  }
  info->bmiHeader.biBitCount = 24;
  EXPECT_EQ(CreateDibPalette(info), nullptr);
}

// A table that names fewer colours than the depth allows ends there: the
// palette takes no pixel bytes for colours.
TEST(DialogHelpers, PaletteTakesOnlyTheColoursTheTableNames) {
  struct Case {
    WORD bits;
    DWORD used;
    UINT entries;
  };
  const Case cases[] = {{8, 3, 3}, {4, 5, 16 - 11}, {8, 0, 256}, {1, 2, 2}, {8, 300, 256}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bits << " bits, " << c.used << " used");
    std::vector<BYTE> block(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0xEE);
    auto* info = reinterpret_cast<BITMAPINFO*>(block.data());
    info->bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 4, 4, 1, c.bits, BI_RGB, 0, 0, 0, c.used, 0};
    RGBQUAD* colors = reinterpret_cast<RGBQUAD*>(block.data() + sizeof(BITMAPINFOHEADER));
    for (UINT i = 0; i < c.entries; ++i) colors[i] = RGBQUAD{static_cast<BYTE>(i), 1, 2, 0};
    HPALETTE palette = CreateDibPalette(info);
    ASSERT_NE(palette, nullptr);
    PALETTEENTRY entries[256];
    const UINT count = GetPaletteEntries(palette, 0, 256, entries);
    EXPECT_EQ(count, c.entries);
    for (UINT i = 0; i < count; ++i) {
      EXPECT_EQ(entries[i].peBlue, i);
      EXPECT_EQ(entries[i].peRed, 2);
    }
    DeleteObject(palette);
  }
}

}  // namespace
