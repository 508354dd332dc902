// The Quality sheet's procedure, exported for hosts that show the page
// themselves (the user interface core's page table does not list it).
#include <windows.h>

#include <type_traits>

#include "common/win/export_guard.h"
#include "dproc/quality/color_detail_pages_win.h"
#include "dproc/quality/quality_sheet_win.h"

extern "C" INT_PTR CALLBACK Prc_DocQualityMonoProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static_assert(std::is_same_v<decltype(&Prc_DocQualityMonoProc), DLGPROC>);
  return GuardExport("Prc_DocQualityMonoProc", INT_PTR{0},
                     [&] { return QualitySheetProc(dialog, message, wParam, lParam); });
}

// The colour detail pages, for a colour model's Quality sheet that hosts
// them as child pages (color_detail_pages_win.h).
#define COLOR_DETAIL_PAGE(name)                                                                      \
  extern "C" INT_PTR CALLBACK name##Export(HWND page, UINT message, WPARAM wParam, LPARAM lParam) { \
    return GuardExport(#name, INT_PTR{0}, [&] { return name(page, message, wParam, lParam); });     \
  }
COLOR_DETAIL_PAGE(ColorAdjustPageProc)
COLOR_DETAIL_PAGE(ColorBalancePageProc)
COLOR_DETAIL_PAGE(ObjectScreenPageProc)
COLOR_DETAIL_PAGE(ColorMatchPageProc)
COLOR_DETAIL_PAGE(ColorProfilePageProc)
#undef COLOR_DETAIL_PAGE
