// The destination dialog and the fax mode details under Wine: the dialogs
// run from the build tree's templates on a test printer, their message
// boxes recorded and answered through the UI services table, the phone book
// a stand-in that logs its arguments.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "common/win/ui_services.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/fax/fax_fields_win.h"
#include "dproc/fax/fax_mode_details_win.h"
#include "dproc/fax/fax_send_to_dialog_win.h"
#include "dproc/fax/fax_sheet_win.h"
#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/records/sheet_session.h"
#include "dproc/fax/host_program.h"
#include "common/cover/cover_defaults.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/sheet_context.h"
#include "dproc/fax/phone_book_win.h"
#include "dproc/model/message_text.h"
#include "common/contracts/ddproc_functions.h"
#include "common/contracts/ddproc_sheet_functions_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/startup/ddproc_binding_win.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/modal_dialog_driver_win.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_printer_win.h"

namespace {

struct Box {
  std::wstring text, caption;
  UINT style;
};
std::vector<Box> g_boxes;
std::deque<int> g_answers;

int RecordBox(HWND, const wchar_t* text, const wchar_t* caption, UINT style) {
  g_boxes.push_back({text, caption, style});
  if (g_answers.empty()) return (style & MB_YESNO) == MB_YESNO ? IDYES : IDOK;
  int a = g_answers.front();
  g_answers.pop_front();
  return a;
}
BOOL NoWinHelp(HWND, const wchar_t*, UINT, ULONG_PTR) { return TRUE; }
HWND NoHtmlHelp(HWND, const wchar_t*, UINT, DWORD_PTR) { return nullptr; }
const UiServices kServices = {RecordBox, NoWinHelp, NoHtmlHelp};

// Message rows name themselves ("M537"), so a test sees which one was shown;
// the delayed-send text is a real format.
const char16_t* Row(uint32_t row) {
  static std::u16string text;
  if (row == 541) return u"%d-%02d-%02d %02d:%02d";
  std::string digits = "M" + std::to_string(row);
  text.assign(digits.begin(), digits.end());
  return text.c_str();
}

SYSTEMTIME g_now = {};
void TestClock(SYSTEMTIME* now) { *now = g_now; }

// The job's buffers as the user interface core hands them over.
struct Job {
  uint32_t count = 77;
  FaxRecipientEntry slots[kFaxMaxRecipients];
  uint8_t cover[kFaxCoverSheetDataSize];
  FaxSetting setting;
  HANDLE printer = nullptr;
  DocDMode doc;
  FaxSendToArgs args;
  Job() {
    std::memset(slots, 0xAB, sizeof slots);  // the dialog zeroes them
    std::memset(cover, 0, sizeof cover);
    std::memset(&setting, 0, sizeof setting);
    std::memset(&doc, 0, sizeof doc);
    args = {&count, slots, cover, &setting, &printer, &doc};
  }
};

std::wstring Text(const char16_t* t) { return reinterpret_cast<const wchar_t*>(t); }

// A file of the build tree's program folder.
std::wstring BinFile(const std::string& relative) {
  std::string path = testsupport::BinaryPath("bin/" + relative);
  return std::wstring(path.begin(), path.end());
}

class FaxDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    templates_ = LoadLibraryW(BinFile("VELDRANG.DLL").c_str());
    ASSERT_NE(templates_, nullptr);
    DialogFrameworkModules().templates = templates_;
    previous_ = SetUiServices(&kServices);
    SetMessageRowSource(Row);
    SetFaxClock(TestClock);
    g_now = {2026, 12, 4, 31, 23, 0, 0, 0};
    g_boxes.clear();
    g_answers.clear();
    log_ = testsupport::ProgramFolder() + L"phone_book_" + std::to_wstring(GetCurrentProcessId()) + L".log";
    DeleteFileW(log_.c_str());
    SetEnvironmentVariableW(L"FAX_PHONE_BOOK_LOG", log_.c_str());
    SetEnvironmentVariableW(L"FAX_PHONE_BOOK_ADD", nullptr);
    SetEnvironmentVariableW(L"FAX_PHONE_BOOK_COUNT", nullptr);
    SetEnvironmentVariableW(L"FAX_PHONE_BOOK_RESULT", nullptr);
    UsePhoneBook(true);
    job_ = std::make_unique<Job>();
    job_->printer = printer_.handle();
  }
  void TearDown() override {
    if (dialog_ != nullptr) DestroyWindow(dialog_);
    SetUiServices(previous_);
    SetMessageRowSource(nullptr);
    SetFaxClock(nullptr);
    SetPhoneBookFolder(nullptr);
    DeleteFileW(log_.c_str());
  }
  void UsePhoneBook(bool present) {
    std::wstring folder = BinFile(present ? "phone_book_standin" : "no_phone_book_here");
    SetPhoneBookFolder(folder.c_str());
  }
  HWND Open() {
    dialog_ = CreateDialogParamW(templates_, MAKEINTRESOURCEW(kFaxSendToTemplate), nullptr, FaxSendToDlgProc,
                                 reinterpret_cast<LPARAM>(&job_->args));
    return dialog_;
  }
  HWND Item(int id) { return GetDlgItem(dialog_, id); }
  bool Enabled(int id) { return IsWindowEnabled(Item(id)) != FALSE; }
  // A click as the user makes it: only on an enabled control.
  bool Click(int id) {
    if (!Enabled(id)) return false;
    SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
    return true;
  }
  void Check(int id, bool on) {
    CheckDlgButton(dialog_, id, on ? BST_CHECKED : BST_UNCHECKED);
    SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
  }
  // Keys typed into an edit, one character at a time.
  void Type(int id, const wchar_t* keys) {
    for (; *keys != 0; ++keys) SendMessageW(Item(id), WM_CHAR, *keys, 1);
  }
  std::wstring ItemText(int id) {
    wchar_t text[256] = {};
    GetWindowTextW(Item(id), text, 256);
    return text;
  }
  void AddTyped(const wchar_t* name, const wchar_t* number) {
    SetDlgItemTextW(dialog_, 1990, name);
    SetDlgItemTextW(dialog_, 2053, number);
    ASSERT_TRUE(Click(2041));
  }
  int Rows() { return static_cast<int>(SendMessageW(Item(2047), LVM_GETITEMCOUNT, 0, 0)); }
  void Select(std::initializer_list<int> rows) {
    for (int r : rows) {
      LVITEMW item = {};
      item.stateMask = LVIS_SELECTED;
      item.state = LVIS_SELECTED;
      SendMessageW(Item(2047), LVM_SETITEMSTATE, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&item));
    }
  }
  std::vector<std::string> PhoneBookLog() {
    std::vector<std::string> lines;
    std::ifstream in(std::string(log_.begin(), log_.end()));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  testsupport::TestPrinter printer_;
  HMODULE templates_ = nullptr;
  const UiServices* previous_ = nullptr;
  std::unique_ptr<Job> job_;
  HWND dialog_ = nullptr;
  std::wstring log_;
};

TEST_F(FaxDialogs, OpensEmptyWithOkAndAddDisabled) {
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(job_->count, 0u) << "the dialog starts the job's list empty";
  EXPECT_EQ(job_->slots[5].szFaxNumber[0], 0) << "and zeroes the slots";
  EXPECT_FALSE(Enabled(IDOK));
  SetDlgItemTextW(dialog_, 1990, L"Only a name");
  EXPECT_FALSE(Enabled(2041)) << "Add needs a fax number";
  EXPECT_FALSE(Enabled(2043)) << "and so does saving to the phone book";
  EXPECT_TRUE(Enabled(2042));
  EXPECT_EQ(IsDlgButtonChecked(dialog_, 2044), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, 2046), BST_CHECKED);
  EXPECT_FALSE(Enabled(2044)) << "V.34 keeps error correction on";
  Check(2046, false);
  EXPECT_TRUE(Enabled(2044));
  EXPECT_EQ(IsDlgButtonChecked(dialog_, 2044), BST_CHECKED);
}

TEST_F(FaxDialogs, WithoutAStoredCoverSheetTheJobGetsTheBuiltInOne) {
  ASSERT_NE(Open(), nullptr);
  FaxCoverSheetData defaults;
  MakeDefaultCoverSheet(&defaults);
  EXPECT_EQ(std::memcmp(job_->cover, &defaults, sizeof defaults), 0) << "not the zeroed buffer of the caller";
  bool allZero = true;
  for (uint8_t b : job_->cover) allZero = allZero && b == 0;
  EXPECT_FALSE(allZero);
}

// The dialog has no owner: it shows and enables itself when it starts and
// whenever it is activated.
TEST_F(FaxDialogs, ShowsAndEnablesItselfWhenActivated) {
  ASSERT_NE(Open(), nullptr);
  EXPECT_TRUE(IsWindowVisible(dialog_));
  EXPECT_TRUE(IsWindowEnabled(dialog_));
  EnableWindow(dialog_, FALSE);
  ShowWindow(dialog_, SW_HIDE);
  SendMessageW(dialog_, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
  EXPECT_FALSE(IsWindowVisible(dialog_)) << "losing the activation changes nothing";
  SendMessageW(dialog_, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
  EXPECT_TRUE(IsWindowVisible(dialog_));
  EXPECT_TRUE(IsWindowEnabled(dialog_));
}

// A row is drawn in the highlight colour when it is selected or when it is
// the target of a drag (drop-highlighted), else in the window colour.
TEST_F(FaxDialogs, SelectedAndDropHighlightedRowsAreDrawnHighlighted) {
  ASSERT_NE(Open(), nullptr);
  AddTyped(L"Ada", L"1");
  AddTyped(L"Bob", L"2");
  AddTyped(L"Cy", L"3");
  LVITEMW drop = {};
  drop.stateMask = LVIS_DROPHILITED;
  drop.state = LVIS_DROPHILITED;
  SendMessageW(Item(2047), LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&drop));
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 400, 20);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  struct Case {
    UINT row, state;
    int colour;
  } cases[] = {{0, 0, COLOR_WINDOW}, {1, ODS_SELECTED, COLOR_HIGHLIGHT}, {2, 0, COLOR_HIGHLIGHT}};
  for (const Case& c : cases) {
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_LISTVIEW;
    item.CtlID = 2047;
    item.itemID = c.row;
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = c.state;
    item.hwndItem = Item(2047);
    item.hDC = dc;
    item.rcItem = {0, 0, 400, 20};
    SendMessageW(dialog_, WM_DRAWITEM, 2047, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(GetPixel(dc, 1, 0), GetNearestColor(dc, GetSysColor(c.colour))) << "row " << c.row;
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

TEST_F(FaxDialogs, NumberFilterKeepsTheCaretWhereTheUserTyped) {
  ASSERT_NE(Open(), nullptr);
  Type(2053, L"12p3-T");
  EXPECT_EQ(ItemText(2053), L"123-T");
  DWORD start = 0, end = 0;
  SendMessageW(Item(2053), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 5u);
  // A paste into the middle: "12" + "a9b" + "3".
  SetDlgItemTextW(dialog_, 2053, L"123");
  SendMessageW(Item(2053), EM_SETSEL, 2, 2);
  SendMessageW(Item(2053), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"a9b"));
  EXPECT_EQ(ItemText(2053), L"1293");
  SendMessageW(Item(2053), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 3u) << "behind the pasted digit";
}

TEST_F(FaxDialogs, AddsRefusesDuplicatesAndTheHundredAndFirst) {
  ASSERT_NE(Open(), nullptr);
  AddTyped(L"Ada", L"0123");
  EXPECT_EQ(job_->count, 1u);
  EXPECT_EQ(ItemText(2053), L"") << "a new row empties the fields";
  EXPECT_TRUE(Enabled(IDOK));
  AddTyped(L"Bob", L"0123");
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_EQ(g_boxes[0].text, L"M537");
  EXPECT_EQ(g_boxes[0].caption, L"M1");
  EXPECT_EQ(job_->count, 1u);
  AddTyped(L"Ada", L"0124");
  EXPECT_EQ(job_->count, 2u) << "the same name with another number is a new destination";
  for (int i = 2; i < 100; ++i) AddTyped(L"", std::to_wstring(1000 + i).c_str());
  EXPECT_EQ(job_->count, 100u);
  g_boxes.clear();
  AddTyped(L"", L"999");
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_EQ(g_boxes[0].text, L"M538");
  EXPECT_EQ(job_->count, 100u);
  EXPECT_EQ(Rows(), 100);
  g_boxes.clear();
  ASSERT_TRUE(Click(2042));
  ASSERT_EQ(g_boxes.size(), 1u) << "the phone book cannot add to a full list either";
  EXPECT_EQ(g_boxes[0].text, L"M538");
  EXPECT_TRUE(PhoneBookLog().empty());
}

TEST_F(FaxDialogs, DeletesTheSelectionAndClosesTheGaps) {
  ASSERT_NE(Open(), nullptr);
  for (int i = 0; i < 5; ++i) AddTyped(L"", std::to_wstring(100 + i).c_str());
  EXPECT_FALSE(Enabled(2049));
  Select({1, 3});
  EXPECT_TRUE(Enabled(2049));
  g_answers.push_back(IDNO);
  ASSERT_TRUE(Click(2049));
  EXPECT_EQ(job_->count, 5u) << "No keeps the list";
  ASSERT_TRUE(Click(2049));
  EXPECT_EQ(g_boxes.back().text, L"M536");
  ASSERT_EQ(job_->count, 3u);
  EXPECT_EQ(Text(job_->slots[0].szFaxNumber), L"100");
  EXPECT_EQ(Text(job_->slots[1].szFaxNumber), L"102");
  EXPECT_EQ(Text(job_->slots[2].szFaxNumber), L"104");
  EXPECT_EQ(Rows(), 3);
  EXPECT_FALSE(Enabled(2049));
}

TEST_F(FaxDialogs, ImportsFromThePhoneBookAndClampsItsAnswer) {
  ASSERT_NE(Open(), nullptr);
  AddTyped(L"Typed", L"42");
  SetEnvironmentVariableW(L"FAX_PHONE_BOOK_ADD", L"2");
  ASSERT_TRUE(Click(2042));
  std::vector<std::string> log = PhoneBookLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0], "add owner=1 count=1 zeroflags=100 file=VELDRANH.QXD");
  ASSERT_EQ(job_->count, 3u);
  EXPECT_EQ(Text(job_->slots[1].szName), L"Book 0");
  EXPECT_EQ(Text(job_->slots[2].szFaxNumber), L"555001");
  EXPECT_EQ(Text(job_->slots[1].szCompany).size(), 80u) << "an unterminated text ends at 80 characters";
  EXPECT_EQ(Rows(), 3);
  LVITEMW item = {};
  item.mask = LVIF_PARAM;
  item.iItem = 2;
  SendMessageW(Item(2047), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.lParam, 7) << "the phone book's flag byte rides with the row";
  // A phone book that claims more destinations than there are slots.
  SetEnvironmentVariableW(L"FAX_PHONE_BOOK_ADD", L"1");
  SetEnvironmentVariableW(L"FAX_PHONE_BOOK_COUNT", L"5000");
  ASSERT_TRUE(Click(2042));
  EXPECT_EQ(job_->count, 100u);
  EXPECT_EQ(Rows(), 100);
}

TEST_F(FaxDialogs, SavesATypedDestinationInThePhoneBookOnly) {
  ASSERT_NE(Open(), nullptr);
  SetDlgItemTextW(dialog_, 1990, L"Eve");
  SetDlgItemTextW(dialog_, 2053, L"77");
  Check(2045, true);
  ASSERT_TRUE(Click(2043));
  std::vector<std::string> log = PhoneBookLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0], "regist count=1 name=Eve number=77 ecm=1 intl=1 v34=1");
  EXPECT_EQ(g_boxes.back().text, L"M534");
  EXPECT_EQ(job_->count, 0u);
  SetEnvironmentVariableW(L"FAX_PHONE_BOOK_RESULT", L"0");
  ASSERT_TRUE(Click(2043));
  EXPECT_EQ(g_boxes.back().text, L"M535");
}

// The library is looked for when a button is clicked: without it, taking
// from the phone book does nothing and storing says the entry was not stored.
TEST_F(FaxDialogs, WithoutThePhoneBookRegisterSaysNothingWasStored) {
  UsePhoneBook(false);
  ASSERT_NE(Open(), nullptr);
  SetDlgItemTextW(dialog_, 1990, L"Eve");
  SetDlgItemTextW(dialog_, 2053, L"77");
  EXPECT_TRUE(Enabled(2041));
  ASSERT_TRUE(Click(2042));
  EXPECT_TRUE(g_boxes.empty());
  EXPECT_EQ(job_->count, 0u);
  ASSERT_TRUE(Click(2043));
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_EQ(g_boxes[0].text, L"M535");
  EXPECT_EQ(g_boxes[0].caption, L"M8");
  EXPECT_EQ(g_boxes[0].style & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(job_->count, 0u);
}

// The dialog needs only the phone book's two list functions: a library
// without its editor serves it fully.
TEST_F(FaxDialogs, APhoneBookWithoutItsEditorServesTheDialog) {
  const std::wstring partial = BinFile("phone_book_partial");
  SetPhoneBookFolder(partial.c_str());
  ASSERT_NE(Open(), nullptr);
  SetEnvironmentVariableW(L"FAX_PHONE_BOOK_ADD", L"1");
  ASSERT_TRUE(Click(2042));
  EXPECT_EQ(job_->count, 1u);
  SetDlgItemTextW(dialog_, 1990, L"Eve");
  SetDlgItemTextW(dialog_, 2053, L"77");
  ASSERT_TRUE(Click(2043));
  EXPECT_EQ(g_boxes.back().text, L"M534");
  const std::vector<std::string> log = PhoneBookLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].rfind("add ", 0), 0u);
  EXPECT_EQ(log[1].rfind("regist ", 0), 0u);
}

TEST_F(FaxDialogs, OneWindowAtATimeHoldsThePhoneBook) {
  ASSERT_NE(Open(), nullptr);
  HWND first = dialog_;
  auto second = std::make_unique<Job>();
  second->printer = printer_.handle();
  HWND other = CreateDialogParamW(templates_, MAKEINTRESOURCEW(kFaxSendToTemplate), nullptr, FaxSendToDlgProc,
                                  reinterpret_cast<LPARAM>(&second->args));
  ASSERT_NE(other, nullptr);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(other, 2042)));
  DestroyWindow(first);
  dialog_ = nullptr;
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(other, 2042))) << "for the second window's whole life";
  DestroyWindow(other);
  ASSERT_NE(Open(), nullptr);
  EXPECT_TRUE(Enabled(2042)) << "the guard was released";
}

TEST_F(FaxDialogs, OkAsksForTheDelayedSendDate) {
  ASSERT_NE(Open(), nullptr);
  AddTyped(L"", L"1");
  job_->setting.fgTimerSend = 1;
  job_->setting.bySendHour = 22;
  job_->setting.bySendMinute = 0;
  g_answers.push_back(IDCANCEL);
  ASSERT_TRUE(Click(IDOK));
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_EQ(g_boxes[0].text, L"2027-01-01 22:00") << "23:00 on 31 December: the next morning is next year";
  EXPECT_EQ(g_boxes[0].caption, L"M540");
  EXPECT_TRUE(IsWindow(dialog_)) << "Cancel keeps the dialog open";
}

TEST_F(FaxDialogs, DefaultResetsTheEntryAndTheCoverSwitchOnly) {
  job_->setting.fgFaxCoverSheet = 1;
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, 2052), BST_CHECKED);
  AddTyped(L"", L"1");
  SetDlgItemTextW(dialog_, 2053, L"55");
  Check(2046, false);
  Check(2044, false);
  ASSERT_TRUE(Click(1032));
  EXPECT_EQ(ItemText(2053), L"");
  EXPECT_EQ(IsDlgButtonChecked(dialog_, 2044), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, 2046), BST_CHECKED);
  EXPECT_EQ(job_->setting.fgFaxCoverSheet, 0);
  EXPECT_EQ(job_->count, 1u) << "the list stays";
}

TEST_F(FaxDialogs, NullPointersCancelAtOnce) {
  EXPECT_EQ(RunFaxSendToDialog(nullptr), IDCANCEL);
  job_->args.pCoverSheet = nullptr;
  EXPECT_EQ(RunFaxSendToDialog(&job_->args), IDCANCEL);
  EXPECT_EQ(job_->count, 77u) << "nothing was touched";
}

TEST_F(FaxDialogs, ModeDetailsAreTakenOnlyOnOk) {
  ASSERT_NE(Open(), nullptr);
  testsupport::ModalDialogDriver driver;
  for (int end : {IDCANCEL, IDOK}) {
    driver.Then([end](HWND d) {
      PostMessageW(GetDlgItem(d, 1932), BM_CLICK, 0, 0);
      PostMessageW(d, WM_COMMAND, MAKEWPARAM(end, BN_CLICKED), 0);
    });
    ASSERT_TRUE(Click(2050));
    EXPECT_EQ(driver.Pending(), 0u) << "the mode details dialog opened";
    EXPECT_EQ(job_->setting.fgPrtRecFile, end == IDOK ? 1 : 0) << end;
  }
}

// The mode details dialog itself, opened modeless on a setting.
class FaxModeDetails : public FaxDialogs {
 protected:
  HWND OpenDetails(FaxSetting* s) {
    dialog_ = CreateDialogParamW(templates_, MAKEINTRESOURCEW(kFaxModeDetailsTemplate), nullptr,
                                 FaxModeDetailDlgProc, reinterpret_cast<LPARAM>(s));
    return dialog_;
  }
};

TEST_F(FaxModeDetails, ChecksOnOkInOrderWithTheirMessages) {
  FaxSetting s = {};
  s.fgFaxCoverSheet = 1;
  ASSERT_NE(OpenDetails(&s), nullptr);
  EXPECT_FALSE(Enabled(1935)) << "time controls follow the timer switch";
  Check(1933, true);
  EXPECT_TRUE(Enabled(1935));
  SetDlgItemTextW(dialog_, 1935, L"24");
  Check(1942, true);
  ASSERT_TRUE(Click(IDOK));
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_EQ(g_boxes[0].text, L"M2M502");
  EXPECT_EQ(testsupport::FocusedControl(Item(1935)), Item(1935));
  SetDlgItemTextW(dialog_, 1935, L"7");
  ASSERT_TRUE(Click(IDOK));
  EXPECT_EQ(g_boxes.back().text, L"M3M500") << "an empty sub-address while switched on";
  EXPECT_EQ(testsupport::FocusedControl(Item(1943)), Item(1943));
  EXPECT_EQ(s.bySendHour, 7);
  Type(1943, L"1a#2");
  EXPECT_EQ(ItemText(1943), L"12");
  Check(1944, true);
  Type(1945, L"1a#2");
  EXPECT_EQ(ItemText(1945), L"1#2");
  ASSERT_TRUE(Click(IDOK));
  EXPECT_EQ(g_boxes.size(), 2u) << "all checks pass";
  EXPECT_EQ(Text(s.szSubAddress), L"12");
  EXPECT_EQ(Text(s.szSendID), L"1#2");
  EXPECT_EQ(s.fgFaxCoverSheet, 1);
}

TEST_F(FaxModeDetails, ClockCopyAndDefault) {
  g_now.wHour = 9;
  g_now.wMinute = 5;
  FaxSetting s = {};
  s.fgTimerSend = 1;
  s.fgFaxCoverSheet = 1;
  s.fgSendID = 1;
  s.szSendID[0] = u'5';
  ASSERT_NE(OpenDetails(&s), nullptr);
  EXPECT_EQ(ItemText(1940), L"09:05");
  g_now.wHour = 11;  // the label keeps the time of the opening
  ASSERT_TRUE(Click(1941));
  EXPECT_EQ(ItemText(1935), L"9");
  EXPECT_EQ(ItemText(1937), L"5");
  EXPECT_EQ(s.bySendHour, 9);
  EXPECT_EQ(s.bySendMinute, 5);
  ASSERT_TRUE(Click(1032));
  EXPECT_EQ(s.fgTimerSend, 0);
  EXPECT_EQ(s.fgSendID, 0);
  EXPECT_EQ(s.szSendID[0], 0);
  EXPECT_EQ(s.fgFaxCoverSheet, 1) << "Default leaves the cover-sheet switch";
  EXPECT_FALSE(Enabled(1935));
  // Timer send off: OK passes with any hour.
  SetDlgItemTextW(dialog_, 1935, L"99");
  g_boxes.clear();
  ASSERT_TRUE(Click(IDOK));
  EXPECT_TRUE(g_boxes.empty());
}

// The FAX sheet in a property sheet of its own, on a sheet session whose
// settings the test reads byte by byte.
int32_t g_refuse = 0;  // the control whose change the constraint pass refuses
std::vector<uint16_t> g_checked;
int32_t TestConstraints(HWND, HWND, uint16_t controlId) {
  g_checked.push_back(controlId);
  return controlId != 0 && controlId == g_refuse ? 101 : 0;
}

class FaxSheet : public FaxDialogs {
 protected:
  void SetUp() override {
    FaxDialogs::SetUp();
    session_ = std::make_unique<SheetSession>();
    *session_ = SheetSession{};
    session_->kind = kSheetDocumentSession;
    session_->mode = kSheetModeAdvanced;
    session_->mayChange = 1;
    session_->printer = printer_.handle();
    session_->working = &session_->workingRecord;
    model_ = std::make_unique<ModelInfo>();
    std::memset(model_.get(), 0, sizeof(ModelInfo));
    std::memset(rows_, 0, sizeof rows_);
    const char* keywords[] = {"Standard", "Fine", "SuperFine"};
    for (int i = 0; i < 3; ++i) {
      rows_[i].size = sizeof(ResolutionItem);
      std::strcpy(rows_[i].keyword, keywords[i]);
      rows_[i].index = static_cast<uint32_t>(i + 1);
      rows_[i].text[0] = static_cast<char16_t>(u'A' + i);
      rows_[i].values[0] = static_cast<uint16_t>(200 * (i + 1));
      rows_[i].values[1] = static_cast<uint16_t>(100 * (i + 1));
      rows_[i].values[2] = 7;
    }
    model_->resolutions = rows_;
    previousModel_ = ProcessModelInfo();
    ProcessModelInfo() = model_.get();
    g_refuse = 0;
    g_checked.clear();
    SetFaxSheetConstraintCheck(TestConstraints);
  }
  void TearDown() override {
    if (sheet_ != nullptr) DestroyWindow(sheet_);
    dialog_ = nullptr;
    SetFaxSheetConstraintCheck(nullptr);
    ProcessModelInfo() = previousModel_;
    FaxDialogs::TearDown();
  }
  HWND OpenSheet() {
    PROPSHEETPAGEW page = {};
    page.dwSize = sizeof page;
    page.hInstance = templates_;
    page.pszTemplate = MAKEINTRESOURCEW(kFaxSheetTemplate);
    page.pfnDlgProc = FaxSheetProc;
    page.lParam = reinterpret_cast<LPARAM>(session_.get());
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_MODELESS | PSH_PROPSHEETPAGE;
    header.pszCaption = L"Fax test";
    header.nPages = 1;
    header.ppsp = &page;
    sheet_ = reinterpret_cast<HWND>(PropertySheetW(&header));
    if (sheet_ == nullptr) return nullptr;
    dialog_ = reinterpret_cast<HWND>(SendMessageW(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
    return dialog_;
  }
  DocDMode* Doc() { return &session_->workingRecord.devmode.doc; }
  uint8_t Byte(uint32_t at) { return DocByte(Doc(), at); }
  LRESULT Notify(UINT code) {
    NMHDR note = {sheet_, 0, code};
    SendMessageW(dialog_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&note));
    return GetWindowLongPtrW(dialog_, DWLP_MSGRESULT);
  }
  void Leave(int editId) { SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(editId, EN_KILLFOCUS), 0); }
  void ChooseResolution(int index) {
    SendMessageW(Item(1931), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(1931, CBN_SELENDOK), reinterpret_cast<LPARAM>(Item(1931)));
  }

  std::unique_ptr<SheetSession> session_;
  std::unique_ptr<ModelInfo> model_;
  ResolutionItem rows_[4];
  ModelInfo* previousModel_ = nullptr;
  HWND sheet_ = nullptr;
};

TEST_F(FaxSheet, SwitchesAndEditsChangeTheirSettingsBytes) {
  ASSERT_NE(OpenSheet(), nullptr);
  EXPECT_FALSE(Enabled(1935)) << "time controls follow the timer switch";
  struct Case {
    int box;
    uint32_t at;
  } cases[] = {{1932, 6010}, {1933, 6011}, {1942, 6014}, {1944, 6058}, {1946, 6102}};
  for (const Case& c : cases) {
    Check(c.box, true);
    EXPECT_EQ(Byte(c.at), 1) << c.box;
  }
  EXPECT_TRUE(Enabled(1935));
  EXPECT_TRUE(Enabled(1943));
  SetDlgItemTextW(dialog_, 1935, L"21");
  Leave(1935);
  EXPECT_EQ(Byte(6012), 21);
  SetDlgItemTextW(dialog_, 1937, L"45");
  Leave(1937);
  EXPECT_EQ(Byte(6013), 45);
  Type(1943, L"4a#2");
  EXPECT_EQ(ItemText(1943), L"42") << "letters and # are removed from a sub-address";
  Leave(1943);
  EXPECT_EQ(Text(reinterpret_cast<const char16_t*>(DocBytes(Doc()) + 6016)), L"42");
  Type(1945, L"1#*x");
  EXPECT_EQ(ItemText(1945), L"1#*");
  Leave(1945);
  EXPECT_EQ(Text(reinterpret_cast<const char16_t*>(DocBytes(Doc()) + 6060)), L"1#*");
  ChooseResolution(2);
  EXPECT_EQ(Byte(2219), 3);
  EXPECT_EQ(DocI16(Doc(), 2220), 600);
  EXPECT_EQ(DocI16(Doc(), 2222), 300);
}

int g_easySetMarks = 0;
void CountEasySetMark(HWND, const DocDMode*) { ++g_easySetMarks; }
std::vector<uint32_t> g_logoLayouts;
BOOL DDPROC_CALL RecordLogo(HDC, HWND, void*, uint32_t layout) {
  g_logoLayouts.push_back(layout);
  return TRUE;
}

TEST_F(FaxSheet, ChangesReachTheEasySetAreaAndThePageDrawsLogoAndStatusStrip) {
  ASSERT_NE(OpenSheet(), nullptr);
  g_easySetMarks = 0;
  SheetServices().markEasySetModified = CountEasySetMark;
  Check(1932, true);
  ChooseResolution(2);
  g_refuse = 1942;
  Check(1942, true);  // refused: nothing changed
  SheetServices().markEasySetModified = nullptr;
  EXPECT_EQ(g_easySetMarks, 2);

  EXPECT_GT(testsupport::DialogKit::DrawnPixels(dialog_, 1123, 120, 60), 0) << "the status icon strip";
  const DDProcBinding saved = g_ddproc;
  g_logoLayouts.clear();
  g_ddproc.module = GetModuleHandleW(nullptr);
  g_ddproc.entry[kDrawLogoImage] = reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&RecordLogo));
  InvalidateRect(dialog_, nullptr, FALSE);
  UpdateWindow(dialog_);
  g_ddproc = saved;
  EXPECT_EQ(g_logoLayouts, (std::vector<uint32_t>{1})) << "the logo in the Basic page's layout";
}

TEST_F(FaxSheet, ARefusedChangeRestoresTheValue) {
  ASSERT_NE(OpenSheet(), nullptr);
  g_refuse = 1944;
  Check(1944, true);
  EXPECT_EQ(Byte(6058), 0);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, 1944), BST_UNCHECKED);
  EXPECT_FALSE(Enabled(1945));
  ChooseResolution(0);
  ASSERT_EQ(Byte(2219), 1);
  g_refuse = 1931;
  ChooseResolution(1);
  EXPECT_EQ(Byte(2219), 1);
  EXPECT_EQ(DocI16(Doc(), 2220), 200);
  EXPECT_EQ(SendMessageW(Item(1931), CB_GETCURSEL, 0, 0), 0) << "the old entry is selected again";
}

TEST_F(FaxSheet, ThePageCannotBeLeftWithAnInvalidSetting) {
  ASSERT_NE(OpenSheet(), nullptr);
  Check(1933, true);
  SetDlgItemTextW(dialog_, 1935, L"24");
  EXPECT_EQ(Notify(PSN_KILLACTIVE), TRUE);
  EXPECT_EQ(g_boxes.back().text, L"M2M502");
  Check(1933, false);
  EXPECT_EQ(Notify(PSN_KILLACTIVE), FALSE) << "an out-of-range hour is fine while timer send is off";
  Check(1944, true);
  EXPECT_EQ(Notify(PSN_KILLACTIVE), TRUE);
  EXPECT_EQ(g_boxes.back().text, L"M3M501");
}

TEST_F(FaxSheet, LockedSettingsDisableEveryFaxControl) {
  session_->mayChange = 0;
  ASSERT_NE(OpenSheet(), nullptr);
  for (int id : {1931, 1932, 1933, 1935, 1941, 1942, 1943, 1944, 1945, 1946, 1949, 1032}) {
    EXPECT_FALSE(Enabled(id)) << id;
  }
}

TEST_F(FaxSheet, PhoneBookOpensTheEditorOrSaysItIsMissing) {
  ASSERT_NE(OpenSheet(), nullptr);
  ASSERT_TRUE(Click(1949));
  std::vector<std::string> log = PhoneBookLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0], "edit owner=1 file=VELDRANH.QXD docmode=1");
  // A destination dialog opened while the sheet lives gets no phone book.
  HWND popup = CreateDialogParamW(templates_, MAKEINTRESOURCEW(kFaxSendToTemplate), nullptr, FaxSendToDlgProc,
                                  reinterpret_cast<LPARAM>(&job_->args));
  ASSERT_NE(popup, nullptr);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(popup, 2042)));
  DestroyWindow(popup);
  UsePhoneBook(false);
  ASSERT_TRUE(Click(1949));
  EXPECT_EQ(g_boxes.back().text, L"M539");
  EXPECT_EQ(g_boxes.back().caption, L"M7");
}

TEST_F(FaxSheet, WithoutThePhoneBookItsButtonSaysItIsMissing) {
  UsePhoneBook(false);
  ASSERT_NE(OpenSheet(), nullptr);
  ASSERT_TRUE(Click(1949)) << "the library is looked for when the button is clicked";
  ASSERT_FALSE(g_boxes.empty());
  EXPECT_EQ(g_boxes.back().text, L"M539");
  EXPECT_EQ(g_boxes.back().style & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
}

TEST_F(FaxSheet, CoverSettingsDisabledWithoutTheCoverDialog) {
  ASSERT_NE(OpenSheet(), nullptr);
  Check(1946, true);
  EXPECT_FALSE(Enabled(1948)) << "this program exports no cover-sheet dialog";
}

TEST_F(FaxSheet, ResolutionFollowsTheHostProgram) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  const bool excel = IsExcelProgramPath(reinterpret_cast<const char16_t*>(path));
  ASSERT_NE(OpenSheet(), nullptr);
  EXPECT_EQ(Enabled(1931), !excel) << "in EXCEL.EXE the resolution is the host's";
  SheetCtx ctx = {};
  ctx.dwSize = sizeof ctx;
  ctx.lParam = reinterpret_cast<LPARAM>(session_.get());
  const DocDMode* defaults = GetDefaultOEMDevMode(&ctx);
  ASSERT_NE(defaults, nullptr);
  const uint8_t defaultResolution = DocByte(defaults, 2219);
  ASSERT_NE(defaultResolution, 3);
  ChooseResolution(2);
  SetDocByte(Doc(), 2219, 3);
  Check(1932, true);
  SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(1032, BN_CLICKED), 0);
  EXPECT_EQ(Byte(2219), excel ? 3 : defaultResolution) << "Default keeps the resolution only in EXCEL.EXE";
  EXPECT_EQ(Byte(6010), 0) << "and resets the fax options everywhere";
}

}  // namespace
