// The printer view of the sheets' preview area and the logos: bitmaps of
// this library stacked with AND, so white is transparent.
#include <windows.h>

#include <cstdlib>
#include <type_traits>

#include "common/contracts/ddproc_sheet_functions_win.h"
#include "common/win/export_guard.h"
#include "ddproc/startup/ddproc_module_win.h"
#include "ddproc/view/printer_view.h"

namespace {

// A bitmap of this library, freed when it goes out of scope.
class OwnBitmap {
 public:
  explicit OwnBitmap(int id)
      : bitmap_(static_cast<HBITMAP>(LoadImageW(DDProcModule(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0))) {
    if (bitmap_ != nullptr && GetObjectW(bitmap_, sizeof info_, &info_) == 0) info_ = BITMAP{};
  }
  ~OwnBitmap() {
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
  }
  OwnBitmap(const OwnBitmap&) = delete;
  OwnBitmap& operator=(const OwnBitmap&) = delete;
  HBITMAP get() const { return bitmap_; }
  int width() const { return info_.bmWidth; }
  int height() const { return info_.bmHeight; }

 private:
  HBITMAP bitmap_;
  BITMAP info_{};
};

// Copies a bitmap onto the target at (left, top) with `rop`.
BOOL Blit(HDC target, const OwnBitmap& bitmap, int left, int top, DWORD rop) {
  HDC source = CreateCompatibleDC(target);
  if (source == nullptr) return FALSE;
  HGDIOBJ old = SelectObject(source, bitmap.get());
  const BOOL done = BitBlt(target, left, top, bitmap.width(), bitmap.height(), source, 0, 0, rop);
  SelectObject(source, old);
  DeleteDC(source);
  return done;
}

// ANDs the bitmap onto the target with its centre on (x, y); a bitmap that
// cannot be loaded is skipped.
BOOL BlendBitmapAt(HDC target, int x, int y, int id, BOOL last) {
  OwnBitmap bitmap(id);
  if (bitmap.get() == nullptr) return last;
  return Blit(target, bitmap, x - bitmap.width() / 2, y - bitmap.height() / 2, SRCAND);
}

// The picture into `target`, whose area is the rectangle `area`.
BOOL ComposeView(HDC target, const RECT& area, const PrinterViewOptions& request) {
  const int width = std::abs(area.right - area.left);
  const int height = std::abs(area.bottom - area.top);
  FillRect(target, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const int cx = area.left + width / 2, cy = area.top + height / 2;
  BOOL last = TRUE;
  for (int id : PrinterViewLayers(request)) last = BlendBitmapAt(target, cx, cy, id, last);
  OwnBitmap mark(PrinterViewDiskMark(request));
  if (mark.get() != nullptr) {
    const int right = area.left + width;
    last = BlendBitmapAt(target, right - mark.width() / 2 - kDiskMarkInset,
                         area.top + mark.height() / 2 + kDiskMarkInset, PrinterViewDiskMark(request), last);
  }
  return last;
}

RECT ControlRect(HWND dialog, int id) {
  RECT r = {};
  HWND control = GetDlgItem(dialog, id);
  if (control != nullptr) {
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  }
  return r;
}

}  // namespace

extern "C" {

BOOL DDPROC_CALL DrawPrinterView(HDC dc, const RECT* rect, const PrinterViewOptions* request) noexcept {
  return GuardExport("DrawPrinterView", BOOL{FALSE}, [&]() -> BOOL {
    if (dc == nullptr || rect == nullptr || request == nullptr) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    const int width = std::abs(rect->right - rect->left);
    const int height = std::abs(rect->bottom - rect->top);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP canvas = memory != nullptr ? CreateCompatibleBitmap(dc, width, height) : nullptr;
    if (memory == nullptr || canvas == nullptr) {
      if (memory != nullptr) DeleteDC(memory);
      return ComposeView(dc, *rect, *request);
    }
    // The picture is composed in the bitmap's own coordinates and copied to
    // the rectangle's corner.
    HGDIOBJ old = SelectObject(memory, canvas);
    const RECT local = {0, 0, width, height};
    ComposeView(memory, local, *request);
    const BOOL done = BitBlt(dc, rect->left < rect->right ? rect->left : rect->right,
                             rect->top < rect->bottom ? rect->top : rect->bottom, width, height, memory, 0, 0,
                             SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(canvas);
    DeleteDC(memory);
    return done;
  });
}

BOOL DDPROC_CALL DrawLogoImage(HDC dc, HWND dialog, void*, uint32_t layout) noexcept {
  return GuardExport("DrawLogoImage", BOOL{FALSE}, [&]() -> BOOL {
    OwnBitmap image(500), mask(501);
    if (image.get() == nullptr || mask.get() == nullptr || dc == nullptr || dialog == nullptr) return FALSE;
    if ((layout & 0xFFFF) == 6) {
      HWND moved = GetDlgItem(dialog, 1301);
      const RECT below = ControlRect(dialog, 1007);
      if (moved != nullptr) {
        const RECT r = ControlRect(dialog, 1301);
        SetWindowPos(moved, nullptr, r.left, below.top - (r.bottom - r.top), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
    }
    const RECT anchor = ControlRect(dialog, 1074);
    const int left = anchor.right - image.width();
    const int top = anchor.top - 8 - image.height();
    Blit(dc, mask, left, top, SRCPAINT);
    return Blit(dc, image, left, top, SRCAND);
  });
}

BOOL DDPROC_CALL DrawLogoVersionTab(HDC dc, void*, int32_t x, int32_t y) noexcept {
  return GuardExport("DrawLogoVersionTab", BOOL{FALSE}, [&]() -> BOOL {
    OwnBitmap image(502);
    if (image.get() == nullptr || dc == nullptr) return FALSE;
    const int left = x - image.width() / 2, top = y - image.height() / 2;
    OwnBitmap mask(503);
    if (mask.get() == nullptr) return Blit(dc, image, left, top, SRCCOPY);
    Blit(dc, mask, left, top, SRCPAINT);
    return Blit(dc, image, left, top, SRCAND);
  });
}

}  // extern "C"

static_assert(std::is_convertible_v<decltype(&DrawPrinterView), DrawPrinterViewProc>);
static_assert(std::is_convertible_v<decltype(&DrawLogoImage), DrawLogoImageFn>);
static_assert(std::is_convertible_v<decltype(&DrawLogoVersionTab), DrawLogoVersionTabFn>);
