// The cover page composer: the style's items drawn one below the other into
// an enhanced metafile whose logical unit is 0.1 mm, then the image stamp.
#include "common/cover/cover_page_win.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/cover/cover_defaults.h"
#include "common/qxd/fax_cover_styles.h"

namespace {

// Fonts of the page are never lowered below this height (2.1 mm).
constexpr int32_t kMinFittedHeight = 21;
constexpr int32_t kBoldWeight = 700, kPlainWeight = 400;

std::wstring Bounded(const char16_t* text, size_t capacity) {
  if (text == nullptr) return {};
  size_t n = 0;
  while (n < capacity && text[n] != 0) ++n;
  return std::wstring(reinterpret_cast<const wchar_t*>(text), n);
}
template <size_t N>
std::wstring Field(const char16_t (&text)[N]) {
  return Bounded(text, N);
}

// The drawing of one page: the metafile DC, the line position, the style
// copy and the face the style names.
struct CoverPainter {
  HDC dc;
  int32_t y;
  CoverRect frame;
  const FaxCoverStyle* style;
  LOGFONTW face;  // all zero when the style's face is not installed

  HFONT MakeFont(int32_t height, bool bold) const {
    LOGFONTW lf = face;
    lf.lfHeight = height;
    lf.lfWidth = 0;
    lf.lfWeight = bold ? kBoldWeight : kPlainWeight;
    return CreateFontIndirectW(&lf);
  }

  SIZE Extent(const std::wstring& text, int32_t height, bool bold) const {
    SIZE size{0, 0};
    HFONT font = MakeFont(height, bold);
    HGDIOBJ old = SelectObject(dc, font);
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    DeleteObject(font);
    return size;
  }

  // Draws `text` at the line position, from `left` or ending at `right`, and
  // moves the line down by the text's height.  Returns the text's width.
  int32_t Text(const std::wstring& text, int32_t left, int32_t right, bool alignRight, const CoverLayoutItem& item,
               int32_t height, bool bold) {
    HFONT font = MakeFont(height, bold);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SetTextColor(dc, static_cast<COLORREF>(item.crColor));
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    const int32_t x = alignRight ? right - size.cx : left;
    ExtTextOutW(dc, x, y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    SelectObject(dc, old);
    DeleteObject(font);
    y += size.cy;
    return size.cx;
  }

  // A label (its text and one blank, bold) whose value follows on the same
  // line: the line position stays; returns where the value starts.
  int32_t Label(const char16_t* label, size_t capacity, int32_t left, const CoverLayoutItem& item) {
    const int32_t top = y;
    const int32_t width = Text(Bounded(label, capacity) + L" ", left, 0, false, item, item.nSize, true);
    y = top;
    return left + width;
  }

  void Rule(const CoverLayoutItem& item, int32_t left, int32_t right) {
    if (item.nRuleWidth == 0) return;
    HPEN pen = CreatePen(PS_SOLID, item.nRuleWidth, static_cast<COLORREF>(item.crColor));
    HGDIOBJ old = SelectObject(dc, pen);
    const int32_t at = y + item.nSize / 2;
    MoveToEx(dc, left, at, nullptr);
    LineTo(dc, right, at);
    SelectObject(dc, old);
    DeleteObject(pen);
    y += item.nSize;
  }

  void Bar(const CoverLayoutItem& item) {
    RECT r{frame.left, y, frame.right, y + item.nSize};
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(item.crColor));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    y += item.nSize;
  }

  // The date (right-aligned) or the title: bold, lowered in steps of 0.1 mm
  // while it is not narrower than the frame, never below 2.1 mm; the space
  // after the item shrinks in the same proportion.
  void FittedLine(const CoverLayoutItem& item, const std::wstring& text, bool alignRight) {
    int32_t height = item.nSize;
    if (height > kMinFittedHeight) {
      while (height > kMinFittedHeight && Extent(text, height, true).cx >= frame.Width()) --height;
    }
    Text(text, frame.left, frame.right, alignRight, item, height, true);
    Rule(item, frame.left, frame.right);
    if (height != item.nSize && item.nSize != 0) {
      y += CoverMulDiv(item.nSpaceAfter, height, item.nSize) - item.nSpaceAfter;
    }
  }

  void LineGap(const CoverLayoutItem& item, bool* first) {
    if (!*first) y += item.nLineGap;
    *first = false;
  }

  void RecipientBlock(const CoverLayoutItem& item, const CoverPageRequest& request) {
    if (request.titleMode) {
      const std::wstring title = Bounded(request.title, 33);
      if (title.empty()) return;
      const int32_t column = Label(style->szLabelTo, 48, frame.left, item);
      Text(title, column, frame.right, false, item, item.nSize, false);
      Rule(item, column, frame.right);
      return;
    }
    if (request.entries == nullptr || request.entryCount < 1) return;
    bool anyText = false;
    for (uint32_t i = 0; i < request.entryCount && !anyText; ++i) {
      const FaxRecipientEntry& e = request.entries[i];
      anyText = !Field(e.szCompany).empty() || !Field(e.szDepartment).empty() || !Field(e.szName).empty() ||
                !Field(e.szFaxNumber).empty();
    }
    if (!anyText) return;
    const int32_t column = Label(style->szLabelTo, 48, frame.left, item);
    const int32_t columnWidth = frame.right - column;
    const auto join = [](const std::wstring& a, const std::wstring& b) {
      if (a.empty()) return b;
      if (b.empty()) return a;
      return a + L" " + b;
    };
    bool first = true;
    const auto line = [&](const std::wstring& text) {
      if (text.empty()) return;
      LineGap(item, &first);
      Text(text, column, frame.right, false, item, item.nSize, false);
    };
    for (uint32_t i = 0; i < request.entryCount; ++i) {
      const FaxRecipientEntry& e = request.entries[i];
      const std::wstring company = Field(e.szCompany), department = Field(e.szDepartment), name = Field(e.szName);
      const std::wstring a = join(company, department);
      const std::wstring b = join(a, name);
      if (Extent(b, item.nSize, false).cx < columnWidth) {
        line(b);
      } else if (Extent(a, item.nSize, false).cx < columnWidth) {
        line(a);
        line(name);
      } else {
        line(company);
        line(department);
        line(name);
      }
      const std::wstring number = Field(e.szFaxNumber);
      if (!number.empty()) {
        LineGap(item, &first);
        const int32_t at = Label(style->szLabelFaxNumber, 48, column, item);
        Text(number, at, frame.right, false, item, item.nSize, false);
      }
    }
    Rule(item, column, frame.right);
  }

  void SenderBlock(const CoverLayoutItem& item, const FcsSenderPart& sender) {
    std::wstring texts[kFcsSenderLines];
    bool anyText = false;
    for (uint32_t i = 0; i < kFcsSenderLines; ++i) {
      if (sender.lines[i].fgOn) texts[i] = Field(sender.lines[i].szText);
      anyText = anyText || !texts[i].empty();
    }
    if (!anyText) return;
    const int32_t column = Label(style->szLabelFrom, 48, frame.left, item);
    bool first = true;
    for (uint32_t i : {kFcsSenderCompany, kFcsSenderDepartment, kFcsSenderName}) {
      if (texts[i].empty()) continue;
      LineGap(item, &first);
      Text(texts[i], column, frame.right, false, item, item.nSize, false);
    }
    const struct {
      uint32_t line;
      const char16_t* label;
    } labelled[] = {{kFcsSenderPhone, style->szLabelPhone},
                    {kFcsSenderFaxNumber, style->szLabelFaxNumber2},
                    {kFcsSenderEMail, style->szLabelEMail}};
    for (const auto& l : labelled) {
      if (texts[l.line].empty()) continue;
      LineGap(item, &first);
      const int32_t at = Label(l.label, 48, column, item);
      Text(texts[l.line], at, frame.right, false, item, item.nSize, false);
    }
    Rule(item, frame.left, frame.right);
  }

  void PagesLine(const CoverLayoutItem& item, const FcsBasicPart& basic) {
    if (!basic.fgPages) return;
    wchar_t digits[16];
    swprintf(digits, 16, L"%d", static_cast<int>(basic.wPages));
    const std::wstring number = digits;
    const std::wstring label = Bounded(style->szLabelTotal, 48) + L" ";
    const int32_t numberLeft = frame.right - Extent(number, item.nSize, false).cx;
    const int32_t top = y;
    Text(label, frame.left, numberLeft, true, item, item.nSize, true);
    const int32_t labelBottom = y;
    y = top;
    Text(number, frame.left, frame.right, true, item, item.nSize, false);
    y = std::max(y, labelBottom);
    Rule(item, frame.left, frame.right);
  }

  void SubjectLine(const CoverLayoutItem& item, const FcsBasicPart& basic) {
    const std::wstring subject = Field(basic.szSubject);
    if (!basic.fgSubject || subject.empty()) return;
    const int32_t at = Label(style->szLabelRe, 48, frame.left, item);
    Text(subject, at, frame.right, false, item, item.nSize, false);
    Rule(item, frame.left, frame.right);
  }

  // The comment: source lines at every CR LF, each broken by characters
  // where the frame's width runs out; an empty source line is one blank line.
  void CommentBlock(const CoverLayoutItem& item, const FcsBasicPart& basic) {
    const std::wstring comment = Field(basic.szComment);
    if (comment.empty()) return;
    HFONT font = MakeFont(item.nSize, false);
    bool first = true;
    size_t start = 0;
    for (;;) {
      const size_t end = comment.find(L"\r\n", start);
      const std::wstring source = comment.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
      if (source.empty()) {
        LineGap(item, &first);
        Text(L" ", frame.left, frame.right, false, item, item.nSize, false);
      }
      size_t at = 0;
      while (at < source.size()) {
        const std::wstring rest = source.substr(at);
        int fit = 0;
        SIZE size{0, 0};
        HGDIOBJ old = SelectObject(dc, font);
        GetTextExtentExPointW(dc, rest.c_str(), static_cast<int>(rest.size()), frame.Width(), &fit, nullptr, &size);
        SelectObject(dc, old);
        const size_t take = fit > 0 ? std::min(static_cast<size_t>(fit), rest.size()) : rest.size();
        LineGap(item, &first);
        Text(rest.substr(0, take), frame.left, frame.right, false, item, item.nSize, false);
        at += take;
      }
      if (end == std::wstring::npos) break;
      start = end + 2;
    }
    DeleteObject(font);
    Rule(item, frame.left, frame.right);
  }

  void Item(const CoverLayoutItem& item, const CoverPageRequest& request, const std::wstring& date) {
    switch (item.nKind) {
      case 0: Bar(item); break;
      case 1: FittedLine(item, date, true); break;
      case 2: FittedLine(item, Bounded(style->szStyleTitle, 48), false); break;
      case 3: RecipientBlock(item, request); break;
      case 4: if (request.sender != nullptr) SenderBlock(item, *request.sender); break;
      case 5: PagesLine(item, *request.basic); break;
      case 6: SubjectLine(item, *request.basic); break;
      case 7: CommentBlock(item, *request.basic); break;
      default: break;
    }
  }
};

// The image stamp over the items; a file that cannot be used leaves the page
// without image.
void DrawCoverImage(HDC dc, const FcsImagePart& image, const CoverRect& pageRect, int32_t pageWidth,
                    int32_t pageHeight) {
  if (!image.fgPasteImage) return;
  CoverImage bitmap;
  if (!LoadCoverImage(image, &bitmap)) return;
  const int32_t rows = bitmap.height < 0 ? -bitmap.height : bitmap.height;
  const CoverRect r = CoverImageRect(pageRect, pageWidth, pageHeight, bitmap.width, rows,
                                     image.fgZoom ? image.wZoom : 0, image.wPosX, image.wPosY);
  const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, r.left, r.top, r.Width(), r.Height(), 0, 0, bitmap.width, rows, bitmap.bits.data(),
                reinterpret_cast<const BITMAPINFO*>(bitmap.info.data()), DIB_RGB_COLORS, SRCCOPY);
  SetStretchBltMode(dc, oldMode);
}

// A rectangle of 0.1 mm moved onto whole pixels of the reference device.
CoverRect OnDevicePixels(HDC ref, const CoverRect& r) {
  POINT p[2] = {{r.left, -r.top}, {r.right, -r.bottom}};
  LPtoDP(ref, p, 2);
  DPtoLP(ref, p, 2);
  return CoverRect{p[0].x, -p[0].y, p[1].x, -p[1].y};
}

}  // namespace

HENHMETAFILE CreateCoverSheetEmf(const CoverPageRequest& request, SIZE* pageSize) {
  if (request.basic == nullptr || request.refDc == nullptr) return nullptr;
  if (request.basic->byStyle >= kCoverStyles) return nullptr;
  // The drawing works on a copy: turning changes its geometry.
  FaxCoverStyle style = g_faxCoverStyles[request.basic->byStyle];
  const uint32_t angle = CoverAngle(request.angle);
  int32_t width = style.sizePage[0], height = style.sizePage[1];
  CoverRect clip{style.rcClip[0], style.rcClip[1], style.rcClip[2], style.rcClip[3]};
  CoverRect frame{style.rcFrame[0], style.rcFrame[1], style.rcFrame[2], style.rcFrame[3]};
  if (angle != 0) {
    clip = TurnCoverRect(clip, width, height, angle);
    frame = TurnCoverRect(frame, width, height, angle);
    std::swap(width, height);
  }

  // Frame and page on whole pixels of the reference device (its metric
  // mapping has y upwards, hence the signs).
  const int saved = SaveDC(request.refDc);
  if (saved == 0) return nullptr;
  SetMapMode(request.refDc, MM_LOMETRIC);
  frame = OnDevicePixels(request.refDc, frame);
  const CoverRect page = OnDevicePixels(request.refDc, CoverRect{0, 0, width, height});
  POINT inch{GetDeviceCaps(request.refDc, LOGPIXELSX), GetDeviceCaps(request.refDc, LOGPIXELSY)};
  DPtoLP(request.refDc, &inch, 1);
  RestoreDC(request.refDc, saved);
  const int32_t inchX = std::abs(inch.x), inchY = std::abs(inch.y);

  const RECT emfFrame{0, 0, page.Width() * 10, page.Height() * 10};
  HDC dc = CreateEnhMetaFileW(request.refDc, request.metafileName, &emfFrame, nullptr);
  if (dc == nullptr) return nullptr;
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, inchX > 0 ? inchX : 254, inchY > 0 ? inchY : 254, nullptr);
  SetViewportExtEx(dc, GetDeviceCaps(request.refDc, LOGPIXELSX), GetDeviceCaps(request.refDc, LOGPIXELSY), nullptr);
  IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);

  CoverPainter painter{dc, frame.top, frame, &style, {}};
  if (!FindFontFamilyLogFont(dc, reinterpret_cast<const wchar_t*>(style.szFontFace), &painter.face)) {
    painter.face = LOGFONTW{};
  }
  const std::wstring date = Bounded(request.dateText, kCoverDateChars - 1);
  for (int32_t i = 0; i < style.nItems && style.pItems != nullptr; ++i) {
    const CoverLayoutItem& item = style.pItems[i];
    painter.y += item.nSpaceBefore;
    painter.Item(item, request, date);
    painter.y += item.nSpaceAfter;
  }
  if (request.image != nullptr) DrawCoverImage(dc, *request.image, page, width, height);

  if (pageSize != nullptr) *pageSize = SIZE{width, height};
  return CloseEnhMetaFile(dc);
}

void CoverRecipientSource(const FcsRecipientPart& recipient, const FaxRecipientEntry* entries, uint32_t count,
                          FaxRecipientEntry* own, CoverPageRequest* request) {
  request->titleMode = recipient.byRecipientMode == 0;
  request->title = recipient.szTitle;
  request->entries = nullptr;
  request->entryCount = 0;
  if (request->titleMode) return;
  if (recipient.byRecipientSetting == 0) {
    request->entries = entries;
    request->entryCount = entries != nullptr ? count : 0;
  } else if (recipient.byRecipientSetting == 2) {
    *own = FaxRecipientEntry{};
    const auto copy = [](char16_t (&to)[81], const char16_t (&from)[81], uint8_t on) {
      if (!on) return;
      std::memcpy(to, from, sizeof(to));
      to[80] = 0;
    };
    copy(own->szCompany, recipient.szCompany, recipient.fgCompany);
    copy(own->szDepartment, recipient.szDepartment, recipient.fgDepartment);
    copy(own->szName, recipient.szName, recipient.fgName);
    copy(own->szFaxNumber, recipient.szFaxNumber, recipient.fgFaxNumber);
    request->entries = own;
    request->entryCount = 1;
  } else if (entries != nullptr && count >= 1) {
    request->entries = entries;
    request->entryCount = 1;
  }
}

HENHMETAFILE RenderFaxCoverSheet(HDC refDc, uint32_t angle, const FaxCoverSheetData& data,
                                 const FaxRecipientEntry* entries, uint32_t count, SIZE* pageSize) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char16_t date[kCoverDateChars];
  FormatCoverDate(data.basic, now.wYear, now.wMonth, now.wDay, date);
  CoverPageRequest request;
  request.refDc = refDc;
  request.angle = angle;
  request.dateText = date;
  FaxRecipientEntry own{};
  CoverRecipientSource(data.recipient, entries, count, &own, &request);
  request.basic = &data.basic;
  request.sender = &data.sender;
  request.image = &data.image;
  return CreateCoverSheetEmf(request, pageSize);
}
