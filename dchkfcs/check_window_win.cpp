// The cover sheet check window's frame: menu, toolbar with the zoom box,
// the page view, the position bar with Close, the status bar with the zoom,
// and the modal loop that runs it.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "common/win/driver_help.h"
#include "common/win/module_path.h"
#include "dchkfcs/check_window_win.h"

namespace {

constexpr wchar_t kFrameClass[] = L"VQ_CHKFCS_MAINWND";
constexpr wchar_t kBarClass[] = L"VQ_CHKFCS_DLGBAR";
constexpr int kMenuId = 102, kBarDialogId = 103, kAccelId = 104, kIconId = 105, kToolbarBitmapId = 101;
constexpr int kButtonSize = 20, kZoomBoxWidth = 80, kZoomBoxListHeight = 200, kStatusRightGap = 16;
constexpr DWORD kHelpTopic = 22200;

FcsCheckWindowState* State(HWND window) {
  return reinterpret_cast<FcsCheckWindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void SetMenuTexts(HWND frame) {
  HMENU menu = GetMenu(frame);
  if (menu == nullptr) return;
  const auto set = [](HMENU m, UINT item, BOOL byPosition, const wchar_t* text) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(text);
    SetMenuItemInfoW(m, item, byPosition, &info);
  };
  set(menu, 0, TRUE, CheckWindowText(kTextZoomMenu));
  set(menu, 1, TRUE, CheckWindowText(kTextHelpMenu));
  set(menu, kCmdZoomIn, FALSE, CheckWindowText(kTextZoomIn));
  set(menu, kCmdZoomOut, FALSE, CheckWindowText(kTextZoomOut));
  set(menu, kCmdWholePage, FALSE, CheckWindowText(kTextWholePage));
  set(menu, kCmdWholeWidth, FALSE, CheckWindowText(kTextWholeWidth));
  set(menu, kCmdHelp, FALSE, CheckWindowText(kTextHelp));
  DrawMenuBar(frame);
}

// The toolbar paints its own button-face background: the frame's background
// is hollow, and the buttons' images are transparent where they are grey.
LRESULT CALLBACK ToolbarBackground(HWND tb, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_ERASEBKGND) {
    RECT r{};
    GetClientRect(tb, &r);
    FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_BTNFACE));
    return 1;
  }
  return DefSubclassProc(tb, message, wParam, lParam);
}

void CreateToolbar(HWND frame, FcsCheckWindowState* s) {
  HWND tb = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_TOOLTIPS, 0, 0, 0, 0, frame,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCheckToolbarId)), s->module, nullptr);
  s->toolbar = tb;
  if (tb == nullptr) return;
  SetWindowLongPtrW(tb, GWL_STYLE, GetWindowLongPtrW(tb, GWL_STYLE) & ~static_cast<LONG_PTR>(TBSTYLE_TRANSPARENT));
  SetWindowSubclass(tb, ToolbarBackground, 1, 0);
  SendMessageW(tb, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(tb, TB_SETBITMAPSIZE, 0, MAKELPARAM(kButtonSize, kButtonSize));
  TBADDBITMAP bitmap{s->module, static_cast<UINT_PTR>(kToolbarBitmapId)};
  SendMessageW(tb, TB_ADDBITMAP, 4, reinterpret_cast<LPARAM>(&bitmap));
  TBBUTTON buttons[] = {
      {0, kCmdZoomIn, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
      {1, kCmdZoomOut, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
      {0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
      {2, kCmdWholePage, TBSTATE_ENABLED, BTNS_CHECK, {}, 0, 0},
      {3, kCmdWholeWidth, TBSTATE_ENABLED, BTNS_CHECK, {}, 0, 0},
      {0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
      // The zoom box lies over this separator.
      {kZoomBoxWidth, kCmdZoomBoxPlace, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
  };
  SendMessageW(tb, TB_ADDBUTTONSW, sizeof buttons / sizeof buttons[0], reinterpret_cast<LPARAM>(buttons));
  SendMessageW(tb, TB_AUTOSIZE, 0, 0);
  RECT place{};
  const LRESULT index = SendMessageW(tb, TB_COMMANDTOINDEX, kCmdZoomBoxPlace, 0);
  SendMessageW(tb, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&place));
  s->zoomBox = CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN, place.left,
                               place.top, place.right - place.left, kZoomBoxListHeight, frame,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCheckZoomBoxId)), s->module, nullptr);
  if (s->zoomBox == nullptr) return;
  SetWindowPos(s->zoomBox, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SendMessageW(s->zoomBox, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  for (int32_t zoom : kCheckZoomList) {
    wchar_t text[16];
    swprintf(text, 16, L"%d%%", static_cast<int>(zoom));
    const LRESULT at = SendMessageW(s->zoomBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendMessageW(s->zoomBox, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(zoom));
  }
}

// The status bar's parts: an empty first part and the zoom, twice as wide
// as its text, ending 16 pixels before the right edge.
void SetStatusParts(HWND frame, FcsCheckWindowState* s) {
  if (s->status == nullptr) return;
  RECT client{};
  GetClientRect(frame, &client);
  int width = 50;
  if (HDC dc = GetDC(s->status)) {
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(s->status, WM_GETFONT, 0, 0)));
    wchar_t text[16];
    swprintf(text, 16, L"%d%%", static_cast<int>(s->zoom));
    SIZE size{};
    GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &size);
    SelectObject(dc, old);
    ReleaseDC(s->status, dc);
    width = 2 * size.cx;
  }
  const int end = client.right - kStatusRightGap;
  int parts[2] = {end - width, end};
  SendMessageW(s->status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  SendMessageW(s->status, SB_SETTEXTW, 0 | SBT_NOBORDERS, reinterpret_cast<LPARAM>(L""));
  ShowCheckZoom(s);
}

INT_PTR CALLBACK BarDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* s = reinterpret_cast<FcsCheckWindowState*>(lParam);
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    wchar_t text[256];
    FormatCheckPosition(s->x, s->y, text, 256);
    SetDlgItemTextW(dialog, kPositionTextId, text);
    SetDlgItemTextW(dialog, kCmdClose, CheckWindowText(kTextClose));
    return TRUE;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == kCmdClose) {
    auto* s = reinterpret_cast<FcsCheckWindowState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (s != nullptr) SendMessageW(s->frame, WM_COMMAND, kCmdClose, 0);
    return TRUE;
  }
  return FALSE;
}

LRESULT CALLBACK BarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* s = State(bar);
  switch (message) {
    case WM_CREATE: {
      s = static_cast<FcsCheckWindowState*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      SetWindowLongPtrW(bar, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(s));
      s->barDialog = CreateDialogParamW(s->module, MAKEINTRESOURCEW(kBarDialogId), bar, BarDialogProc,
                                        reinterpret_cast<LPARAM>(s));
      return 0;
    }
    case WM_SIZE:
      if (s != nullptr && s->barDialog != nullptr) {
        RECT r{};
        GetWindowRect(s->barDialog, &r);
        SetWindowPos(s->barDialog, nullptr, LOWORD(lParam) - (r.right - r.left), 0, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(bar, &ps);
      RECT r{};
      GetClientRect(bar, &r);
      RECT shadow{r.left, r.bottom - 2, r.right, r.bottom - 1};
      RECT light{r.left, r.bottom - 1, r.right, r.bottom};
      FillRect(dc, &shadow, GetSysColorBrush(COLOR_BTNSHADOW));
      FillRect(dc, &light, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
      EndPaint(bar, &ps);
      return 0;
    }
    case WM_DESTROY:
      if (s != nullptr && s->barDialog != nullptr) DestroyWindow(s->barDialog);
      if (s != nullptr) s->barDialog = nullptr;
      return 0;
    default:
      return DefWindowProcW(bar, message, wParam, lParam);
  }
}

void Layout(HWND frame, FcsCheckWindowState* s) {
  RECT client{};
  GetClientRect(frame, &client);
  if (s->toolbar != nullptr) SendMessageW(s->toolbar, TB_AUTOSIZE, 0, 0);
  RECT tb{}, status{}, bar{};
  if (s->toolbar != nullptr) GetWindowRect(s->toolbar, &tb);
  if (s->status != nullptr) {
    SendMessageW(s->status, WM_SIZE, 0, 0);
    GetWindowRect(s->status, &status);
  }
  int barHeight = 0;
  if (s->barDialog != nullptr) {
    GetWindowRect(s->barDialog, &bar);
    barHeight = bar.bottom - bar.top + 2;
  }
  const int top = tb.bottom - tb.top;
  const int bottom = client.bottom - (status.bottom - status.top);
  if (s->bar != nullptr) MoveWindow(s->bar, 0, bottom - barHeight, client.right, barHeight, TRUE);
  if (s->view != nullptr) MoveWindow(s->view, 0, top, client.right, bottom - barHeight - top, TRUE);
  SetStatusParts(frame, s);
  FitCheckZoom(s);
}

void ApplyZoom(FcsCheckWindowState* s, int32_t zoom, bool fromList) {
  s->zoom = zoom;
  s->fitMode = kFitFree;
  if (fromList && s->zoomBox != nullptr) {
    for (int i = 0; i < static_cast<int>(sizeof kCheckZoomList / sizeof kCheckZoomList[0]); ++i) {
      if (kCheckZoomList[i] == zoom) SendMessageW(s->zoomBox, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    }
  }
  ShowCheckZoom(s);
  if (s->view != nullptr) InvalidateRect(s->view, nullptr, TRUE);
}

void UpdateFitButtons(const FcsCheckWindowState* s) {
  if (s->toolbar == nullptr) return;
  SendMessageW(s->toolbar, TB_CHECKBUTTON, kCmdWholePage, MAKELPARAM(s->fitMode == kFitWholePage, 0));
  SendMessageW(s->toolbar, TB_CHECKBUTTON, kCmdWholeWidth, MAKELPARAM(s->fitMode == kFitWholeWidth, 0));
  SendMessageW(s->toolbar, TB_ENABLEBUTTON, kCmdWholePage, TRUE);
  SendMessageW(s->toolbar, TB_ENABLEBUTTON, kCmdWholeWidth, TRUE);
}

bool Command(HWND frame, FcsCheckWindowState* s, int id, int code) {
  switch (id) {
    case kCmdEnter:
      if (s->zoomBoxFocus && s->zoomBox != nullptr) {
        wchar_t text[32] = {};
        GetWindowTextW(s->zoomBox, text, 32);
        const int32_t zoom = ParseCheckZoom(reinterpret_cast<const char16_t*>(text));
        if (zoom != 0) ApplyZoom(s, zoom, false);
        SetFocus(frame);
      }
      ShowCheckZoom(s);
      return true;
    case kCmdClose:
      PostMessageW(frame, WM_CLOSE, 0, 0);
      return true;
    case kCmdHelp:
      ShowDriverHelp(frame, HELP_CONTEXT, kHelpTopic);
      return true;
    case kCmdZoomIn:
    case kCmdZoomOut: {
      const int32_t zoom = id == kCmdZoomIn ? CheckZoomIn(s->zoom) : CheckZoomOut(s->zoom);
      if (zoom != 0) ApplyZoom(s, zoom, true);
      return true;
    }
    case kCmdWholePage:
    case kCmdWholeWidth:
      s->fitMode = ToggleFitMode(s->fitMode, id == kCmdWholePage ? kFitWholePage : kFitWholeWidth);
      FitCheckZoom(s);
      ShowCheckZoom(s);
      UpdateFitButtons(s);
      return true;
    case kCheckZoomBoxId:
      if (code == CBN_SELENDOK) {
        const LRESULT at = SendMessageW(s->zoomBox, CB_GETCURSEL, 0, 0);
        if (at >= 0) ApplyZoom(s, static_cast<int32_t>(SendMessageW(s->zoomBox, CB_GETITEMDATA, at, 0)), true);
      } else if (code == CBN_SETFOCUS || code == CBN_KILLFOCUS) {
        s->zoomBoxFocus = code == CBN_SETFOCUS;
      }
      return true;
    default:
      return false;
  }
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  FcsCheckWindowState* s = State(frame);
  switch (message) {
    case WM_CREATE: {
      s = static_cast<FcsCheckWindowState*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      SetWindowLongPtrW(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(s));
      s->frame = frame;
      SetMenuTexts(frame);
      CreateToolbar(frame, s);
      s->status = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                  frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCheckStatusId)), s->module,
                                  nullptr);
      s->bar = CreateWindowExW(0, kBarClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 10, 10, frame,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCheckBarId)), s->module, s);
      CreateCheckPageView(frame, s);
      s->fitMode = kFitWholePage;
      s->zoom = 100;
      Layout(frame, s);
      UpdateFitButtons(s);
      return 0;
    }
    case WM_SIZE:
      if (s != nullptr) Layout(frame, s);
      return 0;
    case WM_COMMAND:
      if (s != nullptr && Command(frame, s, LOWORD(wParam), HIWORD(wParam))) return 0;
      break;
    case WM_INITMENUPOPUP:
      if (s != nullptr && !HIWORD(lParam)) {
        HMENU popup = reinterpret_cast<HMENU>(wParam);
        CheckMenuItem(popup, kCmdWholePage, MF_BYCOMMAND | (s->fitMode == kFitWholePage ? MF_CHECKED : MF_UNCHECKED));
        CheckMenuItem(popup, kCmdWholeWidth,
                      MF_BYCOMMAND | (s->fitMode == kFitWholeWidth ? MF_CHECKED : MF_UNCHECKED));
        EnableMenuItem(popup, kCmdWholePage, MF_BYCOMMAND | MF_ENABLED);
        EnableMenuItem(popup, kCmdWholeWidth, MF_BYCOMMAND | MF_ENABLED);
      }
      break;
    case WM_MOUSEWHEEL:
      if (s != nullptr && s->view != nullptr) return SendMessageW(s->view, message, wParam, lParam);
      break;
    case WM_HELP: {
      const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
      if (info != nullptr && info->hItemHandle == frame) {
        ShowDriverHelp(frame, HELP_CONTEXT, kHelpTopic);
      } else {
        static const DWORD kNoTopics[] = {0, 0};
        ShowDriverHelp(frame, HELP_WM_HELP, reinterpret_cast<ULONG_PTR>(kNoTopics));
      }
      return TRUE;
    }
    case WM_DESTROY:
      if (s != nullptr) s->frame = nullptr;
      return 0;
    default:
      break;
  }
  return DefWindowProcW(frame, message, wParam, lParam);
}

void RegisterClasses(HMODULE module) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = FrameProc;
  wc.hInstance = module;
  wc.hIcon = LoadIconW(module, MAKEINTRESOURCEW(kIconId));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
  wc.lpszMenuName = MAKEINTRESOURCEW(kMenuId);
  wc.lpszClassName = kFrameClass;
  RegisterClassExW(&wc);  // already registered: not an error
  WNDCLASSEXW bar{};
  bar.cbSize = sizeof bar;
  bar.lpfnWndProc = BarProc;
  bar.hInstance = module;
  bar.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  bar.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  bar.lpszClassName = kBarClass;
  RegisterClassExW(&bar);
  RegisterCheckPageView(module);
}

}  // namespace

BOOL ShowCheckWindow(HMODULE module, HWND owner, HENHMETAFILE metafile, int flag, int x, int y) {
  if (metafile == nullptr) return FALSE;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  LoadCheckWindowTexts(module);
  FcsCheckWindowState s{};
  s.metafile = metafile;
  s.flag = flag;
  s.x = x;
  s.y = y;
  s.module = module;
  s.fitMode = kFitWholePage;
  s.zoom = 100;
  SiblingFilePath(module, L"VELDRANX.CHM", s.helpFile, 260);
  HACCEL accel = LoadAcceleratorsW(module, MAKEINTRESOURCEW(kAccelId));
  RegisterClasses(module);
  if (owner != nullptr) EnableWindow(owner, FALSE);
  HWND frame = CreateWindowExW(0, kFrameClass, CheckWindowText(kTextCaption),
                               WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, module, &s);
  if (frame == nullptr) {
    if (owner != nullptr) EnableWindow(owner, TRUE);
    return FALSE;
  }
  ShowWindow(frame, SW_SHOW);
  UpdateWindow(frame);
  // The loop waits for messages; while the queue is empty the toolbar's fit
  // buttons are brought up to date once.
  bool quit = false;
  WPARAM quitCode = 0;
  MSG msg;
  while (IsWindow(frame)) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) UpdateFitButtons(&s);
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      quit = got == 0;
      quitCode = msg.wParam;
      break;
    }
    if (accel == nullptr || !TranslateAcceleratorW(frame, accel, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  if (IsWindow(frame)) DestroyWindow(frame);
  if (owner != nullptr) {
    EnableWindow(owner, TRUE);
    SetForegroundWindow(owner);
  }
  // A WM_QUIT taken from the queue belongs to the caller's loop.
  if (quit) PostQuitMessage(static_cast<int>(quitCode));
  return TRUE;
}
