// The small entry points: print queries, printer events, colour profiles
// and the upgrade notice.
#include <windows.h>

#include "duicore/printer/printer_events_win.h"

#include "common/win/driver_ui_interface_win.h"
#include "common/win/export_guard.h"
#include "duicore/printer/printer_access_win.h"

#include <winspool.h>

#include <cwchar>
#include <memory>
#include <new>

#include "common/contracts/proc_library_exports_win.h"
#include "common/contracts/settings_functions_win.h"
#include "common/win/printer_queries.h"
#include "duicore/module/core_module_win.h"
#include "duicore/module/device_description_win.h"
#include "duicore/printer/device_status_win.h"
#include "duicore/devmode/devmode_work_win.h"
#include "duicore/events/event_services_win.h"
#include "duicore/events/job_authentication_win.h"
#include "duicore/module/os_version_class.h"

namespace {

constexpr wchar_t kInitializeDataValue[] = L"InitializeData";

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

class OpenedPrinter {
 public:
  explicit OpenedPrinter(const wchar_t* name) { OpenPrinterForPurpose(name, kPurposeAdminister, &handle_); }
  ~OpenedPrinter() {
    if (handle_ != nullptr) ClosePrinterHandle(handle_);
  }
  OpenedPrinter(const OpenedPrinter&) = delete;
  OpenedPrinter& operator=(const OpenedPrinter&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace

void QueryDeviceOptionsAtInstall(const wchar_t* printerName, WorkDevMode* work, bool save) {
  DevOption* option = &work->device.option;
  if (option->autoAcquisition == 0) return;
  HMODULE devProc = Events().loadLibrary(L"VELDRANH.DLL");
  if (devProc == nullptr) return;
  EventLibrary proc(L"VELDRANA.DLL");
  const DeviceQuery query = CoreDeviceQuery(kPrinterInitQuery, devProc, printerName, proc.get());
  bool optionsChanged = false, traysChanged = false;
  if (QueryDeviceStatus(query, option, &optionsChanged, &traysChanged) == kDeviceStatusDone && save) {
    OpenedPrinter printer(printerName);
    if (printer.get() != nullptr) SavePrivateDevMode(work, printer.get(), printerName);
  }
  Events().freeLibrary(devProc);
}

BOOL InitializePrinter(const wchar_t* printerName) {
  {
    EventLibrary proc(L"VELDRANA.DLL");
    if (proc.get() != nullptr) {
      if (auto watermarks = proc.Bind<PrcRegDefWMarkWFn>(kPrcRegDefWMarkW)) watermarks(printerName);
      if (auto presets = proc.Bind<SetEasySetPresetFn>(kSetEasySetPreset)) presets(printerName);
      if (auto keys = proc.Bind<SetUIAesKeyInfoFn>(kSetUIAesKeyInfo)) {
        OpenedPrinter printer(printerName);
        if (printer.get() != nullptr) keys(printer.get());
      }
    }
  }
  OpenedPrinter printer(printerName);
  if (printer.get() == nullptr) return TRUE;
  std::unique_ptr<WorkDevMode> work(new (std::nothrow) WorkDevMode());
  if (work) {
    ResetWorkDevMode(work.get(), printer.get(), printerName);
    QueryDeviceOptionsAtInstall(printerName, work.get(), true);
    const ModelInfo* model = CoreDescription().model;
    DevOption* option = &work->device.option;
    if (model != nullptr && model->features[kMfEncryptionKey] != 0 && option->autoAcquisition != 0) {
      EventLibrary proc(L"VELDRANA.DLL");
      char value[73];
      uint32_t length = 0;
      int kind = 0;
      if (QueryDeviceEncryption(proc.get(), printer.get(), option, &work->devmode.doc, value, &length, &kind)) {
        StoreDeviceEncryption(printer.get(), value, length, kind, option);
      }
    }
    SavePrivateDevMode(work.get(), printer.get(), printerName);
  }
  if (GetOsVersionClass() == kOsClassNT4) {
    static const wchar_t kUserModeDriver[] = L"VELDRANN";
    WritePrinterDataValue(printer.get(), L"SPLUserModePrinterDriver", REG_SZ, kUserModeDriver,
                          static_cast<DWORD>(std::wcslen(kUserModeDriver) * sizeof(wchar_t)));
  }
  return TRUE;
}

BOOL IsPrinterInitialized(const wchar_t* printerName) {
  OpenedPrinter printer(printerName);
  if (printer.get() == nullptr) return TRUE;
  DWORD value = 0, type = 0, read = 0;
  const DWORD status = GetPrinterDataW(printer.get(), const_cast<wchar_t*>(kInitializeDataValue), &type,
                                       reinterpret_cast<BYTE*>(&value), sizeof value, &read);
  if (status == ERROR_SUCCESS) return value != 0;
  if (status != ERROR_FILE_NOT_FOUND) return TRUE;
  const DWORD zero = 0;
  if (!WritePrinterDataValue(printer.get(), kInitializeDataValue, REG_DWORD, &zero, sizeof zero)) return TRUE;
  return ReadPrinterDataValue(printer.get(), kInitializeDataValue, &value, sizeof value, &read) ? FALSE : TRUE;
}

BOOL SetPrinterInitialized(const wchar_t* printerName, BOOL initialized) {
  OpenedPrinter printer(printerName);
  if (printer.get() == nullptr) return FALSE;
  const DWORD value = initialized ? 1 : 0;
  return WritePrinterDataValue(printer.get(), kInitializeDataValue, REG_DWORD, &value, sizeof value) ? TRUE : FALSE;
}

bool EnsurePrinterInitialized(HANDLE printer) {
  wchar_t name[MAX_PATH] = {};
  if (!QueryPrinterName(printer, name, MAX_PATH) || name[0] == L'\0') return true;
  if (IsPrinterInitialized(name)) return true;
  InitializePrinter(name);
  return SetPrinterInitialized(name, TRUE) != FALSE;
}

extern "C" BOOL WINAPI DevQueryPrint(HANDLE, LPDEVMODEW, DWORD* resourceId) {
  if (resourceId != nullptr) *resourceId = 0;
  return TRUE;
}

extern "C" BOOL WINAPI DevQueryPrintEx(PDEVQUERYPRINT_INFO) { return TRUE; }

extern "C" BOOL WINAPI DrvPrinterEvent(LPWSTR printerName, INT event, DWORD, LPARAM) try {
  switch (event) {
    case PRINTER_EVENT_ADD_CONNECTION:
    case PRINTER_EVENT_DELETE_CONNECTION:
    case PRINTER_EVENT_CACHE_REFRESH:
    case PRINTER_EVENT_CACHE_DELETE:
      return TRUE;
    case PRINTER_EVENT_INITIALIZE: {
      const BOOL result = InitializePrinter(printerName);
      SetPrinterInitialized(printerName, TRUE);
      return result;
    }
    case PRINTER_EVENT_DELETE:
      return FALSE;
    default:
      return Fail(ERROR_INVALID_PARAMETER);
  }
} catch (...) {
  return ExportFailed("DrvPrinterEvent", BOOL{FALSE});
}

extern "C" BOOL WINAPI DrvQueryColorProfile(HANDLE, PDEVMODEW, ULONG, PVOID, ULONG*, FLONG*) {
  return Fail(ERROR_NOT_SUPPORTED);
}

extern "C" BOOL WINAPI DrvUpgradePrinter(DWORD level, LPBYTE data) {
  if (level == 1 && data != nullptr) return TRUE;
  return Fail(ERROR_INVALID_PARAMETER);
}

