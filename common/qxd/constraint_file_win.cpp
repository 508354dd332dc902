#include "common/qxd/constraint_file_win.h"

#include <cwchar>

#include "common/qxd/qxd_file.h"
#include "common/win/module_path.h"

bool ConstraintFilePath(HMODULE module, wchar_t* out, size_t capacity) {
  return SiblingFilePath(module, kConstraintFileName, out, capacity);
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
