#include "common/win/devmode_store_win.h"

#include <winspool.h>

#include <cstring>

#include "common/records/builtin_dev_option.h"

namespace {

static_assert(kDevDModeSize > kDevModeChunkSize && kDevDModeSize <= 2 * kDevModeChunkSize);
constexpr DWORD kChunk2Size = kDevDModeSize - kDevModeChunkSize;  // 220

DWORD SpoolerGet(void*, HANDLE printer, const wchar_t* name, DWORD* type, BYTE* data, DWORD size,
                 DWORD* needed) {
  return GetPrinterDataW(printer, const_cast<wchar_t*>(name), type, data, size, needed);
}

DWORD SpoolerSet(void*, HANDLE printer, const wchar_t* name, DWORD type, const BYTE* data, DWORD size) {
  return SetPrinterDataW(printer, const_cast<wchar_t*>(name), type, const_cast<BYTE*>(data), size);
}

// Reads one piece of exactly `size` bytes.  A value of another size is a
// stranger's and counts as missing.
DWORD ReadPiece(const PrinterDataAccess& access, HANDLE printer, const wchar_t* name, BYTE* dst,
                DWORD size) {
  DWORD type = 0;
  DWORD needed = 0;
  const DWORD error = access.get(access.context, printer, name, &type, dst, size, &needed);
  if (error == ERROR_MORE_DATA) return ERROR_FILE_NOT_FOUND;
  if (error != ERROR_SUCCESS) return error;
  return needed == size ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

}  // namespace

const PrinterDataAccess& SpoolerPrinterData() {
  static const PrinterDataAccess access = {SpoolerGet, SpoolerSet, nullptr};
  return access;
}

DWORD ReadPrivateDevModeData(HANDLE printer, DevDMode* buffer, DWORD* status) {
  return ReadPrivateDevModeData(SpoolerPrinterData(), printer, buffer, status);
}

DWORD ReadPrivateDevModeData(const PrinterDataAccess& access, HANDLE printer, DevDMode* buffer,
                             DWORD* status) {
  DWORD ignored = 0;
  if (status == nullptr) status = &ignored;
  if (buffer == nullptr) {
    *status = ERROR_INVALID_PARAMETER;
    return kDevModeReadFailed;
  }
  BYTE* bytes = reinterpret_cast<BYTE*>(buffer);
  std::memset(bytes, 0, kDevDModeSize);
  DWORD error = ReadPiece(access, printer, kDevModeChunk1Name, bytes, kDevModeChunkSize);
  if (error == ERROR_SUCCESS) {
    error = ReadPiece(access, printer, kDevModeChunk2Name, bytes + kDevModeChunkSize, kChunk2Size);
  }
  if (error != ERROR_SUCCESS) {
    std::memset(bytes, 0, kDevDModeSize);
    *status = error;
    return kDevModeReadFailed;
  }
  *status = ERROR_SUCCESS;
  return kDevModeStoreOk;
}

DWORD ReadDevOptionFromPrinter(HANDLE printer, DevOption* buffer) {
  return ReadDevOptionFromPrinter(SpoolerPrinterData(), printer, buffer);
}

DWORD ReadDevOptionFromPrinter(const PrinterDataAccess& access, HANDLE printer, DevOption* buffer) {
  if (buffer == nullptr) return kDevModeReadFailed;
  DevDMode stored;
  DWORD status = ERROR_SUCCESS;
  if (ReadPrivateDevModeData(access, printer, &stored, &status) == kDevModeStoreOk) {
    std::memcpy(buffer, &stored.option, sizeof *buffer);
    return kDevModeStoreOk;
  }
  if (status != ERROR_FILE_NOT_FOUND) return kDevModeReadFailed;
  std::memcpy(buffer, &BuiltInDevOption(), sizeof *buffer);
  return kDevModeStoreOk;
}

DWORD WritePrivateDevModeData(HANDLE printer, const DevDMode* record) {
  return WritePrivateDevModeData(SpoolerPrinterData(), printer, record);
}

DWORD WritePrivateDevModeData(const PrinterDataAccess& access, HANDLE printer,
                              const DevDMode* record) {
  if (record == nullptr) return kDevModeWriteFailed;
  const BYTE* bytes = reinterpret_cast<const BYTE*>(record);
  // The first piece as it is now, to put back if the second write fails.
  BYTE previous[kDevModeChunkSize];
  DWORD type = 0;
  DWORD previousSize = 0;
  const DWORD previousError = access.get(access.context, printer, kDevModeChunk1Name, &type,
                                         previous, sizeof previous, &previousSize);

  if (access.set(access.context, printer, kDevModeChunk1Name, REG_BINARY, bytes,
                 kDevModeChunkSize) != ERROR_SUCCESS) {
    return kDevModeWriteFailed;
  }
  if (access.set(access.context, printer, kDevModeChunk2Name, REG_BINARY,
                 bytes + kDevModeChunkSize, kChunk2Size) != ERROR_SUCCESS) {
    if (previousError == ERROR_SUCCESS && previousSize <= sizeof previous) {
      access.set(access.context, printer, kDevModeChunk1Name, type, previous, previousSize);
    } else {
      // No earlier piece to put back: an empty piece reads as absent, as the
      // record did before.  (The spooler of some systems cannot delete
      // printer data, so the value is emptied rather than removed.)
      access.set(access.context, printer, kDevModeChunk1Name, REG_BINARY, previous, 0);
    }
    return kDevModeWriteFailed;
  }
  return kDevModeStoreOk;
}
