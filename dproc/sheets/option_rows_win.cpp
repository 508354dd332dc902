#include "dproc/sheets/option_rows_win.h"

#include "dproc/model/feature_table.h"

#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/owner_draw_win.h"

namespace {
constexpr int kRowsShown = 64;
}  // namespace

const wchar_t* OptionRowDisplayText(const OptionHead* row) {
  return reinterpret_cast<const wchar_t*>(reinterpret_cast<const uint8_t*>(row) + sizeof(OptionHead));
}

void FillOptionRows(HWND dialog, int comboId, const OptionHead* rows, bool (*keep)(const OptionHead* row)) {
  HWND combo = GetDlgItem(dialog, comboId);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  const OptionHead* row = rows;
  for (int n = 0; row != nullptr && row->size >= sizeof(OptionHead) + 2 && row->keyword[0] != '\0' && n < kRowsShown;
       ++n, row = NextOptionRow(row)) {
    if (keep != nullptr && !keep(row)) continue;
    const LRESULT at = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(OptionRowDisplayText(row)));
    if (at >= 0) SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(row));
  }
}

void FillOptionRowsByName(HWND dialog, int comboId, const char* table) {
  FillOptionRows(dialog, comboId, FindOptionTable(table));
}

void SelectOptionRow(HWND dialog, int comboId, uint32_t value) {
  HWND combo = GetDlgItem(dialog, comboId);
  const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const LRESULT data = SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0);
    if (data != CB_ERR && data != 0 && reinterpret_cast<const OptionHead*>(data)->value == value) {
      SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
      return;
    }
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

const OptionHead* SelectedOptionHead(HWND dialog, int comboId) {
  HWND combo = GetDlgItem(dialog, comboId);
  const LRESULT at = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (at < 0) return nullptr;
  const LRESULT data = SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(at), 0);
  return data == CB_ERR || data == 0 ? nullptr : reinterpret_cast<const OptionHead*>(data);
}

bool SelectedOptionValue(HWND dialog, int comboId, uint32_t* value) {
  const OptionHead* row = SelectedOptionHead(dialog, comboId);
  if (row == nullptr) return false;
  *value = row->value;
  return true;
}

void DrawOptionRowItem(const DRAWITEMSTRUCT* item) {
  if (item->itemID != static_cast<UINT>(-1) && (item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0) {
    DrawItemBackground(item);
    if (item->itemData != 0 && item->itemData != static_cast<ULONG_PTR>(CB_ERR)) {
      const auto* row = reinterpret_cast<const OptionHead*>(item->itemData);
      DrawIconText(item, row->flag != 0 ? static_cast<int>(row->iconId) : 0, OptionRowDisplayText(row));
    }
  }
  const bool focused = (item->itemState & ODS_FOCUS) != 0 && GetFocus() == item->hwndItem;
  if (item->itemAction == ODA_FOCUS || focused) DrawItemFocus(item);
}
