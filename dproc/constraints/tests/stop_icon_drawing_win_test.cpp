// The stop icons under Wine: a bitmap larger than its icon control is drawn
// whole, scaled into the control, not cut at the control's edges.  The
// picture is checked pixel by pixel against the image library's bitmap
// pair sampled to the control's size.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "dproc/constraints/stop_icon_ids.h"
#include "dproc/constraints/stop_icons_win.h"
#include "tests/support/canvas_win.h"
#include "tests/support/test_paths.h"

namespace {

INT_PTR CALLBACK QuietProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A dialog in the dialogs' font with one owner-drawn icon button of
// 10 x 10 dialog units, as the templates give every stop icon.
std::vector<WORD> IconTemplate(WORD id) {
  std::vector<WORD> t;
  auto dword = [&](DWORD v) {
    t.push_back(LOWORD(v));
    t.push_back(HIWORD(v));
  };
  dword(WS_POPUP | DS_SETFONT);
  dword(0);
  t.push_back(1);
  for (WORD v : {0, 0, 60, 40}) t.push_back(v);
  t.push_back(0);
  t.push_back(0);
  t.push_back(0);
  t.push_back(8);
  for (wchar_t c : std::wstring(L"MS Shell Dlg")) t.push_back(c);
  t.push_back(0);
  if (t.size() % 2 != 0) t.push_back(0);
  dword(WS_CHILD | WS_VISIBLE | BS_OWNERDRAW);
  dword(0);
  for (WORD v : {10, 10, 10, 10}) t.push_back(v);
  t.push_back(id);
  t.push_back(0xFFFF);
  t.push_back(0x80);
  t.push_back(0);
  t.push_back(0);
  return t;
}

// A bitmap's pixels, 0x00RRGGBB, top row first.
std::vector<uint32_t> Pixels(HBITMAP bitmap, int* width, int* height) {
  BITMAP b = {};
  GetObjectW(bitmap, sizeof b, &b);
  *width = b.bmWidth;
  *height = b.bmHeight;
  std::vector<uint32_t> pixels(static_cast<size_t>(b.bmWidth) * b.bmHeight);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = b.bmWidth;
  info.bmiHeader.biHeight = -b.bmHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, bitmap, 0, b.bmHeight, pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  for (uint32_t& p : pixels) p &= 0xFFFFFF;
  return pixels;
}

TEST(StopIconDrawing, ABitmapLargerThanItsControlIsDrawnWholeAndScaled) {
  const std::string path = testsupport::BinaryPath("bin/VELDRANW.DLL");
  HMODULE images = LoadLibraryW(std::wstring(path.begin(), path.end()).c_str());
  ASSERT_NE(images, nullptr);
  SetStopIconImages(images);
  const WORD id = static_cast<WORD>(kStopIconControlIds[0]);
  const std::vector<WORD> layout = IconTemplate(id);
  HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                           reinterpret_cast<const DLGTEMPLATE*>(layout.data()), nullptr, QuietProc, 0);
  ASSERT_NE(dialog, nullptr);
  RECT client = {};
  GetClientRect(GetDlgItem(dialog, id), &client);
  const int cw = client.right, ch = client.bottom;

  HintEntry row = {};
  row.controlId = id;
  row.imageId = StopIconImageOf(id);
  row.maskId = static_cast<uint16_t>(row.imageId + 1);
  row.show = 1;
  HBITMAP imageBitmap = LoadBitmapW(images, MAKEINTRESOURCEW(row.imageId));
  HBITMAP maskBitmap = LoadBitmapW(images, MAKEINTRESOURCEW(row.maskId));
  ASSERT_NE(imageBitmap, nullptr);
  ASSERT_NE(maskBitmap, nullptr);
  int bw = 0, bh = 0, mw = 0, mh = 0;
  const std::vector<uint32_t> image = Pixels(imageBitmap, &bw, &bh);
  const std::vector<uint32_t> mask = Pixels(maskBitmap, &mw, &mh);
  DeleteObject(imageBitmap);
  DeleteObject(maskBitmap);
  ASSERT_EQ(bw, mw);
  ASSERT_EQ(bh, mh);
  ASSERT_TRUE(bw > cw || bh > ch) << "the bitmap " << bw << "x" << bh << " fits its control " << cw << "x" << ch;

  testsupport::Canvas canvas(cw, ch, 0xFFFFFF);
  DRAWITEMSTRUCT item = {};
  item.CtlType = ODT_BUTTON;
  item.CtlID = id;
  item.itemAction = ODA_DRAWENTIRE;
  item.hwndItem = GetDlgItem(dialog, id);
  item.hDC = canvas.dc();
  item.rcItem = client;
  DrawMaskedIconBitmap(dialog, &item, &row);

  // The whole bitmap in the largest area of its proportions the control
  // holds: every pixel of it white where the pair leaves the background
  // white, not white where it paints.
  const double scale = std::min(static_cast<double>(cw) / bw, static_cast<double>(ch) / bh);
  const int w = static_cast<int>(bw * scale + 0.5), h = static_cast<int>(bh * scale + 0.5);
  int agree = 0, painted = 0, paintedRight = 0, paintedBottom = 0;
  for (int y = 0; y < h && y < ch; ++y) {
    for (int x = 0; x < w && x < cw; ++x) {
      const size_t at = static_cast<size_t>(y * bh / h) * bw + static_cast<size_t>(x * bw / w);
      const bool expectPaint = ((0xFFFFFF & mask[at]) ^ image[at]) != 0xFFFFFF;
      const bool paint = canvas.At(x, y) != 0xFFFFFF;
      agree += expectPaint == paint;
      if (expectPaint) {
        ++painted;
        paintedRight = std::max(paintedRight, x);
        paintedBottom = std::max(paintedBottom, y);
      }
    }
  }
  ASSERT_GT(painted, 0);
  // (Sampling may round a pixel either way at the bitmap's edges.)
  EXPECT_GE(agree * 10, w * h * 8) << agree << " of " << w * h << " pixels as the scaled bitmap";
  // What stands at the bitmap's right and bottom edges is in the picture.
  int drawnRight = 0, drawnBottom = 0;
  for (int y = 0; y < ch; ++y) {
    for (int x = 0; x < cw; ++x) {
      if (canvas.At(x, y) == 0xFFFFFF) continue;
      drawnRight = std::max(drawnRight, x);
      drawnBottom = std::max(drawnBottom, y);
    }
  }
  EXPECT_LE(std::abs(drawnRight - paintedRight), 1);
  EXPECT_LE(std::abs(drawnBottom - paintedBottom), 1);
  DestroyWindow(dialog);
  FreeLibrary(images);
}

}  // namespace
