// The device sheets under Wine and Xvfb: the Configure and Setting pages in
// a property sheet on the dialog kit's session, with the sample model's
// description (its installed options, texts and switches), the constraint
// pass scripted and the message boxes recorded; and the Acquisition Setting
// dialog the Configure sheet opens.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/qxd/model_info.h"
#include "common/qxd/paper_tables.h"
#include "common/qxd/qxd_file.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/device/acquisition_setting_dialog_win.h"
#include "dproc/device/configure_sheet_win.h"
#include "dproc/device/settings_sheet_win.h"
#include "dproc/device/version_sheet_win.h"
#include "common/qxd/version_strings.h"
#include "dproc/basic/user_paper_dialog_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/model/device_option_values.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/feature_table.h"
#include "dproc/model/disp_strings.h"
#include "dproc/model/message_text.h"
#include "dproc/model/option_text_sections.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/startup/description_loader_win.h"
#include "dproc/startup/edit_range_limits.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/modal_dialog_driver_win.h"
#include "tests/support/sheet_model_win.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_printer_win.h"
#include "dproc/startup/ddproc_binding_win.h"
#include "dproc/openapi/open_api_session_win.h"
#include "common/cipher/password_cipher_win.h"
#include "duicore/tests/scripted_ddproc/scripted_ddproc.h"

namespace {

using testsupport::DialogKit;

std::set<int> g_refuse;
std::vector<int> g_checked;
int32_t ScriptedCheck(HWND, HWND, uint16_t id) {
  g_checked.push_back(id);
  return g_refuse.count(id) != 0 ? 101 : 199;
}

struct RunnerCall {
  uint16_t templateId;
  DLGPROC proc;
};
std::vector<RunnerCall> g_runs;
intptr_t g_runResult = IDCANCEL;
intptr_t RecordRun(HWND, uint16_t templateId, DLGPROC proc, LPARAM) {
  g_runs.push_back({templateId, proc});
  return g_runResult;
}

std::wstring Text(HWND window, int id) {
  wchar_t text[512] = {};
  GetDlgItemTextW(window, id, text, 512);
  return text;
}
std::wstring ListRow(HWND list, int row) {
  wchar_t text[512] = {};
  SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
  return text;
}

// The frame's PSM_CHANGED notices, counted by a subclass of the frame.
int g_changes = 0;
WNDPROC g_frameProc = nullptr;
LRESULT CALLBACK CountingFrame(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == PSM_CHANGED) ++g_changes;
  return CallWindowProcW(g_frameProc, window, message, wParam, lParam);
}

class DeviceSheets : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    testsupport::LoadSheetModel("model/VELDRANH.QXD", &model_, &texts_,
                                {.afterBuild = nullptr, .afterTexts = [](QxdContext* file, ModelInfo* model) {
                                   defaults_ = new DevOption();
                                   options_ = LoadDeviceOptionList(file, model, defaults_);
                                   mediaLists_ = LoadMediaTypeLists(file, model);
                                 }});
  }
  void SetUp() override {
    ASSERT_NE(options_, nullptr);
    ProcessModelInfo() = model_;
    g_description.deviceOptions = options_;
    DialogFrameworkModules().templates = kit_.Templates();
    DialogFrameworkModules().images = kit_.Images();
    DialogFrameworkModules().texts = &texts_;
    DialogFrameworkModules().mediaLists = &mediaLists_;
    UseGeneralMessageTable(&texts_);
    SetSheetConstraintCheck(ScriptedCheck);
    SetSheetDialogRunner(RecordRun);
    SetSheetDialogRunner(RecordRun);
    g_refuse.clear();
    g_checked.clear();
    g_runs.clear();
    g_runResult = IDCANCEL;
    Record() = *defaults_;
  }
  void TearDown() override {
    kit_.Close();
    SetSheetConstraintCheck(nullptr);
    SetSheetDialogRunner(nullptr);
    SetSheetDialogRunner(nullptr);
    ProcessModelInfo() = nullptr;
    g_description.deviceOptions = nullptr;
    g_ddproc = DDProcBinding{};
    DialogFrameworkModules().texts = nullptr;
    DialogFrameworkModules().mediaLists = nullptr;
    UseGeneralMessageTable(nullptr);
  }
  DevOption& Record() { return kit_.Session().working->device.option; }
  HWND Page() { return kit_.Dialog(); }
  void Open(int templateId, DLGPROC proc) {
    ASSERT_NE(kit_.OpenPages(kit_.Templates(), {templateId}, proc, L"Printer"), nullptr);
    ASSERT_NE(Page(), nullptr);
    DialogKit::Pump();
    g_frameProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(kit_.Sheet(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingFrame)));
    g_changes = 0;
  }
  bool KillActive() {
    NMHDR note = {GetParent(Page()), 0, static_cast<UINT>(PSN_KILLACTIVE)};
    SetWindowLongPtrW(Page(), DWLP_MSGRESULT, 0);
    SendMessageW(Page(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&note));
    return GetWindowLongPtrW(Page(), DWLP_MSGRESULT) == FALSE;
  }
  bool ApplyEnabled() { return g_changes > 0; }
  uint32_t Slot(const char* option) { return FindDeviceOptionByName(options_, option)->optionIndex; }
  // Selects the list row of an option and returns its row.
  int SelectOption(const char* option) {
    HWND list = kit_.Control(1078);
    const int n = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      if (SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0) == static_cast<LRESULT>(Slot(option))) {
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
        SendMessageW(Page(), WM_COMMAND, MAKEWPARAM(1078, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        return i;
      }
    }
    return -1;
  }

  // The scripted device library bound as the library binds VELDRANH.
  void BindDevice(const ScriptedDevice& device) {
    // The device is asked for the session's printer.
    if (printer_ == nullptr) printer_ = std::make_unique<testsupport::TestPrinter>(L"Device Sheets");
    ASSERT_TRUE(printer_->ok()) << printer_->error();
    kit_.Session().printer = printer_->handle();
    g_ddproc = DDProcBinding{};
    g_ddproc.module = GetModuleHandleW(device.WidePath().c_str());
    for (size_t i = 0; i < kDDProcEntryCount; ++i) g_ddproc.entry[i] = GetProcAddress(g_ddproc.module, kDDProcEntryNames[i]);
  }
  uint32_t PlaceOf(const char* option, const char* value) {
    const DeviceOptionItem* row = FindDeviceOptionByName(options_, option);
    for (uint32_t i = 0; i < DeviceOptionValueCount(row); ++i) {
      if (std::strcmp(row->values[i].keyword, value) == 0) return i;
    }
    return 999;
  }

  // The stand-in open-API library in the library's place, answering `text`.
  void ScriptOpenApi(const char* text) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    oapiScript_ = std::string(temp) + "device_sheets_oapi_" + std::to_string(GetCurrentProcessId()) + ".txt";
    FILE* f = std::fopen(oapiScript_.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs(text, f);
    std::fclose(f);
    SetEnvironmentVariableA("OAPI_SCRIPT", oapiScript_.c_str());
    SetOpenApiLibraryPath((testsupport::ProgramFolder() + L"standin_oapi\\complete\\VELDRANV.DLL").c_str());
  }
  void UnscriptOpenApi() {
    SetOpenApiLibraryPath(nullptr);
    SetEnvironmentVariableA("OAPI_SCRIPT", nullptr);
    DeleteFileA(oapiScript_.c_str());
  }

  std::string oapiScript_;
  static ModelInfo* model_;
  static MessageTables texts_;
  static DevOption* defaults_;
  static DeviceOptionItem* options_;
  static MediaTypeLists* mediaLists_;
  std::unique_ptr<testsupport::TestPrinter> printer_;
  DialogKit kit_;
};
ModelInfo* DeviceSheets::model_ = nullptr;
MessageTables DeviceSheets::texts_ = {};
DevOption* DeviceSheets::defaults_ = nullptr;
DeviceOptionItem* DeviceSheets::options_ = nullptr;
MediaTypeLists* DeviceSheets::mediaLists_ = nullptr;

TEST_F(DeviceSheets, ConfigureListsTheModelsOptionsWithTheirSettings) {
  Record().optionValues[Slot("OpMachine")] = 1;
  Open(kConfigureTemplate, ConfigureSheetProc);
  HWND list = kit_.Control(1078);
  ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(ListRow(list, 0), L"User Authentication\tOff");
  EXPECT_EQ(ListRow(list, 1), L"Account Track\tOff");
  EXPECT_EQ(ListRow(list, 2), L"Fax Unit\tHigh-speed, 30 ppm");
  EXPECT_EQ(Text(Page(), 1329), L"Installed options") << "texts from the model";
  // The first row is selected and its values offered.
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(SendMessageW(kit_.Control(1081), CB_GETCOUNT, 0, 0),
            static_cast<LRESULT>(DeviceOptionValueCount(FindDeviceOptionByName(options_, "DevUserAuthentication"))));
  EXPECT_EQ(SendMessageW(kit_.Control(1081), CB_GETCURSEL, 0, 0), 0);
  // The sample model has no printer encryption: its controls are hidden.
  EXPECT_FALSE(IsWindowVisible(kit_.Control(2187)));
  EXPECT_FALSE(IsWindowVisible(kit_.Control(2188)));
  EXPECT_TRUE(IsWindowVisible(kit_.Control(1847)));
}

TEST_F(DeviceSheets, ConfigureStoresAChosenSettingAndPutsARefusedOneBack) {
  Open(kConfigureTemplate, ConfigureSheetProc);
  ASSERT_GE(SelectOption("OpMachine"), 0);
  ASSERT_EQ(SendMessageW(kit_.Control(1081), CB_GETCOUNT, 0, 0), 2);
  kit_.Select(1081, 1);
  EXPECT_EQ(Record().optionValues[Slot("OpMachine")], 1u);
  EXPECT_TRUE(ApplyEnabled());
  EXPECT_EQ(ListRow(kit_.Control(1078), 2), L"Fax Unit\tHigh-speed, 30 ppm");

  g_refuse.insert(1081);
  kit_.Select(1081, 0);
  EXPECT_EQ(Record().optionValues[Slot("OpMachine")], 1u) << "the refused setting is undone";
  EXPECT_EQ(SendMessageW(kit_.Control(1081), CB_GETCURSEL, 0, 0), 1);
}

TEST_F(DeviceSheets, ConfigureOpensAcquisitionSettingAndMarksTheSheetChangedOnOk) {
  Open(kConfigureTemplate, ConfigureSheetProc);
  kit_.Click(1858);
  ASSERT_EQ(g_runs.size(), 1u);
  EXPECT_EQ(g_runs[0].templateId, kAcquisitionSettingTemplate);
  EXPECT_FALSE(ApplyEnabled()) << "Cancel changes nothing";
  g_runResult = IDOK;
  kit_.Click(1858);
  EXPECT_TRUE(ApplyEnabled());
}

TEST_F(DeviceSheets, AcquisitionSettingKeepsTheDialogOpenWithoutAnAddressAndCancelRestores) {
  Record().autoAcquisition = 0;
  Record().destCustomize = 0;
  HWND d = kit_.OpenDialog(kit_.Templates(), kAcquisitionSettingTemplate, AcquisitionSettingDlgProc);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(Text(d, 1851), L"&Ask the device each time Configure opens");
  EXPECT_EQ(IsDlgButtonChecked(d, 1852), BST_CHECKED);
  EXPECT_FALSE(IsWindowEnabled(kit_.Control(1857)));
  kit_.Click(1855);
  EXPECT_EQ(Record().destCustomize, 2);
  EXPECT_TRUE(IsWindowEnabled(kit_.Control(1857)));
  kit_.Click(1851);
  EXPECT_EQ(Record().autoAcquisition, 1);

  // OK with the named device and no address: a message, and the dialog stays.
  kit_.Click(IDOK);
  ASSERT_EQ(kit_.Boxes().shown().size(), 1u);
  EXPECT_NE(kit_.Boxes().shown()[0].text.find(L"IP address or the printer name"), std::wstring::npos);
  EXPECT_TRUE(IsWindow(d));

  // A refused destination is put back.
  g_refuse.insert(1852);
  kit_.Click(1852);
  EXPECT_EQ(Record().destCustomize, 2);
  EXPECT_EQ(IsDlgButtonChecked(d, 1855), BST_CHECKED);

  kit_.Click(IDCANCEL);
  EXPECT_EQ(Record().autoAcquisition, 0);
  EXPECT_EQ(Record().destCustomize, 0);
}

TEST_F(DeviceSheets, AcquisitionSettingStoresTheTypedAddressEvenForThePort) {
  HWND d = kit_.OpenDialog(kit_.Templates(), kAcquisitionSettingTemplate, AcquisitionSettingDlgProc);
  ASSERT_NE(d, nullptr);
  kit_.Click(1855);
  SetDlgItemTextW(d, 1857, L"192.0.2.17");
  kit_.Click(1852);
  kit_.Click(IDOK);
  EXPECT_EQ(Record().destCustomize, 0);
  EXPECT_EQ(std::u16string(Record().deviceAddress), u"192.0.2.17");
}

TEST_F(DeviceSheets, SettingSwitchesGoIntoTheRecordAndARefusalIsUndone) {
  Record().displayConstMsg = 0;
  Record().verifyAuthentic = 0;
  Open(kSettingTemplate, SettingsSheetProc);
  EXPECT_EQ(Text(Page(), 1106), L"Show a &message when settings conflict");
  EXPECT_EQ(IsDlgButtonChecked(Page(), 1106), BST_UNCHECKED);
  kit_.Click(1106);
  EXPECT_EQ(Record().displayConstMsg, 1);
  EXPECT_TRUE(ApplyEnabled());

  g_refuse.insert(2189);
  kit_.Click(2189);
  EXPECT_EQ(Record().verifyAuthentic, 0);
  EXPECT_EQ(IsDlgButtonChecked(Page(), 2189), BST_UNCHECKED);

  // Leaving reads every box, the hidden ones too.
  CheckDlgButton(Page(), 1864, BST_CHECKED);
  EXPECT_TRUE(KillActive());
  EXPECT_EQ(Record().firstSheetAll, 1);
}

TEST_F(DeviceSheets, SettingOpensTheCustomPaperListFromItsButton) {
  Open(kSettingTemplate, SettingsSheetProc);
  // On the core's own sheets the button is hidden; its command still opens
  // the list.
  EXPECT_FALSE(IsWindowVisible(kit_.Control(1232)));
  SendMessageW(Page(), WM_COMMAND, MAKEWPARAM(1232, BN_CLICKED), 0);
  ASSERT_EQ(g_runs.size(), 1u);
  EXPECT_EQ(g_runs[0].templateId, kUserPaperTemplate);
  EXPECT_EQ(g_runs[0].proc, &UserPaperDlgProc);
}

TEST_F(DeviceSheets, WithoutTheRightToChangeDeviceSettingsTheSwitchesAreLocked) {
  kit_.Session().mayChange = 0;
  Open(kSettingTemplate, SettingsSheetProc);
  for (int id : {1106, 1238, 2189, 2190, 1232}) EXPECT_FALSE(IsWindowEnabled(kit_.Control(id))) << id;
  for (int id : {1864, 1863}) EXPECT_TRUE(IsWindowEnabled(kit_.Control(id))) << id;
}

DeviceScript AnotherMachine() {
  DeviceScript script = ReachableDeviceScript();
  std::strcpy(script.optionAnswers[0], "DevUserAuthentic_Engin");
  std::strcpy(script.optionAnswers[2], "faxunit30");
  std::strcpy(script.trayAnswers[0], "Letter");
  return script;
}

TEST_F(DeviceSheets, RefreshAsksTheDeviceAndTakesAnotherMachineOnlyAfterYes) {
  ScriptedDevice device(AnotherMachine());
  ASSERT_TRUE(device.ok());
  BindDevice(device);
  Record().autoAcquisition = 0;
  Record().optionValues[Slot("OpMachine")] = 0;
  Open(kConfigureTemplate, ConfigureSheetProc);
  EXPECT_EQ(device.log()->optionRequests, 0) << "without automatic acquisition the page does not ask";

  // No to the machine question: nothing changes and the trays are not asked.
  kit_.Boxes().Answer(IDYES);
  kit_.Boxes().Answer(IDNO);
  kit_.Click(1062);
  ASSERT_EQ(kit_.Boxes().shown().size(), 2u);
  EXPECT_NE(kit_.Boxes().shown()[0].text.find(L"installed options now"), std::wstring::npos);
  EXPECT_NE(kit_.Boxes().shown()[1].text.find(L"another fax unit"), std::wstring::npos);
  EXPECT_EQ(device.log()->optionRequests, 1);
  EXPECT_EQ(device.log()->trayRequests, 0);
  EXPECT_EQ(Record().optionValues[Slot("OpMachine")], 0u);
  EXPECT_EQ(Record().optionValues[Slot("DevUserAuthentication")], 0u);

  // Yes: the device part is reset and the device's values taken.
  Record().trays[0].paperId = 9;
  kit_.Boxes().Answer(IDYES);
  kit_.Boxes().Answer(IDYES);
  kit_.Click(1062);
  EXPECT_EQ(Record().optionValues[Slot("OpMachine")], PlaceOf("OpMachine", "FaxUnit30"));
  EXPECT_EQ(Record().optionValues[Slot("DevUserAuthentication")],
            PlaceOf("DevUserAuthentication", "DevUserAuthentic_Engin"));
  EXPECT_EQ(device.log()->trayRequests, 1);
  EXPECT_STREQ(device.log()->firstTrayAsked, "InTray1") << "the automatic tray is not asked";
  EXPECT_EQ(Record().trays[0].paperId, 1) << "Letter";
  EXPECT_TRUE(ApplyEnabled());
  EXPECT_NE(ListRow(kit_.Control(1078), 2).find(L"High-speed"), std::wstring::npos);

  // No to the first question asks nothing.
  kit_.Boxes().Answer(IDNO);
  kit_.Click(1062);
  EXPECT_EQ(device.log()->optionRequests, 2);
}

TEST_F(DeviceSheets, AutomaticAcquisitionAsksOnActivationButNotRightAfterApply) {
  ScriptedDevice device(AnotherMachine());
  ASSERT_TRUE(device.ok());
  BindDevice(device);
  Record().autoAcquisition = 1;
  Record().optionValues[Slot("OpMachine")] = 0;
  Open(kConfigureTemplate, ConfigureSheetProc);
  // Another machine is taken silently.
  EXPECT_TRUE(kit_.Boxes().shown().empty());
  EXPECT_EQ(device.log()->optionRequests, 1);
  EXPECT_EQ(Record().optionValues[Slot("OpMachine")], PlaceOf("OpMachine", "FaxUnit30"));
  EXPECT_FALSE(IsWindowEnabled(kit_.Control(1847))) << "media the device reports are not edited by hand";

  NMHDR apply = {GetParent(Page()), 0, static_cast<UINT>(PSN_APPLY)};
  SendMessageW(Page(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&apply));
  NMHDR active = {GetParent(Page()), 0, static_cast<UINT>(PSN_SETACTIVE)};
  SendMessageW(Page(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&active));
  EXPECT_EQ(device.log()->optionRequests, 1) << "the activation after Apply";
  ASSERT_TRUE(KillActive());
  SendMessageW(Page(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&active));
  EXPECT_EQ(device.log()->optionRequests, 2);
}

TEST_F(DeviceSheets, ADeviceThatCannotBeReachedIsReportedOnRefreshOnly) {
  DeviceScript script = ReachableDeviceScript();
  script.reachable = FALSE;
  ScriptedDevice device(script);
  ASSERT_TRUE(device.ok());
  BindDevice(device);
  Record().autoAcquisition = 1;
  Open(kConfigureTemplate, ConfigureSheetProc);
  EXPECT_TRUE(kit_.Boxes().shown().empty());
  kit_.Boxes().Answer(IDYES);
  kit_.Click(1062);
  ASSERT_EQ(kit_.Boxes().shown().size(), 2u);
  EXPECT_NE(kit_.Boxes().shown()[1].text.find(L"could not be asked"), std::wstring::npos);
  EXPECT_EQ(device.log()->optionRequests, 0);
}

// The device's printer encryption through the open-API stand-in: a key of
// the device's user switches encryption on, the key is shown as asterisks
// and the controls are locked while the device is asked automatically, and
// leaving the page stores the device's key enciphered.
TEST_F(DeviceSheets, TheDevicesEncryptionKeyIsTakenShownAsAsterisksAndStored) {
  const uint32_t saved = model_->features[kMfEncryptionKey];
  model_->features[kMfEncryptionKey] = 1;
  ScriptOpenApi("encryption 0 UserDefined DEVKEY2048\n");
  ScriptedDevice device(ReachableDeviceScript());
  ASSERT_TRUE(device.ok());
  BindDevice(device);
  Record().autoAcquisition = 1;
  Record().encryptionKey = 0;
  Open(kConfigureTemplate, ConfigureSheetProc);
  EXPECT_EQ(Record().encryptionKey, 1);
  EXPECT_EQ(IsDlgButtonChecked(Page(), 2187), BST_CHECKED);
  EXPECT_EQ(Text(Page(), 2188), L"********************");
  EXPECT_FALSE(IsWindowEnabled(kit_.Control(2187)));
  EXPECT_FALSE(IsWindowEnabled(kit_.Control(2188)));
  ASSERT_TRUE(KillActive());
  ASSERT_GT(Record().encryptedValueLength, 0);
  uint8_t buffer[kDevOptionEncryptedValueSize + 1] = {};
  std::memcpy(buffer, Record().encryptedValue, Record().encryptedValueLength);
  DecryptPassword(printer_->handle(), buffer, Record().encryptedValueLength, sizeof buffer);
  EXPECT_STREQ(reinterpret_cast<const char*>(buffer), "DEVKEY2048");

  UnscriptOpenApi();
  model_->features[kMfEncryptionKey] = saved;
}

// The fuller Configure page lists the device tools from the model's texts;
// choosing one stores it in the device option record, unless the
// constraint pass refuses it.
TEST_F(DeviceSheets, TheDeviceToolListTakesTheChosenTool) {
  Record().vistrel = 5;  // a tool this model does not list
  Open(kConfigureFullTemplate, ConfigureSheetProc);
  HWND tools = kit_.Control(1841);
  ASSERT_EQ(SendMessageW(tools, CB_GETCOUNT, 0, 0), 1);
  wchar_t text[64] = {};
  SendMessageW(tools, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"Device web page");
  EXPECT_EQ(SendMessageW(tools, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_TRUE(IsWindowEnabled(kit_.Control(1842))) << "a chosen tool can be started";
  const auto choose = [&] {
    SendMessageW(tools, CB_SETCURSEL, 0, 0);
    SendMessageW(Page(), WM_COMMAND, MAKEWPARAM(1841, CBN_SELENDOK), reinterpret_cast<LPARAM>(tools));
  };
  g_refuse = {1841};
  choose();
  EXPECT_EQ(Record().vistrel, 5);
  EXPECT_EQ(SendMessageW(tools, CB_GETCURSEL, 0, 0), CB_ERR) << "the refused choice is undone";
  EXPECT_FALSE(ApplyEnabled());
  g_refuse.clear();
  choose();
  EXPECT_EQ(Record().vistrel, 0);
  EXPECT_TRUE(ApplyEnabled());
  EXPECT_EQ(g_checked.back(), 1841);
}

// A sheet with the preview area, on a model that prints the device's
// header/footer settings, takes the names the device lists as "On" into
// the rows of those settings; another model does not ask.
TEST_F(DeviceSheets, ThePreviewAreaTakesTheDevicesHeaderFooterSettingNames) {
  auto* rows = reinterpret_cast<HeaderFooterOptionItem*>(FindOptionTable(kHeaderFooterDevTable));
  const HeaderFooterOptionItem* loaded = LoadedHeaderFooterRows();
  ASSERT_NE(rows, nullptr);
  ASSERT_NE(loaded, nullptr);
  ASSERT_EQ(rows[0].base.size, sizeof(HeaderFooterOptionItem));
  const std::u16string first(loaded[0].base.text), second(loaded[1].base.text);
  ScriptOpenApi("permanent 0 2\nentry On Department Total\nentry Off Hidden\n");
  ScriptedDevice device(ReachableDeviceScript());
  ASSERT_TRUE(device.ok());
  BindDevice(device);
  const uint32_t saved = model_->features[kMfHeaderFooterKind];

  model_->features[kMfHeaderFooterKind] = 0;
  Open(kConfigureTemplate, ConfigureSheetProc);
  kit_.Close();
  EXPECT_EQ(std::u16string(rows[0].base.text), first) << "a model without the settings does not ask";
  EXPECT_EQ(rows[0].deviceName, 0);

  model_->features[kMfHeaderFooterKind] = 1;
  Open(kConfigureTemplate, ConfigureSheetProc);
  kit_.Close();
  EXPECT_EQ(std::u16string(rows[0].base.text), u"Department Total");
  EXPECT_EQ(rows[0].deviceName, 1);
  EXPECT_EQ(std::u16string(rows[1].base.text), second) << "a setting that is not on keeps its own name";
  EXPECT_EQ(rows[1].deviceName, 0);

  // Put the rows back as loaded for the other tests.
  for (size_t i = 0; loaded[i].base.keyword[0] != '\0'; ++i) rows[i] = loaded[i];
  model_->features[kMfHeaderFooterKind] = saved;
  UnscriptOpenApi();
}

// The Version sheet: the version list from the model's row texts with the
// built-in component versions and the description versions, its tab stop,
// the notices, and the controls centred when the page paints.
TEST_F(DeviceSheets, TheVersionSheetListsTheVersionsFromTheModelsTexts) {
  Open(kVersionTemplate, VersionSheetProc);
  char16_t data[64] = {};
  GetDataVersion(data, 64);
  const std::wstring list = Text(Page(), 2227);
  EXPECT_EQ(list, L"Core\t: 2.03.29-0.01\r\nSub\t: 1.0.0\r\nData\t: " +
                      std::wstring(reinterpret_cast<const wchar_t*>(data)));
  EXPECT_EQ(Text(Page(), 1170).rfind(L"Version ", 0), 0u);
  EXPECT_EQ(Text(Page(), 1171), L"Fax driver for the sample multifunction printer");
  EXPECT_EQ(Text(Page(), 1174), L"Sends faxes from any program that prints");
  UpdateWindow(Page());
  RedrawWindow(Page(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  RECT client = {}, edit = {};
  GetClientRect(Page(), &client);
  GetWindowRect(kit_.Control(2227), &edit);
  MapWindowPoints(nullptr, Page(), reinterpret_cast<POINT*>(&edit), 2);
  EXPECT_LE(std::abs((edit.left - client.left) - (client.right - edit.right)), 1) << "centred";
  EXPECT_FALSE(IsWindowVisible(kit_.Control(1224)));
}

}  // namespace
