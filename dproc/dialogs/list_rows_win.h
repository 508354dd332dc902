// Owner-drawn list view rows: their colours by state, and a list that
// repaints whole rows (a row drawn by its owner spans every column, so a
// part of it is never painted alone).
#pragma once

#include <windows.h>

#include <commctrl.h>

struct ListRowColours {
  COLORREF back;
  COLORREF fore;
};

// A disabled list in the button face and grey text, the selected row in
// the highlight colours, the others on `background`, the list's own colour
// (LVM_GETBKCOLOR or LVM_GETTEXTBKCOLOR, as the list draws its rows; the
// window colour when it has none) in the window text colour.
inline ListRowColours ListRowColoursOf(COLORREF background, bool disabled, bool selected) {
  if (disabled) return {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_GRAYTEXT)};
  if (selected) return {GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_HIGHLIGHTTEXT)};
  if (background == CLR_NONE || background == CLR_DEFAULT) background = GetSysColor(COLOR_WINDOW);
  return {background, GetSysColor(COLOR_WINDOWTEXT)};
}

// From now on every repaint of `list` covers the full width of the rows it
// touches; StopPaintingFullRows puts the list's own procedure back (before
// the list is destroyed).  Nothing for a null list.
void PaintFullRows(HWND list);
void StopPaintingFullRows(HWND list);
