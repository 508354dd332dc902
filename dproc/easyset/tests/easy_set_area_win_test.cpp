// The Easy Set area on two document sheets of one session (the Basic and
// Layout templates, a page of the sheet skeleton with one bound check box),
// with the shared Easy Sets of a printer in Wine's spooler: an Easy Set
// chosen on one sheet reaches the settings and every sheet; a change of a
// setting makes the area show "Untitled"; Save keeps the settings as a new
// Easy Set.
#include "dproc/easyset/easy_set_area_win.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <winspool.h>

#include <cstring>
#include <memory>
#include <string>

#include "common/records/doc_fields.h"
#include "common/win/ui_services.h"
#include "common/win/user_registry.h"
#include "dproc/easyset/easy_set_option_dialog_win.h"
#include "dproc/easyset/easy_set_records.h"
#include "dproc/easyset/easy_set_session_win.h"
#include "dproc/easyset/easy_set_files_win.h"
#include "dproc/easyset/easy_set_icons_win.h"
#include "dproc/easyset/easy_set_store_win.h"
#include "dproc/saved/settings_file_io_win.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/watermark/watermark_session_win.h"
#include "dproc/watermark/watermark_store_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/modal_dialog_driver_win.h"
#include "tests/support/plugin_host_win.h"
#include "tests/support/test_printer_win.h"
#include "dproc/easyset/tests/easy_set_test_sheet_win.h"

namespace {

using namespace easyset_test;

std::wstring Selected(HWND combo) {
  const LRESULT at = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  return at < 0 ? L"" : ComboText(combo, static_cast<int>(at));
}

class EasySetArea : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    kit_.Session().printer = printer_.handle();
    wcsncpy(kit_.Session().printerName, printer_.name().c_str(), 259);
    InstallEasySetArea();
    SetSheetConstraintCheck(AcceptAll);
    // The printer shares one Easy Set: the session's settings with N-up on.
    auto settings = std::make_unique<DocDMode>(kit_.Settings());
    Fields(*settings).bNup = 1;
    EasySetList shared;
    const EasySetDriverFacts facts{u"Fax Test Driver", u"1.2.6", u"Windows NT x64", u""};
    AddEasySet(&shared, BuildEasySetFromSettings(MakeEasySetHeader(facts, u"Two pages per sheet", u""), *settings,
                                                 {}, SystemAnsiCodec()),
               kEasySetShared);
    ASSERT_TRUE(SaveSharedEasySets(shared, printer_.handle()));
    FreeEasySetList(&shared);
  }
  void TearDown() override {
    kit_.Close();
    SheetServices() = {nullptr, nullptr, nullptr};
    SetSheetConstraintCheck(nullptr);
    wchar_t path[1024];
    if (MakeUserSettingsPath(L"Fax Test Driver", printer_.name().c_str(), L"", path, 1024)) {
      RegDeleteTreeW(HKEY_CURRENT_USER, path);
    }
  }
  HWND Combo() { return kit_.Control(kEasySetComboId); }
  // The printer keeps no shared Easy Set and the user's first one is
  // `name`: its header (zero when the user keeps none).
  EasySetHeader OnlyUserEasySet(std::u16string_view name) {
    EasySetList shared;
    LoadSharedEasySets(printer_.handle(), &shared);
    EXPECT_EQ(nullptr, shared.first);
    FreeEasySetList(&shared);
    EasySetList user;
    LoadUserEasySets(printer_.name().c_str(), L"Fax Test Driver", &user);
    EasySetHeader header{};
    if (user.first != nullptr) header = user.first->header;
    EXPECT_EQ(name, EasySetName(header));
    FreeEasySetList(&user);
    return header;
  }
  const DocFields& Settings() { return Fields(kit_.Settings()); }

  testsupport::TestPrinter printer_{L"Easy Set area"};
  testsupport::DialogKit kit_;
};

TEST_F(EasySetArea, AChosenEasySetReachesEverySheetAndAChangeMakesItUntitled) {
  ASSERT_NE(kit_.OpenPages(kit_.Templates(), {100, 101}, SheetProc), nullptr);
  // Zeroed settings equal no Easy Set.
  ASSERT_EQ(3, SendMessageW(Combo(), CB_GETCOUNT, 0, 0));
  EXPECT_EQ(L"Two pages per sheet", ComboText(Combo(), 1));
  EXPECT_EQ(L"Untitled", Selected(Combo()));
  EXPECT_TRUE(IsWindowEnabled(kit_.Control(kEasySetSaveId)));

  kit_.Select(kEasySetComboId, 1);
  EXPECT_EQ(1, Settings().bNup);
  EXPECT_EQ(kEasySetStateShared, Settings().byEasySetIndex);
  EXPECT_EQ(std::u16string(u"Two pages per sheet"), std::u16string(Settings().szEasySetName));
  EXPECT_EQ(L"Two pages per sheet", Selected(Combo()));
  EXPECT_EQ(2, SendMessageW(Combo(), CB_GETCOUNT, 0, 0));  // no "Untitled" any more
  EXPECT_FALSE(IsWindowEnabled(kit_.Control(kEasySetSaveId)));

  kit_.SetPage(1);
  EXPECT_EQ(L"Two pages per sheet", Selected(Combo()));
  EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(kit_.Dialog(), kNupCheck));

  kit_.Click(kNupCheck);
  EXPECT_EQ(0, Settings().bNup);
  EXPECT_EQ(kEasySetStateNone, Settings().byEasySetIndex);
  EXPECT_EQ(0, Settings().szEasySetName[0]);
  EXPECT_EQ(L"Untitled", Selected(Combo()));
  kit_.SetPage(0);
  EXPECT_EQ(L"Untitled", Selected(Combo()));

  // The order the user sees is kept at apply.
  PropSheet_Apply(kit_.Sheet());
  testsupport::DialogKit::Pump();
  EasySetOrderTable order;
  ReadEasySetOrder(printer_.name().c_str(), L"Fax Test Driver", &order);
  EXPECT_EQ(2u, order.count);
}

// Save keeps the settings shown as "Untitled" as a new user Easy Set, which
// the area then shows as the current one; the user's store holds it.
TEST_F(EasySetArea, SaveKeepsTheSettingsAsANewUserEasySet) {
  DialogFrameworkModules().templates = kit_.Templates();
  ASSERT_NE(kit_.OpenPages(kit_.Templates(), {100, 101}, SheetProc), nullptr);
  ASSERT_EQ(L"Untitled", Selected(Combo()));
  testsupport::ModalDialogDriver driver;
  driver.Ignore(kit_.Sheet());
  bool sharingOffered = true;
  bool keptOpenWithoutName = false;
  driver.Then([&](HWND d) {
    // Without a name nothing is saved and the dialog stays.
    SendMessageW(d, WM_COMMAND, IDOK, 0);
    keptOpenWithoutName = IsWindow(d) && IsWindowEnabled(GetDlgItem(d, IDOK));
    // A user who may administer the printer could share it; this one is
    // kept for the user alone.
    sharingOffered = IsWindowEnabled(GetDlgItem(d, 1904)) != FALSE;
    CheckDlgButton(d, 1904, BST_UNCHECKED);
    SetDlgItemTextW(d, 1901, L"My fax");
    SetDlgItemTextW(d, 1906, L"Kept for later");
    PostMessageW(d, WM_COMMAND, IDOK, 0);
  });
  kit_.Click(kEasySetSaveId);
  EXPECT_EQ(0u, driver.Pending());
  EXPECT_TRUE(sharingOffered);
  EXPECT_TRUE(keptOpenWithoutName);
  EXPECT_EQ(L"My fax", Selected(Combo()));
  EXPECT_EQ(kEasySetStateUser, Settings().byEasySetIndex);
  EXPECT_EQ(std::u16string(u"My fax"), std::u16string(Settings().szEasySetName));
  EXPECT_FALSE(IsWindowEnabled(kit_.Control(kEasySetSaveId)));

  EasySetList stored;
  LoadUserEasySets(printer_.name().c_str(), L"Fax Test Driver", &stored);
  ASSERT_NE(nullptr, stored.first);
  EXPECT_EQ(u"My fax", EasySetName(stored.first->header));
  EXPECT_EQ(std::u16string(u"Kept for later"), std::u16string(stored.first->header.comment));
  FreeEasySetList(&stored);
  DialogFrameworkModules().templates = nullptr;
}

// Edit renames and moves a shared Easy Set; OK puts the entries back into
// the session, whose sheets show them, and into the printer's store and
// the user's order.
TEST_F(EasySetArea, EditRenamesAndMovesAndOkKeepsIt) {
  DialogFrameworkModules().templates = kit_.Templates();
  ASSERT_NE(kit_.OpenPages(kit_.Templates(), {100, 101}, SheetProc), nullptr);
  testsupport::ModalDialogDriver driver;
  driver.Ignore(kit_.Sheet());
  std::wstring builtInName;
  bool builtInLocked = false;
  driver.Then([&](HWND d) {
    auto choose = [&](int index) { ChooseEasySetEntry(d, index); };
    choose(0);
    wchar_t name[64] = {};
    GetDlgItemTextW(d, 1901, name, 64);
    builtInName = name;
    builtInLocked = !IsWindowEnabled(GetDlgItem(d, 1901)) && !IsWindowEnabled(GetDlgItem(d, 1910));
    choose(1);
    SetDlgItemTextW(d, 1901, L"Two up");
    SendMessageW(d, WM_COMMAND, MAKEWPARAM(1908, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d, 1908)));
    PostMessageW(d, WM_COMMAND, IDOK, 0);
  });
  kit_.Click(kEasySetEditId);
  EXPECT_EQ(0u, driver.Pending());
  EXPECT_EQ(L"Default", builtInName);
  EXPECT_TRUE(builtInLocked);
  ASSERT_EQ(3, SendMessageW(Combo(), CB_GETCOUNT, 0, 0));
  EXPECT_EQ(L"Two up", ComboText(Combo(), 0));
  EXPECT_EQ(L"Default", ComboText(Combo(), 1));
  EXPECT_EQ(L"Untitled", Selected(Combo()));

  EasySetList stored;
  LoadSharedEasySets(printer_.handle(), &stored);
  ASSERT_NE(nullptr, stored.first);
  EXPECT_EQ(u"Two up", EasySetName(stored.first->header));
  EXPECT_NE(std::u16string_view::npos, EasySetText(*stored.first).find(u"name=\"Two up\""));
  FreeEasySetList(&stored);
  EasySetOrderTable order;
  ReadEasySetOrder(printer_.name().c_str(), L"Fax Test Driver", &order);
  ASSERT_EQ(2u, order.count);
  EXPECT_EQ(std::u16string(u"Two up"), std::u16string(order.entries[0].name));
  DialogFrameworkModules().templates = nullptr;
}

WMOrderEntry OrderEntry(const std::u16string& name, bool isPublic) {
  WMOrderEntry e{};
  e.bPublic = isPublic ? 1 : 0;
  std::memcpy(e.szName, name.data(), name.size() * 2);
  return e;
}


// An Easy Set that restores the watermark lists brings its own: choosing it
// replaces the session's lists, rebuilds the order (an entry naming no
// watermark dropped, the watermarks it does not name appended) and selects
// its watermark there; apply stores them, and an Easy Set saved then
// carries them.
TEST_F(EasySetArea, AnEasySetBringsItsWatermarkLists) {
  DialogFrameworkModules().templates = kit_.Templates();
  auto settings = std::make_unique<DocDMode>(kit_.Settings());
  Fields(*settings).bWmk = 1;
  const WaterMarkInfo copy = Watermark(u"Copy", u"COPY");
  std::memcpy(Fields(*settings).WmkInfo_szKey, &copy, sizeof copy);
  EasySetWatermarks marks;
  marks.publicMarks = {Watermark(u"Draft", u"DRAFT"), copy};
  marks.privateMarks = {Watermark(u"Mine", u"MINE")};
  marks.order = {OrderEntry(u"Gone", true), OrderEntry(u"Copy", true), OrderEntry(u"Mine", false)};
  const EasySetDriverFacts facts{u"Fax Test Driver", u"1.2.6", u"Windows NT x64", u""};
  EasySetHeader header = MakeEasySetHeader(facts, u"With watermarks", u"");
  header.restore[kRestoreWatermarks] = 1;
  header.restore[kRestoreSharedWatermarks] = 1;
  EasySetList shared;
  LoadSharedEasySets(printer_.handle(), &shared);
  ASSERT_TRUE(AddEasySet(&shared, BuildEasySetFromSettings(header, *settings, marks, SystemAnsiCodec()),
                         kEasySetShared));
  ASSERT_TRUE(SaveSharedEasySets(shared, printer_.handle()));
  FreeEasySetList(&shared);

  ASSERT_NE(kit_.OpenPages(kit_.Templates(), {100, 101}, SheetProc), nullptr);
  kit_.Select(kEasySetComboId, 2);
  ASSERT_EQ(L"With watermarks", Selected(Combo()));
  const WatermarkSession* session = WatermarkSessionOf(kit_.Context());
  ASSERT_NE(nullptr, session);
  ASSERT_EQ(2u, session->publicCount);
  ASSERT_EQ(1u, session->privateCount);
  ASSERT_EQ(3u, session->orderCount);
  const std::u16string expectedOrder[] = {u"Copy", u"Mine", u"Draft"};
  for (size_t i = 0; i < 3; ++i) {
    char16_t name[32] = {};
    std::memcpy(name, session->order[i].szName, sizeof name);
    EXPECT_EQ(expectedOrder[i], std::u16string(name)) << i;
  }
  EXPECT_EQ(1, Settings().bWmk);
  EXPECT_EQ(0, Settings().wWmkListPos);

  PropSheet_Apply(kit_.Sheet());
  testsupport::DialogKit::Pump();
  const EasySetPrinterNames names = PrinterNamesOf(kit_.Context());
  WaterMarkInfo* stored = nullptr;
  const size_t storedCount = ReadUserWaterMarks(nullptr, names.printer, names.driver, &stored);
  ASSERT_EQ(1u, storedCount);
  EXPECT_EQ(u"Mine", TitleText(stored[0]));
  LocalFree(stored);

  // Saved now, an Easy Set carries the session's lists.
  testsupport::ModalDialogDriver driver;
  driver.Ignore(kit_.Sheet());
  driver.Then([&](HWND d) {
    CheckDlgButton(d, 1904, BST_UNCHECKED);
    SetDlgItemTextW(d, 1901, L"Saved with watermarks");
    PostMessageW(d, WM_COMMAND, IDOK, 0);
  });
  kit_.Click(kNupCheck);  // a change first: Save is offered for "Untitled" settings
  kit_.Click(kEasySetSaveId);
  EXPECT_EQ(0u, driver.Pending());
  EasySetList user;
  LoadUserEasySets(printer_.name().c_str(), L"Fax Test Driver", &user);
  ASSERT_NE(nullptr, user.first);
  const std::u16string_view text = EasySetText(*user.first);
  EXPECT_NE(std::u16string_view::npos, text.find(u"[Watermark_Private]"));
  EXPECT_NE(std::u16string_view::npos, text.find(u"MINE"));
  FreeEasySetList(&user);
  DialogFrameworkModules().templates = nullptr;
}

// Sharing turns a shared Easy Set into the user's own, with its icon; the
// stores follow on OK.
TEST_F(EasySetArea, SharingAndIconChangeInTheEditDialog) {
  DialogFrameworkModules().templates = kit_.Templates();
  DialogFrameworkModules().images = kit_.Images();
  ASSERT_NE(kit_.OpenPages(kit_.Templates(), {100, 101}, SheetProc), nullptr);
  testsupport::ModalDialogDriver driver;
  driver.Ignore(kit_.Sheet());
  bool builtInKindLocked = false, sharedShown = false, comboFollowsIcon = false;
  driver.Then([&](HWND d) {
    auto choose = [&](int index) { ChooseEasySetEntry(d, index); };
    auto click = [&](int id) {
      CheckDlgButton(d, id, IsDlgButtonChecked(d, id) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
      SendMessageW(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
    };
    choose(0);
    builtInKindLocked = !IsWindowEnabled(GetDlgItem(d, 1904));
    choose(1);
    sharedShown = IsDlgButtonChecked(d, 1904) == BST_CHECKED;
    click(1904);
    click(1902);
    comboFollowsIcon = IsWindowEnabled(GetDlgItem(d, 1903)) != FALSE;
    SendDlgItemMessageW(d, 1903, CB_SETCURSEL, 5, 0);
    SendMessageW(d, WM_COMMAND, MAKEWPARAM(1903, CBN_SELENDOK), reinterpret_cast<LPARAM>(GetDlgItem(d, 1903)));
    PostMessageW(d, WM_COMMAND, IDOK, 0);
  });
  kit_.Click(kEasySetEditId);
  EXPECT_EQ(0u, driver.Pending());
  EXPECT_TRUE(builtInKindLocked);
  EXPECT_TRUE(sharedShown);
  EXPECT_TRUE(comboFollowsIcon);
  const EasySetHeader kept = OnlyUserEasySet(u"Two pages per sheet");
  EXPECT_EQ(1, +kept.iconShown);
  EXPECT_EQ(5, +kept.iconIndex);
  DialogFrameworkModules().images = nullptr;
  DialogFrameworkModules().templates = nullptr;
}

// An import may not take the name of one of the user's Easy Sets: the file
// dialog says so and stays, and takes another name.
TEST_F(EasySetArea, AnImportUnderATakenNameIsRefusedBeforeTheFileDialogCloses) {
  DialogFrameworkModules().templates = kit_.Templates();
  const EasySetDriverFacts facts = DriverFactsOf(kit_.Context());
  auto settings = std::make_unique<DocDMode>(kit_.Settings());
  EasySetList user;
  AddEasySet(&user, BuildEasySetFromSettings(MakeEasySetHeader(facts, u"Mine", u""), *settings, {}, SystemAnsiCodec()),
             kEasySetUser);
  ASSERT_TRUE(SaveUserEasySets(user, printer_.name().c_str(), L"Fax Test Driver"));
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring path = std::wstring(temp) + L"easy-set-taken-" + std::to_wstring(GetCurrentProcessId()) + L".QXS";
  ASSERT_TRUE(ExportEasySetFile(*user.first, path.c_str()));
  FreeEasySetList(&user);

  ASSERT_NE(kit_.OpenPages(kit_.Templates(), {100, 101}, SheetProc), nullptr);
  static int refusals = 0;
  refusals = 0;
  static const UiServices kCount = {[](HWND, const wchar_t*, const wchar_t*, UINT) {
                                      ++refusals;
                                      return IDOK;
                                    },
                                    nullptr, nullptr};
  const UiServices* previous = SetUiServices(&kCount);
  testsupport::ModalDialogDriver driver;
  driver.Ignore(kit_.Sheet());
  HWND edit = nullptr;
  bool stayed = false;
  driver.Then([&](HWND d) {
    edit = d;
    PostMessageW(d, WM_COMMAND, MAKEWPARAM(1911, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d, 1911)));
  });
  driver.Then([&](HWND d) {
    HWND part = EasySetFileNamePart(d);
    ASSERT_NE(part, nullptr);
    TypeFilePath(d, path);
    SetDlgItemTextW(part, 1901, L"Mine");
    SendMessageW(d, WM_COMMAND, IDOK, 0);
    stayed = IsWindow(d) && refusals == 1;
    SetDlgItemTextW(part, 1901, L"Fresh");
    PostMessageW(d, WM_COMMAND, IDOK, 0);
    PostMessageW(edit, WM_COMMAND, IDOK, 0);
  });
  kit_.Click(kEasySetEditId);
  SetUiServices(previous);
  DeleteFileW(path.c_str());
  EXPECT_EQ(0u, driver.Pending());
  EXPECT_TRUE(stayed);
  EXPECT_EQ(1, refusals);
  EasySetList stored;
  LoadUserEasySets(printer_.name().c_str(), L"Fax Test Driver", &stored);
  ASSERT_NE(nullptr, stored.first);
  ASSERT_NE(nullptr, stored.first->next);
  EXPECT_EQ(u"Mine", EasySetName(stored.first->header));
  EXPECT_EQ(u"Fresh", EasySetName(stored.first->next->header));
  FreeEasySetList(&stored);
  DialogFrameworkModules().templates = nullptr;
}

// An Easy Set's entry shows its kind and, when it shows one, its own icon
// before its name.
TEST_F(EasySetArea, AnEntryShowsItsKindAndItsIcon) {
  DialogFrameworkModules().images = kit_.Images();
  auto settings = std::make_unique<DocDMode>(kit_.Settings());
  const EasySetDriverFacts facts{u"Fax Test Driver", u"1.2.6", u"Windows NT x64", u""};
  EasySetHeader header = MakeEasySetHeader(facts, u"With icon", u"");
  header.iconShown = 1;
  header.iconIndex = 3;
  EasySetNode* node = BuildEasySetFromSettings(header, *settings, {}, SystemAnsiCodec());
  ASSERT_NE(nullptr, node);
  node->kind = kEasySetUser;
  constexpr int kWidth = 240, kHeight = 18;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP canvas = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(nullptr, canvas);
  HGDIOBJ old = SelectObject(dc, canvas);
  const int u = LOWORD(GetDialogBaseUnits()) / 2;
  // Pixels other than the background in columns [from, from + 16).
  auto drawnIn = [&](const EasySetNode* data, int from) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_COMBOBOX;
    item.CtlID = kEasySetComboId;
    item.itemID = 0;
    item.itemAction = ODA_DRAWENTIRE;
    item.hDC = dc;
    item.rcItem = {0, 0, kWidth, kHeight};
    item.itemData = reinterpret_cast<ULONG_PTR>(data);
    item.hwndItem = Combo();
    DrawEasySetItem(kit_.Dialog(), &item);
    GdiFlush();
    const auto* pixel = static_cast<const uint32_t*>(bits);
    const uint32_t background = pixel[kWidth - 1];
    int drawn = 0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = from; x < from + 16; ++x) drawn += pixel[y * kWidth + x] != background ? 1 : 0;
    }
    return drawn;
  };
  ASSERT_NE(kit_.OpenPages(kit_.Templates(), {100, 101}, SheetProc), nullptr);
  EXPECT_GT(drawnIn(node, u), 20);       // the kind
  EXPECT_GT(drawnIn(node, u + 18), 20);  // the icon
  node->header.iconShown = 0;
  EXPECT_EQ(0, drawnIn(node, u + 18));  // no icon; the name starts after room for both
  SelectObject(dc, old);
  DeleteObject(canvas);
  DeleteDC(dc);
  FreeEasySetNode(node);
  DialogFrameworkModules().images = nullptr;
}

// While the list of Easy Sets is dropped, the highlighted Easy Set's
// comment shows beside it; an Easy Set without a comment shows none.
TEST_F(EasySetArea, TheDroppedListShowsTheCommentOfTheHighlightedEasySet) {
  {
    auto settings = std::make_unique<DocDMode>(kit_.Settings());
    EasySetList shared;
    const EasySetDriverFacts facts{u"Fax Test Driver", u"1.2.6", u"Windows NT x64", u""};
    AddEasySet(&shared,
               BuildEasySetFromSettings(MakeEasySetHeader(facts, u"Drafts", u"Two pages on each sheet, for drafts."),
                                        *settings, {}, SystemAnsiCodec()),
               kEasySetShared);
    ASSERT_TRUE(SaveSharedEasySets(shared, printer_.handle()));
    FreeEasySetList(&shared);
  }
  ASSERT_NE(kit_.OpenPages(kit_.Templates(), {100, 101}, SheetProc), nullptr);
  static HWND page = nullptr;
  page = GetParent(Combo());
  // The text of the tooltip that tracks the page's comment, or "" when
  // there is none.
  auto shownComment = [&]() {
    std::wstring shown;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) WINAPI -> BOOL {  // the enumeration's calling convention, also on x86
          wchar_t name[32] = {};
          GetClassNameW(window, name, 32);
          if (std::wstring(name) != TOOLTIPS_CLASSW) return TRUE;
          wchar_t text[300] = {};
          TOOLINFOW tool{};
          tool.cbSize = sizeof tool;
          tool.hwnd = page;
          tool.uId = 0;
          tool.lpszText = text;
          SendMessageW(window, TTM_GETTEXTW, 300, reinterpret_cast<LPARAM>(&tool));
          if (text[0] != 0) *reinterpret_cast<std::wstring*>(found) = text;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&shown));
    return shown;
  };
  auto settle = [] {
    for (int i = 0; i < 8; ++i) {
      testsupport::DialogKit::Pump();
      Sleep(50);
    }
  };
  SendMessageW(Combo(), CB_SHOWDROPDOWN, TRUE, 0);
  SendMessageW(Combo(), CB_SETCURSEL, 1, 0);
  settle();
  EXPECT_EQ(L"Two pages on each sheet, for drafts.", shownComment());
  SendMessageW(Combo(), CB_SETCURSEL, 0, 0);  // the built-in one has none
  settle();
  EXPECT_EQ(L"", shownComment());
  SendMessageW(Combo(), CB_SETCURSEL, 1, 0);
  settle();
  SendMessageW(Combo(), CB_SHOWDROPDOWN, FALSE, 0);
  settle();
  EXPECT_EQ(L"", shownComment());
}

// The Edit dialog opens without the summary; Setting List shows it, with
// one tab per sheet, and the rows follow the selected Easy Set and tab.
TEST_F(EasySetArea, TheSummaryShowsTheSelectedEasySet) {
  DialogFrameworkModules().templates = kit_.Templates();
  ASSERT_NE(kit_.OpenPages(kit_.Templates(), {100, 101}, SheetProc), nullptr);
  testsupport::ModalDialogDriver driver;
  driver.Ignore(kit_.Sheet());
  bool hiddenAtStart = false, shownAfterToggle = false;
  int grewBy = 0;
  LRESULT tabCount = 0;
  int builtInNupImage = -1, twoUpNupImage = -1;
  std::wstring twoUpNupValue = L"unread";
  driver.Then([&](HWND d) {
    HWND tabs = GetDlgItem(d, 1915);
    HWND rows = GetDlgItem(d, 1916);
    hiddenAtStart = !IsWindowVisible(tabs) && !IsWindowVisible(rows);
    RECT before{}, after{};
    GetWindowRect(d, &before);
    SendMessageW(d, WM_COMMAND, MAKEWPARAM(1914, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d, 1914)));
    GetWindowRect(d, &after);
    shownAfterToggle = (GetWindowLongW(tabs, GWL_STYLE) & WS_VISIBLE) != 0;
    grewBy = (after.bottom - after.top) - (before.bottom - before.top);
    tabCount = SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0);
    // The Layout tab: the N-up row's check box.
    SendMessageW(tabs, TCM_SETCURSEL, 2, 0);
    NMHDR change{tabs, 1915, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(d, WM_NOTIFY, 1915, reinterpret_cast<LPARAM>(&change));
    auto nupRow = [&](int* image, std::wstring* value) {
      LVITEMW item{};
      item.mask = LVIF_IMAGE;
      item.iItem = 0;
      SendMessageW(rows, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
      *image = item.iImage;
      if (value != nullptr) {
        wchar_t text[64] = {};
        LVITEMW sub{};
        sub.iSubItem = 1;
        sub.pszText = text;
        sub.cchTextMax = 64;
        SendMessageW(rows, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&sub));
        *value = text;
      }
    };
    auto choose = [&](int index) { ChooseEasySetEntry(d, index); };
    choose(0);
    nupRow(&builtInNupImage, nullptr);
    choose(1);
    nupRow(&twoUpNupImage, &twoUpNupValue);
    PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
  });
  kit_.Click(kEasySetEditId);
  EXPECT_EQ(0u, driver.Pending());
  EXPECT_TRUE(hiddenAtStart);
  EXPECT_TRUE(shownAfterToggle);
  EXPECT_GT(grewBy, 50);
  EXPECT_EQ(4, tabCount);
  EXPECT_EQ(1, builtInNupImage);  // clear box: N-up off
  EXPECT_EQ(2, twoUpNupImage);    // checked box
  DialogFrameworkModules().templates = nullptr;
}

// Export writes the selected Easy Set to a file the user names, and Import
// brings it back as a user Easy Set; Delete asks first.  OK keeps what the
// dialog shows.
TEST_F(EasySetArea, ExportImportAndDeleteThroughTheEditDialog) {
  DialogFrameworkModules().templates = kit_.Templates();
  // The shared Easy Set as this driver makes it (its language the user's),
  // so that its file imports.
  {
    auto settings = std::make_unique<DocDMode>(kit_.Settings());
    Fields(*settings).bNup = 1;
    EasySetList shared;
    AddEasySet(&shared,
               BuildEasySetFromSettings(MakeEasySetHeader(DriverFactsOf(kit_.Context()), u"Two pages per sheet", u""),
                                        *settings, {}, SystemAnsiCodec()),
               kEasySetShared);
    ASSERT_TRUE(SaveSharedEasySets(shared, printer_.handle()));
    FreeEasySetList(&shared);
  }
  ASSERT_NE(kit_.OpenPages(kit_.Templates(), {100, 101}, SheetProc), nullptr);
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring path = std::wstring(temp) + L"easy-set-" + std::to_wstring(GetCurrentProcessId()) + L".QXS";
  DeleteFileW(path.c_str());
  testsupport::ModalDialogDriver driver;
  driver.Ignore(kit_.Sheet());
  HWND edit = nullptr;
  auto press = [](HWND d, int id) {
    PostMessageW(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
  };
  auto namePart = [](HWND d) { return EasySetFileNamePart(d); };
  std::wstring exportedName;
  bool exportNameReadOnly = false;
  // The file dialogs: the path typed into the file name box.
  auto typePath = [&](HWND d) {
    TypeFilePath(d, path);
    press(d, IDOK);
  };
  auto choose = [&](int index) {
    HWND list = GetDlgItem(edit, 1907);
    PostMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageW(edit, WM_COMMAND, MAKEWPARAM(1907, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  };
  // The question before the delete is answered Yes.
  static int questions = 0;
  questions = 0;
  static const UiServices kAnswerYes = {
      [](HWND, const wchar_t*, const wchar_t*, UINT style) {
        ++questions;
        return (style & MB_YESNO) != 0 ? IDYES : IDOK;
      },
      nullptr, nullptr};
  const UiServices* previous = SetUiServices(&kAnswerYes);
  driver.Then([&](HWND d) {
    edit = d;
    choose(1);
    press(d, 1912);
  });
  driver.Then([&](HWND d) {  // the save file dialog
    if (HWND part = namePart(d)) {
      wchar_t name[64] = {};
      GetDlgItemTextW(part, 1901, name, 64);
      exportedName = name;
      exportNameReadOnly = (GetWindowLongW(GetDlgItem(part, 1901), GWL_STYLE) & ES_READONLY) != 0;
    }
    typePath(d);
    press(edit, 1911);
  });
  driver.Then([&](HWND d) {  // the open file dialog: the Easy Set named anew
    if (HWND part = namePart(d)) SetDlgItemTextW(part, 1901, L"Imported fax");
    typePath(d);
    // Then the shared Easy Set is deleted, after the question.
    choose(1);
    press(edit, 1910);
    press(edit, IDOK);
  });
  kit_.Click(kEasySetEditId);
  SetUiServices(previous);
  EXPECT_EQ(0u, driver.Pending());
  EXPECT_EQ(1, questions);
  DWORD attributes = GetFileAttributesW(path.c_str());
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, attributes);
  DeleteFileW(path.c_str());

  EXPECT_EQ(L"Two pages per sheet", exportedName);
  EXPECT_TRUE(exportNameReadOnly);
  // The shared store lost its Easy Set; the user's holds the imported one
  // under its new name.
  OnlyUserEasySet(u"Imported fax");
  ASSERT_EQ(3, SendMessageW(Combo(), CB_GETCOUNT, 0, 0));  // the built-in one, the imported one, "Untitled"
  DialogFrameworkModules().templates = nullptr;
}

// The Option dialog of an Easy Set the user may change: Select All checks
// every group, Default clears them, and the boxes reach the Easy Set only
// through the Edit dialog's OK.
TEST_F(EasySetArea, OptionsChosenForAnEasySetAreStoredWithIt) {
  DialogFrameworkModules().templates = kit_.Templates();
  ASSERT_NE(kit_.OpenPages(kit_.Templates(), {100, 101}, SheetProc), nullptr);
  testsupport::ModalDialogDriver driver;
  driver.Ignore(kit_.Sheet());
  HWND edit = nullptr;
  bool builtInOptionsLocked = false;
  int checkedAtStart = -1, checkedAfterSelectAll = -1, checkedAfterDefault = -1;
  auto checkedBoxes = [](HWND d) {
    int n = 0;
    for (int id : {2054, 1920, 1925, 1926}) n += IsDlgButtonChecked(d, id) == BST_CHECKED ? 1 : 0;
    return n;
  };
  driver.Then([&](HWND d) {
    edit = d;
    auto choose = [&](int index) { ChooseEasySetEntry(d, index); };
    choose(0);  // the built-in Easy Set keeps its options
    builtInOptionsLocked = !IsWindowEnabled(GetDlgItem(d, 1913));
    choose(1);
    PostMessageW(d, WM_COMMAND, MAKEWPARAM(1913, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d, 1913)));
  });
  driver.Then([&](HWND d) {
    checkedAtStart = checkedBoxes(d);
    SendMessageW(d, WM_COMMAND, MAKEWPARAM(1034, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d, 1034)));
    checkedAfterSelectAll = checkedBoxes(d);
    SendMessageW(d, WM_COMMAND, MAKEWPARAM(1032, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d, 1032)));
    checkedAfterDefault = checkedBoxes(d);
    CheckDlgButton(d, 2054, BST_CHECKED);
    CheckDlgButton(d, 1925, BST_CHECKED);
    CheckDlgButton(d, 1926, BST_CHECKED);
    PostMessageW(d, WM_COMMAND, IDOK, 0);
    PostMessageW(edit, WM_COMMAND, IDOK, 0);
  });
  kit_.Click(kEasySetEditId);
  EXPECT_EQ(0u, driver.Pending());
  EXPECT_TRUE(builtInOptionsLocked);
  EXPECT_EQ(0, checkedAtStart);
  EXPECT_EQ(4, checkedAfterSelectAll);
  EXPECT_EQ(0, checkedAfterDefault);

  EasySetList stored;
  LoadSharedEasySets(printer_.handle(), &stored);
  ASSERT_NE(nullptr, stored.first);
  const uint8_t* restore = stored.first->header.restore;
  EXPECT_EQ(1, restore[kRestoreResolution]);
  EXPECT_EQ(0, restore[kRestorePaper]);
  EXPECT_EQ(1, restore[kRestoreWatermarks]);
  EXPECT_EQ(1, restore[kRestoreSharedWatermarks]);
  FreeEasySetList(&stored);
  DialogFrameworkModules().templates = nullptr;
}

// A user who may not administer the printer cannot have an Easy Set bring
// back the shared watermarks: the box stays clear and off, and OK clears
// the option; Cancel writes nothing.
TEST_F(EasySetArea, OptionsOfAUserWithoutAdministrationLeaveTheSharedListAlone) {
  DialogFrameworkModules().templates = kit_.Templates();
  uint8_t options[kEasySetRestoreOptionBytes] = {1, 1, 1, 1, 0, 0, 0, 0};
  EasySetOptionRequest request{nullptr, options, false};
  testsupport::ModalDialogDriver driver;
  bool sharedOffered = true;
  int sharedShown = -1;
  driver.Then([&](HWND d) {
    sharedOffered = IsWindowEnabled(GetDlgItem(d, 1926)) != FALSE;
    SendMessageW(d, WM_COMMAND, MAKEWPARAM(1034, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d, 1034)));
    sharedShown = IsDlgButtonChecked(d, 1926);
    CheckDlgButton(d, 1920, BST_UNCHECKED);
    PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(IDCANCEL, OpenEasySetOptionDialog(nullptr, &request));
  EXPECT_EQ(1, options[kRestorePaper]);
  EXPECT_EQ(1, options[kRestoreSharedWatermarks]);
  driver.Then([&](HWND d) { PostMessageW(d, WM_COMMAND, IDOK, 0); });
  EXPECT_EQ(IDOK, OpenEasySetOptionDialog(nullptr, &request));
  EXPECT_EQ(0u, driver.Pending());
  EXPECT_FALSE(sharedOffered);
  EXPECT_EQ(BST_UNCHECKED, sharedShown);
  const uint8_t expected[kEasySetRestoreOptionBytes] = {1, 1, 1, 0, 0, 0, 0, 0};
  EXPECT_EQ(0, std::memcmp(expected, options, sizeof options));
  DialogFrameworkModules().templates = nullptr;
}

// In the printing core's sheets an Easy Set chosen in the area reaches the
// core's own items too: each item is handed back to the core with what the
// applied settings say, and the duplex item and the DEVMODE's duplex field
// agree.
TEST_F(EasySetArea, AnEasySetChosenInThePrintingCoresSheetsReachesItsItems) {
  auto settings = std::make_unique<DocDMode>(kit_.Settings());
  DocFields& s = Fields(*settings);
  s.nOrientation = 2;
  s.nCopies = 3;
  s.bCollate = 1;
  s.nDuplex = 2;
  s.byResolution = 1;
  s.nTTFont = 1;
  s.ColorICM_nIntent = 3;
  EasySetList shared;
  LoadSharedEasySets(printer_.handle(), &shared);
  const EasySetDriverFacts facts{u"Fax Test Driver", u"1.2.6", u"Windows NT x64", u""};
  ASSERT_TRUE(AddEasySet(&shared,
                         BuildEasySetFromSettings(MakeEasySetHeader(facts, u"Landscape copies", u""), *settings, {},
                                                  SystemAnsiCodec()),
                         kEasySetShared));
  ASSERT_TRUE(SaveSharedEasySets(shared, printer_.handle()));
  FreeEasySetList(&shared);

  DialogFrameworkModules().images = kit_.Images();
  testsupport::PluginHost host(&kit_.Settings(), printer_.handle(),
                               {{DMPUB_ORIENTATION, {MAKEINTRESOURCEW(64753), MAKEINTRESOURCEW(64754)}},
                                {DMPUB_COPIES_COLLATE, {}},
                                {DMPUB_DUPLEX, {L"None", L"Flip on Long Edge", L"Flip on Short Edge"}},
                                {DMPUB_ICMMETHOD, {}},
                                {DMPUB_ICMINTENT, {}},
                                {DMPUB_TTOPTION, {}},
                                {DMPUB_PRINTQUALITY, {}}});
  host.PublicDevMode().dmFields = DM_DUPLEX;
  host.PublicDevMode().dmDuplex = DMDUP_SIMPLEX;
  kit_.Context()->lParam = reinterpret_cast<LPARAM>(host.Page());
  ASSERT_NE(kit_.OpenPages(kit_.Templates(), {100, 101}, SheetProc), nullptr);
  const size_t before = host.Updates().size();
  const int count = static_cast<int>(SendMessageW(Combo(), CB_GETCOUNT, 0, 0));
  int at = -1;
  for (int i = 0; i < count; ++i) {
    if (ComboText(Combo(), i) == L"Landscape copies") at = i;
  }
  ASSERT_GE(at, 0);
  kit_.Select(kEasySetComboId, at);
  ASSERT_EQ(L"Landscape copies", Selected(Combo()));
  ASSERT_GT(host.Updates().size(), before);

  const DocFields& f = Settings();
  struct Expect {
    BYTE item;
    LONG selection;
  };
  const Expect expected[] = {
      {DMPUB_ORIENTATION, f.nOrientation == 1 ? 0 : 1},
      {DMPUB_COPIES_COLLATE, f.nCopies},
      {DMPUB_ICMMETHOD, 0},
      {DMPUB_ICMINTENT, f.ColorICM_nIntent - 1},
      {DMPUB_TTOPTION, f.nTTFont != 0 ? 1 : 0},
      {DMPUB_PRINTQUALITY, f.byResolution},
  };
  EXPECT_EQ(3, f.nCopies);
  for (const Expect& e : expected) {
    const testsupport::HostItemUpdate* update = host.LastUpdate(e.item);
    ASSERT_NE(nullptr, update) << "item " << int{e.item};
    EXPECT_EQ(e.selection, update->selection) << "item " << int{e.item};
  }
  EXPECT_EQ(f.bCollate != 0, host.LastUpdate(DMPUB_COPIES_COLLATE)->checked);
  const testsupport::HostItemUpdate* duplex = host.LastUpdate(DMPUB_DUPLEX);
  ASSERT_NE(nullptr, duplex);
  EXPECT_NE(0, duplex->selection) << "two-sided settings";
  EXPECT_EQ(duplex->selection + 1, host.PublicDevMode().dmDuplex) << "the DEVMODE says what the item says";
  kit_.Close();
  DialogFrameworkModules().images = nullptr;
}

}  // namespace
