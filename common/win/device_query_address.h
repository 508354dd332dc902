// How the device behind a printer is asked: by the network address the
// device library knows for it, or, with no address, over the printer's USB
// port when the spooler's queue lets a status request through.  The
// procedure library's device sheets and the user interface core's device
// query share this one rule (device_query_address_win.h); the USB port test
// over the system's devices is decided by the rule below.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The statuses of the address query.
enum DeviceAddressStatus : int {
  kDeviceAddressReady = 0,          // an address, or a USB port that may be asked
  kDeviceAddressMissingArgument = 1,
  kDeviceAddressMissingFunction = 2,  // the device library lacks its address function
  kDeviceAddressNoPrinter = 3,      // the printer cannot be opened
  kDeviceAddressNoConnection = 4,   // no address and no USB port that may be asked
  kDeviceAddressNoBidi = 5,         // the queue's bidirectional support is off
  kDeviceAddressOffline = 6,
  kDeviceAddressPaused = 7,
  kDeviceAddressJobsQueued = 8,
};

// The queue facts of the spooler that decide whether a USB device is asked.
inline constexpr uint32_t kQueueAttributeBidi = 0x800;     // PRINTER_ATTRIBUTE_ENABLE_BIDI
inline constexpr uint32_t kQueueAttributeOffline = 0x400;  // PRINTER_ATTRIBUTE_WORK_OFFLINE
inline constexpr uint32_t kQueueStatusOffline = 0x80;      // PRINTER_STATUS_OFFLINE
inline constexpr uint32_t kQueueStatusPaused = 0x1;        // PRINTER_STATUS_PAUSED
// The status of a USB queue with these facts (kDeviceAddressReady when it
// may be asked).
int UsbQueueStatus(uint32_t status, uint32_t attributes, bool hasJobs);

// One device of the system as the USB port test sees it: its enumerator's
// name and the values of its device key, in their order.
struct DeviceValue {
  std::u16string name;
  uint32_t type;  // REG_SZ is 1
  std::u16string text;
};
struct SystemDevice {
  bool enumeratorRead;
  std::u16string enumerator;
  std::vector<DeviceValue> values;  // the values read before the first error
};
// A device of the USB printer enumerator ("USBPRINT", any case) whose
// "PortName" value (any case) is a text equal to `port` (any case).
bool IsUsbPrintPortAmong(const std::vector<SystemDevice>& devices, const std::u16string& port);
