// The colours of an owner-drawn list view row by its state: a disabled
// list in the button face and grey text, the selected row in the highlight
// colours, the others on the list's background (the window colour when it
// has none of its own) in the window text colour.
#pragma once

#include <windows.h>

#include <commctrl.h>

struct ListRowColours {
  COLORREF back;
  COLORREF fore;
};

// `background` is the list's own colour (LVM_GETBKCOLOR or
// LVM_GETTEXTBKCOLOR, as the list draws its rows).
inline ListRowColours ListRowColoursOf(COLORREF background, bool disabled, bool selected) {
  if (disabled) return {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_GRAYTEXT)};
  if (selected) return {GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_HIGHLIGHTTEXT)};
  if (background == CLR_NONE || background == CLR_DEFAULT) background = GetSysColor(COLOR_WINDOW);
  return {background, GetSysColor(COLOR_WINDOWTEXT)};
}
