// The texts of an open-API session: the middle server's language codes, the
// device's type codes and the login values made from stored answers.
#include <gtest/gtest.h>

#include <string>

#include "dproc/openapi/open_api_texts.h"

TEST(OpenApiTexts, LanguageCodes) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"ZH-TW", "Zh_Tw"}, {"zh-cn", "Zh_Cn"}, {"JA", "Ja"}, {"FR", "Fr"}, {"AF", "af"}, {"pl", "Pl"},
      {"zu", "zu"},       {"OTHER", "Other"}, {"0411", "0411"}, {"", ""}, {"zh_tw", "Zh_Tw"},
      {"en-US", "en-US"},  // not in the table: sent unchanged
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234"},
  };
  for (const auto& c : cases) EXPECT_EQ(MiddleServerLanguage(c.in), c.out) << c.in;
  EXPECT_EQ(MiddleServerLanguage(nullptr), "");
}

TEST(OpenApiTexts, TypeCodesCompareExactly) {
  EXPECT_EQ(AuthTypeCode("None", 32), 1);
  EXPECT_EQ(AuthTypeCode("Server", 32), 2);
  EXPECT_EQ(AuthTypeCode("Device", 32), 3);
  EXPECT_EQ(AuthTypeCode("MiddleServer", 32), 4);
  EXPECT_EQ(AuthTypeCode("none", 32), 0);
  EXPECT_EQ(AuthTypeCode("None ", 32), 0);
  EXPECT_EQ(AuthTypeCode("Password", 32), 0);
  char unterminated[4] = {'N', 'o', 'n', 'e'};
  EXPECT_EQ(AuthTypeCode(unterminated, sizeof unterminated), 0);
  EXPECT_EQ(AccountTrackCode("None", 32), 1);
  EXPECT_EQ(AccountTrackCode("AccountPassword", 32), 2);
  EXPECT_EQ(AccountTrackCode("Password", 32), 3);
  EXPECT_EQ(AccountTrackCode("OnWithUserAuthentication", 32), 4);
  EXPECT_EQ(AccountTrackCode("Device", 32), 0);
}

TEST(OpenApiTexts, LoginValues) {
  std::string out;
  std::string one[7] = {"007"};
  EXPECT_TRUE(MiddleServerLoginValue(2, 0, one, &out));
  EXPECT_EQ(out, "7");
  one[0] = "0";
  EXPECT_TRUE(MiddleServerLoginValue(3, 0, one, &out));
  EXPECT_EQ(out, "false");
  one[0] = "12";
  EXPECT_TRUE(MiddleServerLoginValue(3, 0, one, &out));
  EXPECT_EQ(out, "true");
  one[0] = "text";
  for (int kind : {1, 5, 6, 9, 10}) {
    EXPECT_TRUE(MiddleServerLoginValue(kind, 0, one, &out));
    EXPECT_EQ(out, "text");
  }
  for (int kind : {7, 8, 11, 0}) EXPECT_FALSE(MiddleServerLoginValue(kind, 0, one, &out)) << kind;

  const struct {
    int subKind;
    const char* hours;
    const char* minutes;
    const char* out;
  } dates[] = {
      {4, "-05", "30", "2013,05,02,09,07,-05,-30"}, {4, "-0", "30", "2013,05,02,09,07,00,-30"},
      {4, "-05", "0", "2013,05,02,09,07,-05,00"},   {4, "09", "00", "2013,05,02,09,07,09,00"},
      {1, "0", "0", "2013,05,02,09,07"},            {2, "0", "0", "2013,05,02"},
      {3, "0", "0", "09,07"},                       {7, "0", "0", ""},
  };
  for (const auto& d : dates) {
    std::string texts[7] = {"2013", "5", "2", "9", "7", d.hours, d.minutes};
    EXPECT_TRUE(MiddleServerLoginValue(4, d.subKind, texts, &out));
    EXPECT_EQ(out, d.out) << d.subKind << " " << d.hours << " " << d.minutes;
  }
}
