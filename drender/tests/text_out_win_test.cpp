// Text through the render core's DrvTextOut in whole fax jobs: a resident
// face chosen by substitution, a TrueType face downloaded as outlines and
// the same face as bitmaps, Japanese text from a TrueType collection,
// underline and strike-out.  The job file is read back with the
// independent dissector.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "common/records/doc_fields.h"
#include "common/records/settings_checksum.h"
#include "drender/ddi/ddi_entries.h"
#include "drender/tests/render_dir.h"
#include "drender/tests/render_job_fixture.h"
#include "drender/text/device_font_data.h"
#include "drender/text/device_glyph_sets.h"
#include "drender/text/text_engine.h"
#include "tests/ddi_host/ddi_host.h"
#include "tests/ddi_host/ddi_host_text.h"
#include "tests/pclxl/xl_dissector.h"
#include "tests/support/test_printer_win.h"

namespace {

std::vector<uint8_t> ReadBytes(const std::wstring& path) {
  std::ifstream in(std::string(path.begin(), path.end()), std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<uint8_t> SystemFont(const char* path) {
  std::ifstream in(std::string("Z:") + path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

uint32_t NameSum(const char* name) {
  uint32_t s = 0;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(name); *p; ++p) s += *p;
  return s;
}

// A4 with the 128 resident faces and substitution entries for "Arial"
// (family 5) and "Sample Gothic" (family 29, the Japanese gothic face).
DriverDevMode TextDevMode(uint8_t fontDownload = 0) {
  DriverDevMode dm = A4DevMode();
  SetDocByte(&dm.doc, 7922, 128);
  SetDocByte(&dm.doc, 3666, 0);
  SetDocByte(&dm.doc, 3667, fontDownload);
  const uint32_t sums[2] = {NameSum("Arial"), NameSum("Sample Gothic")};
  const uint8_t families[2] = {5, 29};
  SetDocI16(&dm.doc, 5424, 2);
  for (int j = 0; j < 2; ++j) {
    SetDocByte(&dm.doc, 4532 + j, families[j]);
    uint8_t* at = reinterpret_cast<uint8_t*>(&dm.doc) + 5428 + 4 * j;
    std::memcpy(at, &sums[j], 4);
  }
  SealDocDMode(&dm.doc);
  return dm;
}

XFORML Scale(float s) { return XFORML{s, 0, 0, s, 0, 0}; }

class TextOutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    ASSERT_TRUE(dir_.Copy("bin/SIBSTAND.DLL", L"VELDRANK.DLL"));
    ASSERT_TRUE(host_.Load(dir_.Path(L"VELDRANE.DLL")));
    output_ = dir_.Path(L"text.prn");
    textOut_ = host_.Get<decltype(&DrvTextOut)>(INDEX_DrvTextOut);
    ASSERT_NE(textOut_, nullptr);
  }
  void TearDown() override { host_.Unload(); }

  // One fax job of `pages` pages; `draw` draws each.  The dissected stream.
  xl::Dissection Run(const std::function<void(SURFOBJ*, int)>& draw, int pages = 1,
                     DriverDevMode dm = TextDevMode()) {
    DdiHost::FaxJob job;
    job.pages = pages;
    job.outputFile = output_.c_str();
    job.devmode = reinterpret_cast<DEVMODEW*>(&dm);
    job.draw = draw;
    DdiHost::JobResult result = host_.RunFaxJob(printer_.handle(), printer_.name().c_str(), job);
    EXPECT_TRUE(result.ok) << result.failedStep;
    const std::vector<uint8_t> bytes = ReadBytes(output_);
    DeleteFileW(output_.c_str());
    xl::Options options;
    options.skipToHeader = true;
    xl::Dissection d = xl::Dissect(bytes, options);
    EXPECT_TRUE(d.ok) << d.error;
    return d;
  }
  BOOL Text(SURFOBJ* surface, HostString& text, HostFont& font, RECTL* extra = nullptr) {
    HostBrush black(0);
    return textOut_(surface, text.get(), font.get(), nullptr, extra, nullptr, black.get(), nullptr, nullptr,
                    0x0D0D);
  }
  static std::vector<const xl::Operator*> All(const xl::Dissection& d, const char* name) { return d.All(name); }

  RenderDir dir_;
  testsupport::TestPrinter printer_{L"Fax Text", RenderDriver()};
  DdiHost host_;
  std::wstring output_;
  decltype(&DrvTextOut) textOut_ = nullptr;
};

TEST_F(TextOutTest, LatinTextInAResidentFaceOnEveryPage) {
  HostIfi arial;
  arial.family = u"Arial";
  HostFont font(kFoTypeTrueType, 11, arial, Scale(0.02f));
  const xl::Dissection d = Run([&](SURFOBJ* surface, int) {
    HostString line(u"Hello, fax", HostGlyphRow(10, 300, 400, 24));
    EXPECT_TRUE(Text(surface, line, font));
    HostString again(u"again", HostGlyphRow(5, 300, 500, 24));
    EXPECT_TRUE(Text(surface, again, font));
  }, 2);
  const auto fonts = All(d, "SetFont");
  ASSERT_EQ(fonts.size(), 2u);  // once per page
  for (const xl::Operator* f : fonts) {
    EXPECT_EQ(f->Find(168)->value.Text(), "Arial           ");
    EXPECT_EQ(f->Number(170), 629.0);
  }
  EXPECT_EQ(d.Count("BeginFontHeader"), 0u);
  const auto texts = All(d, "Text");
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(texts[0]->Find(171)->value.Text(), "Hello, fax");
  EXPECT_EQ(texts[0]->Find(175)->value.items[0], 24.0);
}

TEST_F(TextOutTest, TextAtTheFaxResolutionIsWidenedByItsCharacterScale) {
  // GDI gives a font on a 200 x 100 dpi device twice the pixels across as
  // down: the resident face is selected by its height and widened by the
  // character scale; its glyphs sit where the face's advances put them.
  HostIfi arial;
  arial.family = u"Arial";
  HostFont font(kFoTypeTrueType, 13, arial, HostFontTransform(12, 200, 100, arial.unitsPerEm));
  const std::u16string text = u"Fax at 200 x 100";
  const std::vector<HostGlyphPos> glyphs = HostGlyphRowByAdvances(L"Arial", text, HostEmPixels(12, 200), 300, 400);
  const xl::Dissection d = Run([&](SURFOBJ* surface, int) {
    HostString line(text, glyphs);
    EXPECT_TRUE(Text(surface, line, font));
  });
  ASSERT_TRUE(d.ok) << d.error;
  const auto scales = All(d, "SetCharScale");
  ASSERT_EQ(scales.size(), 1u);
  const std::vector<double>& scale = scales[0]->attributes[0].value.items;
  ASSERT_EQ(scale.size(), 2u);
  EXPECT_NEAR(scale[0], 2.0, 0.1);  // the ems in whole pixels: 33 across, 16 down
  EXPECT_EQ(scale[1], 1.0);
  // The advances are the face's, not one step for every glyph.
  std::set<LONG> steps;
  for (size_t k = 1; k < glyphs.size(); ++k) steps.insert(glyphs[k].position.x - glyphs[k - 1].position.x);
  EXPECT_GT(steps.size(), 2u);
  const auto texts = All(d, "Text");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0]->Find(171)->value.Text(), "Fax at 200 x 100");
}

TEST_F(TextOutTest, TrueTypeFaceAsOutlinesAndAsBitmapsEachCharacterOnce) {
  const std::vector<uint8_t> file = SystemFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
  if (file.empty()) GTEST_SKIP() << "fonts-dejavu-core is not installed";
  HostIfi ifi;
  ifi.family = u"DejaVu Sans";
  for (uint8_t download : {0, 2}) {
    SCOPED_TRACE(download);
    HostFont font(kFoTypeTrueType, 12, ifi, Scale(0.02f), file);
    for (HGLYPH g = 1; g <= 8; ++g) font.SetGlyph(g, HostGlyphBitmap{{0, -9}, {10, 9}, std::vector<uint8_t>(18, 0xA5), 0});
    const xl::Dissection d = Run([&](SURFOBJ* surface, int) {
      HostString one(u"abcab", HostGlyphRow(5, 100, 100, 20));
      EXPECT_TRUE(Text(surface, one, font));
      HostString two(u"bcd", HostGlyphRow(3, 100, 200, 20));
      EXPECT_TRUE(Text(surface, two, font));
    }, 1, TextDevMode(download));
    EXPECT_EQ(d.Count("BeginFontHeader"), 1u);
    EXPECT_EQ(d.Count("EndFontHeader"), 1u);
    std::vector<double> codes;
    for (const xl::Operator* op : All(d, "ReadChar")) {
      codes.push_back(op->Number(162));
      EXPECT_EQ(op->data.size(), op->Number(163));
      EXPECT_EQ(op->data[0], download == 2 ? 0 : 1);  // bitmap or TrueType character
    }
    std::vector<double> expected = {'a', 'b', 'c', 'd'};
    if (download != 2) expected.insert(expected.begin(), 0xFFFF);  // the default character
    EXPECT_EQ(codes, expected);
    EXPECT_EQ(d.Count("BeginChar"), d.Count("EndChar"));
    std::vector<uint8_t> header;
    for (const xl::Operator* op : All(d, "ReadFontHeader")) header.insert(header.end(), op->data.begin(), op->data.end());
    ASSERT_GE(header.size(), 8u);
    EXPECT_EQ(header[4], download == 2 ? 254 : 1);
    if (download == 2) {
      EXPECT_EQ(All(d, "ReadChar")[0]->data.size(), 10u + 9 * 4);  // 10 pixels padded to 32
    }
  }
}

TEST_F(TextOutTest, JapaneseTextFromACollection) {
  const char* kCollections[] = {"/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc",
                                "/usr/share/fonts/truetype/noto/NotoSansCJK-Regular.ttc"};
  std::vector<uint8_t> file;
  for (const char* path : kCollections) {
    if (file.empty()) file = SystemFont(path);
  }
  HostIfi ifi;
  ifi.family = u"Sample Gothic";
  ifi.charset = 128;
  HostFont resident(kFoTypeTrueType, 13, ifi, Scale(0.02f), file);
  const xl::Dissection d = Run([&](SURFOBJ* surface, int) {
    // Every character resident: the printer's gothic face.
    HostString line(u"\u65E5\u672C\u8A9E", HostGlyphRow(3, 100, 100, 40), 932);
    EXPECT_TRUE(Text(surface, line, resident));
    // A character outside the repertoire: a soft font of the face.
    HostString other(u"\u65E5\u2212", HostGlyphRow(2, 100, 200, 40), 932);
    EXPECT_TRUE(Text(surface, other, resident));
  });
  const auto fonts = All(d, "SetFont");
  ASSERT_EQ(fonts.size(), 2u);
  EXPECT_EQ(fonts[0]->Find(168)->value.Text(), "HGGothicB       ");
  EXPECT_EQ(fonts[0]->Number(170), 619.0);
  const auto texts = All(d, "Text");
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0]->Find(171)->value.items, (std::vector<double>{0x93FA, 0x967B, 0x8CEA}));
  EXPECT_EQ(fonts[1]->Number(170), 0.0);
  EXPECT_EQ(d.Count("BeginFontHeader"), 1u);
}

TEST_F(TextOutTest, EveryUnderlineAndStrikeOutRectangleIsPainted) {
  HostIfi arial;
  arial.family = u"Arial";
  HostFont font(kFoTypeTrueType, 14, arial, Scale(0.02f));
  const xl::Dissection d = Run([&](SURFOBJ* surface, int) {
    RECTL extra[3] = {{100, 410, 400, 412}, {100, 390, 400, 392}, {0, 0, 0, 0}};
    HostString line(u"Lined", HostGlyphRow(5, 100, 400, 30));
    EXPECT_TRUE(Text(surface, line, font, extra));
  });
  const auto rects = All(d, "Rectangle");
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0]->Find(66)->value.items, (std::vector<double>{100, 410, 400, 412}));
  EXPECT_EQ(rects[1]->Find(66)->value.items, (std::vector<double>{100, 390, 400, 392}));
  EXPECT_EQ(d.Count("Text"), 1u);
}

TEST_F(TextOutTest, GlyphModeByFontTypeSimulationAndSize) {
  auto mode = host_.Get<decltype(&DrvGetGlyphMode)>(INDEX_DrvGetGlyphMode);
  ASSERT_NE(mode, nullptr);
  struct Case {
    FLONG fl;
    uint8_t charset, weight;
    uint32_t flInfo;
    float scale;
    ULONG expected;
  } cases[] = {
      {kFoTypeTrueType, 0, 5, 0, 0.02f, FO_HGLYPHS},
      {kFoTypeTrueType | kFoSimBold, 0, 3, 0, 0.02f, FO_PATHOBJ},  // thin face emboldened
      {kFoTypeTrueType | kFoSimBold, 0, 6, 0, 0.02f, FO_HGLYPHS},
      {kFoTypeTrueType | FO_DBCS_FONT, 0, 5, 0, 0.02f, FO_GLYPHBITS},
      {kFoTypeTrueType | FO_DBCS_FONT | kFoSimBold, 128, 4, 0, 0.02f, FO_PATHOBJ},
      {kFoTypeRaster, 0, 5, 0, 0.02f, FO_PATHOBJ},
      {kFoTypeDevice, 0, 5, 0, 0.02f, FO_HGLYPHS},
      {kFoPostScript, 0, 5, kFmInfoType1, 0.02f, FO_HGLYPHS},
      {kFoPostScript, 0, 5, kFmInfoType1, 1.0f, FO_PATHOBJ},  // 100 points or more
      {0, 0, 5, 0, 0.02f, FO_PATHOBJ},
  };
  Run([&](SURFOBJ* surface, int) {
    for (const Case& c : cases) {
      HostIfi ifi;
      ifi.family = u"Face";
      ifi.charset = c.charset;
      ifi.weight = c.weight;
      ifi.flInfo = c.flInfo;
      HostFont font(c.fl, 30, ifi, Scale(c.scale));
      EXPECT_EQ(mode(surface->dhpdev, font.get()), c.expected) << std::hex << c.fl << " " << c.scale;
    }
  });
}

TEST_F(TextOutTest, FontQueriesAnswerFromTheResidentFaces) {
  auto query = host_.Get<decltype(&DrvQueryFont)>(INDEX_DrvQueryFont);
  ASSERT_NE(query, nullptr);
  Run([&](SURFOBJ* surface, int) {
    ULONG_PTR id = 99;
    EXPECT_EQ(query(surface->dhpdev, 0, 0, &id), nullptr);
    EXPECT_EQ(id, 0u);
    EXPECT_EQ(query(surface->dhpdev, 0, 129, &id), nullptr);
    const uint8_t* first = reinterpret_cast<const uint8_t*>(query(surface->dhpdev, 0, 1, &id));
    ASSERT_NE(first, nullptr);
    uint32_t flInfo;
    std::memcpy(&flInfo, first + 48, 4);
    EXPECT_EQ(flInfo, 0x82038u);
    const uint8_t* courier = reinterpret_cast<const uint8_t*>(query(surface->dhpdev, 0, 41, &id));
    ASSERT_NE(courier, nullptr);
    std::memcpy(&flInfo, courier + 48, 4);
    EXPECT_EQ(flInfo, 0x483038u);  // fixed pitch
    // A symbol face's family name reads plainly.
    const uint8_t* symbol = reinterpret_cast<const uint8_t*>(query(surface->dhpdev, 0, 77, &id));
    ASSERT_NE(symbol, nullptr);
    uint32_t nameAt;
    std::memcpy(&nameAt, symbol + 8, 4);
    EXPECT_EQ(std::memcmp(symbol + nameAt, u"Symbol", 14), 0);
  });
  // Glyph data of a resident face, for a font object of the same family.
  auto data = host_.Get<decltype(&DrvQueryFontData)>(INDEX_DrvQueryFontData);
  ASSERT_NE(data, nullptr);
  Run([&](SURFOBJ* surface, int) {
    HostIfi arial;
    arial.family = u"Arial";
    HostFont font(kFoTypeDevice, 40, arial, Scale(0.02f));
    font.get()->iFace = 17;
    GLYPHDATA glyph{};
    EXPECT_EQ(data(surface->dhpdev, font.get(), 1, 'W', nullptr, nullptr, 0), 0);
    EXPECT_EQ(data(surface->dhpdev, font.get(), 1, 'W', &glyph, nullptr, 0), 0);
    EXPECT_GT(glyph.fxD, 16 * 20);
    EXPECT_EQ(glyph.fxD % 16, 0);
    EXPECT_EQ(glyph.hg, HGLYPH('W'));
    HostIfi other;
    other.family = u"Not Resident";
    HostFont stranger(kFoTypeDevice, 41, other, Scale(0.02f));
    stranger.get()->iFace = 17;
    EXPECT_EQ(data(surface->dhpdev, stranger.get(), 1, 'W', &glyph, nullptr, 0), -1);
    font.get()->iFace = 129;
    EXPECT_EQ(data(surface->dhpdev, font.get(), 1, 'W', &glyph, nullptr, 0), -1);
  });
  // The extents of a proportional and of a fixed-pitch face: the base and
  // side directions of the transform, the widest advance, whole pixels of
  // ascent and descent; only the fixed-pitch face has a constant advance.
  Run([&](SURFOBJ* surface, int) {
    struct Case {
      const char16_t* family;
      ULONG face;
      bool fixedPitch;
    };
    for (const Case& c : {Case{u"Arial", 17, false}, Case{u"Courier", 41, true}}) {
      SCOPED_TRACE(int(c.face));
      HostIfi ifi;
      ifi.family = c.family;
      HostFont font(kFoTypeDevice, 42, ifi, Scale(0.02f));
      font.get()->iFace = c.face;
      EXPECT_EQ(data(surface->dhpdev, font.get(), 3, 0, nullptr, nullptr, 0), 124);
      DeviceMetrics metrics{};
      metrics.lNonLinearIntLeading = 77;
      ASSERT_EQ(data(surface->dhpdev, font.get(), 3, 0, nullptr, &metrics, sizeof metrics), 124);
      EXPECT_FLOAT_EQ(metrics.pteBase[0], 1.0f);
      EXPECT_FLOAT_EQ(metrics.pteBase[1], 0.0f);
      EXPECT_FLOAT_EQ(metrics.pteSide[0], 0.0f);
      EXPECT_FLOAT_EQ(metrics.pteSide[1], -1.0f);
      EXPECT_GT(metrics.cxMax, 0u);
      EXPECT_GT(metrics.fxMaxAscender, 0);
      EXPECT_EQ(metrics.fxMaxAscender % 16, 0);
      // A fixed-pitch face's descent counts from a 1000-unit em box.
      EXPECT_GE(metrics.fxMaxDescender, c.fixedPitch ? 0 : 16);
      EXPECT_EQ(metrics.fxMaxDescender % 16, 0);
      EXPECT_EQ(metrics.lD, c.fixedPitch ? int32_t(metrics.cxMax) : 0);
      EXPECT_EQ(metrics.lNonLinearIntLeading, c.fixedPitch ? 0 : 77);
      if (c.fixedPitch) {
        EXPECT_EQ(metrics.lNonLinearExtLeading, 0);
      }
      EXPECT_EQ(metrics.ptlSOThickness[1], metrics.ptlULThickness[1]);
    }
  });
  // The glyph sets: the code page's characters for a Latin face, the
  // Shift-JIS characters of the font library for a Japanese one; each
  // character's handle its code.
  auto tree = host_.Get<decltype(&DrvQueryFontTree)>(INDEX_DrvQueryFontTree);
  ASSERT_NE(tree, nullptr);
  const auto handleOf = [](const GlyphSet* set, char16_t c) -> int64_t {
    for (uint32_t i = 0; set != nullptr && i < set->cRuns; ++i) {
      const GlyphRun& run = set->awcrun[i];
      if (c >= run.wcLow && c < run.wcLow + run.cGlyphs) return run.phg[c - run.wcLow];
    }
    return -1;
  };
  Run([&](SURFOBJ* surface, int) {
    constexpr ULONG kGlyphSet = 2, kKernPairs = 1;
    ULONG_PTR id = 99;
    const auto* latin = static_cast<const GlyphSet*>(tree(surface->dhpdev, 0, 17, kGlyphSet, &id));
    EXPECT_EQ(id, 0u);
    ASSERT_NE(latin, nullptr);
    EXPECT_GE(latin->cGlyphsSupported, 200u);
    EXPECT_EQ(handleOf(latin, u'W'), 'W');
    EXPECT_EQ(handleOf(latin, u'\u00e9'), 0xe9);  // e acute of the system's code page
    const auto* japanese = static_cast<const GlyphSet*>(tree(surface->dhpdev, 0, 113, kGlyphSet, &id));
    ASSERT_NE(japanese, nullptr);
    EXPECT_EQ(japanese->flAccel, 1u);
    EXPECT_GT(japanese->cGlyphsSupported, 6000u);
    EXPECT_EQ(handleOf(japanese, u'\u3042'), 0x82a0);  // hiragana a
    EXPECT_EQ(handleOf(japanese, u'\u6f22'), 0x8abf);  // kanji "kan"
    EXPECT_EQ(tree(surface->dhpdev, 0, 17, kKernPairs, &id), nullptr) << "no kerning pairs";
    EXPECT_EQ(tree(surface->dhpdev, 0, 0, kGlyphSet, &id), nullptr);
    EXPECT_EQ(tree(surface->dhpdev, 0, 129, kGlyphSet, &id), nullptr);
  });
  int bogus = 0;
  EXPECT_EQ(query(reinterpret_cast<DHPDEV>(&bogus), 0, 1, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}

}  // namespace
