// The date/time/page stamp and numbering dialogs under Wine and Xvfb, from
// the build tree's templates on the dialog kit's sheet context with the
// sample model's description and a scripted constraint pass: what OK
// stores, what Cancel puts back, what a refusal undoes, and the sheet's
// buttons that open them.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "common/qxd/model_info.h"
#include "common/qxd/qxd_file.h"
#include "common/records/doc_fields.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings.h"
#include "dproc/model/option_text_sections.h"
#include "dproc/watermark/date_time_format_dialog_win.h"
#include "dproc/watermark/stamp_dialogs_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/startup/edit_range_limits.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/sheet_model_win.h"
#include "tests/support/test_paths.h"

namespace {

using testsupport::DialogKit;

std::set<int> g_refuse;
int32_t ScriptedCheck(HWND, HWND, uint16_t id) { return g_refuse.count(id) != 0 ? 101 : 199; }

class StampDialogs : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    testsupport::LoadSheetModel("model/VELDRANH.QXD", &model_, &texts_);
  }
  void SetUp() override {
    saved_ = *model_;
    ProcessModelInfo() = model_;
    DialogFrameworkModules().templates = kit_.Templates();
    DialogFrameworkModules().images = kit_.Images();
    DialogFrameworkModules().texts = &texts_;
    SetSheetConstraintCheck(ScriptedCheck);
    g_refuse.clear();
    // The settings as a new printer has them.
    ASSERT_TRUE(CopyDefaultOEMDevMode(kit_.Context(), &defaults_));
    kit_.Settings() = defaults_;
  }
  void TearDown() override {
    kit_.Close();
    SetSheetConstraintCheck(nullptr);
    SetSheetDialogRunner(nullptr);
    *model_ = saved_;
    ProcessModelInfo() = nullptr;
    DialogFrameworkModules().texts = nullptr;
  }

  void Open(int templateId, DLGPROC proc) { ASSERT_NE(kit_.OpenDialog(kit_.Templates(), templateId, proc), nullptr); }
  DocFields& F() { return Fields(kit_.Settings()); }
  HWND D() { return kit_.Dialog(); }
  bool Ended() { return !IsWindowVisible(D()); }
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
  std::wstring Text(int id) {
    wchar_t t[200] = {};
    GetDlgItemTextW(D(), id, t, 200);
    return t;
  }
  void SetText(int id, const wchar_t* text) {
    SetDlgItemTextW(D(), id, text);
    DialogKit::Pump();
  }
  int Count(int id) { return static_cast<int>(SendMessageW(kit_.Control(id), CB_GETCOUNT, 0, 0)); }
  int Selection(int id) { return static_cast<int>(SendMessageW(kit_.Control(id), CB_GETCURSEL, 0, 0)); }
  std::wstring ItemText(int id, int index) {
    wchar_t t[100] = {};
    SendMessageW(kit_.Control(id), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(t));
    return t;
  }
  // Chooses an item without telling the dialog (a list taken at OK).
  void Pick(int id, int index) { SendMessageW(kit_.Control(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

  static ModelInfo* model_;
  static MessageTables texts_;
  ModelInfo saved_{};
  DocDMode defaults_{};
  DialogKit kit_;
};
ModelInfo* StampDialogs::model_ = nullptr;
MessageTables StampDialogs::texts_{};

// ------------------------------------------------------ date / time / page

TEST_F(StampDialogs, TheFullTemplateShowsTheSettingsAndTheFormatSample) {
  F().DateTimePageNo_bDateTime = 1;
  F().DateTimePageNo_nDT_PagetoPrint = 2;
  F().DateTimePageNo_nDT_Position = 9;
  F().DateTimePageNo_bPageNo = 0;
  F().DateTimePageNo_nPN_StartPage = 3;
  F().DateTimePageNo_nPN_StartNum = 12345;
  F().DateTimePageNo_nPN_PrintNumPos = 5;
  F().DPE_DateTime_wDateFormat = 3;
  F().DPE_DateTime_bTimeFormat = 1;
  F().DPE_DateTime_wTimeFormat = 2;
  Open(kDateTimePageFullTemplate, DateTimePageEditDlgProc);
  EXPECT_EQ(Text(2059), L"31 Dec 2026 15:45");
  EXPECT_EQ(ItemText(2238, Selection(2238)), L"First page only");
  EXPECT_EQ(Count(2066), 9);
  EXPECT_EQ(ItemText(2066, Selection(2066)), L"Bottom right");
  EXPECT_EQ(ItemText(2082, Selection(2082)), L"Centre");
  EXPECT_EQ(Text(2240), L"3");
  EXPECT_EQ(Text(2241), L"12345");
  EXPECT_EQ(IsDlgButtonChecked(D(), 2237), BST_CHECKED);
  for (int id : {2063, 2064, 2079, 2080}) EXPECT_FALSE(Visible(id)) << "the device's own colours: " << id;
  for (int id : {2059, 2238, 2066}) EXPECT_TRUE(Enabled(id)) << id;
  for (int id : {2240, 2241, 2077, 1051, 2082, 1604}) EXPECT_FALSE(Enabled(id)) << "page numbers off: " << id;
  kit_.Screenshot("date_time_page_full");

  // Without the time the sample is the date alone.
  F().DPE_DateTime_bTimeFormat = 0;
  Check(2239, true);
  EXPECT_EQ(Text(2059), L"31 Dec 2026");
  for (int id : {2240, 2241, 2077, 2082, 1604}) EXPECT_TRUE(Enabled(id)) << id;
}

TEST_F(StampDialogs, OkStoresWhatTheFullTemplateShows) {
  F().DateTimePageNo_nDT_Position = 1;
  F().DateTimePageNo_nPN_PrintCover = 1;
  F().DateTimePageNo_bPN_PrintCoverCK = 1;
  F().DateTimePageNo_nPN_PrintNumPos = 1;
  F().DateTimePageNo_nPN_StartPage = 1;
  F().DateTimePageNo_nPN_StartNum = 1;
  // A colour the lists lack: the hidden colour lists never hold up OK.
  F().DateTimePageNo_nDT_Color = 42;
  F().DateTimePageNo_nPN_PrintNumColor = 0;
  Open(kDateTimePageFullTemplate, DateTimePageEditDlgProc);
  Check(2237, true);
  EXPECT_EQ(F().DateTimePageNo_bDateTime, 1);
  Check(2239, true);
  EXPECT_EQ(F().DateTimePageNo_bPageNo, 1);
  SetText(2240, L"7");
  EXPECT_EQ(F().DateTimePageNo_nPN_StartPage, 7u);
  SetText(2241, L"99999");
  EXPECT_EQ(F().DateTimePageNo_nPN_StartNum, 99999u);
  // The lists without handlers change nothing until OK.
  Pick(2238, 1);
  Pick(2066, 4);
  Pick(1051, 1);
  Pick(2082, 8);
  EXPECT_EQ(F().DateTimePageNo_nDT_Position, 1);
  Check(2077, false);
  EXPECT_FALSE(Enabled(1051)) << "the cover list follows its switch";
  Press(IDOK);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(F().DateTimePageNo_nDT_PagetoPrint, 2);
  EXPECT_EQ(F().DateTimePageNo_nDT_Position, 5);
  EXPECT_EQ(F().DateTimePageNo_bPN_PrintCoverCK, 0);
  EXPECT_EQ(F().DateTimePageNo_nPN_PrintCover, 2) << "stored also while its switch is off";
  EXPECT_EQ(F().DateTimePageNo_nPN_PrintNumPos, 9);
  EXPECT_EQ(F().DateTimePageNo_nDT_Color, 42) << "a hidden list keeps its field";
  EXPECT_EQ(F().DateTimePageNo_nPN_PrintNumColor, 0);
}

TEST_F(StampDialogs, NumbersOutsideTheirRangeWaitAtOkWithTheDigitsKept) {
  F().DateTimePageNo_bPageNo = 1;
  F().DateTimePageNo_nPN_StartPage = 4;
  F().DateTimePageNo_nPN_StartNum = 1;
  F().DateTimePageNo_nPN_PrintCover = 1;
  Open(kDateTimePageShortTemplate, DateTimePageEditDlgProc);
  for (const wchar_t* bad : {L"0", L"100000", L""}) {
    SetText(2240, bad);
    EXPECT_EQ(F().DateTimePageNo_nPN_StartPage, 4u) << bad;
  }
  SetText(2240, L"12x4");
  EXPECT_EQ(Text(2240), L"12") << "the text is cut at its first letter";
  EXPECT_EQ(F().DateTimePageNo_nPN_StartPage, 12u);
  SetText(2241, L"0");
  Press(IDOK);
  EXPECT_FALSE(Ended()) << "OK waits for a number it can take";
  EXPECT_EQ(testsupport::FocusedControl(kit_.Control(2241)), kit_.Control(2241));
  SetText(2241, L"8");
  Press(IDOK);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(F().DateTimePageNo_nPN_StartNum, 8u);
}

TEST_F(StampDialogs, TheShortTemplateLeavesColoursAndPositionsAlone) {
  F().DateTimePageNo_nDT_Color = 3;
  F().DateTimePageNo_nDT_Position = 7;
  F().DateTimePageNo_nPN_PrintNumColor = 4;
  F().DateTimePageNo_nPN_PrintNumPos = 2;
  F().DateTimePageNo_nPN_PrintCover = 2;
  Open(kDateTimePageShortTemplate, DateTimePageEditDlgProc);
  kit_.Screenshot("date_time_page_short");
  Check(2237, true);
  Pick(2238, 1);
  Press(IDOK);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(F().DateTimePageNo_bDateTime, 1);
  EXPECT_EQ(F().DateTimePageNo_nDT_PagetoPrint, 2);
  EXPECT_EQ(F().DateTimePageNo_nDT_Color, 3);
  EXPECT_EQ(F().DateTimePageNo_nDT_Position, 7);
  EXPECT_EQ(F().DateTimePageNo_nPN_PrintNumColor, 4);
  EXPECT_EQ(F().DateTimePageNo_nPN_PrintNumPos, 2);
  EXPECT_EQ(F().DateTimePageNo_nPN_PrintCover, 2);
}

TEST_F(StampDialogs, ARefusedSwitchIsPutBack) {
  F().DateTimePageNo_bDateTime = 0;
  Open(kDateTimePageFullTemplate, DateTimePageEditDlgProc);
  g_refuse = {2237};
  Check(2237, true);
  EXPECT_EQ(F().DateTimePageNo_bDateTime, 0);
  EXPECT_EQ(IsDlgButtonChecked(D(), 2237), BST_UNCHECKED);
  EXPECT_FALSE(Enabled(2238));
}

TEST_F(StampDialogs, DefaultTakesTheStampsDefaultsOnlyAndCancelPutsEverythingBack) {
  F().DateTimePageNo_bDateTime = 1;
  F().DateTimePageNo_nPN_StartPage = 50;
  F().DPE_DateTime_wDateFormat = 4;
  F().nNumberingStartNum = 77;
  F().bWmk = 1;
  const DocDMode before = kit_.Settings();
  Open(kDateTimePageFullTemplate, DateTimePageEditDlgProc);
  Check(2239, true);
  SetText(2241, L"321");
  Press(1032);
  EXPECT_EQ(F().DateTimePageNo_bDateTime, 0);
  EXPECT_EQ(F().DateTimePageNo_bPageNo, 0);
  EXPECT_EQ(F().DateTimePageNo_nPN_StartPage, 1u);
  EXPECT_EQ(Text(2240), L"1");
  EXPECT_EQ(F().DPE_DateTime_wDateFormat, 4) << "the formats stay";
  EXPECT_EQ(F().nNumberingStartNum, 77) << "other settings stay";
  EXPECT_EQ(F().bWmk, 1);
  Press(IDCANCEL);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(std::memcmp(&before, &kit_.Settings(), sizeof before), 0);
}

TEST_F(StampDialogs, TheFormatButtonEditsTheStampsFormatsAndCancelUndoesThemToo) {
  F().DateTimePageNo_bDateTime = 1;
  F().DPE_DateTime_wDateFormat = 3;
  F().DPE_DateTime_bTimeFormat = 0;
  F().DPE_DateTime_wTimeFormat = 1;
  const DocDMode before = kit_.Settings();
  static uint32_t target = 0;
  static int opened = 0;
  SetSheetDialogRunner([](HWND, uint16_t id, DLGPROC, LPARAM context) -> intptr_t {
    opened = id;
    auto* ctx = reinterpret_cast<SheetCtx*>(context);
    target = DateTimeTargetOf(ctx);
    DocFields& f = Fields(*GetPrivDevMode(ctx));
    f.DPE_DateTime_wDateFormat = 2;
    f.DPE_DateTime_bTimeFormat = 1;
    f.DPE_DateTime_wTimeFormat = 2;
    return IDOK;
  });
  Open(kDateTimePageFullTemplate, DateTimePageEditDlgProc);
  EXPECT_TRUE(Enabled(2060));
  Press(2060);
  EXPECT_EQ(opened, kDateTimeFormatTemplate);
  EXPECT_EQ(target, kDateTimeTargetDatePage);
  EXPECT_EQ(Text(2059), L"12/31/26 15:45");
  Press(IDCANCEL);
  EXPECT_EQ(std::memcmp(&before, &kit_.Settings(), sizeof before), 0);
}

// ------------------------------------------------------------ numbering

TEST_F(StampDialogs, NumberingShowsTheModelsListsAndRange) {
  model_->features[kMfNumberDlgType] = 1;
  model_->features[kMfNumberDlgColor] = 1;
  F().nNumberingType = 1;
  F().nNumberingMode = 1;
  F().nNumberingDensity = 3;
  F().nNumberingStartNum = 250;
  Open(kNumberingTemplate, NumberingDlgProc);
  EXPECT_EQ(Text(1716), L"[1...9999]");
  EXPECT_EQ(SendMessageW(kit_.Control(1714), EM_GETLIMITTEXT, 0, 0), 4);
  EXPECT_EQ(Text(1714), L"250");
  EXPECT_EQ(ItemText(1706, Selection(1706)), L"Watermark");
  EXPECT_EQ(ItemText(1708, Selection(1708)), L"First page only");
  EXPECT_EQ(ItemText(2342, Selection(2342)), L"Dark");
  EXPECT_TRUE(Visible(1706) && Visible(2342));
  EXPECT_FALSE(Visible(1039)) << "no colour list";
  kit_.Screenshot("numbering");
  kit_.Select(1706, 0);
  EXPECT_EQ(F().nNumberingType, 0);
  kit_.Select(2342, 0);
  EXPECT_EQ(F().nNumberingDensity, 1);
  SetText(1714, L"9999");
  EXPECT_EQ(F().nNumberingStartNum, 250) << "taken at OK";
  Press(IDOK);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(F().nNumberingStartNum, 9999);
}

TEST_F(StampDialogs, NumberingHiddenListsNeverHoldUpOk) {
  model_->features[kMfNumberDlgType] = 0;
  model_->features[kMfNumberDlgColor] = 0;
  F().nNumberingType = 9;     // no entry of the type list
  F().nNumberingDensity = 0;  // no entry of the density list
  F().nNumberingMode = 0;
  F().nNumberingStartNum = 1;
  Open(kNumberingTemplate, NumberingDlgProc);
  EXPECT_FALSE(Visible(1706));
  EXPECT_FALSE(Visible(2342));
  Press(IDOK);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(F().nNumberingType, 9);
  EXPECT_EQ(F().nNumberingDensity, 0);
}

TEST_F(StampDialogs, NumberingKeepsTheStartNumberWithinTheModelAndItsField) {
  model_->startNumberMin = 10;
  model_->startNumberMax = 40000;  // more than the field holds
  F().nNumberingStartNum = 10;
  F().nNumberingMode = 0;
  Open(kNumberingTemplate, NumberingDlgProc);
  EXPECT_EQ(Text(1716), L"[10...32767]");
  EXPECT_EQ(SendMessageW(kit_.Control(1714), EM_GETLIMITTEXT, 0, 0), 5);
  for (const wchar_t* bad : {L"9", L"32768", L"40000"}) {
    SetText(1714, bad);
    Press(IDOK);
    EXPECT_FALSE(Ended()) << bad;
    EXPECT_EQ(F().nNumberingStartNum, 10) << bad;
  }
  SetText(1714, L"32767");
  Press(IDOK);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(F().nNumberingStartNum, 32767);
}

TEST_F(StampDialogs, NumberingCancelRestoresWhatTheListsAndDefaultChanged) {
  model_->features[kMfNumberDlgType] = 1;
  model_->features[kMfNumberDlgColor] = 1;
  F().nNumberingType = 1;
  F().nNumberingMode = 1;
  F().nNumberingDensity = 3;
  F().nNumberingColor = 2;
  F().nNumberingStartNum = 30;
  F().bWmk = 1;
  const DocDMode before = kit_.Settings();
  Open(kNumberingTemplate, NumberingDlgProc);
  kit_.Select(1708, 0);
  EXPECT_EQ(F().nNumberingMode, 0);
  Press(1032);
  const DocFields& d = Fields(defaults_);
  EXPECT_EQ(F().nNumberingType, d.nNumberingType);
  EXPECT_EQ(F().nNumberingMode, d.nNumberingMode);
  EXPECT_EQ(F().nNumberingDensity, d.nNumberingDensity);
  EXPECT_EQ(F().nNumberingStartNum, 1);
  EXPECT_EQ(Text(1714), L"1");
  EXPECT_EQ(F().nNumberingColor, 2) << "Default leaves the colour";
  EXPECT_EQ(F().bWmk, 1) << "and every other setting";
  Press(IDCANCEL);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(std::memcmp(&before, &kit_.Settings(), sizeof before), 0);
}

TEST_F(StampDialogs, TheListFunctionsSelectAndTakeTheType) {
  model_->features[kMfNumberDlgType] = 1;
  F().nNumberingType = 0;
  Open(kNumberingTemplate, NumberingDlgProc);
  F().nNumberingType = 1;
  SelectNumberingListItem(D(), kit_.Context());
  EXPECT_EQ(ItemText(1706, Selection(1706)), L"Watermark");
  F().nNumberingType = 5;
  SelectNumberingListItem(D(), kit_.Context());
  EXPECT_EQ(Selection(1706), -1);
  EXPECT_EQ(GetNumberingListItem(D(), kit_.Context()), 0);
  EXPECT_EQ(F().nNumberingType, 5);
  Pick(1706, 1);
  EXPECT_EQ(GetNumberingListItem(D(), kit_.Context()), 1);
  EXPECT_EQ(F().nNumberingType, 1);
}

// ------------------------------------------------------------- the sheet

TEST_F(StampDialogs, TheModelPicksTheTemplate) {
  model_->features[kMfDateTimePageType] = 1;
  EXPECT_EQ(DateTimePageTemplate(), kDateTimePageFullTemplate);
  model_->features[kMfDateTimePageType] = 2;
  EXPECT_EQ(DateTimePageTemplate(), kDateTimePageShortTemplate);
}

}  // namespace
