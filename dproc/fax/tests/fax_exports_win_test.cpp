// The destination dialog as the user interface core reaches it: bound by
// name from the build tree's VELDRANA.DLL, run modally and answered by the
// test, on a test printer.  No phone book lies beside the library.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include <commctrl.h>
#include <prsht.h>
#include <winspool.h>

#include <vector>

#include "common/contracts/fax_dialogs_win.h"
#include "common/records/sheet_session.h"
#include "common/win/user_registry.h"
#include "common/win/bind_export.h"
#include "tests/support/modal_dialog_driver_win.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_printer_win.h"

namespace {

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
  }
  void TearDown() override {
    if (library_ != nullptr) FreeLibrary(library_);
  }
  testsupport::TestPrinter printer_;
  HMODULE library_ = nullptr;
  // Answers the dialogs the calls open.
  testsupport::ModalDialogDriver driver_;
  PopupFaxSendToDlgFn popup_ = nullptr;
  std::unique_ptr<Job> job_;
};

TEST_F(FaxExports, OkFillsTheCallersBuffers) {
  bool phoneBook = true, okBeforeAdding = true;
  driver_.Then([&](HWND d) {
    phoneBook = IsWindowEnabled(GetDlgItem(d, 2042)) != FALSE;
    okBeforeAdding = IsWindowEnabled(GetDlgItem(d, IDOK)) != FALSE;
    SetDlgItemTextW(d, 1990, L"Head office");
    SetDlgItemTextW(d, 2053, L"0-12p3");
    PostMessageW(GetDlgItem(d, 2041), BM_CLICK, 0, 0);
    PostMessageW(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  EXPECT_EQ(popup_(&job_->args), 1);
  EXPECT_EQ(driver_.Driven(), 1);
  EXPECT_FALSE(phoneBook) << "no phone book beside the library";
  EXPECT_FALSE(okBeforeAdding);
  ASSERT_EQ(job_->count, 1u);
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(job_->slots[0].szFaxNumber)), L"0-123");
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(job_->slots[0].szName)), L"Head office");
  EXPECT_EQ(job_->slots[0].fgECM, 1);
  EXPECT_EQ(job_->slots[0].fgV34Mode, 1);
}

TEST_F(FaxExports, CancelEndsWithTwo) {
  driver_.Then([](HWND d) {
    SetDlgItemTextW(d, 2053, L"5");
    PostMessageW(GetDlgItem(d, 2041), BM_CLICK, 0, 0);
    PostMessageW(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  EXPECT_EQ(popup_(&job_->args), 2);
  EXPECT_EQ(driver_.Driven(), 1);
}

TEST_F(FaxExports, ABlockWithoutItsBuffersIsCancelled) {
  EXPECT_EQ(popup_(nullptr), 2);
  job_->args.phPrinter = nullptr;
  job_->count = 9;
  EXPECT_EQ(popup_(&job_->args), 2);
  EXPECT_EQ(job_->count, 9u);
}

// The FAX sheet's cover-sheet Settings button as the library itself binds
// it: one click opens the cover-sheet setting dialog of the same library,
// and its OK stores the printer's cover sheet for the user.
TEST_F(FaxExports, CoverSettingsButtonOpensTheCoverSheetDialog) {
  auto sheetProc = reinterpret_cast<DLGPROC>(reinterpret_cast<void*>(GetProcAddress(library_, "Prc_DocFaxProc")));
  ASSERT_NE(sheetProc, nullptr);
  ASSERT_NE(GetProcAddress(library_, kFaxCoverSheetPopupDialog), nullptr);
  auto session = std::make_unique<SheetSession>();
  *session = SheetSession{};
  session->kind = kSheetDocumentSession;
  session->mayChange = 1;
  session->printer = printer_.handle();
  session->working = &session->workingRecord;
  PROPSHEETPAGEW page = {};
  page.dwSize = sizeof page;
  std::string rdlg = testsupport::BinaryPath("bin/VELDRANG.DLL");
  HMODULE templates = LoadLibraryW(std::wstring(rdlg.begin(), rdlg.end()).c_str());
  ASSERT_NE(templates, nullptr);
  page.hInstance = templates;
  page.pszTemplate = MAKEINTRESOURCEW(171);
  page.pfnDlgProc = sheetProc;
  page.lParam = reinterpret_cast<LPARAM>(session.get());
  PROPSHEETHEADERW header = {};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_MODELESS | PSH_PROPSHEETPAGE;
  header.pszCaption = L"Fax test";
  header.nPages = 1;
  header.ppsp = &page;
  HWND sheet = reinterpret_cast<HWND>(PropertySheetW(&header));
  ASSERT_NE(sheet, nullptr);
  HWND fax = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  CheckDlgButton(fax, 1946, BST_CHECKED);
  SendMessageW(fax, WM_COMMAND, MAKEWPARAM(1946, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(fax, 1946)));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(fax, 1948)));

  bool coverDialog = false;
  driver_.Then([&](HWND d) {
    coverDialog = GetDlgItem(d, 1956) != nullptr && GetDlgItem(d, 1235) != nullptr;
    PostMessageW(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  SendMessageW(fax, WM_COMMAND, MAKEWPARAM(1948, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(fax, 1948)));
  EXPECT_TRUE(coverDialog);
  DestroyWindow(sheet);

  // The record is in the user's store of this printer.
  DWORD needed = 0;
  GetPrinterW(printer_.handle(), 2, nullptr, 0, &needed);
  std::vector<uint8_t> info(needed);
  ASSERT_TRUE(GetPrinterW(printer_.handle(), 2, info.data(), needed, &needed));
  const auto* p2 = reinterpret_cast<const PRINTER_INFO_2W*>(info.data());
  const std::wstring base = std::wstring(L"Software\\HALDOVAR\\") + p2->pDriverName;
  HKEY key = nullptr;
  ASSERT_EQ(OpenUserRegKey(nullptr, (base + L"\\" + p2->pPrinterName + L"\\FaxCoverSheet").c_str(), &key),
            ERROR_SUCCESS);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExW(key, L"Basic", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 1464u);
  RegCloseKey(key);
  HKEY root = nullptr;
  if (OpenUserRegKey(nullptr, base.c_str(), &root) == ERROR_SUCCESS) {
    RegDeleteTreeW(root, p2->pPrinterName);
    RegCloseKey(root);
  }
  FreeLibrary(templates);
}

}  // namespace
