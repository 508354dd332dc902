// The per-user lists of resident colour profiles in the registry of the
// Wine prefix, under a printer name of the test's own.
#include "dproc/quality/profile_store_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <string>

#include "common/win/user_registry.h"

namespace {

constexpr wchar_t kDriver[] = L"Profile Test Driver";

ColorProfileRecord Profile(const char16_t* name, uint32_t type) {
  ColorProfileRecord r = {};
  std::memcpy(r.downloadName, name, std::char_traits<char16_t>::length(name) * 2);
  r.srcType = type;
  return r;
}

class ResidentProfiles : public ::testing::Test {
 protected:
  void TearDown() override {
    wchar_t path[1024];
    ASSERT_TRUE(MakeUserSettingsPath(kDriver, L"", L"", path, 1024));
    const size_t n = std::wcslen(path);
    if (n > 0 && path[n - 1] == L'\\') path[n - 1] = L'\0';
    RegDeleteTreeW(HKEY_CURRENT_USER, path);
  }
  HKEY Key(const wchar_t* printer, const wchar_t* tail) {
    wchar_t path[1024];
    EXPECT_TRUE(MakeUserSettingsPath(kDriver, printer, tail, path, 1024));
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    return key;
  }
  ColorProfileRecord records_[kResidentProfilesMax];
};

TEST_F(ResidentProfiles, AMissingKeyLoadsAnEmptyListAndSavingMakesIt) {
  uint32_t count = 7;
  EXPECT_FALSE(LoadResidentProfiles(kDriver, L"Printer A", ResidentProfileList::kSimulation, records_, &count));
  EXPECT_EQ(count, 7u);  // not read, not written
  EXPECT_EQ(records_[0].srcType, 0u);
  EXPECT_TRUE(SaveResidentProfiles(kDriver, L"Printer A", ResidentProfileList::kSimulation, records_, 0));
  EXPECT_TRUE(LoadResidentProfiles(kDriver, L"Printer A", ResidentProfileList::kSimulation, records_, &count));
  EXPECT_EQ(count, 0u);
}

TEST_F(ResidentProfiles, SavedRecordsComeBackAndOldValuesPastTheCountAreNotRead) {
  ColorProfileRecord five[5];
  for (uint32_t i = 0; i < 5; ++i) five[i] = Profile(u"PROFILE", i + 1);
  ASSERT_TRUE(SaveResidentProfiles(kDriver, L"\\\\server\\queue", ResidentProfileList::kRgbSource, five, 5));
  ASSERT_TRUE(SaveResidentProfiles(kDriver, L"\\\\server\\queue", ResidentProfileList::kRgbSource, five + 3, 2));
  uint32_t count = 0;
  ASSERT_TRUE(LoadResidentProfiles(kDriver, L"\\\\server\\queue", ResidentProfileList::kRgbSource, records_, &count));
  EXPECT_EQ(count, 2u);
  EXPECT_EQ(records_[0].srcType, 4u);
  EXPECT_EQ(records_[1].srcType, 5u);
  EXPECT_EQ(records_[2].srcType, 0u);
  // A connection name nests server and queue; the old record 4 is still stored.
  HKEY key = Key(L"server\\queue", L"Printer Resident\\RGB Source Profiles");
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExW(key, L"RGBSc4", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, sizeof(ColorProfileRecord));
  RegCloseKey(key);
}

TEST_F(ResidentProfiles, StoredCountsAreCappedAndRecordsOfAnotherSizeRefused) {
  HKEY key = Key(L"Printer B", L"Printer Resident\\Destination Profiles");
  const DWORD many = 1000;
  RegSetValueExW(key, L"DESTiNum", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&many), sizeof many);
  const ColorProfileRecord good = Profile(u"DEST", 9);
  RegSetValueExW(key, L"DESTi0", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&good), sizeof good);
  RegSetValueExW(key, L"DESTi1", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&good), 100);  // short
  uint8_t longer[300] = {};
  longer[164] = 7;
  RegSetValueExW(key, L"DESTi2", 0, REG_BINARY, longer, sizeof longer);
  RegSetValueExW(key, L"DESTi11", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&good), sizeof good);
  RegSetValueExW(key, L"DESTi12", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&good), sizeof good);
  RegCloseKey(key);
  uint32_t count = 0;
  ASSERT_TRUE(LoadResidentProfiles(kDriver, L"Printer B", ResidentProfileList::kDestination, records_, &count));
  EXPECT_EQ(count, kResidentProfilesMax);
  EXPECT_EQ(records_[0].srcType, 9u);
  EXPECT_EQ(std::u16string(records_[0].downloadName), u"DEST");
  EXPECT_EQ(records_[1].srcType, 0u);  // refused, left zero
  EXPECT_EQ(records_[2].srcType, 0u);
  EXPECT_EQ(records_[3].srcType, 0u);  // missing
  EXPECT_EQ(records_[11].srcType, 9u);
}

}  // namespace
