// Per-user keys reach the calling user's hive, impersonated or not.
#include <windows.h>

#include <sddl.h>

#include <gtest/gtest.h>

#include <string>

#include "common/win/user_registry.h"

namespace {

const wchar_t kSubkey[] = L"Software\\HALDOVAR\\user_registry_win_test";

bool KeyExists(HKEY root, const std::wstring& path) {
  HKEY key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::wstring ThreadSid() {
  HANDLE token;
  if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token)) return L"";
  wchar_t text[256];
  DWORD size = 256;
  DWORD result = GetSidString(token, text, &size);
  CloseHandle(token);
  return result == ERROR_SUCCESS ? text : L"";
}

TEST(UserRegistry, WithoutATokenTheKeyIsTheCurrentUsers) {
  RegDeleteTreeW(HKEY_CURRENT_USER, kSubkey);
  HKEY key = nullptr;
  ASSERT_EQ(OpenUserRegKey(nullptr, kSubkey, &key), ERROR_SUCCESS);
  DWORD v = 7;
  EXPECT_EQ(RegSetValueExW(key, L"Probe", 0, REG_DWORD, reinterpret_cast<BYTE*>(&v), 4), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kSubkey));
  RegDeleteTreeW(HKEY_CURRENT_USER, kSubkey);
  EXPECT_EQ(OpenUserRegKey(nullptr, kSubkey, nullptr), ERROR_INVALID_PARAMETER);
}

TEST(UserRegistry, ImpersonatedTheKeyIsUnderTheUsersSid) {
  ASSERT_TRUE(ImpersonateSelf(SecurityImpersonation));
  std::wstring sid = ThreadSid();
  HKEY key = nullptr;
  LONG result = OpenUserRegKey(nullptr, kSubkey, &key);
  HKEY root = nullptr;
  LONG rootResult = OpenUserRegKey(nullptr, nullptr, &root);
  RevertToSelf();
  ASSERT_FALSE(sid.empty());
  EXPECT_EQ(sid.rfind(L"S-1-", 0), 0u) << sid;
  ASSERT_EQ(result, ERROR_SUCCESS);
  RegCloseKey(key);
  ASSERT_EQ(rootResult, ERROR_SUCCESS);
  RegCloseKey(root);
  EXPECT_TRUE(KeyExists(HKEY_USERS, sid + L"\\" + kSubkey));
  RegDeleteTreeW(HKEY_USERS, (sid + L"\\" + kSubkey).c_str());
}

TEST(UserRegistry, OwnSidTextAgreesWithTheSystems) {
  const wchar_t* sids[] = {L"S-1-5-21-0-0-0-1000", L"S-1-5-32-544", L"S-1-1-0", L"S-1-16-12288",
                           L"S-1-5-21-4294967295-1-2-3-4-5-6"};
  for (const wchar_t* text : sids) {
    PSID sid = nullptr;
    ASSERT_TRUE(ConvertStringSidToSidW(text, &sid)) << text;
    wchar_t* system = nullptr;
    ASSERT_TRUE(ConvertSidToStringSidBound(sid, &system));
    wchar_t own[256];
    DWORD size = 256;
    ASSERT_EQ(FormatSidString(sid, own, &size), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_STREQ(own, system);
    EXPECT_EQ(size, wcslen(system) + 1);
    // Too small a buffer: the size, nothing copied.
    wchar_t small[4] = {L'x', 0, 0, 0};
    DWORD smallSize = 4;
    EXPECT_EQ(FormatSidString(sid, small, &smallSize), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(smallSize, size);
    EXPECT_EQ(small[0], L'x');
    LocalFree(system);
    LocalFree(sid);
  }
}

TEST(UserRegistry, OwnSidTextWritesALargeAuthorityInHex) {
  SID_IDENTIFIER_AUTHORITY authority = {{0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC}};
  PSID sid = nullptr;
  ASSERT_TRUE(AllocateAndInitializeSid(&authority, 2, 7, 4294967295u, 0, 0, 0, 0, 0, 0, &sid));
  wchar_t own[256];
  DWORD size = 256;
  ASSERT_EQ(FormatSidString(sid, own, &size), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_STREQ(own, L"S-1-0x123456789abc-7-4294967295");
  FreeSid(sid);
}

TEST(UserRegistry, SettingsPathDropsTheServersBackslashes) {
  wchar_t path[128];
  ASSERT_TRUE(MakeUserSettingsPath(L"Fax Driver", L"\\\\server\\queue", L"InterSheetList1", path, 128));
  EXPECT_STREQ(path, L"Software\\HALDOVAR\\Fax Driver\\server\\queue\\InterSheetList1");
  ASSERT_TRUE(MakeUserSettingsPath(L"Fax Driver", L"Local Fax", nullptr, path, 128));
  EXPECT_STREQ(path, L"Software\\HALDOVAR\\Fax Driver\\Local Fax");
  EXPECT_FALSE(MakeUserSettingsPath(L"Fax Driver", L"Local Fax", nullptr, path, 20));
  EXPECT_STREQ(path, L"");
}

}  // namespace
