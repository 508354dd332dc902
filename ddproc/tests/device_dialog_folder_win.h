// A folder of its own for the device library's dialog tests: VELDRANH and
// VELDRANG of the build, a description file compiled from the test's text
// and a procedure library beside them (a stand-in of bin/standin_proc/, the
// build's own with what it loads, or none), with the stand-in's call log.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/contracts/ddproc_sheet_functions_win.h"
#include "common/win/bind_export.h"
#include "ddproc/tests/library_dir_win.h"
#include "tests/support/model_fixture.h"
#include "tests/support/test_paths.h"

namespace ddtest {

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// VELDRANH, VELDRANG, a description file and a stand-in VELDRANA in a folder.
class Folder {
 public:
  Folder(const std::string& model, const char* procKind) {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH, temp);
    dir_ = std::wstring(temp) + L"ddproc_dialogs_" + Widen(procKind) + L"_" + std::to_wstring(GetCurrentProcessId()) +
           L"\\";
    CreateDirectoryW(dir_.c_str(), nullptr);
    Copy(Widen(testsupport::BinaryPath("bin/VELDRANH.DLL")), L"VELDRANH.DLL");
    Copy(Widen(testsupport::BinaryPath("bin/VELDRANG.DLL")), L"VELDRANG.DLL");
    if (std::string(procKind) == "real") {
      // The procedure library of the build with what it loads beside it.
      Copy(Widen(testsupport::BinaryPath("bin/VELDRANA.DLL")), L"VELDRANA.DLL");
      Copy(Widen(testsupport::BinaryPath("bin/VELDRANW.DLL")), L"VELDRANW.DLL");
      Copy(Widen(testsupport::BinaryPath("model/VELDRANK.QXD")), L"VELDRANK.QXD");
    } else if (procKind[0] != '\0') {
      Copy(Widen(testsupport::BinaryPath(std::string("bin/standin_proc/") + procKind + "/VELDRANA.DLL")),
           L"VELDRANA.DLL");
    }
    const std::vector<uint8_t> bytes = modeltest::Compile(model);
    std::ofstream(std::string(dir_.begin(), dir_.end()) + "VELDRANH.QXD", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    log_ = dir_ + L"proc.log";
    DeleteFileW(log_.c_str());
    SetEnvironmentVariableW(L"PROC_LOG", log_.c_str());
    SetEnvironmentVariableW(L"PROC_REFUSE", nullptr);
    module_ = LoadLibraryW((dir_ + L"VELDRANH.DLL").c_str());
    hook_ = BindExport<DDProcDlgProcFn>(module_, "DDProc_DlgProc");
  }
  ~Folder() {
    if (module_ != nullptr) FreeLibrary(module_);
    for (const wchar_t* f : {L"VELDRANH.DLL", L"VELDRANG.DLL", L"VELDRANA.DLL", L"VELDRANW.DLL", L"VELDRANH.QXD",
                             L"VELDRANK.QXD", L"proc.log"}) {
      DeleteFileW((dir_ + f).c_str());
    }
    RemoveDirectoryW(dir_.c_str());
  }
  DDProcDlgProcFn hook() const { return hook_; }
  std::string Log() const { return ReadText(std::string(log_.begin(), log_.end())); }

 private:
  void Copy(const std::wstring& from, const wchar_t* name) const {
    EXPECT_TRUE(CopyFileW(from.c_str(), (dir_ + name).c_str(), FALSE)) << std::string(from.begin(), from.end());
  }
  std::wstring dir_, log_;
  HMODULE module_ = nullptr;
  DDProcDlgProcFn hook_ = nullptr;
};

}  // namespace ddtest
