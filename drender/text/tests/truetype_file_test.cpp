// The TrueType reader against fonts made for each case, hostile ones
// included, and against a real font of the system.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "drender/text/tests/test_font.h"
#include "drender/text/truetype_file.h"

namespace {

using namespace testfont;

TtFile Whole(const Bytes& b) { return TtFile{b.data(), uint32_t(b.size()), 0}; }

FontSpec ThreeGlyphs() {
  FontSpec spec;
  spec.glyphs = {SimpleGlyph(1, 2), SimpleGlyph(30, 600, 40), Bytes{}, SimpleGlyph(5, 700, 30)};
  // 'A'..'C' by delta: A -> 1, B -> 2, C -> 3; 0x3000..0x3001 through the
  // glyph array with a delta of 1: 0x3000 -> 0 + nothing, 0x3001 -> 2 + 1.
  spec.segments = {{0x41, 0x43, int16_t(1 - 0x41), {}}, {0x3000, 0x3001, 1, {0, 2}}};
  spec.metrics = 2;
  return spec;
}

TEST(TrueTypeFile, CharacterMapTakesBothPathsAndAppliesTheDeltaToArrayGlyphs) {
  const Bytes font = MakeFont(ThreeGlyphs());
  TtFontState state;
  ASSERT_TRUE(Tt_OpenFont(Whole(font), &state));
  struct Case {
    uint16_t code, glyph;
  } cases[] = {{0x41, 1}, {0x42, 2}, {0x43, 3}, {0x40, 0}, {0x44, 0},
               {0x3000, 0},  // a 0 in the glyph array stays 0
               {0x3001, 3},  // 2 from the array, plus the delta
               {0xFFFF, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(Tt_CmapFormat4Lookup(state, c.code, nullptr), c.glyph) << std::hex << c.code;
  }
}

TEST(TrueTypeFile, LocaEntriesInBothFormsAndMetrics) {
  for (uint16_t format : {0, 1}) {
    FontSpec spec = ThreeGlyphs();
    spec.indexToLocFormat = format;
    const Bytes font = MakeFont(spec);
    TtFontState state;
    ASSERT_TRUE(Tt_OpenFont(Whole(font), &state));
    uint32_t offset = 0, length = 0;
    ASSERT_TRUE(Tt_GetLocaEntry(Whole(font), state, 1, &offset, &length));
    EXPECT_EQ(length, 40u);
    EXPECT_EQ(Get16(font, offset + 2), 30);  // the glyph's own xMin
    ASSERT_TRUE(Tt_GetLocaEntry(Whole(font), state, 2, &offset, &length));
    EXPECT_EQ(length, 0u);  // an empty glyph
    EXPECT_FALSE(Tt_GetLocaEntry(Whole(font), state, 4, &offset, &length));
    int16_t lsb;
    uint16_t advance;
    ASSERT_TRUE(Tt_GetLocaEntry(Whole(font), state, 1, &offset, &length));
    Tt_GlyphMetrics(Whole(font), state, 1, offset, length, &lsb, &advance);
    EXPECT_EQ(lsb, 11);  // from hmtx
    EXPECT_EQ(advance, 501);
    ASSERT_TRUE(Tt_GetLocaEntry(Whole(font), state, 3, &offset, &length));
    Tt_GlyphMetrics(Whole(font), state, 3, offset, length, &lsb, &advance);
    EXPECT_EQ(lsb, 5);  // beyond numberOfHMetrics: xMin and xMax
    EXPECT_EQ(advance, 700);
  }
}

TEST(TrueTypeFile, ShortLocaOffsetsBeyond64KAreDoubledWithoutWrapping) {
  FontSpec spec;
  spec.indexToLocFormat = 0;
  spec.glyphs = {SimpleGlyph(0, 1, 70000), SimpleGlyph(7, 8, 20)};
  spec.segments = {{0x41, 0x41, int16_t(1 - 0x41), {}}};
  const Bytes font = MakeFont(spec);
  TtFontState state;
  ASSERT_TRUE(Tt_OpenFont(Whole(font), &state));
  uint32_t offset = 0, length = 0;
  ASSERT_TRUE(Tt_GetLocaEntry(Whole(font), state, 1, &offset, &length));
  EXPECT_EQ(length, 20u);
  EXPECT_EQ(offset, state.glyf.offset + 70000);
  EXPECT_EQ(Get16(font, offset + 2), 7);
}

TEST(TrueTypeFile, CompositeComponentsSkipEveryArgumentAndTransformForm) {
  const Bytes glyph = CompositeGlyph({{5, 0x0001 | 0x0008},   // words, one scale
                                      {6, 0x0040},            // bytes, x and y scale
                                      {7, 0x0001 | 0x0080},   // words, two by two
                                      {8, 0}});
  EXPECT_EQ(Tt_CompositeComponents(glyph.data(), uint32_t(glyph.size())),
            (std::vector<uint16_t>{5, 6, 7, 8}));
  // Cut inside the third record: the walk stops before it.
  EXPECT_EQ(Tt_CompositeComponents(glyph.data(), 10 + 10 + 10 + 3),
            (std::vector<uint16_t>{5, 6}));
  const Bytes simple = SimpleGlyph(0, 1);
  EXPECT_TRUE(Tt_CompositeComponents(simple.data(), uint32_t(simple.size())).empty());
}

TEST(TrueTypeFile, GtSegmentHoldsTheSixTablesWithPaddedOffsets) {
  FontSpec spec = ThreeGlyphs();
  const Bytes font = MakeFont(spec);
  auto pieces = Tt_BuildGtSegment(Whole(font));
  ASSERT_EQ(pieces.size(), 3u + 5u);  // cvt, fpgm, head, maxp, prep
  EXPECT_EQ(pieces[0][0], 'G');
  EXPECT_EQ(pieces[0][1], 'T');
  // 6 + 9 + 54 + 32 + 8 bytes, each rounded up to 4.
  EXPECT_EQ(Get32(pieces[0], 2), 108u + 8 + 12 + 56 + 32 + 8);
  EXPECT_EQ(Get16(pieces[1], 4), 6);
  EXPECT_EQ(Get16(pieces[1], 6), 96);
  EXPECT_EQ(Get16(pieces[1], 8), 2);  // entrySelector copied
  const Bytes& dir = pieces[2];
  const char* tags[6] = {"cvt ", "fpgm", "gdir", "head", "maxp", "prep"};
  const uint32_t offsets[6] = {108, 116, 0, 128, 184, 216};
  const uint32_t lengths[6] = {6, 9, 0, 54, 32, 8};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(std::string(dir.begin() + 16 * i, dir.begin() + 16 * i + 4), tags[i]);
    EXPECT_EQ(Get32(dir, 16 * i + 8), offsets[i]) << tags[i];
    EXPECT_EQ(Get32(dir, 16 * i + 12), lengths[i]) << tags[i];
  }
  EXPECT_EQ(pieces[3].size(), 8u);
  EXPECT_EQ(pieces[3][6], 0);  // padding
  // Without cvt and fpgm: their entries are empty, head comes first.
  spec.withCvtFpgm = false;
  const Bytes bare = MakeFont(spec);
  pieces = Tt_BuildGtSegment(Whole(bare));
  ASSERT_EQ(pieces.size(), 3u + 3u);
  EXPECT_EQ(Get32(pieces[2], 8), 0u);
  EXPECT_EQ(Get32(pieces[2], 16 + 12), 0u);
  EXPECT_EQ(Get32(pieces[2], 48 + 8), 108u);
}

TEST(TrueTypeFile, CollectionFontIsChosenByFamilyWithinItsRealCount) {
  FontSpec first = ThreeGlyphs(), second = ThreeGlyphs();
  first.families = {{0x0409, u"Alpha Sans"}};
  second.families = {{0x0411, u"Beta Gothic"}, {0x0409, u"Beta Gothic Latin"}};
  const Bytes ttc = Collection({first, second});
  const uint32_t firstAt = Get32(ttc, 12), secondAt = Get32(ttc, 16);
  const std::u16string beta = u"Beta Gothic", alpha = u"Alpha Sans";
  const auto find = [&](const std::u16string& family, uint8_t charset, const Bytes& file) {
    return Tt_FindCollectionFont(file.data(), uint32_t(file.size()),
                                 reinterpret_cast<const uint16_t*>(family.data()),
                                 uint32_t(family.size()), charset);
  };
  EXPECT_EQ(find(beta, 128, ttc), secondAt);
  EXPECT_EQ(find(alpha, 0, ttc), firstAt);
  EXPECT_EQ(find(u"Gamma", 0, ttc), firstAt);  // no match: the first
  // For charset 0 the second font's first admitted family is "Beta Gothic
  // Latin", which is not a prefix of "Beta Gothic".
  EXPECT_EQ(find(beta, 0, ttc), firstAt);
  // A header that claims a million fonts is read only as far as the file.
  Bytes lying = Collection({first, second}, 1000000);
  EXPECT_EQ(find(beta, 128, lying), secondAt);
  // A font offset beyond the file is never followed.
  Bytes broken = ttc;
  Set16(&broken, 16, 0x7FFF);
  EXPECT_EQ(find(beta, 128, broken), firstAt);
  TtFontState state;
  EXPECT_FALSE(Tt_OpenFont(TtFile{broken.data(), uint32_t(broken.size()), Get32(broken, 16)}, &state));
}

// Damage that makes the font unusable for outlines: Tt_OpenFont refuses it.
TEST(TrueTypeFile, HostileFontsAreRefusedOrReadWithinBounds) {
  const Bytes good = MakeFont(ThreeGlyphs());
  const auto tableRecord = [&](const Bytes& f, const char* tag) -> size_t {
    for (size_t i = 0; i < Get16(f, 4); ++i) {
      if (std::string(f.begin() + 12 + 16 * i, f.begin() + 16 + 16 * i) == tag) return 12 + 16 * i;
    }
    return 0;
  };
  std::vector<std::pair<std::string, Bytes>> cases;
  {
    Bytes f = good;
    Set16(&f, 4, 0xFFFF);  // numTables far beyond the file
    cases.push_back({"table count", f});
  }
  {
    Bytes f = good;
    const size_t r = tableRecord(f, "glyf");
    f[r + 8] = 0x7F;  // glyf offset far outside
    cases.push_back({"glyf offset", f});
  }
  {
    Bytes f = good;
    const size_t r = tableRecord(f, "loca");
    Set16(&f, r + 14, 4);  // loca shorter than numGlyphs + 1 entries
    cases.push_back({"loca length", f});
  }
  {
    Bytes f = good;
    const size_t cmap = Get32(f, tableRecord(f, "cmap") + 8);
    Set16(&f, cmap + 12 + 2, 0xFFF0);  // subtable length beyond the table
    cases.push_back({"cmap length", f});
  }
  {
    Bytes f = good;
    const size_t cmap = Get32(f, tableRecord(f, "cmap") + 8);
    f[cmap + 8] = 0x40;  // subtable offset outside the table
    cases.push_back({"cmap subtable offset", f});
  }
  {
    Bytes f = good;
    const size_t head = Get32(f, tableRecord(f, "head") + 8);
    Set16(&f, head + 50, 7);  // unknown loca format
    cases.push_back({"loca format", f});
  }
  {
    Bytes f(good.begin(), good.begin() + 40);  // cut inside the directory
    cases.push_back({"truncated", f});
  }
  for (const auto& [what, f] : cases) {
    TtFontState state;
    EXPECT_FALSE(Tt_OpenFont(Whole(f), &state)) << what;
    EXPECT_TRUE(Tt_BuildGtSegment(Whole(f)).size() <= 8u) << what;
  }
}

TEST(TrueTypeFile, RangeOffsetsAndLocaEntriesPointingOutsideGiveNothing) {
  FontSpec spec = ThreeGlyphs();
  spec.segments = {{0x41, 0x42, 0, {1, 2}}};
  Bytes font = MakeFont(spec);
  TtFontState state;
  ASSERT_TRUE(Tt_OpenFont(Whole(font), &state));
  // idRangeOffset of segment 0 made to point past the copy.
  const uint32_t x2 = state.segCountX2;
  Set16(&state.cmap, 16 + 3 * x2, 0xFFF0);
  EXPECT_EQ(Tt_CmapFormat4Lookup(state, 0x42, nullptr), 0);
  // A loca entry that runs backwards (a negative length) and one beyond glyf.
  FontSpec backwards = ThreeGlyphs();
  backwards.indexToLocFormat = 1;
  Bytes f = MakeFont(backwards);
  ASSERT_TRUE(Tt_OpenFont(Whole(f), &state));
  const uint32_t loca = state.loca.offset;
  Set16(&f, loca + 4 * 2 + 2, 0);  // entry 2 below entry 1: glyph 1 runs backwards
  Set16(&f, loca + 4 * 2, 0);
  uint32_t offset, length;
  EXPECT_FALSE(Tt_GetLocaEntry(Whole(f), state, 1, &offset, &length));
  Set16(&f, loca + 4 * 4, 0x00FF);  // last entry far beyond glyf
  EXPECT_FALSE(Tt_GetLocaEntry(Whole(f), state, 3, &offset, &length));
}

TEST(TrueTypeFile, RealSystemFontReadsItsLettersAndTables) {
  std::ifstream in("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", std::ios::binary);
  if (!in) GTEST_SKIP() << "fonts-dejavu-core is not installed";
  const Bytes font((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  TtFontState state;
  ASSERT_TRUE(Tt_OpenFont(Whole(font), &state));
  EXPECT_GT(state.numGlyphs, 3000);
  uint16_t previous = 0;
  for (uint16_t c = 'A'; c <= 'Z'; ++c) {
    const uint16_t glyph = Tt_CmapFormat4Lookup(state, c, nullptr);
    EXPECT_GT(glyph, previous) << char(c);  // the capitals are in order
    previous = glyph;
    uint32_t offset, length;
    ASSERT_TRUE(Tt_GetLocaEntry(Whole(font), state, glyph, &offset, &length));
    EXPECT_GT(length, 10u);
  }
  auto pieces = Tt_BuildGtSegment(Whole(font));
  ASSERT_GE(pieces.size(), 6u);
  uint64_t sum = 0;
  for (size_t i = 3; i < pieces.size(); ++i) sum += pieces[i].size();
  EXPECT_EQ(Get32(pieces[0], 2), 108 + sum);
}

}  // namespace

namespace {

// A real collection: each face is found by its family name, and the
// collection's CFF outlines are refused for an outline download.
TEST(TrueTypeFile, RealCollectionFindsEachFaceByItsFamily) {
  std::ifstream in("/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc", std::ios::binary);
  if (!in) GTEST_SKIP() << "fonts-noto-cjk is not installed";
  const testfont::Bytes ttc((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_TRUE(Tt_IsCollection(ttc.data(), uint32_t(ttc.size())));
  const uint32_t fonts = testfont::Get32(ttc, 8);
  ASSERT_GE(fonts, 2u);
  const std::u16string jp = u"Noto Sans CJK JP", kr = u"Noto Sans CJK KR";
  const auto find = [&](const std::u16string& family) {
    return Tt_FindCollectionFont(ttc.data(), uint32_t(ttc.size()), reinterpret_cast<const uint16_t*>(family.data()),
                                 uint32_t(family.size()), 0);
  };
  const uint32_t jpAt = find(jp), krAt = find(kr);
  EXPECT_NE(jpAt, krAt);
  bool jpListed = false, krListed = false;
  for (uint32_t i = 0; i < fonts; ++i) {
    jpListed = jpListed || testfont::Get32(ttc, 12 + 4 * i) == jpAt;
    krListed = krListed || testfont::Get32(ttc, 12 + 4 * i) == krAt;
  }
  EXPECT_TRUE(jpListed);
  EXPECT_TRUE(krListed);
  TtFontState state;
  EXPECT_FALSE(Tt_OpenFont(TtFile{ttc.data(), uint32_t(ttc.size()), krAt}, &state));  // no glyf table
}

}  // namespace
