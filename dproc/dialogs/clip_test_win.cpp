#include "dproc/dialogs/clip_test_win.h"

#include <winspool.h>

#include "dproc/dialogs/clip_test_report.h"

namespace {

void Write(const char16_t* line) { OutputDebugStringW(reinterpret_cast<const wchar_t*>(line)); }

struct FontDc {
  HWND window;
  HDC dc;
  HGDIOBJ old;
  FontDc(HWND w, HWND control) : window(w), dc(GetDC(w)) {
    old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  }
  ~FontDc() {
    SelectObject(dc, old);
    ReleaseDC(window, dc);
  }
  int32_t Width(const wchar_t* text) {
    SIZE size = {};
    GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    return size.cx;
  }
};

int32_t WindowWidth(HWND w) {
  RECT r;
  GetWindowRect(w, &r);
  return r.right - r.left;
}

void ReportItems(HWND dialog, int id, const wchar_t* name, int32_t added, uint32_t mode, bool list) {
  HWND box = GetDlgItem(dialog, id);
  if (box == nullptr || !IsWindowVisible(box)) return;
  FontDc font(dialog, box);
  const int32_t width = WindowWidth(box);
  const LRESULT count = SendMessageW(box, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(box, list ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length < 0 || length > 255) continue;
    wchar_t text[256] = {};
    SendMessageW(box, list ? LB_GETTEXT : CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    char16_t line[kClipLineUnits];
    const int32_t kind = list ? kClipListItem : kClipComboItem;
    if (ClipTestReportLine(kind, reinterpret_cast<const char16_t*>(name), width, font.Width(text),
                           ClipKindMargin(kind), added, reinterpret_cast<const char16_t*>(text), mode, line)) {
      Write(line);
    }
  }
}

}  // namespace

uint32_t IsClipTestMode(HWND, HANDLE printer) {
  BYTE keys[256] = {};
  if (!GetKeyboardState(keys)) return 0;
  if ((keys[VK_LCONTROL] & 0x80) == 0 || (keys[VK_LSHIFT] & 0x80) == 0 || (keys[VK_LMENU] & 0x80) == 0) return 0;
  DWORD type = 0, value = 0, needed = 0;
  if (printer == nullptr || printer == INVALID_HANDLE_VALUE) return 0;
  if (GetPrinterDataW(printer, const_cast<wchar_t*>(L"ClipTest"), &type, reinterpret_cast<BYTE*>(&value),
                      sizeof value, &needed) != ERROR_SUCCESS) {
    return 0;
  }
  return value;
}

void ClipTestBanner(const wchar_t* title, bool start) {
  char16_t line[kClipLineUnits];
  ClipTestBannerLine(reinterpret_cast<const char16_t*>(title), start, line, kClipLineUnits);
  Write(line);
}

void ClipTestDlgItems(HWND dialog, int controlId, int32_t kind, uint32_t mode) {
  HWND control = GetDlgItem(dialog, controlId);
  if (control == nullptr || !IsWindowVisible(control)) return;
  FontDc font(dialog, control);
  wchar_t raw[256] = {};
  GetWindowTextW(control, raw, 256);
  char16_t text[256];
  StripMnemonics(reinterpret_cast<const char16_t*>(raw), text, 256);
  char16_t line[kClipLineUnits];
  if (ClipTestReportLine(kind, u"", WindowWidth(control), font.Width(reinterpret_cast<const wchar_t*>(text)),
                         ClipKindMargin(kind), 0, text, mode, line)) {
    Write(line);
  }
}

void ClipTestControl(HWND dialog, int comboId, const wchar_t* name, int32_t addedMargin, uint32_t mode) {
  ReportItems(dialog, comboId, name, addedMargin, mode, false);
}

void ClipTestControlEx(HWND dialog, int listId, const wchar_t* name, int32_t addedMargin, uint32_t mode) {
  ReportItems(dialog, listId, name, addedMargin, mode, true);
}

bool RunClipTest(HWND window, HANDLE printer, const wchar_t* title, const ClipTestItem* items) {
  const uint32_t mode = IsClipTestMode(window, printer);
  if (mode == 0) return false;
  ClipTestBanner(title, true);
  for (const ClipTestItem* item = items; item != nullptr && item->controlId != 0; ++item) {
    if (item->kind == kClipComboItem) ClipTestControl(window, item->controlId, item->name, item->addedMargin, mode);
    else if (item->kind == kClipListItem)
      ClipTestControlEx(window, item->controlId, item->name, item->addedMargin, mode);
    else ClipTestDlgItems(window, item->controlId, item->kind, mode);
  }
  ClipTestBanner(title, false);
  return true;
}

int32_t ComboClipMargin() { return static_cast<int32_t>(LOWORD(GetDialogBaseUnits())) + 32; }
