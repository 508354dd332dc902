#include "tests/support/test_printer_win.h"

#include <winspool.h>

#include <string>
#include <vector>

#include "tests/support/test_paths.h"
#include "tests/support/test_text.h"

namespace testsupport {
namespace {

std::string Describe(const char* what, DWORD error) {
  return std::string(what) + " failed with error " + std::to_string(error);
}

// Test programs of one build run in parallel against one prefix: one of them
// installs a driver at a time.
class InstallLock {
 public:
  InstallLock() : mutex_(CreateMutexW(nullptr, FALSE, L"Local\\FaxDriverTestPrinterInstall")) {
    if (mutex_ != nullptr) WaitForSingleObject(mutex_, 60000);
  }
  ~InstallLock() {
    if (mutex_ != nullptr) {
      ReleaseMutex(mutex_);
      CloseHandle(mutex_);
    }
  }

 private:
  HANDLE mutex_;
};

// The copy the spooler keeps of `file`: in the versioned folder of the
// driver directory.  Empty when the directory cannot be had.
std::wstring InstalledCopy(const std::wstring& file) {
  wchar_t dir[MAX_PATH];
  DWORD needed = 0;
  if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed)) {
    return std::wstring();
  }
  const size_t slash = file.find_last_of(L"\\/");
  return std::wstring(dir) + L"\\3\\" + file.substr(slash + 1);
}

std::vector<const std::wstring*> DriverFiles(const TestPrinterDriver& driver) {
  std::vector<const std::wstring*> files = {&driver.driverFile, &driver.configFile, &driver.dataFile};
  for (const std::wstring& file : driver.dependentFiles) files.push_back(&file);
  return files;
}

bool DriverFilesInPlace(const TestPrinterDriver& driver) {
  for (const std::wstring* file : DriverFiles(driver)) {
    const std::wstring copied = InstalledCopy(*file);
    if (copied.empty() || GetFileAttributesW(copied.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  }
  return true;
}

std::vector<char> FileBytes(const std::wstring& path) {
  std::vector<char> bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char chunk[65536];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.insert(bytes.end(), chunk, chunk + got);
  CloseHandle(file);
  return bytes;
}

bool DriverRegistered(const std::wstring& name) {
  DWORD needed = 0;
  DWORD count = 0;
  EnumPrinterDriversW(nullptr, nullptr, 1, nullptr, 0, &needed, &count);
  if (needed == 0) return false;
  std::vector<BYTE> buffer(needed);
  if (!EnumPrinterDriversW(nullptr, nullptr, 1, buffer.data(), needed, &needed, &count)) return false;
  const auto* rows = reinterpret_cast<const DRIVER_INFO_1W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    if (rows[i].pName != nullptr && name == rows[i].pName) return true;
  }
  return false;
}

// True when the spooler already has this driver with the files as built.
// The spooler copies the files over whatever is there, even under a test
// program of the same run reading them, so an unchanged driver is never
// installed again.
bool DriverInstalledAsBuilt(const TestPrinterDriver& driver) {
  if (!DriverRegistered(driver.name)) return false;
  for (const std::wstring* file : DriverFiles(driver)) {
    const std::wstring copied = InstalledCopy(*file);
    if (copied.empty()) return false;
    const std::vector<char> built = FileBytes(*file);
    if (built.empty() || built != FileBytes(copied)) return false;
  }
  return true;
}

bool InstallDriver(const TestPrinterDriver& driver, std::string* error) {
  if (DriverInstalledAsBuilt(driver)) return true;
  // A double-NUL-terminated list of the dependent files.
  std::wstring dependent;
  for (const std::wstring& file : driver.dependentFiles) dependent += file + L'\0';
  dependent += L'\0';
  DRIVER_INFO_3W info = {};
  info.cVersion = 3;
  info.pName = const_cast<wchar_t*>(driver.name.c_str());
  info.pDriverPath = const_cast<wchar_t*>(driver.driverFile.c_str());
  info.pDataFile = const_cast<wchar_t*>(driver.dataFile.c_str());
  info.pConfigFile = const_cast<wchar_t*>(driver.configFile.c_str());
  info.pDependentFiles = const_cast<wchar_t*>(dependent.c_str());
  // The files are copied from where they are named, not from the driver
  // directory.
  const DWORD flags = APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY;
  const DWORD failure = AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&info), flags)
                            ? ERROR_SUCCESS
                            : GetLastError();
  // A file of the driver may be in use by a printer of another test program;
  // the installed driver then serves as it is.
  if (DriverFilesInPlace(driver)) return true;
  *error = Describe("AddPrinterDriverExW", failure) + " or left the driver's files out";
  return false;
}

}  // namespace

std::wstring DriverDirectoryOf(HANDLE printer) {
  DWORD needed = 0;
  GetPrinterDriverW(printer, nullptr, 2, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed);
  if (needed == 0 || !GetPrinterDriverW(printer, nullptr, 2, buffer.data(), needed, &needed)) return L"";
  std::wstring file = reinterpret_cast<DRIVER_INFO_2W*>(buffer.data())->pDriverPath;
  return file.substr(0, file.find_last_of(L'\\') + 1);
}

TestPrinterDriver FaxDriver() {
  return TestPrinterDriver{L"Fax Test Driver",
                           Widen(BinaryPath("bin/VELDRANE.DLL")),
                           Widen(BinaryPath("bin/VELDRANK.DLL")),
                           Widen(BinaryPath("model/VELDRANH.QXD")),
                           {Widen(BinaryPath("bin/VELDRANA.DLL")), Widen(BinaryPath("bin/VELDRANH.DLL")),
                            Widen(BinaryPath("bin/VELDRANG.DLL")), Widen(BinaryPath("bin/VELDRANW.DLL")),
                            Widen(BinaryPath("model/VELDRANK.QXD"))}};
}

TestPrinter::TestPrinter(const std::wstring& baseName, const TestPrinterDriver& driver) {
  static LONG counter = 0;
  name_ = baseName + L" " + std::to_wstring(GetCurrentProcessId()) + L"-" +
          std::to_wstring(InterlockedIncrement(&counter));
  InstallLock lock;
  if (!InstallDriver(driver, &error_)) return;

  PRINTER_INFO_2W info = {};
  info.pPrinterName = const_cast<wchar_t*>(name_.c_str());
  info.pPortName = const_cast<wchar_t*>(L"FILE:");
  info.pDriverName = const_cast<wchar_t*>(driver.name.c_str());
  info.pPrintProcessor = const_cast<wchar_t*>(L"winprint");
  info.pDatatype = const_cast<wchar_t*>(L"RAW");
  info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  handle_ = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (handle_ == nullptr) {
    error_ = Describe("AddPrinterW", GetLastError());
    return;
  }
  // AddPrinterW's handle may lack administer access: open one that has it.
  ClosePrinter(handle_);
  handle_ = Open(PRINTER_ALL_ACCESS);
  if (handle_ == nullptr) error_ = Describe("OpenPrinterW", GetLastError());
}

TestPrinter::~TestPrinter() {
  if (handle_ != nullptr) {
    DeletePrinter(handle_);
    ClosePrinter(handle_);
  }
}

HANDLE TestPrinter::Open(DWORD access) const {
  PRINTER_DEFAULTSW defaults = {};
  defaults.DesiredAccess = access;
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(name_.c_str()), &printer, &defaults)) return nullptr;
  return printer;
}

}  // namespace testsupport
