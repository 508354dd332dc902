// The spreadsheet host rule, seen from programs of different names.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "duicore/tests/core_library_win.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_text.h"

namespace {

DWORD RunAs(const std::wstring& fileName) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring dir = std::wstring(temp) + L"core-host-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(dir.c_str(), nullptr);
  const std::string probe = testsupport::BinaryPath("bin/host_probe.exe");
  const std::wstring program = dir + L"\\" + fileName;
  if (!CopyFileW(testsupport::Widen(probe).c_str(), program.c_str(), FALSE)) return 0;
  std::wstring command = L"\"" + program + L"\" \"" + coretest::StagePath(L"VELDRANK.DLL") + L"\"";
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  DWORD code = 0;
  if (CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    WaitForSingleObject(pi.hProcess, 30000);
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
  }
  DeleteFileW(program.c_str());
  RemoveDirectoryW(dir.c_str());
  return code;
}

TEST(HostRuleTest, SpreadsheetProgramGetsNoResolutionFields) {
  // The sample model asks for the collate field (0x8000) as well.
  EXPECT_EQ(RunAs(L"probe.exe"), 0x0200BF0Fu);
  EXPECT_EQ(RunAs(L"excel.exe"), 0x02009B0Fu);
  EXPECT_EQ(RunAs(L"EXCEL.EXE"), 0x02009B0Fu);
  EXPECT_EQ(RunAs(L"excel.exe.exe"), 0x0200BF0Fu);
}

}  // namespace
