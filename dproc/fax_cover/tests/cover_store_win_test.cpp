// The per-user store of cover sheets under Wine: the values as another
// program sees them in the registry, round trips, damaged values, and the
// set list's save that never loses stored sets.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/cover/cover_defaults.h"
#include "common/win/user_registry.h"
#include "dproc/fax_cover/cover_store_win.h"

namespace {

constexpr wchar_t kDriver[] = L"Cover Store Test Driver";

template <size_t N>
void Set(char16_t (&to)[N], const std::u16string& text) {
  std::memset(to, 0, sizeof(to));
  std::memcpy(to, text.data(), std::min(text.size(), N - 1) * sizeof(char16_t));
}

class CoverStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    printer_ = L"Cover Store " + std::to_wstring(GetCurrentProcessId()) + L" " +
               std::to_wstring(reinterpret_cast<uintptr_t>(this) & 0xffff);
    Delete();
  }
  void TearDown() override { Delete(); }
  // The driver's key, opened as any program of the user would.
  HKEY Open(const std::wstring& tail) {
    const std::wstring path = std::wstring(L"Software\\HALDOVAR\\") + kDriver + L"\\" + printer_ + tail;
    HKEY key = nullptr;
    EXPECT_EQ(OpenUserRegKey(nullptr, path.c_str(), &key), ERROR_SUCCESS);
    return key;
  }
  void Delete() {
    HKEY root = nullptr;
    const std::wstring path = std::wstring(L"Software\\HALDOVAR\\") + kDriver;
    if (OpenUserRegKey(nullptr, path.c_str(), &root) == ERROR_SUCCESS) {
      RegDeleteTreeW(root, printer_.c_str());
      RegCloseKey(root);
    }
  }
  std::vector<uint8_t> Value(HKEY key, const wchar_t* name, DWORD* type = nullptr) {
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, type, nullptr, &size) != ERROR_SUCCESS) return {};
    std::vector<uint8_t> v(size);
    RegQueryValueExW(key, name, nullptr, type, v.data(), &size);
    return v;
  }
  static FaxCoverSheetData Sample() {
    FaxCoverSheetData r;
    MakeDefaultCoverSheet(&r);
    Set(r.szCoverSheetSet, u"Weekly");
    r.sCoverSize = -3;
    r.basic.byStyle = 2;
    Set(r.basic.szComment, u"line one\r\nline two");
    r.recipient.byRecipientMode = 1;
    Set(r.recipient.szName, u"Bea");
    Set(r.sender.lines[kFcsSenderEMail].szText, u"a@example.org");
    r.image.wPosX = 40;
    return r;
  }

  std::wstring printer_;
};

TEST_F(CoverStoreTest, NothingStoredGivesDefaultsAndCreatesTheKey) {
  FaxCoverSheetData r;
  std::memset(&r, 0x5A, sizeof r);
  EXPECT_EQ(ReadFaxCoverSheetReg(printer_.c_str(), kDriver, &r), 0);
  FaxCoverSheetData defaults;
  MakeDefaultCoverSheet(&defaults);
  std::memset(defaults.szCoverSheetSet, 0, sizeof defaults.szCoverSheetSet);
  EXPECT_EQ(std::memcmp(&r, &defaults, sizeof r), 0);
  HKEY key = Open(L"\\FaxCoverSheet");
  ASSERT_NE(key, nullptr);
  RegCloseKey(key);
}

TEST_F(CoverStoreTest, RecordRoundTripAndItsValues) {
  const FaxCoverSheetData in = Sample();
  ASSERT_EQ(WriteFaxCoverSheetReg(printer_.c_str(), kDriver, in), 1);
  FaxCoverSheetData out{};
  ASSERT_EQ(ReadFaxCoverSheetReg(printer_.c_str(), kDriver, &out), 1);
  EXPECT_EQ(std::memcmp(&in, &out, sizeof in), 0);

  HKEY key = Open(L"\\FaxCoverSheet");
  DWORD type = 0;
  EXPECT_EQ(Value(key, L"CoverSheetSet", &type).size(), 42u);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  const std::vector<uint8_t> size = Value(key, L"CoverSize", &type);
  ASSERT_EQ(size.size(), 4u);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(size[3], 0xff);  // -3, sign-extended
  struct {
    const wchar_t* name;
    size_t size;
  } parts[] = {{L"Basic", 1464}, {L"Recipient", 724}, {L"Sender", 984}, {L"Image", 530}};
  for (const auto& p : parts) {
    EXPECT_EQ(Value(key, p.name, &type).size(), p.size) << p.name;
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  }
  RegCloseKey(key);
}

// A part too large gives defaults from there on, and so does a short part
// (never half of a stored part over defaults); unterminated texts end
// inside their fields.
TEST_F(CoverStoreTest, DamagedValues) {
  const FaxCoverSheetData in = Sample();
  ASSERT_EQ(WriteFaxCoverSheetReg(printer_.c_str(), kDriver, in), 1);
  FaxCoverSheetData defaults;
  MakeDefaultCoverSheet(&defaults);
  HKEY key = Open(L"\\FaxCoverSheet");

  std::vector<uint8_t> big(2000, 1);
  RegSetValueExW(key, L"Basic", 0, REG_BINARY, big.data(), static_cast<DWORD>(big.size()));
  FaxCoverSheetData out{};
  EXPECT_EQ(ReadFaxCoverSheetReg(printer_.c_str(), kDriver, &out), 0);
  EXPECT_EQ(std::u16string(out.szCoverSheetSet), u"Weekly");
  EXPECT_EQ(out.sCoverSize, -3);
  EXPECT_EQ(std::memcmp(&out.basic, &defaults.basic, sizeof out.basic), 0);
  EXPECT_EQ(std::memcmp(&out.recipient, &defaults.recipient, sizeof out.recipient), 0);
  EXPECT_EQ(std::memcmp(&out.image, &defaults.image, sizeof out.image), 0);

  RegSetValueExW(key, L"Basic", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&in.basic), sizeof in.basic);
  RegSetValueExW(key, L"Recipient", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&in.recipient), 100);
  EXPECT_EQ(ReadFaxCoverSheetReg(printer_.c_str(), kDriver, &out), 0);
  EXPECT_EQ(std::memcmp(&out.basic, &in.basic, sizeof out.basic), 0);
  EXPECT_EQ(std::memcmp(&out.recipient, &defaults.recipient, sizeof out.recipient), 0);

  RegSetValueExW(key, L"Recipient", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&in.recipient),
                 sizeof in.recipient);
  std::vector<uint8_t> noEnd(984, 'A');
  RegSetValueExW(key, L"Sender", 0, REG_BINARY, noEnd.data(), static_cast<DWORD>(noEnd.size()));
  EXPECT_EQ(ReadFaxCoverSheetReg(printer_.c_str(), kDriver, &out), 1);
  EXPECT_EQ(std::memcmp(&out.recipient, &in.recipient, sizeof out.recipient), 0);
  for (const FcsSenderLine& l : out.sender.lines) EXPECT_EQ(l.szText[80], 0);
  EXPECT_EQ(out.image.wPosX, 40);
  RegCloseKey(key);
}

// A damaged set count neither sizes the list nor keeps the reader going:
// the list ends at the first set the store lacks, and saving over it works.
TEST_F(CoverStoreTest, DamagedSetCount) {
  FaxCoverSheetData d = Sample();
  FaxCoverSheetSets list;
  for (const char16_t* name : {u"One", u"Two", u"Three"}) {
    list.sets.push_back(MakeCoverSheetSet(name, d.basic, d.sender, d.image));
  }
  ASSERT_EQ(SaveCoverSheetSetList(printer_.c_str(), kDriver, list), 1);
  HKEY key = Open(L"\\FaxCoverSheet\\CoverSheetSet");
  const struct {
    const char* what;
    std::vector<uint8_t> value;
    size_t sets;
  } cases[] = {
      {"all bits set", {0xFF, 0xFF, 0xFF, 0xFF}, 3},
      {"a count beyond the sets", {0x40, 0x42, 0x0F, 0x00}, 3},
      {"two", {2, 0, 0, 0}, 2},
      {"eight bytes", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 0},
      {"two bytes", {3, 0}, 0},
  };
  for (const auto& c : cases) {
    RegSetValueExW(key, L"OrderNum", 0, REG_BINARY, c.value.data(), static_cast<DWORD>(c.value.size()));
    const DWORD start = GetTickCount();
    FaxCoverSheetSets back;
    ASSERT_TRUE(LoadCoverSheetSetList(printer_.c_str(), kDriver, &back)) << c.what;
    EXPECT_LT(GetTickCount() - start, 2000u) << c.what;
    ASSERT_EQ(back.sets.size(), c.sets) << c.what;
    if (c.sets > 0) {
      EXPECT_EQ(std::u16string(back.sets[0].name), u"One") << c.what;
    }
  }
  const uint32_t damaged = 0xFFFFFFFFu;
  RegSetValueExW(key, L"OrderNum", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&damaged), 4);
  list.sets.pop_back();
  ASSERT_EQ(SaveCoverSheetSetList(printer_.c_str(), kDriver, list), 1);
  EXPECT_EQ(Value(key, L"OrderNum"), (std::vector<uint8_t>{2, 0, 0, 0}));
  EXPECT_TRUE(Value(key, L"Name02").empty());
  RegCloseKey(key);
}

TEST_F(CoverStoreTest, SetListSavesOverAndRemovesTheSurplusAfter) {
  FaxCoverSheetData d = Sample();
  FaxCoverSheetSets list;
  for (int i = 0; i < 5; ++i) {
    d.basic.wPages = static_cast<uint16_t>(i + 1);
    const std::u16string name = i == 0 ? u"ABCDEFGHIJKLMNOPQRST" : u"Set" + std::u16string(1, u'0' + i);
    list.sets.push_back(MakeCoverSheetSet(name.c_str(), d.basic, d.sender, d.image));
  }
  ASSERT_EQ(SaveCoverSheetSetList(printer_.c_str(), kDriver, list), 1);
  HKEY key = Open(L"\\FaxCoverSheet\\CoverSheetSet");
  // 20 characters without a terminator (Wine's registry adds one to a
  // REG_SZ value that is terminated in memory).
  const std::vector<uint8_t> name = Value(key, L"Name00");
  EXPECT_TRUE(name.size() == 40u || name.size() == 42u) << name.size();
  ASSERT_GE(name.size(), 40u);
  EXPECT_EQ(name[0], 'A');
  EXPECT_EQ(name[38], 'T');
  list.sets.erase(list.sets.begin() + 1, list.sets.begin() + 3);
  ASSERT_EQ(SaveCoverSheetSetList(printer_.c_str(), kDriver, list), 1);
  const std::vector<uint8_t> count = Value(key, L"OrderNum");
  ASSERT_EQ(count.size(), 4u);
  EXPECT_EQ(count[0], 3);
  for (const wchar_t* gone : {L"Name03", L"Basic03", L"Sender04", L"Image04"}) EXPECT_TRUE(Value(key, gone).empty());
  RegCloseKey(key);

  FaxCoverSheetSets back;
  ASSERT_TRUE(LoadCoverSheetSetList(printer_.c_str(), kDriver, &back));
  ASSERT_EQ(back.sets.size(), 3u);
  EXPECT_EQ(back.current, -1);
  EXPECT_EQ(std::u16string(back.sets[0].name), u"ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(std::u16string(back.sets[1].name), u"Set3");
  EXPECT_EQ(back.sets[2].basic.wPages, 5);
  EXPECT_EQ(std::memcmp(&back.sets[1].sender, &d.sender, sizeof d.sender), 0);
}

TEST_F(CoverStoreTest, HundredAndFirstSetHasThreeDigits) {
  FaxCoverSheetData d = Sample();
  FaxCoverSheetSets list;
  for (int i = 0; i < 101; ++i) list.sets.push_back(MakeCoverSheetSet(u"S", d.basic, d.sender, d.image));
  ASSERT_EQ(SaveCoverSheetSetList(printer_.c_str(), kDriver, list), 1);
  HKEY key = Open(L"\\FaxCoverSheet\\CoverSheetSet");
  EXPECT_GE(Value(key, L"Name100").size(), 2u);
  EXPECT_EQ(Value(key, L"Image100").size(), 530u);
  RegCloseKey(key);
}

// A printer shared from another machine: one key level per name part.
TEST_F(CoverStoreTest, SharedPrinterNameMakesKeyLevels) {
  printer_ = L"\\\\coverhost\\fax";
  FaxCoverSheetData d = Sample();
  ASSERT_EQ(WriteFaxCoverSheetReg(printer_.c_str(), kDriver, d), 1);
  HKEY key = nullptr;
  const std::wstring path = std::wstring(L"Software\\HALDOVAR\\") + kDriver + L"\\coverhost\\fax\\FaxCoverSheet";
  ASSERT_EQ(OpenUserRegKey(nullptr, path.c_str(), &key), ERROR_SUCCESS);
  EXPECT_EQ(Value(key, L"Basic").size(), 1464u);
  RegCloseKey(key);
  HKEY root = nullptr;
  OpenUserRegKey(nullptr, (std::wstring(L"Software\\HALDOVAR\\") + kDriver).c_str(), &root);
  RegDeleteTreeW(root, L"coverhost");
  RegCloseKey(root);
}

}  // namespace
