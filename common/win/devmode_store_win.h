// The printer-data store of the device settings: the 1244-byte DevDMode is
// kept per printer as two binary values, "Private DevMode01" with bytes
// 0-1023 and "Private DevMode02" with bytes 1024-1243.
#pragma once

#include <windows.h>

#include "common/records/settings_records.h"

// Result codes, shared with the settings interchange.
inline constexpr DWORD kDevModeStoreOk = 0;
inline constexpr DWORD kDevModeReadFailed = 4;
inline constexpr DWORD kDevModeWriteFailed = 5;

inline constexpr DWORD kDevModeChunkSize = 1024;
inline constexpr wchar_t kDevModeChunk1Name[] = L"Private DevMode01";
inline constexpr wchar_t kDevModeChunk2Name[] = L"Private DevMode02";

// How the store reaches printer data: the spooler's functions, or a stand-in
// that a test puts in front of them.  Each returns a Windows error code.
struct PrinterDataAccess {
  DWORD (*get)(void* context, HANDLE printer, const wchar_t* name, DWORD* type, BYTE* data,
               DWORD size, DWORD* needed);
  DWORD (*set)(void* context, HANDLE printer, const wchar_t* name, DWORD type, const BYTE* data,
               DWORD size);
  void* context;
};

// The spooler's GetPrinterDataW and SetPrinterDataW.
const PrinterDataAccess& SpoolerPrinterData();

// Reads the stored DevDMode into `buffer` (1244 bytes, zeroed first).  Each
// piece is placed at its own offset (the second always at byte 1024) and
// must have exactly its size; a piece of any other size is not ours, and the
// stored record then counts as absent (result 4, status 2), as it does when
// a value is missing.  Any other failed read gives 4 with the read's error
// code as status.  On failure the buffer is left all zero.  0 on success.
DWORD ReadPrivateDevModeData(HANDLE printer, DevDMode* buffer, DWORD* status);
DWORD ReadPrivateDevModeData(const PrinterDataAccess& access, HANDLE printer, DevDMode* buffer,
                             DWORD* status);

// Copies the stored record's DevOption into `buffer`; when no record is
// stored, copies the built-in DevOption and still returns 0.  Any other read
// failure returns 4 and leaves the buffer untouched.
DWORD ReadDevOptionFromPrinter(HANDLE printer, DevOption* buffer);
DWORD ReadDevOptionFromPrinter(const PrinterDataAccess& access, HANDLE printer, DevOption* buffer);

// Writes "Private DevMode01" (1024 bytes) and then "Private DevMode02" (220
// bytes).  5 at the first failed write; the second piece is then not
// written, and when the second write fails the first value is put back as it
// was (or emptied, when there was none to put back, so that the record reads
// as absent), so the store never holds a record made of two different
// writes.  0 when both writes succeed.
DWORD WritePrivateDevModeData(HANDLE printer, const DevDMode* record);
DWORD WritePrivateDevModeData(const PrinterDataAccess& access, HANDLE printer,
                              const DevDMode* record);
