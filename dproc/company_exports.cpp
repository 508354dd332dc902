// Exports that the user interface core and the render core bind by name:
// the maker name and the locale's default input paper.
#include <windows.h>

#include <cstring>
#include <cwchar>

#include "common/locale_defaults.h"
#include "common/user_registry.h"

extern "C" void WINAPI GetCompanyName(wchar_t* out, int capacity) {
  if (out == nullptr || capacity <= 0) return;
  std::wmemset(out, 0, static_cast<size_t>(capacity));
  size_t length = std::wcslen(kMakerName);
  size_t copy = length < static_cast<size_t>(capacity) - 1 ? length : static_cast<size_t>(capacity) - 1;
  std::wmemcpy(out, kMakerName, copy);
}

// Copies the keyword (cut to `size` - 1 characters and a NUL) and returns its
// length + 1; with no output or size 0 it only returns that length.
extern "C" int WINAPI Prc_GetDefaultInPaperKey(char* out, int size) {
  const char* keyword = GetLocaleDefaultPaper();
  size_t length = std::strlen(keyword);
  if (out != nullptr && size > 0) {
    size_t copy = length < static_cast<size_t>(size) - 1 ? length : static_cast<size_t>(size) - 1;
    std::memcpy(out, keyword, copy);
    out[copy] = '\0';
  }
  return static_cast<int>(length + 1);
}
