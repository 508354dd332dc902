// The sample model's rules as a user meets them: the built procedure
// library loaded from a package folder with the shipped description files,
// its Layout and Basic sheets run by their exported procedures in a live
// property sheet, and the library's own constraint pass (its warnings and
// questions are real message boxes, answered as a person would).
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/contracts/device_dialog_skeleton_win.h"
#include "common/contracts/sheet_procedures.h"
#include "common/qxd/model_rows.h"
#include "common/records/doc_fields.h"
#include "dproc/constraints/do_constraints_win.h"
#include "dproc/model/default_settings.h"
#include "dproc/sheets/option_rows_win.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/modal_dialog_driver_win.h"
#include "tests/support/proc_library_folder_win.h"

namespace {

constexpr int kLayoutTemplate = 101, kBasicTemplate = 100;
constexpr int kNupSwitch = 1779, kDuplexList = 1286;
constexpr int kZoomAuto = 1227, kZoomManual = 1228;
constexpr uint8_t kDuplexOneSided = 1, kDuplexBooklet = 3;

class ModelRulesOnSheets : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(library_.ok());
    module_ = LoadLibraryW((library_.folder() + L"VELDRANA.DLL").c_str());
    ASSERT_NE(module_, nullptr);
    std::memcpy(&kit_.Settings(), &DefaultDocDMode(), sizeof(DocDMode));
  }
  void TearDown() override {
    kit_.Close();
    if (module_ != nullptr) FreeLibrary(module_);
  }
  DLGPROC Procedure(const char* name) {
    return reinterpret_cast<DLGPROC>(reinterpret_cast<void (*)()>(GetProcAddress(module_, name)));
  }
  HWND Open(int templateId, const char* procedure) {
    DLGPROC proc = Procedure(procedure);
    if (proc == nullptr) return nullptr;
    return kit_.OpenPages(kit_.Templates(), {templateId}, proc, L"Rules") != nullptr ? kit_.Dialog() : nullptr;
  }
  DocFields& F() { return Fields(kit_.Settings()); }
  int IndexOf(int comboId, uint32_t value) {
    HWND combo = kit_.Control(comboId);
    const int n = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      auto* row = reinterpret_cast<const OptionHead*>(SendMessageW(combo, CB_GETITEMDATA, i, 0));
      if (row != nullptr && row->value == value) return i;
    }
    return -1;
  }
  uint32_t SelectedValue(int comboId) {
    uint32_t value = 0xFFFFFFFF;
    SelectedOptionValue(kit_.Dialog(), comboId, &value);
    return value;
  }
  // The next message box gets `answer`; its text is kept.
  void AnswerBox(int answer) {
    driver_.Then([this, answer](HWND box) {
      shown_.push_back(BoxText(box));
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    });
  }
  static std::wstring BoxText(HWND box) {
    std::wstring all;
    for (HWND c = GetWindow(box, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
      wchar_t text[1024] = {};
      GetWindowTextW(c, text, 1024);
      all += text;
      all += L"\n";
    }
    return all;
  }

  testsupport::ProcLibraryFolder library_{L"vdrules"};
  HMODULE module_ = nullptr;
  testsupport::DialogKit kit_;
  testsupport::ModalDialogDriver driver_;
  std::vector<std::wstring> shown_;
};

// While N-up is on, "Booklet" in the two-sided list is refused with the
// model's warning; the list and the setting keep the old choice.  With N-up
// off the same choice is taken.
TEST_F(ModelRulesOnSheets, BookletWhileNupIsOnIsRefusedWithTheWarning) {
  F().bNup = 0;
  F().nDuplex = kDuplexOneSided;
  HWND page = Open(kLayoutTemplate, kPrcDocPaper2Proc);
  ASSERT_NE(page, nullptr);
  kit_.Click(kNupSwitch);
  ASSERT_EQ(F().bNup, 1);
  const int booklet = IndexOf(kDuplexList, kDuplexBooklet);
  ASSERT_GE(booklet, 0);
  AnswerBox(IDOK);
  kit_.Select(kDuplexList, booklet);
  EXPECT_EQ(driver_.Pending(), 0u) << "the warning came";
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_NE(shown_[0].find(L"N-up"), std::wstring::npos) << testing::PrintToString(shown_[0]);
  EXPECT_EQ(SelectedValue(kDuplexList), kDuplexOneSided);
  EXPECT_EQ(F().nDuplex, kDuplexOneSided);
  EXPECT_EQ(F().bNup, 1);

  kit_.Click(kNupSwitch);
  ASSERT_EQ(F().bNup, 0);
  kit_.Select(kDuplexList, IndexOf(kDuplexList, kDuplexBooklet));
  EXPECT_EQ(F().nDuplex, kDuplexBooklet) << "without N-up a booklet is taken";
  EXPECT_EQ(shown_.size(), 1u) << "and nothing is asked";
}

// Manual zoom while N-up is on asks whether N-up may go; No keeps zoom and
// N-up as they were, Yes takes the zoom and turns N-up off.
TEST_F(ModelRulesOnSheets, ManualZoomWhileNupIsOnAsksFirst) {
  F().bNup = 1;
  F().bScaleAuto = 1;
  // A printer whose settings ask before a rule changes another setting.
  kit_.Session().working->device.option.displayConstMsg = 1;
  HWND page = Open(kBasicTemplate, kPrcDocPaper1Proc);
  ASSERT_NE(page, nullptr);
  ShowWindow(kit_.Control(kZoomManual), SW_SHOW);
  EnableWindow(kit_.Control(kZoomManual), TRUE);
  ASSERT_EQ(IsDlgButtonChecked(page, kZoomAuto), static_cast<UINT>(BST_CHECKED));

  AnswerBox(IDNO);
  kit_.Click(kZoomManual);
  EXPECT_EQ(driver_.Pending(), 0u) << "the question came";
  EXPECT_EQ(shown_.size(), 1u);
  EXPECT_EQ(F().bScaleAuto, 1);
  EXPECT_EQ(F().bNup, 1);
  EXPECT_EQ(IsDlgButtonChecked(page, kZoomAuto), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(IsDlgButtonChecked(page, kZoomManual), static_cast<UINT>(BST_UNCHECKED));

  AnswerBox(IDYES);
  kit_.Click(kZoomManual);
  EXPECT_EQ(driver_.Pending(), 0u);
  EXPECT_EQ(shown_.size(), 2u);
  EXPECT_EQ(F().bScaleAuto, 0);
  EXPECT_EQ(F().bNup, 0) << "the model's rule turns N-up off";
}


// The device library's dialogs run on the library's exported skeleton: the
// window a modal dialog box gets carries no page, so the skeleton records
// the dialog's template, from before the dialog's own start on.
uint32_t g_pageAtInit = 0;
RunDeviceDialogFn g_runDeviceDialog = nullptr;
const DeviceDialog kMediaTypeLike = [] {
  DeviceDialog d = {};
  d.size = sizeof d;
  d.templateId = 155;
  d.init = [](HWND dialog, SheetCtx*) {
    g_pageAtInit = DialogPageId(dialog);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  };
  return d;
}();
INT_PTR CALLBACK MediaTypeLikeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  int32_t handled = 0;
  const INT_PTR result = g_runDeviceDialog(&kMediaTypeLike, dialog, message, wParam, lParam, &handled);
  return handled != 0 ? result : FALSE;
}

TEST_F(ModelRulesOnSheets, ADeviceLibraryDialogCarriesItsTemplateAsPage) {
  g_runDeviceDialog =
      reinterpret_cast<RunDeviceDialogFn>(reinterpret_cast<void (*)()>(GetProcAddress(module_, "RunDeviceDialog")));
  ASSERT_NE(g_runDeviceDialog, nullptr);
  g_pageAtInit = 0;
  DialogBoxParamW(kit_.Templates(), MAKEINTRESOURCEW(kMediaTypeLike.templateId), nullptr, MediaTypeLikeProc,
                  reinterpret_cast<LPARAM>(kit_.Context()));
  EXPECT_EQ(g_pageAtInit, 155u);
}

}  // namespace
