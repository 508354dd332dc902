#include "common/win/inter_sheet_store.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "common/records/inter_sheet_rules.h"
#include "common/records/stored_counts.h"
#include "common/win/store_values_win.h"
#include "common/win/user_registry.h"

namespace {

// The list's name, cut to its field: a longer stored name keeps its first
// characters; a name longer than any list name could be is not read.
void ReadListName(HKEY key, char16_t (&name)[kInterSheetNameUnits]) {
  wchar_t text[256] = {};
  DWORD bytes = sizeof text - sizeof text[0];
  if (RegQueryValueExW(key, L"InterSheetListName", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &bytes) !=
      ERROR_SUCCESS) {
    return;
  }
  for (size_t i = 0; i + 1 < kInterSheetNameUnits && text[i] != L'\0'; ++i) name[i] = static_cast<char16_t>(text[i]);
}

}  // namespace

HKEY OpenInterSheetListKey(const wchar_t* printerName, const wchar_t* driverName, int listNumber) {
  wchar_t tail[32];
  swprintf(tail, 32, L"InterSheetList%d", listNumber);
  wchar_t path[1024];
  if (!MakeUserSettingsPath(driverName, printerName, tail, path, 1024)) return nullptr;
  HKEY key = nullptr;
  return OpenUserRegKey(nullptr, path, &key) == ERROR_SUCCESS ? key : nullptr;
}

InterSheetList* LoadInterSheetList(const wchar_t* printerName, const wchar_t* driverName, int listNumber,
                                   bool skipExcluded) {
  auto* list = static_cast<InterSheetList*>(GlobalAlloc(GPTR, sizeof(InterSheetList)));
  if (list == nullptr) return nullptr;
  HKEY key = OpenInterSheetListKey(printerName, driverName, listNumber);
  if (key == nullptr) return list;

  ReadListName(key, list->name);

  DWORD count = 0;
  if (!Store_ReadRegRecord(key, L"ISPageListNum", &count, sizeof count)) count = 0;
  count = Store_CapCount(count, kInterSheetMaxEntries);
  // Entries are read one by one, so that a count that the key does not back
  // never decides an allocation.
  std::vector<InterSheetEntry> entries;
  for (DWORD i = 1; i <= count; ++i) {
    wchar_t name[32];
    swprintf(name, 32, L"ISPageListData%u", static_cast<unsigned>(i));
    InterSheetEntry entry;
    if (!Store_ReadRegRecord(key, name, &entry, sizeof entry)) break;
    if (skipExcluded && entry.excluded != 0) continue;
    entries.push_back(entry);
  }
  if (!entries.empty()) {
    list->entries = static_cast<InterSheetEntry*>(GlobalAlloc(GPTR, entries.size() * sizeof(InterSheetEntry)));
    if (list->entries == nullptr) {
      RegCloseKey(key);
      GlobalFree(list);
      return nullptr;
    }
    std::memcpy(list->entries, entries.data(), entries.size() * sizeof(InterSheetEntry));
    list->count = static_cast<uint32_t>(entries.size());
  }
  TabSettings tab;
  if (Store_ReadRegRecord(key, L"TabSettingData", &tab, sizeof tab)) list->tab = tab;
  RegCloseKey(key);
  return list;
}

bool SaveInterSheetList(const wchar_t* printerName, const wchar_t* driverName, int listNumber,
                        const InterSheetList* list) {
  if (list == nullptr || (list->count != 0 && list->entries == nullptr)) return false;
  HKEY key = OpenInterSheetListKey(printerName, driverName, listNumber);
  if (key == nullptr) return false;
  auto put = [key](const wchar_t* name, DWORD type, const void* data, DWORD size) {
    return RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
  };
  wchar_t name[kInterSheetNameUnits] = {};
  for (size_t i = 0; i + 1 < kInterSheetNameUnits && list->name[i] != u'\0'; ++i) name[i] = list->name[i];
  bool ok = put(L"InterSheetListName", REG_SZ, name, static_cast<DWORD>((wcslen(name) + 1) * sizeof(wchar_t)));
  const uint32_t count = Store_CapCount(list->count, kInterSheetMaxEntries);
  for (uint32_t i = 1; ok && i <= count; ++i) {
    wchar_t value[32];
    swprintf(value, 32, L"ISPageListData%u", static_cast<unsigned>(i));
    ok = put(value, REG_BINARY, &list->entries[i - 1], sizeof(InterSheetEntry));
  }
  // The count only after its entries, the tab sheet only after the count:
  // a list cut short keeps the count and geometry it had.
  const DWORD stored = count;
  ok = ok && put(L"ISPageListNum", REG_DWORD, &stored, sizeof stored);
  ok = ok && put(L"TabSettingData", REG_BINARY, &list->tab, sizeof list->tab);
  RegCloseKey(key);
  return ok;
}

InterSheetList* CopyInterSheetList(const InterSheetList* list) {
  if (list == nullptr) return nullptr;
  auto* copy = static_cast<InterSheetList*>(GlobalAlloc(GPTR, sizeof(InterSheetList)));
  if (copy == nullptr) return nullptr;
  std::memcpy(copy, list, sizeof *copy);
  copy->entries = nullptr;
  if (list->count != 0 && list->entries != nullptr) {
    copy->entries = static_cast<InterSheetEntry*>(GlobalAlloc(GPTR, size_t{list->count} * sizeof(InterSheetEntry)));
    if (copy->entries == nullptr) {
      GlobalFree(copy);
      return nullptr;
    }
    std::memcpy(copy->entries, list->entries, size_t{list->count} * sizeof(InterSheetEntry));
  } else {
    copy->count = 0;
  }
  return copy;
}

void FreeInterSheetList(InterSheetList* list) {
  if (list == nullptr) return;
  if (list->entries != nullptr) GlobalFree(list->entries);
  GlobalFree(list);
}
