// Keeping a number field to the characters it accepts.
#include "common/text/number_text.h"

void SetDlgItemNumberText(HWND dialog, int controlId, wchar_t* text, BOOL allowSign, BOOL allowPoint) {
  if (text == nullptr) return;
  for (size_t i = 0; text[i] != L'\0'; ++i) {
    wchar_t c = text[i];
    bool allowed = (c >= L'0' && c <= L'9') || (allowPoint && c == L'.') || (allowSign && c == L'-');
    if (allowed) continue;
    text[i] = L'\0';
    SetDlgItemTextW(dialog, controlId, text);
    SendDlgItemMessageW(dialog, controlId, EM_SETSEL, i, i);
    return;
  }
}
