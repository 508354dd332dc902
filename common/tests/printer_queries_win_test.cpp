// Printer and driver queries against a printer of the test prefix's spooler.
#include <windows.h>

#include <winspool.h>

#include <gtest/gtest.h>

#include <string>

#include "common/win/printer_queries.h"
#include "common/records/settings_records.h"
#include "tests/support/test_printer_win.h"

namespace {

TEST(PrinterQueries, NamesAndAttributesOfAPrinter) {
  testsupport::TestPrinter printer(L"Query Test");
  ASSERT_TRUE(printer.ok()) << printer.error();
  const testsupport::TestPrinterDriver driver = testsupport::FaxDriver();

  wchar_t name[260];
  ASSERT_TRUE(QueryPrinterName(printer.handle(), name, 260));
  EXPECT_EQ(std::wstring(name), printer.name());
  wchar_t cut[6];
  ASSERT_TRUE(QueryPrinterName(printer.handle(), cut, 6));
  EXPECT_EQ(std::wstring(cut), printer.name().substr(0, 5));

  wchar_t driverName[260];
  ASSERT_TRUE(QueryDriverName(printer.handle(), driverName, nullptr));
  EXPECT_EQ(std::wstring(driverName), driver.name);
  EXPECT_EQ(std::wstring(GetPrinterDriverNameW(printer.handle())), driver.name);

  EXPECT_FALSE(IsRawOnlyPrinter(printer.handle()));
  EXPECT_FALSE(IsLocalPrinterConnection(printer.handle())) << "a printer of this machine";
  EXPECT_TRUE(IsPrinterAdministrable(printer.name().c_str()));
  bool mono = driver.name.size() >= 4 && driver.name.compare(driver.name.size() - 4, 4, L"Mono") == 0;
  EXPECT_EQ(IsMonoDriverName(nullptr, printer.name().c_str()), mono);
  EXPECT_EQ(IsMonoDriverName(printer.handle(), nullptr), mono);
}

TEST(PrinterQueries, RawOnlyAttribute) {
  testsupport::TestPrinter printer(L"Raw Test");
  ASSERT_TRUE(printer.ok()) << printer.error();
  DWORD needed = 0;
  GetPrinterW(printer.handle(), 2, nullptr, 0, &needed);
  std::string block(needed, '\0');
  auto* info = reinterpret_cast<PRINTER_INFO_2W*>(block.data());
  ASSERT_TRUE(GetPrinterW(printer.handle(), 2, reinterpret_cast<BYTE*>(info), needed, &needed));
  info->Attributes |= PRINTER_ATTRIBUTE_RAW_ONLY;
  info->pSecurityDescriptor = nullptr;
  if (!SetPrinterW(printer.handle(), 2, reinterpret_cast<BYTE*>(info), 0)) GTEST_SKIP() << "the spooler keeps its attributes";
  EXPECT_TRUE(IsRawOnlyPrinter(printer.handle()));
}

TEST(PrinterQueries, DefaultDocumentSettingsOnlyWhole) {
  testsupport::TestPrinter printer(L"Default Test");
  ASSERT_TRUE(printer.ok()) << printer.error();
  EXPECT_FALSE(ReadDefaultOEMDEV(printer.handle(), nullptr)) << "no value";
  std::string record(kDocDModeSize, '\x5A');
  std::string out(kDocDModeSize, '\0');
  ASSERT_EQ(SetPrinterDataW(printer.handle(), const_cast<wchar_t*>(L"DefaultOEMDEV"), REG_BINARY,
                            reinterpret_cast<BYTE*>(record.data()), 100),
            static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_FALSE(ReadDefaultOEMDEV(printer.handle(), out.data())) << "a piece of a record";
  EXPECT_EQ(out[0], '\0');
  ASSERT_EQ(SetPrinterDataW(printer.handle(), const_cast<wchar_t*>(L"DefaultOEMDEV"), REG_BINARY,
                            reinterpret_cast<BYTE*>(record.data()), kDocDModeSize),
            static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_TRUE(ReadDefaultOEMDEV(printer.handle(), nullptr));
  EXPECT_TRUE(ReadDefaultOEMDEV(printer.handle(), out.data()));
  EXPECT_EQ(out, record);
}

}  // namespace
