// The core's printer access: purposes, information fields, printer data.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/records/settings_records.h"
#include "duicore/printer/printer_access_win.h"
#include "tests/support/test_printer_win.h"

namespace {

class PrinterAccessTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(printer_.ok()) << printer_.error(); }
  testsupport::TestPrinter printer_{L"Fax Core Access"};
};

TEST_F(PrinterAccessTest, PurposesOpenOrRefuse) {
  for (int purpose : {1, 2, 3, 4}) {
    HANDLE handle = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(1));
    ASSERT_TRUE(OpenPrinterForPurpose(printer_.name().c_str(), purpose, &handle)) << purpose;
    EXPECT_NE(handle, nullptr);
    EXPECT_TRUE(ClosePrinterHandle(handle));
  }
  for (int purpose : {0, 5, -1}) {
    HANDLE handle = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(1));
    EXPECT_FALSE(OpenPrinterForPurpose(printer_.name().c_str(), purpose, &handle)) << purpose;
    EXPECT_EQ(handle, nullptr) << purpose;
  }
  HANDLE handle = nullptr;
  EXPECT_FALSE(OpenPrinterForPurpose(L"No Such Fax Printer", 2, &handle));
  EXPECT_EQ(handle, nullptr);
  // No name: not the print server either.
  for (const wchar_t* name : {static_cast<const wchar_t*>(nullptr), L""}) {
    handle = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(1));
    EXPECT_FALSE(OpenPrinterForPurpose(name, 1, &handle));
    EXPECT_EQ(handle, nullptr);
  }
  EXPECT_FALSE(ClosePrinterHandle(nullptr));
}

TEST_F(PrinterAccessTest, InformationFields) {
  // The printer's DEVMODE, cut to the buffer.
  std::vector<BYTE> devmode(kDriverDevModeSize, 0xEE);
  ASSERT_TRUE(GetPrinterInfoField(printer_.handle(), nullptr, devmode.data(), kDriverDevModeSize, 10));
  const auto* dm = reinterpret_cast<const DEVMODEW*>(devmode.data());
  EXPECT_EQ(dm->dmSize, kDevModeWSize);
  EXPECT_EQ(dm->dmDriverExtra, kDriverDevModeExtra);
  std::vector<BYTE> head(100, 0xEE);
  ASSERT_TRUE(GetPrinterInfoField(printer_.handle(), nullptr, head.data(), 100, 10));
  EXPECT_EQ(std::memcmp(head.data(), devmode.data(), 100), 0);

  // The driver directory with "\3".
  wchar_t dir[MAX_PATH];
  ASSERT_TRUE(GetPrinterInfoField(printer_.handle(), nullptr, dir, sizeof dir, 100));
  wchar_t expected[MAX_PATH];
  DWORD needed = 0;
  ASSERT_TRUE(GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(expected), sizeof expected,
                                         &needed));
  EXPECT_EQ(std::wstring(dir), std::wstring(expected) + L"\\3");
  // No room for the two characters and the NUL: nothing.
  const size_t length = std::wcslen(expected);
  std::vector<wchar_t> tight(length + 2, L'x');
  EXPECT_FALSE(GetPrinterInfoField(printer_.handle(), nullptr, tight.data(),
                                   static_cast<DWORD>(tight.size() * sizeof(wchar_t)), 100));
  EXPECT_EQ(tight[0], L'\0');

  // Unknown codes and a failing spooler give nothing.
  EXPECT_FALSE(GetPrinterInfoField(printer_.handle(), nullptr, dir, sizeof dir, 11));
  EXPECT_FALSE(GetPrinterInfoField(nullptr, nullptr, devmode.data(), kDriverDevModeSize, 10));
}

TEST_F(PrinterAccessTest, PrinterDataRoundTrip) {
  const BYTE data[5] = {1, 2, 3, 4, 5};
  ASSERT_TRUE(WritePrinterDataValue(printer_.handle(), L"Core Probe", REG_BINARY, data, sizeof data));
  BYTE back[16] = {};
  DWORD read = 0;
  ASSERT_TRUE(ReadPrinterDataValue(printer_.handle(), L"Core Probe", back, sizeof back, &read));
  EXPECT_EQ(read, sizeof data);
  EXPECT_EQ(std::memcmp(back, data, sizeof data), 0);
  EXPECT_FALSE(ReadPrinterDataValue(printer_.handle(), L"Core Probe", back, 2, &read));
  EXPECT_EQ(read, 0u);
  EXPECT_FALSE(ReadPrinterDataValue(printer_.handle(), L"No Such Value", back, sizeof back, &read));
}

}  // namespace
