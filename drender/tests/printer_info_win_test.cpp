// Printer information through a test printer, and the code-page
// conversions of the render core.
#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <string>

#include "drender/model/printer_info.h"
#include "tests/support/test_printer_win.h"

namespace {

class PrinterInfoTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(printer_.ok()) << printer_.error(); }
  std::wstring Text(int item, DWORD size = 520) {
    std::vector<wchar_t> buffer(size / 2 + 1, L'#');
    if (!Rdc_GetPrinterInfo(printer_.handle(), buffer.data(), size, item)) return L"<failed>";
    return buffer.data();
  }
  testsupport::TestPrinter printer_{L"Fax Info"};
};

TEST_F(PrinterInfoTest, TextItems) {
  EXPECT_EQ(Text(kPrinterInfoPrinterName), printer_.name());
  EXPECT_EQ(Text(kPrinterInfoPortName), L"FILE:");
  EXPECT_EQ(Text(kPrinterInfoPrintProcessor), L"winprint");
  EXPECT_EQ(Text(kPrinterInfoDriverName), testsupport::FaxDriver().name);
  EXPECT_EQ(Text(kPrinterInfoDriverName2), testsupport::FaxDriver().name);
  // Cut to size / 2 - 1 characters.
  EXPECT_EQ(Text(kPrinterInfoPortName, 8), L"FIL");
  EXPECT_EQ(Text(99), L"<failed>");
}

TEST_F(PrinterInfoTest, AttributesAndDevMode) {
  DWORD attributes = 0xFFFFFFFF;
  ASSERT_TRUE(Rdc_GetPrinterInfo(printer_.handle(), &attributes, sizeof attributes, kPrinterInfoAttributes));
  EXPECT_NE(attributes & PRINTER_ATTRIBUTE_LOCAL, 0u);
  uint8_t small[3];
  EXPECT_FALSE(Rdc_GetPrinterInfo(printer_.handle(), small, sizeof small, kPrinterInfoAttributes));

  std::vector<uint8_t> devmode(9000, 0xCC);
  ASSERT_TRUE(Rdc_GetPrinterInfo(printer_.handle(), devmode.data(), static_cast<DWORD>(devmode.size()),
                                 kPrinterInfoDevMode));
  const auto* dm = reinterpret_cast<const DEVMODEW*>(devmode.data());
  const size_t length = size_t{dm->dmSize} + dm->dmDriverExtra;
  EXPECT_EQ(length, 8260u);
  for (size_t i = length; i < devmode.size(); ++i) ASSERT_EQ(devmode[i], 0) << i;
  // A short buffer takes the DEVMODE's beginning.
  std::vector<uint8_t> head(100, 0xCC);
  ASSERT_TRUE(Rdc_GetPrinterInfo(printer_.handle(), head.data(), 100, kPrinterInfoDevMode));
  EXPECT_EQ(0, std::memcmp(head.data(), devmode.data(), 100));
}

TEST(PrinterInfoFailureTest, NoPrinterNoInformation) {
  wchar_t buffer[16];
  std::fill(std::begin(buffer), std::end(buffer), L'#');
  EXPECT_FALSE(Rdc_GetPrinterInfo(nullptr, buffer, sizeof buffer, kPrinterInfoPrinterName));
  EXPECT_EQ(buffer[0], 0) << "the buffer is cleared first";
  EXPECT_FALSE(Rdc_GetPrinterInfo(nullptr, nullptr, 0, kPrinterInfoPrinterName));
}

TEST(CodePageTest, ToAnsiAndBack) {
  char narrow[8];
  EXPECT_EQ(Rdc_ToAnsi(L"Fax", -1, narrow, sizeof narrow, -1), 3);
  EXPECT_STREQ(narrow, "Fax");
  EXPECT_EQ(Rdc_ToAnsi(L"Facsimile", -1, narrow, 4, -1), 3);  // cut, always terminated
  EXPECT_EQ(std::string(narrow, 3), "Fac");
  EXPECT_EQ(narrow[3], 0);
  EXPECT_EQ(Rdc_ToAnsi(L"\x00E9t\x00E9", -1, narrow, sizeof narrow, 1252), 3);
  EXPECT_EQ(static_cast<unsigned char>(narrow[0]), 0xE9);
  EXPECT_EQ(Rdc_ToAnsi(L"Fax", 2, narrow, sizeof narrow, -1), 2);

  wchar_t wide[8];
  EXPECT_EQ(Rdc_FromAnsi("Fax", -1, wide, sizeof wide), 3);
  EXPECT_STREQ(wide, L"Fax");
  EXPECT_EQ(Rdc_FromAnsi("Facsimile", -1, wide, 4 * sizeof(wchar_t)), 3);
  EXPECT_STREQ(wide, L"Fac");
  EXPECT_EQ(Rdc_FromAnsi(nullptr, -1, wide, sizeof wide), 0);
  EXPECT_EQ(wide[0], 0);
}

}  // namespace
