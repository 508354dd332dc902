// The model capability record, its lists and the paper, tray and media
// tables, from description files compiled from text.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "common/records/builtin_dev_option.h"
#include "common/records/doc_fields.h"
#include "common/qxd/model_info.h"
#include "common/qxd/paper_tables.h"
#include "tests/support/model_fixture.h"
#include "tests/support/test_paths.h"

namespace {

using modeltest::Compile;
using modeltest::File;

struct ModelDeleter {
  void operator()(ModelInfo* m) const { FreeModelInfoRecord(m); }
};
using ModelPtr = std::unique_ptr<ModelInfo, ModelDeleter>;

constexpr ModelBuildEnv kWin61{true, 1, true};

ModelPtr Build(const std::string& text, const ModelBuildEnv& env = kWin61) {
  ResetInputTrayTable();
  File f(text);
  return ModelPtr(BuildModelInfo(f.get(), env));
}

std::string Features(const std::string& pairs) { return "qxd 1\n\nsection \"FeatureSetting\" pairs\n" + pairs; }

std::u16string Wide(const char16_t* s) { return std::u16string(s); }

TEST(FeatureSetting, DefaultsWithoutTheSection) {
  ModelPtr m = Build("qxd 1\n\nsection \"Other\" value \"x\"\n");
  ASSERT_NE(m, nullptr);
  for (uint32_t i = 0; i < kModelFeatureCount; ++i) {
    uint32_t expected = 0;
    if (i == kMfMediaTypeDevStatus || i == kMfMediaTypeInfo || i == kMfVerifyAuthentic) expected = 1;
    if (i == kMfPerPageEditLines) expected = 20;
    EXPECT_EQ(m->features[i], expected) << "field " << i + 1;
  }
}

TEST(FeatureSetting, ValueRules) {
  struct Case {
    const char* pairs;
    ModelFeature field;
    uint32_t expected;
  };
  const Case cases[] = {
      {"  pair \"PPS_LVEditLines\" \"5\"\n", kMfPerPageEditLines, 20},
      {"  pair \"PPS_LVEditLines\" \"300\"\n", kMfPerPageEditLines, 256},
      {"  pair \"PPS_LVEditLines\" \"64\"\n", kMfPerPageEditLines, 64},
      {"  pair \"VQPJLVer\" \" +7\"\n", kMfPjlVersion, 7},
      {"  pair \"VQPJLVer\" \"-3\"\n", kMfPjlVersion, 0},
      {"  pair \"VQPJLVer\" \"x\"\n", kMfPjlVersion, 0},
      {"  pair \"Dlg_ColorSetting\" \"type3\"\n", kMfColorSettingType, 3},
      {"  pair \"Dlg_ColorSetting\" \"TYPE0\"\n", kMfColorSettingType, 1},
      {"  pair \"Dlg_ColorSetting\" \"TYPE256\"\n", kMfColorSettingType, 1},
      {"  pair \"Dlg_ColorSetting\" \"TYPE07\"\n", kMfColorSettingType, 1},
      {"  pair \"Staple\" \"enable\"\n", kMfStaple, 1},
      {"  pair \"Staple\" \"Enabled\"\n", kMfStaple, 0},
      {"  pair \"Staple\" \"Enable\"\n  pair \"Staple\" \"Disable\"\n", kMfStaple, 0},
      {"  pair \"SeparatePagePrint\" \"Driver\"\n", kMfSeparatePagePrint, 1},
      {"  pair \"SeparatePagePrint\" \"Driver\"\n", kMfSeparatePageDriver, 1},
      {"  pair \"SeparatePagePrint\" \"Enable\"\n", kMfSeparatePageDriver, 0},
      {"  pair \"SeparatePagePrint\" \"Disable\"\n", kMfSeparatePagePrint, 0},
      {"  pair \"OHP_Interleave\" \"Enable\"\n  pair \"OHP_Interleave_op\" \"Auto\"\n", kMfOhpInterleaveOp, 1},
      {"  pair \"OHP_Interleave_op\" \"Auto\"\n  pair \"OHP_Interleave\" \"Enable\"\n", kMfOhpInterleaveOp, 0},
      {"  pair \"Dlg_ColorAdjust\" \"Disable\"\n", kMfColorAdjustType, 1},
      {"  pair \"Dlg_ColorAdjust\" \"TYPE2\"\n", kMfColorAdjustType, 2},
      {"  pair \"HeaderFooterNumber\" \"Number\"\n", kMfNumberKind, 1},
      {"  pair \"HeaderFooterNumber\" \"Number\"\n", kMfHeaderFooterKind, 0},
      {"  pair \"UserAuthentication\" \"Enable\"\n", kMfUserAuthentication2, 1},
      {"  pair \"BindingEdge\" \"4Bind\"\n", kMfBindingEdge4, 1},
      {"  pair \"PPS_TabPaper\" \"Enable\"\n", kMfPpsTabPaper, 0},  // Windows 6.1
  };
  for (const Case& c : cases) {
    ModelPtr m = Build(Features(c.pairs));
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->features[c.field], c.expected) << c.pairs;
  }
}

TEST(FeatureSetting, LocaleAndWindowsVersion) {
  const std::string smoothing = Features("  pair \"Smoothing\" \"Enable_JALocale\"\n  pair \"PPS_TabPaper\" \"Enable\"\n");
  EXPECT_EQ(Build(smoothing, {true, 81, true})->features[kMfSmoothing], 1u);
  EXPECT_EQ(Build(smoothing, {true, 1, true})->features[kMfSmoothing], 0u);
  // Libraries other than the procedure library do not know the value.
  EXPECT_EQ(Build(smoothing, {true, 81, false})->features[kMfSmoothing], 0u);
  EXPECT_EQ(Build(smoothing, {false, 1, true})->features[kMfPpsTabPaper], 1u);
}

TEST(CopiesRange, TheCollationValueIsTheSecondLimit) {
  struct Case {
    const char* text;
    uint16_t max, min;
    bool collate;
  };
  const Case cases[] = {
      {"qxd 1\n\nsection \"Copies\" range min=1 max=999 default=1\n", 999, 1, true},
      {"qxd 1\n\nsection \"Copies\" range min=2 max=1 default=1\n", 1, 2, false},
      {"qxd 1\n\nsection \"Other\" value \"x\"\n", 0, 0, false},
  };
  for (const Case& c : cases) {
    ModelPtr m = Build(c.text);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->copiesMax, c.max) << c.text;
    EXPECT_EQ(m->copiesMin, c.min) << c.text;
    EXPECT_EQ(ModelAsksForCollateField(m.get()), c.collate) << c.text;
  }
  EXPECT_FALSE(ModelAsksForCollateField(nullptr));
}

TEST(DeviceInfo, PairsAndFigureStyle) {
  ModelPtr m = Build(
      "qxd 1\n\nsection \"DevInfo\" pairs\n  pair \"PDLType\" \"PCL XL 2.1\"\n  pair \"PrintRateUnit\" \"cps\"\n"
      "  pair \"dmColor\" \"DMCOLOR_MONOCHROME\"\n  pair \"ColorDevice\" \"TRUE\"\n  pair \"PrintRate\" \"33\"\n\n"
      "section \"PaperSizeFigure\" pairs\n  pair \"FigureType\" \"MFP\"\n");
  EXPECT_EQ(m->pdlClass, 2);
  EXPECT_EQ(m->pdlRevision, 1);
  EXPECT_EQ(m->printRateUnit, 2);
  EXPECT_EQ(m->colorMode, 2);
  EXPECT_EQ(m->colorDevice, 1u);
  EXPECT_EQ(m->printRate, 33);
  EXPECT_EQ(m->paperFigureStyle, 1u);
  ModelPtr none = Build("qxd 1\n\nsection \"DevInfo\" pairs\n  pair \"PDLType\" \"none\"\n  pair \"PrintRateUnit\" \"PPM\"\n");
  EXPECT_EQ(none->pdlClass, 0);
  EXPECT_EQ(none->printRateUnit, 1);
  EXPECT_EQ(none->printRateUnit == 0, false);
}

TEST(ModelLists, EmptySectionsGiveATerminatorAndNumbersComeFromKeywords) {
  ModelPtr m = Build(
      "qxd 1\n\nsection \"OutputTray\" items 148\n\n"
      "section \"Smoothing_op\" items 16\n  item key=\"Smooth3\" text=\"Light\"\n  item key=\"Smooth12\" text=\"Strong\"\n\n"
      "section \"Resolution\" items 32\n  layout a:u16@20 b:u16@24 c:u16@28\n"
      "  item key=\"Reso_200x100\" text=\"Standard\" a=1 b=2 c=3\n");
  ASSERT_NE(m->outputTrays, nullptr);
  EXPECT_EQ(m->outputTrays[0].keyword[0], '\0');
  ASSERT_NE(m->smoothingOptions, nullptr);
  EXPECT_EQ(m->smoothingOptions[0].value, 3u);
  EXPECT_EQ(m->smoothingOptions[1].value, 12u);
  EXPECT_EQ(Wide(m->smoothingOptions[1].text), u"Strong");
  ASSERT_NE(m->resolutions, nullptr);
  EXPECT_EQ(m->resolutions[0].resolution, 200);
  EXPECT_EQ(m->resolutions[0].values[2], 3);
  EXPECT_EQ(m->resolutions[1].size, sizeof(ResolutionItem));
  EXPECT_EQ(m->mediaTypes, nullptr);
}

TEST(ModelLists, MachineInfoRows) {
  std::vector<uint8_t> bytes = Compile(
      "qxd 1\n\nsection \"MachineInfo\" groups field=16\n  group \"A\"\n    pair \"PrintRate\" \"30\"\n"
      "  group \"B\"\n");
  File f(bytes);
  ModelPtr m(BuildModelInfo(f.get(), kWin61));
  EXPECT_EQ(m->machineRowCount, 3u);
  ASSERT_NE(m->machines, nullptr);
  EXPECT_STREQ(m->machines[0].name, "A");
  EXPECT_EQ(m->machines[0].itemCount, 2u);
  EXPECT_STREQ(m->machines[0].items[0].key, "PrintRate");
  EXPECT_STREQ(m->machines[0].items[0].value, "30");
  EXPECT_EQ(m->machines[0].items[1].key[0], '\0');
  EXPECT_EQ(m->machines[1].itemCount, 1u);
  EXPECT_EQ(m->machines[2].name[0], '\0');
}

const char kPapers[] =
    "qxd 1\n\nsection \"PaperSize\" items 620 default=\"A4\"\n"
    "  layout id:u32@16 width:u32@24 length:u32@28 maxWidth:u32@32 maxLength:u32@36 marginLeft:u32@136 "
    "marginTop:u32@140 marginsFlag:u32@288 rotated:u32@440 twoUpKey:str32@448 twoUpValue:u32@480 "
    "halfWidth:u32@484 halfLength:u32@488 twoUpText:str128@492\n"
    "  item key=\"Letter\" text=\"Letter\" id=1 width=2159 length=2794\n"
    "  item key=\"A4\" text=\"A4\" id=9 width=2100 length=2970 rotated=1\n"
    "  item key=\"A3\" text=\"A3\" id=8 width=2970 length=4200 twoUpKey=\"A4\" twoUpValue=1 halfWidth=2100 "
    "halfLength=2970 twoUpText=\"Two A4 pages\"\n"
    "  item key=\"UserPaper\" text=\"Custom\" id=256 width=900 length=1400 maxWidth=3000 maxLength=4570 "
    "marginLeft=42 marginTop=43 marginsFlag=1\n";

TEST(PaperList, UserPaperGivesTheCustomLimits) {
  ModelPtr m = Build(kPapers);
  EXPECT_EQ(m->customPaperMinWidth, 900u);
  EXPECT_EQ(m->customPaperMaxWidth, 3000u);
  EXPECT_EQ(m->customPaperMinLength, 1400u);
  EXPECT_EQ(m->customPaperMaxLength, 4570u);
  EXPECT_EQ(m->customPaperMargins[0], 42u);
  EXPECT_EQ(m->customPaperMargins[1], 43u);
  ASSERT_EQ(CountRows(m->papers), 4u);
  EXPECT_EQ(m->papers[2].twoUpValid, 1u);
  EXPECT_EQ(m->papers[1].twoUpValid, 0u);
  EXPECT_EQ(m->papers[4].size, sizeof(PaperSizeEntry));
}

TEST(PaperList, LookUps) {
  ModelPtr m = Build(kPapers);
  EXPECT_EQ(ResolvePaperSizeId(m.get(), 9, 356), 9u);
  EXPECT_EQ(ResolvePaperSizeId(m.get(), 9, 357), 9u);
  EXPECT_EQ(ResolvePaperSizeId(m.get(), 9, 11), 11u);
  EXPECT_EQ(ResolvePaperSizeId(m.get(), 9, 358), 8u);
  EXPECT_EQ(ResolvePaperSizeId(m.get(), 1, 358), 1u);  // no two-up paper for Letter
  EXPECT_EQ(FindTwoUpPaperId(m.get(), 256), 256u);
  EXPECT_EQ(FindTwoUpPaperId(m.get(), 512), 512u);
  EXPECT_EQ(FindTwoUpPaperId(m.get(), 0x1003), 0x1003u);

  auto doc = std::make_unique<DocDMode>();
  std::memset(doc.get(), 0, sizeof *doc);
  SetDocI16(doc.get(), kDocPaperSizeAt, 256);
  SetDocI16(doc.get(), kDocOutPaperSizeAt, 358);
  SetDocI16(doc.get(), kDocUserPaperWidthAt, 2100);
  SetDocI16(doc.get(), kDocUserPaperLengthAt, 2970);
  int32_t w = 0, l = 0;
  ASSERT_TRUE(GetPaperSizeDims(m.get(), doc.get(), &w, &l));
  EXPECT_EQ(w, 2970);
  EXPECT_EQ(l, 4200);
  SetDocI16(doc.get(), kDocOutPaperSizeAt, 256);
  SetDocI16(doc.get(), kDocOutUserPaperWidthAt, 1000);
  SetDocI16(doc.get(), kDocOutUserPaperLengthAt, 1500);
  ASSERT_TRUE(GetPaperSizeDims(m.get(), doc.get(), &w, &l));
  EXPECT_EQ(w, 1000);
  EXPECT_EQ(l, 1500);
  SetDocI16(doc.get(), kDocOutPaperSizeAt, 77);  // no such paper
  EXPECT_FALSE(GetPaperSizeDims(m.get(), doc.get(), &w, &l));

  // A booklet that the device arranges, on a model whose booklets the
  // driver arranges, is not folded by the device.
  ModelPtr driverBooklet = Build(std::string(kPapers) + "\nsection \"FeatureSetting\" pairs\n  pair \"BookletPrint\" \"Driver\"\n");
  SetDocByte(doc.get(), kDocDoubleSidesAt, 3);
  SetDocI16(doc.get(), kDocOutPaperSizeAt, 356);
  SetDocI16(doc.get(), kDocPaperSizeAt, 8);
  PaperSizeInfo info;
  EXPECT_FALSE(GetPaperSizeInfo(driverBooklet.get(), doc.get(), &info));
  ASSERT_TRUE(GetPaperSizeInfo(m.get(), doc.get(), &info));
  EXPECT_EQ(info.halfWidth, 2100u);
}

const char kTrays[] =
    "qxd 1\n\nsection \"InTray\" items 156\n  layout present:u32@24 note:str128@28\n"
    "  item key=\"InTray1\" text=\"Tray 1\" number=257 present=1\n"
    "  item key=\"InTray2\" text=\"Tray 2\" number=258 note=\"not fitted\"\n"
    "  item key=\"InTrayManual\" text=\"Bypass\" number=4 present=1\n\n"
    "section \"ALL_InTray\" items 156\n  layout present:u32@24 note:str128@28\n"
    "  item key=\"InTray2\" number=300 note=\"second drawer\"\n\n"
    "section \"FCoverTray\" items 16\n  item key=\"FCover_Tray2\" text=\"Tray 2\"\n"
    "  item key=\"FCover_Nowhere\" text=\"?\"\n\n"
    "section \"MediaTypeList_Tray\" texts\n  entry key=\"Label_InTrayManual\" text=\"Bypass tray\"\n"
    "  entry key=\"InTray1\" text=\"Unchanged\"\n";

TEST(TrayLists, PresenceAliasesAndLabels) {
  ModelPtr m = Build(kTrays);
  // The tray that is not present ends the list for every user.
  EXPECT_EQ(CountRows(m->inTrays), 1u);
  EXPECT_STREQ(m->inTrays[1].note, "not fitted");
  ASSERT_NE(m->frontCoverTrays, nullptr);
  EXPECT_EQ(m->frontCoverTrays[0].value, 300u);
  EXPECT_EQ(m->frontCoverTrays[1].value, 0u);
  EXPECT_STREQ(InputTrayTable()[3].text, "second drawer");
  // Only the first present tray has a label row; the exact key changes nothing.
  ASSERT_NE(m->trayMediaLabels, nullptr);
  EXPECT_STREQ(m->trayMediaLabels[0].keyword, "InTray1");
  EXPECT_EQ(m->trayMediaLabels[0].label[0], 0);
}

TEST(TrayLists, ALabelEntryEndingInATrayKeywordRelabelsIt) {
  ModelPtr m = Build(
      "qxd 1\n\nsection \"InTray\" items 156\n  layout present:u32@24\n"
      "  item key=\"InTray1\" number=257 present=1\n  item key=\"InTrayManual\" number=4 present=1\n\n"
      "section \"MediaTypeList_Tray\" texts\n  entry key=\"Label_InTrayManual\" text=\"Bypass tray\"\n");
  ASSERT_NE(m->trayMediaLabels, nullptr);
  EXPECT_STREQ(m->trayMediaLabels[1].keyword, "Label_InTrayManual");
  EXPECT_EQ(Wide(m->trayMediaLabels[1].label), u"Bypass tray");
  EXPECT_STREQ(m->trayMediaLabels[0].keyword, "InTray1");
}

std::string DeviceOptions(int options, bool interim) {
  std::string text = "qxd 1\n\n";
  if (interim) text += "section \"FeatureSetting\" pairs\n  pair \"InterimAuthenticSetting\" \"Enable\"\n\n";
  text += "section \"DeviceOption\" items 28\n";
  for (int i = 0; i < options; ++i) text += "  item key=\"Opt" + std::to_string(i) + "\"\n";
  for (int i = 0; i < options; ++i) {
    text += "\nsection \"Opt" + std::to_string(i) + "\" items 16 default=\"B" + std::to_string(i) + "\"\n";
    text += "  item key=\"A" + std::to_string(i) + "\"\n  item key=\"B" + std::to_string(i) + "\"\n";
  }
  return text;
}

TEST(DeviceOptionList, SeventyOptionsGiveSixtyFourDefaults) {
  File f(DeviceOptions(70, false));
  ModelPtr m(BuildModelInfo(f.get(), kWin61));
  DevOption defaults;
  InitBuiltInDevOption(&defaults);
  DeviceOptionItem* list = LoadDeviceOptionList(f.get(), m.get(), &defaults);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(CountRows(list), 70u);
  EXPECT_EQ(defaults.optionCount, 64u);
  for (uint32_t i = 0; i < 64; ++i) EXPECT_EQ(defaults.optionValues[i], 1u) << i;
  EXPECT_STREQ(list[69].values[1].keyword, "B69");
  FreeDeviceOptionList(list);
}

TEST(DeviceOptionList, InterimServerValueAndFailures) {
  const std::string auth =
      "qxd 1\n\nsection \"DeviceOption\" items 28\n  item key=\"DevUserAuthentication\"\n\n"
      "section \"DevUserAuthentication\" items 16 default=\"Zeta\"\n  item key=\"A\"\n"
      "  item key=\"DevUserAuthentic_InterSV\"\n  item key=\"B\"\n  item key=\"Zeta\"\n";
  for (bool interim : {false, true}) {
    const std::string text =
        interim ? auth + "\nsection \"FeatureSetting\" pairs\n  pair \"InterimAuthenticSetting\" \"Enable\"\n" : auth;
    File f(text);
    ModelPtr m(BuildModelInfo(f.get(), kWin61));
    DevOption defaults = {};
    DeviceOptionItem* list = LoadDeviceOptionList(f.get(), m.get(), &defaults);
    ASSERT_NE(list, nullptr);
    const OptionItem* v = list[0].values;
    EXPECT_STREQ(v[1].keyword, interim ? "DevUserAuthentic_InterSV" : "B");
    EXPECT_EQ(v[1].value, 1u);
    EXPECT_EQ(CountRows(v), interim ? 4u : 3u);
    EXPECT_EQ(defaults.optionValues[0], interim ? 3u : 2u);
    FreeDeviceOptionList(list);
  }
  // An option whose own section is missing leaves no list at all.
  File missing("qxd 1\n\nsection \"DeviceOption\" items 28\n  item key=\"Gone\"\n");
  DevOption defaults = {};
  EXPECT_EQ(LoadDeviceOptionList(missing.get(), nullptr, &defaults), nullptr);
  EXPECT_EQ(defaults.optionCount, 0u);
}

// Rows that share their records cannot make a small file cost more than
// the file can honestly describe: all device options' values together, and
// all machines' items together, stand on no more bytes than the file has.
TEST(SharedRows, DeviceOptionsNamingOneValueSectionAreRefused) {
  auto options = [](int count) {
    std::string text = "qxd 1\n\nsection \"DeviceOption\" items 28\n";
    for (int i = 0; i < count; ++i) text += "  item key=\"Opt\"\n";
    text += "\nsection \"Opt\" items 16\n";
    for (int v = 0; v < 200; ++v) text += "  item key=\"V" + std::to_string(v) + "\"\n";
    return text;
  };
  File one(options(1));
  DevOption defaults = {};
  DeviceOptionItem* list = LoadDeviceOptionList(one.get(), nullptr, &defaults);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(CountRows(list[0].values), 200u);
  FreeDeviceOptionList(list);
  File many(options(40));
  EXPECT_EQ(LoadDeviceOptionList(many.get(), nullptr, &defaults), nullptr);
  EXPECT_EQ(defaults.optionCount, 0u);
}

TEST(SharedRows, MachinesPointingAtOneItemListTakeNoMoreThanTheFileHolds) {
  std::string text = "qxd 1\n\nsection \"MachineInfo\" groups field=16\n  group \"Big\"\n";
  for (int i = 0; i < 100; ++i) text += "    pair \"K" + std::to_string(i) + "\" \"V\"\n";
  for (int g = 0; g < 30; ++g) text += "  group \"G" + std::to_string(g) + "\"\n";
  qxd::Placement place;
  std::vector<uint8_t> bytes = Compile(text, &place);
  const std::vector<uint32_t>& groups = place.sections[0].records;
  const uint32_t bigCount = qxd::GetU32(bytes, groups[0] + 16);
  const uint32_t bigItems = qxd::GetU32(bytes, groups[0] + 20);
  for (size_t g = 1; g < groups.size(); ++g) {
    qxd::PatchU32(&bytes, groups[g] + 16, bigCount);
    qxd::PatchU32(&bytes, groups[g] + 20, bigItems);
  }
  File f(bytes);
  ModelPtr m(BuildModelInfo(f.get(), kWin61));
  ASSERT_NE(m->machines, nullptr);
  EXPECT_EQ(m->machines[0].itemCount, 101u);  // the honest row keeps its items
  size_t items = 0;
  for (uint32_t i = 0; i + 1 < m->machineRowCount; ++i) items += m->machines[i].itemCount - 1;
  EXPECT_LE(items * 32, bytes.size());
}

TEST(MediaLists, ClosingItems) {
  const std::string base =
      "qxd 1\n\nsection \"MediaType\" items 156 default=\"Plain\"\n  item key=\"Plain\" text=\"Plain\" number=1\n\n"
      "section \"MediaPrePunched\" items 148\n  item key=\"Punched\" text=\"Punched\" number=2\n\n"
      "section \"MediaTypeList_Type\" texts\n  entry key=\"MediaTypeList_Type_Unknown\" text=\"Other type\"\n";
  for (bool hole : {false, true}) {
    const std::string text =
        hole ? base + "\nsection \"MediaTypeList_Hole\" texts\n  entry key=\"MediaTypeList_Hole_Unknown\" text=\"Other\"\n"
             : base;
    File f(text);
    ModelPtr m(BuildModelInfo(f.get(), kWin61));
    MediaTypeLists* lists = LoadMediaTypeLists(f.get(), m.get());
    ASSERT_NE(lists, nullptr);
    EXPECT_STREQ(lists->types[1].keyword, "MediaTypeList_Type_Unknown");
    EXPECT_EQ(lists->types[1].value, 0xFFFFFFFFu);
    EXPECT_EQ(CountRows(lists->prePunched), hole ? 2u : 1u);
    EXPECT_EQ(lists->prePunched[1].value, hole ? 255u : 0u);
    EXPECT_EQ(lists->orientations[0].keyword[0], '\0');
    FreeMediaTypeLists(lists);
  }
}

TEST(DefaultTrayMedia, LocalePaperAndDefaults) {
  File f(std::string(kPapers) +
         "\nsection \"MediaType\" items 156 default=\"Thick\"\n  item key=\"Plain\" number=1\n  item key=\"Thick\" number=5\n\n"
         "section \"EMFSpool\" items 28 default=\"On\"\n  item key=\"Off\" number=0\n  item key=\"On\" number=1\n");
  DevOption record;
  InitBuiltInDevOption(&record);
  LoadPaperMediaRecords(f.get(), "Letter", &record);
  EXPECT_EQ(record.trays[0].paperId, 1);
  EXPECT_EQ(record.trays[9].mediaType, 5);
  EXPECT_EQ(record.trays[9].orientation, 1);
  EXPECT_EQ(record.emfSpool, 1);
  LoadPaperMediaRecords(f.get(), "Tabloid", &record);  // not in the list: the default item's
  EXPECT_EQ(record.trays[3].paperId, 9);
}

TEST(DamagedFiles, CountsAndOffsetsEndWithoutCrash) {
  qxd::Placement placement;
  std::vector<uint8_t> good = Compile(std::string(kPapers) + "\n" + std::string(kTrays).substr(7) +
                                          "\nsection \"DeviceOption\" items 28\n  item key=\"Opt\"\n\n"
                                          "section \"Opt\" items 16\n  item key=\"A\"\n",
                                      &placement);
  struct Damage {
    const char* what;
    int field;  // 0 list count, 1 index offset, 2 first index entry, 3 key offset of the first record
    uint32_t value;
  };
  const Damage damages[] = {{"huge count", 0, 0xFFFFFFFFu},   {"count past the index", 0, 100000},
                            {"index beyond the file", 1, 0xFFFFFFF0u}, {"record beyond the file", 2, 0x7FFFFFFFu},
                            {"key offset beyond the file", 3, 0xFFFFFFFFu}};
  for (size_t s = 0; s < placement.sections.size(); ++s) {
    for (const Damage& d : damages) {
      std::vector<uint8_t> bytes = good;
      const qxd::SectionPlace& place = placement.sections[s];
      if (d.field == 0) qxd::PatchU32(&bytes, place.list, d.value);
      if (d.field == 1) qxd::PatchU32(&bytes, place.list + 8, d.value);
      if (d.field == 2) qxd::PatchU32(&bytes, place.index, d.value);
      if (d.field == 3 && !place.records.empty()) qxd::PatchU32(&bytes, place.records[0], d.value);
      ResetInputTrayTable();
      File f(bytes);
      ModelPtr m(BuildModelInfo(f.get(), kWin61));
      ASSERT_NE(m, nullptr) << d.what;
      DevOption defaults = {};
      FreeDeviceOptionList(LoadDeviceOptionList(f.get(), m.get(), &defaults));
      FreeMediaTypeLists(LoadMediaTypeLists(f.get(), m.get()));
      EXPECT_LE(defaults.optionCount, 64u);
    }
  }
}

}  // namespace

namespace {

TEST(SampleModel, BuildsTheFaxModel) {
  std::ifstream in(testsupport::BinaryPath("model/VELDRANH.QXD"), std::ios::binary);
  ASSERT_TRUE(in.good());
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ResetInputTrayTable();
  File f(bytes);
  ModelPtr m(BuildModelInfo(f.get(), kWin61));
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(CountRows(m->papers), 5u);
  EXPECT_EQ(m->customPaperMaxLength, 4320u);
  EXPECT_EQ(CountRows(m->inTrays), 3u);  // the drawer that is not fitted comes last
  EXPECT_EQ(CountRows(m->resolutions), 3u);
  EXPECT_EQ(m->resolutions[2].resolution, 400);
  EXPECT_EQ(m->features[kMfFCoverPrint], 1u);
  EXPECT_EQ(m->pdlClass, 2);

  DevOption defaults;
  InitBuiltInDevOption(&defaults);
  DeviceOptionItem* options = LoadDeviceOptionList(f.get(), m.get(), &defaults);
  ASSERT_NE(options, nullptr);
  EXPECT_EQ(CountRows(options), 3u);
  EXPECT_EQ(CountRows(options[0].values), 4u);  // the relay server is offered too
  FreeDeviceOptionList(options);
  LoadPaperMediaRecords(f.get(), "Letter", &defaults);
  EXPECT_EQ(defaults.trays[0].paperId, 1);
  EXPECT_EQ(defaults.trays[0].mediaType, 1);
  EXPECT_EQ(defaults.emfSpool, 1);
  MediaTypeLists* lists = LoadMediaTypeLists(f.get(), m.get());
  ASSERT_NE(lists, nullptr);
  EXPECT_EQ(CountRows(lists->orientations), 3u);
  FreeMediaTypeLists(lists);
}

}  // namespace
