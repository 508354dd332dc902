// The device library's dialog hook and its Media Type Setting dialogs as a
// Configure page meets them: the library is loaded from a folder of its own
// with a description file made for the test and a stand-in of the procedure
// library beside it; a click on the page's media-type button goes through
// DDProc_DlgProc, and the modal dialog is driven from a timer.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "common/contracts/ddproc_sheet_functions_win.h"
#include "common/win/bind_export.h"
#include "ddproc/tests/device_dialog_folder_win.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/modal_dialog_driver_win.h"
#include "tests/support/model_fixture.h"
#include "tests/support/test_paths.h"

namespace {

using ddtest::ConfigurePage;
using ddtest::Choose;
using ddtest::Folder;
using ddtest::Selected;
using ddtest::ReadText;
using ddtest::Widen;

// The sample model with a media-type dialog type, weight, colour and hole
// lists, and optionally another tray list.
std::string ModelText(const std::string& dialogType, const std::string& trays = "") {
  std::string text = ReadText(testsupport::SourcePath("model/VELDRANH.txt"));
  text = std::regex_replace(text, std::regex("  pair \"(Dlg_MediaType|MediaWeight|MediaColor|MediaPrePunched)\" .*\n"),
                            "");
  std::string pairs = "section \"FeatureSetting\" pairs\n";
  if (!dialogType.empty()) pairs += "  pair \"Dlg_MediaType\" \"" + dialogType + "\"\n";
  pairs += "  pair \"MediaWeight\" \"Enable\"\n  pair \"MediaColor\" \"Enable\"\n  pair \"MediaPrePunched\" \"Enable\"\n";
  text.replace(text.find("section \"FeatureSetting\" pairs\n"), std::strlen("section \"FeatureSetting\" pairs\n"),
               pairs);
  if (!trays.empty()) {
    const size_t from = text.find("section \"InTray\"");
    const size_t to = text.find("\n\n", from);
    text.replace(from, to - from, trays);
  }
  text +=
      "\nsection \"MediaWeight\" items 156 default=\"Weight1\"\n  layout note:str128@28\n"
      "  item key=\"Weight1\" text=\"Light\" number=1\n  item key=\"Weight2\" text=\"Heavy\" number=2\n"
      "\nsection \"MediaColor\" items 156 default=\"White\"\n  layout note:str128@28\n"
      "  item key=\"White\" text=\"White\" number=1\n  item key=\"Yellow\" text=\"Yellow\" number=2\n"
      "\nsection \"MediaPrePunched\" items 156 default=\"Unpunched\"\n  layout note:str128@28\n"
      "  item key=\"Unpunched\" text=\"Not Punched\" number=1\n  item key=\"Punched\" text=\"Punched\" number=2\n";
  return text;
}

std::string TwelveTrays() {
  std::string s = "section \"InTray\" items 156 default=\"InTrayAuto\"\n  layout present:u32@24 note:str128@28\n";
  s += "  item key=\"InTrayAuto\" text=\"Automatically Select\" number=7 present=1\n";
  for (int i = 1; i <= 12; ++i) {
    s += "  item key=\"InTray" + std::to_string(i) + "\" text=\"Tray " + std::to_string(i) +
         "\" number=" + std::to_string(256 + i) + " present=1\n";
  }
  return s;
}

// What a test does in the open dialog; it returns the button that ends it.
using Script = std::function<int(HWND)>;

// Offers the page's message to the hook; the script runs when a dialog
// with the media list is on the screen.  Returns whether it opened.
bool Offer(const Folder& folder, HWND page, WPARAM wParam, const Script& script, int32_t pageId = 156) {
  testsupport::ModalDialogDriver driver;
  driver.Then(
      [&](HWND dialog) {
        const int button = script(dialog);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
      },
      testsupport::ModalDialogDriver::WithControl(1844), testsupport::ModalDialogDriver::kWhenShown);
  int32_t handled = 0;
  EXPECT_EQ(folder.hook()(pageId, page, WM_COMMAND, wParam, 0, &handled), 0u);
  EXPECT_EQ(handled, 0);  // the page goes on to refill its media list itself
  return driver.Driven() == 1;
}
bool Click(const Folder& folder, HWND page, const Script& script) {
  return Offer(folder, page, MAKEWPARAM(1847, BN_CLICKED), script);
}

void ChooseRow(HWND dialog, int row) {
  LVITEMW state = {};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(GetDlgItem(dialog, 1844), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
}
std::wstring Cell(HWND dialog, int row, int column) {
  wchar_t text[261] = {};
  LVITEMW get = {};
  get.iSubItem = column;
  get.pszText = text;
  get.cchTextMax = 261;
  SendMessageW(GetDlgItem(dialog, 1844), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&get));
  return text;
}
int Rows(HWND dialog) { return static_cast<int>(SendMessageW(GetDlgItem(dialog, 1844), LVM_GETITEMCOUNT, 0, 0)); }
int Columns(HWND dialog) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(GetDlgItem(dialog, 1844), LVM_GETHEADER, 0, 0));
  return static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
}
bool Shown(HWND dialog, int id) {
  HWND c = GetDlgItem(dialog, id);
  return c != nullptr && IsWindowVisible(c) && IsWindowEnabled(c);
}

TrayMediaSlot* Trays(testsupport::DialogKit& kit) { return kit.Session().working->device.option.trays; }

TEST(MediaTypeDialog, ClickOpensTheDialogAndOkKeepsTheChoices) {
  Folder folder(ModelText("TYPE1"), "complete");
  ASSERT_NE(folder.hook(), nullptr);
  testsupport::DialogKit kit;
  ConfigurePage sheet(kit);
  TrayMediaSlot* trays = Trays(kit);
  trays[1].paperId = 9;  // the bypass tray holds A4
  trays[1].orientation = 1;
  ASSERT_TRUE(Click(folder, sheet.page, [&](HWND d) {
    // The sample model's trays without the automatic one, in list order.
    EXPECT_EQ(Rows(d), 2);
    EXPECT_EQ(Cell(d, 0, 0), L"Tray 1");
    EXPECT_EQ(Cell(d, 1, 0), L"Bypass Tray");
    EXPECT_STREQ(trays[0].trayKeyword, "InTray1");
    EXPECT_EQ(trays[1].trayId, 4u);
    EXPECT_EQ(Columns(d), 7);  // tray, size, orientation, type, weight, colour, hole
    EXPECT_EQ(Cell(d, 1, 1), L"A4 (210 x 297 mm)");
    EXPECT_EQ(Cell(d, 0, 1), L"");  // tray 1 holds a size no row has
    EXPECT_EQ(Selected(d, 1860), -1);  // the first row is selected: no size
    for (int id : {1860, 1862, 1003, 1086, 1091, 1094}) EXPECT_TRUE(Shown(d, id)) << id;
    ChooseRow(d, 1);
    EXPECT_EQ(Selected(d, 1860), 0);  // A4, the first size
    Choose(d, 1860, 1);               // Letter
    Choose(d, 1086, 1);               // heavy
    Choose(d, 1094, 1);               // punched
    EXPECT_EQ(trays[1].paperId, 1u);
    EXPECT_EQ(trays[1].mediaWeight, 2u);
    EXPECT_EQ(trays[1].prePunched, 2u);
    EXPECT_EQ(Cell(d, 1, 1), L"Letter (8.5 x 11 in)");
    EXPECT_EQ(Cell(d, 1, 4), L"Heavy");
    EXPECT_EQ(Cell(d, 1, 6), L"Punched");
    // A picture of the dialog for review, under <build>/screenshots/.
    RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_FALSE(kit.Screenshot("media_type_155", d).empty());
    // Rows are painted whole: an empty cell of an unselected row in the
    // window colour, of the selected row in the highlight colour.
    HWND list = GetDlgItem(d, 1844);
    HDC dc = GetDC(list);
    for (int row : {0, 1}) {
      RECT r = {};
      r.left = LVIR_BOUNDS;
      SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
      RECT client = {};
      GetClientRect(list, &client);
      const COLORREF expected = GetSysColor(row == 1 ? COLOR_HIGHLIGHT : COLOR_WINDOW);
      EXPECT_EQ(GetPixel(dc, client.right - 4, (r.top + r.bottom) / 2), expected) << row;
    }
    ReleaseDC(list, dc);
    return IDOK;
  }));
  EXPECT_EQ(trays[1].paperId, 1u);
  EXPECT_EQ(trays[1].mediaWeight, 2u);
  ASSERT_EQ(ConfigurePage::changed.size(), 1u);  // the sheet enables Apply
  EXPECT_EQ(ConfigurePage::changed[0], reinterpret_cast<WPARAM>(sheet.page));
  const std::string log = folder.Log();
  EXPECT_NE(log.find("MyDialogBox 155"), std::string::npos);
  EXPECT_NE(log.find("DoConstraints 0 0 -1"), std::string::npos);      // the whole dialog at start
  EXPECT_NE(log.find("DispHintControl 155 1"), std::string::npos);
  EXPECT_NE(log.find("DoConstraints 0 1860 -1"), std::string::npos);   // each change
  EXPECT_NE(log.find("DispHintControl 156 1"), std::string::npos);
  EXPECT_NE(log.find("RunDeviceDialog 155"), std::string::npos);  // on the skeleton
}

TEST(MediaTypeDialog, ARefusedChoiceIsUndoneAndOkKeepsThePreviousValue) {
  Folder folder(ModelText("TYPE1"), "complete");
  SetEnvironmentVariableW(L"PROC_REFUSE", L"1003");
  testsupport::DialogKit kit;
  ConfigurePage sheet(kit);
  TrayMediaSlot* trays = Trays(kit);
  trays[0].mediaType = 1;  // plain paper
  ASSERT_TRUE(Click(folder, sheet.page, [&](HWND d) {
    EXPECT_EQ(Selected(d, 1003), 0);
    Choose(d, 1003, 1);  // refused
    EXPECT_EQ(trays[0].mediaType, 1u);
    EXPECT_EQ(Selected(d, 1003), 0);
    EXPECT_EQ(Cell(d, 0, 3), L"Plain Paper");
    Choose(d, 1862, 1);  // accepted: landscape
    EXPECT_EQ(trays[0].orientation, 2u);
    return IDOK;
  }));
  EXPECT_EQ(trays[0].mediaType, 1u);
  EXPECT_EQ(trays[0].orientation, 2u);
  EXPECT_NE(folder.Log().find("DoConstraints 0 1003 -1"), std::string::npos);
}

TEST(MediaTypeDialog, CancelRestoresEveryTray) {
  Folder folder(ModelText("TYPE1"), "complete");
  testsupport::DialogKit kit;
  ConfigurePage sheet(kit);
  TrayMediaSlot* trays = Trays(kit);
  trays[0] = {"", 0, 9, 1, 1, 1, 1, 1, 0};
  trays[1] = {"", 0, 1, 2, 2, 2, 2, 2, 0};
  TrayMediaSlot before[2] = {trays[0], trays[1]};
  ASSERT_TRUE(Click(folder, sheet.page, [&](HWND d) {
    Choose(d, 1860, 1);
    Choose(d, 1091, 1);
    ChooseRow(d, 1);
    Choose(d, 1003, 0);
    Choose(d, 1094, 0);
    Choose(d, 1086, 0);
    EXPECT_EQ(trays[1].mediaType, 1u);
    EXPECT_EQ(trays[0].mediaColor, 2u);
    return IDCANCEL;
  }));
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(trays[i].paperId, before[i].paperId) << i;
    EXPECT_EQ(trays[i].orientation, before[i].orientation) << i;
    EXPECT_EQ(trays[i].mediaType, before[i].mediaType) << i;
    EXPECT_EQ(trays[i].mediaWeight, before[i].mediaWeight) << i;
    EXPECT_EQ(trays[i].mediaColor, before[i].mediaColor) << i;
    EXPECT_EQ(trays[i].prePunched, before[i].prePunched) << i;
  }
  EXPECT_STREQ(trays[1].trayKeyword, "InTrayManual");  // the row fill's keywords stay
  EXPECT_TRUE(ConfigurePage::changed.empty());
}

TEST(MediaTypeDialog, ModelTypeChoosesTheTemplateAndItsValues) {
  struct Case {
    const char* type;
    const char* opened;  // in the log; null: nothing opens
    int columns;
    bool weight, colour;
  };
  const Case cases[] = {
      {"TYPE2", "MyDialogBox 165", 6, false, true},
      {"TYPE3", "MyDialogBox 166", 4, false, false},
      {"TYPE4", nullptr, 0, false, false},
      {"", nullptr, 0, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    Folder folder(ModelText(c.type), "complete");
    testsupport::DialogKit kit;
    ConfigurePage sheet(kit);
    const bool opened = Click(folder, sheet.page, [&](HWND d) {
      EXPECT_EQ(Columns(d), c.columns);
      EXPECT_TRUE(Shown(d, 1860));
      EXPECT_TRUE(Shown(d, 1003));
      EXPECT_EQ(Shown(d, 1086), c.weight);
      EXPECT_EQ(Shown(d, 1091), c.colour);
      EXPECT_EQ(Shown(d, 1094), c.colour);
      return IDOK;
    });
    EXPECT_EQ(opened, c.opened != nullptr);
    if (c.opened != nullptr) {
      EXPECT_NE(folder.Log().find(c.opened), std::string::npos);
    }
    EXPECT_EQ(folder.Log().find("MyDialogBox") != std::string::npos, c.opened != nullptr);
  }
}

TEST(MediaTypeDialog, ClicksThatOpenNothing) {
  testsupport::DialogKit kit;
  const auto never = [](HWND) {
    ADD_FAILURE() << "a dialog opened";
    return IDCANCEL;
  };
  {
    Folder folder(ModelText("TYPE1"), "no_dialog_box");
    ConfigurePage sheet(kit);
    EXPECT_FALSE(Click(folder, sheet.page, never));
  }
  {
    // A procedure library without the dialog skeleton: the dialog cannot run.
    Folder folder(ModelText("TYPE1"), "no_skeleton");
    ConfigurePage sheet(kit);
    EXPECT_FALSE(Click(folder, sheet.page, never));
    EXPECT_EQ(folder.Log().find("MyDialogBox"), std::string::npos);
  }
  {
    Folder folder(ModelText("TYPE1"), "");  // no procedure library beside it
    ConfigurePage sheet(kit);
    EXPECT_FALSE(Click(folder, sheet.page, never));
  }
  Folder folder(ModelText("TYPE1"), "complete");
  {
    ConfigurePage sheet(kit, false);  // the page has no sheet context
    EXPECT_FALSE(Click(folder, sheet.page, never));
  }
  ConfigurePage sheet(kit);
  EXPECT_FALSE(Offer(folder, sheet.page, MAKEWPARAM(1847, BN_DOUBLECLICKED), never));
  EXPECT_FALSE(Offer(folder, sheet.page, MAKEWPARAM(1846, BN_CLICKED), never));
  EXPECT_FALSE(Offer(folder, sheet.page, MAKEWPARAM(1847, BN_CLICKED), never, 100));  // Basic and FAX sheets
  EXPECT_FALSE(Offer(folder, sheet.page, MAKEWPARAM(1847, BN_CLICKED), never, 157));
  EXPECT_EQ(folder.Log().find("MyDialogBox"), std::string::npos);
}

TEST(MediaTypeDialog, MoreThanTenTraysListTheFirstTen) {
  Folder folder(ModelText("TYPE3", TwelveTrays()), "complete");
  testsupport::DialogKit kit;
  ConfigurePage sheet(kit);
  TrayMediaSlot* trays = Trays(kit);
  const uint16_t key = kit.Session().working->device.option.encryptionKey;
  ASSERT_TRUE(Click(folder, sheet.page, [&](HWND d) {
    EXPECT_EQ(Rows(d), 10);
    EXPECT_EQ(Cell(d, 9, 0), L"Tray 10");
    ChooseRow(d, 9);
    Choose(d, 1862, 1);
    EXPECT_EQ(trays[9].orientation, 2u);
    return IDOK;
  }));
  EXPECT_STREQ(trays[9].trayKeyword, "InTray10");
  EXPECT_EQ(trays[9].trayId, 266u);
  EXPECT_EQ(kit.Session().working->device.option.encryptionKey, key);  // nothing past the ten trays
}

TEST(MediaTypeDialog, LockedSettingsDisableTheListAndDropLists) {
  Folder folder(ModelText("TYPE1"), "complete");
  testsupport::DialogKit kit;
  kit.Session().mayChange = 0;
  ConfigurePage sheet(kit);
  ASSERT_TRUE(Click(folder, sheet.page, [&](HWND d) {
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, 1844)));
    for (int id : {1860, 1862, 1003, 1086, 1091, 1094}) EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, id))) << id;
    EnableWindow(GetDlgItem(d, 1860), TRUE);
    SendMessageW(d, WM_ACTIVATE, WA_ACTIVE, 0);  // becoming active again disables them again
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, 1860)));
    return IDCANCEL;
  }));
}

// Last: the procedure library keeps itself and what it loaded in the
// process once it has run, so it gets a folder of its own.
TEST(MediaTypeDialog, TheProcedureLibraryOfTheBuildRunsTheDialog) {
  Folder folder(ModelText("TYPE3"), "real");
  testsupport::DialogKit kit;
  ConfigurePage sheet(kit);
  TrayMediaSlot* trays = Trays(kit);
  trays[0].paperId = 9;
  ASSERT_TRUE(Click(folder, sheet.page, [&](HWND d) {
    EXPECT_EQ(Rows(d), 2);
    EXPECT_EQ(Columns(d), 4);
    // The column titles and labels come from the description file.
    HWND header = reinterpret_cast<HWND>(SendMessageW(GetDlgItem(d, 1844), LVM_GETHEADER, 0, 0));
    wchar_t title[64] = {};
    HDITEMW item = {};
    item.mask = HDI_TEXT;
    item.pszText = title;
    item.cchTextMax = 64;
    SendMessageW(header, HDM_GETITEMW, 2, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(title, L"Feed Direction");
    wchar_t label[64] = {};
    GetDlgItemTextW(d, 1861, label, 64);
    EXPECT_STREQ(label, L"Feed &Direction:");
    Choose(d, 1860, 1);
    EXPECT_EQ(trays[0].paperId, 1u);
    EXPECT_EQ(Cell(d, 0, 1), L"Letter (8.5 x 11 in)");
    return IDOK;
  }));
  EXPECT_EQ(trays[0].paperId, 1u);
  EXPECT_EQ(ConfigurePage::changed.size(), 1u);
}

}  // namespace
