#include "common/qxd/qxd_file.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

#include "common/win/module_path.h"

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

void ReleaseFileContext(QxdContext* ctx) {
  if (ctx->file != nullptr && ctx->file != INVALID_HANDLE_VALUE) CloseHandle(ctx->file);
  if (ctx->image != nullptr) GlobalFree(ctx->image);
  GlobalFree(ctx);
}

// Reads from the file in a loop until `length` bytes are read or the file
// ends.
uint32_t ReadFileAt(void* file, void* dst, uint32_t length, uint32_t offset) {
  LARGE_INTEGER position;
  position.QuadPart = offset;
  if (!SetFilePointerEx(static_cast<HANDLE>(file), position, nullptr, FILE_BEGIN)) return 0;
  uint32_t total = 0;
  while (total < length) {
    DWORD got = 0;
    if (!ReadFile(static_cast<HANDLE>(file), static_cast<uint8_t*>(dst) + total, length - total, &got,
                  nullptr)) {
      return kQxdReadError;
    }
    if (got == 0) break;
    total += got;
  }
  return total;
}

}  // namespace

QxdContext* QxdOpen(const void* path, int wide) {
  if (path == nullptr) return nullptr;
  size_t length = wide ? std::wcslen(static_cast<const wchar_t*>(path)) : std::strlen(static_cast<const char*>(path));
  // A longer path would be cut and could name another file.
  if (length > kQxdMaxPath) return nullptr;

  auto* ctx = static_cast<QxdContext*>(GlobalAlloc(GPTR, sizeof(QxdContext)));
  if (ctx == nullptr) return nullptr;
  ctx->wide = wide ? 1 : 0;
  ctx->release = ReleaseFileContext;
  ctx->readFile = ReadFileAt;
  HANDLE file;
  if (wide) {
    std::memcpy(ctx->widePath, path, length * sizeof(wchar_t));
    file = CreateFileW(reinterpret_cast<const wchar_t*>(ctx->widePath), GENERIC_READ, FILE_SHARE_READ, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  } else {
    std::memcpy(ctx->narrowPath, path, length);
    file = CreateFileA(ctx->narrowPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  if (file == INVALID_HANDLE_VALUE) {
    GlobalFree(ctx);
    return nullptr;
  }
  ctx->file = file;

  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size) || size.QuadPart < 0 || size.QuadPart > 0xFFFFFFFELL) {
    // Offsets in the format are 32-bit: a larger file is not one of ours.
    ctx->size = 0;
    return ctx;
  }
  ctx->size = static_cast<uint32_t>(size.QuadPart);

  auto* image = static_cast<uint8_t*>(GlobalAlloc(GPTR, ctx->size + 1));
  if (image != nullptr) {
    uint32_t got = ReadFileAt(file, image, ctx->size, 0);
    if (got == kQxdReadError) {
      GlobalFree(image);
    } else {
      ctx->image = image;  // a file that shrank leaves the rest zero
    }
  }
  LARGE_INTEGER zero{};
  SetFilePointerEx(file, zero, nullptr, FILE_BEGIN);
  return ctx;
}

QxdContext* QxdOpenBeside(HMODULE module, const wchar_t* fileName) {
  wchar_t path[MAX_PATH + 1];
  if (!SiblingFilePath(module, fileName, path, MAX_PATH + 1)) return nullptr;
  return QxdOpen(path, 1);
}
