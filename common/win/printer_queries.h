// Printer and driver facts from the spooler.  Every query answers 0, false,
// or an empty text when the spooler call fails; none shows a message.
#pragma once

#include <windows.h>

#include <cstddef>

// PRINTER_INFO_1 name, at most `capacity` - 1 characters.
bool QueryPrinterName(HANDLE printer, wchar_t* out, size_t capacity);
// DRIVER_INFO_1 name into 260 characters (zero-filled first).
bool QueryDriverName(HANDLE printer, wchar_t* out, void* unused);
// The same in a process-wide buffer (empty on failure) that the next call
// overwrites.
const wchar_t* GetPrinterDriverNameW(HANDLE printer);
// PRINTER_INFO_2 attributes hold PRINTER_ATTRIBUTE_RAW_ONLY.
bool IsRawOnlyPrinter(HANDLE printer);
// True when the machine has no local printer of this name, that is when the
// printer is a connection to another machine's queue.
bool IsLocalPrinterConnection(HANDLE printer);
// The caller may administer the printer.
bool IsPrinterAdministrable(const wchar_t* printerName);
// The printer's driver name ends in "Mono" (case-sensitive).  Opens the
// printer by name when no handle is given.
bool IsMonoDriverName(HANDLE printer, const wchar_t* printerName);

// True when the printer data "DefaultOEMDEV" holds exactly one document
// settings record; it is copied to `out` (8032 bytes) when one is given.
bool ReadDefaultOEMDEV(HANDLE printer, void* out);
