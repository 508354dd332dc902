// The header/footer detail dialog (template 142), opened by the watermark
// sheet's Header / Footer Setting button: numbering (pages, first number,
// kind, colour), the date stamp (pages) and the page-number stamp (pages,
// first page, first number).
#pragma once

#include <windows.h>

#include <cstdint>

inline constexpr uint16_t kHeaderFooterTemplate = 142;

INT_PTR CALLBACK HeaderFooterDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
