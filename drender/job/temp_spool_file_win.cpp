// Temporary page files on disk.
#include "drender/job/temp_spool_file.h"

#include <windows.h>

#include <cwchar>

namespace {

// Names tried after the job's own one when that is taken by another job.
constexpr uint32_t kNameAttempts = 64;

bool FileSeek(void* file, uint32_t offset) {
  LARGE_INTEGER to{};
  to.QuadPart = offset;
  return SetFilePointerEx(file, to, nullptr, FILE_BEGIN) != 0;
}
bool FileWrite(void* file, const void* bytes, uint32_t length, uint32_t* written) {
  DWORD done = 0;
  BOOL ok = WriteFile(file, bytes, length, &done, nullptr);
  *written = done;
  return ok != 0;
}
bool FileRead(void* file, void* buffer, uint32_t length, uint32_t* read) {
  DWORD done = 0;
  BOOL ok = ReadFile(file, buffer, length, &done, nullptr);
  *read = done;
  return ok != 0;
}
bool FileTruncate(void* file) { return SetEndOfFile(file) != 0; }
void FileRemove(void* file, const char16_t* name) {
  CloseHandle(file);
  // The file was opened to be deleted on close; this covers a system that
  // ignored that.
  if (name && name[0]) DeleteFileW(reinterpret_cast<const wchar_t*>(name));
}

constexpr SpoolFileOps kWindowsFileOps = {FileSeek, FileWrite, FileRead, FileTruncate, FileRemove};

}  // namespace

const SpoolFileOps* Spool_WindowsFileOps() { return &kWindowsFileOps; }

uint32_t Spool_MakeTempName(uint32_t number, char16_t name[kSpoolTempNameChars]) {
  if (!name) return 0;
  wchar_t path[MAX_PATH + 1] = {};
  DWORD length = GetTempPathW(MAX_PATH + 1, path);
  if (length == 0 || length > 246) return 0;
  wchar_t file[16];
  swprintf(file, 16, L"kp%06x.tmp", number & 0xFFFFFFu);
  if (length + wcslen(file) + 1 > kSpoolTempNameChars) return 0;
  size_t at = 0;
  for (DWORD i = 0; i < length; ++i) name[at++] = static_cast<char16_t>(path[i]);
  for (size_t i = 0; file[i]; ++i) name[at++] = static_cast<char16_t>(file[i]);
  name[at] = 0;
  return 1;
}

TempSpool* Spool_Create(uint32_t number, uint16_t kind) {
  if (kind != kSpoolFile) return Spool_CreateMemory();
  char16_t name[kSpoolTempNameChars];
  for (uint32_t attempt = 0; attempt < kNameAttempts; ++attempt) {
    if (!Spool_MakeTempName(number + attempt, name)) return nullptr;
    // A name that is taken may be the page file of a live job: never
    // replace it, take the next number instead.
    HANDLE file = CreateFileW(reinterpret_cast<const wchar_t*>(name), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      DWORD error = GetLastError();
      if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS || error == ERROR_SHARING_VIOLATION ||
          error == ERROR_ACCESS_DENIED) {
        continue;
      }
      return nullptr;
    }
    TempSpool* spool = Spool_CreateOverFile(file, &kWindowsFileOps, name);
    if (!spool) FileRemove(file, name);
    return spool;
  }
  return nullptr;
}

uint32_t Rdc_ReadFileFully(void* file, void* buffer, uint32_t count, uint32_t* bytesRead) {
  uint32_t got = 0;
  auto* to = static_cast<uint8_t*>(buffer);
  uint32_t result = 1;
  while (got < count) {
    DWORD done = 0;
    if (!ReadFile(file, to + got, count - got, &done, nullptr)) {
      result = 0;
      break;
    }
    if (done == 0) break;
    got += done;
  }
  if (bytesRead) *bytesRead = got;
  return result;
}
