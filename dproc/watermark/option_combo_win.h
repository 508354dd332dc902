// Plain drop lists of a table of options (the feature table's rows by name):
// each row's display text, the row as the item's data.
#pragma once

#include <windows.h>

#include <cstdint>

void FillOptionRows(HWND dialog, int comboId, const char* table);
// Selects the first item whose row has `value`; none when no row has it.
void SelectOptionRow(HWND dialog, int comboId, uint32_t value);
// The selected row's value; false without a selection.
bool SelectedOptionValue(HWND dialog, int comboId, uint32_t* value);
