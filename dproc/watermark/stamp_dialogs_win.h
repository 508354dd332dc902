// The stamp dialogs of the watermark/overlay sheet: the date/time and page
// number stamps, and the numbering stamp.  Each takes the sheet context as
// its WM_INITDIALOG parameter, edits the working document settings in place
// and ends with 1 (OK) or 2 (Cancel, the settings put back as it found
// them).
#pragma once

#include <windows.h>

#include <cstdint>

#include "dproc/sheets/sheet_context.h"

inline constexpr uint16_t kDateTimePageFullTemplate = 2055;  // formats, colours and positions
inline constexpr uint16_t kDateTimePageShortTemplate = 191;
inline constexpr uint16_t kNumberingTemplate = 193;

// The date/time and page number stamps (2055 on a model whose
// "DateTimePage_DlgType" is TYPE1, else 191).
INT_PTR CALLBACK DateTimePageEditDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The template of that dialog for the process's model.
uint16_t DateTimePageTemplate();

// The numbering stamp (193).
INT_PTR CALLBACK NumberingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Selects in list 1706 of `dialog` the type the settings hold (no selection
// when no entry has it).
void SelectNumberingListItem(HWND dialog, SheetCtx* ctx);
// Stores the type selected in list 1706: 1, or 0 without a selection.
int GetNumberingListItem(HWND dialog, SheetCtx* ctx);
