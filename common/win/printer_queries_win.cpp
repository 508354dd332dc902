#include "common/win/printer_queries.h"

#include <winspool.h>

#include "common/records/settings_records.h"

#include <cstring>
#include <cwchar>
#include <memory>
#include <new>

namespace {

constexpr size_t kDriverNameUnits = 260;
wchar_t g_driverName[kDriverNameUnits];

// GetPrinterW of one level into a block of the size the spooler asks for.
std::unique_ptr<BYTE[]> PrinterInfo(HANDLE printer, DWORD level) {
  DWORD needed = 0;
  GetPrinterW(printer, level, nullptr, 0, &needed);
  if (needed == 0) return nullptr;
  std::unique_ptr<BYTE[]> block(new (std::nothrow) BYTE[needed]);
  if (!block || !GetPrinterW(printer, level, block.get(), needed, &needed)) return nullptr;
  return block;
}

void CopyCut(wchar_t* out, size_t capacity, const wchar_t* text) {
  size_t i = 0;
  for (; text != nullptr && text[i] != L'\0' && i + 1 < capacity; ++i) out[i] = text[i];
  out[i] = L'\0';
}

}  // namespace

bool QueryPrinterName(HANDLE printer, wchar_t* out, size_t capacity) {
  if (out == nullptr || capacity == 0) return false;
  auto info = PrinterInfo(printer, 1);
  if (!info) return false;
  CopyCut(out, capacity, reinterpret_cast<PRINTER_INFO_1W*>(info.get())->pName);
  return true;
}

bool QueryDriverName(HANDLE printer, wchar_t* out, void*) {
  if (out == nullptr) return false;
  std::wmemset(out, 0, kDriverNameUnits);
  DWORD needed = 0;
  GetPrinterDriverW(printer, nullptr, 1, nullptr, 0, &needed);
  if (needed == 0) return false;
  std::unique_ptr<BYTE[]> block(new (std::nothrow) BYTE[needed]);
  if (!block || !GetPrinterDriverW(printer, nullptr, 1, block.get(), needed, &needed)) return false;
  CopyCut(out, kDriverNameUnits, reinterpret_cast<DRIVER_INFO_1W*>(block.get())->pName);
  return true;
}

const wchar_t* GetPrinterDriverNameW(HANDLE printer) {
  if (!QueryDriverName(printer, g_driverName, nullptr)) g_driverName[0] = L'\0';
  return g_driverName;
}

bool IsRawOnlyPrinter(HANDLE printer) {
  auto info = PrinterInfo(printer, 2);
  return info && (reinterpret_cast<PRINTER_INFO_2W*>(info.get())->Attributes & PRINTER_ATTRIBUTE_RAW_ONLY) != 0;
}

bool IsLocalPrinterConnection(HANDLE printer) {
  wchar_t name[MAX_PATH];
  if (!QueryPrinterName(printer, name, MAX_PATH)) return false;
  for (wchar_t* p = name; *p != L'\0'; ++p) {
    if (*p == L'\\') *p = L',';
  }
  wchar_t path[2 * MAX_PATH];
  int n = _snwprintf(path, 2 * MAX_PATH, L"System\\CurrentControlSet\\Control\\Print\\Printers\\%ls", name);
  if (n < 0 || n >= 2 * MAX_PATH) return false;
  HKEY key = nullptr;
  LONG result = RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key);
  if (result == ERROR_SUCCESS) RegCloseKey(key);
  return result == ERROR_FILE_NOT_FOUND;
}

bool IsPrinterAdministrable(const wchar_t* printerName) {
  PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ACCESS_ADMINISTER};
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(printerName), &printer, &defaults)) return false;
  ClosePrinter(printer);
  return true;
}

bool IsMonoDriverName(HANDLE printer, const wchar_t* printerName) {
  HANDLE opened = nullptr;
  if (printer == nullptr) {
    if (printerName == nullptr || !OpenPrinterW(const_cast<wchar_t*>(printerName), &opened, nullptr)) return false;
    printer = opened;
  }
  bool mono = false;
  auto info = PrinterInfo(printer, 2);
  if (info) {
    const wchar_t* driver = reinterpret_cast<PRINTER_INFO_2W*>(info.get())->pDriverName;
    size_t length = driver != nullptr ? std::wcslen(driver) : 0;
    mono = length >= 4 && std::wcscmp(driver + length - 4, L"Mono") == 0;
  }
  if (opened != nullptr) ClosePrinter(opened);
  return mono;
}

bool ReadDefaultOEMDEV(HANDLE printer, void* out) {
  std::unique_ptr<BYTE[]> record(new (std::nothrow) BYTE[kDocDModeSize]);
  if (!record) return false;
  DWORD type = 0, got = 0;
  DWORD result = GetPrinterDataW(printer, const_cast<wchar_t*>(L"DefaultOEMDEV"), &type, record.get(), kDocDModeSize, &got);
  if (result != ERROR_SUCCESS || got != kDocDModeSize) return false;
  if (out != nullptr) std::memcpy(out, record.get(), kDocDModeSize);
  return true;
}
