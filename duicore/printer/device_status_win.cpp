#include "duicore/printer/device_status_win.h"

#include <winspool.h>

#include <algorithm>

#include <cstring>
#include <memory>
#include <vector>

#include "common/contracts/ddproc_device_queries_win.h"
#include "common/contracts/proc_library_exports_win.h"
#include "common/media/media_rows.h"
#include "common/records/sheet_session.h"
#include "common/win/bind_export.h"
#include "common/win/device_query_address_win.h"
#include "common/win/wait_cursor_win.h"
#include "duicore/module/core_module_win.h"
#include "duicore/module/device_description_win.h"
#include "duicore/devmode/devmode_work_win.h"

namespace {

constexpr size_t kAddressSize = 64;
constexpr int kTraySlotsAsked = 10;

template <typename Fn>
Fn Bind(HMODULE module, DDProcEntry entry) {
  return BindExport<Fn>(module, kDDProcEntryNames[entry]);
}

bool SameKeyword(const char* a, const char* b) { return lstrcmpiA(a, b) == 0; }

// Copies a keyword into a 32-byte field, at most 31 characters.
void CopyKeyword(const char* from, char (&to)[32]) {
  size_t i = 0;
  for (; i < 31 && from[i] != '\0'; ++i) to[i] = from[i];
  to[i] = '\0';
}

// A narrow answer of the device, terminated within its field.
void TerminatedAnswer(const char* field, char (&out)[32]) {
  std::memcpy(out, field, 31);
  out[31] = '\0';
}

struct PrinterHandle {
  HANDLE handle = nullptr;
  ~PrinterHandle() {
    if (handle != nullptr) ClosePrinter(handle);
  }
};

// The functions of VELDRANH that the query needs; false when any is missing.
struct DevProcQueries {
  DDProcGetPrinterStatusUsbFn getStatusUsb;
  DDProcDeletePrinterStatusUsbFn deleteStatusUsb;
  DDProcIsSupportModelUsbFn isSupportModelUsb;
  DDProcIsEnableBdcLibFn isEnableBdcLib;
  DDProcIsCommunicateDeviceFn isCommunicateDevice;
  DDProcOptionRequestFn optionRequest;
  DDProcOptionRequestUsbFn optionRequestUsb;
  DDProcInputTrayStatusFn trayStatus;
  DDProcInputTrayStatusUsbFn trayStatusUsb;

  bool BindAll(HMODULE module) {
    getStatusUsb = Bind<DDProcGetPrinterStatusUsbFn>(module, kDDProcGetPrinterStatusUsb);
    deleteStatusUsb = Bind<DDProcDeletePrinterStatusUsbFn>(module, kDDProcDeletePrinterStatusUsb);
    isSupportModelUsb = Bind<DDProcIsSupportModelUsbFn>(module, kDDProcIsSupportModelUsb);
    isEnableBdcLib = Bind<DDProcIsEnableBdcLibFn>(module, kDDProcIsEnableBdcLib);
    isCommunicateDevice = Bind<DDProcIsCommunicateDeviceFn>(module, kDDProcIsCommunicateDevice);
    optionRequest = Bind<DDProcOptionRequestFn>(module, kDDProcOptionRequest);
    optionRequestUsb = Bind<DDProcOptionRequestUsbFn>(module, kDDProcOptionRequestUsb);
    trayStatus = Bind<DDProcInputTrayStatusFn>(module, kDDProcInputTrayStatus);
    trayStatusUsb = Bind<DDProcInputTrayStatusUsbFn>(module, kDDProcInputTrayStatusUsb);
    return getStatusUsb != nullptr && deleteStatusUsb != nullptr && isSupportModelUsb != nullptr &&
           isEnableBdcLib != nullptr && isCommunicateDevice != nullptr && optionRequest != nullptr &&
           optionRequestUsb != nullptr && trayStatus != nullptr && trayStatusUsb != nullptr;
  }
};

// The USB status list, handed back to VELDRANH in every case.
struct UsbStatus {
  void* list = nullptr;
  DDProcDeletePrinterStatusUsbFn release = nullptr;
  ~UsbStatus() {
    if (list != nullptr && release != nullptr) release(list);
  }
};

// The place of `answer` among a list's option keywords, or -1.
int FindKeyword(const OptionItem* values, const char* answer) {
  if (values == nullptr || answer[0] == '\0') return -1;
  for (int place = 0; values[place].keyword[0] != '\0'; ++place) {
    if (SameKeyword(values[place].keyword, answer)) return place;
  }
  return -1;
}

int AskOptions(const DeviceQuery& query, const DevProcQueries& dd, bool usb, HANDLE printer, void* usbList,
               const char* address, DevOption* work, bool* changed) {
  std::vector<const DeviceOptionItem*> rows;
  for (const DeviceOptionItem* row = query.deviceOptions; row->keyword[0] != '\0'; ++row) rows.push_back(row);
  std::vector<DevOptionEntry> entries;
  try {
    entries.resize(rows.size());
  } catch (const std::bad_alloc&) {
    return kDeviceStatusNoMemory;
  }
  for (size_t i = 0; i < rows.size(); ++i) {
    entries[i] = DevOptionEntry{};
    CopyKeyword(rows[i]->keyword, entries[i].keyword);
  }
  const auto count = static_cast<uint32_t>(entries.size());
  const BOOL answered = usb ? dd.optionRequestUsb(printer, usbList, count, entries.data())
                            : dd.optionRequest(address, count, entries.data());
  if (!answered) return kDeviceStatusOptionsFailed;
  for (size_t i = 0; i < rows.size(); ++i) {
    const DeviceOptionItem* row = rows[i];
    if (row->optionIndex >= kDevOptionMaxOptions) continue;
    char answer[32];
    TerminatedAnswer(entries[i].value, answer);
    const int place = FindKeyword(row->values, answer);
    if (place >= 0 && work->optionValues[row->optionIndex] != static_cast<uint32_t>(place)) {
      work->optionValues[row->optionIndex] = static_cast<uint32_t>(place);
      *changed = true;
    }
  }
  if (!usb && query.uiProc != nullptr) {
    auto authOptions = BindExport<OapiGetAuthDevOptionFn>(query.uiProc, kOapiGetAuthDevOption);
    BOOL authChanged = FALSE;
    if (authOptions != nullptr && authOptions(printer, address, work, &authChanged) != 0 && authChanged != 0) {
      *changed = true;
    }
  }
  return kDeviceStatusDone;
}

int AskTrays(const DeviceQuery& query, const DevProcQueries& dd, bool usb, HANDLE printer, void* usbList,
             const char* address, DevOption* work, bool* changed) {
  std::vector<TrayStatusEntry> entries;
  try {
    for (const InTrayEntry* tray = query.model->inTrays; tray->keyword[0] != '\0'; ++tray) {
      if (tray->binId == query.autoTrayId) continue;
      TrayStatusEntry entry = {};
      CopyKeyword(tray->keyword, entry.keyword);
      entries.push_back(entry);
    }
  } catch (const std::bad_alloc&) {
    return kDeviceStatusNoMemory;
  }
  const auto count = static_cast<uint32_t>(entries.size());
  const BOOL answered = usb ? dd.trayStatusUsb(printer, usbList, count, entries.data())
                            : dd.trayStatus(address, count, entries.data());
  if (!answered) return kDeviceStatusTraysFailed;
  const OptionItem* tables[kTrayAnswerCount] = {
      query.trayMapping->sizes,   query.trayMapping->orientations, query.trayMapping->types,
      query.trayMapping->weights, query.trayMapping->colors,       query.trayMapping->prePunched,
  };
  for (size_t i = 0; i < entries.size() && i < static_cast<size_t>(kTraySlotsAsked); ++i) {
    for (int k = 0; k < kTrayAnswerCount; ++k) {
      char answer[32];
      TerminatedAnswer(entries[i].answers[k], answer);
      const int place = FindKeyword(tables[k], answer);
      if (place < 0) continue;
      SetTrayMediaField(&work->trays[i], k, tables[k][place].value);
      *changed = true;
    }
  }
  return kDeviceStatusDone;
}

}  // namespace

bool IsUsbPrinter(HANDLE printer) { return IsPrinterOnUsbPrintPort(printer); }

int GetDeviceConnection(bool usbMode, HMODULE devProc, const wchar_t* printerName, const DevOption* option,
                        bool* isUsb, char* address, size_t addressSize) {
  const DeviceAddressSeams seams = {usbMode && WindowsMajorVersion() >= 6, IsUsbPrinter, ReadPrinterQueueState};
  return QueryDeviceAddress(seams, devProc, printerName, option, isUsb, address, addressSize);
}

int QueryDeviceStatus(const DeviceQuery& query, DevOption* option, bool* optionsChanged, bool* traysChanged) {
  if (query.devProc == nullptr || query.printerName == nullptr || query.model == nullptr || option == nullptr ||
      (query.options && query.deviceOptions == nullptr) || (query.trays && query.trayMapping == nullptr) ||
      (query.trays && query.model->inTrays == nullptr)) {
    return kDeviceStatusMissingArgument;
  }
  DevProcQueries dd;
  if (!dd.BindAll(query.devProc)) return kDeviceStatusMissingFunction;
  PrinterHandle printer;
  if (!OpenPrinterW(const_cast<wchar_t*>(query.printerName), &printer.handle, nullptr)) {
    return kDeviceStatusNoPrinter;
  }
  bool usb = false;
  char address[kAddressSize] = {};
  const int connection =
      GetDeviceConnection(query.usbMode, query.devProc, query.printerName, option, &usb, address, sizeof address);
  if (connection != kDeviceStatusDone) return connection;

  auto work = std::make_unique<DevOption>(*option);
  UsbStatus usbStatus;
  if (!usb) {
    if (!dd.isEnableBdcLib()) return kDeviceStatusNoLibrary;
    uint32_t state = 0;
    if (!dd.isCommunicateDevice(address, &state)) return kDeviceStatusNoState;
    if (state == 0) return kDeviceStatusNoAnswer;
  } else {
    usbStatus.list = dd.getStatusUsb(printer.handle);
    usbStatus.release = dd.deleteStatusUsb;
    if (usbStatus.list == nullptr) return kDeviceStatusNoState;
    if (!dd.isSupportModelUsb(printer.handle, usbStatus.list)) return kDeviceStatusNoAnswer;
  }
  bool optionChange = false, trayChange = false;
  if (query.options) {
    const int result = AskOptions(query, dd, usb, printer.handle, usbStatus.list, address, work.get(), &optionChange);
    if (result != kDeviceStatusDone) return result;
  }
  if (query.trays) {
    const int result = AskTrays(query, dd, usb, printer.handle, usbStatus.list, address, work.get(), &trayChange);
    if (result != kDeviceStatusDone) return result;
  }
  if (optionsChanged != nullptr) *optionsChanged = optionChange;
  if (traysChanged != nullptr) *traysChanged = trayChange;
  *option = *work;
  return kDeviceStatusDone;
}

DeviceQuery CoreDeviceQuery(const DeviceQueryCaller& caller, HMODULE devProc, const wchar_t* printerName,
                            HMODULE uiProc) {
  const DeviceDescription& description = CoreDescription();
  DeviceQuery query;
  query.usbMode = caller.usbMode;
  query.devProc = devProc;
  query.printerName = printerName;
  query.options = true;
  query.trays = true;
  query.model = description.model;
  query.deviceOptions = description.deviceOptions;
  query.uiProc = uiProc;
  query.trayMapping = description.trayMapping;
  const InputTrayRow* trayTable = InputTrayTable();
  if (trayTable != nullptr) query.autoTrayId = static_cast<uint16_t>(trayTable[0].binId);
  return query;
}

void RefreshSessionDeviceStatus(SheetSession* session, bool deviceSheets) {
  session->deviceStatus = SheetDeviceStatus{};
  DevOption& working = session->working->device.option;
  if (working.autoAcquisition == 0) return;
  HMODULE devProc = LoadDevProcModule();
  if (devProc == nullptr) return;
  const DeviceQuery query = CoreDeviceQuery(kSheetSessionQuery, devProc, session->printerName, LoadUiProcModule());
  auto answer = std::make_unique<DevOption>(working);
  bool optionsChanged = false, traysChanged = false;
  int asked;
  {
    // The sheets open only once the device answered or its waits ran out.
    ScopedWaitCursor wait;
    asked = QueryDeviceStatus(query, answer.get(), &optionsChanged, &traysChanged);
  }
  if (asked == kDeviceStatusDone) {
    SheetDeviceStatus& status = session->deviceStatus;
    status.valid = 1;
    status.optionCount = answer->optionCount;
    std::memcpy(status.optionValues, answer->optionValues, sizeof status.optionValues);
    std::memcpy(status.trays, answer->trays, sizeof status.trays);
    working = *answer;
    if (deviceSheets && (optionsChanged || traysChanged)) {
      SetDevModeHead(session->working, session->printer, session->printerName);
      SavePrivateDevMode(session->working, session->printer, session->printerName);
      BroadcastDevModeChange(session->printerName);
    }
  }
  FreeLibrary(devProc);
}
