#include "common/win/file_version_win.h"

#include <memory>
#include <new>

uint32_t FileProductMajorVersion(const wchar_t* path) {
  if (path == nullptr || path[0] == L'\0') return 0;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
  if (size == 0) return 0;
  std::unique_ptr<BYTE[]> data(new (std::nothrow) BYTE[size]);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  if (data && GetFileVersionInfoW(path, 0, size, data.get()) &&
      VerQueryValueW(data.get(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) && fixed != nullptr &&
      fixedSize >= sizeof *fixed) {
    return HIWORD(fixed->dwProductVersionMS);
  }
  return 0;
}
