// Placeholders of description-file texts are filled without printf.
#include <gtest/gtest.h>

#include <string>

#include "common/text/safe_format.h"

namespace {

std::u16string Format(const char16_t* format, std::initializer_list<SafeFormatArg> args, size_t capacity = 64) {
  char16_t out[256];
  SafeFormat(format, args.begin(), args.size(), out, capacity);
  return out;
}

TEST(SafeFormat, FillsOnlyPlaceholdersWhoseArgumentMatches) {
  using A = SafeFormatArg;
  struct Case {
    const char16_t* format;
    std::initializer_list<SafeFormatArg> args;
    const char16_t* expected;
  } cases[] = {
      {u"%d of %d pages", {A::Number(2), A::Number(5)}, u"2 of 5 pages"},
      {u"from %s to %s", {A::Text(u"10.0"), A::Text(u"297.0")}, u"from 10.0 to 297.0"},
      {u"%d%%", {A::Number(-40)}, u"-40%"},
      // A text placeholder where numbers are passed, and printf-only forms,
      // are printed as written.
      {u"%s and %n and %x %5d", {A::Number(1), A::Number(2)}, u"%s and %n and %x %5d"},
      {u"%s or %d", {A::Number(1), A::Number(2)}, u"%s or 2"},
      {u"%d %d %d", {A::Number(1), A::Number(2)}, u"1 2 %d"},
      // Zero-padded numbers of dates and times.
      {u"%d-%02d-%02d %02d:%02d", {A::Number(2027), A::Number(1), A::Number(1), A::Number(9), A::Number(5)},
       u"2027-01-01 09:05"},
      {u"%02d|%03d|%02d", {A::Number(123), A::Number(-7), A::Text(u"x")}, u"123|-007|%02d"},
      {u"%00d %0ad %02", {A::Number(1)}, u"%00d %0ad %02"},
      {u"%d then %s", {A::Text(u"t"), A::Number(3)}, u"%d then %s"},
      {u"%s", {A::Text(nullptr)}, u""},
      {u"trailing %", {}, u"trailing %"},
      {u"%d", {A::Number(INT32_MIN)}, u"-2147483648"},
      // A whole part keeps the sign of its value, also when it is 0.
      {u"%d.%03d", {A::WholePart(0, true), A::Number(500)}, u"-0.500"},
      {u"%d.%03d", {A::WholePart(0, false), A::Number(500)}, u"0.500"},
      {u"%d.%02d", {A::WholePart(-2, true), A::Number(5)}, u"-2.05"},
      {u"%02d", {A::WholePart(0, true)}, u"-00"},
  };
  for (const Case& c : cases) EXPECT_EQ(Format(c.format, c.args), c.expected);
}

TEST(SafeFormat, CutsAtTheCapacityAndSaysSo) {
  char16_t out[8];
  const SafeFormatArg arg = SafeFormatArg::Text(u"a long replacement");
  EXPECT_FALSE(SafeFormat(u"<%s>", &arg, 1, out, 8));
  EXPECT_EQ(std::u16string(out), u"<a long");
  EXPECT_TRUE(SafeFormat(u"fits", nullptr, 0, out, 8));
  EXPECT_FALSE(SafeFormat(u"x", nullptr, 0, out, 0));
}

TEST(SafeFormat, LineBreaksOfMessageTexts) {
  char16_t text[] = u"First.\\nSecond\\\\n\\";
  ExpandMessageLineBreaks(text);
  EXPECT_EQ(std::u16string(text), u"First. \nSecond\\ \n\\");
}

}  // namespace
