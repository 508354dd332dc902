#include "dproc/quality/profile_store_win.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <cstring>

#include "common/win/printer_queries.h"
#include "common/win/store_values_win.h"
#include "common/win/user_registry.h"

namespace {

struct ListNames {
  const wchar_t* tail;
  const wchar_t* count;
  const wchar_t* record;  // with the record's number in decimal
};
ListNames NamesOf(ResidentProfileList list) {
  switch (list) {
    case ResidentProfileList::kRgbSource: return {L"Printer Resident\\RGB Source Profiles", L"RGBScNum", L"RGBSc%u"};
    case ResidentProfileList::kSimulation: return {L"Printer Resident\\Simulation Profiles", L"ICCSmNum", L"ICCSm%u"};
    default: return {L"Printer Resident\\Destination Profiles", L"DESTiNum", L"DESTi%u"};
  }
}

bool KeyPath(const wchar_t* driverName, const wchar_t* printerName, const ListNames& names, wchar_t* path,
             size_t capacity) {
  return driverName != nullptr && printerName != nullptr &&
         MakeUserSettingsPath(driverName, printerName, names.tail, path, capacity);
}

}  // namespace

bool LoadResidentProfiles(const wchar_t* driverName, const wchar_t* printerName, ResidentProfileList list,
                          ColorProfileRecord records[kResidentProfilesMax], uint32_t* count) {
  std::memset(records, 0, sizeof(ColorProfileRecord) * kResidentProfilesMax);
  const ListNames names = NamesOf(list);
  wchar_t path[1024];
  HKEY key = nullptr;
  if (!KeyPath(driverName, printerName, names, path, 1024) ||
      RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  DWORD stored = 0, type = 0, size = sizeof stored;
  if (RegQueryValueExW(key, names.count, nullptr, &type, reinterpret_cast<BYTE*>(&stored), &size) == ERROR_SUCCESS &&
      size == sizeof stored) {
    const uint32_t n = Store_ReadRegCount(key, names.count, kResidentProfilesMax);
    for (uint32_t i = 0; i < n; ++i) {
      wchar_t name[16];
      _snwprintf(name, 16, names.record, i);
      Store_ReadRegRecord(key, name, &records[i], sizeof(ColorProfileRecord));
    }
    if (count != nullptr) *count = n;
  }
  RegCloseKey(key);
  return true;
}

bool SaveResidentProfiles(const wchar_t* driverName, const wchar_t* printerName, ResidentProfileList list,
                          const ColorProfileRecord* records, uint32_t count) {
  const ListNames names = NamesOf(list);
  wchar_t path[1024];
  if (!KeyPath(driverName, printerName, names, path, 1024)) return false;
  UserSettingsKey key(printerName, driverName, names.tail);
  if (key.get() == nullptr) return false;
  const DWORD n = std::min(count, kResidentProfilesMax);
  if (RegSetValueExW(key.get(), names.count, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&n), sizeof n) !=
      ERROR_SUCCESS) {
    return false;
  }
  for (DWORD i = 0; i < n && records != nullptr; ++i) {
    wchar_t name[16];
    _snwprintf(name, 16, names.record, static_cast<unsigned>(i));
    if (RegSetValueExW(key.get(), name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(&records[i]),
                       sizeof(ColorProfileRecord)) != ERROR_SUCCESS) {
      return false;
    }
  }
  return true;
}

bool LoadResidentProfiles(HANDLE printer, ResidentProfileList list, ColorProfileRecord records[kResidentProfilesMax],
                          uint32_t* count) {
  wchar_t printerName[MAX_PATH + 1] = {}, driverName[MAX_PATH] = {};
  if (!QueryPrinterName(printer, printerName, MAX_PATH + 1) || !QueryDriverName(printer, driverName, nullptr)) {
    std::memset(records, 0, sizeof(ColorProfileRecord) * kResidentProfilesMax);
    return false;
  }
  return LoadResidentProfiles(driverName, printerName, list, records, count);
}

bool SaveResidentProfiles(HANDLE printer, ResidentProfileList list, const ColorProfileRecord* records,
                          uint32_t count) {
  wchar_t printerName[MAX_PATH + 1] = {}, driverName[MAX_PATH] = {};
  if (!QueryPrinterName(printer, printerName, MAX_PATH + 1) || !QueryDriverName(printer, driverName, nullptr)) {
    return false;
  }
  return SaveResidentProfiles(driverName, printerName, list, records, count);
}
