// The rules of the device address query: which USB queue may be asked, and
// which system device makes a port a USB printer port.
#include <gtest/gtest.h>

#include "common/win/device_query_address.h"

namespace {

TEST(DeviceQueryAddress, AUsbQueueIsAskedOnlyWhenBidirectionalOnlineRunningAndEmpty) {
  struct Case {
    uint32_t status, attributes;
    bool jobs;
    int expected;
  };
  const Case cases[] = {
      {0, kQueueAttributeBidi, false, kDeviceAddressReady},
      {0, 0, false, kDeviceAddressNoBidi},
      // Bidirectional support is asked first, then offline, paused, jobs.
      {kQueueStatusOffline | kQueueStatusPaused, 0, true, kDeviceAddressNoBidi},
      {0, kQueueAttributeBidi | kQueueAttributeOffline, false, kDeviceAddressOffline},
      {kQueueStatusOffline, kQueueAttributeBidi, true, kDeviceAddressOffline},
      {kQueueStatusPaused, kQueueAttributeBidi, true, kDeviceAddressPaused},
      {0, kQueueAttributeBidi, true, kDeviceAddressJobsQueued},
      // Other status bits do not stop the query.
      {0x2 | 0x400000, kQueueAttributeBidi | 0x40, false, kDeviceAddressReady},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UsbQueueStatus(c.status, c.attributes, c.jobs), c.expected) << c.status << " " << c.attributes;
  }
}

TEST(DeviceQueryAddress, APortIsAUsbPrintPortWhenAUsbPrintDeviceNamesIt) {
  const DeviceValue port001{u"PortName", 1, u"USB001"};
  const std::vector<SystemDevice> devices = {
      {true, u"PCI", {{u"PortName", 1, u"USB003"}}},                      // another enumerator
      {false, u"USBPRINT", {{u"PortName", 1, u"USB004"}}},                // enumerator not read
      {true, u"usbprint", {{u"Other", 1, u"x"}, {u"portname", 1, u"usb002"}}},
      {true, u"USBPRINT", {{u"PortName", 2, u"USB005"}, port001}},        // an expandable text is no text
  };
  EXPECT_TRUE(IsUsbPrintPortAmong(devices, u"USB001"));
  EXPECT_TRUE(IsUsbPrintPortAmong(devices, u"USB002")) << "names and texts in any case";
  EXPECT_FALSE(IsUsbPrintPortAmong(devices, u"USB003"));
  EXPECT_FALSE(IsUsbPrintPortAmong(devices, u"USB004"));
  EXPECT_FALSE(IsUsbPrintPortAmong(devices, u"USB005"));
  EXPECT_FALSE(IsUsbPrintPortAmong(devices, u"USB00"));
  EXPECT_FALSE(IsUsbPrintPortAmong({}, u"USB001"));
}

}  // namespace
