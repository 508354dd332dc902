// Hint lines, page hint lists and drop-list reasons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dproc/constraints/constraint_messages.h"
#include "dproc/constraints/drop_reasons.h"
#include "dproc/constraints/hint_text.h"
#include "dproc/constraints/page_hints.h"

namespace {

TEST(HintText, AppendsLinesWithinTheCapacity) {
  struct Case {
    const char* why;
    std::u16string start;
    size_t capacity;
    std::u16string line;
    std::u16string expected;
  } cases[] = {
      {"an empty text takes the line alone", u"", 16, u"first", u"first"},
      {"later lines follow a line break", u"first", 16, u"second", u"first\r\nsecond"},
      {"a long line is cut", u"", 4, u"abcdef", u"abc"},
      {"the line break is cut too", u"abcd", 6, u"xyz", u"abcd\r"},
      {"a full text stays as it is", u"abc", 4, u"x", u"abc"},
      {"an empty line still adds the break", u"ab", 8, u"", u"ab\r\n"},
  };
  for (const Case& c : cases) {
    std::vector<char16_t> buffer(c.capacity + 4, u'#');
    std::copy(c.start.begin(), c.start.end(), buffer.begin());
    buffer[c.start.size()] = 0;
    AppendHintLine(buffer.data(), c.capacity, c.line.c_str());
    EXPECT_EQ(std::u16string(buffer.data()), c.expected) << c.why;
    for (size_t i = c.capacity; i < buffer.size(); ++i) EXPECT_EQ(buffer[i], u'#') << c.why;
  }
  // The last unit is forced to NUL, so an unterminated text is read within it.
  char16_t unterminated[4] = {u'a', u'b', u'c', u'd'};
  AppendHintLine(unterminated, 4, u"x");
  EXPECT_EQ(std::u16string(unterminated), u"abc");
}

TEST(HintText, NewlineEscapesBecomeBlankAndLineFeed) {
  char16_t text[] = u"One\\nTwo\\\\nThree\\";
  ExpandNewlineEscapes(text);
  EXPECT_EQ(std::u16string(text), u"One \nTwo\\ \nThree\\");
}

class PageHints : public ::testing::Test {
 protected:
  void SetUp() override { ClearPageHints(); }
  void TearDown() override { ClearPageHints(); }
};

TEST_F(PageHints, TableHoldsTheTwentyFourPages) {
  const uint32_t ids[] = {100, 101, 110, 113, 104, 196, 161, 156, 177, 157, 132, 2171,
                          163, 137, 139, 153, 142, 127, 158, 160, 159, 115, 168, 180};
  const PageHintList* rows = PageHintTable();
  for (size_t i = 0; i < kPageHintRows; ++i) EXPECT_EQ(rows[i].pageId, ids[i]);
  EXPECT_EQ(rows[kPageHintRows].pageId, 0u);
  EXPECT_EQ(FindPageHints(999), nullptr);
  EXPECT_EQ(FindPageHints(0), nullptr);
}

TEST_F(PageHints, HintsAreListedOnceAndAtMostAHundred) {
  AddPageHint(101, 5);
  AddPageHint(101, 7);
  AddPageHint(101, 5);
  AddPageHint(999, 1);  // a page without a list
  PageHintList* layout = FindPageHints(101);
  ASSERT_NE(layout, nullptr);
  EXPECT_EQ(layout->hasHints, 1u);
  ASSERT_EQ(layout->count, 2);
  EXPECT_EQ(layout->hints[0], 5u);
  EXPECT_EQ(layout->hints[1], 7u);
  EXPECT_EQ(FindPageHints(100)->hasHints, 0u);

  for (uint32_t h = 1000; h < 1150; ++h) AddPageHint(100, h);
  PageHintList* basic = FindPageHints(100);
  EXPECT_EQ(basic->count, 100);
  EXPECT_EQ(basic->hints[99], 1099u);

  ClearPageHints();
  EXPECT_EQ(layout->hasHints, 0u);
  EXPECT_EQ(layout->count, 0);
  EXPECT_EQ(basic->count, 0);
}

TEST(DropReasons, OneNodePerControlAndOption) {
  EXPECT_EQ(FindDropReason(1286, 3), nullptr);
  ASSERT_TRUE(AppendDropReason(1286, 3, u"Not with N-up."));
  ASSERT_TRUE(AppendDropReason(1286, 2, u"Other option."));
  ASSERT_TRUE(AppendDropReason(1286, 3, u"Not with posters."));
  ASSERT_TRUE(AppendDropReason(1025, 3, u"Other control."));
  DropReasonNode* booklet = FindDropReason(1286, 3);
  ASSERT_NE(booklet, nullptr);
  EXPECT_EQ(std::u16string(booklet->text), u"Not with N-up.\r\nNot with posters.");
  EXPECT_EQ(std::u16string(FindDropReason(1286, 2)->text), u"Other option.");
  EXPECT_EQ(std::u16string(FindDropReason(1025, 3)->text), u"Other control.");
  // A text that reaches the capacity stays terminated inside its buffer.
  std::u16string line(1000, u'x');
  for (int i = 0; i < 6; ++i) ASSERT_TRUE(AppendDropReason(1286, 3, line.c_str()));
  EXPECT_EQ(std::u16string(booklet->text).size(), kDropReasonUnits - 1);
  FreeDropReasons();
  EXPECT_EQ(FindDropReason(1286, 3), nullptr);
  FreeDropReasons();
}

TEST(ConstraintMessages, EntriesOutsideTheTablesAreEmpty) {
  EXPECT_EQ(std::u16string(ConstraintText(kCstMessageStr, 2)), u"");  // no tables yet
  MessageTables tables = {};
  ASSERT_TRUE(AllocMessageTables(&tables));
  char16_t* cst = tables.tables[kCstMessageStr];
  std::u16string last = u"The last entry.";
  std::copy(last.begin(), last.end(), cst + static_cast<size_t>(998) * kMessageUnits);
  SetConstraintMessageTables(&tables);
  EXPECT_EQ(std::u16string(ConstraintText(kCstMessageStr, 998)), last);
  for (uint32_t entry : {999u, 1000u, 65535u, 0xFFFFFFFFu}) {
    EXPECT_EQ(std::u16string(ConstraintText(kCstMessageStr, entry)), u"") << entry;
  }
  SetConstraintMessageTables(nullptr);
  FreeMessageTables(&tables);
}

}  // namespace
