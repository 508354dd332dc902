// The password front ends for a printer: they find the printer's key text
// (from its "InitDataBackup" printer data when the description file's key
// id is 0) and encipher or decipher in place with the method in force
// (ui_encryption_info.h).  An invalid printer handle only means that no
// printer key text is found: the default key text is used.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <cstdint>

#include "common/cipher/cipher_key_tables.h"

// Printer data value holding the printer's random key material: 64 bytes,
// four GUIDs.
inline constexpr wchar_t kInitDataBackupName[] = L"InitDataBackup";
inline constexpr DWORD kInitDataBackupSize = 64;

// The spooler and GUID functions the key material is read and made with.
struct PrinterKeyAccess {
  DWORD(WINAPI* getPrinterData)(HANDLE, LPWSTR, LPDWORD, LPBYTE, DWORD, LPDWORD);
  DWORD(WINAPI* setPrinterData)(HANDLE, LPWSTR, DWORD, LPBYTE, DWORD);
  BOOL(WINAPI* getPrinter)(HANDLE, DWORD, LPBYTE, DWORD, LPDWORD);
  HRESULT(WINAPI* createGuid)(GUID*);
};
// Puts other functions in place of the system's (tests); null restores the
// system's.  Also forgets every derived key text.
void SetPrinterKeyAccess(const PrinterKeyAccess* access);

// With key id 0: replaces the printer's "InitDataBackup" with 64 new random
// bytes and forgets the key text derived from the old value (passwords
// enciphered under it no longer decipher).  Other key ids: nothing.  The
// work of the export SetUIAesKeyInfo.
void RenewInitDataBackup(HANDLE printer);

// The printer's 20-character key text, or null: key id not 0, or the value
// is absent, unreadable or shorter than 42 bytes.  The text is derived once
// per printer and kept until RenewInitDataBackup changes the value; the
// pointer stays valid until the next call.
const char* GetInitDataKey(HANDLE printer);

// Enciphers the NUL-terminated text in `buffer` (`size` bytes) in place;
// returns the length of the enciphered bytes (method 0: the text's length),
// 0 for a null buffer or a buffer too small (text unchanged).
int32_t EncryptPassword(HANDLE printer, uint8_t* buffer, uint32_t size);
// Deciphers `length` stored bytes in place into a terminated text; returns
// its length.
uint32_t DecryptPassword(HANDLE printer, uint8_t* buffer, uint32_t length, uint32_t size);
// The same with AES for methods 1 and 2 (method 1: the built-in key).
int32_t EncryptPasswordAes(HANDLE printer, uint8_t* buffer, uint32_t size);
int32_t DecryptPasswordAes(HANDLE printer, uint8_t* buffer, uint32_t length, uint32_t size);
