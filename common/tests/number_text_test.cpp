// Scaled integers and their decimal texts.
#include <gtest/gtest.h>

#include <string>

#include "common/text/number_text.h"
#include "tests/support/test_text.h"

namespace {

using testsupport::Narrow;

TEST(NumberText, ParsesScaledValues) {
  struct Case {
    const char16_t* text;
    int32_t hundredths;
    int32_t thousandths;
  } cases[] = {
      {u"1.5", 150, 1500},       {u"-0.25", -25, -250},    {u"1.234", 123, 1234},
      {u"7", 700, 7000},         {u"  +12.3", 1230, 12300}, {u"1.x5", 105, 1050},
      {u"1.", 100, 1000},        {u"abc", 0, 0},            {u"2.5mm", 250, 2500},
      {u"99999999999", INT32_MAX, INT32_MAX}, {u"-99999999999", INT32_MIN, INT32_MIN},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseHundredths(c.text), c.hundredths) << Narrow(c.text);
    EXPECT_EQ(ParseThousandths(c.text), c.thousandths) << Narrow(c.text);
  }
  EXPECT_EQ(ParseHundredths(nullptr), 0);
}

TEST(NumberText, FormatsAndReadsBack) {
  char16_t out[32];
  FormatTenths(-5, out, 32);
  EXPECT_EQ(Narrow(out), "-0.5");
  FormatHundredths(1205, out, 32);
  EXPECT_EQ(Narrow(out), "12.05");
  FormatThousandths(-1, out, 32);
  EXPECT_EQ(Narrow(out), "-0.001");
  FormatThousandths(INT32_MIN, out, 32);
  EXPECT_EQ(Narrow(out), "-2147483.648");
  for (int32_t v : {0, 1, -1, 99, -100, 123456, -2147483647}) {
    FormatHundredths(v, out, 32);
    EXPECT_EQ(ParseHundredths(out), v) << v;
    FormatThousandths(v, out, 32);
    EXPECT_EQ(ParseThousandths(out), v) << v;
  }
}

TEST(NumberText, CutsToCapacity) {
  char16_t out[5] = {u'x', u'x', u'x', u'x', u'x'};
  FormatHundredths(123456, out, 5);
  EXPECT_EQ(Narrow(out), "1234");
  FormatHundredths(1, out, 0);  // nothing written
  EXPECT_EQ(Narrow(out), "1234");
}

}  // namespace
