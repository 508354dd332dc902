// The Per Page Setting dialog under Wine and Xvfb on the dialog kit's
// session, with the finishing fixture model (the sample model with the
// per-page settings switched on): the session's lists edited in the
// dialog's own copies, the page-range checks and their messages, OK and
// Cancel.  The constraint pass is scripted and message boxes are recorded.
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
#include "common/records/inter_sheet_rules.h"
#include "common/win/inter_sheet_store.h"
#include "dproc/constraints/constraint_rules.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/model/default_settings.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings.h"
#include "dproc/model/edit_items.h"
#include "dproc/model/message_text.h"
#include "dproc/model/option_text_sections.h"
#include "dproc/perpage/per_page_dialogs_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/sheets/per_page_ui_lists.h"
#include "dproc/startup/model_startup_defaults.h"
#include "tests/support/canvas_win.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/modal_dialog_driver_win.h"
#include "tests/support/sheet_model_win.h"
#include "tests/support/test_paths.h"

namespace {

using testsupport::DialogKit;

std::set<int> g_refuse;
int32_t ScriptedCheck(HWND, HWND, uint16_t id) { return g_refuse.count(id) != 0 ? 101 : 199; }

struct LoadedModel {
  ModelInfo* model = nullptr;
  MessageTables texts = {};
  void Load(const std::string& path) {
    // With the edit items of the description, as the library reads them.
    testsupport::LoadSheetModel(path, &model, &texts,
                                {.afterBuild = nullptr, .afterTexts = [](QxdContext* file, ModelInfo*) { LoadEditItemTable(file); }});
  }
};
LoadedModel g_fixture;

InterSheetEntry Entry(const char16_t* pages, uint32_t printType = 1) {
  InterSheetEntry e = PerPageEntryTemplate();
  std::memcpy(e.pages, pages, std::char_traits<char16_t>::length(pages) * 2);
  e.printType = printType;
  return e;
}

class PerPageSetting : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (g_fixture.model == nullptr) g_fixture.Load("fixtures/finishing/VELDRANH.QXD");
  }
  void SetUp() override {
    ASSERT_NE(g_fixture.model, nullptr);
    ProcessModelInfo() = g_fixture.model;
    DialogFrameworkModules().templates = kit_.Templates();
    DialogFrameworkModules().images = kit_.Images();
    DialogFrameworkModules().texts = &g_fixture.texts;
    UseGeneralMessageTable(&g_fixture.texts);
    SetSheetConstraintCheck(ScriptedCheck);
    g_refuse.clear();
    F().CoverMFP_bUsePerPageSet = 1;
    F().CoverMFP_nPerPageList = 2;
    F().nDuplex = 1;
    F().nPaperSize = 9;  // A4
    F().nOutPaperSize = 9;
    F().nOrientation = 1;
    // List 2 of the session: two entries, the second a tab sheet.
    InterSheetEntry entries[2] = {Entry(u"2-3", 2), Entry(u"5")};
    entries[1].tabPaper = 1;
    std::memcpy(entries[1].caption, u"Summary", 7 * 2);
    InterSheetList list = {};
    std::memcpy(list.name, u"Reports", 7 * 2);
    list.count = 2;
    list.entries = entries;
    list.tab = {9, 2230, 2970, 2100, 5, 34, 34, 10, 0};
    Lists()->lists[1] = CopyInterSheetList(&list);
  }
  void TearDown() override {
    kit_.Close();
    for (InterSheetList*& l : Lists()->lists) {
      FreeInterSheetList(l);
      l = nullptr;
    }
    SetSheetConstraintCheck(nullptr);
    ProcessModelInfo() = nullptr;
    DialogFrameworkModules().texts = nullptr;
    UseGeneralMessageTable(nullptr);
  }

  PerPageUiLists* Lists() { return PerPageListsOf(&kit_.UiState()); }
  DocFields& F() { return Fields(kit_.Settings()); }
  void Open() {
    ASSERT_NE(kit_.OpenDialog(kit_.Templates(), kPerPageSettingTemplate, PerPageSettingDlgProc), nullptr);
  }
  HWND Rows() { return kit_.Control(1539); }
  int RowCount() { return ListView_GetItemCount(Rows()); }
  std::wstring Cell(int row, int column) {
    wchar_t text[256] = {};
    ListView_GetItemText(Rows(), row, column, text, 256);
    return text;
  }
  int Icon(int row) {
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    ListView_GetItem(Rows(), &item);
    return item.iImage;
  }
  int Selected() { return ListView_GetNextItem(Rows(), -1, LVNI_SELECTED); }
  void SelectRow(int row) {
    ListView_SetItemState(Rows(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    DialogKit::Pump();
  }
  void SetText(int id, const wchar_t* text) {
    SetDlgItemTextW(kit_.Dialog(), id, text);
    DialogKit::Pump();
  }
  std::wstring Text(int id) {
    wchar_t t[300] = {};
    GetDlgItemTextW(kit_.Dialog(), id, t, 300);
    return t;
  }
  bool Enabled(int id) { return IsWindowEnabled(kit_.Control(id)) != FALSE; }
  // Chooses the category whose line starts with `name`, then the value.
  void ChooseSetting(const wchar_t* name, uint32_t value) {
    HWND list = kit_.Control(1609);
    const int n = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    int found = -1;
    for (int i = 0; i < n; ++i) {
      wchar_t line[128] = {};
      SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line));
      if (std::wstring(line).rfind(name, 0) == 0) found = i;
    }
    ASSERT_GE(found, 0) << "category";
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
    SendMessageW(kit_.Dialog(), WM_COMMAND, MAKEWPARAM(1609, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    HWND combo = kit_.Control(1610);
    const int items = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < items; ++i) {
      const auto* row = reinterpret_cast<const OptionHead*>(SendMessageW(combo, CB_GETITEMDATA, i, 0));
      if (row->value == value) {
        kit_.Select(1610, i);
        return;
      }
    }
    FAIL() << "value " << value;
  }
  std::wstring LastBox() { return kit_.Boxes().shown().empty() ? L"" : kit_.Boxes().shown().back().text; }

  DialogKit kit_;
};

TEST_F(PerPageSetting, OpensOnTheDocumentsListWithItsEntriesBetweenTheDocumentRows) {
  Open();
  ASSERT_EQ(RowCount(), 4);
  EXPECT_EQ(Cell(0, 0), L"Document (start)");
  EXPECT_EQ(Cell(0, 1), L"One-sided") << "the document's sides";
  EXPECT_EQ(Cell(1, 0), L"2-3");
  EXPECT_EQ(Cell(1, 1), L"Two-sided");
  EXPECT_EQ(Cell(2, 0), L"5");
  EXPECT_EQ(Cell(2, 2), L"Tab sheet");
  EXPECT_EQ(Cell(2, 7), L"Summary");
  EXPECT_EQ(Cell(2, 8), L"*1/5") << "the first tab, continuing";
  EXPECT_EQ(Cell(3, 0), L"Document (rest)");
  EXPECT_EQ(Icon(1), 2) << "two-sided";
  EXPECT_EQ(Icon(2), 4) << "a printed tab sheet";
  EXPECT_EQ(Icon(0), 1) << "the document is one-sided";
  EXPECT_EQ(Selected(), 0);
  EXPECT_FALSE(Enabled(1614)) << "a document row is not edited";
  EXPECT_FALSE(Enabled(1098));
  EXPECT_TRUE(Enabled(1102));
  // The chooser shows the lists' own names, or their default names.
  HWND chooser = kit_.Control(1092);
  const auto* chosen = reinterpret_cast<const OptionItem*>(
      SendMessageW(chooser, CB_GETITEMDATA, SendMessageW(chooser, CB_GETCURSEL, 0, 0), 0));
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen->value, 2u);
  EXPECT_EQ(std::u16string(chosen->text), u"Reports");
  SelectRow(2);
  EXPECT_EQ(Text(1614), L"5");
  EXPECT_EQ(Text(1146), L"Summary");
  EXPECT_TRUE(Enabled(1146)) << "a tab entry takes a caption";
  kit_.Screenshot("per_page_setting");
}

TEST_F(PerPageSetting, AddedEntryWithItsSettingsReachesTheSessionOnOk) {
  Open();
  kit_.Click(1102);
  ASSERT_EQ(RowCount(), 5);
  EXPECT_EQ(Selected(), 3);
  SetText(1614, L"8,7,9-10");
  ChooseSetting(L"Tab sheet", 1);
  SetText(1146, L"Appendix");
  EXPECT_EQ(Cell(3, 8), L"*2/5");
  ChooseSetting(L"Print", 0);
  kit_.Click(IDOK);
  const InterSheetList* list = Lists()->lists[1];
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count, 3u);
  EXPECT_EQ(std::u16string(list->entries[2].pages), u"7-10") << "written in canonical form";
  EXPECT_EQ(list->entries[2].tabPaper, 1u);
  EXPECT_EQ(list->entries[2].printType, 0u);
  EXPECT_EQ(std::u16string(list->entries[2].caption), u"Appendix");
  EXPECT_EQ(list->entries[2].row, 3u);
  EXPECT_TRUE(kit_.Boxes().shown().empty());
  // The other lists reach the session with their default names.
  ASSERT_NE(Lists()->lists[0], nullptr);
  EXPECT_EQ(std::u16string(Lists()->lists[0]->name), u"List 1");
  EXPECT_EQ(Lists()->lists[0]->tab.tabCount, 5);
  EXPECT_EQ(Lists()->loadedBySheet, 0x3FDu) << "the new lists are the sheet's to free, list 2 stays the session's";
}

// The page texts are checked together when the dialog is left: a table of
// texts and the message each gives.
TEST_F(PerPageSetting, PageTextsAreCheckedTogetherOnOk) {
  struct Case {
    const wchar_t* pages;
    const wchar_t* says;
  } cases[] = {
      {L"0", L"separated by commas"},
      {L"05", L"separated by commas"},
      {L"4x", L"separated by commas"},
      {L"10000", L"up to 9999"},
      {L"3", L"overlap: 3"},
      {L"", L"Type the pages this entry applies to"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "pages \"" << std::string(c.pages, c.pages + wcslen(c.pages)) << "\"");
    Open();
    SelectRow(2);
    // Same kind as the first entry's 2-3 when it names page 3.
    ChooseSetting(L"Print", 2);
    SetText(1614, c.pages);
    const size_t before = kit_.Boxes().shown().size();
    kit_.Click(IDOK);
    ASSERT_EQ(kit_.Boxes().shown().size(), before + 1);
    EXPECT_NE(LastBox().find(c.says), std::wstring::npos) << std::string(LastBox().begin(), LastBox().end());
    EXPECT_EQ(Lists()->lists[1]->count, 2u);
    EXPECT_EQ(std::u16string(Lists()->lists[1]->entries[1].pages), u"5") << "the session keeps its list";
    kit_.Close();
  }
}

// The page and caption edits follow the description's edit items as the
// sample model ships them: the page text keeps digits, letters (the page
// check names those), commas, hyphens and spaces, and is cut to the shorter
// length of the item and the dialog's (14 beside a caption); the caption is
// cut at 192 characters.
TEST_F(PerPageSetting, PageAndCaptionEditsFollowTheDescriptionsEditItems) {
  Open();
  EXPECT_EQ(SendMessageW(kit_.Control(1614), EM_GETLIMITTEXT, 0, 0), 20) << "the item's own limit";
  SelectRow(2);
  struct Case {
    const wchar_t* typed;
    const wchar_t* kept;
  } cases[] = {
      {L"1,\xFF13;5-6", L"1,5-6"},
      {L"2.4 / 7", L"24  7"},
      {L"4x", L"4x"},
      {L"1,2,3,4,5,6,7,8,9", L"1,2,3,4,5,6,7,"},
  };
  for (const Case& c : cases) {
    SetText(1614, c.typed);
    EXPECT_EQ(Text(1614), c.kept);
  }
  SetText(1614, L"7");
  EXPECT_EQ(Cell(2, 0), L"7");
  const std::wstring longCaption(200, L'c');
  SetText(1146, longCaption.c_str());
  EXPECT_EQ(Text(1146).size(), 192u);
  kit_.Click(IDOK);
  EXPECT_TRUE(kit_.Boxes().shown().empty());
  ASSERT_EQ(Lists()->lists[1]->count, 2u);
  EXPECT_EQ(std::u16string(Lists()->lists[1]->entries[1].pages), u"7");
  EXPECT_EQ(std::char_traits<char16_t>::length(Lists()->lists[1]->entries[1].caption), 192u);
}

// Entries of different kinds may share pages, but together name at most
// 9999.
TEST_F(PerPageSetting, EntriesNameAtMost9999PagesInAll) {
  Open();
  SelectRow(2);
  ChooseSetting(L"Print", 0);  // blank sheets: not the kind of the first entry's printed pages
  SetText(1614, L"1-9997");
  kit_.Click(IDOK);
  ASSERT_TRUE(kit_.Boxes().shown().empty()) << "2 and 9997 pages: " << std::string(LastBox().begin(), LastBox().end());
  EXPECT_EQ(std::u16string(Lists()->lists[1]->entries[1].pages), u"1-9997");
  kit_.Close();
  Open();
  SelectRow(2);
  ChooseSetting(L"Print", 0);
  SetText(1614, L"1-9998");
  kit_.Click(IDOK);
  ASSERT_EQ(kit_.Boxes().shown().size(), 1u);
  EXPECT_NE(LastBox().find(L"at most 9999 pages in all"), std::wstring::npos);
  EXPECT_EQ(std::u16string(Lists()->lists[1]->entries[1].pages), u"1-9997") << "the session keeps its list";
}

TEST_F(PerPageSetting, AnEntryWithoutPagesCannotBeLeftButCanBeDeleted) {
  Open();
  kit_.Click(1102);
  ASSERT_EQ(Selected(), 3);
  SelectRow(0);
  EXPECT_EQ(Selected(), 3) << "the move was refused";
  EXPECT_EQ(kit_.Boxes().shown().size(), 1u);
  EXPECT_NE(LastBox().find(L"Type the pages this entry applies to"), std::wstring::npos);
  kit_.Click(1098);
  EXPECT_EQ(RowCount(), 4);
  EXPECT_EQ(Selected(), 3) << "the closing document row takes its place";
  EXPECT_EQ(kit_.Boxes().shown().size(), 1u);
}

// An entry the job leaves out: marked, not edited, not checked.
TEST_F(PerPageSetting, AnExcludedEntryIsMarkedAndLeftOutOfTheChecks) {
  InterSheetList* stored = Lists()->lists[1];
  InterSheetEntry entries[3] = {stored->entries[0], stored->entries[1], Entry(u"")};
  entries[2].excluded = 1;
  entries[2].showDefaults = 1;
  entries[2].row = 3;
  InterSheetList list = *stored;
  list.count = 3;
  list.entries = entries;
  Lists()->lists[1] = CopyInterSheetList(&list);
  FreeInterSheetList(stored);
  Open();
  ASSERT_EQ(RowCount(), 5);
  EXPECT_EQ(Icon(3), 5) << "the warning";
  SelectRow(3);
  EXPECT_EQ(Selected(), 3);
  EXPECT_FALSE(Enabled(1614));
  EXPECT_FALSE(Enabled(1610));
  SelectRow(1);
  EXPECT_EQ(Selected(), 1) << "leaving it needs no pages";
  kit_.Click(IDOK);
  EXPECT_TRUE(kit_.Boxes().shown().empty());
  EXPECT_EQ(Lists()->lists[1]->count, 3u);
}

TEST_F(PerPageSetting, EntriesMoveUpAndDownAndAreDeleted) {
  Open();
  SelectRow(2);
  EXPECT_FALSE(Enabled(1105)) << "the last entry";
  kit_.Click(1612);
  EXPECT_EQ(Cell(1, 0), L"5");
  EXPECT_EQ(Cell(2, 0), L"2-3");
  EXPECT_EQ(Selected(), 1);
  EXPECT_FALSE(Enabled(1612)) << "now the first entry";
  kit_.Click(1098);
  EXPECT_EQ(RowCount(), 3);
  EXPECT_EQ(Cell(1, 0), L"2-3");
  kit_.Click(IDOK);
  ASSERT_EQ(Lists()->lists[1]->count, 1u);
  EXPECT_EQ(std::u16string(Lists()->lists[1]->entries[0].pages), u"2-3");
  EXPECT_EQ(Lists()->lists[1]->entries[0].row, 1u);
}

TEST_F(PerPageSetting, SettingsChangeOnlyOnEntryRowsAndARefusalGoesBack) {
  Open();
  // A document row: the change is not taken.
  const std::wstring sides = Cell(0, 1);
  ChooseSetting(L"Print", 0);
  EXPECT_EQ(Cell(0, 1), sides);
  EXPECT_EQ(Cell(1, 1), L"Two-sided");
  SelectRow(1);
  kit_.Screenshot("per_page_entry");
  g_refuse = {1610};
  ChooseSetting(L"Print", 0);
  EXPECT_EQ(Cell(1, 1), L"Two-sided") << "refused";
  g_refuse.clear();
  // A tab entry set back to a plain sheet loses its caption.
  SelectRow(2);
  ChooseSetting(L"Tab sheet", 0);
  EXPECT_EQ(Text(1146), L"");
  EXPECT_FALSE(Enabled(1146));
  kit_.Click(IDOK);
  EXPECT_EQ(Lists()->lists[1]->entries[1].caption[0], u'\0');
  EXPECT_EQ(Lists()->lists[1]->entries[0].printType, 2u);
}

TEST_F(PerPageSetting, CancelKeepsTheSessionsListsAndTheDocumentsList) {
  Open();
  HWND chooser = kit_.Control(1092);
  const int items = static_cast<int>(SendMessageW(chooser, CB_GETCOUNT, 0, 0));
  int five = -1;
  for (int i = 0; i < items; ++i) {
    if (reinterpret_cast<const OptionHead*>(SendMessageW(chooser, CB_GETITEMDATA, i, 0))->value == 5) five = i;
  }
  ASSERT_GE(five, 0);
  kit_.Select(1092, five);
  EXPECT_EQ(F().CoverMFP_nPerPageList, 5);
  EXPECT_EQ(RowCount(), 2) << "list 5 is empty";
  kit_.Click(1102);
  SetText(1614, L"4");
  kit_.Click(IDCANCEL);
  EXPECT_EQ(F().CoverMFP_nPerPageList, 2);
  EXPECT_EQ(Lists()->lists[4], nullptr);
  EXPECT_EQ(Lists()->lists[1]->count, 2u);
}

// The constraint marks the dialog's passes leave on the per-page settings
// (locked rows, marked options, the model's per-page staple marks, which
// the dialog clears when it opens) go back on Cancel; a mark of another
// setting stays as the pass left it.
TEST_F(PerPageSetting, CancelPutsTheConstraintMarksOfThePerPageSettingsBack) {
  OptionHead* tabOptions = FindOptionTable("PerPageListTabPaper");
  ASSERT_NE(tabOptions, nullptr);
  ModelListItem* staples = g_fixture.model->perPageStaples;
  ASSERT_NE(staples, nullptr);
  ASSERT_NE(staples[0].keyword[0], '\0');
  FeatureEntry rows[3] = {};
  std::memcpy(rows[0].keyword, u"PerPageListTabPaper", 20 * 2);
  rows[0].options = tabOptions;
  rows[0].pendingValue = -1;
  std::memcpy(rows[1].keyword, u"PerPageListName", 16 * 2);
  rows[1].pendingValue = -1;
  std::memcpy(rows[2].keyword, u"Staple", 7 * 2);
  rows[2].pendingValue = -1;
  ConstraintRules& rules = ProcessConstraintRules();
  FeatureEntry* const oldFeatures = rules.features;
  const uint32_t oldCount = rules.featureCount;
  rules.features = rows;
  rules.featureCount = 3;
  const OptionHead* secondTab = NextOptionRow(tabOptions);
  tabOptions->flag = 0;
  const_cast<OptionHead*>(secondTab)->flag = 1;
  staples[0].flag = 1;
  rows[1].available = 1;

  // The pass of a setting change marks what the entry rules out.
  SetSheetConstraintCheck([](HWND, HWND, uint16_t id) -> int32_t {
    ConstraintRules& r = ProcessConstraintRules();
    if (id == 1610 && r.features != nullptr) {
      r.features[0].options->flag = 1;
      const_cast<OptionHead*>(NextOptionRow(r.features[0].options))->flag = 0;
      r.features[0].locked = 1;
      r.features[1].available = 0;
      r.features[2].locked = 1;
    }
    return 199;
  });
  Open();
  EXPECT_EQ(staples[0].flag, 0u) << "cleared when the dialog opens";
  SelectRow(1);
  ChooseSetting(L"Print", 1);
  ASSERT_EQ(tabOptions->flag, 1u);
  staples[0].flag = 1;
  kit_.Click(IDCANCEL);

  EXPECT_EQ(tabOptions->flag, 0u);
  EXPECT_EQ(secondTab->flag, 1u);
  EXPECT_EQ(rows[0].locked, 0u);
  EXPECT_EQ(rows[1].available, 1u);
  EXPECT_EQ(staples[0].flag, 0u) << "as the dialog found it after its first pass";
  EXPECT_EQ(rows[2].locked, 1u) << "not a per-page setting";
  tabOptions->flag = 0;
  const_cast<OptionHead*>(secondTab)->flag = 0;
  rules.features = oldFeatures;
  rules.featureCount = oldCount;
}

// The rows are drawn by the dialog: the highlight colours on the selected
// row, the window colour on the others, the icons before the first
// column's text, and each cell's text inside its own column (an empty cell
// stays empty).
TEST_F(PerPageSetting, RowsAreDrawnWithTheirIconsAndEachTextInItsColumn) {
  Open();
  SelectRow(1);
  RECT bounds = {};
  ASSERT_TRUE(ListView_GetItemRect(Rows(), 1, &bounds, LVIR_BOUNDS));
  const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
  ASSERT_GT(h, 8);
  std::vector<int> left = {0};
  for (int c = 0; c < 9; ++c) left.push_back(left.back() + ListView_GetColumnWidth(Rows(), c));
  ASSERT_LE(left[9], w + 1);
  auto drawn = [&](int row, UINT state, testsupport::Canvas& canvas) {
    DRAWITEMSTRUCT d = {};
    d.CtlType = ODT_LISTVIEW;
    d.CtlID = 1539;
    d.itemID = static_cast<UINT>(row);
    d.itemAction = ODA_DRAWENTIRE;
    d.itemState = state;
    d.hwndItem = Rows();
    d.hDC = canvas.dc();
    d.rcItem = {0, 0, w, h};
    SendMessageW(kit_.Dialog(), WM_DRAWITEM, 1539, reinterpret_cast<LPARAM>(&d));
  };
  auto rgb = [](COLORREF c) { return static_cast<uint32_t>(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c)); };
  // Pixels other than `back` in columns [from, to) of the canvas.
  auto marked = [&](testsupport::Canvas& canvas, int x0, int x1, uint32_t back) {
    int n = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = x0; x < x1 && x < w; ++x) n += canvas.At(x, y) != back;
    }
    return n;
  };
  {
    testsupport::Canvas canvas(w, h, 0x123456);
    drawn(1, ODS_SELECTED, canvas);
    const uint32_t back = rgb(GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(canvas.At(left[8] + 3, h / 2), back) << "the selected row's colour, an empty tab cell";
    EXPECT_GT(marked(canvas, 2, 18, back), 20) << "the icon";
    EXPECT_GT(marked(canvas, 20, left[1], back), 10) << "\"2-3\"";
    EXPECT_GT(marked(canvas, left[1], left[2], back), 20) << "\"Two-sided\"";
    EXPECT_EQ(marked(canvas, left[7], left[9], back), 0) << "no caption, no tab";
  }
  {
    testsupport::Canvas canvas(w, h, 0x123456);
    drawn(2, 0, canvas);
    const uint32_t back = rgb(GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(canvas.At(w - 1, h / 2), back);
    EXPECT_GT(marked(canvas, left[7], left[8], back), 20) << "the caption";
    EXPECT_GT(marked(canvas, left[8], left[9], back), 10) << "the tab number";
  }
}

// The summary picture of a tab entry: the background tile, the printed page
// through its mask, and the tab sheet in the picture's right part.
TEST_F(PerPageSetting, SummaryShowsThePageAndTheTabSheetOnTheBackgroundTile) {
  Open();
  SelectRow(2);
  RECT item = {};
  GetClientRect(kit_.Control(1235), &item);
  const int w = item.right, h = item.bottom;
  ASSERT_GT(w, 190);
  testsupport::Canvas canvas(w, h, 0xFFFFFF);
  auto draw = [&] {
    DRAWITEMSTRUCT d = {};
    d.CtlType = ODT_STATIC;
    d.CtlID = 1235;
    d.itemAction = ODA_DRAWENTIRE;
    d.hwndItem = kit_.Control(1235);
    d.hDC = canvas.dc();
    d.rcItem = item;
    SendMessageW(kit_.Dialog(), WM_DRAWITEM, 1235, reinterpret_cast<LPARAM>(&d));
  };
  draw();
  const int left = (w - 190) / 2, top = (h - 164) / 2 + 4;
  EXPECT_EQ(canvas.At(left + 2, h - 3), 0x008080u) << "the tile";
  EXPECT_EQ(canvas.At(left + 50, top + 120), 0xFFFFFFu) << "the page";
  EXPECT_EQ(canvas.At(left + 16 + 20, top + 40), 0x808080u) << "a printed line";
  EXPECT_EQ(canvas.At(left + 9 + 84, top + 100), 0x808080u) << "the page's shadow";
  int sheet = 0, elsewhere = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (canvas.At(x, y) != 0xFFFF80u) continue;
      // The sheet's edge starts in the schematic's part; its tab may stand
      // out to the right.
      const bool inside = x >= left + 105 && y >= top + 3 && y < top + 160;
      (inside ? sheet : elsewhere) += 1;
    }
  }
  EXPECT_GT(sheet, 500) << "the tab sheet's schematic";
  EXPECT_EQ(elsewhere, 0);
  // A blank tab sheet: the page without its lines.
  ChooseSetting(L"Print", 0);
  draw();
  EXPECT_EQ(canvas.At(left + 16 + 20, top + 40), 0xFFFFFFu);
  // The document row: the document's page on the tile, no tab sheet.
  SelectRow(0);
  draw();
  EXPECT_EQ(canvas.At(2, h - 3), 0x008080u);
  int yellow = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) yellow += canvas.At(x, y) == 0xFFFF80u;
  }
  EXPECT_EQ(yellow, 0);
  kit_.Screenshot("summary");
}

// --- Index Paper Setting, opened from the list's editor.

void Choose(HWND d, int comboId, uint32_t value) {
  HWND combo = GetDlgItem(d, comboId);
  const int items = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < items; ++i) {
    if (reinterpret_cast<const OptionHead*>(SendMessageW(combo, CB_GETITEMDATA, i, 0))->value == value) {
      SendMessageW(combo, CB_SETCURSEL, i, 0);
      SendMessageW(d, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
      return;
    }
  }
  ADD_FAILURE() << "value " << value;
}
std::wstring ItemText(HWND d, int id) {
  wchar_t t[64] = {};
  GetDlgItemTextW(d, id, t, 64);
  return t;
}

// Fifteen tabs on letter tab paper narrow the gap; spaces and a gap each
// in range that leave no room for the tabs are refused on OK with the
// widest gap that fits, and the list's tab entries then continue from tab
// to tab.
TEST_F(PerPageSetting, IndexPaperRefusesTabsThatDoNotFitTheSheet) {
  Open();
  SelectRow(2);
  ChooseSetting(L"Print", 1);
  std::wstring label;
  size_t boxes = 0;
  std::wstring refusal;
  testsupport::ModalDialogDriver driver;
  driver.Then([&](HWND d) {
    Choose(d, 1000, 1);   // letter tab paper
    Choose(d, 1002, 15);  // fifteen tabs
    label = ItemText(d, 1655);
    SetDlgItemTextW(d, 1645, L"50");
    SetDlgItemTextW(d, 1650, L"50");
    SetDlgItemTextW(d, 1654, L"14");
    SendMessageW(d, WM_COMMAND, IDOK, 0);
    boxes = kit_.Boxes().shown().size();
    refusal = LastBox();
    SetDlgItemTextW(d, 1654, L"12");
    PostMessageW(d, WM_COMMAND, IDOK, 0);
  });
  SetSheetDialogRunner(nullptr);
  kit_.Click(1109);
  EXPECT_EQ(driver.Pending(), 0u);
  EXPECT_EQ(label, L"mm [0...14]");
  EXPECT_EQ(boxes, 1u);
  EXPECT_NE(refusal.find(L"from 0 to 12 mm"), std::wstring::npos) << std::string(refusal.begin(), refusal.end());
  EXPECT_EQ(Cell(2, 8), L"*1/15");
  kit_.Click(IDOK);
  const TabSettings& tab = Lists()->lists[1]->tab;
  EXPECT_EQ(tab.paperSize, 1);
  EXPECT_EQ(tab.height, 2794);
  EXPECT_EQ(tab.tabCount, 15);
  EXPECT_EQ(tab.gap, 12);
  EXPECT_EQ(tab.topSpace, 50);
  EXPECT_TRUE(TabsFit(tab));
}

TEST_F(PerPageSetting, IndexPaperCancelPutsTheTabSheetBack) {
  Open();
  testsupport::ModalDialogDriver driver;
  driver.Then(
      [&](HWND d) {
        kit_.Screenshot("index_paper", d);
        Choose(d, 1000, 1);
        Choose(d, 1002, 3);
        SetDlgItemTextW(d, 1645, L"20");
        SetDlgItemTextW(d, 1656, L"-7");
        PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
      },
      nullptr, testsupport::ModalDialogDriver::kWhenShown);
  SetSheetDialogRunner(nullptr);
  kit_.Click(1109);
  EXPECT_EQ(driver.Pending(), 0u);
  kit_.Click(IDOK);
  const TabSettings expected = {9, 2230, 2970, 2100, 5, 34, 34, 10, 0};
  EXPECT_EQ(std::memcmp(&Lists()->lists[1]->tab, &expected, sizeof expected), 0);
}

// --- List Name Edit and Punch Setting.

TEST_F(PerPageSetting, ListNamesAreNeitherEmptyNorAnothersAndCancelBringsTheOldBack) {
  Open();
  std::vector<std::wstring> said;
  testsupport::ModalDialogDriver driver;
  driver.Then([&](HWND d) {
    SetDlgItemTextW(d, 1626, L"");
    SendMessageW(d, WM_COMMAND, IDOK, 0);
    said.push_back(LastBox());
    SetDlgItemTextW(d, 1626, L"List 1");  // the default name of list 1
    SendMessageW(d, WM_COMMAND, IDOK, 0);
    said.push_back(LastBox());
    SetDlgItemTextW(d, 1626, L"list 1");  // another letter case is another name
    PostMessageW(d, WM_COMMAND, IDOK, 0);
  });
  SetSheetDialogRunner(nullptr);
  kit_.Click(1095);
  ASSERT_EQ(said.size(), 2u);
  EXPECT_NE(said[0].find(L"Enter a name for the list"), std::wstring::npos);
  EXPECT_NE(said[1].find(L"Another list is named List 1"), std::wstring::npos);
  HWND chooser = kit_.Control(1092);
  const auto* chosen = reinterpret_cast<const OptionItem*>(
      SendMessageW(chooser, CB_GETITEMDATA, SendMessageW(chooser, CB_GETCURSEL, 0, 0), 0));
  EXPECT_EQ(std::u16string(chosen->text), u"list 1");
  // Default gives the list its default name at once; Cancel takes it back.
  driver.Then([&](HWND d) {
    SendMessageW(d, WM_COMMAND, MAKEWPARAM(1032, BN_CLICKED), 0);
    said.push_back(ItemText(d, 1626));
    PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
  });
  kit_.Click(1095);
  ASSERT_EQ(said.size(), 3u);
  EXPECT_EQ(said[2], L"List 2");
  kit_.Click(IDCANCEL);
  EXPECT_EQ(std::u16string(Lists()->lists[1]->name), u"Reports") << "the editor's Cancel keeps the session's name";
}

TEST_F(PerPageSetting, SettingButtonsOpenTheirDialogs) {
  std::vector<uint16_t> opened;
  static std::vector<uint16_t>* runs;
  runs = &opened;
  SetSheetDialogRunner([](HWND, uint16_t id, DLGPROC, LPARAM) -> intptr_t {
    runs->push_back(id);
    return IDCANCEL;
  });
  Open();
  SelectRow(2);
  for (int id : {1095, 1107, 1100, 1109, 1620}) kit_.Click(id);
  SetSheetDialogRunner(nullptr);
  EXPECT_EQ(opened, (std::vector<uint16_t>{138, 139, 153, 140, 141}));
}

TEST_F(PerPageSetting, PunchKindIsTheDocumentsAndItsCancelPutsItBack) {
  F().nPunchNum = 4;
  Open();
  testsupport::ModalDialogDriver driver;
  driver.Then([&](HWND d) {
    Choose(d, 1050, 7);
    PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
  });
  SetSheetDialogRunner(nullptr);
  kit_.Click(1107);
  EXPECT_EQ(F().nPunchNum, 4);
  driver.Then([&](HWND d) {
    Choose(d, 1050, 7);
    PostMessageW(d, WM_COMMAND, IDOK, 0);
  });
  kit_.Click(1107);
  EXPECT_EQ(F().nPunchNum, 7);
}

// --- Caption Detail.

// Characters stacked down the tab are offered only on models of the
// languages written so: a table of the model's language and the directions
// the dialog offers.
TEST_F(PerPageSetting, CaptionDirectionsFollowTheModelsLanguage) {
  struct Case {
    uint32_t language;
    int directions;
  } cases[] = {{9, 2}, {1033, 2}, {7, 2}, {17, 3}, {18, 3}, {1028, 3}, {2052, 3}};
  const uint32_t shipped = g_fixture.model->languageId;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    g_fixture.model->languageId = c.language;
    Open();
    SelectRow(2);
    int directions = 0;
    testsupport::ModalDialogDriver driver;
    driver.Then([&](HWND d) {
      directions = static_cast<int>(SendDlgItemMessageW(d, 1664, CB_GETCOUNT, 0, 0));
      PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
    });
    SetSheetDialogRunner(nullptr);
    kit_.Click(1620);
    EXPECT_EQ(driver.Pending(), 0u);
    EXPECT_EQ(directions, c.directions);
    kit_.Close();
  }
  g_fixture.model->languageId = shipped;
}

TEST_F(PerPageSetting, CaptionDetailChangesTheEntryAndRefusesSizesOutOfRange) {
  Open();
  SelectRow(2);
  ASSERT_TRUE(Enabled(1620));
  int directions = 0;
  std::wstring refusal;
  testsupport::ModalDialogDriver driver;
  driver.Then([&](HWND d) {
    directions = static_cast<int>(SendDlgItemMessageW(d, 1664, CB_GETCOUNT, 0, 0));
    Choose(d, 1664, 1);
    Choose(d, 1671, 3);
    Choose(d, 1665, 2);
    SetDlgItemTextW(d, 1672, L"7");
    SendMessageW(d, WM_COMMAND, IDOK, 0);
    refusal = LastBox();
    SetDlgItemTextW(d, 1672, L"2x0");  // cut at the letter: 2, refused again
    SendMessageW(d, WM_COMMAND, IDOK, 0);
    SetDlgItemTextW(d, 1672, L"20");
    PostMessageW(d, WM_COMMAND, IDOK, 0);
  });
  SetSheetDialogRunner(nullptr);
  kit_.Click(1620);
  EXPECT_EQ(driver.Pending(), 0u);
  const uint32_t language = g_fixture.model->languageId;
  const bool stacked = language == 17 || language == 18 || language == 1028 || language == 2052;
  EXPECT_EQ(directions, stacked ? 3 : 2);
  EXPECT_NE(refusal.find(L"from 8 to 32 points"), std::wstring::npos) << std::string(refusal.begin(), refusal.end());
  EXPECT_EQ(kit_.Boxes().shown().size(), 2u);
  kit_.Click(IDOK);
  const InterSheetEntry& e = Lists()->lists[1]->entries[1];
  EXPECT_EQ(e.orientation, 1u);
  EXPECT_EQ(e.fontStyle, 3u);
  EXPECT_EQ(e.vertPos, 2u);
  EXPECT_EQ(e.fontSize, 20u);
  EXPECT_EQ(std::u16string(e.caption), u"Summary");
}

TEST_F(PerPageSetting, CaptionDetailCancelPutsTheCaptionBlockBack) {
  // A fixed tab beyond the list's five: shown as the next tab, and back on
  // Cancel.
  Lists()->lists[1]->entries[1].captionPos = 7;
  Open();
  SelectRow(2);
  testsupport::ModalDialogDriver driver;
  driver.Then(
      [&](HWND d) {
        kit_.Screenshot("caption_detail", d);
        Choose(d, 1664, 1);
        SendMessageW(d, WM_COMMAND, MAKEWPARAM(1032, BN_CLICKED), 0);
        SetDlgItemTextW(d, 1672, L"30");
        PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
      },
      nullptr, testsupport::ModalDialogDriver::kWhenShown);
  SetSheetDialogRunner(nullptr);
  kit_.Click(1620);
  EXPECT_EQ(driver.Pending(), 0u);
  kit_.Click(IDOK);
  const InterSheetEntry& e = Lists()->lists[1]->entries[1];
  EXPECT_EQ(e.captionPos, 7u);
  EXPECT_EQ(e.fontSize, 12u);
  EXPECT_EQ(e.orientation, 0u);
}

// Only TrueType faces that are not device fonts, nor vertical or private
// faces, each once.
TEST(EnumTabFont, KeepsTrueTypeFacesOnce) {
  struct Case {
    const wchar_t* face;
    DWORD type;
  } cases[] = {
      {L"DejaVu Sans", TRUETYPE_FONTTYPE},
      {L"DejaVu Sans", TRUETYPE_FONTTYPE},
      {L"@DejaVu Sans", TRUETYPE_FONTTYPE},
      {L"&Symbols", TRUETYPE_FONTTYPE},
      {L"$Private", TRUETYPE_FONTTYPE},
      {L"Printer Face", TRUETYPE_FONTTYPE | DEVICE_FONTTYPE},
      {L"Fixedsys", RASTER_FONTTYPE},
      {L"Noto Serif", TRUETYPE_FONTTYPE},
  };
  std::vector<std::wstring> faces;
  for (const Case& c : cases) {
    ENUMLOGFONTW font = {};
    wcsncpy(font.elfLogFont.lfFaceName, c.face, LF_FACESIZE - 1);
    wcsncpy(font.elfFullName, c.face, LF_FULLFACESIZE - 1);
    TEXTMETRICW metrics = {};
    EXPECT_EQ(EnumTabFontProc(&font.elfLogFont, &metrics, c.type, reinterpret_cast<LPARAM>(&faces)), 1);
  }
  EXPECT_EQ(faces, (std::vector<std::wstring>{L"DejaVu Sans", L"Noto Serif"}));
}

}  // namespace
