// The soft-font download read back with the independent dissector: font
// headers and their segments, character framing and data, the
// once-per-job rule, eviction, and hostile fonts.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "drender/text/soft_font_download.h"
#include "drender/text/tests/test_font.h"
#include "tests/pclxl/xl_dissector.h"
#include "tests/support/memory_sink.h"

namespace {

using namespace testfont;

// The segments of a soft-font header, parsed from the concatenated
// ReadFontHeader data: the 8-byte header, then tag, 32-bit size, data.
struct HeaderParse {
  bool ok = false;
  Bytes fixed;
  std::vector<std::pair<std::string, Bytes>> segments;
};
HeaderParse ParseHeader(const Bytes& data) {
  HeaderParse p;
  if (data.size() < 8) return p;
  p.fixed.assign(data.begin(), data.begin() + 8);
  size_t at = 8;
  while (at + 6 <= data.size()) {
    const std::string tag = data[at] == 0xFF && data[at + 1] == 0xFF
                                ? std::string("null")
                                : std::string(data.begin() + at, data.begin() + at + 2);
    const uint32_t size = Get32(data, at + 2);
    if (at + 6 + size > data.size()) return p;
    p.segments.push_back({tag, Bytes(data.begin() + at + 6, data.begin() + at + 6 + size)});
    at += 6 + size;
    if (tag == "null") {
      p.ok = at == data.size();
      return p;
    }
  }
  return p;
}

class SoftFontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    XL_InitEncoder(&enc_, &testsupport::MemorySink::Write, &sink_);
    job_ = SoftFontJob{&enc_, &cache_, &glyphs_};
  }
  // The operators written since the last call; the fragment must dissect.
  std::vector<xl::Operator> Written() {
    xl::Options options;
    options.header = false;
    options.start = xl::Context::Session;
    options.dataSourceOpen = true;
    xl::Dissection d = xl::Dissect(sink_.bytes.data() + seen_, sink_.bytes.size() - seen_, options);
    EXPECT_TRUE(d.ok) << d.error;
    seen_ = sink_.bytes.size();
    return d.ops;
  }
  static std::vector<std::string> Names(const std::vector<xl::Operator>& ops) {
    std::vector<std::string> names;
    for (const auto& op : ops) names.push_back(op.name);
    return names;
  }
  SoftFontFace Outline(const Bytes& font) {
    static const std::u16string family = u"Test Sans";
    EXPECT_TRUE(Font_PrepareOutlines(font.data(), uint32_t(font.size()),
                                     reinterpret_cast<const uint16_t*>(family.data()),
                                     uint32_t(family.size()), 0, &file_, &state_));
    SoftFontFace face{};
    face.key = 1253;
    face.face = "Test Sans";
    face.file = &file_;
    face.state = &state_;
    face.defaultChar = 0x41;  // 'A' -> glyph 1 in the fonts below
    return face;
  }
  uint32_t Download(const SoftFontFace& face, const std::u16string& text) {
    std::vector<uint16_t> codes(text.begin(), text.end()), sent(text.size());
    std::vector<uint32_t> handles(text.size(), 0);
    return Font_DownloadSoftFont(job_, face, codes.data(), handles.data(), uint32_t(codes.size()),
                                 sent.data(), name_);
  }

  testsupport::MemorySink sink_;
  XlEncoder enc_{};
  SoftFontCache cache_;
  XlGlyphDownload glyphs_{};
  SoftFontJob job_{};
  TtFile file_{};
  TtFontState state_;
  char name_[64] = {};
  size_t seen_ = 0;
};

FontSpec Latin() {
  FontSpec spec;
  spec.glyphs = {SimpleGlyph(0, 1), SimpleGlyph(30, 600, 40), SimpleGlyph(40, 610, 36), Bytes{},
                 CompositeGlyph({{1, 0x0001 | 0x0008}, {2, 0}})};
  // A -> 1, B -> 2, space -> 3, C -> 4 (composite of 1 and 2).
  spec.segments = {{0x20, 0x20, int16_t(3 - 0x20), {}},
                   {0x41, 0x42, int16_t(1 - 0x41), {}},
                   {0x43, 0x43, int16_t(4 - 0x43), {}}};
  spec.metrics = 5;
  return spec;
}

TEST_F(SoftFontTest, FirstStringSendsHeaderDefaultCharacterThenEachNewCodeOnce) {
  const Bytes font = MakeFont(Latin());
  const SoftFontFace face = Outline(font);
  ASSERT_EQ(Download(face, u"AB A"), 1u);
  EXPECT_STREQ(name_, "BP00001253Test Sans");
  auto ops = Written();
  std::vector<std::string> expected = {"BeginFontHeader"};
  Bytes header;
  size_t i = 1;
  for (; i < ops.size() && ops[i].name == "ReadFontHeader"; ++i) {
    expected.push_back("ReadFontHeader");
    EXPECT_EQ(ops[i].dataTag, 0xFA);
    EXPECT_EQ(ops[i].Number(167), double(ops[i].data.size()));
    header.insert(header.end(), ops[i].data.begin(), ops[i].data.end());
  }
  expected.insert(expected.end(), {"EndFontHeader", "BeginChar", "ReadChar", "EndChar", "BeginChar",
                                   "ReadChar", "ReadChar", "ReadChar", "EndChar"});
  EXPECT_EQ(Names(ops), expected);
  EXPECT_EQ(ops[0].Find(168)->value.Text(), "BP00001253Test Sans");
  EXPECT_EQ(ops[0].Number(169), 0.0);

  HeaderParse parsed = ParseHeader(header);
  ASSERT_TRUE(parsed.ok);
  EXPECT_EQ(parsed.fixed, (Bytes{0, 0, 0, 0, 1, 0, 0x04, 0x00}));
  ASSERT_EQ(parsed.segments.size(), 3u);
  EXPECT_EQ(parsed.segments[0].first, "GT");
  EXPECT_EQ(parsed.segments[1].first, "GC");
  EXPECT_EQ(parsed.segments[1].second, (Bytes{0, 0, 0xFF, 0xFF, 0, 0}));
  EXPECT_EQ(parsed.segments[2].first, "null");
  // The GT segment's own directory points at the tables inside it.
  const Bytes& gt = parsed.segments[0].second;
  EXPECT_EQ(Get16(gt, 4), 6);
  for (int t = 0; t < 6; ++t) {
    const uint32_t offset = Get32(gt, 12 + 16 * t + 8), length = Get32(gt, 12 + 16 * t + 12);
    EXPECT_LE(uint64_t(offset) + length, gt.size());
  }

  // The characters: default (0xFFFF, glyph id 0), then A, B and the space.
  const size_t first = expected.size() - 9 + 4;  // first ReadChar after the default's block
  const xl::Operator& def = ops[expected.size() - 9 + 1 + 0 + 1];
  EXPECT_EQ(def.Number(162), 0xFFFF);
  EXPECT_EQ(Get16(def.data, 8), 0);
  const uint16_t codes[3] = {'A', 'B', ' '};
  const uint16_t glyphIds[3] = {1, 2, 3};
  const uint32_t lengths[3] = {40, 36, 0};
  for (int k = 0; k < 3; ++k) {
    const xl::Operator& op = ops[first + 1 + k];
    ASSERT_EQ(op.name, "ReadChar");
    EXPECT_EQ(op.Number(162), codes[k]);
    EXPECT_EQ(op.Number(163), double(op.data.size()));
    EXPECT_EQ(op.dataTag, 0xFA);
    ASSERT_EQ(op.data.size(), 10u + lengths[k]);
    EXPECT_EQ(op.data[0], 1);
    EXPECT_EQ(op.data[1], 1);
    EXPECT_EQ(Get16(op.data, 2), lengths[k] + 8);
    EXPECT_EQ(Get16(op.data, 8), glyphIds[k]);
    if (lengths[k] > 0) {
      EXPECT_EQ(Get16(op.data, 4), 10 + glyphIds[k]);   // lsb from hmtx
      EXPECT_EQ(Get16(op.data, 6), 500 + glyphIds[k]);  // advance from hmtx
      uint32_t offset, length;
      ASSERT_TRUE(Tt_GetLocaEntry(file_, state_, glyphIds[k], &offset, &length));
      EXPECT_EQ(Bytes(op.data.begin() + 10, op.data.end()),
                Bytes(font.begin() + offset, font.begin() + offset + length));
    } else {
      EXPECT_EQ(Get16(op.data, 4), 0);
      EXPECT_EQ(Get16(op.data, 6), 0);
    }
  }

  // A second string sends only what is new.
  ASSERT_EQ(Download(face, u"BAB"), 1u);
  EXPECT_TRUE(Written().empty());
  ASSERT_EQ(Download(face, u"AC"), 1u);
  ops = Written();
  EXPECT_EQ(Names(ops), (std::vector<std::string>{"BeginChar", "ReadChar", "ReadChar", "ReadChar",
                                                  "EndChar"}));
  // C is composite: it and then its components, as 0xFFFF with their ids.
  EXPECT_EQ(ops[1].Number(162), 'C');
  EXPECT_EQ(ops[2].Number(162), 0xFFFF);
  EXPECT_EQ(Get16(ops[2].data, 8), 1);
  EXPECT_EQ(ops[3].Number(162), 0xFFFF);
  EXPECT_EQ(Get16(ops[3].data, 8), 2);
}

TEST_F(SoftFontTest, StyleAndGlyphIndexVariantsGetNamesOfTheirOwn) {
  const Bytes font = MakeFont(Latin());
  SoftFontFace face = Outline(font);
  ASSERT_EQ(Download(face, u"A"), 1u);
  const std::string plain = name_;
  face.style = 1;
  ASSERT_EQ(Download(face, u"A"), 1u);
  const std::string bold = name_;
  face.style = 0;
  face.glyphIndexText = true;
  ASSERT_EQ(Download(face, u"\x0001"), 1u);
  const std::string indexed = name_;
  EXPECT_NE(plain, bold);
  EXPECT_NE(plain, indexed);
  EXPECT_NE(bold, indexed);
  const auto ops = Written();
  std::vector<std::string> headers;
  for (const auto& op : ops) {
    if (op.name == "BeginFontHeader") headers.push_back(op.Find(168)->value.Text());
  }
  EXPECT_EQ(headers, (std::vector<std::string>{plain, bold, indexed}));
  // Each is found again under its own name.
  face.glyphIndexText = false;
  face.style = 1;
  ASSERT_EQ(Download(face, u"A"), 1u);
  EXPECT_EQ(std::string(name_), bold);
  EXPECT_TRUE(Written().empty());
}

TEST_F(SoftFontTest, The201stFontEvictsTheFirstWhichIsDownloadedAfreshLater) {
  const Bytes font = MakeFont(Latin());
  SoftFontFace face = Outline(font);
  std::string first;
  for (uint32_t k = 0; k < 200; ++k) {
    face.key = 1000 + k;
    ASSERT_EQ(Download(face, u"B"), 1u);
    if (k == 0) first = name_;
  }
  Written();
  EXPECT_EQ(cache_.entries.size(), 200u);
  face.key = 5000;
  ASSERT_EQ(Download(face, u"B"), 1u);
  auto ops = Written();
  ASSERT_FALSE(ops.empty());
  EXPECT_EQ(ops[0].name, "RemoveFont");
  EXPECT_EQ(ops[0].Find(168)->value.Text(), first);
  EXPECT_EQ(ops[1].name, "BeginFontHeader");
  EXPECT_EQ(cache_.entries.size(), 200u);
  // The first font again: evicted, so its header goes out again (and the
  // second font, now the oldest, makes room).
  face.key = 1000;
  ASSERT_EQ(Download(face, u"B"), 1u);
  ops = Written();
  EXPECT_EQ(ops[0].name, "RemoveFont");
  EXPECT_EQ(ops[0].Find(168)->value.Text(), "BP00001001Test Sans");
  EXPECT_EQ(ops[1].name, "BeginFontHeader");
  EXPECT_EQ(ops[1].Find(168)->value.Text(), first);
  // Releasing removes every font held.
  ASSERT_EQ(Font_ReleaseSoftFonts(&cache_, &enc_), 1u);
  EXPECT_EQ(Names(Written()), std::vector<std::string>(200, "RemoveFont"));
}

TEST_F(SoftFontTest, BitmapFormHasItsResolutionSegmentAndRowsPaddedTo32Pixels) {
  static const uint8_t rows[3 * 2] = {0xFF, 0xC0, 0x80, 0x40, 0x12, 0x34};
  SoftFontFace face{};
  face.key = 7;
  face.face = "Raster";
  face.bitmap = true;
  face.xResolution = 300;
  face.yResolution = 600;
  face.getBitmap = [](void*, uint32_t handle, SoftFontBitmap* bitmap) {
    if (handle == 99) return false;
    *bitmap = SoftFontBitmap{-1, -3, 10, 3, rows, sizeof rows};
    return true;
  };
  std::vector<uint16_t> codes = {'x', 'y'}, sent(2);
  std::vector<uint32_t> handles = {5, 99};
  ASSERT_EQ(Font_DownloadSoftFont(job_, face, codes.data(), handles.data(), 2, sent.data(), name_), 1u);
  EXPECT_EQ(sent, codes);
  const auto ops = Written();
  Bytes header;
  for (const auto& op : ops) {
    if (op.name == "ReadFontHeader") header.insert(header.end(), op.data.begin(), op.data.end());
  }
  HeaderParse parsed = ParseHeader(header);
  ASSERT_TRUE(parsed.ok);
  EXPECT_EQ(parsed.fixed[4], 254);
  ASSERT_EQ(parsed.segments.size(), 2u);
  EXPECT_EQ(parsed.segments[0].first, "BR");
  EXPECT_EQ(parsed.segments[0].second, (Bytes{0x01, 0x2C, 0x02, 0x58}));
  std::vector<const xl::Operator*> chars;
  for (const auto& op : ops) {
    if (op.name == "ReadChar") chars.push_back(&op);
  }
  ASSERT_EQ(chars.size(), 1u);  // the glyph without bits is not sent
  const Bytes& data = chars[0]->data;
  ASSERT_EQ(data.size(), 10u + 3 * 4);
  EXPECT_EQ(Get16(data, 2), 0xFFFF);  // left -1
  EXPECT_EQ(Get16(data, 4), 3);       // top
  EXPECT_EQ(Get16(data, 6), 32);
  EXPECT_EQ(Get16(data, 8), 3);
  EXPECT_EQ(Bytes(data.begin() + 10, data.end()),
            (Bytes{0xFF, 0xC0, 0, 0, 0x80, 0x40, 0, 0, 0x12, 0x34, 0, 0}));
}

TEST_F(SoftFontTest, HeaderPiecesLongerThan65535BytesAreSplit) {
  FontSpec spec = Latin();
  spec.prepSize = 70000;
  const Bytes font = MakeFont(spec);
  const SoftFontFace face = Outline(font);
  ASSERT_EQ(Download(face, u"A"), 1u);
  Bytes header;
  size_t longest = 0;
  for (const auto& op : Written()) {
    if (op.name != "ReadFontHeader") continue;
    header.insert(header.end(), op.data.begin(), op.data.end());
    longest = std::max(longest, op.data.size());
  }
  EXPECT_EQ(longest, 65535u);
  HeaderParse parsed = ParseHeader(header);
  ASSERT_TRUE(parsed.ok);
  EXPECT_EQ(parsed.segments[0].second.size(), 108u + 8 + 12 + 56 + 32 + 70000);
}

// Fonts damaged per glyph: the stream stays well-formed and the damaged
// glyphs are not sent; nested composites stop at the depth limit.
TEST_F(SoftFontTest, DamagedGlyphsAreLeftOutAndSelfNestedCompositesEnd) {
  FontSpec spec = Latin();
  // Glyph 4 is a composite of itself and of glyph 60000 (beyond the font).
  spec.glyphs[4] = CompositeGlyph({{4, 0}, {60000, 0}});
  Bytes font = MakeFont(spec);
  SoftFontFace face = Outline(font);
  // Glyph 2's loca entries run backwards: its end entry is 0.
  const uint32_t loca = state_.loca.offset;
  Set16(&font, loca + 12, 0);
  Set16(&font, loca + 14, 0);
  ASSERT_EQ(Download(face, u"ABC"), 1u);
  const auto ops = Written();
  uint32_t composites = 0, bCodes = 0;
  for (const auto& op : ops) {
    if (op.name != "ReadChar") continue;
    if (op.Number(162) == 'B') ++bCodes;
    if (Get16(op.data, 8) == 4) ++composites;
  }
  EXPECT_EQ(bCodes, 0u);
  EXPECT_EQ(composites, 1u + kTtComponentDepth);
}

}  // namespace
