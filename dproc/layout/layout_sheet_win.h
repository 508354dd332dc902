// The Layout sheet (template 101): N-up and poster printing with the style
// dialog, and, on models and hosts that show them, two pages per sheet,
// duplex and booklet printing, binding, image shift, print position,
// rotation, blank-page saving and chapter division.  In this driver every
// model shows N-up with its style and blank-page saving; the other controls
// stay hidden, but set-active fills them and kill-active reads them back,
// so their settings pass through the page.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "dproc/sheets/sheet_context.h"

inline constexpr uint16_t kLayoutSheetTemplate = 101;

INT_PTR CALLBACK LayoutSheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The enable rules of the page.
void LayoutSheetEnableControls(HWND dialog, const SheetCtx* ctx);

// The chapter page list of edit 1147 cut to what the settings hold (see
// ChapterTextCut), as narrow text of the chapter code page; returns its
// length.
size_t ReadChapterText(HWND dialog, char* out, size_t capacity);
// The code page the chapter list is stored in: 0 (the default) the
// system's ANSI code page; tests put another in.
void SetChapterCodePage(unsigned codePage);

