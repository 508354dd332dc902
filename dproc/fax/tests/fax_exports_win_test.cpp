// The destination dialog as the user interface core reaches it: bound by
// name from the build tree's VELDRANA.DLL, run modally and answered by the
// test, on a test printer.  No phone book lies beside the library.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "common/contracts/fax_dialogs_win.h"
#include "common/win/bind_export.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_printer_win.h"

namespace {

std::function<void(HWND)> g_drive;
HHOOK g_hook = nullptr;
LRESULT CALLBACK DriveHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && g_drive) {
    auto drive = std::move(g_drive);
    g_drive = nullptr;
    drive(reinterpret_cast<HWND>(wParam));
  }
  return CallNextHookEx(g_hook, code, wParam, lParam);
}

struct Job {
  uint32_t count = 0;
  FaxRecipientEntry slots[kFaxMaxRecipients];
  uint8_t cover[kFaxCoverSheetDataSize];
  FaxSetting setting;
  HANDLE printer = nullptr;
  DocDMode doc;
  FaxSendToArgs args;
  Job() {
    std::memset(slots, 0, sizeof slots);
    std::memset(cover, 0, sizeof cover);
    std::memset(&setting, 0, sizeof setting);
    std::memset(&doc, 0, sizeof doc);
    args = {&count, slots, cover, &setting, &printer, &doc};
  }
};

class FaxExports : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    std::string path = testsupport::BinaryPath("bin/VELDRANA.DLL");
    library_ = LoadLibraryW(std::wstring(path.begin(), path.end()).c_str());
    ASSERT_NE(library_, nullptr);
    popup_ = BindExport<PopupFaxSendToDlgFn>(library_, kPopupFaxSendToDlg);
    ASSERT_NE(popup_, nullptr);
    job_ = std::make_unique<Job>();
    job_->printer = printer_.handle();
    g_hook = SetWindowsHookExW(WH_CBT, DriveHook, nullptr, GetCurrentThreadId());
  }
  void TearDown() override {
    if (g_hook != nullptr) UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    g_drive = nullptr;
    if (library_ != nullptr) FreeLibrary(library_);
  }
  testsupport::TestPrinter printer_;
  HMODULE library_ = nullptr;
  PopupFaxSendToDlgFn popup_ = nullptr;
  std::unique_ptr<Job> job_;
};

TEST_F(FaxExports, OkFillsTheCallersBuffers) {
  bool phoneBook = true, okBeforeAdding = true;
  g_drive = [&](HWND d) {
    phoneBook = IsWindowEnabled(GetDlgItem(d, 2042)) != FALSE;
    okBeforeAdding = IsWindowEnabled(GetDlgItem(d, IDOK)) != FALSE;
    SetDlgItemTextW(d, 1990, L"Head office");
    SetDlgItemTextW(d, 2053, L"0-12p3");
    PostMessageW(GetDlgItem(d, 2041), BM_CLICK, 0, 0);
    PostMessageW(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
  EXPECT_EQ(popup_(&job_->args), 1);
  EXPECT_FALSE(phoneBook) << "no phone book beside the library";
  EXPECT_FALSE(okBeforeAdding);
  ASSERT_EQ(job_->count, 1u);
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(job_->slots[0].szFaxNumber)), L"0-123");
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(job_->slots[0].szName)), L"Head office");
  EXPECT_EQ(job_->slots[0].fgECM, 1);
  EXPECT_EQ(job_->slots[0].fgV34Mode, 1);
}

TEST_F(FaxExports, CancelEndsWithTwo) {
  g_drive = [](HWND d) {
    SetDlgItemTextW(d, 2053, L"5");
    PostMessageW(GetDlgItem(d, 2041), BM_CLICK, 0, 0);
    PostMessageW(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  };
  EXPECT_EQ(popup_(&job_->args), 2);
}

TEST_F(FaxExports, ABlockWithoutItsBuffersIsCancelled) {
  EXPECT_EQ(popup_(nullptr), 2);
  job_->args.phPrinter = nullptr;
  job_->count = 9;
  EXPECT_EQ(popup_(&job_->args), 2);
  EXPECT_EQ(job_->count, 9u);
}

}  // namespace
