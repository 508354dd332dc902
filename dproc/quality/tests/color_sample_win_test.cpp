// The colour pages' sample pictures drawn under Wine into a 24-bit bitmap
// over a blue background: the pixels of the image library's pictures after
// each slider's change, and the background kept outside their masks.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>

#include "dproc/quality/color_sample_win.h"
#include "tests/support/dialog_kit_win.h"

namespace {

using Pixel = std::array<int, 3>;  // red, green, blue

class ColorSamplePicture : public ::testing::Test {
 protected:
  void SetUp() override {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kSize, -kSize, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    ASSERT_NE(bitmap_, nullptr);
    old_ = SelectObject(dc_, bitmap_);
    UseSystemHlsForSamples(false);
  }
  void TearDown() override {
    UseSystemHlsForSamples(true);
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  // Draws a picture with the given slider values into the 60 x 60 item
  // (the 48 x 48 picture lands at 6, 6).
  void Draw(int picture, int mask, int brightness, int contrast, int chroma) {
    RECT all = {0, 0, kSize, kSize};
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(dc_, &all, blue);
    DeleteObject(blue);
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.hDC = dc_;
    item.rcItem = all;
    DrawColorSamplePicture(&item, kit_.Images(), picture, mask, brightness, contrast, chroma);
    GdiFlush();
  }
  // A pixel of the picture, at its own coordinates.
  Pixel At(int x, int y) {
    const uint8_t* p = bits_ + (6 + y) * kStride + (6 + x) * 3;
    return {p[2], p[1], p[0]};
  }
  Pixel Outside() {
    const uint8_t* p = bits_;
    return {p[2], p[1], p[0]};
  }

  static constexpr int kSize = 60, kStride = 180;
  testsupport::DialogKit kit_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint8_t* bits_ = nullptr;
};

constexpr Pixel kBlue = {0, 0, 255};

// The contrast sample: a black half, a white half and a dark grey frame (66,
// the nearest grey of the 8-bit palette), on
// a picture whose empty corners are black too, so that its median
// lightness is black.
TEST_F(ColorSamplePicture, ContrastAndBrightnessChangeThePixelsAsTheCurveSays) {
  const Pixel black = {0, 0, 0}, white = {255, 255, 255}, frame = {66, 66, 66};
  struct Case {
    int brightness, contrast;
    Pixel dark, light, edge;
  } cases[] = {
      {0, 0, black, white, frame},                                     // as stored
      {9, 0, {100, 100, 100}, white, {166, 166, 166}},                 // +100 on every level
      {0, 9, white, white, white},                                     // black below the median, white from it
      {0, -9, black, black, black},                                    // every level is the median
      {-9, 0, black, {155, 155, 155}, black},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "brightness " << c.brightness << ", contrast " << c.contrast);
    Draw(kContrastSample, kContrastSampleMask, c.brightness, c.contrast, 0);
    EXPECT_EQ(At(10, 20), c.dark);
    EXPECT_EQ(At(34, 20), c.light);
    EXPECT_EQ(At(4, 20), c.edge);
    EXPECT_EQ(Outside(), kBlue);
    EXPECT_EQ(At(1, 1), kBlue);  // the picture's empty corner shows the background
  }
}

TEST_F(ColorSamplePicture, ChromaTakesTheSaturationOutOrIn) {
  Draw(kChromaSample, kChromaSampleMask, 0, 0, -9);
  EXPECT_EQ(At(20, 8), (Pixel{255, 255, 255}));  // the red band's value
  EXPECT_EQ(At(20, 22), (Pixel{204, 204, 204}));  // the green band's
  Draw(kChromaSample, kChromaSampleMask, 0, 0, 9);
  EXPECT_EQ(At(20, 8), (Pixel{255, 0, 0}));
  EXPECT_EQ(At(20, 22), (Pixel{0, 204, 0}));
  // The system's HLS model gives greys too, of its own lightness.
  UseSystemHlsForSamples(true);
  Draw(kChromaSample, kChromaSampleMask, 0, 0, -9);
  const Pixel green = At(20, 22);
  EXPECT_NEAR(green[0], green[1], 8);
  EXPECT_NEAR(green[1], green[2], 8);
  EXPECT_EQ(Outside(), kBlue);
}

TEST_F(ColorSamplePicture, AMissingPictureDrawsNothing) {
  Draw(64999, kContrastSampleMask, 0, 0, 0);
  EXPECT_EQ(At(10, 20), kBlue);
  Draw(kContrastSample, 64999, 0, 0, 0);
  EXPECT_EQ(At(10, 20), kBlue);
}

}  // namespace
