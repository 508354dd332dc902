// Exports that put display texts on dialogs and look single texts up.
#include <windows.h>

#include "dproc/model/disp_strings_win.h"

extern "C" int WINAPI SetDispStringSingle(HMODULE module, const char* section, const char* key, wchar_t* dst,
                                          UINT capacity) {
  return LookUpDisplayText(module, section, key, dst, capacity);
}

extern "C" int WINAPI ReplaceDlgDispString(HWND dialog, const DispStringItem* table) {
  return ApplyDispStrings(dialog, table);
}

// The page id that the sheets pass is not needed.
extern "C" int WINAPI ReplaceDlgDispStringCmnItem(HWND dialog, const DispStringItem* table, UINT) {
  return ApplyCommonDispStrings(dialog, table);
}
