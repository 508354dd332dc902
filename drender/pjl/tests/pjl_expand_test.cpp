// Template expansion: unquoting, placeholders, "/OMIT", stray "%", values
// that try to end their quotes or their line, lines that do not fit.
#include <gtest/gtest.h>

#include <string>

#include "drender/pjl/pjl_expand.h"
#include "drender/pjl/pjl_parameters.h"
#include "drender/pjl/tests/pjl_test_job.h"

namespace {

using pjltest::TestJob;

std::string Unquote(const std::string& text) {
  char line[kPjlLineSize + 1] = {};
  uint32_t n = Pjl_UnquoteTemplate(text.c_str(), line, kPjlLineSize);
  return std::string(line, n);
}

TEST(PjlUnquote, EscapesAndQuotes) {
  struct Case {
    const char* stored;
    std::string line;
  } cases[] = {
      {R"("@PJL ENTER LANGUAGE=PCLXL\r\n")", "@PJL ENTER LANGUAGE=PCLXL\r\n"},
      {R"("say \"hi\" \\ done")", "say \"hi\" \\ done"},
      {R"(\x1B%-12345X)", "\x1B%-12345X"},
      {R"("\x4a\x4B")", "JK"},
      {R"("\xZ1.")", "\x01."},                    // a first digit that is not hexadecimal counts as 0
      {R"("\x4Z!")", "\x40!"},                     // the second is skipped, the byte keeps 4 * 16
      {R"("\q\n")", "q\n"},                        // any other character stands for itself
      {R"("cut" here)", "cut"},                    // the closing quote ends the text
      {R"(unquoted text)", "unquoted text"},
  };
  for (const Case& c : cases) EXPECT_EQ(Unquote(c.stored), c.line) << c.stored;
}

TEST(PjlUnquote, AtMost512Bytes) {
  std::string stored = "\"" + std::string(600, 'a') + "\"";
  char line[kPjlLineSize] = {};
  EXPECT_EQ(Pjl_UnquoteTemplate(stored.c_str(), line, sizeof line), kPjlLineSize);
}

TEST(PjlUnquote, OmitMarker) {
  char line[kPjlLineSize + 1];
  bool omit = false;
  Pjl_UnquoteTemplate(R"("a"/OMIT)", line, kPjlLineSize, &omit);
  EXPECT_TRUE(omit);
  Pjl_UnquoteTemplate(R"("a" x/OMITTED)", line, kPjlLineSize, &omit);
  EXPECT_TRUE(omit);
  Pjl_UnquoteTemplate(R"("a"/OMI)", line, kPjlLineSize, &omit);
  EXPECT_FALSE(omit);
  Pjl_UnquoteTemplate(R"(a/OMIT)", line, kPjlLineSize, &omit);  // no closing quote: no marker
  EXPECT_FALSE(omit);
}

TEST(PjlExpand, Table) {
  struct Case {
    const char* name;
    const char* stored;
    const char* email;    // EmailAddress at 5544
    uint32_t result;
    std::string written;
  } cases[] = {
      {"plain line", R"("@PJL SET COPIES=%s{Job(Copies),5,,}\r\n")", "", 1, "@PJL SET COPIES=3\r\n"},
      {"omit with an empty value", R"("@PJL SET MAIL=%s{Job(EmailAddress),64,,}\r\n"/OMIT)", "", 1, ""},
      {"empty value without omit", R"("@PJL SET MAIL=%s{Job(EmailAddress),64,,}\r\n")", "", 1, "@PJL SET MAIL=\r\n"},
      {"omit with a value", R"("@PJL SET MAIL=%s{Job(EmailAddress),64,,}\r\n"/OMIT)", "a@b", 1, "@PJL SET MAIL=a@b\r\n"},
      {"stray percent first", R"("@PJL COMMENT 100% %s{Job(Copies),5,,}\n")", "", 1,
       "@PJL COMMENT 100% %s{Job(Copies),5,,}\n"},
      {"percent after a placeholder", R"("%s{Job(Copies),5,,}% %s{Job(Copies),5,,}")", "", 1, "3% %s{Job(Copies),5,,}"},
      {"value cut at LENGTH", R"("M=%s{Job(EmailAddress),3,,}.")", "abcdefgh", 1, "M=abc."},
      {"two backslashes stay in a value", R"("M=%s{Job(EmailAddress),64,,}")", "one\\\\two", 1, "M=one\\\\two"},
      {"unknown name is empty", R"("X=%s{Job(NoSuchValue),9,,}!")", "", 1, "X=!"},
      {"settings value from API fails", R"("C=%s{API(Copies),5,,}")", "", 0, ""},
      {"missing brace fails", R"("C=%s{Job(Copies),5,,")", "", 0, ""},
      {"malformed length fails", R"("C=%s{Job(Copies),12345,,}")", "", 0, ""},
      {"job name custom fails", R"("J=%s{Job(JobNameCustom),5,,}")", "", 0, ""},
      {"empty template", "", "", 1, ""},
  };
  for (const Case& c : cases) {
    TestJob t;
    t.U16(598, 3);
    t.Text(5544, c.email);
    EXPECT_EQ(Pjl_ExpandTemplate(&t.job, c.stored), c.result) << c.name;
    EXPECT_EQ(t.out, c.written) << c.name;
  }
  TestJob t;
  EXPECT_EQ(Pjl_ExpandTemplate(&t.job, nullptr), 0u);
}

// Whatever a value holds, it stays inside its quotes and its line: a quote
// becomes an apostrophe, line ends, ESC and other control characters a
// blank; the template's own quotes, line ends and ESC are kept.
TEST(PjlExpand, ValuesNeitherEndTheirQuotesNorTheirLine) {
  struct Case {
    const char* name;
    std::string value;
    std::string written;
  } cases[] = {
      {"forged line", "x\"\r\n@PJL SET FAXNUMBER1=\"666", "@PJL SET M=\"x'  @PJL SET FAXNUMBER1='666\"\r\n"},
      {"lone LF and CR", "a\nb\rc", "@PJL SET M=\"a b c\"\r\n"},
      {"escape", "\x1B%-12345X@PJL EOJ", "@PJL SET M=\" %-12345X@PJL EOJ\"\r\n"},
      {"tab, other controls and DEL", "a\tb\x01\x1F\x7F", "@PJL SET M=\"a b   \"\r\n"},
      {"UTF-8 and backslashes kept", "\xC3\xA9t\xC3\xA9 \\\\srv\\x", "@PJL SET M=\"\xC3\xA9t\xC3\xA9 \\\\srv\\x\"\r\n"},
  };
  for (const Case& c : cases) {
    TestJob t;
    t.Text(5544, c.value.c_str());
    EXPECT_EQ(Pjl_ExpandTemplate(&t.job, R"("@PJL SET M=\"%s{Job(EmailAddress),-1,,}\"\r\n")"), 1u) << c.name;
    EXPECT_EQ(t.out, c.written) << c.name;
  }
  // The same rule for texts the settings keep as UTF-16, in both encodings.
  for (bool utf8 : {false, true}) {
    TestJob t;
    t.job.jobName = u"Q3 \"final\"\r\n@PJL SET COPIES=99";
    const std::string stored = std::string(R"("@PJL SET JOBNAME=\"%s{API(JobName),80,)") + (utf8 ? "UTF8" : "") + R"(,}\"\r\n")";
    EXPECT_EQ(Pjl_ExpandTemplate(&t.job, stored.c_str()), 1u);
    EXPECT_EQ(t.out, "@PJL SET JOBNAME=\"Q3 'final'  @PJL SET COPIES=99\"\r\n") << utf8;
  }
  char hex[] = "0123456789ABCDEF";
  Pjl_MakeValueSafe(hex, sizeof hex - 1);
  EXPECT_STREQ(hex, "0123456789ABCDEF");
}

TEST(PjlExpand, LineThatDoesNotFitIsDropped) {
  TestJob t;
  // Three 400-byte values overflow the 1024-byte output buffer.
  t.Text(5544, std::string(128, 'm').c_str());
  std::string stored = "\"";
  for (int i = 0; i < 9; ++i) stored += "%s{Job(EmailAddress),-1,,}";
  stored += "\"";
  EXPECT_EQ(Pjl_ExpandTemplate(&t.job, stored.c_str()), 0u);
  EXPECT_EQ(t.out, "");
}

TEST(PjlPlaceholder, Syntax) {
  PjlPlaceholder p;
  ASSERT_TRUE(Pjl_ParsePlaceholder("%s{api(UserName),64,utf8,}", &p));
  EXPECT_TRUE(p.api);
  EXPECT_STREQ(p.name, "UserName");
  EXPECT_EQ(p.length, 64);
  EXPECT_TRUE(p.utf8);
  EXPECT_EQ(p.cipher, 0);
  ASSERT_TRUE(Pjl_ParsePlaceholder("%s{Job(SecPassword),128,,des}", &p));
  EXPECT_EQ(p.cipher, 1);
  EXPECT_EQ(p.length, 72);  // DES limits the value to 72 bytes
  ASSERT_TRUE(Pjl_ParsePlaceholder("%s{Job(X), -1,ANSI,AES}", &p));
  EXPECT_EQ(p.length, -1);
  EXPECT_EQ(p.cipher, 2);
  EXPECT_FALSE(p.utf8);
  // The cipher marker is reported even when the rest fails.
  EXPECT_FALSE(Pjl_ParsePlaceholder("%s{Job(X),abc,,DES}", &p));
  EXPECT_EQ(p.cipher, 1);
  EXPECT_FALSE(Pjl_ParsePlaceholder("%s{Job(ThisNameIsMuchLongerThanThirtyOneChars),5,,}", &p));
  EXPECT_FALSE(Pjl_ParsePlaceholder("%s{Job(X),5,}", &p));
}

// Templates put together from the pieces of the syntax in every order:
// whatever they hold, expansion stays inside its buffers (the sanitizers
// watch) and writes at most one line of at most 1024 bytes.
TEST(PjlExpand, ArbitraryTemplatesStayInBounds) {
  static const char* const pieces[] = {"%s{", "DRV", "API", "(", ")", ",", "}", "\\x", "\\", "\"", "/OMIT",
                                       "DES", "AES", "UTF8", "-1", "999", "Copies", "EmailAddress", "SecPassword",
                                       "PPSIndex", "UserName", "%", "abc", "\\n"};
  uint32_t seed = 12345;
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const int count = 1 + static_cast<int>(seed % 40);
    for (int i = 0; i < count; ++i) {
      seed = seed * 1103515245u + 12345u;
      text += pieces[(seed >> 16) % (sizeof pieces / sizeof pieces[0])];
    }
    TestJob t;
    t.job.userName = u"user";
    t.job.values.cipherMethod = static_cast<uint8_t>(round % 3);
    t.Text(5544, std::string(100, 'e').c_str());
    Pjl_ExpandTemplate(&t.job, text.c_str());
    EXPECT_LE(t.out.size(), kPjlOutputSize) << text;
  }
}

}  // namespace
