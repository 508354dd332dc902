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
#include <string>
#include <vector>

#include "common/records/doc_fields.h"
#include "dproc/basic/auto_tray_dialog_win.h"
#include "dproc/basic/basic_sheet_win.h"
#include "dproc/constraints/do_constraints_win.h"
#include "dproc/constraints/stop_icons_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/model/default_settings.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/sheets/sheet_user_papers_win.h"
#include "dproc/startup/description_loader_win.h"
#include "dproc/startup/proc_library_entry_win.h"
#include "dproc/startup/process_texts.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/test_paths.h"

namespace {

std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }
std::string Narrow(const std::wstring& s) {
  std::string out;
  for (wchar_t c : s) out.push_back(c < 128 ? static_cast<char>(c) : '?');
  return out;
}

// The library's files in a folder of their own, attached in this process
// with that folder's VELDRANA.DLL as the library's module.
class Library {
 public:
  Library() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    dir_ = std::wstring(base) + L"vdbasic" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(dir_.c_str(), nullptr);
    for (const wchar_t* name : {L"VELDRANA.DLL", L"VELDRANG.DLL", L"VELDRANW.DLL", L"VELDRANH.DLL"}) {
      Copy(testsupport::ProgramFolder() + name, name);
    }
    for (const wchar_t* name : {L"VELDRANH.QXD", L"VELDRANK.QXD", L"VELDRANP.QXD", L"VELDRANX.QXD"}) {
      Copy(Widen(testsupport::BinaryPath("model/" + Narrow(name))), name);
    }
    own_ = LoadLibraryW((dir_ + L"VELDRANA.DLL").c_str());
    attached_ = own_ != nullptr && ProcLibraryEntry(own_, DLL_PROCESS_ATTACH, nullptr);
  }
  ~Library() {
    if (attached_) ProcLibraryEntry(own_, DLL_PROCESS_DETACH, nullptr);
    if (own_ != nullptr) FreeLibrary(own_);
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) DeleteFileW(it->c_str());
    RemoveDirectoryW(dir_.c_str());
  }
  bool ok() const { return attached_; }

 private:
  void Copy(const std::wstring& from, const wchar_t* name) {
    const std::wstring to = dir_ + name;
    if (CopyFileW(from.c_str(), to.c_str(), FALSE)) made_.push_back(to);
  }
  std::wstring dir_;
  std::vector<std::wstring> made_;
  HMODULE own_ = nullptr;
  bool attached_ = false;
};

Library* g_library = nullptr;

// The library's own pass, or a scripted answer for one control.
uint16_t g_scriptedControl = 0;
int32_t g_scriptedAnswer = 0;
std::vector<uint16_t> g_passes;
int32_t LibraryConstraints(HWND dialog, HWND, uint16_t controlId) {
  g_passes.push_back(controlId);
  if (g_scriptedControl != 0 && controlId == g_scriptedControl) return g_scriptedAnswer;
  const ConstraintLibraryData data = {g_description.deviceOptions, ProcessModelInfo(), &ProcessMessageTables(),
                                      DocI16(&DefaultDocDMode(), kDocPaperSizeAt), nullptr};
  return RunDoConstraints(0, dialog, controlId, -1, data);
}

// Modal dialogs are answered by the test when they become active.
std::function<void(HWND)> g_drive;
HHOOK g_hook = nullptr;
LRESULT CALLBACK DriveHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && g_drive) {
    auto drive = std::move(g_drive);
    g_drive = nullptr;
    drive(reinterpret_cast<HWND>(wParam));
  }
  return CallNextHookEx(g_hook, code, wParam, lParam);
}

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
    g_hook = SetWindowsHookExW(WH_CBT, DriveHook, nullptr, GetCurrentThreadId());
    ResetBasicSheetEnterToggles();
  }
  void TearDown() override {
    kit_.Close();
    if (g_hook != nullptr) UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    g_drive = nullptr;
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
  uint32_t SelectedValue(int combo) {
    HWND c = kit_.Control(combo);
    const LRESULT at = SendMessageW(c, CB_GETCURSEL, 0, 0);
    if (at == CB_ERR) return 0xFFFFFFFF;
    return reinterpret_cast<const OptionHead*>(SendMessageW(c, CB_GETITEMDATA, static_cast<WPARAM>(at), 0))->value;
  }
  testsupport::DialogKit kit_;
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
  g_drive = [&](HWND d) {
    ran = true;
    SendMessageW(GetDlgItem(d, 1241), BM_CLICK, 0, 0);
    SetDlgItemTextW(d, 1336, L"9.5");
    PostMessageW(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  };
  kit_.Select(kBasicPaperSize, custom);
  EXPECT_TRUE(ran);
  EXPECT_EQ(std::memcmp(&before, &kit_.Settings(), sizeof before), 0) << "Cancel leaves the settings as they were";
  EXPECT_EQ(SelectedValue(kBasicPaperSize), static_cast<uint32_t>(static_cast<uint16_t>(Fields(before).nPaperSize)));

  // OK in millimetres (the sample model shows tenths): width and length
  // with their inch values in thousandths.
  std::wstring range;
  g_drive = [&](HWND d) {
    SendMessageW(GetDlgItem(d, 1240), BM_CLICK, 0, 0);
    range = Text(d, 1273);
    SetDlgItemTextW(d, 1336, L"210.5");
    SetDlgItemTextW(d, 1337, L"297");
    PostMessageW(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
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
  g_drive = [&](HWND d) {
    SetDlgItemTextW(d, 1336, L"99.9");
    SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    SetDlgItemTextW(d, 1336, L"150");
    PostMessageW(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
  kit_.Select(kBasicPaperSize, custom);
  ASSERT_FALSE(kit_.Boxes().shown().empty());
  const std::wstring message = kit_.Boxes().shown().back().text;
  EXPECT_NE(message.find(L"100.0"), std::wstring::npos) << Narrow(message);
  EXPECT_NE(message.find(L"297.0"), std::wstring::npos) << Narrow(message);
  EXPECT_EQ(F().sizInUserDefPaperMM_cx, 1500);
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
    g_drive = cancel;
    kit_.Select(kBasicPaperSize, custom);
  }
  keys[VK_RETURN] = 0;
  SetKeyboardState(keys);
  g_drive = nullptr;
  EXPECT_EQ(opened, 1);
  // With the key up the dialog opens every time.
  g_drive = cancel;
  kit_.Select(kBasicPaperSize, custom);
  EXPECT_EQ(opened, 2);
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

}  // namespace
