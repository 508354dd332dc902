#include "dproc/perpage/per_page_preview_win.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "dproc/perpage/per_page_preview.h"

namespace {

// The caption's lines: split at CR (the LF after it skipped), at most 64
// characters each.
std::vector<std::wstring> CaptionLines(const InterSheetEntry& e) {
  std::vector<std::wstring> lines(1);
  for (size_t i = 0; i < std::size(e.caption) && e.caption[i] != 0; ++i) {
    const char16_t c = e.caption[i];
    if (c == u'\r') {
      lines.emplace_back();
      if (i + 1 < std::size(e.caption) && e.caption[i + 1] == u'\n') ++i;
    } else if (lines.back().size() < 64) {
      lines.back() += static_cast<wchar_t>(c);
    }
  }
  return lines;
}

}  // namespace

void DrawTabSchematic(HDC dc, const RECT& area, const TabSettings& tab, const InterSheetEntry& e) {
  const int32_t height = area.bottom - area.top;
  const TabSchematic s = FitTabSchematic(tab, e.fontSize, height);
  if (!s.drawn) return;
  const LONG free = std::max<LONG>(0, (area.right - area.left) - (s.strip + s.protrude));
  const LONG x0 = area.left + free / 3, xs = x0 + s.strip, xt = xs + s.protrude;
  const LONG ty = area.top + (height - s.tab) / 2, tb = ty + s.tab;
  const POINT edge[8] = {{x0, area.top}, {xs, area.top}, {xs, ty},          {xt, ty},
                         {xt, tb},       {xs, tb},       {xs, area.bottom}, {x0, area.bottom}};
  HBRUSH fill = CreateSolidBrush(RGB(255, 255, 128));
  HPEN yellow = CreatePen(PS_SOLID, 1, RGB(255, 255, 0));
  HGDIOBJ oldBrush = SelectObject(dc, fill);
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
  Polygon(dc, edge, 8);
  SelectObject(dc, yellow);
  MoveToEx(dc, xt, ty + 1, nullptr);
  LineTo(dc, xt, tb - 1);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(yellow);
  DeleteObject(fill);

  // The caption, clipped to its tab.
  const std::vector<std::wstring> lines = CaptionLines(e);
  LOGFONTW font = {};
  font.lfHeight = -std::max(1, s.fontHeight);
  font.lfWeight = e.fontStyle == 1 || e.fontStyle == 3 ? FW_BOLD : FW_NORMAL;
  font.lfItalic = e.fontStyle == 2 || e.fontStyle == 3 ? TRUE : FALSE;
  font.lfEscapement = font.lfOrientation = e.orientation == 1 ? 900 : 2700;
  std::wstring face = e.orientation == 2 ? L"@" : L"";
  for (size_t i = 0; i < std::size(e.fontFace) && e.fontFace[i] != 0; ++i) face += static_cast<wchar_t>(e.fontFace[i]);
  face.resize(std::min<size_t>(face.size(), LF_FACESIZE - 1));
  std::copy(face.begin(), face.end(), font.lfFaceName);
  HFONT caption = CreateFontIndirectW(&font);
  HGDIOBJ oldFont = SelectObject(dc, caption);
  const RECT tabRect = {xs, ty, xt, tb};
  HRGN clip = CreateRectRgnIndirect(&tabRect);
  SelectClipRgn(dc, clip);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  const UINT oldAlign = GetTextAlign(dc);
  const TabRect r = {xs, ty, xt, tb};
  const int32_t n = static_cast<int32_t>(lines.size());
  for (int32_t i = 0; i < n; ++i) {
    if (lines[static_cast<size_t>(i)].empty()) continue;
    const CaptionPlace p = PlaceCaptionLine(r, e.orientation, e.vertPos, e.horzPos, i, n, s.fontHeight, s.margin);
    SetTextAlign(dc, (p.align == CaptionAlign::kLeft ? TA_LEFT : p.align == CaptionAlign::kCentre ? TA_CENTER : TA_RIGHT) |
                         TA_TOP);
    TextOutW(dc, p.x, p.y, lines[static_cast<size_t>(i)].c_str(), static_cast<int>(lines[static_cast<size_t>(i)].size()));
  }
  SetTextAlign(dc, oldAlign);
  SelectClipRgn(dc, nullptr);
  DeleteObject(clip);
  SelectObject(dc, oldFont);
  DeleteObject(caption);
}
