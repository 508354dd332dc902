#include "dproc/preview/paper_view_render_win.h"

#include <string>

#include "dproc/sheets/dialog_helpers.h"

namespace {

HBITMAP LoadPicture(HMODULE images, uint32_t id) {
  if (images == nullptr) return nullptr;
  return static_cast<HBITMAP>(LoadImageW(images, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0));
}

PlanSize PictureSize(void* context, uint32_t id) {
  auto* device = static_cast<PaperViewDevice*>(context);
  HBITMAP bitmap = LoadPicture(device->images(), id);
  if (bitmap == nullptr) return {0, 0};
  BITMAP info{};
  const bool ok = GetObjectW(bitmap, sizeof info, &info) != 0;
  DeleteObject(bitmap);
  return ok ? PlanSize{info.bmWidth, info.bmHeight} : PlanSize{0, 0};
}

PlanSize MeasureText(void* context, const PlanFontSpec& spec, const std::u16string& text) {
  auto* device = static_cast<PaperViewDevice*>(context);
  HGDIOBJ old = SelectObject(device->dc(), device->Font(spec));
  SIZE size{};
  GetTextExtentPoint32W(device->dc(), reinterpret_cast<const wchar_t*>(text.c_str()), static_cast<int>(text.size()), &size);
  SelectObject(device->dc(), old);
  return {size.cx, size.cy};
}

void Blit(HDC target, const PlanRect& r, HBITMAP bitmap, DWORD rop) {
  HDC source = CreateCompatibleDC(target);
  if (source == nullptr) return;
  HGDIOBJ old = SelectObject(source, bitmap);
  BitBlt(target, r.left, r.top, r.Width(), r.Height(), source, 0, 0, rop);
  SelectObject(source, old);
  DeleteDC(source);
}

void DrawPicture(HDC dc, HMODULE images, uint32_t id, const PlanRect& r, DWORD rop) {
  HBITMAP bitmap = LoadPicture(images, id);
  if (bitmap == nullptr) return;
  Blit(dc, r, bitmap, rop);
  DeleteObject(bitmap);
}

void Tile(HDC dc, HMODULE images, uint32_t id, const PlanRect& area) {
  HBITMAP bitmap = LoadPicture(images, id);
  if (bitmap == nullptr) return;
  BITMAP info{};
  GetObjectW(bitmap, sizeof info, &info);
  if (info.bmWidth > 0 && info.bmHeight > 0) {
    HRGN clip = CreateRectRgn(area.left, area.top, area.right, area.bottom);
    SelectClipRgn(dc, clip);
    for (int32_t y = area.top; y < area.bottom; y += info.bmHeight) {
      for (int32_t x = area.left; x < area.right; x += info.bmWidth) {
        Blit(dc, {x, y, x + info.bmWidth, y + info.bmHeight}, bitmap, SRCCOPY);
      }
    }
    SelectClipRgn(dc, nullptr);
    DeleteObject(clip);
  }
  DeleteObject(bitmap);
}

}  // namespace

void DrawSunkenFrame(HDC dc, const RECT& r) {
  HPEN shadow = CreatePen(PS_SOLID, 4, GetSysColor(COLOR_BTNSHADOW));
  HPEN light = CreatePen(PS_SOLID, 4, GetSysColor(COLOR_3DLIGHT));
  HGDIOBJ old = SelectObject(dc, shadow);
  for (int pass = 0; pass < 2; ++pass) {
    MoveToEx(dc, r.right - pass, r.top, nullptr);
    LineTo(dc, r.left, r.top);
    LineTo(dc, r.left, r.bottom);
  }
  SelectObject(dc, light);
  MoveToEx(dc, r.left, r.bottom, nullptr);
  LineTo(dc, r.right, r.bottom);
  LineTo(dc, r.right, r.top);
  SelectObject(dc, old);
  DeleteObject(shadow);
  DeleteObject(light);
}

PaperViewDevice::PaperViewDevice(HDC dc, HMODULE images) : dc_(dc), images_(images) {}

PaperViewDevice::~PaperViewDevice() {
  for (int i = 0; i < fontCount_; ++i) DeleteObject(fonts_[i].font);
}

HFONT PaperViewDevice::Font(const PlanFontSpec& spec) {
  for (int i = 0; i < fontCount_; ++i) {
    const PlanFontSpec& s = fonts_[i].spec;
    if (s.font == spec.font && s.height == spec.height && s.escapement == spec.escapement) return fonts_[i].font;
  }
  LOGFONTW lf{};
  if (spec.font == PlanFont::kLabel) {
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    lf.lfWeight = FW_BOLD;
  } else {
    lstrcpyW(lf.lfFaceName, L"Times New Roman");
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfEscapement = lf.lfOrientation = spec.escapement;
  }
  lf.lfHeight = spec.height;
  HFONT font = CreateFontIndirectW(&lf);
  if (fontCount_ == 8) {
    DeleteObject(fonts_[0].font);
    fonts_[0] = fonts_[--fontCount_];
  }
  fonts_[fontCount_++] = {spec, font};
  return font;
}

PaperViewEnv PaperViewDevice::Env() {
  return {PictureSize, MeasureText, this, GetDeviceCaps(dc_, LOGPIXELSY)};
}

namespace {

// Carries out the operations on `dc`, in the plan's coordinates.
void DrawPlanOps(PaperViewDevice& device, HDC dc, const PaperViewPlan& plan) {
  HMODULE images = device.images();
  for (const PaperViewOp& op : plan.ops) {
    switch (op.kind) {
      case PlanOpKind::kTile: Tile(dc, images, op.image, op.rect); break;
      case PlanOpKind::kBitmap: DrawPicture(dc, images, op.image, op.rect, op.rop); break;
      case PlanOpKind::kMaskedPair: {
        HBITMAP image = LoadPicture(images, op.image);
        HBITMAP mask = LoadPicture(images, op.mask);
        if (image != nullptr && mask != nullptr) {
          Blit(dc, op.rect, mask, SRCAND);
          Blit(dc, op.rect, image, SRCINVERT);
        }
        if (image != nullptr) DeleteObject(image);
        if (mask != nullptr) DeleteObject(mask);
        break;
      }
      case PlanOpKind::kText: {
        HGDIOBJ old = SelectObject(dc, device.Font(op.font));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, op.colour);
        const RECT clip{op.clip.left, op.clip.top, op.clip.right, op.clip.bottom};
        ExtTextOutW(dc, op.at.x, op.at.y, ETO_CLIPPED, &clip, reinterpret_cast<const wchar_t*>(op.text.c_str()),
                    static_cast<UINT>(op.text.size()), nullptr);
        SelectObject(dc, old);
        break;
      }
      case PlanOpKind::kTriangle: {
        HPEN pen = CreatePen(PS_SOLID, 0, RGB(255, 255, 255));
        HGDIOBJ oldPen = SelectObject(dc, pen);
        HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
        POINT points[3];
        for (int i = 0; i < 3; ++i) points[i] = {op.corners[i].x, op.corners[i].y};
        Polygon(dc, points, 3);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(pen);
        break;
      }
      case PlanOpKind::kSunkenFrame: {
        const RECT r{op.rect.left, op.rect.top, op.rect.right, op.rect.bottom};
        DrawSunkenFrame(dc, r);
        break;
      }
    }
  }
}

}  // namespace

void RenderPaperViewPlan(PaperViewDevice& device, const PaperViewPlan& plan, const RECT& control) {
  const int width = control.right - control.left, height = control.bottom - control.top;
  if (width <= 0 || height <= 0) return;
  HDC target = device.dc();
  HDC dc = CreateCompatibleDC(target);
  if (dc == nullptr) return;
  HBITMAP surface = CreateCompatibleBitmap(target, width, height);
  if (surface == nullptr) {
    DeleteDC(dc);
    return;
  }
  HGDIOBJ oldSurface = SelectObject(dc, surface);
  // The plan is in control coordinates.
  SetViewportOrgEx(dc, -control.left, -control.top, nullptr);
  RECT all{control.left, control.top, control.right, control.bottom};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawPlanOps(device, dc, plan);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  BitBlt(target, control.left, control.top, width, height, dc, 0, 0, SRCCOPY);
  SelectObject(dc, oldSurface);
  DeleteObject(surface);
  DeleteDC(dc);
}

void RenderPaperViewPlanDirect(PaperViewDevice& device, const PaperViewPlan& plan) {
  const int saved = SaveDC(device.dc());
  DrawPlanOps(device, device.dc(), plan);
  RestoreDC(device.dc(), saved);
}

void QualityViewPictures(int32_t colorSetting, uint32_t* image, uint32_t* mask) {
  struct Row {
    uint32_t image, mask;
  };
  static const Row kRows[10] = {{371, 372}, {371, 372}, {389, 390}, {393, 394}, {383, 384},
                                {401, 402}, {375, 376}, {371, 372}, {379, 380}, {1084, 1085}};
  const Row& row = (colorSetting >= 0 && colorSetting <= 9) ? kRows[colorSetting] : kRows[0];
  *image = row.image;
  *mask = row.mask;
}

namespace {

// The bytes of a DIB's colour table: biClrUsed entries when it names
// them, else 2, 16 or 256 for 1, 4 or 8 bits per pixel.
uint64_t ColourTableBytes(const BITMAPINFOHEADER& h) {
  uint64_t colours = h.biClrUsed;
  if (colours == 0 && h.biBitCount <= 8) colours = 1u << h.biBitCount;
  return colours * sizeof(RGBQUAD);
}

// A picture of the image library as a DIB, when its resource holds the
// whole of it: header, colour table and rows (a damaged one is not drawn).
const BITMAPINFO* FindDib(HMODULE images, uint32_t id) {
  if (images == nullptr) return nullptr;
  HRSRC found = FindResourceW(images, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2));  // RT_BITMAP
  const DWORD size = found != nullptr ? SizeofResource(images, found) : 0;
  if (size < sizeof(BITMAPINFOHEADER)) return nullptr;
  HGLOBAL loaded = LoadResource(images, found);
  const auto* info = loaded != nullptr ? static_cast<const BITMAPINFO*>(LockResource(loaded)) : nullptr;
  if (info == nullptr) return nullptr;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || h.biHeight == 0 || h.biCompression != BI_RGB ||
      h.biBitCount == 0 || h.biBitCount > 32 || h.biClrUsed > 256) {
    return nullptr;
  }
  const uint64_t stride = ((uint64_t(h.biWidth) * h.biBitCount + 31) / 32) * 4;
  const uint64_t rows = h.biHeight < 0 ? 0 - int64_t(h.biHeight) : int64_t(h.biHeight);
  return h.biSize + ColourTableBytes(h) + stride * rows <= size ? info : nullptr;
}

const void* DibBits(const BITMAPINFO* info) {
  return reinterpret_cast<const uint8_t*>(info) + info->bmiHeader.biSize + ColourTableBytes(info->bmiHeader);
}

}  // namespace

void DrawQualityView(HDC target, const RECT& rect, int32_t colorSetting, HMODULE images) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  HDC dc = CreateCompatibleDC(target);
  if (dc == nullptr) return;
  HBITMAP surface = CreateCompatibleBitmap(target, width, height);
  if (surface == nullptr) {
    DeleteDC(dc);
    return;
  }
  HGDIOBJ oldSurface = SelectObject(dc, surface);
  const RECT local{0, 0, width, height};
  FillRect(dc, &local, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawSunkenFrame(dc, local);
  uint32_t imageId = 0, maskId = 0;
  QualityViewPictures(colorSetting, &imageId, &maskId);
  const BITMAPINFO* image = FindDib(images, imageId);
  const BITMAPINFO* mask = FindDib(images, maskId);
  // On a palette display each picture is drawn with its own colours; the
  // finished picture goes out with the image's palette realised.
  HPALETTE imagePalette = nullptr;
  if (image != nullptr && mask != nullptr) {
    const int w = image->bmiHeader.biWidth, h = std::abs(image->bmiHeader.biHeight);
    const int x = width / 2 - w / 2, y = height / 2 - h / 2;
    HPALETTE maskPalette = CreateDibPalette(mask);
    imagePalette = CreateDibPalette(image);
    HPALETTE oldPalette = maskPalette != nullptr ? SelectPalette(dc, maskPalette, TRUE) : nullptr;
    if (maskPalette != nullptr) RealizePalette(dc);
    SetStretchBltMode(dc, COLORONCOLOR);
    const int mw = mask->bmiHeader.biWidth, mh = std::abs(mask->bmiHeader.biHeight);
    StretchDIBits(dc, x, y, mw, mh, 0, 0, mw, mh, DibBits(mask), mask, DIB_RGB_COLORS, SRCAND);
    if (imagePalette != nullptr) {
      HPALETTE previous = SelectPalette(dc, imagePalette, TRUE);
      if (oldPalette == nullptr) oldPalette = previous;
      RealizePalette(dc);
    }
    StretchDIBits(dc, x, y, w, h, 0, 0, w, h, DibBits(image), image, DIB_RGB_COLORS, SRCINVERT);
    if (oldPalette != nullptr) SelectPalette(dc, oldPalette, TRUE);
    if (maskPalette != nullptr) DeleteObject(maskPalette);
    DrawSunkenFrame(dc, local);
  }
  HPALETTE targetPalette = imagePalette != nullptr ? SelectPalette(target, imagePalette, FALSE) : nullptr;
  if (imagePalette != nullptr) RealizePalette(target);
  BitBlt(target, rect.left, rect.top, width, height, dc, 0, 0, SRCCOPY);
  if (targetPalette != nullptr) SelectPalette(target, targetPalette, FALSE);
  if (imagePalette != nullptr) DeleteObject(imagePalette);
  SelectObject(dc, oldSurface);
  DeleteObject(surface);
  DeleteDC(dc);
}
