#include "common/cover/cover_page_metafile_win.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "common/cover/cover_bmp.h"
#include "common/cover/cover_geometry.h"
#include "common/cover/font_family_win.h"
#include "common/qxd/fax_cover_styles.h"

namespace {

constexpr int32_t kMinTextHeight = 21;
constexpr uint64_t kMaxImageBytes = 64u << 20;

std::wstring Text(const char16_t* text, size_t units) {
  std::wstring out;
  for (size_t i = 0; i < units && text[i] != u'\0'; ++i) out.push_back(static_cast<wchar_t>(text[i]));
  return out;
}

class Page {
 public:
  Page(HDC dc, const FaxCoverStyle& style, const CoverRect& area) : dc_(dc), style_(style), area_(area), y_(area.top) {
    SetBkMode(dc_, TRANSPARENT);
  }

  int32_t y() const { return y_; }
  void Advance(int32_t by) { y_ += by; }

  HFONT MakeFont(int32_t height, bool bold) {
    LOGFONTW font{};
    const std::wstring face = Text(style_.szFontFace, std::size(style_.szFontFace));
    if (!FindFontFamilyLogFont(dc_, face.c_str(), false, &font)) wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    font.lfHeight = -height;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    return CreateFontIndirectW(&font);
  }
  int32_t Width(const std::wstring& text, int32_t height, bool bold) {
    HFONT font = MakeFont(height, bold);
    HGDIOBJ old = SelectObject(dc_, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc_, old);
    DeleteObject(font);
    return extent.cx;
  }
  void Draw(const std::wstring& text, int32_t x, int32_t height, bool bold, COLORREF color) {
    HFONT font = MakeFont(height, bold);
    HGDIOBJ old = SelectObject(dc_, font);
    SetTextColor(dc_, color);
    SetTextAlign(dc_, TA_LEFT | TA_TOP);
    TextOutW(dc_, x, y_, text.c_str(), static_cast<int>(text.size()));
    SelectObject(dc_, old);
    DeleteObject(font);
  }
  void Bar(int32_t height, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    const RECT r{area_.left, y_, area_.right, y_ + height};
    FillRect(dc_, &r, brush);
    DeleteObject(brush);
    y_ += height;
  }
  void Rule(const CoverLayoutItem& item, int32_t height) {
    if (item.nRuleWidth == 0) return;
    HPEN pen = CreatePen(PS_SOLID, item.nRuleWidth, static_cast<COLORREF>(item.crColor));
    HGDIOBJ old = SelectObject(dc_, pen);
    const int32_t at = y_ + height / 2;
    MoveToEx(dc_, area_.left, at, nullptr);
    LineTo(dc_, area_.right, at);
    SelectObject(dc_, old);
    DeleteObject(pen);
    y_ += height;
  }
  // A bold label, then lines beside it, one gap apart.
  void Labelled(const std::wstring& label, const std::vector<std::wstring>& lines, const CoverLayoutItem& item) {
    const std::wstring head = label + L" ";
    Draw(head, area_.left, item.nSize, true, item.crColor);
    const int32_t x = area_.left + Width(head, item.nSize, true);
    for (size_t i = 0; i < lines.size(); ++i) {
      if (i != 0) y_ += item.nSize + item.nLineGap;
      Draw(lines[i], x, item.nSize, false, item.crColor);
    }
    y_ += item.nSize;
  }

  HDC dc_;
  const FaxCoverStyle& style_;
  CoverRect area_;
  int32_t y_;
};

std::wstring Label(const char16_t (&label)[48]) { return Text(label, 48); }

void DrawShrinking(Page& page, const std::wstring& text, const CoverLayoutItem& item, bool rightAligned) {
  int32_t height = item.nSize;
  const int32_t width = page.area_.Width();
  while (height > kMinTextHeight && page.Width(text, height, true) > width) --height;
  const int32_t x = rightAligned ? page.area_.right - page.Width(text, height, true) : page.area_.left;
  page.Draw(text, x, height, true, item.crColor);
  page.Advance(height);
  // The rule and the space after shrink with the text.
  CoverLayoutItem scaled = item;
  const int32_t after = item.nSize != 0 ? item.nSpaceAfter * height / item.nSize : item.nSpaceAfter;
  page.Rule(scaled, height);
  page.Advance(after - item.nSpaceAfter);
}

// The message: each CR LF piece in lines that fit the area; an empty piece
// is one blank line.
std::vector<std::wstring> WrapMessage(Page& page, const std::wstring& text, int32_t height) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  for (;;) {
    size_t end = text.find(L"\r\n", start);
    std::wstring piece = text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
    if (piece.empty()) lines.push_back(L" ");
    while (!piece.empty()) {
      size_t fit = piece.size();
      while (fit > 0 && page.Width(piece.substr(0, fit), height, false) > page.area_.Width()) --fit;
      if (fit == 0) fit = piece.size();
      lines.push_back(piece.substr(0, fit));
      piece.erase(0, fit);
    }
    if (end == std::wstring::npos) break;
    start = end + 2;
  }
  return lines;
}

void DrawRecipients(Page& page, const CoverMetafileRequest& r, const FaxCoverStyle& style, const CoverLayoutItem& item) {
  std::vector<std::wstring> lines;
  if (r.freeText) {
    const std::wstring text = r.freeRecipient ? Text(r.freeRecipient, 81) : L"";
    if (!text.empty()) lines.push_back(text);
  } else {
    const std::wstring faxLabel = Label(style.szLabelFaxNumber) + L" ";
    for (uint32_t i = 0; i < r.destinationCount; ++i) {
      const FaxRecipientEntry& d = r.destinations[i];
      const std::wstring name = Text(d.szName, 81), number = Text(d.szFaxNumber, 81);
      const std::wstring company = Text(d.szCompany, 81), department = Text(d.szDepartment, 81);
      std::wstring both = company;
      if (!department.empty()) both += (both.empty() ? L"" : L" ") + department;
      std::wstring all = both;
      if (!name.empty()) all += (all.empty() ? L"" : L" ") + name;
      if (!all.empty()) lines.push_back(all);
      if (!number.empty()) lines.push_back(faxLabel + number);
    }
  }
  if (lines.empty()) return;
  page.Labelled(Label(style.szLabelTo), lines, item);
  page.Rule(item, item.nSize);
}

void DrawImage(HDC dc, const FcsImagePart& image, const CoverRect& imageArea, const CoverRect& pageRect) {
  if (image.fgPasteImage == 0) return;
  std::wstring name = Text(image.szImageFile, std::size(image.szImageFile));
  if (name.size() < 4) return;
  std::wstring ext = name.substr(name.size() - 4);
  for (auto& c : ext) c = static_cast<wchar_t>(towupper(c));
  if (ext != L".BMP" && ext != L".DIB") return;
  HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  LARGE_INTEGER size{};
  std::vector<uint8_t> bytes;
  if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && static_cast<uint64_t>(size.QuadPart) <= kMaxImageBytes) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size()) {
      bytes.clear();
    }
  }
  CloseHandle(file);
  CoverBmpLayout layout{};
  if (bytes.empty() || CheckCoverBmp(bytes.data(), bytes.size(), bytes.size(), &layout) != kCoverBmpOk) return;
  const CoverRect place =
      CoverImageRect(imageArea, pageRect.Width(), pageRect.Height(), layout.width, std::abs(layout.height),
                     image.fgZoom ? image.wZoom : 0, image.wPosX, image.wPosY);
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, place.left, place.top, place.Width(), place.Height(), 0, 0, layout.width, std::abs(layout.height),
                bytes.data() + layout.bitsOffset, reinterpret_cast<const BITMAPINFO*>(bytes.data() + kBmpFileHeaderSize),
                DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace

HENHMETAFILE RenderCoverSheetMetafile(const CoverMetafileRequest& r, SIZE* size) {
  if (r.basic == nullptr || r.sender == nullptr || r.image == nullptr || r.reference == nullptr) return nullptr;
  if (r.basic->byStyle >= kCoverStyles) return nullptr;
  const FaxCoverStyle& style = g_faxCoverStyles[r.basic->byStyle];
  int32_t width = style.sizePage[0], height = style.sizePage[1];
  CoverRect area{style.rcClip[0], style.rcClip[1], style.rcClip[2], style.rcClip[3]};
  CoverRect imageArea{style.rcFrame[0], style.rcFrame[1], style.rcFrame[2], style.rcFrame[3]};
  const uint32_t angle = r.rotation == 90 || r.rotation == 270 ? r.rotation : 0;
  if (angle != 0) {
    area = TurnCoverRect(area, width, height, angle);
    imageArea = TurnCoverRect(imageArea, width, height, angle);
    std::swap(width, height);
  }
  // The frame in 0.01 mm, one logical unit 0.1 mm.
  const RECT frame{0, 0, area.Width() * 10, area.Height() * 10};
  HDC dc = CreateEnhMetaFileW(r.reference, r.fileName, &frame, nullptr);
  if (dc == nullptr) return nullptr;
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, 254, 254, nullptr);
  SetViewportExtEx(dc, GetDeviceCaps(r.reference, LOGPIXELSX), GetDeviceCaps(r.reference, LOGPIXELSY), nullptr);
  SetWindowOrgEx(dc, area.left, area.top, nullptr);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  Page page(dc, style, area);
  const std::wstring date = r.date ? Text(r.date, 64) : L"";
  for (int32_t i = 0; i < style.nItems && style.pItems != nullptr; ++i) {
    const CoverLayoutItem& item = style.pItems[i];
    page.Advance(item.nSpaceBefore);
    switch (item.nKind) {
      case 0:
        page.Bar(item.nSize, item.crColor);
        break;
      case 1:
        if (!date.empty()) DrawShrinking(page, date, item, true);
        break;
      case 2:
        DrawShrinking(page, Label(style.szStyleTitle), item, false);
        break;
      case 3:
        DrawRecipients(page, r, style, item);
        break;
      case 4: {
        std::vector<std::wstring> lines;
        const FcsSenderLine* l = r.sender->lines;
        for (int k = 0; k < 3; ++k) {
          if (l[k].fgOn && l[k].szText[0]) lines.push_back(Text(l[k].szText, 81));
        }
        const char16_t(*labels[3])[48] = {&style.szLabelPhone, &style.szLabelFaxNumber2, &style.szLabelEMail};
        bool any = !lines.empty();
        std::vector<std::pair<std::wstring, std::wstring>> tail;
        for (int k = 0; k < 3; ++k) {
          if (l[3 + k].fgOn && l[3 + k].szText[0]) {
            tail.push_back({Label(*labels[k]), Text(l[3 + k].szText, 81)});
            any = true;
          }
        }
        if (!any) break;
        page.Labelled(Label(style.szLabelFrom), lines.empty() ? std::vector<std::wstring>{L""} : lines, item);
        for (const auto& [label, text] : tail) {
          page.Advance(item.nLineGap);
          page.Labelled(label, {text}, item);
        }
        page.Rule(item, item.nSize);
        break;
      }
      case 5:
        if (r.basic->fgPages) {
          const std::wstring head = Label(style.szLabelTotal) + L" ";
          const std::wstring number = std::to_wstring(r.basic->wPages);
          const int32_t w = page.Width(head, item.nSize, true) + page.Width(number, item.nSize, false);
          page.Draw(head, area.right - w, item.nSize, true, item.crColor);
          page.Draw(number, area.right - page.Width(number, item.nSize, false), item.nSize, false, item.crColor);
          page.Advance(item.nSize);
          page.Rule(item, item.nSize);
        }
        break;
      case 6:
        if (r.basic->fgSubject && r.basic->szSubject[0]) {
          page.Labelled(Label(style.szLabelRe), {Text(r.basic->szSubject, 65)}, item);
          page.Rule(item, item.nSize);
        }
        break;
      case 7: {
        const std::wstring message = Text(r.basic->szComment, std::size(r.basic->szComment));
        if (message.empty()) break;
        const std::vector<std::wstring> lines = WrapMessage(page, message, item.nSize);
        for (size_t k = 0; k < lines.size(); ++k) {
          if (k != 0) page.Advance(item.nLineGap);
          page.Draw(lines[k], area.left, item.nSize, false, item.crColor);
          page.Advance(item.nSize);
        }
        break;
      }
      default:
        break;
    }
    page.Advance(item.nSpaceAfter);
  }
  DrawImage(dc, *r.image, imageArea, CoverRect{0, 0, width, height});
  if (size != nullptr) *size = {area.Width(), area.Height()};
  return CloseEnhMetaFile(dc);
}
