#include "dproc/easyset/easy_set_store_win.h"

#include <winspool.h>

#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "common/records/stored_counts.h"
#include "common/win/user_registry.h"

namespace {

constexpr wchar_t kDataCount[] = L"EasySetDataCnt";
constexpr wchar_t kDataName[] = L"EasySetData%04u";
constexpr wchar_t kOrderCount[] = L"EasySetOrderCnt";
constexpr wchar_t kOrderName[] = L"EasySetOrder%02u";
constexpr DWORD kOrderValueBytes = 192;

void NameOf(const wchar_t* format, uint32_t number, wchar_t (&name)[32]) {
  _snwprintf(name, 31, format, number);
  name[31] = 0;
}

// Clears the values numbered from `from` upward until one is not there.
void ClearFrom(const NumberedValues& values, const wchar_t* format, uint32_t from, uint32_t upTo) {
  for (uint32_t n = from; n <= upTo; ++n) {
    wchar_t name[32];
    NameOf(format, n, name);
    if (!values.clear(values.target, name)) break;
  }
}

bool WriteCount(const NumberedValues& values, const wchar_t* name, uint32_t count) {
  const DWORD value = count;
  return values.set(values.target, name, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
         ERROR_SUCCESS;
}

}  // namespace

size_t LoadEasySetChunks(const NumberedValues& values, EasySetList* list, uint32_t kind) {
  DWORD stored = 0;
  if (list == nullptr || !ReadValueCount(values, kDataCount, &stored)) return 0;
  const uint32_t count = Store_CapCount(stored, kMaxEasySetChunks);
  size_t total = 0;
  if (count == 0 || !Store_BlockSize(0, count, kEasySetChunkBytes, &total)) return 0;
  std::vector<uint8_t> bytes;
  try {
    bytes.resize(total);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  size_t read = 0;
  for (uint32_t n = 1; n <= count; ++n) {
    wchar_t name[32];
    NameOf(kDataName, n, name);
    const size_t left = total - read;
    const DWORD ask = static_cast<DWORD>(left < kEasySetChunkBytes ? left : kEasySetChunkBytes);
    DWORD type = 0;
    DWORD got = 0;
    if (values.get(values.target, name, &type, bytes.data() + read, ask, &got) != ERROR_SUCCESS || got > ask) {
      break;
    }
    read += got;
  }
  return AddStoredEasySets(list, bytes.data(), read, kind);
}

bool SaveEasySetChunks(const NumberedValues& values, const EasySetList& list, uint32_t kind) {
  const std::vector<uint8_t> bytes = EasySetStoreBytes(list, kind);
  const uint32_t chunks = EasySetChunkCount(bytes.size());
  if (chunks > kMaxEasySetChunks) return false;
  for (uint32_t n = 0; n < chunks; ++n) {
    wchar_t name[32];
    NameOf(kDataName, n + 1, name);
    const size_t at = static_cast<size_t>(n) * kEasySetChunkBytes;
    const size_t left = bytes.size() - at;
    const DWORD size = static_cast<DWORD>(left < kEasySetChunkBytes ? left : kEasySetChunkBytes);
    if (values.set(values.target, name, REG_BINARY, bytes.data() + at, size) != ERROR_SUCCESS) return false;
  }
  if (!WriteCount(values, kDataCount, chunks)) return false;
  ClearFrom(values, kDataName, chunks + 1, chunks + 1 + kMaxEasySetChunks * 4);
  SetLastError(ERROR_SUCCESS);
  return true;
}

void LoadSharedEasySets(HANDLE printer, EasySetList* list) {
  if (printer == nullptr || printer == INVALID_HANDLE_VALUE) return;
  LoadEasySetChunks(PrinterDataValues(printer), list, kEasySetShared);
}

void LoadUserEasySets(const wchar_t* printerName, const wchar_t* driverName, EasySetList* list) {
  UserSettingsKey key(printerName, driverName, L"");
  if (key.get() == nullptr) return;
  LoadEasySetChunks(RegistryKeyValues(key.get()), list, kEasySetUser);
}

bool SaveSharedEasySets(const EasySetList& list, HANDLE printer) {
  if (printer == nullptr || printer == INVALID_HANDLE_VALUE) return false;
  return SaveEasySetChunks(PrinterDataValues(printer), list, kEasySetShared);
}

bool SaveSharedEasySetsByName(const EasySetList& list, const wchar_t* printerName) {
  if (printerName == nullptr) return false;
  PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ACCESS_ADMINISTER};
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(printerName), &printer, &access)) return false;
  const bool ok = SaveSharedEasySets(list, printer);
  ClosePrinter(printer);
  return ok;
}

bool SaveUserEasySets(const EasySetList& list, const wchar_t* printerName, const wchar_t* driverName) {
  UserSettingsKey key(printerName, driverName, L"");
  if (key.get() == nullptr) return false;
  return SaveEasySetChunks(RegistryKeyValues(key.get()), list, kEasySetUser);
}

void ReadEasySetOrderValues(const NumberedValues& values, EasySetOrderTable* order) {
  if (order == nullptr) return;
  *order = EasySetOrderTable{};
  DWORD stored = 0;
  if (!ReadValueCount(values, kOrderCount, &stored)) return;
  // Beyond the table's entries nothing is read: a longer order names Easy
  // Sets no list can hold.
  const uint32_t count = Store_CapCount(stored, kMaxEasySetOrder);
  for (uint32_t n = 1; n <= count; ++n) {
    wchar_t name[32];
    NameOf(kOrderName, n, name);
    char16_t text[kOrderValueBytes / sizeof(char16_t) + 1] = {};
    DWORD type = 0;
    DWORD got = 0;
    if (values.get(values.target, name, &type, reinterpret_cast<BYTE*>(text), kOrderValueBytes, &got) !=
            ERROR_SUCCESS ||
        got > kOrderValueBytes) {
      continue;
    }
    size_t units = got / sizeof(char16_t);
    while (units > 0 && text[units - 1] == 0) --units;
    std::u16string_view value(text, units);
    const size_t nul = value.find(u'\0');
    if (nul != std::u16string_view::npos) value = value.substr(0, nul);
    if (ParseEasySetOrderValue(value, &order->entries[order->count])) ++order->count;
  }
}

bool SaveEasySetOrderValues(const NumberedValues& values, const EasySetList& list) {
  uint32_t n = 0;
  for (const EasySetNode* node = list.first; node != nullptr && n < kMaxEasySetOrder; node = node->next) {
    wchar_t name[32];
    NameOf(kOrderName, ++n, name);
    const std::u16string text = FormatEasySetOrderValue(*node);
    if (values.set(values.target, name, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(char16_t))) != ERROR_SUCCESS) {
      return false;
    }
  }
  ClearFrom(values, kOrderName, n + 1, n + 1 + kMaxEasySetOrder * 4);
  return WriteCount(values, kOrderCount, n);
}

void ReadEasySetOrder(const wchar_t* printerName, const wchar_t* driverName, EasySetOrderTable* order) {
  if (order == nullptr) return;
  *order = EasySetOrderTable{};
  UserSettingsKey key(printerName, driverName, L"");
  if (key.get() == nullptr) return;
  ReadEasySetOrderValues(RegistryKeyValues(key.get()), order);
}

bool SaveEasySetOrder(const EasySetList& list, const wchar_t* printerName, const wchar_t* driverName) {
  UserSettingsKey key(printerName, driverName, L"");
  if (key.get() == nullptr) return false;
  return SaveEasySetOrderValues(RegistryKeyValues(key.get()), list);
}
