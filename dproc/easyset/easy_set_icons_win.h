// The pictures of the Easy Sets: the kind of each (shared or the user's
// own) and the icon an Easy Set may show, both 16 x 16 cells of masked
// strips of the image library; the drawing of an Easy Set entry in the
// Easy Set area's combo box and of an icon in the Save and Edit dialogs'
// icon lists.
#pragma once

#include <windows.h>

inline constexpr int kEasySetIconImage = 480, kEasySetIconMask = 481;
inline constexpr int kEasySetKindImage = 482, kEasySetKindMask = 483;
inline constexpr int kEasySetIconSize = 16;
// The height of an entry that shows them.
inline constexpr UINT kEasySetEntryHeight = kEasySetIconSize + 2;

// The number of icons the image library holds (0 when it has none).
int EasySetIconCount();
// Fills `combo` with the icon numbers ("000" ...); returns their number.
int FillEasySetIconCombo(HWND combo);
// An entry of an icon list: the icon of its number, centred.
void DrawEasySetIcon(const DRAWITEMSTRUCT* item);
// An entry of the Easy Set area's combo box or of the Edit dialog's list
// (its item data the Easy Set's node, none for "Untitled"): the kind, the
// Easy Set's own icon when it shows one, and its name.
void DrawEasySetItem(HWND dialog, const DRAWITEMSTRUCT* item);
