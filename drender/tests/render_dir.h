// A directory laid out like the driver directory for the render core's
// tests: the built VELDRANE.DLL and, when asked, the sample model's
// description beside it.  Removed with everything in it at the end.
#pragma once

#include <windows.h>

#include <string>

#include "tests/support/test_paths.h"

class RenderDir {
 public:
  explicit RenderDir(bool withDescription = true) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    dir_ = std::wstring(temp) + L"render-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(next_++) + L"\\";
    CreateDirectoryW(dir_.c_str(), nullptr);
    Copy("bin/VELDRANE.DLL", L"VELDRANE.DLL");
    if (withDescription) {
      Copy("model/VELDRANH.QXD", L"VELDRANH.QXD");
      Copy("model/VELDRANP.QXD", L"VELDRANP.QXD");
    }
  }
  ~RenderDir() {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((dir_ + L"*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        DeleteFileW((dir_ + found.cFileName).c_str());
      } while (FindNextFileW(find, &found));
      FindClose(find);
    }
    RemoveDirectoryW(dir_.c_str());
  }
  RenderDir(const RenderDir&) = delete;
  RenderDir& operator=(const RenderDir&) = delete;

  bool Copy(const char* fromBuild, const wchar_t* name) {
    std::string from = testsupport::BinaryPath(fromBuild);
    std::wstring wide(from.begin(), from.end());
    return CopyFileW(wide.c_str(), (dir_ + name).c_str(), FALSE) != 0;
  }
  std::wstring Path(const wchar_t* name) const { return dir_ + name; }
  const std::wstring& dir() const { return dir_; }

 private:
  static inline int next_ = 0;
  std::wstring dir_;
};
