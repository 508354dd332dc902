// Message boxes built from the general message table (see message_text.h).
// Every box goes through the UI services table (ui_services.h).
#pragma once

#include <windows.h>

#include <cstdint>

// Title and text from their rows; the text of `extraRow` (when above 0) is
// appended to the text.  The text's "%d" placeholders take `first` and
// `second`, its "%s" placeholders the two texts of ShowMessageBoxStr (see
// safe_format.h).  Returns the box's result, or IDCANCEL when the work
// buffers cannot be allocated.
int ShowMessageBox(HWND owner, int titleRow, int textRow, int extraRow, UINT style, int first, int second);
int ShowMessageBoxStr(HWND owner, int titleRow, int textRow, int extraRow, UINT style, const wchar_t* first,
                      const wchar_t* second);
// The message of a page-range list's refusal (a PageRangeStatus of
// page_ranges.h): the overlapping pages (row 230, naming `overlap`), a
// page above the highest (231), a malformed text (232), too many pages in
// all (`tooManyRow`).  True when the status refused the list and its
// message was shown.
bool ShowPageRangeMessage(HWND owner, int status, const char16_t* overlap, int tooManyRow);
// Title and text at character offsets of the message table (row × 290 +
// position in the row).  Both not empty: an exclamation box and 1; else 0.
int ShowResMessage(HWND owner, uint32_t titleOffset, uint32_t textOffset, int unused);
