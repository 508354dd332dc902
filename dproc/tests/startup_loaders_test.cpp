// The description-file sections that the procedure library reads at
// start-up into its own tables: sheet tab tips, cover-sheet styles, the
// settings-interface messages, edit limits, watermarks, fonts and settings.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/qxd/fax_cover_styles.h"
#include "dproc/startup/color_option_lists.h"
#include "dproc/startup/edit_range_limits.h"
#include "dproc/startup/model_startup_defaults.h"
#include "dproc/startup/per_page_slots.h"
#include "dproc/startup/sheet_tab_tips.h"
#include "dproc/startup/sprinst_messages.h"
#include "dproc/startup/startup_settings.h"
#include "common/records/doc_fields.h"
#include "dproc/model/default_settings.h"
#include "dproc/startup/watermark_defaults.h"
#include "tools/qxd/qxd_document.h"

namespace {

struct ContextCloser {
  void operator()(QxdContext* ctx) const { QxdClose(ctx); }
};
using Context = std::unique_ptr<QxdContext, ContextCloser>;

Context Compile(const std::string& sections) {
  qxd::Document doc;
  std::string error;
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(qxd::ParseText("qxd 1\n\n" + sections, &doc, &error)) << error;
  EXPECT_TRUE(qxd::Build(doc, &bytes, &error)) << error;
  return Context(QxdOpenImage(bytes.data(), bytes.size()));
}

std::u16string W(const char16_t* text) { return std::u16string(text); }

// A wide field of a packed record, which may lie at an odd address.
std::u16string PackedText(const void* field, size_t units) {
  std::u16string text(units, u'\0');
  std::memcpy(text.data(), field, units * sizeof(char16_t));
  return text.substr(0, text.find(u'\0'));
}
#define Packed(field) PackedText(&(field), sizeof(field) / sizeof(char16_t))

// Every test starts from the built-in tables and leaves them as it found them.
class StartupTables : public ::testing::Test {
 protected:
  void SetUp() override {
    Keep(g_sheetTabTips, sizeof g_sheetTabTips);
    Keep(g_faxCoverStyles, sizeof g_faxCoverStyles);
    Keep(g_editRangeLimits, sizeof g_editRangeLimits);
    Keep(g_defaultWatermarks, sizeof g_defaultWatermarks);
    Keep(g_watermarkFonts, sizeof g_watermarkFonts);
    Keep(g_defaultWatermarkFace, sizeof g_defaultWatermarkFace);
    Keep(g_watermarkNoneText, sizeof g_watermarkNoneText);
    Keep(g_overlayNoneText, sizeof g_overlayNoneText);
    Keep(g_makerName, sizeof g_makerName);
    Keep(g_consumablesUrl, sizeof g_consumablesUrl);
    Keep(g_dlManagerFileName, sizeof g_dlManagerFileName);
    Keep(&g_webShopFlag, sizeof g_webShopFlag);
    Keep(g_colorSettingList, sizeof g_colorSettingList);
    for (const ColorProfileListSpec& spec : kColorProfileLists) Keep(spec.list, spec.rows * sizeof(OptionItem));
    Keep(g_textRgbProfShort, sizeof g_textRgbProfShort);
    Keep(g_textDestinationList, sizeof g_textDestinationList);
    Keep(g_imgDestinationList, sizeof g_imgDestinationList);
    Keep(g_graphDestinationList, sizeof g_graphDestinationList);
    Keep(g_defaultDialogFace, sizeof g_defaultDialogFace);
    Keep(&g_defaultIndexPaper, sizeof g_defaultIndexPaper);
  }
  void TearDown() override {
    for (const Saved& saved : saved_) std::memcpy(saved.table, saved.bytes.data(), saved.bytes.size());
    FreeSprinstErrorMessages();
  }

 private:
  struct Saved {
    void* table;
    std::vector<uint8_t> bytes;
  };
  void Keep(void* table, size_t size) {
    const uint8_t* p = static_cast<const uint8_t*>(table);
    saved_.push_back({table, std::vector<uint8_t>(p, p + size)});
  }
  std::vector<Saved> saved_;
};

// --- Sheet tab tips -------------------------------------------------------

TEST_F(StartupTables, TabTitlesAndTipLines) {
  Context ctx = Compile(
      "section \"Property_1\" texts\n"
      "  entry key=\"Prop_Layout\" text=\"Not this one\"\n"
      "  entry key=\"PROP_BASIC\" text=\"Basic\"\n"
      "\n"
      "section \"Tab_Prop_Layout\" texts\n"
      "  entry key=\"L1\" text=\"Arrange pages on the sheet.\"\n"
      "  entry key=\"L2\"\n"
      "  entry key=\"L3\" text=\"Choose the output size.\"\n"
      "  entry key=\"L4\" text=\"Zoom the image.\"\n");
  std::memcpy(g_sheetTabTips[1].tipText, u"kept", 10);
  LoadSheetTabTipTexts(ctx.get());
  EXPECT_EQ(W(g_sheetTabTips[1].title), u"Basic");  // key found whatever its case
  EXPECT_EQ(W(g_sheetTabTips[2].title), u"");       // "Property_2" is absent
  EXPECT_EQ(W(g_sheetTabTips[2].tipText), u"Arrange pages on the sheet.\r\nChoose the output size.\r\nZoom the image.");
  EXPECT_EQ(W(g_sheetTabTips[1].tipText), u"kept");  // no "Tab_Prop_Basic": the text stays
}

TEST_F(StartupTables, TabTipTextIsCutAtItsField) {
  std::string line(250, 'x');
  std::string text = "section \"Tab_Prop_Fax\" texts\n";
  for (int i = 0; i < 4; ++i) text += "  entry key=\"T\" text=\"" + line + "\"\n";
  Context ctx = Compile(text);
  LoadSheetTabTipTexts(ctx.get());
  std::u16string tip = g_sheetTabTips[0].tipText;
  EXPECT_EQ(tip.size(), 511u);
  EXPECT_EQ(tip.substr(250, 2), u"\r\n");
}

// --- Cover-sheet styles ---------------------------------------------------

TEST_F(StartupTables, CoverStyleWordsMatchWholeKeysOfTheirOwnStyle) {
  std::string title60(60, 'T'), face40(40, 'F');
  Context ctx = Compile(
      "section \"FcsBStyle00\" texts\n"
      "  entry key=\"fcsbs0fax\" text=\"" + title60 + "\"\n"
      "  entry key=\"FcsBS0Font\" text=\"" + face40 + "\"\n"
      "  entry key=\"FcsBS0ToX\" text=\"prefix only\"\n"
      "  entry key=\"FcsBS0E-mail\" text=\"E-mail:\"\n"
      "\n"
      "section \"FcsBStyle01\" texts\n"
      "  entry key=\"FcsBS0Fax\" text=\"other style's key\"\n"
      "  entry key=\"FcsBS1To\" text=\"First\"\n"
      "  entry key=\"FcsBS1To\" text=\"To:\"\n"
      "  entry key=\"FcsBS1FaxTrans\" text=\"Fax Transmission\"\n"
      "\n"
      "section \"FcsBStyle03\" texts\n"
      "  entry key=\"FcsBS3FAXTRANSSHEET\" text=\"FAX TRANSMITTAL SHEET\"\n"
      "  entry key=\"FcsBS3Re\" text=\"Re:\"\n");
  LoadFaxCoverStyles(ctx.get());
  const FaxCoverStyle* s = g_faxCoverStyles;
  EXPECT_EQ(W(s[0].szStyleTitle), std::u16string(47, u'T'));
  EXPECT_EQ(W(s[0].szFontFace), std::u16string(31, u'F'));
  EXPECT_EQ(W(s[0].szLabelTo), u"");
  EXPECT_EQ(W(s[0].szLabelEMail), u"E-mail:");
  EXPECT_EQ(W(s[1].szStyleTitle), u"Fax Transmission");
  EXPECT_EQ(W(s[1].szLabelTo), u"To:");  // the later entry wins
  EXPECT_EQ(W(s[2].szStyleTitle), u"");  // no section: untitled, no labels
  EXPECT_EQ(W(s[2].szLabelRe), u"");
  EXPECT_EQ(W(s[3].szStyleTitle), u"FAX TRANSMITTAL SHEET");
  EXPECT_EQ(W(s[3].szLabelRe), u"Re:");
  // Geometry and items are the library's own.
  for (const FaxCoverStyle& style : g_faxCoverStyles) {
    EXPECT_EQ(style.pItems, g_coverLayoutItems);
    EXPECT_EQ(style.nItems, 9);
    EXPECT_EQ(style.rcFrame[2], 2000);
  }
}

// --- Settings-interface messages ------------------------------------------

TEST_F(StartupTables, SettingsMessagesFirstEntryPerKeyAndBoundedTexts) {
  Context ctx = Compile(
      "section \"DDJOV_ErrMsg\" texts\n"
      "  entry key=\"ermsg_01\" value=\"The printer cannot be opened.\"\n"
      "  entry key=\"ERMSG_01\" value=\"A second text for the same code.\"\n"
      "  entry key=\"ERMSG_07\" value=\"" + std::string(289, 'a') + "\"\n"
      "  entry key=\"ERMSG_08\" value=\"" + std::string(290, 'b') + "\"\n"
      "  entry key=\"ERMSG_XX\" value=\"The settings could not be transferred.\"\n"
      "  entry key=\"ERMSG_15\" value=\"No such code.\"\n");
  LoadSprinstErrorMessages(ctx.get());
  EXPECT_STREQ(g_sprinstMessages[1].text, "The printer cannot be opened.");
  EXPECT_EQ(std::strlen(g_sprinstMessages[7].text), 289u);
  EXPECT_TRUE(g_sprinstMessages[8].loaded);  // too long: the row holds an empty text
  EXPECT_STREQ(g_sprinstMessages[8].text, "");
  EXPECT_FALSE(g_sprinstMessages[12].loaded);
  EXPECT_STREQ(g_sprinstMessages[15].text, "The settings could not be transferred.");
  FreeSprinstErrorMessages();
  for (const SprinstMessageRow* row = g_sprinstMessages; row->key != nullptr; ++row) EXPECT_FALSE(row->loaded);
  LoadSprinstErrorMessages(nullptr);
}

// --- Edit limits ----------------------------------------------------------

TEST_F(StartupTables, RangeSectionsSetLimitsInTheirFieldsUnit) {
  Context ctx = Compile(
      "section \"ImgShiftMFP_FrontH\" range min=0 max=250 default=0\n"
      "\n"
      "section \"ImgShiftPrn_BackV\" range min=-50 max=50 default=0\n"
      "\n"
      "section \"BindShift_Back\" range min=2 max=30 default=0\n"
      "\n"
      "section \"PIBInsertPage\" range min=1 max=8 default=1\n");
  LoadEditRangeLimits(ctx.get());
  auto limits = [](size_t id) { return std::make_pair(g_editRangeLimits[id].minimum, g_editRangeLimits[id].maximum); };
  EXPECT_EQ(limits(kRangeImgShiftMfpFrontH), std::make_pair(0, 2500));
  EXPECT_EQ(limits(kRangeImgShiftPrnBackV), std::make_pair(-500, 500));
  EXPECT_EQ(limits(kRangeBindShiftBack), std::make_pair(2, 30));
  EXPECT_EQ(limits(kRangeBackInsertPage), std::make_pair(1, 8));
  // Absent sections keep the built-in limits.
  EXPECT_EQ(limits(kRangeImgShiftMfpFrontO), std::make_pair(0, 500));
  EXPECT_EQ(limits(kRangeDivideFinish), std::make_pair(1, 9999));
  int32_t lo = 7, hi = 7;
  EXPECT_FALSE(ReadRangeSection(ctx.get(), "TABImageShift", &lo, &hi));
  EXPECT_EQ(lo, 7);
}

// --- Watermarks, fonts, overlay -------------------------------------------

const char kWatermarkLayout[] =
    "  layout title:wtext@20 printed:wtext@32 face:wtext@44 style:u16@48 size:u16@52 color:u32@56 angle:i16@60 "
    "x:i32@64 y:i32@68 frame:u16@72 transparent:u8@76 first:u8@77 repeat:u8@78\n";

std::string Watermarks(int count, int noneAt) {
  std::string text = std::string("section \"Watermark\" items 80\n") + kWatermarkLayout;
  for (int i = 0; i < count; ++i) {
    if (i == noneAt) {
      text += "  item key=\"WM_None\" title=\"(no watermark)\"\n";
      continue;
    }
    std::string n = std::to_string(i);
    text += "  item key=\"WM_" + n + "\" printed=\"Text " + n + "\" title=\"Name " + n +
            "\" face=\"Tahoma\" style=3 size=" + std::to_string(40 + i) +
            " color=255 angle=-45 x=25 y=-30 frame=2 transparent=1 first=1 repeat=1\n";
  }
  return text;
}

TEST_F(StartupTables, WatermarkSectionReplacesTheDefaultsUpToTwenty) {
  Context ctx = Compile(Watermarks(25, -1));
  LoadDefaultWatermarks(ctx.get(), true);
  EXPECT_EQ(Packed(g_defaultWatermarks[19].szWmkTitle), u"Name 19");
  const WaterMarkInfo& w = g_defaultWatermarks[3];
  EXPECT_STREQ(w.szKey, "WM_3");
  EXPECT_EQ(Packed(w.szWmkStr), u"Text 3");
  EXPECT_EQ(Packed(w.szFontName), u"Tahoma");
  EXPECT_EQ(int{w.nStyle}, 3);
  EXPECT_EQ(int{w.wSize}, 43);
  EXPECT_EQ(uint32_t{w.crColor}, 255u);
  EXPECT_EQ(int{w.nAngle}, -45);
  EXPECT_EQ(int32_t{w.ptWmkPosX}, 25);
  EXPECT_EQ(int32_t{w.ptWmkPosY}, -30);
  EXPECT_EQ(int32_t{w.ptStrPosX}, 0);
  EXPECT_EQ(int{w.wFrame}, 2);
  EXPECT_EQ(w.bBkGrnd + w.bFstPg + w.bMultiStamp, 3);
}

TEST_F(StartupTables, WatermarkNoneEntryGivesTheNoneTextAndNoRecord) {
  Context ctx = Compile(Watermarks(25, 4));
  LoadDefaultWatermarks(ctx.get(), false);
  EXPECT_EQ(W(g_watermarkNoneText), u"(no watermark)");
  EXPECT_EQ(Packed(g_defaultWatermarks[3].szWmkTitle), u"Name 3");
  EXPECT_EQ(Packed(g_defaultWatermarks[4].szWmkTitle), u"Name 5");
  EXPECT_EQ(Packed(g_defaultWatermarks[18].szWmkTitle), u"Name 19");
  EXPECT_EQ(Packed(g_defaultWatermarks[19].szWmkTitle), u"");  // 19 records, the list ends there
  for (const WaterMarkInfo& w : g_defaultWatermarks) EXPECT_EQ(uint32_t{w.crColor}, kMonochromeWatermarkColor);
}

// The model's default watermark in the settings is the same watermark as the
// one of the default list: both come from one reader of the items.
TEST_F(StartupTables, TheDefaultSettingsTakeTheDefaultListsWatermark) {
  std::string text = Watermarks(4, 0);
  text.replace(text.find(" items 80\n"), 10, " items 80 default=\"WM_2\"\n");
  Context ctx = Compile(text);
  LoadDefaultWatermarks(ctx.get(), true);
  ModelInfo model = {};
  model.colorDevice = 1;
  auto settings = std::make_unique<DocDMode>();
  LoadDefaultSettings(ctx.get(), &model, nullptr, nullptr, settings.get());
  const DocFields& f = Fields(*settings);
  const WaterMarkInfo& listed = g_defaultWatermarks[1];
  EXPECT_EQ(Packed(listed.szWmkTitle), u"Name 2");
  EXPECT_EQ(int{f.wWmkListPos}, 2);
  EXPECT_EQ(Packed(f.WmkInfo_szWmkTitle), Packed(listed.szWmkTitle));
  EXPECT_EQ(Packed(f.WmkInfo_szWmkStr), u"Text 2");
  EXPECT_EQ(Packed(f.WmkInfo_szWmkStr), Packed(listed.szWmkStr));
  EXPECT_EQ(Packed(f.WmkInfo_szFontName), Packed(listed.szFontName));
  EXPECT_EQ(int{f.WmkInfo_wSize}, int{listed.wSize});
  EXPECT_EQ(int{f.WmkInfo_nAngle}, int{listed.nAngle});
  EXPECT_EQ(int32_t(f.WmkInfo_ptWmkPos_y), int32_t{listed.ptWmkPosY});
}

TEST_F(StartupTables, WithoutSectionsTheBuiltInsStay) {
  Context ctx = Compile("section \"Other\" texts\n");
  LoadDefaultWatermarks(ctx.get(), false);
  LoadWatermarkFonts(ctx.get());
  LoadOverlayNoneText(ctx.get());
  EXPECT_EQ(Packed(g_defaultWatermarks[0].szWmkTitle), u"CONFIDENTIAL");
  EXPECT_EQ(int{g_defaultWatermarks[3].nAngle}, -45);
  EXPECT_EQ(Packed(g_defaultWatermarks[5].szWmkTitle), u"FINAL");
  EXPECT_EQ(Packed(g_defaultWatermarks[6].szWmkTitle), u"");
  EXPECT_EQ(W(g_defaultWatermarkFace), u"Arial");
  EXPECT_EQ(W(g_overlayNoneText), u"<None>");
}

TEST_F(StartupTables, WatermarkFontsUpToThirtyTwoAndTheDefaultFace) {
  std::string text = "section \"WM_Font\" items 16 default=\"F7\"\n";
  for (int i = 0; i < 35; ++i) text += "  item key=\"F" + std::to_string(i) + "\" text=\"Face " + std::to_string(i) + "\"\n";
  text += "\nsection \"Overlay\" texts\n  entry key=\"O1\" text=\"(none)\"\n  entry key=\"O2\" text=\"No overlay\"\n";
  Context ctx = Compile(text);
  LoadWatermarkFonts(ctx.get());
  LoadOverlayNoneText(ctx.get());
  EXPECT_EQ(W(g_watermarkFonts[0]), u"Face 0");
  EXPECT_EQ(W(g_watermarkFonts[31]), u"Face 31");
  EXPECT_EQ(W(g_defaultWatermarkFace), u"Face 7");
  EXPECT_EQ(W(g_overlayNoneText), u"No overlay");  // the last entry wins
}

// --- Settings sections ----------------------------------------------------

bool AsciiToWide(const char* text, char16_t* out, size_t capacity) {
  size_t i = 0;
  for (; text[i] != '\0' && i + 1 < capacity; ++i) out[i] = static_cast<unsigned char>(text[i]);
  out[i] = 0;
  return true;
}

TEST_F(StartupTables, SettingsSectionsAndTheirBuiltIns) {
  Context none = Compile("section \"Other\" texts\n");
  LoadStartupSettings(none.get(), AsciiToWide);
  EXPECT_EQ(g_webShopFlag, 1);
  EXPECT_EQ(W(g_makerName), u"HALDOVAR");
  EXPECT_STREQ(g_dlManagerFileName, "");

  std::string url = "https://supplies.example.com/" + std::string(200, 'p');
  Context ctx = Compile(
      "section \"Tarlo\" items 20\n  layout shop:u8@16\n  item key=\"WebShop\"\n"
      "\n"
      "section \"ConsumSetting\" pairs value=256\n  pair \"url\" \"" + url + "\"\n"
      "\n"
      "section \"DLManagerSetting\" pairs value=256\n  pair \"DLFileName\" \"FAXTOOLS.EXE\"\n"
      "\n"
      "section \"RegistryKeySetting\" pairs value=256\n  pair \"VendorName\" \"Fax Works\"\n");
  LoadStartupSettings(ctx.get(), AsciiToWide);
  EXPECT_EQ(g_webShopFlag, 0);
  EXPECT_EQ(std::string(g_consumablesUrl), url);
  EXPECT_STREQ(g_dlManagerFileName, "FAXTOOLS.EXE");
  EXPECT_EQ(W(g_makerName), u"Fax Works");

  // An empty maker name would break every per-user key: it is not taken.
  Context empty = Compile("section \"RegistryKeySetting\" pairs value=256\n  pair \"VendorName\" \"\"\n");
  LoadStartupSettings(empty.get(), AsciiToWide);
  EXPECT_EQ(W(g_makerName), u"Fax Works");
}

// --- Colour lists ---------------------------------------------------------

std::string Items(const std::string& section, const std::vector<std::string>& keys) {
  std::string text = "section \"" + section + "\" items 16\n";
  for (const std::string& key : keys) text += "  item key=\"" + key + "\" text=\"" + key + " text\"\n";
  return text + "\n";
}

std::vector<std::pair<std::string, uint32_t>> Rows(const OptionItem* list) {
  std::vector<std::pair<std::string, uint32_t>> rows;
  for (; list->keyword[0] != '\0'; ++list) {
    EXPECT_EQ(list->size, sizeof(OptionItem));
    EXPECT_EQ(list->iconId, kRowIconId);
    EXPECT_EQ(W(list->text), qxd::Utf8ToUtf16(std::string(list->keyword) + " text"));
    rows.emplace_back(list->keyword, list->value);
  }
  return rows;
}

using RowList = std::vector<std::pair<std::string, uint32_t>>;

TEST_F(StartupTables, ColorSettingValuesComeFromTheBuiltInTableByKeyword) {
  std::vector<std::string> keys = {"color_doc", "Color_Web", "Color_Own"};
  for (int i = 0; i < 9; ++i) keys.push_back("Color_Extra" + std::to_string(i));
  Context ctx = Compile(Items("ColorSetting", keys));
  LoadColorSettingList(ctx.get());
  RowList rows = Rows(g_colorSettingList);
  ASSERT_EQ(rows.size(), 9u);  // nine options, then the end row
  EXPECT_EQ(rows[0], std::make_pair(std::string("color_doc"), 1u));
  EXPECT_EQ(rows[1], std::make_pair(std::string("Color_Web"), 5u));
  EXPECT_EQ(rows[2], std::make_pair(std::string("Color_Own"), 0u));
}

TEST_F(StartupTables, ProfileListsTakeTheirValuesAndCapacities) {
  Context ctx = Compile(Items("RGBProf", {"Prof_A", "Prof_B", "Prof_C"}) +
                        Items("Text_RGBProf", {"Text_AdobeRGB1998", "text_srgb", "Text_BlueAdjust"}) +
                        Items("Img_RGBProf", {"Text_sRGB", "Img_sRGB"}) +
                        Items("Graph_Halftone", {"Text_Smooth", "Text_Detail", "Text_UltraDetail"}) +
                        Items("DestinationProf", {"Dest_A", "Dest_B"}) +
                        Items("Text_RGBGray", {"Text_BlackOnly", "Text_4Color", "Text_BandG", "Text_Other"}));
  LoadColorProfileLists(ctx.get());
  auto list = [](ColorProfileList id) { return Rows(kColorProfileLists[id].list); };
  EXPECT_EQ(list(kListRgbProf), (RowList{{"Prof_A", 0}, {"Prof_B", 1}}));
  EXPECT_EQ(list(kListTextRgbProf), (RowList{{"Text_AdobeRGB1998", 128}, {"text_srgb", 1}, {"Text_BlueAdjust", 141}}));
  EXPECT_EQ(Rows(g_textRgbProfShort), (RowList{{"Text_AdobeRGB1998", 128}, {"text_srgb", 1}}));
  // The image and graphics lists are looked up in the same (text) tables.
  EXPECT_EQ(list(kListImgRgbProf), (RowList{{"Text_sRGB", 1}, {"Img_sRGB", 0}}));
  EXPECT_EQ(list(kListGraphHalftone), (RowList{{"Text_Smooth", 2}, {"Text_Detail", 1}, {"Text_UltraDetail", 0}}));
  EXPECT_EQ(list(kListDestinationProf), (RowList{{"Dest_A", 0}}));
  EXPECT_EQ(list(kListTextGray), (RowList{{"Text_BlackOnly", 2}, {"Text_4Color", 0}, {"Text_BandG", 1}}));
  EXPECT_TRUE(list(kListSimulationProf).empty());
}

TEST_F(StartupTables, ColorDestinationsNameTheBuiltInOption) {
  Context ctx = Compile(
      "section \"Text_Destination\" items 16\n  item key=\"text_destauto\" text=\"Automatic\"\n\n"
      "section \"Img_Destination\" items 16\n  item key=\"Img_DestAuto\"\n\n"
      "section \"Graph_Destination\" items 16\n  item key=\"Graph_DestPrinter\" text=\"Printer\"\n");
  EXPECT_EQ(LoadColorDestinationList(ctx.get(), 3), 0);
  EXPECT_EQ(LoadColorDestinationList(ctx.get(), 1), 1);
  EXPECT_STREQ(g_textDestinationList[0].keyword, "Text_DestAuto");
  EXPECT_EQ(W(g_textDestinationList[0].text), u"Automatic");
  EXPECT_EQ(LoadColorDestinationList(ctx.get(), 2), 1);
  EXPECT_EQ(W(g_imgDestinationList[0].text), u"Auto");  // no text in the file: the built-in one
  EXPECT_EQ(LoadColorDestinationList(ctx.get(), 4), 1);
  EXPECT_EQ(g_graphDestinationList[0].keyword[0], '\0');  // names no option: the list is empty
  Context none = Compile("section \"Other\" texts\n");
  std::memcpy(g_textDestinationList[0].text, u"kept", sizeof u"kept");
  EXPECT_EQ(LoadColorDestinationList(none.get(), 1), 0);
  EXPECT_EQ(W(g_textDestinationList[0].text), u"kept");
}

// --- Defaults derived from the model --------------------------------------

FinishPositionItem Position(const char* keyword) {
  FinishPositionItem row = {};
  row.size = sizeof row;
  std::strncpy(row.keyword, keyword, sizeof row.keyword - 1);
  return row;
}

TEST_F(StartupTables, FinishChangeDataForTheKeywordsTheModelLists) {
  FinishPositionItem staples[] = {Position("TwoStaplesLeft"), Position("twostaplesright"), Position("Saddle"),
                                  FinishPositionItem{}};
  FinishPositionItem holes[] = {Position("FourHolesTop"), FinishPositionItem{}};
  ModelInfo model = {};
  model.staples = staples;
  model.holePunches = holes;
  model.features[kMfBindingEdge4] = 1;
  EXPECT_EQ(FillFinishPositionDefaults(&model), 1);
  EXPECT_EQ(staples[0].feedData[5], 0u);  // four-edge binding: the description's data stay

  model.features[kMfBindingEdge4] = 0;
  EXPECT_EQ(FillFinishPositionDefaults(&model), 1);
  const uint32_t twoLeft[12] = {0, 0, 0, 0, 1, 112, 6, 112, 1, 112, 7, 113};
  EXPECT_EQ(0, std::memcmp(staples[0].feedData, twoLeft, sizeof twoLeft));
  for (uint32_t word : staples[1].feedData) EXPECT_EQ(word, 0u);  // letter case counts
  EXPECT_EQ(holes[0].feedData[0], 1u);
  EXPECT_EQ(holes[0].feedData[6], 11u);
  ModelInfo bare = {};
  EXPECT_EQ(FillFinishPositionDefaults(&bare), 1);  // no lists: nothing to do
}

TEST_F(StartupTables, DialogFaceByTheModelsLanguage) {
  SetDefaultDialogFace(17);
  EXPECT_EQ(W(g_defaultDialogFace), u"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF");
  SetDefaultDialogFace(9);
  EXPECT_EQ(W(g_defaultDialogFace), u"Arial");
}

TEST_F(StartupTables, DefaultIndexPaperFromTheLocalesPaperRow) {
  TabPaperSizeItem rows[3] = {};
  std::strcpy(rows[0].keyword, "TabLetter");
  rows[0].value = 1, rows[0].first = 2286, rows[0].second = 2794, rows[0].third = 2159;
  std::strcpy(rows[1].keyword, "TabA4");
  rows[1].value = 9, rows[1].first = 2230, rows[1].second = 2970, rows[1].third = 2100;
  ModelInfo model = {};
  model.tabPaperSizes = rows;
  FillDefaultIndexPaper(&model, 9);
  const int32_t a4[9] = {9, 2230, 2970, 2100, 5, 34, 34, 10, 0};
  EXPECT_EQ(0, std::memcmp(&g_defaultIndexPaper, a4, sizeof a4));
  FillDefaultIndexPaper(&model, 1);
  const int32_t letter[9] = {1, 2286, 2794, 2159, 5, 15, 15, 5, 0};
  EXPECT_EQ(0, std::memcmp(&g_defaultIndexPaper, letter, sizeof letter));
  FillDefaultIndexPaper(&model, 8);  // no row: the record stays
  EXPECT_EQ(0, std::memcmp(&g_defaultIndexPaper, letter, sizeof letter));
}

// --- Per-page slots --------------------------------------------------------

TEST(PerPageSlots, OneSlotPerEditLineInEachListAndNoneWithoutAModel) {
  AllocatePerPageSlots(nullptr, 5);
  for (const PerPageSlotList& list : g_perPageSlots) EXPECT_EQ(list.slots, nullptr);

  ModelInfo model = {};
  model.features[kMfPerPageEditLines] = 32;
  AllocatePerPageSlots(&model, 3);
  for (const PerPageSlotList& list : g_perPageSlots) {
    ASSERT_EQ(list.count, 32u);
    for (uint32_t i = 0; i < list.count; ++i) {
      ASSERT_NE(list.slots[i].entry, nullptr);
      EXPECT_EQ(uint32_t{list.slots[i].entry->printType}, 0u);
      ASSERT_NE(list.slots[i].ruleMarks, nullptr);
      EXPECT_EQ(list.slots[i].ruleMarks[2], 0u);
      EXPECT_EQ(list.slots[i].counters[1], 0u);
    }
  }
  FreePerPageSlots();
  for (const PerPageSlotList& list : g_perPageSlots) EXPECT_EQ(list.count, 0u);

  // Without rules a slot has no marks; the line count stays within 20 to 256.
  model.features[kMfPerPageEditLines] = 100000;
  AllocatePerPageSlots(&model, 0);
  EXPECT_EQ(g_perPageSlots[9].count, 256u);
  EXPECT_EQ(g_perPageSlots[9].slots[255].ruleMarks, nullptr);
  FreePerPageSlots();
  FreePerPageSlots();
}

}  // namespace
