#include "duicore/tests/standin_compstui/standin_compstui.h"

#include <commctrl.h>
#include <compstui.h>
#include <prsht.h>

#include <cstring>
#include <vector>

#include "common/records/sheet_session.h"

namespace {

int32_t g_action = kStandinPressOk;
StandinReport g_report;
std::vector<HPROPSHEETPAGE> g_pages;

// The sheet functions of one call: the caller's, and those it added (the
// spooler adds the driver's).  Each has its own information record, whose
// handle is its place in the list plus one.
struct SheetFunction {
  PFNPROPSHEETUI function;
  PROPSHEETUI_INFO info;
};
std::vector<SheetFunction> g_functions;

LONG_PTR CALLBACK LibraryCallback(HANDLE owner, UINT function, LPARAM first, LPARAM second);

LONG StartFunction(PFNPROPSHEETUI function, LPARAM parameter) {
  g_functions.push_back(SheetFunction{function, PROPSHEETUI_INFO{}});
  PROPSHEETUI_INFO& info = g_functions.back().info;
  info.cbSize = sizeof info;
  info.Version = PROPSHEETUI_INFO_VERSION;
  info.Flags = PSUIINFO_UNICODE;
  info.Reason = PROPSHEETUI_REASON_INIT;
  info.hComPropSheet = reinterpret_cast<HANDLE>(g_functions.size());
  info.pfnComPropSheet = &LibraryCallback;
  info.lParamInit = parameter;
  // The record may move while the function adds others: call with a copy.
  PROPSHEETUI_INFO call = info;
  const size_t place = g_functions.size() - 1;
  const LONG result = function(&call, parameter);
  g_functions[place].info = call;
  return result;
}

LONG CallFunction(size_t place, WORD reason, LPARAM parameter) {
  PROPSHEETUI_INFO call = g_functions[place].info;
  call.Reason = reason;
  const LONG result = g_functions[place].function(&call, parameter);
  g_functions[place].info = call;
  return result;
}

LONG_PTR CALLBACK LibraryCallback(HANDLE owner, UINT function, LPARAM first, LPARAM second) {
  switch (function) {
    case CPSFUNC_ADD_HPROPSHEETPAGE:
      if ((g_action & 0xFF) == kStandinRefuseFirstPage && g_pages.empty()) return 0;
      g_pages.push_back(reinterpret_cast<HPROPSHEETPAGE>(first));
      ++g_report.pagesAdded;
      // The page's slot: its owner in the high bits, its place in the low.
      return (reinterpret_cast<LONG_PTR>(owner) << 16) | static_cast<LONG_PTR>(g_pages.size());
    case CPSFUNC_ADD_PFNPROPSHEETUIW: {
      if (StartFunction(reinterpret_cast<PFNPROPSHEETUI>(first), second) <= 0) return 0;
      return static_cast<LONG_PTR>(g_functions.size());
    }
    case CPSFUNC_SET_RESULT: {
      ++g_report.setResultCalls;
      // The function that owns the page hears the result, then the ones
      // that added it, up to the caller's.
      SETRESULT_INFO result = {};
      result.cbSize = sizeof result;
      result.hSetResult = reinterpret_cast<HANDLE>(first);
      result.Result = second;
      const size_t ownerPlace = static_cast<size_t>(first >> 16) - 1;
      if (ownerPlace >= g_functions.size()) return 0;
      g_report.setResultAnswer = CallFunction(ownerPlace, PROPSHEETUI_REASON_SET_RESULT, reinterpret_cast<LPARAM>(&result));
      for (size_t place = ownerPlace; place-- > 0;) {
        CallFunction(place, PROPSHEETUI_REASON_SET_RESULT, reinterpret_cast<LPARAM>(&result));
      }
      return 1;
    }
    default:
      return 0;
  }
}

void ReadSession(HWND page) {
  auto* sheetPage = reinterpret_cast<PROPSHEETPAGEW*>(GetWindowLongPtrW(page, DWLP_USER));
  if (sheetPage == nullptr) return;
  auto* session = reinterpret_cast<SheetSession*>(sheetPage->lParam);
  if (session == nullptr || session->self != session) return;
  g_report.sessionMode = session->mode;
  g_report.mayChange = session->mayChange;
  g_report.printerDefaults = session->values[kSheetPrinterDefaultsFlag];
  g_report.kind = session->kind;
  if ((g_action & kStandinTouchSettings) != 0) {
    auto* doc = reinterpret_cast<uint8_t*>(&session->working->devmode.doc);
    doc[6011] = 1;  // FaxSetting: timer send
  }
}

void RunSheet(HWND owner) {
  PROPSHEETHEADERW header = {};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_MODELESS | PSH_NOAPPLYNOW;
  header.hwndParent = owner;
  header.pszCaption = L"Stand-in";
  header.nPages = static_cast<UINT>(g_pages.size());
  header.phpage = g_pages.data();
  HWND sheet = reinterpret_cast<HWND>(PropertySheetW(&header));
  if (sheet == nullptr || reinterpret_cast<INT_PTR>(sheet) == -1) return;
  HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
  g_report.tabCount = tabs != nullptr ? static_cast<int32_t>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)) : 0;
  for (int32_t i = 0; i < g_report.tabCount && i < 20; ++i) {
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = g_report.tabTitles[i];
    item.cchTextMax = 64;
    SendMessageW(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  ReadSession(reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)));
  SendMessageW(sheet, PSM_PRESSBUTTON, (g_action & 0xFF) == kStandinPressCancel ? PSBTN_CANCEL : PSBTN_OK, 0);
  // The sheet ends when it has no current page any more.
  MSG message;
  for (int round = 0; round < 1000 && SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0) != 0; ++round) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (!PropSheet_IsDialogMessage(sheet, &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
    Sleep(1);
  }
  DestroyWindow(sheet);
}

}  // namespace

extern "C" void WINAPI StandinScript(int32_t action) { g_action = action; }

extern "C" const StandinReport* WINAPI StandinLastReport() { return &g_report; }

extern "C" LONG WINAPI CommonPropertySheetUIW(HWND owner, PFNPROPSHEETUI sheetFunction, LPARAM parameter,
                                              LPDWORD result) {
  const int32_t calls = g_report.calls + 1;
  g_report = StandinReport{};
  g_report.calls = calls;
  g_pages.clear();
  g_functions.clear();
  g_report.initResult = StartFunction(sheetFunction, parameter);
  if (g_report.initResult <= 0) {
    for (HPROPSHEETPAGE page : g_pages) DestroyPropertySheetPage(page);
    for (size_t place = g_functions.size(); place-- > 0;) CallFunction(place, PROPSHEETUI_REASON_DESTROY, 0);
    return ERR_CPSUI_GETLASTERROR;
  }
  PROPSHEETUI_INFO_HEADER header = {};
  header.cbSize = sizeof header;
  wchar_t noTitle[1] = L"";
  header.pTitle = noTitle;
  if (CallFunction(0, PROPSHEETUI_REASON_GET_INFO_HEADER, reinterpret_cast<LPARAM>(&header)) > 0) {
    g_report.headerFlags = header.Flags;
    if (header.pTitle != nullptr) lstrcpynW(g_report.headerTitle, header.pTitle, 64);
  }
  RunSheet(owner);
  const LONG_PTR answer = g_functions[0].info.Result;
  // Every function is told, the last added first; the report keeps the
  // answer of the one that made the pages.
  for (size_t place = g_functions.size(); place-- > 0;) {
    const LONG result = CallFunction(place, PROPSHEETUI_REASON_DESTROY, 0);
    if (place == g_functions.size() - 1) g_report.destroyResult = result;
  }
  if (result != nullptr) *result = static_cast<DWORD>(answer != 0 ? answer : CPSUI_CANCEL);
  return 1;
}
