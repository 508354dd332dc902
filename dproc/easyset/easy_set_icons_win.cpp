#include "dproc/easyset/easy_set_icons_win.h"

#include <cwchar>

void FillEasySetIconCombo(HWND combo) {
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (int i = 0; i < kEasySetIconCount; ++i) {
    wchar_t text[8];
    swprintf(text, 8, L"%03d", i);
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
}
