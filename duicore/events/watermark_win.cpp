#include "duicore/events/watermark_win.h"

#include <cstring>
#include <cwchar>
#include <memory>
#include <vector>

#include "common/contracts/private_escapes.h"
#include "common/cover/cover_page_win.h"
#include "common/records/doc_fields.h"
#include "common/records/job_record.h"
#include "duicore/module/device_description_win.h"
#include "duicore/events/event_services_win.h"
#include "duicore/events/watermark_geometry.h"

namespace {

constexpr int kTextAttempts = 10;

bool DrawRotatedText(HDC dc, const wchar_t* text, int length, int x, int y, int degrees, int cx, int cy) {
  const WmPoint p = WmTurn(x, y, degrees, cx, cy);
  for (int attempt = 0; attempt < kTextAttempts; ++attempt) {
    if (ExtTextOutW(dc, p.x, p.y, 0, nullptr, text, static_cast<UINT>(length), nullptr)) return true;
    Sleep(50);
  }
  return false;
}

bool DrawOutline(HDC dc, const std::vector<WmPoint>& points, COLORREF color, int pen) {
  HPEN drawing = CreatePen(PS_SOLID, pen, color);
  if (drawing == nullptr) return false;
  HGDIOBJ old = SelectObject(dc, drawing);
  std::vector<POINT> gdi(points.size());
  for (size_t i = 0; i < points.size(); ++i) gdi[i] = {points[i].x, points[i].y};
  const bool done = Polyline(dc, gdi.data(), static_cast<int>(gdi.size())) != FALSE;
  SelectObject(dc, old);
  DeleteObject(drawing);
  return done;
}

struct Stamp {
  const wchar_t* text;
  int length;
  TEXTMETRICW metrics;
  int textWidth;
  bool simulateBold;
  COLORREF color;
  int degrees;
  int frame;
  int pen;
};

bool DrawWatermarkAt(HDC dc, const Stamp& s, int x, int y) {
  const int baseline = y + s.metrics.tmHeight / 2 - s.metrics.tmDescent;
  const int left = x - s.textWidth / 2;
  bool ok = true;
  if (s.simulateBold) {
    for (const WmPoint& d : WmBoldOffsets(s.metrics.tmHeight - s.metrics.tmDescent)) {
      ok = DrawRotatedText(dc, s.text, s.length, left + d.x, baseline + d.y, s.degrees, x, y) && ok;
    }
  } else {
    ok = DrawRotatedText(dc, s.text, s.length, left, baseline, s.degrees, x, y);
  }
  if (s.frame == 2) ok = DrawOutline(dc, WmCirclePoints(x, y, s.textWidth, s.metrics.tmHeight, s.degrees), s.color, s.pen) && ok;
  if (s.frame == 3) ok = DrawOutline(dc, WmSquarePoints(x, y, s.textWidth, s.metrics.tmHeight, s.degrees), s.color, s.pen) && ok;
  return ok;
}

// Whether the face has a bold of its own: the font boxes of the regular and
// the bold outline metrics differ.
bool HasRealBold(HDC dc, LOGFONTW font) {
  auto box = [&](LONG weight, RECT* out) {
    font.lfWeight = weight;
    HFONT handle = CreateFontIndirectW(&font);
    if (handle == nullptr) return false;
    HGDIOBJ old = SelectObject(dc, handle);
    OUTLINETEXTMETRICW metrics{};
    metrics.otmSize = sizeof metrics;
    const bool ok = old != nullptr && GetOutlineTextMetricsW(dc, sizeof metrics, &metrics) != 0;
    if (old != nullptr) SelectObject(dc, old);
    DeleteObject(handle);
    if (ok) *out = metrics.otmrcFontBox;
    return ok;
  };
  RECT regular{}, bold{};
  if (!box(FW_DONTCARE, &regular) || !box(FW_BOLD, &bold)) return false;
  return std::memcmp(&regular, &bold, sizeof regular) != 0;
}

int CALLBACK TakeFirstTrueTypeFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM data) {
  if ((type & TRUETYPE_FONTTYPE) == 0 || font->lfFaceName[0] == L'@') return 1;
  std::memcpy(reinterpret_cast<wchar_t*>(data), font->lfFaceName, sizeof font->lfFaceName);
  return 0;
}

bool ModelDriverBooklet() {
  const ModelInfo* model = CoreDescription().model;
  return model != nullptr && model->features[kMfBookletPrint] != 0;
}

}  // namespace

bool FindWatermarkFont(HDC dc, const wchar_t* face, bool italic, LOGFONTW* out) {
  // A face the computer lacks gives way to Arial, then to the first
  // TrueType family it has, so a chosen watermark is never left out.
  if (!FindFontFamilyLogFont(dc, face, out) && !FindFontFamilyLogFont(dc, L"Arial", out)) {
    wchar_t first[LF_FACESIZE] = {};
    LOGFONTW all{};
    all.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc, &all, TakeFirstTrueTypeFace, reinterpret_cast<LPARAM>(first), 0);
    if (first[0] == 0 || !FindFontFamilyLogFont(dc, first, out)) return false;
  }
  out->lfItalic = italic ? 1 : 0;
  return true;
}

bool DrawWatermark(HDC dc, const DocDMode& doc, int width, int height) {
  const DocFields& f = Fields(doc);
  wchar_t text[130] = {};
  std::memcpy(text, f.WmkInfo_szWmkStr, sizeof f.WmkInfo_szWmkStr);
  text[128] = L'\0';
  wchar_t face[LF_FACESIZE] = {};
  std::memcpy(face, f.WmkInfo_szFontName, sizeof face);
  face[LF_FACESIZE - 1] = L'\0';
  const int style = f.WmkInfo_nStyle;
  const bool italic = style == 2 || style == 4;
  const bool bold = style == 3 || style == 4;
  LOGFONTW font;
  if (!FindWatermarkFont(dc, face, italic, &font)) return false;
  const int resoH = DocI16(&doc, kDocResolutionXAt), resoV = DocI16(&doc, kDocResolutionYAt);
  // Without a resolution nothing has a size: nothing is drawn.
  if (resoH <= 0 || resoV <= 0) return false;
  font.lfHeight = -MulDiv(f.WmkInfo_wSize, resoV, 72);
  const int degrees = ((f.WmkInfo_nAngle % 360) + 360) % 360;
  font.lfEscapement = font.lfOrientation = f.WmkInfo_nAngle * 10;
  bool simulateBold = false;
  if (bold) {
    if (HasRealBold(dc, font)) {
      font.lfWeight = FW_BOLD;
    } else {
      font.lfWeight = FW_NORMAL;
      simulateBold = true;
    }
  }
  COLORREF color = f.WmkInfo_crColor & 0x00FFFFFFu;
  if (DocByte(&doc, kDocSelectColorAt) == 1) color = WmGrey(color);
  HFONT handle = CreateFontIndirectW(&font);
  if (handle == nullptr) return false;
  HGDIOBJ oldFont = SelectObject(dc, handle);
  if (oldFont == nullptr) {
    DeleteObject(handle);
    return false;
  }
  bool ok = false;
  const COLORREF oldColor = SetTextColor(dc, color);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const UINT oldAlign = GetTextAlign(dc);
  if (oldColor != CLR_INVALID && oldMode != 0 && oldAlign != GDI_ERROR &&
      SetTextAlign(dc, (oldAlign & ~(TA_CENTER | TA_RIGHT | TA_TOP | TA_BOTTOM)) | TA_LEFT | TA_BASELINE) !=
          GDI_ERROR) {
    Stamp s{text, static_cast<int>(std::wcslen(text)), {}, 0, simulateBold, color, degrees,
            f.WmkInfo_wFrame, WmPenWidth(resoH, f.WmkInfo_wSize)};
    SIZE extent{};
    if (GetTextMetricsW(dc, &s.metrics) && GetTextExtentPoint32W(dc, text, s.length, &extent)) {
      s.textWidth = extent.cx;
      if (f.WmkInfo_bMultiStamp != 0) {
        const WmTileInput tiles{resoH, resoV, s.textWidth, s.metrics.tmHeight, s.frame == 2 || s.frame == 3,
                                s.pen, degrees, static_cast<int32_t>(f.WmkInfo_ptWmkPos_x), static_cast<int32_t>(f.WmkInfo_ptWmkPos_y), width, height};
        ok = true;
        for (const WmPoint& c : WmTileCentres(tiles)) {
          if (!DrawWatermarkAt(dc, s, c.x, c.y)) {
            ok = false;
            break;
          }
        }
      } else {
        const WmPoint c = WmSingleCentre(width, height, static_cast<int32_t>(f.WmkInfo_ptWmkPos_x), static_cast<int32_t>(f.WmkInfo_ptWmkPos_y));
        ok = DrawWatermarkAt(dc, s, c.x, c.y);
      }
    }
    SetTextAlign(dc, oldAlign);
  }
  if (oldMode != 0) SetBkMode(dc, oldMode);
  if (oldColor != CLR_INVALID) SetTextColor(dc, oldColor);
  SelectObject(dc, oldFont);
  DeleteObject(handle);
  return ok;
}

int RunWatermarkStep(HDC dc) {
  std::unique_ptr<uint8_t[]> record = ReadJobRecord(dc);
  if (!record) return -1;
  const auto* doc = reinterpret_cast<const DocDMode*>(record.get() + kJobRecordDocAt);
  if (DocByte(doc, kDocWatermarkAt) == 0) return 1;
  const bool nup = DocByte(doc, kDocNupAt) != 0;
  const bool driverBooklet = DocByte(doc, kDocDoubleSidesAt) == 3 && ModelDriverBooklet();
  uint32_t pageCounter, width, height;
  uint16_t logicalPage;
  std::memcpy(&pageCounter, record.get() + kJobRecordPageCounterAt, 4);
  std::memcpy(&logicalPage, record.get() + kJobRecordLogicalPageAt, 2);
  std::memcpy(&width, record.get() + kJobRecordPageWidthAt, 4);
  std::memcpy(&height, record.get() + kJobRecordPageHeightAt, 4);
  const bool first = (nup || driverBooklet) ? logicalPage == 1 : pageCounter == 0;
  if (Fields(*doc).WmkInfo_bFstPg != 0 && !first) return 1;
  const uint32_t on = 1, off = 0;
  if (!SendEscape(dc, kEscSetUiDraw, sizeof on, &on)) return -1;
  const uint8_t nupKind = DocByte(doc, kDocNupKindAt);
  if ((nup && (nupKind == 1 || nupKind == 3)) || driverBooklet) std::swap(width, height);
  if (!DrawWatermark(dc, *doc, static_cast<int>(width), static_cast<int>(height))) {
    SendEscape(dc, kEscSetUiDraw, sizeof off, &off);
  }
  return SendEscape(dc, kEscSetUiDraw, sizeof off, &off) ? 1 : -1;
}
