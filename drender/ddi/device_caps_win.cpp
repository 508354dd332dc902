// Device capabilities and device information of a PDEV.
#include "drender/ddi/device_caps.h"

#include <cstring>
#include <cwchar>

namespace {

constexpr COLORINFO kColorInfo = {
    {6810, 3050, 0}, {2260, 6550, 0}, {1810, 500, 0},  {2000, 2450, 0}, {5210, 2100, 0},
    {4750, 5100, 0}, {3324, 3474, 10000}, 10000, 10000, 10000, 1422, 952, 787, 495, 324, 248,
};

void SetFace(LOGFONTW& font, const wchar_t* face) {
  wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  font.lfFaceName[LF_FACESIZE - 1] = 0;
}

}  // namespace

const COLORINFO& Rdc_DeviceColorInfo() { return kColorInfo; }

void Rdc_BuildDefaultFonts(LOGFONTW fonts[3], uint32_t resolutionX) {
  LOGFONTW base{};
  base.lfHeight = -static_cast<LONG>((12 * resolutionX + 71) / 72);
  base.lfWeight = FW_NORMAL;
  base.lfOutPrecision = 2;
  base.lfClipPrecision = 1;
  fonts[0] = base;
  fonts[0].lfCharSet = 128;
  fonts[0].lfPitchAndFamily = 0x11;
  SetFace(fonts[0], L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF");
  fonts[1] = base;
  fonts[1].lfCharSet = 0;
  fonts[1].lfPitchAndFamily = 0x22;
  SetFace(fonts[1], L"Helvetica");
  fonts[2] = base;
  fonts[2].lfCharSet = 0;
  fonts[2].lfPitchAndFamily = 0x31;
  SetFace(fonts[2], L"Courier");
}

void Rdc_FillGdiInfo(const DeviceCapsInput& in, void* buffer, ULONG size) {
  if (!buffer) return;
  std::memset(buffer, 0, size);
  if (!in.frame) return;
  GDIINFO info{};
  const PageFrame& f = *in.frame;
  info.ulVersion = GDI_DRIVER_VERSION_0x400;
  info.ulTechnology = DT_RASPRINTER_VALUE;
  info.ulHorzSize = f.printableWidth / 10;
  info.ulVertSize = f.printableHeight / 10;
  info.ulHorzRes = f.printableWidthDots;
  info.ulVertRes = f.printableHeightDots;
  info.cBitsPixel = 24;
  info.cPlanes = 1;
  info.ulNumColors = 0xFFFFFF;
  info.flRaster = 0;
  bool portrait = in.orientation == 1;
  info.ulLogPixelsX = portrait ? in.resolutionX : in.resolutionY;
  info.ulLogPixelsY = portrait ? in.resolutionY : in.resolutionX;
  info.flTextCaps = 0x419;
  info.ulAspectX = info.ulLogPixelsX;
  info.ulAspectY = info.ulLogPixelsY;
  info.ulAspectXY = in.aspect;
  info.xStyleStep = 1;
  info.yStyleStep = 1;
  info.denStyleStep = static_cast<LONG>(info.ulLogPixelsX / 50);
  info.ptlPhysOffset = POINTL{static_cast<LONG>(f.leftDots), static_cast<LONG>(f.topDots)};
  info.szlPhysSize = SIZEL{static_cast<LONG>(f.paperWidthDots), static_cast<LONG>(f.paperHeightDots)};
  info.ciDevice = kColorInfo;
  info.ulHTPatternSize = HT_PATSIZE_8x8_M;
  info.ulHTOutputFormat = HT_FORMAT_24BPP;
  info.flHTFlags = HT_FLAG_HAS_BLACK_DYE;
  std::memcpy(buffer, &info, size < sizeof(info) ? size : sizeof(info));
}

FLONG Rdc_GraphicsCaps(const DevInfoInput& in) {
  FLONG caps = GCAPS_BEZIERS | GCAPS_ALTERNATEFILL | GCAPS_WINDINGFILL | GCAPS_HALFTONE | GCAPS_OPAQUERECT;
  bool dontJournal = in.emfSpoolOff && !in.overlayCreate;
  if (in.windows6OrLater && in.watermarkOrCover) dontJournal = false;
  if (dontJournal) caps |= GCAPS_DONTJOURNAL;
  return caps;
}

void Rdc_FillDevInfo(const DevInfoInput& in, void* buffer, ULONG size) {
  if (!buffer) return;
  std::memset(buffer, 0, size);
  DEVINFO info{};
  info.flGraphicsCaps = Rdc_GraphicsCaps(in);
  if (in.fonts) {
    info.lfDefaultFont = in.fonts[0];
    info.lfAnsiVarFont = in.fonts[1];
    info.lfAnsiFixFont = in.fonts[2];
  }
  info.cFonts = 0;
  info.iDitherFormat = BMF_24BPP;
  info.hpalDefault = in.palette;
  std::memcpy(buffer, &info, size < sizeof(info) ? size : sizeof(info));
}
