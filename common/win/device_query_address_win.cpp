#include "common/win/device_query_address_win.h"

#include <winspool.h>
#include <setupapi.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/contracts/ddproc_device_queries_win.h"
#include "common/win/bind_export.h"
#include "common/win/win_version.h"

namespace {

constexpr size_t kAddressBuffer = 64;

struct PrinterHandle {
  HANDLE handle = nullptr;
  ~PrinterHandle() {
    if (handle != nullptr) ClosePrinter(handle);
  }
};

// The values of a device key, in order, up to the first error.
std::vector<DeviceValue> KeyValues(HKEY key) {
  std::vector<DeviceValue> values;
  for (DWORD index = 0; index < 4096; ++index) {
    wchar_t name[256] = {};
    DWORD nameLength = 256;
    DWORD type = 0;
    BYTE data[1024] = {};
    DWORD dataSize = sizeof data - sizeof(wchar_t);
    if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
    DeviceValue value{std::u16string(reinterpret_cast<const char16_t*>(name), nameLength), type, {}};
    if (type == REG_SZ) {
      const auto* text = reinterpret_cast<const char16_t*>(data);
      size_t n = 0;
      while (n < dataSize / sizeof(char16_t) && text[n] != 0) ++n;
      value.text.assign(text, n);
    }
    values.push_back(std::move(value));
  }
  return values;
}

}  // namespace

int QueryDeviceAddress(const DeviceAddressSeams& seams, HMODULE ddproc, const wchar_t* printerName,
                       const DevOption* option, bool* isUsb, char* address, size_t addressSize) {
  if (ddproc == nullptr || printerName == nullptr || option == nullptr) return kDeviceAddressMissingArgument;
  auto getAddress = BindExport<DDProcGetPrinterIPAddressFn>(ddproc, kDDProcEntryNames[kDDProcGetPrinterIPAddress]);
  if (getAddress == nullptr) return kDeviceAddressMissingFunction;
  PrinterHandle printer;
  if (!OpenPrinterW(const_cast<wchar_t*>(printerName), &printer.handle, nullptr)) return kDeviceAddressNoPrinter;
  if (address != nullptr && addressSize != 0) address[0] = '\0';
  char found[kAddressBuffer] = {};
  if (getAddress(printerName, option, found, kAddressBuffer, nullptr)) {
    found[kAddressBuffer - 1] = '\0';
    if (isUsb != nullptr) *isUsb = false;
    if (address != nullptr && addressSize != 0) {
      const size_t length = std::min(std::strlen(found), addressSize - 1);
      std::memcpy(address, found, length);
      address[length] = '\0';
    }
    return kDeviceAddressReady;
  }
  if (!seams.usbQueries || seams.isUsbPort == nullptr || !seams.isUsbPort(printer.handle)) {
    return kDeviceAddressNoConnection;
  }
  if (isUsb != nullptr) *isUsb = true;
  DWORD status = 0, attributes = 0;
  bool hasJobs = false;
  // A queue whose state cannot be read is asked all the same.
  if (seams.queueState == nullptr || !seams.queueState(printer.handle, &status, &attributes, &hasJobs)) {
    return kDeviceAddressReady;
  }
  return UsbQueueStatus(status, attributes, hasJobs);
}

bool ReadPrinterQueueState(HANDLE printer, DWORD* status, DWORD* attributes, bool* hasJobs) {
  if (printer == nullptr) return false;
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  if (needed < sizeof(PRINTER_INFO_2W)) return false;
  std::vector<BYTE> buffer(needed);
  if (!GetPrinterW(printer, 2, buffer.data(), needed, &needed)) return false;
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
  *status = info->Status;
  *attributes = info->Attributes;
  DWORD jobNeeded = 0, jobs = 0;
  *hasJobs = !EnumJobsW(printer, 0, 1, 1, nullptr, 0, &jobNeeded, &jobs) &&
             GetLastError() == ERROR_INSUFFICIENT_BUFFER;
  return true;
}

bool IsUsbPrintPort(const wchar_t* port) {
  if (port == nullptr) return false;
  OSVERSIONINFOW version = {};
  if (!QueryWindowsVersion(&version) || version.dwPlatformId != kPlatformNT || version.dwMajorVersion < 5) return false;
  HDEVINFO set = SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES);
  if (set == INVALID_HANDLE_VALUE) return false;
  std::vector<SystemDevice> devices;
  SP_DEVINFO_DATA data = {};
  data.cbSize = sizeof data;
  for (DWORD i = 0; SetupDiEnumDeviceInfo(set, i, &data); ++i) {
    SystemDevice device{false, {}, {}};
    wchar_t enumerator[64] = {};
    if (SetupDiGetDeviceRegistryPropertyW(set, &data, SPDRP_ENUMERATOR_NAME, nullptr,
                                          reinterpret_cast<BYTE*>(enumerator), sizeof enumerator - sizeof(wchar_t),
                                          nullptr)) {
      device.enumeratorRead = true;
      device.enumerator = reinterpret_cast<const char16_t*>(enumerator);
    }
    if (device.enumeratorRead) {
      HKEY key = SetupDiOpenDevRegKey(set, &data, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
      if (key != INVALID_HANDLE_VALUE && key != nullptr) {
        device.values = KeyValues(key);
        RegCloseKey(key);
      }
    }
    devices.push_back(std::move(device));
  }
  SetupDiDestroyDeviceInfoList(set);
  return IsUsbPrintPortAmong(devices, reinterpret_cast<const char16_t*>(port));
}

std::wstring PrinterPortName(HANDLE printer) {
  if (printer == nullptr) return {};
  DWORD needed = 0;
  GetPrinterW(printer, 5, nullptr, 0, &needed);
  if (needed < sizeof(PRINTER_INFO_5W)) return {};
  std::vector<BYTE> buffer(needed);
  if (!GetPrinterW(printer, 5, buffer.data(), needed, &needed)) return {};
  const auto* info = reinterpret_cast<const PRINTER_INFO_5W*>(buffer.data());
  return info->pPortName != nullptr ? std::wstring(info->pPortName) : std::wstring();
}

bool IsPrinterOnUsbPrintPort(HANDLE printer) {
  const std::wstring port = PrinterPortName(printer);
  return !port.empty() && IsUsbPrintPort(port.c_str());
}
