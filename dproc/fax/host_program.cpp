#include "dproc/fax/host_program.h"

#include <cstddef>

namespace {

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

}  // namespace

bool IsExcelProgramPath(const char16_t* path) {
  if (path == nullptr) return false;
  const char16_t* name = path;
  for (const char16_t* p = path; *p != 0; ++p) {
    if (*p == u'\\' || *p == u'/' || *p == u':') name = p + 1;
  }
  // The extension starts at the last point of the file name.
  const char16_t* dot = nullptr;
  for (const char16_t* p = name; *p != 0; ++p) {
    if (*p == u'.') dot = p;
  }
  if (dot == nullptr) return false;
  const char16_t kName[] = u"EXCEL";
  const char16_t kExt[] = u".EXE";
  size_t i = 0;
  for (; name + i < dot; ++i) {
    if (i >= 5 || Upper(name[i]) != kName[i]) return false;
  }
  if (i != 5) return false;
  for (i = 0; dot[i] != 0; ++i) {
    if (i >= 4 || Upper(dot[i]) != kExt[i]) return false;
  }
  return i == 4;
}
