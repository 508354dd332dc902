// The dialog procedure of every page of a sheet session: a stub per sheet
// procedure of VELDRANA, and the forwarder that binds the procedure by name
// on each message, passes the message on and keeps the session's own work
// (the DEVMODE head when a page is left, the result when the user applies).
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include <cstring>

#include "common/contracts/sheet_procedures.h"
#include "common/win/export_guard.h"
#include "duicore/module/core_module_win.h"
#include "duicore/devmode/devmode_work_win.h"
#include "duicore/sheets/sheet_session_win.h"

namespace {

// The session of a page whose dialog was initialised; null before
// WM_INITDIALOG stored the page, or when the page's parameter is no live
// session.
SheetSession* SessionOfDialog(HWND dialog) {
  auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (page == nullptr) return nullptr;
  auto* session = reinterpret_cast<SheetSession*>(page->lParam);
  return IsSheetSession(session) ? session : nullptr;
}

void AfterNotification(HWND dialog, const NMHDR* header) {
  SheetSession* session = SessionOfDialog(dialog);
  if (session == nullptr || header == nullptr) return;
  switch (header->code) {
    case PSN_KILLACTIVE:
      SetDevModeHead(session->working, session->printer, session->printerName);
      break;
    case PSN_APPLY: {
      // The result is set once, through the first page's slot; a session
      // without pages, or whose first page was never added, sets nothing.
      auto callback = reinterpret_cast<PFNCOMPROPSHEET>(session->sheetCallback);
      if (session->pageCount > 0 && session->pageSlots[0] != 0 && callback != nullptr) {
        callback(session->sheetHandle, CPSFUNC_SET_RESULT, static_cast<LPARAM>(session->pageSlots[0]), CPSUI_OK);
      }
      break;
    }
    default:
      break;
  }
}

struct ForwarderRow {
  const char* procedure;
  DLGPROC stub;
};

constexpr const char* const* kProcedures = kSheetProcedureNames;
static_assert(kSheetProcedureCount == 7, "one forwarder stub per sheet procedure");

template <int Index>
INT_PTR CALLBACK Forwarder(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return GuardExport(kProcedures[Index], INT_PTR{1},
                     [&] { return SheetDlgProcForwarder(dialog, message, wParam, lParam, kProcedures[Index]); });
}

const ForwarderRow kForwarders[] = {
    {kProcedures[0], &Forwarder<0>}, {kProcedures[1], &Forwarder<1>}, {kProcedures[2], &Forwarder<2>},
    {kProcedures[3], &Forwarder<3>}, {kProcedures[4], &Forwarder<4>}, {kProcedures[5], &Forwarder<5>},
    {kProcedures[6], &Forwarder<6>},
};

}  // namespace

DLGPROC SheetForwarderOf(const char* procedure) {
  if (procedure == nullptr) return nullptr;
  for (const ForwarderRow& row : kForwarders) {
    if (std::strcmp(row.procedure, procedure) == 0) return row.stub;
  }
  return nullptr;
}

INT_PTR SheetDlgProcForwarder(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, const char* procedure) {
  auto sheetProc = BindUiProc<DLGPROC>(procedure);
  // A page whose procedure is not there shows its template as it is and
  // answers 1; the session's own work on its notifications still happens,
  // so that the other pages' settings are applied.
  INT_PTR result = 1;
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      if (sheetProc != nullptr) result = sheetProc(dialog, message, wParam, lParam);
      return result;
    case WM_NOTIFY:
      if (sheetProc != nullptr) result = sheetProc(dialog, message, wParam, lParam);
      AfterNotification(dialog, reinterpret_cast<const NMHDR*>(lParam));
      return result;
    default:
      return sheetProc != nullptr ? sheetProc(dialog, message, wParam, lParam) : 1;
  }
}
