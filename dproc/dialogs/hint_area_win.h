// The hint area of the sheets and dialogs: a light-bulb button (control
// 1015) and a read-only multi-line edit (control 1016) that tell the user
// why settings are restricted.  The text is the page's state hint and the
// hints the last constraint pass listed for it; with nothing to say both
// controls shrink to nothing, and come back where the template placed them
// when there is.  Call DispPageHint (exported as DispHintControl) after setting up the controls and
// after every change (after DoConstraints), and DrawHintBulbItem from
// WM_DRAWITEM of control 1015.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "dproc/sheets/sheet_context.h"

inline constexpr int kHintBulbControl = 1015;
inline constexpr int kHintTextControl = 1016;

struct HintLayout {
  uint32_t initialised;
  RECT bulb;  // dialog client coordinates
  RECT text;
};

void DispPageHint(HWND dialog, const SheetCtx* ctx, uint32_t pageId);
// Appends the page's state hint to `text` (capacity 290); true when it did.
bool BuildStateHint(HWND dialog, const SheetCtx* ctx, uint32_t pageId, char16_t* text);
// The layout of a hint page, or null for a page without a hint row.
HintLayout* GetHintLayout(uint32_t hintPageId);
void InitHintLayout(HWND dialog, HintLayout* layout);
void ShowHintArea(HWND dialog, uint32_t hintPageId);
void HideHintArea(HWND dialog, uint32_t hintPageId);
// Sets a control's text with each backslash-"n" as a line break.
void SetHintItemText(HWND dialog, int controlId, const char16_t* text);
void GetCtrlRectInParent(HWND control, RECT* rect);
void DrawHintBulbItem(HWND dialog, const DRAWITEMSTRUCT* item);
// Forgets every layout (tests; a layout is otherwise kept for the process).
void ResetHintLayouts();
