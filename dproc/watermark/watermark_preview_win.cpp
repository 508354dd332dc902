#include "dproc/watermark/watermark_preview_win.h"

#include <cstring>
#include <cwchar>

#include "common/records/doc_fields.h"
#include "dproc/preview/paper_view_render_win.h"
#include "dproc/preview/watermark_angles.h"
#include "dproc/watermark/preview_geometry.h"

namespace {

struct FaceSearch {
  const wchar_t* face;
  LOGFONTW found;
  bool matched;
};

int CALLBACK MatchFontFaceProc(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM data) {
  auto* search = reinterpret_cast<FaceSearch*>(data);
  if (std::wcscmp(font->lfFaceName, search->face) != 0) return 1;
  search->found = *font;
  search->matched = true;
  return 0;
}

// The display's LOGFONTW of `face`, or the default GUI font's.
LOGFONTW FindDisplayFontLogFont(const wchar_t* face) {
  FaceSearch search{face, {}, false};
  if (HDC dc = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr)) {
    EnumFontFamiliesW(dc, nullptr, MatchFontFaceProc, reinterpret_cast<LPARAM>(&search));
    DeleteDC(dc);
  }
  if (!search.matched) GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof search.found, &search.found);
  return search.found;
}

struct Watermark {
  int32_t angle;
  bool transparent;
  bool repeat;
  int32_t size;
};

// The text and its frame centred on `centre`.
void DrawWatermarkText(HDC dc, const WatermarkPreviewRecord& r, const Watermark& w, PreviewPoint centre, SIZE extent,
                       int32_t textHeight, COLORREF grey, int32_t squarePen) {
  const PreviewPoint origin = PreviewTextOrigin(centre, extent.cx, textHeight, w.angle);
  ExtTextOutW(dc, origin.x, origin.y, 0, nullptr, reinterpret_cast<const wchar_t*>(r.text),
              static_cast<UINT>(std::wcslen(reinterpret_cast<const wchar_t*>(r.text))), nullptr);
  if (r.frame != 2 && r.frame != 3) return;
  const std::vector<PreviewPoint> points = r.frame == 2
                                               ? PreviewCircleFrame(centre, extent.cx, textHeight, w.angle)
                                               : PreviewSquareFrame(centre, extent.cx, textHeight, w.angle);
  HPEN pen = CreatePen(PS_SOLID, r.frame == 2 ? 10 : squarePen, grey);
  HGDIOBJ old = SelectObject(dc, pen);
  static_assert(sizeof(PreviewPoint) == sizeof(POINT));
  Polyline(dc, reinterpret_cast<const POINT*>(points.data()), static_cast<int>(points.size()));
  SelectObject(dc, old);
  DeleteObject(pen);
}

void DrawWatermarkOnPage(HDC dc, const WatermarkPreviewRecord& r, const Watermark& w) {
  LOGFONTW logFont = r.font;
  logFont.lfHeight = -std::abs(logFont.lfHeight);
  HFONT font = CreateFontIndirectW(&logFont);
  HGDIOBJ oldFont = SelectObject(dc, font);
  const uint32_t grey = WatermarkGrey(r.color & 0x00FFFFFF, w.transparent);
  SetTextColor(dc, grey);
  SetBkMode(dc, TRANSPARENT);
  SIZE extent{};
  TEXTMETRICW metrics{};
  GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(r.text),
                        static_cast<int>(std::wcslen(reinterpret_cast<const wchar_t*>(r.text))), &extent);
  GetTextMetricsW(dc, &metrics);
  const int32_t pen = PreviewSquarePen(w.size);
  if (w.repeat) {
    const PreviewTileInput in{r.pageWidth, r.pageHeight, extent.cx, metrics.tmHeight, w.size,
                              r.frame,     w.angle,      r.posX,    r.posY};
    for (const PreviewPoint& centre : PreviewTileCentres(in)) {
      DrawWatermarkText(dc, r, w, centre, extent, metrics.tmHeight, grey, pen);
    }
  } else {
    DrawWatermarkText(dc, r, w, PreviewSingleCentre(r.pageWidth, r.pageHeight, r.posX, r.posY), extent,
                      metrics.tmHeight, grey, pen);
  }
  SelectObject(dc, oldFont);
  DeleteObject(font);
}

void DrawOverlayCornerMarks(HDC dc, const RECT& p) {
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
  HGDIOBJ old = SelectObject(dc, pen);
  const int corners[4][4] = {{p.left + 5, p.top + 8, 1, 1},
                             {p.right - 5, p.top + 8, -1, 1},
                             {p.left + 5, p.bottom - 8, 1, -1},
                             {p.right - 5, p.bottom - 8, -1, -1}};
  for (const auto& c : corners) {
    MoveToEx(dc, c[0], c[1], nullptr);
    LineTo(dc, c[0] + 12 * c[2], c[1]);
    MoveToEx(dc, c[0], c[1], nullptr);
    LineTo(dc, c[0], c[1] + 12 * c[3]);
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

}  // namespace

void SetWatermarkPreviewPaper(WatermarkPreviewRecord* record, int32_t width, int32_t height) {
  if (record == nullptr) return;
  record->paperWidth = width;
  record->paperHeight = height;
  record->pageWidth = PreviewPointsOf(width);
  record->pageHeight = PreviewPointsOf(height);
}

void SetupWatermarkFont(WatermarkPreviewRecord* record, const WaterMarkInfo* mark) {
  if (record == nullptr || mark == nullptr) return;
  std::memset(record->text, 0, sizeof record->text);
  std::memcpy(record->text, mark->szWmkStr, 63 * sizeof(char16_t));
  wchar_t face[32] = {};
  std::memcpy(face, mark->szFontName, sizeof face);
  face[31] = 0;
  if (std::wcscmp(face, L"Courier") == 0) std::wcscpy(face, L"Courier New");
  record->font = FindDisplayFontLogFont(face);
  record->font.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  std::memcpy(record->font.lfFaceName, face, sizeof face);
  SetWatermarkFontStyle(record, mark->nStyle);
  record->font.lfHeight = mark->wSize;
  record->font.lfWidth = 0;
  record->font.lfEscapement = mark->nAngle * 10;
  record->color = mark->crColor;
  record->posX = mark->ptWmkPosX;
  record->posY = mark->ptWmkPosY;
  record->frame = mark->wFrame;
}

void SetWatermarkFontStyle(WatermarkPreviewRecord* record, int32_t style) {
  if (record == nullptr || style < 1 || style > 4) return;
  record->font.lfWeight = style >= 3 ? FW_BOLD : FW_NORMAL;
  record->font.lfItalic = (style == 2 || style == 4) ? TRUE : FALSE;
}

void DrawWatermarkPreviewInto(WatermarkPreviewRecord* record, HDC dc, const RECT& client, const DocDMode* settings) {
  if (record == nullptr || settings == nullptr) return;
  const DocFields& f = Fields(*settings);
  const Watermark w{f.WmkInfo_nAngle, f.WmkInfo_bBkGrnd != 0, f.WmkInfo_bMultiStamp != 0, f.WmkInfo_wSize};
  const PreviewRect paper =
      FitPreviewPaperRect(client.right, client.bottom, record->paperWidth, record->paperHeight);
  record->paperRect = {paper.left, paper.top, paper.right, paper.bottom};
  PatBlt(dc, 0, 0, client.right, client.bottom, WHITENESS);
  DrawSunkenFrame(dc, client);
  const int saved = SaveDC(dc);
  SetMapMode(dc, MM_ANISOTROPIC);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  Rectangle(dc, paper.left, paper.top, paper.right, paper.bottom);
  if (f.bOverlay != 0) DrawOverlayCornerMarks(dc, record->paperRect);
  if (record->pageWidth > 20 && record->pageHeight > 20 && paper.right > paper.left && paper.bottom > paper.top) {
    SetWindowExtEx(dc, record->pageWidth, record->pageHeight, nullptr);
    SetViewportExtEx(dc, paper.right - paper.left, paper.bottom - paper.top, nullptr);
    SetViewportOrgEx(dc, paper.left, paper.top, nullptr);
    IntersectClipRect(dc, 10, 10, record->pageWidth - 10, record->pageHeight - 10);
    DrawWatermarkOnPage(dc, *record, w);
    SelectClipRgn(dc, nullptr);
  }
  RestoreDC(dc, saved);
}

void DrawWatermarkPreview(WatermarkPreviewRecord* record, HWND dialog, const DocDMode* settings) {
  HWND control = GetDlgItem(dialog, kWatermarkPreviewControl);
  if (record == nullptr || control == nullptr) return;
  RECT client{};
  GetClientRect(control, &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  HDC target = GetDC(control);
  if (target == nullptr) return;
  HDC memory = CreateCompatibleDC(target);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, client.bottom, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP picture = memory != nullptr ? CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
  if (picture != nullptr) {
    HGDIOBJ old = SelectObject(memory, picture);
    DrawWatermarkPreviewInto(record, memory, client, settings);
    GdiFlush();
    if (GetDeviceCaps(target, BITSPIXEL) != 8) {
      BitBlt(target, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    } else {
      // An 8-bit display shows the picture through a palette of its own:
      // the system's colours, white, the watermark colour and its lightened
      // form.
      struct {
        WORD version, count;
        PALETTEENTRY entries[256];
      } palette{0x300, 256, {}};
      GetSystemPaletteEntries(target, 0, 253, palette.entries);
      const BYTE red = record->color & 0xFF, green = (record->color >> 8) & 0xFF, blue = (record->color >> 16) & 0xFF;
      palette.entries[253] = {255, 255, 255, 0};
      palette.entries[254] = {red, green, blue, 0};
      palette.entries[255] = {static_cast<BYTE>(red / 2 + 125), static_cast<BYTE>(green / 2 + 125),
                              static_cast<BYTE>(blue / 2 + 125), 0};
      HPALETTE handle = CreatePalette(reinterpret_cast<LOGPALETTE*>(&palette));
      HPALETTE previous = SelectPalette(target, handle, TRUE);
      RealizePalette(target);
      SetStretchBltMode(target, COLORONCOLOR);
      StretchDIBits(target, 0, 0, client.right, client.bottom, 0, 0, client.right, client.bottom, bits, &info,
                    DIB_RGB_COLORS, SRCCOPY);
      SelectPalette(target, previous, TRUE);
      RealizePalette(target);
      DeleteObject(handle);
    }
    SelectObject(memory, old);
    DeleteObject(picture);
  }
  if (memory != nullptr) DeleteDC(memory);
  ReleaseDC(control, target);
}
