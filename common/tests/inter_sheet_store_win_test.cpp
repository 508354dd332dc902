// Per-page lists in the user's registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/win/inter_sheet_store.h"

namespace {

const wchar_t kDriver[] = L"Inter Sheet Test Driver";
const std::wstring kRoot = std::wstring(L"Software\\HALDOVAR\\") + kDriver;

class InterSheetStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kRoot.c_str()); }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kRoot.c_str()); }

  static void Put(HKEY key, const wchar_t* name, const void* data, DWORD size, DWORD type = REG_BINARY) {
    ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
  }
  static InterSheetEntry Entry(const char16_t* pages) {
    InterSheetEntry e = {};
    std::memcpy(e.pages, pages, std::char_traits<char16_t>::length(pages) * 2);
    e.paperSource = 1001;
    return e;
  }
};

TEST_F(InterSheetStoreTest, ConnectionNameGivesOneKeyLevelPerPart) {
  HKEY key = OpenInterSheetListKey(L"\\\\server\\queue", kDriver, 2);
  ASSERT_NE(key, nullptr);
  RegCloseKey(key);
  HKEY check;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (kRoot + L"\\server\\queue\\InterSheetList2").c_str(), 0, KEY_READ,
                          &check),
            ERROR_SUCCESS);
  RegCloseKey(check);
}

TEST_F(InterSheetStoreTest, ALongNameIsCutToItsField) {
  HKEY key = OpenInterSheetListKey(L"Fax", kDriver, 5);
  ASSERT_NE(key, nullptr);
  const wchar_t longName[] = L"Quarterly report with chapter tabs";
  Put(key, L"InterSheetListName", longName, sizeof longName, REG_SZ);
  RegCloseKey(key);
  InterSheetList* list = LoadInterSheetList(L"Fax", kDriver, 5);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(std::u16string(list->name), u"Quarterly report");
  EXPECT_EQ(list->count, 0u);
  FreeInterSheetList(list);
}

TEST_F(InterSheetStoreTest, LoadsWhatTheKeyHoldsAndNoMore) {
  HKEY key = OpenInterSheetListKey(L"Fax", kDriver, 1);
  ASSERT_NE(key, nullptr);
  Put(key, L"InterSheetListName", L"Chapters", 18, REG_SZ);
  DWORD three = 3;
  Put(key, L"ISPageListNum", &three, 4, REG_DWORD);
  InterSheetEntry first = Entry(u"1-3");
  Put(key, L"ISPageListData1", &first, sizeof first);
  TabSettings tab = {1, 2970, 2100, 2000, 5, 1, 2, 3, 4};
  Put(key, L"TabSettingData", &tab, sizeof tab);
  RegCloseKey(key);

  InterSheetList* list = LoadInterSheetList(L"Fax", kDriver, 1);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(std::u16string(list->name), u"Chapters");
  ASSERT_EQ(list->count, 1u) << "only the first entry is there";
  EXPECT_EQ(std::u16string(list->entries[0].pages), u"1-3");
  EXPECT_EQ(list->tab.tabCount, 5);

  InterSheetList* copy = CopyInterSheetList(list);
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy->entries, list->entries);
  EXPECT_EQ(copy->entries[0].paperSource, 1001u);
  FreeInterSheetList(list);
  EXPECT_EQ(std::u16string(copy->entries[0].pages), u"1-3");
  FreeInterSheetList(copy);
  FreeInterSheetList(nullptr);
}

TEST_F(InterSheetStoreTest, ExcludedEntriesAreLeftOutWhenAsked) {
  HKEY key = OpenInterSheetListKey(L"Fax", kDriver, 4);
  ASSERT_NE(key, nullptr);
  DWORD three = 3;
  Put(key, L"ISPageListNum", &three, 4, REG_DWORD);
  InterSheetEntry one = Entry(u"1"), two = Entry(u"2"), three_ = Entry(u"3");
  two.excluded = 1;
  Put(key, L"ISPageListData1", &one, sizeof one);
  Put(key, L"ISPageListData2", &two, sizeof two);
  Put(key, L"ISPageListData3", &three_, sizeof three_);
  RegCloseKey(key);
  InterSheetList* all = LoadInterSheetList(L"Fax", kDriver, 4);
  ASSERT_NE(all, nullptr);
  EXPECT_EQ(all->count, 3u);
  FreeInterSheetList(all);
  InterSheetList* taken = LoadInterSheetList(L"Fax", kDriver, 4, true);
  ASSERT_NE(taken, nullptr);
  ASSERT_EQ(taken->count, 2u);
  EXPECT_EQ(std::u16string(taken->entries[0].pages), u"1");
  EXPECT_EQ(std::u16string(taken->entries[1].pages), u"3");
  FreeInterSheetList(taken);
}

TEST_F(InterSheetStoreTest, DamagedValuesAreNotTrusted) {
  HKEY key = OpenInterSheetListKey(L"Fax", kDriver, 3);
  ASSERT_NE(key, nullptr);
  Put(key, L"InterSheetListName", L"A name far longer than seventeen units", 78, REG_SZ);
  DWORD huge = 0xFFFFFFFF;
  Put(key, L"ISPageListNum", &huge, 4, REG_DWORD);
  InterSheetEntry first = Entry(u"2");
  Put(key, L"ISPageListData1", &first, sizeof first);
  Put(key, L"ISPageListData2", &first, 100);  // a piece of the wrong size ends the list
  Put(key, L"ISPageListData3", &first, sizeof first);
  Put(key, L"TabSettingData", &first, 20);
  RegCloseKey(key);
  InterSheetList* list = LoadInterSheetList(L"Fax", kDriver, 3);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->count, 1u);
  EXPECT_EQ(list->name[kInterSheetNameUnits - 1], u'\0');
  EXPECT_EQ(list->tab.tabCount, 0);
  FreeInterSheetList(list);

  // No key values at all: an empty record.
  list = LoadInterSheetList(L"Fax", kDriver, 9);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->count, 0u);
  EXPECT_EQ(list->entries, nullptr);
  FreeInterSheetList(list);
}

// What a list saves it loads back; a smaller list saved over it is read
// with its own count, the old entry values past it notwithstanding.
TEST_F(InterSheetStoreTest, SavedListsLoadBack) {
  InterSheetEntry entries[3] = {Entry(u"1-3"), Entry(u"5"), Entry(u"7,9")};
  entries[1].tabPaper = 1;
  std::memcpy(entries[1].caption, u"Part B\r\nTotals", 16 * 2);
  InterSheetList list = {};
  std::memcpy(list.name, u"Monthly", 8 * 2);
  list.count = 3;
  list.entries = entries;
  list.tab = {9, 2230, 2970, 2100, 7, 20, 20, 5, -3};
  ASSERT_TRUE(SaveInterSheetList(L"Fax", kDriver, 6, &list));
  InterSheetList* back = LoadInterSheetList(L"Fax", kDriver, 6);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(std::u16string(back->name), u"Monthly");
  ASSERT_EQ(back->count, 3u);
  EXPECT_EQ(std::memcmp(back->entries, entries, sizeof entries), 0);
  EXPECT_EQ(std::memcmp(&back->tab, &list.tab, sizeof list.tab), 0);
  FreeInterSheetList(back);

  list.count = 1;
  list.tab.tabCount = 3;
  ASSERT_TRUE(SaveInterSheetList(L"Fax", kDriver, 6, &list));
  back = LoadInterSheetList(L"Fax", kDriver, 6);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->count, 1u);
  EXPECT_EQ(back->tab.tabCount, 3);
  FreeInterSheetList(back);

  // A head whose count names entries it has not got is not written.
  list.count = 2;
  list.entries = nullptr;
  EXPECT_FALSE(SaveInterSheetList(L"Fax", kDriver, 6, &list));
}

// A stored count beyond what a list can hold reads at most the list's
// limit, however many entry values the key holds.
TEST_F(InterSheetStoreTest, StoredCountIsCapped) {
  HKEY key = OpenInterSheetListKey(L"Fax", kDriver, 8);
  ASSERT_NE(key, nullptr);
  const DWORD many = 300;
  Put(key, L"ISPageListNum", &many, 4, REG_DWORD);
  const InterSheetEntry e = Entry(u"4");
  for (int i = 1; i <= 300; ++i) Put(key, (L"ISPageListData" + std::to_wstring(i)).c_str(), &e, sizeof e);
  RegCloseKey(key);
  InterSheetList* list = LoadInterSheetList(L"Fax", kDriver, 8);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->count, 256u);
  FreeInterSheetList(list);
}

}  // namespace
