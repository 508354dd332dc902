#include "dproc/quality/slider_rows_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <cwctype>

void SetUpSliderRow(HWND dialog, const SliderRow& row, int32_t low, int32_t high) {
  wchar_t a[16], b[16];
  std::swprintf(a, 16, L"%d", low);
  std::swprintf(b, 16, L"%d", high);
  SendDlgItemMessageW(dialog, row.edit, EM_LIMITTEXT, std::max(std::wcslen(a), std::wcslen(b)), 0);
  SendDlgItemMessageW(dialog, row.spin, UDM_SETRANGE32, low, high);
  SendDlgItemMessageW(dialog, row.slider, TBM_SETRANGE, TRUE, MAKELPARAM(low, high));
  SendDlgItemMessageW(dialog, row.slider, TBM_SETTICFREQ, 1, 0);
  SendDlgItemMessageW(dialog, row.slider, TBM_SETLINESIZE, 0, 1);
  SendDlgItemMessageW(dialog, row.slider, TBM_SETPAGESIZE, 0, 1);
  SetDlgItemTextW(dialog, row.minimum, a);
  std::swprintf(b, 16, L"+%d", high);
  SetDlgItemTextW(dialog, row.maximum, b);
  UDACCEL step = {0, 1};
  SendDlgItemMessageW(dialog, row.spin, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
}

void ShowSliderRow(HWND dialog, const SliderRow& row, int32_t value) {
  SendDlgItemMessageW(dialog, row.spin, UDM_SETPOS32, 0, value);
  wchar_t text[16];
  std::swprintf(text, 16, L"%d", value);
  SetDlgItemTextW(dialog, row.edit, text);
  SendDlgItemMessageW(dialog, row.slider, TBM_SETPOS, TRUE, value);
}

bool ReadSliderRow(HWND dialog, const SliderRow& row, int32_t low, int32_t high, int32_t* value) {
  wchar_t text[65] = {};
  GetDlgItemTextW(dialog, row.edit, text, 65);
  if (text[0] == 0) return false;
  wchar_t* end = nullptr;
  const long v = std::wcstol(text, &end, 10);
  if (end == text || *end != 0 || v < low || v > high) return false;
  *value = static_cast<int32_t>(v);
  return true;
}

bool SliderEditChanged(HWND dialog, const SliderRow& row, int32_t low, int32_t high, int32_t* value) {
  wchar_t text[65] = {};
  GetDlgItemTextW(dialog, row.edit, text, 65);
  size_t keep = 0;
  while (text[keep] != 0 && (std::iswdigit(text[keep]) || text[keep] == L'-')) ++keep;
  if (text[keep] != 0) {
    text[keep] = 0;
    SetDlgItemTextW(dialog, row.edit, text);
    SendDlgItemMessageW(dialog, row.edit, EM_SETSEL, keep, keep);
  }
  if (!ReadSliderRow(dialog, row, low, high, value)) return false;
  SendDlgItemMessageW(dialog, row.slider, TBM_SETPOS, TRUE, *value);
  return true;
}

int SliderRowMoved(HWND dialog, const SliderRow* rows, int count, HWND slider) {
  for (int i = 0; i < count; ++i) {
    const SliderRow& r = rows[i];
    if (GetDlgItem(dialog, r.slider) != slider) continue;
    const LRESULT position = SendMessageW(slider, TBM_GETPOS, 0, 0);
    SendDlgItemMessageW(dialog, r.spin, UDM_SETPOS32, 0, position);
    wchar_t text[16];
    std::swprintf(text, 16, L"%d", static_cast<int>(position));
    SetDlgItemTextW(dialog, r.edit, text);
    return i;
  }
  return -1;
}
