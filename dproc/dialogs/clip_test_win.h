// The text-clipping check of a sheet or dialog (see clip_test_report.h):
// run from the help handler; a window lists its controls in a table.
#pragma once

#include <windows.h>

#include <cstdint>

// The report mode: 0 unless the left Ctrl, Shift and Alt keys are all down
// and the printer's "ClipTest" value reads as a non-zero 32-bit value.
uint32_t IsClipTestMode(HWND window, HANDLE printer);
void ClipTestBanner(const wchar_t* title, bool start);
void ClipTestDlgItems(HWND dialog, int controlId, int32_t kind, uint32_t mode);
void ClipTestControl(HWND dialog, int comboId, const wchar_t* name, int32_t addedMargin, uint32_t mode);
void ClipTestControlEx(HWND dialog, int listId, const wchar_t* name, int32_t addedMargin, uint32_t mode);

// One measured control of a window's table.
struct ClipTestItem {
  int controlId;
  int32_t kind;            // ClipKind
  const wchar_t* name;     // combo and list boxes
  int32_t addedMargin;     // combo and list boxes: the room their pictures take
};
// The help handler's check: with a report mode, writes the banner, the
// lines of the table's controls (ending at control id 0) and the closing
// banner, and returns true (the help is not opened); else false.
bool RunClipTest(HWND window, HANDLE printer, const wchar_t* title, const ClipTestItem* items);
// The room a combo box's pictures take in the clip test: the dialog base
// units' width plus 32.
int32_t ComboClipMargin();
