// The watermark/overlay sheet and the watermark edit dialog under Wine and
// Xvfb: the sheet as a page of a property sheet and the dialog modeless,
// both on the dialog kit's session with watermark lists of the test's own,
// the sample model's description, the constraint pass scripted and the
// message boxes recorded.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "common/qxd/model_info.h"
#include "common/qxd/qxd_file.h"
#include "common/records/doc_fields.h"
#include "common/win/printer_queries.h"
#include "common/win/user_registry.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/message_text.h"
#include "dproc/model/option_text_sections.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/startup/edit_range_limits.h"
#include "dproc/startup/watermark_defaults.h"
#include "dproc/watermark/header_footer_dialog_win.h"
#include "dproc/watermark/watermark_edit_dialog_win.h"
#include "dproc/watermark/watermark_lists.h"
#include "dproc/watermark/watermark_session_win.h"
#include "dproc/watermark/watermark_store_win.h"
#include "dproc/watermark/wo_sheet_win.h"
#include "dproc/model/feature_table.h"
#include "dproc/constraints/stamp_sheet_facts.h"
#include "dproc/openapi/open_api_session_win.h"
#include "tests/support/canvas_win.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/sheet_model_win.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_printer_win.h"

namespace {

using testsupport::DialogKit;

std::set<int> g_refuse;
std::vector<uint16_t> g_checked;
int32_t ScriptedCheck(HWND, HWND, uint16_t id) {
  g_checked.push_back(id);
  return g_refuse.count(id) != 0 ? 101 : 199;
}

bool g_admin = true;
bool AdminCheck(const SheetCtx*) { return g_admin; }

WaterMarkInfo Mark(const std::u16string& title, const char* key = "") {
  WaterMarkInfo mark = NewWatermarkRecord();
  title.copy(mark.szWmkTitle, 31);
  title.copy(mark.szWmkStr, 128);
  std::strncpy(mark.szKey, key, sizeof mark.szKey - 1);
  return mark;
}
std::u16string Title(const WaterMarkInfo& mark) { return TitleOf(mark).text; }

class WatermarkUi : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    testsupport::LoadSheetModel("model/VELDRANH.QXD", &model_, &texts_,
                                {.afterBuild = nullptr,
                                 .afterTexts = [](QxdContext* file, ModelInfo*) {
                                   LoadWatermarkFonts(file);
                                   LoadDefaultWatermarks(file, false);
                                 }});
  }
  void SetUp() override {
    saved_ = *model_;
    ProcessModelInfo() = model_;
    DialogFrameworkModules().templates = kit_.Templates();
    DialogFrameworkModules().images = kit_.Images();
    DialogFrameworkModules().texts = &texts_;
    UseGeneralMessageTable(&texts_);
    SetSheetConstraintCheck(ScriptedCheck);
    SetWatermarkAdminCheck(AdminCheck);
    g_refuse.clear();
    g_admin = true;
    F().nOrientation = 1;
    // The model's first watermark, two public ones of the user and one
    // private.
    const WaterMarkInfo pub[] = {g_defaultWatermarks[0], Mark(u"OURS"), Mark(u"SHARED")};
    const WaterMarkInfo own[] = {Mark(u"MINE")};
    ASSERT_NE(InstallWatermarkSession(kit_.Context(), pub, 3, own, 1), nullptr);
  }
  void TearDown() override {
    kit_.Close();
    FreeWatermarkSession(kit_.Context());
    SetSheetConstraintCheck(nullptr);
    SetWatermarkAdminCheck(nullptr);
    SetSheetDialogRunner(nullptr);
    *model_ = saved_;
    ProcessModelInfo() = nullptr;
    DialogFrameworkModules().texts = nullptr;
    UseGeneralMessageTable(nullptr);
  }

  DocFields& F() { return Fields(kit_.Settings()); }
  WatermarkSession& S() { return *WatermarkSessionOf(kit_.Context()); }
  std::u16string Selected() { return Title(*SettingsWatermark(&kit_.Settings())); }
  HWND D() { return kit_.Dialog(); }
  bool Enabled(int id) { return IsWindowEnabled(kit_.Control(id)) != FALSE; }
  bool Visible(int id) { return IsWindowVisible(kit_.Control(id)) != FALSE; }
  void Press(int id) {
    SendMessageW(D(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(kit_.Control(id)));
    DialogKit::Pump();
  }
  void Check(int id, bool on) {
    CheckDlgButton(D(), id, on ? BST_CHECKED : BST_UNCHECKED);
    Press(id);
  }
  void ChooseItem(int listId, int index) {
    SendMessageW(kit_.Control(listId), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(D(), WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(kit_.Control(listId)));
    DialogKit::Pump();
  }
  int ListSelection(int listId) { return static_cast<int>(SendMessageW(kit_.Control(listId), LB_GETCURSEL, 0, 0)); }
  std::vector<std::wstring> Items(int listId) {
    std::vector<std::wstring> items;
    const int n = static_cast<int>(SendMessageW(kit_.Control(listId), LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      wchar_t text[64] = {};
      SendMessageW(kit_.Control(listId), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
      items.emplace_back(text);
    }
    return items;
  }
  std::wstring Text(int id) {
    wchar_t t[200] = {};
    GetDlgItemTextW(D(), id, t, 200);
    return t;
  }
  void SetText(int id, const wchar_t* text) {
    SetDlgItemTextW(D(), id, text);
    DialogKit::Pump();
  }
  std::wstring Builtin() { return reinterpret_cast<const wchar_t*>(TitleOf(g_defaultWatermarks[0]).text); }

  static ModelInfo* model_;
  static MessageTables texts_;
  ModelInfo saved_;
  DialogKit kit_;
};
ModelInfo* WatermarkUi::model_ = nullptr;
MessageTables WatermarkUi::texts_ = {};

// --- The sheet.

class WatermarkSheet : public WatermarkUi {
 protected:
  void Open() {
    ASSERT_NE(kit_.OpenPages(kit_.Templates(), {kWOSheetTemplate}, WOSheetProc, L"Watermark"), nullptr);
    ASSERT_NE(D(), nullptr);
  }
};

TEST_F(WatermarkSheet, ListsEveryWatermarkInOrderAndSelectsTheStoredOne) {
  for (ModelFeature f : {kMfCopyProtect, kMfDateTimePage, kMfOverlay, kMfSoftOverlay, kMfHeaderFooterKind}) {
    model_->features[f] = 1;
  }
  F().bWmk = 1;
  F().wWmkListPos = 3;
  Open();
  EXPECT_EQ(Items(1280), (std::vector<std::wstring>{Builtin(), L"OURS", L"SHARED", L"MINE"}));
  EXPECT_EQ(ListSelection(1280), 3);
  EXPECT_EQ(Selected(), u"MINE") << "the settings take the record the list names";
  EXPECT_TRUE(Visible(1208) && Visible(1280) && Visible(1255));
  EXPECT_TRUE(Enabled(1280) && Enabled(1255));
  for (int id : {1276, 1205, 1326, 1279, 1164, 1166, 2113, 2114, 2115, 1202, 2116, 1162, 2338, 2339}) {
    EXPECT_FALSE(Visible(id)) << id;
  }
  kit_.Screenshot("watermark_sheet");
}

TEST_F(WatermarkSheet, TheSwitchAndTheListTakeTheWatermarkAndARefusalPutsItBack) {
  Open();
  EXPECT_FALSE(Enabled(1280)) << "watermark off";
  Check(1208, true);
  EXPECT_EQ(F().bWmk, 1);
  EXPECT_TRUE(Enabled(1280));
  ChooseItem(1280, 1);
  EXPECT_EQ(F().wWmkListPos, 1);
  EXPECT_EQ(Selected(), u"OURS");
  g_refuse = {1280};
  ChooseItem(1280, 3);
  EXPECT_EQ(F().wWmkListPos, 1);
  EXPECT_EQ(Selected(), u"OURS");
  EXPECT_EQ(ListSelection(1280), 1);
  g_refuse = {1208};
  Check(1208, false);
  EXPECT_EQ(F().bWmk, 1) << "refused";
  EXPECT_EQ(IsDlgButtonChecked(D(), 1208), BST_CHECKED);
}

TEST_F(WatermarkSheet, AnItemWhoseWatermarkIsGoneFallsBackToTheFirst) {
  F().bWmk = 1;
  Open();
  S().publicMarks[1].szWmkTitle[0] = u'X';  // OURS is now XURS; the item still says OURS
  ChooseItem(1280, 1);
  EXPECT_EQ(F().wWmkListPos, 0);
  EXPECT_EQ(Selected(), std::u16string(TitleOf(g_defaultWatermarks[0]).text));
}

TEST_F(WatermarkSheet, EditOpensTheDialogAndItsListsShowAfterOk) {
  struct Run {
    uint16_t templateId = 0;
    DLGPROC proc = nullptr;
  };
  static Run run;
  SetSheetDialogRunner([](HWND, uint16_t id, DLGPROC proc, LPARAM context) -> intptr_t {
    run = {id, proc};
    WatermarkSession* s = WatermarkSessionOf(reinterpret_cast<SheetCtx*>(context));
    s->privateMarks[s->privateCount++] = Mark(u"NEW");
    WMOrderEntry& e = s->order[s->orderCount++];
    e = {0, {}};
    std::memcpy(e.szName, u"NEW", 8);
    return IDOK;
  });
  F().bWmk = 1;
  Open();
  Press(1255);
  EXPECT_EQ(run.templateId, kWatermarkEditTemplate);
  EXPECT_EQ(run.proc, &WaterMarkEditDlgProc);
  EXPECT_EQ(Items(1280).size(), 5u);
  EXPECT_EQ(Items(1280).back(), L"NEW");
}

TEST_F(WatermarkSheet, OnlyAnAdministratorEditsFromASharedWatermarkAfterTheModelsOwn) {
  // The model's watermarks, then a user's shared one and a private one.
  const size_t builtIn = CountDefaultWatermarks(g_defaultWatermarks, kDefaultWatermarks);
  ASSERT_GE(builtIn, 2u);
  std::vector<WaterMarkInfo> pub(g_defaultWatermarks, g_defaultWatermarks + builtIn);
  pub.push_back(Mark(u"OURS"));
  const WaterMarkInfo own[] = {Mark(u"MINE")};
  struct Case {
    bool admin;
    size_t position;
    bool enabled;
  } cases[] = {{true, builtIn, true}, {false, builtIn, false}, {false, builtIn + 1, true}, {false, 1, true}};
  for (const Case& c : cases) {
    // The page lets the session's lists go with it.
    InstallWatermarkSession(kit_.Context(), pub.data(), pub.size(), own, 1);
    g_admin = c.admin;
    F().bWmk = 1;
    F().wWmkListPos = static_cast<uint16_t>(c.position);
    Open();
    EXPECT_EQ(Enabled(1255), c.enabled) << c.admin << " " << c.position;
    kit_.Close();
  }
}

TEST_F(WatermarkSheet, DefaultGivesTheModelsWatermarkItsOwnAttributesBack) {
  S().publicMarks[0].wSize = 11;
  S().publicMarks[1].wSize = 12;
  F().bWmk = 1;
  F().wWmkListPos = 2;
  Open();
  Press(1032);
  EXPECT_EQ(S().publicMarks[0].wSize, g_defaultWatermarks[0].wSize);
  EXPECT_EQ(S().publicMarks[1].wSize, 12) << "a user's watermark keeps its own";
  EXPECT_TRUE(S().changed);
  EXPECT_EQ(F().bWmk, 0);
  EXPECT_EQ(F().wWmkListPos, 0);
}


// The header/footer list draws its rows as the authentication server list
// does: a row of the server table and a row of any other option list both
// show their text.
TEST_F(WatermarkSheet, TheHeaderFooterListDrawsOptionRows) {
  Open();
  auto* servers = reinterpret_cast<OptionItem*>(FindOptionTable("ServerSetting"));
  auto* other = reinterpret_cast<OptionItem*>(FindOptionTable("Orientation"));
  ASSERT_NE(servers, nullptr);
  ASSERT_NE(other, nullptr);
  const OptionItem savedServer = servers[0], savedOther = other[0];
  std::memcpy(servers[0].text, u"Server one", 22);
  std::memcpy(other[0].text, u"Portrait", 18);
  for (const OptionItem* row : {&servers[0], &other[0]}) {
    testsupport::Canvas canvas(160, 16, 0xFFFFFF);
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_COMBOBOX;
    item.CtlID = 2116;
    item.itemID = 0;
    item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = GetDlgItem(D(), 2116);
    item.hDC = canvas.dc();
    item.rcItem = {0, 0, 160, 16};
    item.itemData = reinterpret_cast<ULONG_PTR>(row);
    SendMessageW(D(), WM_DRAWITEM, 2116, reinterpret_cast<LPARAM>(&item));
    int drawn = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 160; ++x) drawn += canvas.At(x, y) != 0xFFFFFF;
    }
    EXPECT_GT(drawn, 20) << (row == &servers[0] ? "server row" : "other row");
  }
  servers[0] = savedServer;
  other[0] = savedOther;
}

// --- The edit dialog.

class WatermarkEdit : public WatermarkUi {
 protected:
  void Open() {
    ASSERT_NE(kit_.OpenDialog(kit_.Templates(), kWatermarkEditTemplate, WaterMarkEditDlgProc), nullptr);
  }
  bool Ended() { return !IsWindowVisible(D()); }
  std::vector<std::u16string> Order() {
    std::vector<std::u16string> names;
    for (uint32_t i = 0; i < S().orderCount; ++i) {
      names.push_back(std::u16string(TitleOf(S().order[i]).text) + (S().order[i].bPublic != 0 ? u"+" : u"-"));
    }
    return names;
  }
};

TEST_F(WatermarkEdit, ShowsTheSelectedWatermarkAndOkKeepsTheListsOrder) {
  F().wWmkListPos = 1;
  *SettingsWatermark(&kit_.Settings()) = S().publicMarks[1];
  Open();
  EXPECT_EQ(Items(1681).size(), 4u);
  EXPECT_EQ(ListSelection(1681), 1);
  EXPECT_EQ(Text(1677), L"OURS");
  EXPECT_EQ(Text(1678), L"OURS");
  EXPECT_EQ(Text(1689), L"72");
  EXPECT_EQ(IsDlgButtonChecked(D(), 1581), BST_CHECKED) << "shared";
  kit_.Screenshot("watermark_edit");
  Press(1680);  // down: OURS after SHARED
  SetText(1678, L"Our own text");
  Press(IDOK);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(Order(), (std::vector<std::u16string>{std::u16string(TitleOf(g_defaultWatermarks[0]).text) + u"+",
                                                  u"SHARED+", u"OURS+", u"MINE-"}));
  EXPECT_EQ(F().wWmkListPos, 2);
  EXPECT_EQ(std::u16string(SettingsWatermark(&kit_.Settings())->szWmkStr), u"Our own text");
  EXPECT_EQ(std::u16string(S().publicMarks[2].szWmkStr), u"Our own text");
  EXPECT_TRUE(S().changed);
}

TEST_F(WatermarkEdit, ANewWatermarkOfAUserIsPrivateAndNeedsANameAndAText) {
  g_admin = false;
  F().wWmkListPos = 3;
  Open();
  Press(1602);
  EXPECT_EQ(Items(1681).size(), 5u);
  EXPECT_EQ(ListSelection(1681), 4);
  EXPECT_EQ(IsDlgButtonChecked(D(), 1581), BST_UNCHECKED);
  Press(IDOK);
  ASSERT_EQ(kit_.Boxes().shown().size(), 1u);
  EXPECT_NE(kit_.Boxes().shown()[0].text.find(L"Enter a name"), std::wstring::npos) << kit_.Boxes().shown()[0].text;
  EXPECT_FALSE(Ended());
  SetText(1677, L"LATER");
  Press(IDOK);
  ASSERT_EQ(kit_.Boxes().shown().size(), 2u);
  EXPECT_NE(kit_.Boxes().shown()[1].text.find(L"Enter the text"), std::wstring::npos);
  SetText(1678, L"Later");
  Press(IDOK);
  EXPECT_TRUE(Ended());
  ASSERT_EQ(S().privateCount, 2u);
  EXPECT_EQ(Title(S().privateMarks[1]), u"LATER");
  EXPECT_EQ(S().publicCount, 3u);
}

TEST_F(WatermarkEdit, ARenameToAnotherWatermarksNameIsRefused) {
  F().wWmkListPos = 3;
  Open();
  SetText(1677, L"OURS");
  EXPECT_EQ(Items(1681)[3], L"OURS") << "the item follows the edit";
  ChooseItem(1681, 0);
  ASSERT_EQ(kit_.Boxes().shown().size(), 1u);
  EXPECT_NE(kit_.Boxes().shown()[0].text.find(L"OURS"), std::wstring::npos);
  EXPECT_EQ(ListSelection(1681), 3) << "the selection stays";
  SetText(1677, L"MINE 2");
  ChooseItem(1681, 0);
  EXPECT_EQ(ListSelection(1681), 0);
  EXPECT_EQ(F().wWmkListPos, 0);
}

TEST_F(WatermarkEdit, TheStoresHoldWhatOkWroteAndOnlyAnAdministratorWritesTheSharedList) {
  for (bool admin : {true, false}) {
    SCOPED_TRACE(admin ? "administrator" : "user");
    testsupport::TestPrinter printer(L"Watermark Apply");
    ASSERT_TRUE(printer.ok()) << printer.error();
    wchar_t driver[260] = {};
    ASSERT_TRUE(QueryDriverName(printer.handle(), driver, nullptr));
    kit_.Session().printer = printer.handle();
    g_admin = admin;
    F().wWmkListPos = 0;
    Open();
    Press(1602);
    SetText(1677, L"LATER");
    SetText(1678, L"Later");
    Press(IDOK);
    ASSERT_TRUE(Ended());
    ASSERT_TRUE(S().changed);
    EXPECT_TRUE(SaveWatermarkSession(kit_.Context()));
    EXPECT_FALSE(S().changed);

    auto titles = [](WaterMarkInfo* marks, size_t count) {
      std::vector<std::u16string> out;
      for (size_t i = 0; i < count; ++i) out.push_back(Title(marks[i]));
      if (marks != nullptr) LocalFree(marks);
      return out;
    };
    WaterMarkInfo* marks = nullptr;
    size_t n = ReadUserWaterMarks(nullptr, printer.name().c_str(), driver, &marks);
    std::vector<std::u16string> own = titles(marks, n);
    marks = nullptr;
    n = ReadPrinterWaterMarks(printer.handle(), &marks);
    std::vector<std::u16string> shared = titles(marks, n);
    std::vector<std::u16string> expectedShared, expectedOwn;
    for (uint32_t i = 0; i < S().publicCount; ++i) expectedShared.push_back(Title(S().publicMarks[i]));
    for (uint32_t i = 0; i < S().privateCount; ++i) expectedOwn.push_back(Title(S().privateMarks[i]));
    EXPECT_EQ(own, expectedOwn);
    // An administrator's new watermark is shared, a user's is the user's
    // own; a user's change never reaches the printer's shared list.
    EXPECT_EQ(shared, admin ? expectedShared : std::vector<std::u16string>{});
    const std::vector<std::u16string>& holder = admin ? shared : own;
    EXPECT_NE(std::find(holder.begin(), holder.end(), u"LATER"), holder.end());

    kit_.Close();
    kit_.Session().printer = nullptr;
    wchar_t path[1024];
    if (MakeUserSettingsPath(driver, printer.name().c_str(), L"", path, 1024)) RegDeleteTreeW(HKEY_CURRENT_USER, path);
    FreeWatermarkSession(kit_.Context());
    const WaterMarkInfo pub[] = {g_defaultWatermarks[0], Mark(u"OURS"), Mark(u"SHARED")};
    const WaterMarkInfo mine[] = {Mark(u"MINE")};
    ASSERT_NE(InstallWatermarkSession(kit_.Context(), pub, 3, mine, 1), nullptr);
  }
}

TEST_F(WatermarkEdit, CancelLeavesTheSettingsAndTheListsAsTheyWere) {
  F().wWmkListPos = 3;
  *SettingsWatermark(&kit_.Settings()) = S().privateMarks[0];
  const DocDMode before = kit_.Settings();
  Open();
  Press(1602);
  SetText(1677, L"GONE");
  SetText(1678, L"Gone");
  ChooseItem(1681, 1);
  kit_.Boxes().Answer(IDYES);
  Press(1684);
  Press(IDCANCEL);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(std::memcmp(&before, &kit_.Settings(), sizeof before), 0);
  EXPECT_EQ(S().orderCount, 4u);
  EXPECT_FALSE(S().changed);
}

TEST_F(WatermarkEdit, WhatAUserMayChange) {
  struct Case {
    bool admin;
    int position;
    bool edit, remove, share;
  } cases[] = {
      {true, 0, true, false, false},   // the model's own: not deleted, stays shared
      {true, 1, true, true, true},     // a user's shared one
      {false, 1, false, false, false}, // another user's shared one
      {false, 3, true, true, false},   // one's own
  };
  for (const Case& c : cases) {
    g_admin = c.admin;
    F().wWmkListPos = static_cast<uint16_t>(c.position);
    Open();
    EXPECT_EQ(Enabled(1677), c.edit) << c.admin << c.position;
    EXPECT_EQ(Enabled(1684), c.remove) << c.admin << c.position;
    EXPECT_EQ(Enabled(1581), c.share) << c.admin << c.position;
    kit_.Close();
  }
}

TEST_F(WatermarkEdit, DeletingEveryWatermarkLeavesAFreshOneAndEmptyLists) {
  Open();
  for (int i = 0; i < 4; ++i) {
    ChooseItem(1681, 0);
    kit_.Boxes().Answer(IDYES);
    Press(1684);
  }
  EXPECT_TRUE(Items(1681).empty());
  EXPECT_EQ(SettingsWatermark(&kit_.Settings())->wSize, 72);
  Press(IDOK);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(S().publicCount + S().privateCount + S().orderCount, 0u);
}

TEST_F(WatermarkEdit, TheDensityBarMakesTheGrey) {
  F().wWmkListPos = 3;
  Open();
  for (int position : {0, 255, 128}) {
    SendMessageW(kit_.Control(1675), TBM_SETPOS, TRUE, position);
    SendMessageW(D(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(kit_.Control(1675)));
    const uint8_t grey = static_cast<uint8_t>(255 - position);
    EXPECT_EQ(SettingsWatermark(&kit_.Settings())->crColor, RGB(grey, grey, grey)) << position;
  }
}

}  // namespace

namespace {

TEST_F(WatermarkSheet, APrinterWithoutItsListOffersTheModelsWatermarks) {
  FreeWatermarkSession(kit_.Context());
  F().bWmk = 1;
  Open();
  const size_t builtIn = CountDefaultWatermarks(g_defaultWatermarks, kDefaultWatermarks);
  ASSERT_GT(builtIn, 0u);
  const std::vector<std::wstring> items = Items(1280);
  ASSERT_EQ(items.size(), builtIn);
  EXPECT_EQ(items[0], Builtin());
  EXPECT_FALSE(S().changed) << "nothing to store until a watermark is edited";
}

}  // namespace

namespace {

// --- The header/footer detail dialog.

class HeaderFooterDialog : public WatermarkUi {
 protected:
  void Open() { ASSERT_NE(kit_.OpenDialog(kit_.Templates(), kHeaderFooterTemplate, HeaderFooterDlgProc), nullptr); }
  bool Ended() { return !IsWindowVisible(D()); }
};

TEST_F(HeaderFooterDialog, NumberingOffDisablesItsControlsAndTheModelDecidesTypeAndColour) {
  model_->features[kMfNumberDlgType] = 1;
  F().bNumbering = 0;
  F().nNumberingStartNum = 5;
  Open();
  EXPECT_EQ(Text(1714), L"5");
  EXPECT_TRUE(Visible(1706));
  EXPECT_FALSE(Visible(1039)) << "no colour on this model";
  for (int id : {1706, 1708, 1714}) EXPECT_FALSE(Enabled(id)) << id;
  Check(1579, true);
  EXPECT_EQ(F().bNumbering, 1);
  for (int id : {1706, 1708, 1714}) EXPECT_TRUE(Enabled(id)) << id;
  kit_.Screenshot("header_footer");
}

TEST_F(HeaderFooterDialog, NumbersOutsideOneTo9999NeverReachTheSettings) {
  F().bNumbering = 1;
  F().bPageStamp = 1;
  F().nNumberingStartNum = 5;
  F().nPageStampStartPage = 1;
  F().nPageStampStartNum = 1;
  Open();
  for (const wchar_t* bad : {L"0", L"10000", L"x"}) {
    SetText(1714, bad);
    EXPECT_EQ(F().nNumberingStartNum, 5) << bad;
  }
  Press(IDOK);
  EXPECT_FALSE(Ended()) << "OK waits for a number it can take";
  SetText(1714, L"9999");
  EXPECT_EQ(F().nNumberingStartNum, 9999);
  SetText(1370, L"3");
  EXPECT_EQ(F().nPageStampStartPage, 3);
  Press(IDOK);
  EXPECT_TRUE(Ended());
}

TEST_F(HeaderFooterDialog, CancelPutsEveryFieldBack) {
  F().nNumberingDensity = 7;
  const DocDMode before = kit_.Settings();
  Open();
  Check(1579, true);
  Check(1583, true);
  SetText(1714, L"42");
  Press(1032);
  Press(IDCANCEL);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(std::memcmp(&before, &kit_.Settings(), sizeof before), 0);
}

TEST_F(HeaderFooterDialog, TheSheetOpensItAndTakesWhatItSaid) {
  static int opened = 0;
  SetSheetDialogRunner([](HWND, uint16_t id, DLGPROC, LPARAM) -> intptr_t {
    opened = id;
    return IDOK;
  });
  ASSERT_NE(kit_.OpenPages(kit_.Templates(), {kWOSheetTemplate}, WOSheetProc, L"Watermark"), nullptr);
  Press(1162);
  EXPECT_EQ(opened, kHeaderFooterTemplate);
}

}  // namespace

namespace {

TEST_F(HeaderFooterDialog, DefaultTakesOnlyTheDialogsFields) {
  F().bNumbering = 1;
  F().nNumberingStartNum = 42;
  F().bWmk = 1;
  F().DateTimePageNo_nPN_StartPage = 9;
  Open();
  Press(1032);
  EXPECT_EQ(F().bNumbering, 0);
  EXPECT_EQ(F().nNumberingStartNum, 1);
  EXPECT_EQ(F().bWmk, 1) << "a setting of the sheet stays";
  EXPECT_EQ(F().DateTimePageNo_nPN_StartPage, 9u) << "so does the page stamp of the other dialog";
}

TEST_F(WatermarkSheet, TheStampButtonsOpenTheTemplatesTheModelNames) {
  static std::vector<int> opened;
  static intptr_t answer = IDOK;
  opened.clear();
  SetSheetDialogRunner([](HWND, uint16_t id, DLGPROC, LPARAM) -> intptr_t {
    opened.push_back(id);
    return answer;
  });
  model_->features[kMfDateTimePageType] = 1;
  Open();
  Press(2115);
  Press(2339);
  model_->features[kMfDateTimePageType] = 0;
  answer = IDCANCEL;
  Press(2115);
  EXPECT_EQ(opened, (std::vector<int>{2055, 193, 191}));
}

TEST_F(WatermarkSheet, ActivationAsksTheDeviceWhichStampsItPrintsItself) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string base = std::string(temp) + "wo_sheet_oapi_" + std::to_string(GetCurrentProcessId());
  const std::string script = base + ".txt", log = base + ".log";
  SetEnvironmentVariableA("OAPI_SCRIPT", script.c_str());
  SetEnvironmentVariableA("OAPI_LOG", log.c_str());
  const std::wstring folder = testsupport::ProgramFolder();
  const WaterMarkInfo marks[] = {g_defaultWatermarks[0]};
  struct Case {
    const wchar_t* library;
    const char* answer;
    bool device[4];  // copy protect, header/footer, page number, date/time
  } cases[] = {
      // The stand-in refuses the header/footer names: the stamps still count.
      {L"standin_oapi\\complete\\VELDRANV.DLL", "stamps 0 On - 1 0\n", {true, false, true, false}},
      {L"standin_oapi\\complete\\VELDRANV.DLL", "stamps 0 - On 0 1\n", {false, true, false, true}},
      {L"standin_oapi\\complete\\VELDRANV.DLL", "stamps 4 On On 1 1\n", {false, false, false, false}},  // refused
      {L"standin_oapi\\none\\VELDRANV.DLL", "stamps 0 On On 1 1\n", {false, false, false, false}},     // no library
  };
  for (const Case& c : cases) {
    std::FILE* f = std::fopen(script.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs(c.answer, f);
    std::fclose(f);
    DeleteFileA(log.c_str());
    SetOpenApiLibraryPath((folder + c.library).c_str());
    ProcessStampSheetFacts().deviceCopyProtect = ProcessStampSheetFacts().deviceDateTime = true;
    g_checked.clear();
    InstallWatermarkSession(kit_.Context(), marks, 1, marks, 0);
    Open();
    const StampSheetFacts& got = ProcessStampSheetFacts();
    EXPECT_EQ(got.deviceCopyProtect, c.device[0]) << c.answer;
    EXPECT_EQ(got.deviceHeaderFooter, c.device[1]) << c.answer;
    EXPECT_EQ(got.devicePageNumber, c.device[2]) << c.answer;
    EXPECT_EQ(got.deviceDateTime, c.device[3]) << c.answer;
    ASSERT_FALSE(g_checked.empty());
    EXPECT_EQ(g_checked.back(), 0) << "the whole page is checked again with the device's answer";
    kit_.Close();
  }
  std::vector<std::string> asked;
  SetOpenApiLibraryPath((folder + L"standin_oapi\\complete\\VELDRANV.DLL").c_str());
  DeleteFileA(log.c_str());
  InstallWatermarkSession(kit_.Context(), marks, 1, marks, 0);
  Open();
  kit_.Close();
  std::FILE* in = std::fopen(log.c_str(), "rb");
  ASSERT_NE(in, nullptr);
  for (char line[256]; std::fgets(line, sizeof line, in) != nullptr;) {
    if (std::strncmp(line, "OAPIGetDevicePermanentSetting", 29) == 0) asked.emplace_back(line);
  }
  std::fclose(in);
  EXPECT_EQ(asked, (std::vector<std::string>{"OAPIGetDevicePermanentSetting 4\n", "OAPIGetDevicePermanentSetting 5\n"}))
      << "both kinds on one session";
  SetOpenApiLibraryPath(nullptr);
  SetEnvironmentVariableA("OAPI_SCRIPT", nullptr);
  SetEnvironmentVariableA("OAPI_LOG", nullptr);
  DeleteFileA(script.c_str());
  DeleteFileA(log.c_str());
  ProcessStampSheetFacts() = {};
}

}  // namespace
