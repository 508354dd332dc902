#include "duicore/module/host_program.h"

#include <cwchar>

const wchar_t* FileNamePart(const wchar_t* path) {
  if (path == nullptr) return L"";
  const wchar_t* name = path;
  for (const wchar_t* p = path; *p != L'\0'; ++p) {
    if (*p == L'\\' || *p == L'/' || *p == L':') name = p + 1;
  }
  return name;
}

bool IsSpreadsheetHost(const wchar_t* path) {
  static constexpr wchar_t kName[] = L"EXCEL.EXE";
  const wchar_t* name = FileNamePart(path);
  size_t i = 0;
  for (; kName[i] != L'\0'; ++i) {
    wchar_t c = name[i];
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    if (c != kName[i]) return false;
  }
  return name[i] == L'\0';
}

void CopyHostFileName(const wchar_t* path, char16_t* out, size_t units) {
  if (out == nullptr || units == 0) return;
  const wchar_t* name = FileNamePart(path);
  size_t i = 0;
  for (; i + 1 < units && name[i] != L'\0'; ++i) out[i] = static_cast<char16_t>(name[i]);
  for (; i < units; ++i) out[i] = u'\0';
}
