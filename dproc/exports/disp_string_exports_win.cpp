// Exports that put display texts on dialogs and look single texts up.
#include <windows.h>

#include <type_traits>

#include "common/contracts/proc_library_exports_win.h"
#include "common/win/export_guard.h"
#include "dproc/model/disp_strings_win.h"

extern "C" int WINAPI SetDispStringSingle(HMODULE module, const char* section, const char* key, wchar_t* dst,
                                          UINT capacity) {
  return GuardExport("SetDispStringSingle", 0,
                     [&] { return LookUpDisplayText(module, section, key, dst, capacity); });
}

extern "C" int WINAPI ReplaceDlgDispString(HWND dialog, const DispStringItem* table) {
  return GuardExport("ReplaceDlgDispString", 0, [&] { return ApplyDispStrings(dialog, table); });
}

// The page id that the sheets pass is not needed.
extern "C" int WINAPI ReplaceDlgDispStringCmnItem(HWND dialog, const DispStringItem* table, UINT) {
  return GuardExport("ReplaceDlgDispStringCmnItem", 0, [&] { return ApplyCommonDispStrings(dialog, table); });
}

static_assert(std::is_same_v<decltype(&SetDispStringSingle), SetDispStringSingleFn>);
static_assert(std::is_same_v<decltype(&ReplaceDlgDispString), ReplaceDlgDispStringFn>);
static_assert(std::is_same_v<decltype(&ReplaceDlgDispStringCmnItem), ReplaceDlgDispStringCmnItemFn>);
