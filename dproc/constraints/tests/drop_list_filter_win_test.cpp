// The drop-list reason filter on a live dialog: reasons beside the
// highlighted item of an open list, and the selection kept around a
// cancelled list.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dproc/constraints/drop_list_filter_win.h"
#include "dproc/constraints/drop_reasons.h"

namespace {

constexpr int kDoubleSides = 1286;
constexpr int kOtherList = 1025;

INT_PTR CALLBACK FilteredProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  ComboDropListFilter(dialog, message, wParam, lParam);
  return message == WM_INITDIALOG;
}

std::vector<WORD> Template() {
  std::vector<WORD> t;
  auto dword = [&](DWORD v) {
    t.push_back(LOWORD(v));
    t.push_back(HIWORD(v));
  };
  dword(WS_POPUP | WS_VISIBLE | DS_SETFONT);
  dword(0);
  t.push_back(2);
  t.push_back(10);
  t.push_back(10);
  t.push_back(200);
  t.push_back(150);
  t.push_back(0);
  t.push_back(0);
  t.push_back(0);
  t.push_back(8);
  for (wchar_t c : std::wstring(L"Tahoma")) t.push_back(c);
  t.push_back(0);
  int y = 4;
  for (int id : {kDoubleSides, kOtherList}) {
    if (t.size() % 2 != 0) t.push_back(0);
    dword(WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST);
    dword(0);
    t.push_back(4);
    t.push_back(static_cast<WORD>(y));
    t.push_back(100);
    t.push_back(80);
    y += 20;
    t.push_back(static_cast<WORD>(id));
    t.push_back(0xFFFF);
    t.push_back(0x85);
    t.push_back(0);
    t.push_back(0);
  }
  return t;
}

std::wstring TipText(HWND tip, HWND dialog) {
  wchar_t buffer[512] = {};
  TOOLINFOW tool = {};
  tool.cbSize = sizeof tool;
  tool.hwnd = dialog;
  tool.lpszText = buffer;
  SendMessageW(tip, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
  return buffer;
}

class DropListFilter : public ::testing::Test {
 protected:
  void SetUp() override {
    template_ = Template();
    dialog_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                         reinterpret_cast<const DLGTEMPLATE*>(template_.data()), nullptr,
                                         FilteredProc, 0);
    ASSERT_NE(dialog_, nullptr);
    duplex_ = GetDlgItem(dialog_, kDoubleSides);
    // The two-sided list carries codes: 1 simplex, 2 duplex, 3 booklet.
    for (int code : {1, 2, 3}) {
      LRESULT i = SendMessageW(duplex_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"option"));
      SendMessageW(duplex_, CB_SETITEMDATA, static_cast<WPARAM>(i), code);
    }
    HWND other = GetDlgItem(dialog_, kOtherList);
    for (int value : {7, 8}) {
      LRESULT i = SendMessageW(other, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"option"));
      SendMessageW(other, CB_SETITEMDATA, static_cast<WPARAM>(i), value);
    }
    ASSERT_TRUE(AppendDropReason(kDoubleSides, 3, u"A booklet does not go with N-up.\\nTurn N-up off."));
    ASSERT_TRUE(AppendDropReason(kDoubleSides, 2, u"Duplex reason."));
  }
  void TearDown() override {
    Notify(kDoubleSides, CBN_CLOSEUP);
    DestroyWindow(dialog_);
    FreeDropReasons();
  }
  void Notify(int id, WORD code) {
    SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(dialog_, id)));
  }
  void Tick() { ShowDropListReasonTip(dialog_, WM_TIMER, kDoubleSides, 0); }
  void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }

  std::vector<WORD> template_;
  HWND dialog_ = nullptr;
  HWND duplex_ = nullptr;
};

TEST_F(DropListFilter, CombosGetTheExtendedInterface) {
  EXPECT_EQ(SendMessageW(duplex_, CB_GETEXTENDEDUI, 0, 0), TRUE);
  EXPECT_EQ(SendMessageW(GetDlgItem(dialog_, kOtherList), CB_GETEXTENDEDUI, 0, 0), TRUE);
}

TEST_F(DropListFilter, ReasonsFollowTheHighlightedItem) {
  SendMessageW(duplex_, CB_SETCURSEL, 0, 0);
  SendMessageW(duplex_, CB_SHOWDROPDOWN, TRUE, 0);
  Notify(kDoubleSides, CBN_DROPDOWN);
  Tick();
  EXPECT_EQ(DropListReasonTooltip(), nullptr);  // simplex has no reason

  SendMessageW(duplex_, CB_SETCURSEL, 2, 0);  // code 3: "Booklet"
  Tick();
  HWND tip = DropListReasonTooltip();
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(TipText(tip, dialog_), L"A booklet does not go with N-up. \nTurn N-up off.");

  SendMessageW(duplex_, CB_SETCURSEL, 1, 0);  // another reason: same window, new text
  Tick();
  EXPECT_EQ(DropListReasonTooltip(), tip);
  EXPECT_EQ(TipText(tip, dialog_), L"Duplex reason.");

  SendMessageW(duplex_, CB_SETCURSEL, 0, 0);
  Tick();
  EXPECT_EQ(DropListReasonTooltip(), nullptr);
  EXPECT_FALSE(IsWindow(tip));

  SendMessageW(duplex_, CB_SETCURSEL, 2, 0);
  Tick();
  ASSERT_NE(DropListReasonTooltip(), nullptr);
  SendMessageW(duplex_, CB_SHOWDROPDOWN, FALSE, 0);
  Notify(kDoubleSides, CBN_CLOSEUP);
  EXPECT_EQ(DropListReasonTooltip(), nullptr);
  Tick();  // a late tick after the list closed does nothing
  EXPECT_EQ(DropListReasonTooltip(), nullptr);
}

TEST_F(DropListFilter, ReasonsOfOtherListsGoByItemData) {
  ASSERT_TRUE(AppendDropReason(kOtherList, 8, u"Value eight."));
  HWND other = GetDlgItem(dialog_, kOtherList);
  SendMessageW(other, CB_SETCURSEL, 1, 0);
  Notify(kOtherList, CBN_DROPDOWN);
  ShowDropListReasonTip(dialog_, WM_TIMER, kOtherList, 0);
  ASSERT_NE(DropListReasonTooltip(), nullptr);
  EXPECT_EQ(TipText(DropListReasonTooltip(), dialog_), L"Value eight.");
  Notify(kOtherList, CBN_CLOSEUP);
}

TEST_F(DropListFilter, CancellingAnOpenListPutsTheSelectionBack) {
  SendMessageW(duplex_, CB_SETCURSEL, 1, 0);
  Notify(kDoubleSides, CBN_DROPDOWN);
  SendMessageW(duplex_, CB_SETCURSEL, 2, 0);
  Notify(kDoubleSides, CBN_SELENDCANCEL);
  Pump();
  EXPECT_EQ(SendMessageW(duplex_, CB_GETCURSEL, 0, 0), 1);

  // Accepted: the new selection stays.
  Notify(kDoubleSides, CBN_DROPDOWN);
  SendMessageW(duplex_, CB_SETCURSEL, 0, 0);
  Notify(kDoubleSides, CBN_SELENDOK);
  Notify(kDoubleSides, CBN_SELENDCANCEL);
  Pump();
  EXPECT_EQ(SendMessageW(duplex_, CB_GETCURSEL, 0, 0), 0);
}

}  // namespace
