#include "dproc/quality/color_sample_win.h"

#include <cstring>
#include <vector>

#include "dproc/quality/color_sample.h"
#include "dproc/sheets/dialog_helpers.h"

namespace {

bool g_useSystemHls = true;

using RgbToHlsFn = void(WINAPI*)(COLORREF, WORD*, WORD*, WORD*);
using HlsToRgbFn = COLORREF(WINAPI*)(WORD, WORD, WORD);

// The bytes of a bitmap resource: its header, colour table and rows.
struct Resource {
  const uint8_t* bytes = nullptr;
  size_t size = 0;
};
Resource FindBitmap(HMODULE images, int id) {
  Resource r;
  HRSRC found = images != nullptr ? FindResourceW(images, MAKEINTRESOURCEW(id), reinterpret_cast<LPCWSTR>(RT_BITMAP))
                                  : nullptr;
  HGLOBAL loaded = found != nullptr ? LoadResource(images, found) : nullptr;
  if (loaded == nullptr) return r;
  r.bytes = static_cast<const uint8_t*>(LockResource(loaded));
  r.size = r.bytes != nullptr ? SizeofResource(images, found) : 0;
  return r;
}

// The saturation change of an 8-bit picture's colour table: the system's
// HLS model when shlwapi has it, the hue/saturation/value one otherwise.
void ChangeSaturation(uint8_t* table, uint32_t entries, int32_t chroma) {
  HMODULE shlwapi = g_useSystemHls ? LoadLibraryW(L"shlwapi.dll") : nullptr;
  auto toHls = shlwapi != nullptr ? reinterpret_cast<RgbToHlsFn>(
                                        reinterpret_cast<void (*)()>(GetProcAddress(shlwapi, "ColorRGBToHLS")))
                                  : nullptr;
  auto toRgb = shlwapi != nullptr ? reinterpret_cast<HlsToRgbFn>(
                                        reinterpret_cast<void (*)()>(GetProcAddress(shlwapi, "ColorHLSToRGB")))
                                  : nullptr;
  if (toHls != nullptr && toRgb != nullptr) {
    for (uint32_t i = 0; i < entries; ++i) {
      uint8_t* e = table + size_t{i} * 4;
      WORD hue = 0, luminance = 0, saturation = 0;
      toHls(RGB(e[2], e[1], e[0]), &hue, &luminance, &saturation);
      const COLORREF c = toRgb(hue, luminance, static_cast<WORD>(HlsSaturationAfter(saturation, chroma)));
      e[0] = GetBValue(c);
      e[1] = GetGValue(c);
      e[2] = GetRValue(c);
    }
  } else {
    ChangeTableSaturationHsv(table, entries, chroma);
  }
  if (shlwapi != nullptr) FreeLibrary(shlwapi);
}

// Draws a bitmap's bytes at (x, y) at its own size with `rop`.
void DrawDib(HDC dc, const uint8_t* bytes, const SampleDibShape& s, int x, int y, DWORD rop) {
  StretchDIBits(dc, x, y, s.width, s.height, 0, 0, s.width, s.height, bytes + s.bitsAt,
                reinterpret_cast<const BITMAPINFO*>(bytes), DIB_RGB_COLORS, rop);
}

}  // namespace

void UseSystemHlsForSamples(bool use) { g_useSystemHls = use; }

void DrawColorSamplePicture(const DRAWITEMSTRUCT* item, HMODULE images, int pictureId, int maskId, int32_t brightness,
                            int32_t contrast, int32_t chroma) {
  if (item == nullptr) return;
  const Resource picture = FindBitmap(images, pictureId), mask = FindBitmap(images, maskId);
  const SampleDibShape maskShape = SampleDibShapeOf({const_cast<uint8_t*>(mask.bytes), mask.size});
  if (picture.bytes == nullptr || !maskShape.ok) return;
  // The copy the adjustments work on.
  std::vector<uint8_t> copy(picture.bytes, picture.bytes + picture.size);
  const SampleDib dib{copy.data(), copy.size()};
  const SampleDibShape shape = SampleDibShapeOf(dib);
  if (!shape.ok) return;
  const HDC dc = item->hDC;
  const int saved = SaveDC(dc);
  const int32_t b = ScaleSampleValue(brightness), c = ScaleSampleValue(contrast), s = ScaleSampleValue(chroma);
  const RECT& r = item->rcItem;
  const int width = r.right - r.left, height = r.bottom - r.top;
  const int x = r.left + width / 2 - shape.width / 2, y = r.top + height / 2 - shape.height / 2;
  const int maskX = r.left + width / 2 - maskShape.width / 2, maskY = r.top + height / 2 - maskShape.height / 2;
  uint8_t curve[768];
  BuildToneCurve(c, b, dib, curve);
  ApplyToneCurve(curve, dib);
  if (s != 0 && shape.bits == 8) ChangeSaturation(copy.data() + shape.tableAt, shape.colors, s);

  HPALETTE palette = CreateDibPalette(reinterpret_cast<const BITMAPINFO*>(copy.data()));
  HPALETTE previous = palette != nullptr ? SelectPalette(dc, palette, TRUE) : nullptr;
  if (palette != nullptr) RealizePalette(dc);
  SetStretchBltMode(dc, COLORONCOLOR);
  DrawDib(dc, copy.data(), shape, x, y, SRCINVERT);
  DrawDib(dc, mask.bytes, maskShape, maskX, maskY, SRCAND);
  DrawDib(dc, copy.data(), shape, x, y, SRCINVERT);
  if (palette != nullptr) {
    SelectPalette(dc, previous, TRUE);
    RealizePalette(dc);
    DeleteObject(palette);
  }
  RestoreDC(dc, saved);
}
