// The Finish and Cover Page sheets' procedures, the procedure of the sheet
// names that show nothing, bound by name by hosts that show the pages.
#include <windows.h>

#include <type_traits>

#include "common/win/export_guard.h"
#include "dproc/finishing/finishing_sheets_win.h"

extern "C" INT_PTR CALLBACK Prc_DocFinishingProc_T2(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static_assert(std::is_same_v<decltype(&Prc_DocFinishingProc_T2), DLGPROC>);
  return GuardExport("Prc_DocFinishingProc_T2", INT_PTR{0},
                     [&] { return FinishSheetProc(dialog, message, wParam, lParam); });
}

extern "C" INT_PTR CALLBACK Prc_DocCoverPageProc_T2(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return GuardExport("Prc_DocCoverPageProc_T2", INT_PTR{0},
                     [&] { return CoverPageSheetProc(dialog, message, wParam, lParam); });
}

// Six sheet names that show nothing: one procedure under each.
#define EMPTY_SHEET(name)                                                                  \
  extern "C" INT_PTR CALLBACK name(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) { \
    return EmptySheetProc(dialog, message, wParam, lParam);                                 \
  }
EMPTY_SHEET(Prc_DocCoverPageProc)
EMPTY_SHEET(Prc_DocCoverPageProc_T3)
EMPTY_SHEET(Prc_DocFinishingProc_T1)
EMPTY_SHEET(Prc_DocOtherProc)
EMPTY_SHEET(Prc_DocQualityPrnMonoProc)
EMPTY_SHEET(Prc_DocQualityProc)
#undef EMPTY_SHEET
