// The printer front ends of the password cipher: the per-printer key
// material in "InitDataBackup", its key text, and the front ends' choice
// of key.  The printer data live in a stand-in store reached through the
// cipher's printer access functions.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "common/cipher/password_cipher.h"
#include "common/cipher/password_cipher_win.h"

namespace {

// Two printers, told apart by their handles.
HANDLE const kPrinterA = reinterpret_cast<HANDLE>(0xA1);
HANDLE const kPrinterB = reinterpret_cast<HANDLE>(0xB2);

struct StoredValue {
  DWORD type;
  std::vector<BYTE> bytes;
};

std::map<HANDLE, std::map<std::wstring, StoredValue>> g_data;
int g_guidCalls = 0;
bool g_guidFails = false;
int g_reads = 0;

const wchar_t* NameOf(HANDLE printer) {
  if (printer == kPrinterA) return L"Fax A";
  if (printer == kPrinterB) return L"\\\\server\\Fax B";
  return nullptr;
}

DWORD WINAPI FakeGetPrinterData(HANDLE printer, LPWSTR name, LPDWORD type, LPBYTE data, DWORD size, LPDWORD needed) {
  ++g_reads;
  if (NameOf(printer) == nullptr) return ERROR_INVALID_HANDLE;
  auto& values = g_data[printer];
  auto it = values.find(name);
  if (it == values.end()) return ERROR_FILE_NOT_FOUND;
  *needed = static_cast<DWORD>(it->second.bytes.size());
  if (type != nullptr) *type = it->second.type;
  if (size < it->second.bytes.size()) return ERROR_MORE_DATA;
  std::memcpy(data, it->second.bytes.data(), it->second.bytes.size());
  return ERROR_SUCCESS;
}

DWORD WINAPI FakeSetPrinterData(HANDLE printer, LPWSTR name, DWORD type, LPBYTE data, DWORD size) {
  if (NameOf(printer) == nullptr) return ERROR_INVALID_HANDLE;
  g_data[printer][name] = {type, std::vector<BYTE>(data, data + size)};
  return ERROR_SUCCESS;
}

BOOL WINAPI FakeGetPrinter(HANDLE printer, DWORD level, LPBYTE out, DWORD size, LPDWORD needed) {
  const wchar_t* name = NameOf(printer);
  if (name == nullptr || level != 4) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  DWORD nameBytes = static_cast<DWORD>((wcslen(name) + 1) * sizeof(wchar_t));
  *needed = sizeof(PRINTER_INFO_4W) + nameBytes;
  if (size < *needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  auto* info = reinterpret_cast<PRINTER_INFO_4W*>(out);
  auto* text = reinterpret_cast<wchar_t*>(out + sizeof(PRINTER_INFO_4W));
  std::memcpy(text, name, nameBytes);
  info->pPrinterName = text;
  info->pServerName = nullptr;
  info->Attributes = 0;
  return TRUE;
}

HRESULT WINAPI FakeCreateGuid(GUID* guid) {
  if (g_guidFails) return E_FAIL;
  ++g_guidCalls;
  std::memset(guid, 0, sizeof *guid);
  reinterpret_cast<BYTE*>(guid)[0] = static_cast<BYTE>(g_guidCalls);
  reinterpret_cast<BYTE*>(guid)[15] = static_cast<BYTE>(0x10 * g_guidCalls);
  return S_OK;
}

class PrinterCipherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_data.clear();
    g_guidCalls = 0;
    g_guidFails = false;
    g_reads = 0;
    PrinterKeyAccess access = {FakeGetPrinterData, FakeSetPrinterData, FakeGetPrinter, FakeCreateGuid};
    SetPrinterKeyAccess(&access);
    SetUiEncryptionInfo({kCipherMethodAes, 0, 0});
  }
  void TearDown() override {
    SetPrinterKeyAccess(nullptr);
    SetUiEncryptionInfo(kDefaultUiEncryption);
  }

  static void Store(HANDLE printer, std::vector<BYTE> bytes) {
    g_data[printer][kInitDataBackupName] = {REG_BINARY, std::move(bytes)};
  }
  static std::vector<uint8_t> Field(const std::string& text, size_t size) {
    std::vector<uint8_t> field(size, 0);
    std::memcpy(field.data(), text.data(), text.size());
    return field;
  }
};

TEST_F(PrinterCipherTest, RenewWritesFourGuidsAsBinaryOnlyForKeyIdZero) {
  RenewInitDataBackup(kPrinterA);
  ASSERT_EQ(g_guidCalls, 4);
  const StoredValue& value = g_data[kPrinterA][kInitDataBackupName];
  EXPECT_EQ(value.type, static_cast<DWORD>(REG_BINARY));
  ASSERT_EQ(value.bytes.size(), 64u);
  for (int g = 0; g < 4; ++g) {
    EXPECT_EQ(value.bytes[16 * g], g + 1);
    EXPECT_EQ(value.bytes[16 * g + 15], 0x10 * (g + 1));
  }

  SetUiEncryptionInfo({kCipherMethodAes, 1, 0});
  RenewInitDataBackup(kPrinterB);
  EXPECT_EQ(g_data[kPrinterB].count(kInitDataBackupName), 0u);
  EXPECT_EQ(g_guidCalls, 4);
}

TEST_F(PrinterCipherTest, RenewWithoutRandomnessKeepsTheOldValue) {
  Store(kPrinterA, std::vector<BYTE>(64, 0x33));
  g_guidFails = true;
  RenewInitDataBackup(kPrinterA);
  EXPECT_EQ(g_data[kPrinterA][kInitDataBackupName].bytes, std::vector<BYTE>(64, 0x33));
}

TEST_F(PrinterCipherTest, KeyTextFromThePrinterData) {
  EXPECT_EQ(GetInitDataKey(kPrinterA), nullptr);  // absent
  Store(kPrinterA, std::vector<BYTE>(41, 0x01));
  EXPECT_EQ(GetInitDataKey(kPrinterA), nullptr);  // too short
  Store(kPrinterA, std::vector<BYTE>(64, 0x05));
  const char* text = GetInitDataKey(kPrinterA);
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text, "0A0A0A0A0A0A0A0A0A0A");
  EXPECT_EQ(GetInitDataKey(reinterpret_cast<HANDLE>(0x99)), nullptr);  // a handle that answers nothing

  SetUiEncryptionInfo({kCipherMethodAes, 3, 0});
  EXPECT_EQ(GetInitDataKey(kPrinterA), nullptr);
}

TEST_F(PrinterCipherTest, EachPrinterEnciphersWithItsOwnKey) {
  Store(kPrinterA, std::vector<BYTE>(64, 0x05));
  Store(kPrinterB, std::vector<BYTE>(64, 0x06));
  auto a = Field("same password", 81), b = Field("same password", 81);
  ASSERT_EQ(EncryptPassword(kPrinterA, a.data(), 81), 16);
  ASSERT_EQ(EncryptPassword(kPrinterB, b.data(), 81), 16);
  EXPECT_NE(a, b);

  // Each key is the one derived from its own printer's value.
  auto expectA = Field("same password", 81);
  EncryptPasswordWithKey(GetUiEncryptionInfo(), "0A0A0A0A0A0A0A0A0A0A", expectA.data(), 81);
  EXPECT_EQ(a, expectA);

  EXPECT_EQ(DecryptPassword(kPrinterA, a.data(), 16, 81), 13u);
  EXPECT_STREQ(reinterpret_cast<char*>(a.data()), "same password");
  EXPECT_NE(DecryptPassword(kPrinterA, b.data(), 16, 81), 13u);
}

TEST_F(PrinterCipherTest, NewKeyMaterialIsUsedAtOnceAndTheOldNoLongerDeciphers) {
  Store(kPrinterA, std::vector<BYTE>(64, 0x05));
  auto before = Field("rotate me", 73);
  ASSERT_EQ(EncryptPassword(kPrinterA, before.data(), 73), 16);
  RenewInitDataBackup(kPrinterA);
  auto after = Field("rotate me", 73);
  ASSERT_EQ(EncryptPassword(kPrinterA, after.data(), 73), 16);
  EXPECT_NE(before, after);
  EXPECT_EQ(DecryptPassword(kPrinterA, after.data(), 16, 73), 9u);
  EXPECT_NE(DecryptPassword(kPrinterA, before.data(), 16, 73), 9u);
}

TEST_F(PrinterCipherTest, TheDerivedTextIsKeptPerPrinter) {
  Store(kPrinterA, std::vector<BYTE>(64, 0x05));
  ASSERT_NE(GetInitDataKey(kPrinterA), nullptr);
  int reads = g_reads;
  // Changed behind the cipher's back: the kept text still serves.
  Store(kPrinterA, std::vector<BYTE>(64, 0x07));
  EXPECT_STREQ(GetInitDataKey(kPrinterA), "0A0A0A0A0A0A0A0A0A0A");
  EXPECT_EQ(g_reads, reads);
}

TEST_F(PrinterCipherTest, WithoutKeyMaterialTheDefaultKeyTextServes) {
  auto viaPrinter = Field("no key yet", 73), viaDefault = Field("no key yet", 73);
  ASSERT_EQ(EncryptPassword(kPrinterA, viaPrinter.data(), 73), 16);
  EncryptPasswordWithKey(GetUiEncryptionInfo(), kDefaultKeyText, viaDefault.data(), 73);
  EXPECT_EQ(viaPrinter, viaDefault);
}

TEST_F(PrinterCipherTest, TheAesFrontEndsAndOtherMethodsNeedNoPrinterData) {
  Store(kPrinterA, std::vector<BYTE>(64, 0x05));
  SetUiEncryptionInfo({kCipherMethodDes, 0, 0});
  auto field = Field("middle", 33);
  ASSERT_EQ(EncryptPasswordAes(kPrinterA, field.data(), 33), 16);
  EXPECT_EQ(DecryptPasswordAes(kPrinterA, field.data(), 16, 33), 6);
  EXPECT_STREQ(reinterpret_cast<char*>(field.data()), "middle");
  auto des = Field("middle", 73);
  EXPECT_EQ(EncryptPassword(kPrinterA, des.data(), 73), 72);
  EXPECT_EQ(g_reads, 0);
  EXPECT_EQ(EncryptPassword(kPrinterA, nullptr, 73), 0);
  EXPECT_EQ(DecryptPasswordAes(kPrinterA, nullptr, 16, 73), 0);
}

TEST(PrinterCipherSystem, AnInvalidHandleUsesTheDefaultKey) {
  // The system's spooler functions answer an invalid handle with failures.
  SetPrinterKeyAccess(nullptr);
  SetUiEncryptionInfo({kCipherMethodAes, 0, 0});
  std::vector<uint8_t> field(73, 0), expect(73, 0);
  std::memcpy(field.data(), "abc", 3);
  std::memcpy(expect.data(), "abc", 3);
  EXPECT_EQ(GetInitDataKey(nullptr), nullptr);
  EXPECT_EQ(EncryptPassword(nullptr, field.data(), 73), 16);
  EncryptPasswordWithKey(GetUiEncryptionInfo(), nullptr, expect.data(), 73);
  EXPECT_EQ(field, expect);
  RenewInitDataBackup(nullptr);  // nothing to write to; must not fail loudly
  SetUiEncryptionInfo(kDefaultUiEncryption);
}

}  // namespace
