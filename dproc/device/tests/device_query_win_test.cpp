// Where the Configure sheet asks the device: the nine statuses of the
// address query on a printer of the test prefix, with the device library of
// the build tree, the USB port test and the spooler's queue state scripted.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "dproc/device/device_query_win.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_printer_win.h"

namespace {

bool g_usbPort = false;
bool g_stateRead = true;
DWORD g_status = 0, g_attributes = 0;
bool g_jobs = false;
bool UsbPort(HANDLE) { return g_usbPort; }
bool QueueState(HANDLE, DWORD* status, DWORD* attributes, bool* jobs) {
  *status = g_status;
  *attributes = g_attributes;
  *jobs = g_jobs;
  return g_stateRead;
}

class DeviceQuery : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    ddproc_ = LoadLibraryW((testsupport::ProgramFolder() + L"VELDRANH.DLL").c_str());
    ASSERT_NE(ddproc_, nullptr);
    option_ = std::make_unique<DevOption>();
    std::memset(option_.get(), 0, sizeof(DevOption));
    g_usbPort = true;
    g_stateRead = true;
    g_status = 0;
    g_attributes = kQueueAttributeBidi;
    g_jobs = false;
    SetDeviceQuerySeams(&seams_);
  }
  void TearDown() override {
    SetDeviceQuerySeams(nullptr);
    if (ddproc_ != nullptr) FreeLibrary(ddproc_);
  }
  int Ask(HMODULE module, const wchar_t* name) {
    usb_ = 7;
    std::memset(address_, 'x', sizeof address_);
    return GetDeviceQueryAddress(module, name, option_.get(), &usb_, address_);
  }
  int Ask() { return Ask(ddproc_, printer_.name().c_str()); }

  testsupport::TestPrinter printer_;
  HMODULE ddproc_ = nullptr;
  std::unique_ptr<DevOption> option_;
  DeviceAddressSeams seams_ = {true, UsbPort, QueueState};
  BOOL usb_ = 0;
  char address_[kDeviceQueryAddressBytes + 8] = {};
};

TEST_F(DeviceQuery, AStoredAddressIsTheDevicesAddress) {
  option_->destCustomize = 2;
  const char16_t typed[] = u"192.0.2.44";
  std::memcpy(option_->deviceAddress, typed, sizeof typed);
  EXPECT_EQ(Ask(), kDeviceAddressReady);
  EXPECT_EQ(usb_, FALSE);
  EXPECT_STREQ(address_, "192.0.2.44");
}

TEST_F(DeviceQuery, WithoutAnAddressTheUsbQueueDecides) {
  // The printer sits on FILE:, for which the device library knows no address.
  struct Case {
    bool usbQueries, usbPort, stateRead;
    DWORD status, attributes;
    bool jobs;
    int expected;
    BOOL usb;
  };
  const Case cases[] = {
      {true, true, true, 0, kQueueAttributeBidi, false, kDeviceAddressReady, TRUE},
      {true, true, false, 0, 0, false, kDeviceAddressReady, TRUE},  // a state that cannot be read
      {false, true, true, 0, kQueueAttributeBidi, false, kDeviceAddressNoConnection, FALSE},
      {true, false, true, 0, kQueueAttributeBidi, false, kDeviceAddressNoConnection, FALSE},
      {true, true, true, 0, 0, false, kDeviceAddressNoBidi, FALSE},
      {true, true, true, 0, kQueueAttributeBidi | kQueueAttributeOffline, false, kDeviceAddressOffline, FALSE},
      {true, true, true, kQueueStatusOffline, kQueueAttributeBidi, false, kDeviceAddressOffline, FALSE},
      {true, true, true, kQueueStatusPaused, kQueueAttributeBidi, false, kDeviceAddressPaused, FALSE},
      {true, true, true, 0, kQueueAttributeBidi, true, kDeviceAddressJobsQueued, FALSE},
  };
  for (const Case& c : cases) {
    seams_.usbQueries = c.usbQueries;
    g_usbPort = c.usbPort;
    g_stateRead = c.stateRead;
    g_status = c.status;
    g_attributes = c.attributes;
    g_jobs = c.jobs;
    EXPECT_EQ(Ask(), c.expected) << c.expected;
    EXPECT_EQ(usb_, c.usb) << c.expected;
    EXPECT_STREQ(address_, "") << c.expected;
  }
}

TEST_F(DeviceQuery, MissingPartsAndAnUnknownPrinter) {
  EXPECT_EQ(Ask(nullptr, printer_.name().c_str()), kDeviceAddressMissingArgument);
  EXPECT_EQ(Ask(ddproc_, nullptr), kDeviceAddressMissingArgument);
  EXPECT_EQ(GetDeviceQueryAddress(ddproc_, printer_.name().c_str(), nullptr, &usb_, address_),
            kDeviceAddressMissingArgument);
  EXPECT_EQ(Ask(GetModuleHandleW(L"kernel32.dll"), printer_.name().c_str()), kDeviceAddressMissingFunction);
  EXPECT_EQ(Ask(ddproc_, L"No Such Printer 48"), kDeviceAddressNoPrinter);
}

TEST_F(DeviceQuery, TheSystemsUsbPortTestKnowsNoUsbPrinterHere) {
  // Wine's device tree holds no USB printer.
  EXPECT_FALSE(IsUsbPrintPort(L"USB001"));
  EXPECT_FALSE(IsUsbPrintPort(L"FILE:"));
  EXPECT_FALSE(IsUsbPrintPort(nullptr));
  EXPECT_FALSE(IsPrinterOnUsbPrintPort(printer_.handle()));
}

}  // namespace
