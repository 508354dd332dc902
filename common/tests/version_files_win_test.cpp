// Version strings from the files beside a library, and their fallbacks.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/qxd/version_strings.h"
#include "tests/support/test_paths.h"
#include "tools/qxd/qxd_document.h"

namespace {

std::wstring Dir() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + L"version_files_win_test\\";
}

void WriteCompiled(const std::wstring& path, const std::string& text) {
  qxd::Document doc;
  std::string error;
  ASSERT_TRUE(qxd::ParseText(text, &doc, &error)) << error;
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(qxd::Build(doc, &bytes, &error)) << error;
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(f);
}

class VersionFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetVersionStrings();
    CreateDirectoryW(Dir().c_str(), nullptr);
    // A library of the build, loaded from a folder of its own.
    const std::wstring bin = testsupport::ProgramFolder();
    ASSERT_TRUE(CopyFileW((bin + L"VELDRANW.DLL").c_str(), (Dir() + L"VELDRANW.DLL").c_str(), FALSE));
    module_ = LoadLibraryW((Dir() + L"VELDRANW.DLL").c_str());
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
    for (const wchar_t* name : {L"VELDRANW.DLL", L"VELDRANP.QXD", L"VELDRANX.QXD"}) DeleteFileW((Dir() + name).c_str());
    RemoveDirectoryW(Dir().c_str());
    ResetVersionStrings();
  }
  HMODULE module_ = nullptr;
};

std::string Text(const char16_t* t) { return qxd::Utf16ToUtf8(t); }

TEST_F(VersionFilesTest, WithoutFilesTheFallbacksStand) {
  ReadDriverVersion(module_);
  ReadCommandVersion(module_);
  char16_t data[64];
  GetDataVersion(data, 64);
  EXPECT_EQ(Text(data), "6.6.6.6.5");
  EXPECT_EQ(Text(GetVersionString(kVersionDriver)), "1.2.6");
}

TEST_F(VersionFilesTest, ReadsBothFilesBesideTheLibrary) {
  WriteCompiled(Dir() + L"VELDRANX.QXD", "qxd 1\n\nsection \"Version\" texts\n  entry key=\"Ver_driver\" text=\"2.0.1\"\n");
  WriteCompiled(Dir() + L"VELDRANP.QXD",
                "qxd 1 headers=40\n\nsection \"Version\" texts\n  entry key=\"Ver_Command\" text=\"9\"\n");
  ReadDriverVersion(module_);
  ReadCommandVersion(module_);
  char16_t data[64];
  GetDataVersion(data, 64);
  EXPECT_EQ(Text(data), "6.6.6.9.5");
  EXPECT_EQ(Text(GetVersionString(kVersionDriver)), "2.0.1");
}

}  // namespace
