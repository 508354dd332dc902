// Temporary page files on disk: names, taken names, and no file left
// behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "drender/job/temp_spool_file.h"
#include "tests/support/test_paths.h"

namespace {

std::wstring TempDir() {
  wchar_t path[MAX_PATH + 1];
  GetTempPathW(MAX_PATH + 1, path);
  return path;
}

std::wstring Wide(const char16_t* text) { return std::wstring(reinterpret_cast<const wchar_t*>(text)); }

// Runs a test with TMP and TEMP pointing at `dir`, restored afterwards.
class TempEnvironment {
 public:
  explicit TempEnvironment(const std::wstring& dir) {
    for (const wchar_t* name : {L"TMP", L"TEMP"}) {
      wchar_t old[MAX_PATH * 2] = {};
      DWORD n = GetEnvironmentVariableW(name, old, MAX_PATH * 2);
      saved_.push_back({name, n ? std::wstring(old) : std::wstring(), n != 0});
      SetEnvironmentVariableW(name, dir.c_str());
    }
  }
  ~TempEnvironment() {
    for (const auto& s : saved_) SetEnvironmentVariableW(s.name, s.present ? s.value.c_str() : nullptr);
  }

 private:
  struct Saved {
    const wchar_t* name;
    std::wstring value;
    bool present;
  };
  std::vector<Saved> saved_;
};

TEST(TempNameTest, NumberIsMaskedToSixHexDigits) {
  struct Case {
    uint32_t number;
    const wchar_t* file;
  } cases[] = {{4096, L"kp001000.tmp"}, {(1u << 24) + 1, L"kp000001.tmp"}, {0xABCDEF, L"kpabcdef.tmp"}};
  for (const Case& c : cases) {
    char16_t name[kSpoolTempNameChars];
    ASSERT_EQ(Spool_MakeTempName(c.number, name), 1u);
    EXPECT_EQ(Wide(name), TempDir() + c.file) << c.number;
  }
}

TEST(TempNameTest, TooLongATemporaryPathFails) {
  std::wstring base = L"C:\\";
  std::wstring at246 = base + std::wstring(246 - base.size() - 1, L'a') + L"\\";
  std::wstring at247 = base + std::wstring(247 - base.size() - 1, L'a') + L"\\";
  char16_t name[kSpoolTempNameChars];
  {
    TempEnvironment env(at246);
    ASSERT_EQ(TempDir().size(), 246u);
    EXPECT_EQ(Spool_MakeTempName(1, name), 1u);
  }
  {
    TempEnvironment env(at247);
    ASSERT_EQ(TempDir().size(), 247u);
    EXPECT_EQ(Spool_MakeTempName(1, name), 0u);
    EXPECT_EQ(Spool_Create(1, kSpoolFile), nullptr);
  }
}

TEST(FileSpoolWinTest, WritesReadsTruncatesAndLeavesNothingBehind) {
  TempSpool* spool = Spool_Create(0x5A5A01, kSpoolFile);
  ASSERT_NE(spool, nullptr);
  ASSERT_EQ(spool->kind, kSpoolFile);
  std::wstring path = Wide(spool->fileName);
  EXPECT_EQ(path, TempDir() + L"kp5a5a01.tmp");
  EXPECT_TRUE(testsupport::FileExists(path));
  std::vector<uint8_t> bytes(150000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 13);
  ASSERT_EQ(Spool_Write(spool, 0, bytes.data(), 150000), 1u);
  std::vector<uint8_t> back(150000);
  uint32_t got = 0;
  ASSERT_EQ(Spool_Read(spool, 0, back.data(), 150000, &got), 1u);
  EXPECT_EQ(got, 150000u);
  EXPECT_EQ(back, bytes);
  Spool_Close(spool, 1);
  EXPECT_EQ(spool->length, 0u);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeLow, 0u);
  Spool_Free(spool);
  EXPECT_FALSE(testsupport::FileExists(path));
}

TEST(FileSpoolWinTest, ATakenNameGetsTheNextFreeNumber) {
  // Another job's page file under the same name must survive.
  TempSpool* first = Spool_Create(0x77F00D, kSpoolFile);
  ASSERT_NE(first, nullptr);
  uint8_t mark[4] = {1, 2, 3, 4};
  ASSERT_EQ(Spool_Write(first, 0, mark, 4), 1u);
  TempSpool* second = Spool_Create(0x77F00D, kSpoolFile);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(Wide(second->fileName), Wide(first->fileName));
  EXPECT_EQ(Wide(second->fileName), TempDir() + L"kp77f00e.tmp");
  uint8_t back[4] = {};
  uint32_t got = 0;
  ASSERT_EQ(Spool_Read(first, 0, back, 4, &got), 1u);
  EXPECT_EQ(got, 4u);
  EXPECT_EQ(back[3], 4);
  // A stale file left by some other program is never replaced either.
  std::wstring stalePath = TempDir() + L"kp0bad01.tmp";
  HANDLE stale = CreateFileW(stalePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(stale, INVALID_HANDLE_VALUE);
  CloseHandle(stale);
  TempSpool* third = Spool_Create(0x0BAD01, kSpoolFile);
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(Wide(third->fileName), TempDir() + L"kp0bad02.tmp");
  std::wstring names[] = {Wide(first->fileName), Wide(second->fileName), Wide(third->fileName)};
  Spool_Free(first);
  Spool_Free(second);
  Spool_Free(third);
  for (const auto& n : names) EXPECT_FALSE(testsupport::FileExists(n));
  EXPECT_TRUE(testsupport::FileExists(stalePath));
  DeleteFileW(stalePath.c_str());
}

TEST(FileSpoolWinTest, OtherKindsAreMemorySpools) {
  TempSpool* spool = Spool_Create(1, 7);
  ASSERT_NE(spool, nullptr);
  EXPECT_EQ(spool->kind, kSpoolMemory);
  EXPECT_EQ(spool->blockCount, 1);
  Spool_Free(spool);
}

TEST(ReadFileFullyTest, ReadsToTheEndOfTheFile) {
  std::wstring path = TempDir() + L"render-readfully.bin";
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  char text[] = "0123456789";
  DWORD written = 0;
  WriteFile(file, text, 10, &written, nullptr);
  SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  char buffer[32] = {};
  uint32_t got = 0;
  EXPECT_EQ(Rdc_ReadFileFully(file, buffer, 32, &got), 1u);
  EXPECT_EQ(got, 10u);
  CloseHandle(file);
  EXPECT_EQ(Rdc_ReadFileFully(INVALID_HANDLE_VALUE, buffer, 4, &got), 0u);
}

}  // namespace
