// Printer initialisation run in the test program, with the core's siblings
// taken from its staging folder (the stand-in procedure library) and the
// loads of the libraries beside it recorded.
#include <windows.h>

#include <winddiui.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "common/records/settings_records.h"
#include "duicore/module/core_module_win.h"
#include "duicore/module/device_description_win.h"
#include "duicore/printer/printer_access_win.h"
#include "duicore/printer/printer_events_win.h"
#include "duicore/tests/core_library_win.h"
#include "duicore/tests/event_harness_win.h"
#include "duicore/tests/scripted_ddproc/scripted_ddproc.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_printer_win.h"

namespace {

using eventtest::EventHarness;

class PrinterInit : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    ASSERT_NE(coretest::Core().module, nullptr);
    // The core's code in this program finds its siblings where the staged
    // core lies.
    SetCoreModule(coretest::Core().module);
    h_.libraries[L"VELDRANA.DLL"] = coretest::StagePath(L"VELDRANA.DLL");
  }
  void TearDown() override { SetCoreModule(nullptr); }
  DWORD Data(const wchar_t* name, DWORD* value) {
    DWORD type = 0, read = 0;
    return GetPrinterDataW(printer_.handle(), const_cast<wchar_t*>(name), &type, reinterpret_cast<BYTE*>(value),
                           sizeof *value, &read);
  }
  bool Loaded(const wchar_t* name) const {
    return std::find(h_.loads.begin(), h_.loads.end(), name) != h_.loads.end();
  }
  testsupport::TestPrinter printer_;
  EventHarness h_;
};

TEST_F(PrinterInit, InitializeEventSetsThePrinterUp) {
  DWORD value = 99;
  EXPECT_EQ(Data(L"InitializeData", &value), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(IsPrinterInitialized(printer_.name().c_str()));
  ASSERT_EQ(Data(L"InitializeData", &value), 0u) << "written as 0 when missing";
  EXPECT_EQ(value, 0u);
  EXPECT_FALSE(IsPrinterInitialized(printer_.name().c_str())) << "0 still means not initialised";

  StandInCallLog& log = coretest::Core().Log();
  const StandInCallLog before = log;
  std::wstring name = printer_.name();
  EXPECT_TRUE(DrvPrinterEvent(name.data(), PRINTER_EVENT_INITIALIZE, 0, 0));
  ASSERT_EQ(Data(L"InitializeData", &value), 0u);
  EXPECT_EQ(value, 1u);
  EXPECT_TRUE(IsPrinterInitialized(printer_.name().c_str()));
  // The procedure library's three set-up steps, for this printer.
  EXPECT_EQ(log.defaultWatermarks - before.defaultWatermarks, 1);
  EXPECT_EQ(std::wstring(log.lastWatermarkPrinter), printer_.name().substr(0, 63));
  EXPECT_EQ(log.easySetPreset - before.easySetPreset, 1);
  EXPECT_EQ(log.aesKeyInfo - before.aesKeyInfo, 1);
  // The default settings, in their two pieces.
  for (const wchar_t* piece : {L"Private DevMode01", L"Private DevMode02"}) {
    DWORD type = 0, needed = 0;
    EXPECT_EQ(GetPrinterDataW(printer_.handle(), const_cast<wchar_t*>(piece), &type, nullptr, 0, &needed),
              static_cast<DWORD>(ERROR_MORE_DATA))
        << piece;
    EXPECT_GT(needed, 0u) << piece;
  }
  // Automatic acquisition is off in the defaults: no device library.
  EXPECT_FALSE(Loaded(L"VELDRANH.DLL"));
  // No user-mode driver value after Windows NT 4.0.
  EXPECT_EQ(Data(L"SPLUserModePrinterDriver", &value), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(PrinterInit, DeviceSheetsInitialiseOnlyOnce) {
  StandInCallLog& log = coretest::Core().Log();
  const LONG first = log.defaultWatermarks;
  EXPECT_TRUE(EnsurePrinterInitialized(printer_.handle()));
  EXPECT_TRUE(EnsurePrinterInitialized(printer_.handle()));
  EXPECT_EQ(log.defaultWatermarks - first, 1);
  DWORD value = 0;
  ASSERT_EQ(Data(L"InitializeData", &value), 0u);
  EXPECT_EQ(value, 1u);
}

TEST_F(PrinterInit, AutomaticAcquisitionAsksTheDeviceLibrary) {
  std::unique_ptr<WorkDevMode> work(new WorkDevMode());
  QueryDeviceOptionsAtInstall(printer_.name().c_str(), work.get(), true);
  EXPECT_FALSE(Loaded(L"VELDRANH.DLL"));
  work->device.option.autoAcquisition = 1;
  QueryDeviceOptionsAtInstall(printer_.name().c_str(), work.get(), true);
  EXPECT_TRUE(Loaded(L"VELDRANH.DLL"));
  // Without the library nothing was saved.
  DWORD type = 0, needed = 0;
  EXPECT_EQ(GetPrinterDataW(printer_.handle(), const_cast<wchar_t*>(L"Private DevMode01"), &type, nullptr, 0, &needed),
            static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

// A device that answers: its options come into the record in place and the
// record is stored as the printer's default settings.
TEST_F(PrinterInit, AutomaticAcquisitionStoresTheDevicesAnswer) {
  const std::string path = testsupport::BinaryPath("bin/SCRIPTDD.DLL");
  HMODULE scripted = LoadLibraryA(path.c_str());
  ASSERT_NE(scripted, nullptr);
  auto script = reinterpret_cast<ScriptDeviceFn>(reinterpret_cast<void*>(GetProcAddress(scripted, "ScriptDevice")));
  ASSERT_NE(script, nullptr);
  DeviceScript device = ReachableDeviceScript();
  std::strcpy(device.optionAnswers[0], "DevUserAuthentic_Engin");
  std::strcpy(device.optionAnswers[2], "FaxUnit30");
  script(&device);
  h_.libraries[L"VELDRANH.DLL"] = std::wstring(path.begin(), path.end());
  // The core's description of the model, beside the staged core.
  ASSERT_TRUE(LoadDeviceDescription());

  std::unique_ptr<WorkDevMode> work(new WorkDevMode());
  work->device.option.autoAcquisition = 1;
  QueryDeviceOptionsAtInstall(printer_.name().c_str(), work.get(), false);
  EXPECT_EQ(work->device.option.optionValues[0], 2u) << "DevUserAuthentic_Engin";
  EXPECT_EQ(work->device.option.optionValues[2], 1u) << "FaxUnit30";
  DWORD type = 0, needed = 0;
  EXPECT_EQ(GetPrinterDataW(printer_.handle(), const_cast<wchar_t*>(L"Private DevMode01"), &type, nullptr, 0, &needed),
            static_cast<DWORD>(ERROR_FILE_NOT_FOUND))
      << "nothing is stored without the save flag";
  QueryDeviceOptionsAtInstall(printer_.name().c_str(), work.get(), true);
  for (const wchar_t* piece : {L"Private DevMode01", L"Private DevMode02"}) {
    EXPECT_EQ(GetPrinterDataW(printer_.handle(), const_cast<wchar_t*>(piece), &type, nullptr, 0, &needed),
              static_cast<DWORD>(ERROR_MORE_DATA))
        << piece;
  }
  FreeDeviceDescription();
  FreeLibrary(scripted);
}

// Printer initialisation asks a device on the network for the state of its
// input trays as well as for its installed options, with the procedure
// library at hand for the authentication options.
TEST_F(PrinterInit, AutomaticAcquisitionAsksTheOptionsAndTheTrays) {
  ScriptedDevice device;
  ASSERT_TRUE(device.ok());
  h_.libraries[L"VELDRANH.DLL"] = device.WidePath();
  ASSERT_TRUE(LoadDeviceDescription());
  std::unique_ptr<WorkDevMode> work(new WorkDevMode());
  work->device.option.autoAcquisition = 1;
  QueryDeviceOptionsAtInstall(printer_.name().c_str(), work.get(), false);
  EXPECT_EQ(device.log()->optionRequests, 1);
  EXPECT_EQ(device.log()->trayRequests, 1);
  EXPECT_STREQ(device.log()->firstTrayAsked, "InTray1") << "the automatic tray is not asked";
  EXPECT_TRUE(Loaded(L"VELDRANA.DLL")) << "the procedure library adds the authentication options";
  FreeDeviceDescription();
}

TEST_F(PrinterInit, AnUnknownPrinterStillSucceeds) {
  std::wstring name = L"No such printer";
  EXPECT_TRUE(InitializePrinter(name.c_str()));
  EXPECT_TRUE(IsPrinterInitialized(name.c_str())) << "a printer that cannot be opened counts as initialised";
  EXPECT_FALSE(SetPrinterInitialized(name.c_str(), TRUE));
}

}  // namespace
