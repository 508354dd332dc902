// The form file dialog that the procedure library VELDRANA exports as
// GetFormFileName: it names an existing overlay form file (import) or a new
// one with its form name (create).  Byte-packed as callers pass it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

inline constexpr size_t kFormRequestPathChars = 260;
inline constexpr size_t kFormRequestNameChars = 64;

#pragma pack(push, 1)
struct FormFileRequest {
  uint32_t mode;                 // non-zero: import an existing file; 0: create a new one
  const wchar_t* makerName;
  const wchar_t* printerName;
  const wchar_t* driverName;
  HWND owner;                    // or null
  wchar_t path[kFormRequestPathChars];      // in: where to start; out: the chosen file
  wchar_t formName[kFormRequestNameChars];  // in: the starting name; out (create): the name typed
};
#pragma pack(pop)
#if UINTPTR_MAX > 0xFFFFFFFFu
static_assert(sizeof(FormFileRequest) == 684);
static_assert(offsetof(FormFileRequest, path) == 36);
static_assert(offsetof(FormFileRequest, formName) == 556);
#else
static_assert(sizeof(FormFileRequest) == 668);
static_assert(offsetof(FormFileRequest, path) == 20);
#endif

inline constexpr char kGetFormFileName[] = "GetFormFileName";
// Non-zero when the user chose a file; 0 when cancelled or without a block.
using GetFormFileNameFn = BOOL(WINAPI*)(FormFileRequest* request);
