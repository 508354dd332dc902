#include "common/win/numbered_values_win.h"

#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Past this many values the clearing of old ones stops whatever remains:
// no store of the driver numbers that many.
constexpr int kMaxNumberedValues = 1000;

DWORD PrinterGet(void* target, const wchar_t* name, DWORD* type, BYTE* data, DWORD size, DWORD* got) {
  return GetPrinterDataW(static_cast<HANDLE>(target), const_cast<wchar_t*>(name), type, data, size, got);
}

DWORD PrinterSet(void* target, const wchar_t* name, DWORD type, const BYTE* data, DWORD size) {
  return SetPrinterDataW(static_cast<HANDLE>(target), const_cast<wchar_t*>(name), type, const_cast<BYTE*>(data),
                         size);
}

bool PrinterClear(void* target, const wchar_t* name) {
  DWORD type = 0;
  DWORD got = 0;
  BYTE probe = 0;
  const DWORD status = PrinterGet(target, name, &type, &probe, 0, &got);
  if (status != ERROR_MORE_DATA && !(status == ERROR_SUCCESS && got > 0)) return false;
  return PrinterSet(target, name, REG_BINARY, nullptr, 0) == ERROR_SUCCESS;
}

DWORD KeyGet(void* target, const wchar_t* name, DWORD* type, BYTE* data, DWORD size, DWORD* got) {
  *got = size;
  return static_cast<DWORD>(RegQueryValueExW(static_cast<HKEY>(target), name, nullptr, type, data, got));
}

DWORD KeySet(void* target, const wchar_t* name, DWORD type, const BYTE* data, DWORD size) {
  return static_cast<DWORD>(RegSetValueExW(static_cast<HKEY>(target), name, 0, type, data, size));
}

bool KeyClear(void* target, const wchar_t* name) {
  return RegDeleteValueW(static_cast<HKEY>(target), name) == ERROR_SUCCESS;
}

void NameOf(const wchar_t* format, int number, wchar_t (&name)[64]) {
  _snwprintf(name, 63, format, number);
  name[63] = 0;
}

}  // namespace

NumberedValues PrinterDataValues(HANDLE printer) { return {printer, PrinterGet, PrinterSet, PrinterClear}; }

NumberedValues RegistryKeyValues(HKEY key) { return {key, KeyGet, KeySet, KeyClear}; }

bool ReadValueCount(const NumberedValues& values, const wchar_t* countName, DWORD* count) {
  DWORD type = 0;
  DWORD got = 0;
  DWORD value = 0;
  if (values.get(values.target, countName, &type, reinterpret_cast<BYTE*>(&value), sizeof value, &got) !=
          ERROR_SUCCESS ||
      got != sizeof value) {
    return false;
  }
  *count = value;
  return true;
}

size_t ReadNumberedRecords(const NumberedValues& values, const wchar_t* countName, const wchar_t* format, int first,
                           size_t recordSize, size_t cap, void* out, bool* counted) {
  size_t wanted = cap;
  bool hasCount = false;
  if (countName != nullptr) {
    DWORD stored = 0;
    hasCount = ReadValueCount(values, countName, &stored);
    if (!hasCount) stored = 0;
    if (stored < wanted) wanted = stored;
  }
  if (counted != nullptr) *counted = hasCount;
  std::vector<BYTE> buffer(recordSize);
  BYTE* slots = static_cast<BYTE*>(out);
  size_t n = 0;
  for (; n < wanted; ++n) {
    wchar_t name[64];
    NameOf(format, first + static_cast<int>(n), name);
    DWORD type = 0;
    DWORD got = 0;
    if (values.get(values.target, name, &type, buffer.data(), static_cast<DWORD>(recordSize), &got) !=
            ERROR_SUCCESS ||
        got != recordSize) {
      break;
    }
    std::copy(buffer.begin(), buffer.end(), slots + n * recordSize);
  }
  return n;
}

bool WriteNumberedRecords(const NumberedValues& values, const wchar_t* countName, const wchar_t* format, int first,
                          size_t recordSize, const void* records, size_t count) {
  if (count > static_cast<size_t>(kMaxNumberedValues)) return false;
  const BYTE* bytes = static_cast<const BYTE*>(records);
  for (size_t i = 0; i < count; ++i) {
    wchar_t name[64];
    NameOf(format, first + static_cast<int>(i), name);
    if (values.set(values.target, name, REG_BINARY, bytes + i * recordSize, static_cast<DWORD>(recordSize)) !=
        ERROR_SUCCESS) {
      return false;
    }
  }
  if (countName != nullptr) {
    const DWORD value = static_cast<DWORD>(count);
    if (values.set(values.target, countName, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) !=
        ERROR_SUCCESS) {
      return false;
    }
  }
  for (int i = static_cast<int>(count); i < kMaxNumberedValues; ++i) {
    wchar_t name[64];
    NameOf(format, first + i, name);
    if (!values.clear(values.target, name)) break;
  }
  return true;
}
