#include "common/qxd/constraint_file_win.h"

#include <cwchar>

#include "common/qxd/qxd_file.h"

bool ConstraintFilePath(HMODULE module, wchar_t* out, size_t capacity) {
  if (out == nullptr || capacity == 0) return false;
  wchar_t self[MAX_PATH + 1] = {};
  DWORD length = GetModuleFileNameW(module, self, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  // Keep drive and directory: everything up to the last separator.
  size_t dir = 0;
  for (size_t i = 0; i < length; ++i) {
    if (self[i] == L'\\' || self[i] == L'/' || self[i] == L':') dir = i + 1;
  }
  size_t name = std::wcslen(kConstraintFileName);
  if (dir + name + 1 > capacity || dir + name > MAX_PATH) return false;
  std::wmemcpy(out, self, dir);
  std::wmemcpy(out + dir, kConstraintFileName, name + 1);
  return true;
}

ConstraintLoad LoadConstraintFileAt(const wchar_t* path, ConstraintSet* out) {
  QxdContext* ctx = path != nullptr ? QxdOpen(path, 1) : nullptr;
  ConstraintLoad result = ReadConstraintFile(ctx, out);
  QxdClose(ctx);
  return result;
}

ConstraintLoad LoadConstraintFile(HMODULE module, ConstraintSet* out) {
  wchar_t path[MAX_PATH + 1];
  return LoadConstraintFileAt(ConstraintFilePath(module, path, MAX_PATH + 1) ? path : nullptr, out);
}

void ConstraintVersionText(const ConstraintFileHeader& header, wchar_t out[kConstraintVersionUnits]) {
  char narrow[sizeof header.version + 1];
  if (ConstraintVersionNarrow(header, narrow, sizeof narrow)) {
    wchar_t wide[sizeof narrow] = {};
    int n = MultiByteToWideChar(CP_ACP, 0, narrow, -1, wide, static_cast<int>(sizeof narrow));
    if (n > 0) {
      size_t length = std::wcslen(wide);
      if (length > kConstraintVersionUnits - 1) length = kConstraintVersionUnits - 1;
      std::wmemcpy(out, wide, length);
      out[length] = L'\0';
      return;
    }
  }
  std::wmemcpy(out, L"5", 2);
}
