// Reads of the spooler's printer information for the render core, and the
// two code-page conversions it uses.
#pragma once

#include <windows.h>

// Items of Rdc_GetPrinterInfo.
enum : int {
  kPrinterInfoDriverName = 0,
  kPrinterInfoPrintProcessor = 4,
  kPrinterInfoDevMode = 10,
  kPrinterInfoDriverName2 = 11,
  kPrinterInfoPortName = 12,
  kPrinterInfoAttributes = 13,
  kPrinterInfoPrinterName = 14,
};

// One item of the printer's PRINTER_INFO_2W into `buffer` of `size` bytes,
// which is zero-filled first.  Texts are cut to size / 2 - 1 characters and
// terminated; the DEVMODE item copies dmSize + dmDriverExtra bytes, at most
// `size`, and only when they lie inside what the spooler returned.  FALSE
// for a missing text or DEVMODE, an unknown item, too small a buffer for
// the attributes, or a failing spooler call.
BOOL Rdc_GetPrinterInfo(HANDLE printer, void* buffer, DWORD size, int item);

// Wide to narrow in `codePage` (-1: the system ANSI code page); `count` -1
// for a terminated text.  The output (of `outSize` bytes) is zero-filled
// first and always terminated; the result is the length of the text in it.
int Rdc_ToAnsi(const wchar_t* text, int count, char* out, int outSize, int codePage);
// Narrow in the system ANSI code page to wide; `outSize` in bytes.  The
// result is the length in characters of the terminated text in the output.
int Rdc_FromAnsi(const char* text, int count, wchar_t* out, int outSize);
