#include "dproc/model/disp_strings_win.h"

#include <cwchar>

#include "common/qxd/qxd_file.h"

namespace {

bool HasText(const DispStringItem& r) { return r.text[0] != 0; }
bool IsEnd(const DispStringItem& r) { return r.controlIds[0] == 0 && r.keyword[0] == '\0'; }

void SetOnControls(HWND dialog, const DispStringItem& r) {
  for (int k = 0; k < kDispStringIds && r.controlIds[k] != 0; ++k) {
    if (r.controlIds[k] == kTextOnlyRecord) continue;
    SetDlgItemTextW(dialog, r.controlIds[k], reinterpret_cast<const wchar_t*>(r.text));
  }
}

int Apply(HWND dialog, const DispStringItem* table, bool common) {
  if (table == nullptr || table[0].controlIds[0] == 0) return 1;
  for (int i = 0; !IsEnd(table[i]); ++i) {
    const DispStringItem& r = table[i];
    if (common && i >= 1 && i <= 5) continue;
    if (!HasText(r)) continue;
    if (i == 0 && !common) {
      if (r.controlIds[0] != kTextOnlyRecord) SetWindowTextW(dialog, reinterpret_cast<const wchar_t*>(r.text));
      continue;
    }
    SetOnControls(dialog, r);
  }
  return 1;
}

}  // namespace

int ApplyDispStrings(HWND dialog, const DispStringItem* table) { return Apply(dialog, table, false); }

int ApplyCommonDispStrings(HWND dialog, const DispStringItem* table) { return Apply(dialog, table, true); }

int LookUpDisplayText(HMODULE module, const char* section, const char* key, wchar_t* dst, UINT capacity) {
  if (section == nullptr || key == nullptr) return 0;
  QxdContext* ctx = QxdOpenBeside(module, L"VELDRANH.QXD");
  if (ctx == nullptr) return 0;
  const int found = FindDisplayText(ctx, section, key, reinterpret_cast<char16_t*>(dst), dst != nullptr ? capacity : 0);
  QxdClose(ctx);
  return found;
}
