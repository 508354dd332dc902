// Where the render core finds a user's stored overlay forms: the registry
// key of the printer and the printer's driver name.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "drender/layout/overlay_form.h"
#include "drender/tests/render_job_fixture.h"
#include "tests/support/test_printer_win.h"

namespace {

TEST(FormRegistryKey, NamesMakerDriverAndPrinterWithoutLeadingBackslashes) {
  struct Case {
    const wchar_t* printer;
    const wchar_t* key;
  };
  for (const Case& c : {Case{L"Fax", L"Software\\HALDOVAR\\Fax Driver\\Fax"},
                        Case{L"\\\\server\\fax", L"Software\\HALDOVAR\\Fax Driver\\server\\fax"},
                        Case{L"", L"Software\\HALDOVAR\\Fax Driver\\"}}) {
    wchar_t key[520];
    ASSERT_TRUE(Form_GetRegistryKey(L"HALDOVAR", L"Fax Driver", c.printer, key, 520));
    EXPECT_EQ(std::wstring(key), c.key);
  }
  // A key that does not fit is refused, never cut.
  const std::wstring longName(600, L'p');
  wchar_t key[520];
  EXPECT_FALSE(Form_GetRegistryKey(L"HALDOVAR", L"Fax Driver", longName.c_str(), key, 520));
}

TEST(PrinterDriverName, IsTheInstalledDriversName) {
  testsupport::TestPrinter printer{L"Form Driver", RenderDriver()};
  ASSERT_TRUE(printer.ok()) << printer.error();
  wchar_t name[260];
  ASSERT_TRUE(Prn_GetDriverName(printer.name().c_str(), name));
  EXPECT_EQ(std::wstring(name), RenderDriver().name);
  EXPECT_FALSE(Prn_GetDriverName(L"No such printer here", name));
  EXPECT_EQ(name[0], 0);
}

}  // namespace
