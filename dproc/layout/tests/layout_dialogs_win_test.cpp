// The Layout sheet's dialogs under Wine and Xvfb: each runs modeless from
// the build tree's templates on the dialog kit's sheet context, with the
// sample model's description (its ranges, texts and flags), the constraint
// pass scripted to refuse chosen controls and the message boxes recorded.
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
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/length_units.h"
#include "dproc/layout/layout_dialogs_win.h"
#include "dproc/layout/nup_items_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings.h"
#include "dproc/model/option_text_sections.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/startup/edit_range_limits.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/sheet_model_win.h"
#include "tests/support/test_paths.h"

namespace {

using testsupport::DialogKit;

// The constraint pass: refuses the controls in the set, and counts calls
// per control.
std::set<int> g_refuse;
std::multiset<int> g_checked;
// What the preview's kind and order overrides held while the pass ran.
std::vector<std::vector<uint8_t>> g_slotsInPass;
int32_t ScriptedCheck(HWND dialog, HWND, uint16_t id) {
  g_checked.insert(id);
  if (const LayoutPreviewOverrides* o = LayoutOverridesOf(GetUIState(SheetCtxOf(dialog)))) {
    g_slotsInPass.push_back({o->nupOn, o->nupValue, o->styleOn, o->styleValue});
  }
  return g_refuse.count(id) != 0 ? 101 : 199;
}

class LayoutDialogs : public ::testing::Test {
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
    g_checked.clear();
    DocFields& f = Fields(kit_.Settings());
    f.nOrientation = 1;
    f.nDuplex = 2;
  }
  void TearDown() override {
    kit_.Close();
    SetSheetConstraintCheck(nullptr);
    *model_ = saved_;
    ProcessModelInfo() = nullptr;
    DialogFrameworkModules().texts = nullptr;
  }

  DocFields& F() { return Fields(kit_.Settings()); }
  HWND Open(int templateId, DLGPROC proc) {
    HWND d = kit_.OpenDialog(kit_.Templates(), templateId, proc);
    EXPECT_NE(d, nullptr);
    return d;
  }
  bool Checked(int id) { return IsDlgButtonChecked(kit_.Dialog(), id) == BST_CHECKED; }
  bool Enabled(int id) { return IsWindowEnabled(kit_.Control(id)) != FALSE; }
  bool Visible(int id) { return IsWindowVisible(kit_.Control(id)) != FALSE; }
  std::wstring Text(int id) {
    wchar_t t[128] = {};
    GetDlgItemTextW(kit_.Dialog(), id, t, 128);
    return t;
  }
  void SetText(int id, const wchar_t* text) {
    SetDlgItemTextW(kit_.Dialog(), id, text);
    DialogKit::Pump();
  }
  // A list choice as the user makes it: the selection and its change.
  void Choose(int comboId, int index) {
    HWND combo = kit_.Control(comboId);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(kit_.Dialog(), WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    DialogKit::Pump();
  }
  // The row value of each item of a combo box.
  std::vector<uint32_t> Values(int comboId) {
    std::vector<uint32_t> out;
    HWND combo = kit_.Control(comboId);
    const int n = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      out.push_back(reinterpret_cast<const OptionHead*>(SendMessageW(combo, CB_GETITEMDATA, i, 0))->value);
    }
    return out;
  }
  int Selected(int comboId) { return static_cast<int>(SendMessageW(kit_.Control(comboId), CB_GETCURSEL, 0, 0)); }
  // The dialog ended (EndDialog hides a modeless dialog).
  bool Ended() { return !IsWindowVisible(kit_.Dialog()); }
  void Press(int id) {
    SendMessageW(kit_.Dialog(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(kit_.Control(id)));
    DialogKit::Pump();
  }

  static ModelInfo* model_;
  static MessageTables texts_;
  ModelInfo saved_;
  DialogKit kit_;
};
ModelInfo* LayoutDialogs::model_ = nullptr;
MessageTables LayoutDialogs::texts_ = {};

// --- Print position.

TEST_F(LayoutDialogs, PrintPositionShowsTheStoredPlaceAndCancelRestoresIt) {
  F().nPrintPosition = 1;
  Open(kPrintPositionTemplate, PrintPositionDlgProc);
  EXPECT_TRUE(Checked(1893));
  EXPECT_FALSE(Checked(1892) || Checked(1894));
  kit_.Click(1894);
  EXPECT_EQ(F().nPrintPosition, 2) << "a click is stored at once";
  kit_.Screenshot("print_position_back_edge");
  Press(IDCANCEL);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(F().nPrintPosition, 1);
}

TEST_F(LayoutDialogs, PrintPositionOutOfRangeChecksNothingAndOkKeepsIt) {
  F().nPrintPosition = 7;
  Open(kPrintPositionTemplate, PrintPositionDlgProc);
  EXPECT_FALSE(Checked(1892) || Checked(1893) || Checked(1894));
  Press(IDOK);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(F().nPrintPosition, 7);
}

TEST_F(LayoutDialogs, PrintPositionRefusedClickGoesBack) {
  F().nPrintPosition = 0;
  g_refuse = {1893};
  Open(kPrintPositionTemplate, PrintPositionDlgProc);
  kit_.Click(1893);
  EXPECT_EQ(F().nPrintPosition, 0);
  EXPECT_TRUE(Checked(1892));
  EXPECT_FALSE(Checked(1893));
}

TEST_F(LayoutDialogs, PrintPositionDefaultThenCancelLeavesTheRecord) {
  F().nPrintPosition = 2;
  const DocDMode before = kit_.Settings();
  Open(kPrintPositionTemplate, PrintPositionDlgProc);
  kit_.Click(1032);
  DocDMode defaults;
  ASSERT_TRUE(CopyDefaultOEMDevMode(kit_.Context(), &defaults));
  EXPECT_EQ(F().nPrintPosition, Fields(defaults).nPrintPosition);
  Press(IDCANCEL);
  EXPECT_EQ(std::memcmp(&before, &kit_.Settings(), sizeof before), 0);
}

// --- Booklet.

TEST_F(LayoutDialogs, BookletOffersTheSidesOfTheOrientationAndMovesStoredSides) {
  struct Case {
    uint8_t orientation, stored, shown;
    std::vector<uint32_t> offered;
  } cases[] = {
      {1, 3, 1, {1, 2}}, {1, 4, 2, {1, 2}}, {1, 9, 1, {1, 2}}, {1, 2, 2, {1, 2}},
      {2, 1, 3, {3, 4}}, {2, 2, 4, {3, 4}}, {2, 0, 3, {3, 4}},
  };
  for (const Case& c : cases) {
    F().nOrientation = c.orientation;
    F().nBookletOrder = c.stored;
    Open(kBookletSettingTemplate, BookletSettingDlgProc);
    EXPECT_EQ(Values(1590), c.offered) << int(c.orientation);
    EXPECT_EQ(F().nBookletOrder, c.shown) << int(c.orientation) << " " << int(c.stored);
    ASSERT_GE(Selected(1590), 0);
    EXPECT_EQ(Values(1590)[Selected(1590)], c.shown);
    kit_.Close();
  }
}

TEST_F(LayoutDialogs, BookletChangesRefusalOkAndCancel) {
  F().nBookletOrder = 1;
  F().bBookletBorder = 0;
  Open(kBookletSettingTemplate, BookletSettingDlgProc);
  Choose(1590, 1);
  EXPECT_EQ(F().nBookletOrder, 2);
  g_refuse = {1406};
  kit_.Click(1406);
  EXPECT_EQ(F().bBookletBorder, 0) << "refused";
  EXPECT_FALSE(Checked(1406));
  g_refuse.clear();
  kit_.Click(1406);
  EXPECT_EQ(F().bBookletBorder, 1);
  Press(IDCANCEL);
  EXPECT_EQ(F().nBookletOrder, 1);
  EXPECT_EQ(F().bBookletBorder, 0);

  kit_.Close();
  Open(kBookletSettingTemplate, BookletSettingDlgProc);
  Choose(1590, 1);
  kit_.Click(1406);
  Press(IDOK);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(F().nBookletOrder, 2);
  EXPECT_EQ(F().bBookletBorder, 1);
}

TEST_F(LayoutDialogs, BookletOkWithoutASelectionStaysOpen) {
  F().nBookletOrder = 1;
  Open(kBookletSettingTemplate, BookletSettingDlgProc);
  SendMessageW(kit_.Control(1590), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  Press(IDOK);
  EXPECT_FALSE(Ended());
  EXPECT_TRUE(kit_.Boxes().shown().empty());
}

TEST_F(LayoutDialogs, BookletDefaultThenCancelLeavesTheRecord) {
  F().nBookletOrder = 2;
  F().bBookletBorder = 1;
  Open(kBookletSettingTemplate, BookletSettingDlgProc);
  const DocDMode before = kit_.Settings();
  kit_.Click(1032);
  Press(IDCANCEL);
  EXPECT_EQ(std::memcmp(&before, &kit_.Settings(), sizeof before), 0);
}

// --- Style.

TEST_F(LayoutDialogs, StyleOffersPostersOnlyOnModelsWithPosters) {
  F().bNup = 1;
  F().nNup = 8;
  model_->features[kMfPoster] = 0;
  Open(kStyleSettingTemplate, StyleSettingDlgProc);
  EXPECT_EQ(Values(kNupCombo), (std::vector<uint32_t>{1, 2, 3, 4, 5}));
  EXPECT_EQ(Selected(kNupCombo), -1) << "a stored poster kind has no row";
  Press(IDOK);
  EXPECT_FALSE(Ended()) << "OK needs a selection";
  kit_.Close();

  model_->features[kMfPoster] = 1;
  Open(kStyleSettingTemplate, StyleSettingDlgProc);
  EXPECT_EQ(Values(kNupCombo), (std::vector<uint32_t>{1, 2, 3, 4, 5, 7, 8, 9}));
  EXPECT_EQ(Values(kNupCombo)[Selected(kNupCombo)], 8u);
}

TEST_F(LayoutDialogs, StylePosterHidesTheOrderAndNupShowsTheGridOrders) {
  model_->features[kMfPoster] = 1;
  F().bNup = 1;
  F().nNup = 1;
  F().nPageLayout = 1;
  Open(kStyleSettingTemplate, StyleSettingDlgProc);
  EXPECT_EQ(Values(1405), (std::vector<uint32_t>{0, 1}));
  EXPECT_TRUE(Visible(1405) && Visible(1837) && Visible(1578));
  EXPECT_FALSE(Visible(1580));
  Choose(kNupCombo, 5);  // 2 x 2
  EXPECT_EQ(F().nNup, 7);
  EXPECT_EQ(F().byPosterPages, 2);
  EXPECT_FALSE(Visible(1404) || Visible(1405) || Visible(1837) || Visible(1578));
  EXPECT_TRUE(Visible(1580));
  Choose(kNupCombo, 1);  // 4-up
  EXPECT_EQ(F().nNup, 2);
  EXPECT_EQ(F().byPosterPages, 1);
  EXPECT_EQ(Values(1405), (std::vector<uint32_t>{4, 5, 6, 7}));
  EXPECT_GE(F().nPageLayout, 4) << "the order is brought into the grid's set";
  EXPECT_TRUE(Visible(1405) && Visible(1837));
  kit_.Screenshot("style_four_up");
}

TEST_F(LayoutDialogs, StyleRefusedNupChangeKeepsKindOrderAndPosterPages) {
  model_->features[kMfPoster] = 1;
  F().bNup = 1;
  F().nNup = 2;
  F().nPageLayout = 6;
  F().byPosterPages = 1;
  g_refuse = {kNupCombo};
  Open(kStyleSettingTemplate, StyleSettingDlgProc);
  Choose(kNupCombo, 6);  // 3 x 3, refused
  EXPECT_EQ(F().nNup, 2);
  EXPECT_EQ(F().nPageLayout, 6);
  EXPECT_EQ(F().byPosterPages, 1) << "the poster pages go back with the kind";
  EXPECT_EQ(Values(kNupCombo)[Selected(kNupCombo)], 2u);
  const LayoutPreviewOverrides* o = LayoutOverridesOf(&kit_.UiState());
  EXPECT_EQ(o->nupOn + o->styleOn, 0) << "the preview overrides end with the check";
}

// While the pass checks a new kind or order the preview draws the old
// ones; a refused order goes back, one let through stays.
TEST_F(LayoutDialogs, StyleKindAndOrderBeingCheckedKeepTheOldOnesInThePreview) {
  model_->features[kMfPoster] = 1;
  F().bNup = 1;
  F().nNup = 2;
  F().nPageLayout = 6;
  F().byPosterPages = 1;
  g_refuse = {kNupCombo, 1405};
  Open(kStyleSettingTemplate, StyleSettingDlgProc);
  g_slotsInPass.clear();
  Choose(kNupCombo, 6);
  EXPECT_EQ(g_slotsInPass, (std::vector<std::vector<uint8_t>>{{1, 2, 1, 6}}));
  const std::vector<uint32_t> orders = Values(1405);
  int other = -1;
  for (size_t i = 0; i < orders.size(); ++i) {
    if (orders[i] != 6) other = static_cast<int>(i);
  }
  ASSERT_GE(other, 0);
  g_slotsInPass.clear();
  Choose(1405, other);
  EXPECT_EQ(g_slotsInPass, (std::vector<std::vector<uint8_t>>{{0, 0, 1, 6}}));
  EXPECT_EQ(F().nPageLayout, 6);
  EXPECT_EQ(Values(1405)[Selected(1405)], 6u);
  g_refuse.clear();
  Choose(1405, other);
  EXPECT_EQ(F().nPageLayout, orders[other]);
  const LayoutPreviewOverrides* o = LayoutOverridesOf(&kit_.UiState());
  EXPECT_EQ(o->nupOn + o->styleOn, 0) << "the preview overrides end with the check";
}

TEST_F(LayoutDialogs, StyleBorderKindIsReadWhileDisabledAndCancelRestoresEverything) {
  model_->features[kMfPoster] = 1;
  F().bNup = 1;
  F().nNup = 2;
  F().nPageLayout = 4;
  F().bNupBorder_ui = 0;
  F().bPageBorder = 2;
  F().byPosterPages = 1;
  const DocDMode before = kit_.Settings();
  Open(kStyleSettingTemplate, StyleSettingDlgProc);
  EXPECT_FALSE(Enabled(1578)) << "border kind off while border lines are off";
  EXPECT_EQ(Values(1578)[Selected(1578)], 2u);
  Choose(kNupCombo, 7);  // 4 x 4
  EXPECT_EQ(F().byPosterPages, 4);
  kit_.Click(1580);
  EXPECT_EQ(F().nPosterMarginLine, 1);
  Press(IDCANCEL);
  EXPECT_EQ(std::memcmp(&before, &kit_.Settings(), sizeof before), 0);

  kit_.Close();
  Open(kStyleSettingTemplate, StyleSettingDlgProc);
  kit_.Click(1837);
  EXPECT_TRUE(Enabled(1578));
  Choose(1578, 0);
  Press(IDOK);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(F().bNupBorder_ui, 1);
  EXPECT_EQ(F().bPageBorder, 1);
}

TEST_F(LayoutDialogs, StyleDefaultKeepsNupOn) {
  F().bNup = 1;
  F().nNup = 5;
  Open(kStyleSettingTemplate, StyleSettingDlgProc);
  kit_.Click(1032);
  DocDMode defaults;
  ASSERT_TRUE(CopyDefaultOEMDevMode(kit_.Context(), &defaults));
  EXPECT_EQ(F().bNup, 1);
  EXPECT_EQ(F().nNup, Fields(defaults).nNup);
  EXPECT_EQ(F().bNupBorder_ui, Fields(defaults).bNupBorder_ui);
}

// --- Shared by every dialog.

TEST_F(LayoutDialogs, DropListsRunTheReasonFilter) {
  struct Case {
    int templateId;
    DLGPROC proc;
    int combo;
  } cases[] = {{kBookletSettingTemplate, BookletSettingDlgProc, 1590}, {kStyleSettingTemplate, StyleSettingDlgProc, 1025},
               {kStyleSettingTemplate, StyleSettingDlgProc, 1578}};
  for (const Case& c : cases) {
    Open(c.templateId, c.proc);
    // The filter gives every drop-down list the extended interface.
    EXPECT_NE(SendMessageW(kit_.Control(c.combo), CB_GETEXTENDEDUI, 0, 0), 0) << c.templateId << " " << c.combo;
    Press(IDCANCEL);
  }
}

TEST_F(LayoutDialogs, ADialogOpenedFromAnotherKeepsItsOwnCopyForCancel) {
  F().nPrintPosition = 0;
  F().bBookletBorder = 0;
  const DocDMode before = kit_.Settings();
  HWND outer = Open(kPrintPositionTemplate, PrintPositionDlgProc);
  kit_.Click(1893);
  ASSERT_EQ(F().nPrintPosition, 1);
  // A second dialog on the same settings, confirmed.
  Open(kBookletSettingTemplate, BookletSettingDlgProc);
  kit_.Click(1406);
  ASSERT_EQ(F().bBookletBorder, 1);
  Press(IDOK);
  // The first one cancelled: the settings as it found them.
  SendMessageW(outer, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  DialogKit::Pump();
  EXPECT_EQ(F().nPrintPosition, 0);
  EXPECT_EQ(std::memcmp(&before, &kit_.Settings(), sizeof before), 0);
}

// --- Binding margin.

TEST_F(LayoutDialogs, BindingMarginOneSidedTakesTheFrontAndCancelRestoresTheBack) {
  F().nDuplex = 1;
  F().byBindingUnit = 0;
  F().nBindingUp = 12;
  F().nBindingDown = 30;
  F().bBindingSame = 0;
  Open(kBindingMarginTemplate, BindingMarginDlgProc);
  EXPECT_EQ(F().nBindingDown, 12);
  EXPECT_EQ(F().bBindingSame, 1);
  EXPECT_TRUE(Checked(1423));
  for (int id : {1345, 1365, 1367, 1348, 1423}) EXPECT_FALSE(Enabled(id)) << id;
  EXPECT_EQ(Text(1365), L"12");
  Press(IDCANCEL);
  EXPECT_EQ(F().nBindingDown, 30);
  EXPECT_EQ(F().bBindingSame, 0);
}

TEST_F(LayoutDialogs, BindingMarginSameAsFrontCopiesWhatIsTyped) {
  F().nDuplex = 2;
  F().byBindingUnit = 0;
  F().nBindingUp = 5;
  F().nBindingDown = 9;
  F().bBindingSame = 0;
  Open(kBindingMarginTemplate, BindingMarginDlgProc);
  EXPECT_TRUE(Enabled(1365));
  kit_.Click(1423);
  EXPECT_EQ(F().nBindingDown, 5);
  EXPECT_FALSE(Enabled(1365));
  SetText(1362, L"");
  kit_.Type(1362, L"21");
  EXPECT_EQ(Text(1365), L"21") << "the back edit follows as the user types";
  EXPECT_EQ(F().nBindingUp, 21);
  EXPECT_EQ(F().nBindingDown, 21);
  Press(IDOK);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(F().nBindingDown, 21);
  EXPECT_EQ(F().nBindingDown_Inch, MetricToImperial(LengthScale::kMargin, 21));
}

TEST_F(LayoutDialogs, BindingMarginInchRangeAndOutOfRangeOk) {
  F().nDuplex = 2;
  F().byBindingUnit = 1;
  F().nBindingUp = 50;
  F().nBindingUp_Inch = 197;
  F().nBindingDown = 0;
  F().nBindingDown_Inch = 0;
  Open(kBindingMarginTemplate, BindingMarginDlgProc);
  EXPECT_EQ(Text(1347), L"inch [0.00...1.96]");
  EXPECT_EQ(Text(1362), L"1.97");
  Press(IDOK);
  EXPECT_FALSE(Ended());
  ASSERT_EQ(kit_.Boxes().shown().size(), 1u);
  EXPECT_NE(kit_.Boxes().shown()[0].text.find(L"0.00 to 1.96 inches"), std::wstring::npos)
      << std::string(kit_.Boxes().shown()[0].text.begin(), kit_.Boxes().shown()[0].text.end());
  EXPECT_EQ(testsupport::FocusedControl(kit_.Control(1362)), kit_.Control(1362));
  // A change of unit clamps the value into the range.
  kit_.Click(1240);
  EXPECT_EQ(F().byBindingUnit, 0);
  EXPECT_EQ(Text(1347), L"mm [0...50]");
  Press(IDOK);
  EXPECT_TRUE(Ended());
  EXPECT_LE(F().nBindingUp, 50);
}

TEST_F(LayoutDialogs, BindingMarginRefusedModeGoesBack) {
  F().nDuplex = 2;
  F().nBindingMode = 0;
  g_refuse = {1243};
  Open(kBindingMarginTemplate, BindingMarginDlgProc);
  kit_.Click(1243);
  EXPECT_EQ(F().nBindingMode, 0);
  EXPECT_TRUE(Checked(1242));
  g_refuse.clear();
  kit_.Click(1243);
  EXPECT_EQ(F().nBindingMode, 1);
}

// A click on a spin's arrow as the user makes it: the button pressed and
// let go over the upper or lower half.
void ClickSpin(HWND spin, bool up) {
  RECT r = {};
  GetClientRect(spin, &r);
  const LPARAM at = MAKELPARAM(r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4);
  SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(spin, WM_LBUTTONUP, 0, at);
  DialogKit::Pump();
}

TEST_F(LayoutDialogs, BindingMarginSpinArrowsKeepStepping) {
  F().nDuplex = 2;
  F().byBindingUnit = 0;
  F().nBindingUp = 5;
  F().bBindingSame = 0;
  Open(kBindingMarginTemplate, BindingMarginDlgProc);
  for (int i = 0; i < 3; ++i) ClickSpin(kit_.Control(1364), true);
  EXPECT_EQ(Text(1362), L"8");
  EXPECT_EQ(F().nBindingUp, 8);
  ClickSpin(kit_.Control(1364), false);
  EXPECT_EQ(Text(1362), L"7");
  EXPECT_EQ(F().nBindingUp, 7);
}

TEST_F(LayoutDialogs, BindingMarginDefaultComputesTheInchFields) {
  F().nDuplex = 2;
  F().nBindingUp = 33;
  F().nBindingUp_Inch = 1;
  const DocDMode before = kit_.Settings();
  Open(kBindingMarginTemplate, BindingMarginDlgProc);
  kit_.Click(1032);
  DocDMode defaults;
  ASSERT_TRUE(CopyDefaultOEMDevMode(kit_.Context(), &defaults));
  EXPECT_EQ(F().nBindingUp, Fields(defaults).nBindingUp);
  EXPECT_EQ(F().nBindingUp_Inch, MetricToImperial(LengthScale::kMargin, F().nBindingUp));
  EXPECT_EQ(F().byBindingUnit, Fields(defaults).byBindingUnit);
  Press(IDCANCEL);
  EXPECT_EQ(std::memcmp(&before, &kit_.Settings(), sizeof before), 0);
}

// --- Image shift.

TEST_F(LayoutDialogs, ImageShiftSpinArrowsKeepStepping) {
  F().nDuplex = 2;
  F().byImageShiftUnit = 0;
  F().nImgShiftSetting = 0;
  F().ImgShiftFronSide_nX = 10;
  Open(kImageShiftTemplate, ImageShiftDlgProc);
  for (int i = 0; i < 3; ++i) ClickSpin(kit_.Control(1259), true);
  EXPECT_EQ(Text(1258), L"1.3");
  EXPECT_EQ(F().ImgShiftFronSide_nX, 13);
}

TEST_F(LayoutDialogs, ImageShiftBackFollowsTheFrontMirrored) {
  F().nDuplex = 2;
  F().byImageShiftUnit = 0;
  F().ImgShiftFronSide_byHShift = 1;
  F().ImgShiftBackSide_byHShift = 1;
  Open(kImageShiftTemplate, ImageShiftDlgProc);
  kit_.Click(1607);
  EXPECT_EQ(F().bImgShiftBackAuto, 1);
  EXPECT_EQ(F().ImgShiftBackSide_byHShift, 0) << "front right gives back left";
  EXPECT_FALSE(Enabled(1265)) << "the back side follows and cannot be typed";
  kit_.Click(1246);  // front left
  EXPECT_EQ(F().ImgShiftFronSide_byHShift, 0);
  EXPECT_EQ(F().ImgShiftBackSide_byHShift, 1);
  EXPECT_TRUE(Checked(1251));
  kit_.Click(1249);  // front down
  EXPECT_EQ(F().ImgShiftBackSide_byVShift, 1) << "up and down stay as they are";
  SetText(1258, L"");
  kit_.Type(1258, L"12.5");
  EXPECT_EQ(F().ImgShiftFronSide_nX, 125);
  EXPECT_EQ(F().ImgShiftBackSide_nX, 125);
  EXPECT_EQ(Text(1265), L"12.5");
  kit_.Screenshot("image_shift_auto_back");
  Press(IDCANCEL);
  EXPECT_EQ(F().bImgShiftBackAuto, 0);
  EXPECT_EQ(F().ImgShiftBackSide_nX, 0);
  EXPECT_EQ(F().ImgShiftFronSide_byHShift, 1);
}

TEST_F(LayoutDialogs, ImageShiftEnabledStateByDuplexAndSetting) {
  struct Case {
    uint8_t duplex, setting;
    bool front, back, autoBox;
  } cases[] = {{2, 0, true, true, true}, {1, 0, true, false, false}, {2, 1, false, false, false}};
  for (const Case& c : cases) {
    F().nDuplex = c.duplex;
    F().nImgShiftSetting = c.setting;
    Open(kImageShiftTemplate, ImageShiftDlgProc);
    EXPECT_EQ(Enabled(1258), c.front) << int(c.duplex) << int(c.setting);
    EXPECT_EQ(Enabled(1240), c.front);
    EXPECT_EQ(Enabled(1265), c.back);
    EXPECT_EQ(Enabled(1250), c.back);
    EXPECT_EQ(Enabled(1607), c.autoBox);
    kit_.Close();
  }
}

TEST_F(LayoutDialogs, ImageShiftModelFlagsHideTheirControls) {
  Open(kImageShiftTemplate, ImageShiftDlgProc);
  for (int id : {1412, 1244, 1245, 1595, 1368, 1605, 1371, 1603, 1369}) EXPECT_FALSE(Visible(id)) << id;
  kit_.Close();
  model_->features[kMfImageShiftSwitchSetup] = 1;
  model_->features[kMfImgShiftFrontO] = 1;
  model_->features[kMfImgShiftBackO] = 1;
  model_->features[kMfImgShiftBackI] = 1;
  F().nDuplex = 2;
  F().ImgShiftFronSide_nOffset = 55;
  Open(kImageShiftTemplate, ImageShiftDlgProc);
  for (int id : {1412, 1244, 1245, 1595, 1368, 1605, 1371, 1603, 1369}) EXPECT_TRUE(Visible(id)) << id;
  EXPECT_EQ(Text(1368), L"5.5");
  EXPECT_EQ(Text(1388), L"mm[0.0...30.0]") << "the sample model's range";
  kit_.Click(1607);
  EXPECT_EQ(F().ImgShiftBackSide_nOffset, 55) << "with both offsets the back takes the front's";
}

TEST_F(LayoutDialogs, ImageShiftOkReportsTheFirstBadEditOnly) {
  F().nDuplex = 2;
  Open(kImageShiftTemplate, ImageShiftDlgProc);
  SetText(1269, L"999");  // front vertical, beyond 200 mm
  SetText(1265, L"999");  // back horizontal
  Press(IDOK);
  EXPECT_FALSE(Ended());
  ASSERT_EQ(kit_.Boxes().shown().size(), 1u);
  EXPECT_NE(kit_.Boxes().shown()[0].text.find(L"0 to 200 mm"), std::wstring::npos);
  EXPECT_EQ(testsupport::FocusedControl(kit_.Control(1269)), kit_.Control(1269));
}

TEST_F(LayoutDialogs, ImageShiftUnitChangeShowsInchAndRefusalKeepsMm) {
  F().nDuplex = 2;
  F().byImageShiftUnit = 0;
  F().ImgShiftFronSide_nX = 254;
  F().ImgShiftFronSide_nX_Inch = 1000;
  Open(kImageShiftTemplate, ImageShiftDlgProc);
  g_refuse = {1241};
  kit_.Click(1241);
  EXPECT_EQ(F().byImageShiftUnit, 0);
  EXPECT_TRUE(Checked(1240));
  EXPECT_EQ(Text(1258), L"25.4");
  g_refuse.clear();
  kit_.Click(1241);
  EXPECT_EQ(F().byImageShiftUnit, 1);
  EXPECT_EQ(Text(1258), L"1.000");
  EXPECT_EQ(Text(1257), L"inch[0.000...7.874]");
}

TEST_F(LayoutDialogs, ImageShiftDefaultThenCancelLeavesTheRecord) {
  F().nDuplex = 2;
  F().ImgShiftFronSide_nX = 100;
  F().ImgShiftFronSide_nX_Inch = 394;
  F().bImgShiftBackAuto = 1;
  Open(kImageShiftTemplate, ImageShiftDlgProc);
  const DocDMode before = kit_.Settings();
  kit_.Click(1032);
  Press(IDCANCEL);
  EXPECT_EQ(std::memcmp(&before, &kit_.Settings(), sizeof before), 0);
}

}  // namespace
