// The procedure library attached in the test's own process as a driver
// package holds it: the build's VELDRANA, VELDRANG, VELDRANW and VELDRANH
// and the sample model's description files copied into a folder of their
// own, and the start-up run with that folder's VELDRANA.DLL as the
// library's module (so the library's code linked into the test reads the
// shipped model, texts and templates).  The folder goes with the object.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "dproc/startup/proc_library_entry_win.h"
#include "tests/support/test_paths.h"

namespace testsupport {

class ProcLibraryFolder {
 public:
  explicit ProcLibraryFolder(const wchar_t* prefix) {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    dir_ = std::wstring(base) + prefix + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(dir_.c_str(), nullptr);
    for (const wchar_t* name : {L"VELDRANA.DLL", L"VELDRANG.DLL", L"VELDRANW.DLL", L"VELDRANH.DLL"}) {
      Copy(ProgramFolder() + name, name);
    }
    for (const char* name : {"VELDRANH.QXD", "VELDRANK.QXD", "VELDRANP.QXD", "VELDRANX.QXD"}) {
      const std::string from = BinaryPath(std::string("model/") + name);
      const std::string narrow = name;
      Copy(std::wstring(from.begin(), from.end()), std::wstring(narrow.begin(), narrow.end()).c_str());
    }
    own_ = LoadLibraryW((dir_ + L"VELDRANA.DLL").c_str());
    attached_ = own_ != nullptr && ProcLibraryEntry(own_, DLL_PROCESS_ATTACH, nullptr);
  }
  ~ProcLibraryFolder() {
    if (attached_) ProcLibraryEntry(own_, DLL_PROCESS_DETACH, nullptr);
    if (own_ != nullptr) FreeLibrary(own_);
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) DeleteFileW(it->c_str());
    RemoveDirectoryW(dir_.c_str());
  }
  ProcLibraryFolder(const ProcLibraryFolder&) = delete;
  ProcLibraryFolder& operator=(const ProcLibraryFolder&) = delete;

  bool ok() const { return attached_; }
  const std::wstring& folder() const { return dir_; }

 private:
  void Copy(const std::wstring& from, const wchar_t* name) {
    const std::wstring to = dir_ + name;
    if (CopyFileW(from.c_str(), to.c_str(), FALSE)) made_.push_back(to);
  }
  std::wstring dir_;
  std::vector<std::wstring> made_;
  HMODULE own_ = nullptr;
  bool attached_ = false;
};

}  // namespace testsupport
