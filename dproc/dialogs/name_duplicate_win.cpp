// The duplicate-name checks of the management dialogs.
#include "dproc/dialogs/name_duplicate_win.h"

#include <commctrl.h>

#include <string>

std::wstring ListViewItemText(HWND list, int item, int column) {
  wchar_t text[260] = {};
  LVITEMW lv{};
  lv.iSubItem = column;
  lv.pszText = text;
  lv.cchTextMax = 260;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv));
  return text;
}

namespace {

bool SameText(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

int CheckListNameDuplicate(HWND dialog, int editId, int driverListId, int deviceListId) {
  HWND driver = GetDlgItem(dialog, driverListId);
  if (driver == nullptr) return 1;
  const int selected = static_cast<int>(SendMessageW(driver, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (selected < 0) return 1;
  wchar_t name[260] = {};
  GetDlgItemTextW(dialog, editId, name, 260);
  const std::wstring location = ListViewItemText(driver, selected, 2);
  const int count = static_cast<int>(SendMessageW(driver, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    if (i != selected && SameText(ListViewItemText(driver, i, 2), location) &&
        SameText(ListViewItemText(driver, i, 0), name)) {
      return 0;
    }
  }
  if (HWND device = GetDlgItem(dialog, deviceListId)) {
    const int n = static_cast<int>(SendMessageW(device, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      if (SameText(ListViewItemText(device, i, 2), location) && SameText(ListViewItemText(device, i, 0), name)) return 0;
    }
  }
  return 1;
}

int CheckFormNameDuplicate(HWND dialog) { return CheckListNameDuplicate(dialog, 1572, 1568, 1563); }

int CheckProfileNameDuplicate(HWND dialog) { return CheckListNameDuplicate(dialog, 1543, 1538, 1533); }
