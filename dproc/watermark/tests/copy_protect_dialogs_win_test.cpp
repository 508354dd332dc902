// The copy-protect dialogs under Wine and Xvfb, from the build tree's
// templates on the dialog kit's sheet context with the sample model's
// description and a scripted constraint pass: the edit dialog with its two
// pages, the simple dialog, the distribution number dialog and the colour
// dialogs; what OK stores, what Cancel puts back (a dialog opened from
// another puts back only its own changes), Default, and what a refusal
// undoes.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/model/message_text.h"
#include "dproc/openapi/open_api_session_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/watermark/copy_protect_dialogs_win.h"
#include "dproc/watermark/date_time_format_dialog_win.h"
#include "dproc/watermark/wo_sheet_buttons.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/modal_dialog_driver_win.h"
#include "tests/support/sheet_model_win.h"
#include "tests/support/test_paths.h"

namespace {

using testsupport::DialogKit;
using testsupport::ModalDialogDriver;

std::set<int> g_refuse;
int32_t ScriptedCheck(HWND, HWND, uint16_t id) { return g_refuse.count(id) != 0 ? 101 : 199; }

class CopyProtectDialogs : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testsupport::LoadSheetModel("model/VELDRANH.QXD", &model_, &texts_); }
  void SetUp() override {
    saved_ = *model_;
    ProcessModelInfo() = model_;
    model_->features[kMfCopyProtect] = 1;
    model_->features[kMfCopyProtectType] = 1;
    DialogFrameworkModules().templates = kit_.Templates();
    DialogFrameworkModules().images = kit_.Images();
    DialogFrameworkModules().texts = &texts_;
    UseGeneralMessageTable(&texts_);
    SetSheetConstraintCheck(ScriptedCheck);
    g_refuse.clear();
    SessionDeviceStamps() = DeviceStamps{};
    ASSERT_TRUE(CopyDefaultOEMDevMode(kit_.Context(), &defaults_));
    kit_.Settings() = defaults_;
  }
  void TearDown() override {
    kit_.Close();
    SetSheetConstraintCheck(nullptr);
    SetSheetDialogRunner(nullptr);
    SessionDeviceStamps() = DeviceStamps{};
    *model_ = saved_;
    ProcessModelInfo() = nullptr;
    DialogFrameworkModules().texts = nullptr;
    UseGeneralMessageTable(nullptr);
  }

  void Open(int templateId, DLGPROC proc) { ASSERT_NE(kit_.OpenDialog(kit_.Templates(), templateId, proc), nullptr); }
  DocFields& F() { return Fields(kit_.Settings()); }
  HWND D() { return kit_.Dialog(); }
  bool Ended() { return !IsWindowVisible(D()); }
  bool Same(const DocDMode& a) { return std::memcmp(&a, &kit_.Settings(), sizeof a) == 0; }

  // The window that holds control `id`: the dialog, or the page of the edit
  // dialog that has it (the shown page first).
  HWND Holder(int id) {
    if (GetDlgItem(D(), id) != nullptr) return D();
    HWND found = nullptr;
    for (HWND child = GetWindow(D(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      wchar_t name[16] = {};
      GetClassNameW(child, name, 16);
      if (std::wcscmp(name, L"#32770") != 0 || GetDlgItem(child, id) == nullptr) continue;
      if (IsWindowVisible(child)) return child;
      if (found == nullptr) found = child;
    }
    return found;
  }
  HWND C(int id) { return Holder(id) != nullptr ? GetDlgItem(Holder(id), id) : nullptr; }
  bool Visible(int id) { return C(id) != nullptr && IsWindowVisible(C(id)) != FALSE; }
  bool Enabled(int id) { return C(id) != nullptr && IsWindowEnabled(C(id)) != FALSE; }
  void Send(int id, int code) {
    SendMessageW(Holder(id), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(C(id)));
    DialogKit::Pump();
  }
  void Press(int id) { Send(id, BN_CLICKED); }
  void Check(int id, bool on) {
    SendMessageW(C(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    Press(id);
  }
  void Choose(int id, int index) {
    SendMessageW(C(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Send(id, CBN_SELENDOK);
  }
  bool Checked(int id) { return SendMessageW(C(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  int Count(int id) { return static_cast<int>(SendMessageW(C(id), CB_GETCOUNT, 0, 0)); }
  int Selection(int id) { return static_cast<int>(SendMessageW(C(id), CB_GETCURSEL, 0, 0)); }
  std::wstring ItemText(int id, int index) {
    wchar_t t[100] = {};
    SendMessageW(C(id), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(t));
    return t;
  }
  std::wstring Text(int id) {
    wchar_t t[200] = {};
    GetWindowTextW(C(id), t, 200);
    return t;
  }
  void Type(int id, const wchar_t* text) {
    SetWindowTextW(C(id), text);
    DialogKit::Pump();
  }
  // Shows the edit dialog's page `index` as a click on its tab does.
  void Tab(int index) {
    HWND tab = GetDlgItem(D(), 2125);
    NMHDR note{tab, 2125, static_cast<UINT>(TCN_SELCHANGING)};
    if (SendMessageW(D(), WM_NOTIFY, 2125, reinterpret_cast<LPARAM>(&note)) != 0 &&
        GetWindowLongPtrW(D(), DWLP_MSGRESULT) != 0) {
      return;
    }
    SendMessageW(tab, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    note.code = static_cast<UINT>(TCN_SELCHANGE);
    SendMessageW(D(), WM_NOTIFY, 2125, reinterpret_cast<LPARAM>(&note));
    DialogKit::Pump();
  }
  // Pixels the owner-drawn list `id` draws of its selected item on white.
  int DrawnItemPixels(int id) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 160, 20);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, 160, 20};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_COMBOBOX;
    item.CtlID = static_cast<UINT>(id);
    item.itemID = static_cast<UINT>(Selection(id));
    item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = C(id);
    item.hDC = dc;
    item.rcItem = all;
    item.itemData = static_cast<ULONG_PTR>(SendMessageW(C(id), CB_GETITEMDATA, item.itemID, 0));
    SendMessageW(Holder(id), WM_DRAWITEM, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&item));
    int drawn = 0;
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 160; ++x) drawn += GetPixel(dc, x, y) != RGB(255, 255, 255);
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return drawn;
  }
  std::vector<std::wstring> Items(int id) {
    std::vector<std::wstring> items;
    for (int i = 0; i < Count(id); ++i) items.push_back(ItemText(id, i));
    return items;
  }

  static ModelInfo* model_;
  static MessageTables texts_;
  ModelInfo saved_{};
  DocDMode defaults_{};
  DialogKit kit_;
};
ModelInfo* CopyProtectDialogs::model_ = nullptr;
MessageTables CopyProtectDialogs::texts_{};

// ------------------------------------------------------------ edit dialog

TEST_F(CopyProtectDialogs, TheEditDialogShowsItsPagesFromTheSettings) {
  for (auto* f : {&F().bStamp, &F().bTimeDate, &F().bSerialNo, &F().bDistributionNumber, &F().bJobNumber}) *f = 0;
  F().nStampType = 1;
  F().nFixedStamp = 5;
  F().dwStartNumber = 42;
  F().bDigit = 0;
  F().CP_DateTime_wDateFormat = 3;
  F().CP_DateTime_bTimeFormat = 1;
  F().CP_DateTime_wTimeFormat = 2;
  F().nAngle = 2;
  Open(kCopyProtectEditTemplate, CopyProtectEditDlgProc);
  // Every item off: String comes on with the first preset stamp.
  EXPECT_EQ(F().bStamp, 1);
  EXPECT_EQ(F().nStampType, 0);
  EXPECT_EQ(F().nFixedStamp, 1);
  EXPECT_TRUE(Checked(2128));
  EXPECT_EQ(ItemText(2129, Selection(2129)), L"Copy not valid");
  // Eight preset stamps and eight device stamps.
  EXPECT_EQ(Count(2129), 16);
  EXPECT_EQ(ItemText(2129, 8), L"Device stamp 1");
  EXPECT_EQ(Text(2132), L"31 Dec 2026 15:45");
  EXPECT_EQ(Text(2137), L"00000042");
  EXPECT_EQ(ItemText(2144, Selection(2144)), L"Falling, 45 degrees");
  EXPECT_EQ(Items(2142), (std::vector<std::wstring>{L"Small", L"Normal", L"Large"}));
  for (int id : {2131, 2132, 2133, 2136, 2137, 2138}) EXPECT_FALSE(Enabled(id)) << "their item is off: " << id;
  EXPECT_TRUE(Visible(2139));
  HWND tab = GetDlgItem(D(), 2125);
  EXPECT_EQ(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0), 2);
  wchar_t title[40] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = title;
  item.cchTextMax = 40;
  SendMessageW(tab, TCM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(title, L"Method");
  kit_.Screenshot("print_items");

  // The method page: a pattern enables its group, the colours stay hidden.
  F().bCompositeMethod = 1;
  F().nBackPattern = 4;
  Tab(1);
  EXPECT_TRUE(Visible(2147));
  EXPECT_TRUE(Checked(2147));
  EXPECT_EQ(ItemText(2155, Selection(2155)), L"Diagonal lines");
  for (int id : {2151, 2153, 2155}) EXPECT_TRUE(Enabled(id)) << id;
  EXPECT_FALSE(Enabled(2161));
  for (int id : {2156, 2157, 2158, 2162, 2105, 2164}) EXPECT_FALSE(Visible(id)) << "the device's colours: " << id;
  EXPECT_GT(DialogKit::DrawnPixels(Holder(2146), 2146, 120, 120), 0);
  kit_.Screenshot("method");
  Check(2148, true);
  EXPECT_EQ(F().bCompositeMethod, 0);
  EXPECT_FALSE(Enabled(2151));
  EXPECT_TRUE(Enabled(2161));
}

TEST_F(CopyProtectDialogs, OkStoresCancelRestoresAndARefusalIsUndone) {
  F().bStamp = 1;
  F().bTimeDate = 0;
  F().nPatternSize = 1;
  const DocDMode before = kit_.Settings();
  for (bool ok : {true, false}) {
    SCOPED_TRACE(ok ? "OK" : "Cancel");
    kit_.Settings() = before;
    Open(kCopyProtectEditTemplate, CopyProtectEditDlgProc);
    Check(2130, true);
    Choose(2142, 2);
    Choose(2129, 4);
    EXPECT_EQ(F().bTimeDate, 1);
    EXPECT_TRUE(Enabled(2133));
    EXPECT_EQ(F().nPatternSize, 3);
    EXPECT_EQ(F().nFixedStamp, 5);
    Tab(1);
    Choose(2151, 1);
    EXPECT_EQ(F().nPattern, 1);
    Press(ok ? IDOK : IDCANCEL);
    EXPECT_TRUE(Ended());
    if (ok) {
      EXPECT_EQ(F().bTimeDate, 1);
      EXPECT_EQ(F().nPatternSize, 3);
      EXPECT_EQ(F().nPattern, 1);
    } else {
      EXPECT_TRUE(Same(before));
    }
    kit_.Close();
  }
  // A refused change is put back, in the field and on the screen.
  kit_.Settings() = before;
  g_refuse = {2130, 2155};
  Open(kCopyProtectEditTemplate, CopyProtectEditDlgProc);
  Check(2130, true);
  EXPECT_EQ(F().bTimeDate, 0);
  EXPECT_FALSE(Checked(2130));
  Tab(1);
  const uint8_t pattern = F().nBackPattern;
  Choose(2155, 6);
  EXPECT_EQ(F().nBackPattern, pattern);
  EXPECT_EQ(ItemText(2155, Selection(2155)), ItemText(2155, pattern - 1));
}

TEST_F(CopyProtectDialogs, TheLastItemStaysOnAndEachPageHasItsDefault) {
  F().bStamp = 1;
  F().bTimeDate = F().bSerialNo = F().bDistributionNumber = F().bJobNumber = 0;
  Open(kCopyProtectEditTemplate, CopyProtectEditDlgProc);
  Check(2128, false);
  EXPECT_EQ(F().bStamp, 1);
  EXPECT_TRUE(Checked(2128));
  ASSERT_EQ(kit_.Boxes().shown().size(), 1u);
  EXPECT_NE(kit_.Boxes().shown()[0].text.find(L"At least one print item"), std::wstring::npos);

  // Default of the shown page only: the method stays as the user set it.
  Check(2134, true);
  Choose(2142, 0);
  Tab(1);
  Choose(2153, 1);
  Tab(0);
  Press(1032);
  EXPECT_EQ(F().bSerialNo, Fields(defaults_).bSerialNo);
  EXPECT_EQ(F().nPatternSize, Fields(defaults_).nPatternSize);
  EXPECT_EQ(F().nCPE_CP_Placement, 1);
  Tab(1);
  Press(1032);
  EXPECT_EQ(F().nCPE_CP_Placement, Fields(defaults_).nCPE_CP_Placement);
}

TEST_F(CopyProtectDialogs, DeviceStampsAreListedUnderTheDevicesNames) {
  DeviceStamps& device = SessionDeviceStamps();
  device.registered[1] = true;
  device.names[1] = u"Approved";
  device.registered[3] = true;  // registered without a name: left out
  F().bStamp = 1;
  F().nStampType = 1;
  F().nRecordStamp = 3;
  Open(kCopyProtectEditTemplate, CopyProtectEditDlgProc);
  const std::vector<std::wstring> items = Items(2129);
  ASSERT_EQ(items.size(), 15u);
  EXPECT_EQ(items[8], L"Device stamp 1");
  EXPECT_EQ(items[9], L"*Approved");
  EXPECT_EQ(items[11], L"Device stamp 5");
  EXPECT_EQ(ItemText(2129, Selection(2129)), L"Device stamp 3");
  Choose(2129, 9);
  EXPECT_EQ(F().nStampType, 1);
  EXPECT_EQ(F().nRecordStamp, 2);
  Choose(2129, 2);
  EXPECT_EQ(F().nStampType, 0);
  EXPECT_EQ(F().nFixedStamp, 3);
  EXPECT_EQ(F().nRecordStamp, 2);
}

// The edit dialog asks the device (here the scripted open-API library) for
// the stamps registered at it each time it opens.
TEST_F(CopyProtectDialogs, TheEditDialogAsksTheDeviceForItsStamps) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string script = std::string(temp) + "cp_stamps_" + std::to_string(GetCurrentProcessId()) + ".txt";
  SetEnvironmentVariableA("OAPI_SCRIPT", script.c_str());
  SetOpenApiLibraryPath((testsupport::ProgramFolder() + L"standin_oapi\\complete\\VELDRANV.DLL").c_str());
  const struct {
    const char* script;
    std::vector<std::wstring> deviceRows;
  } cases[] = {
      {"fileinfo 0 3\nregistered 2 1 Approved\nregistered 4 1\nregistered 6 0 Unused\n",
       {L"Device stamp 1", L"*Approved", L"Device stamp 3", L"Device stamp 5", L"Device stamp 6", L"Device stamp 7",
        L"Device stamp 8"}},
      // A failed query registers nothing, whatever the answer held.
      {"fileinfo 4 1\nregistered 2 1 Approved\n",
       {L"Device stamp 1", L"Device stamp 2", L"Device stamp 3", L"Device stamp 4", L"Device stamp 5",
        L"Device stamp 6", L"Device stamp 7", L"Device stamp 8"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    std::ofstream(script, std::ios::binary) << c.script;
    Open(kCopyProtectEditTemplate, CopyProtectEditDlgProc);
    const std::vector<std::wstring> items = Items(2129);
    EXPECT_EQ(std::vector<std::wstring>(items.begin() + std::min<size_t>(8, items.size()), items.end()),
              c.deviceRows);
    kit_.Close();
  }
  SetOpenApiLibraryPath(nullptr);
  SetEnvironmentVariableA("OAPI_SCRIPT", nullptr);
  DeleteFileA(script.c_str());
}

TEST_F(CopyProtectDialogs, TheShorterDialogHidesTheNumbersAndMethodChoice) {
  model_->features[kMfCopyProtectType] = 2;
  F().bCompositeMethod = 0;
  F().nBackPattern = 3;
  F().nCPE_SS_Placement = 1;
  const DocDMode before = kit_.Settings();
  Open(kCopyProtectEditTemplate, CopyProtectEditDlgProc);
  for (int id : {2230, 2135, 2136, 2137, 2138, 2139}) EXPECT_FALSE(Visible(id)) << id;
  Tab(1);
  EXPECT_EQ(C(2147), nullptr);
  EXPECT_EQ(C(2155), nullptr);
  EXPECT_TRUE(Enabled(2151));
  Choose(2153, 1);
  Press(IDOK);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(F().nCPE_CP_Placement, 1);
  EXPECT_EQ(F().bCompositeMethod, Fields(before).bCompositeMethod);
  EXPECT_EQ(F().nBackPattern, 3);
  EXPECT_EQ(F().nCPE_SS_Placement, 1);
}

// A dialog opened from the edit dialog keeps its own copy: its Cancel puts
// back only what it changed, and the edit dialog's Cancel everything.
TEST_F(CopyProtectDialogs, NestedDialogsCancelOnlyTheirOwnChanges) {
  F().nCPE_CP_Color = 1;
  F().nCPE_CP_Density = 0;
  F().nCPE_CP_Contrast = 0;
  F().dwStartNumber = 7;
  F().bDistributionNumber = 1;
  const DocDMode before = kit_.Settings();
  Open(kCopyProtectEditTemplate, CopyProtectEditDlgProc);
  Choose(2142, 2);
  const int16_t size = F().nPatternSize;
  {
    ModalDialogDriver driver;
    driver.Then([](HWND d) {
      SetDlgItemTextW(d, 2109, L"12a3");
      wchar_t text[16] = {};
      GetDlgItemTextW(d, 2109, text, 16);
      EXPECT_STREQ(text, L"12");
      PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
    });
    Press(2138);
    EXPECT_EQ(driver.Pending(), 0u);
  }
  EXPECT_EQ(F().dwStartNumber, 7u);
  EXPECT_EQ(F().nPatternSize, size) << "the outer dialog's change stays";
  {
    ModalDialogDriver driver;
    driver.Then([](HWND d) {
      SetDlgItemTextW(d, 2109, L"42");
      CheckRadioButton(d, 2167, 2168, 2168);
      SendMessageW(d, WM_COMMAND, MAKEWPARAM(2168, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d, 2168)));
      wchar_t text[16] = {};
      GetDlgItemTextW(d, 2169, text, 16);
      EXPECT_STREQ(text, L"42");
      PostMessageW(d, WM_COMMAND, IDOK, 0);
    });
    Press(2138);
  }
  EXPECT_EQ(F().dwStartNumber, 42u);
  EXPECT_EQ(F().bDigit, 1u);
  EXPECT_EQ(Text(2137), L"42");

  Tab(1);
  {
    ModalDialogDriver driver;
    driver.Then([](HWND d) {
      SetDlgItemTextW(d, 2095, L"1");
      SetDlgItemTextW(d, 2101, L"-2");
      PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
    });
    Press(2158);
  }
  EXPECT_EQ(F().nCPE_CP_Density, 0);
  EXPECT_EQ(F().nCPE_CP_Contrast, 0);
  EXPECT_EQ(F().dwStartNumber, 42u) << "the pattern colour's Cancel leaves the number";
  {
    ModalDialogDriver driver;
    driver.Then([](HWND d) {
      SetDlgItemTextW(d, 2095, L"1");
      SetDlgItemTextW(d, 2101, L"-2");
      PostMessageW(d, WM_COMMAND, IDOK, 0);
    });
    Press(2158);
  }
  EXPECT_EQ(F().nCPE_CP_Density, 1);
  EXPECT_EQ(F().nCPE_CP_Contrast, -2);
  Press(IDCANCEL);
  EXPECT_TRUE(Ended());
  EXPECT_TRUE(Same(before));
}

// -------------------------------------------------------- colour dialogs

TEST_F(CopyProtectDialogs, PatternColourRefusesValuesOutsideTheirRange) {
  F().nCPE_CP_Color = 6;
  F().nCPE_CP_Density = 1;
  F().nCPE_CP_Contrast = -1;
  Open(kPatternColourTemplate, UCopyColorAdjustDlgProc);
  EXPECT_EQ(ItemText(2092, Selection(2092)), L"Magenta");
  EXPECT_EQ(Text(2095), L"1");
  EXPECT_EQ(Text(2101), L"-1");
  EXPECT_EQ(SendMessageW(C(2100), TBM_GETPOS, 0, 0), -1);
  EXPECT_GT(DrawnItemPixels(2092), 0);
  kit_.Screenshot("pattern_colour");
  Type(2101, L"-3");
  EXPECT_EQ(F().nCPE_CP_Contrast, -1) << "outside the range: nothing taken";
  Type(2101, L"2");
  EXPECT_EQ(F().nCPE_CP_Contrast, 2);
  EXPECT_EQ(SendMessageW(C(2100), TBM_GETPOS, 0, 0), 2);
  Type(2101, L"-3");
  Press(IDOK);
  EXPECT_FALSE(Ended());
  ASSERT_EQ(kit_.Boxes().shown().size(), 1u);
  EXPECT_NE(kit_.Boxes().shown()[0].text.find(L"from -2 to 2"), std::wstring::npos) << kit_.Boxes().shown()[0].text;
  // The trackbar moves the value.
  SendMessageW(C(2094), TBM_SETPOS, TRUE, -1);
  SendMessageW(D(), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(C(2094)));
  EXPECT_EQ(Text(2095), L"-1");
  EXPECT_EQ(F().nCPE_CP_Density, -1);
  Press(1032);
  EXPECT_EQ(F().nCPE_CP_Contrast, Fields(defaults_).nCPE_CP_Contrast);
  EXPECT_EQ(F().nCPE_CP_Density, Fields(defaults_).nCPE_CP_Density);
  Choose(2092, 2);
  Press(IDOK);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(F().nCPE_CP_Color, 7);
}

TEST_F(CopyProtectDialogs, StampColourTakesTheColourAtOnceThroughTheRules) {
  F().nCPE_SS_Color = 1;
  F().nCPE_SS_Density = 0;
  const DocDMode before = kit_.Settings();
  Open(kStampColourTemplate, PspColorAdjustDlgProc);
  EXPECT_EQ(Items(2105), (std::vector<std::wstring>{L"Black", L"Magenta", L"Cyan"}));
  Choose(2105, 2);
  EXPECT_EQ(F().nCPE_SS_Color, 7);
  g_refuse = {2105};
  Choose(2105, 1);
  EXPECT_EQ(F().nCPE_SS_Color, 7);
  EXPECT_EQ(Selection(2105), 2);
  Type(2109, L"-1");
  EXPECT_EQ(F().nCPE_SS_Density, -1);
  Press(IDCANCEL);
  EXPECT_TRUE(Ended());
  EXPECT_TRUE(Same(before));
}

// ------------------------------------------------------------ simple

TEST_F(CopyProtectDialogs, TheSimpleDialogStoresAStampAndAPattern) {
  model_->features[kMfCopyProtectType] = 3;
  F().nStampType = 0;
  F().nFixedStamp = 3;
  F().nBackPattern = 2;
  const DocDMode before = kit_.Settings();
  Open(kCopyProtectSimpleTemplate, CopyProtectSimpleDlgProc);
  EXPECT_EQ(ItemText(2129, Selection(2129)), L"Not valid");
  EXPECT_EQ(ItemText(2155, Selection(2155)), L"Fine dots");
  kit_.Screenshot("simple");
  Choose(2129, 5);
  Choose(2155, 7);
  EXPECT_EQ(F().nFixedStamp, 6);
  EXPECT_EQ(F().nBackPattern, 8);
  Press(1032);
  EXPECT_EQ(F().nFixedStamp, Fields(defaults_).nFixedStamp);
  EXPECT_EQ(F().nBackPattern, Fields(defaults_).nBackPattern);
  Choose(2129, 1);
  Press(IDCANCEL);
  EXPECT_TRUE(Same(before));
  kit_.Close();
  Open(kCopyProtectSimpleTemplate, CopyProtectSimpleDlgProc);
  Choose(2155, 4);
  Press(IDOK);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(F().nBackPattern, 5);
}

TEST_F(CopyProtectDialogs, TheDistributionNumberMustLieInItsRange) {
  F().dwStartNumber = 5;
  F().bDigit = 0;
  Open(kDistributionNumberTemplate, ShareNumberDlgProc);
  EXPECT_EQ(Text(2169), L"00000005");
  EXPECT_TRUE(Checked(2167));
  Type(2109, L"0");
  Press(IDOK);
  EXPECT_FALSE(Ended());
  EXPECT_EQ(testsupport::FocusedControl(D()), C(2109));
  EXPECT_TRUE(kit_.Boxes().shown().empty());
  Type(2109, L"99999999");
  EXPECT_EQ(Text(2169), L"99999999");
  Press(IDOK);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(F().dwStartNumber, 99999999u);
}

// Settings the user may not change: every dialog and page shows them with
// its controls disabled.
TEST_F(CopyProtectDialogs, LockedSettingsDisableEveryDialogsControls) {
  kit_.Session().mayChange = 0;
  const struct {
    int templateId;
    DLGPROC proc;
    int page;  // the edit dialog's page to show
    std::vector<int> locked;
  } cases[] = {
      {kCopyProtectEditTemplate, CopyProtectEditDlgProc, 0, {2128, 2129, 2130, 2134, 2135, 2139, 2142, 2144, 1032}},
      {kCopyProtectEditTemplate, CopyProtectEditDlgProc, 1, {2147, 2148, 2151, 2153, 2155, 2161}},
      {kCopyProtectSimpleTemplate, CopyProtectSimpleDlgProc, 0, {2129, 2155, 1032}},
      {kDistributionNumberTemplate, ShareNumberDlgProc, 0, {2109, 2110, 2167, 2168, 1032}},
      {kPatternColourTemplate, UCopyColorAdjustDlgProc, 0, {2092, 2094, 2095, 2100, 2101, 1032}},
      {kStampColourTemplate, PspColorAdjustDlgProc, 0, {2105, 2108, 2109, 1032}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.templateId);
    Open(c.templateId, c.proc);
    if (c.page != 0) Tab(c.page);
    for (int id : c.locked) {
      ASSERT_NE(C(id), nullptr) << id;
      EXPECT_FALSE(Enabled(id)) << id;
    }
    EXPECT_TRUE(Enabled(IDCANCEL));
    kit_.Close();
  }
}

// The sheet's button opens the dialog of the model's type.
TEST_F(CopyProtectDialogs, TheSheetButtonOpensTheDialogOfTheModelsType) {
  static uint16_t opened = 0;
  SetSheetDialogRunner([](HWND, uint16_t id, DLGPROC, LPARAM) -> intptr_t {
    opened = id;
    return IDOK;
  });
  HWND owner = kit_.OpenDialog(kit_.Templates(), kCopyProtectSimpleTemplate, CopyProtectSimpleDlgProc);
  SheetCtx* ctx = kit_.Context();
  for (int type : {0, 1, 2, 3}) {
    model_->features[kMfCopyProtectType] = static_cast<uint8_t>(type);
    opened = 0;
    EXPECT_TRUE(WOSheetCopyProtectButton(owner, ctx));
    EXPECT_EQ(opened, type == 3 ? kCopyProtectSimpleTemplate : kCopyProtectEditTemplate) << type;
  }
}

}  // namespace
