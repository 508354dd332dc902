// The printer address resolver: the host name or address of the device
// behind a printer's port, for the device queries.  Sources, in order: the
// port monitor's "IPAddress" through XcvDataW (WSD ports through the Plug
// and Play registry), the registry keys of the known TCP/IP port monitors,
// and for a printer connection the host in its port text (an IPP address
// or a UNC name).
//
// Every operation that writes ANSI text follows one rule: when the text
// fits it is written with its NUL and `needed` receives the bytes written;
// when it does not fit, or no buffer is given, nothing is written, `needed`
// receives the size required, the last error becomes
// ERROR_INSUFFICIENT_BUFFER, and the result is still 1 (an address exists).
// An empty address counts as none.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <cstdint>

// Characters of the stored device address of the device option record
// (with its NUL).
inline constexpr size_t kDestAddressChars = 64;
// "DestCustomize": where the device address comes from.
enum : uint32_t {
  kDestFromPort = 0,
  kDestStoredAddress = 2,
};

using XcvDataFn = BOOL(WINAPI*)(HANDLE, PCWSTR, PBYTE, DWORD, PBYTE, DWORD, PDWORD, PDWORD);

// The spooler functions the resolver uses; tests put their own in.  A null
// `xcvData` binds XcvDataW from the system's WINSPOOL.DRV at each use;
// `windowsVersion` gives (major << 8) | minor.
struct PrinterAddressAccess {
  BOOL(WINAPI* openPrinter)(LPWSTR, LPHANDLE, LPPRINTER_DEFAULTSW);
  BOOL(WINAPI* getPrinter)(HANDLE, DWORD, LPBYTE, DWORD, LPDWORD);
  BOOL(WINAPI* closePrinter)(HANDLE);
  XcvDataFn xcvData;
  uint32_t (*windowsVersion)();
};
// Null restores the system's functions.
void SetPrinterAddressAccess(const PrinterAddressAccess* access);

int GetPrinterHostAddress(const wchar_t* printerName, char* out, DWORD size, DWORD* needed);
int ResolvePortAddress(const wchar_t* printerName, const wchar_t* serverName, const wchar_t* portName, char* out,
                       DWORD size, DWORD* needed);
// "<server>\,XcvPort <port>" (the server part only when one is given), in
// global memory the caller frees; null when memory fails.
wchar_t* BuildXcvOpenName(const wchar_t* serverName, const wchar_t* portName);
int QueryXcvIpAddress(const wchar_t* openName, char* out, DWORD size, DWORD* needed);
int GetMonitorRegistryAddress(const wchar_t* printerName, const wchar_t* portName, char* out, DWORD size,
                              DWORD* needed);
int GetConnectionHostAddress(const wchar_t* printerName, const wchar_t* portName, char* out, DWORD size,
                             DWORD* needed);
int ParseIppUrlHost(const wchar_t* portText, char* out, DWORD size, DWORD* needed);
int GetUncServerName(const wchar_t* portText, char* out, DWORD size, DWORD* needed);
// The host of a WSD port's device, from an open port-monitor handle, into
// `capacity` wide characters.  By the "UMB" keys (Windows 6.0 and 6.1) or
// the software-device key (6.2 and later).
int GetWsdAddressByUmb(HANDLE monitor, wchar_t* out, DWORD capacity);
int GetWsdAddressBySwd(HANDLE monitor, wchar_t* out, DWORD capacity);
// The host of a URL: by WinINet's InternetCrackUrlW when it loads, else by
// hand.  At most capacity - 1 characters and a NUL.
int ParseUrlHostW(const wchar_t* url, wchar_t* out, DWORD capacity);

// The device address of the sheets and device queries, by the device
// option record's "DestCustomize" and stored address: 0 resolves the
// printer's port, 2 takes the stored address, other kinds leave `out` as
// it is.  A failed resolution, or an address that does not fit, gives
// `size` zero bytes.
void ResolveDeviceAddress(HWND dialog, HANDLE printer, uint32_t destCustomize,
                          const wchar_t (&destAddress)[kDestAddressChars], char* out, DWORD size);
// The same into 260 bytes, which are cleared first; kinds other than 0 and
// 2 give an empty text.  A null `out` is accepted.
void GetDeviceAddressA(HANDLE printer, uint32_t destCustomize, const wchar_t (&destAddress)[kDestAddressChars],
                       char* out);
