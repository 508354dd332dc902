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
#include "common/records/fax_cover_sheet.h"
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

// VELDRANA with the sample model beside it, in a folder of its own, as a
// printer's driver folder holds them.
class LibraryWithModel {
 public:
  LibraryWithModel() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    dir_ = std::wstring(base) + L"vdfax" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(dir_.c_str(), nullptr);
    for (const wchar_t* name : {L"VELDRANA.DLL", L"VELDRANG.DLL", L"VELDRANW.DLL"}) {
      CopyFileW((testsupport::ProgramFolder() + name).c_str(), (dir_ + name).c_str(), FALSE);
    }
    const std::string model = testsupport::BinaryPath("model/VELDRANH.QXD");
    CopyFileW(std::wstring(model.begin(), model.end()).c_str(), (dir_ + L"VELDRANH.QXD").c_str(), FALSE);
    module_ = LoadLibraryW((dir_ + L"VELDRANA.DLL").c_str());
  }
  ~LibraryWithModel() {
    if (module_ != nullptr) FreeLibrary(module_);
    for (const wchar_t* name : {L"VELDRANA.DLL", L"VELDRANG.DLL", L"VELDRANW.DLL", L"VELDRANH.QXD"}) {
      DeleteFileW((dir_ + name).c_str());
    }
    RemoveDirectoryW(dir_.c_str());
  }
  PopupFaxSendToDlgFn Popup() const { return BindExport<PopupFaxSendToDlgFn>(module_, kPopupFaxSendToDlg); }

 private:
  std::wstring dir_;
  HMODULE module_ = nullptr;
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
  struct Names {
    std::wstring driver, printer;
  };
  // The test printer's driver and printer names, which key its user store.
  Names PrinterInfo() {
    DWORD needed = 0;
    GetPrinterW(printer_.handle(), 2, nullptr, 0, &needed);
    std::vector<uint8_t> info(needed);
    if (needed == 0 || !GetPrinterW(printer_.handle(), 2, info.data(), needed, &needed)) return {};
    const auto* p2 = reinterpret_cast<const PRINTER_INFO_2W*>(info.data());
    return {p2->pDriverName, p2->pPrinterName};
  }
  // Opens the destination dialog of VELDRANA beside the sample model on the
  // job, cancels it, and gives the cover sheet the job got.
  FaxCoverSheetData CoverOfACancelledJob() {
    FaxCoverSheetData cover{};
    LibraryWithModel library;
    PopupFaxSendToDlgFn popup = library.Popup();
    EXPECT_NE(popup, nullptr);
    if (popup == nullptr) return cover;
    driver_.Then([](HWND d) { PostMessageW(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); });
    EXPECT_EQ(popup(&job_->args), 2);
    std::memcpy(&cover, job_->cover, sizeof cover);
    return cover;
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
  EXPECT_TRUE(phoneBook) << "the button stays: without the library it only does nothing";
  EXPECT_FALSE(okBeforeAdding);
  ASSERT_EQ(job_->count, 1u);
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(job_->slots[0].szFaxNumber)), L"0-123");
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(job_->slots[0].szName)), L"Head office");
  EXPECT_EQ(job_->slots[0].fgECM, 1);
  EXPECT_EQ(job_->slots[0].fgV34Mode, 1);
}

// A user who never stored a cover sheet gets the built-in one, addressed
// with the sample model's "FcsRAll" title.
TEST_F(FaxExports, WithoutAStoredCoverSheetTheJobIsAddressedToAll) {
  const FaxCoverSheetData cover = CoverOfACancelledJob();
  EXPECT_EQ(std::u16string(cover.recipient.szTitle), u"To all recipients");
  EXPECT_EQ(cover.recipient.byRecipientMode, 0);
  EXPECT_EQ(cover.basic.fgSubject, 1);
  EXPECT_EQ(cover.image.wZoom, 100);
}

// A stored record whose Recipient value is damaged: the set name, the size
// and the Basic part that were read stay; the rest is the built-in record.
TEST_F(FaxExports, ADamagedStoredPartKeepsWhatWasRead) {
  const std::wstring base = L"Software\\HALDOVAR\\" + PrinterInfo().driver;
  HKEY key = nullptr;
  ASSERT_EQ(OpenUserRegKey(nullptr, (base + L"\\" + PrinterInfo().printer + L"\\FaxCoverSheet").c_str(), &key),
            ERROR_SUCCESS);
  wchar_t name[21] = L"Weekly";
  RegSetValueExW(key, L"CoverSheetSet", 0, REG_SZ, reinterpret_cast<const BYTE*>(name), sizeof name);
  const DWORD size = 3;
  RegSetValueExW(key, L"CoverSize", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&size), sizeof size);
  FcsBasicPart basic = {};
  basic.fgSubject = 1;
  std::memcpy(basic.szSubject, u"Quarterly figures", 18 * sizeof(char16_t));
  basic.wPages = 4;
  RegSetValueExW(key, L"Basic", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&basic), sizeof basic);
  const std::vector<uint8_t> tooLarge(2000, 0x41);
  RegSetValueExW(key, L"Recipient", 0, REG_BINARY, tooLarge.data(), static_cast<DWORD>(tooLarge.size()));
  RegCloseKey(key);

  const FaxCoverSheetData cover = CoverOfACancelledJob();
  EXPECT_EQ(std::u16string(cover.szCoverSheetSet), u"Weekly");
  EXPECT_EQ(cover.sCoverSize, 3);
  EXPECT_EQ(std::u16string(cover.basic.szSubject), u"Quarterly figures");
  EXPECT_EQ(cover.basic.wPages, 4);
  EXPECT_EQ(std::u16string(cover.recipient.szTitle), u"To all recipients") << "the damaged part is the default";
  EXPECT_EQ(cover.image.wZoom, 100);
  HKEY root = nullptr;
  if (OpenUserRegKey(nullptr, base.c_str(), &root) == ERROR_SUCCESS) {
    RegDeleteTreeW(root, PrinterInfo().printer.c_str());
    RegCloseKey(root);
  }
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

// The whole dialog as a user goes through it, every window it opens
// answered: two destinations added, one deleted after its question, Default,
// OK.  Nothing may stay up for the watchdog to end, and no window may take
// a drive meant for another (a question the dialog raises on its own, or a
// dialog that never shows).
TEST_F(FaxExports, EveryStepOfTheDialogIsAnsweredAndNothingIsLeftUp) {
  int rowsAfterDelete = -1;
  bool ecmAfterDefault = false, v34AfterDefault = false, nameClearedByDefault = false;
  driver_.Then([&](HWND d) {
    auto click = [d](int id) {
      SendMessageW(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
    };
    SetDlgItemTextW(d, 1990, L"Branch");
    SetDlgItemTextW(d, 2053, L"111");
    click(2041);
    SetDlgItemTextW(d, 2053, L"222");
    click(2041);
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    SendDlgItemMessageW(d, 2047, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
    driver_.Then([](HWND box) { PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0); });
    click(2049);
    rowsAfterDelete = static_cast<int>(SendDlgItemMessageW(d, 2047, LVM_GETITEMCOUNT, 0, 0));
    SetDlgItemTextW(d, 1990, L"Left over");
    CheckDlgButton(d, 2046, BST_UNCHECKED);
    click(2046);
    CheckDlgButton(d, 2044, BST_UNCHECKED);
    click(2044);
    click(1032);
    ecmAfterDefault = IsDlgButtonChecked(d, 2044) == BST_CHECKED;
    v34AfterDefault = IsDlgButtonChecked(d, 2046) == BST_CHECKED;
    nameClearedByDefault = GetWindowTextLengthW(GetDlgItem(d, 1990)) == 0;
    PostMessageW(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  EXPECT_EQ(popup_(&job_->args), 1);
  EXPECT_EQ(driver_.Driven(), 2) << "the dialog and the delete question";
  EXPECT_EQ(driver_.Pending(), 0u);
  EXPECT_EQ(driver_.Ended(), 0) << "no window was left for the watchdog";
  EXPECT_EQ(rowsAfterDelete, 1);
  EXPECT_TRUE(ecmAfterDefault);
  EXPECT_TRUE(v34AfterDefault);
  EXPECT_TRUE(nameClearedByDefault);
  ASSERT_EQ(job_->count, 1u);
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(job_->slots[0].szFaxNumber)), L"222");
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
