// Drop lists of the rows of an option table (a row's head, then its display
// text), the rows as the items' data, selected by value; owner-drawn ones
// (the Quality sheet and its dialogs) show the stop icon of a refused row.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/qxd/model_rows.h"

// The display text that follows a row's head.
const wchar_t* OptionRowDisplayText(const OptionHead* row);
// Calls `keep` (when given) for each row up to the first without keyword
// (at most 64 rows); the rows it keeps become the combo box's items.
void FillOptionRows(HWND dialog, int comboId, const OptionHead* rows, bool (*keep)(const OptionHead* row) = nullptr);
// The same with the feature table's rows of `table` (by name); an empty list
// when the model has no such table.
void FillOptionRowsByName(HWND dialog, int comboId, const char* table);
// Selects the first item whose row has `value`; no selection when none has.
void SelectOptionRow(HWND dialog, int comboId, uint32_t value);
// The row of the selected item, or null.
const OptionHead* SelectedOptionHead(HWND dialog, int comboId);
// The selected row's value; false without a selection.
bool SelectedOptionValue(HWND dialog, int comboId, uint32_t* value);
// An item of such a list: background, the row's icon when the row is
// marked refused, its text, and the focus rectangle.
void DrawOptionRowItem(const DRAWITEMSTRUCT* item);
