// The device queries of the core against a scripted stand-in of VELDRANH:
// every status the query can end with, the answers brought into the
// device option record, and the record left alone on every failure.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "duicore/module/device_description_win.h"
#include "common/win/device_query_address_win.h"
#include "duicore/printer/device_status_win.h"
#include "duicore/tests/core_library_win.h"
#include "duicore/tests/scripted_ddproc/scripted_ddproc.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_printer_win.h"

namespace {

class DeviceStatusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    ASSERT_TRUE(LoadDeviceDescriptionFrom(coretest::StagePath(L"VELDRANH.QXD").c_str(), &description_));
    ASSERT_NE(description_.deviceOptions, nullptr);
    ASSERT_NE(description_.trayMapping, nullptr);
    const std::string path = testsupport::BinaryPath("bin/SCRIPTDD.DLL");
    scripted_ = LoadLibraryA(path.c_str());
    ASSERT_NE(scripted_, nullptr);
    script_ = reinterpret_cast<ScriptDeviceFn>(reinterpret_cast<void*>(GetProcAddress(scripted_, "ScriptDevice")));
    log_ = reinterpret_cast<DeviceLogFn>(reinterpret_cast<void*>(GetProcAddress(scripted_, "DeviceLog")));
    ASSERT_NE(script_, nullptr);
    ASSERT_NE(log_, nullptr);
  }
  void TearDown() override {
    FreeDeviceDescriptionRecords(&description_);
    if (scripted_ != nullptr) FreeLibrary(scripted_);
  }

  // A device on the network that answers everything.
  static DeviceScript Answering() {
    DeviceScript script = ReachableDeviceScript();
    std::strcpy(script.optionAnswers[0], "devuserauthentic_engin");  // case does not matter
    std::strcpy(script.optionAnswers[1], "DevAccountTrack_Dis");     // as it is
    std::strcpy(script.optionAnswers[2], "FaxUnit30");
    return script;
  }

  DeviceQuery Query() const {
    DeviceQuery query;
    query.devProc = scripted_;
    query.printerName = printer_.name().c_str();
    query.options = true;
    query.trays = true;
    query.model = description_.model;
    query.deviceOptions = description_.deviceOptions;
    query.trayMapping = description_.trayMapping;
    return query;
  }

  testsupport::TestPrinter printer_{L"Device"};
  DeviceDescription description_ = {};
  HMODULE scripted_ = nullptr;
  ScriptDeviceFn script_ = nullptr;
  DeviceLogFn log_ = nullptr;
};

TEST_F(DeviceStatusTest, StatusCodes) {
  HMODULE noQueries = LoadLibraryA(testsupport::BinaryPath("bin/VELDRANG.DLL").c_str());
  ASSERT_NE(noQueries, nullptr);
  const struct {
    const char* what;
    void (*change)(DeviceScript*, DeviceQuery*, HMODULE);
    int status;
  } cases[] = {
      {"no library", [](DeviceScript*, DeviceQuery* q, HMODULE) { q->devProc = nullptr; }, 1},
      {"no model", [](DeviceScript*, DeviceQuery* q, HMODULE) { q->model = nullptr; }, 1},
      {"options without a list", [](DeviceScript*, DeviceQuery* q, HMODULE) { q->deviceOptions = nullptr; }, 1},
      {"trays without a mapping", [](DeviceScript*, DeviceQuery* q, HMODULE) { q->trayMapping = nullptr; }, 1},
      {"no queries", [](DeviceScript*, DeviceQuery* q, HMODULE other) { q->devProc = other; }, 2},
      {"no printer", [](DeviceScript*, DeviceQuery* q, HMODULE) { q->printerName = L"No Such Printer"; }, 3},
      {"no address", [](DeviceScript* s, DeviceQuery*, HMODULE) { s->hasAddress = FALSE; }, 4},
      {"no address, not on USB", [](DeviceScript* s, DeviceQuery* q, HMODULE) {
         s->hasAddress = FALSE;
         q->usbMode = true;
       }, 4},
      {"library off", [](DeviceScript* s, DeviceQuery*, HMODULE) { s->bdcEnabled = FALSE; }, 10},
      {"cannot ask", [](DeviceScript* s, DeviceQuery*, HMODULE) { s->reachable = FALSE; }, 11},
      {"no answer", [](DeviceScript* s, DeviceQuery*, HMODULE) { s->state = 0; }, 9},
      {"options fail", [](DeviceScript* s, DeviceQuery*, HMODULE) { s->optionsAnswered = FALSE; }, 13},
      {"trays fail", [](DeviceScript* s, DeviceQuery*, HMODULE) { s->traysAnswered = FALSE; }, 14},
      {"done", [](DeviceScript*, DeviceQuery*, HMODULE) {}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    DeviceScript script = Answering();
    DeviceQuery query = Query();
    c.change(&script, &query, noQueries);
    script_(&script);
    auto option = std::make_unique<DevOption>();
    std::memset(option.get(), 0, sizeof(DevOption));
    const DevOption before = *option;
    bool optionsChanged = true, traysChanged = true;  // untouched unless the query is done
    EXPECT_EQ(QueryDeviceStatus(query, option.get(), &optionsChanged, &traysChanged), c.status);
    if (c.status != 0) {
      EXPECT_EQ(std::memcmp(option.get(), &before, sizeof before), 0);
      EXPECT_TRUE(optionsChanged);
      EXPECT_TRUE(traysChanged);
    } else {
      EXPECT_TRUE(optionsChanged);
    }
  }
  FreeLibrary(noQueries);
}

TEST_F(DeviceStatusTest, AnswersComeIntoTheDeviceOptionRecord) {
  DeviceScript script = Answering();
  // Every tray answers with the first keyword of each mapping table.
  const OptionItem* tables[6] = {description_.trayMapping->sizes,   description_.trayMapping->orientations,
                                 description_.trayMapping->types,   description_.trayMapping->weights,
                                 description_.trayMapping->colors,  description_.trayMapping->prePunched};
  for (int k = 0; k < 6; ++k) {
    if (tables[k] != nullptr) std::memcpy(script.trayAnswers[k], tables[k][0].keyword, 31);
  }
  script_(&script);
  auto option = std::make_unique<DevOption>();
  std::memset(option.get(), 0, sizeof(DevOption));
  bool optionsChanged = false, traysChanged = false;
  ASSERT_EQ(QueryDeviceStatus(Query(), option.get(), &optionsChanged, &traysChanged), 0);
  EXPECT_TRUE(optionsChanged);
  EXPECT_EQ(option->optionValues[0], 2u);  // DevUserAuthentic_Engin
  EXPECT_EQ(option->optionValues[1], 0u);  // DevAccountTrack_Dis, unchanged
  EXPECT_EQ(option->optionValues[2], 1u);  // FaxUnit30
  const DeviceScriptLog& log = *log_();
  EXPECT_EQ(log.optionRequests, 1);
  EXPECT_EQ(log.optionsAsked, 3u);
  EXPECT_STREQ(log.firstOptionAsked, "DevUserAuthentication");
  // The automatic tray is not asked.
  EXPECT_EQ(log.trayRequests, 1);
  EXPECT_STREQ(log.firstTrayAsked, "InTray1");
  if (tables[0] != nullptr && tables[0][0].keyword[0] != '\0') {
    EXPECT_TRUE(traysChanged);
    EXPECT_EQ(option->trays[0].paperId, tables[0][0].value);
    if (tables[2] != nullptr && tables[2][0].keyword[0] != '\0') {
      EXPECT_EQ(option->trays[0].mediaType, tables[2][0].value);
    }
  }
  // A device whose answers are all known values already changes nothing.
  script.optionAnswers[0][0] = '\0';
  std::strcpy(script.optionAnswers[2], "FaxUnit30");
  script_(&script);
  optionsChanged = true;
  ASSERT_EQ(QueryDeviceStatus(Query(), option.get(), &optionsChanged, &traysChanged), 0);
  EXPECT_FALSE(optionsChanged);
  EXPECT_EQ(option->optionValues[0], 2u);
}

TEST_F(DeviceStatusTest, TheAddressIsCutToTheCallersBuffer) {
  DeviceScript script = Answering();
  script_(&script);
  auto option = std::make_unique<DevOption>();
  bool usb = true;
  char address[8];
  EXPECT_EQ(GetDeviceConnection(false, scripted_, printer_.name().c_str(), option.get(), &usb, address, sizeof address),
            0);
  EXPECT_FALSE(usb);
  EXPECT_STREQ(address, "192.168");
  EXPECT_EQ(GetDeviceConnection(false, scripted_, nullptr, option.get(), &usb, address, sizeof address), 1);
  EXPECT_FALSE(IsUsbPrinter(printer_.handle()));  // a printer on FILE:
}

// A port is a USB port when a USB printer device owns it, whatever its name
// says: a queue on a port named "USB001" with no such device (none under
// this test's system) is asked as a network printer.
TEST_F(DeviceStatusTest, APortNamedLikeUsbIsNoUsbPortWithoutItsDevice) {
  DWORD needed = 0;
  GetPrinterW(printer_.handle(), 2, nullptr, 0, &needed);
  ASSERT_GE(needed, sizeof(PRINTER_INFO_2W));
  std::vector<BYTE> buffer(needed);
  ASSERT_TRUE(GetPrinterW(printer_.handle(), 2, buffer.data(), needed, &needed));
  auto* info = reinterpret_cast<PRINTER_INFO_2W*>(buffer.data());
  wchar_t port[] = L"USB001";
  info->pPortName = port;
  info->pSecurityDescriptor = nullptr;
  if (!SetPrinterW(printer_.handle(), 2, buffer.data(), 0)) GTEST_SKIP() << "the spooler keeps the port";
  ASSERT_EQ(PrinterPortName(printer_.handle()), L"USB001");
  EXPECT_FALSE(IsUsbPrinter(printer_.handle()));
}

}  // namespace
