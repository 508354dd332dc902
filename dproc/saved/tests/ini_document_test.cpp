// The settings document: how lines are classified, looked up, changed and
// rendered back, and that a file written, read and written again is the same
// file byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "common/text/utf8_text.h"
#include "dproc/saved/ini_document.h"
#include "dproc/saved/tests/cp1252_codec.h"

namespace {

std::u16string U(const std::string& utf8) { return Utf8ToUtf16(utf8); }

std::u16string Raw(const IniDoc& doc, const std::u16string& section, const std::u16string& key,
                   size_t capacity = 2048) {
  std::u16string out(capacity, u'?');
  EXPECT_TRUE(IniDoc_GetRaw(doc, section, key, u"<none>", out.data(), capacity));
  out.resize(std::char_traits<char16_t>::length(out.c_str()));
  return out;
}

std::string FileOf(const IniDoc& doc) {
  std::string bytes;
  EXPECT_TRUE(IniDoc_FileBytes(doc, &bytes));
  return bytes;
}

std::unique_ptr<IniDoc> FromFile(const std::string& bytes) {
  return IniDoc_ParseFileBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

TEST(IniDocument, ClassifiesLines) {
  struct Case {
    const char* line;
    IniLineKind kind;
    const char* key;
    const char* value;
  };
  const Case cases[] = {
      {"k = v ", IniLineKind::kKey, "k", "v"},
      {"a=b=c", IniLineKind::kKey, "a", "b=c"},
      {"; note", IniLineKind::kComment, "", ""},
      {" \t;x=1", IniLineKind::kComment, "", ""},
      {"x=1;note", IniLineKind::kKey, "x", "1;note"},
      {"", IniLineKind::kKeyless, "", ""},
      {"  =value", IniLineKind::kKeyless, "", ""},
      {" lone text ", IniLineKind::kKey, " lone text ", ""},
      {"  ", IniLineKind::kKey, "  ", ""},
      {"[]", IniLineKind::kKey, "[]", ""},
      {"[A", IniLineKind::kKey, "[A", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    auto doc = IniDoc_Parse(u"[S]\r\n" + U(c.line) + u"\r\n");
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->sections.size(), 1u);
    ASSERT_EQ(doc->sections[0].lines.size(), 1u);
    const IniLine& line = doc->sections[0].lines[0];
    EXPECT_EQ(line.kind, c.kind);
    EXPECT_EQ(line.key, U(c.key));
    EXPECT_EQ(line.value, U(c.value));
    EXPECT_EQ(line.text, U(c.line));
  }
}

TEST(IniDocument, HeadersAndSections) {
  auto doc = IniDoc_Parse(u"top=1\r\n[A]x\r\n  [B] \r\nk=2\r\n[A]\r\nk=3\r\n[a]\r\nk=4\r\nK=5");
  ASSERT_TRUE(doc);
  ASSERT_EQ(doc->sections.size(), 5u);
  EXPECT_EQ(doc->sections[0].name, u"");
  EXPECT_EQ(doc->sections[1].name, u"A");
  EXPECT_EQ(doc->sections[2].name, u"B");
  EXPECT_EQ(Raw(*doc, u"B", u"k"), u"2");
  // Of two sections of one name only the first is found and changed.
  EXPECT_EQ(Raw(*doc, u"A", u"k"), u"<none>");
  EXPECT_TRUE(IniDoc_SetRaw(*doc, u"A", u"k", u"9"));
  EXPECT_EQ(doc->sections[1].lines.size(), 1u);
  EXPECT_EQ(doc->sections[3].lines[0].text, u"k=3");
  EXPECT_EQ(Raw(*doc, u"a", u"k"), u"4");
  EXPECT_EQ(Raw(*doc, u"a", u"K"), u"5");
  // Lines before the first header come first, without a header; a header's
  // tail is dropped; a section ending in a key line gets an empty line.
  EXPECT_EQ(IniDoc_Render(*doc),
            u"top=1\r\n\r\n[A]\r\nk=9\r\n\r\n[B]\r\nk=2\r\n\r\n[A]\r\nk=3\r\n\r\n[a]\r\nk=4\r\nK=5\r\n");
  const std::u16string long255(300, u'n');
  auto longName = IniDoc_Parse(u"[" + long255 + u"]");
  EXPECT_EQ(longName->sections[0].name.size(), kIniMaxSectionName);
}

TEST(IniDocument, LinesEndOnlyAtCrLf) {
  auto doc = IniDoc_Parse(u"a=1\nb=2\rc=3\r\n");
  ASSERT_TRUE(doc);
  ASSERT_EQ(doc->sections.size(), 1u);
  ASSERT_EQ(doc->sections[0].name, u"");
  ASSERT_EQ(doc->sections[0].lines.size(), 1u);
  EXPECT_EQ(doc->sections[0].lines[0].value, u"1\nb=2\rc=3");
  EXPECT_EQ(IniDoc_Render(*doc), u"a=1\nb=2\rc=3\r\n");
  // A header swallows the rest of its line, line ends that are not CR LF
  // included.
  auto header = IniDoc_Parse(u"[S]\na=1\r\nb=2");
  ASSERT_EQ(header->sections.size(), 1u);
  EXPECT_EQ(header->sections[0].name, u"S");
  EXPECT_EQ(header->sections[0].lines.size(), 1u);
  EXPECT_FALSE(IniDoc_Parse(u""));
}

TEST(IniDocument, RawLookupAndUpdate) {
  auto doc = IniDoc_Parse(u"[S]\r\nempty=\r\n; kept\r\nk=old\r\nafter=1");
  ASSERT_TRUE(doc);
  EXPECT_EQ(Raw(*doc, u"S", u"empty"), u"<none>");  // an empty value reads as the default
  EXPECT_EQ(Raw(*doc, u"S", u"missing"), u"<none>");
  EXPECT_EQ(Raw(*doc, u"T", u"k"), u"<none>");
  EXPECT_TRUE(IniDoc_SetRaw(*doc, u"S", u"k", u"new"));
  EXPECT_TRUE(IniDoc_SetRaw(*doc, u"S", u"added", u"x"));
  EXPECT_TRUE(IniDoc_SetRaw(*doc, u"T", u"t", u"1"));
  EXPECT_EQ(IniDoc_Render(*doc), u"[S]\r\nempty=\r\n; kept\r\nk=new\r\nafter=1\r\nadded=x\r\n\r\n[T]\r\nt=1\r\n");
  // Refused arguments change nothing.
  char16_t out[4] = {u'a', u'b', u'c', 0};
  EXPECT_FALSE(IniDoc_SetRaw(*doc, u"S", u"k", u""));
  EXPECT_FALSE(IniDoc_SetRaw(*doc, u"", u"k", u"v"));
  EXPECT_FALSE(IniDoc_GetRaw(*doc, u"S", u"", nullptr, out, 4));
  EXPECT_FALSE(IniDoc_GetRaw(*doc, u"S", u"k", nullptr, out, 0));
  EXPECT_EQ(std::u16string(out), u"abc");
  EXPECT_EQ(Raw(*doc, u"S", u"k"), u"new");
  // Lookups see at most 1023 characters; the line keeps all of them.
  const std::u16string big(1500, u'v');
  auto longValue = IniDoc_Parse(u"[S]\r\nk=" + big + u"\r\n");
  EXPECT_EQ(Raw(*longValue, u"S", u"k"), big.substr(0, kIniMaxKeyText));
  EXPECT_EQ(IniDoc_Render(*longValue), u"[S]\r\nk=" + big + u"\r\n");
}

TEST(IniDocument, StringsAreQuotedAndEscaped) {
  IniDoc doc;
  const std::u16string text = u"line one\r\nsays \"hi\" it's C:\\dir \u65e5\u672c";
  ASSERT_TRUE(IniDoc_SetString(doc, u"S", u"t", text));
  EXPECT_EQ(doc.sections[0].lines[0].text, u"t=\"line one\\r\\nsays \\\"hi\\\" it\\'s C:\\\\dir \u65e5\u672c\"");
  char16_t out[128] = {};
  ASSERT_TRUE(IniDoc_GetString(doc, u"S", u"t", out, 128));
  EXPECT_EQ(std::u16string(out), text);
  ASSERT_TRUE(IniDoc_SetString(doc, u"S", u"empty", u""));
  EXPECT_EQ(doc.sections[0].lines[1].text, u"empty=\"\"");

  struct Case {
    const char16_t* raw;
    const char16_t* read;
  };
  const Case cases[] = {
      {u"plain", u"plain"}, {u"\"lead only", u"lead only"}, {u"\"a\\qb\"", u"ab"}, {u"\"end\\", u"end"},
      {u"\"", u""},
  };
  for (const auto& c : cases) {
    IniDoc d;
    ASSERT_TRUE(IniDoc_SetRaw(d, u"S", u"k", c.raw));
    char16_t got[64] = u"untouched";
    ASSERT_TRUE(IniDoc_GetString(d, u"S", u"k", got, 64));
    EXPECT_EQ(std::u16string(got), c.read) << std::string(c.raw, c.raw + std::char_traits<char16_t>::length(c.raw));
  }
  // A missing key leaves the output as it was; a short buffer takes what fits.
  char16_t kept[8] = u"kept";
  ASSERT_TRUE(IniDoc_GetString(doc, u"S", u"missing", kept, 8));
  EXPECT_EQ(std::u16string(kept), u"kept");
  ASSERT_TRUE(IniDoc_SetString(doc, u"S", u"long", std::u16string(100, u'x')));
  char16_t small[32];
  ASSERT_TRUE(IniDoc_GetString(doc, u"S", u"long", small, 32));
  EXPECT_EQ(std::u16string(small), std::u16string(31, u'x'));
}

TEST(IniDocument, NarrowStringsGoThroughTheCodePage) {
  const AnsiCodec& codec = Cp1252Codec();
  IniDoc doc;
  ASSERT_TRUE(IniDoc_SetStringA(doc, codec, u"S", u"a", "caf\xe9"));
  EXPECT_EQ(doc.sections[0].lines[0].text, u"a=\"caf\u00e9\"");
  char out[8] = "xxxxxxx";
  ASSERT_TRUE(IniDoc_GetStringA(doc, codec, u"S", u"a", out, 8));
  EXPECT_STREQ(out, "caf\xe9");
  ASSERT_TRUE(IniDoc_GetStringA(doc, codec, u"S", u"missing", out, 8));
  EXPECT_STREQ(out, "");
  EXPECT_FALSE(IniDoc_GetStringA(doc, codec, u"S", u"a", out, 4));  // does not fit
  EXPECT_STREQ(out, "");
  ASSERT_TRUE(IniDoc_SetString(doc, u"S", u"jp", u"\u65e5"));
  EXPECT_FALSE(IniDoc_GetStringA(doc, codec, u"S", u"jp", out, 8));  // not in the code page
}

TEST(IniDocument, Integers) {
  IniDoc doc;
  ASSERT_TRUE(IniDoc_SetInt(doc, u"S", u"neg", -1));
  ASSERT_TRUE(IniDoc_SetInt(doc, u"S", u"min", INT32_MIN));
  ASSERT_TRUE(IniDoc_SetRaw(doc, u"S", u"mixed", u"12abc"));
  ASSERT_TRUE(IniDoc_SetRaw(doc, u"S", u"quoted", u"\"12\""));
  ASSERT_TRUE(IniDoc_SetRaw(doc, u"S", u"huge", u"99999999999"));
  EXPECT_EQ(doc.sections[0].lines[0].text, u"neg=-1");
  struct Case {
    const char16_t* key;
    int32_t value;
  };
  for (const Case& c : {Case{u"neg", -1}, Case{u"min", INT32_MIN}, Case{u"mixed", 12}, Case{u"quoted", 0},
                        Case{u"missing", 0}, Case{u"huge", INT32_MAX}}) {
    int32_t v = 77;
    ASSERT_TRUE(IniDoc_GetInt(doc, u"S", c.key, &v));
    EXPECT_EQ(v, c.value);
  }
}

// A file as a user might keep it: comments in Japanese, an unreadable line,
// blank lines, lines before the first header.
const char kJapaneseFile[] =
    "\xEF\xBB\xBF; \xE8\xA8\xAD\xE5\xAE\x9A\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB\r\n"
    "\r\n"
    "[DriverInfo]\r\n"
    "model=\"Fax\"\r\n"
    "; \xE3\x83\xA2\xE3\x83\x87\xE3\x83\xAB\xE5\x90\x8D \xF0\x9F\x93\xA0\r\n"
    "this line means nothing\r\n"
    "\r\n"
    "[EasySetName]\r\n"
    "name=\"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\"\r\n"
    "  indented = kept as written  \r\n"
    "\r\n"
    "[OEMDEV]\r\n"
    "nCopies=1\r\n";

TEST(IniDocument, FileRoundTripIsByteIdentical) {
  auto doc = FromFile(kJapaneseFile);
  ASSERT_TRUE(doc);
  const std::string first = FileOf(*doc);
  // The last section ends in a key line, which a later section would pad;
  // nothing follows it, so the file comes back as it was.
  EXPECT_EQ(first, std::string(kJapaneseFile));
  auto again = FromFile(first);
  ASSERT_TRUE(again);
  EXPECT_EQ(FileOf(*again), first);
  char16_t name[32] = {};
  ASSERT_TRUE(IniDoc_GetString(*again, u"EasySetName", u"name", name, 32));
  EXPECT_EQ(std::u16string(name), u"\u65e5\u672c\u8a9e");
}

TEST(IniDocument, WrittenFilesSettleAfterOneRoundTrip) {
  IniDoc doc;
  ASSERT_TRUE(IniDoc_SetInt(doc, u"A", u"k", 1));
  ASSERT_TRUE(IniDoc_SetString(doc, u"B", u"t", u"\u3042\u3044\u3046"));
  const std::string first = FileOf(doc);
  EXPECT_EQ(first, "\xEF\xBB\xBF[A]\r\nk=1\r\n\r\n[B]\r\nt=\"\xE3\x81\x82\xE3\x81\x84\xE3\x81\x86\"\r\n");
  auto read = FromFile(first);
  ASSERT_TRUE(read);
  EXPECT_EQ(FileOf(*read), first);
  // The empty line became a keyless line of section A.
  EXPECT_EQ(read->sections[0].lines.size(), 2u);
  EXPECT_EQ(read->sections[0].lines[1].kind, IniLineKind::kKeyless);
}

TEST(IniDocument, TextOfThreeByteCharactersFitsItsFile) {
  // Nearly every character needs three bytes in UTF-8: more than two bytes
  // per UTF-16 unit.
  IniDoc doc;
  const std::u16string text(600, u'\u6f22');
  ASSERT_TRUE(IniDoc_SetString(doc, u"S", u"k", text));
  const std::string bytes = FileOf(doc);
  EXPECT_GT(bytes.size(), IniDoc_Render(doc).size() * 2 + 1);
  auto read = FromFile(bytes);
  ASSERT_TRUE(read);
  EXPECT_EQ(IniDoc_Render(*read), IniDoc_Render(doc));
}

TEST(IniDocument, FileBytesThatCannotBeRead) {
  EXPECT_FALSE(FromFile(""));
  EXPECT_FALSE(FromFile("\xEF\xBB\xBF"));
  EXPECT_FALSE(FromFile(std::string("\0[S]\r\n", 6)));
  IniDoc empty;
  std::string bytes = "old";
  EXPECT_FALSE(IniDoc_FileBytes(empty, &bytes));
  // Malformed UTF-8 reads as replacement characters instead of failing.
  auto doc = FromFile("[S]\r\nk=\xC3\x28\xFF\r\n");
  ASSERT_TRUE(doc);
  EXPECT_EQ(Raw(*doc, u"S", u"k"), u"\uFFFD(\uFFFD");
  // Text after a NUL is not read.
  auto cut = FromFile(std::string("[S]\r\nk=1\0[T]\r\n", 14));
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->sections.size(), 1u);
}

}  // namespace
