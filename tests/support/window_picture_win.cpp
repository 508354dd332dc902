#include "tests/support/window_picture_win.h"

#include <unordered_map>

#include "tests/support/png_writer.h"

namespace testsupport {

bool CaptureWindow(HWND window, WindowPicture* out) {
  RECT r;
  if (!GetWindowRect(window, &r)) return false;
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool done = false;
  if (dib != nullptr) {
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    out->width = w;
    out->height = h;
    out->pixels.assign(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + static_cast<size_t>(w) * h);
    SelectObject(memory, old);
    DeleteObject(dib);
    done = true;
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return done;
}

bool IsBlankPicture(const WindowPicture& picture) {
  std::unordered_map<uint32_t, size_t> counts;
  for (uint32_t p : picture.pixels) ++counts[p & 0xFFFFFFu];
  size_t most = 0;
  for (const auto& [colour, count] : counts) {
    if (count > most) most = count;
  }
  const size_t others = picture.pixels.size() - most;
  return counts.size() < 2 || others * 200 < picture.pixels.size();
}

bool SaveWindowPng(HWND window, const std::string& path, WindowPicture* picture) {
  WindowPicture own;
  WindowPicture* p = picture != nullptr ? picture : &own;
  return CaptureWindow(window, p) && WritePng(path, p->width, p->height, p->pixels);
}

}  // namespace testsupport
