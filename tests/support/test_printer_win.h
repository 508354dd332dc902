// A printer in the test prefix's spooler, so that printer data, forms and
// printer information are read and written through the real spooler.
//
// The printer's driver is installed once per prefix and driver name
// (`AddPrinterDriverExW` level 3); each `TestPrinter` adds a printer of its
// own on port "FILE:" with a name unique to the process and deletes it
// again.  The driver's configuration file is the user interface core
// VELDRANK.DLL of the build tree: the spooler loads it while adding the
// printer and takes the printer's first DEVMODE from it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

struct TestPrinterDriver {
  std::wstring name;                 // driver name in the spooler
  std::wstring driverFile;           // full paths; the spooler copies them
  std::wstring configFile;
  std::wstring dataFile;
  std::vector<std::wstring> dependentFiles;
};

// The fax driver of the build tree: VELDRANE.DLL as driver file, VELDRANK.DLL
// as configuration file, the sample model's VELDRANH.QXD as data file, and
// beside them the procedure library with what it loads (the device library,
// the resource libraries and the constraint file).
TestPrinterDriver FaxDriver();

// The directory the spooler copied an installed printer's driver files to,
// with its closing backslash; empty when the spooler does not say.
std::wstring DriverDirectoryOf(HANDLE printer);

class TestPrinter {
 public:
  // Installs `driver` when needed and adds a printer whose name starts with
  // `baseName`.  Check ok() (and error()) before use.
  explicit TestPrinter(const std::wstring& baseName = L"Fax Test",
                       const TestPrinterDriver& driver = FaxDriver());
  ~TestPrinter();
  TestPrinter(const TestPrinter&) = delete;
  TestPrinter& operator=(const TestPrinter&) = delete;

  bool ok() const { return handle_ != nullptr; }
  const std::string& error() const { return error_; }
  const std::wstring& name() const { return name_; }
  // A handle opened with full access for the printer's lifetime.
  HANDLE handle() const { return handle_; }
  // A further handle with the given access; the caller closes it.
  HANDLE Open(DWORD access) const;

 private:
  std::wstring name_;
  HANDLE handle_ = nullptr;
  std::string error_;
};

}  // namespace testsupport
