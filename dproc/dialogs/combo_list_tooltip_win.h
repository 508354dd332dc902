// The item-text tooltip of a combo box's open list: a sheet hands one of its
// combo boxes to ComboListTooltipProc, and while the list is open a tracking
// tooltip beside it shows the whole text of the highlighted item (for items
// wider than the list).  The combo box, its previous window procedure and
// the tooltip window are kept in the sheet session's UI state.
#pragma once

#include <windows.h>

#include <cstdint>

#include "dproc/sheets/sheet_context.h"

struct ComboTipUiState {
  uint32_t comboId;   // the subclassed combo box, 0: none
  uint32_t pad;
  WNDPROC previous;   // its window procedure before
  HWND tooltip;       // the item-text tooltip, null until the list first opens
};

// The part inside the context's UI state; null without one.
ComboTipUiState* ComboTipStateOf(SheetCtx* ctx);

// Puts ComboListTooltipProc on the dialog's combo box (nothing without a UI
// state, or while another combo box holds it).
void InstallComboListTooltip(HWND dialog, SheetCtx* ctx, int comboId);
// The list closed: the tooltip is destroyed.
void CloseComboListTooltip(SheetCtx* ctx);
// The sheet ends: the tooltip destroyed and the combo box's own procedure
// put back.
void RemoveComboListTooltip(HWND dialog, SheetCtx* ctx);

LRESULT CALLBACK ComboListTooltipProc(HWND combo, UINT message, WPARAM wParam, LPARAM lParam);
// Shows the selected item's text beside the combo box's right edge, level
// with the item, while the item lies inside the open list `list`; hides it
// otherwise.
void TrackItemTextTip(HWND combo, HWND list, HWND tooltip);
