#include "common/win/module_path.h"

#include <cwchar>

HMODULE ModuleOfThisCode() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<const wchar_t*>(&ModuleOfThisCode), &module);
  return module;
}

bool SiblingFilePath(HMODULE module, const wchar_t* fileName, wchar_t* out, size_t capacity) {
  if (out == nullptr || capacity == 0) return false;
  out[0] = L'\0';
  if (fileName == nullptr) return false;
  wchar_t path[MAX_PATH + 1];
  DWORD length = GetModuleFileNameW(module, path, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return false;  // failed or cut
  size_t dir = length;
  while (dir > 0 && path[dir - 1] != L'\\' && path[dir - 1] != L'/' && path[dir - 1] != L':') --dir;
  size_t name = std::wcslen(fileName);
  if (dir + name + 1 > capacity) return false;
  std::wmemcpy(out, path, dir);
  std::wmemcpy(out + dir, fileName, name + 1);
  return true;
}
