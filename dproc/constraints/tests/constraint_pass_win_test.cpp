// The constraint pass on live dialogs with the sample model's rules and the
// feature table's control ids: refusals, questions, forced values, locks,
// hints and stop-icon reasons.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "common/qxd/constraint_file_win.h"
#include "common/records/doc_fields.h"
#include "dproc/model/disp_strings.h"
#include "dproc/model/feature_fields.h"
#include "dproc/model/feature_table.h"
#include "common/qxd/model_info.h"
#include "common/qxd/paper_tables.h"
#include "common/qxd/qxd_file.h"
#include "dproc/sheets/device_address_win.h"
#include "dproc/sheets/per_page_ui_lists.h"
#include "dproc/sheets/sheet_context.h"
#include "common/win/ui_services.h"
#include "dproc/constraints/builtin_checks_win.h"
#include "dproc/constraints/constraint_messages.h"
#include "dproc/constraints/constraint_pass_win.h"
#include "dproc/constraints/constraint_rules.h"
#include "dproc/constraints/constraint_ui_state.h"
#include "dproc/constraints/do_constraints_win.h"
#include "dproc/constraints/page_hints.h"
#include "dproc/constraints/rule_evaluation.h"
#include "dproc/constraints/stamp_sheet_facts.h"
#include "dproc/constraints/stop_icons_win.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_text.h"
#include "tools/qxd/constraint_document.h"

namespace {

using testsupport::Widen;

std::wstring Text(const char16_t* t) { return std::wstring(reinterpret_cast<const wchar_t*>(t)); }

// Message boxes are recorded and answered by the test.
struct Box {
  std::wstring text, caption;
  UINT style;
};
std::vector<Box> g_boxes;
int g_answer = IDYES;

int RecordBox(HWND, const wchar_t* text, const wchar_t* caption, UINT style) {
  g_boxes.push_back({text, caption, style});
  return g_answer;
}
const UiServices kRecordingServices = {RecordBox, nullptr, nullptr};

// A dialog template in memory: a child page with the given controls.
struct ControlSpec {
  uint32_t id;
  uint16_t classAtom;  // 0x80 button, 0x81 edit, 0x85 combo box
  DWORD style;
};

std::vector<WORD> PageTemplate(const std::vector<ControlSpec>& controls) {
  std::vector<WORD> t;
  auto dword = [&](DWORD v) {
    t.push_back(LOWORD(v));
    t.push_back(HIWORD(v));
  };
  dword(WS_CHILD | WS_VISIBLE | DS_SETFONT);
  dword(0);
  t.push_back(static_cast<WORD>(controls.size()));
  for (int i = 0; i < 4; ++i) t.push_back(i < 2 ? 0 : 200);
  t.push_back(0);  // no menu
  t.push_back(0);  // default class
  t.push_back(0);  // no title
  t.push_back(8);
  for (wchar_t c : std::wstring(L"Tahoma")) t.push_back(c);
  t.push_back(0);
  int y = 0;
  for (const ControlSpec& c : controls) {
    if (t.size() % 2 != 0) t.push_back(0);  // DWORD alignment
    dword(c.style | WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    dword(0);
    t.push_back(4);
    t.push_back(static_cast<WORD>(y));
    t.push_back(80);
    t.push_back(c.classAtom == 0x85 ? 60 : 12);
    y += 14;
    t.push_back(static_cast<WORD>(c.id));
    t.push_back(0xFFFF);
    t.push_back(c.classAtom);
    t.push_back(0);  // no text
    t.push_back(0);  // no creation data
  }
  return t;
}

INT_PTR CALLBACK PageProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    return TRUE;
  }
  return FALSE;
}

class ConstraintPass : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::wstring path = Widen(testsupport::BinaryPath("model/VELDRANH.QXD"));
    QxdContext* file = QxdOpen(path.c_str(), 1);
    ASSERT_NE(file, nullptr);
    ModelBuildEnv env = {};
    model_ = BuildModelInfo(file, env);
    DevOption defaults = {};
    deviceOptions_ = LoadDeviceOptionList(file, model_, &defaults);
    ASSERT_TRUE(AllocMessageTables(&messages_));
    LoadMessageTables(file, &messages_);
    QxdClose(file);
    table_ = BuildFeatureTable(FeatureControlTable(), deviceOptions_, model_);
    ASSERT_NE(table_, nullptr);
    // The control table names no control kinds or stop icons; the rows these
    // tests use get the kinds of the sheets' controls and two icons.
    struct Fill {
      const char* keyword;
      uint32_t kind, icon;
    } fills[] = {{"Copies", 4, 0}, {"Collate", 1, 1110}, {"Nup", 5, 1111}, {"DoubleSides", 1, 0}};
    for (const Fill& f : fills) {
      for (FeatureEntry* row = table_; row->keyword[0] != 0; ++row) {
        if (ConstraintKeywordEqualsAscii(row->keyword, f.keyword)) {
          row->kind = f.kind;
          row->stopIconId = f.icon;
        }
      }
    }
  }
  static void TearDownTestSuite() {
    FreeFeatureTable(table_);
    FreeDeviceOptionList(deviceOptions_);
    FreeModelInfoRecord(model_);
    FreeMessageTables(&messages_);
  }

  void SetUp() override {
    std::wstring rules = Widen(testsupport::BinaryPath("model/VELDRANK.QXD"));
    ASSERT_EQ(LoadConstraintFileAt(rules.c_str(), &ProcessConstraintRules().set), ConstraintLoad::Loaded);
    ASSERT_EQ(BuildConstraintIndex(table_, model_), 1);
    SetConstraintMessageTables(&messages_);
    previous_ = SetUiServices(&kRecordingServices);
    g_boxes.clear();
    g_answer = IDYES;
    session_ = std::make_unique<SheetSession>();
    std::memset(session_.get(), 0, sizeof *session_);
    session_->kind = kSheetDocumentSession;
    session_->working = &session_->workingRecord;
    session_->printer = INVALID_HANDLE_VALUE;
    page_ = {};
    page_.dwSize = sizeof page_;
    page_.lParam = reinterpret_cast<LPARAM>(session_.get());
    parent_ = CreateWindowExW(0, L"STATIC", L"sheet", WS_OVERLAPPEDWINDOW, 0, 0, 600, 500, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(parent_, nullptr);
  }
  void TearDown() override {
    if (dialog_ != nullptr) DestroyWindow(dialog_);
    DestroyWindow(parent_);
    SetUiServices(previous_);
    SetConstraintMessageTables(nullptr);
    FreeConstraintRules();
  }

  // A page of the given id with the given controls and the stop icons of
  // their rows.
  void OpenPage(uint32_t pageId, std::vector<ControlSpec> controls) {
    for (size_t i = 0, n = controls.size(); i < n; ++i) {
      for (const FeatureEntry* row = table_; row->keyword[0] != 0; ++row) {
        if (row->controlId == controls[i].id && row->stopIconId != 0) {
          controls.push_back({row->stopIconId, 0x80, BS_OWNERDRAW});
          break;
        }
      }
    }
    template_ = PageTemplate(controls);
    dialog_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                         reinterpret_cast<const DLGTEMPLATE*>(template_.data()), parent_, PageProc,
                                         reinterpret_cast<LPARAM>(&page_));
    ASSERT_NE(dialog_, nullptr);
    SetWindowLongPtrW(dialog_, GWLP_ID, static_cast<LONG_PTR>(pageId));
    StoreStopIconRect(dialog_, StopIconTable());
    Bind();
  }

  // Replaces the sample model's rules with rules compiled from text.
  void InstallRules(const std::string& text) {
    qxd::ConstraintDocument doc;
    std::string error;
    ASSERT_TRUE(qxd::ParseConstraintText(text, &doc, &error)) << error;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(qxd::BuildConstraints(doc, &bytes, &error)) << error;
    QxdContext* ctx = QxdOpenImage(bytes.data(), bytes.size());
    ASSERT_EQ(ReadConstraintFile(ctx, &ProcessConstraintRules().set), ConstraintLoad::Loaded);
    QxdClose(ctx);
    ASSERT_EQ(BuildConstraintIndex(table_, model_), 1);
  }

  void Bind() { RunDoConstraints(1, dialog_, 0, -1, {deviceOptions_, model_, &messages_, 9, nullptr}); }
  int32_t Pass(uint16_t control) {
    return RunDoConstraints(0, dialog_, control, -1, {deviceOptions_, model_, &messages_, 9, nullptr});
  }

  FeatureEntry& Row(const char* keyword, const char* option = "") {
    for (FeatureEntry* row = table_; row->keyword[0] != 0; ++row) {
      if (ConstraintKeywordEqualsAscii(row->keyword, keyword) &&
          (option[0] == '\0' || ConstraintKeywordEqualsAscii(row->option, option))) {
        return *row;
      }
    }
    ADD_FAILURE() << "no row " << keyword;
    return *table_;
  }
  int32_t Get(const char* keyword) { return ReadFeatureValue(Row(keyword)); }
  void Set(const char* keyword, int32_t value) {
    ASSERT_NE(Row(keyword).field, nullptr) << keyword;
    WriteFeatureValue(Row(keyword), value);
  }
  void SetAskFlag(uint16_t on) { session_->workingRecord.device.option.displayConstMsg = on; }
  std::wstring Message(MessageTable table, uint32_t n) { return Text(MessageText(messages_, table, n)); }

  static ModelInfo* model_;
  static DeviceOptionItem* deviceOptions_;
  static MessageTables messages_;
  static FeatureEntry* table_;
  const UiServices* previous_ = nullptr;
  std::unique_ptr<SheetSession> session_;
  PROPSHEETPAGEW page_ = {};
  HWND parent_ = nullptr;
  HWND dialog_ = nullptr;
  std::vector<WORD> template_;
};

ModelInfo* ConstraintPass::model_ = nullptr;
DeviceOptionItem* ConstraintPass::deviceOptions_ = nullptr;
MessageTables ConstraintPass::messages_ = {};
FeatureEntry* ConstraintPass::table_ = nullptr;

const std::vector<ControlSpec> kLayoutControls = {{1779, 0x80, BS_AUTOCHECKBOX},
                                                  {1286, 0x85, CBS_DROPDOWNLIST}};
const std::vector<ControlSpec> kBasicControls = {{1227, 0x80, BS_AUTORADIOBUTTON},
                                                 {1228, 0x80, BS_AUTORADIOBUTTON},
                                                 {1011, 0x81, ES_NUMBER},
                                                 {1014, 0x85, CBS_DROPDOWNLIST},
                                                 {1020, 0x80, BS_AUTORADIOBUTTON},
                                                 {1023, 0x80, BS_AUTORADIOBUTTON}};

TEST_F(ConstraintPass, TheSessionsCustomPaperWordReachesThePass) {
  OpenPage(101, kLayoutControls);
  ConstraintUiState* state = ConstraintStateOf(&session_->uiState);
  ASSERT_NE(state, nullptr);
  state->customPaperWord = 1;
  Bind();
  EXPECT_EQ(ProcessRuleEvalContext().customPaperPass, 1u);
  state->customPaperWord = 0;
  Bind();
  EXPECT_EQ(ProcessRuleEvalContext().customPaperPass, 0u);
}

TEST_F(ConstraintPass, TheDeviceAddressAndThePassStateKeepApart) {
  OpenPage(101, kLayoutControls);
  // The sheet learns the device's address from the stored one.
  DevOption& device = session_->workingRecord.device.option;
  device.destCustomize = 2;
  const std::u16string stored(62, u'7');  // the longest address a sheet keeps
  std::memcpy(device.deviceAddress, stored.c_str(), (stored.size() + 1) * sizeof(char16_t));
  UpdateCtxDeviceAddress(dialog_, &page_);
  const char* address = UiDeviceAddress(&session_->uiState);
  ASSERT_NE(address, nullptr);
  EXPECT_EQ(std::string(address), std::string(62, '7'));

  // The pass does not take the address for its custom-paper word, and what
  // it leaves for the sheets does not change the address.
  ConstraintUiState* state = ConstraintStateOf(&session_->uiState);
  EXPECT_EQ(state->customPaperWord, 0u);
  EXPECT_EQ(state->flags, 0u);
  Bind();
  EXPECT_EQ(ProcessRuleEvalContext().customPaperPass, 0u);
  state->customPaperWord = 1;
  state->flags = kConstraintChangedEdit;
  EXPECT_EQ(std::string(address), std::string(62, '7'));
  const auto* bytes = reinterpret_cast<const uint8_t*>(address);
  const auto* stateBytes = reinterpret_cast<const uint8_t*>(state);
  EXPECT_TRUE(bytes >= stateBytes + sizeof *state || bytes + kUiDeviceAddressBytes <= stateBytes);
}

TEST_F(ConstraintPass, ChoosingARefusedOptionIsRefusedWithItsWarning) {
  OpenPage(101, kLayoutControls);
  Set("Zoom", 1);  // automatic zoom: N-up stays on
  Set("Nup", 1);
  Set("DoubleSides", 1);
  EXPECT_EQ(Pass(0), kPassComplete);  // marks "Booklet" refused while N-up is on
  Set("DoubleSides", 3);
  EXPECT_EQ(Pass(1286), kPassRefused);
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_EQ(g_boxes[0].caption, Message(kCstMessageStr, 0));
  EXPECT_NE(g_boxes[0].text.find(Message(kCstMessageStr, 2)), std::wstring::npos);
  EXPECT_EQ(g_boxes[0].style, static_cast<UINT>(MB_ICONEXCLAMATION));

  // Without N-up the same choice passes.
  Set("Nup", 0);
  Set("DoubleSides", 1);
  EXPECT_EQ(Pass(0), kPassComplete);
  Set("DoubleSides", 3);
  EXPECT_EQ(Pass(1286), kPassComplete);
  EXPECT_EQ(g_boxes.size(), 1u);
}

// Property sheets leave a page's window identifier 0, and a modal dialog's
// identifier is its menu: the pass finds the changed control's row through
// the page the skeleton records on the window.
TEST_F(ConstraintPass, TheRecordedPageFindsTheChangedControlsRow) {
  OpenPage(101, kLayoutControls);
  SetWindowLongPtrW(dialog_, GWLP_ID, 0);
  Set("Zoom", 1);
  Set("Nup", 1);
  Set("DoubleSides", 1);
  EXPECT_EQ(Pass(0), kPassComplete);
  Set("DoubleSides", 3);
  EXPECT_EQ(Pass(1286), kPassComplete) << "without a page the control has no row, and nothing is refused";
  EXPECT_TRUE(g_boxes.empty());

  SetDialogPageId(dialog_, 101);
  EXPECT_EQ(DialogPageId(dialog_), 101u);
  Set("DoubleSides", 1);
  EXPECT_EQ(Pass(0), kPassComplete);
  Set("DoubleSides", 3);
  EXPECT_EQ(Pass(1286), kPassRefused);
  EXPECT_EQ(g_boxes.size(), 1u);

  // A page of other controls: the control is not one of its rows.
  SetDialogPageId(dialog_, 100);
  Set("DoubleSides", 1);
  EXPECT_EQ(Pass(0), kPassComplete);
  Set("DoubleSides", 3);
  EXPECT_EQ(Pass(1286), kPassComplete);
  EXPECT_EQ(g_boxes.size(), 1u);
  ForgetDialogPageId(dialog_);
  EXPECT_EQ(DialogPageId(dialog_), 0u);
}

TEST_F(ConstraintPass, AForcedChangeAsksAndNoKeepsEverything) {
  OpenPage(100, kBasicControls);
  SetAskFlag(1);
  Set("Nup", 1);
  Set("Zoom", 0);  // manual zoom chosen
  g_answer = IDNO;
  EXPECT_EQ(Pass(1228), kPassAnsweredNo);
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_EQ(g_boxes[0].caption, Message(kChgMessageStr, 0));
  EXPECT_NE(g_boxes[0].text.find(Message(kChgMessageStr, 2)), std::wstring::npos);
  EXPECT_EQ(g_boxes[0].style, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(Get("Nup"), 1);

  g_answer = IDYES;
  EXPECT_EQ(Pass(1228), kPassComplete);
  EXPECT_EQ(g_boxes.size(), 2u);
  EXPECT_EQ(Get("Nup"), 0);
}

TEST_F(ConstraintPass, WithoutTheQuestionSettingForcedChangesApplySilently) {
  OpenPage(100, kBasicControls);
  SetAskFlag(0);
  Set("Nup", 1);
  Set("Zoom", 0);
  EXPECT_EQ(Pass(1228), kPassComplete);
  EXPECT_TRUE(g_boxes.empty());
  EXPECT_EQ(Get("Nup"), 0);
}

TEST_F(ConstraintPass, AWholePagePassNeverAsks) {
  OpenPage(101, kLayoutControls);
  SetAskFlag(1);
  Set("Nup", 1);
  Set("Zoom", 0);
  Set("DoubleSides", 3);
  EXPECT_EQ(Pass(0), kPassComplete);
  EXPECT_TRUE(g_boxes.empty());
  EXPECT_EQ(Get("Nup"), 0);  // forced without a question
  EXPECT_EQ(IsDlgButtonChecked(dialog_, 1779), BST_UNCHECKED);
}

TEST_F(ConstraintPass, LocksFollowTheirRules) {
  OpenPage(100, kBasicControls);
  Set("Copies", 1);
  EXPECT_EQ(Pass(0), kPassComplete);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog_, 1014)));
  EXPECT_EQ(Row("Collate").locked, 1u);
  Set("Copies", 2);
  EXPECT_EQ(Pass(1011), kPassComplete);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog_, 1014)));
  EXPECT_EQ(EnableCtrlByFeature(dialog_, 100, 1014, 1), 1);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog_, 1014)));
}

TEST_F(ConstraintPass, HintsGoToThePagesOfTheirFirstCondition) {
  OpenPage(100, kBasicControls);
  Set("Orientation", 2);
  EXPECT_EQ(Pass(0), kPassComplete);
  const PageHintList* basic = FindPageHints(100);
  ASSERT_NE(basic, nullptr);
  EXPECT_EQ(basic->hasHints, 1u);
  ASSERT_EQ(basic->count, 1);
  EXPECT_EQ(basic->hints[0], 2u);
  Set("Orientation", 1);
  EXPECT_EQ(Pass(1020), kPassComplete);
  EXPECT_EQ(basic->hasHints, 0u);
  EXPECT_EQ(basic->count, 0);
}

TEST_F(ConstraintPass, StopIconsShowTheirReasons) {
  OpenPage(100, kBasicControls);
  const uint32_t icon = Row("Collate").stopIconId;
  ASSERT_NE(icon, 0u);
  Set("Copies", 1);
  EXPECT_EQ(Pass(0), kPassComplete);
  const HintEntry* row = FindStopIcon(icon);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->show, 1u);
  std::wstring text = Text(row->text);
  EXPECT_NE(text.find(Message(kToolChipStr, 1)), std::wstring::npos);
  EXPECT_NE(text.find(Message(kToolChipStr, 4)), std::wstring::npos);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog_, static_cast<int>(icon))));
  Set("Copies", 3);
  EXPECT_EQ(Pass(1011), kPassComplete);
  EXPECT_EQ(row->show, 0u);
  EXPECT_EQ(row->text[0], 0);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog_, static_cast<int>(icon))));
  RECT r;
  GetWindowRect(GetDlgItem(dialog_, static_cast<int>(icon)), &r);
  EXPECT_EQ(r.right - r.left, 0);
}

TEST_F(ConstraintPass, TheSameReasonAppearsOnceInAStopIconText) {
  // Two rules give the same reason, a third another; after twenty distinct
  // reasons the repetition test stops.
  std::string text = "constraints\n";
  for (int i = 0; i < 24; ++i) {
    text += "\nrule setting\n  target \"Collate\" \"\"\n  if \"Copies\" <= \"1\"\n  expr 0 end\n  reason " +
            std::to_string(i < 3 ? 4 : i) + "\n";
  }
  text += "\nrule setting\n  target \"Collate\" \"\"\n  if \"Copies\" <= \"1\"\n  expr 0 end\n  reason 4\n";
  InstallRules(text);

  OpenPage(100, kBasicControls);
  Set("Copies", 1);
  EXPECT_EQ(Pass(0), kPassComplete);
  const HintEntry* icon = FindStopIcon(Row("Collate").stopIconId);
  ASSERT_NE(icon, nullptr);
  std::wstring reasons = Text(icon->text);
  const std::wstring four = Message(kToolChipStr, 4);
  size_t count = 0;
  for (size_t at = reasons.find(four); at != std::wstring::npos; at = reasons.find(four, at + 1)) ++count;
  // Rules 0-2 and the last give reason 4: once before the memory fills, and
  // once more from the last rule, which comes after twenty distinct ones.
  EXPECT_EQ(count, 2u);
}

// --- Per-page rules over the per-page list columns.

class PerPageRules : public ConstraintPass {
 protected:
  void SetUp() override {
    ConstraintPass::SetUp();
    InstallRules(
        "constraints\n\nrule perpage\n  target \"Collate\" \"\"\n"
        "  if \"PerPageListTabPaper\" == \"PPSTabUse\"\n  expr 0 end\n  reason 4\n");
    column_ = &Row("PerPageListTabPaper");
    savedKind_ = column_->kind;
    column_->kind = 7;  // a per-page list column
    entries_[0] = InterSheetEntry{};
    entries_[1] = InterSheetEntry{};
    list_ = InterSheetList{};
    list_.count = 2;
    list_.entries = entries_;
  }
  void TearDown() override {
    column_->kind = savedKind_;
    column_->field = nullptr;
    SetPerPageEdit(nullptr, kPerPageKindNone);
    ConstraintPass::TearDown();
  }
  // The reason shows on the Collate row's stop icon.
  bool ReasonShown() {
    const HintEntry* icon = FindStopIcon(Row("Collate").stopIconId);
    return icon != nullptr && icon->show != 0 && Text(icon->text).find(Message(kToolChipStr, 4)) != std::wstring::npos;
  }
  void SelectList(int16_t value) {
    std::memcpy(session_->workingRecord.devmode.doc.settings + (1551 - 64), &value, sizeof value);
  }

  FeatureEntry* column_ = nullptr;
  uint32_t savedKind_ = 0;
  InterSheetEntry entries_[2];
  InterSheetList list_;
};

TEST_F(PerPageRules, OnASheetTheRuleIsTriedOnEveryEntryOfTheSelectedList) {
  OpenPage(100, kBasicControls);
  PerPageListsOf(&session_->uiState)->lists[1] = &list_;
  entries_[1].tabPaper = 1;  // the second entry uses tab paper
  SelectList(2);
  EXPECT_EQ(Pass(0), kPassComplete);
  EXPECT_TRUE(ReasonShown());
  // No entry matches.
  entries_[1].tabPaper = 0;
  EXPECT_EQ(Pass(0), kPassComplete);
  EXPECT_FALSE(ReasonShown());
  // The matching entry is in another list than the one the settings select,
  // the settings select none, or the selected list is empty.
  entries_[1].tabPaper = 1;
  for (int16_t value : {int16_t{1}, int16_t{0}, int16_t{11}}) {
    SelectList(value);
    EXPECT_EQ(Pass(0), kPassComplete);
    EXPECT_FALSE(ReasonShown()) << value;
  }
  SelectList(2);
  list_.count = 0;
  EXPECT_EQ(Pass(0), kPassComplete);
  EXPECT_FALSE(ReasonShown());
  // The pass leaves the columns unbound: they point into no list entry.
  EXPECT_EQ(column_->field, nullptr);
}

TEST_F(PerPageRules, InThePerPageDialogTheEntryUnderEditDecides) {
  std::vector<ControlSpec> controls = kBasicControls;
  controls.push_back({1539, 0x83, 0});
  OpenPage(137, controls);
  PerPageListsOf(&session_->uiState)->lists[0] = &list_;
  entries_[0].tabPaper = 1;  // the stored list would hold the rule
  SelectList(1);
  InterSheetEntry underEdit = {};
  SetPerPageEdit(&underEdit, 6);
  EXPECT_EQ(Pass(0), kPassComplete);
  EXPECT_FALSE(ReasonShown());
  underEdit.tabPaper = 1;
  EXPECT_EQ(Pass(0), kPassComplete);
  EXPECT_TRUE(ReasonShown());
  // The value control binds the columns to the entry under edit, and keeps
  // the kind chosen in the dialog; another control clears the kind (the
  // whole-dialog passes above did).
  EXPECT_EQ(ProcessRuleEvalContext().perPageKind, kPerPageKindNone);
  SetPerPageEdit(&underEdit, 6);
  RunDoConstraints(1, dialog_, kPerPageSettingChange, -1, {deviceOptions_, model_, &messages_, 9, nullptr});
  EXPECT_EQ(column_->field, reinterpret_cast<uint8_t*>(&underEdit) + offsetof(InterSheetEntry, tabPaper));
  EXPECT_EQ(Pass(kPerPageSettingChange), kPassComplete);
  EXPECT_EQ(ProcessRuleEvalContext().perPageKind, 6);
  EXPECT_EQ(Pass(1011), kPassComplete);
  EXPECT_EQ(ProcessRuleEvalContext().perPageKind, kPerPageKindNone);
}

// The staple column of the entry under edit is checked against the paper's
// feed as the document's staple list is: the entry's per-page staple code
// names the list's position.
TEST_F(PerPageRules, TheEntrysStaplePositionIsCheckedForTheFeed) {
  FinishPositionItem rows[2] = {};
  rows[0].size = sizeof rows[0];
  std::strcpy(rows[0].keyword, "OneStapleLeftTop");
  rows[0].value = 1;
  rows[0].feedData[1] = 5;  // refused for the first feed direction
  rows[1].size = sizeof rows[1];
  ModelInfo model = *model_;
  model.staples = rows;
  DocDMode doc = session_->workingRecord.devmode.doc;
  Fields(doc).nBinding = 15;
  ConstraintPassEnv env = {};
  env.model = &model;
  env.doc = &doc;
  char16_t text[512] = {};
  InterSheetEntry underEdit = {};
  underEdit.staple = 257;  // the first position
  SetPerPageEdit(&underEdit, kPerPageStapleKind);
  EXPECT_EQ(CheckFinishingByFeed(env, kPerPageSettingChange, text, std::size(text)), 1);
  underEdit.staple = 258;
  EXPECT_EQ(CheckFinishingByFeed(env, kPerPageSettingChange, text, std::size(text)), 0) << "a position allowed";
  underEdit.staple = 255;
  EXPECT_EQ(CheckFinishingByFeed(env, kPerPageSettingChange, text, std::size(text)), 0) << "as the document";
  underEdit.staple = 257;
  SetPerPageEdit(&underEdit, 6);
  EXPECT_EQ(CheckFinishingByFeed(env, kPerPageSettingChange, text, std::size(text)), 0) << "another column";
}

// --- Checks built into the pass.

int DLManagerMissing() { return 0; }
int DLManagerPresent() { return 1; }

TEST_F(ConstraintPass, FixedReasonsOfTheDeviceAddressAndTheDownloadManager) {
  OpenPage(157, {{2222, 0x80, BS_OWNERDRAW}});
  DevOption& device = session_->workingRecord.device.option;
  char* address = UiDeviceAddress(&session_->uiState);
  const ConstraintLibraryData missing = {deviceOptions_, model_, &messages_, 9, DLManagerMissing};
  const HintEntry* icon = FindStopIcon(2222);
  ASSERT_NE(icon, nullptr);

  // No device address known and the device is not asked through Vistrel.
  device.vistrel = 0;
  EXPECT_EQ(RunDoConstraints(0, dialog_, 0, -1, missing), kPassComplete);
  EXPECT_EQ(icon->show, 1u);
  EXPECT_NE(Text(icon->text).find(Message(kToolChipStr, 282)), std::wstring::npos);
  std::strcpy(address, "192.0.2.7");
  RunDoConstraints(0, dialog_, 0, -1, missing);
  EXPECT_EQ(icon->show, 0u);
  address[0] = '\0';
  device.vistrel = 1;
  RunDoConstraints(0, dialog_, 0, -1, missing);
  EXPECT_EQ(icon->show, 0u);

  // The download manager's reasons, as the last pass found it.
  ConstraintPassEnv env = {};
  env.dialog = dialog_;
  env.ctx = &page_;
  env.device = &device;
  ModelInfo hardOverlay = *model_;
  hardOverlay.features[kMfSoftOverlay] = 0;
  ModelInfo softOverlay = *model_;
  softOverlay.features[kMfSoftOverlay] = 1;
  uint32_t entries[kFixedReasonMax] = {};
  env.model = &hardOverlay;
  ASSERT_EQ(FixedStopReasons(env, 1530, entries, nullptr), 1);
  EXPECT_EQ(entries[0], 205u);
  ASSERT_EQ(FixedStopReasons(env, 1192, entries, nullptr), 1);
  EXPECT_EQ(entries[0], 205u);
  env.model = &softOverlay;
  EXPECT_EQ(FixedStopReasons(env, 1192, entries, nullptr), 0);
  EXPECT_EQ(FixedStopReasons(env, 1530, entries, nullptr), 1);
  RunDoConstraints(0, dialog_, 0, -1, {deviceOptions_, model_, &messages_, 9, DLManagerPresent});
  env.model = &hardOverlay;
  EXPECT_EQ(FixedStopReasons(env, 1530, entries, nullptr), 0);
  EXPECT_EQ(FixedStopReasons(env, 1192, entries, nullptr), 0);
}

TEST_F(ConstraintPass, UncollatedCopiesOnATransparencyTrayStopTheInterleaving) {
  OpenPage(113, {{1214, 0x80, BS_AUTOCHECKBOX}});
  DocDMode* doc = GetPrivDevMode(&page_);
  ASSERT_NE(doc, nullptr);
  // A model whose driver interleaves transparencies, with two transparency
  // media types.
  ModelListItem media[4] = {};
  const struct {
    const char* keyword;
    uint32_t value;
  } types[] = {{"Plain", 1}, {"OHP", 5}, {"OHP2", 9}};
  for (size_t i = 0; i < 3; ++i) {
    media[i].size = media[3].size = sizeof(ModelListItem);
    std::strcpy(media[i].keyword, types[i].keyword);
    media[i].value = types[i].value;
  }
  ModelInfo ohp = *model_;
  ohp.mediaTypes = media;
  ohp.features[kMfOhpPrint] = 1;
  ohp.features[kMfOhpInterleave] = 1;
  ohp.features[kMfMediaTypeDetail] = 0;
  ConstraintPassEnv env = {};
  env.dialog = dialog_;
  env.ctx = &page_;
  env.model = &ohp;
  env.doc = doc;
  env.pluginPage = true;

  struct Case {
    const char* what;
    bool plugin;
    int16_t media;
    int32_t copies, collate;
    bool ohpPrint;
    bool hit;
  } cases[] = {
      {"three uncollated copies on OHP", true, 5, 3, 0, true, true},
      {"the second transparency type", true, 9, 2, 0, true, true},
      {"plain paper", true, 1, 3, 0, true, false},
      {"one copy", true, 5, 1, 0, true, false},
      {"collated", true, 5, 3, 1, true, false},
      {"a session page", false, 5, 3, 0, true, false},
      {"the device interleaves", true, 5, 3, 0, false, false},
  };
  for (const Case& c : cases) {
    env.pluginPage = c.plugin;
    ohp.features[kMfOhpPrint] = c.ohpPrint ? 1 : 0;
    SetDocI16(doc, kDocInTrayAt, 7);
    SetDocI16(doc, kDocMediaTypeAt, c.media);
    Set("Copies", c.copies);
    Set("Collate", c.collate);
    Set("OHP_Interleave", 1);
    LatestConstraintPassResults().ohpInterleaveFree = true;
    uint32_t entries[kFixedReasonMax] = {};
    const int n = FixedStopReasons(env, 1154, entries, nullptr);
    EXPECT_EQ(n, c.hit ? 1 : 0) << c.what;
    if (c.hit) {
      EXPECT_EQ(entries[0], 132u) << c.what;
    }
    // A hit turns the interleaving off and tells the sheet it may not be
    // chosen.
    EXPECT_EQ(Get("OHP_Interleave"), c.hit ? 0 : 1) << c.what;
    EXPECT_EQ(LatestConstraintPassResults().ohpInterleaveFree, !c.hit) << c.what;
  }
}

TEST_F(ConstraintPass, LayoutsThatNeedTheSpoolerAreRefused) {
  const std::vector<ControlSpec> layout = {{1779, 0x80, BS_AUTOCHECKBOX}, {1025, 0x85, CBS_DROPDOWNLIST}};
  OpenPage(101, layout);
  OptionHead* threeByThree = FindOptionItem("Nup_op", "3x3");
  ASSERT_NE(threeByThree, nullptr);
  Set("Zoom", 1);  // a zoom of its own leaves the posters free
  EXPECT_EQ(Pass(0), kPassComplete);
  EXPECT_EQ(threeByThree->flag, 0u);
  Set("Zoom", 0);
  EXPECT_EQ(Pass(0), kPassComplete);
  EXPECT_EQ(threeByThree->flag, 1u);

  // Choosing a poster on a model that makes them: refused with warning 72.
  model_->features[kMfPoster] = 1;
  Set("Nup", 1);
  Set("Nup_op", 8);
  EXPECT_EQ(Pass(1025), kPassRefused);
  model_->features[kMfPoster] = 0;
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_NE(g_boxes[0].text.find(Message(kCstMessageStr, 72)), std::wstring::npos);
}

TEST_F(ConstraintPass, AuthenticationTurnsMetafileSpoolingOffAfterAsking) {
  const std::vector<ControlSpec> device = {{2189, 0x80, BS_AUTOCHECKBOX}, {2266, 0x80, BS_AUTOCHECKBOX}};
  OpenPage(156, device);
  DevOption& option = session_->workingRecord.device.option;
  option.emfSpool = 1;
  option.verifyAuthentic = 1;
  model_->features[kMfEmfSpool] = 1;
  g_answer = IDNO;
  EXPECT_EQ(Pass(2189), kPassAnsweredNo);
  EXPECT_EQ(option.emfSpool, 1);
  ASSERT_EQ(g_boxes.size(), 1u);
  for (uint32_t entry : {149u, 150u, 151u}) {
    EXPECT_NE(g_boxes[0].text.find(Message(kChgMessageStr, entry)), std::wstring::npos) << entry;
  }
  g_answer = IDYES;
  EXPECT_EQ(Pass(2189), kPassComplete);
  model_->features[kMfEmfSpool] = 0;
  EXPECT_EQ(option.emfSpool, 0);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, 2266), BST_UNCHECKED);
}

TEST_F(ConstraintPass, AForcedColourBalanceGoesToItsPlaceInEverySet) {
  // Cyan is byte 4 of each 11-byte colour set; the sets begin at 2178,
  // 2189 and 2200 of the document settings.
  std::string text =
      "constraints\n\nrule setting\n  target \"ColAdj_Cyan\" \"\"\n  forced \"5\"\n"
      "  if \"Copies\" <= \"1\"\n  expr 0 end\n";
  InstallRules(text);
  for (FeatureEntry* row = table_; row->keyword[0] != 0; ++row) {
    if (ConstraintKeywordEqualsAscii(row->keyword, "ColAdj_Cyan")) row->kind = 4;
  }

  OpenPage(100, kBasicControls);
  uint8_t* doc8 = reinterpret_cast<uint8_t*>(&session_->workingRecord.devmode.doc);
  const uint32_t places[3] = {2178 + 4, 2189 + 4, 2200 + 4};
  struct Case {
    uint8_t object, eachObject;
  } cases[] = {{0, 0}, {1, 1}, {1, 2}};  // the cyan field bound in set A, then in the others
  for (const Case& c : cases) {
    for (uint32_t p : places) doc8[p] = 0;
    Set("ColAdj_Object", c.object);
    Set("ColAdj_EachObject_op", c.eachObject);
    Bind();
    Set("Copies", 1);
    EXPECT_EQ(Pass(0), kPassComplete);
    for (uint32_t p : places) EXPECT_EQ(doc8[p], 5) << int(c.object) << "/" << int(c.eachObject) << " at " << p;
    // Once all three sets agree, the value counts as forced already.
    EXPECT_EQ(Row("ColAdj_Cyan").pendingValue, -1);
    // Fixed distances from a field in set B or C would land beyond set C.
    for (uint32_t p : {2193u + 22, 2204u + 11, 2204u + 22}) EXPECT_EQ(doc8[p], 0) << p;
  }
}

// The stamp sheet's icons: the device's own stamps, the watermark Edit
// button and the overlay list, with the sample model's texts.
TEST_F(ConstraintPass, StampSheetIconsFollowTheDeviceAndTheSheetsChoice) {
  const uint32_t icons[] = {1219, 2191, 2192, 2193, 2194, 2195, 2196, 2215};
  std::vector<ControlSpec> controls;
  for (uint32_t id : icons) controls.push_back({id, 0x80, BS_OWNERDRAW});
  OpenPage(104, controls);
  const uint8_t savedBooklet = model_->features[kMfBookletPrint];
  struct Case {
    const char* what;
    StampSheetFacts facts;  // device: copy protect, header/footer, page number, date/time; then the sheet's
    bool bookletModel;
    int32_t doubleSides;  // the fax model has no grey output setting: its reasons are tested without windows
    std::vector<std::pair<uint32_t, std::vector<uint32_t>>> shown;  // every other icon is hidden
  } cases[] = {
      {"nothing at the device, a form", {false, false, false, false, true, false, false, true}, false, 1, {}},
      {"every device stamp on", {true, true, true, true, true, false, false, true}, false, 1,
       {{2191, {160}}, {2192, {161}}, {2195, {161}}, {2193, {162}}, {2196, {162}}, {2194, {66}}}},
      {"the page number only", {false, false, true, false, true, false, false, true}, false, 1,
       {{2193, {162}}, {2196, {162}}}},
      {"a user on a shared watermark of the users", {false, false, false, false, false, true, false, true}, false, 1,
       {{2215, {151}}}},
      {"a user on the model's own watermark", {false, false, false, false, false, true, true, true}, false, 1, {}},
      {"an administrator", {false, false, false, false, true, true, false, true}, false, 1, {}},
      {"no form yet", {false, false, false, false, true, false, false, false}, false, 1, {{1219, {158}}}},
      {"a booklet with a form", {false, false, false, false, true, false, false, true}, true, 3, {{1219, {157}}}},
      {"a booklet, no booklets on the model", {false, false, false, false, true, false, false, true}, false, 3, {}},
  };
  for (const Case& c : cases) {
    ProcessStampSheetFacts() = c.facts;
    model_->features[kMfBookletPrint] = c.bookletModel ? 1 : 0;
    Set("DoubleSides", c.doubleSides);
    EXPECT_EQ(Pass(0), kPassComplete) << c.what;
    for (uint32_t id : icons) {
      const HintEntry* icon = FindStopIcon(id);
      ASSERT_NE(icon, nullptr) << id;
      std::vector<uint32_t> reasons;
      for (const auto& [shownId, entries] : c.shown) {
        if (shownId == id) reasons = entries;
      }
      EXPECT_EQ(icon->show, reasons.empty() ? 0u : 1u) << c.what << " " << id;
      const std::wstring text = Text(icon->text);
      for (uint32_t entry : reasons) {
        const std::wstring reason = Message(kToolChipStr, entry);
        EXPECT_FALSE(reason.empty()) << "the sample model explains entry " << entry;
        EXPECT_NE(text.find(reason), std::wstring::npos) << c.what << " " << id << " " << entry;
      }
    }
  }
  model_->features[kMfBookletPrint] = savedBooklet;
  ProcessStampSheetFacts() = {};
}

}  // namespace
