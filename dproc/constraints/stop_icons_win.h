// Stop icons: the small owner-drawn buttons beside controls that a
// constraint restricts, one process-wide row per icon control, with the
// reason text that the icon's tooltip shows.  The constraint pass sets the
// rows' show flags and texts; the dialogs draw the icons from them.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "dproc/constraints/stop_icon_ids.h"

inline constexpr size_t kStopIconTextUnits = 4096;

struct HintEntry {
  RECT rect;                 // the icon control in dialog client coordinates
  uint32_t controlId;        // 0 ends the table
  uint16_t imageId;          // bitmaps of the image library
  uint16_t maskId;
  uint32_t show;             // 1: the icon is shown
  uint8_t headLineAdded;     // bit 0: the reason head line is in the text
  uint8_t pad[3];
  HWND tooltip;              // the icon's tooltip window, or null
  char16_t text[kStopIconTextUnits + 1];
};

// The process's table: 122 rows and an end row of control id 0.
HintEntry* StopIconTable();
// The row of a control id, or null.
HintEntry* FindStopIcon(uint32_t controlId);

// The module whose bitmaps the icons show (the image library).
void SetStopIconImages(HMODULE images);

// Stores the rectangle of every row whose control the dialog has.
void StoreStopIconRect(HWND dialog, HintEntry* table);
// Makes a new tooltip window for every row whose control the dialog has.
void CreateToolTipWindows(HWND dialog);
// A "tooltips_class32" window owned by `owner`.
HWND CreateToolTipWindow(HWND owner);
// Shows (at its stored rectangle, enabled when visible, painted) or hides
// (no size, disabled) the icon of one control by its row.
void DrawStopInfoIcon(HWND dialog, uint32_t controlId, const DRAWITEMSTRUCT* item, HintEntry* table);
// Paints a row's bitmap pair over the icon control.
void DrawMaskedIconBitmap(HWND dialog, const DRAWITEMSTRUCT* item, const HintEntry* row);
// True when no row has the control id or its icon is not shown.
bool IsStopIconHidden(uint32_t controlId);
// After a constraint pass: shows or hides every icon the dialog has and
// gives each icon's tooltip its reason text (backslash-"n" as a line break).
void RefreshStopInfoIcons(HWND dialog);
// A new tooltip window for the icon of a control; null when no row has the
// id or the dialog lacks the control.
HWND RecreateHintToolTip(HWND dialog, uint32_t controlId);
// Destroys the tooltip windows that rows still hold (library shut-down).
void DestroyStopIconTooltips();
