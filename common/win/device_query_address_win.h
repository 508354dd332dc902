// The address query of device_query_address.h on the spooler and the
// system's devices.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "common/records/settings_records.h"
#include "common/win/device_query_address.h"

// What the query asks of the system; tests put their own in.
struct DeviceAddressSeams {
  // USB devices may be asked at all (Windows 6.0 or later, and a caller
  // that asks USB devices).
  bool usbQueries;
  // The printer's port belongs to a USB printer device.
  bool (*isUsbPort)(HANDLE printer);
  // The queue's status, attributes and whether it holds a job; false when
  // they cannot be read.
  bool (*queueState)(HANDLE printer, DWORD* status, DWORD* attributes, bool* hasJobs);
};

// The address of the device behind `printerName` by the device library
// `ddproc` (its DDProc_GetPrinterIPAddress, bound by name on each call):
// the address (at most `addressSize` - 1 bytes) and USB flag 0, or, with no
// address, USB flag 1 and an empty address when the USB queue may be
// asked.  Returns a DeviceAddressStatus.
int QueryDeviceAddress(const DeviceAddressSeams& seams, HMODULE ddproc, const wchar_t* printerName,
                       const DevOption* option, bool* isUsb, char* address, size_t addressSize);

// The system's answers: the queue facts from the spooler (a job counts when
// EnumJobsW finds one), the port of the printer tested against the system's
// devices (SetupAPI, every class, present or not).
bool ReadPrinterQueueState(HANDLE printer, DWORD* status, DWORD* attributes, bool* hasJobs);
bool IsUsbPrintPort(const wchar_t* port);
bool IsPrinterOnUsbPrintPort(HANDLE printer);
// The printer's port (PRINTER_INFO_5), empty when it cannot be read.
std::wstring PrinterPortName(HANDLE printer);
