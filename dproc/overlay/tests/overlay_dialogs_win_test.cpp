// The overlay form dialogs under Wine and Xvfb, from the build tree's
// templates on the dialog kit's sheet context with the sample model's
// description: the form file list with its properties, import and delete
// (the system's file dialog answered as a user would), and the management
// of the device's forms with a scripted device answer.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/contracts/ddproc_functions.h"
#include "common/qxd/model_info.h"
#include "common/qxd/qxd_file.h"
#include "common/records/doc_fields.h"
#include "common/win/user_registry.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/dialogs/name_duplicate_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings.h"
#include "dproc/model/option_text_sections.h"
#include "dproc/overlay/overlay_dialogs_win.h"
#include "dproc/overlay/overlay_list_win.h"
#include "dproc/overlay/overlay_session_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/startup/ddproc_binding_win.h"
#include "dproc/startup/edit_range_limits.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/modal_dialog_driver_win.h"
#include "tests/support/sheet_model_win.h"
#include "tests/support/test_paths.h"

namespace {

using testsupport::DialogKit;
using testsupport::ModalDialogDriver;

std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }
std::wstring Form(const char* stem) {
  return Widen(testsupport::BinaryPath(std::string("overlay_forms/") + stem + ".QFV"));
}

constexpr wchar_t kDriver[] = L"Overlay dialog test driver";

int32_t PassAll(HWND, HWND, uint16_t) { return 199; }

// The device's answer to the form query.
std::vector<DeviceFormItem> g_deviceForms;
std::string g_askedAddress;
DeviceFormList g_answer;
int32_t DDPROC_CALL FakeIsModelOK(const char*) { return 1; }
DeviceFormList* DDPROC_CALL FakeOverlayRequest(const char* address, int32_t) {
  g_askedAddress = address;
  g_answer.count = static_cast<uint32_t>(g_deviceForms.size());
  g_answer.items = g_deviceForms.data();
  return &g_answer;
}
int g_freed = 0;
void DDPROC_CALL FakeFree(void*) { ++g_freed; }
bool FakeAddress(const SheetCtx*, char out[64]) {
  std::strcpy(out, "192.0.2.7");
  return true;
}
DeviceFormItem DeviceForm(const char* file, const char* name, const char* storage) {
  DeviceFormItem item{};
  std::strncpy(item.file, file, sizeof item.file - 1);
  std::strncpy(item.name, name, sizeof item.name - 1);
  std::strncpy(item.storage, storage, sizeof item.storage - 1);
  return item;
}

class OverlayDialogs : public ::testing::Test {
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
    SetSheetConstraintCheck(PassAll);
    printer_ = L"Overlay dialog printer " + std::to_wstring(GetCurrentProcessId());
    key_ = std::wstring(L"Software\\") + MakerName() + L"\\" + kDriver;
    savedDdproc_ = g_ddproc;
  }
  void TearDown() override {
    kit_.Close();
    FreeSessionFormLists(kit_.Context());
    SetSheetConstraintCheck(nullptr);
    SetFormHostAddressForTests(nullptr);
    g_ddproc = savedDdproc_;
    *model_ = saved_;
    ProcessModelInfo() = nullptr;
    DialogFrameworkModules().texts = nullptr;
    RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str());
  }

  DocFields& F() { return Fields(kit_.Settings()); }
  OverlayUiState& State() { return *OverlayStateOf(kit_.Context()); }
  // The session's form file list, stored with these files.
  FormFileList* SoftList(std::initializer_list<const char*> stems) {
    model_->features[kMfSoftOverlay] = 1;
    FormFileList* list = LoadOverlayFormList(printer_.c_str(), kDriver);
    EXPECT_NE(list, nullptr);
    for (const char* stem : stems) EXPECT_NE(AddFormFileNode(Form(stem).c_str(), list), nullptr) << stem;
    EXPECT_TRUE(SaveOverlayFormList(list));
    State().files = list;
    State().loadTried = 3;
    if (!list->nodes.empty()) State().current = list->nodes[0].get();
    return list;
  }
  std::vector<std::wstring> ListTexts(HWND dialog) {
    std::vector<std::wstring> out;
    HWND list = GetDlgItem(dialog, 1326);
    for (int i = 0, n = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)); i < n; ++i) {
      wchar_t text[300] = {};
      SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      out.push_back(text);
    }
    return out;
  }
  static std::wstring Text(HWND dialog, int id) {
    wchar_t text[1024] = {};
    GetDlgItemTextW(dialog, id, text, 1024);
    return text;
  }
  static int Selected(HWND dialog) {
    return static_cast<int>(SendDlgItemMessageW(dialog, 1326, LB_GETCURSEL, 0, 0));
  }
  static void Press(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    DialogKit::Pump();
  }
  static void ChooseForm(HWND dialog, int index) {
    SendDlgItemMessageW(dialog, 1326, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(1326, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1326)));
    DialogKit::Pump();
  }
  std::wstring Stored(const wchar_t* name) {
    HKEY k = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, (key_ + L"\\" + printer_).c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) {
      return L"(no key)";
    }
    wchar_t text[300] = {};
    DWORD size = sizeof text - 2, type = 0;
    const bool ok = RegQueryValueExW(k, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) == ERROR_SUCCESS;
    RegCloseKey(k);
    if (!ok) return L"(none)";
    if (type == REG_DWORD) {
      DWORD n = 0;
      std::memcpy(&n, text, sizeof n);
      return std::to_wstring(n);
    }
    return text;
  }
  // The session's device list with these registered entries.
  DriverFormList* DeviceList(std::initializer_list<std::pair<const char*, uint32_t>> registered) {
    model_->features[kMfSoftOverlay] = 0;
    DriverFormList* list = LoadDeviceFormList(printer_.c_str(), kDriver);
    EXPECT_NE(list, nullptr);
    for (const auto& [name, location] : registered) {
      DriverFormNode* node = AddDriverForm(list, name, location);
      node->registered = 1;
      CopyFormText(node->formName, sizeof node->formName, "Registered");
    }
    State().device = list;
    State().loadTried = 3;
    return list;
  }
  void FakeDevice(std::vector<DeviceFormItem> forms) {
    g_deviceForms = std::move(forms);
    g_askedAddress.clear();
    g_freed = 0;
    g_ddproc.entry[kMibIsModelOK] = reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&FakeIsModelOK));
    g_ddproc.entry[kMibOverlayRequest] =
        reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&FakeOverlayRequest));
    g_ddproc.entry[kMibFreeOverlayInfo] = reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&FakeFree));
    SetFormHostAddressForTests(FakeAddress);
  }
  static std::vector<std::wstring> Column(HWND dialog, int listId, int column) {
    std::vector<std::wstring> out;
    HWND list = GetDlgItem(dialog, listId);
    for (int i = 0, n = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); i < n; ++i) {
      out.push_back(ListViewItemText(list, i, column));
    }
    return out;
  }
  static void SelectRow(HWND dialog, int listId, int item) {
    LVITEMW lv{};
    lv.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    lv.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendDlgItemMessageW(dialog, listId, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv));
    DialogKit::Pump();
  }
  static void TypeName(HWND dialog, const wchar_t* text) {
    SetDlgItemTextW(dialog, 1572, text);
    DialogKit::Pump();
  }
  static bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

  DialogKit kit_;
  std::wstring printer_, key_;
  DDProcBinding savedDdproc_{};
  static ModelInfo* model_;
  static MessageTables texts_;
  ModelInfo saved_{};
};
ModelInfo* OverlayDialogs::model_ = nullptr;
MessageTables OverlayDialogs::texts_ = {};

TEST_F(OverlayDialogs, TheChosenFormFilesPropertiesAreShown) {
  SoftList({"letterhead_v2", "invoice_v1", "wide_name_v2"});
  F().bOverlay = 1;
  F().nFormListPos = 0;
  F().nOverlay = 4;
  F().nFormLaying = 1;
  HWND d = kit_.OpenDialog(kit_.Templates(), 119, OverlayFormDlgProc);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(ListTexts(d), (std::vector<std::wstring>{L"letterhead_v2.QFV (Letterhead)", L"invoice_v1.QFV (Invoice)",
                                                     L"wide_name_v2.QFV (\x0391\x03b8\x03ae\x03bd\x03b1 \x8868)"}));
  EXPECT_EQ(Selected(d), 0);
  const std::wstring folder = Form("x").substr(0, Form("x").find_last_of(L'\\'));
  EXPECT_EQ(Text(d, 1436), L"Form name:\tLetterhead\r\nFile:\tletterhead_v2.QFV\r\nFolder:\t" + folder +
                               L"\r\n\r\nPaper size:\tA4 (210 x 297 mm)\r\nOrientation:\tPortrait\r\n"
                               L"Colour:\tGrayscale\r\nResolution:\t600 dpi\r\n");
  // The pages and placement lists show the settings.
  EXPECT_EQ(SendDlgItemMessageW(d, 1272, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(SendDlgItemMessageW(d, 1275, CB_GETCURSEL, 0, 0), 1);
  ChooseForm(d, 1);
  EXPECT_NE(Text(d, 1436).find(L"Paper size:\tLetter (8.5 x 11 in)\r\nOrientation:\tLandscape\r\nColour:\tColor"),
            std::wstring::npos);
  // A size no paper has is the custom size; values other than 1 and 2 show
  // nothing after their labels.
  ChooseForm(d, 2);
  EXPECT_NE(Text(d, 1436).find(L"Paper size:\tCustom Size\r\nOrientation:\t\r\nColour:\t\r\nResolution:\t200 dpi"),
            std::wstring::npos);
  EXPECT_EQ(State().current, State().files->nodes[2].get());
  Press(d, IDOK);
  EXPECT_EQ(F().nFormListPos, 2);
}

TEST_F(OverlayDialogs, AChoiceWhoseFileIsGoneFallsBackToTheFirstForm) {
  // The stored second form's file went away; the list itself was loaded
  // before.
  SoftList({"letterhead_v2", "invoice_v1"});
  HKEY k = nullptr;
  RegOpenKeyExW(HKEY_CURRENT_USER, (key_ + L"\\" + printer_).c_str(), 0, KEY_ALL_ACCESS, &k);
  const std::wstring gone = L"Z:\\no\\such\\file.QFV";
  RegSetValueExW(k, L"Form2", 0, REG_SZ, reinterpret_cast<const BYTE*>(gone.c_str()),
                 static_cast<DWORD>((gone.size() + 1) * 2));
  RegCloseKey(k);
  F().bOverlay = 1;
  F().nFormListPos = 1;
  HWND d = kit_.OpenDialog(kit_.Templates(), 119, OverlayFormDlgProc);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(F().nFormListPos, 0);
  EXPECT_EQ(F().bOverlay, 1);
  // The store mirrors the session's list again.
  EXPECT_EQ(Stored(L"Form2"), Form("invoice_v1"));
}

TEST_F(OverlayDialogs, WithoutFormsTheOverlayIsSwitchedOff) {
  SoftList({});
  F().bOverlay = 1;
  F().nFormListPos = 0;
  HWND d = kit_.OpenDialog(kit_.Templates(), 119, OverlayFormDlgProc);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(F().nFormListPos, -1);
  EXPECT_EQ(F().bOverlay, 0);
  EXPECT_FALSE(Enabled(d, 1278));
  EXPECT_FALSE(Enabled(d, 1272));
}

TEST_F(OverlayDialogs, ImportingAddsAFormOnceAndCancelStillReportsTheChange) {
  SoftList({"letterhead_v2"});
  F().bOverlay = 1;
  F().nFormListPos = 0;
  F().nOverlay = 2;
  ModalDialogDriver driver;
  auto isOverlay = [](HWND w) { return GetDlgItem(w, 1326) != nullptr; };
  auto isFileDialog = [](HWND w) { return GetDlgItem(w, IDOK) != nullptr && GetDlgItem(w, 1326) == nullptr; };
  // Import a new file (typed as the user would), then an existing one with
  // its name in another case, then a file that is not a form file; then
  // change the pages and cancel.
  const std::wstring again = Form("letterhead_v2");
  std::wstring upper = again;
  for (wchar_t& c : upper) c = static_cast<wchar_t>(towupper(c));
  std::vector<std::wstring> seen;
  std::vector<int> selections;
  auto chooseFile = [](const std::wstring& path) {
    return [path](HWND w) {
      HWND name = GetDlgItem(w, cmb13);
      if (name == nullptr) name = GetDlgItem(w, edt1);
      SetWindowTextW(name, path.c_str());
      PostMessageW(w, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
  };
  // One drive on the overlay dialog does it all: each Import runs the file
  // dialog (answered by a drive queued just before) before it returns.
  auto import = [&](HWND w, const std::wstring& path) {
    driver.Then(chooseFile(path), isFileDialog);
    SendMessageW(w, WM_COMMAND, MAKEWPARAM(1277, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(w, 1277)));
  };
  driver.Then(
      [&](HWND w) {
        import(w, Form("invoice_v1"));
        seen = ListTexts(w);
        selections.push_back(Selected(w));
        import(w, upper);
        selections.push_back(Selected(w));
        import(w, Form("bad_magic"));
        selections.push_back(static_cast<int>(ListTexts(w).size()));
        SendDlgItemMessageW(w, 1272, CB_SETCURSEL, 3, 0);
        SendMessageW(w, WM_COMMAND, MAKEWPARAM(1272, CBN_SELENDOK), reinterpret_cast<LPARAM>(GetDlgItem(w, 1272)));
        PostMessageW(w, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      },
      isOverlay);
  const intptr_t result =
      RunMyDialogBox(kit_.Templates(), nullptr, 119, OverlayFormDlgProc, reinterpret_cast<LPARAM>(kit_.Context()));
  EXPECT_EQ(driver.Pending(), 0u);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(seen, (std::vector<std::wstring>{L"letterhead_v2.QFV (Letterhead)", L"invoice_v1.QFV (Invoice)"}));
  EXPECT_EQ(selections, (std::vector<int>{1, 0, 2}));
  ASSERT_EQ(State().files->nodes.size(), 2u);
  EXPECT_EQ(Stored(L"FormCount"), L"2");
  EXPECT_EQ(Stored(L"Form2"), Form("invoice_v1"));
  // Cancel puts the pages back; the position follows the list as it stands.
  EXPECT_EQ(F().nOverlay, 2);
  EXPECT_EQ(F().nFormListPos, 0);
}

TEST_F(OverlayDialogs, DeletingTheLastFormClearsTheChoice) {
  SoftList({"letterhead_v2"});
  F().bOverlay = 1;
  F().nFormListPos = 0;
  HWND d = kit_.OpenDialog(kit_.Templates(), 119, OverlayFormDlgProc);
  ASSERT_NE(d, nullptr);
  kit_.Boxes().Answer(IDNO);
  Press(d, 1278);
  EXPECT_EQ(ListTexts(d).size(), 1u);
  kit_.Boxes().Answer(IDYES);
  Press(d, 1278);
  ASSERT_EQ(kit_.Boxes().shown().size(), 2u);
  EXPECT_EQ(kit_.Boxes().shown()[1].style & MB_YESNO, static_cast<UINT>(MB_YESNO));
  EXPECT_TRUE(ListTexts(d).empty());
  EXPECT_EQ(Text(d, 1436), L"");
  EXPECT_EQ(F().nFormListPos, -1);
  EXPECT_EQ(State().current, nullptr);
  EXPECT_EQ(Stored(L"FormCount"), L"0");
  EXPECT_EQ(Stored(L"Form1"), L"(none)");
  EXPECT_EQ(testsupport::FocusedControl(GetDlgItem(d, 1277)), GetDlgItem(d, 1277));
}

TEST_F(OverlayDialogs, TheManagerMovesDeviceFormsAndRefusesDuplicateNames) {
  // Registered: "Invoice" on the hard disk (location 0), also on the
  // device; the device also holds two forms the driver's list lacks, one in
  // memory (location 1) and one at a place the model does not know (the
  // default location).
  DeviceList({{"Invoice", 0}});
  FakeDevice({DeviceForm("INVOICE", "Invoice form", "OvlForm_HDD"), DeviceForm("Memo", "Memo form", "OvlForm_RAM"),
              DeviceForm("Quarterly", "Q", "OvlForm_USB")});
  F().dwOvlSrcType = 1;
  HWND d = kit_.OpenDialog(kit_.Templates(), 127, OverlayFormMgrDlgProc);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(g_askedAddress, "192.0.2.7");
  EXPECT_EQ(g_freed, 1);
  EXPECT_EQ(Column(d, 1563, 0), (std::vector<std::wstring>{L"Memo", L"Quarterly"}));
  EXPECT_EQ(Column(d, 1563, 2), (std::vector<std::wstring>{L"Memory", L"Hard disk"}));
  EXPECT_EQ(Column(d, 1568, 0), (std::vector<std::wstring>{L"Invoice"}));
  EXPECT_EQ(State().device->nodes[0]->onDevice, 1u);
  // The settings' location is not taken while the dialog is open.
  EXPECT_EQ(F().dwOvlSrcType, 1u);
  // Add the selected device form: it moves to the driver's list.
  SelectRow(d, 1563, 0);
  EXPECT_TRUE(Enabled(d, 1564));
  Press(d, 1564);
  EXPECT_EQ(Column(d, 1563, 0), (std::vector<std::wstring>{L"Quarterly"}));
  EXPECT_EQ(Column(d, 1568, 0), (std::vector<std::wstring>{L"Invoice", L"Memo"}));
  // A form on the device keeps its name.
  EXPECT_FALSE(Enabled(d, 1572));
  // New: an empty name keeps the user in the edits.
  Press(d, 1569);
  EXPECT_EQ(Column(d, 1568, 0).size(), 3u);
  EXPECT_FALSE(Enabled(d, IDOK));
  EXPECT_FALSE(Enabled(d, 1569));
  EXPECT_EQ(CheckFormNameDuplicate(d), 1);
  // The name of a form at the same location, in another case: refused.
  TypeName(d, L"INVOICE");
  EXPECT_EQ(CheckFormNameDuplicate(d), 0);
  EXPECT_FALSE(Enabled(d, IDOK));
  // The device's form at the new entry's location counts too.
  TypeName(d, L"quarterly");
  EXPECT_EQ(CheckFormNameDuplicate(d), 0);
  // At another location the same name is another form.
  SendDlgItemMessageW(d, 1619, CB_SETCURSEL, 1, 0);
  SendMessageW(d, WM_COMMAND, MAKEWPARAM(1619, CBN_SELENDOK), reinterpret_cast<LPARAM>(GetDlgItem(d, 1619)));
  DialogKit::Pump();
  EXPECT_EQ(CheckFormNameDuplicate(d), 1);
  EXPECT_TRUE(Enabled(d, IDOK));
  EXPECT_EQ(Column(d, 1568, 0)[2], L"quarterly");
  EXPECT_EQ(Column(d, 1568, 2)[2], L"Memory");
  Press(d, IDOK);
  kit_.Close();
  // The session's list: the registered forms; the device's form left over
  // went when the dialog ended.
  std::vector<std::string> names;
  for (const auto& node : State().device->nodes) {
    EXPECT_EQ(node->registered, 1u) << node->name;
    names.push_back(node->name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Invoice", "Memo", "quarterly"}));
  EXPECT_EQ(F().dwOvlSrcType, 0u);
}

TEST_F(OverlayDialogs, CancellingTheManagerLeavesTheRegisteredFormsAndTheLocation) {
  DeviceList({{"Invoice", 0}, {"Letter", 1}});
  FakeDevice({DeviceForm("Memo", "Memo form", "OvlForm_HDD")});
  F().dwOvlSrcType = 1;
  HWND d = kit_.OpenDialog(kit_.Templates(), 127, OverlayFormMgrDlgProc);
  ASSERT_NE(d, nullptr);
  Press(d, 1565);  // add all
  EXPECT_TRUE(Column(d, 1563, 0).empty());
  SelectRow(d, 1568, 0);
  EXPECT_EQ(Text(d, 1572), L"Invoice");
  EXPECT_EQ(Text(d, 1574), L"Registered");
  kit_.Boxes().Answer(IDYES);
  Press(d, 1566);  // remove "Invoice": not on the device, so it is gone
  EXPECT_EQ(Column(d, 1568, 0), (std::vector<std::wstring>{L"Letter", L"Memo"}));
  EXPECT_TRUE(Column(d, 1563, 0).empty());
  SelectRow(d, 1568, 1);
  kit_.Boxes().Answer(IDYES);
  Press(d, 1566);  // remove "Memo": on the device, so it goes back there
  EXPECT_EQ(Column(d, 1563, 0), (std::vector<std::wstring>{L"Memo"}));
  Press(d, IDCANCEL);
  kit_.Close();
  std::vector<std::string> names;
  for (const auto& node : State().device->nodes) names.push_back(node->name);
  EXPECT_EQ(names, (std::vector<std::string>{"Invoice", "Letter"}));
  EXPECT_EQ(F().dwOvlSrcType, 1u);
}

TEST_F(OverlayDialogs, TheDeviceFormDialogListsRegisteredFormsWithTheirLocations) {
  DriverFormList* list = DeviceList({{"Invoice", 0}, {"Letter", 1}});
  list->nodes[1]->formName[0] = '\0';
  DriverFormNode* seen = AddDriverForm(list, "Only on the device", 0);
  seen->onDevice = 1;
  State().current = list->nodes[1].get();
  F().nOverlay = 3;
  HWND d = kit_.OpenDialog(kit_.Templates(), 195, OverlayFormDlgProc);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(ListTexts(d), (std::vector<std::wstring>{L"Invoice (Registered) Hard disk", L"Letter Memory"}));
  EXPECT_EQ(Selected(d), 1);
  EXPECT_EQ(SendDlgItemMessageW(d, 1272, CB_GETCURSEL, 0, 0), 1);
  kit_.Boxes().Answer(IDYES);
  Press(d, 1278);
  EXPECT_EQ(ListTexts(d), (std::vector<std::wstring>{L"Invoice (Registered) Hard disk"}));
  EXPECT_EQ(Stored(L"FormCount"), L"1");
  EXPECT_EQ(Stored(L"Form1"), L"Invoice,Registered,0");
}

// A page that only shows the list, standing in for the watermark/overlay
// sheet.
INT_PTR CALLBACK BarePage(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG ? TRUE : FALSE; }

// The dialog the sheet's button opens: here the user removed every form
// while it was open, and it reported the change.
SheetCtx* g_runCtx = nullptr;
uint16_t g_ranTemplate = 0;
intptr_t EmptyTheList(HWND, uint16_t templateId, DLGPROC, LPARAM context) {
  g_ranTemplate = templateId;
  g_runCtx = reinterpret_cast<SheetCtx*>(context);
  OverlayStateOf(g_runCtx)->files->nodes.clear();
  return 1;
}

TEST_F(OverlayDialogs, TheSheetsButtonsKeepItsListAndChoice) {
  FormFileList* list = SoftList({"letterhead_v2", "invoice_v1"});
  F().bOverlay = 1;
  F().nFormListPos = 5;  // past the list: the first form
  HWND sheet = kit_.OpenDialog(kit_.Templates(), 119, BarePage);
  ASSERT_NE(sheet, nullptr);
  CheckDlgButton(sheet, 1205, BST_CHECKED);
  FillOverlayList(sheet, kit_.Context());
  EXPECT_TRUE(SelectOverlayItem(sheet, kit_.Context()));
  EXPECT_EQ(F().nFormListPos, 0);
  // Remove the second form: the first is chosen.
  ChooseForm(sheet, 1);
  kit_.Boxes().Answer(IDYES);
  EXPECT_TRUE(RemoveOverlayFromSheet(sheet, kit_.Context()));
  EXPECT_EQ(ListTexts(sheet), (std::vector<std::wstring>{L"letterhead_v2.QFV (Letterhead)"}));
  EXPECT_EQ(list->nodes.size(), 1u);
  EXPECT_EQ(Stored(L"FormCount"), L"1");
  EXPECT_EQ(F().nFormListPos, 0);
  // The dialog emptied the list: the overlay goes off with it.
  EXPECT_TRUE(OverlayInfoFromSheet(sheet, kit_.Context(), EmptyTheList));
  EXPECT_EQ(g_ranTemplate, 119);
  EXPECT_EQ(g_runCtx, kit_.Context());
  EXPECT_TRUE(ListTexts(sheet).empty());
  EXPECT_EQ(F().bOverlay, 0);
  EXPECT_EQ(F().nFormListPos, -1);
  EXPECT_EQ(IsDlgButtonChecked(sheet, 1205), static_cast<UINT>(BST_UNCHECKED));
}

TEST_F(OverlayDialogs, RemovingADeviceFormFromTheSheetUnregistersIt) {
  DeviceList({{"Invoice", 0}, {"Letter", 1}});
  F().nFormListPos = 1;
  HWND sheet = kit_.OpenDialog(kit_.Templates(), 195, BarePage);
  ASSERT_NE(sheet, nullptr);
  FillOverlayList(sheet, kit_.Context());
  SelectOverlayItem(sheet, kit_.Context());
  ASSERT_TRUE(TakeSelectedOverlay(sheet, kit_.Context()));
  EXPECT_STREQ(F().szOvlFname_PS, "Letter");
  EXPECT_EQ(F().dwOvlSrcType, 1u);
  kit_.Boxes().Answer(IDYES);
  ChooseForm(sheet, 0);
  EXPECT_TRUE(RemoveOverlayFromSheet(sheet, kit_.Context()));
  EXPECT_EQ(ListTexts(sheet), (std::vector<std::wstring>{L"Letter (Registered) Memory"}));
  EXPECT_STREQ(F().szOvlFname_PS, "Letter");
  EXPECT_EQ(Stored(L"FormCount"), L"1");
  EXPECT_EQ(Stored(L"Form1"), L"Letter,Registered,1");
}

}  // namespace
