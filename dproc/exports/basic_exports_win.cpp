// The Basic sheet's procedure, bound by name by the user interface core on
// every message of its page.
#include <windows.h>

#include <type_traits>

#include "common/contracts/sheet_procedures.h"
#include "common/win/export_guard.h"
#include "dproc/basic/basic_sheet_win.h"

extern "C" INT_PTR CALLBACK Prc_DocPaper1Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static_assert(std::is_same_v<decltype(&Prc_DocPaper1Proc), DLGPROC>);
  return GuardExport(kPrcDocPaper1Proc, INT_PTR{0}, [&] { return BasicSheetProc(dialog, message, wParam, lParam); });
}
