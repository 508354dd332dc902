// The corpus pages, each drawn on an enhanced-metafile DC in the units of the
// screen it is recorded against.
#include "tests/ddi_host/emf_corpus.h"

#include <windows.h>

#include <cmath>
#include <cstring>

namespace {

HFONT Font(const wchar_t* face, int height, int weight = FW_NORMAL, bool italic = false, int escapement = 0) {
  return CreateFontW(height, 0, escapement, escapement, weight, italic, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
}

void Say(HDC dc, int x, int y, const wchar_t* text) { TextOutW(dc, x, y, text, int(std::wcslen(text))); }

void TextPage(HDC dc) {
  struct Line {
    const wchar_t* face;
    int height, weight;
    bool italic;
  };
  const Line lines[] = {{L"DejaVu Sans", -12, FW_NORMAL, false}, {L"DejaVu Sans", -20, FW_BOLD, false},
                        {L"DejaVu Serif", -16, FW_NORMAL, true}, {L"DejaVu Sans Mono", -14, FW_NORMAL, false},
                        {L"DejaVu Serif", -32, FW_BOLD, false},  {L"DejaVu Sans", -9, FW_NORMAL, true}};
  int y = 40;
  for (const Line& l : lines) {
    HFONT f = Font(l.face, l.height, l.weight, l.italic);
    HGDIOBJ old = SelectObject(dc, f);
    Say(dc, 40, y, L"The quick brown fax jumps over the lazy modem.");
    y += -l.height + 14;
    SelectObject(dc, old);
    DeleteObject(f);
  }
  HFONT f = Font(L"DejaVu Sans", -16);
  HGDIOBJ old = SelectObject(dc, f);
  // Colours, alignments, an opaque box, set advances, ANSI text.
  SetTextColor(dc, RGB(200, 0, 0));
  SetTextAlign(dc, TA_RIGHT | TA_BASELINE);
  Say(dc, 700, y + 20, L"Right-aligned in red");
  SetTextAlign(dc, TA_CENTER | TA_TOP);
  SetTextColor(dc, RGB(0, 0, 160));
  Say(dc, 400, y + 40, L"Centred in blue");
  SetTextAlign(dc, TA_LEFT | TA_TOP);
  SetBkColor(dc, RGB(255, 255, 0));
  RECT box{40, y + 80, 400, y + 104};
  ExtTextOutW(dc, 44, y + 82, ETO_OPAQUE | ETO_CLIPPED, &box, L"On an opaque box", 16, nullptr);
  const INT dx[] = {20, 20, 20, 20, 20, 20};
  ExtTextOutW(dc, 40, y + 120, 0, nullptr, L"Spaced", 6, dx);
  ExtTextOutA(dc, 40, y + 150, 0, nullptr, "ANSI text", 9, nullptr);
  POLYTEXTW poly[2] = {{40, y + 180, 4, L"Poly", 0, {}, nullptr}, {140, y + 180, 4, L"text", 0, {}, nullptr}};
  PolyTextOutW(dc, poly, 2);
  SetTextAlign(dc, TA_UPDATECP);
  MoveToEx(dc, 40, y + 210, nullptr);
  Say(dc, 0, 0, L"Current ");
  Say(dc, 0, 0, L"position");
  SetTextAlign(dc, TA_LEFT | TA_TOP);
  SelectObject(dc, old);
  DeleteObject(f);
  // Turned text.
  HFONT turned = Font(L"DejaVu Sans", -18, FW_NORMAL, false, 450);
  old = SelectObject(dc, turned);
  SetTextColor(dc, RGB(0, 120, 0));
  Say(dc, 500, 700, L"Turned by 45 degrees");
  SelectObject(dc, old);
  DeleteObject(turned);
}

void ShapesPage(HDC dc) {
  HPEN thick = CreatePen(PS_SOLID, 5, RGB(0, 0, 200));
  HPEN dashed = CreatePen(PS_DASH, 1, RGB(0, 0, 0));
  LOGBRUSH lb{BS_SOLID, RGB(160, 0, 0), 0};
  HPEN geometric = ExtCreatePen(PS_GEOMETRIC | PS_DASHDOT | PS_ENDCAP_FLAT | PS_JOIN_BEVEL, 4, &lb, 0, nullptr);
  HBRUSH green = CreateSolidBrush(RGB(0, 180, 0));
  HBRUSH grey = CreateSolidBrush(RGB(128, 128, 128));
  HGDIOBJ oldPen = SelectObject(dc, thick);
  HGDIOBJ oldBrush = SelectObject(dc, green);
  Rectangle(dc, 40, 40, 200, 140);
  Ellipse(dc, 240, 40, 400, 140);
  RoundRect(dc, 440, 40, 600, 140, 30, 30);
  SelectObject(dc, grey);
  Chord(dc, 40, 180, 200, 300, 200, 240, 40, 240);
  Pie(dc, 240, 180, 400, 300, 400, 240, 320, 180);
  SelectObject(dc, dashed);
  Arc(dc, 440, 180, 600, 300, 600, 240, 440, 240);
  MoveToEx(dc, 40, 340, nullptr);
  LineTo(dc, 600, 340);
  SelectObject(dc, geometric);
  const POINT bez[] = {{40, 400}, {140, 340}, {240, 460}, {340, 400}, {440, 340}, {540, 460}, {640, 400}};
  PolyBezier(dc, bez, 7);
  const POINT zig[] = {{40, 480}, {80, 520}, {120, 480}, {160, 520}, {200, 480}};
  Polyline(dc, zig, 5);
  SelectObject(dc, thick);
  SelectObject(dc, green);
  SetPolyFillMode(dc, WINDING);
  const POINT star[] = {{300, 480}, {330, 580}, {250, 520}, {350, 520}, {270, 580}};
  Polygon(dc, star, 5);
  SetPolyFillMode(dc, ALTERNATE);
  const POINT boxes[] = {{400, 480}, {500, 480}, {500, 580}, {400, 580}, {420, 500}, {480, 500}, {480, 560}, {420, 560}};
  const INT counts[] = {4, 4};
  PolyPolygon(dc, boxes, counts, 2);
  const POINT lines[] = {{540, 480}, {640, 580}, {640, 480}, {540, 580}};
  const DWORD lineCounts[] = {2, 2};
  PolyPolyline(dc, lines, lineCounts, 2);
  MoveToEx(dc, 40, 640, nullptr);
  AngleArc(dc, 100, 640, 50, 0, 270);
  MoveToEx(dc, 200, 640, nullptr);
  ArcTo(dc, 200, 600, 300, 700, 300, 650, 200, 650);
  const POINT drawn[] = {{350, 600}, {400, 650}, {450, 600}, {500, 650}, {550, 600}, {600, 700}};
  const BYTE types[] = {PT_MOVETO, PT_LINETO, PT_BEZIERTO, PT_BEZIERTO, PT_BEZIERTO, PT_LINETO | PT_CLOSEFIGURE};
  PolyDraw(dc, drawn, types, 6);
  const POINT tail[] = {{40, 760}, {140, 720}, {240, 800}};
  MoveToEx(dc, 20, 780, nullptr);
  PolylineTo(dc, tail, 3);
  PolyBezierTo(dc, bez, 3);
  SetPixelV(dc, 700, 800, RGB(255, 0, 0));
  // Hatches, a pattern of a bitmap, a two-colour pattern and dashes of the
  // application's own.
  HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 160));
  SelectObject(dc, hatch);
  Rectangle(dc, 40, 840, 200, 940);
  SetBkMode(dc, TRANSPARENT);
  HBRUSH across = CreateHatchBrush(HS_HORIZONTAL, RGB(160, 0, 0));
  SelectObject(dc, across);
  Ellipse(dc, 220, 840, 380, 940);
  SetBkMode(dc, OPAQUE);
  struct {
    BITMAPINFOHEADER header;
    uint8_t bits[8 * 8 * 3];
  } dib{};
  dib.header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 8, 8, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  for (int i = 0; i < 64; ++i) {
    dib.bits[3 * i] = uint8_t(i * 4);
    dib.bits[3 * i + 1] = uint8_t(((i / 8 + i % 8) & 1) ? 255 : 0);
    dib.bits[3 * i + 2] = uint8_t(255 - i * 4);
  }
  HBRUSH tiles = CreateDIBPatternBrushPt(&dib, DIB_RGB_COLORS);
  RECT square{400, 840, 520, 940};
  FillRect(dc, &square, tiles);
  const WORD checker[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
  HBITMAP mono = CreateBitmap(8, 8, 1, 1, checker);
  HBRUSH twoColour = CreatePatternBrush(mono);
  SetTextColor(dc, RGB(0, 128, 0));
  SelectObject(dc, twoColour);
  SelectObject(dc, GetStockObject(NULL_PEN));
  Rectangle(dc, 540, 840, 660, 940);
  const DWORD own[] = {12, 4, 2, 4};
  HPEN styled = ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, 3, &lb, 4, own);
  SelectObject(dc, styled);
  MoveToEx(dc, 40, 980, nullptr);
  LineTo(dc, 660, 980);
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  SelectObject(dc, GetStockObject(BLACK_PEN));
  for (HGDIOBJ o : {HGDIOBJ(hatch), HGDIOBJ(across), HGDIOBJ(tiles), HGDIOBJ(twoColour), HGDIOBJ(mono), HGDIOBJ(styled)}) {
    DeleteObject(o);
  }
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  for (HGDIOBJ o : {HGDIOBJ(thick), HGDIOBJ(dashed), HGDIOBJ(geometric), HGDIOBJ(green), HGDIOBJ(grey)}) DeleteObject(o);
}

void PathsPage(HDC dc) {
  HBRUSH blue = CreateSolidBrush(RGB(40, 80, 220));
  HPEN pen = CreatePen(PS_SOLID, 3, RGB(0, 0, 0));
  HGDIOBJ oldBrush = SelectObject(dc, blue);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  BeginPath(dc);
  MoveToEx(dc, 40, 40, nullptr);
  LineTo(dc, 200, 40);
  LineTo(dc, 120, 160);
  CloseFigure(dc);
  Ellipse(dc, 240, 40, 400, 160);
  EndPath(dc);
  StrokeAndFillPath(dc);
  BeginPath(dc);
  RoundRect(dc, 440, 40, 600, 160, 40, 40);
  EndPath(dc);
  FillPath(dc);
  BeginPath(dc);
  const POINT bez[] = {{40, 220}, {140, 180}, {240, 300}, {340, 220}};
  PolyBezier(dc, bez, 4);
  EndPath(dc);
  StrokePath(dc);
  // A path of text as a clip, and the picture behind it.
  HFONT big = Font(L"DejaVu Sans", -120, FW_BOLD);
  HGDIOBJ oldFont = SelectObject(dc, big);
  SetBkMode(dc, TRANSPARENT);
  BeginPath(dc);
  Say(dc, 40, 320, L"FAX");
  EndPath(dc);
  SelectClipPath(dc, RGN_COPY);
  for (int i = 0; i < 12; ++i) {
    HBRUSH stripe = CreateSolidBrush(RGB(20 * i, 0, 255 - 20 * i));
    RECT r{40 + 30 * i, 320, 70 + 30 * i, 460};
    FillRect(dc, &r, stripe);
    DeleteObject(stripe);
  }
  SelectClipRgn(dc, nullptr);
  SelectObject(dc, oldFont);
  DeleteObject(big);
  // A clip of an ellipse's path.
  BeginPath(dc);
  Ellipse(dc, 440, 320, 640, 460);
  EndPath(dc);
  SelectClipPath(dc, RGN_COPY);
  Rectangle(dc, 420, 300, 660, 480);
  SelectClipRgn(dc, nullptr);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(blue);
  DeleteObject(pen);
}

// A smooth picture: `w` x `h` pixels of 24 bits, bottom row first.
std::vector<uint8_t> Picture(int w, int h) {
  const int stride = (w * 3 + 3) & ~3;
  std::vector<uint8_t> bits(size_t(stride) * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint8_t* p = &bits[size_t(y) * stride + 3 * x];
      p[0] = uint8_t(128 + 127 * std::sin(x * 0.05));
      p[1] = uint8_t(255 * y / h);
      p[2] = uint8_t(255 * x / w);
    }
  }
  return bits;
}

void ImagesPage(HDC dc) {
  const int w = 160, h = 120;
  std::vector<uint8_t> bits = Picture(w, h);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  StretchDIBits(dc, 40, 40, 320, 240, 0, 0, w, h, bits.data(), &bi, DIB_RGB_COLORS, SRCCOPY);
  SetDIBitsToDevice(dc, 400, 40, w, h, 0, 0, 0, h, bits.data(), &bi, DIB_RGB_COLORS);
  // A bitmap on a memory DC: blits, a stretch, a masked blit, a blend and
  // a transparent colour.
  HDC memory = CreateCompatibleDC(dc);
  void* pixels = nullptr;
  HBITMAP section = CreateDIBSection(memory, &bi, DIB_RGB_COLORS, &pixels, nullptr, 0);
  std::memcpy(pixels, bits.data(), bits.size());
  HGDIOBJ old = SelectObject(memory, section);
  BitBlt(dc, 40, 320, w, h, memory, 0, 0, SRCCOPY);
  StretchBlt(dc, 240, 320, 80, 60, memory, 40, 30, 80, 60, SRCCOPY);
  HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
  HDC maskDc = CreateCompatibleDC(dc);
  HGDIOBJ oldMask = SelectObject(maskDc, mask);
  PatBlt(maskDc, 0, 0, w, h, BLACKNESS);
  Ellipse(maskDc, 0, 0, w, h);
  SelectObject(maskDc, oldMask);
  DeleteDC(maskDc);
  MaskBlt(dc, 360, 320, w, h, memory, 0, 0, mask, 0, 0, MAKEROP4(SRCCOPY, 0x00AA0029));
  BLENDFUNCTION half{AC_SRC_OVER, 0, 128, 0};
  GdiAlphaBlend(dc, 40, 480, w, h, memory, 0, 0, w, h, half);
  GdiTransparentBlt(dc, 240, 480, w, h, memory, 0, 0, w, h, RGB(0, 0, 0));
  const POINT slanted[3] = {{560, 300}, {680, 360}, {520, 400}};
  PlgBlt(dc, slanted, memory, 0, 0, w, h, nullptr, 0, 0);
  SelectObject(memory, old);
  DeleteObject(section);
  DeleteObject(mask);
  DeleteDC(memory);
  // Pattern fills and gradients.
  HBRUSH brush = CreateSolidBrush(RGB(255, 160, 0));
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  PatBlt(dc, 440, 480, 100, 60, PATCOPY);
  SelectObject(dc, oldBrush);
  TRIVERTEX v[4] = {{40, 680, 0xFF00, 0, 0, 0}, {360, 760, 0, 0, 0xFF00, 0},
                    {400, 680, 0, 0xFF00, 0, 0}, {640, 780, 0, 0, 0xFF00, 0}};
  GRADIENT_RECT rect{0, 1};
  GdiGradientFill(dc, v, 2, &rect, 1, GRADIENT_FILL_RECT_H);
  TRIVERTEX t[3] = {{400, 680, 0xFF00, 0, 0, 0}, {640, 680, 0, 0xFF00, 0, 0}, {520, 780, 0, 0, 0xFF00, 0}};
  GRADIENT_TRIANGLE tri{0, 1, 2};
  GdiGradientFill(dc, t, 3, &tri, 1, GRADIENT_FILL_TRIANGLE);
  HRGN region = CreateEllipticRgn(40, 820, 200, 920);
  FillRgn(dc, region, brush);
  OffsetRgn(region, 200, 0);
  PaintRgn(dc, region);
  OffsetRgn(region, 200, 0);
  FrameRgn(dc, region, brush, 4, 4);
  DeleteObject(region);
  DeleteObject(brush);
}

void TransformsPage(HDC dc) {
  HFONT f = Font(L"DejaVu Sans", -20);
  HBRUSH red = CreateSolidBrush(RGB(220, 0, 0));
  HGDIOBJ oldFont = SelectObject(dc, f);
  HGDIOBJ oldBrush = SelectObject(dc, red);
  // Clipping: a rectangle, a hole, a region.
  SaveDC(dc);
  IntersectClipRect(dc, 40, 40, 300, 200);
  ExcludeClipRect(dc, 120, 80, 220, 160);
  Rectangle(dc, 0, 0, 400, 300);
  RestoreDC(dc, -1);
  HRGN ellipse = CreateEllipticRgn(340, 40, 640, 200);
  ExtSelectClipRgn(dc, ellipse, RGN_COPY);
  DeleteObject(ellipse);
  Say(dc, 340, 100, L"Text clipped by an ellipse, cut at both ends");
  SelectClipRgn(dc, nullptr);
  // World transforms: a turn and a shear.
  SaveDC(dc);
  SetGraphicsMode(dc, GM_ADVANCED);
  const double a = 0.5;
  const XFORM turn{FLOAT(std::cos(a)), FLOAT(std::sin(a)), FLOAT(-std::sin(a)), FLOAT(std::cos(a)), 200, 300};
  SetWorldTransform(dc, &turn);
  Rectangle(dc, 0, 0, 200, 60);
  Say(dc, 10, 10, L"Turned");
  {
    // A small picture turned with the text.
    struct {
      BITMAPINFOHEADER header;
      uint8_t bits[4 * 4 * 3];
    } dib{};
    dib.header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 4, 4, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    for (int i = 0; i < 48; ++i) dib.bits[i] = uint8_t(i * 5);
    StretchDIBits(dc, 120, 10, 60, 40, 0, 0, 4, 4, dib.bits, reinterpret_cast<BITMAPINFO*>(&dib), DIB_RGB_COLORS,
                  SRCCOPY);
  }
  const XFORM shear{1, 0, 0.5f, 1, 0, 0};
  ModifyWorldTransform(dc, &shear, MWT_LEFTMULTIPLY);
  Ellipse(dc, 0, 100, 200, 200);
  RestoreDC(dc, -1);
  // Mapping modes: tenths of millimetres (y up), and a stretched window.
  SaveDC(dc);
  SetMapMode(dc, MM_LOMETRIC);
  Rectangle(dc, 1000, -1300, 1500, -1600);
  Say(dc, 1000, -1650, L"Tenths of a millimetre");
  RestoreDC(dc, -1);
  SaveDC(dc);
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, 100, 100, nullptr);
  SetViewportExtEx(dc, 300, 150, nullptr);
  SetViewportOrgEx(dc, 40, 800, nullptr);
  Ellipse(dc, 0, 0, 100, 100);
  Say(dc, 0, 110, L"Stretched");
  RestoreDC(dc, -1);
  const char comment[] = "a comment for whoever reads the file";
  GdiComment(dc, sizeof comment, reinterpret_cast<const BYTE*>(comment));
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBrush);
  DeleteObject(f);
  DeleteObject(red);
}

struct CorpusPage {
  const char* name;
  void (*draw)(HDC);
};
const CorpusPage kPages[] = {{"text", TextPage},
                             {"shapes", ShapesPage},
                             {"paths", PathsPage},
                             {"images", ImagesPage},
                             {"transforms", TransformsPage}};

}  // namespace

int EmfCorpus_Pages() { return int(sizeof kPages / sizeof kPages[0]); }

const char* EmfCorpus_Name(int page) { return page >= 0 && page < EmfCorpus_Pages() ? kPages[page].name : ""; }

std::vector<uint8_t> EmfCorpus_Page(int page) {
  std::vector<uint8_t> bytes;
  if (page < 0 || page >= EmfCorpus_Pages()) return bytes;
  HDC screen = GetDC(nullptr);
  const RECT a4{0, 0, 21000, 29700};  // 0.01 mm
  HDC dc = CreateEnhMetaFileW(screen, nullptr, &a4, L"Fax corpus\0page\0");
  ReleaseDC(nullptr, screen);
  if (!dc) return bytes;
  kPages[page].draw(dc);
  HENHMETAFILE emf = CloseEnhMetaFile(dc);
  if (!emf) return bytes;
  bytes.resize(GetEnhMetaFileBits(emf, 0, nullptr));
  GetEnhMetaFileBits(emf, UINT(bytes.size()), bytes.data());
  DeleteEnhMetaFile(emf);
  return bytes;
}
