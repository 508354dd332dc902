// The Layout sheet under Wine and Xvfb: its page in a property sheet on the
// dialog kit's session, with the sample model's description, the constraint
// pass scripted and the message boxes recorded.  Kill-active is sent as the
// frame sends it, and its answer read back.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/qxd/model_info.h"
#include "common/qxd/qxd_file.h"
#include "common/records/doc_fields.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/layout/layout_dialogs_win.h"
#include "dproc/layout/layout_rules.h"
#include "dproc/layout/layout_sheet_win.h"
#include "dproc/layout/nup_items_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/message_text.h"
#include "dproc/model/disp_strings.h"
#include "dproc/model/option_text_sections.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/sheets/sheet_memory.h"
#include "dproc/startup/edit_range_limits.h"
#include "tests/support/clip_test_support_win.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/sheet_model_win.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_printer_win.h"

namespace {

using testsupport::DialogKit;

std::set<int> g_refuse;
// What the preview's combination override held while the pass ran.
std::vector<std::pair<uint8_t, uint8_t>> g_combinationSlots;
// And the N-up switch's and the duplex list's.
std::vector<std::pair<uint8_t, uint8_t>> g_nupSlots, g_duplexSlots;
// And the N-up kind's (kind and style).
std::vector<std::vector<uint8_t>> g_nupKindSlots;
int32_t ScriptedCheck(HWND dialog, HWND, uint16_t id) {
  const LayoutPreviewOverrides* o = LayoutOverridesOf(GetUIState(SheetCtxOf(dialog)));
  if (id == 1296 && o != nullptr) g_combinationSlots.emplace_back(o->combinationOn, o->combinationValue);
  if (id == 1779 && o != nullptr) g_nupSlots.emplace_back(o->nupFlagOn, o->nupFlagValue);
  if (id == 1286 && o != nullptr) g_duplexSlots.emplace_back(o->doubleSidesOn, o->doubleSidesValue);
  if (id == 1025 && o != nullptr) g_nupKindSlots.push_back({o->nupOn, o->nupValue, o->styleOn, o->styleValue});
  return g_refuse.count(id) != 0 ? 101 : 199;
}

struct RunnerCall {
  uint16_t templateId;
  DLGPROC proc;
};
std::vector<RunnerCall> g_runs;
intptr_t g_runResult = IDCANCEL;
intptr_t RecordRun(HWND, uint16_t templateId, DLGPROC proc, LPARAM) {
  g_runs.push_back({templateId, proc});
  return g_runResult;
}

class LayoutSheet : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    testsupport::LoadSheetModel("model/VELDRANH.QXD", &model_, &texts_);
  }
  void SetUp() override {
    saved_ = *model_;
    model_->features[kMfPoster] = 1;
    ProcessModelInfo() = model_;
    DialogFrameworkModules().templates = kit_.Templates();
    DialogFrameworkModules().images = kit_.Images();
    DialogFrameworkModules().texts = &texts_;
    UseGeneralMessageTable(&texts_);
    SetSheetConstraintCheck(ScriptedCheck);
    SetSheetDialogRunner(RecordRun);
    g_refuse.clear();
    g_runs.clear();
    g_runResult = IDCANCEL;
    ProcessSheetMemory() = {};
    DocFields& f = Fields(kit_.Settings());
    f.nOrientation = 1;
    f.nDuplex = 1;
    f.nBinding = 15;
  }
  void TearDown() override {
    kit_.Close();
    SetSheetConstraintCheck(nullptr);
    SetSheetDialogRunner(nullptr);
    *model_ = saved_;
    ProcessModelInfo() = nullptr;
    DialogFrameworkModules().texts = nullptr;
    UseGeneralMessageTable(nullptr);
    SetChapterCodePage(0);
  }

  DocFields& F() { return Fields(kit_.Settings()); }
  HWND Page() { return kit_.Dialog(); }
  void Open() {
    ASSERT_NE(kit_.OpenPages(kit_.Templates(), {kLayoutSheetTemplate}, LayoutSheetProc, L"Layout"), nullptr);
    ASSERT_NE(Page(), nullptr);
  }
  // The frame's question before the page is left: true when it may be.
  bool KillActive() {
    NMHDR note = {GetParent(Page()), 0, static_cast<UINT>(PSN_KILLACTIVE)};
    SetWindowLongPtrW(Page(), DWLP_MSGRESULT, 0);
    SendMessageW(Page(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&note));
    return GetWindowLongPtrW(Page(), DWLP_MSGRESULT) == FALSE;
  }
  void SetActive() {
    NMHDR note = {GetParent(Page()), 0, static_cast<UINT>(PSN_SETACTIVE)};
    SendMessageW(Page(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&note));
    DialogKit::Pump();
  }
  // The index of the item whose row has `value`, or -1.
  int IndexOf(int comboId, uint32_t value) {
    HWND combo = kit_.Control(comboId);
    const int n = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      if (reinterpret_cast<const OptionHead*>(SendMessageW(combo, CB_GETITEMDATA, i, 0))->value == value) return i;
    }
    return -1;
  }
  uint32_t SelectedValue(int comboId) {
    HWND combo = kit_.Control(comboId);
    const LRESULT at = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (at < 0) return 0xFFFFFFFF;
    return reinterpret_cast<const OptionHead*>(SendMessageW(combo, CB_GETITEMDATA, at, 0))->value;
  }
  void Check(int id, bool on) {
    CheckDlgButton(Page(), id, on ? BST_CHECKED : BST_UNCHECKED);
    SendMessageW(Page(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(kit_.Control(id)));
    DialogKit::Pump();
  }
  void ChooseValue(int comboId, uint32_t value) {
    const int at = IndexOf(comboId, value);
    ASSERT_GE(at, 0) << value;
    kit_.Select(comboId, at);
  }
  std::wstring Text(int id) {
    wchar_t t[300] = {};
    GetDlgItemTextW(Page(), id, t, 300);
    return t;
  }
  // The chapter controls as a model that has them shows them.
  void ShowChapter() {
    for (int id : {1294, 1147, 1035}) {
      ShowWindow(kit_.Control(id), SW_SHOW);
      EnableWindow(kit_.Control(id), TRUE);
    }
  }

  static ModelInfo* model_;
  static MessageTables texts_;
  ModelInfo saved_;
  DialogKit kit_;
};
ModelInfo* LayoutSheet::model_ = nullptr;
MessageTables LayoutSheet::texts_ = {};

TEST_F(LayoutSheet, ShowsNupAndStyleAndHidesTheRest) {
  Open();
  for (int id : {1779, 1025, 1124, 1290}) EXPECT_TRUE(IsWindowVisible(kit_.Control(id))) << id;
  for (int id : {1296, 1031, 1289, 1294, 1147, 1286, 1230, 1128, 1046, 1288, 1052, 1291, 1212, 1204}) {
    EXPECT_FALSE(IsWindowVisible(kit_.Control(id))) << id;
  }
  EXPECT_FALSE(IsWindowEnabled(kit_.Control(1025))) << "N-up off";
  kit_.Screenshot("layout_sheet");
}

// The frame's Help with the three keys held: the clipping check measures
// every shown control of the page's template (a control shown on a model
// that has it included) and the help is not opened.
TEST_F(LayoutSheet, HelpRunsTheClippingCheckOverTheTemplatesControls) {
  testsupport::TestPrinter printer(L"Layout Clip");
  ASSERT_TRUE(printer.ok()) << printer.error();
  HANDLE kept = kit_.Session().printer;
  kit_.Session().printer = printer.handle();
  testsupport::SetClipTest(printer.handle(), 3);
  Open();
  ShowWindow(kit_.Control(1230), SW_SHOW);
  // The report shows the texts without their mnemonic marks.
  const auto shownText = [&](int id) {
    std::wstring t = Text(id);
    std::erase(t, L'&');
    return t;
  };
  const std::wstring adhesive = shownText(1230), style = shownText(1124);
  std::wstring report;
  {
    testsupport::DebugOutput output;
    testsupport::HoldKeys(true, true, true);
    NMHDR note = {GetParent(Page()), 0, static_cast<UINT>(PSN_HELP)};
    SendMessageW(Page(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&note));
    testsupport::HoldKeys(false, false, false);
    for (const std::wstring& line : output.Take()) report += line;
  }
  kit_.Close();
  kit_.Session().printer = kept;
  const std::string shown(report.begin(), report.end());
  EXPECT_NE(report.find(L"Layout Tab"), std::wstring::npos) << shown;
  ASSERT_FALSE(adhesive.empty());
  for (const std::wstring& text : {L"\"" + adhesive + L"\"", L"\"" + style + L"\"", std::wstring(L"Combo 1025")}) {
    EXPECT_NE(report.find(text), std::wstring::npos) << std::string(text.begin(), text.end()) << " in " << shown;
  }
  // Hidden controls are left out.
  EXPECT_EQ(report.find(L"Combo 1046"), std::wstring::npos) << shown;
}

TEST_F(LayoutSheet, NupKindsAreSavedAndReadBack) {
  struct Case {
    uint32_t kind;
    uint8_t posterPages, nupBorder, posterBorder;
  } cases[] = {{1, 1, 1, 0}, {2, 1, 1, 0}, {5, 1, 1, 0}, {7, 2, 2, 1}, {8, 3, 2, 1}, {9, 4, 2, 1}};
  F().bNupBorder_ui = 1;
  F().nPosterMarginLine = 1;
  Open();
  Check(1779, true);
  EXPECT_EQ(F().bNup, 1);
  EXPECT_TRUE(IsWindowEnabled(kit_.Control(1025)));
  for (const Case& c : cases) {
    ChooseValue(1025, c.kind);
    ASSERT_TRUE(KillActive()) << c.kind;
    EXPECT_EQ(F().nNup, c.kind);
    EXPECT_EQ(F().byPosterPages, c.posterPages) << c.kind;
    EXPECT_EQ(F().bNupBorder, c.nupBorder) << c.kind;
    EXPECT_EQ(F().bPosterBorder, c.posterBorder) << c.kind;
    EXPECT_EQ(F().byNupPages, 1);
  }
  kit_.Close();
  Open();
  EXPECT_EQ(IsDlgButtonChecked(Page(), 1779), BST_CHECKED);
  EXPECT_EQ(SelectedValue(1025), 9u) << "the stored kind is shown again";
}

TEST_F(LayoutSheet, PosterRemembersTheKindBeforeIt) {
  F().bNup = 1;
  F().nNup = 1;
  Open();
  ChooseValue(1025, 8);  // 3 x 3 after 2-up
  EXPECT_EQ(ProcessSheetMemory().nupKindBeforePoster, 1);
  ChooseValue(1025, 9);  // 4 x 4 after 3 x 3
  EXPECT_EQ(ProcessSheetMemory().nupKindBeforePoster, 8);
  ChooseValue(1025, 2);
  EXPECT_EQ(ProcessSheetMemory().nupKindBeforePoster, 8) << "an N-up kind leaves it";
}

TEST_F(LayoutSheet, ThePreviewKeepsTheOldLayoutWhileAChangeIsChecked) {
  F().bNup = 1;
  F().nNup = 1;
  Open();
  auto drawn = [&] { return testsupport::DialogKit::DrawnPixels(Page(), 1235, 200, 200); };
  const int twoUp = drawn();
  F().nNup = 2;
  const int fourUp = drawn();
  ASSERT_NE(twoUp, fourUp) << "the two kinds look different";
  LayoutPreviewOverrides* o = LayoutOverridesOf(&kit_.UiState());
  ASSERT_NE(o, nullptr);
  o->nupOn = 1;
  o->nupValue = 1;
  EXPECT_EQ(drawn(), twoUp) << "the kind being checked is not shown yet";
  *o = {};
  EXPECT_EQ(drawn(), fourUp);
}

TEST_F(LayoutSheet, ACombinationBeingCheckedKeepsItsOldValueInThePreview) {
  F().bLayout = 0;
  Open();
  g_combinationSlots.clear();
  g_refuse = {1296};
  kit_.Click(1296);
  g_refuse.clear();
  kit_.Click(1296);
  EXPECT_EQ(g_combinationSlots, (std::vector<std::pair<uint8_t, uint8_t>>{{1, 0}, {1, 0}}));
  EXPECT_EQ(F().bLayout, 1);
  EXPECT_EQ(LayoutOverridesOf(&kit_.UiState())->combinationOn, 0) << "the override ends with the pass";
}

// A refused N-up switch or duplex mode goes back in the settings and on the
// page; while the pass runs the preview keeps the old value.
TEST_F(LayoutSheet, RefusedNupSwitchAndDuplexGoBackAndThePreviewKeepsTheOldValue) {
  F().bNup = 0;
  F().nDuplex = 2;
  Open();
  g_nupSlots.clear();
  g_duplexSlots.clear();
  g_refuse = {1779, 1286};
  kit_.Click(1779);
  EXPECT_EQ(F().bNup, 0);
  EXPECT_EQ(IsDlgButtonChecked(Page(), 1779), static_cast<UINT>(BST_UNCHECKED));
  ChooseValue(1286, 1);
  EXPECT_EQ(F().nDuplex, 2);
  EXPECT_EQ(SelectedValue(1286), 2u);
  g_refuse.clear();
  ChooseValue(1286, 1);
  EXPECT_EQ(F().nDuplex, 1);
  EXPECT_EQ(g_nupSlots, (std::vector<std::pair<uint8_t, uint8_t>>{{1, 0}}));
  EXPECT_EQ(g_duplexSlots, (std::vector<std::pair<uint8_t, uint8_t>>{{1, 2}, {1, 2}}));
  const LayoutPreviewOverrides* o = LayoutOverridesOf(&kit_.UiState());
  EXPECT_EQ(o->nupFlagOn + o->doubleSidesOn, 0) << "the overrides end with the pass";
}

TEST_F(LayoutSheet, RefusedNupKindGoesBackWithItsPosterPages) {
  F().bNup = 1;
  F().nNup = 2;
  F().byPosterPages = 1;
  g_refuse = {1025};
  Open();
  ChooseValue(1025, 8);
  EXPECT_EQ(F().nNup, 2);
  EXPECT_EQ(F().byPosterPages, 1);
  EXPECT_EQ(SelectedValue(1025), 2u);
  EXPECT_EQ(ProcessSheetMemory().nupKindBeforePoster, -1);
}

// A refused N-up kind takes its style and poster pages back with it: every
// byte of the settings and the preview as before, and while the pass ran
// the preview drew the old kind and style.
TEST_F(LayoutSheet, ARefusedNupKindLeavesEverySettingAndThePreviewAsTheyWere) {
  F().bNup = 1;
  F().nNup = 2;
  F().byPosterPages = 1;
  Open();
  DocDMode before;
  std::memcpy(&before, &kit_.Settings(), sizeof before);
  const int picture = DialogKit::DrawnPixels(Page(), 1235, 200, 200);
  g_nupKindSlots.clear();
  g_refuse = {1025};
  ChooseValue(1025, 8);
  EXPECT_EQ(std::memcmp(&before, &kit_.Settings(), sizeof before), 0) << "every byte as it was";
  EXPECT_EQ(SelectedValue(1025), 2u);
  EXPECT_EQ(DialogKit::DrawnPixels(Page(), 1235, 200, 200), picture);
  EXPECT_EQ(g_nupKindSlots, (std::vector<std::vector<uint8_t>>{{1, 2, 1, Fields(before).nPageLayout}}));
  const LayoutPreviewOverrides* o = LayoutOverridesOf(&kit_.UiState());
  EXPECT_EQ(o->nupOn + o->styleOn, 0) << "the overrides end with the pass";
  // Let through, the kind and its poster pages are taken.
  g_refuse.clear();
  ChooseValue(1025, 8);
  EXPECT_EQ(F().nNup, 8);
  EXPECT_NE(F().byPosterPages, 1);
}

TEST_F(LayoutSheet, BookletRemembersTheDuplexBeforeIt) {
  F().nDuplex = 2;
  Open();
  ChooseValue(1286, 3);
  EXPECT_EQ(F().nDuplex, 3);
  EXPECT_EQ(ProcessSheetMemory().duplexBeforeBooklet, 2);
  ChooseValue(1286, 3);
  EXPECT_EQ(ProcessSheetMemory().duplexBeforeBooklet, 2) << "choosing it again stores nothing";
}

TEST_F(LayoutSheet, BookletArrangedByTheDriverIsSavedWithItsOrder) {
  struct Case {
    bool driver;
    uint8_t sides, nupPages, order, nupBorder;
  } cases[] = {{true, 3, 0, 2, 1}, {false, 3, 1, 1, 0}, {true, 2, 1, 1, 0}};
  for (const Case& c : cases) {
    model_->features[kMfBookletPrint] = c.driver ? 1 : 0;
    F().nDuplex = 1;
    F().nBookletOrder = 2;
    F().bBookletBorder = 1;
    Open();
    ChooseValue(1286, c.sides);
    ASSERT_TRUE(KillActive());
    EXPECT_EQ(F().nDuplex, c.sides);
    EXPECT_EQ(F().byNupPages, c.nupPages) << c.driver << int(c.sides);
    EXPECT_EQ(F().byBookletOrder, c.order) << c.driver << int(c.sides);
    EXPECT_EQ(F().bNupBorder, c.nupBorder) << c.driver << int(c.sides);
    kit_.Close();
    Open();
    EXPECT_EQ(SelectedValue(1286), c.sides) << "read back";
    kit_.Close();
  }
}

TEST_F(LayoutSheet, ABindingEdgeTheListLacksTakesTheFirstItem) {
  F().nBinding = 3;  // a four-edge value on a model of automatic edges
  Open();
  EXPECT_EQ(F().nBinding, 14);
  EXPECT_EQ(SelectedValue(1046), 14u);
}

TEST_F(LayoutSheet, HiddenListsWithoutRowsDoNotKeepThePage) {
  // The sample model lists no two-pages-per-sheet orders, and its list is
  // hidden: leaving the page must not wait for a choice nobody can make.
  F().bNup = 1;
  F().nNup = 2;
  F().nDuplex = 2;
  F().bLayout = 1;
  F().nLayoutMode = 3;
  Open();
  EXPECT_EQ(SendMessageW(kit_.Control(1031), CB_GETCOUNT, 0, 0), 0);
  EXPECT_TRUE(KillActive());
  EXPECT_EQ(F().nLayoutMode, 3) << "the setting stays as it was";
  EXPECT_NE(testsupport::FocusedControl(kit_.Control(1031)), kit_.Control(1031));
}

TEST_F(LayoutSheet, NupKindOfADisabledListDoesNotKeepThePage) {
  F().bNup = 0;
  F().nNup = 0;
  Open();
  EXPECT_EQ(SendMessageW(kit_.Control(1025), CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_TRUE(KillActive());
  Check(1779, true);
  EXPECT_FALSE(KillActive()) << "with N-up on the user must choose a kind";
  EXPECT_EQ(testsupport::FocusedControl(kit_.Control(1025)), kit_.Control(1025));
}

TEST_F(LayoutSheet, ChapterListMessages) {
  struct Case {
    const wchar_t* text;
    const wchar_t* message;  // null: accepted
  } cases[] = {
      {L"", L"Type the pages where a new chapter starts"},
      {L"5,3-6", L"These page ranges overlap: 5"},
      {L"2,10000", L"Page numbers can go up to 9999 only."},
      {L"1,,2", L"Type page numbers separated by commas"},
      {L"1-40", L"A chapter list can name at most 30 pages in all."},
      {L"3,1-2", nullptr},
  };
  F().bChapterMode = 1;
  Open();
  ShowChapter();
  for (const Case& c : cases) {
    const size_t before = kit_.Boxes().shown().size();
    SetDlgItemTextW(Page(), 1147, c.text);
    const bool left = KillActive();
    EXPECT_EQ(left, c.message == nullptr) << std::string(c.text, c.text + wcslen(c.text));
    if (c.message != nullptr) {
      ASSERT_EQ(kit_.Boxes().shown().size(), before + 1);
      EXPECT_NE(kit_.Boxes().shown().back().text.find(c.message), std::wstring::npos)
          << std::string(kit_.Boxes().shown().back().text.begin(), kit_.Boxes().shown().back().text.end());
      EXPECT_EQ(testsupport::FocusedControl(kit_.Control(1147)), kit_.Control(1147));
    }
  }
  EXPECT_STREQ(F().szChapterPage, "1-3") << "the normalised list is stored";
}

TEST_F(LayoutSheet, ChapterListOffIsCopiedUnchecked) {
  F().bChapterMode = 0;
  Open();
  ShowChapter();
  SetDlgItemTextW(Page(), 1147, L"1,,2");
  EXPECT_TRUE(KillActive());
  EXPECT_TRUE(kit_.Boxes().shown().empty());
  EXPECT_STREQ(F().szChapterPage, "1,,2");
}

TEST_F(LayoutSheet, ChapterTypingKeeps159Bytes) {
  Open();
  ShowChapter();
  SendDlgItemMessageW(Page(), 1147, EM_LIMITTEXT, 0, 0);
  SetDlgItemTextW(Page(), 1147, std::wstring(170, L'1').c_str());
  DialogKit::Pump();
  EXPECT_EQ(Text(1147).size(), kChapterTextBytes);
}

TEST_F(LayoutSheet, ChapterTextCutInCodePage932) {
  SetChapterCodePage(932);
  F().bChapterMode = 0;
  Open();
  ShowChapter();
  SendDlgItemMessageW(Page(), 1147, EM_LIMITTEXT, 0, 0);
  struct Case {
    size_t singles;
    size_t kept;          // bytes
    size_t shownUnits;    // characters left in the edit
  } cases[] = {{157, 159, 158}, {158, 158, 158}, {10, 13, 12}};
  for (const Case& c : cases) {
    std::wstring text(c.singles, L'7');
    text += L'\x3042';  // two bytes in code page 932
    text += L'8';
    SetDlgItemTextW(Page(), 1147, text.c_str());  // typing: the edit is cut at once
    DialogKit::Pump();
    EXPECT_EQ(Text(1147).size(), c.shownUnits) << c.singles;
    ASSERT_TRUE(KillActive());
    EXPECT_EQ(std::strlen(F().szChapterPage), c.kept) << c.singles;
  }
  SetChapterCodePage(0);
}

TEST_F(LayoutSheet, RefusedSwitchGoesBackAndAcceptedOneIsSaved) {
  F().bStopBlankPaper = 0;
  g_refuse = {1290};
  Open();
  Check(1290, true);
  EXPECT_EQ(F().bStopBlankPaper, 0);
  EXPECT_EQ(IsDlgButtonChecked(Page(), 1290), BST_UNCHECKED);
  g_refuse.clear();
  Check(1290, true);
  EXPECT_EQ(F().bStopBlankPaper, 1);
  ASSERT_TRUE(KillActive());
  EXPECT_EQ(F().bStopBlankPaper, 1);
}

TEST_F(LayoutSheet, DefaultTakesTheDefaultLayout) {
  F().bNup = 1;
  F().nNup = 8;
  F().bStopBlankPaper = 1;
  F().bChapterMode = 1;
  std::strcpy(F().szChapterPage, "4-5");
  Open();
  kit_.Click(1032);
  DocDMode defaults;
  ASSERT_TRUE(CopyDefaultOEMDevMode(kit_.Context(), &defaults));
  EXPECT_EQ(F().bNup, Fields(defaults).bNup);
  EXPECT_EQ(F().nNup, Fields(defaults).nNup);
  EXPECT_EQ(F().bStopBlankPaper, Fields(defaults).bStopBlankPaper);
  EXPECT_EQ(F().bChapterMode, Fields(defaults).bChapterMode);
  EXPECT_STREQ(F().szChapterPage, Fields(defaults).szChapterPage);
  EXPECT_EQ(IsDlgButtonChecked(Page(), 1779) == BST_CHECKED, Fields(defaults).bNup != 0) << "the page shows them";
  ASSERT_TRUE(KillActive());
  EXPECT_EQ(F().bStopBlankPaper, Fields(defaults).bStopBlankPaper);
}

TEST_F(LayoutSheet, StyleButtonOpensTheStyleDialog) {
  F().bNup = 1;
  F().nNup = 2;
  Open();
  kit_.Click(1124);
  ASSERT_EQ(g_runs.size(), 1u);
  EXPECT_EQ(g_runs[0].templateId, kStyleSettingTemplate);
  EXPECT_EQ(g_runs[0].proc, StyleSettingDlgProc);
}

}  // namespace
