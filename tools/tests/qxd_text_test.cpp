// The description tool: text form, binary form, and the round trip between
// them, including the sample model's sources.
#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <cctype>
#include <iterator>
#include <set>
#include <string>

#include "tests/support/test_paths.h"
#include "common/qxd/qxd_reader.h"
#include "tools/qxd/constraint_document.h"
#include "tools/qxd/qxd_document.h"

namespace {

const char kAllKinds[] =
    "qxd 7\n"
    "\n"
    "section \"Property_0\" texts\n"
    "  entry key=\"ViewPrinter\" text=\"Printer\"\n"
    "  entry key=\"Quote\" value=\"say \"\"hi\"\"\" text=\"Fax \xC3\xA9t\xC3\xA9 \xE2\x86\x92 \xF0\x9F\x93\xA0\"\n"
    "\n"
    "section \"PaperSize\" items 40 default=\"A4\"\n"
    "  layout width:u32@16 height:i16@20 flag:u8@22 kind:u16@24 delta:i32@28 label:str8@32\n"
    "  item key=\"Letter\" text=\"Letter\" number=1 width=2159 height=-5 flag=255 label=\"LTR\"\n"
    "  item key=\"A4\" value=\"a4\" number=9 width=2100 kind=65535 delta=-2147483648\n"
    "\n"
    "section \"Names\" items 48\n"
    "  layout title:wstr16@16\n"
    "  item key=\"One\" title=\"\xC3\x9C" "ber\"\n"
    "\n"
    "section \"Copies\" range min=1 max=999 default=1\n"
    "\n"
    "section \"Offsets\" range min=-20 max=20 default=0\n"
    "\n"
    "section \"ModelName\" value \"Fax Model 100\"\n"
    "\n"
    "section \"DevInfo\" pairs\n"
    "  pair \"PrintRateUnit\" \"1\"\n"
    "  pair \"PDLType\" \"XL 2.1\"\n"
    "\n"
    "section \"ConsumSetting\" pairs value=256\n"
    "  pair \"URL\" \"https://supplies.example.com/order?model=fax100&lang=en\"\n"
    "\n"
    "section \"Watermark\" items 40\n"
    "  layout label:wtext@20 size:u16@24\n"
    "  item key=\"WM_None\" label=\"<None>\"\n"
    "  item key=\"WM_001\" label=\"Confidential \xE2\x86\x92\" size=48\n"
    "\n"
    "section \"Commands\" groups\n"
    "  group \"Color_Auto\"\n"
    "    pair \"RENDERMODE\" \"COLOR\"\n"
    "    pair \"DATAMODE\" \"AUTO\"\n"
    "  group \"Color_Disable\"\n"
    "\n"
    "section \"XLFontSubList\" records 64\n"
    "  layout trueType:str32@0 printer:str32@32\n"
    "  record trueType=\"Arial\" printer=\"Helvetica\"\n"
    "  record printer=\"Courier\"\n"
    "\n"
    "section \"Country\" records 8\n"
    "  layout id:u32@0\n"
    "  record id=1041\n"
    "\n"
    "section \"Empty\" texts\n"
    "\n"
    "section \"UserPaper_Width\" editfield\n"
    "  length chars 1 8\n"
    "  value 900 none\n"
    "  rule letters forbid \"xX\"\"\"\n"
    "  rule digits allow \"0123456789\"\n"
    "  rule single forbid 0xE9 0x20\n"
    "  rule double forbid 0x8140 0x82A0\n"
    "  check number 12 13 14 15\n"
    "  lengthcheck on 16 17 18\n"
    "\n"
    "section \"Plain\" editfield\n"
    "  length free 0 0\n"
    "  value -500 500 -20\n"
    "  check none 0 0 0 0\n"
    "\n"
    "section \"MachineInfo\" groups field=16\n"
    "  group \"Fax20\"\n"
    "    pair \"PrintRate\" \"20\"\n"
    "    pair \"PrintRateUnit\" \"PPM\"\n"
    "  group \"Fax10\"\n";

std::string RoundTrip(const std::string& text) {
  qxd::Document doc, back;
  std::string error;
  EXPECT_TRUE(qxd::ParseText(text, &doc, &error)) << error;
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(qxd::Build(doc, &bytes, &error)) << error;
  EXPECT_TRUE(qxd::Decode(bytes, &back, &error)) << error;
  return qxd::FormatText(back);
}

TEST(QxdText, EveryKindRoundTrips) { EXPECT_EQ(RoundTrip(kAllKinds), kAllKinds); }

// Sections without items whose records are larger than the whole file.
TEST(QxdText, EmptySectionsOfLargeRecordsRoundTrip) {
  for (const char* text : {"qxd 1\n\nsection \"S\" items 4096\n", "qxd 1\n\nsection \"R\" records 4096\n"}) {
    EXPECT_EQ(RoundTrip(text), text);
  }
}

TEST(QxdText, FieldsInAnyOrderComeBackInLayoutOrder) {
  std::string text =
      "qxd 0\n\nsection \"S\" items 24\n  layout a:u32@16 b:u32@20\n  item b=2 key=\"k\" a=1\n";
  EXPECT_EQ(RoundTrip(text), "qxd 0\n\nsection \"S\" items 24\n  layout a:u32@16 b:u32@20\n  item key=\"k\" a=1 b=2\n");
}

TEST(QxdText, RefusesMalformedSources) {
  struct Case {
    const char* why;
    std::string text;
  } cases[] = {
      {"no header", "section \"S\" texts\n"},
      {"unclosed string", "qxd 0\nsection \"S\" texts\n  entry key=\"k\n"},
      {"name too long", "qxd 0\nsection \"" + std::string(32, 'n') + "\" texts\n"},
      {"unknown kind", "qxd 0\nsection \"S\" lists\n"},
      {"entry outside a section", "qxd 0\n  entry key=\"k\"\n"},
      {"unknown field", "qxd 0\nsection \"S\" items 24\n  layout a:u32@16\n  item b=1\n"},
      {"field outside the record", "qxd 0\nsection \"S\" items 20\n  layout a:u32@18\n"},
      {"field over the entry", "qxd 0\nsection \"S\" items 24\n  layout a:u32@12\n"},
      {"number too large", "qxd 0\nsection \"S\" items 24\n  layout a:u8@16\n  item a=256\n"},
      {"text too long for field", "qxd 0\nsection \"S\" items 24\n  layout a:str4@16\n  item a=\"abcd\"\n"},
      {"quoted number", "qxd 0\nsection \"S\" items 24\n  layout a:u32@16\n  item a=\"1\"\n"},
      {"missing default", "qxd 0\nsection \"S\" items 16 default=\"x\"\n  item key=\"y\"\n"},
      {"non-ASCII key", "qxd 0\nsection \"S\" texts\n  entry key=\"\xC3\xA9\"\n"},
      {"pair too long", "qxd 0\nsection \"S\" pairs\n  pair \"" + std::string(32, 'p') + "\" \"v\"\n"},
      {"value too long", "qxd 0\nsection \"S\" pairs\n  pair \"p\" \"" + std::string(32, 'v') + "\"\n"},
      {"wide value too long", "qxd 0\nsection \"S\" pairs value=256\n  pair \"p\" \"" + std::string(256, 'v') + "\"\n"},
      {"bad value width", "qxd 0\nsection \"S\" pairs value=0\n"},
      {"group name too long", "qxd 0\nsection \"S\" groups\n  group \"" + std::string(32, 'g') + "\"\n"},
      {"pair before any group", "qxd 0\nsection \"S\" groups\n  pair \"k\" \"v\"\n"},
      {"text field with number", "qxd 0\nsection \"S\" items 20\n  layout t:wtext@16\n  item t=5\n"},
      {"range without max", "qxd 0\nsection \"S\" range min=1 default=1 extra=2\n"},
      {"entry in items", "qxd 0\nsection \"S\" items 16\n  entry key=\"k\"\n"},
      {"key in a record", "qxd 0\nsection \"S\" records 8\n  layout a:u32@0\n  record key=\"k\"\n"},
      {"record field outside the record", "qxd 0\nsection \"S\" records 8\n  layout a:u32@6\n"},
      {"record in items", "qxd 0\nsection \"S\" items 16\n  record\n"},
      {"unknown rule class", "qxd 0\nsection \"S\" editfield\n  rule words allow \"a\"\n"},
      {"byte list value too large", "qxd 0\nsection \"S\" editfield\n  rule single allow 0x100\n"},
      {"bound below the range", "qxd 0\nsection \"S\" editfield\n  value -2147483649 0\n"},
      {"text list for double-byte", "qxd 0\nsection \"S\" editfield\n  rule double allow \"ab\"\n"},
      {"group name too long", "qxd 0\nsection \"M\" groups field=16\n  group \"" + std::string(16, 'm') + "\"\n"},
      {"group value too long", "qxd 0\nsection \"M\" groups field=16\n  group \"m\"\n    pair \"k\" \"" +
                                   std::string(16, 'v') + "\"\n"},
      {"group field too small", "qxd 0\nsection \"M\" groups field=1\n"},
      // What the binary form cannot hold.
      {"NUL in a text", std::string("qxd 0\nsection \"S\" texts\n  entry key=\"k\" text=\"a\0b\"\n", 51)},
      {"NUL in a name", std::string("qxd 0\nsection \"S\0T\" texts\n", 26)},
      {"bytes that are not UTF-8", "qxd 0\nsection \"S\" texts\n  entry key=\"k\" text=\"1.3\xEF\xBF\"\n"},
      {"an overlong form", "qxd 0\nsection \"S\" texts\n  entry key=\"k\" text=\"\xC0\xAF\"\n"},
      {"a surrogate", "qxd 0\nsection \"S\" texts\n  entry key=\"k\" text=\"\xED\xA0\x80\"\n"},
      {"beyond U+10FFFF", "qxd 0\nsection \"S\" texts\n  entry key=\"k\" text=\"\xF4\x90\x80\x80\"\n"},
      {"key given twice", "qxd 0\nsection \"S\" texts\n  entry key=\"a\" key=\"b\"\n"},
      {"field given twice", "qxd 0\nsection \"S\" items 24\n  layout a:u32@16\n  item a=1 a=2\n"},
      {"fields over the same bytes", "qxd 0\nsection \"S\" items 32\n  layout a:u32@16 b:u32@18\n"},
      {"record fields over the same bytes", "qxd 0\nsection \"S\" records 8\n  layout a:u16@0 b:u8@1\n"},
      {"a field named twice", "qxd 0\nsection \"S\" items 32\n  layout a:u32@16 a:u32@20\n"},
      {"record size beyond the limit", "qxd 0\nsection \"S\" items 4097\n"},
      {"records beyond the limit", "qxd 0\nsection \"S\" records 4294967295\n"},
      {"constraint text not UTF-8", "constraints\nversion \"\xFF\"\n"},
  };
  for (const Case& c : cases) {
    qxd::Document doc;
    std::vector<uint8_t> bytes;
    std::string error;
    if (qxd::IsConstraintText(c.text)) {
      qxd::ConstraintDocument rules;
      EXPECT_FALSE(qxd::ParseConstraintText(c.text, &rules, &error)) << c.why;
      EXPECT_FALSE(error.empty()) << c.why;
      continue;
    }
    bool ok = qxd::ParseText(c.text, &doc, &error) && qxd::Build(doc, &bytes, &error);
    EXPECT_FALSE(ok) << c.why;
    EXPECT_FALSE(error.empty()) << c.why;
  }
}

TEST(QxdText, DecodeRefusesALoopingChainInsteadOfHanging) {
  qxd::Document doc;
  std::string error;
  ASSERT_TRUE(qxd::ParseText(kAllKinds, &doc, &error)) << error;
  std::vector<uint8_t> bytes;
  qxd::Placement place;
  ASSERT_TRUE(qxd::Build(doc, &bytes, &error, &place));
  qxd::PatchU32(&bytes, place.sections[2].header + 48, place.sections[1].header);
  qxd::Document back;
  EXPECT_FALSE(qxd::Decode(bytes, &back, &error));
  EXPECT_NE(error.find("forward"), std::string::npos) << error;
  // A count the file cannot hold.
  ASSERT_TRUE(qxd::Build(doc, &bytes, &error, &place));
  qxd::PatchU32(&bytes, place.sections[1].list, 0x10000000u);
  EXPECT_FALSE(qxd::Decode(bytes, &back, &error));
}

// The dump reads a file from outside: a layout that does not fit the
// records, or a record size the file cannot hold, is refused.
TEST(QxdText, DecodeRefusesRecordsTheFileCannotHold) {
  const std::string text =
      "qxd 0\n\nsection \"S\" items 24\n  layout a:u32@16 b:u32@20\n  item key=\"k\" a=1 b=2\n\n"
      "section \"E\" items 16\n\nsection \"R\" records 8\n  layout a:u32@0\n";
  qxd::Document doc;
  std::string error;
  ASSERT_TRUE(qxd::ParseText(text, &doc, &error)) << error;
  std::vector<uint8_t> good;
  qxd::Placement place;
  ASSERT_TRUE(qxd::Build(doc, &good, &error, &place)) << error;
  const uint32_t writerSize = offsetof(QxdSectionHeader, writerSize);
  struct Patch {
    const char* why;
    uint32_t offset;
    uint32_t value;
  } patches[] = {
      {"records shorter than their layout", place.sections[0].header + writerSize, 20},
      {"a record size of 4 GB without items", place.sections[1].header + writerSize, 0xFFFFFFF0u},
      {"a record size beyond the limit without records", place.sections[2].header + writerSize, 0x7FFFFFF0u},
      {"records shorter than their layout (records)", place.sections[2].header + writerSize, 2},
  };
  for (const Patch& p : patches) {
    std::vector<uint8_t> bytes = good;
    qxd::PatchU32(&bytes, p.offset, p.value);
    qxd::Document back;
    EXPECT_FALSE(qxd::Decode(bytes, &back, &error)) << p.why;
  }
}

TEST(QxdText, ShortHeaderVariantRoundTripsAndIsLaidOutAsTheCommandFileReaderWalksIt) {
  const std::string text =
      "qxd 3 headers=40\n"
      "\n"
      "section \"Commands\" texts\n"
      "  entry key=\"JobStart\" value=\"@PJL JOB\"\n"
      "\n"
      "section \"Version\" texts\n"
      "  entry key=\"Ver_Other\" text=\"9\"\n"
      "  entry key=\"Ver_Command\" text=\"4\"\n"
      "\n"
        "section \"Empty\" texts\n";
  EXPECT_EQ(RoundTrip(text), text);

  qxd::Document doc;
  std::string error;
  ASSERT_TRUE(qxd::ParseText(text, &doc, &error)) << error;
  std::vector<uint8_t> bytes;
  qxd::Placement place;
  ASSERT_TRUE(qxd::Build(doc, &bytes, &error, &place)) << error;
  // Header chain: next at byte 36, count at byte 40, entries chained.
  const uint32_t version = place.sections[1].header;
  EXPECT_EQ(qxd::GetU32(bytes, place.sections[0].header + 36), version);
  EXPECT_EQ(qxd::GetU32(bytes, version + 40), 2u);
  const uint32_t first = qxd::GetU32(bytes, version + 32);
  const uint32_t second = qxd::GetU32(bytes, first + 12);
  EXPECT_EQ(second, place.sections[1].records[1]);
  EXPECT_EQ(qxd::GetU32(bytes, place.sections[2].header + 36), qxd::GetU32(bytes, 4)) << "last header ends the chain";

  // Only texts sections, and at least one section.
  ASSERT_TRUE(qxd::ParseText("qxd 0 headers=40\n\nsection \"R\" range min=1 max=2 default=1\n", &doc, &error));
  EXPECT_FALSE(qxd::Build(doc, &bytes, &error));
  ASSERT_TRUE(qxd::ParseText("qxd 0 headers=40\n", &doc, &error));
  EXPECT_FALSE(qxd::Build(doc, &bytes, &error));
  EXPECT_FALSE(qxd::ParseText("qxd 0 headers=48\n", &doc, &error));
}

TEST(QxdText, SampleModelSourcesAreInWrittenForm) {
  for (const char* name : {"VELDRANH.txt", "VELDRANP.txt", "VELDRANX.txt"}) {
    std::ifstream in(testsupport::SourcePath(std::string("model/") + name), std::ios::binary);
    ASSERT_TRUE(in) << name;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(RoundTrip(text), text) << name;
  }
}

// Sections are found by name, case ignored, first in the file: a second
// section of the same name is never read.
TEST(QxdText, SampleModelSectionNamesAreUnique) {
  for (const char* name : {"VELDRANH.txt", "VELDRANP.txt", "VELDRANX.txt"}) {
    std::ifstream in(testsupport::SourcePath(std::string("model/") + name), std::ios::binary);
    ASSERT_TRUE(in) << name;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    qxd::Document doc;
    std::string error;
    ASSERT_TRUE(qxd::ParseText(text, &doc, &error)) << error;
    std::set<std::string> seen;
    for (const qxd::Section& s : doc.sections) {
      std::string lower = s.name;
      for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      EXPECT_TRUE(seen.insert(lower).second) << name << ": section " << s.name << " appears twice";
    }
  }
}

}  // namespace

namespace {

qxd::Document Parsed(const std::string& text) {
  qxd::Document doc;
  std::string error;
  EXPECT_TRUE(qxd::ParseText(text, &doc, &error)) << error;
  return doc;
}

TEST(QxdOverlay, ReplacesByKeyAndSectionAndAddsTheRest) {
  qxd::Document base = Parsed(
      "qxd 1\n\n"
      "section \"Features\" pairs\n  pair \"Staple\" \"Disable\"\n  pair \"Poster\" \"Disable\"\n\n"
      "section \"Texts\" texts\n  entry key=\"A\" text=\"one\"\n  entry key=\"B\" text=\"two\"\n\n"
      "section \"Limit\" range min=1 max=9 default=1\n\n"
      "section \"Trays\" items 16\n  item key=\"T1\" text=\"Tray 1\"\n  item key=\"T2\" text=\"Tray 2\"\n");
  const qxd::Document overlay = Parsed(
      "qxd 1\n\n"
      "section \"Features\" pairs\n  pair \"Staple\" \"Enable\"\n  pair \"Trim\" \"Enable\"\n\n"
      "section \"Texts\" texts\n  entry key=\"B\" text=\"deux\"\n\n"
      "section \"Trays\" items 16\n  item key=\"T9\" text=\"Tray 9\"\n\n"
      "section \"New\" value \"x\"\n");
  qxd::OverlayDocument(&base, overlay);
  EXPECT_EQ(qxd::FormatText(base),
            "qxd 1\n\n"
            "section \"Features\" pairs\n  pair \"Staple\" \"Enable\"\n  pair \"Poster\" \"Disable\"\n"
            "  pair \"Trim\" \"Enable\"\n\n"
            "section \"Texts\" texts\n  entry key=\"A\" text=\"one\"\n  entry key=\"B\" text=\"deux\"\n\n"
            "section \"Limit\" range min=1 max=9 default=1\n\n"
            "section \"Trays\" items 16\n  item key=\"T9\" text=\"Tray 9\"\n\n"
            "section \"New\" value \"x\"\n");
}

}  // namespace
