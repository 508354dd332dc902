// The modal dialog driver on dialogs of in-memory templates: driven on
// activation and, without the hook, by its timer; nested dialogs and a
// message box in order; the test's own modeless dialog left alone; the
// watchdog ending a dialog nobody answers.
#include "tests/support/modal_dialog_driver_win.h"

#include <windows.h>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

using testsupport::ModalDialogDriver;

constexpr int kEdit = 100;
constexpr int kOpenNested = 101;  // the outer dialog opens the nested one
constexpr int kNestedMark = 200;  // only the nested dialog has it
constexpr int kAskBox = 201;      // the nested dialog asks with a message box

// A dialog template in memory: caption, an edit, and buttons.
class Template {
 public:
  Template(const wchar_t* caption, const std::vector<std::pair<int, const wchar_t*>>& buttons) {
    DLGTEMPLATE head = {};
    head.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    head.cdit = static_cast<WORD>(1 + buttons.size());
    head.cx = 200;
    head.cy = 120;
    Put(&head, sizeof head);
    Word(0);  // no menu
    Word(0);  // the dialog class
    Text(caption);
    Word(8);
    Text(L"MS Shell Dlg");
    Item(kEdit, 0x0081, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 10);
    short y = 30;
    for (const auto& [id, text] : buttons) {
      Item(id, 0x0080, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, y);
      y = static_cast<short>(y + 18);
    }
  }
  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Put(const void* data, size_t size) {
    const size_t at = words_.size();
    words_.resize(at + (size + 1) / 2);
    std::memcpy(&words_[at], data, size);
  }
  void Word(WORD w) { words_.push_back(w); }
  void Text(const wchar_t* text) { Put(text, (std::wcslen(text) + 1) * sizeof(wchar_t)); }
  void Item(int id, WORD atom, const wchar_t* text, DWORD style, short y) {
    if (words_.size() % 2 != 0) Word(0);  // items start on a DWORD
    DLGITEMTEMPLATE item = {};
    item.style = style;
    item.x = 10;
    item.y = y;
    item.cx = 120;
    item.cy = 14;
    item.id = static_cast<WORD>(id);
    Put(&item, sizeof item);
    Word(0xFFFF);
    Word(atom);
    Text(text);
    Word(0);  // no creation data
  }
  std::vector<WORD> words_;
};

// What the dialogs saw: the edit's text at OK, the nested dialog's and the
// message box's answers.
struct Seen {
  std::wstring typed;
  INT_PTR nested = 0;
  int box = 0;
};

INT_PTR CALLBACK NestedProc(HWND d, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(d, DWLP_USER, lParam);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  auto* seen = reinterpret_cast<Seen*>(GetWindowLongPtrW(d, DWLP_USER));
  const int id = LOWORD(wParam);
  if (id == kAskBox) seen->box = MessageBoxW(d, L"Keep the nested dialog's text?", L"Question", MB_YESNO);
  if (id == IDOK || id == IDCANCEL) EndDialog(d, id);
  return TRUE;
}

INT_PTR CALLBACK OuterProc(HWND d, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(d, DWLP_USER, lParam);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  auto* seen = reinterpret_cast<Seen*>(GetWindowLongPtrW(d, DWLP_USER));
  const int id = LOWORD(wParam);
  if (id == kOpenNested) {
    static const Template nested(L"Nested", {{kNestedMark, L"Mark"}, {kAskBox, L"Ask"}, {IDOK, L"OK"}});
    seen->nested = DialogBoxIndirectParamW(nullptr, nested.get(), d, NestedProc, reinterpret_cast<LPARAM>(seen));
  }
  if (id == IDOK) {
    wchar_t text[64] = {};
    GetDlgItemTextW(d, kEdit, text, 64);
    seen->typed = text;
  }
  if (id == IDOK || id == IDCANCEL) EndDialog(d, id);
  return TRUE;
}

INT_PTR RunOuter(Seen* seen) {
  static const Template outer(L"Outer", {{kOpenNested, L"Nested..."}, {IDOK, L"OK"}, {IDCANCEL, L"Cancel"}});
  return DialogBoxIndirectParamW(nullptr, outer.get(), nullptr, OuterProc, reinterpret_cast<LPARAM>(seen));
}

void Press(HWND d, int id) { PostMessageW(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

ModalDialogDriver::Options Mode(bool hook) {
  ModalDialogDriver::Options o;
  o.activationHook = hook;
  o.pollMs = hook ? 1000 : 50;
  return o;
}

// With the hook the dialog is answered when it activates, before the
// (slow) timer could find it.
TEST(ModalDialogDriver, DrivesTheDialogOnActivation) {
  ModalDialogDriver driver(Mode(true));
  HWND driven = nullptr;
  driver.Then([&](HWND d) {
    driven = d;
    SetDlgItemTextW(d, kEdit, L"typed");
    Press(d, IDOK);
  });
  Seen seen;
  EXPECT_EQ(RunOuter(&seen), IDOK);
  EXPECT_NE(driven, nullptr);
  EXPECT_EQ(seen.typed, L"typed");
  EXPECT_EQ(driver.Pending(), 0u);
  EXPECT_EQ(driver.Driven(), 1);
  EXPECT_EQ(driver.DrivenOnActivation(), 1);
  EXPECT_EQ(driver.Ended(), 0);
}

// A drive that wants the dialog on the screen waits for it.
TEST(ModalDialogDriver, AWhenShownDriveSeesTheDialogOnTheScreen) {
  for (bool hook : {true, false}) {
    SCOPED_TRACE(hook ? "activation" : "timer");
    ModalDialogDriver::Options options = Mode(hook);
    options.pollMs = 50;
    ModalDialogDriver driver(options);
    bool shown = false;
    driver.Then(
        [&](HWND d) {
          shown = IsWindowVisible(d) != FALSE;
          Press(d, IDCANCEL);
        },
        nullptr, ModalDialogDriver::kWhenShown);
    Seen seen;
    EXPECT_EQ(RunOuter(&seen), IDCANCEL);
    EXPECT_TRUE(shown);
    EXPECT_EQ(driver.Driven(), 1);
  }
}

TEST(ModalDialogDriver, WithoutTheHookTheTimerFindsTheDialog) {
  ModalDialogDriver driver(Mode(false));
  driver.Then([](HWND d) {
    SetDlgItemTextW(d, kEdit, L"by timer");
    Press(d, IDOK);
  });
  Seen seen;
  EXPECT_EQ(RunOuter(&seen), IDOK);
  EXPECT_EQ(seen.typed, L"by timer");
  EXPECT_EQ(driver.Driven(), 1);
  EXPECT_EQ(driver.DrivenOnActivation(), 0);
}

// A dialog that opens a dialog that asks with a message box: three drives
// queued up front run in order, each on its own window, with the hook and
// with the timer alone.
TEST(ModalDialogDriver, NestedDialogsAndAMessageBoxInOrder) {
  for (bool hook : {true, false}) {
    SCOPED_TRACE(hook ? "activation" : "timer");
    ModalDialogDriver driver(Mode(hook));
    std::vector<std::string> order;
    HWND outer = nullptr, nested = nullptr, box = nullptr;
    driver.Then([&](HWND d) {
      order.push_back("outer");
      outer = d;
      SetDlgItemTextW(d, kEdit, L"outer text");
      // The nested dialog runs (and is driven) inside this call.
      SendMessageW(d, WM_COMMAND, MAKEWPARAM(kOpenNested, BN_CLICKED), 0);
      order.push_back("outer again");
      Press(d, IDOK);
    });
    driver.Then(
        [&](HWND d) {
          order.push_back("nested");
          nested = d;
          EXPECT_FALSE(IsWindowEnabled(outer)) << "the outer dialog waits behind";
          SendMessageW(d, WM_COMMAND, MAKEWPARAM(kAskBox, BN_CLICKED), 0);
          Press(d, IDOK);
        },
        ModalDialogDriver::WithControl(kNestedMark));
    driver.Then([&](HWND d) {
      order.push_back("box");
      box = d;
      Press(d, IDNO);
    });
    Seen seen;
    EXPECT_EQ(RunOuter(&seen), IDOK);
    EXPECT_EQ(order, (std::vector<std::string>{"outer", "nested", "box", "outer again"}));
    EXPECT_EQ(seen.box, IDNO);
    EXPECT_EQ(seen.nested, IDOK);
    EXPECT_EQ(seen.typed, L"outer text");
    EXPECT_TRUE(outer != nested && nested != box && box != outer);
    EXPECT_EQ(driver.Driven(), 3);
    EXPECT_EQ(driver.Ended(), 0);
  }
}

// A modeless dialog the test keeps open is not taken by the drive meant for
// the modal one, nor ended by the watchdog.
TEST(ModalDialogDriver, LeavesTheTestsOwnModelessDialogAlone) {
  for (bool hook : {true, false}) {
    SCOPED_TRACE(hook ? "activation" : "timer");
    ModalDialogDriver::Options options = Mode(hook);
    options.watchdogMs = 200;
    ModalDialogDriver driver(options);
    static const Template own(L"Own", {{IDOK, L"OK"}});
    Seen ownSeen;
    HWND modeless = CreateDialogIndirectParamW(nullptr, own.get(), nullptr, OuterProc, reinterpret_cast<LPARAM>(&ownSeen));
    ASSERT_NE(modeless, nullptr);
    ShowWindow(modeless, SW_SHOW);
    HWND driven = nullptr;
    driver.Then([&](HWND d) {
      driven = d;
      // Long enough for the watchdog to look at the modeless dialog.
      const DWORD until = GetTickCount() + 400;
      MSG msg;
      while (GetTickCount() < until) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
      }
      Press(d, IDCANCEL);
    });
    Seen seen;
    EXPECT_EQ(RunOuter(&seen), IDCANCEL);
    EXPECT_NE(driven, modeless);
    EXPECT_NE(driven, nullptr);
    EXPECT_TRUE(IsWindowVisible(modeless));
    EXPECT_EQ(driver.Ended(), 0);
    DestroyWindow(modeless);
  }
}

// The watchdog ends a dialog nobody answers with IDCANCEL and fails the
// test with a message naming the dialog and why.
TEST(ModalDialogDriver, WatchdogEndsAnUnansweredDialog) {
  struct Case {
    const char* why;
    int drives;  // 0: none queued; 1: a drive for another dialog; 2: a drive that leaves it open
  };
  for (const Case& c : {Case{"no drive was queued", 0}, Case{"none matched it", 1}, Case{"did not end it", 2}}) {
    SCOPED_TRACE(c.why);
    ModalDialogDriver::Options options;
    options.pollMs = 50;
    options.watchdogMs = 300;
    ModalDialogDriver driver(options);
    if (c.drives == 1) driver.Then([](HWND d) { Press(d, IDOK); }, ModalDialogDriver::WithControl(kNestedMark));
    if (c.drives == 2) driver.Then([](HWND d) { SetDlgItemTextW(d, kEdit, L"left open"); });
    Seen seen;
    INT_PTR result = 0;
    const DWORD start = GetTickCount();
    EXPECT_NONFATAL_FAILURE(result = RunOuter(&seen), c.why);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_LT(GetTickCount() - start, 5000u);
    EXPECT_EQ(driver.Ended(), 1);
    EXPECT_EQ(driver.Pending(), c.drives == 1 ? 1u : 0u);
  }
}

TEST(ModalDialogDriver, WatchdogMessageNamesTheDialog) {
  ModalDialogDriver::Options options;
  options.pollMs = 50;
  options.watchdogMs = 200;
  ModalDialogDriver driver(options);
  Seen seen;
  EXPECT_NONFATAL_FAILURE(RunOuter(&seen), "the window \"Outer\" (class #32770) was up for 200 ms");
}

}  // namespace
