#include "dproc/watermark/option_combo_win.h"

#include "common/qxd/model_rows.h"
#include "dproc/model/feature_table.h"

void FillOptionRows(HWND dialog, int comboId, const char* table) {
  HWND combo = GetDlgItem(dialog, comboId);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  const OptionHead* rows = FindOptionTable(table);
  if (rows == nullptr) return;
  for (const OptionHead* row = rows; row->size != 0 && row->keyword[0] != '\0'; row = NextOptionRow(row)) {
    const wchar_t* text = L"";
    if (row->size >= sizeof(OptionItem)) text = reinterpret_cast<const wchar_t*>(reinterpret_cast<const OptionItem*>(row)->text);
    const LRESULT at = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    if (at >= 0) SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(row));
  }
}

void SelectOptionRow(HWND dialog, int comboId, uint32_t value) {
  HWND combo = GetDlgItem(dialog, comboId);
  const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT data = SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0);
    if (data != CB_ERR && data != 0 && reinterpret_cast<const OptionHead*>(data)->value == value) {
      SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
      return;
    }
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

bool SelectedOptionValue(HWND dialog, int comboId, uint32_t* value) {
  HWND combo = GetDlgItem(dialog, comboId);
  const LRESULT at = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (at < 0) return false;
  const LRESULT data = SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(at), 0);
  if (data == CB_ERR || data == 0) return false;
  *value = reinterpret_cast<const OptionHead*>(data)->value;
  return true;
}
