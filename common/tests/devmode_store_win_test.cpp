// The device settings store, through a printer in Wine's spooler.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/records/builtin_dev_option.h"
#include "common/win/devmode_store_win.h"
#include "tests/support/test_printer_win.h"

namespace {

class DevModeStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(printer_.ok()) << printer_.error(); }

  // The raw value as the spooler holds it; error code of the read.
  DWORD ReadValue(const wchar_t* name, std::vector<BYTE>* out) {
    DWORD type = 0, needed = 0;
    BYTE probe[1];
    DWORD error = GetPrinterDataW(printer_.handle(), const_cast<wchar_t*>(name), &type, probe, 0, &needed);
    if (error != ERROR_MORE_DATA && error != ERROR_SUCCESS) return error;
    out->assign(needed, 0);
    error = GetPrinterDataW(printer_.handle(), const_cast<wchar_t*>(name), &type, out->data(), needed, &needed);
    if (error == ERROR_SUCCESS) {
      EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    }
    return error;
  }

  void WriteValue(const wchar_t* name, const std::vector<BYTE>& bytes) {
    ASSERT_EQ(SetPrinterDataW(printer_.handle(), const_cast<wchar_t*>(name), REG_BINARY,
                              const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size())),
              static_cast<DWORD>(ERROR_SUCCESS));
  }

  static DevDMode Patterned(uint8_t seed) {
    DevDMode record;
    uint8_t* bytes = reinterpret_cast<uint8_t*>(&record);
    for (size_t i = 0; i < sizeof record; ++i) bytes[i] = static_cast<uint8_t>(i * 13 + seed);
    return record;
  }

  testsupport::TestPrinter printer_{L"Fax Store Test"};
};

TEST_F(DevModeStoreTest, RecordRoundTripsInTwoValuesOf1024And220Bytes) {
  const DevDMode record = Patterned(3);
  ASSERT_EQ(WritePrivateDevModeData(printer_.handle(), &record), 0u);

  std::vector<BYTE> first, second;
  ASSERT_EQ(ReadValue(L"Private DevMode01", &first), static_cast<DWORD>(ERROR_SUCCESS));
  ASSERT_EQ(ReadValue(L"Private DevMode02", &second), static_cast<DWORD>(ERROR_SUCCESS));
  ASSERT_EQ(first.size(), 1024u);
  ASSERT_EQ(second.size(), 220u);
  const BYTE* bytes = reinterpret_cast<const BYTE*>(&record);
  EXPECT_EQ(std::memcmp(first.data(), bytes, 1024), 0);
  EXPECT_EQ(std::memcmp(second.data(), bytes + 1024, 220), 0);
  std::vector<BYTE> none;
  EXPECT_EQ(ReadValue(L"Private DevMode", &none), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

  DevDMode back;
  DWORD status = 99;
  EXPECT_EQ(ReadPrivateDevModeData(printer_.handle(), &back, &status), 0u);
  EXPECT_EQ(status, 0u);
  EXPECT_EQ(std::memcmp(&back, &record, sizeof record), 0);

  DevOption option;
  EXPECT_EQ(ReadDevOptionFromPrinter(printer_.handle(), &option), 0u);
  EXPECT_EQ(std::memcmp(&option, &record.option, sizeof option), 0);
}

TEST_F(DevModeStoreTest, MissingValuesGiveTheBuiltInDevOption) {
  DevDMode back = Patterned(1);
  DWORD status = 0;
  EXPECT_EQ(ReadPrivateDevModeData(printer_.handle(), &back, &status), 4u);
  EXPECT_EQ(status, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  const DevDMode zero{};
  EXPECT_EQ(std::memcmp(&back, &zero, sizeof back), 0);

  DevOption option;
  std::memset(&option, 0xCC, sizeof option);
  EXPECT_EQ(ReadDevOptionFromPrinter(printer_.handle(), &option), 0u);
  EXPECT_EQ(std::memcmp(&option, &BuiltInDevOption(), sizeof option), 0);
}

TEST_F(DevModeStoreTest, PiecesOfTheWrongSizeMakeTheRecordAbsent) {
  // A record of our own whose pieces are then replaced by strangers' values:
  // nothing is shifted into place; the record counts as not stored.
  const DevDMode record = Patterned(7);
  struct Case {
    const wchar_t* name;
    size_t size;
  };
  const Case cases[] = {{L"Private DevMode02", 100}, {L"Private DevMode02", 221},
                        {L"Private DevMode01", 1000}, {L"Private DevMode01", 1100}};
  for (const Case& c : cases) {
    ASSERT_EQ(WritePrivateDevModeData(printer_.handle(), &record), 0u);
    WriteValue(c.name, std::vector<BYTE>(c.size, 0x42));
    DevDMode back;
    DWORD status = 0;
    EXPECT_EQ(ReadPrivateDevModeData(printer_.handle(), &back, &status), 4u) << c.size;
    EXPECT_EQ(status, static_cast<DWORD>(ERROR_FILE_NOT_FOUND)) << c.size;
    DevOption option;
    EXPECT_EQ(ReadDevOptionFromPrinter(printer_.handle(), &option), 0u) << c.size;
    EXPECT_EQ(std::memcmp(&option, &BuiltInDevOption(), sizeof option), 0) << c.size;
  }
}

TEST_F(DevModeStoreTest, OtherReadFailuresLeaveTheDevOptionUntouched) {
  DevOption option;
  std::memset(&option, 0xCC, sizeof option);
  DWORD status = 0;
  DevDMode back;
  EXPECT_EQ(ReadPrivateDevModeData(nullptr, &back, &status), 4u);
  EXPECT_NE(status, 0u);
  EXPECT_NE(status, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(ReadDevOptionFromPrinter(nullptr, &option), 4u);
  for (size_t i = 0; i < sizeof option; ++i) {
    ASSERT_EQ(reinterpret_cast<const BYTE*>(&option)[i], 0xCC) << i;
  }
}

// The spooler, with one value's writes made to fail; every write attempt is
// recorded.
struct FailingSpooler {
  const wchar_t* failName;
  std::vector<std::wstring> written;

  static DWORD Get(void*, HANDLE p, const wchar_t* n, DWORD* t, BYTE* d, DWORD s, DWORD* need) {
    return SpoolerPrinterData().get(nullptr, p, n, t, d, s, need);
  }
  static DWORD Set(void* ctx, HANDLE p, const wchar_t* n, DWORD t, const BYTE* d, DWORD s) {
    auto* self = static_cast<FailingSpooler*>(ctx);
    self->written.push_back(n);
    if (lstrcmpW(n, self->failName) == 0) return ERROR_ACCESS_DENIED;
    return SpoolerPrinterData().set(nullptr, p, n, t, d, s);
  }
  PrinterDataAccess Access() { return {Get, Set, this}; }
};

TEST_F(DevModeStoreTest, AFailedFirstWriteReturns5AndWritesNothingFurther) {
  FailingSpooler spooler{L"Private DevMode01", {}};
  const DevDMode record = Patterned(9);
  EXPECT_EQ(WritePrivateDevModeData(spooler.Access(), printer_.handle(), &record), 5u);
  ASSERT_EQ(spooler.written.size(), 1u);
  std::vector<BYTE> value;
  EXPECT_EQ(ReadValue(L"Private DevMode01", &value), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(ReadValue(L"Private DevMode02", &value), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(DevModeStoreTest, AFailedSecondWriteLeavesTheStoredRecordAsItWas) {
  const DevDMode old = Patterned(11);
  ASSERT_EQ(WritePrivateDevModeData(printer_.handle(), &old), 0u);
  FailingSpooler spooler{L"Private DevMode02", {}};
  const DevDMode fresh = Patterned(12);
  EXPECT_EQ(WritePrivateDevModeData(spooler.Access(), printer_.handle(), &fresh), 5u);
  DevDMode back;
  DWORD status = 0;
  ASSERT_EQ(ReadPrivateDevModeData(printer_.handle(), &back, &status), 0u);
  EXPECT_EQ(std::memcmp(&back, &old, sizeof back), 0);

  // With nothing stored before, the store is left without a record.
  testsupport::TestPrinter empty{L"Fax Store Empty"};
  ASSERT_TRUE(empty.ok()) << empty.error();
  EXPECT_EQ(WritePrivateDevModeData(spooler.Access(), empty.handle(), &fresh), 5u);
  EXPECT_EQ(ReadPrivateDevModeData(empty.handle(), &back, &status), 4u);
  EXPECT_EQ(status, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

}  // namespace
