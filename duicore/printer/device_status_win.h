// Device queries of the user interface core: how the device is reached
// (network address or USB port), and the device's installed options and the
// state of its input trays, asked through VELDRANH and brought into the
// device option record.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/qxd/model_info.h"
#include "common/qxd/paper_tables.h"
#include "common/records/settings_records.h"
#include "common/win/device_query_address.h"

struct SheetSession;

// 0 to 8 are the statuses of the shared address query
// (common/win/device_query_address.h).
enum DeviceStatus : int {
  kDeviceStatusDone = kDeviceAddressReady,
  kDeviceStatusMissingArgument = kDeviceAddressMissingArgument,
  kDeviceStatusMissingFunction = kDeviceAddressMissingFunction,
  kDeviceStatusNoPrinter = kDeviceAddressNoPrinter,
  kDeviceStatusNoConnection = kDeviceAddressNoConnection,
  kDeviceStatusNoBidi = kDeviceAddressNoBidi,
  kDeviceStatusOffline = kDeviceAddressOffline,
  kDeviceStatusPaused = kDeviceAddressPaused,
  kDeviceStatusJobsQueued = kDeviceAddressJobsQueued,
  kDeviceStatusNoAnswer = 9,
  kDeviceStatusNoLibrary = 10,
  kDeviceStatusNoState = 11,
  kDeviceStatusNoMemory = 12,
  kDeviceStatusOptionsFailed = 13,
  kDeviceStatusTraysFailed = 14,
};

// How the printer is reached: a network device (the address, at most
// `addressSize` - 1 bytes, is copied out) or, in USB mode on Windows 6.0
// and later, a USB device whose queue is ready.
int GetDeviceConnection(bool usbMode, HMODULE devProc, const wchar_t* printerName, const DevOption* option,
                        bool* isUsb, char* address, size_t addressSize);

// The printer's port is a USB port of a present printer device.
// (Its queue state is read by ReadPrinterQueueState, device_query_address_win.h.)
bool IsUsbPrinter(HANDLE printer);

struct DeviceQuery {
  bool usbMode = false;
  HMODULE devProc = nullptr;            // VELDRANH
  const wchar_t* printerName = nullptr;
  bool options = false;                 // ask the installed options
  bool trays = false;                   // ask the input trays
  const ModelInfo* model = nullptr;
  const DeviceOptionItem* deviceOptions = nullptr;
  HMODULE uiProc = nullptr;             // VELDRANA, for the authentication options
  const MediaTypeLists* trayMapping = nullptr;
  uint16_t autoTrayId = 7;              // the tray left out of the tray query
};

// How a caller of the device query differs from the others: the sheet
// sessions reach a USB device too; printer initialisation and the start of
// a job ask the network device only.
struct DeviceQueryCaller {
  bool usbMode;
};
inline constexpr DeviceQueryCaller kSheetSessionQuery{true};
inline constexpr DeviceQueryCaller kPrinterInitQuery{false};
inline constexpr DeviceQueryCaller kJobStartQuery{false};

// The one set-up of the device query: the installed options and the input
// trays, with the model, option list and tray mapping of the core's
// description and the automatic tray of the tray keyword table left out;
// `uiProc` (VELDRANA) adds the device's authentication options.
DeviceQuery CoreDeviceQuery(const DeviceQueryCaller& caller, HMODULE devProc, const wchar_t* printerName,
                            HMODULE uiProc);

// Asks the device and, on success (0), writes the answers into `option`
// and reports which parts changed; any other status leaves `option` and
// the flags untouched.
int QueryDeviceStatus(const DeviceQuery& query, DevOption* option, bool* optionsChanged, bool* traysChanged);

// The session's device query at initialisation, when the working settings
// ask for automatic acquisition: the device status becomes valid with the
// answer and the answer replaces the working DevOption.  The device sheets
// also store a changed answer as the printer's settings at once.
void RefreshSessionDeviceStatus(SheetSession* session, bool deviceSheets);
