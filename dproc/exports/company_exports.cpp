// Exports that the user interface core and the render core bind by name:
// the maker name and the locale's default input paper.
#include <windows.h>

#include <cwchar>
#include <type_traits>

#include "common/contracts/proc_library_exports_win.h"
#include "common/contracts/settings_functions_win.h"
#include "common/qxd/locale_defaults.h"
#include "common/win/export_guard.h"
#include "common/qxd/model_info.h"
#include "common/win/user_registry.h"

extern "C" void WINAPI GetCompanyName(wchar_t* out, int capacity) {
  if (out == nullptr || capacity <= 0) return;
  std::wmemset(out, 0, static_cast<size_t>(capacity));
  GuardExport("GetCompanyName", [&] {
    const wchar_t* maker = MakerName();
    size_t length = std::wcslen(maker);
    size_t copy = length < static_cast<size_t>(capacity) - 1 ? length : static_cast<size_t>(capacity) - 1;
    std::wmemcpy(out, maker, copy);
  });
}

extern "C" int WINAPI Prc_GetDefaultInPaperKey(char* out, int size) {
  return GuardExport("Prc_GetDefaultInPaperKey", 0,
                     [&] { return CopyPaperKeyword(GetLocaleDefaultPaper(ProcessModelInfo()), out, size); });
}

static_assert(std::is_same_v<decltype(&GetCompanyName), GetCompanyNameFn>);
static_assert(std::is_same_v<decltype(&Prc_GetDefaultInPaperKey), PrcGetDefaultInPaperKeyFn>);
