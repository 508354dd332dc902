// The colour detail pages under Wine and Xvfb, hosted as a colour model's
// Quality sheet hosts them: child pages of a sheet window that carries the
// object choice (1739 to 1741) and the controls the pages' rules show and
// hide.  The sample model's description with its colour texts read, the
// constraint pass scripted; the user interface core's sheet session and a
// plug-in host's document page as the two kinds of context.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/qxd/model_info.h"
#include "common/records/color_profile_record.h"
#include "common/records/doc_fields.h"
#include "common/records/oem_ui_host.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/model/feature_table.h"
#include "dproc/model/message_text.h"
#include "dproc/quality/color_detail_pages_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/sheets/option_rows_win.h"
#include "dproc/sheets/sheet_context.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/sheet_model_win.h"

namespace {

using testsupport::DialogKit;

std::set<int> g_refuse;
std::vector<int> g_checked;
int32_t ScriptedCheck(HWND, HWND, uint16_t id) {
  g_checked.push_back(id);
  return g_refuse.count(id) != 0 ? 101 : 199;
}

constexpr uint32_t kAll = DOC_FIELD_AT(ColorAdjustMFP_MatchAll_nType);
constexpr uint32_t kText = DOC_FIELD_AT(ColorAdjustMFP_EachText_Match_nType);
constexpr uint32_t kPhoto = DOC_FIELD_AT(ColorAdjustMFP_EachPhoto_Match_nType);
// Places inside a set of eleven bytes.
enum : uint32_t { kType = 0, kBrightness = 1, kContrast = 2, kChroma = 3, kCyan = 4, kBlack = 7, kScreen = 9 };

// A plug-in host's document page with the kit's settings.
struct PluginHost {
  OEMUIOBJ uiObject = {sizeof(OEMUIOBJ), nullptr};
  OEMUIPSPARAM ps = {};
  OEMCUIPPARAM cui = {};
  DEVMODEW publicDm = {};
  std::unique_ptr<PluginDocPage> doc = std::make_unique<PluginDocPage>();
  explicit PluginHost(DocDMode* settings) {
    *doc = PluginDocPage{};
    ps.pOEMDM = settings;
    ps.poemuiobj = &uiObject;
    cui.pPublicDM = &publicDm;
    doc->marker = 0x5A;
    doc->kind = kPluginDocumentKind;
    doc->cuiParam = &cui;
    doc->psParam = &ps;
  }
};

ColorProfileRecord Resident(const char16_t* download, const char16_t* name, uint32_t location) {
  ColorProfileRecord r = {};
  std::memcpy(r.downloadName, download, std::char_traits<char16_t>::length(download) * 2);
  std::memcpy(r.profileName, name, std::char_traits<char16_t>::length(name) * 2);
  r.srcType = location;
  return r;
}

class ColorPages : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The sample model does not show colour adjustment; its texts are read
    // as a colour model's would be.
    testsupport::LoadSheetModel("model/VELDRANH.QXD", &model_, &texts_,
                                {.afterBuild = [](QxdContext*, ModelInfo* m) { m->features[kMfColorAdjust] = 1; }, .afterTexts = {}});
  }
  void SetUp() override {
    saved_ = *model_;
    ProcessModelInfo() = model_;
    DialogFrameworkModules().templates = kit_.Templates();
    DialogFrameworkModules().images = kit_.Images();
    DialogFrameworkModules().texts = &texts_;
    UseGeneralMessageTable(&texts_);
    SetSheetConstraintCheck(ScriptedCheck);
    g_refuse.clear();
    g_checked.clear();
    F().ColorAdjustMFP_nMatchSettings = 0;
    F().ColorAdjustMFP_nMatchType = 0;
  }
  void TearDown() override {
    for (HWND page : pages_) DestroyWindow(page);
    if (host_ != nullptr) DestroyWindow(host_);
    kit_.Close();
    SetSheetConstraintCheck(nullptr);
    *model_ = saved_;
    ProcessModelInfo() = nullptr;
    DialogFrameworkModules().texts = nullptr;
    UseGeneralMessageTable(nullptr);
  }

  DocFields& F() { return Fields(kit_.Settings()); }
  uint8_t* Bytes() { return DocBytes(&kit_.Settings()); }
  int8_t At(uint32_t set, uint32_t field) { return static_cast<int8_t>(Bytes()[set + field]); }
  ColorPagesUiState& Slots() { return *ColorPagesStateOf(kit_.Context()); }

  // The host sheet: the object choice and the controls the rules show.
  void OpenHost() {
    host_ = CreateWindowExW(WS_EX_CONTROLPARENT, L"#32770", L"Quality", WS_POPUP | WS_CAPTION | WS_VISIBLE, 40, 40,
                            720, 420, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(host_, nullptr);
    auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int id, int x, int y, int w, int h) {
      CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, host_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    };
    child(L"BUTTON", L"All objects", BS_AUTORADIOBUTTON, 1740, 10, 10, 150, 20);
    child(L"BUTTON", L"Each object", BS_AUTORADIOBUTTON, 1741, 10, 32, 150, 20);
    child(L"LISTBOX", L"", LBS_NOTIFY | WS_BORDER, 1739, 10, 56, 150, 80);
    child(L"STATIC", L"Profiles", 0, 1528, 10, 150, 150, 20);
    child(L"BUTTON", L"Manage...", BS_PUSHBUTTON, 1393, 10, 172, 150, 24);
    child(L"BUTTON", L"Details", BS_GROUPBOX, 1877, 170, 4, 540, 400);
    child(L"STATIC", L"No details for drawings", 0, 1890, 180, 30, 300, 20);
    // The objects as the host lists them: the rows themselves as item data.
    HWND list = GetDlgItem(host_, 1739);
    for (const OptionHead* row = FindOptionTable("ColAdj_EachObject_op"); row != nullptr && row->keyword[0] != 0;
         row = NextOptionRow(row)) {
      const LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(OptionRowDisplayText(row)));
      SendMessageW(list, LB_SETITEMDATA, at, reinterpret_cast<LPARAM>(row));
    }
    ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
    Slots() = ColorPagesUiState{};
    Slots().sheet = host_;
  }
  // Creates the pages of `templates` as children of the host (page 148 put
  // into its slot by the host).
  void OpenPages(std::initializer_list<int> templates) {
    if (host_ == nullptr) OpenHost();
    for (int id : templates) {
      for (const ColorPageRow& row : kColorPageTable) {
        if (row.templateId != id) continue;
        HWND page = CreateDialogParamW(kit_.Templates(), MAKEINTRESOURCEW(id), host_, row.procedure,
                                       reinterpret_cast<LPARAM>(kit_.Context()));
        ASSERT_NE(page, nullptr) << id;
        SetWindowPos(page, HWND_TOP, 180, 20, 0, 0, SWP_NOSIZE);
        if (id == 148) Slots().pages[kColorBalancePage] = page;
        pages_.push_back(page);
        byId_[id] = page;
      }
    }
    DialogKit::Pump();
  }
  HWND Page(int id) { return byId_[id]; }
  void Select(int page, int combo, int index) {
    HWND c = GetDlgItem(Page(page), combo);
    SendMessageW(c, CB_SETCURSEL, index, 0);
    SendMessageW(Page(page), WM_COMMAND, MAKEWPARAM(combo, CBN_SELENDOK), reinterpret_cast<LPARAM>(c));
    DialogKit::Pump();
  }
  // Selects the item whose data is `data` (a resident profile's entry).
  void SelectData(int page, int combo, LRESULT data) {
    HWND c = GetDlgItem(Page(page), combo);
    const LRESULT count = SendMessageW(c, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      if (SendMessageW(c, CB_GETITEMDATA, i, 0) == data) return Select(page, combo, static_cast<int>(i));
    }
    ADD_FAILURE() << "no entry " << data << " in " << combo;
  }
  void Click(int page, int id) {
    SendMessageW(Page(page), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(Page(page), id)));
    DialogKit::Pump();
  }
  void Type(int page, int edit, const wchar_t* text) {
    SetDlgItemTextW(Page(page), edit, text);  // EN_CHANGE follows
    DialogKit::Pump();
  }
  LRESULT Send(int page, UINT message) { return SendMessageW(Page(page), message, 0, 0); }
  int Selected(int page, int combo) {
    return static_cast<int>(SendDlgItemMessageW(Page(page), combo, CB_GETCURSEL, 0, 0));
  }
  int Count(int page, int combo) { return static_cast<int>(SendDlgItemMessageW(Page(page), combo, CB_GETCOUNT, 0, 0)); }
  std::wstring Text(int page, int id) {
    wchar_t text[120] = {};
    GetDlgItemTextW(Page(page), id, text, 120);
    return text;
  }
  bool Shown(HWND w) { return IsWindowVisible(w) != FALSE; }
  bool Shown(int page, int id) { return Shown(GetDlgItem(Page(page), id)); }
  bool Enabled(int page, int id) { return IsWindowEnabled(GetDlgItem(Page(page), id)) != FALSE; }
  void SelectObject(int index) {
    SendDlgItemMessageW(host_, 1739, LB_SETCURSEL, index, 0);
  }

  static ModelInfo* model_;
  static MessageTables texts_;
  ModelInfo saved_ = {};
  DialogKit kit_;
  HWND host_ = nullptr;
  std::vector<HWND> pages_;
  std::map<int, HWND> byId_;
};
ModelInfo* ColorPages::model_ = nullptr;
MessageTables ColorPages::texts_ = {};

// Which set the grey compensation, screen and smoothing lists work on, by
// the object choice: all objects, text and photographs of each object;
// drawings have no set, so the lists stay empty and nothing is stored.
TEST_F(ColorPages, TheScreenListsWorkOnTheSetOfTheObjectChoice) {
  struct Case {
    uint8_t mode, object;
    uint32_t set;  // 0: none
  };
  const Case cases[] = {{0, 2, kAll}, {1, 0, kText}, {1, 1, kPhoto}, {1, 2, 0}, {2, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << int(c.mode) << " object " << int(c.object));
    F().ColorAdjustMFP_nMatchSettings = c.mode;
    F().ColorAdjustMFP_nMatchType = c.object;
    for (uint32_t set : {kAll, kText, kPhoto}) Bytes()[set + kScreen] = 1;
    if (c.set != 0) Bytes()[c.set + kScreen] = 2;
    OpenPages({149});
    if (c.set == 0) {
      EXPECT_EQ(Count(149, 1748), 0);
      EXPECT_EQ(Send(149, kColorPageStore), 1);
      for (uint32_t set : {kAll, kText, kPhoto}) EXPECT_EQ(At(set, kScreen), 1);
    } else {
      ASSERT_EQ(Count(149, 1748), 4);
      EXPECT_EQ(Text(149, 1746), L"&Screen:");
      EXPECT_EQ(Selected(149, 1748), 2);
      Select(149, 1748, 3);
      EXPECT_EQ(At(c.set, kScreen), 3);
      EXPECT_EQ(g_checked.back(), 1748);
      for (uint32_t set : {kAll, kText, kPhoto}) {
        if (set != c.set) {
          EXPECT_EQ(At(set, kScreen), 1);
        }
      }
    }
    for (HWND page : pages_) DestroyWindow(page);
    pages_.clear();
  }
}

TEST_F(ColorPages, ARefusedChoiceIsUndoneAndTheDefaultRestoresTheSet) {
  F().ColorAdjustMFP_nMatchSettings = 1;
  F().ColorAdjustMFP_nMatchType = 1;
  Bytes()[kPhoto + kScreen] = 1;
  OpenPages({149});
  g_refuse = {1748};
  Select(149, 1748, 3);
  EXPECT_EQ(At(kPhoto, kScreen), 1);
  EXPECT_EQ(Selected(149, 1748), 1);

  // The Default button takes the set of the object the host's list shows.
  g_refuse.clear();
  DocDMode defaults;
  ASSERT_TRUE(CopyDefaultOEMDevMode(kit_.Context(), &defaults));
  Bytes()[kPhoto + kScreen] = 3;
  Bytes()[kText + kScreen] = 3;
  SelectObject(0);
  Click(149, 1032);
  EXPECT_EQ(At(kText, kScreen), static_cast<int8_t>(DocBytes(&defaults)[kText + kScreen]));
  EXPECT_EQ(At(kPhoto, kScreen), 3);
  // ... and the host shows the settings' object again.
  EXPECT_EQ(SendDlgItemMessageW(host_, 1739, LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(IsDlgButtonChecked(host_, 1741), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(host_, 1740), BST_UNCHECKED);
}

TEST_F(ColorPages, CancelPutsBackTheSettingsThePageFound) {
  F().ColorAdjustMFP_EachEtc_nMatchBalance = 1;
  F().ColorAdjustMFP_EachEtc_nScreenSmooth = 1;
  OpenPages({162});
  Select(162, 1887, 2);
  Select(162, 1889, 1);
  EXPECT_EQ(F().ColorAdjustMFP_EachEtc_nMatchBalance, 3);
  EXPECT_EQ(F().ColorAdjustMFP_EachEtc_nScreenSmooth, 2);
  SendMessageW(Page(162), WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(F().ColorAdjustMFP_EachEtc_nMatchBalance, 1);
  EXPECT_EQ(F().ColorAdjustMFP_EachEtc_nScreenSmooth, 1);
}

TEST_F(ColorPages, LockedSettingsDisableEveryPagesLockList) {
  kit_.Session().mayChange = 0;
  model_->features[kMfColorAdjustIccProf] = 1;
  F().ColorAdjustMFP_nMatchSettings = 1;
  OpenPages({149, 162, 189});
  // Each page as the rules choose it.
  Slots().currentTab = 2;
  EnableQualityControls(host_, kit_.Context());
  ASSERT_TRUE(Shown(Page(149)));
  for (int id : {1776, 1777, 1746, 1748, 1750, 1752, 1032}) EXPECT_FALSE(Enabled(149, id)) << id;
  Slots().currentTab = 1;
  EnableQualityControls(host_, kit_.Context());
  ASSERT_TRUE(Shown(Page(189)));
  for (int id : {2268, 2270, 2274, 2276, 1032}) EXPECT_FALSE(Enabled(189, id)) << id;
  F().ColorAdjustMFP_nMatchType = 2;
  EnableQualityControls(host_, kit_.Context());
  ASSERT_TRUE(Shown(Page(162)));
  for (int id : {1883, 1885, 1887, 1889, 1032}) EXPECT_FALSE(Enabled(162, id)) << id;
}

// The core's own sheets leave the adjustments to the device: page 147
// shows only the type; a plug-in host's shows the three rows, takes what is
// typed within -9..+9 and refuses to store anything else.
TEST_F(ColorPages, TheMatchingPageShowsItsRowsByTheKindOfContext) {
  OpenPages({147});
  EXPECT_TRUE(Shown(147, 1744));
  EXPECT_TRUE(Shown(147, 1032));
  for (int id : {1452, 1733, 1453, 1454, 1458, 1459, 1470, 1478, 2024, 2025, 2026}) EXPECT_FALSE(Shown(147, id)) << id;
  ASSERT_EQ(Count(147, 1744), 4);
  Select(147, 1744, 2);
  EXPECT_EQ(At(kAll, kType), 2);
  EXPECT_EQ(g_checked.back(), 1744);
  for (HWND page : pages_) DestroyWindow(page);
  pages_.clear();

  PluginHost plugin(&kit_.Settings());
  kit_.Context()->lParam = reinterpret_cast<LPARAM>(plugin.doc.get());
  DestroyWindow(host_);
  OpenHost();
  Bytes()[kAll + kBrightness] = static_cast<uint8_t>(-4);
  OpenPages({147});
  for (int id : {1452, 1733, 1453, 1454, 1458, 1459, 1470, 1478, 2024, 2025, 2026}) EXPECT_TRUE(Shown(147, id)) << id;
  EXPECT_EQ(Text(147, 1453), L"-4");
  EXPECT_EQ(Text(147, 1456), L"-9");
  EXPECT_EQ(Text(147, 1457), L"+9");
  EXPECT_EQ(Text(147, 1742), L"Colour &matching:");
  Type(147, 1459, L"7");
  EXPECT_EQ(At(kAll, kContrast), 7);
  EXPECT_EQ(SendDlgItemMessageW(Page(147), 1734, TBM_GETPOS, 0, 0), 7);
  Type(147, 1478, L"3x");  // cut at the letter
  EXPECT_EQ(Text(147, 1478), L"3");
  EXPECT_EQ(At(kAll, kChroma), 3);
  // The sample shows the row's value.
  EXPECT_GT(DialogKit::DrawnPixels(Page(147), 2024, 54, 52), 0);

  Type(147, 1459, L"12");  // out of range: not taken
  EXPECT_EQ(At(kAll, kContrast), 7);
  EXPECT_EQ(Send(147, kColorPageStore), 0);
  EXPECT_EQ(GetWindowLongPtrW(Page(147), DWLP_MSGRESULT), 0);
  ASSERT_EQ(kit_.Boxes().shown().size(), 1u);
  EXPECT_NE(kit_.Boxes().shown()[0].style & MB_ICONWARNING, 0u);
  EXPECT_EQ(testsupport::FocusedControl(Page(147)), GetDlgItem(Page(147), 1459));
  // A new type is refused while an edit is out of range.
  Select(147, 1744, 1);
  EXPECT_EQ(At(kAll, kType), 2);
  EXPECT_EQ(Selected(147, 1744), 2);
  Type(147, 1459, L"-9");
  EXPECT_EQ(Send(147, kColorPageStore), 1);
  EXPECT_EQ(At(kAll, kContrast), -9);
  EXPECT_EQ(At(kAll, kBrightness), -4);
  kit_.Context()->lParam = reinterpret_cast<LPARAM>(&kit_.Session());
}

// In each-object mode the rules judge a new type by the all-objects field:
// it stands there while they judge, and is put back after.
TEST_F(ColorPages, AnEachObjectTypeIsJudgedInTheAllObjectsFieldAndPutBack) {
  F().ColorAdjustMFP_nMatchSettings = 1;
  F().ColorAdjustMFP_nMatchType = 1;
  Bytes()[kAll + kType] = 0;
  OpenPages({147});
  uint8_t judged = 0xFF;
  static uint8_t* s_all = nullptr;
  static uint8_t* s_judged = nullptr;
  s_all = Bytes() + kAll + kType;
  s_judged = &judged;
  SetSheetConstraintCheck([](HWND, HWND, uint16_t id) -> int32_t {
    if (id == 1744) *s_judged = *s_all;
    return 199;
  });
  Select(147, 1744, 3);
  EXPECT_EQ(judged, 3);
  EXPECT_EQ(At(kPhoto, kType), 3);
  EXPECT_EQ(At(kAll, kType), 0);
}

TEST_F(ColorPages, TheBalanceStoreChecksTheRowsInOrder) {
  PluginHost plugin(&kit_.Settings());
  kit_.Context()->lParam = reinterpret_cast<LPARAM>(plugin.doc.get());
  OpenPages({148});
  Type(148, 1756, L"5");
  EXPECT_EQ(At(kAll, kCyan), 5);
  Type(148, 1487, L"-10");
  Type(148, 1761, L"");
  EXPECT_EQ(Send(148, kColorPageStore), 0);
  // Magenta comes before black.
  EXPECT_EQ(testsupport::FocusedControl(Page(148)), GetDlgItem(Page(148), 1761));
  Type(148, 1761, L"0");
  EXPECT_EQ(Send(148, kColorPageStore), 0);
  EXPECT_EQ(testsupport::FocusedControl(Page(148)), GetDlgItem(Page(148), 1487));
  ASSERT_EQ(kit_.Boxes().shown().size(), 2u);
  EXPECT_NE(kit_.Boxes().shown()[0].text.find(L"Enter a magenta balance from -9 to 9."), std::wstring::npos);
  EXPECT_NE(kit_.Boxes().shown()[1].text.find(L"Enter a black balance from -9 to 9."), std::wstring::npos);
  Type(148, 1487, L"-2");
  EXPECT_EQ(Send(148, kColorPageStore), 1);
  EXPECT_EQ(At(kAll, kBlack), -2);
  kit_.Context()->lParam = reinterpret_cast<LPARAM>(&kit_.Session());
}

// A resident RGB source profile at index 3 is chosen by the value 259 and
// copied into the object's record; a built-in choice clears the record and
// names it; a refused choice puts selection and record back.
TEST_F(ColorPages, TheProfileListsStoreResidentAndBuiltInChoices) {
  model_->features[kMfColorAdjustIccProf] = 1;
  ColorProfileRecord rgb[kResidentProfilesMax] = {};
  for (uint32_t i = 0; i < 4; ++i) rgb[i] = Resident(i == 3 ? u"OFFICE4" : u"OTHER", u"Office RGB", 1);
  ResidentProfileUiState lists = {};
  lists.lists[static_cast<size_t>(ResidentProfileList::kRgbSource)] = rgb;
  lists.counts[static_cast<size_t>(ResidentProfileList::kRgbSource)] = 4;
  std::memcpy(kit_.UiState().bytes + kUiStateResidentProfilesAt, &lists, sizeof lists);
  F().ColorAdjustMFP_nMatchSettings = 1;
  F().ColorAdjustMFP_nMatchType = 1;
  F().nImageRGBColor = 1;
  F().nImageDestColor = 77;  // no such entry: the first is taken
  OpenPages({189});
  EXPECT_EQ(Count(189, 2268), 6 + 4);
  EXPECT_EQ(Slots().builtInCounts[0], 6u);
  EXPECT_EQ(Selected(189, 2268), 1);
  EXPECT_EQ(Selected(189, 2270), 0);
  EXPECT_EQ(F().nImageDestColor, 0);

  SelectData(189, 2268, 259);
  EXPECT_EQ(F().nImageRGBColor, 259);
  EXPECT_EQ(std::memcmp(F().ImageRGBSc_szDownloadName, u"OFFICE4", 16), 0);
  wchar_t entry[120] = {};
  SendDlgItemMessageW(Page(189), 2268, CB_GETLBTEXT, Selected(189, 2268), reinterpret_cast<LPARAM>(entry));
  EXPECT_STREQ(entry, L"OFFICE4 (Office RGB) in flash memory");
  EXPECT_EQ(F().nCharRGBColor, 0);  // the other objects keep theirs

  std::memcpy(F().ImageDestSc_szProfileName, u"stale", 12);
  Select(189, 2270, 0);
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(F().ImageDestSc_szProfileName)), u"Automatic");

  g_refuse = {2268};
  Select(189, 2268, 0);
  EXPECT_EQ(F().nImageRGBColor, 259);
  EXPECT_EQ(std::memcmp(F().ImageRGBSc_szDownloadName, u"OFFICE4", 16), 0);
  EXPECT_EQ(SendDlgItemMessageW(Page(189), 2268, CB_GETITEMDATA, Selected(189, 2268), 0), 259);

  // All objects: the lists are shown but not offered.
  F().ColorAdjustMFP_nMatchSettings = 0;
  Send(189, kColorPageRefresh);
  Slots().currentTab = 1;
  EnableQualityControls(host_, kit_.Context());
  for (int id : {2268, 2270, 2273, 2274, 2276, 1032}) EXPECT_FALSE(Enabled(189, id)) << id;
}

// The page the rules show, by the kind of context, the profile switch, the
// object choice and the tab; drawings without profiles show no details.
TEST_F(ColorPages, EnableQualityControlsShowsThePageTheRulesChoose) {
  struct Case {
    bool plugin, profiles;
    uint8_t mode, object;
    uint32_t tab;
    int page;          // 0: none
    bool details;
  };
  const Case cases[] = {
      {false, false, 0, 0, 0, 147, true}, {false, false, 0, 0, 1, 149, true}, {false, false, 1, 2, 0, 162, false},
      {false, true, 0, 0, 0, 147, true},  {false, true, 0, 0, 1, 189, true},  {false, true, 0, 0, 2, 149, true},
      {false, true, 1, 2, 0, 189, true},  {false, true, 1, 2, 1, 162, true},  {true, true, 0, 0, 1, 148, true},
      {true, false, 0, 0, 2, 149, true},  {true, false, 1, 0, 0, 147, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "plugin " << c.plugin << " profiles " << c.profiles << " mode " << int(c.mode)
                                    << " object " << int(c.object) << " tab " << c.tab);
    PluginHost plugin(&kit_.Settings());
    kit_.Context()->lParam = c.plugin ? reinterpret_cast<LPARAM>(plugin.doc.get())
                                      : reinterpret_cast<LPARAM>(&kit_.Session());
    model_->features[kMfColorAdjustIccProf] = c.profiles ? 1 : 0;
    F().ColorAdjustMFP_nMatchSettings = c.mode;
    F().ColorAdjustMFP_nMatchType = c.object;
    OpenPages({147, 189, 148, 149, 162});
    Slots().currentTab = c.tab;
    EnableQualityControls(host_, kit_.Context());
    for (const auto& [id, page] : byId_) EXPECT_EQ(Shown(page), id == c.page) << id;
    EXPECT_EQ(Shown(GetDlgItem(host_, 1877)), c.details);
    EXPECT_EQ(Shown(GetDlgItem(host_, 1890)), !c.details);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(host_, 1890)));
    EXPECT_EQ(Shown(GetDlgItem(host_, 1393)), c.profiles);
    if (c.profiles) {
      EXPECT_FALSE(IsWindowEnabled(GetDlgItem(host_, 1393)));  // no download manager here
    }
    for (HWND page : pages_) DestroyWindow(page);
    pages_.clear();
    byId_.clear();
    DestroyWindow(host_);
    host_ = nullptr;
  }
  kit_.Context()->lParam = reinterpret_cast<LPARAM>(&kit_.Session());
}

// The smoothing row of page 149 is not offered for text in each-object mode.
TEST_F(ColorPages, SmoothingIsNotOfferedForText) {
  F().ColorAdjustMFP_nMatchSettings = 1;
  F().ColorAdjustMFP_nMatchType = 0;
  OpenPages({149});
  Slots().currentTab = 1;
  SelectObject(0);
  EnableQualityControls(host_, kit_.Context());
  EXPECT_FALSE(Enabled(149, 1752));
  SelectObject(1);
  F().ColorAdjustMFP_nMatchType = 1;
  EnableQualityControls(host_, kit_.Context());
  EXPECT_TRUE(Enabled(149, 1752));
}

}  // namespace
