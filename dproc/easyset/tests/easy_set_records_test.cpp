#include "dproc/easyset/easy_set_records.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "common/records/doc_fields.h"
#include "dproc/saved/tests/cp1252_codec.h"

namespace {

const EasySetDriverFacts kFacts{u"Fax Driver", u"1.2.6", u"Windows NT x64", u"0409"};

std::unique_ptr<DocDMode> Settings() {
  auto d = std::make_unique<DocDMode>();
  std::memset(d.get(), 0, sizeof *d);
  Fields(*d).nOrientation = 1;
  Fields(*d).nCopies = 3;
  Fields(*d).byResolution = 1;
  Fields(*d).faxSetting.fgFaxCoverSheet = 1;
  return d;
}

struct NodeGuard {
  EasySetNode* node;
  ~NodeGuard() { FreeEasySetNode(node); }
};

TEST(EasySetRecords, ARecordAppliesWhatItsRestoreOptionsLet) {
  auto settings = Settings();
  EasySetWatermarks marks;
  marks.privateMarks.resize(1);
  SetEasySetField(marks.privateMarks[0].szWmkTitle, 32, u"Mine");
  EasySetHeader header = MakeEasySetHeader(kFacts, u"Cover sheet", u"A fax with its cover");
  NodeGuard g{BuildEasySetFromSettings(header, *settings, marks, Cp1252Codec())};
  ASSERT_NE(nullptr, g.node);
  EXPECT_EQ(u"Cover sheet", EasySetName(g.node->header));
  EXPECT_NE(std::u16string_view::npos, EasySetText(*g.node).find(u"name=\"Cover sheet\""));

  for (uint8_t restore : {0, 1}) {
    auto target = std::make_unique<DocDMode>();
    std::memset(target.get(), 0, sizeof *target);
    Fields(*target).nOrientation = 2;
    Fields(*target).byResolution = 0;
    g.node->header.restore[kRestorePaper] = restore;
    g.node->header.restore[kRestoreResolution] = restore;
    g.node->header.restore[kRestoreWatermarks] = restore;
    auto bundle = LoadEasySetFromText(*g.node, target.get(), false, Cp1252Codec());
    ASSERT_NE(nullptr, bundle);
    EXPECT_EQ(3, Fields(*target).nCopies);
    EXPECT_EQ(1, Fields(*target).faxSetting.fgFaxCoverSheet);
    EXPECT_EQ(restore ? 1 : 2, Fields(*target).nOrientation);
    EXPECT_EQ(restore, Fields(*target).byResolution);
    EXPECT_EQ(restore ? 1u : 0u, bundle->privateMarks.size());
  }
}

TEST(EasySetRecords, ARenamedRecordCarriesItsNewNameInItsText) {
  auto settings = Settings();
  NodeGuard g{BuildEasySetFromSettings(MakeEasySetHeader(kFacts, u"Old", u""), *settings, {}, Cp1252Codec())};
  ASSERT_NE(nullptr, g.node);
  g.node->kind = kEasySetUser;
  SetEasySetField(g.node->header.name, kEasySetNameChars, u"New");
  NodeGuard fresh{RefreshEasySetText(*g.node)};
  ASSERT_NE(nullptr, fresh.node);
  EXPECT_EQ(kEasySetUser, fresh.node->kind);
  auto doc = IniDoc_Parse(EasySetText(*fresh.node));
  ASSERT_NE(nullptr, doc);
  NodeGuard fromDoc{EasySetNodeFromDoc(*doc)};
  ASSERT_NE(nullptr, fromDoc.node);
  EXPECT_EQ(u"New", EasySetName(fromDoc.node->header));
  EXPECT_TRUE(IsEasySetHeaderOfThisFormat(fromDoc.node->header));
}

TEST(EasySetPresets, CommentsUnescapedAndCut) {
  EXPECT_EQ(u"One\r\nTwo", UnescapePresetComment(u"One\\nTwo"));
  EXPECT_EQ(u"a\\b", UnescapePresetComment(u"a\\\\b"));
  EXPECT_EQ(u"ab", UnescapePresetComment(u"a\\rb"));
  EXPECT_EQ(u"aqb", UnescapePresetComment(u"a\\qb"));
  EXPECT_EQ(u"end\\", UnescapePresetComment(u"end\\"));
  EXPECT_EQ(255u, UnescapePresetComment(std::u16string(300, u'x')).size());
  // A line break that would reach past the 254th character ends the text.
  EXPECT_EQ(std::u16string(253, u'x'), UnescapePresetComment(std::u16string(253, u'x') + u"\\nmore"));
}

TEST(EasySetPresets, AFileWithoutNamesTakesThePresetsAndTheUsersLanguage) {
  auto defaults = Settings();
  std::strcpy(Fields(*defaults).SubTTFontName[0], "Arial");
  std::strcpy(Fields(*defaults).SubDevFontName[0], "Printer Sans");
  Fields(*defaults).SubDevFontNumber[0] = 7;
  Fields(*defaults).SubFontEntryNum = 1;
  auto file = IniDoc_Parse(
      u"[DriverInfo]\r\nmodel=\"Fax Driver\"\r\nversionnum=1\r\n[EasySetName]\r\nname=\"\"\r\n"
      u"[OEMDEV]\r\nnCopies=2\r\nSubFontEntryNum=2\r\nSubTTFontName[0]=\"Comic\"\r\nSubTTFontName[1]=\"arial\"\r\n"
      u"WmkInfo.szKey=\"URGENT\"\r\n");
  ASSERT_NE(nullptr, file);
  WaterMarkInfo builtIn[2] = {};
  std::strcpy(builtIn[0].szKey, "Urgent");
  SetEasySetField(builtIn[0].szWmkTitle, 32, u"Urgent");
  SetEasySetField(builtIn[0].szWmkStr, 129, u"URGENT");
  EasySetPreset preset{"FINE", u"Fine fax", u"Sends fine"};
  DocDMode out{};
  NodeGuard g{BuildPresetEasySet(*file, preset, *defaults, u"0411", builtIn, 2, Cp1252Codec(), &out)};
  ASSERT_NE(nullptr, g.node);
  EXPECT_EQ(u"Fine fax", EasySetName(g.node->header));
  EXPECT_EQ(std::u16string(u"Sends fine"), std::u16string(g.node->header.comment));
  EXPECT_EQ(std::u16string(u"0411"), std::u16string(g.node->header.language));
  EXPECT_EQ(2, Fields(out).nCopies);
  EXPECT_EQ(1, Fields(out).SubFontEntryNum);
  EXPECT_STREQ("arial", Fields(out).SubTTFontName[0]);
  EXPECT_STREQ("Printer Sans", Fields(out).SubDevFontName[0]);
  EXPECT_EQ(7, Fields(out).SubDevFontNumber[0]);
  EXPECT_EQ(std::u16string(u"Urgent"), std::u16string(Fields(out).WmkInfo_szWmkTitle));
  EXPECT_EQ(std::u16string(u"URGENT"), std::u16string(Fields(out).WmkInfo_szWmkStr));
}

}  // namespace

namespace {

// An Easy Set file written from a record is read back as a record of the
// same settings; a file of another driver is told apart in the order the
// import asks.
TEST(EasySetFiles, AnExportedRecordImportsAndOtherDriversAreRefused) {
  auto settings = Settings();
  NodeGuard g{BuildEasySetFromSettings(MakeEasySetHeader(kFacts, u"Out", u"Shared"), *settings, {}, Cp1252Codec())};
  ASSERT_NE(nullptr, g.node);
  auto file = IniDoc_Parse(EasySetText(*g.node));
  ASSERT_NE(nullptr, file);
  std::string bytes;
  ASSERT_TRUE(IniDoc_FileBytes(*file, &bytes));
  auto back = IniDoc_ParseFileBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  ASSERT_NE(nullptr, back);
  NodeGuard imported{EasySetNodeFromDoc(*back)};
  ASSERT_NE(nullptr, imported.node);
  EXPECT_EQ(u"Out", EasySetName(imported.node->header));
  EXPECT_EQ(kEasySetFileFits, CheckEasySetFile(imported.node->header, kFacts));
  auto target = std::make_unique<DocDMode>();
  std::memset(target.get(), 0, sizeof *target);
  ASSERT_NE(nullptr, LoadEasySetFromText(*imported.node, target.get(), false, Cp1252Codec()));
  EXPECT_EQ(1, Fields(*target).faxSetting.fgFaxCoverSheet);
  EXPECT_EQ(3, Fields(*target).nCopies);

  struct Case {
    EasySetDriverFacts driver;
    EasySetFileCheck check;
  };
  const Case cases[] = {
      {{u"Fax Driver", u"1.2.6", u"Windows NT x64", u"0409"}, kEasySetFileFits},
      {{u"Fax Driver", u"1.2.6", u"Windows NT x64", u"0411"}, kEasySetFileNotOurs},
      {{u"Other Fax", u"1.2.6", u"Windows NT x64", u"0409"}, kEasySetFileOtherModel},
      {{u"Fax Driver", u"1.2.6", u"Windows NT x86", u"0409"}, kEasySetFileOtherSystem},
      {{u"Fax Driver", u"1.3.0", u"Windows NT x64", u"0409"}, kEasySetFileOtherVersion},
  };
  for (const Case& c : cases) EXPECT_EQ(c.check, CheckEasySetFile(imported.node->header, c.driver));
  imported.node->header.formatVersion = 2;
  EXPECT_EQ(kEasySetFileNotOurs, CheckEasySetFile(imported.node->header, kFacts));
}

}  // namespace
