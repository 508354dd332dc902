// Page-range lists: parsing errors, normalisation, overlaps between classes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/text/page_ranges.h"
#include "tests/support/test_text.h"

namespace {

using testsupport::Narrow;

class PageRangesTest : public ::testing::Test {
 protected:
  void SetUp() override { SetPageRangeLimits(9999, 9999); }
  void TearDown() override { SetPageRangeLimits(9999, 9999); }

  // The layout sheet's page list: its limits, the buffer of 161 characters.
  int Layout(const char16_t* text, std::string* result, std::string* overlap) {
    SetPageRangeLimits(9999, 30);
    char16_t buffer[kRangeListCapacity] = {};
    std::u16string t(text);
    std::copy(t.begin(), t.end(), buffer);
    char16_t* overlapText = nullptr;
    int status = FormatRangeList(buffer, &overlapText);
    *result = Narrow(buffer);
    *overlap = Narrow(overlapText);
    FreeRangeBlock(overlapText);
    return status;
  }
};

TEST_F(PageRangesTest, ParseStatusesOfMalformedTexts) {
  struct Case {
    const char16_t* text;
    int status;
  } cases[] = {
      {u"01", kRangeZero},          {u"0", kRangeZero},          {u"3-0", kRangeZero},
      {u"10000", kRangeTooHigh},    {u"1-10000", kRangeTooHigh}, {u"1-2-3", kRangeExtraDash},
      {u",1", kRangeEmptyItem},     {u"1,,2", kRangeEmptyItem},  {u"1;2", kRangeBadChar},
      {u"1 2", kRangeBadChar},      {u"-5", kRangeEmptyNumber},  {u"5-", kRangeEmptyNumber},
      {u"-", kRangeEmptyNumber},
      // A digit string too long for 32 bits is too high, not a small page.
      {u"4294967297", kRangeTooHigh}, {u"1-18446744073709551617", kRangeTooHigh},
  };
  for (const Case& c : cases) {
    PageRange* ranges = reinterpret_cast<PageRange*>(0x1);
    uint32_t count = 77;
    EXPECT_EQ(ParsePageRanges(c.text, 0, 0, &ranges, &count), c.status) << Narrow(c.text);
    EXPECT_EQ(ranges, reinterpret_cast<PageRange*>(0x1)) << "outputs untouched on failure";
    EXPECT_EQ(count, 77u);
  }
}

TEST_F(PageRangesTest, ParseSwapsReversedRangesAndCopiesTags) {
  PageRange* ranges = nullptr;
  uint32_t count = 0;
  ASSERT_EQ(ParsePageRanges(u"3-1,7,", 5, 1001, &ranges, &count), kRangeOk);
  ASSERT_EQ(count, 2u);
  EXPECT_EQ(ranges[0].first, 1u);
  EXPECT_EQ(ranges[0].last, 3u);
  EXPECT_EQ(ranges[1].first, 7u);
  EXPECT_EQ(ranges[1].last, 7u);
  EXPECT_EQ(ranges[1].tagA, 5u);
  EXPECT_EQ(ranges[1].tagB, 1001u);
  FreeRangeBlock(ranges);
  // An empty text gives no ranges and leaves the outputs.
  ranges = nullptr;
  count = 9;
  EXPECT_EQ(ParsePageRanges(u"", 0, 0, &ranges, &count), kRangeOk);
  EXPECT_EQ(count, 9u);
  EXPECT_EQ(ParsePageRanges(u"1", 0, 0, nullptr, &count), kRangeMissing);
}

TEST_F(PageRangesTest, CharsetAndNumberChecks) {
  EXPECT_EQ(CheckRangeCharset(nullptr, u"1"), kRangeMissing);
  EXPECT_EQ(CheckRangeCharset(u"", u"1"), kRangeEmptyNumber);
  EXPECT_EQ(CheckRangeCharset(u"12", u"0123456789"), kRangeOk);
  EXPECT_EQ(CheckPageNumberText(u"12"), kRangeOk);
  EXPECT_EQ(CheckPageNumberText(u"012"), kRangeZero);
  EXPECT_EQ(CheckPageNumberText(u"1,2"), kRangeEmptyItem);
}

TEST_F(PageRangesTest, LayoutListIsNormalisedOrRefused) {
  struct Case {
    const char16_t* text;
    int status;
    const char* result;   // buffer after the call
    const char* overlap;  // overlap text on status 5
  } cases[] = {
      {u"1,2,3,5", kRangeOk, "1-3,5", ""},
      {u"5,1", kRangeOk, "1,5", ""},
      {u"1,2,", kRangeOk, "1-2", ""},
      {u"3-1", kRangeOk, "1-3", ""},
      {u"1-30", kRangeOk, "1-30", ""},
      {u"1-3,2-5", kRangeOverlap, "1-3,2-5", "2-3"},
      {u"1-31", kRangeTooMany, "1-31", ""},
      {u"1-10,5,7-8", kRangeOverlap, "1-10,5,7-8", "5,7-8"},
      {u"1-2-3", kRangeExtraDash, "1-2-3", ""},
  };
  for (const Case& c : cases) {
    std::string result, overlap;
    EXPECT_EQ(Layout(c.text, &result, &overlap), c.status) << Narrow(c.text);
    EXPECT_EQ(result, c.result) << Narrow(c.text);
    EXPECT_EQ(overlap, c.overlap) << Narrow(c.text);
  }
}

TEST_F(PageRangesTest, MergeJoinsEveryRangeThatARangeCovers) {
  // A long range followed by two it covers, which do not touch each other.
  PageRange ranges[] = {{1, 10, 0, 0}, {2, 3, 0, 0}, {5, 6, 0, 0}, {12, 12, 0, 0}};
  uint32_t count = 4;
  ASSERT_EQ(MergePageRanges(ranges, &count), kRangeOk);
  ASSERT_EQ(count, 2u);
  EXPECT_EQ(ranges[0].first, 1u);
  EXPECT_EQ(ranges[0].last, 10u);
  EXPECT_EQ(ranges[1].first, 12u);
  EXPECT_EQ(ranges[2].first, 0u) << "freed records are zeroed";
  PageRange touching[] = {{1, 2, 7, 8}, {3, 4, 9, 9}};
  count = 2;
  MergePageRanges(touching, &count);
  ASSERT_EQ(count, 1u);
  EXPECT_EQ(touching[0].last, 4u);
  EXPECT_EQ(touching[0].tagA, 7u) << "the earlier record keeps its tags";
  EXPECT_EQ(MergePageRanges(touching, nullptr), kRangeMissing);
}

std::vector<InterSheetEntry> Entries(std::initializer_list<std::tuple<const char16_t*, uint32_t, uint32_t>> list) {
  std::vector<InterSheetEntry> entries;
  for (const auto& [text, tagA, tagB] : list) {
    InterSheetEntry e;
    std::memset(&e, 0xCC, sizeof e);
    std::memset(e.pages, 0, sizeof e.pages);
    std::memcpy(e.pages, text, std::u16string(text).size() * 2);
    e.printType = tagA;
    e.paperSource = tagB;
    entries.push_back(e);
  }
  return entries;
}

std::string EntryText(const std::vector<InterSheetEntry>& entries, size_t i) { return Narrow(entries[i].pages); }

TEST_F(PageRangesTest, PerPageListsConflictOnlyWithinAClass) {
  char16_t* overlap = nullptr;
  auto apart = Entries({{u"1-5", 0, 1001}, {u"3", 0, 5}});
  EXPECT_EQ(ParseRangeList(apart.data(), 2, &overlap), kRangeOk);
  EXPECT_EQ(overlap, nullptr);

  auto clash = Entries({{u"5,1-5", 0, 1001}, {u"3", 0, 1002}});
  EXPECT_EQ(ParseRangeList(clash.data(), 2, &overlap), kRangeOverlap);
  EXPECT_EQ(Narrow(overlap), "3,5");
  FreeRangeBlock(overlap);
  EXPECT_EQ(EntryText(clash, 0), "5,1-5") << "texts are written back only on success";

  auto tagged = Entries({{u"2", 1, 0}, {u"2", 0, 0}});
  EXPECT_EQ(ParseRangeList(tagged.data(), 2, &overlap), kRangeOk) << "tag A zero and non-zero differ";
}

TEST_F(PageRangesTest, PerPageTextsAreNormalisedInPlace) {
  auto entries = Entries({{u"3,1,2", 0, 0}, {u"9-7", 4, 0}});
  char16_t* overlap = nullptr;
  ASSERT_EQ(ParseRangeList(entries.data(), 2, &overlap), kRangeOk);
  EXPECT_EQ(EntryText(entries, 0), "1-3");
  EXPECT_EQ(EntryText(entries, 1), "7-9");
  EXPECT_EQ(entries[0].showDefaults, 0xCCCC) << "fields after the text are not touched";

  auto empty = Entries({{u"1", 0, 0}, {u"", 0, 0}});
  EXPECT_EQ(ParseRangeList(empty.data(), 2, &overlap), kRangeMissing);
  EXPECT_EQ(ParseRangeList(nullptr, 2, &overlap), kRangeMissing);
}

TEST_F(PageRangesTest, UnterminatedEntryTextIsReadAsItsFirst32Characters) {
  InterSheetEntry entry = {};
  for (char16_t& c : entry.pages) c = u'1';
  entry.printType = 0x32;  // would read as '2' if the text ran on
  char16_t* overlap = nullptr;
  // 32 ones: a number far above the highest page, not a read past the text.
  EXPECT_EQ(ParseRangeList(&entry, 1, &overlap), kRangeTooHigh);
}

TEST_F(PageRangesTest, RangesToTextJoinsPieces) {
  PageRange ranges[] = {{1, 3, 0, 0}, {5, 5, 0, 0}, {8, 10, 0, 0}};
  char16_t* text = nullptr;
  ASSERT_EQ(RangesToText(ranges, 3, &text), kRangeOk);
  EXPECT_EQ(Narrow(text), "1-3,5,8-10");
  FreeRangeBlock(text);
  EXPECT_EQ(RangesToText(ranges, 0, &text), kRangeMissing);
  PageRange huge[] = {{1, 2, 0, 0}, {4000000000u, 4000000001u, 0, 0}};
  EXPECT_EQ(RangesToText(huge, 2, &text), kRangeFormat) << "a piece of more than 15 characters";
}

}  // namespace
