#include "tests/support/test_paths.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace testsupport {
namespace {

std::string Join(const char* root, const std::string& relative) {
#ifdef _WIN32
  std::string path = std::string("Z:") + root + "/" + relative;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
#else
  return std::string(root) + "/" + relative;
#endif
}

}  // namespace

std::string SourcePath(const std::string& relative) { return Join(DRIVER_SOURCE_DIR, relative); }
std::string BinaryPath(const std::string& relative) { return Join(DRIVER_BINARY_DIR, relative); }

#ifdef _WIN32
std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, n);
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
#endif

}  // namespace testsupport
