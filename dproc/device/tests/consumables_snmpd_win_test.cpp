// The Consumables dialog against real SNMP agents (net-snmp's snmpd run by
// tests/harness/with-snmpd.sh with the device library's agent files): the
// levels and states the device reports, the rows the model does not
// measure, and a device of another maker.  The device library of the build
// tree answers through its own SNMP client.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "common/qxd/qxd_file.h"
#include "dproc/device/consumables_dialog_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings.h"
#include "dproc/model/message_text.h"
#include "dproc/sheets/device_address_win.h"
#include "dproc/startup/ddproc_binding_win.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/test_paths.h"

namespace {

std::string Agent(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}
std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }
std::wstring Text(HWND window, int id) {
  wchar_t text[256] = {};
  GetDlgItemTextW(window, id, text, 256);
  return text;
}
bool Shown(HWND window, int id) { return IsWindowVisible(GetDlgItem(window, id)) != FALSE; }

class Consumables : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    QxdContext* file = QxdOpen(Widen(testsupport::BinaryPath("model/VELDRANH.QXD")).c_str(), 1);
    ASSERT_NE(file, nullptr);
    ModelBuildEnv env = {};
    model_ = BuildModelInfo(file, env);
    LoadDialogTextSections(file, model_);
    QxdClose(file);
    library_ = LoadLibraryW((testsupport::ProgramFolder() + L"VELDRANH.DLL").c_str());
  }
  void SetUp() override {
    ASSERT_NE(library_, nullptr);
    device_ = Agent("SNMP_AGENT_DEVICE");
    ASSERT_FALSE(device_.empty()) << "run through tests/harness/with-snmpd.sh";
    g_ddproc = DDProcBinding{};
    g_ddproc.module = library_;
    for (size_t i = 0; i < kDDProcEntryCount; ++i) g_ddproc.entry[i] = GetProcAddress(library_, kDDProcEntryNames[i]);
    DialogFrameworkModules().templates = kit_.Templates();
  }
  void TearDown() override {
    kit_.Close();
    g_ddproc = DDProcBinding{};
  }
  HWND Open(const std::string& address) {
    std::strncpy(UiDeviceAddress(&kit_.UiState()), address.c_str(), kUiDeviceAddressBytes - 1);
    return kit_.OpenDialog(kit_.Templates(), kConsumablesTemplate, ConsumablesDlgProc);
  }

  static ModelInfo* model_;
  static HMODULE library_;
  std::string device_;
  testsupport::DialogKit kit_;
};
ModelInfo* Consumables::model_ = nullptr;
HMODULE Consumables::library_ = nullptr;

TEST_F(Consumables, ShowsTheLevelsAndStatesTheDeviceReports) {
  HWND d = Open(device_);
  ASSERT_NE(d, nullptr);
  EXPECT_TRUE(kit_.Boxes().shown().empty());
  // Toner: a group label only.
  EXPECT_TRUE(Shown(d, 1784));
  for (int id : {1785, 1786, 1787}) EXPECT_FALSE(Shown(d, id)) << id;
  // Cyan, 333 of 1000: a bar at 33 and its percentage, the label indented.
  EXPECT_EQ(Text(d, 1788), L"    Cyan");
  EXPECT_TRUE(Shown(d, 1790));
  EXPECT_EQ(SendDlgItemMessageW(d, 1790, PBM_GETPOS, 0, 0), 33);
  EXPECT_EQ(Text(d, 1791), L"33%");
  EXPECT_FALSE(Shown(d, 1789));
  // The print unit rows are not measured on this model: gone, labels too.
  for (int id : {1804, 1805, 1806, 1807, 1808, 1820}) EXPECT_FALSE(Shown(d, id)) << id;
  // The waste toner box reports some remaining room: "Ready".
  EXPECT_TRUE(Shown(d, 1825));
  EXPECT_FALSE(Shown(d, 1826));
  EXPECT_EQ(Text(d, 1825), L"Ready");
}

TEST_F(Consumables, ADeviceOfAnotherMakerReportsNoLevels) {
  HWND d = Open(Agent("SNMP_AGENT_BARE"));
  ASSERT_NE(d, nullptr);
  EXPECT_TRUE(kit_.Boxes().shown().empty());
  EXPECT_NE(Text(d, 1791), L"33%");
}

TEST_F(Consumables, WithoutTheDeviceLibraryOrAnAddressTheDeviceIsNotAsked) {
  g_ddproc = DDProcBinding{};
  HWND d = Open(device_);
  ASSERT_NE(d, nullptr);
  ASSERT_EQ(kit_.Boxes().shown().size(), 1u);
  EXPECT_EQ(kit_.Boxes().shown()[0].text, L"Printer is not support.");
  EXPECT_EQ(Text(d, 1788), L"Cyan") << "no indent without the device library's table";
  EXPECT_TRUE(Shown(d, 1786)) << "the rows keep what the template shows";
  kit_.Close();

  SetUp();
  d = Open("");
  ASSERT_NE(d, nullptr);
  kit_.Click(1782);
  EXPECT_EQ(kit_.Boxes().shown().size(), 1u) << "no further message";
  EXPECT_TRUE(Shown(d, 1786));
}

TEST_F(Consumables, RefreshShowsTheNewerValues) {
  HWND d = Open(device_);
  ASSERT_NE(d, nullptr);
  SetDlgItemTextW(d, 1791, L"stale");
  kit_.Click(1782);
  EXPECT_EQ(Text(d, 1791), L"33%");
}

}  // namespace
