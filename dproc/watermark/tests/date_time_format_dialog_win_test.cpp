// The date/time format dialog under Wine and Xvfb, modeless on the dialog
// kit's session with the sample model's description and display texts and
// the constraint pass scripted.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "common/qxd/model_info.h"
#include "common/qxd/qxd_file.h"
#include "common/records/doc_fields.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/message_text.h"
#include "dproc/model/option_text_sections.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/watermark/date_time_format_dialog_win.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/sheet_model_win.h"
#include "tests/support/test_paths.h"

namespace {

using testsupport::DialogKit;

std::set<int> g_refuse;
int32_t ScriptedCheck(HWND, HWND, uint16_t id) { return g_refuse.count(id) != 0 ? 101 : 199; }

class DateTimeFormat : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    testsupport::LoadSheetModel("model/VELDRANH.QXD", &model_, &texts_);
  }
  void SetUp() override {
    ProcessModelInfo() = model_;
    DialogFrameworkModules().templates = kit_.Templates();
    DialogFrameworkModules().images = kit_.Images();
    DialogFrameworkModules().texts = &texts_;
    UseGeneralMessageTable(&texts_);
    SetSheetConstraintCheck(ScriptedCheck);
    g_refuse.clear();
  }
  void TearDown() override {
    kit_.Close();
    SetSheetConstraintCheck(nullptr);
    ProcessModelInfo() = nullptr;
    DialogFrameworkModules().texts = nullptr;
    UseGeneralMessageTable(nullptr);
  }

  void Open(uint32_t target) {
    SetDateTimeTarget(kit_.Context(), target);
    ASSERT_NE(kit_.OpenDialog(kit_.Templates(), kDateTimeFormatTemplate, DateTimeFormatDlgProc), nullptr);
  }
  DocFields& F() { return Fields(kit_.Settings()); }
  HWND D() { return kit_.Dialog(); }
  bool Ended() { return !IsWindowVisible(D()); }
  bool Enabled(int id) { return IsWindowEnabled(kit_.Control(id)) != FALSE; }
  std::wstring Text(int id) {
    wchar_t t[100] = {};
    GetDlgItemTextW(D(), id, t, 100);
    return t;
  }
  std::vector<std::wstring> Items(int id) {
    std::vector<std::wstring> items;
    const int n = static_cast<int>(SendDlgItemMessageW(D(), id, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      wchar_t t[100] = {};
      SendDlgItemMessageW(D(), id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(t));
      items.emplace_back(t);
    }
    return items;
  }
  int Selection(int id) { return static_cast<int>(SendDlgItemMessageW(D(), id, CB_GETCURSEL, 0, 0)); }
  void Press(int id) {
    SendMessageW(D(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(kit_.Control(id)));
    DialogKit::Pump();
  }
  void Check(int id, bool on) {
    CheckDlgButton(D(), id, on ? BST_CHECKED : BST_UNCHECKED);
    Press(id);
  }

  static ModelInfo* model_;
  static MessageTables texts_;
  DialogKit kit_;
};
ModelInfo* DateTimeFormat::model_ = nullptr;
MessageTables DateTimeFormat::texts_ = {};

TEST_F(DateTimeFormat, ListsTheFormatsInOrderAndShowsTheirSample) {
  F().DPE_DateTime_wDateFormat = 1;
  F().DPE_DateTime_bTimeFormat = 1;
  F().DPE_DateTime_wTimeFormat = 2;
  Open(kDateTimeTargetDatePage);
  EXPECT_EQ(Items(2085), (std::vector<std::wstring>{L"(26/12/31)", L"(31 Dec 2026)", L"(Dec 31, 2026)",
                                                    L"(31/12/26)", L"(12/31/26)"}));
  EXPECT_EQ(Items(2087), (std::vector<std::wstring>{L"(3:45 PM)", L"(15:45)"}));
  EXPECT_EQ(Selection(2085), 2) << "value 1 stands third in the list";
  EXPECT_EQ(Selection(2087), 1);
  EXPECT_EQ(Text(2089), L"Dec 31, 2026 15:45");
  EXPECT_EQ(Text(2084), L"&Date format:");
  kit_.Screenshot("date_time_format");

  // Without the time the sample is the date alone and the time list rests.
  Check(2086, false);
  EXPECT_EQ(F().DPE_DateTime_bTimeFormat, 0u);
  EXPECT_EQ(Text(2089), L"Dec 31, 2026");
  EXPECT_FALSE(Enabled(2087));
  kit_.Select(2085, 4);
  EXPECT_EQ(F().DPE_DateTime_wDateFormat, 2);
  EXPECT_EQ(Text(2089), L"12/31/26");
  Press(IDOK);
  EXPECT_TRUE(Ended());
}

TEST_F(DateTimeFormat, EachOpenerEditsItsOwnFieldsAndDefaultTakesTheirDefaults) {
  for (uint32_t target : {kDateTimeTargetCopyProtect, kDateTimeTargetDatePage}) {
    SCOPED_TRACE(target);
    DocFields& f = F();
    f.CP_DateTime_wDateFormat = 0;
    f.DPE_DateTime_wDateFormat = 0;
    f.CP_DateTime_wTimeFormat = f.DPE_DateTime_wTimeFormat = 1;
    Open(target);
    kit_.Select(2085, 3);  // value 4
    const bool cp = target == kDateTimeTargetCopyProtect;
    EXPECT_EQ(f.CP_DateTime_wDateFormat, cp ? 4 : 0);
    EXPECT_EQ(f.DPE_DateTime_wDateFormat, cp ? 0 : 4);
    kit_.Select(2087, 1);
    EXPECT_EQ(cp ? f.CP_DateTime_wTimeFormat : f.DPE_DateTime_wTimeFormat, 2);
    EXPECT_EQ(cp ? f.DPE_DateTime_wTimeFormat : f.CP_DateTime_wTimeFormat, 1);

    Press(1032);
    const DocFields& d = Fields(*GetDefaultOEMDevMode(kit_.Context()));
    EXPECT_EQ(f.CP_DateTime_wDateFormat, cp ? d.CP_DateTime_wDateFormat : 0);
    EXPECT_EQ(f.DPE_DateTime_wDateFormat, cp ? 0 : d.DPE_DateTime_wDateFormat);
    EXPECT_EQ(cp ? f.CP_DateTime_wTimeFormat : f.DPE_DateTime_wTimeFormat,
              cp ? d.CP_DateTime_wTimeFormat : d.DPE_DateTime_wTimeFormat);
    kit_.Close();
  }
}

TEST_F(DateTimeFormat, ARefusedChangeAndCancelPutTheFieldsBack) {
  F().DPE_DateTime_wDateFormat = 3;
  F().DPE_DateTime_bTimeFormat = 0;
  F().DPE_DateTime_wTimeFormat = 1;
  const DocDMode before = kit_.Settings();
  Open(kDateTimeTargetDatePage);
  g_refuse = {2085};
  kit_.Select(2085, 0);
  EXPECT_EQ(F().DPE_DateTime_wDateFormat, 3);
  EXPECT_EQ(Selection(2085), 1) << "the list shows the old format again";
  g_refuse.clear();
  kit_.Select(2085, 0);
  Check(2086, true);
  kit_.Select(2087, 1);
  EXPECT_EQ(F().DPE_DateTime_wDateFormat, 0);
  Press(IDCANCEL);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(std::memcmp(&before, &kit_.Settings(), sizeof before), 0);
}

TEST_F(DateTimeFormat, OkWaitsForAFormatInEachList) {
  F().DPE_DateTime_wDateFormat = 77;  // no such format
  F().DPE_DateTime_wTimeFormat = 1;
  Open(kDateTimeTargetDatePage);
  EXPECT_EQ(Selection(2085), -1);
  EXPECT_EQ(Text(2089), L"");
  Press(IDOK);
  EXPECT_FALSE(Ended());
  EXPECT_EQ(testsupport::FocusedControl(kit_.Control(2085)), kit_.Control(2085));
  kit_.Select(2085, 0);
  Press(IDOK);
  EXPECT_TRUE(Ended());
}

TEST(DateTimeSampleText, TakesTheInnerTextsAndKeepsWithinThirtyOneCharacters) {
  wchar_t out[64];
  DateTimeSample(L"(abc)", L"[12:00]", true, out, 64);
  EXPECT_STREQ(out, L"abc 12:00");
  DateTimeSample(L"(abc)", L"[12:00]", false, out, 64);
  EXPECT_STREQ(out, L"abc");
  DateTimeSample(nullptr, L"x", false, out, 64);
  EXPECT_STREQ(out, L"");
  DateTimeSample(L"(12345678901234567890)", L"(12345678901234567890)", true, out, 64);
  EXPECT_EQ(std::wcslen(out), 31u);
  DateTimeSample(L"(abcdef)", nullptr, false, out, 4);
  EXPECT_STREQ(out, L"abc");
}

}  // namespace
