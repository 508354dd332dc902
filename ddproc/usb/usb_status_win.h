// The USB status query: a small raw PJL job through the spooler asks the
// device for its option status and names a file, into which the printer's
// port writes the answer as INI text; the section "PrinterStatus" becomes a
// key/value list (UsbStatusList, ddproc_functions.h).
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "common/contracts/ddproc_functions.h"

// The spooler calls and the wait of the query; tests put their own in.
struct UsbSpoolerAccess {
  DWORD(WINAPI* startDoc)(HANDLE printer, DWORD level, LPBYTE info);
  BOOL(WINAPI* writePrinter)(HANDLE printer, LPVOID data, DWORD size, LPDWORD written);
  BOOL(WINAPI* endDoc)(HANDLE printer);
  void(WINAPI* sleep)(DWORD milliseconds);
};
// Null restores the system's functions.
void SetUsbSpoolerAccess(const UsbSpoolerAccess* access);

inline constexpr int kUsbReplyTries = 5;
inline constexpr DWORD kUsbReplyWaitMs = 1000;
// A reply with more keys than this is read up to it.
inline constexpr uint32_t kUsbMaxPairs = 4096;

// The job text that asks for the status and names `replyPath`.
std::string UsbStatusJobText(const char* replyPath);
// Sends the job on `printer`, waits for the reply file and reads it; null
// when the spooler refuses the job, no reply comes, or memory runs out.
UsbStatusList* GetPrinterStatusUsb(HANDLE printer);
// Reads the section "PrinterStatus" of an INI file into a new list (no
// section: a list of 0 pairs); null when memory runs out.
UsbStatusList* GetPrinterStatusUsbFile(const char* path);
// Frees a list made here; null is ignored.
void DeletePrinterStatusUsb(UsbStatusList* list);
