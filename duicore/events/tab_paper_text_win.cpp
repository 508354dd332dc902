#include "duicore/events/tab_paper_text_win.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <memory>
#include <string>
#include <new>
#include <vector>

#include "common/contracts/private_escapes.h"
#include "common/contracts/proc_library_exports_win.h"
#include "common/cover/cover_page_win.h"
#include "common/qxd/paper_tables.h"
#include "common/records/doc_fields.h"
#include "common/records/job_record.h"
#include "common/win/inter_sheet_store.h"
#include "common/win/printer_queries.h"
#include "duicore/module/device_description_win.h"
#include "duicore/events/event_services_win.h"
#include "duicore/events/tab_geometry.h"

namespace {

struct ListDeleter {
  void operator()(InterSheetList* list) const { FreeInterSheetList(list); }
};
using ListPtr = std::unique_ptr<InterSheetList, ListDeleter>;

uint32_t U32(const uint8_t* record, uint32_t at) {
  uint32_t v;
  std::memcpy(&v, record + at, 4);
  return v;
}

// The list the job's settings name, for the maker, printer and driver.
ListPtr LoadJobList(HANDLE printer, const DocDMode& doc) {
  if (DocByte(&doc, DOC_FIELD_AT(CoverMFP_bUsePerPageSet)) == 0) return nullptr;
  wchar_t printerName[MAX_PATH] = {}, driverName[MAX_PATH] = {};
  if (!QueryPrinterName(printer, printerName, MAX_PATH) || !QueryDriverName(printer, driverName, nullptr)) {
    return nullptr;
  }
  return ListPtr(LoadInterSheetList(printerName, driverName, DocI16(&doc, DOC_FIELD_AT(CoverMFP_nPerPageList)), true));
}

bool HasTabText(const InterSheetEntry& e) { return e.tabPaper != 0 && e.caption[0] != u'\0'; }

int NupCount(const DocDMode& doc) {
  static const int kCounts[6] = {1, 2, 4, 6, 9, 16};
  const uint8_t kind = DocByte(&doc, kDocNupKindAt);
  return DocByte(&doc, kDocNupAt) != 0 && kind >= 1 && kind <= 5 ? kCounts[kind] : 1;
}

struct TabPage {
  HDC dc;
  int dpiX, dpiY;
  const TabSettings* tab;
  bool portrait, turnedBy90;
};

int32_t ToDeviceX(const TabPage& p, int32_t v) { return MulDiv(v, p.dpiX, 254); }
int32_t ToDeviceY(const TabPage& p, int32_t v) { return MulDiv(v, p.dpiY, 254); }

bool SendOrigin(const TabPage& p, int32_t x, int32_t y) {
  const int16_t xy[2] = {static_cast<int16_t>(ToDeviceX(p, x)), static_cast<int16_t>(ToDeviceY(p, y))};
  return SendEscape(p.dc, kEscSetPageOrigin, sizeof xy, xy);
}

void SetOrigin(const TabPage& p, int32_t x, int32_t y) {
  SetViewportOrgEx(p.dc, ToDeviceX(p, x), ToDeviceY(p, y), nullptr);
}

// The tab strip painted white, in device pixels.
void DrawTabBackground(const TabPage& p, TabCell c) {
  const TabSettings& t = *p.tab;
  HGDIOBJ oldBrush = SelectObject(p.dc, GetStockObject(WHITE_BRUSH));
  HGDIOBJ oldPen = SelectObject(p.dc, GetStockObject(NULL_PEN));
  if (p.portrait) {
    Rectangle(p.dc, ToDeviceX(p, t.bodyWidth), 0, ToDeviceX(p, t.bodyWidth + c.w - 1), ToDeviceY(p, t.height));
  } else if (p.turnedBy90) {
    Rectangle(p.dc, 0, ToDeviceY(p, t.bodyWidth), ToDeviceX(p, t.height), ToDeviceY(p, t.bodyWidth + c.w - 1));
  } else {
    Rectangle(p.dc, 0, ToDeviceY(p, t.width - t.bodyWidth - c.w + 1), ToDeviceX(p, t.height),
              ToDeviceY(p, t.width - t.bodyWidth));
  }
  SelectObject(p.dc, oldPen);
  SelectObject(p.dc, oldBrush);
}

std::vector<std::wstring> SplitLines(const char16_t* text, size_t units) {
  std::vector<std::wstring> lines(1);
  for (size_t i = 0; i < units && text[i] != u'\0'; ++i) {
    if (text[i] == u'\r' && i + 1 < units && text[i + 1] == u'\n') {
      lines.emplace_back();
      ++i;
    } else {
      lines.back().push_back(static_cast<wchar_t>(text[i]));
    }
  }
  return lines;
}

// The widest line and the height of all lines; an empty line is as high as
// a blank and adds no width.
SIZE MeasureTextBlock(HDC dc, const std::vector<std::wstring>& lines, std::vector<SIZE>* each) {
  SIZE block{0, 0};
  for (const std::wstring& line : lines) {
    SIZE s{};
    if (line.empty()) {
      GetTextExtentPoint32W(dc, L" ", 1, &s);
      s.cx = 0;
    } else {
      GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &s);
    }
    each->push_back(s);
    block.cx = std::max(block.cx, s.cx);
    block.cy += s.cy;
  }
  return block;
}

void DrawTabTextLines(const TabPage& p, const InterSheetEntry& e, bool direction1) {
  const TabSettings& t = *p.tab;
  const TabCell c = TabCellSize(t);
  const std::vector<std::wstring> lines = SplitLines(e.caption, std::size(e.caption));
  std::vector<SIZE> sizes;
  const SIZE block = MeasureTextBlock(p.dc, lines, &sizes);
  const int32_t bw = block.cx, bh = block.cy;
  const uint32_t along = e.vertPos, across = e.horzPos;
  const bool farEnd = direction1 ? (along != 1 && along != 2) : along == 2;
  const int32_t s = along == 1 ? (c.h - bw) / 2 : (farEnd ? c.h - bw : 0);
  int32_t tt;
  if (across == 1) {
    tt = (c.w - bh) / 2;
  } else if (direction1) {
    tt = across == 2 ? c.w - bh : 0;
  } else {
    tt = across == 2 ? 0 : c.w - bh;
  }
  tt += direction1 ? t.charPos * 10 : -t.charPos * 10;
  int32_t v = tt;
  for (size_t i = 0; i < lines.size(); ++i) {
    const int32_t own = along == 1 ? (bw - sizes[i].cx) / 2 : (farEnd ? bw - sizes[i].cx : 0);
    const int32_t u = s + own;
    int32_t x, y;
    if (direction1) {
      if (p.portrait) x = v, y = -u;
      else if (p.turnedBy90) x = u, y = v;
      else x = -u, y = -v;
    } else {
      if (p.portrait) x = -v, y = u;
      else if (p.turnedBy90) x = -u, y = -v;
      else x = u, y = v;
    }
    if (!lines[i].empty()) TextOutW(p.dc, x, y, lines[i].c_str(), static_cast<int>(lines[i].size()));
    v += sizes[i].cy;
  }
}

void DrawTabText(const TabPage& p, const InterSheetEntry& e) {
  const bool italic = e.fontStyle == 2 || e.fontStyle == 3;
  const bool bold = e.fontStyle == 1 || e.fontStyle == 3;
  const bool direction1 = e.orientation != 2;
  wchar_t face[LF_FACESIZE] = {};
  for (size_t i = 0; i + 1 < LF_FACESIZE && i < std::size(e.fontFace) && e.fontFace[i]; ++i) {
    face[i] = static_cast<wchar_t>(e.fontFace[i]);
  }
  LOGFONTW font{};
  bool found = false;
  if (!direction1) {
    wchar_t vertical[LF_FACESIZE] = L"@";
    wcsncat(vertical, face, LF_FACESIZE - 2);
    found = FindFontFamilyLogFont(p.dc, vertical, &font);
  }
  if (!found) found = FindFontFamilyLogFont(p.dc, face, &font);
  if (found) {
    font.lfItalic = italic ? 1 : 0;
    if (bold) font.lfWeight = FW_BOLD;
  } else {
    font = LOGFONTW{};
    wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    font.lfItalic = italic ? 1 : 0;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  }
  font.lfHeight = -static_cast<LONG>(e.fontSize * 254 / 72);
  int escapement;
  if (direction1) escapement = p.portrait ? 900 : (p.turnedBy90 ? 0 : 1800);
  else escapement = p.portrait ? 2700 : (p.turnedBy90 ? 1800 : 0);
  font.lfEscapement = font.lfOrientation = escapement;
  HFONT handle = CreateFontIndirectW(&font);
  if (handle == nullptr) return;
  HGDIOBJ old = SelectObject(p.dc, handle);
  const UINT oldAlign = SetTextAlign(p.dc, TA_LEFT | TA_TOP);
  const int oldMode = SetBkMode(p.dc, TRANSPARENT);
  DrawTabTextLines(p, e, direction1);
  SetBkMode(p.dc, oldMode);
  SetTextAlign(p.dc, oldAlign);
  SelectObject(p.dc, old);
  DeleteObject(handle);
}

// The four margins of the job's output paper from the model's paper list.
void OutputMargins(const DocDMode& doc, int32_t margins[4]) {
  for (int i = 0; i < 4; ++i) margins[i] = 0;
  const ModelInfo* model = CoreDescription().model;
  int16_t paper = DocI16(&doc, kDocOutPaperSizeAt);
  if (paper == 356 || paper == 357) paper = DocI16(&doc, kDocPaperSizeAt);
  const PaperSizeEntry* entry = FindPaperById(model, static_cast<uint32_t>(paper));
  if (entry == nullptr) return;
  for (int i = 0; i < 4; ++i) margins[i] = static_cast<int32_t>(entry->margins[i]);
}

// The tab texts of a page's first logical page: the strip painted, each
// matching entry's text drawn in its tab, the capture kept when one runs.
void DrawPageTabs(HDC dc, const InterSheetList& list, const DocDMode& doc, const uint8_t* record, uint32_t page,
                  const InterSheetEntry& first, int nup) {
  TabPage p{dc, std::max(1, GetDeviceCaps(dc, LOGPIXELSX)), std::max(1, GetDeviceCaps(dc, LOGPIXELSY)), &list.tab,
            DocByte(&doc, kDocOrientationAt) != 2, DocByte(&doc, kDocLandscapeRotationAt) == 0};
  const TabSettings& t = list.tab;
  const TabCell c = TabCellSize(t);
  if (c.h <= 0) return;  // tabs that do not fit their sheet: nothing to place
  int32_t margins[4];
  OutputMargins(doc, margins);
  int32_t bx = 0, by = 0;
  if (p.portrait) bx = margins[0] + margins[2] + c.w;
  else by = (p.turnedBy90 ? 1 : -1) * (c.w + margins[0] + margins[2]);
  const bool capture = first.printType == 0 || nup > 1;
  if (capture && !SendEscape(dc, kEscBeginCapture)) return;
  if (!SendEscape(dc, kEscSetDefaultCtm) || !SendEscape(dc, kEscSetClipToPage) || !SendOrigin(p, bx, by)) return;
  SetOrigin(p, -bx, -by);
  DrawTabBackground(p, c);
  SetOrigin(p, bx, by);
  if (!SendOrigin(p, -bx, -by)) return;
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, 254, 254, nullptr);
  SetViewportExtEx(dc, p.dpiX, p.dpiY, nullptr);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  uint32_t last = U32(record, kJobRecordLastTabAt);
  for (int i = FindTabEntryForPage(list, 0, page); i >= 0; i = FindTabEntryForPage(list, i + 1, page)) {
    const InterSheetEntry& e = list.entries[i];
    if (!HasTabText(e)) continue;
    const uint32_t position =
        e.captionPos != 0 ? e.captionPos : (last % static_cast<uint32_t>(t.tabCount)) + 1;
    last = position;
    const bool direction1 = e.orientation != 2;
    const TabPoint d = TabOrigin(t, c, static_cast<int32_t>(position), p.portrait, p.turnedBy90, direction1);
    const TabPoint f = TabSlotOffset(t, c.h, static_cast<int32_t>(position), p.portrait, p.turnedBy90);
    SendOrigin(p, f.x + bx, f.y + by);
    SetViewportOrgEx(dc, ToDeviceX(p, d.x - f.x - bx), ToDeviceY(p, d.y - f.y - by), nullptr);
    DrawTabText(p, e);
    SendOrigin(p, -(f.x + bx), -(f.y + by));
    SetViewportOrgEx(dc, ToDeviceX(p, f.x + bx - d.x), ToDeviceY(p, f.y + by - d.y), nullptr);
    if (!SendEscape(dc, kEscSetPageValue, sizeof position, &position)) break;
  }
  if (capture) SendEscape(dc, kEscEndCapture);
}

}  // namespace

void SendJobInterSheetList(HANDLE printer, HDC dc) {
  std::unique_ptr<uint8_t[]> record = ReadJobRecord(dc);
  if (!record) return;
  ListPtr list = LoadJobList(printer, *reinterpret_cast<const DocDMode*>(record.get() + kJobRecordDocAt));
  if (!list) return;
  const size_t size = kInterSheetListHeadSize + size_t{list->count} * kInterSheetEntrySize;
  std::vector<uint8_t> block(size);
  std::memcpy(block.data(), list.get(), kInterSheetListHeadSize);
  if (list->count != 0 && list->entries != nullptr) {
    std::memcpy(block.data() + kInterSheetListHeadSize, list->entries, size - kInterSheetListHeadSize);
  }
  SendEscape(dc, kEscSetInterSheetList, static_cast<uint32_t>(size), block.data());
}

int DrawTabPaperText(HDC dc, HANDLE printer, int event) {
  const int saved = SaveDC(dc);
  [&] {
    if (!UseProcMakerName()) return;
    std::unique_ptr<uint8_t[]> record = ReadJobRecord(dc);
    if (!record) return;
    const uint32_t on = 1;
    if (!SendEscape(dc, kEscSetDrawMode, sizeof on, &on)) return;
    const auto& doc = *reinterpret_cast<const DocDMode*>(record.get() + kJobRecordDocAt);
    ListPtr list = LoadJobList(printer, doc);
    if (!list || list->count == 0 || list->entries == nullptr) return;
    const bool tableSent = U32(record.get(), kJobRecordTabTableAt) != 0;
    const uint32_t counter = U32(record.get(), kJobRecordPageCounterAt);
    const int nup = NupCount(doc);
    if (event == 6 && !tableSent) {
      const int i = FindTabEntryForPage(*list, 0, counter / 2 + 1);
      if (i >= 0) {
        const InterSheetEntry& e = list->entries[i];
        const uint32_t text = (HasTabText(e) && e.printType == 1) ? 1 : 0;
        SendEscape(dc, kEscSetTabText, sizeof text, &text);
      }
    }
    uint32_t page = DocByte(&doc, kDocDoubleSidesAt) == 2 ? counter : counter / 2;
    if (event == 7) page += 1;
    int found = -1;
    for (int i = FindTabEntryForPage(*list, 0, page); i >= 0; i = FindTabEntryForPage(*list, i + 1, page)) {
      if (HasTabText(list->entries[i])) {
        found = i;
        break;
      }
    }
    if (found < 0) return;
    const InterSheetEntry& e = list->entries[found];
    const bool captured = U32(record.get(), kJobRecordTabCaptureAt) != 0;
    const bool sheetDone = U32(record.get(), kJobRecordSheetCompleteAt) != 0;
    uint16_t logical;
    std::memcpy(&logical, record.get() + kJobRecordLogicalPageAt, 2);
    const bool lastOfSheet = nup < 2 || (sheetDone && logical % nup == 0);
    if ((event == 6 && !tableSent && captured && e.printType == 0 && lastOfSheet) ||
        (event == 8 && e.printType == 0 && captured)) {
      const uint32_t off = 0;
      SendEscape(dc, kEscPrintCapture);
      SendEscape(dc, kEscSetTabCapture, sizeof off, &off);
    }
    if (event == 7 && tableSent && (e.printType == 0 || (e.printType == 1 && nup > 1))) {
      uint8_t entry[5];
      const uint32_t index = U32(record.get(), kJobRecordStoredPageAt);
      std::memcpy(entry, &index, 4);
      entry[4] = static_cast<uint8_t>(e.printType);
      SendEscape(dc, kEscSetPageEntry, sizeof entry, entry);
    }
    if (event == 7 && (nup == 1 || (logical - 1) % nup == 0)) DrawPageTabs(dc, *list, doc, record.get(), page, e, nup);
  }();
  const uint32_t off = 0;
  SendEscape(dc, kEscSetDrawMode, sizeof off, &off);
  if (saved != 0) RestoreDC(dc, saved);
  return 1;
}
