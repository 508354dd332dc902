// The stream dissector on hand-assembled streams: well-formed ones are read
// back with their attributes and image rows, malformed ones are rejected
// with a message that names the fault.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/pclxl/xl_dissector.h"

namespace {

// Assembles stream bytes tag by tag, without any encoder code.
struct Bytes {
  std::vector<uint8_t> v;

  Bytes& Raw(std::initializer_list<int> bytes) {
    for (int b : bytes) v.push_back(static_cast<uint8_t>(b));
    return *this;
  }
  Bytes& Text(const std::string& s) {
    v.insert(v.end(), s.begin(), s.end());
    return *this;
  }
  Bytes& Header() { return Text(") HP-PCL XL;3;0;\n"); }
  Bytes& UB(int value, int attr) { return Raw({0xC0, value, 0xF8, attr}); }
  Bytes& U16(int value, int attr) { return Raw({0xC1, value & 0xFF, value >> 8, 0xF8, attr}); }
  Bytes& U32(uint32_t value, int attr) {
    return Raw({0xC2, static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF), static_cast<int>(value >> 24), 0xF8, attr});
  }
  Bytes& U16XY(int x, int y, int attr) {
    return Raw({0xD1, x & 0xFF, x >> 8, y & 0xFF, y >> 8, 0xF8, attr});
  }
  Bytes& UBArray(const std::string& s, int attr) {
    Raw({0xC8, 0xC1, static_cast<int>(s.size() & 0xFF), static_cast<int>(s.size() >> 8)});
    Text(s);
    return Raw({0xF8, attr});
  }
  Bytes& Op(int tag) { return Raw({tag}); }
  Bytes& Data(const std::vector<uint8_t>& d) {
    if (d.size() < 256) {
      Raw({0xFB, static_cast<int>(d.size())});
    } else {
      uint32_t n = static_cast<uint32_t>(d.size());
      Raw({0xFA, static_cast<int>(n & 0xFF), static_cast<int>((n >> 8) & 0xFF),
           static_cast<int>((n >> 16) & 0xFF), static_cast<int>(n >> 24)});
    }
    v.insert(v.end(), d.begin(), d.end());
    return *this;
  }
  // Header, BeginSession, OpenDataSource, BeginPage.
  Bytes& OpenPage() {
    Header();
    U16XY(600, 600, 137).UB(0, 134).UB(2, 143).Op(0x41);
    UB(0, 136).UB(1, 130).Op(0x48);
    UB(0, 40).UB(2, 37).Op(0x43);
    return *this;
  }
  // EndPage, CloseDataSource, EndSession.
  Bytes& ClosePage() {
    U16(1, 49).Op(0x44);
    Op(0x49).Op(0x42);
    return *this;
  }
  // SetColorSpace gray, BeginImage of width x height at 8 bits.
  Bytes& GrayImage(int width, int height) {
    UB(1, 3).Op(0x6A);
    UB(0, 100).UB(2, 98).U16(width, 108).U16(height, 107).U16XY(width, height, 103).Op(0xB0);
    return *this;
  }
  Bytes& ReadImage(int start, int rows, int mode, const std::vector<uint8_t>& data) {
    U16(start, 109).U16(rows, 99).UB(mode, 101).Op(0xB1).Data(data);
    return *this;
  }
};

TEST(XlDissector, ReadsAWholeStreamWithTypedAttributes) {
  Bytes b;
  b.OpenPage();
  b.Raw({0xC8, 0xC0, 3, 255, 0, 0, 0xF8, 11}).Op(0x63);  // RGBColor with a ubyte count
  b.Raw({0xD3, 0x9C, 0xFF, 0x64, 0x00, 0xF8, 76}).Op(0x6B);  // SetCursor (-100, 100)
  b.Raw({0xD5, 0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x3F, 0xF8, 43}).Op(0x77);
  b.ClosePage();
  b.Text("\x1B%-12345X@PJL EOJ\r\n");

  xl::Dissection d = xl::Dissect(b.v);
  ASSERT_TRUE(d.ok) << d.error;
  EXPECT_EQ(d.header, ") HP-PCL XL;3;0;");
  EXPECT_EQ(d.suffix, "\x1B%-12345X@PJL EOJ\r\n");
  EXPECT_EQ(d.Names(), (std::vector<std::string>{
                           "BeginSession", "OpenDataSource", "BeginPage", "SetBrushSource",
                           "SetCursor", "SetPageScale", "EndPage", "CloseDataSource",
                           "EndSession"}));
  const xl::Operator* cursor = d.All("SetCursor")[0];
  EXPECT_EQ(cursor->Number(76, 0), -100);
  EXPECT_EQ(cursor->Number(76, 1), 100);
  EXPECT_EQ(d.All("SetPageScale")[0]->Number(43, 1), 0.5);
  EXPECT_EQ(xl::Dump(d),
            "# ) HP-PCL XL;3;0;\n"
            "BeginSession UnitsPerMeasure:uint16_xy=(600,600) Measure:ubyte=0 "
            "ErrorReport:ubyte=2\n"
            "OpenDataSource SourceType:ubyte=0 DataOrg:ubyte=1\n"
            "BeginPage Orientation:ubyte=0 MediaSize:ubyte=2\n"
            "SetBrushSource RGBColor:ubyte_array=[255,0,0]\n"
            "SetCursor Point:sint16_xy=(-100,100)\n"
            "SetPageScale PageScale:real32_xy=(1,0.5)\n"
            "EndPage PageCopies:uint16=1\n"
            "CloseDataSource\n"
            "EndSession\n");
}

TEST(XlDissector, DecodesImageRowsOfEveryMethod) {
  // A 5 x 4 gray image: one raw block (rows padded to 8 bytes), one
  // PackBits block, then two delta rows against the previous row.
  Bytes b;
  b.OpenPage().GrayImage(5, 4);
  b.ReadImage(0, 1, 0, {1, 2, 3, 4, 5, 0, 0, 0});
  b.ReadImage(1, 1, 1, {0xFC, 7, 0x02, 0, 0, 0});  // 7 7 7 7 7, then pad 0 0 0
  // row 3: byte 1 becomes 9; row 4: bytes 0 and 4 become 1 and 2.
  b.ReadImage(2, 2, 3, {2, 0, 0x01, 9, 4, 0, 0x00, 1, 0x03, 2});
  b.Op(0xB2).ClosePage();

  xl::Dissection d = xl::Dissect(b.v);
  ASSERT_TRUE(d.ok) << d.error;
  std::vector<const xl::Operator*> reads = d.All("ReadImage");
  ASSERT_EQ(reads.size(), 3u);
  EXPECT_EQ(reads[0]->rows, (std::vector<uint8_t>{1, 2, 3, 4, 5}));
  EXPECT_EQ(reads[1]->rows, (std::vector<uint8_t>{7, 7, 7, 7, 7}));
  EXPECT_EQ(reads[2]->rows, (std::vector<uint8_t>{7, 9, 7, 7, 7, 1, 9, 7, 7, 2}));
  EXPECT_EQ(reads[2]->rowCount, 2u);
  EXPECT_EQ(reads[2]->rowBytes, 5u);
}

TEST(XlDissector, RowBytesFollowTheColourSpaceAndDepth) {
  // RGB direct 3 pixels: 9 bytes a row; indexed 4-bit 3 pixels: 2 bytes.
  Bytes b;
  b.OpenPage();
  b.UB(2, 3).Op(0x6A);
  b.UB(0, 100).UB(2, 98).U16(3, 108).U16(1, 107).U16XY(3, 1, 103).Op(0xB0);
  b.ReadImage(0, 1, 0, std::vector<uint8_t>(12, 0x11)).Op(0xB2);
  b.UB(1, 100).UB(1, 98).U16(3, 108).U16(1, 107).U16XY(3, 1, 103).Op(0xB0);
  b.ReadImage(0, 1, 0, {0x12, 0x30, 0, 0}).Op(0xB2);
  b.ClosePage();
  xl::Dissection d = xl::Dissect(b.v);
  ASSERT_TRUE(d.ok) << d.error;
  EXPECT_EQ(d.All("ReadImage")[0]->rowBytes, 9u);
  EXPECT_EQ(d.All("ReadImage")[1]->rows, (std::vector<uint8_t>{0x12, 0x30}));
}

TEST(XlDissector, DissectsUserStreamContent) {
  Bytes content;
  content.Text(") HP-PCL XL;2;1\n");
  content.UB(0, 83).Op(0x62).Op(0x85);
  Bytes b;
  b.OpenPage();
  b.UBArray("TABPROC", 139).Op(0x5B);
  b.U32(static_cast<uint32_t>(content.v.size()), 140).Op(0x5C).Data(content.v);
  b.Op(0x5D);
  b.UBArray("TABPROC", 139).Op(0x5E);
  b.ClosePage();
  xl::Dissection d = xl::Dissect(b.v);
  ASSERT_TRUE(d.ok) << d.error;
  const xl::Operator* end = d.All("EndStream")[0];
  ASSERT_EQ(end->streamOps.size(), 2u);
  EXPECT_EQ(end->streamOps[0].name, "SetClipReplace");
  EXPECT_NE(xl::Dump(d).find("EndStream\n  SetClipReplace ClipRegion:ubyte=0\n  NewPath\n"),
            std::string::npos);
}

TEST(XlDissector, ReadsPageFragments) {
  Bytes b;
  b.UB(1, 84).Op(0x7F).UB(0, 70).Op(0x6E);
  xl::Options page;
  page.header = false;
  page.start = xl::Context::Page;
  page.dataSourceOpen = true;
  xl::Dissection d = xl::Dissect(b.v, page);
  ASSERT_TRUE(d.ok) << d.error;
  EXPECT_EQ(d.Count("SetClipMode"), 1u);
  // The same bytes are no whole stream.
  EXPECT_FALSE(xl::Dissect(b.v).ok);

  // The head of a job ends inside its session, the tail starts there.
  Bytes head;
  head.Header().U16XY(600, 600, 137).UB(0, 134).Op(0x41).UB(0, 136).UB(1, 130).Op(0x48);
  xl::Options open;
  open.end = xl::Context::Session;
  EXPECT_TRUE(xl::Dissect(head.v, open).ok);
  xl::Dissection whole = xl::Dissect(head.v);
  EXPECT_NE(whole.error.find("stream ends inside a session, expected outside a session"),
            std::string::npos) << whole.error;
  Bytes tail;
  tail.Op(0x49).Op(0x42);
  xl::Options close;
  close.header = false;
  close.start = xl::Context::Session;
  close.dataSourceOpen = true;
  close.end = xl::Context::Outside;
  EXPECT_TRUE(xl::Dissect(tail.v, close).ok);
}

TEST(XlDissector, SkipsJobTextBeforeTheHeader) {
  Bytes b;
  b.Text("\x1B%-12345X@PJL ENTER LANGUAGE=PCLXL\r\n");
  b.OpenPage().ClosePage();
  xl::Options job;
  job.skipToHeader = true;
  xl::Dissection d = xl::Dissect(b.v, job);
  ASSERT_TRUE(d.ok) << d.error;
  EXPECT_EQ(d.prefix, "\x1B%-12345X@PJL ENTER LANGUAGE=PCLXL\r\n");
}

struct BadCase {
  const char* what;
  std::vector<uint8_t> bytes;
  const char* message;  // part of the expected error
};

std::vector<BadCase> BadCases() {
  std::vector<BadCase> cases;
  auto add = [&](const char* what, const Bytes& b, const char* message) {
    cases.push_back({what, b.v, message});
  };
  {
    Bytes b;
    b.OpenPage().Op(0x45).ClosePage();
    add("unknown operator tag", b, "bad tag 0x45");
  }
  {
    Bytes b;
    b.OpenPage().Raw({0xC6, 0x00});
    add("unknown data type tag", b, "bad tag 0xC6");
  }
  {
    Bytes b;
    b.Header().U16XY(600, 600, 137).UB(0, 134).Op(0x41);
    b.UB(0, 136).UB(1, 130).Op(0x48);
    b.UBArray("F1", 168).Op(0x52);
    b.U16(65, 162).U32(20, 163).Op(0x53).Raw({0xFA, 20, 0, 0, 0, 1, 2, 3});
    add("embedded data shorter than its length", b, "embedded data of 20 bytes");
  }
  {
    Bytes b;
    b.Header().U16XY(600, 600, 137).UB(0, 134).Op(0x41);
    b.UB(0, 136).UB(1, 130).Op(0x48);
    b.UBArray("F1", 168).Op(0x52);
    b.U16(65, 162).U32(12, 163).Op(0x53).Data(std::vector<uint8_t>(10, 0));
    add("character data size differs from its data", b, "CharDataSize 12 but carries 10");
  }
  {
    Bytes b;
    b.Header().U16XY(600, 600, 137).UB(0, 134).Op(0x41);
    b.UB(0, 136).UB(1, 130).Op(0x48);
    b.U16(0, 40).UB(2, 37).Op(0x43);
    add("attribute of the wrong type", b, "Orientation of BeginPage has the wrong type uint16");
  }
  {
    Bytes b;
    b.OpenPage().U16(4, 3).Op(0x6A);
    add("colour space as uint16", b, "ColorSpace of SetColorSpace has the wrong type uint16");
  }
  {
    Bytes b;
    b.OpenPage().Op(0x49).Op(0x42);
    add("page never ended", b, "CloseDataSource inside a page");
  }
  {
    Bytes b;
    b.OpenPage().ClosePage().Op(0x44);
    add("EndPage outside a page", b, "EndPage outside a page");
  }
  {
    Bytes b;
    b.OpenPage().U16(1, 49).Op(0x44).Op(0x49);
    add("session never ended", b, "stream ends inside a session");
  }
  {
    Bytes b;
    b.OpenPage().GrayImage(4, 2).ReadImage(0, 1, 0, {1, 2, 3, 4}).Op(0x44);
    add("page ended inside an image", b, "EndPage inside a image block");
  }
  {
    Bytes b;
    b.OpenPage().GrayImage(4, 2).ReadImage(0, 1, 0, {1, 2, 3, 4}).Op(0xB2);
    add("image ended early", b, "EndImage after 1 of 2 rows");
  }
  {
    Bytes b;
    b.OpenPage().GrayImage(4, 2).ReadImage(1, 1, 0, {1, 2, 3, 4});
    add("image block out of order", b, "ReadImage starts at line 1 after 0 rows");
  }
  {
    Bytes b;
    b.OpenPage().GrayImage(4, 1).ReadImage(0, 1, 1, {0x02, 1, 2, 3});
    add("PackBits short of its row", b, "PackBits data ends after 3 of 4 bytes");
  }
  {
    Bytes b;
    b.OpenPage().GrayImage(4, 1).ReadImage(0, 1, 3, {2, 0, 0x24, 1});
    add("delta row past the row end", b, "command lacks its 2 bytes");
  }
  {
    Bytes b;
    b.OpenPage().GrayImage(4, 1).ReadImage(0, 1, 3, {3, 0, 0x23, 1, 2});
    add("delta row replacement past the row", b, "replacement reaches byte 5");
  }
  {
    Bytes b;
    b.OpenPage().Op(0xB1);
    add("ReadImage outside an image", b, "ReadImage outside a image block");
  }
  {
    Bytes b;
    b.OpenPage().Raw({0xC0, 1, 0xC0, 2, 0xF8, 70}).Op(0x6E);
    add("value without attribute identifier", b, "has no attribute identifier");
  }
  {
    Bytes b;
    b.OpenPage().Raw({0xC0, 1}).Op(0x6E);
    add("value before the operator", b, "a value before SetFillMode");
  }
  {
    Bytes b;
    b.OpenPage().Raw({0xF8, 70}).Op(0x6E);
    add("attribute identifier without value", b, "attribute identifier 70 has no value");
  }
  {
    Bytes b;
    b.OpenPage().UB(1, 70).UB(1, 70).Op(0x6E);
    add("attribute twice", b, "FillMode given twice");
  }
  {
    Bytes b;
    b.OpenPage().Op(0x6E);
    add("missing attribute", b, "SetFillMode lacks attribute FillMode");
  }
  {
    Bytes b;
    b.OpenPage().UB(1, 200).Op(0x6E);
    add("unknown attribute", b, "unknown attribute 200");
  }
  {
    Bytes b;
    b.OpenPage().Raw({0xC8, 0xC2, 1, 0, 0, 0, 7, 0xF8, 11}).Op(0x63);
    add("array count of the wrong type", b, "array length has type tag 0xC2");
  }
  {
    Bytes b;
    b.OpenPage().Raw({0xC1, 0x01});
    add("value cut short", b, "needs 2 bytes, 1 left");
  }
  {
    Bytes b;
    b.OpenPage().Op(0x85).Data({1, 2});
    add("data after an operator that takes none", b, "NewPath is followed by embedded data");
  }
  {
    Bytes b;
    b.OpenPage().Raw({0xC0, 1, 0xFB, 0});
    add("data after a value", b, "embedded data that follows no operator");
  }
  {
    Bytes b;
    b.OpenPage().U16(3, 77).UB(1, 80).Op(0x9D).Data({1, 2, 3, 4});
    add("point data shorter than its points", b, "carries 4 bytes");
  }
  {
    Bytes b;
    b.OpenPage().UBArray("O1", 139).Op(0x5E);
    add("undefined stream", b, "ExecStream of undefined stream \"O1\"");
  }
  {
    Bytes b;
    b.OpenPage();
    b.UBArray("P1", 139).Op(0x5B).U32(16, 140).Op(0x5C).Text("\xFB\x10) HP-PCL XL;2;1\n");
    b.Op(0x5D).UBArray("P1", 139).Op(0x5F).UBArray("P1", 139).Op(0x5E);
    add("removed stream", b, "ExecStream of undefined stream \"P1\"");
  }
  {
    Bytes b;
    b.Text(") HP-PCL XL;2;1\n");
    Bytes s;
    s.OpenPage();
    s.UBArray("P1", 139).Op(0x5B).U32(b.v.size() + 1, 140).Op(0x5C);
    b.Op(0x44);  // EndPage in a stream that runs inside a page
    s.Data(b.v).Op(0x5D);
    s.ClosePage();
    cases.push_back({"stream content with a fault", s.v, "in stream \"P1\""});
  }
  {
    Bytes b;
    b.Text("( HP-PCL XL;3;0;\n");
    add("big-endian binding", b, "big-endian binding");
  }
  {
    Bytes b;
    b.Text(") HP-PCL XL;x;0;\n");
    add("malformed header", b, "malformed stream header");
  }
  {
    Bytes b;
    b.Header().Raw({0x00}).U16XY(600, 600, 137).UB(0, 134).Op(0x41).Op(0x42);
    add("white space where the options do not allow it", b, "bad tag 0x00");
  }
  return cases;
}

TEST(XlDissector, RejectsMalformedStreamsWithAClearMessage) {
  for (const BadCase& c : BadCases()) {
    xl::Dissection d = xl::Dissect(c.bytes);
    EXPECT_FALSE(d.ok) << c.what;
    EXPECT_NE(d.error.find(c.message), std::string::npos)
        << c.what << ": got \"" << d.error << "\"";
    EXPECT_EQ(d.error.rfind("offset 0x", 0), 0u) << c.what;
  }
}

// A stream with a little of everything, for the damage tests.
Bytes RichStream() {
  Bytes content;
  content.Text(") HP-PCL XL;2;1\n");
  content.UB(0, 83).Op(0x62);
  Bytes b;
  b.OpenPage().GrayImage(5, 3);
  b.ReadImage(0, 1, 1, {0xFC, 7, 0x02, 0, 0, 0});
  b.ReadImage(1, 2, 3, {2, 0, 0x01, 9, 0, 0});
  b.Op(0xB2);
  b.UBArray("S", 139).Op(0x5B);
  b.U32(static_cast<uint32_t>(content.v.size()), 140).Op(0x5C).Data(content.v).Op(0x5D);
  b.U16(2, 77).UB(3, 80).Op(0x9D).Data({1, 0, 2, 0, 3, 0, 4, 0});
  b.Raw({0xC9, 0xC0, 2, 65, 0, 66, 0, 0xF8, 171}).Op(0xA8);
  b.ClosePage();
  return b;
}

TEST(XlDissector, DamagedStreamsNeverCrashTheDissector) {
  const Bytes rich = RichStream();
  ASSERT_TRUE(xl::Dissect(rich.v).ok) << xl::Dissect(rich.v).error;
  // Every truncation is an incomplete stream (the header alone is an empty
  // stream).
  const size_t headerLength = 17;
  for (size_t n = 0; n < rich.v.size(); ++n) {
    if (n == headerLength) continue;
    std::vector<uint8_t> cut(rich.v.begin(), rich.v.begin() + n);
    xl::Dissection d = xl::Dissect(cut);
    EXPECT_FALSE(d.ok) << n;
    EXPECT_FALSE(d.error.empty()) << n;
  }
  // Random damage gives some result, and a failure always says why.
  std::mt19937 random(7);
  for (int round = 0; round < 20000; ++round) {
    std::vector<uint8_t> damaged = rich.v;
    int flips = 1 + round % 3;
    for (int f = 0; f < flips; ++f) {
      damaged[random() % damaged.size()] = static_cast<uint8_t>(random());
    }
    xl::Dissection d = xl::Dissect(damaged);
    EXPECT_TRUE(d.ok || !d.error.empty());
    xl::Dump(d);
  }
}

TEST(XlDissector, RefusesBlocksTooLargeToDecode) {
  // 65535 RGB pixels by 65535 rows announced by a few bytes of data.
  Bytes b;
  b.OpenPage().UB(2, 3).Op(0x6A);
  b.UB(0, 100).UB(2, 98).U16(65535, 108).U16(65535, 107).U16XY(1, 1, 103).Op(0xB0);
  Bytes packbits = b;
  packbits.ReadImage(0, 65535, 1, {0x81, 0});
  xl::Dissection d = xl::Dissect(packbits.v);
  EXPECT_FALSE(d.ok);
  EXPECT_NE(d.error.find("cannot hold"), std::string::npos) << d.error;
  Bytes delta = b;
  delta.ReadImage(0, 65535, 3, std::vector<uint8_t>(2 * 65535, 0));
  d = xl::Dissect(delta.v);
  EXPECT_FALSE(d.ok);
  EXPECT_NE(d.error.find("too many to decode"), std::string::npos) << d.error;
}

TEST(XlDissector, LimitsStreamsInsideStreams) {
  // Each level defines the next one inside its own content.
  Bytes inner;
  inner.Text(") HP-PCL XL;2;1\n").Op(0x85);
  for (int level = 0; level < 6; ++level) {
    Bytes outer;
    outer.Text(") HP-PCL XL;2;1\n");
    outer.UBArray("N", 139).Op(0x5B);
    outer.U32(static_cast<uint32_t>(inner.v.size()), 140).Op(0x5C).Data(inner.v).Op(0x5D);
    inner = outer;
  }
  xl::Options page;
  page.start = xl::Context::Page;
  page.dataSourceOpen = true;
  xl::Dissection d = xl::Dissect(inner.v, page);
  EXPECT_FALSE(d.ok);
  EXPECT_NE(d.error.find("levels of streams"), std::string::npos) << d.error;
}

TEST(XlDissector, AcceptsWhiteSpaceWhenAsked) {
  Bytes b;
  b.Header().Raw({0x20}).U16XY(600, 600, 137).Raw({0x0A}).UB(0, 134).Op(0x41).Raw({0x00});
  b.Op(0x42);
  xl::Options o;
  o.allowWhitespace = true;
  EXPECT_TRUE(xl::Dissect(b.v, o).ok) << xl::Dissect(b.v, o).error;
  EXPECT_FALSE(xl::Dissect(b.v).ok);
}

TEST(XlDissector, DecodersFollowTheCompressionMethods) {
  std::vector<uint8_t> rows;
  std::string error;
  // Runs and literals, one row of 8 bytes (no padding).
  const uint8_t packed[] = {0xFD, 0x41, 0x01, 0x42, 0x43, 0xFF, 0x44};
  ASSERT_TRUE(xl::DecodePackBits(packed, sizeof(packed), 8, 8, 1, &rows, &error)) << error;
  EXPECT_EQ(rows, (std::vector<uint8_t>{0x41, 0x41, 0x41, 0x41, 0x42, 0x43, 0x44, 0x44}));
  // More data than rows.
  const uint8_t longer[] = {0x00, 1, 0x00, 2};
  EXPECT_FALSE(xl::DecodePackBits(longer, sizeof(longer), 1, 1, 1, &rows, &error));
  EXPECT_NE(error.find("after the last row"), std::string::npos);

  // An offset of 31 + 9 (byte 40), then a row equal to its seed.
  std::vector<uint8_t> seed(48, 0);
  const uint8_t delta[] = {3, 0, 0x1F, 0x09, 0xAB, 0, 0};
  ASSERT_TRUE(xl::DecodeDeltaRows(delta, sizeof(delta), 48, 2, &seed, &rows, &error)) << error;
  ASSERT_EQ(rows.size(), 96u);
  for (size_t i = 0; i < 96; ++i) EXPECT_EQ(rows[i], (i % 48 == 40) ? 0xAB : 0) << i;
  // An extended offset of 31 + 255 + 0.
  std::vector<uint8_t> wide(300, 0);
  const uint8_t far[] = {4, 0, 0x1F, 0xFF, 0x00, 0x5A};
  ASSERT_TRUE(xl::DecodeDeltaRows(far, sizeof(far), 300, 1, &wide, &rows, &error)) << error;
  EXPECT_EQ(rows[286], 0x5A);
}

}  // namespace
