// Exports that the user interface core and the render core bind by name:
// the maker name and the locale's default input paper.
#include <windows.h>

#include <cwchar>

#include "common/qxd/locale_defaults.h"
#include "common/qxd/model_info.h"
#include "common/win/user_registry.h"

extern "C" void WINAPI GetCompanyName(wchar_t* out, int capacity) {
  if (out == nullptr || capacity <= 0) return;
  std::wmemset(out, 0, static_cast<size_t>(capacity));
  const wchar_t* maker = MakerName();
  size_t length = std::wcslen(maker);
  size_t copy = length < static_cast<size_t>(capacity) - 1 ? length : static_cast<size_t>(capacity) - 1;
  std::wmemcpy(out, maker, copy);
}

extern "C" int WINAPI Prc_GetDefaultInPaperKey(char* out, int size) {
  return CopyPaperKeyword(GetLocaleDefaultPaper(ProcessModelInfo()), out, size);
}
