// Finding and reading the constraint file through the Windows file
// interface, and its version text.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/qxd/constraint_file_win.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_text.h"
#include "tools/qxd/constraint_document.h"

namespace {

using testsupport::Widen;

std::wstring WriteTemp(const std::wstring& name, const std::string& text) {
  qxd::ConstraintDocument doc;
  std::string error;
  EXPECT_TRUE(qxd::ParseConstraintText(text, &doc, &error)) << error;
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(qxd::BuildConstraints(doc, &bytes, &error)) << error;
  wchar_t dir[MAX_PATH];
  EXPECT_NE(GetTempPathW(MAX_PATH, dir), 0u);
  std::wstring path = std::wstring(dir) + name;
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(f, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(f);
  return path;
}

TEST(ConstraintFileWin, TheSampleModelLoadsWithItsVersion) {
  std::wstring path = Widen(testsupport::BinaryPath("model/VELDRANK.QXD"));
  ConstraintSet set;
  ASSERT_EQ(LoadConstraintFileAt(path.c_str(), &set), ConstraintLoad::Loaded);
  EXPECT_GE(set.rules.size(), 5u);
  wchar_t version[kConstraintVersionUnits];
  ConstraintVersionText(set.header, version);
  EXPECT_STREQ(version, L"01");
}

TEST(ConstraintFileWin, MissingFileGivesNoRulesAndVersionFive) {
  ConstraintSet set;
  EXPECT_EQ(LoadConstraintFileAt(L"Z:\\no\\such\\dir\\VELDRANK.QXD", &set), ConstraintLoad::Missing);
  EXPECT_TRUE(set.rules.empty());
  wchar_t version[kConstraintVersionUnits];
  ConstraintVersionText(set.header, version);
  EXPECT_STREQ(version, L"5");
  // The test program's directory holds no constraint file.
  EXPECT_EQ(LoadConstraintFile(GetModuleHandleW(nullptr), &set), ConstraintLoad::Missing);
}

TEST(ConstraintFileWin, VersionTextIsCutToThirtyOneCharacters) {
  std::wstring path = WriteTemp(L"constraint_version_test.qxd",
                                "constraints\nmarker \"VER_cst\"\nversion \"" + std::string(40, '7') + "\"\n");
  ConstraintSet set;
  ASSERT_EQ(LoadConstraintFileAt(path.c_str(), &set), ConstraintLoad::Loaded);
  DeleteFileW(path.c_str());
  wchar_t version[kConstraintVersionUnits];
  ConstraintVersionText(set.header, version);
  EXPECT_EQ(std::wstring(version), std::wstring(31, L'7'));
}

TEST(ConstraintFileWin, PathIsBesideTheModule) {
  wchar_t path[MAX_PATH + 1];
  ASSERT_TRUE(ConstraintFilePath(nullptr, path, MAX_PATH + 1));
  EXPECT_EQ(std::wstring(path), testsupport::ProgramFolder() + L"VELDRANK.QXD");
  wchar_t small[8];
  EXPECT_FALSE(ConstraintFilePath(nullptr, small, 8));
}

}  // namespace
