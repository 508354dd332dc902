// Device capabilities and device information of a PDEV.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "drender/ddi/device_caps.h"

namespace {

// A4 at 600 dpi with 4.2 mm margins all round.
constexpr PageFrame kA4 = {2100, 2970, 2016, 2886, 4960, 7015, 4762, 6817, 99, 99};

TEST(GdiInfoTest, PortraitValues) {
  GDIINFO info;
  Rdc_FillGdiInfo(DeviceCapsInput{&kA4, 600, 300, 670, 1}, &info, sizeof(info));
  EXPECT_EQ(info.ulVersion, 0x400u);
  EXPECT_EQ(info.ulTechnology, 2u);
  // Sizes in whole millimetres and dots of the printable area, the page in
  // dots and its offset come from the frame; the resolution and aspect from
  // the input; a style step is a fiftieth of an inch.
  EXPECT_EQ(info.ulHorzSize, kA4.printableWidth / 10);
  EXPECT_EQ(info.ulVertSize, kA4.printableHeight / 10);
  EXPECT_EQ(info.ulHorzRes, kA4.printableWidthDots);
  EXPECT_EQ(info.ulVertRes, kA4.printableHeightDots);
  EXPECT_EQ(info.ulLogPixelsX, 600u);
  EXPECT_EQ(info.ulLogPixelsY, 300u);
  EXPECT_EQ(info.ulAspectX, info.ulLogPixelsX);
  EXPECT_EQ(info.ulAspectXY, 670u);
  EXPECT_EQ(info.denStyleStep, static_cast<LONG>(info.ulLogPixelsX / 50));
  EXPECT_EQ(info.ptlPhysOffset.x, static_cast<LONG>(kA4.leftDots));
  EXPECT_EQ(info.szlPhysSize.cy, static_cast<LONG>(kA4.paperHeightDots));
  EXPECT_EQ(info.flTextCaps, 0x419u);
  EXPECT_EQ(info.ciDevice.AlignmentWhite.Y, 10000);
  EXPECT_EQ(info.ciDevice.MagentaInYellowDye, 248);
  EXPECT_EQ(info.ulHTPatternSize, 7u);
  EXPECT_EQ(info.ulHTOutputFormat, 6u);
  EXPECT_EQ(info.flHTFlags, 2u);
  EXPECT_EQ(info.ulVRefresh, 0u);
}

TEST(GdiInfoTest, LandscapeSwapsTheResolutions) {
  GDIINFO info;
  Rdc_FillGdiInfo(DeviceCapsInput{&kA4, 600, 300, 670, 2}, &info, sizeof(info));
  EXPECT_EQ(info.ulLogPixelsX, 300u);
  EXPECT_EQ(info.ulLogPixelsY, 600u);
  EXPECT_EQ(info.ulAspectY, info.ulLogPixelsY);
  EXPECT_EQ(info.denStyleStep, static_cast<LONG>(info.ulLogPixelsX / 50));
}

TEST(GdiInfoTest, BufferSizes) {
  GDIINFO full;
  Rdc_FillGdiInfo(DeviceCapsInput{&kA4, 600, 600, 848, 1}, &full, sizeof(full));
  for (ULONG size : {100u, 400u}) {
    std::vector<uint8_t> buffer(400, 0xCC);
    Rdc_FillGdiInfo(DeviceCapsInput{&kA4, 600, 600, 848, 1}, buffer.data(), size);
    size_t copied = size < sizeof(GDIINFO) ? size : sizeof(GDIINFO);
    EXPECT_EQ(0, std::memcmp(buffer.data(), &full, copied)) << size;
    for (size_t i = copied; i < size; ++i) ASSERT_EQ(buffer[i], 0) << size << " at " << i;
    for (size_t i = size; i < buffer.size(); ++i) ASSERT_EQ(buffer[i], 0xCC) << size << " at " << i;
  }
}

TEST(DevInfoTest, DefaultFontsAtSixHundredDots) {
  LOGFONTW fonts[3];
  Rdc_BuildDefaultFonts(fonts, 600);
  for (const LOGFONTW& f : fonts) {
    EXPECT_EQ(f.lfHeight, -100);
    EXPECT_EQ(f.lfWeight, 400);
    EXPECT_EQ(f.lfOutPrecision, 2);
    EXPECT_EQ(f.lfClipPrecision, 1);
  }
  EXPECT_EQ(fonts[0].lfCharSet, 128);
  EXPECT_EQ(fonts[0].lfPitchAndFamily, 0x11);
  EXPECT_EQ(wcslen(fonts[0].lfFaceName), 7u);
  EXPECT_STREQ(fonts[1].lfFaceName, L"Helvetica");
  EXPECT_EQ(fonts[2].lfPitchAndFamily, 0x31);
  Rdc_BuildDefaultFonts(fonts, 300);
  EXPECT_EQ(fonts[0].lfHeight, -50);
  Rdc_BuildDefaultFonts(fonts, 203);  // 12 * 203 / 72 = 33.8: rounded up
  EXPECT_EQ(fonts[0].lfHeight, -34);
}

TEST(DevInfoTest, DontJournalRules) {
  struct Case {
    bool emfOff, overlay, watermark, vista;
    bool dontJournal;
  } cases[] = {
      {true, false, false, false, true},  {true, false, false, true, true},   {false, false, false, true, false},
      {true, true, false, false, false},  {true, false, true, false, true},   {true, false, true, true, false},
  };
  for (const Case& c : cases) {
    DevInfoInput in{c.emfOff, c.overlay, c.watermark, c.vista, nullptr, nullptr};
    FLONG caps = Rdc_GraphicsCaps(in);
    EXPECT_EQ(caps & ~GCAPS_DONTJOURNAL, 0x11Du);
    EXPECT_EQ((caps & GCAPS_DONTJOURNAL) != 0, c.dontJournal)
        << c.emfOff << c.overlay << c.watermark << c.vista;
  }
}

TEST(DevInfoTest, Fields) {
  LOGFONTW fonts[3];
  Rdc_BuildDefaultFonts(fonts, 600);
  HPALETTE palette = reinterpret_cast<HPALETTE>(0x1234);
  std::vector<uint8_t> buffer(400, 0xCC);
  Rdc_FillDevInfo(DevInfoInput{false, false, false, false, fonts, palette}, buffer.data(), 400);
  DEVINFO info;
  std::memcpy(&info, buffer.data(), sizeof(info));
  EXPECT_EQ(info.flGraphicsCaps, 0x11Du);
  EXPECT_EQ(0, std::memcmp(&info.lfAnsiFixFont, &fonts[2], sizeof(LOGFONTW)));
  EXPECT_EQ(info.cFonts, 0u);
  EXPECT_EQ(info.iDitherFormat, 5u);
  EXPECT_EQ(info.hpalDefault, palette);
  EXPECT_EQ(info.flGraphicsCaps2, 0u);
  for (size_t i = sizeof(DEVINFO); i < 400; ++i) ASSERT_EQ(buffer[i], 0) << i;
}

}  // namespace
