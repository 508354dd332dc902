#include "common/cipher/password_cipher_win.h"

#include <objbase.h>

#include <cstring>
#include <memory>
#include <new>

#include "common/cipher/password_cipher.h"

namespace {

// Larger stored values are not key material this driver wrote.
constexpr DWORD kInitDataLargest = 64 * 1024;
constexpr size_t kCachedPrinters = 8;
constexpr size_t kNameCapacity = 260;

PrinterKeyAccess SystemAccess() { return {GetPrinterDataW, SetPrinterDataW, GetPrinterW, CoCreateGuid}; }

PrinterKeyAccess g_access = SystemAccess();

// Key texts derived in this process, one per printer name.
struct CachedKeyText {
  bool used;
  wchar_t printer[kNameCapacity];
  char text[kKeyTextLength + 1];
};
CachedKeyText g_cache[kCachedPrinters];
size_t g_nextSlot = 0;

void ForgetKeyTexts() {
  std::memset(g_cache, 0, sizeof g_cache);
  g_nextSlot = 0;
}

// The printer's name through its handle (information level 4), cut to the
// capacity.  False when the handle does not answer.
bool PrinterName(HANDLE printer, wchar_t* out) {
  DWORD needed = 0;
  g_access.getPrinter(printer, 4, nullptr, 0, &needed);
  if (needed < sizeof(PRINTER_INFO_4W) || needed > 64 * 1024) return false;
  std::unique_ptr<BYTE[]> info(new (std::nothrow) BYTE[needed]());
  if (info == nullptr || !g_access.getPrinter(printer, 4, info.get(), needed, &needed)) return false;
  const auto* level4 = reinterpret_cast<const PRINTER_INFO_4W*>(info.get());
  if (level4->pPrinterName == nullptr) return false;
  size_t length = wcsnlen(level4->pPrinterName, kNameCapacity - 1);
  std::memcpy(out, level4->pPrinterName, length * sizeof(wchar_t));
  out[length] = L'\0';
  return true;
}

// Reads and derives the key text; false when there is none.
bool ReadInitDataKey(HANDLE printer, char text[kKeyTextLength + 1]) {
  DWORD type = 0, needed = 0;
  LPWSTR name = const_cast<LPWSTR>(kInitDataBackupName);
  g_access.getPrinterData(printer, name, &type, nullptr, 0, &needed);
  if (needed == 0 || needed > kInitDataLargest) return false;
  std::unique_ptr<BYTE[]> value(new (std::nothrow) BYTE[needed]());
  DWORD got = 0;
  if (value == nullptr) return false;
  if (g_access.getPrinterData(printer, name, &type, value.get(), needed, &got) != ERROR_SUCCESS) return false;
  if (got > needed) got = needed;
  return DeriveInitDataKeyText(value.get(), got, text);
}

// Only the AES method with key id 0 takes the printer's key text.
const char* KeyTextFor(HANDLE printer) {
  return GetUiEncryptionInfo().method == kCipherMethodAes ? GetInitDataKey(printer) : nullptr;
}

}  // namespace

void SetPrinterKeyAccess(const PrinterKeyAccess* access) {
  g_access = access != nullptr ? *access : SystemAccess();
  ForgetKeyTexts();
}

void RenewInitDataBackup(HANDLE printer) {
  if (GetUiEncryptionInfo().keyId != 0) return;
  BYTE value[kInitDataBackupSize];
  for (size_t i = 0; i < kInitDataBackupSize / sizeof(GUID); ++i) {
    GUID guid;
    // Without randomness there is no key material to store; the old value
    // (or the default key text) stays in use.
    if (FAILED(g_access.createGuid(&guid))) return;
    std::memcpy(value + i * sizeof(GUID), &guid, sizeof guid);
  }
  g_access.setPrinterData(printer, const_cast<LPWSTR>(kInitDataBackupName), REG_BINARY, value, sizeof value);
  ForgetKeyTexts();
  SecureZeroMemory(value, sizeof value);
}

const char* GetInitDataKey(HANDLE printer) {
  if (GetUiEncryptionInfo().keyId != 0) return nullptr;
  wchar_t name[kNameCapacity];
  const bool named = PrinterName(printer, name);
  if (named) {
    for (CachedKeyText& entry : g_cache) {
      if (entry.used && wcscmp(entry.printer, name) == 0) return entry.text;
    }
  }
  static char uncached[kKeyTextLength + 1];
  char text[kKeyTextLength + 1];
  if (!ReadInitDataKey(printer, text)) return nullptr;
  if (!named) {
    std::memcpy(uncached, text, sizeof text);
    return uncached;
  }
  CachedKeyText& slot = g_cache[g_nextSlot];
  g_nextSlot = (g_nextSlot + 1) % kCachedPrinters;
  slot.used = true;
  std::memcpy(slot.printer, name, sizeof name);
  std::memcpy(slot.text, text, sizeof text);
  return slot.text;
}

int32_t EncryptPassword(HANDLE printer, uint8_t* buffer, uint32_t size) {
  return EncryptPasswordWithKey(GetUiEncryptionInfo(), KeyTextFor(printer), buffer, size);
}

uint32_t DecryptPassword(HANDLE printer, uint8_t* buffer, uint32_t length, uint32_t size) {
  return DecryptPasswordWithKey(GetUiEncryptionInfo(), KeyTextFor(printer), buffer, length, size);
}

int32_t EncryptPasswordAes(HANDLE printer, uint8_t* buffer, uint32_t size) {
  return EncryptPasswordAesWithKey(GetUiEncryptionInfo(), KeyTextFor(printer), buffer, size);
}

int32_t DecryptPasswordAes(HANDLE printer, uint8_t* buffer, uint32_t length, uint32_t size) {
  return DecryptPasswordAesWithKey(GetUiEncryptionInfo(), KeyTextFor(printer), buffer, length, size);
}
