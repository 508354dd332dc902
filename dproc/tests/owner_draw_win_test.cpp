// Owner-drawn backgrounds, bitmap sizes, pictures with their text and the
// switch pictures, on memory DCs with the image library's bitmaps.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "dproc/sheets/owner_draw_win.h"
#include "tests/support/canvas_win.h"
#include "tests/support/test_paths.h"

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

class Images {
 public:
  Images() {
    const std::string path = testsupport::BinaryPath("bin/VELDRANW.DLL");
    module_ = LoadLibraryW(std::wstring(path.begin(), path.end()).c_str());
  }
  ~Images() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  HMODULE get() const { return module_; }

 private:
  HMODULE module_ = nullptr;
};

// A 32 x 32 picture with its overlay: the overlay's red cross lies over the
// picture's white sheet.
TEST(OwnerDraw, MaskedBitmapTextDrawsTheOverlayOverThePicture) {
  Images images;
  ASSERT_NE(images.get(), nullptr);
  const POINT onCross{2 + 15, 4 + 15};  // picture at (2, 4) in a 40-pixel-high item
  for (bool overlay : {false, true}) {
    testsupport::Canvas canvas(120, 40, 0xFFFFFF);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_COMBOBOX;
    item.hDC = canvas.dc();
    item.rcItem = RECT{0, 0, 120, 40};
    DrawMaskedBitmapText(&item, images.get(), 767, 768, 0, L"Print", overlay ? 779 : 0, overlay ? 780 : 0);
    EXPECT_EQ(canvas.At(onCross.x, onCross.y), overlay ? 0xFF0000u : 0xFFFFFFu) << overlay;
    EXPECT_EQ(canvas.At(2 + 8, 4 + 14), 0x000000u) << "the sheet's black edge";
    const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
    const uint32_t textColour = (GetRValue(ink) << 16) | (GetGValue(ink) << 8) | GetBValue(ink);
    int text = 0;
    for (int x = 40; x < 110; ++x) {
      for (int y = 10; y < 30; ++y) text += canvas.At(x, y) == textColour;
    }
    EXPECT_GT(text, 10) << "the text right of the picture";
  }
}

// The switch pictures: blank, off (an empty box), on (a ticked box), 15 x 15
// each, drawn transparently where they are blank.
TEST(OwnerDraw, StateImageListHoldsTheThreeSwitchPictures) {
  Images images;
  ASSERT_NE(images.get(), nullptr);
  EXPECT_EQ(CreateStateImageList(nullptr), nullptr);
  HIMAGELIST list = CreateStateImageList(images.get());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(list), 3);
  int cx = 0, cy = 0;
  ImageList_GetIconSize(list, &cx, &cy);
  EXPECT_EQ(cx, 15);
  EXPECT_EQ(cy, 15);
  testsupport::Canvas canvas(60, 20, 0x808080);
  for (int i = 0; i < 3; ++i) ImageList_Draw(list, i, canvas.dc(), 20 * i, 0, ILD_TRANSPARENT);
  EXPECT_EQ(canvas.At(7, 7), 0x808080u) << "blank: the background shows";
  EXPECT_EQ(canvas.At(20 + 1, 1), 0x000000u) << "off: the box";
  EXPECT_EQ(canvas.At(20 + 7, 7), 0xFFFFFFu) << "off: empty inside";
  EXPECT_EQ(canvas.At(40 + 1, 1), 0x000000u) << "on: the box";
  int green = 0;
  for (int x = 42; x < 54; ++x) {
    for (int y = 2; y < 13; ++y) {
      const uint32_t c = canvas.At(x, y);
      green += ((c >> 8) & 0xFF) > 100 && (c >> 16) < 60;
    }
  }
  EXPECT_GT(green, 5) << "on: the tick";
  ImageList_Destroy(list);
}

}  // namespace
