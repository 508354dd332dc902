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
PFNPROPSHEETUI g_sheetFunction = nullptr;
PROPSHEETUI_INFO g_info;

LONG_PTR CALLBACK LibraryCallback(HANDLE, UINT function, LPARAM first, LPARAM second) {
  switch (function) {
    case CPSFUNC_ADD_HPROPSHEETPAGE:
      if ((g_action & 0xFF) == kStandinRefuseFirstPage && g_pages.empty()) return 0;
      g_pages.push_back(reinterpret_cast<HPROPSHEETPAGE>(first));
      ++g_report.pagesAdded;
      return static_cast<LONG_PTR>(g_pages.size());  // the page's slot
    case CPSFUNC_SET_RESULT: {
      ++g_report.setResultCalls;
      SETRESULT_INFO result = {};
      result.cbSize = sizeof result;
      result.hSetResult = reinterpret_cast<HANDLE>(first);
      result.Result = second;
      g_info.Reason = PROPSHEETUI_REASON_SET_RESULT;
      g_report.setResultAnswer = g_sheetFunction(&g_info, reinterpret_cast<LPARAM>(&result));
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
  g_sheetFunction = sheetFunction;
  g_info = PROPSHEETUI_INFO{};
  g_info.cbSize = sizeof g_info;
  g_info.Version = PROPSHEETUI_INFO_VERSION;
  g_info.Flags = PSUIINFO_UNICODE;
  g_info.Reason = PROPSHEETUI_REASON_INIT;
  g_info.hComPropSheet = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(0x5eed));
  g_info.pfnComPropSheet = &LibraryCallback;
  g_info.lParamInit = parameter;
  g_report.initResult = sheetFunction(&g_info, parameter);
  if (g_report.initResult <= 0) {
    for (HPROPSHEETPAGE page : g_pages) DestroyPropertySheetPage(page);
    return ERR_CPSUI_GETLASTERROR;
  }
  PROPSHEETUI_INFO_HEADER header = {};
  header.cbSize = sizeof header;
  wchar_t noTitle[1] = L"";
  header.pTitle = noTitle;
  g_info.Reason = PROPSHEETUI_REASON_GET_INFO_HEADER;
  if (sheetFunction(&g_info, reinterpret_cast<LPARAM>(&header)) > 0) {
    g_report.headerFlags = header.Flags;
    if (header.pTitle != nullptr) lstrcpynW(g_report.headerTitle, header.pTitle, 64);
  }
  RunSheet(owner);
  const LONG_PTR answer = g_info.Result;
  g_info.Reason = PROPSHEETUI_REASON_DESTROY;
  g_report.destroyResult = sheetFunction(&g_info, 0);
  if (result != nullptr) *result = static_cast<DWORD>(answer != 0 ? answer : CPSUI_CANCEL);
  return 1;
}
