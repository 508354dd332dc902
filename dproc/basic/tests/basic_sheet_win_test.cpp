// The Basic sheet on a live property sheet under Wine, with the sample
// model as the library reads it at start-up (its feature table as shipped,
// its rules, texts and papers): lists, the commit of changes, refusals and
// questions of the constraint pass, the custom size dialog, Default, and
// leaving the page.
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/records/doc_fields.h"
#include "dproc/basic/auto_tray_dialog_win.h"
#include "dproc/basic/basic_sheet_win.h"
#include "dproc/basic/custom_size_dialog_win.h"
#include "dproc/basic/paper_setting_dialog_win.h"
#include "dproc/basic/user_paper_dialog_win.h"
#include "common/win/sheet_context_records_win.h"
#include "dproc/constraints/constraint_rules.h"
#include "dproc/constraints/do_constraints_win.h"
#include "dproc/constraints/stop_icons_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/model/default_settings.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/model/edit_items.h"
#include "dproc/model/user_paper_list_win.h"
#include "dproc/sheets/sheet_memory.h"
#include "dproc/sheets/sheet_user_papers_win.h"
#include "dproc/startup/description_loader_win.h"
#include "dproc/startup/proc_library_entry_win.h"
#include "dproc/startup/process_texts.h"
#include "tests/support/clip_test_support_win.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/modal_dialog_driver_win.h"
#include "tests/support/proc_library_folder_win.h"
#include "tests/support/test_printer_win.h"
#include "tests/support/test_paths.h"

namespace {

std::string Narrow(const std::wstring& s) {
  std::string out;
  for (wchar_t c : s) out.push_back(c < 128 ? static_cast<char>(c) : '?');
  return out;
}

// The library attached from a package folder of its own.
class Library : public testsupport::ProcLibraryFolder {
 public:
  Library() : ProcLibraryFolder(L"vdbasic") {}
};

Library* g_library = nullptr;

// The library's own pass, or a scripted answer for one control.
uint16_t g_scriptedControl = 0;
int32_t g_scriptedAnswer = 0;
// When set, only that page's passes are scripted (not those of a dialog it
// opened).
HWND g_scriptedPage = nullptr;
std::vector<uint16_t> g_passes;
int32_t LibraryConstraints(HWND dialog, HWND, uint16_t controlId) {
  g_passes.push_back(controlId);
  if (g_scriptedControl != 0 && controlId == g_scriptedControl && (g_scriptedPage == nullptr || dialog == g_scriptedPage)) {
    return g_scriptedAnswer;
  }
  const ConstraintLibraryData data = {g_description.deviceOptions, ProcessModelInfo(), &ProcessMessageTables(),
                                      DocI16(&DefaultDocDMode(), kDocPaperSizeAt), nullptr};
  return RunDoConstraints(0, dialog, controlId, -1, data);
}

// Output methods of a printer that has them (the fax model has none): a
// plain print, a held print and a secure print that asks for a number.
struct OutputMethodRow {
  OptionHead head;
  char16_t text[16];
};
const OutputMethodRow kOutputMethods[] = {
    {{sizeof(OutputMethodRow), "Print", 0, 0, 0}, u"Print"},
    {{sizeof(OutputMethodRow), "Hold", 1, 0, 0}, u"Hold"},
    {{sizeof(OutputMethodRow), "Secure", 3, 0, 0}, u"Secure Print"},
};

std::wstring Text(HWND window, int id) {
  wchar_t text[512] = {};
  GetDlgItemTextW(window, id, text, 512);
  return text;
}

class BasicSheet : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { g_library = new Library(); }
  static void TearDownTestSuite() {
    delete g_library;
    g_library = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(g_library->ok());
    std::memcpy(&kit_.Settings(), &DefaultDocDMode(), sizeof(DocDMode));
    SetSheetConstraintCheck(LibraryConstraints);
    g_scriptedControl = 0;
    g_scriptedPage = nullptr;
    // Modal dialogs the sheet opens are answered by the test's drives.
    driver_ = std::make_unique<testsupport::ModalDialogDriver>();
    ResetBasicSheetEnterToggles();
  }
  void TearDown() override {
    kit_.Close();
    driver_.reset();
    SetSheetConstraintCheck(nullptr);
  }
  DocFields& F() { return Fields(kit_.Settings()); }
  HWND Open() {
    HWND sheet = kit_.OpenPages(kit_.Templates(), {kBasicSheetTemplate, kBasicSheetTemplate}, BasicSheetProc);
    return sheet != nullptr ? kit_.Dialog() : nullptr;
  }
  int ComboIndexOf(int combo, uint32_t value) {
    HWND c = kit_.Control(combo);
    const int n = static_cast<int>(SendMessageW(c, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      auto* row = reinterpret_cast<const OptionHead*>(SendMessageW(c, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
      if (row != nullptr && row->value == value) return i;
    }
    return -1;
  }
  // The custom size dialog, when it opens, gets a unit button, a width, a
  // length (null: the shown one) and then the closing button.
  void AnswerCustomSize(bool* ran, int unitButton, const wchar_t* width, const wchar_t* length, int closing) {
    driver_->Then([=](HWND d) {
      *ran = true;
      SendMessageW(GetDlgItem(d, unitButton), BM_CLICK, 0, 0);
      SetDlgItemTextW(d, 1336, width);
      if (length != nullptr) SetDlgItemTextW(d, 1337, length);
      PostMessageW(d, WM_COMMAND, MAKEWPARAM(closing, BN_CLICKED), 0);
    });
  }
  // Shows a control the fax model hides, ready for the user.
  void Unhide(int id) {
    ShowWindow(kit_.Control(id), SW_SHOW);
    EnableWindow(kit_.Control(id), TRUE);
  }
  // The output method list shown and filled as on a printer with methods.
  void OfferOutputMethods() {
    Unhide(kBasicOutput);
    HWND list = kit_.Control(kBasicOutput);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (const OutputMethodRow& row : kOutputMethods) {
      SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(&row.head));
    }
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(ComboIndexOf(kBasicOutput, F().nOutputMethod)), 0);
  }
  uint32_t SelectedValue(int combo) {
    HWND c = kit_.Control(combo);
    const LRESULT at = SendMessageW(c, CB_GETCURSEL, 0, 0);
    if (at == CB_ERR) return 0xFFFFFFFF;
    return reinterpret_cast<const OptionHead*>(SendMessageW(c, CB_GETITEMDATA, static_cast<WPARAM>(at), 0))->value;
  }
  testsupport::DialogKit kit_;
  std::unique_ptr<testsupport::ModalDialogDriver> driver_;
};

TEST_F(BasicSheet, FillsItsListsShowsTheSettingsAndHidesThePrintOnlyControls) {
  F().nOrientation = 2;
  ASSERT_NE(Open(), nullptr);
  const UserPaperUiState* papers = UserPaperStateOf(&kit_.UiState());
  ASSERT_NE(papers, nullptr);
  ASSERT_GT(papers->paperCount, 1u);
  HWND sizes = kit_.Control(kBasicPaperSize);
  EXPECT_EQ(static_cast<uint32_t>(SendMessageW(sizes, CB_GETCOUNT, 0, 0)), papers->paperCount);
  const int last = static_cast<int>(SendMessageW(sizes, CB_GETCOUNT, 0, 0)) - 1;
  EXPECT_EQ(ComboIndexOf(kBasicPaperSize, 256), last) << "the custom size comes last";
  EXPECT_GT(SendMessageW(kit_.Control(kBasicOutPaperSize), CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(SelectedValue(kBasicPaperSize), static_cast<uint32_t>(static_cast<uint16_t>(F().nPaperSize)));
  EXPECT_EQ(IsDlgButtonChecked(kit_.Dialog(), kBasicLandscape), BST_CHECKED);
  for (int id : {1130, 1136, 1138, 1285, 1064, 1011, 1012, 1014, 1018, 1006, 1008, 1287, 1193}) {
    EXPECT_FALSE(IsWindowVisible(kit_.Control(id))) << id;
  }
  for (int id : {1000, 1040, 1020, 1023, 1227, 1228, 1033, 1032}) EXPECT_TRUE(IsWindowVisible(kit_.Control(id))) << id;
  EXPECT_EQ(Text(kit_.Dialog(), kBasicPaperLabel), L"Original &Size:") << "texts from the model";
}

TEST_F(BasicSheet, DrawsTheStatusIconStrip) {
  HWND d = Open();
  ASSERT_NE(d, nullptr);
  EXPECT_GT(testsupport::DialogKit::DrawnPixels(d, 1123, 120, 60), 0);
}

TEST_F(BasicSheet, APaperChangeIsCommittedAndARefusalPutsTheOldOneBack) {
  ASSERT_NE(Open(), nullptr);
  const int16_t before = F().nPaperSize;
  // Another model paper than the current one.
  HWND sizes = kit_.Control(kBasicPaperSize);
  int other = -1;
  uint32_t otherValue = 0;
  for (int i = 0; i < SendMessageW(sizes, CB_GETCOUNT, 0, 0); ++i) {
    auto* row = reinterpret_cast<const OptionHead*>(SendMessageW(sizes, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
    if (row->value != static_cast<uint32_t>(static_cast<uint16_t>(before)) && row->value < 256) {
      other = i;
      otherValue = row->value;
      break;
    }
  }
  ASSERT_GE(other, 0);
  const int16_t widthBefore = F().sizPaper_cx;
  const int16_t lengthBefore = F().sizPaper_cy;
  kit_.Select(kBasicPaperSize, other);
  EXPECT_EQ(static_cast<uint32_t>(static_cast<uint16_t>(F().nPaperSize)), otherValue);
  EXPECT_TRUE(F().sizPaper_cx != widthBefore || F().sizPaper_cy != lengthBefore) << "dimensions follow the paper";

  for (int32_t answer : {101, 100}) {
    g_scriptedControl = kBasicPaperSize;
    g_scriptedAnswer = answer;
    kit_.Select(kBasicPaperSize, ComboIndexOf(kBasicPaperSize, static_cast<uint16_t>(before)));
    EXPECT_EQ(static_cast<uint32_t>(static_cast<uint16_t>(F().nPaperSize)), otherValue) << answer;
    EXPECT_EQ(SelectedValue(kBasicPaperSize), otherValue) << answer;
  }
}

// A refused or declined choice in each list the sheet commits leaves every
// byte of the settings (the paper's dimensions and margins, the custom
// size, the media type that follows a tray, the zoom that follows the
// output size), the list and the preview as they were.  The tray and
// output method lists are hidden on the fax model; the test shows them.
TEST_F(BasicSheet, ARefusedChoiceInEachListLeavesEverySettingAndThePreview) {
  HWND d = Open();
  ASSERT_NE(d, nullptr);
  Unhide(kBasicTray);
  OfferOutputMethods();
  auto preview = [&] { return testsupport::DialogKit::DrawnPixels(d, kBasicPreview, 200, 200); };
  // Another row than the one shown; never the custom size nor a method
  // that asks for a number.
  auto otherRow = [&](int combo) {
    HWND c = kit_.Control(combo);
    const uint32_t shown = SelectedValue(combo);
    for (int i = 0; i < SendMessageW(c, CB_GETCOUNT, 0, 0); ++i) {
      auto* row = reinterpret_cast<const OptionHead*>(SendMessageW(c, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
      const bool asks = combo == kBasicOutput && (row->value == 3 || row->value == 7 || row->value == 8);
      if (row->value != shown && row->value != 256 && !asks) return i;
    }
    return -1;
  };
  for (int combo : {kBasicPaperSize, kBasicOutPaperSize, kBasicTray, kBasicOutput}) {
    const int other = otherRow(combo);
    ASSERT_GE(other, 0) << combo << " has " << SendMessageW(kit_.Control(combo), CB_GETCOUNT, 0, 0) << " items";
    for (int32_t answer : {101, 100}) {
      SCOPED_TRACE(testing::Message() << "list " << combo << " answer " << answer);
      DocDMode before;
      std::memcpy(&before, &kit_.Settings(), sizeof before);
      const uint32_t shown = SelectedValue(combo);
      const int picture = preview();
      g_scriptedControl = static_cast<uint16_t>(combo);
      g_scriptedAnswer = answer;
      kit_.Select(combo, other);
      EXPECT_EQ(std::memcmp(&before, &kit_.Settings(), sizeof before), 0) << "every byte as it was";
      EXPECT_EQ(SelectedValue(combo), shown);
      EXPECT_EQ(preview(), picture);
    }
    // Let through, the same choice is a real change.
    g_scriptedControl = 0;
    DocDMode before;
    std::memcpy(&before, &kit_.Settings(), sizeof before);
    kit_.Select(combo, other);
    EXPECT_NE(std::memcmp(&before, &kit_.Settings(), sizeof before), 0) << combo;
  }
}

// A custom size confirmed in its dialog and then refused by the pass: the
// paper, the typed size and its unit all go back.
TEST_F(BasicSheet, ACustomSizeRefusedAfterItsDialogLeavesTheSettingsAsTheyWere) {
  ASSERT_NE(Open(), nullptr);
  const int custom = ComboIndexOf(kBasicPaperSize, 256);
  ASSERT_GE(custom, 0);
  DocDMode before;
  std::memcpy(&before, &kit_.Settings(), sizeof before);
  bool ran = false;
  AnswerCustomSize(&ran, 1240, L"150", L"200", IDOK);
  // The sheet's pass after the dialog refuses the size.
  g_scriptedControl = kBasicPaperSize;
  g_scriptedAnswer = 101;
  g_scriptedPage = kit_.Dialog();
  kit_.Select(kBasicPaperSize, custom);
  ASSERT_TRUE(ran);
  EXPECT_EQ(std::memcmp(&before, &kit_.Settings(), sizeof before), 0) << "every byte as it was";
  EXPECT_EQ(SelectedValue(kBasicPaperSize), static_cast<uint32_t>(static_cast<uint16_t>(Fields(before).nPaperSize)));
}

// Copies are typed digit by digit: a refusal only warns and the number
// stays; a declined question puts the old number back with the caret in it.
TEST_F(BasicSheet, TypedCopiesGoBackOnlyWhenTheQuestionIsDeclined) {
  HWND d = Open();
  ASSERT_NE(d, nullptr);
  for (int id : {kBasicCopies, kBasicCopiesSpin}) Unhide(id);
  // The fax model sends one copy; the range of a printer that sends more.
  SendMessageW(kit_.Control(kBasicCopiesSpin), UDM_SETRANGE32, 1, 999);
  SendMessageW(kit_.Control(kBasicCopies), EM_SETLIMITTEXT, 3, 0);
  // Each number typed over the one shown.
  auto typeOver = [&](const wchar_t* typed) {
    SendMessageW(kit_.Control(kBasicCopies), EM_SETSEL, 0, -1);
    kit_.Type(kBasicCopies, typed);
  };
  const uint16_t old = F().nCopies;
  const struct {
    int32_t answer;
    const wchar_t* typed;
    uint16_t kept;
  } cases[] = {{101, L"5", 5}, {100, L"7", 5}, {0, L"3", 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    g_scriptedControl = kBasicCopies;
    g_scriptedAnswer = c.answer;
    typeOver(c.typed);
    EXPECT_EQ(F().nCopies, c.kept);
    EXPECT_EQ(GetDlgItemInt(d, kBasicCopies, nullptr, FALSE), c.kept) << "the edit shows what is stored";
  }
  EXPECT_NE(old, 3);
  g_scriptedAnswer = 100;
  typeOver(L"9");
  EXPECT_EQ(testsupport::FocusedControl(d), kit_.Control(kBasicCopies)) << "the caret goes back to the number";
}

// An output method that needs a secure print number the settings lack
// opens the user settings dialog; cancelled, the method goes back.
TEST_F(BasicSheet, AnOutputMethodWithoutItsNumberGoesBackWhenTheDialogIsCancelled) {
  HWND d = Open();
  ASSERT_NE(d, nullptr);
  OfferOutputMethods();
  const int secure = ComboIndexOf(kBasicOutput, 3);
  F().szSecurePrintId[0] = '\0';
  DocDMode before;
  std::memcpy(&before, &kit_.Settings(), sizeof before);
  int opened = 0;
  driver_->Then([&](HWND dialog) {
    ++opened;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  kit_.Select(kBasicOutput, secure);
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(std::memcmp(&before, &kit_.Settings(), sizeof before), 0);
  EXPECT_EQ(SelectedValue(kBasicOutput), static_cast<uint32_t>(Fields(before).nOutputMethod));
}

TEST_F(BasicSheet, OrientationFollowsTheRadiosWithTheModelsLandscapeHint) {
  F().nOrientation = 1;
  ASSERT_NE(Open(), nullptr);
  kit_.Click(kBasicLandscape);
  EXPECT_EQ(F().nOrientation, 2);
  // The sample model's rule: landscape pages are turned on the device.
  EXPECT_NE(Text(kit_.Dialog(), 1016).find(L"Landscape pages are turned"), std::wstring::npos)
      << Narrow(Text(kit_.Dialog(), 1016));
  g_scriptedControl = kBasicPortrait;
  g_scriptedAnswer = 101;
  kit_.Click(kBasicPortrait);
  EXPECT_EQ(F().nOrientation, 2) << "the refusal keeps landscape";
  EXPECT_EQ(IsDlgButtonChecked(kit_.Dialog(), kBasicLandscape), BST_CHECKED);
}

TEST_F(BasicSheet, ZoomOutOfRangeIsTakenWhileTypingAndRefusedWhenLeaving) {
  F().bScaleAuto = 0;
  ASSERT_NE(Open(), nullptr);
  HWND first = kit_.Dialog();
  SetDlgItemTextW(first, kBasicZoomEdit, L"");
  kit_.Type(kBasicZoomEdit, L"401");
  EXPECT_EQ(F().nScale, 401) << "no message while typing";
  EXPECT_TRUE(kit_.Boxes().shown().empty());
  kit_.SetPage(1);
  EXPECT_EQ(kit_.Dialog(), first) << "the page stays";
  ASSERT_EQ(kit_.Boxes().shown().size(), 1u);
  const std::wstring text = kit_.Boxes().shown()[0].text;
  EXPECT_NE(text.find(L"25"), std::wstring::npos) << Narrow(text);
  EXPECT_NE(text.find(L"400"), std::wstring::npos) << Narrow(text);
  EXPECT_EQ(kit_.Boxes().shown()[0].caption, L"Check the Setting");
  SetDlgItemTextW(first, kBasicZoomEdit, L"120");
  kit_.SetPage(1);
  EXPECT_NE(kit_.Dialog(), first);
  EXPECT_EQ(F().nScale, 120);
}

TEST_F(BasicSheet, LeavingThePageKeepsFieldsOfControlsItDoesNotShow) {
  F().bPaperOption1 = 1;
  F().bPaperOption2 = 1;
  F().nCopies = 0;  // below the model's minimum, on a hidden control
  const uint16_t flag = 0x0101;
  std::memcpy(reinterpret_cast<uint8_t*>(&kit_.Settings()) + 1240, &flag, 2);
  ASSERT_NE(Open(), nullptr);
  HWND first = kit_.Dialog();
  kit_.SetPage(1);
  EXPECT_NE(kit_.Dialog(), first) << "hidden controls do not hold the page";
  EXPECT_TRUE(kit_.Boxes().shown().empty());
  EXPECT_EQ(F().bPaperOption1, 1);
  EXPECT_EQ(F().bPaperOption2, 1);
  uint16_t kept = 0;
  std::memcpy(&kept, reinterpret_cast<const uint8_t*>(&kit_.Settings()) + 1240, 2);
  EXPECT_EQ(kept, flag);
}

TEST_F(BasicSheet, TheModelsRulesReachThePageAtActivation) {
  // One copy locks collation, with the reason on its stop icon; a custom
  // width beyond the fax line's gives the Basic sheet's hint.
  F().nCopies = 1;
  F().nPaperSize = 256;
  F().sizInUserDefPaperMM_cx = 2971;
  ASSERT_NE(Open(), nullptr);
  const HintEntry* collate = FindStopIcon(kBasicCollateIcon);
  ASSERT_NE(collate, nullptr);
  EXPECT_EQ(collate->show, 1u);
  EXPECT_NE(collate->text[0], 0);
  const std::wstring hint = Text(kit_.Dialog(), 1016);
  EXPECT_NE(hint.find(L"at most 297 mm wide"), std::wstring::npos) << Narrow(hint);
}

TEST_F(BasicSheet, CustomSizeDialogStoresOnOkAndCancelLeavesEveryByte) {
  ASSERT_NE(Open(), nullptr);
  const int custom = ComboIndexOf(kBasicPaperSize, 256);
  ASSERT_GE(custom, 0);
  // Cancel after a unit change and typing: the settings as they were.
  DocDMode before;
  std::memcpy(&before, &kit_.Settings(), sizeof before);
  bool ran = false;
  AnswerCustomSize(&ran, 1241, L"9.5", nullptr, IDCANCEL);
  kit_.Select(kBasicPaperSize, custom);
  EXPECT_TRUE(ran);
  EXPECT_EQ(std::memcmp(&before, &kit_.Settings(), sizeof before), 0) << "Cancel leaves the settings as they were";
  EXPECT_EQ(SelectedValue(kBasicPaperSize), static_cast<uint32_t>(static_cast<uint16_t>(Fields(before).nPaperSize)));

  // OK in millimetres (the sample model shows tenths): width and length
  // with their inch values in thousandths.
  std::wstring range;
  driver_->Then([&](HWND d) {
    SendMessageW(GetDlgItem(d, 1240), BM_CLICK, 0, 0);
    range = Text(d, 1273);
    SetDlgItemTextW(d, 1336, L"210.5");
    SetDlgItemTextW(d, 1337, L"297");
    PostMessageW(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  kit_.Select(kBasicPaperSize, custom);
  EXPECT_EQ(range, L"mm [100.0...297.0]");
  EXPECT_EQ(F().nPaperSize, 256);
  EXPECT_EQ(F().byUnitInUserDefPaper, 0);
  EXPECT_EQ(F().sizInUserDefPaperMM_cx, 2105);
  EXPECT_EQ(F().sizInUserDefPaperMM_cy, 2970);
  EXPECT_EQ(F().sizInUserDefPaperIN_cx, 8287u);
  EXPECT_EQ(F().sizInUserDefPaperIN_cy, 11693u);

  // A width outside the range keeps the dialog with the range message.
  std::vector<std::wstring> messages;
  driver_->Then([&](HWND d) {
    SetDlgItemTextW(d, 1336, L"99.9");
    SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    SetDlgItemTextW(d, 1336, L"150");
    PostMessageW(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  kit_.Select(kBasicPaperSize, custom);
  ASSERT_FALSE(kit_.Boxes().shown().empty());
  const std::wstring message = kit_.Boxes().shown().back().text;
  EXPECT_NE(message.find(L"100.0"), std::wstring::npos) << Narrow(message);
  EXPECT_NE(message.find(L"297.0"), std::wstring::npos) << Narrow(message);
  EXPECT_EQ(F().sizInUserDefPaperMM_cx, 1500);
}

TEST_F(BasicSheet, ManualZoomGivesBackTheKindTheLayoutSheetKeptBeforePoster) {
  ModelInfo* model = ProcessModelInfo();
  const uint32_t hadPoster = model->features[kMfPoster];
  model->features[kMfPoster] = 1;
  ProcessSheetMemory() = {};
  ProcessSheetMemory().nupKindBeforePoster = 2;  // as the Layout sheet keeps it when a poster kind is chosen
  F().bNup = 1;
  F().nNup = 8;
  F().bScaleAuto = 1;
  HWND d = Open();
  ASSERT_NE(d, nullptr);
  kit_.Click(1228);
  model->features[kMfPoster] = hadPoster;
  EXPECT_EQ(F().bNup, 0);
  EXPECT_EQ(F().nNup, 2);
  EXPECT_EQ(F().bScaleAuto, 0);
  EXPECT_EQ(ProcessSheetMemory().nupKindBeforePoster, -1) << "given back once";
  ProcessSheetMemory() = {};
}

// Booklet printing is a plug-in host's page's: there "Manual" gives back
// the duplex mode the Layout sheet kept in the shared store when booklet was
// chosen, once.
TEST_F(BasicSheet, ManualZoomOnAPluginPageGivesBackTheDuplexKeptBeforeBooklet) {
  ModelInfo* model = ProcessModelInfo();
  const uint32_t hadBooklet = model->features[kMfBookletPrint];
  model->features[kMfBookletPrint] = 1;
  OEMUIPSPARAM ps = {};
  ps.cbSize = sizeof ps;
  ps.pOEMDM = &kit_.Settings();
  ps.hPrinter = kit_.Session().printer;
  auto host = std::make_unique<PluginDocPage>();
  *host = PluginDocPage{};
  host->marker = 1;
  host->kind = kPluginDocumentKind;
  host->psParam = &ps;
  const LPARAM session = kit_.Context()->lParam;
  kit_.Context()->lParam = reinterpret_cast<LPARAM>(host.get());
  ProcessSheetMemory() = {};
  ProcessSheetMemory().duplexBeforeBooklet = 2;  // as the Layout sheet keeps it when booklet is chosen
  F().nDuplex = 3;
  F().bScaleAuto = 1;
  HWND d = Open();
  ASSERT_NE(d, nullptr);
  ASSERT_FALSE(IsSessionPage(reinterpret_cast<const SheetCtx*>(GetWindowLongPtrW(d, DWLP_USER))));
  kit_.Click(1228);
  EXPECT_EQ(F().nDuplex, 2);
  EXPECT_EQ(F().bScaleAuto, 0);
  EXPECT_EQ(ProcessSheetMemory().duplexBeforeBooklet, 0) << "given back once";
  kit_.Close();
  kit_.Context()->lParam = session;
  model->features[kMfBookletPrint] = hadBooklet;
  ProcessSheetMemory() = {};
}

TEST_F(BasicSheet, CustomSizeHelpRunsTheClippingCheckOverItsControls) {
  testsupport::TestPrinter printer(L"Custom Size Clip");
  ASSERT_TRUE(printer.ok()) << printer.error();
  HANDLE kept = kit_.Session().printer;
  kit_.Session().printer = printer.handle();
  testsupport::SetClipTest(printer.handle(), 3);
  ASSERT_NE(kit_.OpenDialog(kit_.Templates(), 151, CustomSizeDlgProc), nullptr);
  std::wstring report;
  {
    testsupport::DebugOutput output;
    testsupport::HoldKeys(true, true, true);
    kit_.Click(9);
    testsupport::HoldKeys(false, false, false);
    for (const std::wstring& line : output.Take()) report += line;
  }
  kit_.Close();
  kit_.Session().printer = kept;
  EXPECT_NE(report.find(L"Custom Size Settings Dialog"), std::wstring::npos) << Narrow(report);
  for (const wchar_t* text : {L"\"Cancel\"", L"\"Length\""}) {
    EXPECT_NE(report.find(text), std::wstring::npos) << Narrow(text) << " in " << Narrow(report);
  }
}

TEST_F(BasicSheet, WithEnterHeldTwoNotificationsOpenTheCustomSizeDialogOnce) {
  ASSERT_NE(Open(), nullptr);
  const int custom = ComboIndexOf(kBasicPaperSize, 256);
  int opened = 0;
  std::function<void(HWND)> cancel = [&](HWND d) {
    ++opened;
    PostMessageW(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  };
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_RETURN] = 0x80;
  SetKeyboardState(keys);
  for (int round = 0; round < 2; ++round) {
    driver_->Then(cancel);
    kit_.Select(kBasicPaperSize, custom);
  }
  keys[VK_RETURN] = 0;
  SetKeyboardState(keys);
  driver_->Clear();
  EXPECT_EQ(opened, 1);
  // With the key up the dialog opens every time.
  driver_->Then(cancel);
  kit_.Select(kBasicPaperSize, custom);
  EXPECT_EQ(opened, 2);
  EXPECT_EQ(driver_->Pending(), 0u);
}

TEST_F(BasicSheet, DefaultRestoresThePagesSettingsButNotTheCustomSize) {
  ASSERT_NE(Open(), nullptr);
  const DocFields defaults = Fields(DefaultDocDMode());
  kit_.Click(defaults.nOrientation == 1 ? kBasicLandscape : kBasicPortrait);
  F().sizInUserDefPaperMM_cx = 1555;
  F().byUnitInUserDefPaper = static_cast<uint8_t>(defaults.byUnitInUserDefPaper ^ 1);
  ASSERT_NE(F().nOrientation, defaults.nOrientation);
  kit_.Click(kBasicDefault);
  EXPECT_EQ(F().nOrientation, defaults.nOrientation);
  EXPECT_EQ(F().nPaperSize, defaults.nPaperSize);
  EXPECT_EQ(F().byUnitInUserDefPaper, defaults.byUnitInUserDefPaper) << "the unit is reset";
  EXPECT_EQ(F().sizInUserDefPaperMM_cx, 1555) << "the custom size itself is not";
  EXPECT_EQ(IsDlgButtonChecked(kit_.Dialog(), defaults.nOrientation == 1 ? kBasicPortrait : kBasicLandscape),
            BST_CHECKED);
}

// The automatic tray paper dialog on a model that offers every media
// attribute for editing.
class AutoTrayDialog : public BasicSheet {
 protected:
  void SetUp() override {
    BasicSheet::SetUp();
    ModelInfo* model = ProcessModelInfo();
    ASSERT_NE(model, nullptr);
    saved_ = model->features[kMfMediaTypeDlgType];
    model->features[kMfMediaTypeDlgType] = 1;
    g_passes.clear();
  }
  void TearDown() override {
    ProcessModelInfo()->features[kMfMediaTypeDlgType] = saved_;
    BasicSheet::TearDown();
  }
  HWND Open() { return kit_.OpenDialog(kit_.Templates(), 164, AutoTrayPaperDlgProc); }
  int16_t AutoType() { return F().PTInfoAuto.nPaperType2; }
  int IndexOfOther(int16_t value) {
    HWND c = kit_.Control(1003);
    for (int i = 0; i < SendMessageW(c, CB_GETCOUNT, 0, 0); ++i) {
      auto* row = reinterpret_cast<const OptionHead*>(SendMessageW(c, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
      if (static_cast<int16_t>(row->value) != value) return i;
    }
    return -1;
  }
  uint32_t saved_ = 0;
};

TEST_F(AutoTrayDialog, AChoiceIsStoredARefusalUndoneAndCancelRestoresEverything) {
  DocDMode before;
  std::memcpy(&before, &kit_.Settings(), sizeof before);
  ASSERT_NE(Open(), nullptr);
  EXPECT_TRUE(IsWindowVisible(kit_.Control(1003)));
  const int other = IndexOfOther(AutoType());
  ASSERT_GE(other, 0);
  kit_.Select(1003, other);
  const int16_t chosen = AutoType();
  EXPECT_NE(chosen, Fields(before).PTInfoAuto.nPaperType2);
  EXPECT_EQ(g_passes.back(), 1003);
  // A warning (101) undoes the choice, unlike a tray change elsewhere.
  g_scriptedControl = 1003;
  g_scriptedAnswer = 101;
  kit_.Select(1003, IndexOfOther(chosen));
  EXPECT_EQ(AutoType(), chosen);
  g_scriptedControl = 0;
  kit_.Click(IDCANCEL);
  EXPECT_EQ(std::memcmp(&before, &kit_.Settings(), sizeof before), 0);
}

TEST_F(AutoTrayDialog, ShowsTheTextsOfTheDescription) {
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(Text(kit_.Dialog(), 1005), L"Paper &type:");
  EXPECT_EQ(Text(kit_.Dialog(), 1097), L"&Punched holes:");
  wchar_t caption[128] = {};
  GetWindowTextW(kit_.Dialog(), caption, 128);
  EXPECT_EQ(std::wstring(caption), L"Paper for Automatic Tray Selection");
}

TEST_F(AutoTrayDialog, DefaultWritesTheDefaultsWithoutAConstraintPass) {
  const int16_t defaultType = Fields(DefaultDocDMode()).PTInfoAuto.nPaperType2;
  ASSERT_NE(Open(), nullptr);
  const int other = IndexOfOther(defaultType);
  ASSERT_GE(other, 0);
  kit_.Select(1003, other);
  ASSERT_NE(AutoType(), defaultType);
  g_passes.clear();
  kit_.Click(1032);
  EXPECT_EQ(AutoType(), defaultType);
  EXPECT_TRUE(g_passes.empty());
}

TEST_F(AutoTrayDialog, LockedSettingsDisableTheMediaControlsOnly) {
  kit_.Session().mayChange = 0;
  ASSERT_NE(Open(), nullptr);
  for (int id : {1003, 1032, 1845}) EXPECT_FALSE(IsWindowEnabled(kit_.Control(id))) << id;
  for (int id : {IDOK, IDCANCEL, 9}) EXPECT_TRUE(IsWindowEnabled(kit_.Control(id))) << id;
}

// The Paper Setting dialog with the sample model's trays: the automatic
// tray, then Tray 1 and the bypass tray (rows 0 and 1).
class PaperSettingDialog : public BasicSheet {
 protected:
  void SetUp() override {
    BasicSheet::SetUp();
    ModelInfo* model = ProcessModelInfo();
    ASSERT_NE(model, nullptr);
    std::memcpy(saved_, model->features, sizeof saved_);
    for (const InTrayEntry* t = model->inTrays; t->keyword[0] != '\0'; ++t) {
      if (t->binId == 257) tray1_ = const_cast<InTrayEntry*>(t);
      if (t->binId == 4) manual_ = const_cast<InTrayEntry*>(t);
    }
    ASSERT_TRUE(tray1_ != nullptr && manual_ != nullptr);
    g_passes.clear();
  }
  void TearDown() override {
    kit_.Close();
    std::memcpy(ProcessModelInfo()->features, saved_, sizeof saved_);
    tray1_->flag = 0;
    manual_->flag = 0;
    BasicSheet::TearDown();
  }
  HWND Open() { return kit_.OpenDialog(kit_.Templates(), kPaperSettingTemplate, PaperSettingDlgProc); }
  HWND Trays() { return kit_.Control(kPaperSettingTrayList); }
  int SelectedRow() {
    return static_cast<int>(SendMessageW(Trays(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  }
  // A click on a row: the list selects it and tells the dialog.
  void PickRow(int row) {
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(Trays(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  }
  int IndexOfOther(int16_t value) {
    HWND c = kit_.Control(1003);
    for (int i = 0; i < SendMessageW(c, CB_GETCOUNT, 0, 0); ++i) {
      auto* row = reinterpret_cast<const OptionHead*>(SendMessageW(c, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
      if (static_cast<int16_t>(row->value) != value) return i;
    }
    return -1;
  }
  uint32_t saved_[kModelFeatureCount] = {};
  InTrayEntry* tray1_ = nullptr;
  InTrayEntry* manual_ = nullptr;
};

TEST_F(PaperSettingDialog, StartsOnTheSettingsTrayOrTheNextUsableOneAndGivesTheTrayBackOnClosing) {
  const struct {
    int16_t inTray;
    bool tray1Refused, manualRefused;
    int row;          // selected at the start, -1 none
    int16_t trayOpen; // the settings' tray while the dialog is open
  } cases[] = {
      {7, false, false, 0, 257},   // the automatic tray: the first tray after it
      {4, false, false, 1, 4},     // a usable tray: itself
      {257, true, false, 1, 4},    // refused: the next usable one
      {4, false, true, -1, 0},     // refused and none after it: no row
  };
  for (const auto& c : cases) {
    F().nDefaultSource = c.inTray;
    const int16_t media = F().nMediaType;
    tray1_->flag = c.tray1Refused ? 1 : 0;
    manual_->flag = c.manualRefused ? 1 : 0;
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(SelectedRow(), c.row) << c.inTray;
    EXPECT_EQ(F().nDefaultSource, c.trayOpen) << c.inTray;
    EXPECT_EQ(SendMessageW(Trays(), LVM_GETITEMCOUNT, 0, 0), 2);
    if (c.row < 0) {
      // OK without a tray asks for one, in a box of the dialog's own, and stays.
      kit_.Click(IDOK);
      ASSERT_EQ(kit_.Boxes().shown().size(), 1u);
      EXPECT_EQ(kit_.Boxes().shown()[0].text, L"Please select one tray.");
      EXPECT_TRUE(IsWindow(kit_.Dialog()));
    }
    kit_.Close();
    EXPECT_EQ(F().nDefaultSource, c.inTray) << "given back on closing";
    EXPECT_EQ(F().nMediaType, media);
  }
}

TEST_F(PaperSettingDialog, ATypeIsStoredInItsTrayARefusalUndoneAndCancelRestoresEverything) {
  F().nDefaultSource = 257;
  DocDMode before;
  std::memcpy(&before, &kit_.Settings(), sizeof before);
  ASSERT_NE(Open(), nullptr);
  ASSERT_TRUE(IsWindowVisible(kit_.Control(1003)));
  PickRow(1);
  EXPECT_EQ(g_passes.back(), 1006) << "the tray change is judged";
  EXPECT_EQ(F().nDefaultSource, 4);
  const int16_t old = F().PTInfoEach[1].nPaperType2;
  const int other = IndexOfOther(old);
  ASSERT_GE(other, 0);
  kit_.Select(1003, other);
  const int16_t chosen = F().PTInfoEach[1].nPaperType2;
  EXPECT_NE(chosen, old);
  EXPECT_EQ(F().nMediaType, chosen);
  EXPECT_EQ(F().PTInfoEach[0].nPaperType2, Fields(before).PTInfoEach[0].nPaperType2) << "the other tray keeps its";
  // The row shows the new type.
  wchar_t cell[64] = {};
  LVITEMW item = {};
  item.iSubItem = 1;
  item.pszText = cell;
  item.cchTextMax = 64;
  SendMessageW(Trays(), LVM_GETITEMTEXTW, 1, reinterpret_cast<LPARAM>(&item));
  const auto* shown = reinterpret_cast<const ModelListItem*>(
      SendMessageW(kit_.Control(1003), CB_GETITEMDATA, static_cast<WPARAM>(other), 0));
  EXPECT_EQ(std::wstring(cell), std::wstring(reinterpret_cast<const wchar_t*>(shown->text)));
  // A warning (101) on a media change undoes it.
  g_scriptedControl = 1003;
  g_scriptedAnswer = 101;
  kit_.Select(1003, IndexOfOther(chosen));
  EXPECT_EQ(F().PTInfoEach[1].nPaperType2, chosen);
  EXPECT_EQ(F().nMediaType, chosen);
  g_scriptedControl = 0;
  kit_.Click(IDCANCEL);
  kit_.Close();
  EXPECT_EQ(std::memcmp(&before, &kit_.Settings(), sizeof before), 0) << "byte for byte";
}

TEST_F(PaperSettingDialog, OkKeepsTheTraysMediaAndGivesBackTrayAndMediaType) {
  F().nDefaultSource = 7;
  const int16_t media = F().nMediaType;
  ASSERT_NE(Open(), nullptr);
  const int other = IndexOfOther(F().PTInfoEach[0].nPaperType2);
  ASSERT_GE(other, 0);
  kit_.Select(1003, other);
  const int16_t chosen = F().PTInfoEach[0].nPaperType2;
  kit_.Click(IDOK);
  kit_.Close();
  EXPECT_EQ(F().PTInfoEach[0].nPaperType2, chosen);
  EXPECT_EQ(F().nDefaultSource, 7);
  EXPECT_EQ(F().nMediaType, media);
}

TEST_F(PaperSettingDialog, ADeclinedTrayChangeGoesBackAWarnedOneStaysAndLocksTheMediaLists) {
  F().nDefaultSource = 257;
  ASSERT_NE(Open(), nullptr);
  ASSERT_EQ(SelectedRow(), 0);
  g_scriptedControl = 1006;
  g_scriptedAnswer = 100;
  PickRow(1);
  EXPECT_EQ(SelectedRow(), 0);
  EXPECT_EQ(F().nDefaultSource, 257);
  EXPECT_TRUE(IsWindowEnabled(kit_.Control(1003)));
  // A key in the list starts the selection guard afresh (it holds back a
  // second selection that follows a declined one without a key between).
  NMLVKEYDOWN key = {};
  key.hdr.hwndFrom = Trays();
  key.hdr.idFrom = kPaperSettingTrayList;
  key.hdr.code = LVN_KEYDOWN;
  key.wVKey = VK_DOWN;
  SendMessageW(kit_.Dialog(), WM_NOTIFY, kPaperSettingTrayList, reinterpret_cast<LPARAM>(&key));
  g_scriptedAnswer = 101;
  PickRow(1);
  EXPECT_EQ(SelectedRow(), 1);
  EXPECT_EQ(F().nDefaultSource, 4);
  EXPECT_FALSE(IsWindowEnabled(kit_.Control(1003))) << "locked until the next tray change";
  g_scriptedControl = 0;
  PickRow(0);
  EXPECT_TRUE(IsWindowEnabled(kit_.Control(1003)));
}

TEST_F(PaperSettingDialog, DevStatusCopyTakesWhatTheDeviceReportedForTheSameTrays) {
  ModelInfo* model = ProcessModelInfo();
  model->features[kMfMediaTypeDlgType] = 1;
  model->features[kMfMediaWeight] = 1;
  DevOption* device = GetCtxPrinterInfo(kit_.Context());
  ASSERT_NE(device, nullptr);
  const int16_t weight0 = F().PTInfoEach[0].nPaperWeight = 3;
  const int16_t type1 = F().PTInfoEach[1].nPaperType2;
  // The device's answer: Tray 1 with a type and no weight, the bypass tray
  // with nothing reported.
  SheetDeviceStatus& status = kit_.Session().deviceStatus;
  std::memset(&status, 0, sizeof status);
  status.valid = 1;
  std::strcpy(status.trays[0].trayKeyword, "intray1");
  status.trays[0].mediaType = 5;
  status.trays[0].mediaWeight = 0xFFFF;
  std::strcpy(status.trays[1].trayKeyword, "InTrayManual");
  status.trays[1].mediaType = 0xFFFF;
  status.trays[1].mediaWeight = 0xFFFF;
  ASSERT_NE(Open(), nullptr);
  EXPECT_TRUE(IsWindowVisible(kit_.Control(1899)));
  EXPECT_EQ(std::string(device->trays[0].trayKeyword), "InTray1") << "the device's rows in the context's table";
  g_passes.clear();
  kit_.Click(1899);
  EXPECT_EQ(F().PTInfoEach[0].nPaperType2, 5);
  EXPECT_EQ(F().PTInfoEach[0].nPaperWeight, weight0) << "not reported";
  EXPECT_EQ(F().PTInfoEach[1].nPaperType2, type1) << "not reported";
  EXPECT_TRUE(g_passes.empty()) << "no constraint pass";
}

TEST_F(PaperSettingDialog, WithoutTheDeviceStatusPartTheDialogIsShorter) {
  ASSERT_NE(Open(), nullptr);
  RECT full;
  GetWindowRect(kit_.Dialog(), &full);
  kit_.Close();
  ProcessModelInfo()->features[kMfMediaTypeDevStatus] = 0;
  ASSERT_NE(Open(), nullptr);
  RECT shorter;
  GetWindowRect(kit_.Dialog(), &shorter);
  EXPECT_LT(shorter.bottom - shorter.top, full.bottom - full.top);
  for (int id : {1845, 1844, 1899}) EXPECT_FALSE(IsWindowVisible(kit_.Control(id))) << id;
  EXPECT_TRUE(IsWindowVisible(kit_.Control(1003)));
  RECT group, ok;
  GetWindowRect(kit_.Control(1846), &group);
  GetWindowRect(kit_.Control(IDOK), &ok);
  EXPECT_LT(ok.bottom, shorter.bottom) << "the buttons moved up with it";
  EXPECT_GT(group.top, shorter.top);
}

TEST_F(PaperSettingDialog, TheSheetsButtonRunsItModallyAndTakesTheTraysTypeOnOk) {
  // A model that offers the button.
  ProcessModelInfo()->features[kMfPaperSourceTraySetting] = 1;
  F().nDefaultSource = 257;
  HWND sheet = kit_.OpenPages(kit_.Templates(), {kBasicSheetTemplate}, BasicSheetProc);
  ASSERT_NE(sheet, nullptr);
  HWND page = kit_.Dialog();
  int16_t chosen = 0;
  bool ran = false;
  driver_->Then(
      [&](HWND d) {
        ran = true;
        HWND types = GetDlgItem(d, 1003);
        for (int i = 0; i < SendMessageW(types, CB_GETCOUNT, 0, 0); ++i) {
          auto* row = reinterpret_cast<const OptionHead*>(SendMessageW(types, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
          if (static_cast<int16_t>(row->value) == F().PTInfoEach[0].nPaperType2) continue;
          chosen = static_cast<int16_t>(row->value);
          SendMessageW(types, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
          SendMessageW(d, WM_COMMAND, MAKEWPARAM(1003, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
          break;
        }
        PostMessageW(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      },
      testsupport::ModalDialogDriver::WithControl(kPaperSettingTrayList));
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(kBasicPaperSettingButton, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(page, kBasicPaperSettingButton)));
  ASSERT_TRUE(ran);
  ASSERT_NE(chosen, 0);
  EXPECT_EQ(F().PTInfoEach[0].nPaperType2, chosen);
  EXPECT_EQ(F().nDefaultSource, 257);
  EXPECT_EQ(F().nMediaType, chosen) << "the settings take the type of their tray";
  EXPECT_EQ(MediaBindingModeNow(), kMediaBindingNone);
}

TEST_F(PaperSettingDialog, TheAutomaticTrayDialogBindsTheMediaToTheAutomaticTrayWhileOpen) {
  // A model whose media settings are kept per tray.
  ProcessModelInfo()->features[kMfMediaTypeDetail] = 1;
  F().nDefaultSource = 257;
  // Where the pass binds "MediaType" for the dialog open now.
  auto boundMediaType = [&]() -> const void* {
    const ConstraintLibraryData data = {g_description.deviceOptions, ProcessModelInfo(), &ProcessMessageTables(),
                                        DocI16(&DefaultDocDMode(), kDocPaperSizeAt), nullptr};
    RunDoConstraints(1, kit_.Dialog(), 0, -1, data);
    for (const FeatureEntry* row = ProcessConstraintRules().features; row != nullptr && row->keyword[0] != 0; ++row) {
      char keyword[33] = {};
      FeatureKeyword(*row, keyword, sizeof keyword);
      if (std::string(keyword) == "MediaType") return row->field;
    }
    return nullptr;
  };
  EXPECT_EQ(MediaBindingModeNow(), kMediaBindingNone);
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(MediaBindingModeNow(), kMediaBindingTrays);
  EXPECT_EQ(boundMediaType(), &F().PTInfoEach[0].nPaperType2) << "the tray selected in the dialog";
  kit_.Close();
  EXPECT_EQ(MediaBindingModeNow(), kMediaBindingNone);
  ASSERT_NE(kit_.OpenDialog(kit_.Templates(), 164, AutoTrayPaperDlgProc), nullptr);
  EXPECT_EQ(MediaBindingModeNow(), kMediaBindingAutoTray);
  EXPECT_EQ(boundMediaType(), &F().PTInfoAuto.nPaperType2) << "the automatic tray's, whatever the tray";
  kit_.Close();
  EXPECT_EQ(MediaBindingModeNow(), kMediaBindingNone);
}

// The user paper list dialog on a printer of the test spooler: the stored
// list is read at the start and written at OK; the form calls and the
// spooler's form names are the test's.
std::vector<std::wstring> g_spoolerCalls;
std::vector<std::u16string> g_spoolerForms;
bool g_refuseWrite = false;
DWORD RecordedSetData(HANDLE printer, const wchar_t* name, DWORD type, const BYTE* data, DWORD size) {
  g_spoolerCalls.push_back(L"write");
  if (g_refuseWrite) return ERROR_ACCESS_DENIED;
  return SystemUserPaperSpooler().setPrinterData(printer, name, type, data, size);
}
bool RecordedHasForm(HANDLE, const wchar_t* name) {
  for (const auto& f : g_spoolerForms) {
    if (f == reinterpret_cast<const char16_t*>(name)) return true;
  }
  return false;
}
BOOL RecordedDeleteForm(HANDLE, const wchar_t* name) {
  g_spoolerCalls.push_back(std::wstring(L"delete ") + name);
  return TRUE;
}
BOOL RecordedAddForm(HANDLE, const FORM_INFO_1W* form) {
  g_spoolerCalls.push_back(std::wstring(L"add ") + form->pName);
  return TRUE;
}
const UserPaperSpooler kRecordedSpooler = {RecordedSetData, RecordedHasForm, RecordedDeleteForm, RecordedAddForm};
bool RecordedFormNames(HANDLE, std::vector<std::u16string>* names) {
  *names = g_spoolerForms;
  return true;
}

UserPaperEntry Paper(const char16_t* name, int32_t w, int32_t l, int16_t id) {
  UserPaperEntry e = {};
  std::char_traits<char16_t>::copy(e.name, name, std::char_traits<char16_t>::length(name));
  e.width = w;
  e.length = l;
  e.areaLeft = 4200;
  e.areaTop = 4200;
  e.areaRight = w - 4200;
  e.areaBottom = l - 4200;
  e.paperId = id;
  return e;
}

class UserPaperDialog : public BasicSheet {
 protected:
  static void SetUpTestSuite() {
    BasicSheet::SetUpTestSuite();
    printer_ = new testsupport::TestPrinter(L"User Papers");
  }
  static void TearDownTestSuite() {
    delete printer_;
    printer_ = nullptr;
    BasicSheet::TearDownTestSuite();
  }
  void SetUp() override {
    BasicSheet::SetUp();
    ASSERT_TRUE(printer_->ok()) << printer_->error();
    kit_.Session().printer = printer_->handle();
    g_spoolerCalls.clear();
    g_spoolerForms.clear();
    g_refuseWrite = false;
    SetUserPaperDialogSpooler(&kRecordedSpooler, RecordedFormNames);
    model_ = ProcessModelInfo();
    figure_ = model_->paperFigureStyle;
    model_->paperFigureStyle = 0;  // whole millimetres and hundredths of an inch
    Store({});
  }
  void TearDown() override {
    kit_.Close();
    model_->paperFigureStyle = figure_;
    SetUserPaperDialogSpooler(nullptr, nullptr);
    BasicSheet::TearDown();
  }
  void Store(const std::vector<UserPaperEntry>& entries) {
    UserPaperList list = {};
    for (const UserPaperEntry& e : entries) list.entries[list.count++] = e;
    ASSERT_EQ(SetPrinterDataW(printer_->handle(), const_cast<wchar_t*>(L"CustomPaperData"), REG_BINARY,
                              reinterpret_cast<BYTE*>(&list), sizeof list),
              static_cast<DWORD>(ERROR_SUCCESS));
  }
  UserPaperList Stored() {
    UserPaperList list = {};
    EXPECT_TRUE(ReadCustomPaperData(printer_->handle(), &list));
    return list;
  }
  HWND Open() { return kit_.OpenDialog(kit_.Templates(), kUserPaperTemplate, UserPaperDlgProc); }
  HWND List() { return kit_.Control(1547); }
  int Count() { return static_cast<int>(SendMessageW(List(), LB_GETCOUNT, 0, 0)); }
  void Pick(int item) {
    SendMessageW(List(), LB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessageW(kit_.Dialog(), WM_COMMAND, MAKEWPARAM(1547, LBN_SELCHANGE), reinterpret_cast<LPARAM>(List()));
  }
  int Selected() { return static_cast<int>(SendMessageW(List(), LB_GETCURSEL, 0, 0)); }
  const UserPaperEntry* Entry(int item) {
    return reinterpret_cast<const UserPaperEntry*>(SendMessageW(List(), LB_GETITEMDATA, static_cast<WPARAM>(item), 0));
  }
  void Rename(const wchar_t* name) {
    SetDlgItemTextW(kit_.Dialog(), 1553, L"");
    kit_.Type(1553, name);
  }
  static testsupport::TestPrinter* printer_;
  ModelInfo* model_ = nullptr;
  uint32_t figure_ = 0;
};
testsupport::TestPrinter* UserPaperDialog::printer_ = nullptr;

TEST_F(UserPaperDialog, TheFirstAddGivesTheDefaultSizeAndOkWaitsForAName) {
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(Count(), 0);
  EXPECT_FALSE(IsWindowEnabled(kit_.Control(1553))) << "nothing to edit";
  kit_.Click(1549);
  ASSERT_EQ(Count(), 1);
  const UserPaperEntry* e = Entry(0);
  const DocFields& d = Fields(DefaultDocDMode());
  EXPECT_EQ(e->width, d.sizInUserDefPaperMM_cx * 100);
  EXPECT_EQ(e->length, d.sizInUserDefPaperMM_cy * 100);
  EXPECT_EQ(e->areaLeft, static_cast<int32_t>(model_->customPaperMargins[0]) * 100);
  EXPECT_EQ(e->areaRight, (d.sizInUserDefPaperMM_cx - static_cast<int32_t>(model_->customPaperMargins[2])) * 100);
  EXPECT_EQ(e->paperId, 512);
  EXPECT_EQ(e->name[0], 0);
  EXPECT_FALSE(IsWindowEnabled(kit_.Control(IDOK)));
  EXPECT_FALSE(IsWindowEnabled(kit_.Control(1549)));
  kit_.Type(1553, L"Labels");
  EXPECT_TRUE(IsWindowEnabled(kit_.Control(IDOK)));
  EXPECT_EQ(std::u16string(Entry(0)->name), u"Labels");
  wchar_t text[260] = {};
  SendMessageW(List(), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(std::wstring(text).substr(0, 7), L"Labels\t");
}

TEST_F(UserPaperDialog, DeleteAndAddReuseTheLowestIdAndOkWritesTheListBeforeTheForms) {
  Store({Paper(u"Labels", 100000, 150000, 512), Paper(u"Cards", 120000, 180000, 513),
         Paper(u"Tickets", 110000, 160000, 514)});
  g_spoolerForms = {u"Labels", u"Cards", u"Tickets"};
  ASSERT_NE(Open(), nullptr);
  ASSERT_EQ(Count(), 3);
  EXPECT_EQ(Selected(), 0);
  Pick(1);
  EXPECT_EQ(Text(kit_.Dialog(), 1553), L"Cards");
  kit_.Boxes().Answer(IDNO);
  kit_.Click(1550);
  EXPECT_EQ(Count(), 3) << "No keeps the entry";
  kit_.Boxes().Answer(IDYES);
  kit_.Click(1550);
  ASSERT_EQ(Count(), 2);
  EXPECT_EQ(Selected(), 1) << "the item that now has the same place";
  EXPECT_EQ(UserPaperStateOf(&kit_.UiState())->list.count, 2) << "the working list follows at once";
  kit_.Click(1549);
  ASSERT_EQ(Count(), 3);
  EXPECT_EQ(Entry(2)->paperId, 513) << "the lowest free id";
  EXPECT_EQ(Entry(2)->width, 110000) << "a copy of the selected entry";
  kit_.Type(1553, L"Postcards");
  g_spoolerCalls.clear();
  kit_.Click(IDOK);
  ASSERT_FALSE(g_spoolerCalls.empty());
  EXPECT_EQ(g_spoolerCalls.front(), L"write") << "the list is written before any form is touched";
  EXPECT_EQ(g_spoolerCalls, (std::vector<std::wstring>{L"write", L"delete Labels", L"delete Cards", L"delete Tickets",
                                                       L"add Labels", L"add Tickets", L"add Postcards"}));
  DWORD type = 0, needed = 0;
  GetPrinterDataW(printer_->handle(), const_cast<wchar_t*>(L"CustomPaperData"), &type, nullptr, 0, &needed);
  EXPECT_EQ(needed, kUserPaperListSize);
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  const UserPaperList back = Stored();
  ASSERT_EQ(back.count, 3);
  EXPECT_EQ(std::u16string(back.entries[2].name), u"Postcards");
  EXPECT_EQ(back.entries[2].paperId, 513);
  EXPECT_EQ(back.entries[1].paperId, 514);
  EXPECT_EQ(back.entries[2].width % 100, 0);
}

TEST_F(UserPaperDialog, ANameMustDifferFromModelPapersOtherEntriesAndForeignForms) {
  Store({Paper(u"Labels", 100000, 150000, 512), Paper(u"Cards", 120000, 180000, 513)});
  g_spoolerForms = {u"Labels", u"Cards", u"Envelope Z"};
  ASSERT_NE(Open(), nullptr);
  std::wstring modelPaper;
  for (const char16_t* c = model_->papers[0].name; *c != 0; ++c) modelPaper.push_back(static_cast<wchar_t>(*c));
  ASSERT_FALSE(modelPaper.empty());
  for (const std::wstring& taken : {modelPaper, std::wstring(L"cARDS"), std::wstring(L"Envelope Z")}) {
    Rename(taken.c_str());
    const size_t boxes = kit_.Boxes().shown().size();
    Pick(1);
    ASSERT_EQ(kit_.Boxes().shown().size(), boxes + 1) << Narrow(taken);
    EXPECT_NE(kit_.Boxes().shown().back().text.find(taken), std::wstring::npos) << "record 240 names it";
    EXPECT_EQ(Selected(), 0) << "the entry is kept";
    EXPECT_EQ(testsupport::FocusedControl(kit_.Control(1553)), kit_.Control(1553));
  }
  // Its own form's name, in another case, is no clash.
  Rename(L"LABELS");
  const size_t boxes = kit_.Boxes().shown().size();
  Pick(1);
  EXPECT_EQ(kit_.Boxes().shown().size(), boxes);
  EXPECT_EQ(Selected(), 1);
  // The name's descriptor keeps out the characters a form name cannot hold.
  Rename(L"Post:ca*rds");
  EXPECT_EQ(Text(kit_.Dialog(), 1553), L"Postcards");
  EXPECT_EQ(std::u16string(Entry(1)->name), u"Postcards");
}

TEST_F(UserPaperDialog, AFailedWriteKeepsTheStoredListAndTheFormsAndCancelWritesNothing) {
  Store({Paper(u"Labels", 100000, 150000, 512)});
  g_spoolerForms = {u"Labels"};
  const UserPaperList before = Stored();
  ASSERT_NE(Open(), nullptr);
  Rename(L"Stickers");
  g_refuseWrite = true;
  kit_.Click(IDOK);
  EXPECT_EQ(g_spoolerCalls, (std::vector<std::wstring>{L"write"})) << "no form deleted or added";
  const UserPaperList kept = Stored();
  EXPECT_EQ(std::memcmp(&before, &kept, sizeof before), 0);
  ASSERT_FALSE(kit_.Boxes().shown().empty());
  EXPECT_TRUE(IsWindowVisible(kit_.Dialog())) << "the dialog stays for another try";
  g_spoolerCalls.clear();
  kit_.Click(IDCANCEL);
  EXPECT_TRUE(g_spoolerCalls.empty());
  const UserPaperList after = Stored();
  EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
}

TEST_F(UserPaperDialog, AnInchEntryShowsHundredthsAndAUnitChangeStoresTheShownValue) {
  Store({Paper(u"A4 own", 210000, 297000, 512)});
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(Text(kit_.Dialog(), 1555), L"210");
  kit_.Click(1241);
  EXPECT_EQ(Text(kit_.Dialog(), 1555), L"8.27");
  EXPECT_EQ(Entry(0)->unit, 1);
  EXPECT_EQ(Entry(0)->width, 210100) << "the value of the text 8.27";
  EXPECT_EQ(Entry(0)->areaRight, 210100 - 4200) << "the printable area keeps its distance";
  wchar_t text[260] = {};
  SendMessageW(List(), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(std::wstring(text), L"A4 own\t(8.27 x 11.69inch)");
}

TEST_F(UserPaperDialog, TheEleventhEntryCannotBeAdded) {
  std::vector<UserPaperEntry> ten;
  for (int i = 0; i < 10; ++i) {
    const std::u16string name = u"Paper " + std::u16string(1, static_cast<char16_t>(u'A' + i));
    ten.push_back(Paper(name.c_str(), 100000 + i * 1000, 150000, static_cast<int16_t>(512 + i)));
  }
  Store(ten);
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(Count(), 10);
  EXPECT_FALSE(IsWindowEnabled(kit_.Control(1549)));
  EXPECT_TRUE(IsWindowVisible(kit_.Control(1548))) << "the stop icon says why";
  SendMessageW(kit_.Dialog(), WM_COMMAND, MAKEWPARAM(1549, BN_CLICKED), 0);
  EXPECT_EQ(Count(), 10);
}

TEST_F(UserPaperDialog, AStoredCountBeyondTenIsCutToTen) {
  UserPaperList list = {};
  for (int i = 0; i < 10; ++i) list.entries[i] = Paper(u"P", 100000, 150000, static_cast<int16_t>(512 + i));
  list.count = 300;
  ASSERT_EQ(SetPrinterDataW(printer_->handle(), const_cast<wchar_t*>(L"CustomPaperData"), REG_BINARY,
                            reinterpret_cast<BYTE*>(&list), sizeof list),
            static_cast<DWORD>(ERROR_SUCCESS));
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(Count(), 10);
  EXPECT_EQ(UserPaperStateOf(&kit_.UiState())->list.count, 10);
}

TEST_F(UserPaperDialog, AWholeMillimetreThatRoundsToALimitStandsForTheExactLimit) {
  Store({Paper(u"Wide", 150000, 200000, 512)});
  auto* desc = const_cast<EditItemDesc*>(FindEditItem(1555));
  ASSERT_NE(desc, nullptr);
  const int32_t minimum = desc->head.minValue;
  ASSERT_NE(Open(), nullptr);
  const struct {
    int32_t minimum;  // tenths of a millimetre
    int32_t stored;   // micrometres, after typing 140
  } cases[] = {{1397, 140000}, {1404, 140400}, {1000, 140000}};
  for (const auto& c : cases) {
    desc->head.minValue = c.minimum;
    Rename(L"Wide");
    SetDlgItemTextW(kit_.Dialog(), 1555, L"");
    kit_.Type(1555, L"140");
    EXPECT_EQ(Entry(0)->width, c.stored) << c.minimum;
  }
  desc->head.minValue = minimum;
}

TEST_F(UserPaperDialog, AnEntryWiderThanLongIsRefusedWhereTheModelAsksForIt) {
  Store({Paper(u"Banner", 250000, 200000, 512), Paper(u"Cards", 120000, 180000, 513)});
  ASSERT_NE(model_->features[kMfPaperLengthLarger], 0u) << "the sample model asks for it";
  ASSERT_NE(Open(), nullptr);
  Pick(1);
  EXPECT_EQ(Selected(), 0) << "kept in the entry";
  ASSERT_FALSE(kit_.Boxes().shown().empty());
  // Made longer than wide, it may be left.
  SetDlgItemTextW(kit_.Dialog(), 1555, L"");
  kit_.Type(1555, L"150");
  Pick(1);
  EXPECT_EQ(Selected(), 1);
  EXPECT_EQ(Entry(0)->width, 150000);
}

TEST_F(UserPaperDialog, ASpinStepWritesItsEditAndTheEntryFollows) {
  Store({Paper(u"Cards", 120000, 180000, 512)});
  ASSERT_NE(Open(), nullptr);
  NMUPDOWN step = {};
  step.hdr.hwndFrom = kit_.Control(1556);
  step.hdr.idFrom = 1556;
  step.hdr.code = UDN_DELTAPOS;
  step.iPos = static_cast<int>(SendMessageW(kit_.Control(1556), UDM_GETPOS32, 0, 0));
  step.iDelta = 1;
  EXPECT_EQ(step.iPos, 120);
  SendMessageW(kit_.Dialog(), WM_NOTIFY, 1556, reinterpret_cast<LPARAM>(&step));
  EXPECT_EQ(Text(kit_.Dialog(), 1555), L"121");
  EXPECT_EQ(Entry(0)->width, 121000);
  // At the end of the range the step stops there.
  step.iPos = 297;
  step.iDelta = 5;
  SendMessageW(kit_.Dialog(), WM_NOTIFY, 1556, reinterpret_cast<LPARAM>(&step));
  EXPECT_EQ(Text(kit_.Dialog(), 1555), L"297");
}

}  // namespace
