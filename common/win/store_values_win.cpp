#include "common/win/store_values_win.h"

#include <winspool.h>

#include <cstring>
#include <vector>

#include "common/records/stored_counts.h"

namespace {

// Reads through a buffer one byte larger than the record, so that a longer
// value shows itself and the caller's record is written only when whole.
template <typename Query>
bool ReadWhole(Query query, void* out, DWORD size) {
  if (out == nullptr) return false;
  std::vector<BYTE> buffer(static_cast<size_t>(size) + 1);
  DWORD got = size + 1;
  if (!query(buffer.data(), &got) || !Store_IsWholeRecord(got, size)) return false;
  std::memcpy(out, buffer.data(), size);
  return true;
}

}  // namespace

bool Store_ReadRegRecord(HKEY key, const wchar_t* name, void* out, DWORD size) {
  if (key == nullptr) return false;
  return ReadWhole(
      [&](BYTE* data, DWORD* got) {
        return RegQueryValueExW(key, name, nullptr, nullptr, data, got) == ERROR_SUCCESS;
      },
      out, size);
}

uint32_t Store_ReadRegCount(HKEY key, const wchar_t* name, uint32_t maximum) {
  uint32_t count = 0;
  if (!Store_ReadRegRecord(key, name, &count, sizeof count)) return 0;
  return Store_CapCount(count, maximum);
}

bool Store_ReadPrinterRecord(HANDLE printer, const wchar_t* name, void* out, DWORD size) {
  if (printer == nullptr) return false;
  return ReadWhole(
      [&](BYTE* data, DWORD* got) {
        DWORD type = 0;
        const DWORD capacity = *got;
        return GetPrinterDataW(printer, const_cast<wchar_t*>(name), &type, data, capacity, got) == ERROR_SUCCESS;
      },
      out, size);
}

uint32_t Store_ReadPrinterCount(HANDLE printer, const wchar_t* name, uint32_t maximum) {
  uint32_t count = 0;
  if (!Store_ReadPrinterRecord(printer, name, &count, sizeof count)) return 0;
  return Store_CapCount(count, maximum);
}
