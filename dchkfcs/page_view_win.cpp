// The page view of the cover sheet check window: the metafile as a white
// page with a shadow at the current zoom, scrolled, and the fit zoom.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

#include "dchkfcs/check_window_win.h"

namespace {

constexpr wchar_t kViewClass[] = L"VQ_CHKFCS_VIEWWND";
constexpr int kShadow = 4;

FcsCheckWindowState* State(HWND view) {
  return reinterpret_cast<FcsCheckWindowState*>(GetWindowLongPtrW(view, GWLP_USERDATA));
}

// The page's size in screen pixels at 100 %.
void MeasurePage(HWND view, FcsCheckWindowState* s) {
  ENHMETAHEADER header{};
  s->pageWidth = 0;
  s->pageHeight = 0;
  if (GetEnhMetaFileHeader(s->metafile, sizeof header, &header) == 0) return;
  HDC dc = GetDC(view);
  const int saved = SaveDC(dc);
  SetMapMode(dc, MM_HIMETRIC);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  POINT p[2] = {{header.rclFrame.left, header.rclFrame.top}, {header.rclFrame.right, header.rclFrame.bottom}};
  LPtoDP(dc, p, 2);
  RestoreDC(dc, saved);
  ReleaseDC(view, dc);
  s->pageWidth = std::abs(p[1].x - p[0].x);
  s->pageHeight = std::abs(p[1].y - p[0].y);
}

void SetBar(HWND view, int bar, int extent, int page) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
  si.nMin = 0;
  si.nMax = extent;
  si.nPage = static_cast<UINT>(page > 0 ? page : 0);
  SetScrollInfo(view, bar, &si, TRUE);
  // The position stays inside 0 .. maximum.
  si.fMask = SIF_POS;
  GetScrollInfo(view, bar, &si);
  if (si.nPos > extent) si.nPos = extent;
  if (si.nPos < 0) si.nPos = 0;
  SetScrollInfo(view, bar, &si, TRUE);
}

void Paint(HWND view, FcsCheckWindowState* s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(view, &ps);
  RECT client{};
  GetClientRect(view, &client);
  s->layout = CheckLayoutPage(s->fitMode, s->zoom, s->pageWidth, s->pageHeight, client.left, client.top,
                              client.right - client.left);
  SetBar(view, SB_HORZ, s->layout.extentX, client.right - client.left);
  SetBar(view, SB_VERT, s->layout.extentY, client.bottom - client.top);
  SetViewportOrgEx(dc, -GetScrollPos(view, SB_HORZ), -GetScrollPos(view, SB_VERT), nullptr);
  const RECT page{s->layout.left, s->layout.top, s->layout.right, s->layout.bottom};
  FillRect(dc, &page, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  PlayEnhMetaFile(dc, s->metafile, &page);
  const RECT right{page.right, page.top + kShadow, page.right + kShadow, page.bottom + kShadow};
  const RECT bottom{page.left + kShadow, page.bottom, page.right + kShadow, page.bottom + kShadow};
  FillRect(dc, &right, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  FillRect(dc, &bottom, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  HGDIOBJ pen = SelectObject(dc, GetStockObject(BLACK_PEN));
  HGDIOBJ brush = SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
  Rectangle(dc, page.left, page.top, page.right, page.bottom);
  SelectObject(dc, pen);
  SelectObject(dc, brush);
  EndPaint(view, &ps);
}

void Scroll(HWND view, int bar, int request, int thumb) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(view, bar, &si);
  const int target = CheckScrollTarget(request, si.nPos, si.nMin, si.nMax, static_cast<int32_t>(si.nPage), thumb);
  if (target == si.nPos) return;
  const int old = si.nPos;
  si.fMask = SIF_POS;
  si.nPos = target;
  SetScrollInfo(view, bar, &si, TRUE);
  if (bar == SB_HORZ) {
    ScrollWindowEx(view, old - target, 0, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
  } else {
    ScrollWindowEx(view, 0, old - target, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
  }
}

LRESULT CALLBACK ViewProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
  FcsCheckWindowState* s = State(view);
  switch (message) {
    case WM_CREATE: {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      s = static_cast<FcsCheckWindowState*>(create->lpCreateParams);
      SetWindowLongPtrW(view, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(s));
      s->view = view;
      MeasurePage(view, s);
      return 0;
    }
    case WM_PAINT:
      if (s == nullptr) break;
      Paint(view, s);
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (s == nullptr) break;
      Scroll(view, message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL: {
      const CheckWheelScroll w = CheckWheelLines(static_cast<int16_t>(HIWORD(wParam)));
      for (int i = 0; i < w.count; ++i) {
        SendMessageW(view, WM_VSCROLL, w.down ? SB_LINEDOWN : SB_LINEUP, 0);
      }
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(view, message, wParam, lParam);
}

}  // namespace

bool RegisterCheckPageView(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = ViewProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kViewClass;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateCheckPageView(HWND frame, FcsCheckWindowState* s) {
  return CreateWindowExW(WS_EX_CLIENTEDGE, kViewClass, L"", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, 0, 0, 10,
                         10, frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCheckViewId)), s->module, s);
}

void ShowCheckZoom(FcsCheckWindowState* s) {
  wchar_t text[16];
  swprintf(text, 16, L"%d%%", static_cast<int>(s->zoom));
  if (s->zoomBox != nullptr) SetWindowTextW(s->zoomBox, text);
  if (s->status != nullptr) SendMessageW(s->status, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(text));
}

void FitCheckZoom(FcsCheckWindowState* s) {
  if (s->fitMode != kFitFree && s->view != nullptr) {
    RECT client{};
    GetClientRect(s->view, &client);
    s->zoom = CheckFitZoom(s->fitMode, s->zoom, client.right - client.left, client.bottom - client.top,
                           s->pageWidth, s->pageHeight);
    ShowCheckZoom(s);
  }
  if (s->view != nullptr) InvalidateRect(s->view, nullptr, TRUE);
}
