#include "duicore/printer/printer_access_win.h"

#include <winspool.h>

#include <cstring>
#include <cwchar>
#include <memory>
#include <new>

#include "duicore/module/core_module_win.h"

namespace {

constexpr DWORD kAllPrinterAccess = 0xF000C;

// One level of printer or driver information, fetched with a size query and
// one allocation of the reported size.
std::unique_ptr<BYTE[]> QueryInfo(HANDLE printer, DWORD level, bool driver) {
  DWORD needed = 0;
  if (driver) {
    GetPrinterDriverW(printer, nullptr, level, nullptr, 0, &needed);
  } else {
    GetPrinterW(printer, level, nullptr, 0, &needed);
  }
  if (needed == 0) return nullptr;
  std::unique_ptr<BYTE[]> info(new (std::nothrow) BYTE[needed]);
  if (!info) return nullptr;
  const BOOL ok = driver ? GetPrinterDriverW(printer, nullptr, level, info.get(), needed, &needed)
                         : GetPrinterW(printer, level, info.get(), needed, &needed);
  if (!ok) return nullptr;
  return info;
}

}  // namespace

bool OpenPrinterForPurpose(const wchar_t* printerName, int purpose, HANDLE* printer) {
  if (printer == nullptr) return false;
  *printer = nullptr;
  // A missing name would open the print server instead of a printer.
  if (printerName == nullptr || printerName[0] == L'\0') return false;
  PRINTER_DEFAULTSW defaults = {};
  PRINTER_DEFAULTSW* use = nullptr;
  switch (purpose) {
    case kPurposeAdminister:
    case kPurposeConfigure:
      defaults.DesiredAccess = kAllPrinterAccess;
      use = &defaults;
      break;
    case kPurposeUse:
    case kPurposeQuery:
      break;
    default:
      return false;
  }
  HANDLE opened = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(printerName), &opened, use)) return false;
  *printer = opened;
  return true;
}

bool ClosePrinterHandle(HANDLE printer) { return printer != nullptr && ClosePrinter(printer) != FALSE; }

bool GetPrinterInfoField(HANDLE printer, const wchar_t*, void* buffer, DWORD size, int code) {
  if (buffer == nullptr) return false;
  std::memset(buffer, 0, size);
  switch (code) {
    case kPrinterFieldDevMode: {
      std::unique_ptr<BYTE[]> info = QueryInfo(printer, 2, false);
      if (!info) return false;
      const DEVMODEW* devmode = reinterpret_cast<PRINTER_INFO_2W*>(info.get())->pDevMode;
      if (devmode == nullptr) return false;
      DWORD bytes = static_cast<DWORD>(devmode->dmSize) + devmode->dmDriverExtra;
      if (bytes > size) bytes = size;
      std::memcpy(buffer, devmode, bytes);
      return true;
    }
    case kPrinterFieldDriverDirectory: {
      auto* text = static_cast<wchar_t*>(buffer);
      const DWORD units = size / sizeof(wchar_t);
      DWORD needed = 0;
      if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, static_cast<BYTE*>(buffer), size, &needed)) {
        std::memset(buffer, 0, size);
        return false;
      }
      const size_t length = wcsnlen(text, units);
      if (length + 2 >= units) {
        std::memset(buffer, 0, size);
        return false;
      }
      text[length] = L'\\';
      text[length + 1] = L'3';
      text[length + 2] = L'\0';
      return true;
    }
    case kPrinterFieldHelpFile: {
      std::unique_ptr<BYTE[]> info = QueryInfo(printer, 3, true);
      if (!info) return false;
      const wchar_t* help = reinterpret_cast<DRIVER_INFO_3W*>(info.get())->pHelpFile;
      const DWORD units = size / sizeof(wchar_t);
      if (help == nullptr || units == 0) return false;
      const size_t length = wcsnlen(help, units - 1);
      std::wmemcpy(static_cast<wchar_t*>(buffer), help, length);
      return true;
    }
    default:
      return false;
  }
}

bool ReadPrinterDataValue(HANDLE printer, const wchar_t* name, void* buffer, DWORD size, DWORD* read) {
  DWORD type = 0;
  DWORD needed = 0;
  const DWORD status = GetPrinterDataW(printer, const_cast<wchar_t*>(name), &type,
                                       static_cast<BYTE*>(buffer), size, &needed);
  if (read != nullptr) *read = status == ERROR_SUCCESS ? needed : 0;
  return status == ERROR_SUCCESS;
}

bool WritePrinterDataValue(HANDLE printer, const wchar_t* name, DWORD type, const void* data, DWORD size) {
  return SetPrinterDataW(printer, const_cast<wchar_t*>(name), type,
                         static_cast<BYTE*>(const_cast<void*>(data)), size) == ERROR_SUCCESS;
}

bool StoreFirstPrinterDevMode(HANDLE printer, const void* devmode) {
  if (printer == nullptr || devmode == nullptr) return false;
  const DWORD major = WindowsMajorVersion();
  const bool before5 = major != 0 && major < 5;
  const DWORD level = before5 ? 2 : 8;
  std::unique_ptr<BYTE[]> info = QueryInfo(printer, level, false);
  if (info == nullptr) return false;
  auto* stored = before5 ? reinterpret_cast<PRINTER_INFO_2W*>(info.get())->pDevMode
                         : reinterpret_cast<PRINTER_INFO_8W*>(info.get())->pDevMode;
  if (stored != nullptr) return true;
  auto* mine = static_cast<DEVMODEW*>(const_cast<void*>(devmode));
  if (before5) {
    reinterpret_cast<PRINTER_INFO_2W*>(info.get())->pDevMode = mine;
    return SetPrinterW(printer, 2, info.get(), 0) != FALSE;
  }
  PRINTER_INFO_8W global = {mine};
  return SetPrinterW(printer, 8, reinterpret_cast<BYTE*>(&global), 0) != FALSE;
}
