// The built-in default document settings and their completion from the
// description file.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>

#include "common/cover/cover_defaults.h"
#include "dproc/model/default_settings.h"
#include "dproc/model/feature_table.h"
#include "common/qxd/model_info.h"
#include "common/qxd/paper_tables.h"
#include "common/records/settings_checksum.h"
#include "tests/support/model_fixture.h"

namespace {

using modeltest::File;

struct Value {
  uint32_t at;
  int width;  // 1, 2 or 4 bytes
  int64_t value;
};

// The built-in values, by byte place in the record.
const Value kBuiltIn[] = {
    {64, 1, 1},     {66, 2, 9},      {68, 2, 2100},   {70, 2, 2970},   {72, 2, 43},     {74, 2, 43},
    {76, 2, 43},    {78, 2, 43},     {81, 2, 2100},   {83, 2, 2970},   {88, 4, 827},    {92, 4, 1169},
    {96, 2, 357},   {98, 2, 2100},   {100, 2, 2970},  {103, 2, 2100},  {105, 2, 2970},  {108, 4, 827},
    {112, 4, 1169}, {116, 1, 1},     {118, 2, 100},   {120, 2, 7},     {598, 2, 1},     {1072, 2, 1},
    {1243, 1, 1},   {1246, 1, 1},    {1412, 1, 1},    {1414, 1, 1},    {1430, 1, 1},    {1491, 1, 1},
    {1493, 1, 1},   {1500, 1, 3},    {1506, 2, 1},    {1513, 1, 1},    {1514, 1, 1},    {1518, 2, 100},
    {1529, 1, 4},   {1533, 1, 4},    {1530, 2, 32767}, {1534, 2, 32767}, {1537, 1, 1},  {1551, 2, 1},
    {1974, 2, 1},   {1976, 2, 72},   {1978, 4, 255},  {2000, 2, 1},    {2002, 1, 1},    {2012, 2, 1},
    {2016, 1, 1},   {2020, 2, 1},    {2022, 2, 1},    {2037, 1, 1},    {2039, 1, 1},    {2040, 1, 1},
    {2045, 1, 1},   {2046, 2, 1},    {2067, 2, 1},    {2069, 2, 1},    {2074, 4, 1},    {2078, 4, 1},
    {2085, 2, 1},   {2118, 2, -1},   {2168, 1, 2},    {2170, 1, 1},    {2211, 1, 1},    {2212, 1, 1},
    {2217, 1, 1},   {2218, 1, 2},    {2220, 2, 600},  {2222, 2, 600},  {2224, 2, 848},  {2226, 2, 4},
    {2228, 1, 1},   {2229, 1, 4},    {2236, 1, 1},    {2239, 1, 1},    {2244, 1, 1},    {2245, 1, 1},
    {2250, 1, 1},   {2252, 1, 1},    {2253, 1, 2},    {2256, 1, 1},    {2612, 2, 1},    {2614, 2, 1},
    {2616, 2, 1},   {2618, 2, 1},    {3666, 1, 1},    {3667, 1, 2},    {5424, 2, 9},    {7917, 2, 2100},
    {7919, 2, 2970},  {7922, 1, 128},
};

int64_t Read(const DocDMode& d, const Value& v) {
  const uint8_t* p = reinterpret_cast<const uint8_t*>(&d) + v.at;
  if (v.width == 1) return p[0];
  if (v.width == 2) {
    int16_t x;
    std::memcpy(&x, p, 2);
    return x;
  }
  uint32_t x;
  std::memcpy(&x, p, 4);
  return x;
}

std::unique_ptr<DocDMode> Fresh() {
  auto d = std::make_unique<DocDMode>();
  InitBuiltInDocDMode(d.get());
  return d;
}

TEST(BuiltInDefaults, MatchTheirValuesByteForByte) {
  auto d = Fresh();
  std::set<uint32_t> listed;
  for (const Value& v : kBuiltIn) {
    EXPECT_EQ(Read(*d, v), v.value) << "byte " << v.at;
    for (int k = 0; k < v.width; ++k) listed.insert(v.at + k);
  }
  // Every other byte of the settings area is zero.
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(d.get());
  for (uint32_t at = 64; at < 8024; ++at) {
    if (listed.count(at) == 0) {
      EXPECT_EQ(bytes[at], 0) << "byte " << at;
    }
  }
  EXPECT_TRUE(DocDModeChecksumMatches(d.get()));
  EXPECT_EQ(std::memcmp(d.get(), &DefaultDocDMode(), 64), 0);
}

const char kPapers[] =
    "qxd 1\n\nsection \"PaperSize\" items 620 default=\"B5\"\n"
    "  layout id:u32@16 width:u32@24 length:u32@28 left:u32@136 top:u32@140 right:u32@144 bottom:u32@148\n"
    "  item key=\"B5\" id=13 width=1820 length=2570 left=30 top=31 right=32 bottom=33\n"
    "  item key=\"A4\" id=9 width=2100 length=2970 left=40 top=40 right=40 bottom=40\n\n"
    "section \"OutPaperSize\" items 320 default=\"Same\"\n  layout id:u32@16\n  item key=\"Same\" id=357\n";

TEST(LoadDefaults, PaperFromTheLocaleOrTheFirstEntry) {
  File f(kPapers);
  auto d = Fresh();
  LoadDefaultSettings(f.get(), nullptr, "Letter", nullptr, d.get());
  const DocFields& fields = Fields(*d);
  EXPECT_EQ(+fields.nPaperSize, 13);
  EXPECT_EQ(+fields.rcMargin_bottom, 33);
  EXPECT_EQ(+fields.nOutPaperSize, 357);
  EXPECT_EQ(+fields.sizOutPaper_cx, 1820);  // the output takes the paper's size
  EXPECT_EQ(+fields.sizOutPaper_cy, 2570);
  EXPECT_TRUE(DocDModeChecksumMatches(d.get()));

  auto a4 = Fresh();
  LoadDefaultSettings(f.get(), nullptr, "a4", nullptr, a4.get());
  EXPECT_EQ(+Fields(*a4).nPaperSize, 9);
  EXPECT_EQ(+Fields(*a4).rcMargin_left, 40);

  File empty("qxd 1\n\nsection \"Other\" value \"x\"\n");
  auto kept = Fresh();
  LoadDefaultSettings(empty.get(), nullptr, "Letter", nullptr, kept.get());
  EXPECT_EQ(+Fields(*kept).nPaperSize, 9);
  EXPECT_EQ(+Fields(*kept).sizPaper_cx, 2100);
  EXPECT_EQ(+Fields(*kept).rcMargin_top, 43);
  // The rules that always apply.
  EXPECT_EQ(+Fields(*kept).nBinding, 14);
  EXPECT_EQ(+Fields(*kept).nFontDownLoad, 1);
  EXPECT_EQ(+Fields(*kept).SubFontEntryNum, 9);
}

TEST(LoadDefaults, WithoutTheLocalePaperTheDefaultItemAgreesWithTheTrays) {
  // The section's default item is listed second; the locale's paper is not
  // in the model.
  File f(
      "qxd 1\n\nsection \"PaperSize\" items 620 default=\"Letter\"\n"
      "  layout id:u32@16 width:u32@24 length:u32@28 left:u32@136 top:u32@140 right:u32@144 bottom:u32@148\n"
      "  item key=\"A4\" id=9 width=2100 length=2970 left=40 top=40 right=40 bottom=40\n"
      "  item key=\"Letter\" id=1 width=2159 length=2794 left=42 top=43 right=44 bottom=45\n");
  for (const char* locale : {"B5", ""}) {
    auto d = Fresh();
    LoadDefaultSettings(f.get(), nullptr, locale, nullptr, d.get());
    DevOption trays = {};
    LoadPaperMediaRecords(f.get(), locale, &trays);
    const DocFields& fields = Fields(*d);
    EXPECT_EQ(+fields.nPaperSize, 1) << locale;
    EXPECT_EQ(+fields.sizPaper_cx, 2159);
    EXPECT_EQ(+fields.rcMargin_right, 44);
    for (const TrayMediaSlot& slot : trays.trays) EXPECT_EQ(+slot.paperId, fields.nPaperSize) << locale;
  }
}

TEST(LoadDefaults, BindingEdgeCoversAndInchValues) {
  ModelInfo m = {};
  m.features[kMfBindingEdge4] = 1;
  m.features[kMfFCoverPrint] = 1;
  File f(
      "qxd 1\n\nsection \"UserPaper_Width\" range min=900 max=3000 default=1000\n\n"
      "section \"BindShift_Front\" range min=0 max=300 default=254\n\n"
      "section \"ImgShiftMFP_BackO\" range min=-50 max=50 default=-5\n");
  auto d = Fresh();
  Fields(*d).nOrientation = 2;
  Fields(*d).nBinding = 9;
  LoadDefaultSettings(f.get(), &m, nullptr, nullptr, d.get());
  const DocFields& fields = Fields(*d);
  EXPECT_EQ(+fields.nBinding, 2);
  EXPECT_EQ(+fields.nFrontCoverMode, 1);
  EXPECT_EQ(+fields.nBackCoverMode, 4);
  EXPECT_EQ(FindStaticOptionTable("BackCover_op")->value, 4u);
  EXPECT_EQ(+fields.sizInUserDefPaperMM_cx, 1000);
  EXPECT_EQ(+fields.sizOutUserDefPaperMM_cx, 1000);
  EXPECT_EQ(+fields.sizInUserDefPaperIN_cx, 394u);  // hundredths of an inch on this model
  EXPECT_EQ(+fields.nBindingUp, 254);
  EXPECT_EQ(+fields.nBindingUp_Inch, 1000);
  EXPECT_EQ(+fields.bBindingSame, 0);
  EXPECT_EQ(+fields.ImgShiftBackSide_nOffset, -50);
  EXPECT_EQ(+fields.sizServerPaper_cx, 1000);
  m.features[kMfFCoverPrint] = 0;
  SetCoverOptionTables(&m, d.get());
}

// Defaults from the file that the record's 16-bit fields cannot hold are
// not taken (and are not multiplied past 32 bits on the way).
TEST(LoadDefaults, ShiftDefaultsBeyondTheirFieldsAreNotTaken) {
  ModelInfo m = {};
  File f(
      "qxd 1\n\nsection \"BindShift_Front\" range min=0 max=4294967295 default=40000\n\n"
      "section \"BindShift_Back\" range min=0 max=300 default=32767\n\n"
      "section \"ImgShiftMFP_FrontH\" range min=0 max=4294967295 default=2147483647\n\n"
      "section \"ImgShiftMFP_FrontV\" range min=0 max=4294967295 default=3277\n\n"
      "section \"ImgShiftMFP_BackH\" range min=0 max=4294967295 default=3276\n");
  auto d = Fresh();
  const DocFields before = Fields(*d);
  LoadDefaultSettings(f.get(), &m, nullptr, nullptr, d.get());
  const DocFields& fields = Fields(*d);
  EXPECT_EQ(+fields.nBindingUp, +before.nBindingUp);
  EXPECT_EQ(+fields.nBindingUp_Inch, +before.nBindingUp_Inch);
  EXPECT_EQ(+fields.nBindingDown, 32767);
  EXPECT_EQ(+fields.ImgShiftFronSide_nX, +before.ImgShiftFronSide_nX);
  EXPECT_EQ(+fields.ImgShiftFronSide_nY, +before.ImgShiftFronSide_nY);
  EXPECT_EQ(+fields.ImgShiftBackSide_nX, 32760);
}

TEST(LoadDefaults, FontSubstitutionList) {
  // Numbered as the font library numbers them: the first record of each face.
  const XLFontEntry library[] = {{17, "Arial"}, {41, "courier"}, {37, "Letter Gothic"}};
  const XLFontList fonts{library, 3};
  File none("qxd 1\n\nsection \"Other\" value \"x\"\n");
  auto d = Fresh();
  LoadDefaultSettings(none.get(), nullptr, nullptr, &fonts, d.get());
  EXPECT_EQ(+Fields(*d).SubFontEntryNum, 0);  // the library is there, the list is not

  // Without a font library the built-in table: free faces Debian ships,
  // each with the resident family of its metrics, and the byte sum of its
  // name ("Liberation Sans": 76+105+98+101+114+97+116+105+111+110+32+83+97+
  // 110+115 = 1470).
  LoadDefaultSettings(none.get(), nullptr, nullptr, nullptr, d.get());
  struct Row {
    const char* trueType;
    const char* printer;
    uint8_t family;
    uint32_t sum;
  };
  const Row rows[] = {{"Liberation Sans", "Arial", 5, 1470},
                      {"Liberation Mono", "Courier", 11, 1474},
                      {"Liberation Serif", "Times New Roman", 23, 1570},
                      {"OpenSymbol", "Symbol", 20, 1032},
                      {"D050000L", "ITC Zapf Dingbats", 28, 437},
                      {"IPAGothic", "HGGothic-Bold", 29, 824},
                      {"IPAPGothic", "HGPGothic-Bold", 30, 904},
                      {"IPAMincho", "HGMincho-Light", 31, 824},
                      {"IPAPMincho", "HGPMincho-Light", 32, 904}};
  ASSERT_EQ(+Fields(*d).SubFontEntryNum, 9);
  for (size_t i = 0; i < 9; ++i) {
    SCOPED_TRACE(rows[i].trueType);
    EXPECT_STREQ(Fields(*d).SubTTFontName[i], rows[i].trueType);
    EXPECT_STREQ(Fields(*d).SubDevFontName[i], rows[i].printer);
    EXPECT_EQ(+Fields(*d).SubDevFontNumber[i], rows[i].family);
    EXPECT_EQ(+Fields(*d).SubTTFontSum[i], rows[i].sum);
  }
  ModelInfo type2 = {};
  type2.features[kMfColorSettingType] = 2;
  LoadDefaultSettings(none.get(), &type2, nullptr, nullptr, d.get());
  EXPECT_EQ(+Fields(*d).SubFontEntryNum, 5);
  EXPECT_EQ(+Fields(*d).SubDevFontName[5][0], '\0');

  File list(
      "qxd 1\n\nsection \"XLFontSubList\" records 64\n  layout trueType:str32@0 printer:str32@32\n"
      "  record trueType=\"Liberation Mono\" printer=\"Courier\"\n  record trueType=\"DejaVu Sans\" printer=\"Missing\"\n"
      "  record trueType=\"Liberation Sans\" printer=\"ARIAL\"\n");
  LoadDefaultSettings(list.get(), nullptr, nullptr, &fonts, d.get());
  const DocFields& f = Fields(*d);
  ASSERT_EQ(+f.SubFontEntryNum, 2);
  EXPECT_STREQ(f.SubTTFontName[0], "Liberation Mono");
  EXPECT_EQ(+f.SubDevFontNumber[0], 11);
  EXPECT_STREQ(f.SubDevFontName[1], "ARIAL");
  uint32_t sum = 0;
  for (char c : std::string("Liberation Mono")) sum += static_cast<uint8_t>(c);
  EXPECT_EQ(+f.SubTTFontSum[0], sum);
}

TEST(LoadDefaults, JpegQualityFromItsSection) {
  // The description's default quality; a quality the encoder refuses is no
  // default.  Without the section the settings keep theirs.
  struct Case {
    const char* text;
    int quality;
  };
  const Case cases[] = {
      {"qxd 1\n\nsection \"JpegQuality\" range min=1 max=100 default=75\n", 75},
      {"qxd 1\n\nsection \"JpegQuality\" range min=0 max=100 default=0\n", 0},
      {"qxd 1\n\nsection \"JpegQuality\" range min=1 max=200 default=101\n", 0},
      {"qxd 1\n\nsection \"Other\" value \"x\"\n", 0},
  };
  for (const Case& c : cases) {
    File f(c.text);
    auto d = Fresh();
    LoadDefaultSettings(f.get(), nullptr, nullptr, nullptr, d.get());
    EXPECT_EQ(+Fields(*d).nJpegCompressRatio, c.quality) << c.text;
    EXPECT_EQ(+Fields(*d).nDeviceFontNum, 128);
  }
}

TEST(LoadDefaults, TrayMediaEntriesFollowTheModelsTrays) {
  InTrayEntry trays[4] = {};
  const char* keys[] = {"InTrayAuto", "InTray1", "InTrayManual"};
  const uint32_t bins[] = {7, 257, 4};
  for (int i = 0; i < 3; ++i) {
    std::strcpy(trays[i].keyword, keys[i]);
    trays[i].binId = bins[i];
  }
  ModelInfo m = {};
  m.inTrays = trays;
  auto d = Fresh();
  Fields(*d).nMediaType = 6;
  Fields(*d).PTInfoAuto.nPaperColor = 3;
  FillTrayMediaEntries(&m, d.get());
  const DocFields& f = Fields(*d);
  EXPECT_STREQ(f.PTInfoEach[0].szKey, "InTray1");
  EXPECT_EQ(+f.PTInfoEach[1].nValue, 4u);
  EXPECT_EQ(+f.PTInfoEach[1].nPaperType2, 6);
  EXPECT_EQ(+f.PTInfoEach[1].nPaperColor, 3);
  EXPECT_EQ(+f.PTInfoEach[2].szKey[0], '\0');
}

TEST(LoadDefaults, FaxCoverRecipientAndLanguage) {
  File f(
      "qxd 1\n\nsection \"FcsRStandard\" texts\n  entry key=\"FcsRConcern\" text=\"To whom it may concern\"\n"
      "  entry key=\"FcsRAll\" text=\"To all recipients\"\n\n"
      "section \"Country\" records 8\n  layout id:u32@0\n  record id=1033\n");
  ReadFcsRecipientDefault(f.get());
  FaxCoverSheetData cover;
  MakeDefaultCoverSheet(&cover);
  EXPECT_EQ(std::u16string(cover.recipient.szTitle), u"To all recipients")
      << "the built-in cover record carries the title a user without a stored record gets";
  SetDefaultCoverTitle(nullptr);
  std::unique_ptr<ModelInfo, void (*)(ModelInfo*)> m(BuildModelInfo(f.get(), {true, 1, true}), FreeModelInfoRecord);
  EXPECT_EQ(m->languageId, 1033u);
}

}  // namespace

namespace {

TEST(LoadDefaults, WatermarkOfTheDefaultEntry) {
  const std::string text =
      "qxd 1\n\nsection \"Watermark\" items 80 default=\"WM_Draft\"\n"
      "  layout title:wtext@20 body:wtext@32 face:wtext@44 style:u32@48 size:u32@52 color:u32@56 angle:u32@60 "
      "x:u32@64 y:u32@68 frame:u32@72\n"
      "  item key=\"WM_None\"\n"
      "  item key=\"WM_Draft\" title=\"Draft\" body=\"DRAFT - not for sending\" face=\"Arial\" style=3 size=60 "
      "color=255 angle=45 x=10 y=20 frame=2\n";
  File f(text);
  for (bool colour : {true, false}) {
    ModelInfo m = {};
    m.colorDevice = colour ? 1 : 0;
    auto d = Fresh();
    LoadDefaultSettings(f.get(), &m, nullptr, nullptr, d.get());
    const DocFields& w = Fields(*d);
    EXPECT_EQ(+w.wWmkListPos, 1);
    EXPECT_EQ(std::u16string(w.WmkInfo_szWmkTitle), u"Draft");
    EXPECT_EQ(std::u16string(w.WmkInfo_szWmkStr), u"DRAFT - not for sending");
    EXPECT_EQ(+w.WmkInfo_nStyle, 3);
    EXPECT_EQ(+w.WmkInfo_nAngle, 45);
    EXPECT_EQ(+w.WmkInfo_ptWmkPos_y, 20u);
    EXPECT_EQ(+w.WmkInfo_wFrame, 2);
    EXPECT_EQ(+w.WmkInfo_crColor, colour ? 255u : 0x00808080u);
  }
}

}  // namespace

namespace {

// A default key that begins with "WM_None" names no watermark: its position
// is kept, its texts are not.
TEST(LoadDefaults, WatermarkKeysBeginningWithNoneAreNoWatermark) {
  for (const char* key : {"WM_None", "wm_none", "WM_NoneDefault"}) {
    SCOPED_TRACE(key);
    const std::string text =
        std::string("qxd 1\n\nsection \"Watermark\" items 80 default=\"") + key + "\"\n" +
        "  layout title:wtext@20 body:wtext@32 face:wtext@44 style:u32@48 size:u32@52\n"
        "  item key=\"WM_Draft\" title=\"Draft\" body=\"DRAFT\" face=\"Arial\" style=3 size=60\n"
        "  item key=\"" + key + "\" title=\"None\" body=\"should not be taken\" face=\"Arial\" style=1 size=9\n";
    File f(text);
    ModelInfo m = {};
    auto d = Fresh();
    const std::u16string before(Fields(*d).WmkInfo_szWmkStr);
    LoadDefaultSettings(f.get(), &m, nullptr, nullptr, d.get());
    EXPECT_EQ(+Fields(*d).wWmkListPos, 1);
    EXPECT_EQ(std::u16string(Fields(*d).WmkInfo_szWmkStr), before);
  }
}

// The edge type's default goes into its byte, the value of the default key
// in the table of edge types.
TEST(LoadDefaults, EdgeTypeDefault) {
  const struct {
    const char* key;
    uint8_t value;
  } cases[] = {{"EdgeD", 2}, {"EdgeC", 1}, {"edgeb", 0}};
  for (const auto& c : cases) {
    File f(std::string("qxd 1\n\nsection \"EdgeType_op\" items 16 default=\"") + c.key +
           "\"\n  item key=\"" + c.key + "\"\n  item key=\"EdgeZ\"\n");
    ModelInfo m = {};
    auto d = Fresh();
    SetDocByte(d.get(), DOC_FIELD_AT(nEdgeType), 9);
    LoadDefaultSettings(f.get(), &m, nullptr, nullptr, d.get());
    EXPECT_EQ(DocByte(d.get(), DOC_FIELD_AT(nEdgeType)), c.value) << c.key;
  }
  File none("qxd 1\n\nsection \"EdgeType_op\" items 16 default=\"EdgeZ\"\n  item key=\"EdgeZ\"\n");
  ModelInfo m = {};
  auto d = Fresh();
  SetDocByte(d.get(), DOC_FIELD_AT(nEdgeType), 9);
  LoadDefaultSettings(none.get(), &m, nullptr, nullptr, d.get());
  EXPECT_EQ(DocByte(d.get(), DOC_FIELD_AT(nEdgeType)), 9) << "an unknown edge type leaves the byte";
}

}  // namespace
