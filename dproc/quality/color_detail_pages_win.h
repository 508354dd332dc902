// The colour detail pages of a colour model's Quality sheet: child pages
// that the sheet shows one at a time beside its own controls (the radio
// buttons 1740 all objects / 1741 each object, the object list 1739, the
// download-manager controls 1528 and 1393, and 1877 and 1890).  Colour
// matching with brightness, contrast and chroma (147), colour balance (148),
// grey compensation, screen and smoothing (149), the choices for other
// objects (162) and the colour profiles (189).
//
// A host creates each page as a child of its sheet with the sheet context
// as the page's lParam, keeps the pages' and its own window and the current
// tab in ColorPagesUiState, and sends the pages kColorPageStore before it
// applies and kColorPageRefresh when the settings changed under them.
#pragma once

#include <windows.h>

#include <cstdint>

#include "dproc/sheets/sheet_context.h"
#include "dproc/sheets/ui_state_layout.h"

enum ColorPageIndex : uint32_t {
  kColorAdjustPage,   // 147
  kColorBalancePage,  // 148
  kObjectScreenPage,  // 149
  kColorMatchPage,    // 162
  kColorProfilePage,  // 189
  kColorPageCount,
};

// The host's slots in the sheet session's UI state.
struct ColorPagesUiState {
  HWND pages[kColorPageCount];  // by ColorPageIndex; pages 147, 149, 162 and 189 put themselves in
  HWND sheet;                   // the host sheet
  uint32_t currentTab;          // 0, 1 or 2
  uint32_t builtInCounts[3];    // built-in entries of the RGB source, destination and simulation lists
};
static_assert(sizeof(ColorPagesUiState) <= kUiStateColorPagesBytes);
// The slots of a context's UI state; null without one.
ColorPagesUiState* ColorPagesStateOf(const SheetCtx* ctx);

// Store: the page writes its controls into the settings; DWLP_MSGRESULT and
// the answer are 1, or 0 when an edit holds no number within its range
// (pages 147 and 148: the range message is shown and the edit focused).
inline constexpr UINT kColorPageStore = WM_APP + 1002;
// Refresh: texts, hint, lists and controls from the settings again.
inline constexpr UINT kColorPageRefresh = WM_APP + 1003;

INT_PTR CALLBACK ColorAdjustPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ColorBalancePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ObjectScreenPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ColorMatchPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ColorProfilePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The pages in the order a host lists them: template and procedure.
struct ColorPageRow {
  uint16_t templateId;
  DLGPROC procedure;
  uint32_t reserved;
};
extern const ColorPageRow kColorPageTable[kColorPageCount];

// Shows the page that the current tab, the context, the model's profile
// switch and the object choice call for, and enables the host's controls
// and the page's by the same rules.  `window` is any page or the host.
void EnableQualityControls(HWND window, SheetCtx* ctx);
// Checks 1740 (all objects) or 1741 (each object) of the host by the
// settings; neither changes for another value.
void SetColorMatchObjectChecks(HWND sheet, SheetCtx* ctx);
// Selects the settings' object in the host's list 1739.
void SelectColorMatchObject(HWND sheet, SheetCtx* ctx);
