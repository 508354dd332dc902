// The owner-drawn option lists of the Quality sheet and its dialogs: rows of
// an option table (a row's head, then its display text) as the items'
// data, selected by value, drawn with the stop icon of a refused row.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/qxd/model_rows.h"

// The display text that follows a row's head.
const wchar_t* OptionRowDisplayText(const OptionHead* row);
// Calls `keep` (when given) for each row up to the first without keyword
// (at most 64 rows); the rows it keeps become the combo box's items.
void FillOptionRows(HWND dialog, int comboId, const OptionHead* rows, bool (*keep)(const OptionHead* row) = nullptr);
// Selects the first item whose row has `value`; no selection when none has.
void SelectOptionRow(HWND dialog, int comboId, uint32_t value);
// The row of the selected item, or null.
const OptionHead* SelectedOptionHead(HWND dialog, int comboId);
// An item of such a list: background, the row's icon when the row is
// marked refused, its text, and the focus rectangle.
void DrawOptionRowItem(const DRAWITEMSTRUCT* item);
