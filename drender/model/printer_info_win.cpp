// Printer information and code-page conversions.
#include "drender/model/printer_info.h"

#include <winspool.h>

#include <cstring>
#include <cwchar>
#include <memory>

namespace {

BOOL CopyText(const wchar_t* text, void* buffer, DWORD size) {
  if (!text || size < sizeof(wchar_t)) return FALSE;
  auto* out = static_cast<wchar_t*>(buffer);
  size_t capacity = size / sizeof(wchar_t) - 1;
  size_t length = wcslen(text);
  if (length > capacity) length = capacity;
  wmemcpy(out, text, length);
  out[length] = 0;
  return TRUE;
}

}  // namespace

BOOL Rdc_GetPrinterInfo(HANDLE printer, void* buffer, DWORD size, int item) {
  if (!buffer) return FALSE;
  std::memset(buffer, 0, size);
  DWORD needed = 0;
  if (GetPrinterW(printer, 2, nullptr, 0, &needed) || GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) {
    return FALSE;
  }
  std::unique_ptr<BYTE[]> block(new (std::nothrow) BYTE[needed]);
  if (!block) return FALSE;
  DWORD got = 0;
  if (!GetPrinterW(printer, 2, block.get(), needed, &got)) return FALSE;
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(block.get());
  switch (item) {
    case kPrinterInfoDriverName:
    case kPrinterInfoDriverName2:
      return CopyText(info->pDriverName, buffer, size);
    case kPrinterInfoPrintProcessor:
      return CopyText(info->pPrintProcessor, buffer, size);
    case kPrinterInfoPortName:
      return CopyText(info->pPortName, buffer, size);
    case kPrinterInfoPrinterName:
      return CopyText(info->pPrinterName, buffer, size);
    case kPrinterInfoAttributes:
      if (size < sizeof(DWORD)) return FALSE;
      std::memcpy(buffer, &info->Attributes, sizeof(DWORD));
      return TRUE;
    case kPrinterInfoDevMode: {
      const DEVMODEW* devmode = info->pDevMode;
      if (!devmode) return FALSE;
      // The DEVMODE must lie inside the block the spooler filled.
      const BYTE* start = reinterpret_cast<const BYTE*>(devmode);
      const BYTE* end = block.get() + needed;
      if (start < block.get() || start >= end ||
          static_cast<size_t>(end - start) < offsetof(DEVMODEW, dmDriverExtra) + sizeof(WORD)) {
        return FALSE;
      }
      size_t length = static_cast<size_t>(devmode->dmSize) + devmode->dmDriverExtra;
      if (length > static_cast<size_t>(end - start)) return FALSE;
      if (length > size) length = size;
      std::memcpy(buffer, devmode, length);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

int Rdc_ToAnsi(const wchar_t* text, int count, char* out, int outSize, int codePage) {
  if (!out || outSize <= 0) return 0;
  std::memset(out, 0, static_cast<size_t>(outSize));
  if (!text) return 0;
  UINT page = codePage == -1 ? GetACP() : static_cast<UINT>(codePage);
  WideCharToMultiByte(page, 0, text, count, out, outSize, nullptr, nullptr);
  out[outSize - 1] = 0;
  return static_cast<int>(strlen(out));
}

int Rdc_FromAnsi(const char* text, int count, wchar_t* out, int outSize) {
  int chars = outSize / static_cast<int>(sizeof(wchar_t));
  if (!out || chars <= 0) return 0;
  std::memset(out, 0, static_cast<size_t>(chars) * sizeof(wchar_t));
  if (!text) return 0;
  MultiByteToWideChar(CP_ACP, 0, text, count, out, chars);
  out[chars - 1] = 0;
  return static_cast<int>(wcslen(out));
}
