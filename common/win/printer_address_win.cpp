#include "common/win/printer_address_win.h"

#include <wininet.h>

#include <cstring>
#include <cwchar>
#include <cwctype>
#include <memory>
#include <new>

#include "common/win/bind_export.h"
#include "common/win/port_address_text.h"
#include "common/win/win_version.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t));

namespace {

// Texts and records from the spooler and the registry larger than this are
// not what a port or a device reports.
constexpr DWORD kLargestAnswer = 64 * 1024;
constexpr DWORD kHostChars = 260;
constexpr size_t kRegistryPathChars = 1024;
// Value buffer of the port-monitor keys: 512 bytes, and room for a NUL.
constexpr DWORD kMonitorValueChars = 256 + 1;
// GetPrinterW is asked again at most this often when the size it needs
// keeps growing.
constexpr int kGrowthAttempts = 4;

constexpr wchar_t kMonitorsKey[] = L"System\\CurrentControlSet\\Control\\Print\\Monitors\\";
constexpr wchar_t kEnumKey[] = L"SYSTEM\\CurrentControlSet\\Enum\\";

struct MonitorRow {
  const wchar_t* key;
  const wchar_t* value;
};
constexpr MonitorRow kMonitorRows[] = {
    {L"Standard TCP/IP Port\\Ports\\", L"IPAddress"},
    {L"ZEV Port\\Ports\\", L"IPAddress"},
    {L"Tolvi Port\\Ports\\", L"IPAddress"},
    {L"LPR Port\\Ports\\", L"Server Name"},
    {L"Tolvi Port+\\Ports\\", L"IPAddress"},
    {L"Digital Network Port\\Ports\\", L"TCP/IP Address"},
    {L"HP Standard TCP/IP Port\\Ports\\", L"IPAddress"},
};

uint32_t SystemWindowsVersion() {
  OSVERSIONINFOW info;
  if (!QueryWindowsVersion(&info)) return 0;
  return (info.dwMajorVersion << 8) | (info.dwMinorVersion & 0xFF);
}

PrinterAddressAccess SystemAccess() { return {OpenPrinterW, GetPrinterW, ClosePrinter, nullptr, SystemWindowsVersion}; }

PrinterAddressAccess g_access = SystemAccess();

template <typename T>
std::unique_ptr<T[]> Allocate(size_t count) {
  return std::unique_ptr<T[]>(new (std::nothrow) T[count]());
}

HMODULE LoadSystemLibrary(const wchar_t* file) {
  wchar_t path[MAX_PATH + 1];
  UINT length = GetSystemDirectoryW(path, MAX_PATH);
  if (length == 0 || length + 1 + wcslen(file) > MAX_PATH) return nullptr;
  path[length] = L'\\';
  wcscpy(path + length + 1, file);
  return LoadLibraryW(path);
}

// XcvDataW, bound for one use.
class XcvBinding {
 public:
  XcvBinding() {
    if (g_access.xcvData != nullptr) {
      fn_ = g_access.xcvData;
      return;
    }
    library_ = LoadSystemLibrary(L"WINSPOOL.DRV");
    if (library_ != nullptr) fn_ = BindExport<XcvDataFn>(library_, "XcvDataW");
  }
  ~XcvBinding() {
    if (library_ != nullptr) FreeLibrary(library_);
  }
  XcvBinding(const XcvBinding&) = delete;
  XcvBinding& operator=(const XcvBinding&) = delete;
  XcvDataFn fn() const { return fn_; }

 private:
  HMODULE library_ = nullptr;
  XcvDataFn fn_ = nullptr;
};

// Size in bytes the monitor reports for a value; 0 when it has none.
DWORD XcvSize(XcvDataFn xcv, HANDLE monitor, const wchar_t* name) {
  DWORD needed = 0, status = 0;
  xcv(monitor, name, nullptr, 0, nullptr, 0, &needed, &status);
  return needed;
}

// A value of `bytes` bytes as a terminated wide text; null on failure.
std::unique_ptr<wchar_t[]> XcvText(XcvDataFn xcv, HANDLE monitor, const wchar_t* name, DWORD bytes) {
  if (bytes == 0 || bytes > kLargestAnswer) return nullptr;
  const DWORD chars = bytes / sizeof(wchar_t) + 1;
  auto text = Allocate<wchar_t>(chars + 1);
  if (text == nullptr) return nullptr;
  DWORD got = 0, status = 0;
  if (!xcv(monitor, name, nullptr, 0, reinterpret_cast<PBYTE>(text.get()), bytes, &got, &status)) return nullptr;
  text[chars] = L'\0';
  return text;
}

// The "DeviceID" of a WSD port's monitor.
std::unique_ptr<wchar_t[]> XcvDeviceId(HANDLE monitor) {
  XcvBinding xcv;
  if (xcv.fn() == nullptr) return nullptr;
  auto id = XcvText(xcv.fn(), monitor, L"DeviceID", XcvSize(xcv.fn(), monitor, L"DeviceID"));
  if (id == nullptr || id[0] == L'\0') return nullptr;
  return id;
}

// Writes `length` characters of `text` as ANSI text under the output rule.
int PutAnsi(const wchar_t* text, size_t length, UINT codePage, char* out, DWORD size, DWORD* needed,
            bool zeroFill = false) {
  if (text == nullptr || length == 0 || length > kLargestAnswer) return 0;
  int n = WideCharToMultiByte(codePage, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return 0;
  const DWORD required = static_cast<DWORD>(n) + 1;
  if (out == nullptr || size < required) {
    if (needed != nullptr) *needed = required;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 1;
  }
  if (zeroFill) std::memset(out, 0, size);
  if (WideCharToMultiByte(codePage, 0, text, static_cast<int>(length), out, n, nullptr, nullptr) != n) return 0;
  out[n] = '\0';
  if (needed != nullptr) *needed = required;
  return 1;
}

// A REG_SZ value as a terminated text of at most `capacity` - 1 characters.
bool ReadRegText(HKEY key, const wchar_t* name, wchar_t* out, DWORD capacity) {
  DWORD type = 0;
  DWORD bytes = (capacity - 1) * sizeof(wchar_t);
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(out), &bytes) != ERROR_SUCCESS) {
    return false;
  }
  if (type != REG_SZ) return false;
  DWORD chars = bytes / sizeof(wchar_t);
  out[chars < capacity - 1 ? chars : capacity - 1] = L'\0';
  return true;
}

// Joins the parts into `path`; false when they exceed the key length.
bool JoinPath(wchar_t (&path)[kRegistryPathChars + 1], std::initializer_list<const wchar_t*> parts) {
  size_t length = 0;
  for (const wchar_t* part : parts) {
    size_t n = wcslen(part);
    if (length + n > kRegistryPathChars) return false;
    std::memcpy(path + length, part, n * sizeof(wchar_t));
    length += n;
  }
  path[length] = L'\0';
  return true;
}

class RegKey {
 public:
  RegKey(HKEY parent, const wchar_t* path, REGSAM access) {
    if (RegOpenKeyExW(parent, path, 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  ~RegKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

bool ContainsNoCase(const wchar_t* text, const wchar_t* part) {
  size_t n = wcslen(part), m = wcslen(text);
  for (size_t at = 0; n <= m && at <= m - n; ++at) {
    size_t i = 0;
    while (i < n && towlower(text[at + i]) == towlower(part[i])) ++i;
    if (i == n) return true;
  }
  return false;
}

enum class Walk { Found, Next, Fail };

// Walks the subkeys of `parent` in enumeration order, handing each name to
// `visit`, until one is found or a registry failure ends the walk.
template <typename Visit>
bool WalkSubkeys(HKEY parent, Visit visit) {
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD length = static_cast<DWORD>(std::size(name));
    LONG status = RegEnumKeyExW(parent, i, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) return false;
    if (status != ERROR_SUCCESS) return false;
    Walk step = visit(name);
    if (step == Walk::Found) return true;
    if (step == Walk::Fail) return false;
  }
}

// PRINTER_INFO at `level` of an open printer, the buffer grown as long as
// the spooler asks for more, a bounded number of times.
std::unique_ptr<BYTE[]> ReadPrinterInfo(HANDLE printer, DWORD level) {
  DWORD size = 0, needed = 0;
  std::unique_ptr<BYTE[]> info;
  for (int attempt = 0; attempt < kGrowthAttempts; ++attempt) {
    if (g_access.getPrinter(printer, level, info.get(), size, &needed) && info != nullptr) return info;
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= size || needed > kLargestAnswer) return nullptr;
    info = Allocate<BYTE>(needed);
    if (info == nullptr) return nullptr;
    size = needed;
  }
  return nullptr;
}

bool OpenPrinterByName(const wchar_t* name, HANDLE* printer, PRINTER_DEFAULTSW* defaults = nullptr) {
  *printer = nullptr;
  return name != nullptr && g_access.openPrinter(const_cast<LPWSTR>(name), printer, defaults);
}

// The printer's name of information level 1 or 2, whole.
bool PrinterNameOf(HANDLE printer, DWORD level, wchar_t* out, size_t capacity) {
  auto info = ReadPrinterInfo(printer, level);
  if (info == nullptr) return false;
  const wchar_t* name = level == 1 ? reinterpret_cast<PRINTER_INFO_1W*>(info.get())->pName
                                   : reinterpret_cast<PRINTER_INFO_2W*>(info.get())->pPrinterName;
  if (name == nullptr) return false;
  size_t length = wcsnlen(name, capacity);
  if (length == capacity) return false;  // a cut name would be another printer's
  std::memcpy(out, name, (length + 1) * sizeof(wchar_t));
  return true;
}

// The address of `printerName`'s port, or of the stored address, into
// `size` bytes; all zero when there is none or it does not fit.
void DeviceAddressInto(const wchar_t* printerName, uint32_t destCustomize,
                       const wchar_t (&destAddress)[kDestAddressChars], char* out, DWORD size) {
  char address[MAX_PATH] = {};
  const DWORD room = size < sizeof address ? size : static_cast<DWORD>(sizeof address);
  DWORD needed = 0;
  int found = 0;
  if (destCustomize == kDestFromPort) {
    found = printerName != nullptr && GetPrinterHostAddress(printerName, address, room, &needed);
  } else {
    found = PutAnsi(destAddress, wcsnlen(destAddress, kDestAddressChars - 1), CP_ACP, address, room, &needed);
  }
  std::memset(out, 0, size);
  if (!found || needed > room) return;
  size_t length = strnlen(address, room - 1);
  std::memcpy(out, address, length);
}

}  // namespace

void SetPrinterAddressAccess(const PrinterAddressAccess* access) {
  g_access = access != nullptr ? *access : SystemAccess();
  if (g_access.windowsVersion == nullptr) g_access.windowsVersion = SystemWindowsVersion;
}

int GetPrinterHostAddress(const wchar_t* printerName, char* out, DWORD size, DWORD* needed) {
  HANDLE printer;
  if (!OpenPrinterByName(printerName, &printer)) return 0;
  int result = 0;
  auto info4 = ReadPrinterInfo(printer, 4);
  auto info5 = info4 != nullptr ? ReadPrinterInfo(printer, 5) : nullptr;
  if (info5 != nullptr) {
    const auto* level4 = reinterpret_cast<PRINTER_INFO_4W*>(info4.get());
    const auto* level5 = reinterpret_cast<PRINTER_INFO_5W*>(info5.get());
    if (level5->pPortName != nullptr) {
      result = ResolvePortAddress(printerName, level4->pServerName, level5->pPortName, out, size, needed);
    }
  }
  g_access.closePrinter(printer);
  return result;
}

int ResolvePortAddress(const wchar_t* printerName, const wchar_t* serverName, const wchar_t* portName, char* out,
                       DWORD size, DWORD* needed) {
  if (portName == nullptr) return 0;
  if (g_access.windowsVersion() >= 0x500) {
    wchar_t* openName = BuildXcvOpenName(serverName, portName);
    if (openName == nullptr) return 0;
    int found = QueryXcvIpAddress(openName, out, size, needed);
    GlobalFree(openName);
    if (found) return 1;
  }
  if (GetMonitorRegistryAddress(printerName, portName, out, size, needed)) return 1;
  return GetConnectionHostAddress(printerName, portName, out, size, needed);
}

wchar_t* BuildXcvOpenName(const wchar_t* serverName, const wchar_t* portName) {
  if (portName == nullptr) return nullptr;
  static constexpr wchar_t kXcvPort[] = L",XcvPort ";
  const size_t server = serverName != nullptr ? wcslen(serverName) + 1 : 0;
  const size_t chars = server + wcslen(kXcvPort) + wcslen(portName) + 1;
  auto* name = static_cast<wchar_t*>(GlobalAlloc(GPTR, chars * sizeof(wchar_t)));
  if (name == nullptr) return nullptr;
  if (serverName != nullptr) {
    wcscpy(name, serverName);
    wcscat(name, L"\\");
  }
  wcscat(name, kXcvPort);
  wcscat(name, portName);
  return name;
}

int QueryXcvIpAddress(const wchar_t* openName, char* out, DWORD size, DWORD* needed) {
  HANDLE monitor;
  PRINTER_DEFAULTSW admin = {nullptr, nullptr, SERVER_ACCESS_ADMINISTER};
  if (!OpenPrinterByName(openName, &monitor, &admin) && !OpenPrinterByName(openName, &monitor)) return 0;
  int result = 0;
  {
    XcvBinding xcv;
    if (xcv.fn() != nullptr) {
      DWORD bytes = XcvSize(xcv.fn(), monitor, L"IPAddress");
      if (bytes > 0) {
        auto text = XcvText(xcv.fn(), monitor, L"IPAddress", bytes);
        if (text != nullptr) result = PutAnsi(text.get(), wcslen(text.get()), GetACP(), out, size, needed);
      } else {
        // No such value, as with WSD ports: ask the Plug and Play registry.
        wchar_t host[kHostChars] = {};
        int found = g_access.windowsVersion() >= 0x602 ? GetWsdAddressBySwd(monitor, host, kHostChars)
                                                       : GetWsdAddressByUmb(monitor, host, kHostChars);
        if (found) result = PutAnsi(host, wcslen(host), GetACP(), out, size, needed);
      }
    }
  }
  g_access.closePrinter(monitor);
  return result;
}

int GetMonitorRegistryAddress(const wchar_t*, const wchar_t* portName, char* out, DWORD size, DWORD* needed) {
  if (portName == nullptr) return 0;
  for (const MonitorRow& row : kMonitorRows) {
    wchar_t path[kRegistryPathChars + 1];
    if (!JoinPath(path, {kMonitorsKey, row.key, portName})) continue;
    RegKey key(HKEY_LOCAL_MACHINE, path, KEY_QUERY_VALUE);
    wchar_t value[kMonitorValueChars];
    if (key.get() == nullptr || !ReadRegText(key.get(), row.value, value, kMonitorValueChars)) continue;
    if (PutAnsi(value, wcslen(value), GetACP(), out, size, needed)) return 1;
  }
  return 0;
}

int GetConnectionHostAddress(const wchar_t* printerName, const wchar_t* portName, char* out, DWORD size,
                             DWORD* needed) {
  HANDLE printer;
  if (!OpenPrinterByName(printerName, &printer)) return 0;
  auto info = ReadPrinterInfo(printer, 5);
  g_access.closePrinter(printer);
  if (info == nullptr) return 0;
  if ((reinterpret_cast<PRINTER_INFO_5W*>(info.get())->Attributes & PRINTER_ATTRIBUTE_NETWORK) == 0) return 0;
  if (ParseIppUrlHost(portName, out, size, needed)) return 1;
  return GetUncServerName(portName, out, size, needed);
}

int ParseIppUrlHost(const wchar_t* portText, char* out, DWORD size, DWORD* needed) {
  TextSpan host;
  if (!FindIppUrlHost(reinterpret_cast<const char16_t*>(portText), &host)) return 0;
  return PutAnsi(portText + host.start, host.length, CP_ACP, out, size, needed, true);
}

int GetUncServerName(const wchar_t* portText, char* out, DWORD size, DWORD* needed) {
  TextSpan server;
  if (!FindUncServerName(reinterpret_cast<const char16_t*>(portText), &server)) return 0;
  return PutAnsi(portText + server.start, server.length, CP_ACP, out, size, needed, true);
}

int GetWsdAddressByUmb(HANDLE monitor, wchar_t* out, DWORD capacity) {
  if (g_access.windowsVersion() < 0x600) return 0;
  auto id = XcvDeviceId(monitor);
  if (id == nullptr) return 0;
  wchar_t path[kRegistryPathChars + 1];
  if (JoinPath(path, {kEnumKey, id.get(), L"\\UMB"})) {
    RegKey umb(HKEY_LOCAL_MACHINE, path, KEY_READ);
    if (umb.get() != nullptr && WalkSubkeys(umb.get(), [&](const wchar_t* name) {
          RegKey device(umb.get(), name, KEY_READ);
          if (device.get() == nullptr) return Walk::Fail;
          wchar_t kind[kHostChars], location[kHostChars];
          if (ReadRegText(device.get(), L"Class", kind, kHostChars) && _wcsicmp(kind, L"WSDPrintDevice") == 0 &&
              ReadRegText(device.get(), L"LocationInformation", location, kHostChars) &&
              ParseUrlHostW(location, out, capacity)) {
            return Walk::Found;
          }
          return Walk::Next;
        })) {
      return 1;
    }
  }
  if (!JoinPath(path, {kEnumKey, L"IPBusEnumRoot\\UMB"})) return 0;
  RegKey bus(HKEY_LOCAL_MACHINE, path, KEY_READ);
  if (bus.get() == nullptr) return 0;
  return WalkSubkeys(bus.get(), [&](const wchar_t* name) {
    if (!ContainsNoCase(name, id.get())) return Walk::Next;
    RegKey device(bus.get(), name, KEY_READ);
    if (device.get() == nullptr) return Walk::Fail;
    wchar_t location[kHostChars];
    if (ReadRegText(device.get(), L"LocationInformation", location, kHostChars) &&
        ParseUrlHostW(location, out, capacity)) {
      return Walk::Found;
    }
    return Walk::Next;
  }) ? 1 : 0;
}

int GetWsdAddressBySwd(HANDLE monitor, wchar_t* out, DWORD capacity) {
  auto id = XcvDeviceId(monitor);
  wchar_t path[kRegistryPathChars + 1];
  if (id == nullptr || !JoinPath(path, {kEnumKey, L"SWD\\DAFWSDProvider\\", id.get()})) return 0;
  RegKey device(HKEY_LOCAL_MACHINE, path, KEY_READ);
  wchar_t location[kHostChars];
  if (device.get() == nullptr || !ReadRegText(device.get(), L"LocationInformation", location, kHostChars)) return 0;
  return ParseUrlHostW(location, out, capacity);
}

int ParseUrlHostW(const wchar_t* url, wchar_t* out, DWORD capacity) {
  if (url == nullptr || out == nullptr || capacity == 0) return 0;
  wchar_t host[kHostChars] = {};
  const wchar_t* from = nullptr;
  size_t length = 0;
  if (HMODULE wininet = LoadSystemLibrary(L"wininet.dll")) {
    using CrackFn = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPURL_COMPONENTSW);
    auto crack = BindExport<CrackFn>(wininet, "InternetCrackUrlW");
    URL_COMPONENTSW parts = {};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = host;
    parts.dwHostNameLength = kHostChars;
    if (crack != nullptr && crack(url, 0, ICU_DECODE, &parts)) {
      host[kHostChars - 1] = L'\0';
      length = wcslen(host);
      if (length > 0) from = host;
    }
    FreeLibrary(wininet);
  }
  if (from == nullptr) {
    TextSpan span;
    if (!FindUrlHostByHand(reinterpret_cast<const char16_t*>(url), &span)) return 0;
    from = url + span.start;
    length = span.length;
  }
  if (length > capacity - 1) length = capacity - 1;
  std::memmove(out, from, length * sizeof(wchar_t));
  out[length] = L'\0';
  return 1;
}

void ResolveDeviceAddress(HWND, HANDLE printer, uint32_t destCustomize,
                          const wchar_t (&destAddress)[kDestAddressChars], char* out, DWORD size) {
  if (out == nullptr || size == 0) return;
  if (destCustomize != kDestFromPort && destCustomize != kDestStoredAddress) return;
  wchar_t name[MAX_PATH];
  const bool named = destCustomize == kDestFromPort && PrinterNameOf(printer, 1, name, MAX_PATH);
  DeviceAddressInto(named ? name : nullptr, destCustomize, destAddress, out, size);
}

void GetDeviceAddressA(HANDLE printer, uint32_t destCustomize, const wchar_t (&destAddress)[kDestAddressChars],
                       char* out) {
  if (out == nullptr) return;
  std::memset(out, 0, MAX_PATH);
  if (destCustomize != kDestFromPort && destCustomize != kDestStoredAddress) return;
  wchar_t name[MAX_PATH];
  const bool named = destCustomize == kDestFromPort && PrinterNameOf(printer, 2, name, MAX_PATH);
  DeviceAddressInto(named ? name : nullptr, destCustomize, destAddress, out, MAX_PATH);
}
