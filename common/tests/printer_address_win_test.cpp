// The printer address resolver over a stand-in spooler (Wine has no TCP/IP
// port monitor) and port-monitor and Plug and Play keys written into the
// test prefix's registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "common/win/printer_address_win.h"

namespace {

struct FakePrinter {
  std::wstring server;  // empty: local
  std::wstring port;
  DWORD attributes;
};

struct FakeMonitor {
  bool opens = true;
  bool answers = true;     // XcvDataW succeeds
  std::wstring ipAddress;  // empty: the monitor has no such value
  std::wstring deviceId;
};

std::map<std::wstring, FakePrinter> g_printers;
std::map<std::wstring, FakeMonitor> g_monitors;  // by port name
std::vector<std::wstring> g_opened;
std::vector<bool> g_openedAsAdmin;
int g_level5Calls = 0;
bool g_greedyLevel5 = false;
uint32_t g_version = 0x601;

// Handles point at the name they were opened with.
struct Open {
  std::wstring name;
  bool monitor;
};
std::vector<std::unique_ptr<Open>> g_handles;

BOOL WINAPI FakeOpenPrinter(LPWSTR name, LPHANDLE handle, LPPRINTER_DEFAULTSW defaults) {
  std::wstring n = name;
  g_opened.push_back(n);
  g_openedAsAdmin.push_back(defaults != nullptr && defaults->DesiredAccess == SERVER_ACCESS_ADMINISTER);
  size_t xcv = n.find(L",XcvPort ");
  if (xcv != std::wstring::npos) {
    auto it = g_monitors.find(n.substr(xcv + 9));
    if (it == g_monitors.end() || !it->second.opens) return FALSE;
    g_handles.push_back(std::make_unique<Open>(Open{n.substr(xcv + 9), true}));
  } else {
    if (g_printers.count(n) == 0) return FALSE;
    g_handles.push_back(std::make_unique<Open>(Open{n, false}));
  }
  *handle = g_handles.back().get();
  return TRUE;
}

BOOL WINAPI FakeClosePrinter(HANDLE) { return TRUE; }

// Lays out one PRINTER_INFO record followed by its texts.
class InfoWriter {
 public:
  explicit InfoWriter(size_t fixed) : fixed_(fixed) {}
  void Text(const std::wstring& text, size_t offsetOfPointer) { texts_.push_back({text, offsetOfPointer}); }
  DWORD Size() const {
    size_t size = fixed_;
    for (auto& t : texts_) size += (t.first.size() + 1) * sizeof(wchar_t);
    return static_cast<DWORD>(size);
  }
  void Write(BYTE* out) const {
    size_t at = fixed_;
    for (auto& t : texts_) {
      std::memcpy(out + at, t.first.c_str(), (t.first.size() + 1) * sizeof(wchar_t));
      wchar_t* where = reinterpret_cast<wchar_t*>(out + at);
      std::memcpy(out + t.second, &where, sizeof where);
      at += (t.first.size() + 1) * sizeof(wchar_t);
    }
  }

 private:
  size_t fixed_;
  std::vector<std::pair<std::wstring, size_t>> texts_;
};

BOOL WINAPI FakeGetPrinter(HANDLE handle, DWORD level, LPBYTE out, DWORD size, LPDWORD needed) {
  const Open* open = static_cast<const Open*>(handle);
  const FakePrinter& p = g_printers.at(open->name);
  size_t fixed = level == 1 ? sizeof(PRINTER_INFO_1W)
                 : level == 2 ? sizeof(PRINTER_INFO_2W)
                 : level == 4 ? sizeof(PRINTER_INFO_4W)
                              : sizeof(PRINTER_INFO_5W);
  InfoWriter writer(fixed);
  DWORD attributes = p.attributes;
  switch (level) {
    case 1: writer.Text(open->name, offsetof(PRINTER_INFO_1W, pName)); break;
    case 2: writer.Text(open->name, offsetof(PRINTER_INFO_2W, pPrinterName)); break;
    case 4:
      writer.Text(open->name, offsetof(PRINTER_INFO_4W, pPrinterName));
      if (!p.server.empty()) writer.Text(p.server, offsetof(PRINTER_INFO_4W, pServerName));
      break;
    case 5:
      ++g_level5Calls;
      writer.Text(open->name, offsetof(PRINTER_INFO_5W, pPrinterName));
      writer.Text(p.port, offsetof(PRINTER_INFO_5W, pPortName));
      break;
    default: SetLastError(ERROR_INVALID_LEVEL); return FALSE;
  }
  *needed = writer.Size() + (level == 5 && g_greedyLevel5 ? 100 * g_level5Calls : 0);
  if (size < *needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::memset(out, 0, size);
  writer.Write(out);
  if (level == 4) reinterpret_cast<PRINTER_INFO_4W*>(out)->Attributes = attributes;
  if (level == 5) reinterpret_cast<PRINTER_INFO_5W*>(out)->Attributes = attributes;
  if (level == 2) reinterpret_cast<PRINTER_INFO_2W*>(out)->Attributes = attributes;
  return TRUE;
}

BOOL WINAPI FakeXcvData(HANDLE handle, PCWSTR name, PBYTE, DWORD, PBYTE out, DWORD size, PDWORD needed,
                        PDWORD status) {
  const Open* open = static_cast<const Open*>(handle);
  const FakeMonitor& m = g_monitors.at(open->name);
  *status = ERROR_SUCCESS;
  if (!m.answers) return FALSE;
  std::wstring value = std::wstring(name) == L"IPAddress" ? m.ipAddress
                       : std::wstring(name) == L"DeviceID" ? m.deviceId
                                                           : std::wstring();
  if (value.empty()) {
    *needed = 0;
    return FALSE;
  }
  *needed = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  if (out == nullptr || size < *needed) return FALSE;
  std::memcpy(out, value.c_str(), *needed);
  return TRUE;
}

uint32_t FakeVersion() { return g_version; }

constexpr wchar_t kMonitors[] = L"System\\CurrentControlSet\\Control\\Print\\Monitors\\";
constexpr wchar_t kEnum[] = L"SYSTEM\\CurrentControlSet\\Enum\\";

void PutRegText(const std::wstring& path, const wchar_t* name, const std::wstring& text, DWORD type = REG_SZ,
                bool terminated = true) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS)
      << std::string(path.begin(), path.end());
  DWORD bytes = static_cast<DWORD>((text.size() + (terminated ? 1 : 0)) * sizeof(wchar_t));
  ASSERT_EQ(RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()), bytes), ERROR_SUCCESS);
  RegCloseKey(key);
}

class PrinterAddressTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_printers = {
        {L"Fax TCP", {L"", L"IP_10.1.2.3", 0}},
        {L"Fax LPR", {L"", L"QxLprQueue", 0}},
        {L"Fax Other", {L"", L"QxZevPort", 0}},
        {L"Fax WSD", {L"", L"QxWsdPort", 0}},
        {L"Fax Empty", {L"", L"QxEmptyPort", 0}},
        {L"\\\\srv01\\Fax IPP", {L"\\\\srv01", L"http://print.example.com:631/ipp/port1", PRINTER_ATTRIBUTE_NETWORK}},
        {L"\\\\srv01\\Fax CUPS", {L"\\\\srv01", L"http://print.example.com:631/printers/fax", PRINTER_ATTRIBUTE_NETWORK}},
        {L"\\\\srv01\\Fax UNC", {L"\\\\srv01", L"\\\\srv02\\fax", PRINTER_ATTRIBUTE_NETWORK}},
        {L"Fax Local IPP", {L"", L"http://print.example.com:631/ipp/port1", 0}},
    };
    g_monitors = {
        {L"IP_10.1.2.3", {true, true, L"10.1.2.3", L""}},
        {L"QxLprQueue", {true, false, L"", L""}},   // the monitor does not answer
        {L"QxZevPort", {false, true, L"", L""}},    // nor can it be opened
        {L"QxWsdPort", {true, true, L"", L"QXTESTWSD"}},
        {L"QxEmptyPort", {true, true, L"", L""}},
    };
    g_opened.clear();
    g_openedAsAdmin.clear();
    g_level5Calls = 0;
    g_greedyLevel5 = false;
    g_version = 0x601;
    PrinterAddressAccess access = {FakeOpenPrinter, FakeGetPrinter, FakeClosePrinter, FakeXcvData, FakeVersion};
    SetPrinterAddressAccess(&access);

    PutRegText(std::wstring(kMonitors) + L"LPR Port\\Ports\\QxLprQueue", L"Server Name", L"lpr-host9");
    // The first row's value is binary: not an address; the next row's is.
    PutRegText(std::wstring(kMonitors) + L"Standard TCP/IP Port\\Ports\\QxZevPort", L"IPAddress", L"10.6.6.6",
               REG_BINARY);
    PutRegText(std::wstring(kMonitors) + L"ZEV Port\\Ports\\QxZevPort", L"IPAddress", L"10.9.8.7", REG_SZ, false);
  }
  void TearDown() override {
    SetPrinterAddressAccess(nullptr);
    for (const wchar_t* key : {L"LPR Port\\Ports\\QxLprQueue", L"Standard TCP/IP Port\\Ports\\QxZevPort",
                               L"ZEV Port\\Ports\\QxZevPort"}) {
      RegDeleteTreeW(HKEY_LOCAL_MACHINE, (std::wstring(kMonitors) + key).c_str());
    }
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, (std::wstring(kEnum) + L"QXTESTWSD").c_str());
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, (std::wstring(kEnum) + L"IPBusEnumRoot\\UMB\\UMB#qxtestwsd#2").c_str());
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, (std::wstring(kEnum) + L"SWD\\DAFWSDProvider\\QXTESTWSD").c_str());
  }

  static std::string Resolve(const wchar_t* printer, int expect = 1) {
    char out[128];
    std::memset(out, 'Z', sizeof out);
    DWORD needed = 0;
    EXPECT_EQ(GetPrinterHostAddress(printer, out, sizeof out, &needed), expect);
    if (expect != 1) return "";
    EXPECT_EQ(needed, std::strlen(out) + 1);
    return out;
  }
};

TEST_F(PrinterAddressTest, StandardPortAnswersThroughItsMonitor) {
  EXPECT_EQ(Resolve(L"Fax TCP"), "10.1.2.3");
  // The monitor is opened by its port name, asking for administration.
  ASSERT_GE(g_opened.size(), 2u);
  EXPECT_EQ(g_opened[1], L",XcvPort IP_10.1.2.3");
  EXPECT_TRUE(g_openedAsAdmin[1]);
}

TEST_F(PrinterAddressTest, XcvOpenNames) {
  wchar_t* local = BuildXcvOpenName(nullptr, L"IP_1");
  wchar_t* remote = BuildXcvOpenName(L"\\\\srv01", L"IP_1");
  ASSERT_NE(local, nullptr);
  ASSERT_NE(remote, nullptr);
  EXPECT_STREQ(local, L",XcvPort IP_1");
  EXPECT_STREQ(remote, L"\\\\srv01\\,XcvPort IP_1");
  GlobalFree(local);
  GlobalFree(remote);
  EXPECT_EQ(BuildXcvOpenName(L"\\\\srv01", nullptr), nullptr);
}

TEST_F(PrinterAddressTest, MonitorKeysInTheRegistry) {
  EXPECT_EQ(Resolve(L"Fax LPR"), "lpr-host9");    // "Server Name" of the LPR monitor
  EXPECT_EQ(Resolve(L"Fax Other"), "10.9.8.7");   // binary value skipped, unterminated text ended
  EXPECT_EQ(Resolve(L"Fax Empty", 0), "");        // no monitor value, no key, not a connection
}

TEST_F(PrinterAddressTest, WsdPortByTheUmbKeys) {
  std::wstring umb = std::wstring(kEnum) + L"QXTESTWSD\\UMB\\";
  PutRegText(umb + L"1&1", L"Class", L"Printer");
  PutRegText(umb + L"1&1", L"LocationInformation", L"http://10.0.0.1/");
  PutRegText(umb + L"1&2", L"Class", L"wsdprintdevice");
  PutRegText(umb + L"1&2", L"LocationInformation", L"http://192.168.5.20:5357/abc-def/");
  EXPECT_EQ(Resolve(L"Fax WSD"), "192.168.5.20");
}

TEST_F(PrinterAddressTest, WsdPortByTheIpBusKeys) {
  PutRegText(std::wstring(kEnum) + L"IPBusEnumRoot\\UMB\\UMB#qxtestwsd#2", L"LocationInformation",
             L"http://wsd-device.example:5357/x");
  EXPECT_EQ(Resolve(L"Fax WSD"), "wsd-device.example");
}

TEST_F(PrinterAddressTest, WsdPortBySoftwareDeviceFromWindows62) {
  g_version = 0x602;
  PutRegText(std::wstring(kEnum) + L"SWD\\DAFWSDProvider\\QXTESTWSD", L"LocationInformation",
             L"http://10.20.30.40:5357/y");
  EXPECT_EQ(Resolve(L"Fax WSD"), "10.20.30.40");
  g_version = 0x601;  // the UMB keys are not there
  EXPECT_EQ(Resolve(L"Fax WSD", 0), "");
}

TEST_F(PrinterAddressTest, PrinterConnections) {
  EXPECT_EQ(Resolve(L"\\\\srv01\\Fax IPP"), "print.example.com:631");
  EXPECT_EQ(Resolve(L"\\\\srv01\\Fax UNC"), "srv02");
  EXPECT_EQ(Resolve(L"\\\\srv01\\Fax CUPS", 0), "");  // not an IPP path
  EXPECT_EQ(Resolve(L"Fax Local IPP", 0), "");        // not a connection
  // A connection's monitor is asked on its server.
  EXPECT_NE(std::find(g_opened.begin(), g_opened.end(),
                      L"\\\\srv01\\,XcvPort http://print.example.com:631/ipp/port1"),
            g_opened.end());
  EXPECT_EQ(Resolve(L"No Such Printer", 0), "");
}

TEST_F(PrinterAddressTest, TooSmallABufferWritesNothingAndTellsTheSize) {
  for (const wchar_t* printer : {L"Fax LPR", L"Fax TCP", L"\\\\srv01\\Fax UNC"}) {
    char out[4] = {'Z', 'Z', 'Z', 'Z'};
    DWORD needed = 0;
    SetLastError(0);
    EXPECT_EQ(GetPrinterHostAddress(printer, out, sizeof out, &needed), 1);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_GT(needed, sizeof out);
    EXPECT_EQ(std::string(out, 4), "ZZZZ");
    DWORD asked = 0;
    EXPECT_EQ(GetPrinterHostAddress(printer, nullptr, 0, &asked), 1);
    EXPECT_EQ(asked, needed);
  }
  char out[4];
  DWORD needed = 0;
  GetPrinterHostAddress(L"Fax LPR", out, sizeof out, &needed);
  EXPECT_EQ(needed, 10u);  // "lpr-host9" and its NUL
}

TEST_F(PrinterAddressTest, PrinterInformationGrowthIsBounded) {
  g_greedyLevel5 = true;
  char out[64];
  DWORD needed = 0;
  EXPECT_EQ(GetConnectionHostAddress(L"\\\\srv01\\Fax UNC", L"\\\\srv02\\fax", out, sizeof out, &needed), 0);
  EXPECT_LE(g_level5Calls, 4);
}

TEST_F(PrinterAddressTest, UrlHosts) {
  wchar_t host[8];
  EXPECT_EQ(ParseUrlHostW(L"http://abcdefghijk/x", host, 5), 1);
  EXPECT_STREQ(host, L"abcd");
  EXPECT_EQ(ParseUrlHostW(L"http://10.0.0.9:80/a", host, 8), 1);
  EXPECT_STREQ(host, L"10.0.0.");  // cut to 7 characters
  EXPECT_EQ(ParseUrlHostW(L"no-scheme/path", host, 8), 0);
  EXPECT_EQ(ParseUrlHostW(nullptr, host, 8), 0);
  EXPECT_EQ(ParseUrlHostW(L"http://h/", host, 0), 0);
}

HANDLE OpenFake(const wchar_t* name) {
  HANDLE h = nullptr;
  FakeOpenPrinter(const_cast<LPWSTR>(name), &h, nullptr);
  return h;
}

TEST_F(PrinterAddressTest, DeviceAddressFrontEnds) {
  const wchar_t stored[kDestAddressChars] = L"192.0.2.44";
  HANDLE tcp = OpenFake(L"Fax TCP");
  char out[63];

  std::memset(out, 'Z', sizeof out);
  ResolveDeviceAddress(nullptr, tcp, kDestFromPort, stored, out, sizeof out);
  EXPECT_STREQ(out, "10.1.2.3");
  ResolveDeviceAddress(nullptr, tcp, kDestStoredAddress, stored, out, sizeof out);
  EXPECT_STREQ(out, "192.0.2.44");
  std::memset(out, 'Z', sizeof out);
  ResolveDeviceAddress(nullptr, tcp, 1, stored, out, sizeof out);
  EXPECT_EQ(std::string(out, sizeof out), std::string(sizeof out, 'Z'));
  // No address: all zero.
  ResolveDeviceAddress(nullptr, OpenFake(L"Fax Empty"), kDestFromPort, stored, out, sizeof out);
  EXPECT_EQ(std::string(out, sizeof out), std::string(sizeof out, '\0'));

  char wide[MAX_PATH];
  GetDeviceAddressA(tcp, kDestFromPort, stored, wide);
  EXPECT_STREQ(wide, "10.1.2.3");
  GetDeviceAddressA(tcp, 1, stored, wide);
  EXPECT_STREQ(wide, "");
  GetDeviceAddressA(tcp, kDestStoredAddress, stored, nullptr);  // accepted
}

TEST_F(PrinterAddressTest, AnAddressThatDoesNotFitTheFrontEndIsNone) {
  std::wstring longHost(70, L'h');
  PutRegText(std::wstring(kMonitors) + L"LPR Port\\Ports\\QxLprQueue", L"Server Name", longHost);
  const wchar_t stored[kDestAddressChars] = L"";
  char out[63];
  std::memset(out, 'Z', sizeof out);
  ResolveDeviceAddress(nullptr, OpenFake(L"Fax LPR"), kDestFromPort, stored, out, sizeof out);
  EXPECT_EQ(std::string(out, sizeof out), std::string(sizeof out, '\0'));
  char wide[MAX_PATH];
  GetDeviceAddressA(OpenFake(L"Fax LPR"), kDestFromPort, stored, wide);
  EXPECT_EQ(std::string(wide), std::string(longHost.begin(), longHost.end()));

  // A stored address that fills its whole field is ended inside it.
  wchar_t full[kDestAddressChars];
  for (wchar_t& c : full) c = L'a';
  GetDeviceAddressA(nullptr, kDestStoredAddress, full, wide);
  EXPECT_EQ(std::string(wide), std::string(63, 'a'));
  ResolveDeviceAddress(nullptr, nullptr, kDestStoredAddress, full, out, sizeof out);
  EXPECT_EQ(std::string(out, sizeof out), std::string(sizeof out, '\0'));  // 63 characters do not fit 63 bytes
}

}  // namespace
