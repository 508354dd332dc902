// A number field keeps only the characters it accepts.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/text/number_text.h"

namespace {

TEST(NumberTextWin, CutsAtTheFirstRefusedCharacterAndPlacesTheCaret) {
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  HWND edit = CreateWindowExW(0, L"EDIT", L"old", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent,
                              reinterpret_cast<HMENU>(1011), nullptr, nullptr);
  ASSERT_NE(edit, nullptr);
  struct Case {
    const wchar_t* typed;
    BOOL sign, point;
    const wchar_t* shown;  // text of the control afterwards
    DWORD caret;
  } cases[] = {
      {L"12a4", FALSE, FALSE, L"12", 2},
      {L"-1.5", FALSE, TRUE, L"", 0},
      {L"-1.5x", TRUE, TRUE, L"-1.5", 4},
      {L"1-2", TRUE, FALSE, L"1-2", 0},  // all allowed: the control keeps what it had
  };
  for (const Case& c : cases) {
    SetWindowTextW(edit, L"before");
    SendMessageW(edit, EM_SETSEL, 0, 0);
    wchar_t text[32];
    lstrcpyW(text, c.typed);
    SetDlgItemNumberText(parent, 1011, text, c.sign, c.point);
    wchar_t shown[32];
    GetWindowTextW(edit, shown, 32);
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (lstrcmpW(c.shown, L"1-2") == 0) {
      EXPECT_STREQ(shown, L"before");
    } else {
      EXPECT_STREQ(shown, c.shown);
      EXPECT_EQ(start, c.caret);
      EXPECT_EQ(end, c.caret);
    }
  }
  DestroyWindow(parent);
}

}  // namespace
