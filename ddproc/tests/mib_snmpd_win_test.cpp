// The MIB_ exports of VELDRANH against real SNMP agents: the harness starts
// one agent per file of snmp_agents/ and names its address in
// SNMP_AGENT_<NAME>; SNMP_NO_AGENT is an address where nothing answers.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "common/contracts/ddproc_functions.h"
#include "common/win/bind_export.h"
#include "ddproc/tests/library_dir_win.h"

namespace {

std::string Agent(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

class MibExports : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { module_ = LoadLibraryW(L"VELDRANH.DLL"); }
  static void TearDownTestSuite() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  void SetUp() override {
    ASSERT_NE(module_, nullptr);
    device_ = Agent("SNMP_AGENT_DEVICE");
    bare_ = Agent("SNMP_AGENT_BARE");
    nobody_ = Agent("SNMP_NO_AGENT");
    ASSERT_FALSE(device_.empty()) << "run through tests/harness/with-snmpd.sh";
  }
  template <typename Proc>
  Proc Bind(const char* name) {
    auto proc = BindExport<Proc>(module_, name);
    EXPECT_NE(proc, nullptr) << name;
    return proc;
  }
  std::map<std::string, std::string> Options(const std::string& address, BOOL* result) {
    const char* keys[] = {"OpMachine", "OpMemory",   "OpMemoryCard1", "OpHDD",      "OpInTray2",
                          "OpInTray3", "OpInTray4",  "OpInTray5",     "OpDuplex",   "OpOutTray1",
                          "OpOutTray2", "OpUnknown"};
    DevOptionEntry entries[12] = {};
    for (int i = 0; i < 12; ++i) {
      std::strcpy(entries[i].keyword, keys[i]);
      std::strcpy(entries[i].value, "stale");
    }
    *result = Bind<MibOptionRequestProc>(kMibOptionRequestName)(address.c_str(), 12, entries);
    std::map<std::string, std::string> values;
    for (const auto& e : entries) values[e.keyword] = std::string(e.value, strnlen(e.value, sizeof(e.value)));
    return values;
  }

  static HMODULE module_;
  std::string device_, bare_, nobody_;
};
HMODULE MibExports::module_ = nullptr;

TEST_F(MibExports, AccessTestAnswersForALiveAgentOnly) {
  auto is_access_ok = Bind<MibIsAccessOKProc>(kMibIsAccessOKName);
  auto is_model_ok = Bind<MibIsModelOKProc>(kMibIsModelOKName);
  LARGE_INTEGER frequency, t0, t1, t2;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&t0);
  EXPECT_TRUE(is_access_ok(device_.c_str()));
  QueryPerformanceCounter(&t1);
  EXPECT_FALSE(is_access_ok(nobody_.c_str()));
  QueryPerformanceCounter(&t2);
  std::printf("MIB_IsAccessOK: live agent %.1f ms, address without agent %.1f ms (last error %ld)\n",
              1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(frequency.QuadPart),
              1000.0 * static_cast<double>(t2.QuadPart - t1.QuadPart) / static_cast<double>(frequency.QuadPart),
              static_cast<long>(GetLastError()));
  // An agent that answers sysObjectID with an error status is reached too.
  EXPECT_TRUE(is_access_ok(bare_.c_str()));

  SetLastError(0);
  EXPECT_FALSE(is_access_ok(nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  SetLastError(0);
  EXPECT_FALSE(is_access_ok(""));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(is_model_ok(nobody_.c_str()));
  EXPECT_FALSE(is_model_ok(nullptr));
}

TEST_F(MibExports, OptionsOfAFittedDevice) {
  BOOL result = FALSE;
  auto values = Options(device_, &result);
  EXPECT_TRUE(result);
  std::map<std::string, std::string> expected = {
      {"OpMachine", "OpMachine3"},    {"OpMemory", "512MB"},          {"OpMemoryCard1", "EnaOpMemoryCard1COK"},
      {"OpHDD", "EnaOpHDD"},          {"OpInTray2", "EnaOpInTray2"},  {"OpInTray3", "EnaOpInTray3"},
      {"OpInTray4", "DisOpInTray4"},  {"OpInTray5", "DisOpInTray5"},  {"OpDuplex", "EnaOpDuplex"},
      {"OpOutTray1", "EnaOpOutTray1"}, {"OpOutTray2", "DisOpOutTray2"}, {"OpUnknown", ""},
  };
  EXPECT_EQ(values, expected);
}

TEST_F(MibExports, OptionsOfABareDeviceTakeTheirFallbacks) {
  BOOL result = FALSE;
  auto values = Options(bare_, &result);
  EXPECT_TRUE(result);
  std::map<std::string, std::string> expected = {
      {"OpMachine", ""},              {"OpMemory", ""},               {"OpMemoryCard1", "DisOpMemoryCard1"},
      {"OpHDD", "DisOpHDD"},          {"OpInTray2", "DisOpInTray2"},  {"OpInTray3", "DisOpInTray3"},
      {"OpInTray4", "DisOpInTray4"},  {"OpInTray5", "DisOpInTray5"},  {"OpDuplex", "DisOpDuplex"},
      {"OpOutTray1", "DisOpOutTray1"}, {"OpOutTray2", "DisOpOutTray2"}, {"OpUnknown", ""},
  };
  EXPECT_EQ(values, expected);
}

// Where nothing answers, the access check waits its time-out of 1000 ms
// twice (one retry), and a full option request ends at its first GET, which
// waits 2000 ms four times (three retries); every value stays empty, the
// fallbacks too.  The bounds leave room for a loaded machine.
TEST_F(MibExports, ADeviceThatDoesNotAnswerCostsOneGet) {
  auto is_access_ok = Bind<MibIsAccessOKProc>(kMibIsAccessOKName);
  DWORD start = GetTickCount();
  EXPECT_FALSE(is_access_ok(nobody_.c_str()));
  const DWORD access_ms = GetTickCount() - start;
  EXPECT_GE(access_ms, 2 * 1000u - 100u);
  EXPECT_LT(access_ms, 4000u);

  BOOL result = FALSE;
  SetLastError(0);
  start = GetTickCount();
  auto values = Options(nobody_, &result);
  const DWORD options_ms = GetTickCount() - start;
  EXPECT_EQ(GetLastError(), 4102u);
  EXPECT_TRUE(result);
  for (const auto& [key, value] : values) EXPECT_EQ(value, "") << key;
  EXPECT_GE(options_ms, 4 * 2000u - 100u);
  EXPECT_LT(options_ms, 14000u);
  std::printf("no agent: access check %lu ms, option request of %zu keys %lu ms\n",
              static_cast<unsigned long>(access_ms), values.size(), static_cast<unsigned long>(options_ms));
}

TEST_F(MibExports, SupplyLevelsInPercentAndStates) {
  auto request = Bind<MibMrkSupRequestProc>(kMibMrkSupRequestName);
  const char* keys[] = {"Consumable1", "Consumable2", "Consumable3", "Consumable4",
                        "Consumable5", "Consumable6", "Consumable11"};
  SupplyLevelEntry entries[7] = {};
  for (int i = 0; i < 7; ++i) {
    std::strcpy(entries[i].keyword, keys[i]);
    entries[i].kind = 99;
  }
  ASSERT_TRUE(request(device_.c_str(), 7, entries));
  struct Want {
    uint32_t kind;
    int32_t level;
    uint32_t colour;
  } want[] = {{0, 0, 0},       {1, 33, 0xFFFF00}, {1, 100, 0xFF00FF}, {1, 100, 0x00FFFF},
              {0, 0, 0},       {3, 0, 0},         {2, 5, 0}};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(entries[i].kind, want[i].kind) << keys[i];
    EXPECT_EQ(entries[i].level, want[i].level) << keys[i];
    EXPECT_EQ(entries[i].colour, want[i].colour) << keys[i];
  }
  std::strcpy(entries[1].keyword, "Toner");
  EXPECT_FALSE(request(device_.c_str(), 3, entries));
  SetLastError(0);
  EXPECT_FALSE(request(device_.c_str(), 1, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(MibExports, FormWalkEndsAtTheFirstMissingRow) {
  auto request = Bind<MibOverlayRequestProc>(kMibOverlayRequestName);
  auto release = Bind<MibFreeListProc>(kMibFreeOverlayInfoName);
  DeviceFormList* list = request(device_.c_str(), 0);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count, 2u);
  EXPECT_STREQ(list->items[0].name, "Letterhead");
  EXPECT_STREQ(list->items[0].file, "letter.ovl");
  EXPECT_STREQ(list->items[0].storage, "OvlForm_HDD");
  EXPECT_STREQ(list->items[1].name, "Fax cover");
  release(list);
  list = request(device_.c_str(), 1);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count, 1u);
  EXPECT_STREQ(list->items[0].name, "Invoice");
  release(list);
  list = request(bare_.c_str(), 0);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->count, 0u);
  release(list);
  release(nullptr);
  SetLastError(0);
  EXPECT_EQ(request(device_.c_str(), 2), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(MibExports, ProfileWalkEndsAtTheFirstMissingRow) {
  auto request = Bind<MibProfileRequestProc>(kMibProfileRequestName);
  auto release = Bind<MibFreeListProc>(kMibFreeProfileInfoName);
  DeviceProfileList* list = request(device_.c_str());
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->category[0].count, 1u);
  EXPECT_STREQ(list->category[0].items[0].name, "Office RGB");
  EXPECT_STREQ(list->category[0].items[0].file, "office.icc");
  EXPECT_STREQ(list->category[0].items[0].location, "Prof_HDD");
  EXPECT_EQ(list->category[0].items[0].colour_space, 6);
  ASSERT_EQ(list->category[1].count, 1u);
  EXPECT_STREQ(list->category[1].items[0].name, "Press CMYK");
  ASSERT_EQ(list->category[2].count, 1u);
  EXPECT_STREQ(list->category[2].items[0].location, "Prof_Memory");
  EXPECT_EQ(list->category[2].items[0].colour_space, 10);
  release(list);
  list = request(bare_.c_str());
  ASSERT_NE(list, nullptr);
  for (const auto& c : list->category) EXPECT_EQ(c.count, 0u);
  release(list);
}

// A model that uses device-link profiles lists them too: the library reads
// the switch from the description file beside it.
TEST_F(MibExports, DeviceLinkProfilesFollowTheModelsSwitch) {
  const auto names = [](DeviceProfileList* list) {
    std::string all;
    for (const auto& c : list->category) {
      for (uint32_t i = 0; i < c.count; ++i) all += std::string(c.items[i].name) + ";";
    }
    return all;
  };
  auto request = Bind<MibProfileRequestProc>(kMibProfileRequestName);
  auto release = Bind<MibFreeListProc>(kMibFreeProfileInfoName);
  DeviceProfileList* list = request(device_.c_str());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(names(list).find("Proof link"), std::string::npos) << "the sample model leaves device links out";
  release(list);

  ddtest::LibraryDir linked(testsupport::BinaryPath("bin/link_profile_model/VELDRANH.QXD"));
  ASSERT_NE(linked.module(), nullptr);
  auto linkedRequest = linked.Bind<MibProfileRequestProc>(kMibProfileRequestName);
  auto linkedRelease = linked.Bind<MibFreeListProc>(kMibFreeProfileInfoName);
  ASSERT_NE(linkedRequest, nullptr);
  list = linkedRequest(device_.c_str());
  ASSERT_NE(list, nullptr);
  EXPECT_NE(names(list).find("Proof link"), std::string::npos) << names(list);
  linkedRelease(list);
}

TEST_F(MibExports, StaticTables) {
  auto options = Bind<MibOptionReqInfoProc>(kMibOptionReqInfoName)();
  ASSERT_NE(options, nullptr);
  EXPECT_EQ(options->count, 13);
  EXPECT_STREQ(options->keys[3].keyword, "OpHDD");
  EXPECT_EQ(Bind<MibOptionReqInfoProc>(kMibModelCheckInfoName)()->count, 0);
  EXPECT_STREQ(Bind<MibMrkSupReqInfoProc>(kMibMrkSupReqInfoName)()[0], ".1.3.6.1.2.1.43.11.1.1.8");
  EXPECT_STREQ(Bind<MibOvlReqInfoProc>(kMibOvlReqInfoName)()->storage_keyword, "OvlForm_HDD");
  EXPECT_EQ(Bind<MibCMProfReqInfoProc>(kMibCMProfReqInfoName)()->colour_spaces[1].code, 10);
  const MibSupplyRow* rows = Bind<GetMrkSupItemListProc>(kGetMrkSupItemListName)();
  EXPECT_STREQ(rows[10].keyword, "Consumable11");
  EXPECT_EQ(rows[12].kind, kSupplyTableEnd);
}

}  // namespace
