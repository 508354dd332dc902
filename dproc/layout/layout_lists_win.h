// What the Layout sheet and its dialogs share for their owner-drawn lists
// and summary pictures.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>

#include "common/qxd/model_rows.h"
#include "dproc/dialogs/clip_test_win.h"
#include "dproc/sheets/sheet_context.h"

inline constexpr int kLayoutItemHeight = 32;

// Empties a combo box, gives its selection field and items `itemHeight`
// pixels, and adds the option rows of `table` up to the row with an empty
// keyword (only those `keep` accepts, when given): each row's text, the row
// as item data.
void FillOptionCombo(HWND dialog, int comboId, const OptionHead* table, bool (*keep)(const OptionHead* row) = nullptr,
                     int itemHeight = kLayoutItemHeight);
// Selects the first item whose row value equals `value`; no selection when
// none does.  True when one was selected.
bool SelectOptionValue(HWND dialog, int comboId, uint32_t value);
// The row of the selected item, or null (no selection or no item data).
const OptionItem* SelectedOptionRow(HWND dialog, int comboId);

// The sheet's paper preview for `pageId` in an owner-drawn item.  With
// `paperOnly` the paper is shown even while the sheet shows the printer.
void DrawLayoutPreview(int pageId, HWND dialog, const DRAWITEMSTRUCT* item, const SheetCtx* ctx, bool paperOnly);
