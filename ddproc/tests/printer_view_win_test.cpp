// The printer view drawn into a bitmap: its layers land centred in the
// caller's rectangle, the rest of the target stays as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "common/contracts/ddproc_sheet_functions_win.h"
#include "ddproc/tests/device_fixture.h"
#include "ddproc/tests/library_dir_win.h"

namespace {

using ddtest::Library;

class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    for (int i = 0; i < width * height; ++i) bits_[i] = 0x00123456;  // a marker colour
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  // 0x00RRGGBB
  uint32_t Pixel(int x, int y) const {
    GdiFlush();
    return bits_[y * width_ + x] & 0xFFFFFF;
  }

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  uint32_t* bits_ = nullptr;
};

TEST(PrinterViewDrawing, LayersLandInTheRectangle) {
  auto draw = Library().Bind<DrawPrinterViewProc>("DrawPrinterView");
  ASSERT_NE(draw, nullptr);
  ddtest::DeviceOptions options;
  options.Add("OpHDD", {"DisOpHDD", "EnaOpHDD"}, 0);
  PrinterViewOptions request{};
  request.documentSheet = 1;
  request.deviceOptions = options.list();
  request.deviceOption = options.option();
  std::strcpy(request.inTrayKeyword, "InTray1");

  Canvas canvas(300, 200);
  const RECT area = {20, 30, 200, 150};  // 180 x 120 at (20, 30)
  draw(canvas.dc(), &area, &request);
  // Outside the rectangle nothing changed.
  EXPECT_EQ(canvas.Pixel(5, 5), 0x123456u);
  EXPECT_EQ(canvas.Pixel(250, 100), 0x123456u);
  // The rectangle's corner is white, the body light grey, and the tray
  // highlight (red) ANDed onto the body.
  EXPECT_EQ(canvas.Pixel(21, 31), 0xFFFFFFu);
  EXPECT_EQ(canvas.Pixel(20 + 90, 30 + 55), 0xC0C0C0u);
  EXPECT_EQ(canvas.Pixel(20 + 56, 30 + 69), 0xC00000u);
  // The mark of a missing hard disk at the top right: its grey frame.
  EXPECT_EQ(canvas.Pixel(20 + 134, 30 + 8), 0x808080u);

  // Without the show flag no highlight; with a hard disk the other mark.
  options.option()->optionValues[0] = 1;
  request.documentSheet = 0;
  Canvas plain(300, 200);
  draw(plain.dc(), &area, &request);
  EXPECT_EQ(plain.Pixel(20 + 56, 30 + 69), 0xC0C0C0u);
  EXPECT_EQ(plain.Pixel(20 + 135, 30 + 9), 0x000080u);
}

TEST(PrinterViewDrawing, VersionLogoIsCentred) {
  auto logo = Library().Bind<DrawLogoVersionTabFn>("DrawLogoVersionTab");
  auto image = Library().Bind<DrawLogoImageFn>("DrawLogoImage");
  ASSERT_NE(logo, nullptr);
  ASSERT_NE(image, nullptr);
  Canvas canvas(300, 200);
  EXPECT_TRUE(logo(canvas.dc(), nullptr, 150, 100));
  // 176 x 120 centred on (150, 100): navy from (62 + 8, 40 + 30).
  EXPECT_EQ(canvas.Pixel(62 + 10, 40 + 32), 0x000080u);
  EXPECT_EQ(canvas.Pixel(62 + 2, 40 + 2), 0xFFFFFFu);
  EXPECT_EQ(canvas.Pixel(60, 38), 0x123456u);
  // The sheets' logo pair is not carried: nothing is drawn.
  Canvas other(300, 200);
  EXPECT_FALSE(image(other.dc(), nullptr, nullptr, 6));
  EXPECT_EQ(other.Pixel(150, 100), 0x123456u);
}

}  // namespace
