// The text engine: substitution by resident faces, soft fonts, character
// attributes, font selection and text, read back with the independent
// dissector.  The resident faces are the font library's generated records.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include "drender/text/tests/test_font.h"
#include "drender/text/text_engine.h"
#include "tests/pclxl/xl_dissector.h"
#include "tests/support/memory_sink.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Code page conversion of the system (the test's own, independent of the
// engine).
uint32_t ToCodePage(uint32_t cp, const uint16_t* units, uint32_t count, uint8_t* out, uint32_t capacity) {
#ifdef _WIN32
  const int n = WideCharToMultiByte(cp, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t*>(units),
                                    int(count), reinterpret_cast<char*>(out), int(capacity), nullptr, nullptr);
  return n > 0 ? uint32_t(n) : 0;
#else
  iconv_t cd = iconv_open(cp == 932 ? "CP932" : "CP1252", "UTF-16LE");
  if (cd == iconv_t(-1)) return 0;
  char* in = reinterpret_cast<char*>(const_cast<uint16_t*>(units));
  size_t inLeft = count * 2, outLeft = capacity;
  char* o = reinterpret_cast<char*>(out);
  const size_t r = iconv(cd, &in, &inLeft, &o, &outLeft);
  iconv_close(cd);
  return r == size_t(-1) ? 0 : uint32_t(capacity - outLeft);
#endif
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

uint32_t Sum(const char* name) {
  uint32_t s = 0;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(name); *p; ++p) s += *p;
  return s;
}

class TextEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    XL_InitEncoder(&enc_, &testsupport::MemorySink::Write, &sink_);
    std::memset(&cache_, 0, sizeof cache_);
    Text_ResetState(&state_);
    devices_.resize(kResidentFontCount);
    for (uint32_t n = 1; n <= kResidentFontCount; ++n) {
      char name[32];
      std::snprintf(name, sizeof name, "/f259_%03u.bin", n);
      const auto record = ReadFile(std::string(FONT_RECORDS_DIR) + name);
      ASSERT_TRUE(DeviceFont_Load(record.data(), uint32_t(record.size()), n, &devices_[n - 1]));
    }
    job_ = TextJob{&enc_, &cache_, &softFonts_, &glyphDownload_, &state_, devices_.data(),
                   uint32_t(devices_.size())};
    settings_.xResolution = settings_.yResolution = 300;
    services_.toCodePage = &ToCodePage;
  }
  // A substitution entry for a TrueType family name.
  void Substitute(const char* trueType, uint8_t family) {
    sums_.push_back(Sum(trueType));
    families_.push_back(family);
    settings_.substituteCount = uint16_t(sums_.size());
    settings_.substituteSums = sums_.data();
    settings_.substituteFamilies = families_.data();
  }
  TextFont TrueType(const std::u16string& family, uint8_t charset, uint32_t fl = 0) {
    ifi_.family = family;
    ifi_.charset = charset;
    ifi_.unitsPerEm = 2048;
    ifi_.wcDefaultChar = 0x20;
    TextFont font{};
    font.flFontType = kFoTypeTrueType | fl;
    font.iUniq = 7;
    font.ifi = &ifi_;
    font.hasXform = true;
    font.m11 = font.m22 = 0.02f;  // 2048 units -> about 41 pixels
    font.object = &object_;
    return font;
  }
  uint32_t Draw(const TextFont& font, const std::u16string& text, uint32_t cp = 1252) {
    units_.assign(text.begin(), text.end());
    glyphs_.clear();
    for (size_t k = 0; k < units_.size(); ++k) glyphs_.push_back({uint32_t(k + 3), int32_t(100 + 30 * k), 200, 0});
    TextString s{cp, false, false, units_.data(), glyphs_.data(), uint32_t(units_.size())};
    return Text_Draw(job_, settings_, font, s, services_);
  }
  std::vector<xl::Operator> Written() {
    xl::Options options;
    options.header = false;
    options.start = xl::Context::Page;
    options.dataSourceOpen = true;
    xl::Dissection d = xl::Dissect(sink_.bytes.data() + seen_, sink_.bytes.size() - seen_, options);
    EXPECT_TRUE(d.ok) << d.error;
    seen_ = sink_.bytes.size();
    return d.ops;
  }
  static const xl::Operator* Find(const std::vector<xl::Operator>& ops, const char* name) {
    for (const auto& op : ops) {
      if (op.name == name) return &op;
    }
    return nullptr;
  }
  static std::vector<std::string> Names(const std::vector<xl::Operator>& ops) {
    std::vector<std::string> names;
    for (const auto& op : ops) names.push_back(op.name);
    return names;
  }

  testsupport::MemorySink sink_;
  XlEncoder enc_{};
  XlStateCache cache_{};
  SoftFontCache softFonts_;
  XlGlyphDownload glyphDownload_{};
  TextState state_{};
  std::vector<DeviceFontEntry> devices_;
  TextJob job_{};
  TextSettings settings_{};
  TextServices services_{};
  std::vector<uint32_t> sums_;
  std::vector<uint8_t> families_;
  IfiFields ifi_;
  TextFontObjectState object_;
  std::vector<uint16_t> units_;
  std::vector<TextGlyph> glyphs_;
  size_t seen_ = 0;
};

TEST_F(TextEngineTest, ArialIsSubstitutedByTheResidentFaceWithLatinBytes) {
  Substitute("Arial", 5);
  ASSERT_EQ(Draw(TrueType(u"Arial", 0), u"Caf\u00E9 A"), 1u);
  const auto ops = Written();
  EXPECT_EQ(Find(ops, "BeginFontHeader"), nullptr);
  const xl::Operator* setFont = Find(ops, "SetFont");
  ASSERT_NE(setFont, nullptr);
  EXPECT_EQ(setFont->Find(168)->value.Text(), "Arial           ");
  EXPECT_EQ(setFont->Number(170), 629.0);
  EXPECT_EQ(setFont->Number(166), 40.0);  // 40.96 pixels, truncated
  const xl::Operator* text = Find(ops, "Text");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->Find(171)->value.TypeName(), "ubyte_array");
  EXPECT_EQ(text->Find(171)->value.Text(), "Caf\xE9 A");
  ASSERT_NE(text->Find(175), nullptr);
  EXPECT_EQ(text->Find(175)->value.items[0], 30.0);
  EXPECT_EQ(text->Find(176), nullptr);  // all y steps are 0
  const xl::Operator* cursor = Find(ops, "SetCursor");
  ASSERT_NE(cursor, nullptr);
  EXPECT_EQ(cursor->Number(76, 0), 100.0);
  EXPECT_EQ(cursor->Number(76, 1), 200.0);
}

TEST_F(TextEngineTest, BoldPicksTheBoldFaceAndEmboldensOnlySimulatedOnes) {
  struct Case {
    uint8_t family;
    const char* xlName;
    float bold;
  } cases[] = {{5, "Arial         Bd", 0.0f}, {2, "Albertus      Xb", 0.015f}};
  for (const Case& c : cases) {
    sums_.clear();
    families_.clear();
    Substitute("Arial", c.family);
    ASSERT_EQ(Draw(TrueType(u"Arial", 0, kFoSimBold), u"Hi"), 1u);
    const auto ops = Written();
    const xl::Operator* setFont = Find(ops, "SetFont");
    ASSERT_NE(setFont, nullptr);
    EXPECT_EQ(setFont->Find(168)->value.Text(), c.xlName);
    const xl::Operator* bold = Find(ops, "SetCharBoldValue");
    if (c.bold == 0.0f) {
      EXPECT_TRUE(bold == nullptr || bold->Number(177) == 0.0);
    } else {
      ASSERT_NE(bold, nullptr);
      EXPECT_NEAR(bold->Number(177), 0.015, 1e-7);
    }
  }
}

TEST_F(TextEngineTest, ARotatedEmboldenedFaceResetsTheAngleFirst) {
  Substitute("Arial", 2);
  TextFont font = TrueType(u"Arial", 0);
  font.m11 = font.m22 = 0;
  font.m12 = -0.02f;  // angle 90
  font.m21 = 0.02f;
  ASSERT_EQ(Draw(font, u"Up"), 1u);  // the regular face: the printer's angle becomes 90
  Written();
  font.flFontType |= kFoSimBold;
  ASSERT_EQ(Draw(font, u"Up"), 1u);
  const auto names = Names(Written());
  std::vector<std::string> attributes;
  for (const auto& n : names) {
    if (n.rfind("SetChar", 0) == 0) attributes.push_back(n);
  }
  EXPECT_EQ(attributes, (std::vector<std::string>{"SetCharAngle", "SetCharBoldValue", "SetCharAngle"}));
  EXPECT_EQ(cache_.charAngle, 90);
}

TEST_F(TextEngineTest, RotationAnglesFollowTheTransform) {
  struct Case {
    float m11, m12, m21, m22;
    int16_t angle;
  } cases[] = {{0, 0.02f, -0.02f, 0, 270}, {0, -0.02f, 0.02f, 0, 90}, {-0.02f, 0, 0, -0.02f, 180},
               {0.02f, 0, 0, 0.02f, 0}};
  for (const Case& c : cases) {
    TextFont font = TrueType(u"Arial", 0);
    font.m11 = c.m11;
    font.m12 = c.m12;
    font.m21 = c.m21;
    font.m22 = c.m22;
    Substitute("Arial", 5);
    ASSERT_EQ(Draw(font, u"A"), 1u);
    Written();
    EXPECT_EQ(cache_.charAngle, c.angle) << c.m12;
  }
}

TEST_F(TextEngineTest, JapaneseTextIsSubstitutedOnlyWhenEveryCharacterIsResident) {
  Substitute("MS Gothic", 29);
  const std::u16string family = u"MS Gothic";
  ASSERT_EQ(Draw(TrueType(family, 128), u"\u65E5\u672C\uFF71A", 932), 1u);
  auto ops = Written();
  const xl::Operator* setFont = Find(ops, "SetFont");
  ASSERT_NE(setFont, nullptr);
  EXPECT_EQ(setFont->Find(168)->value.Text(), "HGGothicB       ");
  EXPECT_EQ(setFont->Number(170), 619.0);
  const xl::Operator* text = Find(ops, "Text");
  ASSERT_NE(text, nullptr);
  const auto& items = text->Find(171)->value.items;
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[0], double(0x93FA));  // the Shift-JIS codes, lead byte first
  EXPECT_EQ(items[1], double(0x967B));
  EXPECT_EQ(items[2], double(0xB1));
  EXPECT_EQ(items[3], double('A'));
  // A minus sign (not resident): a soft font instead.
  ASSERT_EQ(Draw(TrueType(family, 128), u"\u65E5\u2212", 932), 1u);
  ops = Written();
  EXPECT_NE(Find(ops, "BeginFontHeader"), nullptr);
  EXPECT_EQ(Find(ops, "SetFont")->Number(170), 0.0);
}

TEST_F(TextEngineTest, SoftFontsWhenSubstitutionIsOffAndTheFontIsSelectedOnce) {
  Substitute("Arial", 5);
  settings_.fontSubstitute = 1;
  // No usable font file: the face goes as bitmaps.
  services_.getBitmap = [](void*, uint32_t, SoftFontBitmap* bitmap) {
    static const uint8_t rows[2] = {0xF0, 0x90};
    *bitmap = SoftFontBitmap{0, -2, 4, 2, rows, 2};
    return true;
  };
  const TextFont font = TrueType(u"Arial", 0);
  ASSERT_EQ(Draw(font, u"AB"), 1u);
  auto ops = Written();
  ASSERT_NE(Find(ops, "BeginFontHeader"), nullptr);
  const xl::Operator* setFont = Find(ops, "SetFont");
  ASSERT_NE(setFont, nullptr);
  EXPECT_EQ(setFont->Find(168)->value.Text(), "BP00001259Arial");
  EXPECT_EQ(Find(ops, "Text")->Find(171)->value.TypeName(), "uint16_array");
  // The same font again: no header, no SetFont, only the new character.
  ASSERT_EQ(Draw(font, u"BC"), 1u);
  ops = Written();
  EXPECT_EQ(Find(ops, "BeginFontHeader"), nullptr);
  EXPECT_EQ(Find(ops, "SetFont"), nullptr);
  uint32_t chars = 0;
  for (const auto& op : ops) chars += op.name == "ReadChar";
  EXPECT_EQ(chars, 1u);
  // A new page forgets the selection: SetFont again.
  Text_ResetState(&state_);
  ASSERT_EQ(Draw(font, u"C"), 1u);
  ops = Written();
  EXPECT_NE(Find(ops, "SetFont"), nullptr);
  EXPECT_EQ(Find(ops, "Text")->Find(175), nullptr);  // one glyph: no spacing
}

TEST_F(TextEngineTest, ATrueTypeFaceIsDownloadedAsOutlinesFromItsFile) {
  const auto file = ReadFile("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
  if (file.empty()) GTEST_SKIP() << "fonts-dejavu-core is not installed";
  TextFont font = TrueType(u"DejaVu Sans", 0);
  font.file = file.data();
  font.fileSize = uint32_t(file.size());
  ASSERT_EQ(Draw(font, u"Hello"), 1u);
  const auto ops = Written();
  Bytes header;
  uint32_t chars = 0;
  for (const auto& op : ops) {
    if (op.name == "ReadFontHeader") header.insert(header.end(), op.data.begin(), op.data.end());
    if (op.name == "ReadChar") {
      ++chars;
      EXPECT_EQ(op.data[0], 1);  // TrueType character format
    }
  }
  ASSERT_GE(header.size(), 8u);
  EXPECT_EQ(header[4], 1);        // outlines
  EXPECT_EQ(chars, 1u + 4u);      // the default character, then H, e, l, o
  EXPECT_TRUE(object_.outlines);
}

TEST_F(TextEngineTest, AHostileFontFileFallsBackToBitmapsAndADegenerateTransformDrawsNothing) {
  testfont::FontSpec spec;
  spec.glyphs = {testfont::SimpleGlyph(0, 1)};
  spec.segments = {{0x41, 0x41, int16_t(-0x41), {}}};
  Bytes bad = testfont::MakeFont(spec);
  testfont::Set16(&bad, 4, 0x4000);  // a directory larger than the file
  TextFont font = TrueType(u"Broken", 0);
  font.file = bad.data();
  font.fileSize = uint32_t(bad.size());
  ASSERT_EQ(Draw(font, u"A"), 1u);
  auto ops = Written();
  Bytes header;
  for (const auto& op : ops) {
    if (op.name == "ReadFontHeader") header.insert(header.end(), op.data.begin(), op.data.end());
  }
  ASSERT_GE(header.size(), 8u);
  EXPECT_EQ(header[4], 254);  // bitmaps
  // A transform that scales everything to nothing: no scale of NaN, no text.
  Substitute("Broken", 5);
  font.m11 = font.m12 = font.m21 = font.m22 = 0;
  ASSERT_EQ(Draw(font, u"A"), 1u);
  ops = Written();
  EXPECT_EQ(Find(ops, "SetCharScale"), nullptr);
  EXPECT_EQ(Find(ops, "Text"), nullptr);
}

}  // namespace
