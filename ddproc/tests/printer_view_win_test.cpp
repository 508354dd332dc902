// The printer view drawn into a bitmap: its layers land centred in the
// caller's rectangle, the rest of the target stays as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "common/contracts/ddproc_sheet_functions_win.h"
#include "ddproc/tests/device_fixture.h"
#include "ddproc/tests/library_dir_win.h"
#include "tests/support/canvas_win.h"

namespace {

using ddtest::Library;

// The canvas starts in a marker colour, so that what is left alone shows.
class Canvas : public testsupport::Canvas {
 public:
  Canvas(int w, int h) : testsupport::Canvas(w, h, 0x123456) {}
  uint32_t Pixel(int x, int y) const { return At(x, y); }
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

// Every bitmap the library carries, with its size and depth: the printer
// layers, the media pictures, the hard-disk marks and the logo.
TEST(PrinterViewDrawing, TheLibraryCarriesEveryPicture) {
  struct Range {
    int first, last, width, height, bits;
  };
  const Range ranges[] = {{101, 107, 180, 120, 8}, {111, 122, 180, 120, 8}, {161, 163, 180, 120, 8},
                          {165, 175, 180, 120, 8}, {176, 176, 180, 120, 24}, {177, 185, 180, 120, 8},
                          {131, 138, 200, 200, 8}, {141, 160, 200, 200, 8}, {201, 202, 39, 17, 4},
                          {502, 502, 176, 120, 24}};
  for (const Range& r : ranges) {
    for (int id = r.first; id <= r.last; ++id) {
      HRSRC found = FindResourceW(Library().module(), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2));  // RT_BITMAP
      ASSERT_NE(found, nullptr) << id;
      const auto* info = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(Library().module(), found)));
      ASSERT_NE(info, nullptr) << id;
      EXPECT_EQ(info->biWidth, r.width) << id;
      EXPECT_EQ(std::abs(info->biHeight), r.height) << id;
      EXPECT_EQ(info->biBitCount, r.bits) << id;
    }
  }
  for (int id : {500, 501, 503}) {
    EXPECT_EQ(FindResourceW(Library().module(), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2)), nullptr) << id;
  }
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
