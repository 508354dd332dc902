// Counts and records read from the registry and from printer data: a
// record is taken only when the stored value is exactly its size (the
// caller's buffer untouched otherwise), a count only as a 4-byte value and
// capped.
#include <windows.h>

#include <winspool.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/win/store_values_win.h"
#include "common/win/user_registry.h"
#include "tests/support/test_printer_win.h"

namespace {

struct Record {
  uint8_t bytes[449];
};

class StoreValues : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = L"Software\\HALDOVAR\\Store Values Test " + std::to_wstring(GetCurrentProcessId());
    ASSERT_EQ(OpenUserRegKey(nullptr, path_.c_str(), &key_), ERROR_SUCCESS);
  }
  void TearDown() override {
    RegCloseKey(key_);
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    HKEY users = nullptr;
    // The key may live under the thread user's SID instead.
    if (OpenUserRegKey(nullptr, nullptr, &users) == ERROR_SUCCESS) {
      RegDeleteTreeW(users, path_.c_str());
      RegCloseKey(users);
    }
  }
  void Put(const wchar_t* name, size_t bytes, DWORD type = REG_BINARY) {
    std::vector<uint8_t> v(bytes, 0x5A);
    ASSERT_EQ(RegSetValueExW(key_, name, 0, type, v.data(), static_cast<DWORD>(v.size())), ERROR_SUCCESS);
  }
  void PutCount(const wchar_t* name, uint32_t value) {
    ASSERT_EQ(RegSetValueExW(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4), ERROR_SUCCESS);
  }
  std::wstring path_;
  HKEY key_ = nullptr;
};

TEST_F(StoreValues, RegistryRecordsOfExactlyTheirSize) {
  const struct {
    const wchar_t* name;
    size_t bytes;  // 0: no value
    bool read;
  } cases[] = {{L"Exact", 449, true}, {L"Short", 448, false}, {L"Long", 450, false},
               {L"Huge", 100000, false}, {L"Empty", 0, false}, {L"Missing", 0, false}};
  for (const auto& c : cases) {
    if (c.bytes != 0 || std::wstring(c.name) == L"Empty") Put(c.name, c.bytes);
    Record r;
    std::memset(&r, 0x11, sizeof r);
    EXPECT_EQ(Store_ReadRegRecord(key_, c.name, &r, sizeof r), c.read) << c.name;
    const uint8_t expected = c.read ? 0x5A : 0x11;
    for (uint8_t b : r.bytes) ASSERT_EQ(b, expected) << c.name;
  }
  Record r;
  EXPECT_FALSE(Store_ReadRegRecord(nullptr, L"Exact", &r, sizeof r));
}

TEST_F(StoreValues, RegistryCountsAreCapped) {
  PutCount(L"Few", 3);
  PutCount(L"Damaged", 0xFFFFFFFFu);
  Put(L"TwoBytes", 2);
  Put(L"EightBytes", 8);
  EXPECT_EQ(Store_ReadRegCount(key_, L"Few", 20), 3u);
  EXPECT_EQ(Store_ReadRegCount(key_, L"Damaged", 20), 20u);
  EXPECT_EQ(Store_ReadRegCount(key_, L"TwoBytes", 20), 0u);
  EXPECT_EQ(Store_ReadRegCount(key_, L"EightBytes", 20), 0u);
  EXPECT_EQ(Store_ReadRegCount(key_, L"Missing", 20), 0u);
}

TEST(StoreValuesPrinterData, RecordsAndCounts) {
  testsupport::TestPrinter printer(L"Store Values");
  ASSERT_TRUE(printer.ok()) << printer.error();
  HANDLE h = printer.handle();
  std::vector<uint8_t> record(449, 0x5A), shorter(448, 0x5A);
  const uint32_t damaged = 0xFFFFFFFFu, few = 2;
  ASSERT_EQ(SetPrinterDataW(h, const_cast<wchar_t*>(L"StoreTestRecord"), REG_BINARY, record.data(), 449), 0u);
  ASSERT_EQ(SetPrinterDataW(h, const_cast<wchar_t*>(L"StoreTestShort"), REG_BINARY, shorter.data(), 448), 0u);
  ASSERT_EQ(SetPrinterDataW(h, const_cast<wchar_t*>(L"StoreTestCount"), REG_DWORD,
                            reinterpret_cast<BYTE*>(const_cast<uint32_t*>(&damaged)), 4),
            0u);
  ASSERT_EQ(SetPrinterDataW(h, const_cast<wchar_t*>(L"StoreTestFew"), REG_DWORD,
                            reinterpret_cast<BYTE*>(const_cast<uint32_t*>(&few)), 4),
            0u);
  Record r;
  std::memset(&r, 0x11, sizeof r);
  EXPECT_TRUE(Store_ReadPrinterRecord(h, L"StoreTestRecord", &r, sizeof r));
  EXPECT_EQ(r.bytes[448], 0x5A);
  std::memset(&r, 0x11, sizeof r);
  EXPECT_FALSE(Store_ReadPrinterRecord(h, L"StoreTestShort", &r, sizeof r));
  EXPECT_FALSE(Store_ReadPrinterRecord(h, L"StoreTestMissing", &r, sizeof r));
  EXPECT_EQ(r.bytes[0], 0x11);
  EXPECT_EQ(Store_ReadPrinterCount(h, L"StoreTestCount", 20), 20u);
  EXPECT_EQ(Store_ReadPrinterCount(h, L"StoreTestFew", 20), 2u);
  EXPECT_EQ(Store_ReadPrinterCount(h, L"StoreTestRecord", 20), 0u);
}

}  // namespace
