#include "dproc/saved/settings_file_io_win.h"

#include <string>
#include <vector>

namespace {

struct FileHandle {
  HANDLE h;
  explicit FileHandle(HANDLE handle) : h(handle) {}
  ~FileHandle() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
};

// Repeats WriteFile until every byte is written.
bool WriteAll(HANDLE file, const char* data, size_t size) {
  while (size > 0) {
    DWORD written = 0;
    const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    if (!WriteFile(file, data, chunk, &written, nullptr) || written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

bool ToWide(std::string_view narrow, std::u16string* wide) {
  wide->clear();
  if (narrow.empty()) return true;
  const int n = MultiByteToWideChar(CP_ACP, 0, narrow.data(), static_cast<int>(narrow.size()), nullptr, 0);
  if (n <= 0) return false;
  wide->resize(n);
  return MultiByteToWideChar(CP_ACP, 0, narrow.data(), static_cast<int>(narrow.size()),
                             reinterpret_cast<wchar_t*>(wide->data()), n) == n;
}

bool ToNarrow(std::u16string_view wide, std::string* narrow) {
  narrow->clear();
  if (wide.empty()) return true;
  const auto* w = reinterpret_cast<const wchar_t*>(wide.data());
  const int n = WideCharToMultiByte(CP_ACP, 0, w, static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return false;
  narrow->resize(n);
  return WideCharToMultiByte(CP_ACP, 0, w, static_cast<int>(wide.size()), narrow->data(), n, nullptr, nullptr) == n;
}

}  // namespace

std::unique_ptr<IniDoc> ReadSettingsFile(const wchar_t* path) {
  if (path == nullptr || path[0] == L'\0') {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  FileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.h == INVALID_HANDLE_VALUE) return nullptr;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.h, &size)) return nullptr;
  // A settings file is a few tens of kilobytes; anything beyond 64 MB is
  // no settings file.
  if (size.QuadPart > (64 << 20)) {
    SetLastError(ERROR_FILE_TOO_LARGE);
    return nullptr;
  }
  std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    if (!ReadFile(file.h, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr)) return nullptr;
    if (read == 0) {
      SetLastError(ERROR_HANDLE_EOF);
      return nullptr;
    }
    done += read;
  }
  auto doc = IniDoc_ParseFileBytes(bytes.data(), bytes.size());
  if (!doc) SetLastError(ERROR_NO_UNICODE_TRANSLATION);
  return doc;
}

bool WriteSettingsFile(const IniDoc& doc, const wchar_t* path) {
  if (path == nullptr || path[0] == L'\0') {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  std::string bytes;
  if (!IniDoc_FileBytes(doc, &bytes)) {
    SetLastError(ERROR_NO_DATA);
    return false;
  }
  // The new file goes beside the target, so that the move replaces it on
  // the same volume.
  std::wstring temp(path);
  temp += L".new";
  for (int attempt = 0;; ++attempt) {
    FileHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.h == INVALID_HANDLE_VALUE) {
      if (GetLastError() == ERROR_FILE_EXISTS && attempt < 100) {
        temp = std::wstring(path) + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(attempt) + L".new";
        continue;
      }
      return false;
    }
    const bool written = WriteAll(file.h, bytes.data(), bytes.size()) && FlushFileBuffers(file.h);
    if (written) break;
    const DWORD error = GetLastError();
    CloseHandle(file.h);
    file.h = INVALID_HANDLE_VALUE;
    DeleteFileW(temp.c_str());
    SetLastError(error);
    return false;
  }
  if (!MoveFileExW(temp.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    DeleteFileW(temp.c_str());
    SetLastError(error);
    return false;
  }
  return true;
}

const AnsiCodec& SystemAnsiCodec() {
  static const AnsiCodec codec{ToWide, ToNarrow};
  return codec;
}
