// The FAX sheet (template 171): the first document page of the fax driver.
// It edits the fax defaults of the document settings in place: the
// resolution and the fax options, each change checked by the constraint
// pass; its buttons open the cover-sheet setting dialog on the printer's
// stored cover sheet and the phone book's own editor.
#pragma once

#include <windows.h>

#include <cstdint>

inline constexpr uint16_t kFaxSheetTemplate = 171;

INT_PTR CALLBACK FaxSheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The constraint pass after a change (control id, 0 for the whole page):
// 100 or 101 refuse the change.  By default the library's DoConstraints
// export; tests put their own in (null: the default).  The same check as
// every document sheet's (SetSheetConstraintCheck).
using FaxSheetConstraintFn = int32_t (*)(HWND dialog, HWND tooltip, uint16_t controlId);
void SetFaxSheetConstraintCheck(FaxSheetConstraintFn check);
