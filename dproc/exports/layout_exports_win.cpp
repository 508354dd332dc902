// The Layout sheet's procedure, bound by name by the user interface core on
// every message of its page.
#include <windows.h>

#include <type_traits>

#include "common/win/export_guard.h"
#include "common/contracts/sheet_procedures.h"
#include "dproc/layout/layout_sheet_win.h"

extern "C" INT_PTR CALLBACK Prc_DocPaper2Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static_assert(std::is_same_v<decltype(&Prc_DocPaper2Proc), DLGPROC>);
  return GuardExport(kPrcDocPaper2Proc, INT_PTR{0}, [&] { return LayoutSheetProc(dialog, message, wParam, lParam); });
}
