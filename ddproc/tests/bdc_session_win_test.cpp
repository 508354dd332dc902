// The device queries through a scripted stand-in of the device-communication
// library, placed beside the device library.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/contracts/ddproc_device_queries_win.h"
#include "ddproc/tests/library_dir_win.h"

namespace {

using ddtest::Library;

constexpr char kT610[] = "name HALDOVAR serivo T610\nproduct HALDOVAR serivo T610P\n";

class BdcSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(Library().module(), nullptr);
    Library().UseBdc("complete");
    enable_ = Library().Bind<DDProcIsEnableBdcLibFn>("DDProc_IsEnableBdcLib");
    reach_ = Library().Bind<DDProcIsCommunicateDeviceFn>("DDProc_IsCommunicateDevice");
    options_ = Library().Bind<DDProcOptionRequestFn>("DDProc_OptionRequest");
    trays_ = Library().Bind<DDProcInputTrayStatusFn>("DDProc_InputTrayStatus");
    ASSERT_TRUE(enable_ && reach_ && options_ && trays_);
  }
  void TearDown() override { Library().UseBdc(""); }

  // Asks for the given option keywords; "?" marks an entry left untouched.
  std::vector<std::string> Ask(std::vector<const char*> keywords, BOOL* result) {
    std::vector<DevOptionEntry> entries(keywords.size());
    for (size_t i = 0; i < keywords.size(); ++i) {
      entries[i] = DevOptionEntry{};
      std::strncpy(entries[i].keyword, keywords[i], 31);
      std::strcpy(entries[i].value, "?");
    }
    *result = options_("fax.example", static_cast<uint32_t>(entries.size()), entries.data());
    std::vector<std::string> values;
    for (const DevOptionEntry& e : entries) values.push_back(std::string(e.value, strnlen(e.value, 32)));
    return values;
  }

  DDProcIsEnableBdcLibFn enable_;
  DDProcIsCommunicateDeviceFn reach_;
  DDProcOptionRequestFn options_;
  DDProcInputTrayStatusFn trays_;
};

TEST_F(BdcSessionTest, TheLibraryIsFoundBesideTheDeviceLibrary) {
  Library().Script(kT610);
  EXPECT_TRUE(enable_());
  uint32_t supported = 7;
  EXPECT_TRUE(reach_("fax.example", &supported));
  EXPECT_EQ(supported, 1u);
  // Only the first three steps ran, with the status parameter 1 and the
  // communication block filled from the communication-info answer.
  const std::string log = Library().CallLog();
  EXPECT_NE(log.find("BdcGetLibVersion status=1"), std::string::npos) << log;
  EXPECT_NE(log.find("BdcGetDevName status=1 channel=7 community=tamrik"), std::string::npos) << log;
  EXPECT_EQ(log.find("BdcGetDevOptionInfo"), std::string::npos) << log;
}

TEST_F(BdcSessionTest, WithoutTheLibraryOrWithANameMissing) {
  Library().Script(kT610);
  for (const char* kind : {"", "partial"}) {
    Library().UseBdc(kind);
    EXPECT_FALSE(enable_()) << kind;
    uint32_t supported = 7;
    EXPECT_FALSE(reach_("fax.example", &supported)) << kind;
    EXPECT_EQ(supported, 0u);
    BOOL result = TRUE;
    EXPECT_EQ(Ask({"OpHDD"}, &result)[0], "?");
    EXPECT_FALSE(result);
  }
  EXPECT_TRUE(Library().CallLog().empty());
}

TEST_F(BdcSessionTest, OtherModelsAndSilentDevices) {
  // The product name matches no supported model: reachable, not supported.
  Library().Script("name HALDOVAR serivo T610\nproduct Another product\n");
  uint32_t supported = 7;
  EXPECT_TRUE(reach_("fax.example", &supported));
  EXPECT_EQ(supported, 0u);
  BOOL result = TRUE;
  EXPECT_EQ(Ask({"OpHDD"}, &result)[0], "?");
  EXPECT_FALSE(result);
  // A device that does not answer the name query.
  Library().Script(std::string(kT610) + "fail BdcGetDevName\n");
  EXPECT_FALSE(reach_("fax.example", &supported));
  EXPECT_EQ(Ask({"OpHDD"}, &result)[0], "?");
  EXPECT_FALSE(result);
}

TEST_F(BdcSessionTest, MissingArguments) {
  Library().Script(kT610);
  SetLastError(0);
  DevOptionEntry entry{};
  EXPECT_FALSE(options_(nullptr, 1, &entry));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  SetLastError(0);
  EXPECT_FALSE(trays_("fax.example", 1, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  SetLastError(0);
  uint32_t supported = 7;
  EXPECT_FALSE(reach_(nullptr, &supported));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(supported, 0u);
  EXPECT_EQ(Library().CallLog().find("BdcGetLibVersion"), std::string::npos) << "no session is opened";
}

TEST_F(BdcSessionTest, InstalledOptions) {
  Library().Script(std::string(kT610) +
                   "option 6 GW-455\noption 5 QN-362\nfinisher 0x70\nmemory 1\nmemory 3\nmediapath 1\n");
  BOOL result = FALSE;
  const auto values = Ask({"OpPunchKit", "OpOutTrayUnit", "OpHDD", "OpDuplex", "OpMachine", "OpInTray2"}, &result);
  EXPECT_TRUE(result);
  EXPECT_EQ(values, (std::vector<std::string>{"OpPunchKit6", "OpOutTrayUnit3", "EnaOpHDD", "EnaOpDuplex",
                                              "OpMachine1", ""}));
  Library().Script(std::string(kT610) + "option 6 GW-450\nfinisher 0x10\nmemory 3\nmemory 3\n");
  EXPECT_EQ(Ask({"OpPunchKit", "OpHDD", "OpDuplex"}, &result),
            (std::vector<std::string>{"OpPunchKit1", "DisOpHDD", "DisOpDuplex"}));
  // A failing list step leaves its part empty and the next steps run.
  Library().Script(std::string(kT610) + "option 6 GW-450\nfinisher 0x10\nfail BdcGetDevOptionInfo\n");
  EXPECT_EQ(Ask({"OpPunchKit"}, &result)[0], "DisOpPunchKit");
  EXPECT_TRUE(result);
}

TEST_F(BdcSessionTest, AHugeCountIsCappedBeforeTheBufferIsSized) {
  Library().Script(std::string(kT610) + "option 5 QN-350\nclaim BdcGetDevOptionInfo 4294967295\n");
  BOOL result = FALSE;
  EXPECT_EQ(Ask({"OpOutTrayUnit"}, &result)[0], "OpOutTrayUnit1");
  EXPECT_TRUE(result);
}

TEST_F(BdcSessionTest, InputTrays) {
  Library().Script(std::string(kT610) + "tray 2 260 3 1 0 0 5\ntray 6 1551 2 40 0 0 1\n");
  TrayStatusEntry entries[3] = {};
  std::strcpy(entries[0].keyword, "InTray2");
  std::strcpy(entries[1].keyword, "InTray5");
  std::strcpy(entries[2].keyword, "InTrayManual");
  ASSERT_TRUE(trays_("fax.example", 3, entries));
  EXPECT_STREQ(entries[0].answers[0], "A4");
  EXPECT_STREQ(entries[0].answers[1], "MediaTypeList_Landscape");
  EXPECT_STREQ(entries[0].answers[2], "Plain");
  EXPECT_STREQ(entries[0].answers[3], "");
  EXPECT_EQ(entries[0].status, 5u);
  EXPECT_STREQ(entries[1].answers[0], "MediaTypeList_Size_Unknown");
  EXPECT_STREQ(entries[1].answers[4], "MediaTypeList_Color_Unknown");
  EXPECT_EQ(entries[1].status, 0u);
  EXPECT_STREQ(entries[2].answers[0], "8half11");
  EXPECT_STREQ(entries[2].answers[2], "Envelope");
}

}  // namespace
