#include "dproc/fax/fax_field_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Filtered {
  std::u16string text;
  uint32_t selStart;
  uint32_t selEnd;
  bool changed;
};

Filtered Filter(FaxCharSet set, const std::u16string& text, uint32_t selStart, uint32_t selEnd) {
  std::u16string out(text.size() + 1, u'\xffff');
  FaxFilterResult r = FilterFaxText(set, text.data(), text.size(), selStart, selEnd, out.data());
  EXPECT_EQ(out[r.length], 0) << "the kept text is terminated";
  return Filtered{out.substr(0, r.length), r.selStart, r.selEnd, r.changed};
}

// Typing into an edit: each key adds a character at the caret, then the
// filter runs on the whole text, as the edit's change notification does.
Filtered Type(FaxCharSet set, const std::u16string& keys) {
  Filtered state{u"", 0, 0, false};
  for (char16_t key : keys) {
    std::u16string text = state.text;
    text.insert(state.selStart, 1, key);
    state = Filter(set, text, state.selStart + 1, state.selStart + 1);
  }
  return state;
}

TEST(FaxFieldRules, TypedFaxNumberKeepsItsCharactersAndTheCaretAtTheEnd) {
  Filtered f = Type(FaxCharSet::kFaxNumber, u"12p3-T");
  EXPECT_EQ(f.text, u"123-T");
  EXPECT_EQ(f.selStart, 5u);
  EXPECT_EQ(f.selEnd, 5u);
}

TEST(FaxFieldRules, PasteUsesTheSameCaretRuleAsTyping) {
  // Pasting "a1b2" into an empty edit: the caret stood behind the pasted text.
  Filtered f = Filter(FaxCharSet::kFaxNumber, u"a1b2", 4, 4);
  EXPECT_EQ(f.text, u"12");
  EXPECT_EQ(f.selStart, 2u);
  EXPECT_TRUE(f.changed);
  // Pasted into the middle of "9999" at 2: "99x1y99", caret behind "y" (5).
  f = Filter(FaxCharSet::kDigits, u"99x1y99", 5, 5);
  EXPECT_EQ(f.text, u"99199");
  EXPECT_EQ(f.selStart, 3u) << "the caret stays behind the pasted digit, not drifting left";
  // A selection spanning removed characters shrinks by the removed ones only.
  f = Filter(FaxCharSet::kSendId, u"1a#b*", 1, 5);
  EXPECT_EQ(f.text, u"1#*");
  EXPECT_EQ(f.selStart, 1u);
  EXPECT_EQ(f.selEnd, 3u);
  // Bounds beyond the text count as its end.
  f = Filter(FaxCharSet::kDigits, u"1x2", 40, 0xFFFFFFFFu);
  EXPECT_EQ(f.selStart, 2u);
  EXPECT_EQ(f.selEnd, 2u);
}

TEST(FaxFieldRules, CharacterSets) {
  struct Case {
    FaxCharSet set;
    const char16_t* typed;
    const char16_t* kept;
  } cases[] = {
      {FaxCharSet::kFaxNumber, u"0123456789#*PT-", u"0123456789#*PT-"},
      {FaxCharSet::kFaxNumber, u"pt+ ()x,P", u"P"},
      {FaxCharSet::kDigits, u"12#*3-a", u"123"},
      {FaxCharSet::kSendId, u"1#2*3-P", u"1#2*3"},
      {FaxCharSet::kSendId, u"\x0661\xff11", u""},  // other scripts' digits are not digits here
  };
  for (const Case& c : cases) {
    std::u16string typed = c.typed;
    Filtered f = Filter(c.set, typed, 0, 0);
    EXPECT_EQ(f.text, c.kept) << static_cast<int>(c.set);
    EXPECT_EQ(f.changed, typed != c.kept);
  }
  Filtered unchanged = Filter(FaxCharSet::kDigits, u"", 0, 0);
  EXPECT_FALSE(unchanged.changed);
}

TEST(FaxFieldRules, SendTime) {
  struct Case {
    const char16_t* hour;
    const char16_t* minute;
    bool ok;
    int h, m;
  } cases[] = {
      {u"0", u"0", true, 0, 0},      {u"23", u"59", true, 23, 59}, {u"9", u"05", true, 9, 5},
      {u"24", u"0", false, 0, 0},    {u"0", u"60", false, 0, 0},   {u"-1", u"0", false, 0, 0},
      {u"", u"10", false, 0, 0},     {u"1", u"", false, 0, 0},     {u"1a", u"1", false, 0, 0},
      {u" 7 ", u"-0", true, 7, 0},   {u"00007", u"1", true, 7, 1}, {u"99999999999", u"1", false, 0, 0},
  };
  for (const Case& c : cases) {
    uint8_t h = 77;
    uint8_t m = 88;
    EXPECT_EQ(FaxCheckSendTime(c.hour, c.minute, &h, &m), c.ok);
    if (c.ok) {
      EXPECT_EQ(h, c.h);
      EXPECT_EQ(m, c.m);
    } else {
      EXPECT_EQ(h, 77) << "a failing check stores nothing";
      EXPECT_EQ(m, 88);
    }
  }
  uint8_t h = 0, m = 0;
  EXPECT_FALSE(FaxCheckSendTime(nullptr, u"1", &h, &m));
}

TEST(FaxFieldRules, SubAddressAndSendIdTexts) {
  EXPECT_TRUE(FaxCheckCodeText(FaxCharSet::kDigits, u"0123"));
  EXPECT_FALSE(FaxCheckCodeText(FaxCharSet::kDigits, u""));
  EXPECT_FALSE(FaxCheckCodeText(FaxCharSet::kDigits, nullptr));
  EXPECT_FALSE(FaxCheckCodeText(FaxCharSet::kDigits, u"12#"));
  EXPECT_TRUE(FaxCheckCodeText(FaxCharSet::kSendId, u"12#*"));
  EXPECT_FALSE(FaxCheckCodeText(FaxCharSet::kSendId, u"12-"));
}

TEST(FaxFieldRules, ClockTexts) {
  char16_t text[8];
  FormatFaxClock(9, 5, text, 8);
  EXPECT_EQ(std::u16string(text), u"09:05");
  FormatFaxClock(23, 59, text, 3);
  EXPECT_EQ(std::u16string(text), u"23");
  struct Case {
    const char16_t* text;
    int h, m;
  } cases[] = {{u"09:05", 9, 5}, {u"23:59", 23, 59}, {u"12", 0, 0}, {u"", 0, 0}, {u"ab:cd", 0, 0}, {u"7:x", 0, 0}};
  for (const Case& c : cases) {
    int h = -1, m = -1;
    ParseFaxClock(c.text, &h, &m);
    EXPECT_EQ(h, c.h);
    EXPECT_EQ(m, c.m);
  }
}

}  // namespace
