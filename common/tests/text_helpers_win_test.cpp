// Small text routines.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "common/win/text_helpers.h"

namespace {

TEST(TextHelpers, AnsiToUtf8KeepsRoomForTheTerminator) {
  char out[8];
  memset(out, 'z', sizeof out);
  const char source[] = "Caf\xE9";  // code page 1252
  ASSERT_EQ(GetACP(), 1252u);
  ASSERT_EQ(AnsiToUtf8(-1, out, sizeof out, source), 1);
  EXPECT_STREQ(out, "Caf\xC3\xA9");
  memset(out, 'z', sizeof out);
  EXPECT_EQ(AnsiToUtf8(4, out, 5, source), 0) << "five bytes and a NUL do not fit five";
  EXPECT_EQ(AnsiToUtf8(4, out, 6, source), 1);
  EXPECT_STREQ(out, "Caf\xC3\xA9");
  memset(out, 'z', sizeof out);
  EXPECT_EQ(AnsiToUtf8(0, out, sizeof out, source), 1);
  EXPECT_EQ(out[0], 'z') << "nothing converted, output untouched";
}

TEST(TextHelpers, DupAndAppendOwnTheirBlocks) {
  EXPECT_EQ(DupStringW(nullptr), nullptr);
  wchar_t* first = DupStringW(L"Fax ");
  ASSERT_NE(first, nullptr);
  wchar_t* joined = AppendStringW(first, L"cover");
  ASSERT_NE(joined, nullptr);
  EXPECT_STREQ(joined, L"Fax cover");
  EXPECT_EQ(AppendStringW(joined, nullptr), nullptr);
  EXPECT_STREQ(joined, L"Fax cover") << "a null argument frees nothing";
  LocalFree(joined);
}

TEST(TextHelpers, SplitCommaPair) {
  wchar_t first[260], second[96];
  SplitCommaPair(L"Tray 1,Plain,Extra", first, nullptr, second);
  EXPECT_STREQ(first, L"Tray 1");
  EXPECT_STREQ(second, L"Plain,Extra");
  SplitCommaPair(L"no comma", first, nullptr, second);
  EXPECT_STREQ(first, L"");
  EXPECT_STREQ(second, L"");
  std::wstring longText = std::wstring(300, L'a') + L"," + std::wstring(100, L'b');
  SplitCommaPair(longText.c_str(), first, nullptr, second);
  EXPECT_EQ(wcslen(first), 259u);
  EXPECT_EQ(wcslen(second), 95u);
}

}  // namespace
