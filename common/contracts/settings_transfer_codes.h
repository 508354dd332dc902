// The error codes of the settings import and export functions (the
// procedure library's exports that the render core's application escapes
// forward to).  Each has a message text in the description file, key
// "ERMSG_" and the two-digit code.
#pragma once

#include <cstdint>

enum SettingsTransferCode : uint32_t {
  kTransferOk = 0,
  kTransferPrinterNotOpened = 1,    // the printer cannot be opened
  kTransferNoSettings = 2,          // its DEVMODE and document settings cannot be had
  kTransferStoreFailed = 3,         // storing the settings failed
  kTransferDeviceNotRead = 4,       // the device settings record cannot be read
  kTransferDeviceNotStored = 5,     // the device settings record cannot be read again or written
  kTransferNoMemory = 6,
  kTransferFileNotRead = 7,         // the settings file cannot be read or parsed
  kTransferFileNotWritten = 8,
  kTransferDefaultNotStored = 9,    // a default cannot be stored as printer data
  kTransferWrongModel = 10,         // the file's model is not the printer's driver
  kTransferWrongLanguage = 11,
  kTransferUnused12 = 12,           // no function gives it
  kTransferWrongVersion = 13,       // the file's format version is not 1
  kTransferValueRefused = 14,       // a personal information value was refused
};
inline constexpr uint32_t kTransferCodeCount = 15;
