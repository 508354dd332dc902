#include "dproc/watermark/watermark_lists.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

WaterMarkInfo Mark(const char* key, const std::u16string& title) {
  WaterMarkInfo mark{};
  std::strncpy(mark.szKey, key, sizeof mark.szKey - 1);
  char16_t text[32] = {};
  title.copy(text, 32);
  std::memcpy(mark.szWmkTitle, text, sizeof text);
  return mark;
}

WMOrderEntry Entry(uint32_t isPublic, const std::u16string& title) {
  WMOrderEntry entry{};
  entry.bPublic = isPublic;
  char16_t text[32] = {};
  title.copy(text, 32);
  std::memcpy(entry.szName, text, sizeof text);
  return entry;
}

std::u16string Title(const WaterMarkInfo& mark) { return TitleOf(mark).text; }

std::vector<std::u16string> Names(const WMOrderEntry* entries, size_t n) {
  std::vector<std::u16string> names;
  for (size_t i = 0; i < n; ++i) names.push_back((entries[i].bPublic ? u"+" : u"-") + std::u16string(TitleOf(entries[i]).text));
  return names;
}

TEST(DefaultWatermarks, TableEndsAtTheFirstRowWithoutATitle) {
  WaterMarkInfo table[4] = {Mark("WM_001", u"A"), Mark("WM_002", u"B"), Mark("", u""), Mark("WM_004", u"D")};
  EXPECT_EQ(2u, CountDefaultWatermarks(table, 4));
  EXPECT_EQ(1u, CountDefaultWatermarks(table, 1));
  // A full table without an empty row, and a title of 32 units without
  // its terminator, stay within the table and the title.
  WaterMarkInfo full[2] = {Mark("K", u"0123456789012345678901234567890123"), Mark("L", u"x")};
  EXPECT_EQ(2u, CountDefaultWatermarks(full, 2));
  EXPECT_EQ(31u, Title(full[0]).size());
}

TEST(DefaultWatermarks, MissingDefaultsAreAppendedAfterThePrintersOwn) {
  const WaterMarkInfo defaults[3] = {Mark("WM_001", u"CONFIDENTIAL"), Mark("WM_002", u"DRAFT"), Mark("WM_003", u"COPY")};
  // The printer holds a user's watermark, the second default renamed by its
  // key, and a watermark of the third default's title.
  WaterMarkInfo list[kMaxPublicWatermarks] = {Mark("", u"Mine"), Mark("WM_002", u"Renamed"), Mark("", u"COPY")};
  const size_t n = AppendMissingDefaults(defaults, 3, list, 3, kMaxPublicWatermarks);
  ASSERT_EQ(4u, n);
  EXPECT_EQ(u"Mine", Title(list[0]));
  EXPECT_EQ(u"Renamed", Title(list[1]));
  EXPECT_EQ(u"COPY", Title(list[2]));
  EXPECT_EQ(u"CONFIDENTIAL", Title(list[3]));
  // Nothing to add, or no room: the list stays.
  EXPECT_EQ(4u, AppendMissingDefaults(defaults, 3, list, 4, kMaxPublicWatermarks));
  WaterMarkInfo small[2] = {Mark("", u"Mine")};
  EXPECT_EQ(2u, AppendMissingDefaults(defaults, 3, small, 1, 2));
  EXPECT_EQ(u"CONFIDENTIAL", Title(small[1]));
  EXPECT_EQ(2u, AppendMissingDefaults(defaults, 3, small, 5, 2));
}

TEST(WatermarkOrder, StoredEntriesAreCheckedAndTheRestAppendedPublicFirst) {
  const WaterMarkInfo pub[3] = {Mark("WM_001", u"P1"), Mark("WM_002", u"P2"), Mark("", u"P3")};
  const WaterMarkInfo priv[2] = {Mark("", u"Q1"), Mark("", u"Q2")};
  struct Case {
    const char* what;
    std::vector<WMOrderEntry> stored;
    std::vector<std::u16string> expected;
  };
  const Case cases[] = {
      {"no stored order", {}, {u"+P1", u"+P2", u"+P3", u"-Q1", u"-Q2"}},
      {"stored order kept, the rest appended",
       {Entry(0, u"Q2"), Entry(1, u"P3")},
       {u"-Q2", u"+P3", u"+P1", u"+P2", u"-Q1"}},
      {"a deleted watermark and the wrong list are dropped",
       {Entry(1, u"Gone"), Entry(1, u"Q1"), Entry(0, u"P1"), Entry(7, u"P2")},
       {u"+P2", u"+P1", u"+P3", u"-Q1", u"-Q2"}},
      {"names compare exactly", {Entry(1, u"p1"), Entry(1, u"P1 ")}, {u"+P1", u"+P2", u"+P3", u"-Q1", u"-Q2"}},
      {"a repeated entry names its watermark once",
       {Entry(1, u"P2"), Entry(1, u"P2"), Entry(1, u"P2"), Entry(1, u"P2"), Entry(1, u"P2"), Entry(1, u"P2")},
       {u"+P2", u"+P1", u"+P3", u"-Q1", u"-Q2"}},
  };
  for (const Case& c : cases) {
    WMOrderEntry out[kMaxWatermarkOrder];
    const size_t n = BuildWatermarkOrder(c.stored.data(), c.stored.size(), pub, 3, priv, 2, out, kMaxWatermarkOrder);
    EXPECT_EQ(c.expected, Names(out, n)) << c.what;
  }
}

TEST(WatermarkOrder, NeverWritesMoreThanTheListsOrTheRoom) {
  const WaterMarkInfo pub[2] = {Mark("", u"Same"), Mark("", u"Same")};
  WMOrderEntry out[3];
  // Two watermarks of one title: the order names the first.
  EXPECT_EQ(std::vector<std::u16string>{u"+Same"}, Names(out, BuildWatermarkOrder(nullptr, 0, pub, 2, nullptr, 0, out, 3)));
  const WaterMarkInfo many[3] = {Mark("", u"A"), Mark("", u"B"), Mark("", u"C")};
  EXPECT_EQ(2u, BuildWatermarkOrder(nullptr, 0, many, 3, nullptr, 0, out, 2));
  EXPECT_EQ(0u, BuildWatermarkOrder(nullptr, 0, nullptr, 0, nullptr, 0, out, 3));
}

}  // namespace
