// The device library loaded from a folder of its own, with the sample
// model's description file beside it and, when a test asks for it, a
// stand-in of the device-communication library.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/win/bind_export.h"
#include "tests/support/test_paths.h"

namespace ddtest {

inline std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

class LibraryDir {
 public:
  // `model` is the description file to put beside the library (the sample
  // model's by default); each folder has a name of its own.
  explicit LibraryDir(const std::string& model = testsupport::BinaryPath("model/VELDRANH.QXD")) {
    static int made = 0;
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH, temp);
    dir_ = std::wstring(temp) + L"ddproc_test_" + std::to_wstring(GetCurrentProcessId()) +
           (made++ > 0 ? L"_" + std::to_wstring(made) : L"") + L"\\";
    CreateDirectoryW(dir_.c_str(), nullptr);
    Copy(Widen(testsupport::BinaryPath("bin/VELDRANH.DLL")), L"VELDRANH.DLL");
    Copy(Widen(testsupport::BinaryPath("bin/VELDRANG.DLL")), L"VELDRANG.DLL");
    Copy(Widen(model), L"VELDRANH.QXD");
    module_ = LoadLibraryW((dir_ + L"VELDRANH.DLL").c_str());
  }
  ~LibraryDir() {
    if (module_ != nullptr) FreeLibrary(module_);
    for (const wchar_t* f : {L"VELDRANH.DLL", L"VELDRANG.DLL", L"VELDRANH.QXD", L"VELDRANI.DLL", L"script.txt",
                             L"calls.log"}) {
      DeleteFileW((dir_ + f).c_str());
    }
    RemoveDirectoryW(dir_.c_str());
  }
  HMODULE module() const { return module_; }
  const std::wstring& dir() const { return dir_; }

  template <typename Fn>
  Fn Bind(const char* name) const {
    return BindExport<Fn>(module_, name);
  }

  // Puts the stand-in of the device-communication library from
  // bin/standin_bdc/<kind>/ beside the library; an empty kind removes it.
  void UseBdc(const char* kind) const {
    DeleteFileW((dir_ + L"VELDRANI.DLL").c_str());
    if (kind[0] != '\0') {
      Copy(Widen(testsupport::BinaryPath(std::string("bin/standin_bdc/") + kind + "/VELDRANI.DLL")),
           L"VELDRANI.DLL");
    }
  }
  // Writes the stand-in's script and names it (and the call log) in the
  // environment.
  void Script(const std::string& text) const {
    const std::wstring path = dir_ + L"script.txt";
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
    SetEnvironmentVariableW(L"BDC_SCRIPT", path.c_str());
    DeleteFileW((dir_ + L"calls.log").c_str());
    SetEnvironmentVariableW(L"BDC_LOG", (dir_ + L"calls.log").c_str());
  }
  std::string CallLog() const {
    std::string text;
    HANDLE f = CreateFileW((dir_ + L"calls.log").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) return text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    CloseHandle(f);
    return text;
  }

 private:
  void Copy(const std::wstring& from, const wchar_t* name) const {
    EXPECT_TRUE(CopyFileW(from.c_str(), (dir_ + name).c_str(), FALSE)) << std::string(from.begin(), from.end());
  }
  std::wstring dir_;
  HMODULE module_ = nullptr;
};

// One library folder per test program.
inline const LibraryDir& Library() {
  static LibraryDir dir;
  return dir;
}

}  // namespace ddtest
