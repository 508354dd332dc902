// Field descriptors, unit conversions, the character filter and the texts of
// the range label and messages.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "dproc/model/edit_items.h"
#include "dproc/model/message_text.h"
#include "tests/support/model_fixture.h"
#include "tests/support/test_paths.h"
#include "tools/qxd/qxd_document.h"

namespace {

std::string U8(const char16_t* t) { return qxd::Utf16ToUtf8(t); }

int32_t Convert(int from, int to, int bound, int32_t v) {
  ConvertEditUnits(from, to, bound, &v);
  return v;
}

TEST(EditUnits, ConversionTable) {
  struct Case {
    int from, to, bound;
    int32_t in, out;
  } cases[] = {
      {2, 3, kEditBoundOther, 2970, 1169}, {2, 4, kEditBoundMax, 2970, 11692}, {2, 4, kEditBoundMin, 2970, 11693},
      {2, 4, kEditBoundOther, 2970, 11693}, {2, 4, kEditBoundOther, 2969, 11689}, {1, 2, 0, 297, 2970},
      {1, 3, 0, 297, 1169},                {1, 4, 0, 297, 11692},               {2, 1, 0, 1054, 105},
      {2, 1, 0, 1055, 106},                {3, 1, 0, 1169, 296},                {3, 2, 0, 1169, 2969},
      {3, 4, 0, 1169, 11690},              {4, 1, 0, 11692, 296},               {4, 2, 0, 11692, 2969},
      {4, 3, 0, 11695, 1170},              {2, 2, 0, 77, 77},                   {5, 2, 0, 77, 77},
      {2, 1, 0, -1054, -104},  // truncation toward zero
      {1, 4, 0, 2147483647, 2147483647},  // saturates instead of overflowing
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Convert(c.from, c.to, c.bound, c.in), c.out) << c.from << "->" << c.to << " " << c.in;
  }
}

EditItemDesc Desc(int32_t minimum, int32_t maximum) {
  EditItemDesc d{};
  d.head.lengthKind = kEditLengthChars;
  d.head.maxLength = 8;
  d.head.minValue = minimum;
  d.head.maxValue = maximum;
  d.check.kind = kEditCheckNumber;
  return d;
}

std::string Bound(int32_t v, int kind, int stored, int display) {
  char16_t out[40];
  EditRangeBoundText(v, kind, stored, display, out, 40);
  return U8(out);
}

TEST(EditUnits, RangeMessageBounds) {
  EXPECT_EQ(Bound(1054, kEditBoundMin, 2, 1), "105(105.4)");
  EXPECT_EQ(Bound(1055, kEditBoundMin, 2, 1), "106");
  EXPECT_EQ(Bound(1055, kEditBoundMax, 2, 1), "106(105.5)");
  EXPECT_EQ(Bound(1050, kEditBoundMax, 2, 1), "105");
  EXPECT_EQ(Bound(2970, kEditBoundMax, 2, 2), "297.0");
  EXPECT_EQ(Bound(2970, kEditBoundMax, 2, 3), "11.69");
  EXPECT_EQ(Bound(2970, kEditBoundMin, 2, 4), "11.693");
  EXPECT_EQ(Bound(-55, kEditBoundMin, 2, 2), "-5.5") << "negative shifts keep one sign";
  EXPECT_EQ(Bound(42, kEditBoundMin, 2, 9), "42");
  EXPECT_EQ(Bound(kEditNoBound, kEditBoundMin, 2, 2), " ");
}

TEST(EditUnits, ParseFormatAndRange) {
  EXPECT_EQ(ParseEditNumber(u"105.4", 2, 1), 105);
  EXPECT_EQ(ParseEditNumber(u"105.4", 2, 2), 1054);
  EXPECT_EQ(ParseEditNumber(u"11.69", 2, 3), 1169);
  EXPECT_EQ(ParseEditNumber(u"11.693", 2, 4), 11693);
  EXPECT_EQ(ParseEditNumber(u"12.9", 0, 0), 12);
  char16_t out[32];
  struct Case {
    int32_t value;
    int stored, display, result;
    const char* text;
  } cases[] = {
      {2970, 2, 2, 1, "297.0"}, {2970, 2, 3, 1, "11.69"}, {2970, 2, 4, 1, "11.692"}, {1169, 3, 2, 1, "296.9"},
      {11692, 4, 2, 1, "296.9"}, {1054, 2, 1, 1, "105"},  {297, 1, 1, 1, "297"},     {297, 1, 2, 1, "297.0"},
      {5, 7, 9, 1, "5"},        {5, 2, 9, 0, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatEditNumber(c.value, c.stored, c.display, out, 32), c.result) << c.value;
    EXPECT_EQ(U8(out), c.text) << c.value << " " << c.stored << "->" << c.display;
  }
  EditItemDesc d = Desc(900, 2970);
  EXPECT_TRUE(IsInEditRange(u"90.0", 2, 2, &d));
  EXPECT_FALSE(IsInEditRange(u"89.9", 2, 2, &d));
  EXPECT_TRUE(IsInEditRange(u"11.69", 2, 3, &d));
  EXPECT_FALSE(IsInEditRange(u"11.70", 2, 3, &d));
  d.head.maxValue = kEditNoBound;
  EXPECT_TRUE(IsAtMostEditMax(u"99999", 2, 2, &d));
}

TEST(EditUnits, RangeLabel) {
  EditItemDesc d = Desc(900, 2970);
  char16_t label[64];
  EditRangeLabel r = BuildEditRangeLabel(&d, 2, 2, label, 64);
  EXPECT_EQ(U8(label), "mm [90.0...297.0]");
  EXPECT_EQ(r.minimum, 900);
  EXPECT_EQ(r.maximum, 2970);
  EXPECT_EQ(r.textLimit, 5u);
  r = BuildEditRangeLabel(&d, 2, 4, label, 64);
  EXPECT_EQ(U8(label), "inch [3.544...11.692]");
  EXPECT_EQ(r.minimum, 3544);
  r = BuildEditRangeLabel(&d, 2, 1, label, 64);
  EXPECT_EQ(U8(label), "mm [90...297]");
  r = BuildEditRangeLabel(&d, 0, 0, label, 64);
  EXPECT_EQ(U8(label), "[900...2970]");
}

std::map<uint32_t, std::u16string> g_rows;
const char16_t* Row(uint32_t row) {
  auto it = g_rows.find(row);
  return it == g_rows.end() ? nullptr : it->second.c_str();
}

TEST(EditMessages, RangeAndLengthMessagesFillTheirFormats) {
  g_rows = {{0, u"Notice"},
            {10, u"Paper Width"},
            {11, u"The width is out of range.\\n"},
            {12, u"Enter %s to %s mm."},
            {13, u"Enter %s to %s inches."},
            {20, u"Name"},
            {21, u"The name is too long. "},
            {22, u"Use %d to %d characters."},
            {23, u"Trap %n%s %d"}};
  SetMessageRowSource(Row);
  EditItemDesc d = Desc(1054, 2970);
  d.check = {kEditCheckNumber, 10, 11, 12, 13};
  char16_t caption[300], text[600];
  BuildEditRangeMessage(&d, 2, 1, caption, text, 600);
  EXPECT_EQ(U8(caption), "Paper Width");
  EXPECT_EQ(U8(text), "The width is out of range. \nEnter 105(105.4) to 297 mm.");
  BuildEditRangeMessage(&d, 2, 3, caption, text, 600);
  EXPECT_EQ(U8(text), "The width is out of range. \nEnter 4.14 to 11.69 inches.");
  d.check.formatMm = 23;
  BuildEditRangeMessage(&d, 2, 2, caption, text, 600);
  EXPECT_EQ(U8(text), "The width is out of range. \nTrap %n105.4 %d") << "file texts are not printf formats";

  d.length = {kEditCheckLength, 20, 21, 22, 0};
  BuildEditLengthMessage(&d, 1, 31, caption, text, 600);
  EXPECT_EQ(U8(text), "The name is too long. Use 1 to 31 characters.");
  d.length.caption = 0;
  BuildEditLengthMessage(&d, 1, 31, caption, text, 600);
  EXPECT_EQ(U8(caption), "Notice");
  EXPECT_EQ(U8(text), "The name is too long. ") << "no caption entry: no format";
  SetMessageRowSource(nullptr);
}

std::vector<EditChar> Chars(const std::u16string& text) {
  std::vector<EditChar> out;
  for (char16_t c : text) {
    EditChar e{c, {static_cast<uint8_t>(c & 0xFF), 0}, 1};
    // A stand-in double-byte code page: the unit's two bytes, high first.
    if (c >= 256) e = EditChar{c, {static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c & 0xFF)}, 2};
    out.push_back(e);
  }
  return out;
}

std::u16string Text(const std::vector<EditChar>& chars, size_t count) {
  std::u16string out;
  for (size_t i = 0; i < count; ++i) out.push_back(chars[i].wide);
  return out;
}

TEST(EditFilter, RulesRemoveWhatTheyDoNotAllow) {
  EditItemDesc d{};
  uint8_t zero[] = {'0'};
  d.rules[kEditClassDigit] = {kEditRuleForbid, 1, zero};
  auto chars = Chars(u"1024");
  size_t count = chars.size();
  EXPECT_EQ(ApplyCharRules(&d, chars.data(), &count), 1u);
  EXPECT_EQ(Text(chars, count), u"124");

  // Letters: only a, b; double-byte: U+3042 forbidden (bytes 0x30 0x42).
  EditItemDesc e{};
  uint8_t ab[] = {'a', 'b'};
  uint8_t kana[] = {0x30, 0x42};
  e.rules[kEditClassLetter] = {kEditRuleAllow, 2, ab};
  e.rules[kEditClassDouble] = {kEditRuleForbid, 2, kana};
  e.rules[kEditClassSingle] = {999, 0, nullptr};  // not a rule
  chars = Chars(u"abc-\u3042\u3044B");
  count = chars.size();
  EXPECT_EQ(ApplyCharRules(&e, chars.data(), &count), 3u);
  EXPECT_EQ(Text(chars, count), u"ab-\u3044");
}

TEST(EditFilter, ByteLimitNeverSplitsADoubleByteCharacter) {
  auto chars = Chars(u"abcdefg\u3042");
  EXPECT_EQ(EditAnsiLength(chars.data(), chars.size()), 9u);
  EXPECT_EQ(EditCharsWithinBytes(chars.data(), chars.size(), 8), 7u);
  EXPECT_EQ(EditCharsWithinBytes(chars.data(), chars.size(), 9), 8u);
}

TEST(EditFilter, KeywordCheck) {
  EditItemDesc d = Desc(kEditNoBound, kEditNoBound);
  d.head.lengthKind = kEditLengthBytes;
  d.head.minLength = 2;
  d.check.kind = kEditCheckText;
  uint8_t noSpace[] = {' '};
  d.rules[kEditClassSingle] = {kEditRuleForbid, 1, noSpace};
  struct Case {
    std::u16string text;
    size_t maxLength;
    bool ok;
  } cases[] = {
      {u"abc", 64, true},      {u"a", 64, false},          {u"a b", 64, false},
      {u"abcdefgh", 64, true}, {u"abcdefghi", 64, false},  {u"abcdef", 5, false},
      {u"abcdefg\u3042", 64, false},  // nine bytes
      {u"", 64, false},
  };
  for (const Case& c : cases) {
    auto chars = Chars(c.text);
    EXPECT_EQ(EditCharsPassKeywordCheck(&d, chars.data(), chars.size(), c.maxLength), c.ok) << U8(c.text.c_str());
  }
  d.check.kind = kEditCheckNone;
  auto chars = Chars(u"a b");
  EXPECT_TRUE(EditCharsPassKeywordCheck(&d, chars.data(), chars.size(), 64));
  EXPECT_TRUE(EditCharsPassKeywordCheck(nullptr, chars.data(), chars.size(), 64));
}

const char kDescriptors[] =
    "qxd 1\n\n"
    "section \"UserPaper_Width\" editfield\n"
    "  length chars 1 6\n"
    "  value 900 2970\n"
    "  rule letters forbid \"xyz\"\n"
    "  rule digits forbid \"0\"\n"
    "  rule double allow 0x3042\n"
    "  check number 10 11 12 13\n"
    "  lengthcheck on 20 21 22\n"
    "\n"
    "section \"Paper_Name\" editfield\n"
    "  length bytes 0 31\n"
    "  value none none\n"
    "  check text 0 0 0 0\n";

TEST(EditTable, LoadsDescriptorsCompiledByTheTool) {
  qxd::Document doc;
  std::string error;
  ASSERT_TRUE(qxd::ParseText(kDescriptors, &doc, &error)) << error;
  std::vector<uint8_t> bytes;
  qxd::Placement place;
  ASSERT_TRUE(qxd::Build(doc, &bytes, &error, &place)) << error;
  QxdContext* ctx = QxdOpenImage(bytes.data(), bytes.size());
  LoadEditItemTable(ctx);
  QxdClose(ctx);

  const EditItemDesc* width = FindEditItem(1555);
  ASSERT_NE(width, nullptr);
  EXPECT_EQ(width->head.lengthKind, kEditLengthChars);
  EXPECT_EQ(width->head.minLength, 1u);
  EXPECT_EQ(width->head.maxLength, 6u);
  EXPECT_EQ(width->head.minValue, 900);
  EXPECT_EQ(width->head.maxValue, 2970);
  EXPECT_EQ(width->rules[kEditClassLetter].kind, kEditRuleForbid);
  ASSERT_EQ(width->rules[kEditClassLetter].size, 3u);
  EXPECT_EQ(width->rules[kEditClassLetter].list[2], 'z');
  EXPECT_EQ(width->rules[kEditClassSingle].kind, 0u);
  ASSERT_EQ(width->rules[kEditClassDouble].size, 2u);
  EXPECT_EQ(width->rules[kEditClassDouble].list[0], 0x42);
  EXPECT_EQ(width->check.kind, kEditCheckNumber);
  EXPECT_EQ(width->check.formatInch, 13u);
  EXPECT_EQ(width->length.kind, kEditCheckLength);
  EXPECT_EQ(width->length.format, 22u);

  const EditItemDesc* name = FindEditItem(1553);
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->head.minValue, kEditNoBound);
  EXPECT_EQ(FindEditItem(1559), nullptr) << "no section: no descriptor";
  EXPECT_EQ(FindEditItem(4242), nullptr);
  ASSERT_NE(FindEditItemByKeyword("paper"), nullptr);
  EXPECT_STREQ(FindEditItemByKeyword("paper")->keyword, "Paper_Name");
  EXPECT_STREQ(FindEditItemByKeyword("UserPaper_Length_More")->keyword, "UserPaper_Length");
  EXPECT_EQ(FindEditItemByKeyword("Fax"), nullptr);

  // A rule list longer than the file leaves the field without a descriptor.
  const uint32_t payload = place.sections[0].header + 64;
  qxd::PatchU32(&bytes, payload + 48 + 4, 0x7FFFFFF0u);
  ctx = QxdOpenImage(bytes.data(), bytes.size());
  LoadEditItemTable(ctx);
  QxdClose(ctx);
  EXPECT_EQ(FindEditItem(1555), nullptr);
  EXPECT_NE(FindEditItem(1553), nullptr);
  FreeEditItemTable();
  EXPECT_EQ(FindEditItem(1553), nullptr);
}

}  // namespace

namespace {

TEST(EditTable, ADescriptorIsTheRangeRecordOfItsSection) {
  modeltest::File file(
      "qxd 1\n\nsection \"Copies\" editfield\n  length chars 1 2\n  value 1 99 5\n  check number 1 2 3 4\n");
  uint32_t range[3] = {};
  ASSERT_TRUE(QxdReadRangeRecord(file.get(), QxdFindSection(file.get(), "Copies") + kQxdRangeRecordAt, range));
  EXPECT_EQ(range[0], 99u);
  EXPECT_EQ(range[1], 1u);
  EXPECT_EQ(range[2], 5u);
}

TEST(EditTable, SampleModelDescribesItsFields) {
  std::ifstream in(testsupport::SourcePath("model/VELDRANH.txt"), std::ios::binary);
  ASSERT_TRUE(in);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  qxd::Document doc;
  std::string error;
  ASSERT_TRUE(qxd::ParseText(text, &doc, &error)) << error;
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(qxd::Build(doc, &bytes, &error)) << error;
  QxdContext* ctx = QxdOpenImage(bytes.data(), bytes.size());
  LoadEditItemTable(ctx);
  QxdClose(ctx);
  size_t described = 0;
  for (const EditItemRow* row = EditItemRows(); row->controlId != 0; ++row) described += row->desc != nullptr;
  EXPECT_GE(described, 10u);
  const EditItemDesc* width = FindEditItem(1555);
  ASSERT_NE(width, nullptr);
  char16_t label[64];
  BuildEditRangeLabel(width, kEditUnitTenthMm, kEditUnitTenthMm, label, 64);
  EXPECT_EQ(U8(label), "mm [100.0...297.0]");
  // A password takes no double-byte characters.
  const EditItemDesc* password = FindEditItem(2028);
  ASSERT_NE(password, nullptr);
  auto chars = Chars(u"pass\u3042");
  size_t count = chars.size();
  EXPECT_EQ(ApplyCharRules(password, chars.data(), &count), 1u);
  FreeEditItemTable();
}

}  // namespace
