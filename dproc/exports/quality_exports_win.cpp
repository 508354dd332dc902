// The Quality sheet's procedure, exported for hosts that show the page
// themselves (the user interface core's page table does not list it).
#include <windows.h>

#include <type_traits>

#include "common/win/export_guard.h"
#include "dproc/quality/quality_sheet_win.h"

extern "C" INT_PTR CALLBACK Prc_DocQualityMonoProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static_assert(std::is_same_v<decltype(&Prc_DocQualityMonoProc), DLGPROC>);
  return GuardExport("Prc_DocQualityMonoProc", INT_PTR{0},
                     [&] { return QualitySheetProc(dialog, message, wParam, lParam); });
}
