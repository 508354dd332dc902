// The text-clipping check under Wine and Xvfb: the keys held in the test
// thread's keyboard state and the printer's "ClipTest" value decide whether
// a run happens; the report lines reach the debugger output with the
// widths of controls that the test sizes in pixels.
#include <windows.h>

#include <winspool.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dproc/dialogs/clip_test_report.h"
#include "dproc/dialogs/clip_test_win.h"
#include "tests/support/clip_test_support_win.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/test_printer_win.h"

namespace {

using testsupport::DebugOutput;
using testsupport::DialogKit;
using testsupport::HoldKeys;
using testsupport::SetClipTest;

constexpr int kClipDialog = 9002;


INT_PTR CALLBACK ClipProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  for (const wchar_t* item : {L"A4", L"A paper name much too long for this box"}) {
    SendDlgItemMessageW(dialog, 1003, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  for (const wchar_t* item : {L"Tray 1", L"A tray name much too long for this box"}) {
    SendDlgItemMessageW(dialog, 1005, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  return TRUE;
}

// Gives a control a width in pixels.
void SetWidth(HWND dialog, int id, int width) {
  HWND control = GetDlgItem(dialog, id);
  RECT r;
  GetWindowRect(control, &r);
  SetWindowPos(control, nullptr, 0, 0, width, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
}

// The width of a text in a control's font, measured apart from the check.
int TextWidth(HWND dialog, int id, const std::wstring& text) {
  HWND control = GetDlgItem(dialog, id);
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT r = {0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return r.right - r.left;
}

const ClipTestItem kItems[] = {
    {1001, kClipPushButton, nullptr, 0}, {1002, kClipCheckBox, nullptr, 0}, {1004, kClipStatic, nullptr, 0},
    {1006, kClipStatic, nullptr, 0},     {1003, kClipComboItem, L"Paper", 40}, {1005, kClipListItem, L"Trays", 0},
    {0, 0, nullptr, 0},
};

std::wstring Long(const wchar_t* status, const std::wstring& head, int shown, int chars, int ctrl, int margin,
                  int added) {
  return std::wstring(status) + head + L"        #[DisplayWidth: " + std::to_wstring(shown) +
         L", CharWidth: " + std::to_wstring(chars) + L", Ctrl: " + std::to_wstring(ctrl) +
         L", Mrgn: " + std::to_wstring(margin) + L", MrgnAdd: " + std::to_wstring(added) + L"]#\n";
}

class ClipTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    dialog_ = kit_.OpenDialog(GetModuleHandleW(nullptr), kClipDialog, ClipProc);
    ASSERT_NE(dialog_, nullptr);
    // Widths chosen so that the short texts fit and the long ones do not,
    // whatever face the display gives the dialog font.
    SetWidth(dialog_, 1001, 100);
    SetWidth(dialog_, 1002, 100);
    SetWidth(dialog_, 1004, 100);
    SetWidth(dialog_, 1003, 160);
    SetWidth(dialog_, 1005, 120);
  }
  void TearDown() override {
    HoldKeys(false, false, false);
    kit_.Close();
  }
  int Width(int id, const wchar_t* text) { return TextWidth(dialog_, id, text); }

  testsupport::TestPrinter printer_{L"Clip Test"};
  DialogKit kit_;
  HWND dialog_ = nullptr;
};

TEST_F(ClipTest, EveryTextWithItsMeasurementsInModeThree) {
  SetClipTest(printer_.handle(), 3);
  HoldKeys(true, true, true);
  DebugOutput output;
  ASSERT_TRUE(RunClipTest(dialog_, printer_.handle(), L"Clip Dialog", kItems));
  const std::vector<std::wstring> lines = output.Take();
  const std::vector<std::wstring> expected = {
      L"********** Clip Dialog Start  ********************\n",
      // 100 pixels less the button's 10 leave 90, of which 85 are shown.
      Long(L"Ok     ", L" \"Add\"", 85, Width(1001, L"Add"), 100, 10, 0),
      // The check box's 18 leave 82, of which 77 are shown; "&&" reads "&".
      Long(L"Check!!", L" \"A&B and a text far too long for its box\"", 77,
           Width(1002, L"A&B and a text far too long for its box"), 100, 18, 0),
      // A static text keeps its whole width: 95 shown of 100.
      Long(L"Ok     ", L" \"Short\"", 95, Width(1004, L"Short"), 100, 0, 0),
      // The hidden static writes nothing.  The combo box: 160 less 23 and
      // the pictures' 40 leave 97, of which 92 are shown.
      Long(L"Ok     ", L"   Paper -- \"A4\"", 92, Width(1003, L"A4"), 160, 23, 40),
      Long(L"Check!!", L"   Paper -- \"A paper name much too long for this box\"", 92,
           Width(1003, L"A paper name much too long for this box"), 160, 23, 40),
      // The list box's items: 120 less 23 leave 97, of which 92 are shown.
      Long(L"Ok     ", L"   Trays -- \"Tray 1\"", 92, Width(1005, L"Tray 1"), 120, 23, 0),
      Long(L"Check!!", L"   Trays -- \"A tray name much too long for this box\"", 92,
           Width(1005, L"A tray name much too long for this box"), 120, 23, 0),
      L"********** Clip Dialog Finish ********************\n",
  };
  EXPECT_EQ(lines, expected);
  kit_.Screenshot("clip");
}

TEST_F(ClipTest, ClippedTextsOnlyInShortLinesInModeTwo) {
  SetClipTest(printer_.handle(), 2);
  HoldKeys(true, true, true);
  DebugOutput output;
  ASSERT_TRUE(RunClipTest(dialog_, printer_.handle(), L"Clip Dialog", kItems));
  const std::vector<std::wstring> expected = {
      L"********** Clip Dialog Start  ********************\n",
      L"Check!! \"A&B and a text far too long for its box\"\n",
      L"Check!!   Paper -- \"A paper name much too long for this box\"\n",
      L"Check!!   Trays -- \"A tray name much too long for this box\"\n",
      L"********** Clip Dialog Finish ********************\n",
  };
  EXPECT_EQ(output.Take(), expected);
}

TEST_F(ClipTest, NoRunWithoutAllThreeKeysOrWithoutTheValue) {
  DebugOutput output;
  HoldKeys(true, true, true);
  // The printer has no "ClipTest" value yet, then one too long for 4 bytes.
  EXPECT_EQ(IsClipTestMode(dialog_, printer_.handle()), 0u);
  const BYTE eight[8] = {1, 0, 0, 0, 0, 0, 0, 0};
  ASSERT_EQ(SetPrinterDataW(printer_.handle(), const_cast<wchar_t*>(L"ClipTest"), REG_BINARY,
                            const_cast<BYTE*>(eight), sizeof eight),
            static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(IsClipTestMode(dialog_, printer_.handle()), 0u);
  SetClipTest(printer_.handle(), 1);
  const struct {
    bool control, shift, alt;
  } partial[] = {{true, true, false}, {true, false, true}, {false, true, true}, {false, false, false}};
  for (const auto& keys : partial) {
    HoldKeys(keys.control, keys.shift, keys.alt);
    EXPECT_EQ(IsClipTestMode(dialog_, printer_.handle()), 0u);
    EXPECT_FALSE(RunClipTest(dialog_, printer_.handle(), L"Clip Dialog", kItems));
  }
  HoldKeys(true, true, true);
  EXPECT_EQ(IsClipTestMode(dialog_, printer_.handle()), 1u);
  EXPECT_EQ(IsClipTestMode(dialog_, nullptr), 0u);
  SetClipTest(printer_.handle(), 0);
  EXPECT_EQ(IsClipTestMode(dialog_, printer_.handle()), 0u);
  EXPECT_TRUE(output.Take().empty());
}

}  // namespace
