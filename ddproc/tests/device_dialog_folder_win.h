// A folder of its own for the device library's dialog tests: VELDRANH and
// VELDRANG of the build, a description file compiled from the test's text
// and a procedure library beside them (a stand-in of bin/standin_proc/, the
// build's own with what it loads, or none), with the stand-in's call log.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>
#include <prsht.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/contracts/ddproc_sheet_functions_win.h"
#include "common/win/bind_export.h"
#include "ddproc/tests/library_dir_win.h"
#include "tests/support/dialog_kit_win.h"
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

// A choice in a drop list as the user makes it.
inline void Choose(HWND dialog, int comboId, int index) {
  HWND combo = GetDlgItem(dialog, comboId);
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
}
inline int Selected(HWND dialog, int comboId) {
  return static_cast<int>(SendMessageW(GetDlgItem(dialog, comboId), CB_GETCURSEL, 0, 0));
}

// The property sheet frame (it records PSM_CHANGED) and a Configure page in
// it whose user data is the kit's sheet context.
struct ConfigurePage {
  static inline std::vector<WPARAM> changed;
  static LRESULT CALLBACK FrameProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == PSM_CHANGED) changed.push_back(wp);
    return DefWindowProcW(w, m, wp, lp);
  }
  static INT_PTR CALLBACK PageProc(HWND page, UINT m, WPARAM, LPARAM lp) {
    if (m == WM_INITDIALOG) SetWindowLongPtrW(page, DWLP_USER, lp);
    return FALSE;
  }
  explicit ConfigurePage(testsupport::DialogKit& kit, bool withContext = true) {
    WNDCLASSW c = {};
    c.lpfnWndProc = FrameProc;
    c.hInstance = GetModuleHandleW(nullptr);
    c.lpszClassName = L"DdTestSheetFrame";
    RegisterClassW(&c);
    frame = CreateWindowExW(0, L"DdTestSheetFrame", L"Sheet", WS_OVERLAPPEDWINDOW, 0, 0, 500, 400,
                            nullptr, nullptr, c.hInstance, nullptr);
    page = CreateDialogParamW(kit.Templates(), MAKEINTRESOURCEW(156), frame, PageProc,
                              withContext ? reinterpret_cast<LPARAM>(kit.Context()) : 0);
    changed.clear();
  }
  ~ConfigurePage() {
    DestroyWindow(page);
    DestroyWindow(frame);
  }
  HWND frame = nullptr, page = nullptr;
};

}  // namespace ddtest
