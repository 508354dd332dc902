#include "common/win/device_query_address.h"

namespace {

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool SameText(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

constexpr uint32_t kTextValue = 1;  // REG_SZ

}  // namespace

int UsbQueueStatus(uint32_t status, uint32_t attributes, bool hasJobs) {
  if ((attributes & kQueueAttributeBidi) == 0) return kDeviceAddressNoBidi;
  if ((attributes & kQueueAttributeOffline) != 0 || (status & kQueueStatusOffline) != 0) return kDeviceAddressOffline;
  if ((status & kQueueStatusPaused) != 0) return kDeviceAddressPaused;
  if (hasJobs) return kDeviceAddressJobsQueued;
  return kDeviceAddressReady;
}

bool IsUsbPrintPortAmong(const std::vector<SystemDevice>& devices, const std::u16string& port) {
  for (const SystemDevice& device : devices) {
    if (!device.enumeratorRead || !SameText(device.enumerator, u"USBPRINT")) continue;
    for (const DeviceValue& value : device.values) {
      if (value.type == kTextValue && SameText(value.name, u"PortName") && SameText(value.text, port)) return true;
    }
  }
  return false;
}
