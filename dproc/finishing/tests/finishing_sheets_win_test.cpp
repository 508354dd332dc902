// The Finish and Cover Page sheets and their dialogs under Wine and Xvfb, on
// the dialog kit's session: with the finishing fixture model (the sample
// model with its finishing and covers switched on) so that the controls are
// shown, and with the sample fax model, which offers none of them.  The
// constraint pass is scripted and message boxes are recorded.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "common/qxd/model_info.h"
#include "common/qxd/qxd_file.h"
#include "common/records/doc_fields.h"
#include "dproc/constraints/constraint_pass_win.h"
#include "dproc/dialogs/combo_list_tooltip_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "common/win/inter_sheet_store.h"
#include "common/win/printer_queries.h"
#include "dproc/finishing/finishing_sheets_win.h"
#include "dproc/sheets/per_page_ui_lists.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings.h"
#include "dproc/model/feature_table.h"
#include "dproc/model/message_text.h"
#include "dproc/model/option_text_sections.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/startup/edit_range_limits.h"
#include "dproc/startup/model_startup_defaults.h"
#include "tests/support/canvas_win.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/sheet_model_win.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_printer_win.h"

namespace {

using testsupport::DialogKit;

std::set<int> g_refuse;
int32_t ScriptedCheck(HWND, HWND, uint16_t id) { return g_refuse.count(id) != 0 ? 101 : 199; }

struct RunnerCall {
  uint16_t templateId;
};
std::vector<RunnerCall> g_runs;
intptr_t g_runResult = IDCANCEL;
intptr_t RecordRun(HWND, uint16_t templateId, DLGPROC, LPARAM) {
  g_runs.push_back({templateId});
  return g_runResult;
}

struct LoadedModel {
  ModelInfo* model = nullptr;
  MessageTables texts = {};
  void Load(const std::string& path) {
    testsupport::LoadSheetModel(path, &model, &texts, {.afterBuild = [](QxdContext*, ModelInfo* m) {
                                  FillFinishPositionDefaults(m);
                                  SelectCoverOptionTables(m);
                                },
                                .afterTexts = nullptr});
  }
};

class Finishing : public ::testing::Test {
 protected:
  virtual LoadedModel& Model() = 0;
  void SetUp() override {
    LoadedModel& m = Model();
    ASSERT_NE(m.model, nullptr);
    saved_ = *m.model;
    ProcessModelInfo() = m.model;
    DialogFrameworkModules().templates = kit_.Templates();
    DialogFrameworkModules().images = kit_.Images();
    DialogFrameworkModules().texts = &m.texts;
    UseGeneralMessageTable(&m.texts);
    SetSheetConstraintCheck(ScriptedCheck);
    SetSheetDialogRunner(RecordRun);
    g_refuse.clear();
    g_runs.clear();
    g_runResult = IDCANCEL;
    DocFields& f = F();
    f.nOrientation = 1;
    f.nDuplex = 1;
    f.nBinding = 15;
    f.nPageLoopNum = 1;
    f.nStapleMode = 3;
    f.nPunchNum = 4;
    f.nFoldingMode = 3;
    f.nOutBin = 1;
    f.nOutputMode = 1;
    f.nPBCoverMode = 1;
    f.nPBCoverTray = 1;
    f.nPBSpinWidth = 10;
    f.nPBSpinWidth_Inch = 39;
    f.nTABShift_MM = 100;
    f.nTABShift_Inch = 394;
  }
  void TearDown() override {
    kit_.Close();
    SetSheetConstraintCheck(nullptr);
    SetSheetDialogRunner(nullptr);
    ClearMarks();
    *Model().model = saved_;
    ProcessModelInfo() = nullptr;
    DialogFrameworkModules().texts = nullptr;
    UseGeneralMessageTable(nullptr);
  }
  void ClearMarks() {
    ModelInfo* m = Model().model;
    for (FinishPositionItem* r = m->staples; r != nullptr && r->keyword[0] != '\0'; ++r) r->flag = 0;
    for (FinishPositionItem* r = m->holePunches; r != nullptr && r->keyword[0] != '\0'; ++r) r->flag = 0;
  }

  DocFields& F() { return Fields(kit_.Settings()); }
  HWND Page() { return kit_.Dialog(); }
  void OpenSheet(int templateId, DLGPROC proc) {
    ASSERT_NE(kit_.OpenPages(kit_.Templates(), {templateId}, proc, L"Finishing"), nullptr);
    ASSERT_NE(Page(), nullptr);
  }
  HWND OpenDialog(int templateId, DLGPROC proc) {
    HWND d = kit_.OpenDialog(kit_.Templates(), templateId, proc);
    EXPECT_NE(d, nullptr);
    return d;
  }
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
  int IndexOf(int comboId, uint32_t value) {
    HWND combo = kit_.Control(comboId);
    const int n = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      if (reinterpret_cast<const OptionHead*>(SendMessageW(combo, CB_GETITEMDATA, i, 0))->value == value) return i;
    }
    return -1;
  }
  std::vector<uint32_t> Values(int comboId) {
    std::vector<uint32_t> out;
    HWND combo = kit_.Control(comboId);
    const int n = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      out.push_back(reinterpret_cast<const OptionHead*>(SendMessageW(combo, CB_GETITEMDATA, i, 0))->value);
    }
    return out;
  }
  uint32_t SelectedValue(int comboId) {
    HWND combo = kit_.Control(comboId);
    const LRESULT at = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (at < 0) return 0xFFFFFFFF;
    return reinterpret_cast<const OptionHead*>(SendMessageW(combo, CB_GETITEMDATA, at, 0))->value;
  }
  void ChooseValue(int comboId, uint32_t value) {
    const int at = IndexOf(comboId, value);
    ASSERT_GE(at, 0) << value;
    kit_.Select(comboId, at);
  }
  void Check(int id, bool on) {
    CheckDlgButton(Page(), id, on ? BST_CHECKED : BST_UNCHECKED);
    SendMessageW(Page(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(kit_.Control(id)));
    DialogKit::Pump();
  }
  void Press(int id) {
    SendMessageW(Page(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(kit_.Control(id)));
    DialogKit::Pump();
  }
  void SetText(int id, const wchar_t* text) {
    SetDlgItemTextW(Page(), id, text);
    DialogKit::Pump();
  }
  std::wstring Text(int id) {
    wchar_t t[300] = {};
    GetDlgItemTextW(Page(), id, t, 300);
    return t;
  }
  // The pixels item `index` of an owner-drawn combo box leaves not white.
  int DrawnRow(int comboId, int index) {
    testsupport::Canvas canvas(160, 16, 0xFFFFFF);
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_COMBOBOX;
    item.CtlID = static_cast<UINT>(comboId);
    item.itemID = static_cast<UINT>(index);
    item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = kit_.Control(comboId);
    item.hDC = canvas.dc();
    item.rcItem = {0, 0, 160, 16};
    item.itemData = static_cast<ULONG_PTR>(SendMessageW(kit_.Control(comboId), CB_GETITEMDATA, index, 0));
    SendMessageW(Page(), WM_DRAWITEM, static_cast<WPARAM>(comboId), reinterpret_cast<LPARAM>(&item));
    int drawn = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 160; ++x) drawn += canvas.At(x, y) != 0xFFFFFF;
    }
    return drawn;
  }
  bool Visible(int id) { return IsWindowVisible(kit_.Control(id)) != FALSE; }
  bool Enabled(int id) { return IsWindowEnabled(kit_.Control(id)) != FALSE; }
  std::set<std::string> MarkedStaples() {
    std::set<std::string> out;
    for (const FinishPositionItem* r = Model().model->staples; r != nullptr && r->keyword[0] != '\0'; ++r) {
      if (r->flag != 0) out.insert(r->keyword);
    }
    return out;
  }

  ModelInfo saved_;
  DialogKit kit_;
};

LoadedModel g_fixture, g_sample;

class FinishingModel : public Finishing {
 protected:
  static void SetUpTestSuite() {
    if (g_fixture.model == nullptr) g_fixture.Load("fixtures/finishing/VELDRANH.QXD");
  }
  LoadedModel& Model() override { return g_fixture; }
};
class SampleModel : public Finishing {
 protected:
  static void SetUpTestSuite() {
    if (g_sample.model == nullptr) g_sample.Load("model/VELDRANH.QXD");
  }
  LoadedModel& Model() override { return g_sample; }
};

// --- Finish sheet.

TEST_F(FinishingModel, FinishSheetShowsTheModelsFinishingWithItsTexts) {
  OpenSheet(kFinishSheetTemplate, FinishSheetProc);
  for (int id : {1026, 1047, 1029, 1050, 1037, 1053, 1780, 1781, 1044, 1182, 1184, 1179, 1144, 2118, 1183, 1055,
                 2304, 2305, 2306, 2307}) {
    EXPECT_TRUE(Visible(id)) << id;
  }
  EXPECT_EQ(Text(1026), L"&Staple");
  EXPECT_EQ(Values(1047), (std::vector<uint32_t>{3, 4, 5, 6, 7}));
  EXPECT_EQ(Values(1144), (std::vector<uint32_t>{1, 2}));
  EXPECT_EQ(SelectedValue(1053), 3u);
  EXPECT_FALSE(Enabled(1047)) << "stapling is off";
  EXPECT_FALSE(Enabled(2305)) << "perfect binding is off";
  // A position the binding edge rules out is drawn with its icon.
  const int plain = DrawnRow(1047, 0);
  EXPECT_GT(plain, 0);
  Model().model->staples[0].flag = 1;
  EXPECT_GT(DrawnRow(1047, 0), plain);
  kit_.Screenshot("finish_sheet");
}

TEST_F(FinishingModel, TheOpenFoldListShowsTheWholeTextOfItsItemBesideIt) {
  F().bFolding = 1;
  F().nFoldingMode = 4;
  OpenSheet(kFinishSheetTemplate, FinishSheetProc);
  ComboTipUiState* state = ComboTipStateOf(kit_.Context());
  ASSERT_NE(state, nullptr);
  EXPECT_EQ(state->comboId, 1053u);
  EXPECT_EQ(state->tooltip, nullptr) << "made when the list first opens";
  HWND fold = kit_.Control(1053);
  SendMessageW(fold, CB_SHOWDROPDOWN, TRUE, 0);
  DialogKit::Pump();
  COMBOBOXINFO info = {};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(fold, &info));
  // The open list paints; the tooltip follows the selected item.
  RedrawWindow(info.hwndList, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  DialogKit::Pump();
  ASSERT_NE(state->tooltip, nullptr);
  wchar_t text[256] = {};
  TOOLINFOW tool = {};
  tool.cbSize = sizeof tool;
  tool.hwnd = fold;
  tool.lpszText = text;
  SendMessageW(state->tooltip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, L"Letter fold");
  // Closing the list takes the tooltip away; the sheet's end puts the list's
  // own procedure back.
  SendMessageW(fold, CB_SHOWDROPDOWN, FALSE, 0);
  DialogKit::Pump();
  EXPECT_EQ(state->tooltip, nullptr);
  kit_.Close();
  EXPECT_EQ(state->previous, nullptr);
  EXPECT_EQ(state->comboId, 0u);
}

TEST_F(FinishingModel, ActivationMarksThePositionsTheBindingEdgeRulesOut) {
  F().nBinding = 16;  // right
  OpenSheet(kFinishSheetTemplate, FinishSheetProc);
  SetActive();
  EXPECT_EQ(MarkedStaples(), (std::set<std::string>{"OneStapleLeftTop", "TwoStaplesLeft", "TwoStaplesTop"}));
  // Another edge chosen elsewhere: coming back clears the old marks first.
  F().nBinding = 15;
  SetActive();
  EXPECT_EQ(MarkedStaples(), (std::set<std::string>{"OneStapleRightTop", "TwoStaplesRight", "TwoStaplesTop"}));
}

TEST_F(FinishingModel, ActivationMovesAStaplePositionTheEdgeRulesOut) {
  F().nBinding = 16;   // right
  F().nStapleMode = 3;  // one staple top left
  F().nPunchNum = 4;    // two holes left
  OpenSheet(kFinishSheetTemplate, FinishSheetProc);
  EXPECT_EQ(F().nStapleMode, 4) << "the top right corner instead";
  EXPECT_EQ(SelectedValue(1047), 4u);
  EXPECT_EQ(F().nPunchNum, 5) << "two holes right instead";
}

TEST_F(FinishingModel, ChecksAndListsReachTheSettingsAndARefusalGoesBack) {
  OpenSheet(kFinishSheetTemplate, FinishSheetProc);
  Check(1026, true);
  EXPECT_EQ(F().bStaple, 1);
  EXPECT_TRUE(Enabled(1047));
  ChooseValue(1047, 5);
  EXPECT_EQ(F().nStapleMode, 5);
  ChooseValue(1179, 2);
  EXPECT_EQ(F().nOutBin, 2);
  g_refuse = {1050};
  Check(1029, true);
  ChooseValue(1050, 7);
  EXPECT_EQ(F().nPunchNum, 4) << "refused";
  EXPECT_EQ(SelectedValue(1050), 4u);
}

TEST_F(FinishingModel, PageCountIsCheckedOnlyWhenThePageIsLeft) {
  F().bPageLoop = 1;
  OpenSheet(kFinishSheetTemplate, FinishSheetProc);
  SetText(1184, L"12");
  EXPECT_EQ(F().nPageLoopNum, 12) << "stored while typing";
  SetText(1184, L"0");
  EXPECT_EQ(F().nPageLoopNum, 0);
  EXPECT_FALSE(KillActive());
  ASSERT_EQ(kit_.Boxes().shown().size(), 1u);
  EXPECT_NE(kit_.Boxes().shown()[0].text.find(L"from 1 to 999"), std::wstring::npos) << kit_.Boxes().shown()[0].text;
  EXPECT_EQ(testsupport::FocusedControl(kit_.Control(1184)), kit_.Control(1184));
  SetText(1184, L"999");
  EXPECT_TRUE(KillActive());
  EXPECT_EQ(F().nPageLoopNum, 999);
}

TEST_F(FinishingModel, ClearingDivisionWithACountOutOfRangeRestoresTheDefaultCount) {
  F().bPageLoop = 1;
  OpenSheet(kFinishSheetTemplate, FinishSheetProc);
  SetText(1184, L"5000");
  Check(1182, false);
  EXPECT_EQ(F().bPageLoop, 0);
  EXPECT_EQ(F().nPageLoopNum, 1);
  EXPECT_EQ(Text(1184), L"1");
  EXPECT_TRUE(KillActive());
}

TEST_F(FinishingModel, AShownListWithoutSelectionKeepsThePage) {
  F().nOutputMode = 9;  // no order of the model
  OpenSheet(kFinishSheetTemplate, FinishSheetProc);
  EXPECT_EQ(SelectedValue(1144), 0xFFFFFFFFu);
  EXPECT_FALSE(KillActive());
  EXPECT_EQ(testsupport::FocusedControl(kit_.Control(1144)), kit_.Control(1144));
  EXPECT_TRUE(kit_.Boxes().shown().empty());
  ChooseValue(1144, 2);
  EXPECT_TRUE(KillActive());
}

TEST_F(FinishingModel, PerfectBindingEnablesItsButtonAndTheDialogsOpenFromTheSheet) {
  OpenSheet(kFinishSheetTemplate, FinishSheetProc);
  Check(2304, true);
  EXPECT_EQ(F().bPerfectBinding, 1);
  EXPECT_TRUE(Enabled(2305));
  Check(2306, true);
  EXPECT_EQ(F().bTABImageShift, 1);
  Press(2305);
  Press(2307);
  ASSERT_EQ(g_runs.size(), 2u);
  EXPECT_EQ(g_runs[0].templateId, kPerfectBindingTemplate);
  EXPECT_EQ(g_runs[1].templateId, kTabImageShiftTemplate);
}

TEST_F(FinishingModel, DefaultRestoresTheFinishingButNotTheBindingDetails) {
  F().bStaple = 1;
  F().bTrim = 1;
  F().nPBCoverMode = 3;
  OpenSheet(kFinishSheetTemplate, FinishSheetProc);
  Press(1032);
  EXPECT_EQ(F().bStaple, 0);
  EXPECT_EQ(F().bTrim, 0);
  EXPECT_EQ(IsDlgButtonChecked(Page(), 1026), BST_UNCHECKED);
  EXPECT_EQ(F().nPBCoverMode, 3);
}

TEST_F(SampleModel, FinishSheetHidesWhatAFaxModelLacksAndMayBeLeft) {
  F().bPerfectBinding = 1;  // set by an import
  OpenSheet(kFinishSheetTemplate, FinishSheetProc);
  for (int id : {1026, 1047, 1029, 1050, 1037, 1053, 1182, 1184, 1179, 1144, 2118, 2304, 2305}) {
    EXPECT_FALSE(Visible(id)) << id;
  }
  EXPECT_TRUE(KillActive()) << "hidden lists never keep the page";
  EXPECT_EQ(F().bPerfectBinding, 1) << "a flag without its check box stays as it was";
}

// --- Cover Page sheet.

TEST_F(FinishingModel, CoverPageOffersTheBlankCoverOnlyInTheCoreSheets) {
  OpenSheet(kCoverPageSheetTemplate, CoverPageSheetProc);
  EXPECT_EQ(Values(1305), (std::vector<uint32_t>{1}));
  EXPECT_EQ(Values(1314), (std::vector<uint32_t>{1}));
  EXPECT_EQ(Text(1148), L"&Front cover");
  for (int id : {1214, 1320, 1322, 1159, 1222, 1216, 1325}) EXPECT_TRUE(Visible(id)) << id;
  EXPECT_FALSE(Enabled(1215)) << "the per-page settings are off";
  kit_.Screenshot("cover_page_sheet");
}

TEST_F(FinishingModel, CoversChosenReachTheSettings) {
  OpenSheet(kCoverPageSheetTemplate, CoverPageSheetProc);
  Check(1148, true);
  EXPECT_TRUE(Enabled(1305));
  ChooseValue(1305, 1);
  ASSERT_GE(IndexOf(1311, 257), 0) << "tray 1";
  ChooseValue(1311, 257);
  Check(1150, true);
  ChooseValue(1316, 4);
  EXPECT_EQ(F().bFrontCover, 1);
  EXPECT_EQ(F().nFrontCoverMode, 1);
  EXPECT_EQ(F().nFrontCoverTray, 257);
  EXPECT_EQ(F().bBackCover, 1);
  EXPECT_EQ(F().nBackCoverTray, 4);
}

TEST_F(FinishingModel, ABookletTakesBothCoversFromTheFrontCoversTray) {
  F().nDuplex = 3;
  F().bFrontCover = 1;
  F().bBackCover = 1;
  F().nBackCoverTray = 257;
  OpenSheet(kCoverPageSheetTemplate, CoverPageSheetProc);
  ChooseValue(1311, 4);
  EXPECT_EQ(F().nBackCoverTray, 4);
  EXPECT_EQ(SelectedValue(1316), 4u);
}

TEST_F(FinishingModel, UncollatedCopiesSwitchInterleavingOff) {
  F().nCopies = 3;
  F().bCollate = 0;
  F().bOHP = 1;
  OpenSheet(kCoverPageSheetTemplate, CoverPageSheetProc);
  EXPECT_EQ(F().bOHP, 0);
  EXPECT_FALSE(Enabled(1320));
}

TEST_F(FinishingModel, InterleavingWaitsForTheConstraintPassWhereTheDriverInterleaves) {
  Model().model->features[kMfOhpPrint] = 1;
  LatestConstraintPassResults().ohpInterleaveFree = false;
  OpenSheet(kCoverPageSheetTemplate, CoverPageSheetProc);
  EXPECT_FALSE(Enabled(1214)) << "the pass ruled it out";
  LatestConstraintPassResults().ohpInterleaveFree = true;
  SetActive();
  EXPECT_TRUE(Enabled(1214));
  // Where the device interleaves, the pass's word does not count.
  Model().model->features[kMfOhpPrint] = 0;
  LatestConstraintPassResults().ohpInterleaveFree = false;
  SetActive();
  EXPECT_TRUE(Enabled(1214));
  LatestConstraintPassResults().ohpInterleaveFree = true;
}

TEST_F(FinishingModel, PerPageSettingsRestWhileTheDeviceSettingsSpoolThroughMetafiles) {
  Model().model->features[kMfEmfSpool] = 1;
  F().CoverMFP_bUsePerPageSet = 1;
  DevOption* device = GetCtxPrinterInfo(kit_.Context());
  ASSERT_NE(device, nullptr);
  device->emfSpool = 1;
  OpenSheet(kCoverPageSheetTemplate, CoverPageSheetProc);
  EXPECT_FALSE(Enabled(1159));
  device->emfSpool = 0;
  SetActive();
  EXPECT_TRUE(Enabled(1159));
  EXPECT_TRUE(Enabled(1222));
}

TEST_F(FinishingModel, PerPageListsShowTheirNames) {
  F().CoverMFP_bUsePerPageSet = 1;
  F().CoverMFP_nPerPageList = 2;
  OpenSheet(kCoverPageSheetTemplate, CoverPageSheetProc);
  EXPECT_EQ(Values(1222).size(), 10u);
  EXPECT_EQ(SelectedValue(1222), 2u);
  ChooseValue(1222, 7);
  EXPECT_EQ(F().CoverMFP_nPerPageList, 7);
}

TEST_F(FinishingModel, PerPageEditButtonOpensTheListsEditor) {
  F().CoverMFP_bUsePerPageSet = 1;
  F().CoverMFP_nPerPageList = 2;
  OpenSheet(kCoverPageSheetTemplate, CoverPageSheetProc);
  EXPECT_TRUE(Enabled(1215));
  Press(1215);
  ASSERT_EQ(g_runs.size(), 1u);
  EXPECT_EQ(g_runs[0].templateId, 137);
  Check(1159, false);
  EXPECT_FALSE(Enabled(1215));
}

// The sheet reads the lists the session lacks from the user's store of the
// printer, writes them back when applied and frees what it read.
TEST_F(FinishingModel, PerPageListsComeFromTheUsersStoreAndGoBackOnApply) {
  testsupport::TestPrinter printer(L"Per Page Lists");
  ASSERT_TRUE(printer.ok()) << printer.error();
  HANDLE kept = kit_.Session().printer;
  kit_.Session().printer = printer.handle();
  wchar_t driver[260];
  ASSERT_TRUE(QueryDriverName(printer.handle(), driver, nullptr));
  const std::wstring root = std::wstring(L"Software\\HALDOVAR\\") + driver + L"\\" + printer.name();
  InterSheetEntry entry = {};
  std::memcpy(entry.pages, u"4-6", 6);
  entry.printType = 2;
  InterSheetList stored = {};
  std::memcpy(stored.name, u"Stored", 12);
  stored.count = 1;
  stored.entries = &entry;
  stored.tab = {9, 2230, 2970, 2100, 5, 34, 34, 10, 0};
  ASSERT_TRUE(SaveInterSheetList(printer.name().c_str(), driver, 3, &stored));
  F().CoverMFP_bUsePerPageSet = 1;
  F().CoverMFP_nPerPageList = 3;
  OpenSheet(kCoverPageSheetTemplate, CoverPageSheetProc);
  PerPageUiLists* lists = PerPageListsOf(&kit_.UiState());
  ASSERT_NE(lists->lists[2], nullptr);
  EXPECT_EQ(lists->lists[2]->count, 1u);
  ASSERT_NE(lists->lists[0], nullptr);
  EXPECT_EQ(std::u16string(lists->lists[0]->name), u"List 1") << "never stored: its default name";
  HWND combo = kit_.Control(1222);
  const auto* chosen = reinterpret_cast<const OptionItem*>(
      SendMessageW(combo, CB_GETITEMDATA, SendMessageW(combo, CB_GETCURSEL, 0, 0), 0));
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(std::u16string(chosen->text), u"Stored");
  lists->lists[2]->tab.tabCount = 7;
  PSHNOTIFY apply = {{GetParent(Page()), 0, static_cast<UINT>(PSN_APPLY)}, 0};
  SendMessageW(Page(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&apply));
  InterSheetList* back = LoadInterSheetList(printer.name().c_str(), driver, 3);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->tab.tabCount, 7);
  EXPECT_EQ(back->count, 1u);
  FreeInterSheetList(back);
  kit_.Close();
  EXPECT_EQ(lists->lists[2], nullptr) << "freed with the sheet";
  kit_.Session().printer = kept;
  RegDeleteTreeW(HKEY_CURRENT_USER, root.c_str());
}

TEST_F(SampleModel, CoverPageHidesInterleavingPerPageAndInserterCovers) {
  OpenSheet(kCoverPageSheetTemplate, CoverPageSheetProc);
  for (int id : {1214, 1320, 1322, 1159, 1222, 1215, 1216, 1325, 1157, 1328}) EXPECT_FALSE(Visible(id)) << id;
  EXPECT_TRUE(Visible(1148));
  EXPECT_TRUE(KillActive());
}

TEST(EmptySheet, AnswersNothing) {
  EXPECT_EQ(EmptySheetProc(nullptr, WM_INITDIALOG, 0, 0), 0);
  EXPECT_EQ(EmptySheetProc(nullptr, WM_COMMAND, 1, 0), 0);
}

// --- Perfect binding and tab image shift.

TEST_F(FinishingModel, SpineWidthInInchesFollowsTheConversionTable) {
  F().nPBCoverMode = 3;
  F().nPBSpinWidth = 300;
  F().nPBSpinWidth_Inch = 1181;
  OpenDialog(kPerfectBindingTemplate, PerfectBindingDlgProc);
  EXPECT_EQ(Text(2319), L"30.0");
  EXPECT_EQ(Text(2321), L"mm[1.0...30.0]");
  kit_.Click(1241);
  EXPECT_EQ(F().byPBUnit, 1);
  EXPECT_EQ(Text(2319), L"1.181");
  EXPECT_EQ(Text(2321), L"inch[0.040...1.181]");
  EXPECT_EQ(F().nPBSpinWidth, 300);
  EXPECT_EQ(F().nPBSpinWidth_Inch, 1181);
}

TEST_F(FinishingModel, SpineWidthOutOfRangeKeepsTheDialogOpen) {
  F().nPBCoverMode = 4;
  OpenDialog(kPerfectBindingTemplate, PerfectBindingDlgProc);
  SetText(2319, L"0.5");
  Press(IDOK);
  EXPECT_TRUE(IsWindowVisible(Page()));
  ASSERT_EQ(kit_.Boxes().shown().size(), 1u);
  EXPECT_NE(kit_.Boxes().shown()[0].text.find(L"from 1 to 30 mm"), std::wstring::npos) << kit_.Boxes().shown()[0].text;
  EXPECT_EQ(testsupport::FocusedControl(kit_.Control(2319)), kit_.Control(2319));
}

TEST_F(FinishingModel, SpineWidthIsOnlyForCoversPrintedAroundTheSpine) {
  struct Case {
    uint32_t mode;
    bool spine;
  } cases[] = {{1, false}, {2, false}, {3, true}, {4, true}};
  OpenDialog(kPerfectBindingTemplate, PerfectBindingDlgProc);
  for (const Case& c : cases) {
    ChooseValue(2311, c.mode);
    EXPECT_EQ(F().nPBCoverMode, c.mode);
    for (int id : {2319, 2320, 1240, 1241}) EXPECT_EQ(Enabled(id), c.spine) << c.mode << " " << id;
  }
}

TEST_F(FinishingModel, CancelRestoresTheCoverDetails) {
  F().nPBCoverMode = 3;
  OpenDialog(kPerfectBindingTemplate, PerfectBindingDlgProc);
  ChooseValue(2313, 14);
  kit_.Click(2314);
  SetText(2319, L"12.5");
  EXPECT_EQ(F().nPBCoverTray, 14);
  EXPECT_EQ(F().bPBCoverDuplex, 1);
  EXPECT_EQ(F().nPBSpinWidth, 125);
  Press(IDCANCEL);
  EXPECT_EQ(F().nPBCoverTray, 1);
  EXPECT_EQ(F().bPBCoverDuplex, 0);
  EXPECT_EQ(F().nPBSpinWidth, 10);
}

TEST_F(FinishingModel, TabShiftTakesDigitsAndStoresBothUnits) {
  OpenDialog(kTabImageShiftTemplate, TabImageShiftDlgProc);
  EXPECT_EQ(Text(2327), L"mm[10.0...15.0]");
  SetText(2325, L"12a");
  EXPECT_EQ(Text(2325), L"12");
  EXPECT_EQ(F().nTABShift_MM, 120);
  EXPECT_EQ(F().nTABShift_Inch, 472);
  kit_.Click(1241);
  EXPECT_EQ(Text(2327), L"inch[0.394...0.590]");
  EXPECT_EQ(Text(2325), L"0.472");
  Press(IDOK);
  EXPECT_FALSE(IsWindowVisible(Page()));
}

// --- Staple setting.

TEST_F(FinishingModel, StapleDialogShowsThePositionTheEdgeAllows) {
  F().nBinding = 16;
  F().nStapleMode = 5;  // two staples left
  OpenDialog(kStapleSettingTemplate, StapleSettingDlgProc);
  EXPECT_EQ(F().nStapleMode, 6) << "two staples right instead";
  EXPECT_EQ(SelectedValue(1047), 6u);
  ChooseValue(1047, 7);
  EXPECT_EQ(F().nStapleMode, 7);
  Press(IDCANCEL);
  EXPECT_NE(F().nStapleMode, 7);
}

}  // namespace
