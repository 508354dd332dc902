#include "dproc/watermark/watermark_store_win.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/contracts/settings_functions_win.h"
#include "common/win/bind_export.h"
#include "common/win/user_registry.h"
#include "dproc/startup/watermark_defaults.h"
#include "dproc/watermark/watermark_lists.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_printer_win.h"

namespace {

constexpr wchar_t kDriver[] = L"Watermark Store Test Driver";

WaterMarkInfo Mark(const std::u16string& title, uint16_t size = 72) {
  WaterMarkInfo mark{};
  char16_t text[32] = {};
  title.copy(text, 31);
  std::memcpy(mark.szWmkTitle, text, sizeof text);
  std::memcpy(mark.szFontName, u"Arial", 12);
  mark.wSize = size;
  return mark;
}

std::u16string Title(const WaterMarkInfo& mark) { return TitleOf(mark).text; }

struct Block {
  WaterMarkInfo* marks = nullptr;
  size_t count = 0;
  ~Block() {
    if (marks != nullptr) LocalFree(marks);
  }
  std::vector<std::u16string> Titles() const {
    std::vector<std::u16string> titles;
    for (size_t i = 0; i < count; ++i) titles.push_back(Title(marks[i]));
    return titles;
  }
};

class WatermarkStores : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(printer_.ok()) << printer_.error(); }
  void TearDown() override {
    wchar_t path[1024];
    if (MakeUserSettingsPath(kDriver, name(), L"", path, 1024)) RegDeleteTreeW(HKEY_CURRENT_USER, path);
  }
  const wchar_t* name() const { return printer_.name().c_str(); }
  HANDLE handle() const { return printer_.handle(); }

  std::vector<std::u16string> PublicTitles() {
    Block block;
    block.count = ReadPrinterWaterMarks(handle(), &block.marks);
    return block.Titles();
  }
  std::vector<std::u16string> PrivateTitles() {
    Block block;
    block.count = ReadUserWaterMarks(kMakerName, name(), kDriver, &block.marks);
    return block.Titles();
  }
  DWORD StoredCount() {
    DWORD type = 0, got = 0, count = 0;
    if (GetPrinterDataW(handle(), const_cast<wchar_t*>(L"WMInfoCnt"), &type, reinterpret_cast<BYTE*>(&count),
                        sizeof count, &got) != ERROR_SUCCESS) {
      return 0xFFFFFFFF;
    }
    return count;
  }
  void SetPublic(const wchar_t* value, const void* data, DWORD size, DWORD type = REG_BINARY) {
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS),
              SetPrinterDataW(handle(), const_cast<wchar_t*>(value), type,
                              static_cast<BYTE*>(const_cast<void*>(data)), size));
  }

  testsupport::TestPrinter printer_{L"Watermark Store"};
};

std::vector<std::u16string> DefaultTitles() {
  std::vector<std::u16string> titles;
  for (size_t i = 0; i < CountDefaultWatermarks(g_defaultWatermarks, kDefaultWatermarks); ++i) {
    titles.push_back(Title(g_defaultWatermarks[i]));
  }
  return titles;
}

TEST_F(WatermarkStores, DefaultsFillAnEmptyStoreAndAreAppendedToAShortOne) {
  const std::vector<std::u16string> defaults = DefaultTitles();
  ASSERT_EQ(6u, defaults.size());
  // A store of no watermarks gets every default.
  ASSERT_TRUE(WritePrinterWaterMarks(name(), nullptr, 0) == FALSE);
  const WaterMarkInfo none[1] = {};
  ASSERT_TRUE(WritePrinterWaterMarks(name(), none, 0));
  EXPECT_EQ(0u, StoredCount());
  RegDefWaterMarks(handle());
  EXPECT_EQ(defaults, PublicTitles());

  // A printer with four watermarks of its own, one of them a default's
  // title, keeps them and gets the five missing defaults after them.
  const WaterMarkInfo own[4] = {Mark(u"Ours 1"), Mark(u"DRAFT", 20), Mark(u"Ours 2"), Mark(u"Ours 3")};
  ASSERT_TRUE(WritePrinterWaterMarks(name(), own, 4));
  RegDefWaterMarks(handle());
  std::vector<std::u16string> expected = {u"Ours 1", u"DRAFT", u"Ours 2", u"Ours 3"};
  for (const std::u16string& title : defaults) {
    if (title != u"DRAFT") expected.push_back(title);
  }
  EXPECT_EQ(expected, PublicTitles());
  Block block;
  block.count = ReadPrinterWaterMarks(handle(), &block.marks);
  ASSERT_EQ(9u, block.count);
  EXPECT_EQ(20, block.marks[1].wSize);

  // As many as the defaults, even other ones: nothing is written.
  const WaterMarkInfo six[6] = {Mark(u"1"), Mark(u"2"), Mark(u"3"), Mark(u"4"), Mark(u"5"), Mark(u"6")};
  ASSERT_TRUE(WritePrinterWaterMarks(name(), six, 6));
  RegDefWaterMarks(handle());
  EXPECT_EQ((std::vector<std::u16string>{u"1", u"2", u"3", u"4", u"5", u"6"}), PublicTitles());
}

TEST_F(WatermarkStores, TheExportRegistersTheLibrarysDefaults) {
  HMODULE library = LoadLibraryW((testsupport::ProgramFolder() + L"VELDRANA.DLL").c_str());
  ASSERT_NE(nullptr, library);
  auto wide = BindExport<PrcRegDefWMarkWFn>(library, kPrcRegDefWMarkW);
  auto ansi = BindExport<PrcRegDefWMarkAFn>(library, kPrcRegDefWMarkA);
  ASSERT_NE(nullptr, wide);
  ASSERT_NE(nullptr, ansi);
  const WaterMarkInfo none[1] = {};
  ASSERT_TRUE(WritePrinterWaterMarks(name(), none, 0));
  EXPECT_TRUE(wide(name()));
  const std::vector<std::u16string> first = PublicTitles();
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(first.size(), StoredCount());
  ASSERT_TRUE(WritePrinterWaterMarks(name(), none, 0));
  const std::string ansiName(printer_.name().begin(), printer_.name().end());
  EXPECT_TRUE(ansi(ansiName.c_str()));
  EXPECT_EQ(first, PublicTitles());
  // A printer that does not exist: the open's failure, nothing else.
  EXPECT_FALSE(wide(L"No Such Printer Here"));
  FreeLibrary(library);
}

// The procedure library the spooler installed with the printer's driver,
// beside the sample model's description files.
HMODULE LoadInstalledLibrary(HANDLE printer) {
  DWORD needed = 0;
  GetPrinterDriverW(printer, nullptr, 3, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed);
  if (needed == 0 || !GetPrinterDriverW(printer, nullptr, 3, buffer.data(), needed, &needed)) return nullptr;
  std::wstring path = reinterpret_cast<DRIVER_INFO_3W*>(buffer.data())->pConfigFile;
  path = path.substr(0, path.find_last_of(L'\\') + 1) + L"VELDRANA.DLL";
  return LoadLibraryW(path.c_str());
}

TEST_F(WatermarkStores, ANewPrinterGetsTheSampleModelsWatermarksInGrey) {
  HMODULE library = LoadInstalledLibrary(handle());
  ASSERT_NE(nullptr, library);
  auto wide = BindExport<PrcRegDefWMarkWFn>(library, kPrcRegDefWMarkW);
  ASSERT_NE(nullptr, wide);
  const WaterMarkInfo none[1] = {};
  ASSERT_TRUE(WritePrinterWaterMarks(name(), none, 0));
  EXPECT_TRUE(wide(name()));
  Block block;
  block.count = ReadPrinterWaterMarks(handle(), &block.marks);
  EXPECT_EQ((std::vector<std::u16string>{u"CONFIDENTIAL", u"URGENT", u"PLEASE CALL", u"DRAFT", u"COPY",
                                         u"FOR YOUR INFORMATION"}),
            block.Titles());
  for (size_t i = 0; i < block.count; ++i) {
    EXPECT_EQ(kMonochromeWatermarkColor, uint32_t{block.marks[i].crColor}) << i;
    char16_t face[32] = {};
    std::memcpy(face, block.marks[i].szFontName, sizeof face);
    face[31] = 0;
    EXPECT_EQ(u"Tahoma", std::u16string(face)) << i;
  }
  FreeLibrary(library);
}

TEST_F(WatermarkStores, ADamagedPublicStoreReadsAsItsValidPart) {
  const WaterMarkInfo marks[3] = {Mark(u"A"), Mark(u"B"), Mark(u"C")};
  ASSERT_TRUE(WritePrinterWaterMarks(name(), marks, 3));
  EXPECT_EQ((std::vector<std::u16string>{u"A", u"B", u"C"}), PublicTitles());
  // A record one byte short is refused, and so is one a byte too long.
  SetPublic(L"WaterMark2", &marks[1], sizeof(WaterMarkInfo) - 1);
  EXPECT_EQ(std::vector<std::u16string>{u"A"}, PublicTitles());
  std::vector<BYTE> longer(sizeof(WaterMarkInfo) + 1);
  std::memcpy(longer.data(), &marks[1], sizeof(WaterMarkInfo));
  SetPublic(L"WaterMark2", longer.data(), static_cast<DWORD>(longer.size()));
  EXPECT_EQ(std::vector<std::u16string>{u"A"}, PublicTitles());
  // A count beyond the records and beyond the lists' 30.
  SetPublic(L"WaterMark2", &marks[1], sizeof(WaterMarkInfo));
  const DWORD huge = 0xFFFFFFFF;
  SetPublic(L"WMInfoCnt", &huge, sizeof huge, REG_DWORD);
  EXPECT_EQ((std::vector<std::u16string>{u"A", u"B", u"C"}), PublicTitles());
  // A count that is not four bytes long: no store.
  const WORD shortCount = 2;
  SetPublic(L"WMInfoCnt", &shortCount, sizeof shortCount, REG_BINARY);
  EXPECT_TRUE(PublicTitles().empty());
}

TEST_F(WatermarkStores, WritesPutRecordsBeforeTheCountAndClearTheRest) {
  std::vector<WaterMarkInfo> thirty;
  for (int i = 0; i < 31; ++i) thirty.push_back(Mark(u"M" + std::u16string(1, u'A' + i)));
  EXPECT_FALSE(WritePrinterWaterMarks(name(), thirty.data(), 31));
  ASSERT_TRUE(WritePrinterWaterMarks(name(), thirty.data(), 30));
  EXPECT_EQ(30u, PublicTitles().size());
  ASSERT_TRUE(WritePrinterWaterMarks(name(), thirty.data(), 2));
  EXPECT_EQ(2u, StoredCount());
  // The old values above the count are emptied, not left to be read again.
  DWORD type = 0, got = 1;
  BYTE probe[sizeof(WaterMarkInfo)];
  EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS),
            GetPrinterDataW(handle(), const_cast<wchar_t*>(L"WaterMark3"), &type, probe, sizeof probe, &got));
  EXPECT_EQ(0u, got);
  const DWORD five = 5;
  SetPublic(L"WMInfoCnt", &five, sizeof five, REG_DWORD);
  EXPECT_EQ((std::vector<std::u16string>{u"MA", u"MB"}), PublicTitles());
}

TEST_F(WatermarkStores, PrivateWatermarksRoundTripPerUser) {
  EXPECT_TRUE(PrivateTitles().empty());
  const WaterMarkInfo marks[3] = {Mark(u"Mine 1"), Mark(u"Mine 2"), Mark(u"Mine 3")};
  ASSERT_TRUE(WriteUserWaterMarks(kMakerName, name(), kDriver, marks, 3));
  Block block;
  block.count = ReadUserWaterMarks(L"another maker", name(), kDriver, &block.marks);
  ASSERT_EQ(3u, block.count);
  EXPECT_EQ(0, std::memcmp(marks, block.marks, sizeof marks));
  // Writing none leaves a count of 0 and no old record.
  ASSERT_TRUE(WriteUserWaterMarks(kMakerName, name(), kDriver, marks, 0));
  EXPECT_TRUE(PrivateTitles().empty());
  wchar_t path[1024];
  ASSERT_TRUE(MakeUserSettingsPath(kDriver, name(), L"", path, 1024));
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key));
  DWORD count = 9, size = sizeof count;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, L"WMInfoCnt", nullptr, nullptr, reinterpret_cast<BYTE*>(&count), &size));
  EXPECT_EQ(0u, count);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExW(key, L"WaterMark1", nullptr, nullptr, nullptr, nullptr));
  RegCloseKey(key);
  // More than a user's twenty are refused.
  std::vector<WaterMarkInfo> many(21, Mark(u"x"));
  EXPECT_FALSE(WriteUserWaterMarks(kMakerName, name(), kDriver, many.data(), 21));
}

TEST_F(WatermarkStores, TheOrderIsCheckedAgainstTheListsAndRewritten) {
  const WaterMarkInfo pub[2] = {Mark(u"P1"), Mark(u"P2")};
  const WaterMarkInfo priv[2] = {Mark(u"Q1"), Mark(u"Q2")};
  auto read = [&] {
    WMOrderEntry* entries = nullptr;
    const size_t n = ReadWaterMarkOrder(kMakerName, name(), kDriver, 2, pub, 2, priv, &entries);
    std::vector<std::u16string> names;
    for (size_t i = 0; i < n; ++i) names.push_back((entries[i].bPublic ? u"+" : u"-") + std::u16string(TitleOf(entries[i]).text));
    if (entries != nullptr) LocalFree(entries);
    return names;
  };
  EXPECT_EQ((std::vector<std::u16string>{u"+P1", u"+P2", u"-Q1", u"-Q2"}), read());
  WMOrderEntry order[3] = {{0, u"Q2"}, {1, u"Gone"}, {1, u"P2"}};
  ASSERT_TRUE(WriteWaterMarkOrder(kMakerName, name(), kDriver, order, 3));
  EXPECT_EQ((std::vector<std::u16string>{u"-Q2", u"+P2", u"+P1", u"-Q1"}), read());
  // A shorter order removes the entries after it.
  ASSERT_TRUE(WriteWaterMarkOrder(kMakerName, name(), kDriver, order, 1));
  EXPECT_EQ((std::vector<std::u16string>{u"-Q2", u"+P1", u"+P2", u"-Q1"}), read());
  std::vector<WMOrderEntry> many(51, WMOrderEntry{1, u"P1"});
  EXPECT_FALSE(WriteWaterMarkOrder(kMakerName, name(), kDriver, many.data(), 51));
  WMOrderEntry* entries = nullptr;
  EXPECT_EQ(0u, ReadWaterMarkOrder(kMakerName, name(), kDriver, 0, pub, 0, priv, &entries));
  EXPECT_EQ(nullptr, entries);
}

}  // namespace
